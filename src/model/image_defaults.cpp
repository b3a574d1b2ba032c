#include "model/image_defaults.h"

#include "model/parameter_map.h"

namespace qamp {

namespace {

constexpr std::array<int, 11> kBasicDefaults = {6, 0, 0, 12, 1, -400, 0, 0, 1, 1, 1};
constexpr int kBasicProgramWord = 4;
constexpr int kStraightProgram = 26;

constexpr std::array<int, 16> kZoneDefaults = {6, 0,    0,  0,  -400, 6,    0, 0,
                                               0, -400, 20, 20, 0,    -810, 0, -810};

// Words 28..230, factory values of every sound program including the words
// that no program lists.
constexpr std::array<int, 203> kDspParamDefaults = {
    0,  0,   30,  10, 5,  0,  0,  30, 10,  5,  0,  0,  30, 10, 5,   0,   0,   95, 10, 3,   // 28
    40, 130, 70,  0,  0,  15, 10, 5,  11,  55, 50, 0,  0,  15, 10,  5,   0,   0,  10, 10,  // 48
    5,  20,  160, 6,  0,  0,  20, 10, 5,   0,  0,  15, 10, 5,  16,  120, 7,   0,  0,  15,  // 68
    10, 5,   0,   0,  30, 10, 5,  26, 10,  3,  20, 10, 5,  0,  0,   0,   21,  10, 5,  26,  // 88
    10, 3,   14,  10, 5,  0,  0,  0,  16,  10, 5,  2,  10, 3,  15,  10,  5,   0,  0,  0,   // 108
    15, 10,  5,   31, 10, 3,  14, 10, 5,   0,  0,  0,  15, 10, 5,   26,  10,  3,  15, 10,  // 128
    5,  0,   0,   0,  69, 10, 3,  25, 160, 2,  0,  0,  10, 10, 5,   12,  10,  3,  15, 10,  // 148
    5,  0,   0,   22, 10, 5,  23, 10, 3,   9,  10, 5,  0,  0,  26,  10,  5,   26, 10, 3,   // 168
    14, 10,  5,   0,  0,  21, 10, 5,  31,  10, 3,  15, 10, 5,  0,   0,   28,  10, 5,  31,  // 188
    10, 3,   17,  10, 5,  0,  0,  3,  0,   3,  0,  0,  0,  1,  100, 100, 100, 50, 35, 33,  // 208
    33, 1,   1,                                                                            // 228
};

constexpr std::array<int, 14> kInputDspPrograms = {1,  8,  9,  4,  7,  14, 12,
                                                   16, 16, 19, 19, 24, 26, 0};
constexpr int kInputDspFirstWord = 231;

constexpr std::array<int, 16> kIoAssignDefaults = {5, 6, 7, 1, 6, 8, 1, 5, 6, 7, 3, 4, 5, 6, 7, 8};
constexpr std::array<int, 10> kSpeakerLevelDefaults = {0, 0, 0, -10, -10, -10, -10, -10, 0, 0};
constexpr std::array<int, 11> kSpeakerDistanceDefaults = {300, 300, 300, 240, 240, 240,
                                                          240, 260, 300, 300, 0};
// The same ten distances in tenths of a foot, for the unit "Feet".
constexpr std::array<int, 10> kSpeakerDistanceFeetDefaults = {100, 100, 100, 80,  80,
                                                              80,  80,  85,  100, 100};
constexpr int kSpeakerDistanceFirstWord = 320;
constexpr int kSpeakerLevelFirstWord = 310;
constexpr std::array<int, 20> kSoundOptionDefaults = {0, 1, 1, 0, 0, 1, 1, 0, 0, 0,
                                                      0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
constexpr std::array<int, 18> kVolumeDefaults = {0, 0, 0, 0, 0, 0, 0, 0,    0,
                                                 0, 0, 0, 0, 0, 1, 1, -810, 10};
constexpr std::array<int, 9> kSpeakerSetDefaults = {0, 1, 1, 2, 0, 2, 0, 0, 0};
constexpr std::array<int, 13> kDisplayDefaults = {0, 1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
constexpr std::array<int, 3> kMiscDefaults = {0, 4, 6};
constexpr std::array<int, 11> kAdvancedDefaults = {0, 0, 1, 0, 0, 0, 0, 1, 1, 0, 1};
constexpr std::array<int, 5> kIPodDefaults = {1, 0, 0, 0, 0};

// Keys of the ten equaliser records: Center, Front L/R, Surround L/R,
// Surround Back L/R, Presence L/R, Subwoofer.
constexpr std::array<int, 10> kChannelCodes = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10};

constexpr RegionPresets kRegion1Presets = {
    {"087.50", "090.10", "095.10", "098.10", "107.90", "088.10", "106.10", "107.90"},
    {"000630", "001080", "001440", "000530", "001710", "000900", "001350", "001400"}};
constexpr RegionPresets kRegion2Presets = {
    {"087.50", "090.10", "095.10", "098.10", "108.00", "088.10", "106.10", "108.00"},
    {"000630", "001080", "001440", "000531", "001611", "000900", "001350", "001404"}};
constexpr RegionPresets kRegion3Presets = {
    {"087.50", "090.10", "095.10", "098.10", "108.00", "088.10", "106.10", "108.00"},
    {"000630", "001080", "001440", "000530", "001710", "000900", "001350", "001400"}};
constexpr RegionPresets kRegion0Presets = {
    {"076.00", "083.00", "084.00", "086.00", "090.00", "078.00", "088.00", "082.10"},
    {"000630", "001080", "001440", "000531", "001611", "000900", "001350", "001404"}};

template <size_t N>
void Fill(CSettingImage& image, int firstWord, const std::array<int, N>& values) {
  for (size_t i = 0; i < N; ++i) image[firstWord + static_cast<int>(i)] = values[i];
}

}  // namespace

const RegionPresets& PresetsOfRegion(int regionCode) {
  switch (regionCode) {
    case 1:
      return kRegion1Presets;
    case 2:
      return kRegion2Presets;
    case 3:
      return kRegion3Presets;
    default:
      return kRegion0Presets;
  }
}

std::string_view DefaultTunerPreset(int field, int regionCode) {
  const RegionPresets& presets = PresetsOfRegion(regionCode);
  if (field == 40) return presets.fm[0];
  const int bank = field / 8;  // banks 0, 2, 4 are FM; 1 and 3 AM
  const int preset = field % 8;
  return bank % 2 == 0 ? presets.fm[static_cast<size_t>(preset)]
                       : presets.am[static_cast<size_t>(preset)];
}

int DspParamDefault(int word) {
  if (word < kDspParamFirstWord || word > kDspParamLastWord) return 0;
  return kDspParamDefaults[static_cast<size_t>(word - kDspParamFirstWord)];
}

void ApplyTunerPresetDefaults(CSettingImage& image, int regionCode) {
  for (int field = 0; field < kTunerPresetCount; ++field) {
    image.SetText(kTunerPresetFirstWord, kTunerPresetWidth * field, kTunerPresetWidth,
                  DefaultTunerPreset(field, regionCode));
  }
}

void ApplyInputDspDefaults(CSettingImage& image, int regionCode) {
  for (int record = 0; record < 14; ++record) {
    const int word = kInputDspFirstWord + 2 * record;
    image[word] = kInputDspPrograms[static_cast<size_t>(record)];
    int straight = 0;
    if (record == 0 || (record >= 7 && record <= 10)) {
      straight = 1;
    } else if ((record >= 1 && record <= 6) || record == 11) {
      straight = regionCode == 0 ? 1 : 0;
    }
    image[word + 1] = straight;
  }
}

void ApplyBasicDefaults(CSettingImage& image, int regionCode) {
  Fill(image, 1, kBasicDefaults);
  if (regionCode == 0) image[kBasicProgramWord] = kStraightProgram;
}

void ApplyInputNameDefaults(CSettingImage& image) {
  for (int field = 0; field < kInputNameCount; ++field) {
    image.SetText(kInputNameFirstWord, kInputNameWidth * field, kInputNameWidth,
                  kDefaultInputNames[static_cast<size_t>(field)]);
  }
}

void ApplyIoAssignDefaults(CSettingImage& image) {
  Fill(image, 294, kIoAssignDefaults);
}

void ApplyDisplayDefaults(CSettingImage& image) {
  Fill(image, 900, kDisplayDefaults);
}

void ApplyXmPresetDefaults(CSettingImage& image) {
  for (int word = 859; word <= 899; ++word) image[word] = 1;
}

void ResetImage(CSettingImage& image, int slot, int regionCode) {
  image = CSettingImage();
  image[0] = slot;
  ApplyBasicDefaults(image, regionCode);
  Fill(image, 12, kZoneDefaults);
  Fill(image, kDspParamFirstWord, kDspParamDefaults);
  ApplyInputDspDefaults(image, regionCode);
  ApplyInputNameDefaults(image);
  ApplyIoAssignDefaults(image);
  ApplySpeakerLevelDefaults(image);
  Fill(image, 320, kSpeakerDistanceDefaults);
  Fill(image, 331, kSoundOptionDefaults);
  // Each trigger output: 37 switches at H, then the control word at
  // "Zone OR".
  for (int output = 0; output < 2; ++output) {
    const int first = 351 + 38 * output;
    for (int i = 0; i < 37; ++i) image[first + i] = 1;
    image[first + 37] = 3;
  }
  Fill(image, 427, kVolumeDefaults);
  ApplyEqualizerDefaults(image);
  ApplyParametricEqDefaults(image);
  Fill(image, 747, kSpeakerSetDefaults);
  ApplyTunerPresetDefaults(image, regionCode);
  ApplyXmPresetDefaults(image);
  Fill(image, 900, kDisplayDefaults);
  Fill(image, 913, kMiscDefaults);
  Fill(image, 920, kAdvancedDefaults);
  Fill(image, 931, kIPodDefaults);
}

void ApplySpeakerLevelDefaults(CSettingImage& image) {
  Fill(image, kSpeakerLevelFirstWord, kSpeakerLevelDefaults);
}

void ApplySpeakerDistanceDefaults(CSettingImage& image, int unit) {
  for (size_t i = 0; i < kSpeakerDistanceFeetDefaults.size(); ++i) {
    image[kSpeakerDistanceFirstWord + static_cast<int>(i)] =
        unit != 0 ? kSpeakerDistanceFeetDefaults[i] : kSpeakerDistanceDefaults[i];
  }
}

void ApplyEqualizerDefaults(CSettingImage& image) {
  image[kGeqMiraWord] = 3;
  image[kGeqTypeWord] = 1;
  for (int record = 0; record < kKeyedRecordCount; ++record) {
    const int first = kGeqFirstRecordWord + kGeqRecordWords * record;
    image[first] = kChannelCodes[static_cast<size_t>(record)];
    for (int band = 1; band < kGeqRecordWords; ++band) image[first + band] = 0;
  }
}

void ApplyParametricEqDefaults(CSettingImage& image) {
  for (int record = 0; record < kKeyedRecordCount; ++record) {
    const int first = kPeqFirstRecordWord + kPeqRecordWords * record;
    image[first] = kChannelCodes[static_cast<size_t>(record)];
    for (int band = 0; band < 7; ++band) {
      image[first + 1 + 3 * band] = 4 * band;
      image[first + 2 + 3 * band] = 3;
      image[first + 3 + 3 * band] = 0;
    }
  }
}

}  // namespace qamp
