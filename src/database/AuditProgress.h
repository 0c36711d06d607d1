// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

// How far a current MAME's audit (-verifyroms *) has come. MAME reports its
// machines in set-name order, then its devices, and prints nothing for a set
// it does not find, so counting its verdicts stands still while most sets
// are missing. Instead, the last set it gave a verdict on ("romset NAME ...")
// is placed among the database's names in that same order: that place is how
// far the audit is. Names the database does not hold (devices) are skipped,
// and the place never goes back.
class AuditProgress {
  public:
    explicit AuditProgress(const GameTable& games);

    // Reads the next piece of MAME's output; gives the place reached so far,
    // from 0 (no set of the database yet) to total().
    qsizetype addOutput(QByteArrayView chunk);
    qsizetype total() const { return std::ssize(m_names); }

  private:
    void readLine(QByteArrayView line);

    std::vector<QString> m_names; // sorted
    QByteArray m_partialLine;
    qsizetype m_place = 0;
};
