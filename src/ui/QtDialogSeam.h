#pragma once

#include "ui/DialogSeam.h"

#include <QPointer>

class QProgressDialog;

// The seam as the user meets it: Qt's dialogs and the desktop's opener.
class QtDialogSeam : public DialogSeam {
  public:
    ~QtDialogSeam() override;

    void ShowMessage(QWidget* owner, const QString& text, const QString& title, Icon icon) override;
    std::optional<QString> AskText(QWidget* owner, const QString& prompt, const QString& title,
                                   const QString& defaultText) override;
    std::optional<QString> ChooseFile(QWidget* owner, const QString& title, const QString& filter,
                                      const QString& folder) override;
    std::optional<FontChoice> ChooseFont(QWidget* owner, const FontRequest& request) override;
    void BeginProgress(QWidget* owner, const QString& title,
                       std::function<void()> onCancel) override;
    void UpdateProgress(const QString& text, qint64 value, qint64 total) override;
    void EndProgress() override;
    bool OpenInEditor(const QString& path) override;
    void HideWindow(QWidget* window) override;
    void ShowWindow(QWidget* window) override;

  private:
    QPointer<QProgressDialog> m_progress;
};
