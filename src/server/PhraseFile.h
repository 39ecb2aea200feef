#pragma once

#include <QString>

// Decides whether a path can serve as the shared phrase file.
namespace PhraseFile {

enum class Check
{
    Ok,
    NoFile,
    NoNetwork
};

// Network paths (\\host\share, //host/share, URLs) are refused: the file
// must lie on this machine. Otherwise the path must be absolute, free of
// control and wildcard characters, and name an existing regular file or one
// that can be created in an existing folder (it is created empty then).
Check check(const QString& path);

// The keyword the console expects for a check result: OK, nofile, nonetwork.
QString answer(Check result);

// True when the server can write the file now.
bool writable(const QString& path);

} // namespace PhraseFile
