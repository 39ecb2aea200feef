#include "config/NetworkGroup.h"
#include "config/PhrasesPage.h"
#include "config/RadioGroup.h"
#include "config/ServerSettings.h"
#include "config/SettingsHost.h"
#include "config/StdSpinEdit.h"
#include "i18n/FTLanguage.h"
#include "link/ReplyCodes.h"
#include "ui/MessageBox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace {

// A reply's number, or the fallback when the argument is not a 32-bit decimal integer.
qint64 integerOr(const QString& arg, qint64 fallback)
{
    bool ok = false;
    const int value = arg.toInt(&ok, 10);
    return ok ? value : fallback;
}

} // namespace

bool ServerSettings::handleReply(int code, const QString& arg)
{
    QScopedValueRollback loading(m_loading, true);
    SettingsBackupRec& old = OldSettings;
    switch (code) {
    case RC_getfile:
        // The server answers in order, so every earlier "setfile:" has had its answer by now.
        m_sentLocations.clear();
        m_phrases.LocationEdit->setText(arg);
        old.phLocation = m_phrases.LocationEdit->text();
        return true;
    case RC_getfilemode: {
        // The radio group cannot show "no item"; a negative mode falls back to the first.
        const qint64 last = m_phrases.FileModeRadio->count() - 1;
        m_phrases.FileModeRadio->setItemIndex(int(qBound<qint64>(0, integerOr(arg, 0), last)));
        old.phMode = TNetFileMode(qMax(0, m_phrases.FileModeRadio->ItemIndex()));
        return true;
    }
    case RC_getfileupdate: {
        QScopedValueRollback skip(SkipDlg, true);
        m_phrases.FileUpdateCheck->setChecked(integerOr(arg, 0) != 0);
        old.FileUpdateStart = m_phrases.FileUpdateCheck->isChecked();
        return true;
    }
    case RC_getbackupcount:
        m_phrases.BackCountEdit->setPosition(integerOr(arg, 10));
        old.BackupCount = m_phrases.BackCountEdit->Position();
        return true;
    case RC_getport:
        m_network.PortEdit->setPosition(integerOr(arg, 1026));
        old.tcpPort = m_network.PortEdit->Position();
        return true;
    case RC_getudpport:
        m_network.UDPPortEdit->setPosition(integerOr(arg, 1037));
        old.udpPort = m_network.UDPPortEdit->Position();
        return true;
    case RC_getpass:
        curPass = arg;
        old.Password = curPass;
        if (curPass.isEmpty())
            curPassMode = 0;
        return true;
    case RC_getpassmode: {
        const qint64 mode = integerOr(arg, 1);
        curPassMode = TPassMode(mode >= 0 && mode <= PassModeMax ? mode : 1);
        old.askPassowrd = curPassMode;
        return true;
    }
    case RC_gettcpok:
        TCPOk = integerOr(arg, 1) != 0;
        gotTCPMessage = true;
        return true;
    case RC_setfile: {
        // The answer belongs to the oldest location sent; later typing is not yet the server's.
        const QString sent =
            m_sentLocations.isEmpty() ? m_phrases.LocationEdit->text() : m_sentLocations.takeFirst();
        if (arg.compare(QLatin1String("OK"), Qt::CaseInsensitive) == 0) {
            old.phLocation = sent;
        } else if (arg.compare(QLatin1String("nofile"), Qt::CaseInsensitive) == 0 ||
                   arg.compare(QLatin1String("nonetwork"), Qt::CaseInsensitive) == 0) {
            m_phrases.LocationEdit->setText(old.phLocation);
            const int text = arg.compare(QLatin1String("nofile"), Qt::CaseInsensitive) == 0 ? 615 : 616;
            MessageBox::show(m_host.dialogParent(), MessageBox::Warning, tr_id(617), tr_id(text));
        }
        m_host.setHintStatus(2);
        return true;
    }
    case RC_getlogsize:
    case RC_getdolog:
    case RC_getdobackup:
        return true;
    default:
        return false;
    }
}
