// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

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

QString mameCommandFor(const QString& mameExecutable) {
    if (!mameExecutable.isEmpty() && !mameExecutable.contains(u'/'))
        return shellQuote(QLatin1String("./") + mameExecutable);
    return shellQuote(mameExecutable);
}

std::pair<QString, QStringList> shellInvocation(const QString& commandLine) {
    return {QStringLiteral("/bin/sh"), {QStringLiteral("-f"), QStringLiteral("-c"), commandLine}};
}

void prepareChildProcess(QProcess& process, int output) {
    process.setChildProcessModifier([output] {
        if (output >= 0)
            dup2(output, STDOUT_FILENO);
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        // The front end may block signals or ignore SIGPIPE; MAME starts clean.
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        signal(SIGPIPE, SIG_DFL);
    });
}

Outcome<std::pair<int, int>> makeOutputPipe() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return Failure{QString::fromLocal8Bit(std::strerror(errno))};
    fcntl(ends[0], F_SETFL, fcntl(ends[0], F_GETFL) | O_NONBLOCK);
    fcntl(ends[0], F_SETPIPE_SZ, 1 << 20); // a smaller pipe works too, only slower
    return std::pair{ends[0], ends[1]};
}

void closeDescriptor(int descriptor) {
    if (descriptor >= 0)
        ::close(descriptor);
}

void endProcessGroup(qint64 pid, bool hard) {
    const int signal = hard ? SIGKILL : SIGTERM;
    // Before the child has made its group, only the child itself is there.
    if (kill(-static_cast<pid_t>(pid), signal) == -1)
        kill(static_cast<pid_t>(pid), signal);
}

void killProcessGroupRemains(qint64 pid) {
    if (pid > 0)
        kill(-static_cast<pid_t>(pid), SIGKILL);
}

QString exitSignalText(const QProcess& process) {
    const int signal = process.exitCode();
    const char* name = strsignal(signal);
    return QStringLiteral("signal %1 (%2)").arg(signal).arg(QString::fromLocal8Bit(name));
}

QString signalName(int signal) {
    if (const char* abbreviation = sigabbrev_np(signal))
        return QStringLiteral("SIG") + QString::fromLatin1(abbreviation);
    return QStringLiteral("signal %1").arg(signal);
}

void writeToOwnChannel(OwnChannel channel, QByteArrayView bytes) {
    const int fd = channel == OwnChannel::Output ? STDOUT_FILENO : STDERR_FILENO;
    // A write to a closed pipe raises SIGPIPE: held back here, and taken if
    // this write raised it.
    sigset_t pipe, previous;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, &previous);
    sigset_t pendingBefore;
    sigpending(&pendingBefore);
    const char* at = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        at += written;
        left -= written;
    }
    sigset_t pendingNow;
    sigpending(&pendingNow);
    if (sigismember(&pendingNow, SIGPIPE) && !sigismember(&pendingBefore, SIGPIPE)) {
        const timespec none{};
        sigtimedwait(&pipe, nullptr, &none);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
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
