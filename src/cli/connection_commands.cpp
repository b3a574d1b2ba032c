// qampctl connect, ports and simulate: the receiver link from the command
// line.
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <charconv>
#include <iostream>
#include <ostream>
#include <string>

#include "cli/arguments.h"
#include "cli/cli_session_host.h"
#include "cli/command.h"
#include "cli/commands.h"
#include "model/image_dump.h"
#include "qt/file_log_sink.h"
#include "qt/port_list.h"
#include "qt/port_router.h"
#include "qt/signal_watcher.h"
#include "qt/simulator_server.h"
#include "qt/terminal.h"
#include "qt/trace_file.h"
#include "session/receiver_session.h"

namespace qamp::cli {

namespace {

std::string YesNo(int flag) {
  return flag != 0 ? "yes" : "no";
}

// Ports named on the command line: "auto" scans every port that opens,
// "sim" is the built-in simulated receiver, anything else a device path or
// tcp:HOST:PORT.
void ChoosePort(CReceiverSession& session, const std::string& port) {
  if (port == "auto") {
    session.SetPorts(ListSerialPorts());
    session.SelectPort(0);
    return;
  }
  session.SetPorts({{port, port}});
  session.SelectPort(1);
}

class ConnectCommand : public Command {
 public:
  std::string_view Name() const override { return "connect"; }
  std::string_view Summary() const override {
    return "connect in Real Time Mode and read the whole configuration";
  }
  std::string_view Usage() const override {
    return "usage: qampctl connect PORT [--dump] [--sim OPTION]...\n"
           "\n"
           "Connects to the receiver on PORT in Real Time Mode, reads its whole\n"
           "configuration (the initial load) and prints a summary: model, region code,\n"
           "model flags, which system memories hold data and how many values were read.\n"
           "\n"
           "PORT is a device path (/dev/ttyUSB0, /dev/serial/by-id/...), 'auto' to try\n"
           "every port that opens, 'sim' for the built-in simulated receiver, or\n"
           "tcp:HOST:PORT for a network serial server.\n"
           "\n"
           "  --dump         then print the stored values by parameter ID\n"
           "  --sim OPTION   an option of the built-in simulated receiver (see\n"
           "                 'qampctl simulate --help'); may be given more than once\n"
           "\n"
           "Progress goes to stderr. Ctrl-C cancels. Exit status: 0 connected, 1 the\n"
           "connection failed, 2 usage error, 130 cancelled.\n";
  }

