// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// One text that many QStrings share without a copy: slice() gives an ordinary
// QString that begins inside the text's one allocation (a Qt 6 string may
// begin anywhere in its allocation) and holds a reference to it. Slices are
// copied, changed and destroyed like any QString: a change first copies a
// slice that others still share, and the allocation goes with the last slice
// (or with the SharedText, whichever goes last). A table of texts read from
// one file thus costs one allocation instead of one per text.
//
// The references of the slices handed out are counted here and added to the
// text's count in one step when the SharedText goes; until then a margin
// keeps the count above what slices destroyed meanwhile can take away.
class SharedText {
  public:
    // `text` must be the only holder of its characters.
    explicit SharedText(QString text);
    ~SharedText();
    SharedText(const SharedText&) = delete;
    SharedText& operator=(const SharedText&) = delete;

    // The `length` characters from `from`. Qt expects a string's characters
    // to be followed by u'\0', so the character after the slice must be one
    // (or the end of the text). A length of 0 gives the null string.
    QString slice(qsizetype from, qsizetype length);

  private:
    static constexpr int kMargin = 1 << 30; // more slices than a text ever gets
    QString m_text;
    int m_handedOut = 0;
};
