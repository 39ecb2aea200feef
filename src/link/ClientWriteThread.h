#pragma once

#include "link/LinkThread.h"

#include <QString>
#include <functional>
#include <memory>

class ManualResetEvent;
class PipeTransport;

// The pipe writer: sleeps on the send event, takes the queued command text on
// the GUI thread, and writes it line by line, each line sealed and framed in
// one write. Write failures are not reported; the reader notices a dead pipe.
class TClientWriteThread : public LinkThread
{
public:
    using DataSource = std::function<QString()>;

    // takeData runs on the GUI thread and must reset the send event.
    TClientWriteThread(std::shared_ptr<PipeTransport> pipe, ManualResetEvent& sendEvent,
                       MainThreadCall& mainThread, DataSource takeData);
    ~TClientWriteThread() override;

protected:
    void run() override;
    void wakeUp() override;

private:
    const std::shared_ptr<PipeTransport> m_pipe;
    ManualResetEvent& m_sendEvent;
    DataSource m_takeData;
    QString ToSend;
};
