// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/CommandLine.h"

#include "text/SystemPath.h"
#include "text/TextFile.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kBadUsage = 2;

QString programName(const QStringList& arguments) {
    const QString name = arguments.isEmpty() ? QString() : QFileInfo(arguments[0]).fileName();
    return name.isEmpty() ? QStringLiteral("coinslot") : name;
}

StartChoice exitWith(const QString& text, int status) {
    StartChoice choice;
    choice.text = text.endsWith('\n') ? text : text + '\n';
    choice.exitStatus = status;
    return choice;
}

StartChoice usageError(const QStringList& arguments, const QString& reason) {
    return exitWith(programName(arguments) + QStringLiteral(": ") + reason, kBadUsage);
}

// `folder` made absolute from the current folder as the system names it, so
// that the bytes of a name that is not UTF-8 stay as they are.
QString absoluteFolder(const QString& folder) {
    return QDir::cleanPath(QDir::isAbsolutePath(folder) ? folder : currentFolder() + u'/' + folder);
}

bool exists(const QString& path) {
    struct stat st {};
    return ::stat(systemPath(path).constData(), &st) == 0;
}

void removeFolders(const std::vector<QString>& made) {
    for (auto back = made.rbegin(); back != made.rend(); ++back)
        ::rmdir(systemPath(*back).constData());
}

} // namespace

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << pathFromSystem(argv[i]); // a folder's bytes, whatever they are
    return arguments;
}

StartChoice parseCommandLine(const QStringList& arguments, const QString& version) {
    QCommandLineParser parser;
    // "-folder" means "--folder", not "-f -o -l ..."; there are no short forms
    // to cluster.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "A front end for the MAME arcade emulator.\n"
                       "It works in the current folder, or in the one --folder names: its\n"
                       "settings, its game database and an old MAME's ini files are kept there.\n"
                       "The MAME executable may lie anywhere: it is chosen at the first start,\n"
                       "and changed later with \"MAME executable...\" in the menu that a\n"
                       "right click on the window's background opens."));
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        QCoreApplication::translate("CommandLine", "Show this help and exit."));
    const QCommandLineOption showVersion(
        {QStringLiteral("v"), QStringLiteral("version")},
        QCoreApplication::translate("CommandLine", "Show the version and exit."));
    const QCommandLineOption folder(
        QStringLiteral("folder"),
        QCoreApplication::translate(
            "CommandLine", "Work in <dir> instead of the current folder; it is made if missing."),
        QStringLiteral("dir"));
    parser.addOptions({help, showVersion, folder});

    if (!parser.parse(arguments))
        return usageError(arguments, parser.errorText());
    if (parser.isSet(help)) {
        // The parser names the program after the application object, or a
        // placeholder before there is one; the usage line names it from the
        // arguments instead.
        const QString text = parser.helpText();
        return exitWith(QCoreApplication::translate("CommandLine", "Usage: %1 [options]")
                                .arg(programName(arguments)) +
                            text.mid(text.indexOf('\n')),
                        0);
    }
    if (parser.isSet(showVersion))
        return exitWith(programName(arguments) + ' ' + version, 0);
    if (!parser.positionalArguments().isEmpty())
        return usageError(arguments,
                          QCoreApplication::translate("CommandLine", "Unexpected argument '%1'.")
                              .arg(parser.positionalArguments().constFirst()));

    StartChoice choice;
    choice.run = true;
    if (parser.isSet(folder)) {
        const QString dir = parser.values(folder).constLast();
        if (dir.isEmpty())
            return usageError(
                arguments, QCoreApplication::translate("CommandLine", "The folder name is empty."));
        choice.folder = absoluteFolder(dir);
    }
    return choice;
}

Outcome<Done> enterWorkingFolder(const QString& folder) {
    const QString path = absoluteFolder(folder);
    // The missing folders, innermost first, so a failure part-way can take
    // back exactly what was made.
    std::vector<QString> missing;
    for (QString at = path; !exists(at);) {
        missing.push_back(at);
        const qsizetype slash = at.lastIndexOf(u'/');
        const QString parent = slash <= 0 ? QStringLiteral("/") : at.left(slash);
        if (parent == at)
            break;
        at = parent;
    }
    std::vector<QString> made;
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (::mkdir(systemPath(*it).constData(), 0777) != 0) {
            removeFolders(made);
            return Failure{
                QCoreApplication::translate("CommandLine", "Cannot make the folder '%1'.")
                    .arg(folder)};
        }
        made.push_back(*it);
    }
    if (!isFolder(path))
        return Failure{
            QCoreApplication::translate("CommandLine", "'%1' is not a folder.").arg(folder)};
    if (::chdir(systemPath(path).constData()) != 0) {
        removeFolders(made);
        return Failure{QCoreApplication::translate("CommandLine", "Cannot work in the folder '%1'.")
                           .arg(folder)};
    }
    return Done{};
}

StartChoice chooseStart(const QStringList& arguments, const QString& version) {
    StartChoice choice = parseCommandLine(arguments, version);
    if (choice.run && !choice.folder.isEmpty()) {
        if (const Outcome<Done> entered = enterWorkingFolder(choice.folder); !entered.ok())
            return usageError(arguments, entered.failure());
    }
    return choice;
}

int printAndEnd(const StartChoice& choice) {
    std::FILE* stream = choice.exitStatus == 0 ? stdout : stderr;
    std::fputs(encodeText(choice.text).constData(), stream); // a folder's name as it was given
    std::fflush(stream);
    return choice.exitStatus;
}
