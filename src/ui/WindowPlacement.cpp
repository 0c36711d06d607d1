// SPDX-License-Identifier: GPL-2.0-or-later
// The window's part of the settings: where it stands, how large it is, its
// state and the list's font, applied at start-up and taken at shutdown.
#include "ui/DetailsView.h"
#include "ui/GameListView.h"
#include "ui/ListFont.h"
#include "ui/MainWindow.h"
#include "ui/Twips.h"

#include <QScreen>
#include <cmath>

namespace {

// A saved window may reach this many desktop widths (or heights) beyond the
// desktop, and be this many times as wide (or high); anything further is no
// place or size a screen can show.
constexpr double kDesktopReach = 4.0;

bool placeFits(std::optional<qint32> twips, double perPixel, int start, int length) {
    if (!twips)
        return true;
    const double pixels = *twips / perPixel;
    return pixels >= start - kDesktopReach * length &&
           pixels <= start + length + kDesktopReach * length;
}

bool sizeFits(std::optional<qint32> twips, double perPixel, int length) {
    return !twips || (*twips >= 0 && *twips / perPixel <= kDesktopReach * length);
}

} // namespace

bool MainWindow::restoreSettings() {
    const Settings& settings = m_frontEnd.settings();
    const WindowSettings& s = settings.window;
    const TwipsPerPixel twips = TwipsPerPixel::of(this);
    const QRect desktop = screen() ? screen()->virtualGeometry() : QRect(0, 0, 1024, 768);
    if (!placeFits(s.left, twips.x, desktop.left(), desktop.width()) ||
        !placeFits(s.top, twips.y, desktop.top(), desktop.height()) ||
        !sizeFits(s.width, twips.x, desktop.width()) ||
        !sizeFits(s.height, twips.y, desktop.height()))
        return false;
    if (s.windowState && (*s.windowState < 0 || *s.windowState > 2))
        return false;
    // The list refuses sizes it cannot show (below a point, the size would
    // also not be written back as it was read).
    if (s.fontSize && !(*s.fontSize >= 1.0 && *s.fontSize <= 2048.0))
        return false;

    // The saved left and top are those of the client area, as written.
    QRect client = geometry();
    if (s.left)
        client.moveLeft(qRound(*s.left / twips.x));
    if (s.top)
        client.moveTop(qRound(*s.top / twips.y));
    setGeometry(client);
    if (s.width)
        resize(qRound(*s.width / twips.x), height());
    if (s.height)
        resize(width(), qRound(*s.height / twips.y));
    QFont font = m_gameList->font();
    if (s.fontName)
        font.setFamily(*s.fontName);
    if (s.fontSize)
        font.setPointSizeF(*s.fontSize);
    if (s.fontBold)
        font.setBold(*s.fontBold);
    if (s.fontItalic)
        font.setItalic(*s.fontItalic);
    setListFont(font);
    m_details->restore(s.details);
    m_detailsItem->setChecked(s.details.on);
    if (s.windowState == 1)
        setWindowState(Qt::WindowMinimized);
    else if (s.windowState == 2)
        setWindowState(Qt::WindowMaximized);
    if (settings.noShortcuts)
        usePlainCaptions();
    return true;
}

WindowSettings MainWindow::windowSettings() const {
    // The rectangle the window has, or will have again when restored.
    const QRect rect =
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) && normalGeometry().isValid()
            ? normalGeometry()
            : geometry();
    const TwipsPerPixel twips = TwipsPerPixel::of(this);
    const auto whole = [](double value) { return static_cast<qint32>(std::lround(value)); };
    WindowSettings s;
    s.left = whole(rect.x() * twips.x);
    s.top = whole(rect.y() * twips.y);
    s.width = whole(rect.width() * twips.x);
    s.height = whole(rect.height() * twips.y);
    s.windowState = (windowState() & Qt::WindowMinimized)   ? 1
                    : (windowState() & Qt::WindowMaximized) ? 2
                                                            : 0;
    const QFont font = m_gameList->font();
    s.fontName = font.family();
    s.fontSize = static_cast<float>(pointSize(font));
    s.fontBold = font.bold();
    s.fontItalic = font.italic();
    s.details = m_details->settings();
    return s;
}
