// The commands of the basic control (input, audio select, decoder mode,
// program, surround, volume, mute, pure direct, zone power).
#pragma once

#include <optional>
#include <string>

#include "model/setting_image.h"

namespace qamp {

// The standard command (STX ... ETX) of the basic-control send operation for
// ID 1..11 from the image, or nothing for a value that has no command.
std::optional<std::string> BasicControlCommand(ParamId id, const CSettingImage& image);

// Selecting an input 0..12 and a program 0..26 (26 is Straight).
std::string InputSelectCommand(int input);
std::optional<std::string> ProgramSelectCommand(int program);

}  // namespace qamp
