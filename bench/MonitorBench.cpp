// The client monitor under a server's load: a "cllist" answer of 10,000 and
// 50,000 workstations taken in through the console's reply reading into the
// shown grid, a steady stream of "stats" replies, and the memory it all takes.
#include "Benchmarks.h"
#include "link/EncDec.h"
#include "link/LineAssembler.h"
#include "link/LinkHost.h"
#include "link/PipeLink.h"
#include "link/ReplyCodes.h"
#include "monitor/ClientMonitor.h"
#include "monitor/ClientsGrid.h"
#include "monitor/MonitorHost.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHeaderView>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <time.h>

namespace {

constexpr qsizetype kReadSize = 1000;

class BenchMonitorHost : public MonitorHost
{
public:
    void SendCommand(const QString&) override {}
    void RefreshWindowState() override { ++refreshes; }
    void UpdateClientCountLabel() override {}
    void UpdateFileStatus() override {}
    void SetTotalsText(const QString& text) override { totals = text; }
    void DoLog(const QString&) override {}
    bool isConnected() const override { return true; }
    void onDoStatsSet(bool) override {}
    QWidget* dialogParent() override { return nullptr; }

    QString totals;
    qint64 refreshes = 0;
};

// The window side of the link: replies go to the monitor, the rest is idle.
class BenchLinkHost : public LinkHost
{
public:
    explicit BenchLinkHost(ClientMonitor& monitor) : m_monitor(monitor) {}
    void DoLog(const QString&) override {}
    void RefreshWindowState() override {}
    void ClearClientList() override { m_monitor.ClearClientList(); }
    QString serverEditText() const override { return QStringLiteral("."); }
    void setReconBtnEnabled(bool) override {}
    void showWaitNotice(bool) override {}
    void clearServerLog() override {}
    void setHintStatus(int) override {}
    bool dispatchReply(int code, const QString& argument) override
    {
        return m_monitor.handleReply(code, argument);
    }
    void openDownloadPage() override {}
    QWidget* dialogParent() override { return nullptr; }

private:
    ClientMonitor& m_monitor;
};

// Everything one console window holds for the clients.
struct Console
{
    Console()
    {
        grid.SetupClientsGrid();
        grid.resize(700, 400);
        grid.show();
    }
    BenchMonitorHost monitorHost;
    ClientMonitor monitor{monitorHost};
    ClientsGrid grid{monitor, monitorHost};
    BenchLinkHost linkHost{monitor};
    PipeLink link{linkHost, QStringLiteral("8.0.21")};
};

QByteArray clientList(int clients)
{
    QByteArray wire = EncDec::frameReply(QStringLiteral("clcount:0"));
    for (int i = 0; i < clients; ++i) {
        wire += EncDec::frameReply(QStringLiteral("cladd:10.%1.%2.%3;%4;1;PC-%5;8.0.%6;%7;%8.50;1;0;")
                                       .arg(i / 65536 % 256)
                                       .arg(i / 256 % 256)
                                       .arg(i % 256)
                                       .arg(i % 2)
                                       .arg(i, 6, 10, QLatin1Char('0'))
                                       .arg(15 + i % 7)
                                       .arg(i * 37)
                                       .arg(i % 1000));
    }
    return wire;
}

std::vector<QByteArray> reads(const QByteArray& wire)
{
    std::vector<QByteArray> chunks;
    for (qsizetype at = 0; at < wire.size(); at += kReadSize)
        chunks.push_back(wire.mid(at, kReadSize));
    return chunks;
}

double elapsed(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

// Only reading and opening the lines, as the reply reader does before dispatch.
double openOnly(const std::vector<QByteArray>& chunks, qsizetype& opened)
{
    QElapsedTimer timer;
    timer.start();
    LineAssembler assembler;
    opened = 0;
    for (const QByteArray& chunk : chunks) {
        const LineAssembler::Taken taken = assembler.take(EncDec::fromAnsi(chunk));
        for (const QString& item : EncDec::splitItems(taken.lines)) {
            const QString line = EncDec::openItem(item);
            const qsizetype colon = line.indexOf(QLatin1Char(':'));
            opened += replyCodeOf(QStringView(line).left(colon < 0 ? line.size() : colon)) != RC_None;
        }
    }
    return elapsed(timer);
}

// The whole path into a shown grid: reads, dispatch, records, rows, painting.
double ingest(const std::vector<QByteArray>& chunks, int clients, std::unique_ptr<Console>& console)
{
    console.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    console = std::make_unique<Console>();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QElapsedTimer timer;
    timer.start();
    for (const QByteArray& chunk : chunks)
        console->link.ProcReply(chunk);
    while (console->monitor.fclCount() != clients || console->grid.verticalHeader()->count() != clients)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();
    return elapsed(timer);
}

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

double peakRssMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

// A steady 2,000 "stats" replies a second over the given console; CPU share of wall time.
double statsStream(Console& console, int clients, double seconds, qint64& delivered)
{
    std::vector<QByteArray> batches;
    constexpr int perTick = 20; // every 10 ms
    for (int b = 0; b < 500; ++b) {
        QByteArray batch;
        for (int k = 0; k < perTick; ++k) {
            const int i = (b * perTick + k) * 7919 % clients;
            batch += EncDec::frameReply(QStringLiteral("stats:PC-%1;%2;%3.25;")
                                            .arg(i, 6, 10, QLatin1Char('0'))
                                            .arg(i * 37 + b)
                                            .arg(b));
        }
        batches.push_back(batch);
    }
    delivered = 0;
    int next = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const QByteArray& batch = batches[size_t(next++ % int(batches.size()))];
        for (const QByteArray& chunk : reads(batch))
            console.link.ProcReply(chunk);
        delivered += perTick;
    });
    const double cpuStart = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    tick.start(10);
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    tick.stop();
    QCoreApplication::processEvents();
    return (cpuSeconds() - cpuStart) / elapsed(wall);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int runMonitorBench(const QStringList& args)
{
    double streamSeconds = 10;
    int repetitions = 7;
    for (int i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--seconds"))
            streamSeconds = std::max(1.0, args[i + 1].toDouble());
        else if (args[i] == QLatin1String("--reps"))
            repetitions = std::max(1, args[i + 1].toInt());
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "scribolt-bench";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    MessageBox::setTestMode(true);
    QTextStream out(stdout);

    const std::vector<QByteArray> chunks10k = reads(clientList(10000));
    const std::vector<QByteArray> chunks50k = reads(clientList(50000));

    std::vector<double> open10k, ingest10k, open50k, ingest50k;
    std::unique_ptr<Console> console;
    qsizetype opened = 0;
    // One untimed round first: fonts, styles and allocator pools settle.
    openOnly(chunks10k, opened);
    ingest(chunks10k, 10000, console);
    for (int r = 0; r < repetitions; ++r) {
        open10k.push_back(openOnly(chunks10k, opened));
        ingest10k.push_back(ingest(chunks10k, 10000, console));
    }
    const double rowsPerSecond10k = 10000 / median(ingest10k);
    for (int r = 0; r < repetitions; ++r) {
        open50k.push_back(openOnly(chunks50k, opened));
        console.reset();
        ingest50k.push_back(ingest(chunks50k, 50000, console));
    }
    const double rss50k = peakRssMb();
    console.reset();

    ingest(chunks10k, 10000, console);
    qint64 delivered = 0;
    const double coreShare = statsStream(*console, 10000, streamSeconds, delivered);

    out << "monitor.ingest_10k_ratio: " << median(ingest10k) / median(open10k) << '\n';
    out << "monitor.scale_50k_over_10k: " << median(ingest50k) / median(ingest10k) << '\n';
    out << "monitor.stats_core_share: " << coreShare << '\n';
    out << "monitor.peak_rss_mb_50k: " << rss50k << '\n';
    out << "monitor.open_10k_s: " << median(open10k) << '\n';
    out << "monitor.ingest_10k_s: " << median(ingest10k) << '\n';
    out << "monitor.open_50k_s: " << median(open50k) << '\n';
    out << "monitor.ingest_50k_s: " << median(ingest50k) << '\n';
    out << "monitor.ingest_10k_rows_per_s: " << rowsPerSecond10k << '\n';
    out << "monitor.stats_replies_per_s: " << double(delivered) / streamSeconds << '\n';
    return 0;
}
