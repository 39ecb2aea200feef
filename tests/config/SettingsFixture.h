#pragma once

#include "FakeSettingsHost.h"
#include "config/NetworkGroup.h"
#include "config/PhrasesPage.h"
#include "config/ServerSettings.h"
#include "i18n/FTLanguage.h"
#include "link/ReplyCodes.h"

#include <QDir>
#include <QProcessEnvironment>

// The settings with their real widgets and a fake window, connected to a
// server that has answered the initial query.
struct SettingsFixture
{
    FakeSettingsHost host;
    NetworkGroup network;
    PhrasesPage phrases;
    ServerSettings settings{host, network, phrases};

    static constexpr const char* Location = "/srv/scribolt/team.sbf";

    SettingsFixture()
    {
        settings.loadStartValues();
        reply(RC_getfilemode, QStringLiteral("0"));
        reply(RC_getfile, QLatin1String(Location));
        reply(RC_getbackupcount, QStringLiteral("10"));
        reply(RC_getport, QStringLiteral("1026"));
        reply(RC_getudpport, QStringLiteral("1037"));
        reply(RC_getpass, QString());
        reply(RC_getpassmode, QStringLiteral("0"));
        reply(RC_getfileupdate, QStringLiteral("0"));
        reply(RC_gettcpok, QStringLiteral("1"));
        host.commands.clear();
        host.refreshes = 0;
    }

    bool reply(int code, const QString& arg) { return settings.handleReply(code, arg); }

    // The string table of the project, so that message texts are real texts.
    static void loadStringTable()
    {
        const QString source =
            QProcessEnvironment::systemEnvironment().value(QStringLiteral("SCRIBOLT_SOURCE_DIR"));
        TFTLanguage::instance().setSource(QDir(source).filePath(QStringLiteral("data/cmlang.txt")));
        TFTLanguage::instance().setCurrentLanguage(0);
    }
};
