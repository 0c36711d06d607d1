// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "ui/DialogSeam.h"

#include <QPointer>

class QProgressDialog;

// The seam as the user meets it: Qt's dialogs and the desktop's opener.
class QtDialogSeam : public DialogSeam {
  public:
    ~QtDialogSeam() override;

    void showMessage(QWidget* owner, const QString& text, const QString& title, Icon icon,
                     const QString& details = {}) override;
    void showGameInfo(QWidget* owner, const GameInfo& info, const QString& title) override;
    std::optional<QString> askText(QWidget* owner, const QString& prompt, const QString& title,
                                   const QString& defaultText) override;
    std::optional<QString> chooseFile(QWidget* owner, const QString& title, const QString& filter,
                                      const QString& start) override;
    std::optional<FontChoice> chooseFont(QWidget* owner, const FontRequest& request) override;
    std::optional<ShowChoices> chooseNarrowing(QWidget* owner, const NarrowOffer& offer) override;
    void beginProgress(QWidget* owner, const QString& title,
                       std::function<void()> onCancel) override;
    void updateProgress(const QString& text, qint64 value, qint64 total) override;
    void endProgress() override;
    bool openInEditor(const QString& path) override;
    void hideWindow(QWidget* window) override;
    void showWindow(QWidget* window) override;

  private:
    QPointer<QProgressDialog> m_progress;
};
