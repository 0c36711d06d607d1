// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QLineEdit>
#include <QPalette>

// The search box: however the focus arrives, its whole text is selected, so
// that the next keystroke starts a new search. When its text matches no game
// it says so: the text turns red and a tooltip tells why, and how many games
// that the driver filter or the Show choices hide it matches.
class SearchBox : public QLineEdit {
    Q_OBJECT

  public:
    using QLineEdit::QLineEdit;

    void showNoMatch(bool noMatch, qsizetype hiddenMatches = 0);
    bool showsNoMatch() const { return m_noMatch; }

  protected:
    void focusInEvent(QFocusEvent* event) override;

  private:
    bool m_noMatch = false;
    QPalette m_normal;
};
