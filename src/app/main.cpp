// qamptool: the desktop editor and remote control for the QR-K2600.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <cstdio>
#include <iostream>

#include "app/command_line.h"
#include "app/main_frame.h"
#include "app/program.h"
#include "qt/file_log_sink.h"
#include "qt/port_router.h"
#include "qt/trace_file.h"

namespace {

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(32, 40, 52));
    painter.drawRoundedRect(QRectF(0.5 * unit, 2 * unit, 15 * unit, 12 * unit), 2 * unit, 2 * unit);
    painter.setBrush(QColor(0, 250, 0));
    painter.drawRect(QRectF(2 * unit, 5 * unit, 6 * unit, 2.5 * unit));
    painter.setBrush(QColor(200, 205, 215));
    painter.drawEllipse(QRectF(9.5 * unit, 4.5 * unit, 5 * unit, 5 * unit));
    painter.setBrush(QColor(0, 96, 192));
    painter.drawRect(QRectF(2 * unit, 10 * unit, 12 * unit, 1.5 * unit));
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace qamp;
  std::vector<std::string> arguments(argv + 1, argv + argc);
  // The command line is read before any window, so that a mistake is told
  // even where there is no display.
  const CommandLineResult command = ParseCommandLine(arguments);
  if (!command.error.empty()) {
    std::cerr << "qamptool: " << command.error << "\nTry 'qamptool --help'.\n";
    return 2;
  }
  const ProgramOptions& options = command.options;
  if (options.showHelp) {
    std::cout << command.help;
    return 0;
  }
  if (options.showVersion) {
    std::cout << "qamptool " << QAMP_VERSION << "\n";
    return 0;
  }

  QApplication application(argc, argv);
  QApplication::setApplicationName("qamptool");
  QApplication::setApplicationVersion(QAMP_VERSION);
  // The installed icon (the desktop's theme finds it in hicolor); the
  // drawn one where the program runs from its build directory.
  QApplication::setWindowIcon(QIcon::fromTheme("qamptool", ProgramIcon()));
  QGuiApplication::setDesktopFileName("qamptool");

  CAppSettings settings(options.settingsPath.value_or(CAppSettings::DefaultPath()));
  settings.Read();
  CQtDialogs dialogs;

  const std::optional<StartChoice> start = ChooseStart(options, dialogs, settings);
  if (!start) return 0;

  // The built-in simulated receiver holds a configuration a receiver could
  // hold; the fast demo runs it and the link on simulated time.
  sim::SimOptions simulator;
  simulator.startState = sim::StartState::kPlausible;
  std::unique_ptr<sim::VirtualClock> virtualClock;
  if (options.demoFast) virtualClock = std::make_unique<sim::VirtualClock>();
  PortRouter router(simulator, virtualClock.get());
  FileLogSink log(DefaultErrorLogPath());
  // The port is always traced: into --trace FILE, or into a file of a
  // bounded size that "Save Diagnostics..." collects.
  const std::string tracePath = options.trace.value_or(DefaultLastTracePath());
  TransportTraceFile trace(router, tracePath, virtualClock.get(),
                           options.trace ? 0 : kLastTraceLimitBytes);
  if (!trace.Error().empty()) std::cerr << "qamptool: " << trace.Error() << "\n";
  trace.Note(std::string("qamptool ") + QAMP_VERSION + ", Qt " + qVersion());

  CProgram::Setup setup;
  setup.mode = start->mode;
  setup.region = start->region;
  setup.ports = MachineConnections();
  setup.log = &log;
  setup.logClock = LocalLogTime;
  setup.diagnostics.settingsPath = settings.Path();
  setup.diagnostics.errorLogPath = log.Path();
  if (trace.Tracing()) setup.diagnostics.tracePath = tracePath;
  CProgram program(trace.Transport(), virtualClock.get(), dialogs, settings, std::move(setup));

  QTimer pump;
  if (virtualClock) {
    // Simulated time runs fast while the link works and at the real pace
    // otherwise, so that "GUARD" still shows for a second.
    constexpr int kPumpMs = 5;
    QObject::connect(&pump, &QTimer::timeout, [&] {
      const CReceiverSession& session = program.App().Session();
      const CCommClass& link = program.App().Link();
      const bool busy = session.IsInitializing() || session.IsSending() || !link.Queue().empty() ||
                        !link.IsWireIdle();
      virtualClock->Advance(busy ? 400 : kPumpMs);
    });
    pump.start(kPumpMs);
  }

  program.Show();
  if (options.file) program.Doc().Open(QString::fromStdString(*options.file), &program.Frame());
  if (options.demo) {
    program.View().SelectConnection(QString::fromUtf8(kBuiltInSimulatorPort.data()));
  } else if (options.port) {
    const QString port = QString::fromStdString(*options.port);
    if (!program.View().SelectConnection(port)) {
      std::cerr << "qamptool: " << *options.port
                << " is not a port of this machine; \"Auto\" is selected.\n";
    }
  }
  if ((options.demo || options.connect) && start->mode == ControlMode::kRealTime) {
    QTimer::singleShot(0, &program.View(), [&program] { program.View().Open(); });
  }
  const int status = QApplication::exec();
  program.View().StoreSettings();
  std::string error;
  if (!settings.Write(&error)) {
    std::cerr << "qamptool: the settings could not be saved in " << settings.Path() << ": " << error
              << "\n";
  }
  return status;
}
