// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/SuggestionDropDown.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int kFrame = 1;
const QString kFavouriteMark = QStringLiteral("\u2605");

} // namespace

SuggestionDropDown::SuggestionDropDown(QLineEdit* box, const GameList& games)
    : QWidget(box, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      m_box(box), m_suggestions(games) {
    setObjectName(QStringLiteral("suggestions"));
    setWindowTitle(QCoreApplication::translate("SuggestionDropDown", "Suggestions"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    connect(box, &QLineEdit::textChanged, this, &SuggestionDropDown::onTextEdited);
    connect(&m_suggestions, &GameSuggestions::ready, this, &SuggestionDropDown::onReady);
    // Rows that the list no longer shows cannot be chosen.
    connect(&games, &GameList::shownChanged, this, [this] {
        m_latest.clear();
        dismiss();
    });
    box->installEventFilter(this);
}

void SuggestionDropDown::onTextEdited(const QString& text) {
    m_suggestions.request(text);
    if (text.trimmed().isEmpty() || text.startsWith(u'[')) {
        m_text = text;
        m_latest.clear();
        dismiss();
    }
}

void SuggestionDropDown::onReady(const QString& text, const QList<Suggestion>& suggestions) {
    if (text != m_box->text())
        return;
    m_text = text;
    m_latest = suggestions;
    if (suggestions.isEmpty() || !m_box->isVisible())
        dismiss();
    else
        open();
}

void SuggestionDropDown::open() {
    if (m_window != m_box->window()) {
        if (m_window)
            m_window->removeEventFilter(this);
        m_window = m_box->window();
        m_window->installEventFilter(this);
    }
    m_shown = m_latest;
    m_highlighted = -1;
    setFont(m_box->font());
    place();
    show();
    update();
    // Watches for a click elsewhere while open.
    qApp->installEventFilter(this);
}

void SuggestionDropDown::dismiss() {
    qApp->removeEventFilter(this);
    m_shown.clear();
    m_highlighted = -1;
    hide();
}

void SuggestionDropDown::choose(int row) {
    if (row < 0 || row >= m_shown.size())
        return;
    const qint32 position = m_shown[row].position;
    dismiss();
    m_box->setFocus(Qt::OtherFocusReason);
    emit chosen(position);
}

void SuggestionDropDown::highlight(int row) {
    if (row == m_highlighted)
        return;
    m_highlighted = row;
    update();
}

bool SuggestionDropDown::onKey(int key) {
    const auto last = static_cast<int>(m_shown.size()) - 1;
    if (isHidden()) {
        // Down brings back what Escape closed.
        if ((key != Qt::Key_Down && key != Qt::Key_PageDown) || m_latest.isEmpty() ||
            m_text != m_box->text())
            return false;
        open();
        highlight(key == Qt::Key_Down ? 0 : static_cast<int>(m_shown.size()) - 1);
        return true;
    }
    switch (key) {
    case Qt::Key_Down:
        highlight(std::min(m_highlighted + 1, last));
        return true;
    case Qt::Key_PageDown:
        highlight(last);
        return true;
    case Qt::Key_Up:
        highlight(std::max(m_highlighted - 1, -1));
        return true;
    case Qt::Key_PageUp:
        highlight(m_highlighted > 0 ? 0 : -1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        choose(std::max(m_highlighted, 0));
        return true;
    case Qt::Key_Escape:
        dismiss();
        return true;
    default:
        return false;
    }
}

bool SuggestionDropDown::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress && isVisible()) {
        // Through the application's filter: a press on any widget but these.
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget != this && widget != m_box && !isAncestorOf(widget))
            dismiss();
    }
    if (watched == m_box) {
        if (type == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier)
                return onKey(key->key());
        } else if (type == QEvent::FocusOut) {
            dismiss();
        } else if (type == QEvent::FocusIn) {
            // The user goes to the box: the index is made before the first
            // key, after the box has shown its focus (not for the focus a
            // window gives as it opens).
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::OtherFocusReason)
                QTimer::singleShot(0, this, [this] { m_suggestions.prepare(); });
        }
        return false;
    }
    if (watched == m_window) {
        if (type == QEvent::Move || type == QEvent::Resize) {
            if (isVisible())
                place();
        } else if (type == QEvent::WindowDeactivate || type == QEvent::Hide) {
            dismiss();
        }
        return false;
    }
    return false;
}

