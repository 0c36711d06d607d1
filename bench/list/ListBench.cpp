// SPDX-License-Identifier: GPL-2.0-or-later
// The list's own work in one process, timed against the bare Qt way of doing
// the same, in alternating pairs: the front end's real window (read from a
// working folder through the real start-up) beside a floor window, a
// QListView over a QStringListModel and a QLineEdit. Each step is timed from
// the input to the end of the repaint it causes (CPU time of the process):
//
//   keystroke  a key typed into the search box whose search matches nothing
//              (typing "q" after "qqq", then Backspace)
//   select     a key whose search selects a game far down the list and
//              scrolls to it ("x" into an empty box), then Backspace, which
//              selects the first game again
//   filter     the driver filter set to DRIVER, then cleared
//   suggest    the last letter of QUERY typed after the rest of it, then
//              Backspace: each a search and new suggestions in the drop-down
//
// The front end's search suggestions are worked out on a thread of their
// own; each step of the front end's waits for them to come and be painted,
// so that their work counts in the step that caused it.
//
//   coinslot_listbench STEP FOLDER PAIRS [DRIVER|QUERY]
//
// FOLDER holds coinslot.ini and coinslot.dat (and coinslot.sqlite, for a
// current MAME's facts). Prints one line: STEP, the median of the front
// end's times, of the floor's, and of the pairwise ratios, in milliseconds,
// the locale, and for suggest the median wall time of the front end's steps
// and the time of the first one, which makes the suggestions' index. The
// locale is the environment's, as the program's.
#include "../SilentSeam.h"
#include "../floor/FloorTable.h"

#include "app/StartUp.h"
#include "frontend/FrontEnd.h"
#include "ui/MainWindow.h"
#include "ui/SuggestionDropDown.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

double cpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Counts the paint events of a window's widgets.
class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void watchPaints(QWidget& window, PaintCounter& counter) {
    window.installEventFilter(&counter);
    for (QWidget* child : window.findChildren<QWidget*>())
        child->installEventFilter(&counter);
}

// Runs the event loop until nothing is left to do (repaints included).
void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

// Runs the event loop until the suggestions for the box's text have come,
// then until nothing is left to do.
void awaitSuggestions(const QLineEdit& box, const SuggestionDropDown& dropDown) {
    const QDeadlineTimer deadline(5000);
    while (dropDown.text() != box.text() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    settle();
}

void typeKey(QWidget& box, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&box, &press);
    QApplication::sendEvent(&box, &release);
}

// The bare Qt window: the same descriptions, a search box that selects the
// first description beginning with its text (case ignored), and a filter that
// shows the games of one driver.
class FloorWindow : public QWidget {
  public:
    explicit FloorWindow(const QString& database)
        : m_table(bench::readFloorTable(database, true)), m_model(m_table.descriptions) {
        auto* layout = new QVBoxLayout(this);
        m_list = new QListView(this);
        m_list->setUniformItemSizes(true);
        m_list->setModel(&m_model);
        m_box = new QLineEdit(this);
        layout->addWidget(m_list);
        layout->addWidget(m_box);
        resize(473, 297);
        connect(m_box, &QLineEdit::textChanged, this, [this](const QString& text) {
            const QStringList& shown = m_model.stringList();
            for (qsizetype row = 0; row < shown.size(); ++row) {
                if (shown[row].startsWith(text, Qt::CaseInsensitive)) {
                    select(static_cast<int>(row));
                    return;
                }
            }
        });
    }
    QLineEdit& box() { return *m_box; }

    void filter(const QString& driver) {
        if (driver.isEmpty()) {
            m_model.setStringList(m_table.descriptions);
        } else {
            QStringList shown;
            for (qsizetype i = 0; i < m_table.drivers.size(); ++i) {
                if (m_table.drivers[i] == driver)
                    shown.append(m_table.descriptions[i]);
            }
            m_model.setStringList(shown);
        }
        select(0);
    }

  private:
    void select(int row) {
        const QModelIndex index = m_model.index(row);
        m_list->setCurrentIndex(index);
        m_list->scrollTo(index);
    }

