// One value read or changed over a pseudo terminal against the simulated
// receiver, the way qampctl get and set do it: the connection, the rows the
// parameter needs, for a change the write and its read-back. Each figure
// against its pacing floor: every frame's pause, and the 500 ms the
// receiver needs after the configuration before a read.
#include <QElapsedTimer>
#include <cstdio>
#include <iostream>
#include <string>

#include "bench/measuring_transport.h"
#include "bench/pty_simulator_run.h"
#include "cli/cli_session_host.h"
#include "document/qamptool_app.h"
#include "document/quick_reads.h"
#include "link/parameter_reads.h"
#include "link/read_request_table.h"
#include "pages/user_change.h"

namespace {

struct Figure {
  bool ok = false;
  double wallMs = 0;
  double floorMs = 0;
  int frames = 0;
};

void WaitForTheWire(qamp::cli::CliSessionHost& host, qamp::CCommClass& link) {
  host.RunUntil(
      [&link] { return (link.IsWireIdle() && link.QueueLength() == 0) || !link.IsPortOpen(); });
}

// `value` empty: a get.
Figure Measure(const std::string& section, const std::string& key, const std::string& value) {
  Figure figure;
  qamp::bench::PtySimulatorRun run;
  if (!run.Start()) return figure;
  qamp::bench::MeasuringTransport& transport = run.Transport();
  qamp::cli::CliSessionHost host(std::cerr, false);
  qamp::QuietPageHost pages;
  qamp::ChangeFrequencyChooser frequencies;
  qamp::CQAmpToolApp app(transport, host, pages, qamp::ControlMode::kRealTime,
                         qamp::kDefaultRegionCode, nullptr, {}, &frequencies);
  host.Attach(&app.Session());
  host.SetShowsProgress(false);
  run.Select(app.Session());
  auto parameter = app.Pages().FindParameter(section, key, app.Link().CurrentImage());
  if (!parameter) return figure;
  std::vector<int> rows = qamp::RowsOfParameter(*parameter).rows;
  if (!value.empty()) {
    const std::vector<int> writes = qamp::RowsTheChangeWrites(app.Link(), section, key, value);
    rows.insert(rows.end(), writes.begin(), writes.end());
  }
  rows = qamp::WithWhatTheyNeed(rows);
  app.Link().LimitNextInitialLoad(rows);
  QElapsedTimer wall;
  wall.start();
  app.Session().Open();
  if (host.Run() != qamp::OperationOutcome::kConnected) return figure;
  WaitForTheWire(host, app.Link());
  double settleMs = rows.empty() ? 0 : qamp::kSettleMs;
  if (!value.empty()) {
    const std::vector<int> writes = qamp::RowsTheChangeWrites(app.Link(), section, key, value);
    parameter->page->SetActive(true);
    const auto result =
        qamp::ApplyUserChange(app.Link(), app.Pages(), *parameter, value, &frequencies);
    if (result.outcome != qamp::UserChangeOutcome::kApplied) return figure;
    WaitForTheWire(host, app.Link());
    std::vector<int> back;
    for (const int row : writes) {
      if (row > qamp::kModelFlagCRow) back.push_back(row);
    }
    if (!back.empty()) {
      if (!app.Session().ReadRows(back)) return figure;
      auto outcome = host.Run();
      while (outcome == qamp::OperationOutcome::kSendingDone) outcome = host.Run();
      if (outcome != qamp::OperationOutcome::kConnected) return figure;
      WaitForTheWire(host, app.Link());
    }
  }
  figure.wallMs = static_cast<double>(wall.elapsed());
  // The pseudo terminal moves characters at once: the floor is the pauses.
  figure.floorMs = transport.pausesMs + settleMs;
  figure.frames = transport.frames;
  figure.ok = true;
  app.Session().Close();
  return figure;
}

void Print(const char* what, const Figure& figure) {
  if (!figure.ok) {
    std::printf("%s: FAILED\n", what);
    return;
  }
  std::printf(
      "%s: %d frames, %.0f ms wall, pacing floor %.0f ms; wall / floor = %.3f (target "
      "under 1500 ms wall)\n",
      what, figure.frames, figure.wallMs, figure.floorMs, figure.wallMs / figure.floorMs);
}

}  // namespace

int main() {
  Print("pty get Basic Control / Main Volume (the configuration carries it)",
        Measure("Basic Control", "Main Volume", ""));
  Print("pty get Speaker Distance / FL (one read)", Measure("Speaker Distance", "FL", ""));
  Print("pty get DSP program level (program selected, read, put back)",
        Measure("DSP Parameters Hall in Munich", "DSP Level", ""));
  Print("pty set Speaker Set / SW Phase Reverse (the configuration carries it)",
        Measure("Speaker Set", "SW Phase", "Reverse"));
  Print("pty set Speaker Distance / FL 3.50 (read, write, read back)",
        Measure("Speaker Distance", "FL", "3.50"));
  return 0;
}
