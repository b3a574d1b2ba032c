// Reading a whole file, and writing one so that a failure or a crash never
// leaves it half written: the text goes to a temporary file beside the
// target, which then replaces the target in one rename.
#pragma once

#include <functional>
#include <string>

namespace qamp {

bool ReadTextFile(const std::string& path, std::string& text, std::string& error);
// `beforeReplacing` runs once the whole text is in the temporary file, just
// before the rename (tests use it to stand in for a crash at that moment).
bool WriteTextFileAtomically(const std::string& path, const std::string& text, std::string& error,
                             const std::function<void()>& beforeReplacing = {});

// Whether a file could be saved at `path` at all (its directory exists and
// it is not itself a directory): checked before work that takes minutes,
// so that it is not lost at the end for want of a folder.
bool CanSaveAt(const std::string& path, std::string& error);

// Where to keep a text that could not be saved where the user asked: a new
// file in the temporary directory named after the intended one.
std::string RescuePath(const std::string& path);

}  // namespace qamp
