// SPDX-License-Identifier: GPL-2.0-or-later
#include "text/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char32_t kEscapeBase = 0xDC00; // a lone U+DC80..U+DCFF stands for byte 0x80..0xFF
constexpr qsizetype kChunkBytes = 64 * 1024;

// The length of the well-formed UTF-8 sequence at bytes[i] and its code point,
// or 0 when the byte there does not start one.
int decodeSequence(QByteArrayView bytes, qsizetype i, char32_t& cp) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    int length = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() - i < length)
        return 0;
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

// How many bytes from the start are ASCII, eight at a time where it can.
qsizetype asciiPrefixLength(QByteArrayView bytes) {
    constexpr quint64 kHighBits = 0x8080808080808080ULL;
    qsizetype i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        quint64 word = 0;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        if (word & kHighBits)
            break;
    }
    while (i < bytes.size() && (static_cast<unsigned char>(bytes[i]) & 0x80) == 0)
        ++i;
    return i;
}

void appendUtf8(QByteArray& out, char32_t cp) {
    if (cp < 0x80) {
        out.append(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.append(static_cast<char>(0xC0 | (cp >> 6)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.append(static_cast<char>(0xE0 | (cp >> 12)));
        out.append(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.append(static_cast<char>(0xF0 | (cp >> 18)));
        out.append(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.append(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Removes the file beside the target unless it has been renamed into place.
class AsideFile {
  public:
    explicit AsideFile(const QString& target) : m_target(target) {}
    ~AsideFile() {
        if (m_file.isOpen())
            m_file.close();
        if (!m_kept && !m_file.fileName().isEmpty())
            QFile::remove(m_file.fileName());
    }
    AsideFile(const AsideFile&) = delete;
    AsideFile& operator=(const AsideFile&) = delete;

    // Creates a file of a fresh name in the target's folder.
    Outcome<Done> create() {
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_file.setFileName(m_target +
                               QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(), 8,
                                                         16, QChar(u'0')));
            if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
                return Done{};
            if (QFileInfo::exists(m_file.fileName()))
                continue; // taken: another name
            const QString reason = m_file.errorString();
            m_file.setFileName(QString());
            return Failure{reason};
        }
        m_file.setFileName(QString());
        return Failure{QStringLiteral("No free name for a file beside %1").arg(m_target)};
    }

    QFile& file() { return m_file; }
    void keep() { m_kept = true; }

  private:
    QString m_target;
    QFile m_file;
    bool m_kept = false;
};

// Making a file durable and putting it in place.
Outcome<Done> syncFile(QFile& file) {
    if (::fsync(file.handle()) != 0)
        return Failure{systemReason(errno)};
    return Done{};
}

Outcome<Done> replaceFile(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return Failure{systemReason(errno)};
    return Done{};
}

Outcome<Done> syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Failure{systemReason(errno)};
    // Some file systems cannot sync a folder at all; there is nothing more to do then.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    const int error = errno;
    ::close(fd);
    if (!synced)
        return Failure{systemReason(error)};
    return Done{};
}

// Writes what `source` gives to `device`, checking every write, and adds the
// number of bytes the device accepted to `written`.
Outcome<Done> writeBytes(QIODevice& device, const ByteSource& source, qint64& written) {
    QByteArray chunk;
    chunk.reserve(kChunkBytes + kChunkBytes / 4);
    bool more = true;
    while (more) {
        chunk.clear();
        // The source adds a piece at a time until a chunk's worth has come.
        while (more && chunk.size() < kChunkBytes)
            more = source(chunk);
        // A device may take part of a write; the rest is offered again until
        // it takes all or fails.
        for (qsizetype offset = 0; offset < chunk.size();) {
            const qint64 accepted = device.write(chunk.constData() + offset, chunk.size() - offset);
            if (accepted < 0)
                return Failure{device.errorString()};
            if (accepted == 0)
                return Failure{QStringLiteral("The device took no more bytes")};
            written += accepted;
            offset += accepted;
        }
    }
    if (auto* file = qobject_cast<QFileDevice*>(&device); file && !file->flush())
        return Failure{file->errorString()};
    return Done{};
}

} // namespace

qsizetype decodeTextInto(QByteArrayView bytes, char16_t* const begin) {
    const char* const data = bytes.data();
    const qsizetype size = bytes.size();
    char16_t* out = begin;
    qsizetype i = 0;
    while (i < size) {
        for (; i < size && static_cast<unsigned char>(data[i]) < 0x80; ++i)
            *out++ = static_cast<char16_t>(data[i]);
        if (i == size)
            break;
        char32_t cp = 0;
        const int length = decodeSequence(bytes, i, cp);
        if (length == 0) {
            *out++ = static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(data[i]));
            ++i;
        } else if (cp >= 0x10000) {
            *out++ = QChar::highSurrogate(cp);
            *out++ = QChar::lowSurrogate(cp);
            i += length;
        } else {
            *out++ = static_cast<char16_t>(cp);
            i += length;
        }
    }
    return out - begin;
}

QString decodeText(QByteArrayView bytes) {
    if (asciiPrefixLength(bytes) == bytes.size())
        return QString::fromLatin1(bytes); // the usual case, and a fast one
    QString text(bytes.size(), Qt::Uninitialized);
    text.truncate(decodeTextInto(bytes, reinterpret_cast<char16_t*>(text.data())));
    return text;
}

QByteArray encodeText(QStringView text) {
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return text.toLatin1();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            appendUtf8(bytes, QChar::surrogateToUcs4(unit, text[i + 1].unicode()));
            ++i;
        } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
            bytes.append(static_cast<char>(unit - kEscapeBase));
        } else if (QChar::isSurrogate(unit)) {
            appendUtf8(bytes, QChar::ReplacementCharacter);
        } else {
            appendUtf8(bytes, unit);
        }
    }
    return bytes;
}

