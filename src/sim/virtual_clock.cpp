#include "sim/virtual_clock.h"

namespace qamp::sim {

void VirtualClock::Schedule(int64_t delayMs, std::function<void()> task) {
  tasks_.emplace(std::make_pair(now_ + (delayMs < 0 ? 0 : delayMs), sequence_++), std::move(task));
}

bool VirtualClock::RunNext() {
  if (tasks_.empty()) return false;
  auto first = tasks_.begin();
  now_ = first->first.first;
  std::function<void()> task = std::move(first->second);
  tasks_.erase(first);
  task();
  return true;
}

void VirtualClock::Advance(int64_t ms) {
  const int64_t end = now_ + ms;
  while (!tasks_.empty() && tasks_.begin()->first.first <= end) RunNext();
  now_ = end;
}

bool VirtualClock::RunUntil(const std::function<bool()>& done, int64_t limitMs) {
  const int64_t end = now_ + limitMs;
  while (!done()) {
    if (tasks_.empty() || tasks_.begin()->first.first > end) {
      now_ = end;
      return done();
    }
    RunNext();
  }
  return true;
}

void TimerBank::Start(int timer, int milliseconds) {
  if (timer < 0 || timer >= kTimers) return;
  const uint64_t generation = ++generation_[static_cast<size_t>(timer)];
  running_[static_cast<size_t>(timer)] = true;
  due_[static_cast<size_t>(timer)] = scheduler_.NowMs() + milliseconds;
  scheduler_.Schedule(milliseconds, [this, alive = alive_, timer, generation] {
    if (!*alive || generation_[static_cast<size_t>(timer)] != generation) return;
    running_[static_cast<size_t>(timer)] = false;
    handler_(timer);
  });
}

void TimerBank::Kill(int timer) {
  if (timer < 0 || timer >= kTimers) return;
  ++generation_[static_cast<size_t>(timer)];
  running_[static_cast<size_t>(timer)] = false;
}

}  // namespace qamp::sim
