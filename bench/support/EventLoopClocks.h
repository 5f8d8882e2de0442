#pragma once
// Clocks on the user-interface thread's event loop, for benchmarks.
#include <QApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

// Records when the watched widget last finished painting (install it as the
// widget's event filter). Times are nanoseconds on the given clock.
class PaintClock : public QObject {
 public:
  explicit PaintClock(const QElapsedTimer& clock) : clock_(clock) {}
  qint64 lastPaint = -1;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const QElapsedTimer& clock_;
};

// The longest gap between ticks of a precise 1 ms timer: how long the
// thread went without handling events. The thread's own processor time in
// that gap tells work on the thread from waiting for a processor.
class GapMeter : public QObject {
 public:
  GapMeter();
  // Starts a new measurement from now.
  void restart();
  qint64 longest = 0;     // nanoseconds
  qint64 longestCpu = 0;  // nanoseconds the thread ran during the longest gap

 private:
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 last_ = 0;
  qint64 lastCpu_ = 0;
};

// An application that times the handling of every event it delivers (the
// outermost delivery only): the longest one says whether a gap between
// timer ticks was work in one event or time the thread did not run.
class TimedApplication : public QApplication {
 public:
  TimedApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
  void restartEventTimes();
  qint64 longestEvent = 0;     // nanoseconds
  qint64 longestEventCpu = 0;  // nanoseconds the thread ran while handling it
  QString longestEventName;    // event type and receiver's class

 private:
  QElapsedTimer clock_;
  int depth_ = 0;
};

// Runs the event loop (as the application's own loop runs it: waiting for
// events, never sleeping) until done() holds or timeoutMs pass; done() is
// checked every millisecond. Returns whether done() held.
bool RunEventLoopUntil(const std::function<bool()>& done, int timeoutMs);
