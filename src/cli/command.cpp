#include "cli/command.h"

#include <QFile>
#include <ostream>

#include "cli/arguments.h"
#include "cli/commands.h"

#ifndef QAMP_VERSION
#define QAMP_VERSION "unknown"
#endif

namespace qamp::cli {

std::vector<std::unique_ptr<Command>> MakeCommands() {
  std::vector<std::unique_ptr<Command>> commands;
  commands.push_back(MakeDecodeCommand());
  commands.push_back(MakeChecksumCommand());
  commands.push_back(MakeFrameCommand());
  commands.push_back(MakeParamsCommand());
  commands.push_back(MakeCommandCommand());
  commands.push_back(MakeConnectCommand());
  commands.push_back(MakeUploadCommand());
  commands.push_back(MakeDownloadCommand());
  commands.push_back(MakeReportCommand());
  commands.push_back(MakeGetCommand());
  commands.push_back(MakeSetCommand());
  commands.push_back(MakeDiffCommand());
  commands.push_back(MakePortsCommand());
  commands.push_back(MakeSimulateCommand());
  return commands;
}

bool WantsHelp(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "-h" || arg == "--help") return true;
  }
  return false;
}

namespace {

void PrintMainHelp(std::ostream& out, const std::vector<std::unique_ptr<Command>>& commands) {
  out << "usage: qampctl [--version] [--help] [--trace FILE] [--quiet] COMMAND [ARGS...]\n"
         "       qampctl help COMMAND\n"
         "\n"
         "Command-line tool for the QR-K2600 AV receiver.\n"
         "\n"
         "  --trace FILE  write every frame to and from the port to FILE, one a line\n"
         "                with the milliseconds since the start and the direction\n"
         "                ('>' sent, '<' received, '*' the port opened, closed or\n"
         "                failed); control bytes are written <STX>, <ETX>, <DC2>,\n"
         "                <DC4> and <0xNN>\n"
         "  --quiet       no progress and no notes on stderr, only errors\n"
         "\n"
         "Commands:\n";
  for (const auto& command : commands) {
    std::string name(command->Name());
    name.resize(12, ' ');
    out << "  " << name << command->Summary() << "\n";
  }
  out << "\nRun 'qampctl help COMMAND' or 'qampctl COMMAND --help' for the options of one\n"
         "command.\n";
}

}  // namespace

int RunQampctl(const std::vector<std::string>& allArgs, CommandContext& context) {
  const auto commands = MakeCommands();
  // qampctl's own options come before the command; what follows the
  // command is the command's.
  const std::optional<ParsedArguments> parsed =
      ParseArguments("",
                     {{{"trace"}, "FILE", "trace the port's frames to FILE", ""},
                      {{"q", "quiet"}, "", "nothing on stderr but errors", ""},
                      {{"h", "help"}, "", "the commands, or one command's options", ""},
                      {{"version"}, "", "the version", ""}},
                     allArgs, context.err, OptionPlace::kBeforePositionals);
  if (!parsed) return kExitUsage;
  if (const std::optional<std::string> trace = parsed->Value("trace")) {
    if (trace->empty()) {
      context.err << "qampctl: --trace needs a FILE\n";
      return kExitUsage;
    }
    context.tracePath = *trace;
  }
  context.quiet = parsed->IsSet("quiet");
  const std::vector<std::string>& args = parsed->Positionals();
  if (args.empty() && !parsed->IsSet("help") && !parsed->IsSet("version")) {
    PrintMainHelp(context.err, commands);
    return kExitUsage;
  }
  if (!context.tracePath.empty()) {
    // Said before anything is sent, not after a long transfer.
    QFile trace(QString::fromStdString(context.tracePath));
    if (!trace.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
      context.err << "qampctl: cannot write the trace " << context.tracePath << ": "
                  << trace.errorString().toStdString() << "\n";
      return kExitFailure;
    }
  }
  // --help and --version, whichever comes first.
  for (const std::string& option : parsed->Given()) {
    if (option == "h") {
      PrintMainHelp(context.out, commands);
      return kExitSuccess;
    }
    if (option == "version") {
      context.out << "qampctl " << QAMP_VERSION << "\n";
      return kExitSuccess;
    }
  }
  const std::string& first = args.front();
  if (first == "help" && args.size() >= 2) {
    for (const auto& command : commands) {
      if (command->Name() != args[1]) continue;
      context.out << command->Usage();
      return kExitSuccess;
    }
    context.err << "qampctl help: unknown command '" << args[1]
                << "' (run 'qampctl --help' for the list)\n";
    return kExitUsage;
  }
  if (first == "help") {
    PrintMainHelp(context.out, commands);
    return kExitSuccess;
  }
  for (const auto& command : commands) {
    if (command->Name() != first) continue;
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (WantsHelp(rest)) {
      context.out << command->Usage();
      return kExitSuccess;
    }
    return command->Run(rest, context);
  }
  context.err << "qampctl: unknown command '" << first << "' (run 'qampctl --help' for the list)\n";
  return kExitUsage;
}

}  // namespace qamp::cli
