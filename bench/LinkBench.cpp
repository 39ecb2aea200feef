#include "Benchmarks.h"
#include "link/EncDec.h"
#include "link/LineAssembler.h"

#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <limits>

namespace {

constexpr qsizetype kReadSize = 1000;

// A reconnect's worth of replies, repeated: client lists with a few long log lines.
QByteArray buildReplies(qsizetype targetBytes, qsizetype& lineCount)
{
    QByteArray wire;
    lineCount = 0;
    for (int i = 0; wire.size() < targetBytes; ++i) {
        QString line;
        if (i % 50 == 49) {
            line = QStringLiteral("addlog:%1 Client PC-%2 connected, phrase file C:\\Daten\\Phrasen\\"
                                  "gr\u00fc\u00dfe.sbf loaded (%3 \u20ac saved)")
                       .arg(i)
                       .arg(i % 997, 5, 10, QLatin1Char('0'))
                       .arg(i * 3)
                       .repeated(3);
        } else {
            line = QStringLiteral("cladd:192.168.%1.%2;%3;%4;PC-%5;8.0.%6;%7;%8.50;0;%9")
                       .arg(i / 250 % 256)
                       .arg(i % 250 + 1)
                       .arg(i % 2)
                       .arg(i % 3 == 0)
                       .arg(i, 5, 10, QLatin1Char('0'))
                       .arg(15 + i % 7)
                       .arg(i * 37)
                       .arg(i % 1000)
                       .arg(i % 5 != 0);
        }
        wire += EncDec::frameReply(line);
        ++lineCount;
    }
    return wire;
}

template <typename Fn> double seconds(Fn fn)
{
    QElapsedTimer timer;
    timer.start();
    fn();
    return double(timer.nsecsElapsed()) / 1e9;
}

// What the reply reader does with the bytes: reads of 1000, line assembly,
// items, opening. Returns the characters opened, so nothing is optimised away.
qsizetype openAll(const QByteArray& wire, qsizetype& lines)
{
    LineAssembler assembler;
    qsizetype chars = 0;
    lines = 0;
    for (qsizetype at = 0; at < wire.size(); at += kReadSize) {
        const QByteArrayView read = QByteArrayView(wire).sliced(at, std::min(kReadSize, wire.size() - at));
        const LineAssembler::Taken taken = assembler.take(EncDec::fromAnsi(read));
        for (const QString& item : EncDec::splitItems(taken.lines)) {
            chars += EncDec::openItem(item).size();
            ++lines;
        }
    }
    return chars;
}

} // namespace

int runLinkBench(const QStringList& args)
{
    qsizetype megabytes = 8;
    int repetitions = 9;
    for (int i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--mb"))
            megabytes = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--reps"))
            repetitions = std::max(1, args[i + 1].toInt());
    }

    qsizetype lineCount = 0;
    const QByteArray wire = buildReplies(megabytes * 1024 * 1024, lineCount);

    // Alternating repetitions, so that both figures see the same load.
    qsizetype opened = 0;
    qsizetype openedChars = 0;
    qsizetype decodedBytes = 0;
    double openSeconds = std::numeric_limits<double>::max();
    double plainSeconds = std::numeric_limits<double>::max();
    for (int r = 0; r < repetitions; ++r) {
        openSeconds = std::min(openSeconds, seconds([&] { openedChars = openAll(wire, opened); }));
        plainSeconds =
            std::min(plainSeconds, seconds([&] { decodedBytes = QByteArray::fromBase64(wire).size(); }));
    }

    QTextStream out(stdout);
    if (opened != lineCount) {
        QTextStream(stderr) << "link: opened " << opened << " of " << lineCount << " lines\n";
        return 1;
    }
    const double mb = double(wire.size()) / (1024.0 * 1024.0);
    out << "link.bytes: " << wire.size() << '\n';
    out << "link.lines: " << lineCount << '\n';
    out << "link.opened_chars: " << openedChars << '\n';
    out << "link.base64_bytes: " << decodedBytes << '\n';
    out << "link.repetitions: " << repetitions << '\n';
    out << "link.open_ms: " << openSeconds * 1000.0 << '\n';
    out << "link.base64_ms: " << plainSeconds * 1000.0 << '\n';
    out << "link.open_mb_s: " << mb / openSeconds << '\n';
    out << "link.base64_mb_s: " << mb / plainSeconds << '\n';
    out << "link.open_ratio: " << plainSeconds / openSeconds << '\n';
    return 0;
}
