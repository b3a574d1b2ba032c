// Downloads planned against the receiver's known state, over a pseudo
// terminal to the simulated receiver in real time: one changed speaker
// level, one changed page, one changed memory, and (unless --quick) the
// whole Download of the same configuration, each from a fresh connection,
// against the pacing floor of the frames it wrote. Each run is checked
// afterwards: the receiver must hold what was changed. `--case N` measures
// one case alone.
//
// The receiver holds realistic settings, and each of its six memories holds
// data; the program knows it from an Upload made on the virtual clock (the
// Upload is not what is measured), whose file carries the receiver state.
#include <QElapsedTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "bench/measuring_transport.h"
#include "bench/pty_simulator_run.h"
#include "cli/cli_session_host.h"
#include "document/qamptool_app.h"
#include "link/wire_format.h"
#include "support/app_harness.h"

namespace {

constexpr int kMemories = 6;

qamp::sim::SimOptions ReceiverOptions() {
  qamp::sim::SimOptions options;
  options.startState = qamp::sim::StartState::kPlausible;
  options.seed = 7;
  return options;
}

// Everything a Download can change in the receiver.
struct ReceiverContent {
  qamp::CSettingImage state;
  std::array<qamp::CSettingImage, kMemories> memories;
  std::array<bool, kMemories> hasData{};
};

ReceiverContent ContentOf(qamp::sim::CSimulatedReceiver& receiver) {
  ReceiverContent content;
  content.state = receiver.State();
  for (int n = 1; n <= kMemories; ++n) {
    content.memories[static_cast<size_t>(n - 1)] = receiver.Memory(n);
    content.hasData[static_cast<size_t>(n - 1)] = receiver.MemoryHasData(n);
  }
  return content;
}

void SetContent(qamp::sim::CSimulatedReceiver& receiver, const ReceiverContent& content) {
  receiver.State() = content.state;
  for (int n = 1; n <= kMemories; ++n) {
    receiver.Memory(n) = content.memories[static_cast<size_t>(n - 1)];
    receiver.SetMemoryHasData(n, content.hasData[static_cast<size_t>(n - 1)]);
  }
}

// The receiver as an Upload found it, and the file that Upload saved.
struct Baseline {
  ReceiverContent content;
  std::string file;
};

bool UploadOnTheVirtualClock(Baseline& baseline) {
  qamp::testing::AppHarness h(ReceiverOptions());
  for (int n = 1; n <= kMemories; ++n) h.receiver.SetMemoryHasData(n, true);
  h.app.Session().StartUpload();
  const auto outcome = h.RunUntilOutcome();
  if (!outcome || outcome->outcome != qamp::OperationOutcome::kTransferDone) return false;
  if (!h.app.Session().KnownState()) return false;
  baseline.content = ContentOf(h.receiver);
  baseline.file = h.app.SaveConfigurationText();
  return true;
}

// One value set as a file would give it, and where the receiver keeps it.
struct Change {
  int slot = 0;  // 0: the receiver's own setting; 1..6: a System Memory
  std::string section;
  std::string key;
  std::string value;
};

std::string TextOf(qamp::CQAmpToolApp& app, const qamp::CSettingImage& image,
                   const Change& change) {
  const auto parameter = app.Pages().FindParameter(change.section, change.key, image);
  if (!parameter) return "(no such parameter)";
  std::string text;
  parameter->page->GetParamText(image, parameter->id, parameter->subIndex, nullptr, nullptr, &text,
                                false);
  return text;
}

// Sets the first of `candidates` that differs from what the program holds.
bool Apply(qamp::CQAmpToolApp& app, Change& change, const std::vector<std::string>& candidates) {
  qamp::CSettingImage& image = app.Link().Image(change.slot);
  const auto parameter = app.Pages().FindParameter(change.section, change.key, image);
  if (!parameter) return false;
  const std::string before = TextOf(app, image, change);
  for (const std::string& candidate : candidates) {
    if (candidate == before) continue;
    if (!parameter->page->SetParamFromText(image, parameter->id, parameter->subIndex, candidate))
      continue;
    change.value = TextOf(app, image, change);
    if (change.value != before) return true;
  }
  return false;
}

// The keys of one channel's Equalizer bands, as the configuration file
// names them: the parameters of the Equalizer section with the first
// sub-index found.
std::vector<std::string> EqualizerBandKeysOfOneChannel(qamp::CQAmpToolApp& app) {
  std::vector<std::string> keys;
  int channel = -2;
  const qamp::CSettingImage& image = app.Link().Image(0);
  for (const auto& parameter : app.Pages().AllParameters()) {
    if (parameter.subIndex < 0) continue;
    std::string section;
    std::string key;
    std::string value;
    parameter.page->GetParamText(image, parameter.id, parameter.subIndex, &section, &key, &value,
                                 false);
    if (section != "Equalizer" || !value.ends_with("dB")) continue;
    if (channel == -2) channel = parameter.subIndex;
    if (parameter.subIndex == channel) keys.push_back(key);
  }
  return keys;
}

// The longer pause the frame being written asks for: a "@WAIT, n" queued
// directly behind it.
int WaitBehind(const qamp::CCommClass& link, std::string_view bytes) {
  const auto& queue = link.Queue();
  for (size_t i = 0; i < queue.size(); ++i) {
    if (queue[i].tries >= qamp::kDoneTries) continue;
    if (queue[i].text != bytes || i + 1 >= queue.size()) return 0;
    const std::string& next = queue[i + 1].text;
    if (!next.starts_with("@WAIT")) return 0;
    const size_t comma = next.find(',');
    return comma == std::string::npos ? 0 : std::atoi(next.c_str() + comma + 1);
  }
  return 0;
}

enum class Case { kSpeakerLevel, kEqualizerChannel, kMemoryLevel, kWhole };

const char* NameOf(Case which) {
  switch (which) {
    case Case::kSpeakerLevel:
      return "one speaker level";
    case Case::kEqualizerChannel:
      return "one page (EQ channel)";
    case Case::kMemoryLevel:
      return "one level, memory 3";
    case Case::kWhole:
      return "whole Download";
  }
  return "";
}

std::vector<Change> ChangesOf(qamp::CQAmpToolApp& app, Case which) {
  const std::vector<std::string> levels = {"2.5dB", "-3.0dB"};
  std::vector<Change> changes;
  auto add = [&](int slot, std::string section, std::string key,
                 const std::vector<std::string>& candidates) {
    Change change{slot, std::move(section), std::move(key), {}};
    if (!Apply(app, change, candidates)) {
      std::printf("  cannot change %s / %s in slot %d\n", change.section.c_str(),
                  change.key.c_str(), slot);
      std::exit(1);
    }
    changes.push_back(change);
  };
  const bool all = which == Case::kWhole;
  if (all || which == Case::kSpeakerLevel) add(0, "Speaker Level", "CT", levels);
  if (all || which == Case::kEqualizerChannel) {
    const std::vector<std::string> keys = EqualizerBandKeysOfOneChannel(app);
    if (keys.empty()) {
      std::printf("  no Equalizer bands found\n");
      std::exit(1);
    }
    for (const std::string& key : keys) add(0, "Equalizer", key, {"1.5dB", "-2.0dB"});
  }
  if (all || which == Case::kMemoryLevel) add(3, "Speaker Level", "SW", {"-9.5dB", "-8.0dB"});
  return changes;
}

struct Result {
  bool completed = false;
  bool asPlanned = true;
  bool holds = false;
  int frames = 0;
  double wallMs = 0;
  double floorMs = 0;      // the pauses the frames need, the longer ones included
  double wireFloorMs = 0;  // each pause or the frame's round trip at 9600 baud
  double waitsMs = 0;
  qamp::DownloadPlan plan;
  size_t changes = 0;
};

Result Measure(qamp::bench::PtySimulatorRun& run, const Baseline& baseline, Case which) {
  Result result;
  SetContent(run.Receiver(), baseline.content);
  qamp::bench::MeasuringTransport& transport = run.Transport();
  transport.Reset();
  qamp::cli::CliSessionHost host(std::cerr, false);
  host.SetShowsProgress(false);
  qamp::QuietPageHost pages;
  qamp::CQAmpToolApp app(transport, host, pages, qamp::ControlMode::kAsync);
  host.Attach(&app.Session());
  run.Select(app.Session());
  if (!app.LoadConfigurationText(baseline.file) || !app.Session().KnownState()) {
    std::printf("  the Upload's file did not load with its receiver state\n");
    return result;
  }
  const std::vector<Change> changes = ChangesOf(app, which);
  result.changes = changes.size();
  result.plan = app.PlanDownload(which == Case::kWhole);
  // A connection that goes on to read rows (the read-back) lets the
  // receiver settle after its configuration before the first read.
  bool connecting = false;
  transport.extraPauseOf = [&app, &connecting](std::string_view bytes) {
    int extra = WaitBehind(app.Link(), bytes);
    if (bytes == qamp::FrameStandard("20000")) {
      connecting = true;
    } else if (connecting && app.Link().State() == qamp::LinkState::kInitialLoad) {
      extra += qamp::kSettleMs;
      connecting = false;
    }
    return extra;
  };
  QElapsedTimer wall;
  wall.start();
  app.Session().StartDownload(result.plan);
  const auto outcome = host.Run();
  result.wallMs = static_cast<double>(wall.elapsed());
  transport.extraPauseOf = nullptr;
  result.completed = outcome == qamp::OperationOutcome::kTransferDone;
  if (!result.completed) std::printf("  Download failed: %s\n", host.LastMessage().c_str());
  result.asPlanned = app.Session().Plan().kind == result.plan.kind;
  result.frames = transport.frames;
  result.floorMs = transport.pausesMs;
  result.wireFloorMs = transport.FloorMs();
  result.waitsMs = transport.waitsMs;
  result.holds = result.completed;
  for (const Change& change : changes) {
    const qamp::CSettingImage& image =
        change.slot == 0 ? run.Receiver().State() : run.Receiver().Memory(change.slot);
    const std::string held = TextOf(app, image, change);
    if (held != change.value) {
      std::printf("  slot %d %s / %s: the receiver holds %s, not %s\n", change.slot,
                  change.section.c_str(), change.key.c_str(), held.c_str(), change.value.c_str());
      result.holds = false;
    }
  }
  return result;
}

void Print(Case which, const Result& r) {
  const double ratio = r.floorMs > 0 ? r.wallMs / r.floorMs : 0;
  const bool oneParameter = which == Case::kSpeakerLevel || which == Case::kMemoryLevel;
  std::printf(
      "%-22s %5d frames  wall %8.0f ms  floor %8.0f ms  wall/floor %.3f%s  plan %4d commands ~%6d "
      "ms  %s%s\n",
      NameOf(which), r.frames, r.wallMs, r.floorMs, ratio, ratio <= 1.02 ? " (ok)" : " (OVER)",
      r.plan.commands, r.plan.milliseconds, r.holds ? "OK" : "FAIL",
      r.asPlanned ? "" : " (the session sent everything instead)");
  std::printf("%-22s   %zu value(s) changed; parts: ", "", r.changes);
  for (size_t i = 0; i < r.plan.parts.size() && i < 8; ++i)
    std::printf("%s%s", i == 0 ? "" : ", ", r.plan.parts[i].c_str());
  if (r.plan.parts.size() > 8) std::printf(", ... (%zu parts)", r.plan.parts.size());
  if (r.plan.parts.empty()) std::printf("(all)");
  std::printf("; of the floor @WAIT and settling %.0f ms; wall / 9600-baud floor (%.0f ms) %.3f",
              r.waitsMs, r.wireFloorMs, r.wireFloorMs > 0 ? r.wallMs / r.wireFloorMs : 0);
  if (oneParameter)
    std::printf("; one parameter: %s (target < 3000 ms)", r.wallMs < 3000 ? "ok" : "OVER");
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  bool quick = argc > 1 && std::string(argv[1]) == "--quick";
  qamp::bench::PtySimulatorRun run(ReceiverOptions());
  Baseline baseline;
  if (!UploadOnTheVirtualClock(baseline)) {
    std::printf("the Upload on the virtual clock failed\n");
    return 1;
  }
  if (!run.Start()) return 1;
  std::printf(
      "Downloads over a pseudo terminal, each from a fresh connection (wall time includes it);\n"
      "floor: the pause after each frame written (50 ms standard, 150 ms extended), with the\n"
      "@WAIT pauses the queue adds and the settling before a read-back's first read.\n"
      "Targets: wall/floor <= 1.02; one changed parameter under 3 s wall. (A pseudo terminal\n"
      "does not run at 9600 baud: the floor with round trips at that rate is printed for\n"
      "comparison only.)\n");
  std::vector<Case> cases = {Case::kSpeakerLevel};
  // --case N measures one case alone (0 level, 1 page, 2 memory, 3 whole).
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string_view(argv[i]) == "--case") {
      cases = {static_cast<Case>(std::clamp(std::atoi(argv[i + 1]), 0, 3))};
      quick = true;
    }
  }
  if (!quick)
    cases = {Case::kSpeakerLevel, Case::kEqualizerChannel, Case::kMemoryLevel, Case::kWhole};
  bool allHold = true;
  for (const Case which : cases) {
    const Result result = Measure(run, baseline, which);
    Print(which, result);
    allHold = allHold && result.holds && result.asPlanned;
  }
  return allHold ? 0 : 1;
}
