// The settings image: every receiver parameter the program knows, as the
// receiver's raw codes, in one fixed record of 988 signed 32-bit words.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qamp {

using ParamId = int;

inline constexpr int kImageWords = 988;
inline constexpr int kImageSlots = 7;  // slot 0 the current setting, 1..6 the system memories

// Parameter IDs above 556 label commands that set no single parameter.
inline constexpr ParamId kFirstParamId = 1;
inline constexpr ParamId kLastParamId = 556;
inline constexpr ParamId kSystemMemoryLoadCode = 563;
inline constexpr ParamId kSystemMemorySaveCode = 564;
inline constexpr ParamId kFirstMemoryStatusId = 565;  // 565..570: memories 1..6 hold data
inline constexpr ParamId kVolumeMemoryLoadCode = 571;
inline constexpr ParamId kVolumeMemorySaveCode = 572;
inline constexpr ParamId kZone2MemoryLoadCode = 573;
inline constexpr ParamId kZone2MemorySaveCode = 574;
inline constexpr ParamId kZone3MemoryLoadCode = 575;
inline constexpr ParamId kZone3MemorySaveCode = 576;
inline constexpr ParamId kEndMarkerCode = 577;

// Region codes select the tuner bands and several defaults.
inline constexpr int kDefaultRegionCode = 1;

class CSettingImage {
 public:
  CSettingImage() = default;

  int32_t& operator[](int word) { return words_[static_cast<size_t>(word)]; }
  int32_t operator[](int word) const { return words_[static_cast<size_t>(word)]; }

  // Fixed-width NUL-terminated 8-bit texts overlay consecutive words. A field
  // of width w holds at most w - 1 characters; longer texts are cut.
  std::string Text(int firstWord, int byteOffset, int width) const;
  void SetText(int firstWord, int byteOffset, int width, std::string_view text);

  const std::array<int32_t, kImageWords>& Words() const { return words_; }
  bool operator==(const CSettingImage& other) const = default;

 private:
  std::array<int32_t, kImageWords> words_{};
};

}  // namespace qamp
