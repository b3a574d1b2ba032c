// Whether standard error is a terminal (progress bars) or a file or pipe
// (plain lines).
#pragma once

namespace qamp {
bool StandardErrorIsTerminal();
bool StandardInputIsTerminal();
}  // namespace qamp
