#pragma once

#include "monitor/MonitorHost.h"

#include <QStringList>
#include <QWidget>

// Records what the monitor asks of the window.
class FakeMonitorHost : public MonitorHost
{
public:
    void SendCommand(const QString& cmd) override { commands << cmd; }
    void RefreshWindowState() override { ++refreshes; }
    void UpdateClientCountLabel() override { ++countLabelUpdates; }
    void UpdateFileStatus() override { ++fileStatusUpdates; }
    void SetTotalsText(const QString& text) override { totals = text; }
    void DoLog(const QString& msg) override { log << msg; }
    bool isConnected() const override { return connected; }
    void onDoStatsSet(bool on) override { doStatsSettings << on; }
    QWidget* dialogParent() override { return nullptr; }

    QStringList commands;
    QStringList log;
    QList<bool> doStatsSettings;
    QString totals;
    int refreshes = 0;
    int countLabelUpdates = 0;
    int fileStatusUpdates = 0;
    bool connected = true;
};

#include "i18n/FTLanguage.h"

#include <QtTest>

// The English string table from the source tree, so message texts are real.
inline void loadStringTable()
{
    TFTLanguage::instance().setSource(qEnvironmentVariable("SCRIBOLT_SOURCE_DIR") +
                                      QStringLiteral("/data/cmlang.txt"));
    QCOMPARE(tr_id(40), QStringLiteral("Connected"));
}
