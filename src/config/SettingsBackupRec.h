#pragma once

#include <QString>
#include <cstdint>

// Phrase-file mode: the item index of the file-mode radio group.
using TNetFileMode = std::uint8_t;
// 0 = no password, 1 = users must enter it manually, 2 = users need not enter it.
using TPassMode = std::uint8_t;

constexpr int NetFileModeMax = 2;
constexpr int PassModeMax = 2;

// The server's settings as last received from or sent to the server; a live
// value that differs from its field counts as edited.
struct SettingsBackupRec
{
    QString phLocation;
    TNetFileMode phMode = 0;
    bool FileUpdateStart = false;
    std::int32_t BackupCount = 10;
    std::int32_t tcpPort = 1026;
    std::int32_t udpPort = 0;
    TPassMode askPassowrd = 0; // the name is spelled so in the design
    QString Password;
    bool doLog = true;
    std::int32_t maxLog = 128;
    bool doStats = true;
};
