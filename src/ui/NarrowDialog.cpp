// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/NarrowDialog.h"

#include "gamelist/MakerGroups.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString formatNumber(qint64 number) {
    return QLocale(QLocale::English).toString(number);
}

// "1 game", "2 games", "39,372 games".
QString gamesText(qint64 games) {
    return games == 1 ? QStringLiteral("1 game")
                      : QStringLiteral("%1 games").arg(formatNumber(games));
}

QString titleOf(NarrowKind kind) {
    switch (kind) {
    case NarrowKind::Maker:
        return QCoreApplication::translate("NarrowDialog", "Manufacturer");
    case NarrowKind::Year:
        return QCoreApplication::translate("NarrowDialog", "Year");
    case NarrowKind::Category:
        break;
    }
    return QCoreApplication::translate("NarrowDialog", "Category");
}

// The group a value stands under in the tree, and its caption there.
std::pair<QString, QString> placeOf(NarrowKind kind, const QString& name) {
    if (kind == NarrowKind::Maker)
        return {makerGroup(name), valueCaption(kind, name)};
    const QString genre = categoryGenre(name);
    return {genre, genre == name ? valueCaption(kind, name) : name.mid(genre.size() + 3)};
}

constexpr int kNameRole = Qt::UserRole;

} // namespace

QString valueCaption(NarrowKind kind, const QString& name) {
    if (!name.isEmpty())
        return name;
    switch (kind) {
    case NarrowKind::Maker:
        return QStringLiteral("(unknown)");
    case NarrowKind::Category:
        return QStringLiteral("(none)");
    case NarrowKind::Year:
        break;
    }
    return QStringLiteral("unknown");
}

NarrowDialog::NarrowDialog(const NarrowOffer& offer, QWidget* parent)
    : QDialog(parent), m_offer(offer) {
    setObjectName(QStringLiteral("narrowDialog"));
    setWindowTitle(titleOf(offer.kind));
    auto* layout = new QVBoxLayout(this);
    if (offer.kind == NarrowKind::Year)
        buildYears();
    else
        buildTree();
    for (QWidget* part : {static_cast<QWidget*>(m_search), static_cast<QWidget*>(m_tree),
                          static_cast<QWidget*>(m_mature)}) {
        if (part)
            layout->addWidget(part);
    }
    if (m_from) {
        auto* form = new QFormLayout;
        form->addRow(QCoreApplication::translate("NarrowDialog", "&From:"), m_from);
        form->addRow(QCoreApplication::translate("NarrowDialog", "&To:"), m_to);
        form->addRow(m_unknown);
        layout->addLayout(form);
    }
    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("totalLabel"));
    layout->addWidget(m_total);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* all = buttons->addButton(QCoreApplication::translate("NarrowDialog", "&All"),
                                          QDialogButtonBox::ResetRole);
    all->setObjectName(QStringLiteral("allButton"));
    connect(all, &QPushButton::clicked, this, &NarrowDialog::markAll);
    if (m_tree) {
        QPushButton* none = buttons->addButton(QCoreApplication::translate("NarrowDialog", "&None"),
                                               QDialogButtonBox::ResetRole);
        none->setObjectName(QStringLiteral("noneButton"));
        connect(none, &QPushButton::clicked, this, &NarrowDialog::markNone);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    showTotal();
}

