// The application object with no port, as qampctl builds one for reports
// and diffs: every page, the link and its seven images.
#pragma once

#include "pages/qamptool_app.h"
#include "session/command_capture.h"

namespace qamp::fuzz {

class OfflineApp {
 public:
  OfflineApp(ControlMode mode, int region) : app_(transport_, session_, pageHost_, mode, region) {}
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