bool readsBackAsWritten(QStringView text) {
    const bool hasSurrogate =
        std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); });
    return !hasSurrogate || decodeText(encodeText(text)) == text;
}

QStringList splitLines(const QByteArray& bytes) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    const QByteArrayView view(bytes);
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(decodeText(view.sliced(start, i - start)));
        if (c == '\r' && i + 1 < size && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(decodeText(view.sliced(start)));
    return lines;
}

std::optional<QStringList> readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return splitLines(bytes);
}

void appendEncodedText(QByteArray& out, QStringView text) {
    const qsizetype at = out.size();
    out.resize(at + text.size());
    char* const bytes = out.data() + at;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit >= 0x80) { // the rest the long way
            out.truncate(at + i);
            out += encodeText(text.sliced(i));
            return;
        }
        bytes[i] = static_cast<char>(unit);
    }
}

ByteSource linesSource(const QStringList& lines) {
    return [&lines, next = qsizetype(0)](QByteArray& out) mutable {
        if (next == lines.size())
            return false;
        appendEncodedText(out, lines[next++]);
        out += "\r\n";
        return next < lines.size();
    };
}

Outcome<Done> writeLinesAtomically(const QString& path, const QStringList& lines) {
    return writeFileAtomically(path, linesSource(lines));
}

Outcome<Done> writeFileAtomically(const QString& linkOrPath, const ByteSource& source) {
    // A symbolic link stays one: the file it points to is replaced.
    const QFileInfo info(linkOrPath);
    const QString path = info.isSymLink() && !info.canonicalFilePath().isEmpty()
                             ? info.canonicalFilePath()
                             : linkOrPath;
    AsideFile aside(path);
    if (Outcome<Done> made = aside.create(); !made.ok())
        return made;
    QFile& file = aside.file();
    if (QFile::exists(path) && !file.setPermissions(QFile::permissions(path)))
        return Failure{file.errorString()};

    qint64 written = 0;
    if (Outcome<Done> wrote = writeBytes(file, source, written); !wrote.ok())
        return wrote;
    const qint64 size = file.size();
    if (file.error() != QFileDevice::NoError)
        return Failure{file.errorString()};
    if (size != written)
        return Failure{
            QStringLiteral("The file holds %1 bytes where %2 were written").arg(size).arg(written)};
    if (Outcome<Done> synced = syncFile(file); !synced.ok())
        return synced;
    file.close();
    if (file.error() != QFileDevice::NoError)
        return Failure{file.errorString()};

    if (Outcome<Done> replaced = replaceFile(file.fileName(), path); !replaced.ok())
        return replaced;
    aside.keep();
    return syncFolder(QFileInfo(path).absolutePath());
}

int removeLeftoverWriteFiles(const QString& path, const QDateTime& before) {
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    const QRegularExpression name(
        QStringLiteral("^%1\\.[0-9a-f]{8}$").arg(QRegularExpression::escape(target.fileName())));
    int removed = 0;
    const QStringList candidates =
        folder.entryList({target.fileName() + QStringLiteral(".*")},
                         QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString& candidate : candidates) {
        if (!name.match(candidate).hasMatch())
            continue;
        const QByteArray file = QFile::encodeName(folder.filePath(candidate));
        struct stat st {};
        if (::lstat(file.constData(), &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_mtime >= before.toSecsSinceEpoch())
            continue;
        if (::unlink(file.constData()) == 0)
            ++removed;
    }
    return removed;
}

Outcome<QString> moveAside(const QString& path, const QDateTime& when) {
    const QString base =
        path + QStringLiteral(".broken-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int attempt = 1; attempt <= 100; ++attempt) {
        const QString aside = attempt == 1 ? base : base + QStringLiteral("-%1").arg(attempt);
        const QByteArray from = QFile::encodeName(path);
        const QByteArray to = QFile::encodeName(aside);
        struct stat st {};
        if (::lstat(to.constData(), &st) == 0)
            continue; // taken: another name
        if (std::rename(from.constData(), to.constData()) != 0)
            return Failure{systemReason(errno)};
        return aside;
    }
    return Failure{QStringLiteral("No free name beside %1").arg(path)};
}

bool fileExists(const QString& name) {
    return !name.isEmpty() && QFileInfo(name).isFile();
}
