#include "link/PipeLocation.h"

#include <QSysInfo>
#include <unistd.h>

namespace {

quint16 adminPort()
{
    bool ok = false;
    const uint port = qEnvironmentVariable("SCRIBOLT_ADMIN_PORT").trimmed().toUInt(&ok);
    return ok && port > 0 && port <= 65535 ? quint16(port) : PipeLocation::DefaultAdminPort;
}

} // namespace

QString PipeLocation::localPipeDir()
{
    const QString pipeDir = qEnvironmentVariable("SCRIBOLT_PIPE_DIR");
    if (!pipeDir.isEmpty()) {
        return pipeDir;
    }
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtimeDir.isEmpty()) {
        return runtimeDir + QStringLiteral("/scribolt");
    }
    return QStringLiteral("/tmp/scribolt-%1").arg(::getuid());
}

QString PipeLocation::localSocketPath()
{
    return localPipeDir() + QStringLiteral("/ScriboltPipe");
}

bool PipeLocation::isThisComputer(const QString& location)
{
    const QString name = StripBackslashes(location);
    return name == QLatin1String(".") || name.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 ||
           name.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) == 0 ||
           name.compare(localComputerName(), Qt::CaseInsensitive) == 0;
}

QString PipeLocation::localComputerName()
{
    return QSysInfo::machineHostName().section(QLatin1Char('.'), 0, 0).left(15);
}

QString PipeLocation::StripBackslashes(QString text)
{
    return text.remove(QLatin1Char('\\'));
}

PipeLocation PipeLocation::fromServer(const QString& location)
{
    PipeLocation result;
    if (isThisComputer(location)) {
        result.kind = LocalSocket;
        result.socketPath = localSocketPath();
        return result;
    }
    // "\\MAIN" names the same computer as "MAIN", as it does in a pipe name.
    result.kind = Tcp;
    result.host = PipeLocation::StripBackslashes(location);
    result.port = adminPort();
    return result;
}
