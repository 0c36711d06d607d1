// The window's own commands: the resize rule, Centre, Reset and the list font.
#include "ui/ListFont.h"
#include "ui/WindowLayout.h"
#include "ui/frmMain.h"

#include <QLineEdit>
#include <QListView>
#include <QPushButton>

void frmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutControls();
}

void frmMain::LayoutControls() {
    if (design.lngFormWidth == 0 || (windowState() & Qt::WindowMinimized))
        return; // before the design is measured, or while minimised
    const double x = TwipsPerPixelX();
    const double y = TwipsPerPixelY();
    const ControlLayout layout = LayoutForSize(width() * x, height() * y, design);
    if (layout.listWidth) {
        lstGames->resize(qRound(*layout.listWidth / x), lstGames->height());
        txtSearch->resize(qRound(*layout.searchWidth / x), txtSearch->height());
        for (QPushButton* button :
             {cmdPlay, cmdQuit, cmdMame, cmdDriver, cmdParent, cmdSet, cmdList, cmdAudit})
            button->move(qRound(*layout.buttonLeft / x), button->y());
    }
    if (layout.listHeight) {
        lstGames->resize(lstGames->width(), qRound(*layout.listHeight / y));
        txtSearch->move(txtSearch->x(), qRound(*layout.searchTop / y));
    }
}

void frmMain::mnuFormCentre_Click() {
    CentreForm();
}

void frmMain::mnuFormReset_Click() {
    setWindowState(Qt::WindowNoState);
    SetWidthTwips(design.lngFormWidth);
    SetHeightTwips(design.lngFormHeight);
    QFont font = lstGames->font();
    font.setFamily(fntDefault.family());
    font.setPointSizeF(fntDefault.pointSizeF());
    font.setBold(fntDefault.bold());
    font.setItalic(fntDefault.italic());
    lstGames->setFont(font);
    CentreForm();
}

void frmMain::mnuListFont_Click() {
    const std::optional<FontChoice> choice =
        seam_.ChooseFont(this, FontRequestFor(lstGames->font(), logicalDpiY()));
    if (choice)
        lstGames->setFont(FontFromChoice(lstGames->font(), *choice));
}
