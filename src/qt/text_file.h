// Reading a whole file, and writing one so that a failure or a crash never
// leaves it half written: the text goes to a temporary file beside the
// target, which then replaces the target in one rename.
#pragma once

#include <string>

namespace qamp {

bool ReadTextFile(const std::string& path, std::string& text, std::string& error);
bool WriteTextFileAtomically(const std::string& path, const std::string& text, std::string& error);

}  // namespace qamp
