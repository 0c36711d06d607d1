// SPDX-License-Identifier: GPL-2.0-or-later
// Reading a current MAME's -listxml at today's size: a made-up document of
// about 270 MB in MAME's own form (45,294 machines, 5,848 of them devices and
// 74 BIOS sets, as 0.251 prints), written to a temporary file once and then
// read through importListXml, machine facts included. Reports the machines
// kept and the peak resident memory of a process that does nothing but read
// the document (this program started again with --listxml-peak-rss), which
// the reader must keep far below the document. With COINSLOT_LISTXML naming a file (a real MAME's
// -listxml, captured with `mame -listxml > file`), BM_ImportRealListXml reads
// that instead.
#include "database/ListXmlImport.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

namespace {

constexpr int kMachines = 45294;
constexpr int kDevices = 5848;
constexpr int kBioses = 74;
// The runnable machines 0.251 lists; fewer when the table holds fewer.
constexpr int kRunnable = std::min(kMachines - kDevices - kBioses, kMaxGames);

std::string Hex(std::mt19937& random, int digits) {
    static const char hex[] = "0123456789abcdef";
    std::string text(digits, '0');
    for (char& c : text)
        c = hex[random() % 16];
    return text;
}

// One machine in the shape -listxml gives it: ROMs, chips, display, inputs and
// DIP switches, about 6 KB for a game and 1 KB for a device.
void WriteMachine(std::ostream& out, std::mt19937& random, int index, int runnableLeft) {
    std::string name = "m";
    name += std::to_string(index); // (GCC 12 warns falsely about "m" + ...)
    const bool device = index >= kMachines - kDevices;
    const bool bios = !device && index % 500 == 7 && index / 500 < kBioses;
    // Machines past the table's capacity are printed as BIOS sets, left out.
    const bool excess = !device && !bios && runnableLeft <= 0;
    out << "\t<machine name=\"" << name << "\" sourcefile=\""
        << (device ? "devices/machine/" : "maker/") << "drv" << index % 3000 << ".cpp\"";
    if (device)
        out << " isdevice=\"yes\" runnable=\"no\"";
    else if (bios || excess)
        out << " isbios=\"yes\"";
    else if (index % 3 == 1)
        out << " cloneof=\"m" << index - 1 << "\" romof=\"m" << index - 1 << "\"";
    out << ">\n\t\t<description>Game &amp; Watch " << Hex(random, 6) << " (set " << index % 7
        << ", &quot;rev " << index % 5 << "&quot;)</description>\n";
    if (device) {
        out << "\t\t<rom name=\"" << name << ".bin\" size=\"1024\" crc=\"" << Hex(random, 8)
            << "\" sha1=\"" << Hex(random, 40) << "\" region=\"" << name
            << "\" offset=\"0\"/>\n\t\t<chip type=\"cpu\" tag=\":" << name
            << "\" name=\"CPU\" clock=\"4000000\"/>\n";
        for (int i = 0; i < 6; ++i)
            out << "\t\t<device_ref name=\"dev" << random() % 5000 << "\"/>\n";
        out << "\t</machine>\n";
        return;
    }
    out << "\t\t<year>19" << 70 + index % 30 << "</year>\n\t\t<manufacturer>Maker " << index % 400
        << "</manufacturer>\n";
    for (int i = 0; i < 32; ++i)
        out << "\t\t<rom name=\"" << name << "_" << i << ".ic" << i + 10
            << "\" size=\"65536\" crc=\"" << Hex(random, 8) << "\" sha1=\"" << Hex(random, 40)
            << "\" region=\"maincpu\" offset=\"" << i * 65536 << "\"/>\n";
    for (int i = 0; i < 8; ++i)
        out << "\t\t<device_ref name=\"dev" << random() % 5000 << "\"/>\n";
    out << "\t\t<chip type=\"cpu\" tag=\"maincpu\" name=\"Zilog Z80\" clock=\"3072000\"/>\n"
           "\t\t<chip type=\"audio\" tag=\"speaker\" name=\"Speaker\"/>\n"
           "\t\t<display tag=\"screen\" type=\"raster\" rotate=\"90\" width=\"288\" "
           "height=\"224\" refresh=\"60.606061\" pixclock=\"6144000\" htotal=\"384\" "
           "hbend=\"0\" hbstart=\"288\" vtotal=\"264\" vbend=\"0\" vbstart=\"224\"/>\n"
           "\t\t<sound channels=\"1\"/>\n\t\t<input players=\"2\" coins=\"2\">\n"
           "\t\t\t<control type=\"joy\" player=\"1\" buttons=\"1\" ways=\"4\"/>\n"
           "\t\t\t<control type=\"joy\" player=\"2\" buttons=\"1\" ways=\"4\"/>\n"
           "\t\t</input>\n";
    for (int i = 0; i < 6; ++i) {
        out << "\t\t<dipswitch name=\"Switch " << i << "\" tag=\"DSW\" mask=\"" << (1 << i)
            << "\">\n\t\t\t<diplocation name=\"SW1\" number=\"" << i + 1
            << "\"/>\n\t\t\t<dipvalue name=\"Off\" value=\"" << (1 << i)
            << "\" default=\"yes\"/>\n\t\t\t<dipvalue name=\"On\" value=\"0\"/>\n"
               "\t\t</dipswitch>\n";
    }
    for (int i = 0; i < 8; ++i)
        out << "\t\t<port tag=\":IN" << i << "\">\n\t\t\t<analog mask=\"" << (1 << i)
            << "\"/>\n\t\t</port>\n";
    out << "\t\t<driver status=\"good\" emulation=\"good\" savestate=\"supported\"/>\n"
           "\t</machine>\n";
}

// Writes the document to `path` as it goes, never holding it whole.
bool WriteListXml(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    std::mt19937 random(251);
    out << "<?xml version=\"1.0\"?>\n<!DOCTYPE mame [\n<!ELEMENT mame (machine+)>\n"
           "\t<!ATTLIST mame build CDATA #IMPLIED>\n]>\n\n"
           "<mame build=\"0.251 (unknown)\" debug=\"no\" mameconfig=\"10\">\n";
    int runnableLeft = kRunnable;
    for (int i = 0; i < kMachines; ++i) {
        const bool device = i >= kMachines - kDevices;
        const bool bios = !device && i % 500 == 7 && i / 500 < kBioses;
        WriteMachine(out, random, i, runnableLeft);
        if (!device && !bios)
            --runnableLeft;
    }
    out << "</mame>\n";
    return static_cast<bool>(out);
}

// The process's peak resident memory so far, in MB (Linux).
// The peak resident memory, in MB, of a process of its own that reads the
// document at `path`, and of that process before it began: {before, peak}.
std::pair<double, double> PeakRssOfReadingMb(const QString& path) {
    QProcess child;
    child.start(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget(),
                {QStringLiteral("--listxml-peak-rss"), path});
    if (!child.waitForFinished(600000) || child.exitCode() != 0)
        return {0, 0};
    const QList<QByteArray> kb = child.readAllStandardOutput().trimmed().split(' ');
    if (kb.size() != 2)
        return {0, 0};
    return {kb[0].toDouble() / 1024, kb[1].toDouble() / 1024};
}

void BM_ImportListXml(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("listxml.xml"));
    if (!WriteListXml(path.toStdString())) {
        state.SkipWithError("cannot write the listing");
        return;
    }
    const qint64 size = QFileInfo(path).size();
    qsizetype kept = 0;
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot read the listing");
            return;
        }
        const Outcome<GameTable> import = importListXml(file, false);
        if (!import.ok()) {
            state.SkipWithError(import.failure().toStdString().c_str());
            return;
        }
        kept = std::ssize(import.value());
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["documentMB"] = static_cast<double>(size) / (1024 * 1024);
    state.counters["machinesKept"] = static_cast<double>(kept);
    const auto [before, peak] = PeakRssOfReadingMb(path);
    state.counters["peakRssMB"] = peak;
    state.counters["peakRssBeforeMB"] = before;
}
BENCHMARK(BM_ImportListXml)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportRealListXml(benchmark::State& state) {
    const QString path = qEnvironmentVariable("COINSLOT_LISTXML");
    if (path.isEmpty()) {
        state.SkipWithError("COINSLOT_LISTXML names no -listxml capture");
        return;
    }
    qsizetype facts = 0;
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot read the listing");
            return;
        }
        MachineFactsTable kept;
        if (!importListXml(file, false, &kept).ok()) {
            state.SkipWithError("the listing did not import");
            return;
        }
        facts = std::ssize(kept);
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
    state.counters["machinesKept"] = static_cast<double>(facts);
}
BENCHMARK(BM_ImportRealListXml)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
