// The parameters of each sound program: their IDs in the order the DSP
// Parameters page lists them, and the program's address block.
#pragma once

#include <span>
#include <string_view>

#include "model/setting_image.h"

namespace qamp {

std::span<const ParamId> ProgramParameterIds(int program);  // empty for 26 and beyond
std::string_view ProgramBlock(int program);                 // "00", "05", ... "45"
// The program 0..25 whose parameter `id` is, or -1.
int ProgramOfParameter(ParamId id);

}  // namespace qamp
