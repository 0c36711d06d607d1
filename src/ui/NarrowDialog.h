// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "gamelist/NarrowOffer.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

// The dialog of the Manufacturer, Year or Category choice, titled so. For
// manufacturers and categories: a search box ("searchBox") over a checkable
// tree ("choiceTree") of the values offered with their counts, manufacturers
// under their group ("Namco" above "Namco (Midway license)"), categories under
// their genre; for categories also "Mature" ("matureBox"). For years: "From"
// ("fromBox") and "To" ("toBox") among the years offered, and "Unknown year"
// ("unknownBox"). Below, how many games the marks would leave ("totalLabel"),
// "All" ("allButton", which marks everything), for the trees "None"
// ("noneButton", which unmarks everything), OK and Cancel.
class NarrowDialog : public QDialog {
    Q_OBJECT

  public:
    NarrowDialog(const NarrowOffer& offer, QWidget* parent = nullptr);

    // The choices as the dialog's marks say, "All" for every value marked.
    ShowChoices choices() const;
    // How many games the marks would leave.
    qint64 total() const;

  private:
    void buildTree();
    void buildYears();
    void markAll();
    void markNone();
    void search(const QString& text);
    void showTotal();
    QStringList markedNames() const;

    NarrowOffer m_offer;
    QLineEdit* m_search = nullptr;
    QTreeWidget* m_tree = nullptr;
    QCheckBox* m_mature = nullptr;
    QComboBox* m_from = nullptr;
    QComboBox* m_to = nullptr;
    QCheckBox* m_unknown = nullptr;
    QLabel* m_total = nullptr;
    std::vector<QTreeWidgetItem*> m_leaves; // with the offer's values, in order
};

// The caption of a value in the dialogs: the name, or "(unknown)" for a
// manufacturer, "(none)" for a category and "unknown" for a year left empty.
QString valueCaption(NarrowKind kind, const QString& name);
