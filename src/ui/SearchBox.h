#pragma once

#include <QLineEdit>

// The search box: however the focus arrives, its whole text is selected, so
// that the next keystroke starts a new search.
class SearchBox : public QLineEdit {
    Q_OBJECT

  public:
    using QLineEdit::QLineEdit;

  protected:
    void focusInEvent(QFocusEvent* event) override;
};
