// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/InfoRowsView.h"

#include <QGridLayout>
#include <QLabel>

namespace {

QLabel* plainLabel(Qt::TextInteractionFlags interaction = Qt::NoTextInteraction) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(interaction);
    return label;
}

} // namespace

InfoRowsView::InfoRowsView(QWidget* parent)
    : QWidget(parent), m_grid(new QGridLayout(this)),
      m_title(plainLabel(Qt::TextSelectableByMouse)) {
    m_grid->setContentsMargins(4, 4, 4, 4);
    m_grid->setHorizontalSpacing(12);
    m_grid->setVerticalSpacing(1);
    m_grid->addWidget(m_title, 0, 0, 1, 2);
    // The title stands apart from the rows, as in the Info box.
    m_grid->setRowMinimumHeight(1, fontMetrics().height() / 2);
    m_grid->setColumnStretch(1, 1);
}

void InfoRowsView::showInformation(const std::optional<GameInfo>& info) {
    m_title->setText(info ? info->title : QString());
    const qsizetype count = info ? info->rows.size() : 0;
    while (std::ssize(m_rows) < count) {
        const int row = static_cast<int>(m_rows.size()) + 2;
        QLabel* label = plainLabel();
        QLabel* value = plainLabel(Qt::TextSelectableByMouse);
        m_grid->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignTop);
        m_grid->addWidget(value, row, 1, Qt::AlignLeft | Qt::AlignTop);
        m_grid->setRowStretch(row - 1, 0);
        m_grid->setRowStretch(row, 1);
        m_rows.emplace_back(label, value);
    }
    for (qsizetype i = 0; i < std::ssize(m_rows); ++i) {
        const auto& [label, value] = m_rows[static_cast<size_t>(i)];
        const bool used = i < count;
        if (used) {
            const InfoRow& row = info->rows[i];
            label->setText(row.label);
            value->setText(row.value);
        }
        label->setVisible(used);
        value->setVisible(used);
    }
    m_shown = count;
}

QString InfoRowsView::text() const {
    QString text = m_title->text();
    for (qsizetype i = 0; i < m_shown; ++i) {
        const auto& [label, value] = m_rows[static_cast<size_t>(i)];
        text += u'\n' + label->text() + u'\t' + value->text();
    }
    return text;
}
