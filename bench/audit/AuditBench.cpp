// SPDX-License-Identifier: GPL-2.0-or-later
// The everyday flow with a current MAME, timed: a full Audit once; then zip
// files added, List, Audit. The front end runs in this process, without a
// window, in the working folder it is started in (a fresh one), with the MAME
// and ROM folder given:
//
//   coinslot_auditbench MAME ROMFOLDER ZIPS
//
//   1. List
//   2. ZIPS small zip files written into ROMFOLDER (one of MAME's rompath
//      folders), named after every n-th game of the database
//   3. a full Audit, then List
//   4. one more zip; an Audit (the one measured: only what changed)
//   5. the same Audit as a full one (Shift), for comparison
//
// Prints a line per step: wall time, CPU time of this process and of the
// MAME runs it waited for, the runs of MAME, and the load average.
//
//   coinslot_auditbench --write-listing FILE
//
// writes a -listxml document in MAME's form with 39,372 machines that can be
// run (a third of them clones, every 500th on a BIOS), 74 BIOS sets and 40
// devices, for the fake MAME (FAKEMAME_LISTXML).
#include "../../tests/StoredZip.h"

#include "frontend/FrontEnd.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace {

constexpr int kRunnable = 39372;
constexpr int kBioses = 74;
constexpr int kDevices = 40;

double cpuMilliseconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

QString loadAverage() {
    QFile file("/proc/loadavg");
    if (!file.open(QIODevice::ReadOnly))
        return "?";
    return QString::fromLatin1(file.readLine()).section(' ', 0, 2);
}

// Counts the MAME runs the runner starts.
class CountingRunner : public MameRunner {
  public:
    std::unique_ptr<MameRun> create(const MameRunRequest& request) override {
        runs.append(request.arguments.size() > 6
                        ? request.arguments.mid(0, 4).join(' ') +
                              QStringLiteral(" ... (%1 sets)").arg(request.arguments.size() - 1)
                        : request.arguments.join(' '));
        return MameRunner::create(request);
    }
    QStringList runs;
};

bool runCommand(FrontEnd& frontEnd, const std::function<void()>& start, const char* step,
                CountingRunner& runner) {
    std::optional<Outcome<JobResult>> got;
    QEventLoop loop; // waits without using the processor, as the program's own loop does
    const auto connection = QObject::connect(&frontEnd, &FrontEnd::commandFinished,
                                             [&](Command, const Outcome<JobResult>& outcome) {
                                                 got = outcome;
                                                 loop.quit();
                                             });
    runner.runs.clear();
    const double cpu = cpuMilliseconds(RUSAGE_SELF);
    const double children = cpuMilliseconds(RUSAGE_CHILDREN);
    QElapsedTimer wall;
    wall.start();
    start();
    if (!got)
        loop.exec();
    QObject::disconnect(connection);
    std::printf("%-28s wall %8.0f ms  cpu %8.0f ms  mame cpu %8.0f ms  load %s  runs: %s\n", step,
                double(wall.elapsed()), cpuMilliseconds(RUSAGE_SELF) - cpu,
                cpuMilliseconds(RUSAGE_CHILDREN) - children, qPrintable(loadAverage()),
                qPrintable(runner.runs.join(", ")));
    if (!got || !got->ok()) {
        std::fprintf(stderr, "%s failed: %s\n", step,
                     got ? qPrintable(got->failure()) : "it did not finish");
        return false;
    }
    std::fflush(stdout);
    return true;
}

void writeZip(const QString& folder, const QString& name) {
    QFile file(QDir(folder).filePath(name + ".zip"));
    if (file.open(QIODevice::WriteOnly))
        file.write(storedZip({{name.toLatin1() + ".bin", QByteArray(16, 'x')}}));
}