void NarrowDialog::buildTree() {
    const NarrowKind kind = m_offer.kind;
    const QStringList& chosen =
        kind == NarrowKind::Maker ? m_offer.current.makers : m_offer.current.categories;
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("searchBox"));
    m_search->setPlaceholderText(QCoreApplication::translate("NarrowDialog", "Search"));
    m_search->setClearButtonEnabled(true);
    connect(m_search, &QLineEdit::textChanged, this, &NarrowDialog::search);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("choiceTree"));
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({titleOf(kind), QCoreApplication::translate("NarrowDialog", "Games")});
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_tree->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    m_tree->setUniformRowHeights(true);
    m_tree->setMinimumSize(420, 360);

    // The values by group, the groups in the order of their first value.
    QMap<QString, std::vector<size_t>> groups;
    QStringList order;
    for (size_t i = 0; i < m_offer.values.size(); ++i) {
        const QString group = placeOf(kind, m_offer.values[i].name).first;
        if (!groups.contains(group))
            order.append(group);
        groups[group].push_back(i);
    }
    order.sort(Qt::CaseInsensitive);
    m_leaves.assign(m_offer.values.size(), nullptr);
    QList<QTreeWidgetItem*> top;
    for (const QString& group : order) {
        const std::vector<size_t>& members = groups[group];
        const auto leaf = [&](size_t i, const QString& caption) {
            auto* item = new QTreeWidgetItem({caption, formatNumber(m_offer.values[i].count)});
            item->setData(0, kNameRole, m_offer.values[i].name);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, chosen.isEmpty() || chosen.contains(m_offer.values[i].name)
                                       ? Qt::Checked
                                       : Qt::Unchecked);
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
            m_leaves[i] = item;
            return item;
        };
        const QString only = m_offer.values[members.front()].name;
        if (members.size() == 1 && placeOf(kind, only).first == only) {
            top.append(leaf(members.front(), valueCaption(kind, only)));
            continue;
        }
        qint64 count = 0;
        auto* parent = new QTreeWidgetItem({valueCaption(kind, group), QString()});
        parent->setFlags(parent->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
        for (size_t i : members) {
            count += m_offer.values[i].count;
            parent->addChild(leaf(i, placeOf(kind, m_offer.values[i].name).second));
        }
        parent->setText(1, formatNumber(count));
        parent->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        top.append(parent);
    }
    m_tree->addTopLevelItems(top);
    connect(m_tree, &QTreeWidget::itemChanged, this, &NarrowDialog::showTotal);
    if (kind == NarrowKind::Category) {
        qint64 mature = 0;
        for (const CountedValue& value : m_offer.values)
            mature += value.matureCount;
        m_mature =
            new QCheckBox(QCoreApplication::translate("NarrowDialog", "&Mature (%1 for adults)")
                              .arg(gamesText(mature)),
                          this);
        m_mature->setObjectName(QStringLiteral("matureBox"));
        m_mature->setChecked(m_offer.current.mature);
        connect(m_mature, &QCheckBox::toggled, this, &NarrowDialog::showTotal);
    }
}

void NarrowDialog::buildYears() {
    m_from = new QComboBox(this);
    m_from->setObjectName(QStringLiteral("fromBox"));
    m_to = new QComboBox(this);
    m_to->setObjectName(QStringLiteral("toBox"));
    qint64 unknown = 0;
    for (const CountedValue& value : m_offer.values) {
        if (value.name.isEmpty()) {
            unknown = value.count;
            continue;
        }
        const QString caption =
            QStringLiteral("%1 (%2)").arg(value.name, formatNumber(value.count));
        m_from->addItem(caption, value.name.toInt());
        m_to->addItem(caption, value.name.toInt());
    }
    const int from = m_offer.current.yearFrom, to = m_offer.current.yearTo;
    int fromIndex = 0, toIndex = m_to->count() - 1;
    for (int i = m_from->count() - 1; i >= 0; --i) {
        if (from != 0 && m_from->itemData(i).toInt() >= from)
            fromIndex = i; // the first year from `from` on
    }
    for (int i = 0; i < m_to->count(); ++i) {
        if (to != 0 && m_to->itemData(i).toInt() <= to)
            toIndex = i; // the last year up to `to`
    }
    m_from->setCurrentIndex(fromIndex);
    m_to->setCurrentIndex(toIndex);
    m_unknown = new QCheckBox(
        QStringLiteral("&Unknown year (%1, such as \"198?\")").arg(gamesText(unknown)), this);
    m_unknown->setObjectName(QStringLiteral("unknownBox"));
    m_unknown->setChecked(m_offer.current.unknownYears);
    m_unknown->setEnabled(unknown > 0 || !m_offer.current.unknownYears);
    for (QComboBox* box : {m_from, m_to})
        connect(box, &QComboBox::currentIndexChanged, this, &NarrowDialog::showTotal);
    connect(m_unknown, &QCheckBox::toggled, this, &NarrowDialog::showTotal);
}

