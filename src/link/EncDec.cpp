#include "EncDec.h"

#include <QVarLengthArray>
#include <algorithm>
#include <array>

namespace EncDec {

namespace {

// Windows-1252 0x80-0x9F; the five bytes the code page leaves undefined keep
// their own code points so that every byte survives a round trip.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const char16_t* units(const QString& s)
{
    return reinterpret_cast<const char16_t*>(s.constData());
}

constexpr char16_t ansiToUnicode(uchar b)
{
    return (b >= 0x80 && b < 0xA0) ? kHighTable[b - 0x80] : char16_t(b);
}

char unicodeToAnsi(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i) {
        if (kHighTable[i] == c)
            return char(0x80 + i);
    }
    return '?';
}

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kSkip = -1;
constexpr int kPad = 64;

// Value of a character below 256: 0-63 for the alphabet, kPad for "=",
// kSkip otherwise.
constexpr std::array<signed char, 256> makeDecodeTable()
{
    std::array<signed char, 256> t{};
    for (auto& v : t)
        v = kSkip;
    for (int i = 0; i < 64; ++i)
        t[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
    t['='] = kPad;
    return t;
}
constexpr std::array<signed char, 256> kDecode = makeDecodeTable();

inline int valueOf(uchar c)
{
    return kDecode[c];
}

inline int valueOf(char16_t c)
{
    return c < 128 ? kDecode[c] : kSkip;
}

// Decodes groups of four values; "=" in the third or fourth place shortens
// the group. A tail of two or three values decodes as if it were padded with
// "="; a single value is dropped, since six bits do not make a byte.
constexpr qsizetype decodedCapacity(qsizetype n)
{
    return n / 4 * 3 + 3;
}

// Writes at most decodedCapacity(n) bytes to out; returns the count.
template <typename Unit> qsizetype decodeBase64(const Unit* p, qsizetype n, char* out)
{
    char* o = out;
    int q[4];
    int k = 0;
    auto emitGroup = [&o, &q]() {
        const int a = q[0] == kPad ? 0 : q[0];
        const int b = q[1] == kPad ? 0 : q[1];
        const int c = q[2] == kPad ? 0 : q[2];
        const int d = q[3] == kPad ? 0 : q[3];
        const unsigned bits = unsigned(a) << 18 | unsigned(b) << 12 | unsigned(c) << 6 | unsigned(d);
        *o++ = char(bits >> 16);
        if (q[2] == kPad)
            return;
        *o++ = char(bits >> 8);
        if (q[3] == kPad)
            return;
        *o++ = char(bits);
    };
    qsizetype i = 0;
    while (i < n) {
        if (k == 0) {
            // whole groups of plain alphabet characters, the usual case
            while (i + 4 <= n) {
                const int a = valueOf(p[i]), b = valueOf(p[i + 1]), c = valueOf(p[i + 2]),
                          d = valueOf(p[i + 3]);
                if (unsigned(a | b | c | d) > 63u)
                    break;
                const unsigned bits = unsigned(a) << 18 | unsigned(b) << 12 | unsigned(c) << 6 | unsigned(d);
                o[0] = char(bits >> 16);
                o[1] = char(bits >> 8);
                o[2] = char(bits);
                o += 3;
                i += 4;
            }
            if (i >= n)
                break;
        }
        const int v = valueOf(p[i++]);
        if (v == kSkip)
            continue;
        q[k++] = v;
        if (k == 4) {
            emitGroup();
            k = 0;
        }
    }
    if (k >= 2) {
        for (; k < 4; ++k)
            q[k] = kPad;
        emitGroup();
    }
    return o - out;
}

QByteArray decodeUnits(QStringView text)
{
    QByteArray out(decodedCapacity(text.size()), Qt::Uninitialized);
    out.truncate(decodeBase64(text.utf16(), text.size(), out.data()));
    return out;
}

// Base64 with a CR LF after every 76 characters.
QString encodeBytes(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype n = bytes.size();
    const qsizetype groups = (n + 2) / 3;
    QString out(groups * 4 + groups / 19 * 2, Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    int lineCount = 0;
    for (qsizetype i = 0; i < n; i += 3) {
        const qsizetype left = n - i;
        const unsigned bits = unsigned(p[i]) << 16 | (left > 1 ? unsigned(p[i + 1]) << 8 : 0u) |
                              (left > 2 ? unsigned(p[i + 2]) : 0u);
        *o++ = char16_t(kAlphabet[bits >> 18 & 63]);
        *o++ = char16_t(kAlphabet[bits >> 12 & 63]);
        *o++ = left > 1 ? char16_t(kAlphabet[bits >> 6 & 63]) : u'=';
        *o++ = left > 2 ? char16_t(kAlphabet[bits & 63]) : u'=';
        lineCount += 4;
        if (lineCount > 75) {
            *o++ = u'\r';
            *o++ = u'\n';
            lineCount = 0;
        }
    }
    return out;
}

struct Marker
{
    qsizetype bodyLength; // characters before the digits
    qsizetype length;     // the stated length n
};

// Reads the length digits and the marker at the end of a sealed text of size
// t; charAt(i) gives the 16-bit code of character i.
template <typename CharAt> Marker readMarker(qsizetype t, CharAt charAt)
{
    const unsigned d = charAt(t - 1);
    if (d > 255)
        throw EnvelopeError("Sealed text: length marker above 255");
    if (d == 0 || qsizetype(d) > t - 1)
        throw EnvelopeError("Sealed text: no length digits");
    const qsizetype body = t - 1 - qsizetype(d);
    qsizetype n = 0;
    for (qsizetype i = body; i < t - 1; ++i) {
        const unsigned c = charAt(i);
        if (c < '0' || c > '9')
            throw EnvelopeError("Sealed text: length digits are not a number");
        n = n * 10 + qsizetype(c - '0');
        if (n > body)
            throw EnvelopeError("Sealed text: length runs past the end");
    }
    return {body, n};
}

} // namespace

QByteArray toAnsi(QStringView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char* o = out.data();
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(p[i + 1]))
            ++i; // one character, one substitute
        *o++ = unicodeToAnsi(c);
    }
    out.truncate(o - out.constData());
    return out;
}

