// SPDX-License-Identifier: GPL-2.0-or-later
// The window menu's "MAME executable...": another MAME, chosen in the same
// dialog as at a first start, takes the place of the one at hand.
#include "ui/ExecutableChooser.h"
#include "ui/MainWindow.h"

#include <QFileInfo>

namespace {

const char* const kTitle = QT_TRANSLATE_NOOP("MainWindow", "MAME executable");

// Whether two executables, as saved or chosen, are one file.
bool sameFile(const QString& one, const QString& other) {
    const QString canonical = QFileInfo(one).canonicalFilePath();
    return one == other ||
           (!canonical.isEmpty() && canonical == QFileInfo(other).canonicalFilePath());
}

} // namespace

void MainWindow::onMameExecutable() {
    if (m_frontEnd.busy())
        return;
    const QString current = m_frontEnd.mame().executable();
    const std::optional<QString> chosen =
        chooseMameExecutable(this, m_seam, QFileInfo(current).absolutePath(), tr(kTitle));
    if (!chosen)
        return;
    // Chosen again, the same MAME is asked again which MAME it is too: it may
    // have been replaced by a newer one in the same place.
    const bool another = !sameFile(*chosen, current);
    m_frontEnd.setMameExecutable(*chosen);
    if (another && !m_frontEnd.games().games().empty())
        m_seam.showMessage(
            this, tr("The game list is from the previous MAME. Press List to read this one's."),
            tr(kTitle), DialogSeam::Icon::Information);
}
