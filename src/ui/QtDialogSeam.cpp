#include "ui/QtDialogSeam.h"

#include "launch/Platform.h"
#include "launch/ProcessRunner.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <cmath>

namespace {

// Texts carry CR LF line breaks; Qt's labels want LF alone.
QString ForDisplay(QString text) {
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

void QtDialogSeam::ShowMessage(QWidget* owner, const QString& text, const QString& title,
                               Icon icon) {
    QMessageBox box(icon == Icon::Error ? QMessageBox::Critical : QMessageBox::Information, title,
                    ForDisplay(text), QMessageBox::Ok, owner);
    box.exec();
}

std::optional<QString> QtDialogSeam::AskText(QWidget* owner, const QString& prompt,
                                             const QString& title, const QString& defaultText) {
    bool ok = false;
    const QString answer = QInputDialog::getText(owner, title, ForDisplay(prompt),
                                                 QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

std::optional<QString> QtDialogSeam::ChooseFile(QWidget* owner, const QString& title,
                                                const QString& filter, const QString& folder) {
    const QString chosen = QFileDialog::getOpenFileName(owner, title, folder, filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

std::optional<FontChoice> QtDialogSeam::ChooseFont(QWidget* owner, const FontRequest& request) {
    QFont initial(request.face);
    if (request.height != 0)
        initial.setPixelSize(std::abs(request.height));
    initial.setWeight(static_cast<QFont::Weight>(request.weight));
    initial.setItalic(request.italic);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, owner);
    if (!ok)
        return std::nullopt;
    return FontChoice{chosen.family(), chosen.weight(), chosen.italic(),
                      static_cast<int>(std::lround(chosen.pointSizeF() * 10))};
}

void QtDialogSeam::RunAndWait(const QString& commandLine, qint16 hideFlag) {
    runner_.RunAndWait(commandLine, hideFlag);
}

bool QtDialogSeam::OpenInEditor(const QString& path) {
    return OpenWithDefaultApp(path);
}

void QtDialogSeam::HideWindow(QWidget* window) {
    window->hide();
    QApplication::processEvents();
}

void QtDialogSeam::ShowWindow(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}
