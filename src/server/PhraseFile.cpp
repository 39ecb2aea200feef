#include "server/PhraseFile.h"

#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool isNetworkPath(const QString& path)
{
    return path.startsWith(QStringLiteral("\\\\")) || path.startsWith(QStringLiteral("//")) ||
           path.startsWith(QStringLiteral("\\/")) || path.startsWith(QStringLiteral("/\\")) ||
           path.contains(QStringLiteral("://"));
}

bool hasBadCharacters(const QString& path)
{
    for (QChar c : path) {
        if (c.unicode() < 32 || c.unicode() == 127 || QStringLiteral("*?<>|\"").contains(c)) {
            return true;
        }
    }
    return false;
}

} // namespace

PhraseFile::Check PhraseFile::check(const QString& path)
{
    if (isNetworkPath(path)) {
        return Check::NoNetwork;
    }
    if (path.isEmpty() || path.trimmed() != path || hasBadCharacters(path) ||
        !path.startsWith(QLatin1Char('/'))) {
        return Check::NoFile;
    }
    const QFileInfo info(path);
    if (info.exists()) {
        return (info.isFile() && info.isReadable()) ? Check::Ok : Check::NoFile;
    }
    if (path.endsWith(QLatin1Char('/')) || !QFileInfo(info.absolutePath()).isDir()) {
        return Check::NoFile;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return Check::NoFile;
    }
    ::close(fd);
    return Check::Ok;
}

QString PhraseFile::answer(Check result)
{
    switch (result) {
    case Check::Ok:
        return QStringLiteral("OK");
    case Check::NoNetwork:
        return QStringLiteral("nonetwork");
    case Check::NoFile:
        break;
    }
    return QStringLiteral("nofile");
}

bool PhraseFile::writable(const QString& path)
{
    if (path.isEmpty()) {
        return false;
    }
    const QFileInfo info(path);
    return info.isFile() && ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}
