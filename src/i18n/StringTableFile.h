#pragma once

#include <QHash>
#include <QString>

// Reads a string table file: UTF-8, one "<id>=<text>" a line, empty lines and
// lines starting with "#" ignored. Texts are cut to MaxLength characters and
// a line of any length is read without holding more than one chunk of it.
class StringTableFile
{
public:
    static constexpr int MaxLength = 1024;

    enum Status
    {
        Ok,
        NotFound
    };

    // Reads path into strings (emptied first). NotFound when the file cannot
    // be opened as a regular readable file.
    static Status read(const QString& path, QHash<int, QString>& strings);

    // One line without its line end; false for comments and lines that hold no string.
    static bool parseLine(const QString& line, int& id, QString& text);
};
