#include "server/QuitOnSignal.h"
#include "server/ScriboltServer.h"
#include "server/ServerOptions.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("scribolt-server"));

    ScriboltServer::Options options;
    QString message;
    switch (ServerOptions::parse(QCoreApplication::arguments(), &options, &message)) {
    case ServerOptions::Outcome::Exit:
        std::fputs(message.toLocal8Bit().constData(), stdout);
        return 0;
    case ServerOptions::Outcome::Error:
        std::fprintf(stderr, "scribolt-server: %s\nTry 'scribolt-server --help'.\n",
                     message.toLocal8Bit().constData());
        return 2;
    case ServerOptions::Outcome::Run:
        break;
    }

    ScriboltServer server(options);
    QString error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "scribolt-server: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    QuitOnSignal quit;
    return QCoreApplication::exec();
}
