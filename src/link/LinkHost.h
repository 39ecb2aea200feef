#pragma once

#include <QString>

class QWidget;

// What the server link needs from the main window. Every call comes on the
// GUI thread.
class LinkHost
{
public:
    virtual ~LinkHost() = default;

    virtual void DoLog(const QString& msg) = 0;
    virtual void RefreshWindowState() = 0;
    virtual void ClearClientList() = 0;
    // The server location as typed in the server field.
    virtual QString serverEditText() const = 0;
    virtual void setReconBtnEnabled(bool enabled) = 0;
    // The "trying to connect" notice; when shown it must get the chance to paint.
    virtual void showWaitNotice(bool show) = 0;
    virtual void clearServerLog() = 0;
    virtual void setHintStatus(int status) = 0;
    // Applies a reply the link does not handle itself; returns whether the
    // window state should be refreshed afterwards.
    virtual bool dispatchReply(int code, const QString& argument) = 0;
    virtual void openDownloadPage() = 0;
    virtual QWidget* dialogParent() = 0;
};
