#include "link/EncDec.h"

#include <QtTest>

using namespace EncDec;

namespace {

QString seal(const QString& text)
{
    return SealStr(text, Key());
}

QString unseal(const QString& sealed)
{
    return UnsealStr(sealed, Key());
}

QString withoutBreaks(QString text)
{
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

// Opens every item of a text the way the reply reader does.
QStringList openAll(QStringView text)
{
    QStringList lines;
    for (const QString& item : splitItems(text))
        lines << openItem(item);
    return lines;
}

} // namespace

class TestEncDec : public QObject
{
    Q_OBJECT

private slots:
    void ansiMapping_data();
    void ansiMapping();
    void ansiEveryByteRoundTrips();

    void sizes_data();
    void sizes();
    void getportFraming();
    void encodeMatchesPlainBase64WithBreaksEvery76();

    void decode_data();
    void decode();

    void roundTrip_data();
    void roundTrip();
    void nulBodyCharacterSurvives();

    void items_data();
    void items();
    void mangledFramingOpens_data();
    void mangledFramingOpens();

    void unsealErrors_data();
    void unsealErrors();
    void unsealEdges();
};

void TestEncDec::ansiMapping_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("reversible");

    QTest::newRow("ascii") << QStringLiteral("getport:1030") << QByteArray("getport:1030") << true;
    QTest::newRow("latin-1 e acute") << QStringLiteral("\u00e9") << QByteArray("\xe9") << true;
    QTest::newRow("euro") << QStringLiteral("\u20ac") << QByteArray("\x80") << true;
    QTest::newRow("per mille") << QStringLiteral("\u2030") << QByteArray("\x89") << true;
    QTest::newRow("Y diaeresis 0x9F") << QStringLiteral("\u0178") << QByteArray("\x9f") << true;
    QTest::newRow("undefined 0x81") << QStringLiteral("\u0081") << QByteArray("\x81") << true;
    QTest::newRow("undefined 0x9D") << QStringLiteral("\u009d") << QByteArray("\x9d") << true;
    QTest::newRow("U+0080 is not the euro byte") << QStringLiteral("\u0080") << QByteArray("?") << false;
    QTest::newRow("CJK unmappable") << QStringLiteral("a\u65e5b") << QByteArray("a?b") << false;
    QTest::newRow("surrogate pair is one character")
        << QStringLiteral("x\U0001F600y") << QByteArray("x?y") << false;
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?") << false;
    QTest::newRow("NUL kept") << QString(QChar(0)) + QStringLiteral("a") << QByteArray("\0a", 2) << true;
}

void TestEncDec::ansiMapping()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, reversible);
    QCOMPARE(toAnsi(text), bytes);
    if (reversible)
        QCOMPARE(fromAnsi(bytes), text);
}

