// Numbered timers on QTimer for the session, and a scheduler for the
// simulated receiver, both on the real clock.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "sim/scheduler.h"

namespace qamp {

class QtTimerBank : public QObject {
 public:
  explicit QtTimerBank(std::function<void(int timer)> fired);
  void Start(int timer, int milliseconds);
  void Kill(int timer);

 private:
  static constexpr int kTimers = 16;
  std::function<void(int)> fired_;
  std::array<std::unique_ptr<QTimer>, kTimers> timers_;
};

class QtScheduler : public QObject, public sim::Scheduler {
 public:
  QtScheduler();
  void Schedule(int64_t delayMs, std::function<void()> task) override;
  int64_t NowMs() const override { return clock_.elapsed(); }

 private:
  QElapsedTimer clock_;
};

}  // namespace qamp
