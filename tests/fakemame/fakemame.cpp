// SPDX-License-Identifier: GPL-2.0-or-later
// A stand-in for MAME, run by the tests through the real shell. By default it
// is an old (0.7x) MAME:
//
//   -listfull, -listclones, -listsourcefile   print the matching fixture file
//   -verifysets PATTERN...                    print the fixture report; only "*"
//                                             gives all of it, other patterns only
//                                             the lines of the sets they name
//   -createconfig                             write <invoked name>.ini (a final
//                                             "exe", any case, becomes "ini") in the
//                                             working folder
//   SETNAME [OPTIONS...]                      append the arguments, joined by single
//                                             spaces, as one line to $FAKEMAME_LOG;
//                                             then, in both generations:
//                                               FAKEMAME_PLAY_STDOUT=TEXT  print TEXT and
//                                               FAKEMAME_PLAY_STDERR=TEXT  a line end on
//                                                                          that stream
//                                               FAKEMAME_PLAY_SIGNAL=N     die of signal N
//                                               FAKEMAME_PLAY_STATUS=N     exit with N
//   (no arguments)                            do nothing
//
// With FAKEMAME_MODERN=1 it is a current MAME (0.251):
//
//   -listfull, -listclones, -listsource       print the fixture file, in 0.251's forms
//   -listxml                                  print the -listxml fixture
//   -verifyroms [PATTERN]                     "*" (or none) prints the whole fixture
//                                             report; a set name prints that set's
//                                             lines, or `romset "NAME" not found!`
//                                             on stderr. Then the closing line
//                                             "N romsets found, M were OK.", on
//                                             stderr when a set is bad, else on
//                                             stdout. Exits 2 when a set is bad or
//                                             not found, as the real one does
//   -showconfig                               print the fixture (inipath is
//                                             "$HOME/.mame;/etc/mame")
//   -createconfig                             write mame.ini in the working folder
//   -listsourcefile, -verifysets              refused the way 0.251 refuses them: a
//                                             message on stderr, nothing on stdout,
//                                             status 6
//   SETNAME [OPTIONS...]                      logged as above
//
// For a current MAME's listing and audit:
//   FAKEMAME_LISTXML=FILE  print FILE for -listxml instead of the fixture
//   FAKEMAME_BUILD=0.252   print the fixture as a second build would: build
//                          "0.252 (unknown)", puckmanb renamed puckmanbl (same
//                          ROMs), mspacmanbi removed, pacmanzz added (a clone of
//                          puckman with a ROM of its own), pacmanblc working
//                          ("good" instead of "preliminary"), and one ROM of
//                          3in1semi with another CRC
//   FAKEMAME_ROMPATH=DIR   -showconfig names DIR as the rompath, and -verifyroms
//                          audits the machines of the listing from the .zip
//                          files there: a set without its own zip is not found
//                          (nothing printed); a set one of whose files (its
//                          own, its romof machines' up the chain, its devices'
//                          and theirs) holds the text "bad" is bad, with one
//                          "INCORRECT CHECKSUM" line per such file; else it is
//                          "best available" when its own zip holds "best",
//                          otherwise good. Sets come in name order. A name that
//                          is no machine gives "No matching systems found for
//                          'NAME'" on stderr, no closing line and status 5
//   FAKEMAME_AUDIT_CRASH=NAME  such a -verifyroms that is asked about NAME dies
//                          of SIGSEGV before it prints anything
//   FAKEMAME_ARGS=FILE     every run with an option appends its arguments,
//                          joined by single spaces, as a line to FILE
//
// Fixtures come from tests/fixtures/old-mame or tests/fixtures/current-mame
// (the build names the folder), or from the folder named by FAKEMAME_FIXTURES; a missing
// fixture file prints nothing.
//
// For every listing and audit option, in both generations:
//   FAKEMAME_SLEEP=S   print the first half of the output lines, flush, sleep S
//                      seconds (fractions allowed), then print the rest
//   FAKEMAME_CRASH=N   print the first N output lines, flush, then die of SIGSEGV
//   FAKEMAME_EXIT=N    exit with status N after printing everything
//   FAKEMAME_CHILD=S   first start a child that ignores SIGTERM and sleeps S
//                      seconds, and write "<own pid> <child's pid>" to
//                      $FAKEMAME_PIDS
//   FAKEMAME_ENDLESS=T for -listxml, -verifyroms and -showconfig: print T, then
//                      "a" without end (a MAME gone wrong)
//   FAKEMAME_MACHINES=N for -listxml: print, instead of the fixture, a made-up
//                      listing of N machines that can be run (and one device for
//                      every ten), each in the shape a current MAME prints, for
//                      the benchmarks of a List of any size
// Lines are counted over stdout and stderr together, in the order printed.
//
// For a play (SETNAME [OPTIONS...]), after logging it:
//   FAKEMAME_PLAY_SLEEP=S   start a child that ignores SIGTERM, write the line
//                           "<own pid> <child's pid>" to $FAKEMAME_PIDS, then
//                           both sleep S seconds
//
// With FAKEMAME_IGNORE_TERM=1 it ignores SIGTERM from its start on, as a hung
// MAME may, so that only SIGKILL ends it.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool Modern() {
    return Env("FAKEMAME_MODERN") == "1";
}

