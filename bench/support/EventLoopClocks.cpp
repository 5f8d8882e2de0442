#include "bench/support/EventLoopClocks.h"

#include <QEvent>
#include <QEventLoop>
#include <QMetaEnum>
#include <algorithm>
#include <ctime>

namespace {

qint64 ThreadCpuNs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return qint64{now.tv_sec} * 1000000000 + now.tv_nsec;
}

}  // namespace

bool PaintClock::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint) {
    const bool handled = watched->event(event);
    lastPaint = clock_.nsecsElapsed();
    return handled;
  }
  return false;
}

GapMeter::GapMeter() {
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(1);
  connect(&timer_, &QTimer::timeout, this, [this] {
    const qint64 now = clock_.nsecsElapsed();
    const qint64 cpu = ThreadCpuNs();
    if (now - last_ > longest) {
      longest = now - last_;
      longestCpu = cpu - lastCpu_;
    }
    last_ = now;
    lastCpu_ = cpu;
  });
  restart();
  timer_.start();
}

void GapMeter::restart() {
  clock_.start();
  last_ = 0;
  lastCpu_ = ThreadCpuNs();
  longest = 0;
  longestCpu = 0;
}

TimedApplication::TimedApplication(int& argc, char** argv) : QApplication(argc, argv) { clock_.start(); }

bool TimedApplication::notify(QObject* receiver, QEvent* event) {
  if (depth_ > 0) return QApplication::notify(receiver, event);
  ++depth_;
  const qint64 start = clock_.nsecsElapsed();
  const qint64 startCpu = ThreadCpuNs();
  const QEvent::Type type = event->type();  // the event may be gone afterwards
  const char* receiverClass = receiver->metaObject()->className();
  const bool handled = QApplication::notify(receiver, event);
  const qint64 took = clock_.nsecsElapsed() - start;
  --depth_;
  if (took > longestEvent) {
    longestEvent = took;
    longestEventCpu = ThreadCpuNs() - startCpu;
    const char* typeName = QMetaEnum::fromType<QEvent::Type>().valueToKey(type);
    longestEventName =
        QStringLiteral("%1 to %2")
            .arg(typeName ? QString::fromLatin1(typeName) : QString::number(type), QString::fromLatin1(receiverClass));
  }
  return handled;
}

void TimedApplication::restartEventTimes() {
  longestEvent = 0;
  longestEventCpu = 0;
  longestEventName.clear();
}

bool RunEventLoopUntil(const std::function<bool()>& done, int timeoutMs) {
  if (done()) return true;
  QEventLoop loop;
  QTimer check;
  check.setTimerType(Qt::PreciseTimer);
  QObject::connect(&check, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  check.start(1);
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  loop.exec();
  return done();
}
