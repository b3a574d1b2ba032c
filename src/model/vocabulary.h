// The receiver's inputs and sound programs, with the codes that select
// them, and the value codes of the basic-control commands.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/setting_image.h"

namespace qamp {

struct InputEntry {
  std::string_view pageName;  // in page lists, files and reports
  std::string_view viewName;  // on the control panel
  std::string_view selectCode;
};

inline constexpr int kInputCount = 13;
inline constexpr int kMultiChInput = 12;
inline constexpr std::array<InputEntry, kInputCount> kInputs = {{
    {"PHONO", "PHONO", "14"},
    {"CD", "CD", "15"},
    {"TUNER", "TUNER", "16"},
    {"CD-R", "CD-R", "19"},
    {"MD/TAPE", "MD/TAPE", "18"},
    {"BD/HD DVD", "BD/HD DVD", "C8"},
    {"DVD", "DVD", "C1"},
    {"DTV/CBL", "DTV/CBL", "54"},
    {"DVR", "DVR", "13"},
    {"VCR", "VCR", "0F"},
    {"V-AUX", "V-AUX/DOCK", "55"},
    {"XM", "XM", "B4"},
    {"MULTI CH", "MULTI CH", "87"},
}};

struct ProgramEntry {
  std::string_view name;
  std::string_view selectCode;  // empty for 7ch Enhancer, which has a command of its own
};

inline constexpr int kProgramCount = 26;  // programs 0..25 are listed on the pages
inline constexpr int kStraightProgram = 26;
inline constexpr int kSevenChEnhancerProgram = 25;
inline constexpr std::array<ProgramEntry, kProgramCount + 1> kPrograms = {{
    {"Hall in Munich", "E1"},
    {"Hall in Vienna", "E5"},
    {"Hall in Amsterdam", "E6"},
    {"Church in Freiburg", "E8"},
    {"Chamber", "AF"},
    {"Village Vanguard", "EB"},
    {"Warehouse Loft", "EE"},
    {"Cellar Club", "CD"},
    {"The Roxy Theatre", "ED"},
    {"The Bottom Line", "EC"},
    {"Standard", "FE"},
    {"Spectacle", "F9"},
    {"Sci-Fi", "FA"},
    {"Adventure", "FB"},
    {"Drama", "FC"},
    {"Mono Movie", "F7"},
    {"Sports", "F8"},
    {"Action Game", "F2"},
    {"Roleplaying Game", "CE"},
    {"Music Video", "F3"},
    {"Recital/Opera", "F5"},
    {"Surround Decoder", "FD"},
    {"2ch Stereo", "C0"},
    {"7ch Stereo", "FF"},
    {"Straight Enhancer", "D8"},
    {"7ch Enhancer", ""},
    {"Straight", "E0"},
}};
inline constexpr std::string_view kSevenChEnhancerCommand = "0F7E81146B";

// The Input DSP records keep VCR (input 9) before DVR (input 8).
int InputDspRecordOfInput(int input);
inline constexpr int kInputDspFirstWord = 231;

// Value lists of the basic control (IDs 2, 3, 5) and their codes.
inline constexpr std::array<std::string_view, 4> kAudioSelectNames = {"Auto", "HDMI", "Coax/Opt",
                                                                      "Analog"};
inline constexpr std::array<std::string_view, 4> kAudioSelectCodes = {"A6", "DA", "A9", "AA"};
inline constexpr std::array<std::string_view, 3> kDecoderModeNames = {"Auto", "DTS", "AAC(J Only)"};
inline constexpr std::array<std::string_view, 3> kDecoderModeCodes = {"DB", "A8", "3B"};
inline constexpr std::array<std::string_view, 6> kExtdSurroundNames = {
    "OFF", "Auto", "EX/ES", "EX", "PLIIx Movie", "PLIIx Music"};
inline constexpr std::array<std::string_view, 6> kExtdSurroundCodes = {"B9", "7C", "B8",
                                                                       "DC", "DD", "DE"};

// Zone input codes by input-table index 0..11.
inline constexpr std::array<std::string_view, 12> kZone2InputCodes = {
    "D0", "D1", "D2", "D4", "D3", "CE", "CD", "D9", "D7", "D6", "D8", "B8"};
inline constexpr std::array<std::string_view, 12> kZone3InputCodes = {
    "F1", "F2", "F3", "F5", "F4", "FB", "FC", "F6", "FA", "F9", "F0", "B9"};

// The ten channel records of both equalisers (graphic and parametric), in
// record order, with the channel code that keys each record.
struct EqualizerChannel {
  std::string_view name;
  int code;
};
inline constexpr int kEqualizerSubwooferRecord = 9;
inline constexpr std::array<EqualizerChannel, 10> kEqualizerChannels = {{
    {"Center", 0},
    {"Front L", 2},
    {"Front R", 3},
    {"Surround L", 4},
    {"Surround R", 5},
    {"Surround Back L", 6},
    {"Surround Back R", 7},
    {"Presence L", 8},
    {"Presence R", 9},
    {"Subwoofer", 10},
}};
// The channel names in record order, as the equalizer pages list them.
std::vector<std::string> EqualizerChannelNames();
// The names of the listed programs 0..25, as the program lists show them.
std::vector<std::string> ProgramNames();

}  // namespace qamp
