#include "launch/TempListingFolder.h"

#include "launch/Platform.h"

#include <QDir>

namespace {

QString FolderTemplate() {
    return QDir(TemporaryFolder()).absoluteFilePath("coinslot-XXXXXX");
}

} // namespace

TempListingFolder::TempListingFolder() : m_dir(FolderTemplate()) {
    if (!m_dir.isValid()) {
        m_error = QString("The temporary folder could not be made in %1: %2")
                      .arg(QDir::toNativeSeparators(TemporaryFolder()), m_dir.errorString());
    } else if (!IsShellSafePath(m_dir.path())) {
        // The path goes unquoted into a redirection; a blank or a shell
        // character in it would send MAME's output somewhere else.
        m_error = QString("The temporary folder %1 cannot be used in a MAME command line; "
                          "set TEMP to a folder whose path has no blanks or special characters.")
                      .arg(QDir::toNativeSeparators(m_dir.path()));
    }
}
