#pragma once

#include "ClientRec.h"

#include <QLocale>
#include <QString>
#include <optional>

// Readers of the client replies and the values derived from records. All pure.
namespace ClientParsing {

// The "cladd" argument: an address alone, or the nine ";"-ended fields.
ClientRec parseClAdd(const QString& arg);

struct BlockReply
{
    QString comp;
    bool flag = true;
};
// "block": name, optionally ";" and a flag. Throws std::runtime_error for a
// flag that is neither a number nor true/false.
BlockReply parseBlock(const QString& arg);
// The boolean reading used by "block"; throws like parseBlock.
bool parseBoolText(const QString& text);

struct StatsReply
{
    QString comp;
    QString seconds;
    QString money;
};
// "stats": nothing when the argument holds no ";".
std::optional<StatsReply> parseStats(const QString& arg);

struct FileStats
{
    bool readOnly = false;
    QString editingBy;
};
FileStats parseFileStats(const QString& arg);

// A decimal integer, or the fallback when the text is not one.
qint64 intOr(const QString& text, qint64 fallback);
// A flag reply ("getdefwrite" and the like): on when the integer's lowest
// 8 bits are not all 0; text that is not an integer counts as 1.
bool byteFlag(const QString& text);

QString SecondsToText(qint64 seconds);

// One record's money text as a number: every non-digit counts as the local
// decimal separator, so the text reads only with at most one of them and at
// least one digit (the value is then the same in every number format).
std::optional<double> moneyValue(const QString& text);
// Shortest general form, at most 15 significant digits, no group separators.
QString moneyText(long double sum, const QLocale& locale);

} // namespace ClientParsing
