// A link that is ready for commands but writes into a list instead of a
// port: what a page or the basic control would send, frame by frame. Used
// by qampctl command and by tests.
#pragma once

#include <string>
#include <vector>

#include "link/comm_class.h"

namespace qamp {

class CaptureTransport : public SerialTransport {
 public:
  bool Open(std::string_view /*device*/, std::string& /*error*/) override {
    open_ = true;
    return true;
  }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  bool Write(std::string_view bytes) override {
    written.emplace_back(bytes);
    return open_;
  }
  std::string ReadAvailable() override { return {}; }
  bool IsCtsOn() override { return true; }

  std::vector<std::string> written;

 private:
  bool open_ = false;
};

// Answers nothing, shows nothing, and lets every pause end at once.
class CaptureLinkHost : public LinkHost {
 public:
  void SetLink(CCommClass* link) { link_ = link; }
  void StartTimer(int timer, int /*milliseconds*/) override {
    if (timer == kPacingTimer && link_ != nullptr) link_->OnTimer(kPacingTimer);
  }
  void KillTimer(int /*timer*/) override {}
  void ShowConnectionStatus(std::string_view /*text*/) override {}
  void ShowGuard() override {}
  void ShowError() override {}
  void SetInitializeProgress(int /*position*/) override {}
  void EndInitialization(bool /*failed*/) override {}
  void ShowSending() override { sending_ = true; }
  bool IsSendingShown() const override { return sending_; }
  void AdvanceSending(int /*position*/) override {}
  void EndSending(EndSendingResult /*result*/) override { sending_ = false; }
  void RefreshParams(const std::vector<ParamId>& /*ids*/) override {}
  void RefreshBasicControl(ParamId /*id*/) override {}
  void RefreshAllPages() override {}
  void WriteErrorLog(std::string_view /*text*/, ParamId /*code*/) override {}
  void PortClosed() override {}
  void PortFailed(std::string_view /*reason*/) override {}
  void RederiveTriggerParameter(ParamId /*id*/) override {}
  void SendBasicControl(ParamId /*id*/) override {}
  void QueuePageDownloads() override {}
  void QueueBasicControlDownload() override {}
  void QueueMemoryStore(int /*memory*/) override {}
  void Reset() { sending_ = false; }

 private:
  CCommClass* link_ = nullptr;
  bool sending_ = false;
};

// A ready link over a capture transport.
class CommandCapture {
 public:
  explicit CommandCapture(ControlMode mode, int regionCode = kDefaultRegionCode);
  CCommClass& Link() { return link_; }
  // The frames written so far, then those still waiting in the queue, in
  // the order the receiver would get them.
  std::vector<std::string> Frames() const;
  // The queue's entries as (frame, code), for tests that check codes.
  std::vector<std::pair<std::string, ParamId>> QueuedWithCodes() const;
  void Clear();

 private:
  CaptureTransport transport_;
  CaptureLinkHost host_;
  CCommClass link_;
};

}  // namespace qamp
