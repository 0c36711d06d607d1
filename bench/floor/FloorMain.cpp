// SPDX-License-Identifier: GPL-2.0-or-later
// The floor of the start-up and list benchmarks: what a bare Qt program
// takes to show the same games. It reads the descriptions from a database
// file (the text before each line's first "|"), shows them in a QListView of
// the front end's list size over a QStringListModel, selects row ROW and
// scrolls to it.
//
//   coinslot_floor DATABASE [ROW]
#include "FloorTable.h"

#include <QApplication>
#include <QListView>
#include <QStringListModel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QStringListModel model(
        bench::readFloorTable(QString::fromLocal8Bit(argv[1]), false).descriptions);
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&model);
    view.resize(353, 247); // the front end's list at 96 dpi
    const QModelIndex row = model.index(argc > 2 ? std::atoi(argv[2]) : 0);
    view.setCurrentIndex(row);
    view.scrollTo(row);
    view.show();
    return app.exec();
}
