// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

class QProcess;

// What ended a crashed process, for a message ("signal 11 (Segmentation fault)").
QString exitSignalText(const QProcess& process);

// A signal's name, such as "SIGSEGV" for 11; "signal N" for a number without one.
QString signalName(int signal);
