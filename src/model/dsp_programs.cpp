#include "model/dsp_programs.h"

#include <array>
#include <vector>

namespace qamp {

namespace {

struct ProgramParameters {
  std::string_view block;
  std::vector<ParamId> ids;
};

std::vector<ParamId> Range(ParamId first, ParamId last) {
  std::vector<ParamId> ids;
  for (ParamId id = first; id <= last; ++id) ids.push_back(id);
  return ids;
}

const std::array<ProgramParameters, 26>& Programs() {
  static const std::array<ProgramParameters, 26> programs = {{
      {"00", Range(28, 32)},
      {"05", Range(33, 37)},
      {"07", Range(38, 42)},
      {"09", Range(43, 49)},
      {"0B", Range(50, 56)},
      {"0D", Range(57, 61)},
      {"11", Range(62, 69)},
      {"0F", Range(70, 74)},
      {"10", Range(75, 82)},
      {"0E", Range(83, 87)},
      {"2D", Range(88, 96)},
      {"24", Range(97, 105)},
      {"25", Range(106, 114)},
      {"28", Range(115, 123)},
      {"29", {124, 125, 126, 127, 128, 130, 129, 131, 132}},
      {"20", Range(133, 140)},
      {"21", Range(141, 148)},
      {"1E", Range(149, 156)},
      {"1F", Range(157, 164)},
      {"18", Range(165, 172)},
      {"1C", Range(173, 180)},
      {"2C", {187, 181, 182, 183, 184, 185, 186, 188}},
      {"34", {189}},
      {"17", Range(190, 196)},
      {"44", {197}},
      {"45", {198}},
  }};
  return programs;
}

}  // namespace

std::span<const ParamId> ProgramParameterIds(int program) {
  if (program < 0 || program >= 26) return {};
  return Programs()[static_cast<size_t>(program)].ids;
}

std::string_view ProgramBlock(int program) {
  if (program < 0 || program >= 26) return {};
  return Programs()[static_cast<size_t>(program)].block;
}

int ProgramOfParameter(ParamId id) {
  for (int program = 0; program < 26; ++program) {
    for (const ParamId member : ProgramParameterIds(program)) {
      if (member == id) return program;
    }
  }
  return -1;
}

}  // namespace qamp
