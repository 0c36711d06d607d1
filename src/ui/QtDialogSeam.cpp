// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/QtDialogSeam.h"

#include "launch/DefaultApp.h"
#include "ui/GameInfoDialog.h"
#include "ui/InfoBox.h"
#include "ui/NarrowDialog.h"
#include "ui/SteadyProgressBar.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTextEdit>
#include <cmath>
#include <limits>

void QtDialogSeam::showMessage(QWidget* owner, const QString& text, const QString& title, Icon icon,
                               const QString& details) {
    const QMessageBox::Icon shown = icon == Icon::Error     ? QMessageBox::Critical
                                    : icon == Icon::Warning ? QMessageBox::Warning
                                                            : QMessageBox::Information;
    QMessageBox box(shown, title, text, QMessageBox::Ok, owner);
    if (!details.isEmpty()) {
        box.setDetailedText(details);
        // Room for a screenful of details, not the box's default handful.
        if (auto* shown = box.findChild<QTextEdit*>()) {
            const QFontMetrics metrics = shown->fontMetrics();
            shown->setMinimumWidth(metrics.averageCharWidth() * 64);
            shown->setFixedHeight(metrics.lineSpacing() * 16);
        }
    }
    box.exec();
}

void QtDialogSeam::showGameInfo(QWidget* owner, const GameInfo& info, const QString& title) {
    if (!GameInfoDialog::wanted(info))
        return showInfoBox(owner, info, title);
    GameInfoDialog dialog(info, title, owner);
    dialog.exec();
}

std::optional<QString> QtDialogSeam::askText(QWidget* owner, const QString& prompt,
                                             const QString& title, const QString& defaultText) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(owner, title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

std::optional<QString> QtDialogSeam::chooseFile(QWidget* owner, const QString& title,
                                                const QString& filter, const QString& start) {
    const QString chosen = QFileDialog::getOpenFileName(owner, title, start, filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

std::optional<FontChoice> QtDialogSeam::chooseFont(QWidget* owner, const FontRequest& request) {
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

std::optional<ShowChoices> QtDialogSeam::chooseNarrowing(QWidget* owner, const NarrowOffer& offer) {
    NarrowDialog dialog(offer, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choices();
}

QtDialogSeam::~QtDialogSeam() {
    delete m_progress;
}

void QtDialogSeam::beginProgress(QWidget* owner, const QString& title,
                                 std::function<void()> onCancel) {
    delete m_progress;
    m_progress = new QProgressDialog(owner);
    m_progress->setBar(new SteadyProgressBar(m_progress));
    m_progress->setWindowTitle(title);
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setMinimumDuration(0);
    m_progress->setMinimumWidth(360);
    m_progress->setRange(0, 0);
    QObject::connect(m_progress, &QProgressDialog::canceled, m_progress,
                     [onCancel = std::move(onCancel)] { onCancel(); });
    m_progress->show();
}

void QtDialogSeam::updateProgress(const QString& text, qint64 value, qint64 total) {
    if (!m_progress)
        return;
    m_progress->setLabelText(text);
    // The bar counts in int; a total of 0 makes it a moving bar.
    const int top = static_cast<int>(std::min<qint64>(total, std::numeric_limits<int>::max()));
    m_progress->setMaximum(top);
    if (top > 0)
        m_progress->setValue(static_cast<int>(std::min<qint64>(value, top)));
}

void QtDialogSeam::endProgress() {
    // Gone at once, also when a message box follows in a loop of its own.
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
    }
    m_progress = nullptr;
}

bool QtDialogSeam::openInEditor(const QString& path) {
    return openWithDefaultApp(path);
}

void QtDialogSeam::hideWindow(QWidget* window) {
    window->hide();
}

void QtDialogSeam::showWindow(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}
