#pragma once

#include <QString>

// Everything the administrator can set, as the server keeps it in
// settings.json in its state folder.
struct ServerSettings
{
    QString phraseFile;
    int fileMode = 0; // 0..2
    bool fileUpdateStart = false;
    int backupCount = 10;
    bool doBackup = true;
    int tcpPort = 1026;
    int udpPort = 1037;
    QString password;
    int passMode = 0; // 0 none, 1 typed by users, 2 not typed
    bool doStats = true;
    bool defWrite = true;
    bool defConfig = true;
    bool doLog = true;
    int logSizeKiB = 128;

    // Reads path; a missing file gives the defaults. A file that does not
    // read is moved aside (its name gets ".corrupt") so nothing is lost, and
    // the defaults are used; *error then says what happened.
    static ServerSettings load(const QString& path, QString* error);
    bool save(const QString& path, QString* error) const;

    bool operator==(const ServerSettings&) const = default;
};
