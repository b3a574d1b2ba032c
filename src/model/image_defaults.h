// Factory defaults of the settings image. Some depend on the region code.
#pragma once

#include <array>
#include <string_view>

#include "model/setting_image.h"

namespace qamp {

// Fills the image with every default and writes the slot number into word 0.
void ResetImage(CSettingImage& image, int slot, int regionCode);

// The region-dependent parts, re-applied on their own after the region code
// changes (start-up, initial load).
void ApplyTunerPresetDefaults(CSettingImage& image, int regionCode);
void ApplyInputDspDefaults(CSettingImage& image, int regionCode);
void ApplyBasicDefaults(CSettingImage& image, int regionCode);

// Defaults that pages restore with their "Default" buttons.
inline constexpr int kDspParamFirstWord = 28;
inline constexpr int kDspParamLastWord = 230;
int DspParamDefault(int word);
void ApplyInputNameDefaults(CSettingImage& image);
void ApplyIoAssignDefaults(CSettingImage& image);
void ApplyDisplayDefaults(CSettingImage& image);
void ApplySpeakerLevelDefaults(CSettingImage& image);
// The ten distances for `unit` (0 metres, 1 feet); the unit word is kept.
void ApplySpeakerDistanceDefaults(CSettingImage& image, int unit);
// The graphic equaliser: MIRA PEQ Type "None", EQ Type "GEQ", flat records.
void ApplyEqualizerDefaults(CSettingImage& image);
// The parametric equaliser: bands spread over the range, Q 1.000, flat.
void ApplyParametricEqDefaults(CSettingImage& image);
// Every XM preset (and the word after the group) to station ID 1.
void ApplyXmPresetDefaults(CSettingImage& image);

inline constexpr std::array<std::string_view, 14> kDefaultInputNames = {
    "  PHONO  ", "   CD    ", "  TUNER  ", "  CD-R   ", " MD/TAPE ", "BD/HD DVD", "   DVD   ",
    " DTV/CBL ", "   VCR   ", "   DVR   ", "  V-AUX  ", "   XM    ", "  DOCK   ", "MULTI CH ",
};

// The eight FM and eight AM presets of a region; banks 1, 3 and 5 repeat the
// FM presets, banks 2 and 4 the AM presets.
struct RegionPresets {
  std::array<std::string_view, 8> fm;
  std::array<std::string_view, 8> am;
};
const RegionPresets& PresetsOfRegion(int regionCode);
std::string_view DefaultTunerPreset(int field, int regionCode);  // field 0..40

}  // namespace qamp
