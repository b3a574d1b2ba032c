// The desktop program's command line: how to start without the two
// questions, which port to preselect, the demo, the settings file, and a
// configuration file to open.
#pragma once

#include <optional>
#include <string>

#include "link/comm_class.h"

namespace qamp {

struct ProgramOptions {
  std::optional<ControlMode> mode;          // --mode: skips "Start Mode"
  std::optional<int> region;                // --region: skips "Tuner Region"
  std::optional<std::string> port;          // --port: the connection entry to preselect
  bool connect = false;                     // --connect: press "Open" once the window shows
  bool demo = false;                        // --demo: Real Time Mode on the simulated receiver
  bool demoFast = false;                    // --demo=fast: ... on simulated time
  std::optional<std::string> settingsPath;  // --settings
  std::optional<std::string> trace;         // --trace: the port trace's file
  std::optional<std::string> file;          // a configuration file to open
  bool showHelp = false;
  bool showVersion = false;
};

struct CommandLineResult {
  ProgramOptions options;
  std::string error;  // empty when the command line is good
  std::string help;   // the text of --help
};

// Reads the arguments (without the program name). A bad option or value
// gives an error that names it and what is allowed.
CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace qamp
