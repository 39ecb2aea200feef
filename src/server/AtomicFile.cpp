#include "server/AtomicFile.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool fail(QString* error, const QString& what)
{
    if (error) {
        *error = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    }
    return false;
}

bool writeAll(int fd, const QByteArray& data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += n;
    }
    return true;
}

} // namespace

bool AtomicFile::write(const QString& path, const QByteArray& content, QString* error)
{
    const QByteArray target = QFile::encodeName(path);
    QByteArray temp = target + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return fail(error, QStringLiteral("cannot create a temporary file beside ") + path);
    }
    ::fchmod(fd, 0600);
    const bool ok = writeAll(fd, content) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    ::close(fd);
    if (!ok) {
        ::unlink(temp.constData());
        errno = savedErrno;
        return fail(error, QStringLiteral("cannot write ") + path);
    }
    if (::rename(temp.constData(), target.constData()) != 0) {
        const int e = errno;
        ::unlink(temp.constData());
        errno = e;
        return fail(error, QStringLiteral("cannot replace ") + path);
    }
    // The rename itself must reach the disk too.
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    const int dfd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}
