#pragma once

#include "config/SettingsBackupRec.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class NetworkGroup;
class PhrasesPage;
class SettingsHost;
class TNetPassDlg;

// The server's settings as the console edits them: the snapshot of what the
// server holds, the replies that fill it, the change test and the apply.
// The window refreshes itself after every reply it hands to handleReply.
class ServerSettings : public QObject
{
    Q_OBJECT

public:
    ServerSettings(SettingsHost& host, NetworkGroup& network, PhrasesPage& phrases,
                   QObject* parent = nullptr);
    ~ServerSettings() override;
    ServerSettings(const ServerSettings&) = delete;
    ServerSettings& operator=(const ServerSettings&) = delete;
    ServerSettings(ServerSettings&&) = delete;
    ServerSettings& operator=(ServerSettings&&) = delete;

    // Applies one settings reply; false when the code is not a settings reply.
    bool handleReply(int code, const QString& arg);

    // Puts the start snapshot into the controls without asking anything.
    void loadStartValues();

    bool SettingsChanged() const;
    void UpdateBtnClick() { ApplySettings(); }
    void ApplySettings();
    void SendSettings();

    void PortEditChange();
    void PortEditExit();
    void PassBtnClick();
    void LocationEditChange();
    void BackCountEditChange();
    void BrowseBtnClick();
    void FileUpdateCheckClick();

    // The statistics switch went out at once; it never counts as edited.
    void onDoStatsSet(bool state) { OldSettings.doStats = state; }

    // Message text id of the password button's caption.
    int passButtonTextId() const { return curPass.isEmpty() ? 117 : 118; }
    // The TCP status line while connected: text and colour.
    QString tcpStatusText() const;
    QColor tcpStatusColour() const;

    TNetPassDlg& passDialog() { return *m_passDlg; }

    SettingsBackupRec OldSettings;
    QString curPass;
    TPassMode curPassMode = 0;
    bool TCPOk = false;
    bool gotTCPMessage = false;
    bool SkipDlg = false;
    bool isFirstStart = false;

private:
    void refreshUnlessLoading();

    SettingsHost& m_host;
    NetworkGroup& m_network;
    PhrasesPage& m_phrases;
    std::unique_ptr<TNetPassDlg> m_passDlg;
    QStringList m_sentLocations; // sent with "setfile:", awaiting the server's answer
    bool m_loading = false;
};
