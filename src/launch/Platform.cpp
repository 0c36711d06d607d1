#include "launch/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

bool isShellPlain(const QString& text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                           (c >= u'0' && c <= u'9') || QStringView(u"_-.,+/:@%").contains(c);
        if (!plain)
            return false;
    }
    return true;
}

} // namespace

QString shellQuote(const QString& text) {
    if (isShellPlain(text))
        return text;
    QString quoted = text;
    quoted.replace(u'\'', QLatin1String("'\\''"));
    return u'\'' + quoted + u'\'';
}

QString mameIniFor(const QString& mameExecutable) {
    // MAME writes its ini into the working folder, wherever the executable lies.
    QString name = QFileInfo(mameExecutable).fileName();
    if (name.endsWith(QLatin1String("exe"), Qt::CaseInsensitive)) {
        name.chop(3);
        return name + QLatin1String("ini");
    }
    return name + QLatin1String(".ini");
}

QString temporaryFolder() {
    const QString temp = qEnvironmentVariable("TEMP");
    return temp.isEmpty() ? QDir::tempPath() : temp;
}

#ifdef Q_OS_WIN

QString mameCommandFor(const QString& mameExecutable) {
    const QString exe =
        mameExecutable.contains(u' ') ? u'"' + mameExecutable + u'"' : mameExecutable;
    return qEnvironmentVariable("COMSPEC") + QLatin1String(" /C ") + exe;
}

QString executableFileFilter() {
    return QStringLiteral("Executables (*.exe)");
}

std::pair<QString, QStringList> shellInvocation(const QString& commandLine) {
    // The line already starts with COMSPEC /C.
    const qsizetype split = commandLine.indexOf(QLatin1String(" /C "));
    return {commandLine.left(split), {QStringLiteral("/C"), commandLine.mid(split + 4)}};
}

void prepareChildProcess(QProcess&) {}

void endProcessGroup(qint64 pid, bool) {
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(pid))) {
        TerminateProcess(process, 1);
        CloseHandle(process);
    }
}

QString exitSignalText(const QProcess& process) {
    return QStringLiteral("exception 0x%1").arg(process.exitCode(), 8, 16, QLatin1Char('0'));
}

bool processIsRunning(qint64 pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return false;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

qint64 currentProcessId() {
    return GetCurrentProcessId();
}

bool openWithDefaultApp(const QString& path) {
    return QProcess::startDetached(QStringLiteral("NOTEPAD.EXE"), {QDir::toNativeSeparators(path)});
}

#else

QString mameCommandFor(const QString& mameExecutable) {
    if (!mameExecutable.isEmpty() && !mameExecutable.contains(u'/'))
        return shellQuote(QLatin1String("./") + mameExecutable);
    return shellQuote(mameExecutable);
}

QString executableFileFilter() {
    return QStringLiteral("Executables (*)");
}

std::pair<QString, QStringList> shellInvocation(const QString& commandLine) {
    return {QStringLiteral("/bin/sh"), {QStringLiteral("-f"), QStringLiteral("-c"), commandLine}};
}

void prepareChildProcess(QProcess& process) {
    process.setChildProcessModifier([] {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        // The front end may block signals or ignore SIGPIPE; MAME starts clean.
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        signal(SIGPIPE, SIG_DFL);
    });
}

void endProcessGroup(qint64 pid, bool hard) {
    const int signal = hard ? SIGKILL : SIGTERM;
    // Before the child has made its group, only the child itself is there.
    if (kill(-static_cast<pid_t>(pid), signal) == -1)
        kill(static_cast<pid_t>(pid), signal);
}

QString exitSignalText(const QProcess& process) {
    const int signal = process.exitCode();
    const char* name = strsignal(signal);
    return QStringLiteral("signal %1 (%2)").arg(signal).arg(QString::fromLocal8Bit(name));
}

bool processIsRunning(qint64 pid) {
    if (pid <= 0)
        return false;
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

qint64 currentProcessId() {
    return getpid();
}

bool openWithDefaultApp(const QString& path) {
    return QProcess::startDetached(QStringLiteral("xdg-open"), {path});
}

#endif