    bench::FloorTable m_table;
    QStringListModel m_model;
    QListView* m_list = nullptr;
    QLineEdit* m_box = nullptr;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: coinslot_listbench keystroke|select|filter|suggest FOLDER "
                             "PAIRS [DRIVER|QUERY]\n");
        return 2;
    }
    const QString step = QString::fromLocal8Bit(argv[1]);
    QDir::setCurrent(QString::fromLocal8Bit(argv[2]));
    const int pairs = std::atoi(argv[3]);
    const QString driver = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QStringLiteral("cps1");
    const QString query = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QStringLiteral("galagga");

    bench::SilentSeam seam;
    MameRunner runner;
    FrontEnd frontEnd(runner);
    MainWindow window(frontEnd, seam);
    if (!startUp(window, frontEnd, seam, QStringLiteral("coinslot"))) {
        std::fprintf(stderr, "the front end did not start in %s\n", argv[2]);
        return 1;
    }
    window.show();
    FloorWindow floor(QStringLiteral("coinslot.dat"));
    floor.move(500, 0);
    floor.show();
    auto* ourBox = window.findChild<QLineEdit*>(QStringLiteral("searchBox"));
    const auto* dropDown = window.findChild<SuggestionDropDown*>(QStringLiteral("suggestions"));
    PaintCounter ourPaints, floorPaints;
    watchPaints(window, ourPaints);
    watchPaints(floor, floorPaints);
    settle();

    // One sample of each side: the step from its input to its last repaint.
    std::function<void()> ours, theirs;
    if (step == QLatin1String("keystroke")) {
        ourBox->setText(QStringLiteral("qqq"));
        floor.box().setText(QStringLiteral("qqq"));
        const auto keystroke = [](QLineEdit& box) {
            if (box.text().size() == 3)
                typeKey(box, Qt::Key_Q, QStringLiteral("q"));
            else
                typeKey(box, Qt::Key_Backspace, QString());
        };
        ours = [&] {
            keystroke(*ourBox);
            awaitSuggestions(*ourBox, *dropDown);
        };
        theirs = [&] { keystroke(floor.box()); };
    } else if (step == QLatin1String("select")) {
        ourBox->clear();
        floor.box().clear();
        const auto keystroke = [](QLineEdit& box) {
            if (box.text().isEmpty())
                typeKey(box, Qt::Key_X, QStringLiteral("x"));
            else
                typeKey(box, Qt::Key_Backspace, QString());
        };
        ours = [&] {
            keystroke(*ourBox);
            awaitSuggestions(*ourBox, *dropDown);
        };
        theirs = [&] { keystroke(floor.box()); };
    } else if (step == QLatin1String("suggest")) {
        const QString start = query.chopped(1);
        const QChar last = query.back();
        ourBox->setText(start);
        floor.box().setText(start);
        // Kept by value: the steps outlive this block.
        const auto keystroke = [start, last](QLineEdit& box) {
            if (box.text() == start)
                typeKey(box, last.toUpper().unicode(), QString(last)); // Qt's key code
            else
                typeKey(box, Qt::Key_Backspace, QString());
        };
        ours = [&, keystroke] {
            keystroke(*ourBox);
            awaitSuggestions(*ourBox, *dropDown);
        };
        theirs = [&, keystroke] { keystroke(floor.box()); };
    } else if (step == QLatin1String("filter")) {
        ours = [&] {
            if (!frontEnd.games().applyDriverFilter(driver).value())
                std::fprintf(stderr, "no game of the driver %s\n", qPrintable(driver));
            settle();
            (void)frontEnd.games().applyDriverFilter(QString());
        };
        theirs = [&] {
            floor.filter(driver);
            settle();
            floor.filter(QString());
        };
    } else {
        std::fprintf(stderr, "unknown step %s\n", argv[1]);
        return 2;
    }
    settle();

    std::vector<double> ourWalls;
    const auto timed = [&](const std::function<void()>& action, PaintCounter& paints) {
        const int before = paints.paints;
        QElapsedTimer wall;
        wall.start();
        const double start = cpuMilliseconds();
        action();
        settle();
        const double spent = cpuMilliseconds() - start;
        if (&paints == &ourPaints)
            ourWalls.push_back(wall.nsecsElapsed() / 1e6);
        if (paints.paints == before)
            std::fprintf(stderr, "a step repainted nothing\n");
        return spent;
    };
    // Two rounds each to warm up, then the pairs, in alternating order.
    const double first = timed(ours, ourPaints);
    timed(theirs, floorPaints);
    timed(ours, ourPaints);
    timed(theirs, floorPaints);
    ourWalls.clear();
    std::vector<double> ourTimes, floorTimes, ratios;
    for (int i = 0; i < pairs; ++i) {
        double a = 0, b = 0;
        if (i % 2) {
            a = timed(ours, ourPaints);
            b = timed(theirs, floorPaints);
        } else {
            b = timed(theirs, floorPaints);
            a = timed(ours, ourPaints);
        }
        ourTimes.push_back(a);
        floorTimes.push_back(b);
        ratios.push_back(a / b);
    }
    std::printf("%s %.3f %.3f %.3f %s", qPrintable(step), median(ourTimes), median(floorTimes),
                median(ratios), qPrintable(QLocale().name()));
    if (step == QLatin1String("suggest"))
        std::printf(" %.3f %.3f", median(ourWalls), first);
    std::printf("\n");
    return 0;
}
