#include "document/qamptool_app.h"

#include "model/image_defaults.h"

namespace qamp {

CQAmpToolApp::CQAmpToolApp(SerialTransport& transport, SessionHost& sessionHost, PageHost& pageHost,
                           ControlMode mode, int regionCode, LogSink* log, CErrorLog::Clock clock,
                           FrequencyChooser* frequencyChooser)
    : session_(transport, sessionHost, mode, log, std::move(clock)),
      pages_(session_.Link(), pageHost, frequencyChooser) {
  CCommClass& link = session_.Link();
  link.SetRegionCode(regionCode);
  // The region-dependent defaults, once the region is known.
  for (int slot = 0; slot < kImageSlots; ++slot) link.ResetImage(slot);
  session_.SetPageDirectory(&pages_);
  pages_.Memory().SetActions([this] { session_.Reload(false); },
                             [this, &sessionHost] {
                               pages_.RefreshAll();
                               sessionHost.RefreshUserInterface();
                             });
  pages_.FirstLayout();
}

std::string CQAmpToolApp::SaveConfigurationText(bool withReceiverState) {
  MemoryIniFile file;
  SaveConfiguration(Link(), pages_, file);
  if (withReceiverState && session_.KnownState()) WriteReceiverState(file, *session_.KnownState());
  return file.Serialize();
}

bool CQAmpToolApp::LoadConfigurationText(std::string_view text, std::string* why,
                                         ConfigurationLoad* load) {
  const MemoryIniFile file = MemoryIniFile::Parse(text);
  if (!IsConfigurationFile(pages_, file)) {
    if (why != nullptr) {
      *why = text.empty()
                 ? "the file is empty"
                 : "it is not a configuration file (it has none of the sections qamptool writes)";
    }
    return false;
  }
  ConfigurationLoad found = LoadConfiguration(Link(), pages_, file);
  if (load != nullptr) *load = std::move(found);
  // A file keeps the state of the receiver it was read from or written to.
  session_.SetKnownState(ReadReceiverState(file));
  pages_.RefreshAll();
  return true;
}

DownloadPlan CQAmpToolApp::PlanDownload(bool whole) {
  const std::optional<ReceiverState>& known = session_.KnownState();
  if (whole || !known) return PlanWholeDownload(pages_, Link());
  return PlanDeltaDownload(pages_, Link(), *known);
}

}  // namespace qamp
