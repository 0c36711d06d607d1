// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <utility>

// Play's command line for the command shell.

// The start of Play's command line, built from the executable as saved or
// chosen: the executable itself, a bare name run as "./name" since the shell
// does not look in the working folder, quoted for the shell when it is not
// plain.
QString mameCommandFor(const QString& mameExecutable);

// `text` as one word for the command shell: unchanged when the shell would read
// it as it is, else in single quotes (a quote inside written as '\'').
QString shellQuote(const QString& text);

// The program and arguments that run Play's command line through the command
// shell: /bin/sh -f -c, so that no word is globbed.
std::pair<QString, QStringList> shellInvocation(const QString& commandLine);
