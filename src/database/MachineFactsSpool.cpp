// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/MachineFactsSpool.h"

#include <QtEndian>
#include <array>
#include <cstring>

namespace {

constexpr qsizetype kBufferBytes = 256 * 1024;

// One machine's record: its byte count, then each text as its count of
// UTF-16 code units and the units (so that any text comes back as it was),
// then the numbers, all little-endian.
template <class T> void put(QByteArray& out, T value) {
    char bytes[sizeof(T)];
    qToLittleEndian<T>(value, bytes);
    out.append(bytes, sizeof(T));
}

void putText(QByteArray& out, const QString& text) {
    put<quint32>(out, static_cast<quint32>(text.size()));
    out.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

std::array<QString MachineFacts::*, 9> texts() {
    return {&MachineFacts::name,
            &MachineFacts::year,
            &MachineFacts::manufacturer,
            &MachineFacts::imperfectFeatures,
            &MachineFacts::unemulatedFeatures,
            &MachineFacts::cloneOf,
            &MachineFacts::sourceFile,
            &MachineFacts::softwareLists,
            &MachineFacts::screenType};
}

std::array<int MachineFacts::*, 4> numbers() {
    return {&MachineFacts::screenRotation, &MachineFacts::screens, &MachineFacts::players,
            &MachineFacts::coins};
}

// Reads a record written by put/putText from `bytes`; false when it is not one.
class RecordReader {
  public:
    explicit RecordReader(QByteArrayView bytes) : m_bytes(bytes) {}
    template <class T> bool get(T& value) {
        if (m_bytes.size() - m_at < qsizetype(sizeof(T)))
            return false;
        value = qFromLittleEndian<T>(m_bytes.data() + m_at);
        m_at += sizeof(T);
        return true;
    }
    bool getText(QString& text) {
        quint32 units = 0;
        if (!get(units) || (m_bytes.size() - m_at) / 2 < qsizetype(units))
            return false;
        text.resize(units);
        std::memcpy(text.data(), m_bytes.data() + m_at, units * 2);
        m_at += units * 2;
        return true;
    }
    bool atEnd() const { return m_at == m_bytes.size(); }

  private:
    QByteArrayView m_bytes;
    qsizetype m_at = 0;
};

} // namespace

MachineFactsSpool::MachineFactsSpool(const QString& path) : m_file(path) {
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Truncate))
        fail(m_file.errorString());
    m_buffer.reserve(kBufferBytes + 4096);
}

void MachineFactsSpool::fail(const QString& why) {
    if (!m_failure)
        m_failure = why;
    m_buffer = {};
}

bool MachineFactsSpool::flush() {
    if (m_failure)
        return false;
    if (m_file.write(m_buffer) != m_buffer.size()) {
        fail(m_file.errorString());
        return false;
    }
    m_buffer.clear();
    return true;
}

void MachineFactsSpool::append(const MachineFacts& facts) {
    if (m_failure || m_reading)
        return;
    const qsizetype start = m_buffer.size();
    put<quint32>(m_buffer, 0); // the record's size, filled in below
    for (QString MachineFacts::*text : texts())
        putText(m_buffer, facts.*text);
    for (int MachineFacts::*number : numbers())
        put<qint32>(m_buffer, facts.*number);
    put<quint8>(m_buffer, static_cast<quint8>(facts.status));
    put<quint8>(m_buffer, facts.mechanical ? 1 : 0);
    put<quint8>(m_buffer, facts.needsDisk ? 1 : 0);
    qToLittleEndian<quint32>(static_cast<quint32>(m_buffer.size() - start - 4),
                             m_buffer.data() + start);
    ++m_count;
    if (m_buffer.size() >= kBufferBytes)
        flush();
}

const MachineFacts* MachineFactsSpool::next() {
    if (!m_reading) {
        if (!flush())
            return nullptr;
        m_reading = true;
        if (!m_file.seek(0)) {
            fail(m_file.errorString());
            return nullptr;
        }
    }
    if (m_failure || m_given == m_count)
        return nullptr;
    // Enough bytes for the next record, or the failure to read them.
    const auto available = [this] { return m_buffer.size() - m_taken; };
    quint32 size = 0;
    for (;;) {
        if (available() >= 4) {
            size = qFromLittleEndian<quint32>(m_buffer.constData() + m_taken);
            if (available() >= 4 + qsizetype(size))
                break;
        }
        m_buffer.remove(0, m_taken);
        m_taken = 0;
        const qsizetype had = m_buffer.size();
        m_buffer.resize(had + std::max<qsizetype>(kBufferBytes, qsizetype(size) + 4));
        const qint64 got = m_file.read(m_buffer.data() + had, m_buffer.size() - had);
        m_buffer.truncate(had + std::max<qint64>(got, 0));
        if (got <= 0) {
            fail(got < 0 ? m_file.errorString()
                         : QStringLiteral("the file of machine facts ends too soon"));
            return nullptr;
        }
    }
    RecordReader record(QByteArrayView(m_buffer).sliced(m_taken + 4, size));
    bool ok = true;
    for (QString MachineFacts::*text : texts())
        ok = ok && record.getText(m_current.*text);
    for (int MachineFacts::*number : numbers()) {
        qint32 value = 0;
        ok = ok && record.get(value);
        m_current.*number = value;
    }
    quint8 status = 0, mechanical = 0, disk = 0;
    ok = ok && record.get(status) && record.get(mechanical) && record.get(disk) && record.atEnd();
    if (!ok) {
        fail(QStringLiteral("the file of machine facts is damaged"));
        return nullptr;
    }
    m_current.status = static_cast<DriverStatus>(status);
    m_current.mechanical = mechanical != 0;
    m_current.needsDisk = disk != 0;
    m_taken += 4 + size;
    ++m_given;
    return &m_current;
}
