#include "link/ClientThread.h"

#include "link/MainThreadCall.h"
#include "link/PipeTransport.h"

TClientThread::TClientThread(std::shared_ptr<PipeTransport> pipe, MainThreadCall& mainThread,
                             ReplyHandler onReply, ErrorHandler onError)
    : LinkThread(mainThread), m_pipe(std::move(pipe)), m_onReply(std::move(onReply)),
      m_onError(std::move(onError))
{
    start();
}

TClientThread::~TClientThread()
{
    stopAndWait();
}

void TClientThread::wakeUp()
{
    // A pending read is only abandoned by closing its connection.
    m_pipe->close();
}

void TClientThread::report(int error)
{
    // Once asked to stop, the window may be going away: nothing more is reported.
    if (isTerminated()) {
        return;
    }
    m_mainThread.call([this, error] { m_onError(error); });
}

void TClientThread::run()
{
    char buffer[PipeTransport::ReadSize + 1];
    while (!isTerminated()) {
        int error = 0;
        const int n = m_pipe->read(buffer, PipeTransport::ReadSize, error);
        if (n < 0) {
            report(error);
            return;
        }
        if (n == 0) {
            report(PipeTransport::ErrorLost);
            return;
        }
        // The server never sends zero bytes; anything after one is dropped.
        buffer[n] = '\0';
        const QByteArray chunk(buffer, qsizetype(qstrlen(buffer)));
        try {
            m_mainThread.call([this, &chunk] { m_onReply(chunk); });
        } catch (...) {
            report(PipeTransport::ErrorLost);
            return;
        }
    }
}
