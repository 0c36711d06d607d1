// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/FirstPaintReport.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/resource.h>

namespace {

std::string& reportFile() {
    static std::string file;
    return file;
}

double cpuMilliseconds(const rusage& usage) {
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

void appendLine(const std::string& line) {
    if (FILE* out = std::fopen(reportFile().c_str(), "a")) {
        std::fputs(line.c_str(), out);
        std::fclose(out);
    }
}

void reportExit() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    appendLine("exit cpu-ms=" + std::to_string(cpuMilliseconds(usage)) + "\n");
}

// Waits for the list's viewport to paint rows, then reports once the event
// loop is back, when the whole frame has been painted and handed to the
// window system: first among what is waiting then, so that work the program
// put off until after its first paint (reading its catalogue) is not counted.
class FirstPaintWatch : public QObject {
  public:
    explicit FirstPaintWatch(QAbstractItemView& list) : QObject(&list), m_list(list) {
        list.viewport()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_list.model() && m_list.model()->rowCount() > 0) {
            watched->removeEventFilter(this);
            QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::HighEventPriority);
        }
        return false;
    }
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        report(m_list);
        return true;
    }

  private:
    static void report(QAbstractItemView& list) {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        appendLine("first-paint cpu-ms=" + std::to_string(cpuMilliseconds(usage)) +
                   " peak-rss-kb=" + std::to_string(usage.ru_maxrss) + " wall-end-us=" +
                   std::to_string(now.tv_sec * 1000000LL + now.tv_nsec / 1000) + "\n");
        std::atexit(reportExit);
        list.window()->close();
    }

    QAbstractItemView& m_list;
};

} // namespace

void reportFirstPaintWhenAsked(QAbstractItemView& list) {
    const char* file = std::getenv("COINSLOT_FIRST_PAINT_REPORT");
    if (!file || !*file)
        return;
    reportFile() = file;
    new FirstPaintWatch(list);
}