QString fromAnsi(QByteArrayView bytes)
{
    QString out = QString::fromLatin1(bytes);
    const auto* p = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype n = bytes.size();
    // Latin-1 is right for everything but 0x80-0x9F; find those first.
    uchar special = 0;
    for (qsizetype i = 0; i < n; ++i)
        special |= uchar(uchar(p[i] - 0x80) < 0x20);
    if (special) {
        char16_t* o = reinterpret_cast<char16_t*>(out.data());
        for (qsizetype i = 0; i < n; ++i) {
            if (uchar(p[i] - 0x80) < 0x20)
                o[i] = kHighTable[p[i] - 0x80];
        }
    }
    return out;
}

QString EncodeBase64Str(const QString& text)
{
    return encodeBytes(toAnsi(text));
}

QString DecodeBase64Str(const QString& text)
{
    return fromAnsi(decodeUnits(text));
}

QString SealStr(const QString& text, const QString& key)
{
    if (text.isEmpty() || key.isEmpty())
        return QString();
    const QString s = EncodeBase64Str(text);
    const qsizetype l = s.size();
    const qsizetype k = key.size();
    const QString digits = QString::number(l);
    QString out(std::max(l, k) + digits.size() + 1, Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    const char16_t* sp = units(s);
    const char16_t* kp = units(key);
    if (l > k) {
        for (qsizetype i = 0; i < l; ++i)
            *o++ = sp[i] ^ kp[i % k];
    } else {
        for (qsizetype i = 0; i < k; ++i)
            *o++ = (i < l ? sp[i] : sp[0]) ^ kp[i];
    }
    for (QChar c : digits)
        *o++ = c.unicode();
    *o++ = char16_t(digits.size());
    return out;
}

QString UnsealStr(const QString& sealed, const QString& key)
{
    if (sealed.isEmpty() || key.isEmpty())
        return QString();
    const char16_t* sp = units(sealed);
    const Marker m = readMarker(sealed.size(), [sp](qsizetype i) { return unsigned(sp[i]); });
    const qsizetype k = key.size();
    QString inner(m.length, Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(inner.data());
    const char16_t* kp = units(key);
    for (qsizetype i = 0; i < m.length; ++i)
        o[i] = sp[i] ^ kp[i % k];
    return DecodeBase64Str(inner);
}

QString openItem(const QString& item)
{
    // The byte form of DecodeBase64Str + UnsealStr: the key is 7-bit, so a body
    // byte of 0x80 or above stays so after the XOR and is skipped as before.
    static const QByteArray keyBytes = Key().toLatin1();
    QVarLengthArray<char, 1024> sealed(decodedCapacity(item.size()));
    sealed.resize(decodeBase64(units(item), item.size(), sealed.data()));
    if (sealed.isEmpty())
        return QString();
    auto* sp = reinterpret_cast<uchar*>(sealed.data());
    const Marker m = readMarker(sealed.size(), [sp](qsizetype i) { return unsigned(ansiToUnicode(sp[i])); });
    const auto* kp = reinterpret_cast<const uchar*>(keyBytes.constData());
    const qsizetype k = keyBytes.size();
    for (qsizetype base = 0; base < m.length; base += k) {
        const qsizetype end = std::min(m.length, base + k);
        for (qsizetype i = base; i < end; ++i)
            sp[i] ^= kp[i - base];
    }
    QVarLengthArray<char, 1024> text(decodedCapacity(m.length));
    text.resize(decodeBase64(sp, m.length, text.data()));
    return fromAnsi(QByteArrayView(text.constData(), text.size()));
}

} // namespace EncDec
