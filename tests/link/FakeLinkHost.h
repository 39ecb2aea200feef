#pragma once

#include "link/LinkHost.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <stdexcept>

// The window side of the link as the tests see it: records what the link
// asks of the window. Like the real refresh, RefreshWindowState may let
// pending events run, which is what makes reply handling nest.
class FakeLinkHost : public LinkHost
{
public:
    QStringList log;
    QStringList dispatched; // "code|argument"
    int refreshCount = 0;
    int clearClientListCount = 0;
    int clearServerLogCount = 0;
    int downloadPageCount = 0;
    int hintStatus = 0;
    int refreshDepth = 0;
    int maxRefreshDepth = 0;
    bool processEventsOnRefresh = false;
    bool reconBtnEnabled = true;
    QList<bool> waitNotice;
    QString serverText = QStringLiteral(".");
    std::function<void()> onRefresh;

    void DoLog(const QString& msg) override { log.append(msg); }
    void RefreshWindowState() override
    {
        ++refreshCount;
        if (onRefresh) {
            onRefresh();
        }
        if (processEventsOnRefresh) {
            ++refreshDepth;
            maxRefreshDepth = std::max(maxRefreshDepth, refreshDepth);
            // A short nested event loop, as a box or a progress notice would run.
            QEventLoop loop;
            QTimer::singleShot(0, &loop, &QEventLoop::quit);
            loop.exec();
            --refreshDepth;
        }
    }
    void ClearClientList() override { ++clearClientListCount; }
    QString serverEditText() const override { return serverText; }
    void setReconBtnEnabled(bool enabled) override { reconBtnEnabled = enabled; }
    void showWaitNotice(bool show) override { waitNotice.append(show); }
    void clearServerLog() override { ++clearServerLogCount; }
    void setHintStatus(int status) override { hintStatus = status; }
    bool dispatchReply(int code, const QString& argument) override
    {
        if (argument == QLatin1String("boom")) {
            throw std::runtime_error("handler failed");
        }
        dispatched.append(QString::number(code) + QLatin1Char('|') + argument);
        return true;
    }
    void openDownloadPage() override { ++downloadPageCount; }
    QWidget* dialogParent() override { return nullptr; }
};
