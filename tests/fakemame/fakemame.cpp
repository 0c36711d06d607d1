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
// Fixtures come from tests/fixtures/old-mame or tests/fixtures/current-mame
// beside this source, or from the folder named by FAKEMAME_FIXTURES; a missing
// fixture file prints nothing.
//
// For every listing and audit option, in both generations:
//   FAKEMAME_SLEEP=S   print the first half of the output lines, flush, sleep S
//                      seconds (fractions allowed), then print the rest
//   FAKEMAME_CRASH=N   print the first N output lines, flush, then die of SIGSEGV
//   FAKEMAME_EXIT=N    exit with status N after printing everything
//   FAKEMAME_ENDLESS=T for -listxml: print T, then "a" without end (a MAME gone wrong)
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
    return std::filesystem::path(__FILE__).parent_path().parent_path() / "fixtures" /
           (Modern() ? "current-mame" : "old-mame");
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

// A game that goes on for a while, with a child of its own that ignores the
// polite request to end, as a helper process of a real one might.
void PlayForAWhile() {
    const std::string sleep = Env("FAKEMAME_PLAY_SLEEP");
    if (sleep.empty())
        return;
    const auto doze = [&] {
        const auto end =
            std::chrono::steady_clock::now() + std::chrono::duration<double>(std::stod(sleep));
        while (std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    };
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGTERM, SIG_IGN);
        doze();
        std::_Exit(0);
    }
    std::ofstream(Env("FAKEMAME_PIDS"), std::ios::binary | std::ios::trunc)
        << getpid() << ' ' << child << '\n';
    doze();
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
    if (option == "-createconfig")
        return CreateConfig(argv[0]);

    if (const std::string endless = Env("FAKEMAME_ENDLESS");
        !endless.empty() && option == "-listxml") {
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
            output.Add(ReadFixture("listxml.xml"));
        else if (option == "-listsource")
            output.Add(ReadFixture("listsource.txt"));
        else if (option == "-verifyroms")
            status = VerifyRoms(args.size() > 1 ? args[1] : "*", output);
        else if (option == "-showconfig")
            output.Add(ReadFixture("showconfig.txt"));
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
