#include "qt/terminal.h"

#include <unistd.h>

namespace qamp {
bool StandardErrorIsTerminal() {
  return ::isatty(STDERR_FILENO) == 1;
}
bool StandardInputIsTerminal() {
  return ::isatty(STDIN_FILENO) == 1;
}
}  // namespace qamp
