// SPDX-License-Identifier: GPL-2.0-or-later
// The dialogs of the narrowing choices, and Info's dialog with the pictures it decodes.
#include "ui/NarrowDialog.h"
#include "ui/GameInfoDialog.h"
#include "ui/PictureLoader.h"

#include "FakeMame.h"
#include "QtPrinters.h"
#include "TestFolders.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

QTreeWidgetItem* findItem(QTreeWidget* tree, const QString& caption) {
    const QList<QTreeWidgetItem*> found =
        tree->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

} // namespace

TEST(NarrowDialog, MakersStandUnderTheirGroupAndTheMarksGiveTheChoice) {
    NarrowOffer offer{NarrowKind::Maker, {}, {}};
    offer.values = {{"", 2},       {"bootleg (Namco)", 3},        {"Midway", 4},
                    {"Namco", 10}, {"Namco (Midway license)", 5}, {"Namco / Bally", 1}};
    NarrowDialog dialog(offer);
    auto* tree = dialog.findChild<QTreeWidget*>("choiceTree");
    auto* total = dialog.findChild<QLabel*>("totalLabel");
    EXPECT_EQ(dialog.windowTitle(), "Manufacturer");
    QTreeWidgetItem* namco = findItem(tree, "Namco");
    ASSERT_TRUE(namco);
    EXPECT_EQ(namco->childCount(), 3); // "Namco" itself among them
    EXPECT_EQ(namco->text(1), "16");
    EXPECT_EQ(findItem(tree, "bootleg")->child(0)->text(0), "bootleg (Namco)");
    EXPECT_EQ(findItem(tree, "(unknown)")->childCount(), 0);
    EXPECT_EQ(total->text(), "25 games");

    // Only Namco's: nothing, then the group.
    dialog.findChild<QPushButton*>("noneButton")->click();
    EXPECT_EQ(total->text(), "0 games");
    namco->setCheckState(0, Qt::Checked);
    EXPECT_EQ(total->text(), "16 games");
    EXPECT_EQ(dialog.choices().makers,
              QStringList({"Namco", "Namco (Midway license)", "Namco / Bally"}));
    findItem(tree, "Namco / Bally")->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(namco->checkState(0), Qt::PartiallyChecked);
    EXPECT_EQ(dialog.choices().makers, QStringList({"Namco", "Namco (Midway license)"}));

    dialog.findChild<QLineEdit*>("searchBox")->setText("bally");
    EXPECT_TRUE(findItem(tree, "Midway")->isHidden());
    EXPECT_FALSE(namco->isHidden());
    EXPECT_TRUE(findItem(tree, "Namco (Midway license)")->isHidden());
    dialog.findChild<QPushButton*>("allButton")->click();
    EXPECT_EQ(dialog.choices().makers, QStringList()); // all: no choice
    EXPECT_EQ(total->text(), "25 games");
}

TEST(NarrowDialog, CategoriesWithMatureAndYearsAsARangeWithTheUnknown) {
    NarrowOffer categories{NarrowKind::Category, {}, {}};
    categories.current.categories = {"Maze / Collect"};
    categories.values = {{"", 1}, {"Maze / Collect", 4, 1}, {"Maze / Digging", 2}, {"Pinball", 3}};
    NarrowDialog dialog(categories);
    auto* tree = dialog.findChild<QTreeWidget*>("choiceTree");
    EXPECT_EQ(findItem(tree, "Maze")->childCount(), 2);
    EXPECT_EQ(findItem(tree, "Collect")->checkState(0), Qt::Checked);
    EXPECT_EQ(findItem(tree, "Digging")->checkState(0), Qt::Unchecked);
    EXPECT_EQ(dialog.total(), 4);
    dialog.findChild<QCheckBox*>("matureBox")->setChecked(false);
    EXPECT_EQ(dialog.total(), 3);
    const ShowChoices chosen = dialog.choices();
    EXPECT_EQ(chosen.categories, QStringList{"Maze / Collect"});
    EXPECT_FALSE(chosen.mature);

    NarrowOffer years{NarrowKind::Year, {}, {}};
    years.current.yearTo = 1983; // between two years present
    years.values = {{"1980", 2}, {"1981", 1}, {"1984", 5}, {"", 3}};
    NarrowDialog yearDialog(years);
    auto* from = yearDialog.findChild<QComboBox*>("fromBox");
    auto* to = yearDialog.findChild<QComboBox*>("toBox");
    EXPECT_EQ(to->currentText(), "1981 (1)");
    EXPECT_EQ(yearDialog.total(), 6);
    from->setCurrentIndex(1);
    yearDialog.findChild<QCheckBox*>("unknownBox")->setChecked(false);
    EXPECT_EQ(yearDialog.findChild<QLabel*>("totalLabel")->text(), "1 game");
    ShowChoices range = yearDialog.choices();
    EXPECT_EQ(std::tuple(range.yearFrom, range.yearTo, range.unknownYears),
              std::tuple(1981, 1981, false));
    to->setCurrentIndex(2);
    from->setCurrentIndex(0);
    range = yearDialog.choices();
    EXPECT_EQ(std::pair(range.yearFrom, range.yearTo), std::pair(0, 0)); // open at both ends
}