void TestEncDec::ansiEveryByteRoundTrips()
{
    QByteArray all(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString text = fromAnsi(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(toAnsi(text), all);
}

void TestEncDec::sizes_data()
{
    QTest::addColumn<int>("textLength");
    QTest::addColumn<int>("innerLength");
    QTest::addColumn<int>("sealedLength");
    QTest::addColumn<bool>("breakAtEnd");

    // inner length L, body max(L, 18), digits of L, marker
    QTest::newRow("1 byte") << 1 << 4 << 18 + 1 + 1 << false;
    QTest::newRow("12 bytes") << 12 << 16 << 18 + 2 + 1 << false;
    QTest::newRow("13 bytes") << 13 << 20 << 20 + 2 + 1 << false;
    QTest::newRow("54 bytes, no break") << 54 << 72 << 72 + 2 + 1 << false;
    QTest::newRow("55 bytes") << 55 << 78 << 78 + 2 + 1 << true;
    QTest::newRow("56 bytes") << 56 << 78 << 78 + 2 + 1 << true;
    QTest::newRow("57 bytes") << 57 << 78 << 78 + 2 + 1 << true;
    QTest::newRow("58 bytes") << 58 << 82 << 82 + 2 + 1 << false;
    QTest::newRow("114 bytes, two full lines") << 114 << 156 << 156 + 3 + 1 << true;
}

void TestEncDec::sizes()
{
    QFETCH(int, textLength);
    QFETCH(int, innerLength);
    QFETCH(int, sealedLength);
    QFETCH(bool, breakAtEnd);

    const QString text(textLength, u'x');
    const QString inner = EncodeBase64Str(text);
    QCOMPARE(inner.size(), innerLength);
    QCOMPARE(inner.endsWith(u"\r\n"), breakAtEnd);

    const QString sealed = seal(text);
    QCOMPARE(sealed.size(), sealedLength);
    const QString digits = QString::number(innerLength);
    QCOMPARE(sealed.last(1).at(0).unicode(), digits.size());
    QCOMPARE(sealed.chopped(1).right(digits.size()), digits);
    QCOMPARE(unseal(sealed), text);
}

void TestEncDec::getportFraming()
{
    QCOMPARE(EncodeBase64Str(QStringLiteral("getport")), QStringLiteral("Z2V0cG9ydA=="));
    const QString sealed = seal(QStringLiteral("getport"));
    QCOMPARE(sealed.size(), 21);
    QCOMPARE(sealed.mid(18), QStringLiteral("12") + QChar(2));
    QCOMPARE(EncodeBase64Str(sealed).size(), 28);

    const QString framed = frameLineText(QStringLiteral("getport"));
    QCOMPARE(framed.size(), 31);
    QVERIFY(framed.startsWith(u'"'));
    QVERIFY(framed.endsWith(u"\"\n"));

    const QByteArray wire = frameLine(QStringLiteral("getport"));
    QCOMPARE(wire.size(), 64);
    QCOMPARE(wire.at(0), '"');
    QCOMPARE(wire.at(1), '\0');
    QCOMPARE(wire.right(4), QByteArray("\n\0\0\0", 4));

    QCOMPARE(frameReply(QStringLiteral("getport")), framed.toLatin1());

    // An empty line still goes out as two quotes and LF.
    QCOMPARE(frameLineText(QString()), QStringLiteral("\"\"\n"));
    QCOMPARE(openAll(frameLineText(QString())), QStringList{QString()});
}

void TestEncDec::encodeMatchesPlainBase64WithBreaksEvery76()
{
    for (int n = 0; n <= 240; ++n) {
        QByteArray bytes(n, Qt::Uninitialized);
        for (int i = 0; i < n; ++i)
            bytes[i] = char((i * 37 + n) & 0xFF);
        const QString encoded = EncodeBase64Str(fromAnsi(bytes));
        QCOMPARE(withoutBreaks(encoded), QString::fromLatin1(bytes.toBase64()));
        const QStringList lines = encoded.split(QStringLiteral("\r\n"));
        for (int i = 0; i + 1 < lines.size(); ++i)
            QCOMPARE(lines[i].size(), 76);
        QVERIFY(lines.last().size() < 76);
        QCOMPARE(DecodeBase64Str(encoded), fromAnsi(bytes));
    }
}

void TestEncDec::decode_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << QStringLiteral("YWJj") << QStringLiteral("abc");
    QTest::newRow("padding 1") << QStringLiteral("YWI=") << QStringLiteral("ab");
    QTest::newRow("padding 2") << QStringLiteral("YQ==") << QStringLiteral("a");
    QTest::newRow("stray characters") << QStringLiteral(" Y*W\r\nJ-j\u00e9\u20ac") << QStringLiteral("abc");
    QTest::newRow("= in third place shortens") << QStringLiteral("YW=j") << QStringLiteral("a");
    QTest::newRow("padded groups in a row") << QStringLiteral("YQ==YQ==") << QStringLiteral("aa");
    QTest::newRow("tail of 3") << QStringLiteral("YWJjYWI") << QStringLiteral("abcab");
    QTest::newRow("tail of 2") << QStringLiteral("YWJjYQ") << QStringLiteral("abca");
    QTest::newRow("tail of 1 dropped") << QStringLiteral("YWJjY") << QStringLiteral("abc");
    QTest::newRow("nothing usable") << QStringLiteral("!!\r\n") << QString();
    QTest::newRow("high bytes read as 1252") << QStringLiteral("gIk=") << QStringLiteral("\u20ac\u2030");
}

void TestEncDec::decode()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(DecodeBase64Str(input), expected);
}

