// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/GameSuggestions.h"

GameSuggestions::GameSuggestions(const GameList& games, QObject* parent)
    : QObject(parent), m_games(games) {}

GameSuggestions::~GameSuggestions() {
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void GameSuggestions::cancel() {
    m_newest = ++m_requests;
}

void GameSuggestions::request(const QString& text) {
    cancel();
    if (text.trimmed().isEmpty() || text.startsWith(u'[') || m_games.games().empty())
        return;
    post({m_requests, text, m_games.shownRows(), marks(), nullptr});
}

void GameSuggestions::prepare() {
    if (!m_games.games().empty() && m_indexedGeneration != m_games.generation())
        post({});
}

void GameSuggestions::post(Job job) {
    if (m_indexedGeneration != m_games.generation()) {
        job.source = std::make_shared<SuggestionSource>(suggestionSource(
            m_games.games(), m_games.facts(), m_games.manufacturers(), m_games.factColumns()));
        m_indexedGeneration = m_games.generation();
    }
    {
        const std::lock_guard lock(m_mutex);
        // A source not yet made into the index goes with the newer job.
        if (m_pending && m_pending->source && !job.source)
            job.source = std::move(m_pending->source);
        m_pending = std::move(job);
    }
    if (!m_thread.joinable())
        m_thread = std::thread([this] { work(); }); // when first needed, not at start-up
    m_wake.notify_one();
}

std::vector<quint8> GameSuggestions::marks() const {
    const GameFlags& flags = m_games.facts().flags;
    const std::vector<int>& plays = m_games.factColumns().playCounts;
    std::vector<quint8> marks(flags.size());
    for (size_t i = 0; i < marks.size(); ++i) {
        marks[i] = ((flags[i] & GameFlag::Favourite) ? SuggestionMark::Favourite : 0) |
                   (i < plays.size() && plays[i] > 0 ? SuggestionMark::Played : 0);
    }
    return marks;
}

void GameSuggestions::work() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_ending || m_pending; });
            if (m_ending)
                return;
            job = std::move(*m_pending);
            m_pending.reset();
        }
        if (job.source)
            m_index =
                std::make_unique<SuggestionIndex>(buildSuggestionIndex(std::move(*job.source)));
        if (!m_index || job.text.isEmpty() || m_newest != job.id)
            continue;
        const std::optional<std::vector<RankedGame>> ranked =
            rankSuggestions(*m_index, job.text, job.shown, job.marks, kMostSuggestions,
                            [&] { return m_newest != job.id || m_ending; });
        if (!ranked)
            continue;
        const SuggestionSource& source = m_index->source;
        QList<Suggestion> suggestions;
        for (const RankedGame& game : *ranked) {
            const auto at = static_cast<size_t>(game.position);
            suggestions.append(
                {game.position, source.descriptions[at],
                 at < source.years.size() ? source.years[at] : QString(),
                 at < source.manufacturers.size() ? source.manufacturers[at] : QString(),
                 at < job.marks.size() && (job.marks[at] & SuggestionMark::Favourite)});
        }
        QMetaObject::invokeMethod(
            this,
            [this, id = job.id, text = std::move(job.text), suggestions = std::move(suggestions)] {
                if (id == m_newest)
                    emit ready(text, suggestions);
            },
            Qt::QueuedConnection);
    }
}
