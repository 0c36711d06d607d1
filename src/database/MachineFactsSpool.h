// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/MachineFacts.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <optional>

// The machine facts of a listing, written one machine after another to a
// file as the listing is read, and read back in the same order when they are
// kept: a million machines' facts are never in memory together. One thread
// at a time uses a spool.
class MachineFactsSpool : public MachineFactsSource {
  public:
    // Makes the file `path` afresh; failure() tells when it cannot.
    explicit MachineFactsSpool(const QString& path);
    MachineFactsSpool(const MachineFactsSpool&) = delete;
    MachineFactsSpool& operator=(const MachineFactsSpool&) = delete;

    // Appends one machine's facts. After a failure nothing more is written.
    void append(const MachineFacts& facts);
    qsizetype size() const { return m_count; }

    // Reads the facts back from the first machine on: each call gives the
    // next machine's, and nullptr after the last one or when the file cannot
    // be read (failure() then tells why). The facts given stay valid until
    // the next call.
    const MachineFacts* next() override;
    // Why the facts could not all be written or read back; nothing while all
    // is well.
    std::optional<QString> failure() const override { return m_failure; }

  private:
    bool flush();
    void fail(const QString& why);

    QFile m_file;
    QByteArray m_buffer;   // written, not yet in the file; or read, not yet given
    qsizetype m_taken = 0; // bytes of m_buffer given back while reading
    qsizetype m_count = 0;
    qsizetype m_given = 0;
    bool m_reading = false;
    MachineFacts m_current;
    std::optional<QString> m_failure;
};
