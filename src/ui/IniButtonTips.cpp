// SPDX-License-Identifier: GPL-2.0-or-later
// The tooltips of the Mame, Driver, Parent and Set buttons: which ini file
// each opens for the selected game.
#include "ui/MainWindow.h"

#include <QCoreApplication>
#include <QPushButton>

void MainWindow::showIniTips() {
    const auto tip = [this](IniFile file, const QString& what, const QString& name) {
        const QString shown = m_frontEnd.iniFileName(file);
        if (shown.isEmpty())
            return QCoreApplication::translate("IniButtonTips",
                                               "Edit the options of the selected game's %1")
                .arg(what);
        return QCoreApplication::translate("IniButtonTips", "Edit the options of %1 %2 (%3)")
            .arg(what, name, shown);
    };
    const std::optional<GameRecord> game = m_frontEnd.games().selectedGame();
    const GameFields selected = game ? game->fields() : GameFields{};
    m_mameButton->setToolTip(
        QCoreApplication::translate("IniButtonTips", "Edit MAME's own options (%1)")
            .arg(m_frontEnd.iniFileName(IniFile::Mame)));
    m_driverButton->setToolTip(tip(IniFile::Driver, QStringLiteral("driver"), selected.driver));
    m_parentButton->setToolTip(tip(IniFile::Parent,
                                   QCoreApplication::translate("IniButtonTips", "parent set"),
                                   selected.parent));
    m_setButton->setToolTip(tip(IniFile::Set, QStringLiteral("set"), selected.name));
}