  int Run(const std::vector<std::string>& args, CommandContext& context) override {
    const std::optional<ParsedArguments> parsed = ParseArguments(
        "connect", {{{"dump"}, "", "print the stored values", ""}, SimOption()}, args, context.err);
    if (!parsed) return kExitUsage;
    const bool dump = parsed->IsSet("dump");
    const bool simGiven = parsed->IsSet("sim");
    sim::SimOptions simOptions;
    if (!ApplySimOptions("connect", *parsed, simOptions, context.err)) return kExitUsage;
    const std::vector<std::string>& positionals = parsed->Positionals();
    if (positionals.size() > 1) {
      context.err << "qampctl connect: more than one PORT given ('" << positionals[0] << "', '"
                  << positionals[1] << "')\n";
      return kExitUsage;
    }
    const std::string port = positionals.empty() ? std::string() : positionals[0];
    if (port.empty()) {
      context.err << "qampctl connect: no PORT given (try: qampctl connect sim)\n";
      return kExitUsage;
    }
    if (simGiven && port != "sim") {
      context.err << "qampctl connect: --sim applies to the port 'sim' only, not to '" << port
                  << "'\n";
      return kExitUsage;
    }

    int argc = 1;
    char name[] = "qampctl";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    sim::VirtualClock clock;
    sim::VirtualClock* virtualClock = simOptions.virtualTime ? &clock : nullptr;
    PortRouter router(simOptions, virtualClock);
    TransportTraceFile trace(router, context.tracePath, virtualClock);
    SerialTransport& transport = trace.Transport();
    CliSessionHost host(context.err, StandardErrorIsTerminal() && !context.quiet, virtualClock);
    FileLogSink log(DefaultErrorLogPath());
    CReceiverSession session(transport, host, ControlMode::kRealTime, &log, LocalLogTime);
    host.Attach(&session);
    ChoosePort(session, port);
    SignalWatcher interrupt([&session, &host] {
      // With nothing to cancel, Ctrl-C still ends the command.
      if (session.IsInitializing()) {
        session.CancelInitialization(false);
      } else {
        host.Interrupt();
      }
    });

    session.Open();
    const std::optional<OperationOutcome> outcome = host.Run();
    if (!outcome || *outcome != OperationOutcome::kConnected) {
      if (outcome == OperationOutcome::kCancelled || (!outcome && host.Interrupted())) {
        context.err << "qampctl connect: " << (outcome ? "cancelled" : "interrupted") << "\n";
        session.Close();
        return kExitInterrupted;
      }
      if (!host.MessageShown() && !host.LastMessage().empty()) {
        context.err << "qampctl connect: " << host.LastMessage() << "\n";
      }
      session.Close();
      return kExitFailure;
    }
    // The receiver is put back on its input and program before we leave.
    CCommClass& link = session.Link();
    host.RunUntil([&link] { return link.IsWireIdle() || !link.IsPortOpen(); });
    if (host.Interrupted()) {
      context.err << "qampctl connect: interrupted\n";
      session.Close();
      return kExitInterrupted;
    }

    context.out << "Connected to QR-K2600 (model R0226) on " << port << "\n"
                << "Region code: " << link.RegionCode() << "\n"
                << "Model flags: Zone 2 " << YesNo(link.Flags().zone2) << ", Zone 3 "
                << YesNo(link.Flags().zone3) << ", XM " << YesNo(link.Flags().xm)
                << ", AAC(J Only) " << YesNo(link.Flags().aacDecoder) << "\n"
                << "System memories holding data:";
    bool any = false;
    for (int memory = 1; memory <= 6; ++memory) {
      if (!link.DataExists(memory)) continue;
      context.out << " " << memory;
      any = true;
    }
    if (!any) context.out << " none";
    context.out << "\nValues read: " << link.ValuesStored() << "\n";
    if (dump) context.out << DumpImage(link.Image(0));
    session.Close();
    return kExitSuccess;
  }
};

std::string PortsJson(const PortScan& scan) {
  auto text = [](const std::string& t) { return QString::fromStdString(t); };
  QJsonArray ports;
  for (const PortEntry& entry : scan.ports) {
    ports.append(QJsonObject{{"name", text(entry.name)},
                             {"device", text(entry.device)},
                             {"display", text(entry.display)}});
  }
  QJsonArray problems;
  for (const PortProblem& problem : scan.problems) {
    QJsonArray holders;
    for (const PortHolder& holder : problem.holders)
      holders.append(QJsonObject{{"pid", holder.pid}, {"program", text(holder.program)}});
    problems.append(QJsonObject{
        {"device", text(problem.device)},
        {"kind", problem.kind == PortProblem::Kind::kPermission ? "permission" : "busy"},
        {"group", text(problem.group)},
        {"holders", holders},
        {"message", text(problem.Message())}});
  }
  const QJsonObject all{{"auto", !scan.ports.empty()}, {"ports", ports}, {"problems", problems}};
  return QJsonDocument(all).toJson(QJsonDocument::Indented).toStdString();
}

class PortsCommand : public Command {
 public:
  std::string_view Name() const override { return "ports"; }
  std::string_view Summary() const override {
    return "list the serial ports the port list would offer";
  }
  std::string_view Usage() const override {
    return "usage: qampctl ports [--json]\n"
           "\n"
           "Lists the serial ports that can be opened now: \"Auto\" first when there is\n"
           "any, then each port's short name, device path and what the port list shows\n"
           "(its description and /dev/serial/by-id name). A port that exists but cannot\n"
           "be opened is named on stderr with the reason and the remedy.\n"
           "\n"
           "  --json   print the ports and the problems as one JSON object on stdout\n"
           "           (see qampctl(1) for its schema)\n";
  }
  int Run(const std::vector<std::string>& args, CommandContext& context) override {
    const std::optional<ParsedArguments> parsed =
        ParseArguments("ports", {{{"json"}, "", "print JSON", ""}}, args, context.err);
    if (!parsed) return kExitUsage;
    if (!parsed->Positionals().empty()) {
      context.err << "qampctl ports: takes no arguments but --json\n";
      return kExitUsage;
    }
    const bool json = parsed->IsSet("json");
    int argc = 1;
    char name[] = "qampctl";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    const PortScan scan = ScanSerialPorts();
    if (json) {
      context.out << PortsJson(scan);
      return kExitSuccess;
    }
    for (const PortProblem& problem : scan.problems)
      context.err << "qampctl ports: " << problem.Message() << "\n";
    if (scan.ports.empty()) {
      context.err << "qampctl ports: no serial port can be opened (a typed device path such as "
                     "/dev/ttyUSB0 is always accepted)\n";
      return kExitSuccess;
    }
    context.out << kAutoPortName << "\n";
    for (const PortEntry& entry : scan.ports)
      context.out << entry.name << "\t" << entry.device << "\t" << entry.display << "\n";
    return kExitSuccess;
  }
};

class SimulateCommand : public Command {
 public:
  std::string_view Name() const override { return "simulate"; }
  std::string_view Summary() const override {
    return "serve a simulated receiver on a pseudo terminal or TCP port";
  }
  std::string_view Usage() const override {
    static const std::string usage =
        std::string(
            "usage: qampctl simulate [--pty] [--tcp PORT] [--dump] [OPTION]...\n"
            "\n"
            "Serves a simulated QR-K2600 until interrupted: on a pseudo terminal (the\n"
            "default; its device path is printed) or on a TCP port of 127.0.0.1 (connect\n"
            "to it as tcp:127.0.0.1:PORT).\n"
            "\n"
            "  --pty        serve on a pseudo terminal\n"
            "  --tcp PORT   serve on 127.0.0.1:PORT (0: any free port)\n"
            "  --dump       print the receiver's settings by parameter ID and exit\n"
            "\n") +
        std::string(sim::SimOptionsHelp());
    return usage;
  }

