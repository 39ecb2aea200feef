#include "SimulatedWorkstation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "scribolt-clients: %s\nTry 'scribolt-clients --help'.\n",
                 message.toLocal8Bit().constData());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("scribolt-clients"));
    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral("Simulates Scribolt workstations: opens N real connections to a scribolt-server's\n"
                       "workstation port, named <prefix>1 .. <prefix>N, each reporting growing statistics,\n"
                       "and keeps them open (reconnecting after every loss) until it is killed.\n"
                       "Prints one line per event: \"<name> connected <write> <config> <stats>\",\n"
                       "\"<name> refused <reason>\", \"<name> blocked\", \"<name> rights <w> <c>\", ..."));
    p.addHelpOption();
    const QCommandLineOption count(QStringLiteral("count"),
                                   QStringLiteral("Number of workstations (default 1)."), QStringLiteral("N"),
                                   QStringLiteral("1"));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("The server's workstation TCP port."), QStringLiteral("P"));
    const QCommandLineOption host(QStringLiteral("host"),
                                  QStringLiteral("The server's address (default 127.0.0.1)."),
                                  QStringLiteral("H"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption prefix(QStringLiteral("prefix"), QStringLiteral("Name prefix (default PC)."),
                                    QStringLiteral("NAME"), QStringLiteral("PC"));
    const QCommandLineOption editing(
        QStringLiteral("editing"), QStringLiteral("Name of the one workstation that edits the phrase file."),
        QStringLiteral("NAME"));
    const QCommandLineOption interval(
        QStringLiteral("stats-interval"),
        QStringLiteral("Milliseconds between statistics reports (default 1000; 0: "
                       "one report after connecting only)."),
        QStringLiteral("MS"), QStringLiteral("1000"));
    const QCommandLineOption version(QStringLiteral("client-version"),
                                     QStringLiteral("Version the workstations claim (default 8.0.21)."),
                                     QStringLiteral("V"), QStringLiteral("8.0.21"));
    const QCommandLineOption password(QStringLiteral("password"),
                                      QStringLiteral("Network password to present."), QStringLiteral("PW"));
    const QCommandLineOption reconnect(QStringLiteral("reconnect"),
                                       QStringLiteral("Milliseconds before reconnecting (default 1000)."),
                                       QStringLiteral("MS"), QStringLiteral("1000"));
    p.addOptions({count, port, host, prefix, editing, interval, version, password, reconnect});
    p.process(app);

    bool ok = false;
    const int n = p.value(count).toInt(&ok);
    if (!ok || n < 1 || n > 10000) {
        return fail(QStringLiteral("--count needs a number 1..10000"));
    }
    const int portNumber = p.value(port).toInt(&ok);
    if (!p.isSet(port) || !ok || portNumber < 1 || portNumber > 65535) {
        return fail(QStringLiteral("--port needs the server's workstation port 1..65535"));
    }
    const int statsMs = p.value(interval).toInt(&ok);
    if (!ok || statsMs < 0) {
        return fail(QStringLiteral("--stats-interval needs milliseconds"));
    }
    const int retryMs = p.value(reconnect).toInt(&ok);
    if (!ok || retryMs < 10) {
        return fail(QStringLiteral("--reconnect needs at least 10 milliseconds"));
    }
    for (int i = 1; i <= n; ++i) {
        SimulatedWorkstation::Setup setup;
        setup.name = p.value(prefix) + QString::number(i);
        setup.version = p.value(version);
        setup.password = p.value(password);
        setup.host = p.value(host);
        setup.port = quint16(portNumber);
        setup.editing = setup.name.compare(p.value(editing), Qt::CaseInsensitive) == 0;
        setup.statsIntervalMs = statsMs;
        setup.reconnectMs = retryMs;
        auto* w = new SimulatedWorkstation(setup, &app);
        w->start();
    }
    return QCoreApplication::exec();
}