void NarrowDialog::markAll() {
    if (m_tree) {
        {
            const QSignalBlocker quiet(m_tree);
            for (QTreeWidgetItem* leaf : m_leaves)
                leaf->setCheckState(0, Qt::Checked);
        }
        m_tree->viewport()->update();
    }
    if (m_mature)
        m_mature->setChecked(true);
    if (m_from) {
        m_from->setCurrentIndex(0);
        m_to->setCurrentIndex(m_to->count() - 1);
        m_unknown->setChecked(true);
    }
    showTotal();
}

void NarrowDialog::markNone() {
    {
        const QSignalBlocker quiet(m_tree);
        for (QTreeWidgetItem* leaf : m_leaves)
            leaf->setCheckState(0, Qt::Unchecked);
    }
    m_tree->viewport()->update();
    showTotal();
}

void NarrowDialog::search(const QString& text) {
    const QString wanted = text.trimmed();
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* group = m_tree->topLevelItem(i);
        const bool groupMatches = group->text(0).contains(wanted, Qt::CaseInsensitive);
        bool anyChild = false;
        for (int c = 0; c < group->childCount(); ++c) {
            QTreeWidgetItem* child = group->child(c);
            const bool matches =
                groupMatches || child->text(0).contains(wanted, Qt::CaseInsensitive);
            child->setHidden(!matches);
            anyChild = anyChild || matches;
        }
        group->setHidden(!groupMatches && !anyChild);
        group->setExpanded(!wanted.isEmpty() && anyChild);
    }
}

QStringList NarrowDialog::markedNames() const {
    QStringList names;
    for (QTreeWidgetItem* leaf : m_leaves) {
        if (leaf->checkState(0) == Qt::Checked)
            names.append(leaf->data(0, kNameRole).toString());
    }
    return names;
}

qint64 NarrowDialog::total() const {
    qint64 total = 0;
    if (m_tree) {
        const bool mature = !m_mature || m_mature->isChecked();
        for (size_t i = 0; i < m_leaves.size(); ++i) {
            if (m_leaves[i]->checkState(0) == Qt::Checked)
                total += m_offer.values[i].count - (mature ? 0 : m_offer.values[i].matureCount);
        }
        return total;
    }
    const int from = m_from->currentData().toInt(), to = m_to->currentData().toInt();
    for (const CountedValue& value : m_offer.values) {
        const int year = value.name.toInt();
        if (value.name.isEmpty() ? m_unknown->isChecked() : (year >= from && year <= to))
            total += value.count;
    }
    return total;
}

void NarrowDialog::showTotal() {
    m_total->setText(gamesText(total()));
}

ShowChoices NarrowDialog::choices() const {
    ShowChoices choices = m_offer.current;
    switch (m_offer.kind) {
    case NarrowKind::Maker:
    case NarrowKind::Category: {
        QStringList names = markedNames();
        if (names.size() == std::ssize(m_leaves))
            names.clear(); // all of them
        (m_offer.kind == NarrowKind::Maker ? choices.makers : choices.categories) = names;
        if (m_mature)
            choices.mature = m_mature->isChecked();
        break;
    }
    case NarrowKind::Year: {
        const int from = m_from->currentIndex(), to = m_to->currentIndex();
        choices.yearFrom = from <= 0 ? 0 : m_from->currentData().toInt();
        choices.yearTo = to < 0 || to == m_to->count() - 1 ? 0 : m_to->currentData().toInt();
        choices.unknownYears = m_unknown->isChecked();
        break;
    }
    }
    return choices;
}
