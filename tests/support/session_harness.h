// A session with the in-process simulated receiver on a virtual clock: the
// whole conversation runs in virtual time, and every call to the host is
// recorded.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/wire_format.h"
#include "session/receiver_session.h"
#include "sim/sim_transport.h"
#include "sim/simulated_receiver.h"
#include "sim/virtual_clock.h"

namespace qamp::testing {

struct Outcome {
  OperationOutcome outcome;
  std::string message;
};

class RecordingHost : public SessionHost {
 public:
  explicit RecordingHost(sim::VirtualClock& clock)
      : timers_(clock, [this](int timer) {
          if (session != nullptr) session->OnTimer(timer);
        }) {}

  void StartTimer(int timer, int milliseconds) override { timers_.Start(timer, milliseconds); }
  void KillTimer(int timer) override { timers_.Kill(timer); }
  bool TimerRunning(int timer) const { return timers_.IsRunning(timer); }
  int64_t TimerDue(int timer) const { return timers_.DueAt(timer); }

  void ShowConnectionStatus(std::string_view text) override {
    connectionStatus = std::string(text);
  }
  void ShowStatusBar(std::string_view text) override {
    statusBar = std::string(text);
    if (!text.empty()) statusHistory.emplace_back(text);
  }
  void ShowMessage(std::string_view text, MessageIcon /*icon*/) override {
    messages.emplace_back(text);
  }
  bool Ask(std::string_view text, std::string_view title) override {
    questions.push_back(std::string(title) + ": " + std::string(text));
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void InitializeOpened(int /*range*/) override { ++initializeOpenings; }
  void InitializeProgress(int position) override { progress.push_back(position); }
  void SendingOpened(int range, bool showsProgress, std::string_view caption) override {
    sendingRange = range;
    sendingShowsProgress = showsProgress;
    sendingCaption = std::string(caption);
    ++sendingOpenings;
  }
  void RefreshParams(const std::vector<ParamId>& ids) override {
    refreshedParams.insert(refreshedParams.end(), ids.begin(), ids.end());
  }
  void OperationEnded(OperationOutcome outcome, std::string_view message) override {
    outcomes.push_back({outcome, std::string(message)});
  }
  void DownloadPlanChanged(const DownloadPlan& /*plan*/, std::string_view why) override {
    planChanges.emplace_back(why);
  }

  CReceiverSession* session = nullptr;
  std::string connectionStatus;
  std::string statusBar;
  std::vector<std::string> statusHistory;
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::deque<bool> answers;
  std::vector<int> progress;
  std::vector<ParamId> refreshedParams;
  std::vector<Outcome> outcomes;
  std::vector<std::string> planChanges;
  int initializeOpenings = 0;
  int sendingOpenings = 0;
  int sendingRange = 0;
  bool sendingShowsProgress = false;
  std::string sendingCaption;

 private:
  sim::TimerBank timers_;
};

class MemoryLog : public LogSink {
 public:
  bool Create() override {
    text.clear();
    ++creations;
    return true;
  }
  void Append(std::string_view line) override { text += line; }
  void Close() override { ++closings; }
  std::string text;
  int creations = 0;
  int closings = 0;
};

struct Harness {
  explicit Harness(sim::SimOptions options = {}, ControlMode mode = ControlMode::kRealTime)
      : receiver(std::move(options)),
        transport(receiver, clock),
        host(clock),
        session(transport, host, mode, &log, [this] {
          return LogTime{clock.NowMs() / 1000, "T+" + std::to_string(clock.NowMs()) + "ms"};
        }) {
    host.session = &session;
    session.SetPorts({{"sim", "sim"}});
    session.SelectPort(1);
  }

  CCommClass& link() { return session.Link(); }

  // Runs until the host has been told that an operation ended.
  std::optional<Outcome> RunUntilOutcome(int64_t limitMs = 600000) {
    const size_t before = host.outcomes.size();
    clock.RunUntil([&] { return host.outcomes.size() > before; }, limitMs);
    if (host.outcomes.size() == before) return std::nullopt;
    return host.outcomes.back();
  }

  bool Connect() {
    session.Open();
    const auto outcome = RunUntilOutcome();
    return outcome && outcome->outcome == OperationOutcome::kConnected;
  }

  // Frames the receiver got, shown readably.
  std::vector<std::string> ReceivedShown(size_t from = 0) const {
    std::vector<std::string> shown;
    const auto& frames = receiver.ReceivedFrames();
    for (size_t i = from; i < frames.size(); ++i) shown.push_back(ShowFrame(frames[i]));
    return shown;
  }

  sim::VirtualClock clock;
  sim::CSimulatedReceiver receiver;
  sim::SimTransport transport;
  RecordingHost host;
  MemoryLog log;
  CReceiverSession session;
};

}  // namespace qamp::testing
