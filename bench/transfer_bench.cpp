// Configuration files and the Download: saving and loading a complete
// configuration (all pages, all memories) in one process, and a Download
// to the simulated receiver over a pseudo terminal against its pacing floor;
// with --upload, where an Upload's time goes, phase by phase.
#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

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

// Where an Upload's time goes: the connection, the first pass that reads
// the model flags, the read pass of the current setting, each memory, and
// the write-back, each with its frames and the pauses they need.
void PtyUploadPhases() {
  qamp::bench::PtySimulatorRun run;
  if (!run.Start()) return;
  qamp::bench::MeasuringTransport& transport = run.Transport();
  qamp::cli::CliSessionHost host(std::cerr, false);
  qamp::QuietPageHost pages;
  qamp::CQAmpToolApp app(transport, host, pages, qamp::ControlMode::kAsync);
  host.Attach(&app.Session());
  host.SetShowsProgress(false);
  run.Select(app.Session());
  struct Phase {
    std::string name;
    qint64 startMs = 0;
    int startFrames = 0;
    double startPausesMs = 0;
  };
  std::vector<Phase> phases;
  std::vector<std::string> lines;
  QElapsedTimer wall;
  auto close = [&](qint64 nowMs) {
    if (phases.empty()) return;
    const Phase& phase = phases.back();
    char line[200];
    std::snprintf(line, sizeof line, "  %-28s %7lld ms, %5d frames, pauses %7.0f ms",
                  phase.name.c_str(), static_cast<long long>(nowMs - phase.startMs),
                  transport.frames - phase.startFrames, transport.pausesMs - phase.startPausesMs);
    lines.emplace_back(line);
  };
  auto phaseNow = [&app]() -> std::string {
    const qamp::CReceiverSession& session = app.Session();
    const qamp::CCommClass& link = app.Link();
    if (session.IsInitializing()) return "connection";
    if (link.State() == qamp::LinkState::kUploadSecondPhase) {
      if (link.UploadStep() >= 2) return "write-back";
      if (link.CurrentSlot() > 0) return "System memory " + std::to_string(link.CurrentSlot());
      return "read pass, current setting";
    }
    return "model flags";
  };
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    const std::string name = phaseNow();
    if (!phases.empty() && phases.back().name == name) return;
    close(wall.elapsed());
    phases.push_back({name, wall.elapsed(), transport.frames, transport.pausesMs});
  });
  wall.start();
  app.Session().StartUpload();
  watch.start(1);
  const auto outcome = host.Run();
  watch.stop();
  close(wall.elapsed());
  if (outcome != qamp::OperationOutcome::kTransferDone) {
    std::printf("pty Upload FAILED: %s\n", host.LastMessage().c_str());
    return;
  }
  std::printf("pty Upload: %d frames, %lld ms wall, pauses %.0f ms; by phase:\n", transport.frames,
              static_cast<long long>(wall.elapsed()), transport.pausesMs);
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  ConfigurationFiles();
  if (argc > 1 && std::string(argv[1]) == "--files-only") return 0;
  PtyDownload();
  // The Upload takes minutes: only when asked for.
  if (argc > 1 && std::string(argv[1]) == "--upload") PtyUploadPhases();
  return 0;
}
