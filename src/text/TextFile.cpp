#include "text/TextFile.h"

#include <QFile>
#include <QSaveFile>

QStringList SplitLines(const QByteArray& bytes) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(QString::fromLocal8Bit(bytes.constData() + start, i - start));
        if (c == '\r' && i + 1 < size && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(QString::fromLocal8Bit(bytes.constData() + start, size - start));
    return lines;
}

std::optional<QStringList> ReadLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return SplitLines(bytes);
}

QString WriteLinesAtomically(const QString& path, const QStringList& lines) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    for (const QString& line : lines) {
        const QByteArray bytes = line.toLocal8Bit() + "\r\n";
        if (file.write(bytes) != bytes.size())
            return file.errorString();
    }
    if (!file.commit())
        return file.errorString();
    return {};
}
