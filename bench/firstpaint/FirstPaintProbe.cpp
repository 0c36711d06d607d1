// SPDX-License-Identifier: GPL-2.0-or-later
// The start-up benchmark's probe, loaded into an unchanged program with
// LD_PRELOAD (bench/measure.sh does so for the front end and its floors):
//
//   COINSLOT_FIRST_PAINT_REPORT=FILE LD_PRELOAD=libcoinslot_firstpaint.so PROGRAM ...
//
// When the program's QApplication is made, the probe watches its events for
// the first paint of an item view's viewport that shows rows. Once the frame
// of that paint is done (the event loop is back), the process appends to
// FILE one line
//
//   first-paint cpu-ms=<user+system CPU so far> peak-rss-kb=<resident high-water mark>
//               wall-end-us=<CLOCK_REALTIME>
//
// and closes the view's window, which ends the program the usual way; when
// the process ends, it appends "exit cpu-ms=<CPU at the end>". The report is
// posted ahead of what waits then, so that work a program puts off until
// after its first paint is not counted in the time to it. Without the
// variable the probe does nothing.
#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QPointer>
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

// The item view whose viewport `object` is, when it shows rows.
QAbstractItemView* listWithRows(QObject* object) {
    auto* view = qobject_cast<QAbstractItemView*>(object->parent());
    if (!view || view->viewport() != object || !view->model() || view->model()->rowCount() == 0)
        return nullptr;
    return view;
}

class FirstPaintWatch : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_list) {
            if (QAbstractItemView* list = listWithRows(watched)) {
                m_list = list;
                qApp->removeEventFilter(this);
                QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::HighEventPriority);
            }
        }
        return false;
    }
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        report();
        return true;
    }

  private:
    void report() {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        appendLine("first-paint cpu-ms=" + std::to_string(cpuMilliseconds(usage)) +
                   " peak-rss-kb=" + std::to_string(usage.ru_maxrss) + " wall-end-us=" +
                   std::to_string(now.tv_sec * 1000000LL + now.tv_nsec / 1000) + "\n");
        std::atexit(reportExit);
        if (m_list)
            m_list->window()->close();
    }

    QPointer<QAbstractItemView> m_list;
};

void installWatch() {
    const char* file = std::getenv("COINSLOT_FIRST_PAINT_REPORT");
    if (!file || !*file || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    reportFile() = file;
    qApp->installEventFilter(new FirstPaintWatch(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installWatch)
