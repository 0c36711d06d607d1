// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// A front end whose MAME is the fake one, in a working folder of its own,
// and a way to run its commands to their end.

#include "FakeMame.h"
#include "QtPrinters.h"
#include "frontend/FrontEnd.h"

class FrontEndFixture : public ::testing::Test {
  protected:
    FrontEndFixture() {
        frontEnd.setProgramName("coinslot");
        configure({});
    }

    // Starts with `settings` (the fake MAME as executable unless they name one).
    void configure(Settings settings) {
        if (settings.mameExecutable.isEmpty())
            settings.mameExecutable = "mame";
        frontEnd.configure(settings);
    }

    // Writes the database file and reads it through the saved filter and game.
    void loadDatabase(const QByteArray& bytes, qint32 lastGame = 0, const QString& filter = {}) {
        Settings settings = frontEnd.settings();
        settings.lastGame = lastGame;
        settings.driverFilter = filter;
        configure(settings);
        writeAll("coinslot.dat", bytes);
        ASSERT_TRUE(frontEnd.loadDatabase().ok());
    }

    // Runs a command that `start` begins to its end (or `seconds`).
    Outcome<JobResult> run(const std::function<void()>& start, int seconds = 20) {
        std::optional<Outcome<JobResult>> got;
        const auto connection =
            QObject::connect(&frontEnd, &FrontEnd::commandFinished,
                             [&](Command, const Outcome<JobResult>& outcome) { got = outcome; });
        start();
        QDeadlineTimer deadline(seconds * 1000);
        while (!got && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents,
                                            50);
        QObject::disconnect(connection);
        return got.value_or(Failure{"<the command did not finish>"});
    }
    // The same, cancelled as soon as MAME has shown progress.
    Outcome<JobResult> runCancelled(const std::function<void()>& start) {
        const auto cancel = QObject::connect(&frontEnd, &FrontEnd::progressChanged, &frontEnd,
                                             [this](const QString&, qint64 value) {
                                                 if (value > 0)
                                                     frontEnd.cancel();
                                             });
        const Outcome<JobResult> outcome = run(start);
        QObject::disconnect(cancel);
        return outcome;
    }
    // What a command that succeeded gave back, as `R`; anything else fails the test.
    template <class R> static R resultAs(const Outcome<JobResult>& outcome) {
        const R* result = outcome.ok() ? std::get_if<R>(&outcome.value()) : nullptr;
        if (!result)
            ADD_FAILURE() << "it gave " << outcome.failure().toStdString();
        return result ? *result : R{};
    }
    Outcome<JobResult> list() {
        return run([this] { frontEnd.list(); });
    }
    Outcome<JobResult> audit() {
        return run([this] { frontEnd.audit(); });
    }

    QStringList shownNames() const {
        QStringList names;
        for (qsizetype row = 0; row < frontEnd.games().shownRows().size(); ++row)
            names.append(frontEnd.games().shownGame(row).name());
        return names;
    }
    QString selectedName() const {
        const std::optional<GameRecord> game = frontEnd.games().selectedGame();
        return game ? game->name() : QStringLiteral("<none>");
    }
    // What MAME was asked for, one run a line.
    QStringList runs() const {
        QStringList all;
        for (const MameRunRequest& request : runner.requests)
            all.append(request.arguments.join(' '));
        return all;
    }

    FakeMameFolder folder;
    RecordingRunner runner;
    FrontEnd frontEnd{runner};
};
