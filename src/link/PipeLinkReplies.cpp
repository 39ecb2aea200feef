// The command queue and the handling of reply lines of PipeLink.
#include "i18n/FTLanguage.h"
#include "link/EncDec.h"
#include "link/LinkHost.h"
#include "link/PipeLink.h"
#include "link/ReplyCodes.h"
#include "link/VersionNumber.h"
#include "ui/MessageBox.h"

#include <QCoreApplication>
#include <stdexcept>

namespace {

constexpr int CaptionError = 601;
constexpr int TextNotCompatible = 635;
constexpr int TextServerTooOld = 658;
constexpr int TextConfigError = 660;

// The oldest server this console works with is the one after 8.0.14.
constexpr int LastIncompatibleServer = 8000014;

// Dispatches nest only when a handler lets events run while new replies
// arrive; deeper than this the outer dispatch loop takes them instead, so a
// burst of replies cannot deepen the stack without bound.
constexpr int MaxDrainNesting = 8;

QString trimmedArgument(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32) {
        ++begin;
    }
    while (end > begin && text[end - 1].unicode() <= 32) {
        --end;
    }
    return text.sliced(begin, end - begin);
}

const char* const InitialQueries[] = {
    "cllist",     "getfilemode",  "getfile",       "getnowrite",    "getbackupcount", "getport",
    "getudpport", "getfilestats", "getdolog",      "getlogsize",    "getdefwrite",    "getdefconfig",
    "getpass",    "getpassmode",  "getfileupdate", "getdostats",    "getrunning",     "gettcpok",
    "getver",     "getip",        "getlogpath",    "getconfigpath",
};

} // namespace

void PipeLink::SendCommand(const QString& Cmd)
{
    SendData += Cmd;
    SendData += QLatin1Char('\r');
    SendEvent.set();
}

QString PipeLink::GetDataToSend()
{
    QString result;
    result.swap(SendData);
    SendEvent.reset();
    return result;
}

void PipeLink::SendInitialQuery()
{
    m_host.clearServerLog();
    SendCommand(QStringLiteral("getcompatible:") + m_consoleVersion);
    for (const char* query : InitialQueries) {
        SendCommand(QLatin1String(query));
    }
    m_host.setHintStatus(1);
}

void PipeLink::ProcReply(const QByteArray& Reply)
{
    QString text;
    bool overflow = false;
    try {
        LineAssembler::Taken taken = m_pipeBuffer.take(EncDec::fromAnsi(Reply));
        text = std::move(taken.lines);
        overflow = taken.overflow;
        if (!taken.kept.isEmpty()) {
            m_host.DoLog(QStringLiteral("Buffer: ") + taken.kept);
        }
    } catch (const std::exception& e) {
        m_host.DoLog(QStringLiteral("UpdateBuffer: ") + QString::fromLocal8Bit(e.what()));
    }

    // An item that cannot be opened raises EnvelopeError out of here: the
    // reader then ends the connection.
    for (const QString& item : EncDec::splitItems(text)) {
        const QString line = EncDec::openItem(item);
        m_host.DoLog(line);
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        const QStringView keyword = colon < 0 ? QStringView(line) : QStringView(line).first(colon);
        const ReplyCode code = replyCodeOf(keyword);
        if (code != RC_None) {
            queueReply(code, colon < 0 ? QString() : line.sliced(colon + 1));
        }
    }

    if (overflow) {
        const QString message =
            QStringLiteral("reply line longer than %1 characters").arg(LineAssembler::MaxPartialLine);
        m_host.DoLog(QStringLiteral("UpdateBuffer: ") + message);
        throw std::runtime_error(message.toStdString());
    }
    m_host.RefreshWindowState();
}

void PipeLink::queueReply(int code, const QString& argument)
{
    PipeData.emplace_back(code, argument);
    if (!m_drainPosted) {
        m_drainPosted = true;
        QCoreApplication::postEvent(this, new QEvent(WM_PIPEREPLY));
    }
}

void PipeLink::customEvent(QEvent* event)
{
    if (event->type() != WM_PIPEREPLY) {
        QObject::customEvent(event);
        return;
    }
    m_drainPosted = false;
    drainReplies();
}

void PipeLink::drainReplies()
{
    if (m_drainDepth >= MaxDrainNesting || m_shutDown) {
        return;
    }
    ++m_drainDepth;
    // Each dispatch takes the oldest reply first, so replies dispatched inside
    // a handler (while it shows a box) still get their own arguments.
    while (!PipeData.empty() && !m_shutDown) {
        auto [code, argument] = std::move(PipeData.front());
        PipeData.pop_front();
        dispatchReply(code, trimmedArgument(argument));
    }
    --m_drainDepth;
}

void PipeLink::dispatchReply(int code, const QString& argument)
{
    try {
        bool handled = false;
        const bool refresh = applyOwnReply(code, argument, handled);
        if (handled ? refresh : m_host.dispatchReply(code, argument)) {
            m_host.RefreshWindowState();
        }
    } catch (const std::exception& e) {
        MessageBox::showUncaughtError(m_host.dialogParent(), QString::fromLocal8Bit(e.what()));
    } catch (...) {
        MessageBox::showUncaughtError(m_host.dialogParent(), QStringLiteral("Unknown error"));
    }
}

bool PipeLink::applyOwnReply(int code, const QString& argument, bool& handled)
{
    handled = true;
    switch (code) {
    case RC_start:
    case RC_stop:
        return true;
    case RC_getver:
        isStartFinished = true;
        fServVer = argument;
        if (VersionToInt(argument) <= LastIncompatibleServer) {
            isCompatible = false;
            DisconnectPipe();
            offerDownload(TextServerTooOld);
        }
        return true;
    case RC_compatible:
        isCompatible = true;
        m_host.DoLog(QStringLiteral("Versions compatible"));
        return true;
    case RC_notcompatible:
        isCompatible = false;
        DisconnectPipe();
        offerDownload(TextNotCompatible);
        return true;
    case RC_configerr: {
        // Further reports while the box is open are swallowed, refresh included.
        if (ConfigMsgOn) {
            return false;
        }
        ConfigMsgOn = true;
        struct Reset
        {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{ConfigMsgOn};
        MessageBox::show(m_host.dialogParent(), MessageBox::Warning, tr_id(CaptionError),
                         tr_id(TextConfigError));
        return true;
    }
    case RC_getip:
        fServerIP = argument;
        return true;
    default:
        handled = false;
        return false;
    }
}

void PipeLink::offerDownload(int textId)
{
    const MessageBox::Button answer =
        MessageBox::show(m_host.dialogParent(), MessageBox::Question, tr_id(CaptionError), tr_id(textId),
                         MessageBox::Yes | MessageBox::No);
    if (answer == MessageBox::Yes) {
        m_host.openDownloadPage();
    }
}
