// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/GameInfoDialog.h"

#include "ui/InfoBox.h"
#include "ui/PictureLoader.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

bool GameInfoDialog::wanted(const GameInfo& info) {
    if (!info.history.isEmpty())
        return true;
    for (const InfoPicture& picture : info.artwork) {
        if (!picture.snapshot)
            return true;
    }
    return false;
}

GameInfoDialog::GameInfoDialog(const GameInfo& info, const QString& title, QWidget* parent)
    : QDialog(parent), m_loader(new PictureLoader(this)) {
    setObjectName(QStringLiteral("gameInfoDialog"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("infoTabs"));
    layout->addWidget(m_tabs);
    const QScreen* screen = parent ? parent->screen() : this->screen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    const QSize largest(available.width() * 2 / 3, available.height() / 2);

    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);
    for (const InfoPicture& picture : info.artwork) {
        if (picture.snapshot)
            row->addWidget(addPicture({picture.file, picture.member},
                                      QSize(kInfoPictureWidth, largest.height())),
                           0, Qt::AlignTop);
    }
    auto* label = new QLabel(infoBoxHtml(info));
    label->setObjectName(QStringLiteral("infoText"));
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row->addWidget(label, 1, Qt::AlignTop);
    m_tabs->addTab(page, QCoreApplication::translate("GameInfoDialog", "&Info"));

    if (!info.history.isEmpty()) {
        auto* history = new QPlainTextEdit(info.history);
        history->setObjectName(QStringLiteral("historyText"));
        history->setReadOnly(true);
        history->setMinimumSize(480, 320);
        m_tabs->addTab(history, QCoreApplication::translate("GameInfoDialog", "&History"));
    }
    for (const InfoPicture& picture : info.artwork) {
        if (picture.snapshot)
            continue;
        auto* scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        scroll->setAlignment(Qt::AlignCenter);
        scroll->setWidget(addPicture({picture.file, picture.member}, largest));
        scroll->setMinimumSize(320, 240);
        m_tabs->addTab(scroll, picture.caption);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

QLabel* GameInfoDialog::addPicture(const ArtworkFile& where, const QSize& largest) {
    auto* picture = new QLabel(QCoreApplication::translate("GameInfoDialog", "Loading\u2026"));
    picture->setAlignment(Qt::AlignCenter);
    picture->setWordWrap(true);
    m_loader->load(where, [picture, largest](const LoadedPicture& loaded) {
        if (loaded.image.isNull()) {
            picture->setText(loaded.problem);
            return;
        }
        QPixmap pixmap = QPixmap::fromImage(loaded.image);
        if (pixmap.width() > largest.width() || pixmap.height() > largest.height())
            pixmap = pixmap.scaled(largest, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        picture->setWordWrap(false); // a wrapped label would lay the picture out 0 high
        picture->setPixmap(pixmap);
    });
    return picture;
}