void TestEncDec::roundTrip_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("one char") << QStringLiteral("a");
    QTest::newRow("getport") << QStringLiteral("getport");
    QTest::newRow("12 chars, inner 16") << QStringLiteral("clcount:1234");
    QTest::newRow("13 chars, inner 20") << QStringLiteral("clcount:12345");
    QTest::newRow("1252 short") << QStringLiteral("\u00e9\u20ac\u2030");
    QTest::newRow("1252 around 18") << QStringLiteral("setfile:C:\\\u00e9t\u00e9\u20ac\u2030.txt");
    QTest::newRow("keyword with colons") << QStringLiteral("getfile:C:\\Data\\phrases:x");
    QTest::newRow("NUL in text") << QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    QTest::newRow("long with breaks")
        << QStringLiteral("addlog:") +
               QStringLiteral("Gr\u00fc\u00dfe \u201ezitiert\u201c \u2026 ").repeated(40);
    QTest::newRow("control characters") << QStringLiteral("\t\x01\x1f\x7f end");
}

void TestEncDec::roundTrip()
{
    QFETCH(QString, text);
    QCOMPARE(unseal(seal(text)), text);
    QCOMPARE(openItem(EncodeBase64Str(seal(text))), text);

    // Console to server: UTF-16LE plus a NUL unit, read back as the server does.
    const QByteArray toServer = frameLine(text);
    QCOMPARE(toServer.size(), 2 * (frameLineText(text).size() + 1));
    QCOMPARE(openAll(fromUtf16Le(toServer)), QStringList{text});
    // Server to console: 8-bit, read back as the console does.
    QCOMPARE(openAll(fromAnsi(frameReply(text))), QStringList{text});
}

void TestEncDec::nulBodyCharacterSurvives()
{
    // "getpass:0" XORs into a NUL at body position 9 ('z' with 'z').
    const QString text = QStringLiteral("getpass:0");
    const QString sealed = seal(text);
    QCOMPARE(sealed.indexOf(QChar(0)), 9);
    QCOMPARE(frameLineText(text), QStringLiteral("\"eQZuYRQ3MBE+AAoYOygvMnxtMTIC\"\n"));
    QCOMPARE(openAll(fromUtf16Le(frameLine(text))), QStringList{text});
    QCOMPARE(openAll(fromAnsi(frameReply(text))), QStringList{text});
}

void TestEncDec::items_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("one line") << QStringLiteral("\"abc\"\n") << QStringList{"abc"};
    QTest::newRow("blanks around") << QStringLiteral("  \"abc\" \r\n") << QStringList{"abc"};
    QTest::newRow("two lines") << QStringLiteral("\"a\"\n\"b\"\r\n") << QStringList{"a", "b"};
    QTest::newRow("doubled quote") << QStringLiteral("\"a\"\"b\"\n") << QStringList{"a\"b"};
    QTest::newRow("doubled quote at the end")
        << QStringLiteral("\"a\"\"\"\n\"c\"\n") << QStringList{"a\"", "c"};
    QTest::newRow("missing closing quote") << QStringLiteral("\"abc\n") << QStringList{"abc\n"};
    QTest::newRow("empty quoted") << QStringLiteral("\"\"\n") << QStringList{""};
    QTest::newRow("unquoted words") << QStringLiteral("ab cd\n") << QStringList{"ab", "cd"};
    QTest::newRow("text right after a quote") << QStringLiteral("\"a\"b\n") << QStringList{"a", "b"};
    QTest::newRow("control characters skipped") << QStringLiteral("\x01\x1f\"a\"\t\x02") << QStringList{"a"};
    QTest::newRow("NUL ends the text")
        << QStringLiteral("\"a\"\n") + QChar(0) + QStringLiteral("\"b\"\n") << QStringList{"a"};
    QTest::newRow("NUL inside quotes")
        << QStringLiteral("\"ab") + QChar(0) + QStringLiteral("cd\"\n") << QStringList{"ab"};
    QTest::newRow("only blanks") << QStringLiteral(" \r\n\t") << QStringList{};
    QTest::newRow("empty") << QString() << QStringList{};
}

