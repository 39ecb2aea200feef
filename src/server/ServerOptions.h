#pragma once

#include "server/ScriboltServer.h"

#include <QStringList>

// The command line of scribolt-server.
namespace ServerOptions {

enum class Outcome
{
    Run,
    Exit,
    Error
};

// Fills options from arguments (argv as strings). Exit: --help or --version
// was printed; Error: message holds what is wrong.
Outcome parse(const QStringList& arguments, ScriboltServer::Options* options, QString* message);

} // namespace ServerOptions
