// Virtual time for tests and benchmarks: nothing happens until the clock is
// advanced, and then every task due runs in time order.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>

#include "sim/scheduler.h"

namespace qamp::sim {

class VirtualClock : public Scheduler {
 public:
  void Schedule(int64_t delayMs, std::function<void()> task) override;
  int64_t NowMs() const override { return now_; }

  // Runs the next task, moving the clock to its time; false when none is due.
  bool RunNext();
  // Runs every task due within `ms` and leaves the clock `ms` later.
  void Advance(int64_t ms);
  // Runs tasks until `done` holds or `limitMs` of virtual time have passed;
  // true when `done` held.
  bool RunUntil(const std::function<bool()>& done, int64_t limitMs);
  bool Idle() const { return tasks_.empty(); }
  int64_t NextDue() const { return tasks_.empty() ? -1 : tasks_.begin()->first.first; }

 private:
  int64_t now_ = 0;
  uint64_t sequence_ = 0;
  std::map<std::pair<int64_t, uint64_t>, std::function<void()>> tasks_;
};

// Numbered one-shot timers on a scheduler: starting a timer again replaces
// it, killing it forgets it.
class TimerBank {
 public:
  using Handler = std::function<void(int timer)>;
  TimerBank(Scheduler& scheduler, Handler handler)
      : scheduler_(scheduler), handler_(std::move(handler)) {}
  // The timers still due do not fire once the bank is gone (the
  // scheduler outlives it, and keeps their tasks).
  ~TimerBank() { *alive_ = false; }
  TimerBank(const TimerBank&) = delete;
  TimerBank& operator=(const TimerBank&) = delete;

  void Start(int timer, int milliseconds);
  void Kill(int timer);
  bool IsRunning(int timer) const { return running_[static_cast<size_t>(timer)]; }
  int64_t DueAt(int timer) const { return due_[static_cast<size_t>(timer)]; }

 private:
  static constexpr int kTimers = 16;
  Scheduler& scheduler_;
  Handler handler_;
  std::array<uint64_t, kTimers> generation_{};
  std::array<bool, kTimers> running_{};
  std::array<int64_t, kTimers> due_{};
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace qamp::sim
