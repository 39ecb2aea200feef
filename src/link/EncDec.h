#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <stdexcept>

// The envelope every command and reply line travels in: base64, XOR with a
// fixed key plus a length marker, base64 again, in double quotes.
namespace EncDec {

// The key both ends use, in both directions.
inline const QString& Key()
{
    static const QString key = QStringLiteral("#48Qwpvk]zeoaruh&7");
    return key;
}

// Raised by UnsealStr for text that is not a sealed line.
class EnvelopeError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Text <-> bytes in Windows-1252, the code page both ends use.
QByteArray toAnsi(QStringView text);
QString fromAnsi(QByteArrayView bytes);

// Base64 of the text's Windows-1252 bytes, CR LF after every 76 characters.
QString EncodeBase64Str(const QString& text);
// Ignores every character outside the alphabet and "="; never fails. A last
// group of two or three characters decodes as if padded with "="; a single
// leftover character is dropped.
QString DecodeBase64Str(const QString& text);

QString SealStr(const QString& text, const QString& key);
// Throws EnvelopeError (bad marker, bad length digits, length past the end).
QString UnsealStr(const QString& sealed, const QString& key);

// One outgoing console line: "\"" + base64(SealStr(line)) + "\"\n" as text.
QString frameLineText(const QString& line);
// The same as UTF-16LE code units plus one NUL unit: the bytes of one write.
QByteArray frameLine(const QString& line);

// The text of one console write as the server reads it: UTF-16LE code units
// up to the first NUL unit (or the end; an odd last byte is ignored).
QString fromUtf16Le(QByteArrayView bytes);

// One line the server sends: the same framing as 8-bit text.
QByteArray frameReply(const QString& line);

// Splits text that holds only complete lines into quoted items. The text ends
// at its first NUL.
QStringList splitItems(QStringView text);

// DecodeBase64Str then UnsealStr; throws EnvelopeError.
QString openItem(const QString& item);

} // namespace EncDec
