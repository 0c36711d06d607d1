#include "ui/InfoBox.h"

#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

void showInfoBox(QWidget* owner, const QString& text, const QString& title,
                 const QString& picture) {
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, owner);
    QPixmap pixmap(picture);
    if (!pixmap.isNull()) {
        const QScreen* screen = owner ? owner->screen() : nullptr;
        const int tallest = screen ? screen->availableGeometry().height() / 2 : kInfoPictureWidth;
        if (pixmap.width() > kInfoPictureWidth || pixmap.height() > tallest)
            pixmap = pixmap.scaled(kInfoPictureWidth, tallest, Qt::KeepAspectRatio,
                                   Qt::SmoothTransformation);
        box.setIconPixmap(pixmap);
    }
    box.exec();
}
