// Running something later: the simulated receiver answers after a delay.
// Tests use a virtual clock, the programs a real one.
#pragma once

#include <cstdint>
#include <functional>

namespace qamp::sim {

class Scheduler {
 public:
  virtual ~Scheduler() = default;
  virtual void Schedule(int64_t delayMs, std::function<void()> task) = 0;
  virtual int64_t NowMs() const = 0;
};

}  // namespace qamp::sim
