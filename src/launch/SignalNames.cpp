// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/SignalNames.h"

#include <QCoreApplication>
#include <QProcess>

#include <cstring>

QString exitSignalText(const QProcess& process) {
    const int signal = process.exitCode();
    const char* name = strsignal(signal);
    return QCoreApplication::translate("SignalNames", "signal %1 (%2)")
        .arg(signal)
        .arg(QString::fromLocal8Bit(name));
}

QString signalName(int signal) {
    if (const char* abbreviation = sigabbrev_np(signal))
        return QStringLiteral("SIG") + QString::fromLatin1(abbreviation);
    return QCoreApplication::translate("SignalNames", "signal %1").arg(signal);
}
