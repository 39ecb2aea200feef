#include "app/AppInfo.h"
#include "app/SingleInstance.h"
#include "app/TSboCMWnd.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Scribolt VodaveDurerir"));
    QApplication::setApplicationVersion(AppInfo::versionString());

    const AppInfo::Switches switches = AppInfo::parseSwitches(QApplication::arguments());
    const QString request = switches.reconnect ? QStringLiteral("reconnect") : QStringLiteral("show");
    if (SingleInstance::sendToRunning(request)) {
        return 0;
    }
    if (switches.reconnect) {
        return 1;  // nothing to ask
    }

    SingleInstance instance;
    instance.listen();
    TSboCMWnd window(QApplication::arguments());
    QObject::connect(&instance, &SingleInstance::showRequested, &window, &TSboCMWnd::showNormallyInFront);
    QObject::connect(&instance, &SingleInstance::reconnectRequested, &window, &TSboCMWnd::ReconnectRequest);
    return app.exec();
}
