// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "frontend/GameList.h"
#include "gamelist/SuggestionRanking.h"

#include <QList>
#include <QObject>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// One suggestion for a search text, as the drop-down shows it.
struct Suggestion {
    qint32 position = -1; // in the master table
    QString description;
    QString year;         // empty when not known
    QString manufacturer; // empty when not known
    bool favourite = false;

    bool operator==(const Suggestion&) const = default;
};

// The search suggestions: the shown games that match a text best
// (rankSuggestions()), worked out on a thread of their own so that typing
// never waits for them. Each request replaces the one before it, whose work
// stops; ready() brings the answer to the newest only. The index the ranking
// needs is made on that thread at the first request after the games or their
// facts changed, never before.
class GameSuggestions : public QObject {
    Q_OBJECT

  public:
    static constexpr int kMostSuggestions = 10;

    explicit GameSuggestions(const GameList& games, QObject* parent = nullptr);
    ~GameSuggestions() override;

    // Asks for the suggestions for `text`. An empty or blank text, or one
    // that begins with "[" (a set name), asks for none: it only cancels the
    // request before it.
    void request(const QString& text);
    // Cancels the request in progress: its answer never comes.
    void cancel();
    // Makes the index now, if the games or their facts changed since it was
    // made, so that the first request need not wait for it.
    void prepare();

  signals:
    // The suggestions for `text`, best first; none when nothing matches.
    void ready(const QString& text, const QList<Suggestion>& suggestions);

  private:
    struct Job {
        quint64 id = 0;
        QString text; // none: only the index is to be made
        ShownRows shown;
        std::vector<quint8> marks;
        std::shared_ptr<SuggestionSource> source; // set when the index is to be made anew
    };
    // Hands `job` to the thread, with the source of a new index when needed.
    void post(Job job);
    void work();
    std::vector<quint8> marks() const;

    const GameList& m_games;
    quint64 m_requests = 0;
    std::optional<quint64> m_indexedGeneration;
    std::atomic<quint64> m_newest{0};
    std::atomic<bool> m_ending{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Job> m_pending;
    std::unique_ptr<SuggestionIndex> m_index; // the thread's own
    std::thread m_thread;
};
