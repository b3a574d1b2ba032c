#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  qamp::cli::CommandContext context{std::cout, std::cerr};
  return qamp::cli::RunQampctl(args, context);
}
