// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "gamelist/GameInfo.h"
#include "gamelist/NarrowOffer.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// What the list font chooser is handed: the face, the character height in
// pixels (negative), the weight (400 or 700) and the italic flag.
struct FontRequest {
    QString face;
    int height = 0;
    int weight = 400;
    bool italic = false;
};

// What the chooser gives back on OK: face, weight, italic flag and the
// point size in tenths of a point.
struct FontChoice {
    QString face;
    int weight = 400;
    bool italic = false;
    int pointSizeTenths = 0;
};

// Everything that waits on a person goes through here, so the window can be
// driven by a script in tests.
class DialogSeam {
  public:
    enum class Icon { Information, Warning, Error };

    virtual ~DialogSeam() = default;

    // A modal message box with one OK button; `details`, when there are any,
    // behind a "Show Details..." button.
    virtual void showMessage(QWidget* owner, const QString& text, const QString& title, Icon icon,
                             const QString& details = {}) = 0;
    // A game's information as a table, with its picture in place of the icon
    // (see showInfoBox()); with history or artwork beyond the snapshot, in a
    // dialog with tabs (see GameInfoDialog).
    virtual void showGameInfo(QWidget* owner, const GameInfo& info, const QString& title) = 0;
    // A modal input box: nothing on Cancel, the text (possibly empty) on OK.
    virtual std::optional<QString> askText(QWidget* owner, const QString& prompt,
                                           const QString& title, const QString& defaultText) = 0;
    // The open-file dialog, opening at `start` (a folder, or a file that is
    // then preselected): the chosen file's path, or nothing when cancelled.
    virtual std::optional<QString> chooseFile(QWidget* owner, const QString& title,
                                              const QString& filter, const QString& start) = 0;
    // The font chooser: the choice on OK, nothing otherwise.
    virtual std::optional<FontChoice> chooseFont(QWidget* owner, const FontRequest& request) = 0;
    // A progress dialog, modal to `owner`, while a MAME run lasts: it opens
    // with beginProgress, follows updateProgress (a bar when `total` is known,
    // else a moving one) and closes with endProgress. Its Cancel calls
    // `onCancel`.
    virtual void beginProgress(QWidget* owner, const QString& title,
                               std::function<void()> onCancel) = 0;
    virtual void updateProgress(const QString& text, qint64 value, qint64 total) = 0;
    virtual void endProgress() = 0;
    // The dialog of a Manufacturer, Year or Category choice (NarrowDialog):
    // the choices as marked on OK, nothing otherwise.
    virtual std::optional<ShowChoices> chooseNarrowing(QWidget* owner,
                                                       const NarrowOffer& offer) = 0;
    // Opens a file in the desktop's editor without waiting; false when it
    // could not be started.
    virtual bool openInEditor(const QString& path) = 0;
    // Hides the window and its taskbar entry, and brings both back.
    virtual void hideWindow(QWidget* window) = 0;
    virtual void showWindow(QWidget* window) = 0;
};
