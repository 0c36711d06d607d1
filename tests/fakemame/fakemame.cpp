// A stand-in for an old (0.7x) MAME, run by the tests through the real shell.
//
//   -listfull, -listclones, -listsourcefile   print the matching fixture file
//   -verifysets PATTERN...                    print the fixture report; only "*"
//                                             gives all of it, other patterns only
//                                             the lines of the sets they name
//   -createconfig                             write <invoked name>.ini (a final
//                                             "exe", any case, becomes "ini") in the
//                                             working folder
//   SETNAME [OPTIONS...]                      append the arguments, joined by single
//                                             spaces, as one line to $FAKEMAME_LOG
//   (no arguments)                            do nothing
//
// FAKEMAME_SLEEP=S prints the first half of a listing or report, sleeps S
// seconds, then prints the rest; FAKEMAME_CRASH=N prints N lines of it and then
// dies by SIGSEGV.
//
// Fixtures come from tests/fixtures/old-mame beside this source, or from the
// folder named by FAKEMAME_FIXTURES; a missing fixture file prints nothing.
// With FAKEMAME_MODERN=1, -listsourcefile and -verifysets are refused the way a
// modern MAME refuses them: a message on stderr, nothing on stdout, status 6.
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
#include <thread>
#include <vector>

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::filesystem::path FixtureFolder() {
    const std::string chosen = Env("FAKEMAME_FIXTURES");
    if (!chosen.empty())
        return chosen;
    return std::filesystem::path(__FILE__).parent_path().parent_path() / "fixtures" / "old-mame";
}

std::string ReadFixture(const char* name) {
    std::ifstream in(FixtureFolder() / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Prints `text`, slowly (FAKEMAME_SLEEP: seconds after its first half) or
// cut short by a crash (FAKEMAME_CRASH: after that many lines), when asked.
void Print(const std::string& text) {
    const std::string sleep = Env("FAKEMAME_SLEEP"), crash = Env("FAKEMAME_CRASH");
    if (sleep.empty() && crash.empty()) {
        std::cout << text;
        return;
    }
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line + '\n');
    const std::size_t crashAt = crash.empty() ? lines.size() + 1 : std::stoul(crash);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == crashAt) {
            std::cout.flush();
            std::raise(SIGSEGV);
        }
        if (!sleep.empty() && i == lines.size() / 2) {
            std::cout.flush();
            std::this_thread::sleep_for(std::chrono::duration<double>(std::stod(sleep)));
        }
        std::cout << lines[i];
    }
}

void PrintFixture(const char* name) {
    Print(ReadFixture(name));
}

// Report lines read "romset NAME [PARENT] is ..."; keep those whose NAME is
// among the patterns, all of them for "*".
void PrintVerifySets(const std::set<std::string>& patterns) {
    if (patterns.count("*")) {
        PrintFixture("verifysets.txt");
        return;
    }
    std::istringstream report(ReadFixture("verifysets.txt"));
    std::string line;
    while (std::getline(report, line)) {
        std::istringstream words(line);
        std::string first, set;
        if (words >> first >> set && first == "romset" && patterns.count(set))
            std::cout << line << '\n';
    }
}

int CreateConfig(const char* invokedAs) {
    std::string name = std::filesystem::path(invokedAs).filename().string();
    const auto lower = [](unsigned char c) { return static_cast<char>(std::tolower(c)); };
    std::string end = name.size() >= 3 ? name.substr(name.size() - 3) : "";
    std::transform(end.begin(), end.end(), end.begin(), lower);
    if (end == "exe")
        name.replace(name.size() - 3, 3, "ini");
    else
        name += ".ini";
    std::ofstream ini(name, std::ios::binary | std::ios::trunc);
    ini << "#\n# CORE SEARCH PATH OPTIONS\n#\nrompath                   roms\n";
    return ini ? 0 : 1;
}

int LogPlay(const std::vector<std::string>& args) {
    const std::string logPath = Env("FAKEMAME_LOG");
    if (logPath.empty())
        return 0;
    std::ofstream log(logPath, std::ios::binary | std::ios::app);
    for (std::size_t i = 0; i < args.size(); ++i)
        log << (i ? " " : "") << args[i];
    log << '\n';
    return log ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return 0;
    const std::string& option = args[0];
    if (option[0] != '-')
        return LogPlay(args);

    const bool modern = Env("FAKEMAME_MODERN") == "1";
    if (modern && (option == "-listsourcefile" || option == "-verifysets")) {
        std::cerr << "Error: unknown option: " << option << '\n';
        return 6;
    }
    if (option == "-listfull")
        PrintFixture("listfull.txt");
    else if (option == "-listclones")
        PrintFixture("listclones.txt");
    else if (option == "-listsourcefile")
        PrintFixture("listsourcefile.txt");
    else if (option == "-verifysets")
        PrintVerifySets({args.begin() + 1, args.end()});
    else if (option == "-createconfig")
        return CreateConfig(argv[0]);
    else {
        std::cerr << "Error: unknown option: " << option << '\n';
        return 6;
    }
    return 0;
}
