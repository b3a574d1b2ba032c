// The link alone on a virtual clock, with a transport the test feeds by
// hand and a host that records every call.
#pragma once

#include <string>
#include <vector>

#include "link/comm_class.h"
#include "link/wire_format.h"
#include "sim/virtual_clock.h"

namespace qamp::testing {

class ScriptedTransport : public SerialTransport {
 public:
  explicit ScriptedTransport(sim::VirtualClock& clock) : clock_(clock) {}
  bool Open(std::string_view device, std::string& error) override {
    if (failOpen) {
      error = "refused";
      return false;
    }
    opened.emplace_back(device);
    open_ = true;
    return true;
  }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  bool Write(std::string_view bytes) override {
    writes.push_back({clock_.NowMs(), ShowFrame(bytes)});
    return open_ && (refuseFromWrite == 0 || static_cast<int>(writes.size()) < refuseFromWrite);
  }
  std::string ReadAvailable() override {
    std::string taken;
    taken.swap(incoming_);
    return taken;
  }
  bool IsCtsOn() override { return cts; }

  // The receiver's side sends these characters now.
  void Receive(std::string bytes) {
    incoming_ += bytes;
    if (listener_ != nullptr) listener_->DataArrived();
  }

  struct Written {
    int64_t at;
    std::string frame;
  };
  std::vector<Written> writes;
  std::vector<std::string> opened;
  bool cts = true;
  bool failOpen = false;
  int refuseFromWrite = 0;  // the port refuses this write (counted from 1) and every later one

 private:
  sim::VirtualClock& clock_;
  bool open_ = false;
  std::string incoming_;
};

class RecordingLinkHost : public LinkHost {
 public:
  explicit RecordingLinkHost(sim::VirtualClock& clock)
      : timers_(clock, [this](int timer) { Fire(timer); }) {}
  void SetLink(CCommClass* link) { link_ = link; }

  void StartTimer(int timer, int milliseconds) override {
    started.push_back({timer, milliseconds});
    timers_.Start(timer, milliseconds);
  }
  void KillTimer(int timer) override { timers_.Kill(timer); }
  bool Running(int timer) const { return timers_.IsRunning(timer); }
  int64_t Due(int timer) const { return timers_.DueAt(timer); }

  void ShowConnectionStatus(std::string_view text) override { status = std::string(text); }
  void ShowGuard() override { ++guards; }
  void ShowError() override { ++errors; }
  void SetInitializeProgress(int position) override { progress.push_back(position); }
  void EndInitialization(bool failed) override { initializations.push_back(failed); }
  void ShowSending() override { sendingShown = true; }
  bool IsSendingShown() const override { return sendingShown; }
  void AdvanceSending(int position) override { sendingProgress.push_back(position); }
  void EndSending(EndSendingResult result) override {
    sendingShown = false;
    endings.push_back(result);
  }
  void RefreshParams(const std::vector<ParamId>& ids) override {
    refreshed.insert(refreshed.end(), ids.begin(), ids.end());
  }
  void RefreshBasicControl(ParamId id) override { basicRefreshed.push_back(id); }
  void RefreshAllPages() override { ++fullRefreshes; }
  void WriteErrorLog(std::string_view text, ParamId code) override {
    log.push_back(ShowFrame(text) + " #" + std::to_string(code));
  }
  void PortClosed() override { ++closings; }
  void PortFailed(std::string_view reason) override { failures.emplace_back(reason); }
  void RederiveTriggerParameter(ParamId id) override { rederived.push_back(id); }
  void SendBasicControl(ParamId id) override { basicSent.push_back(id); }
  void QueuePageDownloads() override { ++pageDownloads; }
  void QueueBasicControlDownload() override { ++basicDownloads; }
  void QueueMemoryStore(int memory) override { memoryStores.push_back(memory); }

  struct Started {
    int timer;
    int ms;
  };
  std::vector<Started> started;
  std::string status;
  int guards = 0;
  int errors = 0;
  std::vector<int> progress;
  std::vector<bool> initializations;
  bool sendingShown = false;
  std::vector<int> sendingProgress;
  std::vector<EndSendingResult> endings;
  std::vector<ParamId> refreshed;
  std::vector<ParamId> basicRefreshed;
  int fullRefreshes = 0;
  std::vector<std::string> log;
  int closings = 0;
  std::vector<std::string> failures;
  std::vector<ParamId> rederived;
  std::vector<ParamId> basicSent;
  int pageDownloads = 0;
  int basicDownloads = 0;
  std::vector<int> memoryStores;

 private:
  void Fire(int timer) {
    if (link_ != nullptr) link_->OnTimer(timer);
  }
  sim::TimerBank timers_;
  CCommClass* link_ = nullptr;
};

struct LinkHarness {
  explicit LinkHarness(ControlMode mode = ControlMode::kRealTime)
      : transport(clock), host(clock), link(transport, host) {
    host.SetLink(&link);
    link.SetMode(mode);
  }
  // An open port and a link ready for commands, as after a connection.
  void MakeReady(TransferJob job = TransferJob::kRealTimeConnection) {
    std::string error;
    transport.Open("test", error);
    link.SetJob(job);
    link.MarkReady();
  }
  std::vector<std::string> Frames() const {
    std::vector<std::string> frames;
    for (const auto& write : transport.writes) frames.push_back(write.frame);
    return frames;
  }

  sim::VirtualClock clock;
  ScriptedTransport transport;
  RecordingLinkHost host;
  CCommClass link;
};

}  // namespace qamp::testing
