// The desktop program put together: the host, the application object (the
// session and every page), the document, the main view and the main frame.
// main() makes one over the port router; the window tests make one over
// the in-process simulated receiver on a virtual clock.
#pragma once

#include <memory>
#include <vector>

#include "app/app_settings.h"
#include "app/command_line.h"
#include "app/diagnostics.h"
#include "app/gui_host.h"
#include "app/qamptool_doc.h"
#include "app/qamptool_view.h"
#include "app/receiver_comparison.h"
#include "document/qamptool_app.h"
#include "link/shared_port.h"

namespace qamp {

class CMainFrame;

class CProgram {
 public:
  struct Setup {
    ControlMode mode = ControlMode::kAsync;
    int region = kDefaultRegionCode;
    std::vector<ConnectionEntry> ports;
    LogSink* log = nullptr;
    CErrorLog::Clock logClock;
    DiagnosticsSources diagnostics;  // what Help > Save Diagnostics collects
  };
  CProgram(SerialTransport& transport, sim::VirtualClock* virtualClock, CDialogs& dialogs,
           CAppSettings& settings, Setup setup);
  ~CProgram();
  CProgram(const CProgram&) = delete;
  CProgram& operator=(const CProgram&) = delete;

  // The view's first layout, then the window on the screen.
  void Show();

  CQAmpToolApp& App() { return *app_; }
  CGuiHost& Host() { return host_; }
  CQAmpToolDoc& Doc() { return *doc_; }
  CQAmpToolView& View() { return *view_; }
  CMainFrame& Frame() { return *frame_; }
  CReceiverComparison& Comparison() { return *comparison_; }

 private:
  CGuiHost host_;
  // The window's link and a comparison's take turns at the one port.
  SharedPort port_;
  std::unique_ptr<CQAmpToolApp> app_;
  std::unique_ptr<CReceiverComparison> comparison_;
  std::unique_ptr<CQAmpToolDoc> doc_;
  CQAmpToolView* view_ = nullptr;  // owned by the frame
  std::unique_ptr<CMainFrame> frame_;
};

struct StartChoice {
  ControlMode mode = ControlMode::kAsync;
  int region = kDefaultRegionCode;
};
// Start-up's two questions, "Start Mode" and, in Async Mode, "Tuner
// Region", unless the command line answers them. Nothing when the user
// cancels "Start Mode": the program then ends, but writes its settings
// first. "Cancel" in "Tuner Region" keeps the region as it was.
std::optional<StartChoice> ChooseStart(const ProgramOptions& options, CDialogs& dialogs,
                                       CAppSettings& settings);

// The connection list of this machine: "Auto" first when a serial port
// was found, the serial ports, then the built-in simulated receiver.
std::vector<ConnectionEntry> MachineConnections();

}  // namespace qamp
