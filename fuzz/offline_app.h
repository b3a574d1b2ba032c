// The application object with no port, as qampctl builds one for reports
// and diffs: every page, the link and its seven images.
#pragma once

#include <cstdint>

#include "document/qamptool_app.h"
#include "session/command_capture.h"

namespace qamp::fuzz {

// What the first byte of an input chooses: bit 0 Real Time Mode, bits 1-2
// the region.
struct AppSetup {
  explicit AppSetup(uint8_t byte)
      : mode((byte & 1) != 0 ? ControlMode::kRealTime : ControlMode::kAsync),
        region((byte >> 1) & 3) {}
  ControlMode mode;
  int region;
};

class OfflineApp {
 public:
  OfflineApp(ControlMode mode, int region) : app_(transport_, session_, pageHost_, mode, region) {}
  explicit OfflineApp(const AppSetup& setup) : OfflineApp(setup.mode, setup.region) {}
  CQAmpToolApp& App() { return app_; }
  CCommClass& Link() { return app_.Link(); }
  CPageSet& Pages() { return app_.Pages(); }

 private:
  class NoSession : public SessionHost {
   public:
    void StartTimer(int /*timer*/, int /*milliseconds*/) override {}
    void KillTimer(int /*timer*/) override {}
  };
  CaptureTransport transport_;
  NoSession session_;
  QuietPageHost pageHost_;
  CQAmpToolApp app_;
};

// The basic control, then every page (the hidden ones too), in file order.
inline std::vector<CBasePage*> EveryPage(CPageSet& pages) {
  std::vector<CBasePage*> all = {&pages.BasicControl()};
  all.insert(all.end(), pages.Pages().begin(), pages.Pages().end());
  return all;
}

}  // namespace qamp::fuzz
