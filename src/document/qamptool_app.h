// The application object: the session with the receiver (and with it the
// link and the images) and every page, wired together. The GUI and
// qampctl each make one.
#pragma once

#include <memory>

#include "document/configuration_file.h"
#include "pages/download_planner.h"
#include "pages/memory_page.h"
#include "pages/page_set.h"
#include "session/receiver_session.h"

namespace qamp {

class CQAmpToolApp {
 public:
  CQAmpToolApp(SerialTransport& transport, SessionHost& sessionHost, PageHost& pageHost,
               ControlMode mode, int regionCode = kDefaultRegionCode, LogSink* log = nullptr,
               CErrorLog::Clock clock = {}, FrequencyChooser* frequencyChooser = nullptr);

  CReceiverSession& Session() { return session_; }
  CCommClass& Link() { return session_.Link(); }
  CPageSet& Pages() { return pages_; }

  // Configuration files, given as their text.
  // The receiver's state (see CReceiverSession::KnownState) goes into a
  // section of its own unless `withReceiverState` is false, as for
  // comparing what two configurations hold.
  std::string SaveConfigurationText(bool withReceiverState = true);
  // False, with the reason, when the text is not a configuration file: the
  // images, the memo and the memory flags are then left as they were.
  // `load`, when given, receives what a file that is one lacked.
  [[nodiscard]] bool LoadConfigurationText(std::string_view text, std::string* why = nullptr,
                                           ConfigurationLoad* load = nullptr);
  std::string Report() { return BuildReport(Link(), pages_); }

  // The Download to start: only what differs from the state the receiver
  // is known to hold, when one is known and `whole` is false; otherwise
  // the whole configuration.
  DownloadPlan PlanDownload(bool whole = false);

 private:
  CReceiverSession session_;
  CPageSet pages_;
};

}  // namespace qamp
