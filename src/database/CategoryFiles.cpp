// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/CategoryFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr qint64 kLargestCategoryFile = 64 << 20;
const QByteArrayView kMature = " * Mature *";

// Calls `line` with each line of `text` without its end and surrounding blanks.
template <class Line> void forEachLine(QByteArrayView text, Line line) {
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype end = text.indexOf('\n', at);
        if (end < 0)
            end = text.size();
        line(text.sliced(at, end - at).trimmed());
        at = end + 1;
    }
}

QByteArrayView withoutByteOrderMark(QByteArrayView text) {
    return text.startsWith("\xef\xbb\xbf") ? text.sliced(3) : text;
}

// The section a "[name]" line opens, or nothing for another line.
std::optional<QByteArrayView> sectionOf(QByteArrayView line) {
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
        return line.sliced(1, line.size() - 2).trimmed();
    return std::nullopt;
}

} // namespace

void readCatverIni(QByteArrayView text, CategoryTable& table) {
    enum class Section { Other, Category, VerAdded } section = Section::Other;
    forEachLine(withoutByteOrderMark(text), [&](QByteArrayView line) {
        if (line.isEmpty() || line.front() == ';')
            return;
        if (const std::optional<QByteArrayView> name = sectionOf(line)) {
            section = name->compare("Category", Qt::CaseInsensitive) == 0   ? Section::Category
                      : name->compare("VerAdded", Qt::CaseInsensitive) == 0 ? Section::VerAdded
                                                                            : Section::Other;
            return;
        }
        const qsizetype equals = line.indexOf('=');
        if (section == Section::Other || equals <= 0)
            return;
        const QString set = QString::fromUtf8(line.first(equals).trimmed());
        QByteArrayView value = line.sliced(equals + 1).trimmed();
        SetCategory& entry = table[set];
        if (section == Section::VerAdded) {
            if (entry.versionAdded.isEmpty())
                entry.versionAdded = QString::fromUtf8(value);
            return;
        }
        const bool mature = value.endsWith(kMature);
        if (mature)
            value = value.chopped(kMature.size()).trimmed();
        if (entry.category.isEmpty())
            entry.category = QString::fromUtf8(value);
        entry.mature = entry.mature || mature;
    });
}

void readFolderFile(QByteArrayView text, CategoryTable& table, bool matureFile) {
    QString section;
    bool sets = false; // whether the lines of this section are sets
    forEachLine(withoutByteOrderMark(text), [&](QByteArrayView line) {
        if (line.isEmpty() || line.front() == ';')
            return;
        if (const std::optional<QByteArrayView> name = sectionOf(line)) {
            sets = name->compare("FOLDER_SETTINGS", Qt::CaseInsensitive) != 0 &&
                   name->compare("ROOT_FOLDER", Qt::CaseInsensitive) != 0;
            section = QString::fromUtf8(*name);
            return;
        }
        if (!sets)
            return;
        SetCategory& entry = table[QString::fromUtf8(line)];
        if (matureFile)
            entry.mature = true;
        else if (entry.category.isEmpty())
            entry.category = section;
    });
}

std::vector<FileStamp> findCategoryFiles(const QStringList& folders) {
    std::vector<FileStamp> stamps;
    for (const QString& folder : folders) {
        const QFileInfoList files =
            QDir(folder).entryInfoList({QStringLiteral("*.ini")}, QDir::Files | QDir::Readable);
        for (const char* wanted : {"catver.ini", "category.ini", "mature.ini"}) {
            for (const QFileInfo& file : files) {
                if (file.fileName().compare(QLatin1String(wanted), Qt::CaseInsensitive) == 0)
                    stamps.push_back(stampOf(file));
            }
        }
    }
    return stamps;
}

CategoryTable readCategoryFiles(const std::vector<FileStamp>& stamps) {
    CategoryTable table;
    for (const FileStamp& stamp : stamps) {
        QFile file(stamp.path);
        if (file.size() > kLargestCategoryFile || !file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = file.readAll();
        const QString name = QFileInfo(stamp.path).fileName();
        if (name.compare(QLatin1String("catver.ini"), Qt::CaseInsensitive) == 0)
            readCatverIni(text, table);
        else
            readFolderFile(text, table,
                           name.compare(QLatin1String("mature.ini"), Qt::CaseInsensitive) == 0);
    }
    return table;
}

QString categoryGenre(const QString& category) {
    const qsizetype slash = category.indexOf(QLatin1String(" / "));
    return slash < 0 ? category : category.left(slash);
}
