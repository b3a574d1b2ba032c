#include "model/vocabulary.h"

namespace qamp {

int InputDspRecordOfInput(int input) {
  if (input == 8) return 9;
  if (input == 9) return 8;
  return input;
}

std::vector<std::string> EqualizerChannelNames() {
  std::vector<std::string> names;
  names.reserve(kEqualizerChannels.size());
  for (const EqualizerChannel& channel : kEqualizerChannels) names.emplace_back(channel.name);
  return names;
}

std::vector<std::string> ProgramNames() {
  std::vector<std::string> names;
  names.reserve(kProgramCount);
  for (int program = 0; program < kProgramCount; ++program) {
    names.emplace_back(kPrograms[static_cast<size_t>(program)].name);
  }
  return names;
}

}  // namespace qamp
