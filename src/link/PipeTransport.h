#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <memory>

// One open connection to the server's endpoint. Reading, writing and closing
// may happen on different threads: close() only shuts the socket down, which
// ends a blocked read or write at once, and the descriptor itself is released
// when the last holder lets go, so it can never be reused under a reader.
class PipeTransport
{
public:
    // Codes the link distinguishes; everything else is an errno value.
    static constexpr int ErrorNone = 0;
    static constexpr int ErrorLost = 1;     // peer closed, or the chunk could not be handled
    static constexpr int ErrorNotFound = 2; // no socket, refused, unknown host
    static constexpr int ErrorClosed = 6;   // our side closed the connection
    static constexpr int ReadSize = 1000;

    ~PipeTransport();
    PipeTransport(const PipeTransport&) = delete;
    PipeTransport& operator=(const PipeTransport&) = delete;

    // Opens the endpoint of a server location. On failure returns null and
    // sets error. A set cancel flag abandons a TCP connect that is under way.
    static std::shared_ptr<PipeTransport> open(const QString& location, int& error,
                                               const std::atomic<bool>* cancel = nullptr);

    // Blocks until bytes arrive. Returns the count (0 when the peer closed),
    // or -1 with error set; ErrorClosed once close() was called.
    int read(char* buffer, int maxBytes, int& error);
    // Writes one framed line; returns ErrorNone or the failure's code.
    int write(const QByteArray& bytes);
    void close();
    bool isOpen() const { return !m_closed.load(std::memory_order_acquire); }

    // The system's text for a code as read() and open() report it.
    static QString errorText(int code);

private:
    explicit PipeTransport(int fd);

    const int m_fd;
    std::atomic<bool> m_closed{false};
};
