// The application with a port whose characters, timers and failures a
// fuzz input decides. The fuzz target and the seed maker both drive it.
//
// An input starts with a scenario byte, a flags byte and two bytes that
// choose a parameter; then come operations, each one tag byte:
//   0x00..0xEF  the next tag+1 bytes arrive as one chunk (OnDataArrived)
//   0xF0..0xFA  timer tag-0xF0 fires, if it runs
//   0xFB        every pause after a written frame ends
//   0xFC        the port fails (the cable is pulled)
//   0xFD        the user cancels the sending
//   0xFE        the user cancels the initialization
//   0xFF        nothing
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "document/qamptool_app.h"
#include "link/wire_format.h"

namespace qamp::fuzz {

enum class Scenario : uint8_t {
  kConnect = 0,          // Real Time Mode: open, configuration report, initial load
  kUpload = 1,           // Async Mode: connection, then the Upload's reads
  kDownload = 2,         // Async Mode: connection, then the Download's commands
  kSending = 3,          // Real Time Mode, connected: one page parameter sent, its answer awaited
  kUploadReads = 4,      // an Upload already past its connection
  kDownloadAnswers = 5,  // a Download already past its connection
};
inline constexpr int kScenarioCount = 6;

inline constexpr uint8_t kLastChunkTag = 0xEF;
inline constexpr uint8_t kFirstTimerTag = 0xF0;
inline constexpr uint8_t kEndPausesTag = 0xFB;
inline constexpr uint8_t kPortFailsTag = 0xFC;
inline constexpr uint8_t kCancelSendingTag = 0xFD;
inline constexpr uint8_t kCancelInitializationTag = 0xFE;
inline constexpr uint8_t kFlagCtsOff = 0x01;

class DriverTransport : public SerialTransport {
 public:
  bool Open(std::string_view /*device*/, std::string& /*error*/) override {
    ++portEvents;
    open_ = true;
    return true;
  }
  void Close() override {
    ++portEvents;
    open_ = false;
  }
  bool IsOpen() const override { return open_; }
  bool Write(std::string_view bytes) override {
    if (onWrite) onWrite(bytes);
    return open_;
  }
  std::string ReadAvailable() override {
    std::string taken;
    taken.swap(pending);
    return taken;
  }
  bool IsCtsOn() override { return cts; }
  // The device goes away while open.
  void Fail() {
    if (!open_) return;
    ++portEvents;
    open_ = false;
    if (listener_ != nullptr) listener_->PortFailed("the device was removed");
  }

  std::string pending;
  bool cts = true;
  unsigned portEvents = 0;  // openings, closings and failures
  std::function<void(std::string_view)> onWrite;

 private:
  bool open_ = false;
};

class DriverHost : public SessionHost {
 public:
  void StartTimer(int timer, int /*milliseconds*/) override {
    if (timer >= 0 && timer < kTimerCount) running[static_cast<size_t>(timer)] = true;
  }
  void KillTimer(int timer) override {
    if (timer >= 0 && timer < kTimerCount) running[static_cast<size_t>(timer)] = false;
  }
  std::array<bool, kTimerCount> running{};
};

class LinkDriver {
 public:
  LinkDriver(Scenario scenario, uint8_t flags)
      : scenario_(scenario),
        app_(transport_, host_, pageHost_,
             scenario == Scenario::kConnect || scenario == Scenario::kSending
                 ? ControlMode::kRealTime
                 : ControlMode::kAsync) {
    transport_.cts = (flags & kFlagCtsOff) == 0;
    app_.Session().SetPorts({{"fuzz", "fuzz"}});
    app_.Session().SelectPortByName("fuzz");
  }

  // Starts the scenario; `choice` picks the parameter a sending sends.
  void Start(uint16_t choice) {
    CReceiverSession& session = app_.Session();
    CCommClass& link = app_.Link();
    std::string error;
    switch (scenario_) {
      case Scenario::kConnect:
        session.Open();
        break;
      case Scenario::kUpload:
        session.StartUpload();
        break;
      case Scenario::kDownload:
        session.StartDownload();
        break;
      case Scenario::kSending: {
        transport_.Open("fuzz", error);
        link.SetJob(TransferJob::kRealTimeConnection);
        link.MarkReady();
        const std::vector<CPageSet::Parameter> parameters = app_.Pages().AllParameters();
        const CPageSet::Parameter& parameter = parameters[choice % parameters.size()];
        parameter.page->SendParam(parameter.id);
        break;
      }
      case Scenario::kUploadReads:
        transport_.Open("fuzz", error);
        link.SetJob(TransferJob::kUpload);
        link.MarkReady();
        link.UploadSequence(0);
        break;
      case Scenario::kDownloadAnswers:
        transport_.Open("fuzz", error);
        link.SetJob(TransferJob::kDownload);
        link.MarkReady();
        link.DownloadSequence(0);
        break;
    }
  }

  bool Running(int timer) const { return host_.running[static_cast<size_t>(timer)]; }
  // A running timer fires once (the host's timers are single-shot).
  void Fire(int timer) {
    if (timer < 0 || timer >= kTimerCount || !Running(timer)) return;
    host_.running[static_cast<size_t>(timer)] = false;
    app_.Session().OnTimer(timer);
  }
  void EndPauses() {
    for (int i = 0; i < 100000 && Running(kPacingTimer); ++i) Fire(kPacingTimer);
  }
  int Deliver(std::string chunk) {
    transport_.pending = std::move(chunk);
    const int taken = app_.Link().OnDataArrived();
    transport_.pending.clear();
    return taken;
  }

  Scenario GetScenario() const { return scenario_; }
  DriverTransport& Transport() { return transport_; }
  CQAmpToolApp& App() { return app_; }
  CCommClass& Link() { return app_.Link(); }

 private:
  Scenario scenario_;
  DriverTransport transport_;
  DriverHost host_;
  QuietPageHost pageHost_;
  CQAmpToolApp app_;
};

}  // namespace qamp::fuzz
