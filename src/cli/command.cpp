#include "cli/command.h"

#include <ostream>

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
  out << "usage: qampctl [--version] [--help] COMMAND [ARGS...]\n"
         "\n"
         "Command-line tool for the QR-K2600 AV receiver.\n"
         "\n"
         "Commands:\n";
  for (const auto& command : commands) {
    std::string name(command->Name());
    name.resize(12, ' ');
    out << "  " << name << command->Summary() << "\n";
  }
  out << "\nRun 'qampctl COMMAND --help' for the options of one command.\n";
}

}  // namespace

int RunQampctl(const std::vector<std::string>& args, CommandContext& context) {
  const auto commands = MakeCommands();
  if (args.empty()) {
    PrintMainHelp(context.err, commands);
    return kExitUsage;
  }
  const std::string& first = args.front();
  if (first == "--help" || first == "-h" || first == "help") {
    PrintMainHelp(context.out, commands);
    return kExitSuccess;
  }
  if (first == "--version") {
    context.out << "qampctl " << QAMP_VERSION << "\n";
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