void TestEncDec::items()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(splitItems(text), expected);
}

void TestEncDec::mangledFramingOpens_data()
{
    QTest::addColumn<QString>("text");

    const QString framed = frameLineText(QStringLiteral("getfile:C:\\Data\\phrases"));
    const QString outer = framed.mid(1, framed.size() - 3);
    QTest::newRow("as framed") << framed;
    QTest::newRow("spaces around") << QStringLiteral("   ") + framed.chopped(1) + QStringLiteral("  \n");
    QTest::newRow("CR LF around") << QStringLiteral("\r\n") + framed.chopped(1) + QStringLiteral("\r\n");
    QTest::newRow("CR LF inside the base64")
        << u'"' + outer.left(10) + QStringLiteral("\r\n") + outer.mid(10) + QStringLiteral("\"\n");
    QTest::newRow("without quotes") << outer + u'\n';
}

void TestEncDec::mangledFramingOpens()
{
    QFETCH(QString, text);
    QCOMPARE(openAll(text), QStringList{QStringLiteral("getfile:C:\\Data\\phrases")});
}

void TestEncDec::unsealErrors_data()
{
    QTest::addColumn<QString>("sealed");

    const QString body(18, u'A');
    QTest::newRow("marker above 255") << body + QStringLiteral("12") + QChar(0x100);
    QTest::newRow("marker 0, no digits") << body + QChar(0);
    QTest::newRow("more digits than characters") << QStringLiteral("1") + QChar(2);
    QTest::newRow("marker only") << QString(QChar(1));
    QTest::newRow("letter among digits") << body + QStringLiteral("1x") + QChar(2);
    QTest::newRow("sign") << body + QStringLiteral("-1") + QChar(2);
    QTest::newRow("blank among digits") << body + QStringLiteral(" 5") + QChar(2);
    QTest::newRow("length past the end") << body + QStringLiteral("99") + QChar(2);
    QTest::newRow("length reaching into the digits") << body + QStringLiteral("19") + QChar(2);
    QTest::newRow("huge length") << body + QString(40, u'9') + QChar(40);
}

void TestEncDec::unsealErrors()
{
    QFETCH(QString, sealed);
    QVERIFY_THROWS_EXCEPTION(EnvelopeError, unseal(sealed));
    // The same text arriving as an item: its bytes go through base64 first.
    QVERIFY_THROWS_EXCEPTION(EnvelopeError, openItem(EncodeBase64Str(sealed)));
}

void TestEncDec::unsealEdges()
{
    QCOMPARE(unseal(QString()), QString());
    QCOMPARE(SealStr(QString(), Key()), QString());
    QCOMPARE(SealStr(QStringLiteral("x"), QString()), QString());
    QCOMPARE(unseal(QString(18, u'A') + QStringLiteral("0") + QChar(1)), QString());
    // Body characters past the stated length are ignored.
    QString sealed = seal(QStringLiteral("stats:1"));
    QCOMPARE(sealed.size(), 21);
    for (int i = 12; i < 18; ++i)
        sealed[i] = u'Z';
    QCOMPARE(unseal(sealed), QStringLiteral("stats:1"));
    // A euro byte as the marker reads as U+20AC, above 255.
    QVERIFY_THROWS_EXCEPTION(EnvelopeError, openItem(QStringLiteral("QUFBgA==")));
}

QTEST_GUILESS_MAIN(TestEncDec)
#include "TestEncDec.moc"
