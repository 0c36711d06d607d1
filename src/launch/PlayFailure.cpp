// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/PlayFailure.h"

#include "launch/SignalNames.h"
#include "text/TextFile.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <iterator>

namespace {

constexpr int kNotExecutable = 126;
constexpr int kNotFound = 127;
constexpr int kSignalBase = 128;
constexpr int kLastSignal = 64;
constexpr qsizetype kNamesShown = 4;
constexpr qsizetype kLinesKeptFromStart = 4;
constexpr qsizetype kLongestLine = 200;
const QString kEllipsis = QStringLiteral("\u2026");

bool isMameStatus(int status) {
    return status > 0 && status < kNotExecutable;
}

// Whether a line of MAME's is the sound system's rather than MAME's own:
// ALSA's, JACK's and PulseAudio's complaints on a machine without a sound
// card or server, which MAME passes on unasked.
bool isSoundSystemLine(const QString& line) {
    static const QLatin1String prefixes[] = {
        QLatin1String("ALSA lib "),
        QLatin1String("ALSA: "),
        QLatin1String("Cannot connect to server socket"),
        QLatin1String("Cannot connect to server request channel"),
        QLatin1String("jack server is not running"),
        QLatin1String("JackShmReadWritePtr"),
        QLatin1String("PulseAudio: "),
    };
    return std::any_of(std::begin(prefixes), std::end(prefixes),
                       [&line](QLatin1String prefix) { return line.startsWith(prefix); });
}

// MAME's own lines: blank lines and the sound system's left out.
QStringList mamesOwnLines(const QByteArray& bytes) {
    QStringList lines;
    for (const QString& line : splitLines(bytes)) {
        if (!line.trimmed().isEmpty() && !isSoundSystemLine(line))
            lines.append(line);
    }
    return lines;
}

// Whether MAME found a ROM file and found it wrong ("pacman.6e WRONG
// CHECKSUMS:", "pacman.6f WRONG LENGTH (expected: ...").
bool saysWrongFile(const RunResult& result) {
    for (const QByteArray* said : {&result.errorTail, &result.outputTail}) {
        if (said->contains(" WRONG CHECKSUMS") || said->contains(" WRONG LENGTH"))
            return true;
    }
    return false;
}

// The sentence for MAME's own status; nothing for one without a sentence.
std::optional<QString> currentMameSentence(const RunResult& result, const QString& game,
                                           const QString& name) {
    switch (result.exitCode) {
    case 1:
        return QCoreApplication::translate("PlayFailure", "MAME failed its own validity checks.");
    case 2:
        if (saysWrongFile(result))
            return QCoreApplication::translate("PlayFailure",
                                               "MAME found missing or wrong ROM files for %1.")
                .arg(game);
        return QCoreApplication::translate("PlayFailure",
                                           "MAME could not find the ROM files of %1.")
            .arg(game);
    case 3:
        return QCoreApplication::translate("PlayFailure", "MAME stopped with a fatal error.");
    case 4:
        return QCoreApplication::translate("PlayFailure",
                                           "MAME could not set up one of its devices.");
    case 5:
        return QCoreApplication::translate("PlayFailure", "MAME has no system named %1.").arg(name);
    case 6:
        return QCoreApplication::translate("PlayFailure",
                                           "MAME refused its options or its configuration.");
    default:
        return std::nullopt;
    }
}

QString sentenceFor(const RunResult& result, std::optional<MameGeneration> generation,
                    const QString& game, const QString& name) {
    if (result.end == RunEnd::FailedToStart)
        return QCoreApplication::translate("PlayFailure", "MAME could not be started.");
    if (result.end == RunEnd::OutputNotWritten)
        return QCoreApplication::translate("PlayFailure", "MAME's output could not be kept.");
    if (result.end == RunEnd::Crashed)
        return QCoreApplication::translate("PlayFailure", "MAME crashed (signal %1).")
            .arg(signalName(result.exitCode));
    const int status = result.exitCode;
    if (status == kNotExecutable || status == kNotFound)
        return QCoreApplication::translate("PlayFailure", "MAME could not be started.");
    if (status > kSignalBase && status <= kSignalBase + kLastSignal)
        return QCoreApplication::translate("PlayFailure", "MAME crashed (signal %1).")
            .arg(signalName(status - kSignalBase));
    if (generation == MameGeneration::Current) {
        if (const std::optional<QString> sentence = currentMameSentence(result, game, name))
            return *sentence;
    }
    return QCoreApplication::translate("PlayFailure", "MAME ended with status %1.").arg(status);
}

QString cut(const QString& line) {
    return line.size() <= kLongestLine ? line : line.left(kLongestLine) + kEllipsis;
}

} // namespace

bool dependsOnGeneration(const RunResult& result) {
    return result.end == RunEnd::Finished && isMameStatus(result.exitCode);
}

QStringList mameLastLines(const RunResult& result) {
    QStringList said = mamesOwnLines(result.errorTail);
    if (said.isEmpty())
        said = mamesOwnLines(result.outputTail);

    static const QRegularExpression notFound(QStringLiteral(R"(^(\S+)\s+NOT FOUND\b)"));
    QStringList lines;
    QStringList missing;
    qsizetype summaryAt = -1;
    for (const QString& line : said) {
        const QRegularExpressionMatch match = notFound.match(line);
        if (!match.hasMatch()) {
            lines.append(cut(line));
            continue;
        }
        if (missing.isEmpty()) {
            summaryAt = lines.size();
            lines.append(QString());
        }
        missing.append(match.captured(1));
    }
    if (!missing.isEmpty()) {
        QString summary = missing.size() == 1
                              ? QCoreApplication::translate("PlayFailure", "1 file not found: ")
                              : QCoreApplication::translate("PlayFailure", "%1 files not found: ")
                                    .arg(missing.size());
        summary += QStringList(missing.mid(0, kNamesShown)).join(QStringLiteral(", "));
        if (missing.size() > kNamesShown)
            summary += QStringLiteral(", ") + kEllipsis;
        lines[summaryAt] = summary;
    }
    if (lines.size() > kMostLastLines) {
        const qsizetype fromEnd = kMostLastLines - kLinesKeptFromStart - 1;
        lines = lines.mid(0, kLinesKeptFromStart) + QStringList{kEllipsis} +
                lines.mid(lines.size() - fromEnd);
    }
    return lines;
}

std::optional<QString> playFailureText(const RunResult& result,
                                       std::optional<MameGeneration> generation,
                                       const QString& description, const QString& name) {
    if (result.end == RunEnd::Cancelled || (result.end == RunEnd::Finished && result.exitCode == 0))
        return std::nullopt;
    const QString game = description + QStringLiteral(" [") + name + u']';
    QString text = sentenceFor(result, generation, game, name);
    QStringList lines = mameLastLines(result);
    if (result.end == RunEnd::FailedToStart || result.end == RunEnd::OutputNotWritten)
        lines.prepend(result.detail);
    if (!lines.isEmpty())
        text += QStringLiteral("\n\n") + lines.join(u'\n');
    return text;
}
