// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (a logout, a closed terminal, a kill) turned into
// a Qt signal on the event loop. The system's handler does no more than write
// the signal's number into a pipe, which a QSocketNotifier reads; everything
// else happens in received(). One object at a time; it puts the default
// handling back when it goes.
class ShutdownSignals : public QObject {
    Q_OBJECT

  public:
    explicit ShutdownSignals(QObject* parent = nullptr);
    ~ShutdownSignals() override;

  signals:
    void received(int signal);

  private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
};
