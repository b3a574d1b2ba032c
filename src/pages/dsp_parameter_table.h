// The rows of the DSP Parameters page: every parameter that a sound program
// shows, in program order, and the words of the three choice lists; then
// where each parameter lives on the receiver and how its value is written.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qamp {

// How a row's value is shown and read back, and which rows the Tri/Quad
// selection hides. Kinds 10, 11 and 12 are not parameters: each such row is
// one word of a choice list.
enum DspParameterKind : int {
  kDspNumber = 1,          // "%d" and the unit
  kDspTenths = 2,          // "%d.%d" and the unit
  kDspSurroundNumber = 5,  // a surround (Sur.) row shown as kind 1
  kDspSurroundTenths = 6,  // a surround row shown as kind 2
  kDspBackNumber = 7,      // a surround-back (SB.) row shown as kind 1
  kDspBackTenths = 8,      // a surround-back row shown as kind 2
  kDspChoice = 9,          // a word of choice list 10, 11 or 12
  kDspDecoderWord = 10,    // list 10: the Surround Decoder's Decode Type
  kDspCinemaWord = 11,     // list 11: the cinema programs' Decode Type
  kDspExtdWord = 12,       // list 12: EXTD Surround
  kDspOnOff = 13,          // Panorama
  kDspCenterWidth = 14,
  kDspDimension = 15,    // "STD" for 0
  kDspCenterImage = 16,  // "%d.%d" without unit
  kDspFocusLevel = 17,
  kDspTruBassLevel = 18,
  kDspAutoOff = 19,  // Direct
  kDspHighLow = 20,  // Effect Level
};

struct DspParameterRow {
  int program;  // 0..25; -1 closes the table
  std::string_view name;
  int kind;
  int listOrStep;  // kind 9: the choice list; slider rows: the step
  int minimum;
  int maximum;
  int slider;  // 1 when the row is edited with a slider
  std::string_view unit;
};

// The 189 rows in table order, without the closing row.
std::span<const DspParameterRow> DspParameterRows();

// The words of choice list 10, 11 or 12 in table order; empty for others.
const std::vector<std::string>& DspChoiceList(int list);

// Where a parameter is written: the address suffix after the program's
// block, and the value digits. A parameter name means the same everywhere,
// except that the Decode Type of the Surround Decoder (list 10) and that of
// the cinema programs (list 11) speak different codes.
struct DspParameterAddress {
  std::string_view name;
  int list;  // the choice list this entry is for; 0 for any row of the name
  std::string_view suffix;
  int offset;                               // added to the stored value before "%02X"
  std::span<const std::string_view> codes;  // value digits by stored value, when not "%02X"
};

const DspParameterAddress* FindDspParameterAddress(std::string_view name, int list);

}  // namespace qamp
