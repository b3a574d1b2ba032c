// Configuration files and the Download: saving and loading a complete
// configuration (all pages, all memories) in one process, and a Download
// to the simulated receiver over a pseudo terminal against its pacing floor.
#include <QElapsedTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "bench/measuring_transport.h"
#include "bench/pty_simulator_run.h"
#include "cli/cli_session_host.h"
#include "document/qamptool_app.h"
#include "model/image_defaults.h"
#include "session/command_capture.h"
#include "sim/random_state.h"

namespace {

class NoSession : public qamp::SessionHost {
 public:
  void StartTimer(int, int) override {}
  void KillTimer(int) override {}
};

double Milliseconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

void ConfigurationFiles() {
  qamp::CaptureTransport transport;
  NoSession session;
  qamp::QuietPageHost pages;
  qamp::CQAmpToolApp app(transport, session, pages, qamp::ControlMode::kAsync);
  for (int slot = 0; slot < qamp::kImageSlots; ++slot) {
    qamp::sim::RandomizeImage(app.Link().Image(slot), 7 + static_cast<unsigned>(slot));
    app.Link().Image(slot)[0] = slot;
  }
  constexpr int kRounds = 20;
  std::string text;
  const auto saveStart = std::chrono::steady_clock::now();
  for (int round = 0; round < kRounds; ++round) text = app.SaveConfigurationText();
  const double saveMs = Milliseconds(std::chrono::steady_clock::now() - saveStart) / kRounds;
  const auto loadStart = std::chrono::steady_clock::now();
  for (int round = 0; round < kRounds; ++round) {
    if (!app.LoadConfigurationText(text)) std::abort();
  }
  const double loadMs = Milliseconds(std::chrono::steady_clock::now() - loadStart) / kRounds;
  std::printf(
      "configuration file: %zu bytes; save %.1f ms, load %.1f ms (mean of %d; target well under 50 "
      "ms)\n",
      text.size(), saveMs, loadMs, kRounds);
}

void PtyDownload() {
  qamp::bench::PtySimulatorRun run;
  if (!run.Start()) return;
  qamp::bench::MeasuringTransport& transport = run.Transport();
  qamp::cli::CliSessionHost host(std::cerr, false);
  qamp::QuietPageHost pages;
  qamp::CQAmpToolApp app(transport, host, pages, qamp::ControlMode::kAsync);
  host.Attach(&app.Session());
  run.Select(app.Session());
  QElapsedTimer wall;
  wall.start();
  app.Session().StartDownload();
  const auto outcome = host.Run();
  const double elapsedMs = static_cast<double>(wall.elapsed());
  if (outcome != qamp::OperationOutcome::kTransferDone) {
    std::printf("pty Download FAILED: %s\n", host.LastMessage().c_str());
    return;
  }
  const double floorMs = qamp::bench::PacingFloorMs(transport);
  std::printf(
      "pty Download: %d frames, %.0f ms wall, pacing floor %.0f ms; wall / floor = %.3f (target at "
      "most 1.05)\n",
      transport.frames, elapsedMs, floorMs, elapsedMs / floorMs);
  std::printf("pty Download: wall / (pauses + every character both ways) = %.3f\n",
              elapsedMs / transport.SerialFloorMs());
}

}  // namespace

int main(int argc, char** argv) {
  ConfigurationFiles();
  if (argc > 1 && std::string(argv[1]) == "--files-only") return 0;
  PtyDownload();
  return 0;
}
