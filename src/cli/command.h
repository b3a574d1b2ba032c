// qampctl sub-commands: each a small class that writes to the streams it is
// given, so that tests can capture its output.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qamp::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the operation failed or a frame was not recognised
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;  // Ctrl-C, as shells expect of an interrupted command

struct CommandContext {
  CommandContext(std::ostream& output, std::ostream& errors) : out(output), err(errors) {}
  std::ostream& out;
  std::ostream& err;
  // --trace FILE: where the commands that use a port trace it.
  std::string tracePath;
  // --quiet: nothing on stderr but errors.
  bool quiet = false;
};

class Command {
 public:
  virtual ~Command() = default;
  virtual std::string_view Name() const = 0;
  virtual std::string_view Summary() const = 0;
  virtual std::string_view Usage() const = 0;  // full help text of the sub-command
  virtual int Run(const std::vector<std::string>& args, CommandContext& context) = 0;
};

std::vector<std::unique_ptr<Command>> MakeCommands();

// Runs qampctl with its arguments (without the program name).
int RunQampctl(const std::vector<std::string>& args, CommandContext& context);

// True when `args` asks for help (-h or --help anywhere).
bool WantsHelp(const std::vector<std::string>& args);

}  // namespace qamp::cli
