#include "link/PipeTransport.h"

#include "link/PipeLocation.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int ConnectTimeoutMs = 5000;
constexpr int CancelPollMs = 50;

// errno values that would read as one of the link's own codes are moved aside.
int fromErrno(int err)
{
    switch (err) {
    case ENOENT:
    case ECONNREFUSED:
    case ENXIO:
        return PipeTransport::ErrorNotFound;
    case 0:
    case EPERM:
        return EACCES;
    default:
        return err;
    }
}

int openLocal(const QString& path, int& error)
{
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (native.isEmpty() || size_t(native.size()) >= sizeof(addr.sun_path)) {
        error = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(addr.sun_path, native.constData(), size_t(native.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = fromErrno(errno);
        return -1;
    }
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) != 0) {
        error = fromErrno(errno);
        ::close(fd);
        return -1;
    }
    return fd;
}

// Non-blocking connect so that a silent host neither hangs the caller for
// minutes nor keeps a reconnect thread from stopping.
int connectOne(const addrinfo* ai, int& error, const std::atomic<bool>* cancel)
{
    const int fd = ::socket(ai->ai_family, ai->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, ai->ai_protocol);
    if (fd < 0) {
        error = fromErrno(errno);
        return -1;
    }
    if (::connect(fd, ai->ai_addr, ai->ai_addrlen) != 0) {
        if (errno != EINPROGRESS) {
            error = fromErrno(errno);
            ::close(fd);
            return -1;
        }
        int waited = 0;
        for (;;) {
            if (cancel && cancel->load()) {
                error = PipeTransport::ErrorClosed;
                ::close(fd);
                return -1;
            }
            pollfd p{fd, POLLOUT, 0};
            const int ready = ::poll(&p, 1, CancelPollMs);
            if (ready > 0) {
                break;
            }
            waited += CancelPollMs;
            if ((ready < 0 && errno != EINTR) || waited >= ConnectTimeoutMs) {
                error = ready < 0 ? fromErrno(errno) : ETIMEDOUT;
                ::close(fd);
                return -1;
            }
        }
        int soError = 0;
        socklen_t len = sizeof(soError);
        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &len);
        if (soError != 0) {
            error = fromErrno(soError);
            ::close(fd);
            return -1;
        }
    }
    const int flags = ::fcntl(fd, F_GETFL);
    ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

int openTcp(const QString& host, quint16 port, int& error, const std::atomic<bool>* cancel)
{
    if (host.isEmpty()) {
        error = PipeTransport::ErrorNotFound;
        return -1;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    const QByteArray service = QByteArray::number(port);
    if (::getaddrinfo(host.toUtf8().constData(), service.constData(), &hints, &list) != 0 || !list) {
        error = PipeTransport::ErrorNotFound;
        return -1;
    }
    int fd = -1;
    for (const addrinfo* ai = list; ai && fd < 0; ai = ai->ai_next) {
        fd = connectOne(ai, error, cancel);
    }
    ::freeaddrinfo(list);
    return fd;
}

} // namespace

PipeTransport::PipeTransport(int fd) : m_fd(fd) {}

PipeTransport::~PipeTransport()
{
    ::close(m_fd);
}

std::shared_ptr<PipeTransport> PipeTransport::open(const QString& location, int& error,
                                                   const std::atomic<bool>* cancel)
{
    const PipeLocation where = PipeLocation::fromServer(location);
    error = ErrorNone;
    const int fd = where.kind == PipeLocation::LocalSocket ? openLocal(where.socketPath, error)
                                                           : openTcp(where.host, where.port, error, cancel);
    if (fd < 0) {
        return nullptr;
    }
    return std::shared_ptr<PipeTransport>(new PipeTransport(fd));
}

int PipeTransport::read(char* buffer, int maxBytes, int& error)
{
    for (;;) {
        const ssize_t n = ::recv(m_fd, buffer, size_t(maxBytes), 0);
        const int err = errno;
        // A read that ended because we shut the socket down is "closed", not a lost peer.
        if (!isOpen()) {
            error = ErrorClosed;
            return -1;
        }
        if (n >= 0) {
            return int(n);
        }
        if (err != EINTR) {
            error = fromErrno(err);
            return -1;
        }
    }
}

int PipeTransport::write(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        if (!isOpen()) {
            return ErrorClosed;
        }
        const ssize_t n = ::send(m_fd, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return isOpen() ? fromErrno(errno) : ErrorClosed;
        }
        done += n;
    }
    return ErrorNone;
}

void PipeTransport::close()
{
    if (!m_closed.exchange(true, std::memory_order_acq_rel)) {
        ::shutdown(m_fd, SHUT_RDWR);
    }
}

QString PipeTransport::errorText(int code)
{
    switch (code) {
    case ErrorLost:
        return QString::fromLocal8Bit(std::strerror(EIO));
    case ErrorNotFound:
        return QString::fromLocal8Bit(std::strerror(ENOENT));
    case ErrorClosed:
        return QString::fromLocal8Bit(std::strerror(EBADF));
    default:
        return QString::fromLocal8Bit(std::strerror(code));
    }
}