int SuggestionDropDown::rowHeight() const {
    return fontMetrics().height() + 8;
}

int SuggestionDropDown::rowAt(int y) const {
    const int row = (y - kFrame) / rowHeight();
    return y >= kFrame && row < m_shown.size() ? row : -1;
}

QString SuggestionDropDown::detailsOf(const Suggestion& suggestion) const {
    QStringList parts;
    for (const QString& part : {suggestion.year, suggestion.manufacturer}) {
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts.join(QStringLiteral(" \u00b7 "));
}

void SuggestionDropDown::place() {
    const QFontMetrics metrics = fontMetrics();
    const int margin = metrics.averageCharWidth();
    const int markWidth = metrics.horizontalAdvance(kFavouriteMark + u' ');
    int wanted = 0;
    for (const Suggestion& suggestion : m_shown) {
        const QString details = detailsOf(suggestion);
        wanted = std::max(wanted, markWidth + metrics.horizontalAdvance(suggestion.description) +
                                      (details.isEmpty() ? 0 : 3 * margin) +
                                      metrics.horizontalAdvance(details));
    }
    const QRect screen = m_box->screen()->availableGeometry();
    const int width = std::clamp(wanted + 3 * margin + 2 * kFrame, // a margin to spare for rounding
                                 m_box->width(), std::max(m_box->width(), screen.width()));
    const int height = static_cast<int>(m_shown.size()) * rowHeight() + 2 * kFrame;
    // Under the box; over it where the screen ends below.
    QPoint at = m_box->mapToGlobal(QPoint(0, m_box->height()));
    if (at.y() + height > screen.bottom() + 1)
        at.setY(m_box->mapToGlobal(QPoint(0, 0)).y() - height);
    at.setX(std::max(screen.left(), std::min(at.x(), screen.right() + 1 - width)));
    setGeometry(QRect(at, QSize(width, height)));
}

void SuggestionDropDown::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The window's colours: the box turns red when its search misses.
    const QPalette colours = m_window ? m_window->palette() : palette();
    painter.fillRect(rect(), colours.color(QPalette::Base));
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QFontMetrics metrics = fontMetrics();
    const int margin = metrics.averageCharWidth();
    const bool anyFavourite = std::any_of(m_shown.begin(), m_shown.end(),
                                          [](const Suggestion& s) { return s.favourite; });
    const int markWidth = anyFavourite ? metrics.horizontalAdvance(kFavouriteMark + u' ') : 0;
    const int height = rowHeight();
    for (int row = 0; row < m_shown.size(); ++row) {
        const Suggestion& suggestion = m_shown[row];
        const QRect line(kFrame, kFrame + row * height, width() - 2 * kFrame, height);
        const bool highlighted = row == m_highlighted;
        if (highlighted)
            painter.fillRect(line, colours.color(QPalette::Highlight));
        const QColor text = colours.color(highlighted ? QPalette::HighlightedText : QPalette::Text);
        QColor quiet = text;
        quiet.setAlphaF(0.6f);
        QRect room = line.adjusted(margin, 0, -margin, 0);
        const QString details = detailsOf(suggestion);
        if (!details.isEmpty()) {
            painter.setPen(quiet);
            painter.drawText(room, Qt::AlignRight | Qt::AlignVCenter, details);
            room.setRight(room.right() - metrics.horizontalAdvance(details) - 3 * margin);
        }
        painter.setPen(text);
        if (suggestion.favourite)
            painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter, kFavouriteMark);
        room.setLeft(room.left() + markWidth);
        painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(suggestion.description, Qt::ElideRight, room.width()));
    }
}

void SuggestionDropDown::mouseMoveEvent(QMouseEvent* event) {
    highlight(rowAt(event->position().toPoint().y()));
}

void SuggestionDropDown::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        choose(rowAt(event->position().toPoint().y()));
    event->accept();
}
