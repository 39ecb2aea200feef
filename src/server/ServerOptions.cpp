#include "server/ServerOptions.h"

#include "server/Version.h"

#include <QCommandLineParser>
#include <QDir>

namespace {

const char* const Description =
    "The Scribolt server service: keeps the shared phrase file's settings and the list of\n"
    "workstations, serves the workstations on its TCP port and the administrator's consoles\n"
    "on the local socket <dir>/ScriboltPipe, where <dir> is $SCRIBOLT_PIPE_DIR, else\n"
    "$XDG_RUNTIME_DIR/scribolt, else /tmp/scribolt-<uid>.\n"
    "Settings (settings.json), the workstation list (clients.json) and the log (server.log)\n"
    "live in the state folder; every change is saved at once.";

bool readPort(const QString& text, int min, int* out)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < min || v > 65535) {
        return false;
    }
    *out = v;
    return true;
}

QString defaultStateDir()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty()) {
        base = QDir::homePath() + QStringLiteral("/.local/state");
    }
    return base + QStringLiteral("/scribolt-server");
}

} // namespace

ServerOptions::Outcome ServerOptions::parse(const QStringList& arguments, ScriboltServer::Options* options,
                                            QString* message)
{
    QCommandLineParser p;
    p.setApplicationDescription(QString::fromLatin1(Description));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the server's version and exit."));
    const QCommandLineOption stateDir(
        QStringLiteral("state-dir"),
        QStringLiteral("Folder for settings, workstation list and log (default: %1).").arg(defaultStateDir()),
        QStringLiteral("DIR"));
    const QCommandLineOption tcpPort(
        QStringLiteral("tcp-port"),
        QStringLiteral("Workstation TCP port for this run, stored as the setting "
                       "(0: any free port; default: the stored setting, first 1026)."),
        QStringLiteral("P"));
    const QCommandLineOption udpPort(
        QStringLiteral("udp-port"),
        QStringLiteral("UDP discovery port for this run, stored as the setting "
                       "(0: any free port; default: the stored setting, first 1037)."),
        QStringLiteral("P"));
    const QCommandLineOption logFile(
        QStringLiteral("log-file"),
        QStringLiteral("The server's log file (default: <state-dir>/server.log)."), QStringLiteral("F"));
    const QCommandLineOption adminTcp(
        QStringLiteral("admin-tcp"),
        QStringLiteral("Also accept consoles over TCP on this port (0: any free port)."),
        QStringLiteral("PORT"));
    const QCommandLineOption adminBind(QStringLiteral("admin-bind"),
                                       QStringLiteral("Address for --admin-tcp (default: 127.0.0.1)."),
                                       QStringLiteral("ADDR"));
    const QCommandLineOption maxLine(
        QStringLiteral("max-line"),
        QStringLiteral("Longest console line in bytes; a console that sends a longer "
                       "one is dropped (default: 1048576)."),
        QStringLiteral("BYTES"));
    const QCommandLineOption maxQueue(
        QStringLiteral("max-queue"),
        QStringLiteral("Most reply bytes a console may leave unread before it is "
                       "dropped (default: 16777216)."),
        QStringLiteral("BYTES"));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Copy every log line to stderr."));
    p.addOptions({help, version, stateDir, tcpPort, udpPort, logFile, adminTcp, adminBind, maxLine, maxQueue,
                  verbose});

    if (!p.parse(arguments)) {
        *message = p.errorText();
        return Outcome::Error;
    }
    if (p.isSet(help)) {
        *message = p.helpText();
        return Outcome::Exit;
    }
    if (p.isSet(version)) {
        *message = QStringLiteral("scribolt-server %1\n").arg(Version::own());
        return Outcome::Exit;
    }
    if (!p.positionalArguments().isEmpty()) {
        *message = QStringLiteral("unexpected argument: %1").arg(p.positionalArguments().first());
        return Outcome::Error;
    }
    options->stateDir = QDir(p.isSet(stateDir) ? p.value(stateDir) : defaultStateDir()).absolutePath();
    options->logFile = p.value(logFile);
    options->echoLog = p.isSet(verbose);
    const struct
    {
        const QCommandLineOption& option;
        int* target;
    } ports[] = {
        {tcpPort, &options->tcpPort}, {udpPort, &options->udpPort}, {adminTcp, &options->adminTcpPort}};
    for (const auto& port : ports) {
        if (p.isSet(port.option) && !readPort(p.value(port.option), 0, port.target)) {
            *message = QStringLiteral("--%1 needs a port number 0..65535").arg(port.option.names().first());
            return Outcome::Error;
        }
    }
    if (p.isSet(adminBind) && !options->adminAddress.setAddress(p.value(adminBind))) {
        *message = QStringLiteral("--admin-bind needs an IP address");
        return Outcome::Error;
    }
    const struct
    {
        const QCommandLineOption& option;
        qsizetype* target;
    } sizes[] = {{maxLine, &options->limits.maxLine}, {maxQueue, &options->limits.maxQueue}};
    for (const auto& size : sizes) {
        if (p.isSet(size.option)) {
            bool ok = false;
            const qlonglong v = p.value(size.option).toLongLong(&ok);
            if (!ok || v < 1024) {
                *message = QStringLiteral("--%1 needs a byte count of at least 1024")
                               .arg(size.option.names().first());
                return Outcome::Error;
            }
            *size.target = qsizetype(v);
        }
    }
    return Outcome::Run;
}
