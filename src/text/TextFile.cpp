// SPDX-License-Identifier: GPL-2.0-or-later
#include "text/TextFile.h"

#include "text/SystemPath.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
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

// The folder that holds `path`, as written: "." for a bare name, so that a
// folder is never named by a path made absolute through Qt, which would lose
// the bytes of a name that is not UTF-8.
QString folderOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

// A file of a fresh name beside the target, removed again unless it has been
// renamed into place.
class AsideFile {
  public:
    explicit AsideFile(QByteArray target) : m_target(std::move(target)) {}
    ~AsideFile() {
        closeFile();
        if (!m_kept && !m_name.isEmpty())
            ::unlink(m_name.constData());
    }
    AsideFile(const AsideFile&) = delete;
    AsideFile& operator=(const AsideFile&) = delete;

    // Creates a file of a fresh name in the target's folder.
    Outcome<Done> create() {
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_name = m_target + '.' +
                     QByteArray::number(QRandomGenerator::global()->generate(), 16)
                         .rightJustified(8, '0');
            m_fd = ::open(m_name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0)
                return Done{};
            if (errno == EEXIST)
                continue; // taken: another name
            const int error = errno;
            m_name.clear();
            return Failure{systemReason(error)};
        }
        m_name.clear();
        return Failure{QCoreApplication::translate("TextFile", "No free name for a file beside %1")
                           .arg(pathFromSystem(m_target))};
    }

    int descriptor() const { return m_fd; }
    const QByteArray& name() const { return m_name; }
    // Closes the file, telling the system's reason when that fails.
    Outcome<Done> closeFile() {
        if (m_fd < 0)
            return Done{};
        const int result = ::close(std::exchange(m_fd, -1));
        return result == 0 || errno == EINTR ? Outcome<Done>(Done{})
                                             : Outcome<Done>(Failure{systemReason(errno)});
    }
    void keep() { m_kept = true; }

  private:
    QByteArray m_target;
    QByteArray m_name;
    int m_fd = -1;
    bool m_kept = false;
};

Outcome<Done> syncFolder(const QString& folder) {
    const int fd = ::open(systemPath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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

// The file a symbolic link at `path` leads to, else `path` itself.
QString throughLink(const QString& path) {
    struct stat st {};
    if (::lstat(systemPath(path).constData(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char* resolved = ::realpath(systemPath(path).constData(), nullptr);
    if (!resolved)
        return path; // a dangling link: the new file takes its place
    const QString target =
        pathFromSystem(QByteArrayView(resolved, qsizetype(std::strlen(resolved))));
    std::free(resolved);
    return target;
}

// Writes what `source` gives to the file `fd`, checking every write, and adds
// the number of bytes the file accepted to `written`.
Outcome<Done> writeBytes(int fd, const ByteSource& source, qint64& written) {
    QByteArray chunk;
    chunk.reserve(kChunkBytes + kChunkBytes / 4);
    bool more = true;
    while (more) {
        chunk.clear();
        // The source adds a piece at a time until a chunk's worth has come.
        while (more && chunk.size() < kChunkBytes)
            more = source(chunk);
        // A file may take part of a write; the rest is offered again until
        // it takes all or fails.
        for (qsizetype offset = 0; offset < chunk.size();) {
            const ssize_t accepted =
                ::write(fd, chunk.constData() + offset, size_t(chunk.size() - offset));
            if (accepted < 0 && errno == EINTR)
                continue;
            if (accepted < 0)
                return Failure{systemReason(errno)};
            if (accepted == 0)
                return Failure{
                    QCoreApplication::translate("TextFile", "The device took no more bytes")};
            written += accepted;
            offset += accepted;
        }
    }
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

std::optional<QByteArray> readFileBytes(const QString& path) {
    const int fd = ::open(systemPath(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    QByteArray bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        bytes.reserve(qsizetype(st.st_size));
    char buffer[kChunkBytes];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ::close(fd);
            return got == 0 ? std::optional(bytes) : std::nullopt;
        }
        bytes.append(buffer, got);
    }
}

std::optional<QStringList> readLines(const QString& path) {
    const std::optional<QByteArray> bytes = readFileBytes(path);
    if (!bytes)
        return std::nullopt;
    return splitLines(*bytes);
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
    const QString path = throughLink(linkOrPath);
    const QByteArray target = systemPath(path);
    AsideFile aside(target);
    if (Outcome<Done> made = aside.create(); !made.ok())
        return made;
    if (struct stat old{}; ::stat(target.constData(), &old) == 0 &&
                           ::fchmod(aside.descriptor(), old.st_mode & 07777) != 0)
        return Failure{systemReason(errno)};

    qint64 written = 0;
    if (Outcome<Done> wrote = writeBytes(aside.descriptor(), source, written); !wrote.ok())
        return wrote;
    struct stat st {};
    if (::fstat(aside.descriptor(), &st) != 0)
        return Failure{systemReason(errno)};
    if (st.st_size != written)
        return Failure{
            QCoreApplication::translate("TextFile", "The file holds %1 bytes where %2 were written")
                .arg(qint64(st.st_size))
                .arg(written)};
    if (::fsync(aside.descriptor()) != 0)
        return Failure{systemReason(errno)};
    if (Outcome<Done> closed = aside.closeFile(); !closed.ok())
        return closed;
    if (std::rename(aside.name().constData(), target.constData()) != 0)
        return Failure{systemReason(errno)};
    aside.keep();
    // The file is in place from here on: a folder that cannot be synced only
    // makes the rename less sure to outlive a power cut, so it is not a failure.
    if (Outcome<Done> synced = syncFolder(folderOf(path)); !synced.ok())
        std::fprintf(stderr, "%s was written, but its folder could not be synced: %s\n",
                     target.constData(), synced.failure().toLocal8Bit().constData());
    return Done{};
}

int removeLeftoverWriteFiles(const QString& path, const QDateTime& before) {
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    const QRegularExpression partial(
        QStringLiteral("^%1\\.[0-9a-f]{8}$").arg(QRegularExpression::escape(name)));
    const int folder =
        ::open(systemPath(folderOf(path)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* entries = folder >= 0 ? ::fdopendir(folder) : nullptr;
    if (!entries) {
        if (folder >= 0)
            ::close(folder);
        return 0;
    }
    int removed = 0;
    while (const dirent* entry = ::readdir(entries)) {
        if (!partial.match(pathFromSystem(entry->d_name)).hasMatch())
            continue;
        struct stat st {};
        if (::fstatat(folder, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode) || st.st_mtime >= before.toSecsSinceEpoch())
            continue;
        if (::unlinkat(folder, entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(entries); // closes the folder as well
    return removed;
}

Outcome<QString> moveAside(const QString& path, const QDateTime& when) {
    const QString base =
        path + QStringLiteral(".broken-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int attempt = 1; attempt <= 100; ++attempt) {
        const QString aside = attempt == 1 ? base : base + QStringLiteral("-%1").arg(attempt);
        const QByteArray from = systemPath(path);
        const QByteArray to = systemPath(aside);
        struct stat st {};
        if (::lstat(to.constData(), &st) == 0)
            continue; // taken: another name
        if (std::rename(from.constData(), to.constData()) != 0)
            return Failure{systemReason(errno)};
        return aside;
    }
    return Failure{QCoreApplication::translate("TextFile", "No free name beside %1").arg(path)};
}

bool fileExists(const QString& name) {
    return isFile(name);
}
