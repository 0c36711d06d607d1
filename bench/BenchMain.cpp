// SPDX-License-Identifier: GPL-2.0-or-later
// The benchmarks' entry point. The locale is the environment's, as the
// program takes it (LANG=en_US.UTF-8 coinslot_bench for a locale that
// collates, C.UTF-8 for one that does not); the report names it.
//
// Run with --listxml-peak-rss FILE, it only reads that -listxml document and
// prints the peak resident memory before and after ("before-kb after-kb"),
// so that BM_ImportListXml measures the reading's memory in a process that
// holds nothing else.
#include "database/ListXmlImport.h"

#include <QFile>
#include <QLocale>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

namespace {

// The process's resident high-water mark (VmHWM: since its start, unlike
// getrusage's, which keeps the mark of the program it was started from).
long peakRssKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

int printListXmlPeakRss(const char* path) {
    const long before = peakRssKb();
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly) || !importListXml(file, false).ok())
        return 1;
    std::printf("%ld %ld\n", before, peakRssKb());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--listxml-peak-rss") == 0)
        return printListXmlPeakRss(argv[2]);
    benchmark::AddCustomContext("locale", QLocale().name().toStdString());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