int writeListing(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    const auto rom = [](const QByteArray& name, int n) {
        return "\t\t<rom name=\"" + name + ".bin\" size=\"1024\" crc=\"" +
               QByteArray::number(0x10000000 + n, 16) +
               "\" sha1=\"0123456789abcdef0123456789abcdef01234567\" region=\"maincpu\" "
               "offset=\"0\"/>\n";
    };
    file.write("<?xml version=\"1.0\"?>\n<mame build=\"0.251 (bench)\" debug=\"no\" "
               "mameconfig=\"10\">\n");
    for (int i = 0; i < kRunnable; ++i) {
        const QByteArray name = "m" + QByteArray::number(i).rightJustified(5, '0');
        QByteArray attributes;
        if (i % 3 == 1)
            attributes = " cloneof=\"m" + QByteArray::number(i - 1).rightJustified(5, '0') +
                         "\" romof=\"m" + QByteArray::number(i - 1).rightJustified(5, '0') + "\"";
        else if (i % 500 == 0)
            attributes = " romof=\"bios" + QByteArray::number(i / 500 % kBioses) + "\"";
        file.write("\t<machine name=\"" + name + "\" sourcefile=\"maker/drv" +
                   QByteArray::number(i % 3000) + ".cpp\"" + attributes +
                   ">\n\t\t<description>Game " + name + "</description>\n\t\t<year>1985</year>\n" +
                   rom(name, i) + "\t\t<device_ref name=\"dev" + QByteArray::number(i % kDevices) +
                   "\"/>\n\t\t<driver status=\"good\" emulation=\"good\" "
                   "savestate=\"supported\"/>\n\t</machine>\n");
    }
    for (int i = 0; i < kBioses; ++i) {
        const QByteArray name = "bios" + QByteArray::number(i);
        file.write("\t<machine name=\"" + name +
                   "\" sourcefile=\"maker/bios.cpp\" isbios=\"yes\">\n"
                   "\t\t<description>BIOS " +
                   name + "</description>\n" + rom(name, i) + "\t</machine>\n");
    }
    for (int i = 0; i < kDevices; ++i) {
        const QByteArray name = "dev" + QByteArray::number(i);
        file.write("\t<machine name=\"" + name +
                   "\" sourcefile=\"devices/dev.cpp\" "
                   "isdevice=\"yes\" runnable=\"no\">\n\t\t<description>Device " +
                   name + "</description>\n" + (i % 4 == 0 ? rom(name, i) : QByteArray()) +
                   "\t</machine>\n");
    }
    file.write("</mame>\n");
    return file.error() == QFile::NoError ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == "--write-listing")
        return writeListing(args[2]);
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: %s MAME ROMFOLDER ZIPS | --write-listing FILE\n", argv[0]);
        return 2;
    }
    const QString romFolder = args[2];
    const int zips = args[3].toInt();
    QDir().mkpath(romFolder);

    CountingRunner runner;
    FrontEnd frontEnd(runner);
    frontEnd.setProgramName("coinslot");
    Settings settings;
    settings.mameExecutable = args[1];
    frontEnd.configure(settings);
    if (!frontEnd.loadCatalogue().ok())
        return 1;
    if (!runCommand(
            frontEnd, [&] { frontEnd.list(); }, "List", runner))
        return 1;
    const GameTable games = frontEnd.games().games();
    const qsizetype stride = std::max<qsizetype>(1, std::ssize(games) / std::max(zips, 1));
    int written = 0;
    for (qsizetype i = 0; i < std::ssize(games) && written < zips; i += stride, ++written)
        writeZip(romFolder, games[i].name());
    std::printf("%zu games, %d zip files in %s\n", games.size(), written, qPrintable(romFolder));
    if (!runCommand(
            frontEnd, [&] { frontEnd.audit(); }, "Audit (the first, full)", runner) ||
        !runCommand(
            frontEnd, [&] { frontEnd.list(); }, "List", runner))
        return 1;
    const QString added = frontEnd.games().games()[stride / 2].name();
    writeZip(romFolder, added);
    std::printf("added %s.zip\n", qPrintable(added));
    const QByteArray listed = [] {
        QFile database("coinslot.dat");
        return database.open(QIODevice::ReadOnly) ? database.readAll() : QByteArray();
    }();
    if (!runCommand(
            frontEnd, [&] { frontEnd.audit(); }, "Audit (one new zip)", runner))
        return 1;
    // The same database again, audited as a whole.
    QFile database("coinslot.dat");
    if (!database.open(QIODevice::WriteOnly) || database.write(listed) != listed.size())
        return 1;
    database.close();
    if (!frontEnd.loadDatabase().ok() ||
        !runCommand(
            frontEnd, [&] { frontEnd.audit(true); }, "Audit (full, Shift)", runner))
        return 1;
    return 0;
}
