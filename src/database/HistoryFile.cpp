// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/HistoryFile.h"

#include <QFile>
#include <QXmlStreamReader>

namespace {

constexpr qint64 kLargestHistoryFile = qint64(512) << 20;
constexpr qint64 kLargestEntry = 1 << 20;
const QByteArrayView kEntryOpen = "<entry";
const QByteArrayView kEntryClose = "</entry>";

// The value of the attribute `name` in the tag starting at `tag`, or nothing.
std::optional<QByteArrayView> attribute(QByteArrayView tag, QByteArrayView name) {
    qsizetype at = 0;
    while ((at = tag.indexOf(name, at)) >= 0) {
        const qsizetype after = at + name.size();
        const bool wordStart = at > 0 && (tag[at - 1] == ' ' || tag[at - 1] == '\t' ||
                                          tag[at - 1] == '\n' || tag[at - 1] == '\r');
        qsizetype equals = after;
        while (equals < tag.size() && (tag[equals] == ' ' || tag[equals] == '\t'))
            ++equals;
        if (wordStart && equals + 1 < tag.size() && tag[equals] == '=') {
            qsizetype quote = equals + 1;
            while (quote < tag.size() && (tag[quote] == ' ' || tag[quote] == '\t'))
                ++quote;
            if (quote < tag.size() && (tag[quote] == '"' || tag[quote] == '\'')) {
                const qsizetype close = tag.indexOf(tag[quote], quote + 1);
                if (close > quote)
                    return tag.sliced(quote + 1, close - quote - 1);
            }
        }
        at = after;
    }
    return std::nullopt;
}

// Adds the sets that the entry `entry` (at `offset`) names to `index`.
void indexEntry(QByteArrayView entry, qint64 offset, HistoryIndex& index) {
    const qsizetype systems = entry.indexOf("<systems");
    if (systems < 0)
        return;
    qsizetype end = entry.indexOf("</systems>", systems);
    if (end < 0)
        end = entry.size();
    const QByteArrayView list = entry.sliced(systems, end - systems);
    qsizetype at = 0;
    while ((at = list.indexOf("<system ", at)) >= 0) {
        const qsizetype close = list.indexOf('>', at);
        if (close < 0)
            break;
        if (const std::optional<QByteArrayView> name =
                attribute(list.sliced(at, close - at), "name")) {
            const QString set = QString::fromUtf8(*name);
            if (!index.contains(set)) // an earlier entry stays
                index.insert(set, {offset, static_cast<qint32>(entry.size())});
        }
        at = close;
    }
}

} // namespace

HistoryIndex indexHistory(QByteArrayView xml) {
    HistoryIndex index;
    qsizetype at = 0;
    while ((at = xml.indexOf(kEntryOpen, at)) >= 0) {
        const qsizetype after = at + kEntryOpen.size();
        if (after < xml.size() && xml[after] != '>' && xml[after] != ' ' && xml[after] != '\t' &&
            xml[after] != '\r' && xml[after] != '\n') {
            at = after; // another element, such as <entryx>
            continue;
        }
        const qsizetype close = xml.indexOf(kEntryClose, after);
        if (close < 0)
            break;
        const qsizetype end = close + kEntryClose.size();
        if (end - at <= kLargestEntry)
            indexEntry(xml.sliced(at, end - at), at, index);
        at = end;
    }
    return index;
}

std::optional<HistoryIndex> indexHistoryFile(const QString& path) {
    QFile file(path);
    if (file.size() > kLargestHistoryFile || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (file.size() == 0)
        return HistoryIndex{};
    if (const uchar* mapped = file.map(0, file.size())) {
        HistoryIndex index =
            indexHistory(QByteArrayView(reinterpret_cast<const char*>(mapped), file.size()));
        file.unmap(const_cast<uchar*>(mapped));
        return index;
    }
    const QByteArray whole = file.readAll();
    if (whole.size() != file.size())
        return std::nullopt;
    return indexHistory(whole);
}

QString historyEntryText(QByteArrayView entry) {
    QXmlStreamReader xml(entry.toByteArray());
    QString text;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1StringView("entry"))
            continue; // into it
        if (xml.name() == QLatin1StringView("text")) {
            text = xml.readElementText();
            break;
        }
        xml.skipCurrentElement();
    }
    if (xml.hasError())
        return {};
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    // The text starts and ends with the file's indentation and blank lines.
    qsizetype first = 0;
    while (first < text.size() && text[first].isSpace())
        ++first;
    first = text.lastIndexOf(u'\n', first) + 1; // keep the first line's own indent
    qsizetype last = text.size();
    while (last > first && text[last - 1].isSpace())
        --last;
    return text.sliced(first, last - first);
}

std::optional<QString> readHistoryText(const QString& path, HistoryPlace place) {
    QFile file(path);
    if (place.length <= 0 || !file.open(QIODevice::ReadOnly) || !file.seek(place.offset))
        return std::nullopt;
    const QByteArray entry = file.read(place.length);
    if (entry.size() != place.length || !entry.startsWith(kEntryOpen) ||
        !entry.endsWith(kEntryClose))
        return std::nullopt;
    return historyEntryText(entry);
}
