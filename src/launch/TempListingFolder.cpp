#include "launch/TempListingFolder.h"

#include "launch/Platform.h"

#include <QDir>
#include <QRegularExpression>

namespace {

QString FolderTemplate() {
    return QDir(TemporaryFolder())
        .absoluteFilePath(QStringLiteral("coinslot-%1-XXXXXX").arg(CurrentProcessId()));
}

} // namespace

TempListingFolder::TempListingFolder() : m_dir(FolderTemplate()) {
    if (!m_dir.isValid())
        m_error = QStringLiteral("The temporary folder could not be made in %1: %2")
                      .arg(QDir::toNativeSeparators(TemporaryFolder()), m_dir.errorString());
}

int RemoveStaleListingFolders() {
    static const QRegularExpression name(QStringLiteral("^coinslot-(\\d+)-[A-Za-z0-9]{6}$"));
    QDir temp(TemporaryFolder());
    int removed = 0;
    const QStringList folders =
        temp.entryList({QStringLiteral("coinslot-*")}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& folder : folders) {
        const QRegularExpressionMatch match = name.match(folder);
        if (!match.hasMatch() || ProcessIsRunning(match.captured(1).toLongLong()))
            continue;
        if (QDir(temp.filePath(folder)).removeRecursively())
            ++removed;
    }
    return removed;
}
