#include "link/PipeLink.h"

#include "i18n/FTLanguage.h"
#include "link/ClientThread.h"
#include "link/ClientWriteThread.h"
#include "link/ConnectPipeThread.h"
#include "link/LinkHost.h"
#include "link/MainThreadCall.h"
#include "link/PipeLocation.h"
#include "link/PipeTransport.h"
#include "ui/MessageBox.h"

#include <ifaddrs.h>
#include <net/if.h>

namespace {

// The link's message boxes: caption 601 unless said otherwise.
constexpr int CaptionError = 601;
constexpr int CaptionInfo = 626;
constexpr int TextServerNotFound = 600;
constexpr int TextNoNetwork = 644;

// Windows' "not found" codes as the transport reports them.
bool isNotFound(int error)
{
    return error == PipeTransport::ErrorNotFound || error == 132;
}

} // namespace

PipeLink::PipeLink(LinkHost& host, const QString& consoleVersion, QObject* parent)
    : QObject(parent), m_host(host), m_consoleVersion(consoleVersion),
      m_mainThread(std::make_unique<MainThreadCall>())
{
}

PipeLink::~PipeLink()
{
    shutdown();
}

bool PipeLink::IsNetworkPresent() const
{
    if (m_networkProbe) {
        return m_networkProbe();
    }
    // Any interface up besides loopback counts; when the system cannot tell, assume a network.
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) {
        return true;
    }
    bool present = false;
    for (const ifaddrs* it = list; it && !present; it = it->ifa_next) {
        present = (it->ifa_flags & IFF_UP) && !(it->ifa_flags & IFF_LOOPBACK);
    }
    ::freeifaddrs(list);
    return present;
}

bool PipeLink::isConnected() const
{
    return PipeHandle != nullptr;
}

bool PipeLink::isReconnecting() const
{
    return ConnectThread != nullptr && !ConnectThread->isFinished();
}

bool PipeLink::ConnectPipe(bool Silent)
{
    if (m_shutDown) {
        return false;
    }
    const QString location = m_host.serverEditText();
    // This computer's socket needs no network, so only a remote location is refused without one.
    if (!Silent && !PipeLocation::isThisComputer(location) && !IsNetworkPresent()) {
        MessageBox::show(m_host.dialogParent(), MessageBox::Warning, tr_id(CaptionInfo),
                         tr_id(TextNoNetwork));
        return false;
    }
    m_host.DoLog(QStringLiteral("Connect"));
    m_host.setReconBtnEnabled(false);
    m_host.showWaitNotice(true);
    stopConnectThread();
    // An open connection is dropped first; its reader would otherwise wait on it for ever.
    if (isConnected()) {
        DisconnectPipe();
    }

    int error = 0;
    std::shared_ptr<PipeTransport> pipe = PipeTransport::open(location, error);
    if (!pipe) {
        m_host.showWaitNotice(false);
        if (!Silent) {
            const QString text =
                isNotFound(error) ? tr_id(TextServerNotFound) : PipeTransport::errorText(error);
            MessageBox::show(m_host.dialogParent(), MessageBox::Critical, tr_id(CaptionError), text);
        }
        m_host.RefreshWindowState();
        return false;
    }
    m_host.DoLog(QStringLiteral("Connected"));
    fCurServer = PipeLocation::StripBackslashes(location);
    startConnection(std::move(pipe));
    SendInitialQuery();
    m_host.RefreshWindowState();
    m_host.showWaitNotice(false);
    return true;
}

void PipeLink::startConnection(std::shared_ptr<PipeTransport> pipe)
{
    PipeHandle = std::move(pipe);
    m_pipeBuffer.clear();
    SendData.clear();
    restartThreads(PipeHandle);
    ConfigMsgOn = false;
    isStartFinished = false;
    isCompatible = true;
}

void PipeLink::restartThreads(const std::shared_ptr<PipeTransport>& pipe)
{
    const PipeTransport* const current = pipe.get();
    if (WriteThread) {
        WriteThread->stopAndWait();
        WriteThread.reset();
    }
    WriteThread = std::make_unique<TClientWriteThread>(pipe, SendEvent, *m_mainThread, [this, current] {
        // A writer of an earlier connection must not take the new connection's commands.
        return current == PipeHandle.get() ? GetDataToSend() : QString();
    });
    if (ReadThread) {
        ReadThread->stopAndWait();
        ReadThread.reset();
    }
    ReadThread = std::make_unique<TClientThread>(
        pipe, *m_mainThread,
        [this, current](const QByteArray& chunk) {
            // A chunk read just before its connection was dropped belongs to nobody.
            if (current == PipeHandle.get()) {
                ProcReply(chunk);
            }
        },
        [this, current](int error) { onReaderError(current, error); });
}

void PipeLink::DisconnectPipe()
{
    m_host.DoLog(QStringLiteral("DisConnect"));
    fServerIP.clear();
    m_host.ClearClientList();
    if (PipeHandle) {
        PipeHandle->close();
        PipeHandle.reset();
    }
    m_host.RefreshWindowState();
}

void PipeLink::ProcError(int E)
{
    onReaderError(PipeHandle.get(), E);
}

void PipeLink::onReaderError(const PipeTransport* pipe, int E)
{
    m_host.DoLog(PipeTransport::errorText(E));
    if (E == PipeTransport::ErrorNone || E == PipeTransport::ErrorClosed || m_shutDown) {
        return;
    }
    // Only the reader of the current connection may drop it.
    if (pipe == nullptr || pipe != PipeHandle.get()) {
        return;
    }
    DisconnectPipe();
    if (isCompatible) {
        startConnectThread();
    }
}

void PipeLink::startConnectThread()
{
    stopConnectThread();
    const quint64 serial = ++m_connectSerial;
    ConnectThread = std::make_unique<TConnectPipeThread>(
        *m_mainThread, true, fCurServer,
        [this, serial](std::shared_ptr<PipeTransport> pipe) { onPipeConnected(serial, std::move(pipe)); });
}

void PipeLink::stopConnectThread()
{
    if (!ConnectThread) {
        return;
    }
    // Taken out first: a connection it hands over while being stopped is then refused.
    std::unique_ptr<TConnectPipeThread> thread = std::move(ConnectThread);
    ++m_connectSerial;
    thread->stopAndWait();
}

void PipeLink::onPipeConnected(quint64 serial, std::shared_ptr<PipeTransport> pipe)
{
    if (m_shutDown || !ConnectThread || serial != m_connectSerial || isConnected()) {
        pipe->close();
        return;
    }
    // The location that was actually reached, even if the server field changed meanwhile.
    fCurServer = PipeLocation::StripBackslashes(ConnectThread->fpName());
    startConnection(std::move(pipe));
    m_host.RefreshWindowState();
    stopConnectThread();
    SendInitialQuery();
}

void PipeLink::ReconBtnClick()
{
    DisconnectPipe();
    ConnectPipe(false);
}

void PipeLink::shutdown()
{
    if (m_shutDown) {
        return;
    }
    stopConnectThread();
    DisconnectPipe();
    m_shutDown = true;
    if (WriteThread) {
        WriteThread->stopAndWait();
        WriteThread.reset();
    }
    if (ReadThread) {
        ReadThread->stopAndWait();
        ReadThread.reset();
    }
    PipeData.clear();
}
