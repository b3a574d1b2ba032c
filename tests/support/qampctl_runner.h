// qampctl run in-process, the way a shell would run it, with what it
// prints to standard output and standard error kept for the test.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/command.h"

namespace qamp::testing {

struct QampctlResult {
  int status;       // the exit status
  std::string out;  // standard output
  std::string err;  // standard error
};

// `args` as they follow "qampctl" on a command line.
inline QampctlResult Qampctl(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  cli::CommandContext context{out, err};
  const int status = RunQampctl(args, context);
  return {status, out.str(), err.str()};
}

}  // namespace qamp::testing
