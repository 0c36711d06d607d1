// SPDX-License-Identifier: GPL-2.0-or-later
// The audit report: a game is kept exactly when a good verdict names it, and
// only an audit that MAME finished, its closing line on either stream, thins
// the table at all.
//
// The input is read as lines. A line that begins with byte 1 names a game of
// the master table (the rest of the line is its short name), one that begins
// with byte 2 is a line of MAME's standard error, every other line a line of
// the report; an input that begins with byte 3 stands for a run that left no
// report file.

#include "FuzzCheck.h"
#include "database/Audit.h"

#include <QSet>

namespace {

bool AllDigits(QStringView text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The closing line, read by hand rather than by pattern.
bool Closes(const QString& line) {
    const QStringView text = QStringView(line).trimmed();
    const qsizetype found = text.indexOf(u" romsets found, ");
    if (found > 0 && text.endsWith(u" were OK.")) {
        const qsizetype second = found + 16;
        return AllDigits(text.left(found)) && AllDigits(text.mid(second, text.size() - 9 - second));
    }
    if (!text.startsWith(u"romset \""))
        return false;
    const qsizetype quote = text.indexOf(u'"', 8);
    if (quote < 0)
        return false;
    const QStringView rest = text.mid(quote + 1);
    return rest == u" not found!" || rest == u" not supported!" || rest == u" has no roms!";
}

bool Good(const QString& line) {
    return line.contains(u"is good") || line.contains(u"is best available");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::Input(data, size);
    GameTable games;
    QStringList report, errors;
    for (const QByteArray& raw : fuzz::RawLines(bytes)) {
        const QString line = QString::fromUtf8(raw);
        if (raw.startsWith('\x01'))
            games.push_back({QStringLiteral("Game"), line.mid(1), {}, QStringLiteral("drv")});
        else if (raw.startsWith('\x02'))
            errors << line.mid(1);
        else
            report << line;
    }
    const bool noReport = bytes.startsWith('\x03');
    const Outcome<AuditResult> outcome =
        auditGames(games, noReport ? std::nullopt : std::optional<QStringList>(report), errors,
                   QStringLiteral("-verifyroms"));

    // What the outcome must be, worked out apart from the audit's own code.
    bool finished = !noReport;
    const auto mentions = [](const QString& l) { return l.contains(u"romset"); };
    finished = finished && (std::any_of(report.begin(), report.end(), mentions) ||
                            std::any_of(errors.begin(), errors.end(), mentions));
    QSet<QString> goodNames;
    for (const QString& line : report) {
        if (!Good(line))
            continue;
        const qsizetype blank = line.indexOf(u' ', 7);
        finished = finished && blank >= 0;
        if (blank >= 0)
            goodNames.insert(line.mid(7, blank - 7));
    }
    finished = finished && (std::any_of(report.begin(), report.end(), Closes) ||
                            std::any_of(errors.begin(), errors.end(), Closes));

    FUZZ_CHECK(outcome.ok() == finished);
    if (!finished) {
        FUZZ_CHECK(!outcome.failure().isEmpty());
        return 0;
    }
    GameTable kept;
    for (const GameRecord& game : games) {
        if (goodNames.contains(game.name()))
            kept.push_back(game);
    }
    FUZZ_CHECK(outcome.value().games == kept);
    FUZZ_CHECK(outcome.value().kept == std::ssize(kept));
    FUZZ_CHECK(outcome.value().removed == std::ssize(games) - std::ssize(kept));
    return 0;
}
