// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <optional>

class DialogSeam;
class QWidget;

// Asks for the MAME executable in the "Select MAME executable" dialog,
// opening at `start` (a folder, or a file that is then preselected), until an executable file is
// chosen: one in the working folder is given by its bare name, one elsewhere by its absolute path.
// A file that is not executable says so in a box titled `title` and the dialog opens again. Nothing
// when the dialog is cancelled.
std::optional<QString> chooseMameExecutable(QWidget* owner, DialogSeam& seam, const QString& start,
                                            const QString& title);
