#include "launch/TempListingFolder.h"

#include "launch/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <unistd.h>

namespace {

QString folderTemplate() {
    return QDir(temporaryFolder())
        .absoluteFilePath(QStringLiteral("coinslot-%1-XXXXXX").arg(currentProcessId()));
}

} // namespace

TempListingFolder::TempListingFolder() : m_dir(folderTemplate()) {
    if (!m_dir.isValid())
        m_error = QStringLiteral("The temporary folder could not be made in %1: %2")
                      .arg(QDir::toNativeSeparators(temporaryFolder()), m_dir.errorString());
}

int removeStaleListingFolders() {
    static const QRegularExpression name(QStringLiteral("^coinslot-(\\d+)-[A-Za-z0-9]{6}$"));
    QDir temp(temporaryFolder());
    int removed = 0;
    // A link is passed over: removing "through" it would empty the folder it
    // points to. So is a folder of another user's, which no front end of ours made.
    const QStringList folders = temp.entryList(
        {QStringLiteral("coinslot-*")}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString& folder : folders) {
        const QRegularExpressionMatch match = name.match(folder);
        if (!match.hasMatch() || processIsRunning(match.captured(1).toLongLong()) ||
            QFileInfo(temp.filePath(folder)).ownerId() != ::geteuid())
            continue;
        if (QDir(temp.filePath(folder)).removeRecursively())
            ++removed;
    }
    return removed;
}
