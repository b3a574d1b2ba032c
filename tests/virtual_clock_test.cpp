// Virtual time: tasks in time order, and timers that start again, die, or
// outlive the bank that started them.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "sim/virtual_clock.h"

namespace qamp::sim {
namespace {

TEST(VirtualClock, TasksRunInTheOrderTheyAreDueAndTheirOwnOrderAtOneTime) {
  VirtualClock clock;
  std::vector<int> ran;
  clock.Schedule(30, [&] { ran.push_back(3); });
  clock.Schedule(10, [&] { ran.push_back(1); });
  clock.Schedule(10, [&] { ran.push_back(2); });
  clock.Advance(29);
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  EXPECT_EQ(clock.NowMs(), 29);
  clock.Advance(1);
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(clock.Idle());
}

TEST(TimerBank, AStartedTimerFiresOnceAndAgainOnlyWhenStartedAgain) {
  VirtualClock clock;
  std::vector<int> fired;
  TimerBank timers(clock, [&](int timer) { fired.push_back(timer); });
  timers.Start(3, 100);
  timers.Start(3, 200);  // replaces the first
  clock.Advance(150);
  EXPECT_TRUE(fired.empty());
  EXPECT_TRUE(timers.IsRunning(3));
  clock.Advance(50);
  EXPECT_EQ(fired, std::vector<int>{3});
  EXPECT_FALSE(timers.IsRunning(3));
  timers.Start(4, 10);
  timers.Kill(4);
  clock.Advance(1000);
  EXPECT_EQ(fired, std::vector<int>{3});
}

// The window's comparison runs on a bank of its own, which goes when the
// next comparison begins, while the clock still holds its timers' tasks.
TEST(TimerBank, TheTimersOfABankThatIsGoneDoNotFire) {
  VirtualClock clock;
  int fired = 0;
  auto timers = std::make_unique<TimerBank>(clock, [&](int) { ++fired; });
  timers->Start(5, 100);
  timers->Start(6, 300);
  timers.reset();
  EXPECT_FALSE(clock.Idle());
  clock.Advance(1000);
  EXPECT_EQ(fired, 0);
  EXPECT_TRUE(clock.Idle());
}

}  // namespace
}  // namespace qamp::sim
