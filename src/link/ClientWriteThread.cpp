#include "link/ClientWriteThread.h"

#include "link/EncDec.h"
#include "link/MainThreadCall.h"
#include "link/ManualResetEvent.h"
#include "link/PipeTransport.h"

namespace {

bool isBlankOrControl(QChar c)
{
    return c.unicode() <= 32;
}

QString trimmedLine(QStringView line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && isBlankOrControl(line[begin])) {
        ++begin;
    }
    while (end > begin && isBlankOrControl(line[end - 1])) {
        --end;
    }
    return line.sliced(begin, end - begin).toString();
}

} // namespace

TClientWriteThread::TClientWriteThread(std::shared_ptr<PipeTransport> pipe, ManualResetEvent& sendEvent,
                                       MainThreadCall& mainThread, DataSource takeData)
    : LinkThread(mainThread), m_pipe(std::move(pipe)), m_sendEvent(sendEvent), m_takeData(std::move(takeData))
{
    start();
}

TClientWriteThread::~TClientWriteThread()
{
    stopAndWait();
}

void TClientWriteThread::wakeUp()
{
    m_sendEvent.set();
}

void TClientWriteThread::run()
{
    while (!isTerminated() && m_pipe->isOpen()) {
        m_sendEvent.wait();
        if (isTerminated()) {
            return;
        }
        QString taken;
        if (!m_mainThread.call([this, &taken] { taken = m_takeData(); })) {
            return;
        }
        ToSend = taken;
        while (!ToSend.isEmpty() && m_pipe->isOpen() && !isTerminated()) {
            const qsizetype cr = ToSend.indexOf(QLatin1Char('\r'));
            const qsizetype cut = cr < 0 ? ToSend.size() : cr + 1;
            const QString line = trimmedLine(QStringView(ToSend).first(cut));
            ToSend.remove(0, cut);
            m_pipe->write(EncDec::frameLine(line));
        }
    }
}
