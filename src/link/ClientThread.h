#pragma once

#include "link/LinkThread.h"

#include <QByteArray>
#include <functional>
#include <memory>

class PipeTransport;

// The pipe reader: reads chunks of at most 1000 bytes and hands each to the
// GUI thread, waiting until it was handled. A failed read, an empty read or a
// chunk whose handling raised an error is reported once and ends the thread.
class TClientThread : public LinkThread
{
public:
    using ReplyHandler = std::function<void(const QByteArray& chunk)>;
    using ErrorHandler = std::function<void(int error)>;

    // Both handlers run on the GUI thread.
    TClientThread(std::shared_ptr<PipeTransport> pipe, MainThreadCall& mainThread, ReplyHandler onReply,
                  ErrorHandler onError);
    ~TClientThread() override;

    const std::shared_ptr<PipeTransport>& hPipe() const { return m_pipe; }

protected:
    void run() override;
    void wakeUp() override;

private:
    void report(int error);

    const std::shared_ptr<PipeTransport> m_pipe;
    ReplyHandler m_onReply;
    ErrorHandler m_onError;
};
