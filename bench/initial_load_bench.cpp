// Initial load timings: against the simulated receiver over a pseudo
// terminal with real timers (wall time against the pacing floor, and the
// longest stall of the event loop), and on the virtual clock (CPU time).
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <string>

#include "bench/measuring_transport.h"
#include "bench/pty_simulator_run.h"
#include "cli/cli_session_host.h"
#include "session/receiver_session.h"
#include "sim/sim_transport.h"
#include "sim/virtual_clock.h"

namespace {

double CpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

class QuietHost : public qamp::SessionHost {
 public:
  explicit QuietHost(qamp::sim::VirtualClock& clock)
      : timers_(clock, [this](int timer) { session->OnTimer(timer); }) {}
  void StartTimer(int timer, int ms) override { timers_.Start(timer, ms); }
  void KillTimer(int timer) override { timers_.Kill(timer); }
  void OperationEnded(qamp::OperationOutcome outcome, std::string_view) override {
    ended = outcome;
  }
  qamp::CReceiverSession* session = nullptr;
  std::optional<qamp::OperationOutcome> ended;

 private:
  qamp::sim::TimerBank timers_;
};

void VirtualClockLoad() {
  constexpr int kRounds = 20;
  double total = 0;
  for (int round = 0; round < kRounds; ++round) {
    qamp::sim::VirtualClock clock;
    qamp::sim::CSimulatedReceiver receiver;
    qamp::sim::SimTransport transport(receiver, clock);
    QuietHost host(clock);
    qamp::CReceiverSession session(transport, host, qamp::ControlMode::kRealTime);
    host.session = &session;
    session.SetPorts({{"sim", "sim"}});
    session.SelectPort(1);
    const double start = CpuMilliseconds();
    session.Open();
    clock.RunUntil([&] { return host.ended.has_value(); }, 600000);
    total += CpuMilliseconds() - start;
    if (host.ended != qamp::OperationOutcome::kConnected)
      std::printf("virtual-clock load FAILED\n");
  }
  std::printf("virtual-clock initial load: %.1f ms CPU (mean of %d; target under 50 ms)\n",
              total / kRounds, kRounds);
}

void PtyLoad() {
  qamp::bench::PtySimulatorRun run;
  if (!run.Start()) return;
  qamp::bench::MeasuringTransport& transport = run.Transport();
  qamp::cli::CliSessionHost host(std::cerr, false);
  qamp::CReceiverSession session(transport, host, qamp::ControlMode::kRealTime);
  host.Attach(&session);
  run.Select(session);

  // A timer that should tick every 2 ms: the largest gap between ticks is
  // the longest time the event loop was kept from running.
  QElapsedTimer stallClock;
  qint64 lastTick = 0;
  qint64 longestGap = 0;
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    const qint64 now = stallClock.nsecsElapsed();
    if (lastTick != 0) longestGap = std::max(longestGap, now - lastTick);
    lastTick = now;
  });
  stallClock.start();
  ticker.start(2);

  QElapsedTimer wall;
  wall.start();
  session.Open();
  const auto outcome = host.Run();
  const double elapsedMs = static_cast<double>(wall.elapsed());
  ticker.stop();
  if (outcome != qamp::OperationOutcome::kConnected) {
    std::printf("pty initial load FAILED: %s\n", host.LastMessage().c_str());
    return;
  }
  const double floorMs = qamp::bench::PacingFloorMs(transport);
  std::printf(
      "pty initial load: %d frames, %.0f ms wall, pacing floor %.0f ms (pauses alone %.0f ms)\n",
      transport.frames, elapsedMs, floorMs, transport.pausesMs);
  std::printf("pty initial load: wall / floor = %.3f (target at most 1.05)\n", elapsedMs / floorMs);
  std::printf("pty initial load: wall / (pauses + every character both ways) = %.3f\n",
              elapsedMs / transport.SerialFloorMs());
  std::printf("pty initial load: longest event-loop stall %.1f ms (target under 20 ms)\n",
              static_cast<double>(longestGap) / 1e6 - 2.0);
  session.Close();
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::string(argv[1]) == "--virtual-only";
  VirtualClockLoad();
  if (!quick) PtyLoad();
  return 0;
}