TEST(PictureLoader, AnOversizedOrBrokenPictureSaysSoInsteadOfDecoding) {
    const QString fixtures = QStringLiteral(COINSLOT_FIXTURES "/support/");
    const LoadedPicture red = loadPicture({fixtures + "red.png", {}});
    EXPECT_EQ(red.image.size(), QSize(4, 3));
    const LoadedPicture huge = loadPicture({fixtures + "huge.png", {}});
    EXPECT_TRUE(huge.image.isNull());
    EXPECT_EQ(huge.problem,
              "The picture has more than 16 megapixels (5000 \u00d7 4000) and is not shown.");
    const LoadedPicture broken = loadPicture({fixtures + "snap.zip", "puckman.jpg"});
    EXPECT_EQ(broken.problem, "The picture could not be decoded.");
    EXPECT_EQ(loadPicture({fixtures + "snap.zip", "Galaga.png"}).image.size(), QSize(4, 3));

    // Loaded off this thread, handed back here.
    PictureLoader loader;
    std::optional<LoadedPicture> got;
    loader.load({fixtures + "red.png", {}}, [&](const LoadedPicture& picture) { got = picture; });
    EXPECT_FALSE(got);
    ASSERT_TRUE(waitUntil([&] { return got.has_value(); }));
    EXPECT_EQ(got->image.pixelColor(0, 0), QColor(200, 30, 30));
}

TEST(GameInfoDialog, TabsForTheHistoryAndEachKindWithTheSnapshotBesideTheRows) {
    const QString fixtures = QStringLiteral(COINSLOT_FIXTURES "/support/");
    GameInfo info;
    info.title = "Galaga";
    info.rows = {{"Set", "galaga"}};
    info.withFacts = true;
    EXPECT_FALSE(GameInfoDialog::wanted(info));
    info.artwork = {{"Snapshot", fixtures + "snap.zip", "Galaga.png", true}};
    EXPECT_FALSE(GameInfoDialog::wanted(info)); // the Info box shows a snapshot alone
    info.history = "Galaga (c) 1981 Namco.";
    info.artwork.append({"Flyer", fixtures + "huge.png", "", false});
    ASSERT_TRUE(GameInfoDialog::wanted(info));
    GameInfoDialog dialog(info, "Info");
    auto* tabs = dialog.findChild<QTabWidget*>("infoTabs");
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions.append(tabs->tabText(i));
    EXPECT_EQ(captions, QStringList({"&Info", "&History", "Flyer"}));
    // Both pictures arrive: the snapshot beside the rows, the flyer's problem in its tab.
    const auto labelTexts = [&] {
        QStringList texts;
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->objectName() != "infoText")
                texts.append(label->pixmap().isNull() ? label->text()
                                                      : QString("%1x%2")
                                                            .arg(label->pixmap().width())
                                                            .arg(label->pixmap().height()));
        }
        texts.sort();
        return texts;
    };
    ASSERT_TRUE(waitUntil([&] { return !labelTexts().join(' ').contains("Loading"); }))
        << labelTexts().join(" | ");
    EXPECT_EQ(labelTexts(),
              QStringList({"4x3", "The picture has more than 16 megapixels (5000 \u00d7 4000) and "
                                  "is not shown."}));
    EXPECT_EQ(dialog.findChild<QPlainTextEdit*>("historyText")->toPlainText(), info.history);
    dialog.show();
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->pixmap().isNull()) {
            EXPECT_GE(label->height(), 3); // laid out as high as the picture
        }
    }
}
