// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

// A game's snapshot as its screen showed it, as large as the widget allows
// and centred: 4:3, or 3:4 for a picture taller than wide (an upright
// screen); without one, a short text in its place. Its height follows its
// width (4:3).
class SnapshotView : public QWidget {
    Q_OBJECT

  public:
    explicit SnapshotView(QWidget* parent = nullptr);

    // A null picture shows `missing` instead.
    void setPicture(const QImage& picture, const QString& missing);
    const QImage& picture() const { return m_picture; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width * 3 / 4; }
    QSize sizeHint() const override { return {320, 240}; }
    QSize minimumSizeHint() const override { return {64, 48}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage m_picture;
    QString m_missing;
};
