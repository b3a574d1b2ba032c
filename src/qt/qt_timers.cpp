#include "qt/qt_timers.h"

namespace qamp {

QtTimerBank::QtTimerBank(std::function<void(int timer)> fired) : fired_(std::move(fired)) {
  for (int timer = 0; timer < kTimers; ++timer) {
    auto qtimer = std::make_unique<QTimer>();
    qtimer->setSingleShot(true);
    // The pauses between frames are short and exact: precise timers.
    qtimer->setTimerType(Qt::PreciseTimer);
    QObject::connect(qtimer.get(), &QTimer::timeout, this, [this, timer] { fired_(timer); });
    timers_[static_cast<size_t>(timer)] = std::move(qtimer);
  }
}

void QtTimerBank::Start(int timer, int milliseconds) {
  if (timer < 0 || timer >= kTimers) return;
  timers_[static_cast<size_t>(timer)]->start(milliseconds < 0 ? 0 : milliseconds);
}

void QtTimerBank::Kill(int timer) {
  if (timer < 0 || timer >= kTimers) return;
  timers_[static_cast<size_t>(timer)]->stop();
}

QtScheduler::QtScheduler() {
  clock_.start();
}

void QtScheduler::Schedule(int64_t delayMs, std::function<void()> task) {
  QTimer::singleShot(static_cast<int>(delayMs < 0 ? 0 : delayMs), Qt::PreciseTimer, this,
                     std::move(task));
}

}  // namespace qamp