std::filesystem::path FixtureFolder() {
    const std::string chosen = Env("FAKEMAME_FIXTURES");
    if (!chosen.empty())
        return chosen;
    return std::filesystem::path(FAKEMAME_FIXTURES) / (Modern() ? "current-mame" : "old-mame");
}

std::string ReadFixture(const char* name) {
    std::ifstream in(FixtureFolder() / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// What a run prints, line by line, each line on its stream and with its line
// end ("\n"; the last line of a fixture may have none).
struct Output {
    struct Line {
        bool toStderr;
        std::string text;
    };
    std::vector<Line> lines;

    void Add(const std::string& text, bool toStderr = false) {
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find('\n', start);
            const std::size_t next = end == std::string::npos ? text.size() : end + 1;
            lines.push_back({toStderr, text.substr(start, next - start)});
            start = next;
        }
    }
};

void Flush() {
    std::cout.flush();
    std::cerr.flush();
}

[[noreturn]] void Crash(int signal = SIGSEGV) {
    Flush();
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    std::signal(signal, SIG_DFL); // past any handler a sanitizer put in place
    std::raise(signal);
    std::abort();
}

// Prints `output`, pausing halfway for FAKEMAME_SLEEP seconds or dying after
// FAKEMAME_CRASH lines when asked.
void Print(const Output& output) {
    const std::string sleep = Env("FAKEMAME_SLEEP");
    const std::string crash = Env("FAKEMAME_CRASH");
    const std::size_t crashAfter = crash.empty() ? output.lines.size() + 1 : std::stoul(crash);
    const std::size_t half = output.lines.size() / 2;
    for (std::size_t i = 0; i <= output.lines.size(); ++i) {
        if (i == crashAfter)
            Crash();
        if (i == half && !sleep.empty()) {
            Flush();
            std::this_thread::sleep_for(std::chrono::duration<double>(std::stod(sleep)));
        }
        if (i == output.lines.size())
            break;
        (output.lines[i].toStderr ? std::cerr : std::cout) << output.lines[i].text;
    }
    Flush();
}

// Report lines read "romset NAME [PARENT] is ..."; keep those whose NAME is
// among the patterns, all of them for "*".
Output VerifySets(const std::set<std::string>& patterns) {
    Output output;
    if (patterns.count("*")) {
        output.Add(ReadFixture("verifysets.txt"));
        return output;
    }
    std::istringstream report(ReadFixture("verifysets.txt"));
    std::string line;
    while (std::getline(report, line)) {
        std::istringstream words(line);
        std::string first, set;
        if (words >> first >> set && first == "romset" && patterns.count(set))
            output.Add(line + '\n');
    }
    return output;
}

// A current MAME's audit. The report holds, per set, its detail lines (which
// start with the set's name and a blank) and then its "romset" verdict.
int VerifyRoms(const std::string& pattern, Output& output) {
    const bool all = pattern == "*";
    std::istringstream report(ReadFixture("verifyroms.txt"));
    std::string line;
    int found = 0, ok = 0;
    bool bad = false;
    std::string lastSet;
    while (std::getline(report, line)) {
        std::istringstream words(line);
        std::string first, second;
        words >> first >> second;
        const bool verdict = first == "romset";
        const std::string set = verdict ? second : first;
        // Lines that name no set ("EXPECTED: ...") belong to the set before.
        const bool namesSet = verdict || line.rfind(first + std::string(" "), 0) == 0;
        const std::string owner = namesSet ? set : lastSet;
        if (namesSet)
            lastSet = set;
        if (!all && owner != pattern)
            continue;
        output.Add(line + '\n');
        if (verdict) {
            ++found;
            const bool isBad = line.size() >= 7 && line.compare(line.size() - 7, 7, " is bad") == 0;
            bad = bad || isBad;
            ok += isBad ? 0 : 1;
        }
    }
    if (found == 0 && !all) {
        output.Add("romset \"" + pattern + "\" not found!\n", true);
        return 2;
    }
    output.Add(std::to_string(found) + " romsets found, " + std::to_string(ok) + " were OK.\n",
               bad);
    return bad ? 2 : 0;
}

// A current MAME's listing: the fixture, a file named instead, or the fixture
// as the second build gives it.
std::string ListXml() {
    if (const std::string file = Env("FAKEMAME_LISTXML"); !file.empty()) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string listing = ReadFixture("listxml.xml");
    if (Env("FAKEMAME_BUILD") != "0.252")
        return listing;
    const auto replace = [&listing](const std::string& from, const std::string& to) {
        const std::size_t at = listing.find(from);
        if (at != std::string::npos)
            listing.replace(at, from.size(), to);
        return at;
    };
    replace("build=\"0.251 (unknown)\"", "build=\"0.252 (unknown)\"");
    replace("<machine name=\"puckmanb\"", "<machine name=\"puckmanbl\"");
    const std::size_t gone = listing.find("\t<machine name=\"mspacmanbi\"");
    if (gone != std::string::npos) {
        const std::string end = "\t</machine>\n";
        listing.erase(gone, listing.find(end, gone) + end.size() - gone);
    }
    const std::size_t working = listing.find("<machine name=\"pacmanblc\"");
    const std::size_t status = listing.find("<driver status=\"preliminary\"", working);
    listing.replace(status, 29, "<driver status=\"good\"");
    replace("crc=\"b0e4a0f7\"", "crc=\"b0e4a0f8\"");
    replace("\t<machine name=\"puckmod\"",
            "\t<machine name=\"pacmanzz\" sourcefile=\"pacman/pacman.cpp\" cloneof=\"puckman\" "
            "romof=\"puckman\">\n\t\t<description>Pac-Man (new set)</description>\n"
            "\t\t<year>2023</year>\n\t\t<manufacturer>fixture</manufacturer>\n"
            "\t\t<rom name=\"zz.6e\" size=\"4096\" crc=\"12345678\" "
            "sha1=\"0123456789abcdef0123456789abcdef01234567\" region=\"maincpu\" "
            "offset=\"0\"/>\n\t\t<driver status=\"good\" emulation=\"good\" "
            "savestate=\"supported\"/>\n\t</machine>\n\t<machine name=\"puckmod\"");
    return listing;
}

// The machines of a listing, as the audit from the ROM folder needs them.
struct Machine {
    std::string cloneOf, romOf;
    std::vector<std::string> devices;
};

// The value of ` name="...` in `line`, or an empty one.
std::string AttributeOf(const std::string& line, const std::string& name) {
    const std::string key = " " + name + "=\"";
    const std::size_t at = line.find(key);
    if (at == std::string::npos)
        return {};
    const std::size_t from = at + key.size();
    return line.substr(from, line.find('"', from) - from);
}

std::map<std::string, Machine> MachinesOf(const std::string& listing) {
    std::map<std::string, Machine> machines;
    std::istringstream lines(listing);
    std::string line;
    Machine* current = nullptr;
    while (std::getline(lines, line)) {
        if (line.find("<machine ") != std::string::npos) {
            current = &machines[AttributeOf(line, "name")];
            current->cloneOf = AttributeOf(line, "cloneof");
            current->romOf = AttributeOf(line, "romof");
        } else if (current && line.find("<device_ref name=\"") != std::string::npos) {
            const std::size_t from = line.find('"') + 1;
            current->devices.push_back(line.substr(from, line.find('"', from) - from));
        }
    }
    return machines;
}

// The text of DIR/NAME.zip, or nothing when there is no such file.
std::optional<std::string> ZipText(const std::string& name) {
    std::ifstream in(std::filesystem::path(Env("FAKEMAME_ROMPATH")) / (name + ".zip"),
                     std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A set's files: its own, its romof machines', its devices' and theirs.
void FilesOf(const std::map<std::string, Machine>& machines, const std::string& name,
             std::vector<std::string>& files) {
    const auto machine = machines.find(name);
    if (machine == machines.end() || std::find(files.begin(), files.end(), name) != files.end())
        return;
    files.push_back(name);
    if (!machine->second.romOf.empty())
        FilesOf(machines, machine->second.romOf, files);
    for (const std::string& device : machine->second.devices)
        FilesOf(machines, device, files);
}

// -verifyroms from the ROM folder (see the top of this file).
int VerifyRomsFromFolder(const std::vector<std::string>& patterns, Output& output) {
    const std::map<std::string, Machine> machines = MachinesOf(ListXml());
    std::set<std::string> sets;
    int status = 0;
    for (const std::string& pattern : patterns) {
        if (pattern == "*") {
            for (const auto& [name, machine] : machines)
                sets.insert(name);
        } else if (machines.count(pattern)) {
            if (pattern == Env("FAKEMAME_AUDIT_CRASH"))
                Crash();
            sets.insert(pattern);
        } else {
            output.Add("No matching systems found for '" + pattern + "'\n", true);
            status = 5;
        }
    }
    int found = 0, ok = 0;
    bool bad = false;
    for (const std::string& set : sets) {
        const std::optional<std::string> own = ZipText(set);
        if (!own)
            continue;
        ++found;
        std::vector<std::string> files;
        FilesOf(machines, set, files);
        std::string lines;
        for (const std::string& file : files) {
            if (ZipText(file).value_or("").find("bad") != std::string::npos)
                lines += set + std::string(std::max<std::size_t>(1, 12 - set.size()), ' ') + ": " +
                         file +
                         ".bin (1024 bytes) - INCORRECT CHECKSUM:\n"
                         "EXPECTED: CRC(00000000)\n   FOUND: CRC(ffffffff)\n";
        }
        const std::string& parent = machines.at(set).cloneOf;
        const std::string named = "romset " + set + (parent.empty() ? "" : " [" + parent + "]");
        if (!lines.empty()) {
            bad = true;
            output.Add(lines + named + " is bad\n");
        } else {
            ++ok;
            output.Add(named + (own->find("best") != std::string::npos ? " is best available\n"
                                                                       : " is good\n"));
        }
    }
    if (status != 0)
        return status;
    if (found == 0 && patterns.size() == 1 && patterns[0] != "*") {
        output.Add("romset \"" + patterns[0] + "\" not found!\n", true);
        return 2;
    }
    output.Add(std::to_string(found) + " romsets found, " + std::to_string(ok) + " were OK.\n",
               bad);
    return bad ? 2 : 0;
}

// The fixture, with FAKEMAME_ROMPATH as the rompath when it is set.
std::string ShowConfig() {
    std::string config = ReadFixture("showconfig.txt");
    const std::string rompath = Env("FAKEMAME_ROMPATH");
    const std::size_t line = config.find("rompath ");
    if (rompath.empty() || line == std::string::npos)
        return config;
    const std::size_t end = config.find('\n', line);
    config.replace(line, end - line, "rompath                   " + rompath);
    return config;
}

int CreateConfig(const char* invokedAs) {
    std::string name = std::filesystem::path(invokedAs).filename().string();
    const auto lower = [](unsigned char c) { return static_cast<char>(std::tolower(c)); };
    std::string end = name.size() >= 3 ? name.substr(name.size() - 3) : "";
    std::transform(end.begin(), end.end(), end.begin(), lower);
    if (Modern())
        name = "mame.ini";
    else if (end == "exe")
        name.replace(name.size() - 3, 3, "ini");
    else
        name += ".ini";
    std::ofstream ini(name, std::ios::binary | std::ios::trunc);
    ini << "#\n# CORE SEARCH PATH OPTIONS\n#\nrompath                   roms\n";
    return ini ? 0 : 1;
}

int LogPlay(const std::vector<std::string>& args) {
    const std::string logPath = Env("FAKEMAME_LOG");
    if (!logPath.empty()) {
        std::ofstream log(logPath, std::ios::binary | std::ios::app);
        for (std::size_t i = 0; i < args.size(); ++i)
            log << (i ? " " : "") << args[i];
        log << '\n';
        if (!log)
            return 1;
    }
    if (!Env("FAKEMAME_PLAY_STDOUT").empty())
        std::cout << Env("FAKEMAME_PLAY_STDOUT") << '\n';
    if (!Env("FAKEMAME_PLAY_STDERR").empty())
        std::cerr << Env("FAKEMAME_PLAY_STDERR") << '\n';
    if (!Env("FAKEMAME_PLAY_SIGNAL").empty())
        Crash(std::stoi(Env("FAKEMAME_PLAY_SIGNAL")));
    Flush();
    return Env("FAKEMAME_PLAY_STATUS").empty() ? 0 : std::stoi(Env("FAKEMAME_PLAY_STATUS"));
}

void Doze(const std::string& seconds) {
    const auto end =
        std::chrono::steady_clock::now() + std::chrono::duration<double>(std::stod(seconds));
    while (std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

// Starts a child that ignores the polite request to end, as a helper process
// of a real MAME might, for `seconds`; notes both pids in $FAKEMAME_PIDS.
void StartStubbornChild(const std::string& seconds) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGTERM, SIG_IGN);
        Doze(seconds);
        std::_Exit(0);
    }
    std::ofstream(Env("FAKEMAME_PIDS"), std::ios::binary | std::ios::trunc)
        << getpid() << ' ' << child << '\n';
}

// A game that goes on for a while, with such a child.
void PlayForAWhile() {
    const std::string sleep = Env("FAKEMAME_PLAY_SLEEP");
    if (sleep.empty())
        return;
    StartStubbornChild(sleep);
    Doze(sleep);
}

// A made-up -listxml of `machines` runnable machines, about 900 bytes each:
// distinct descriptions in no order, every third machine a clone of the one
// before.
void PrintMachines(long machines) {
    std::string out = "<?xml version=\"1.0\"?>\n<mame build=\"0.251 (made up)\" debug=\"no\" "
                      "mameconfig=\"10\">\n";
    unsigned state = 12345;
    const auto next = [&state] { return state = state * 1103515245u + 12345u; };
    static const char* const words[] = {"Galaxy", "Street", "Pac",     "Dragon", "Ninja", "Space",
                                        "Turbo",  "Puzzle", "Fighter", "Quest",  "Racer", "Star"};
    for (long i = 0; i < machines + machines / 10; ++i) {
        const bool device = i % 11 == 10;
        const std::string name = (device ? "dev" : "m") + std::to_string(i);
        out += "\t<machine name=\"" + name + "\" sourcefile=\"maker/drv" + std::to_string(i / 40) +
               ".cpp\"";
        if (device)
            out += " isdevice=\"yes\" runnable=\"no\"";
        else if (i % 3 == 1)
            out += " cloneof=\"m" + std::to_string(i - 1) + "\" romof=\"m" + std::to_string(i - 1) +
                   "\"";
        out += ">\n\t\t<description>";
        out += words[next() >> 16 & 7];
        out += ' ';
        out += words[(next() >> 16) % 12];
        out += " " + std::to_string(static_cast<unsigned>(i) * 2654435761u) + " (set " +
               std::to_string(i % 7) + ", &quot;rev " + std::to_string(i % 5) +
               "&quot;)</description>\n";
        if (!device)
            out += "\t\t<year>19" + std::to_string(70 + i % 30) +
                   "</year>\n\t\t<manufacturer>Maker " + std::to_string(i % 400) +
                   " &amp; Co.</manufacturer>\n";
        for (int rom = 0; rom < 4; ++rom)
            out += "\t\t<rom name=\"" + name + "." + std::to_string(rom) +
                   "\" size=\"65536\" crc=\"" + std::to_string(next()) + "\" sha1=\"" +
                   std::to_string(next()) + std::to_string(next()) +
                   "\" region=\"maincpu\" offset=\"" + std::to_string(rom * 65536) + "\"/>\n";
        if (!device)
            out += "\t\t<chip type=\"cpu\" tag=\"maincpu\" name=\"Zilog Z80\" clock=\"3072000\"/>\n"
                   "\t\t<display tag=\"screen\" type=\"raster\" rotate=\"90\" width=\"288\" "
                   "height=\"224\" refresh=\"60.606061\"/>\n"
                   "\t\t<input players=\"2\" coins=\"2\">\n\t\t\t<control type=\"joy\" "
                   "ways=\"4\"/>\n\t\t</input>\n"
                   "\t\t<driver status=\"good\" emulation=\"good\" savestate=\"supported\"/>\n";
        out += "\t</machine>\n";
        if (out.size() > (1 << 20)) {
            std::cout << out;
            out.clear();
        }
    }
    std::cout << out << "</mame>\n";
    Flush();
}

int Unknown(const std::string& option) {
    std::cerr << "Error: unknown option: " << option << '\n';
    return 6;
}

} // namespace

int main(int argc, char** argv) {
    if (Env("FAKEMAME_IGNORE_TERM") == "1")
        std::signal(SIGTERM, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return 0;
    const std::string& option = args[0];
    if (option[0] != '-') {
        const int status = LogPlay(args);
        PlayForAWhile();
        return status;
    }
    if (const std::string file = Env("FAKEMAME_ARGS"); !file.empty()) {
        std::ofstream log(file, std::ios::binary | std::ios::app);
        for (std::size_t i = 0; i < args.size(); ++i)
            log << (i ? " " : "") << args[i];
        log << '\n';
    }
    if (option == "-createconfig")
        return CreateConfig(argv[0]);
    if (const std::string child = Env("FAKEMAME_CHILD"); !child.empty())
        StartStubbornChild(child);

    if (const std::string endless = Env("FAKEMAME_ENDLESS");
        !endless.empty() &&
        (option == "-listxml" || option == "-verifyroms" || option == "-showconfig")) {
        std::cout << endless;
        const std::string more(1 << 16, 'a');
        while (std::cout << more)
            ;
        return 1;
    }
    if (const std::string machines = Env("FAKEMAME_MACHINES");
        !machines.empty() && option == "-listxml") {
        PrintMachines(std::stol(machines));
        return 0;
    }
    Output output;
    int status = 0;
    if (option == "-listfull")
        output.Add(ReadFixture("listfull.txt"));
    else if (option == "-listclones")
        output.Add(ReadFixture("listclones.txt"));
    else if (Modern()) {
        if (option == "-listxml")
            output.Add(ListXml());
        else if (option == "-listsource")
            output.Add(ReadFixture("listsource.txt"));
        else if (option == "-verifyroms" && !Env("FAKEMAME_ROMPATH").empty())
            status = VerifyRomsFromFolder(
                args.size() > 1 ? std::vector<std::string>(args.begin() + 1, args.end())
                                : std::vector<std::string>{"*"},
                output);
        else if (option == "-verifyroms")
            status = VerifyRoms(args.size() > 1 ? args[1] : "*", output);
        else if (option == "-showconfig")
            output.Add(ShowConfig());
        else
            return Unknown(option);
    } else if (option == "-listsourcefile")
        output.Add(ReadFixture("listsourcefile.txt"));
    else if (option == "-verifysets")
        output = VerifySets({args.begin() + 1, args.end()});
    else
        return Unknown(option);
    Print(output);
    const std::string exit = Env("FAKEMAME_EXIT");
    return exit.empty() ? status : std::stoi(exit);
}
