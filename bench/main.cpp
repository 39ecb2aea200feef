#include "Benchmarks.h"

#include <QTextStream>
#include <iterator>

namespace {

struct Entry
{
    const char* name;
    int (*run)(const QStringList& args);
};

// One line per benchmark. A benchmark creates the application object it
// needs (core or widgets) itself.
constexpr Entry kBenchmarks[] = {
    {"link", runLinkBench},
    {"monitor", runMonitorBench},
};

int usage()
{
    QTextStream err(stderr);
    err << "usage: scribolt-bench <benchmark> [arguments]\nbenchmarks:";
    for (const Entry& e : kBenchmarks)
        err << ' ' << e.name;
    err << '\n';
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.isEmpty())
        return usage();
    const QString name = args.takeFirst();
    for (const Entry& e : kBenchmarks) {
        if (name == QLatin1String(e.name))
            return e.run(args);
    }
    return usage();
}
