#pragma once

#include <QString>

// Where the server's endpoint is for a server location as the administrator
// typed it: this computer ("." , its own name or "localhost") is reached over
// the per-user Unix socket, any other location over TCP.
struct PipeLocation
{
    enum Kind
    {
        LocalSocket,
        Tcp
    };

    Kind kind = LocalSocket;
    QString socketPath; // LocalSocket only
    QString host;       // Tcp only
    quint16 port = 0;   // Tcp only

    static constexpr quint16 DefaultAdminPort = 41026;

    static PipeLocation fromServer(const QString& location);

    // $SCRIBOLT_PIPE_DIR, else $XDG_RUNTIME_DIR/scribolt, else /tmp/scribolt-<uid>.
    static QString localPipeDir();
    static QString localSocketPath();
    // True for ".", "localhost" and this computer's name, case ignored.
    static bool isThisComputer(const QString& location);

    // This computer's network name as the console shows it: the host name up
    // to its first dot, at most 15 characters (the length of a Windows
    // computer name).
    static QString localComputerName();
    // "\\MAIN" -> "MAIN".
    static QString StripBackslashes(QString text);
};