  int Run(const std::vector<std::string>& args, CommandContext& context) override {
    const std::optional<ParsedArguments> parsed =
        ParseArguments("simulate",
                       {{{"pty"}, "", "serve on a pseudo terminal", ""},
                        {{"tcp"}, "PORT", "serve on 127.0.0.1:PORT", ""},
                        {{"dump"}, "", "print the receiver's settings and exit", ""}},
                       args, context.err);
    if (!parsed) return kExitUsage;
    bool pty = parsed->IsSet("pty");
    const bool dump = parsed->IsSet("dump");
    int tcpPort = -1;
    if (const std::optional<std::string> text = parsed->Value("tcp")) {
      const auto result = std::from_chars(text->data(), text->data() + text->size(), tcpPort);
      if (result.ec != std::errc() || result.ptr != text->data() + text->size() || tcpPort < 0 ||
          tcpPort > 65535) {
        context.err << "qampctl simulate: --tcp takes a port number from 0 to 65535, not '" << *text
                    << "'\n";
        return kExitUsage;
      }
    }
    // The simulated receiver's options are words of their own: "silent",
    // "seed=7".
    sim::SimOptions options;
    for (const std::string& option : parsed->Positionals()) {
      std::string error;
      if (!sim::ApplySimOption(option, options, error)) {
        context.err << "qampctl simulate: " << error << "\n";
        return kExitUsage;
      }
    }
    sim::CSimulatedReceiver receiver(options);
    if (dump) {
      context.out << DumpImage(receiver.State());
      return kExitSuccess;
    }
    if (!pty && tcpPort < 0) pty = true;

    int argc = 1;
    char name[] = "qampctl";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    PtySimulatorServer ptyServer(receiver);
    TcpSimulatorServer tcpServer(receiver);
    std::string error;
    if (pty) {
      std::string device;
      if (!ptyServer.Start(device, error)) {
        context.err << "qampctl simulate: " << error << "\n";
        return kExitFailure;
      }
      context.out << "Simulated QR-K2600 on " << device << std::endl;
    }
    if (tcpPort >= 0) {
      if (!tcpServer.Start(tcpPort, error)) {
        context.err << "qampctl simulate: " << error << "\n";
        return kExitFailure;
      }
      context.out << "Simulated QR-K2600 on tcp:127.0.0.1:" << tcpServer.Port() << std::endl;
    }
    SignalWatcher interrupt([] { QCoreApplication::quit(); });
    QCoreApplication::exec();
    return kExitSuccess;
  }
};

}  // namespace

std::unique_ptr<Command> MakeConnectCommand() {
  return std::make_unique<ConnectCommand>();
}
std::unique_ptr<Command> MakePortsCommand() {
  return std::make_unique<PortsCommand>();
}
std::unique_ptr<Command> MakeSimulateCommand() {
  return std::make_unique<SimulateCommand>();
}

}  // namespace qamp::cli
