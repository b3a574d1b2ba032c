#include "link/basic_control_commands.h"

#include <span>
#include <string_view>

#include "link/wire_format.h"
#include "model/parameter_store.h"
#include "model/vocabulary.h"

namespace qamp {

namespace {

constexpr std::array<std::string_view, 2> kMuteCodes = {"3", "2"};
constexpr std::array<std::string_view, 2> kPureDirectCodes = {"82", "80"};
constexpr std::array<std::string_view, 2> kMainPowerCodes = {"F", "E"};
constexpr std::array<std::string_view, 2> kZone2PowerCodes = {"B", "A"};
constexpr std::array<std::string_view, 2> kZone3PowerCodes = {"E", "D"};

std::optional<std::string> Pick(std::string_view prefix, std::span<const std::string_view> codes,
                                int value) {
  if (value < 0 || value >= static_cast<int>(codes.size())) return std::nullopt;
  return FrameStandard(std::string(prefix) + std::string(codes[static_cast<size_t>(value)]));
}

}  // namespace

std::string InputSelectCommand(int input) {
  if (input < 0 || input >= kInputCount) return {};
  return FrameStandard("07A" + std::string(kInputs[static_cast<size_t>(input)].selectCode));
}

std::optional<std::string> ProgramSelectCommand(int program) {
  if (program == kSevenChEnhancerProgram) return FrameStandard(kSevenChEnhancerCommand);
  if (program < 0 || program > kStraightProgram) return std::nullopt;
  return FrameStandard("07E" + std::string(kPrograms[static_cast<size_t>(program)].selectCode));
}

std::optional<std::string> BasicControlCommand(ParamId id, const CSettingImage& image) {
  const int value = ReadParameter(image, id);
  switch (id) {
    case 1:
      if (value < 0 || value >= kInputCount) return std::nullopt;
      return InputSelectCommand(value);
    case 2:
      return Pick("07E", kAudioSelectCodes, value);
    case 3:
      return Pick("07E", kDecoderModeCodes, value);
    case 4:
      return ProgramSelectCommand(value);
    case 5:
      return Pick("07E", kExtdSurroundCodes, value);
    case 6:
      return FrameStandard("230" + EncodeVolume(value));
    case 7:
      return Pick("07EA", kMuteCodes, value);
    case 8:
      return Pick("07E", kPureDirectCodes, value);
    case 9:
      return Pick("07E7", kMainPowerCodes, value);
    case 10:
      return Pick("07EB", kZone2PowerCodes, value);
    case 11:
      return Pick("07AE", kZone3PowerCodes, value);
    default:
      return std::nullopt;
  }
}

}  // namespace qamp
