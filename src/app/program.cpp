#include "app/program.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/main_frame.h"
#include "qt/port_list.h"
#include "qt/port_router.h"

namespace qamp {

CProgram::CProgram(SerialTransport& transport, sim::VirtualClock* virtualClock, CDialogs& dialogs,
                   CAppSettings& settings, Setup setup)
    : host_(dialogs, virtualClock), port_(transport) {
  app_ = std::make_unique<CQAmpToolApp>(port_.AddUser(), host_, host_, setup.mode, setup.region,
                                        setup.log, setup.logClock, &host_);
  host_.Attach(&app_->Session());
  comparison_ = std::make_unique<CReceiverComparison>(*app_, port_.AddUser(), virtualClock, dialogs,
                                                      setup.log, setup.logClock);
  doc_ = std::make_unique<CQAmpToolDoc>(*app_, dialogs);
  if (setup.mode == ControlMode::kAsync) doc_->SetUntitledName("Async Mode");
  view_ = new CQAmpToolView(*app_, host_, settings, std::move(setup.ports));
  host_.SetView(view_);
  frame_ = std::make_unique<CMainFrame>(*app_, *doc_, *view_, dialogs);
  frame_->SetComparison(comparison_.get());
  frame_->SetDiagnosticsSources(std::move(setup.diagnostics));
}

CProgram::~CProgram() {
  // The window goes first; the link's close then tells nobody.
  host_.SetView(nullptr);
  comparison_.reset();
  frame_.reset();
  app_->Link().ClosePort();
}

void CProgram::Show() {
  view_->InitialUpdate();
  doc_->MarkUnmodified();
  frame_->resize(1180, 760);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    frame_->resize(std::min(1180, area.width()), std::min(760, area.height()));
    frame_->move(area.center() - frame_->rect().center());
  }
  frame_->show();
}

std::optional<StartChoice> ChooseStart(const ProgramOptions& options, CDialogs& dialogs,
                                       CAppSettings& settings) {
  StartChoice choice;
  std::optional<ControlMode> mode = options.mode;
  if (options.demo) mode = ControlMode::kRealTime;
  // A file to open (a double-click on it) is edited offline.
  if (!mode && options.file) mode = ControlMode::kAsync;
  if (!mode) mode = dialogs.StartMode();
  if (!mode) {
    settings.Write();
    return std::nullopt;
  }
  choice.mode = *mode;
  if (choice.mode == ControlMode::kAsync) {
    if (options.region) {
      choice.region = *options.region;
    } else if (const std::optional<int> chosen = dialogs.TunerRegion(choice.region)) {
      choice.region = *chosen;
    }
  }
  return choice;
}

std::vector<ConnectionEntry> MachineConnections() {
  std::vector<ConnectionEntry> list;
  const PortScan scan = ScanSerialPorts();
  if (!scan.ports.empty()) list.push_back({QString::fromUtf8(kAutoPortName.data()), {}, {}});
  for (const PortEntry& port : scan.ports) {
    list.push_back({QString::fromStdString(port.display.empty() ? port.name : port.display),
                    QString::fromStdString(port.device),
                    {},
                    QString::fromStdString(port.name)});
  }
  // Ports that exist but cannot be opened are offered too, so that choosing
  // one says why and how to mend it.
  for (const PortProblem& problem : scan.problems) {
    const QString device = QString::fromStdString(problem.device);
    const QString shortName = device.section('/', -1);
    list.push_back({shortName + " (cannot be opened)", device,
                    QString::fromStdString(problem.Message()), shortName});
  }
  list.push_back(
      {"Simulated receiver (sim)", QString::fromUtf8(kBuiltInSimulatorPort.data()), {}, "sim"});
  return list;
}

}  // namespace qamp
