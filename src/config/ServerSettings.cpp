#include "config/ServerSettings.h"

#include "config/NetPassDlg.h"
#include "config/NetworkGroup.h"
#include "config/PhrasesPage.h"
#include "config/RadioGroup.h"
#include "config/SettingsHost.h"
#include "config/SingleLine.h"
#include "config/StdSpinEdit.h"
#include "i18n/FTLanguage.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

namespace {

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

ServerSettings::ServerSettings(SettingsHost& host, NetworkGroup& network, PhrasesPage& phrases,
                               QObject* parent)
    : QObject(parent), m_host(host), m_network(network), m_phrases(phrases),
      m_passDlg(std::make_unique<TNetPassDlg>())
{
    connect(m_network.PortEdit, &TStdSpinEdit::changed, this, &ServerSettings::PortEditChange);
    connect(m_network.UDPPortEdit, &TStdSpinEdit::changed, this, &ServerSettings::PortEditChange);
    // Queued: a box opened while the focus moves would swallow the click that moved it.
    connect(m_network.PortEdit, &TStdSpinEdit::exited, this, &ServerSettings::PortEditExit,
            Qt::QueuedConnection);
    connect(m_network.UDPPortEdit, &TStdSpinEdit::exited, this, &ServerSettings::PortEditExit,
            Qt::QueuedConnection);
    connect(m_network.PassBtn, &QPushButton::clicked, this, &ServerSettings::PassBtnClick);

    connect(m_phrases.LocationEdit, &QLineEdit::textChanged, this, &ServerSettings::LocationEditChange);
    connect(m_phrases.FileModeRadio, &RadioGroup::itemClicked, this, &ServerSettings::LocationEditChange);
    connect(m_phrases.BackCountEdit, &TStdSpinEdit::changed, this, &ServerSettings::BackCountEditChange);
    connect(m_phrases.BrowseBtn, &QPushButton::clicked, this, &ServerSettings::BrowseBtnClick);
    connect(m_phrases.FileUpdateCheck, &QCheckBox::toggled, this, &ServerSettings::FileUpdateCheckClick);
}

ServerSettings::~ServerSettings() = default;

void ServerSettings::loadStartValues()
{
    QScopedValueRollback skip(SkipDlg, true);
    m_phrases.LocationEdit->setText(OldSettings.phLocation);
    m_phrases.FileModeRadio->setItemIndex(OldSettings.phMode);
    m_phrases.FileUpdateCheck->setChecked(OldSettings.FileUpdateStart);
    m_network.PortEdit->setPosition(OldSettings.tcpPort);
}

bool ServerSettings::SettingsChanged() const
{
    if (!m_host.isConnected())
        return false;
    const SettingsBackupRec& old = OldSettings;
    return m_phrases.LocationEdit->text() != old.phLocation ||
           m_phrases.FileModeRadio->ItemIndex() != old.phMode ||
           m_phrases.FileUpdateCheck->isChecked() != old.FileUpdateStart ||
           m_phrases.BackCountEdit->Position() != old.BackupCount ||
           m_network.PortEdit->Position() != old.tcpPort ||
           m_network.UDPPortEdit->Position() != old.udpPort || curPass != old.Password ||
           curPassMode != old.askPassowrd || m_host.doStats() != old.doStats;
}

void ServerSettings::ApplySettings()
{
    m_host.SaveLocalSettings();
    SendSettings();
    m_host.setHintStatus(2);
    m_host.RefreshWindowState();
}

void ServerSettings::SendSettings()
{
    SettingsBackupRec& old = OldSettings;
    // A line break would end the command early and turn the rest into a command of its own;
    // such a value is not sent and stays pending.
    if (curPass != old.Password && isSingleLine(curPass)) {
        m_host.SendCommand(QStringLiteral("setpass:") + curPass);
        old.Password = curPass;
    }
    if (curPassMode != old.askPassowrd) {
        m_host.SendCommand(QStringLiteral("setpassmode:") + QString::number(curPassMode));
        old.askPassowrd = curPassMode;
    }
    const int mode = qBound(0, m_phrases.FileModeRadio->ItemIndex(), NetFileModeMax);
    m_host.SendCommand(QStringLiteral("setfilemode:") + QString::number(mode));
    old.phMode = TNetFileMode(mode);

    const QString location = m_phrases.LocationEdit->text();
    if (location != old.phLocation && isSingleLine(location)) {
        m_host.SendCommand(QStringLiteral("setfile:") + location);
        m_sentLocations.append(location);
    }
    const bool fileUpdate = m_phrases.FileUpdateCheck->isChecked();
    m_host.SendCommand(QStringLiteral("setfileupdate:") + flag(fileUpdate));
    old.FileUpdateStart = fileUpdate;

    const bool stats = m_host.doStats();
    m_host.SendCommand(QStringLiteral("setdostats:") + flag(stats));
    old.doStats = stats;

    bool tcpChanged = false;
    const int tcpPort = m_network.PortEdit->Position();
    if (tcpPort != old.tcpPort) {
        tcpChanged = true;
        m_host.SendCommand(QStringLiteral("setport:") + QString::number(tcpPort));
        old.tcpPort = tcpPort;
    }
    const int udpPort = m_network.UDPPortEdit->Position();
    if (udpPort != old.udpPort) {
        m_host.SendCommand(QStringLiteral("setudpport:") + QString::number(udpPort));
        old.udpPort = udpPort;
    }
    const int backups = m_phrases.BackCountEdit->Position();
    m_host.SendCommand(QStringLiteral("setbackupcount:") + QString::number(backups));
    old.BackupCount = backups;

    // After a port change the server moves and reports "gettcpok"; reloading would race with that.
    if (!tcpChanged)
        m_host.SendCommand(QStringLiteral("reloadsettings"));
    m_host.SendInitialQuery();
    isFirstStart = false;
    m_host.setHintStatus(2);
    if (tcpChanged) {
        m_host.ClearClientList();
        m_host.SendCommand(QStringLiteral("cllist"));
    }
}

QString ServerSettings::tcpStatusText() const
{
    if (!m_host.isConnected())
        return tr_id(630);
    return tr_id(TCPOk ? 637 : 632) + u' ' + QString::number(OldSettings.tcpPort);
}

QColor ServerSettings::tcpStatusColour() const
{
    return TCPOk && m_host.isConnected() ? QColor(0, 128, 0) : QColor(255, 0, 0);
}

void ServerSettings::refreshUnlessLoading()
{
    // While a reply is being applied the window refreshes once it is done.
    if (!m_loading)
        m_host.RefreshWindowState();
}
