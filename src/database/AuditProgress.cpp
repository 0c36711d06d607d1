// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/AuditProgress.h"

#include <algorithm>

namespace {

constexpr QByteArrayView kVerdict = "romset ";
// A line longer than this names no set of the database; only its start matters.
constexpr qsizetype kLongestKept = 4096;

} // namespace

AuditProgress::AuditProgress(const GameTable& games) {
    m_names.reserve(games.size());
    for (const GameRecord& game : games)
        m_names.push_back(game.name());
    std::sort(m_names.begin(), m_names.end());
}

qsizetype AuditProgress::addOutput(QByteArrayView chunk) {
    qsizetype start = 0;
    for (qsizetype end = chunk.indexOf('\n'); end >= 0; end = chunk.indexOf('\n', start)) {
        const QByteArrayView piece = chunk.sliced(start, end - start);
        if (m_partialLine.isEmpty()) {
            readLine(piece);
        } else {
            m_partialLine += piece;
            readLine(m_partialLine);
            m_partialLine.clear();
        }
        start = end + 1;
    }
    if (m_partialLine.size() < kLongestKept)
        m_partialLine += chunk.sliced(start).first(
            std::min(chunk.size() - start, kLongestKept - m_partialLine.size()));
    return m_place;
}

void AuditProgress::readLine(QByteArrayView line) {
    if (!line.startsWith(kVerdict))
        return;
    const QByteArrayView rest = line.sliced(kVerdict.size());
    const qsizetype blank = rest.indexOf(' ');
    const QString name = QString::fromUtf8(blank < 0 ? rest : rest.first(blank));
    const auto at = std::lower_bound(m_names.begin(), m_names.end(), name);
    if (at == m_names.end() || *at != name)
        return;
    m_place = std::max<qsizetype>(m_place, (at - m_names.begin()) + 1);
}
