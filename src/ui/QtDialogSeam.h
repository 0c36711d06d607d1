#pragma once

#include "launch/ProcessRunner.h"
#include "ui/DialogSeam.h"

// The seam as the user meets it: Qt's dialogs, the real process runner and
// the desktop's opener.
class QtDialogSeam : public DialogSeam {
  public:
    void ShowMessage(QWidget* owner, const QString& text, const QString& title, Icon icon) override;
    std::optional<QString> AskText(QWidget* owner, const QString& prompt, const QString& title,
                                   const QString& defaultText) override;
    std::optional<QString> ChooseFile(QWidget* owner, const QString& title, const QString& filter,
                                      const QString& folder) override;
    std::optional<FontChoice> ChooseFont(QWidget* owner, const FontRequest& request) override;
    void RunAndWait(const QString& commandLine, qint16 hideFlag) override;
    bool OpenInEditor(const QString& path) override;
    void HideWindow(QWidget* window) override;
    void ShowWindow(QWidget* window) override;

  private:
    ProcessRunner runner_;
};
