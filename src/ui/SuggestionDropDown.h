// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "frontend/GameSuggestions.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class QLineEdit;

// The list of suggestions under the search box: after each edit of a text
// that is not empty and not a bracketed set name, the best matches among the
// shown games (GameSuggestions), each with its year and manufacturer when
// known and a star for a favourite. It never takes the keyboard focus:
// typing goes on in the box, which keeps its own search.
//
// Keys in the box while it is open: Down and Page Down move into the
// suggestions (Down one at a time, Page Down to the last), Up and Page Up
// move back (Up from the first to the box), Enter chooses the highlighted
// suggestion (the first when none is), Escape closes it. Down reopens it
// after Escape. A click chooses a suggestion. Choosing emits chosen(),
// closes it and leaves the focus in the box. A click elsewhere, the box
// losing the focus, the window losing it or going, or the shown games
// changing close it too. When the user moves the focus into the box, what
// the suggestions need is made ready before the first key.
class SuggestionDropDown : public QWidget {
    Q_OBJECT

  public:
    SuggestionDropDown(QLineEdit* box, const GameList& games);

    // What it shows, best first (none while closed), and the highlighted row
    // (-1: none, the keys are the box's).
    const QList<Suggestion>& suggestions() const { return m_shown; }
    int highlightedRow() const { return m_highlighted; }
    // The text of the box that its newest answer belongs to.
    const QString& text() const { return m_text; }

  signals:
    // The user chose the game at master position `position`.
    void chosen(qint32 position);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void onTextEdited(const QString& text);
    void onReady(const QString& text, const QList<Suggestion>& suggestions);
    bool onKey(int key);
    void open();
    void dismiss();
    void choose(int row);
    void highlight(int row);
    void place();
    int rowHeight() const;
    int rowAt(int y) const;
    QString detailsOf(const Suggestion& suggestion) const;

    QLineEdit* m_box;
    QPointer<QWidget> m_window; // the box's window, watched
    GameSuggestions m_suggestions;
    QString m_text;             // the text m_latest answers
    QList<Suggestion> m_latest; // the newest answer, shown or not
    QList<Suggestion> m_shown;
    int m_highlighted = -1;
};
