#include "launch/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_WIN
#include <string>
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;
#endif

QString MameCommandFor(const QString& strMameExe) {
#ifdef Q_OS_WIN
    return qEnvironmentVariable("COMSPEC") + " /C " + strMameExe;
#else
    if (!strMameExe.isEmpty() && !strMameExe.contains('/'))
        return "./" + strMameExe;
    return strMameExe;
#endif
}

QString MameIniFor(const QString& strMameExe) {
    // MAME writes its ini into the working folder, wherever the executable lies.
    QString name = QFileInfo(strMameExe).fileName();
    if (name.endsWith("exe", Qt::CaseInsensitive)) {
        name.chop(3);
        return name + "ini";
    }
    return name + ".ini";
}

QString ExecutableFileFilter() {
#ifdef Q_OS_WIN
    return QStringLiteral("Executables (*.exe)");
#else
    return QStringLiteral("Executables (*)");
#endif
}

bool PlatformPrimesMame() {
    // Only the Windows 9x family needs it. Qt 6 does not run there, and Linux
    // never needs it.
    return false;
}

QString TemporaryFolder() {
    const QString temp = qEnvironmentVariable("TEMP");
    return temp.isEmpty() ? QDir::tempPath() : temp;
}

bool IsShellSafePath(const QString& path) {
#ifdef Q_OS_WIN
    const QString extra = "_-.~+,@:\\/";
#else
    const QString extra = "_-.~+,@:/";
#endif
    if (path.isEmpty() || path.startsWith('~'))
        return false;
    for (const QChar c : path) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || extra.contains(c);
        if (!plain)
            return false;
    }
    return true;
}

#ifdef Q_OS_WIN

bool RunThroughShell(const QString& commandLine, bool hide) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (hide) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
    }
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine.toStdWString(); // CreateProcessW may write into it
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &process))
        return false;
    if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool OpenWithDefaultApp(const QString& path) {
    return QProcess::startDetached("NOTEPAD.EXE", {QDir::toNativeSeparators(path)});
}

#else

namespace {

// Waits for `pid`, retrying when a signal interrupts the wait.
pid_t WaitFor(pid_t pid) {
    int status = 0;
    pid_t result;
    do {
        result = waitpid(pid, &status, 0);
    } while (result == -1 && errno == EINTR);
    return result;
}

} // namespace

bool RunThroughShell(const QString& commandLine, bool /*hide*/) {
    const QByteArray line = commandLine.toLocal8Bit();
    char shell[] = "/bin/sh";
    char noGlob[] = "-f";
    char dashC[] = "-c";
    char* argv[] = {shell, noGlob, dashC, const_cast<char*>(line.constData()), nullptr};

    // The shell starts with no blocked signals and default SIGPIPE and SIGCHLD
    // handling, whatever the front end has set up for itself.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGCHLD);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const int error = posix_spawn(&pid, shell, nullptr, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0)
        return false;

    if (WaitFor(pid) == -1 && errno != ECHILD) {
        // The wait itself failed: end the shell instead of leaving it behind.
        // (ECHILD means it has ended and was collected elsewhere.)
        kill(pid, SIGKILL);
        WaitFor(pid);
    }
    return true;
}

bool OpenWithDefaultApp(const QString& path) {
    return QProcess::startDetached("xdg-open", {path});
}

#endif
