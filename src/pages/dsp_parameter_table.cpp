#include "pages/dsp_parameter_table.h"

#include <array>

namespace qamp {

namespace {

// program, name, kind, list or step, min, max, slider, unit. The words of a
// choice list follow the program that first uses it; they are never shown
// as rows of their own.
constexpr std::array<DspParameterRow, 190> kRows = {{
    {0, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {0, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {0, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {0, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {0, "(P.)Liveness", 1, 0, 0, 10, 0, ""},
    {1, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {1, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {1, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {1, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {1, "(P.)Liveness", 1, 0, 0, 10, 0, ""},
    {2, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {2, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {2, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {2, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {2, "(P.)Liveness", 1, 0, 0, 10, 0, ""},
    {3, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {3, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {3, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {3, "(P.)Liveness", 1, 0, 0, 10, 0, ""},
    {3, "Rev. Time", 2, 1, 10, 50, 1, "sec"},
    {3, "Rev. Delay", 1, 1, 0, 250, 1, "ms"},
    {3, "Rev. Level", 1, 1, 0, 100, 1, "%"},
    {4, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {4, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {4, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {4, "(P.)Liveness", 1, 0, 0, 10, 0, ""},
    {4, "Rev. Time", 2, 1, 10, 50, 1, "sec"},
    {4, "Rev. Delay", 1, 1, 0, 250, 1, "ms"},
    {4, "Rev. Level", 1, 1, 0, 100, 1, "%"},
    {5, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {5, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {5, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {5, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {5, "(P.)Liveness", 1, 0, 0, 10, 0, ""},
    {6, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {6, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {6, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {6, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {6, "(P.)Liveness", 1, 0, 0, 10, 0, ""},
    {6, "Rev. Time", 2, 1, 10, 50, 1, "sec"},
    {6, "Rev. Delay", 1, 1, 0, 250, 1, "ms"},
    {6, "Rev. Level", 1, 1, 0, 100, 1, "%"},
    {7, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {7, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {7, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {7, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {7, "(P.)Liveness", 1, 0, 0, 10, 0, ""},
    {8, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {8, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {8, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {8, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {8, "(P.)Liveness", 1, 0, 0, 10, 0, ""},
    {8, "Rev. Time", 2, 1, 10, 50, 1, "sec"},
    {8, "Rev. Delay", 1, 1, 0, 250, 1, "ms"},
    {8, "Rev. Level", 1, 1, 0, 100, 1, "%"},
    {9, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {9, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {9, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {9, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {9, "(P.)Liveness", 1, 0, 0, 10, 0, ""},
    {10, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {10, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {10, "Sur. Init. Delay", 5, 1, 1, 49, 1, "ms"},
    {10, "Sur. Room Size", 6, 1, 1, 20, 1, ""},
    {10, "Sur. Liveness", 5, 0, 0, 10, 0, ""},
    {10, "SB. Init. Delay", 7, 1, 1, 49, 1, "ms"},
    {10, "SB. Room Size", 8, 1, 1, 20, 1, ""},
    {10, "SB. Liveness", 7, 0, 0, 10, 0, ""},
    {10, "Decode Type", 9, 11, 0, 1, 0, ""},
    {10, "PLIIx Movie", 11, 0, 0, 0, 0, ""},
    {10, "Neo:6 Cinema", 11, 0, 0, 0, 0, ""},
    {11, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {11, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {11, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {11, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {11, "Sur. Init. Delay", 5, 1, 1, 49, 1, "ms"},
    {11, "Sur. Room Size", 6, 1, 1, 20, 1, ""},
    {11, "SB. Init. Delay", 7, 1, 1, 49, 1, "ms"},
    {11, "SB. Room Size", 8, 1, 1, 20, 1, ""},
    {11, "Decode Type", 9, 11, 0, 1, 0, ""},
    {12, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {12, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {12, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {12, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {12, "Sur. Init. Delay", 5, 1, 1, 49, 1, "ms"},
    {12, "Sur. Room Size", 6, 1, 1, 20, 1, ""},
    {12, "SB. Init. Delay", 7, 1, 1, 49, 1, "ms"},
    {12, "SB. Room Size", 8, 1, 1, 20, 1, ""},
    {12, "Decode Type", 9, 11, 0, 1, 0, ""},
    {13, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {13, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {13, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {13, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {13, "Sur. Init. Delay", 5, 1, 1, 49, 1, "ms"},
    {13, "Sur. Room Size", 6, 1, 1, 20, 1, ""},
    {13, "SB. Init. Delay", 7, 1, 1, 49, 1, "ms"},
    {13, "SB. Room Size", 8, 1, 1, 20, 1, ""},
    {13, "Decode Type", 9, 11, 0, 1, 0, ""},
    {14, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {14, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {14, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {14, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {14, "Sur. Init. Delay", 5, 1, 1, 49, 1, "ms"},
    {14, "Sur. Room Size", 6, 1, 1, 20, 1, ""},
    {14, "SB. Init. Delay", 7, 1, 1, 49, 1, "ms"},
    {14, "SB. Room Size", 8, 1, 1, 20, 1, ""},
    {14, "Decode Type", 9, 11, 0, 1, 0, ""},
    {15, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {15, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {15, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {15, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {15, "(P.)Liveness", 1, 0, 0, 10, 0, ""},
    {15, "Rev. Time", 2, 1, 10, 50, 1, "sec"},
    {15, "Rev. Delay", 1, 1, 0, 250, 1, "ms"},
    {15, "Rev. Level", 1, 1, 0, 100, 1, "%"},
    {16, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {16, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {16, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {16, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {16, "Sur. Init. Delay", 5, 1, 1, 49, 1, "ms"},
    {16, "Sur. Room Size", 6, 1, 1, 20, 1, ""},
    {16, "SB. Init. Delay", 7, 1, 1, 49, 1, "ms"},
    {16, "SB. Room Size", 8, 1, 1, 20, 1, ""},
    {17, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {17, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {17, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {17, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {17, "Sur. Init. Delay", 5, 1, 1, 49, 1, "ms"},
    {17, "Sur. Room Size", 6, 1, 1, 20, 1, ""},
    {17, "SB. Init. Delay", 7, 1, 1, 49, 1, "ms"},
    {17, "SB. Room Size", 8, 1, 1, 20, 1, ""},
    {18, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {18, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {18, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {18, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {18, "Sur. Init. Delay", 5, 1, 1, 49, 1, "ms"},
    {18, "Sur. Room Size", 6, 1, 1, 20, 1, ""},
    {18, "SB. Init. Delay", 7, 1, 1, 49, 1, "ms"},
    {18, "SB. Room Size", 8, 1, 1, 20, 1, ""},
    {19, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {19, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {19, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {19, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {19, "Sur. Init. Delay", 5, 1, 1, 49, 1, "ms"},
    {19, "Sur. Room Size", 6, 1, 1, 20, 1, ""},
    {19, "SB. Init. Delay", 7, 1, 1, 49, 1, "ms"},
    {19, "SB. Room Size", 8, 1, 1, 20, 1, ""},
    {20, "DSP Level", 1, 0, -6, 3, 0, "dB"},
    {20, "Dialogue Lift", 1, 0, 0, 5, 0, ""},
    {20, "(P.)Init. Delay", 1, 1, 1, 99, 1, "ms"},
    {20, "(P.)Room Size", 2, 1, 1, 20, 1, ""},
    {20, "Sur. Init. Delay", 5, 1, 1, 49, 1, "ms"},
    {20, "Sur. Room Size", 6, 1, 1, 20, 1, ""},
    {20, "SB. Init. Delay", 7, 1, 1, 49, 1, "ms"},
    {20, "SB. Room Size", 8, 1, 1, 20, 1, ""},
    {21, "Decode Type", 9, 10, 0, 8, 0, ""},
    {21, "Panorama", 13, 0, 0, 1, 0, ""},
    {21, "Center Width", 14, 0, 0, 7, 0, ""},
    {21, "Dimension", 15, 0, -3, 3, 0, ""},
    {21, "C. Image", 16, 0, 0, 10, 0, ""},
    {21, "Focus Level", 17, 0, 0, 8, 0, ""},
    {21, "TruBass Level", 18, 0, 0, 8, 0, ""},
    {21, "EXTD Surround", 9, 12, 0, 6, 0, ""},
    {21, "Pro Logic", 10, 0, 0, 0, 0, ""},
    {21, "PLIIx Movie", 10, 0, 0, 0, 0, ""},
    {21, "PLIIx Music", 10, 0, 0, 0, 0, ""},
    {21, "PLIIx Game", 10, 0, 0, 0, 0, ""},
    {21, "Neo:6 Cinema", 10, 0, 0, 0, 0, ""},
    {21, "Neo:6 Music", 10, 0, 0, 0, 0, ""},
    {21, "CSII Cinema", 10, 0, 0, 0, 0, ""},
    {21, "CSII Music", 10, 0, 0, 0, 0, ""},
    {21, "Neural THX", 10, 0, 0, 0, 0, ""},
    {21, "Auto", 12, 0, 0, 0, 0, ""},
    {21, "PLIIx Movie", 12, 0, 0, 0, 0, ""},
    {21, "PLIIx Music", 12, 0, 0, 0, 0, ""},
    {21, "EX/ES", 12, 0, 0, 0, 0, ""},
    {21, "EX", 12, 0, 0, 0, 0, ""},
    {21, "Neural THX", 12, 0, 0, 0, 0, ""},
    {21, "Off", 12, 0, 0, 0, 0, ""},
    {22, "Direct", 19, 0, 0, 1, 0, ""},
    {23, "CT LEVEL", 1, 1, 0, 100, 1, "%"},
    {23, "SL LEVEL", 1, 1, 0, 100, 1, "%"},
    {23, "SR LEVEL", 1, 1, 0, 100, 1, "%"},
    {23, "SB1 LEVEL", 1, 1, 0, 100, 1, "%"},
    {23, "SB2 LEVEL", 1, 1, 0, 100, 1, "%"},
    {23, "PL LEVEL", 1, 1, 0, 100, 1, "%"},
    {23, "PR LEVEL", 1, 1, 0, 100, 1, "%"},
    {24, "Effect Level", 20, 0, 0, 1, 0, ""},
    {25, "Effect Level", 20, 0, 0, 1, 0, ""},
    {-1, "", 0, 0, 0, 0, 0, ""},
}};

// The receiver's codes of the Decode Type, by position in its list.
constexpr std::array<std::string_view, 9> kDecoderCodes = {"00", "06", "07", "08", "04",
                                                           "05", "09", "0A", "0B"};
constexpr std::array<std::string_view, 2> kCinemaDecoderCodes = {"06", "04"};

constexpr std::array<DspParameterAddress, 32> kAddresses = {{
    {"DSP Level", 0, "0E0", 6, {}},
    {"Dialogue Lift", 0, "1C0", 0, {}},
    {"(P.)Init. Delay", 0, "000", 0, {}},
    {"(P.)Room Size", 0, "010", 0, {}},
    {"(P.)Liveness", 0, "020", 0, {}},
    {"Rev. Time", 0, "0B0", 0, {}},
    {"Rev. Delay", 0, "0C0", 0, {}},
    {"Rev. Level", 0, "0D0", 0, {}},
    {"Sur. Init. Delay", 0, "052", 0, {}},
    {"Sur. Room Size", 0, "062", 0, {}},
    {"Sur. Liveness", 0, "072", 0, {}},
    {"SB. Init. Delay", 0, "085", 0, {}},
    {"SB. Room Size", 0, "095", 0, {}},
    {"SB. Liveness", 0, "0A5", 0, {}},
    {"Decode Type", 11, "1B0", 0, kCinemaDecoderCodes},
    {"Decode Type", 10, "1B0", 0, kDecoderCodes},
    {"Panorama", 0, "0F0", 0, {}},
    {"Center Width", 0, "110", 0, {}},
    {"Dimension", 0, "100", 3, {}},
    {"C. Image", 0, "120", 0, {}},
    {"Focus Level", 0, "200", 0, {}},
    {"TruBass Level", 0, "220", 0, {}},
    {"EXTD Surround", 0, "260", 0, {}},
    {"Direct", 0, "240", 0, {}},
    {"CT LEVEL", 0, "130", 0, {}},
    {"SL LEVEL", 0, "140", 0, {}},
    {"SR LEVEL", 0, "160", 0, {}},
    {"SB1 LEVEL", 0, "150", 0, {}},
    {"SB2 LEVEL", 0, "190", 0, {}},
    {"PL LEVEL", 0, "170", 0, {}},
    {"PR LEVEL", 0, "180", 0, {}},
    // "0" and one hex digit: for 0 and 1 the same as "%02X".
    {"Effect Level", 0, "250", 0, {}},
}};

std::vector<std::string> CollectWords(int kind) {
  std::vector<std::string> words;
  for (const DspParameterRow& row : DspParameterRows()) {
    if (row.kind == kind) words.emplace_back(row.name);
  }
  return words;
}

}  // namespace

std::span<const DspParameterRow> DspParameterRows() {
  return std::span<const DspParameterRow>(kRows.data(), kRows.size() - 1);
}

const std::vector<std::string>& DspChoiceList(int list) {
  static const std::vector<std::string> decoder = CollectWords(kDspDecoderWord);
  static const std::vector<std::string> cinema = CollectWords(kDspCinemaWord);
  static const std::vector<std::string> extd = CollectWords(kDspExtdWord);
  static const std::vector<std::string> none;
  switch (list) {
    case kDspDecoderWord:
      return decoder;
    case kDspCinemaWord:
      return cinema;
    case kDspExtdWord:
      return extd;
    default:
      return none;
  }
}

const DspParameterAddress* FindDspParameterAddress(std::string_view name, int list) {
  for (const DspParameterAddress& address : kAddresses) {
    if (address.name == name && (address.list == 0 || address.list == list)) return &address;
  }
  return nullptr;
}

}  // namespace qamp
