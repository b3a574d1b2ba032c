// Room EQ Wizard filter files for the parametric equaliser: what Room EQ
// Wizard's "Filter Settings" text export holds, read and written for one
// channel at a time, and the rounding of its filters to the receiver's
// steps.
//
// The file, as read:
// - Lines end in LF or CR LF. Blank lines are ignored anywhere.
// - Until the first filter line comes a free header (Room EQ Wizard writes
//   "Filter Settings file", its version, the date, notes and the
//   equaliser); any printable text is taken there and not used. A line with
//   a control character is refused.
// - A filter line is "Filter", its number and a colon, "ON" or "OFF", the
//   type, then "Fc" with the frequency and "Hz", "Gain" with the gain and
//   "dB", and "Q" with the Q, separated by blanks and in any order:
//       Filter  1: ON  PK       Fc   100.0 Hz  Gain  -3.0 dB  Q  2.000
//   Words compare without regard to case. Numbers are decimals with a
//   point ("-3.25", "1000"); a thousands separator is refused.
// - A filter that is OFF, or of type "None", is an unused slot: it is
//   skipped and counts for nothing. A filter that is ON must be a peaking
//   filter ("PK") with a frequency and a Q above zero and a gain; other
//   types (shelves, passes, notches) are refused, since the receiver has
//   peaking bands only.
// - After the first filter line every line must be a filter line.
// - A file without any filter line is refused.
// Every refusal names the line.
//
// The file, as written: "Filter Settings file", a line naming the program
// and one naming the channel, "Equaliser: Generic", then one "ON PK" line
// per band of the channel in the layout above, the frequency with one
// decimal, the gain with one and the Q with three.
//
// Rounding: each ON filter goes into the next band, in file order. Its
// frequency goes to the nearest of the receiver's 25 steps and its Q to the
// nearest of 14 (nearest on a logarithmic scale, as the steps are spaced; a
// value exactly between two goes to the higher), its gain to the nearest
// 0.5 dB (exactly between two: the one nearer 0 dB, the milder setting).
// Values beyond the lowest or highest step take that step. Bands the file
// leaves without a filter are set to 0.0 dB with their frequency and Q
// kept. More filters than the channel has bands are refused.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qamp {

class CPEQSetPage;

// One ON peaking filter as the file gives it.
struct RewFilter {
  int line = 0;    // 1-based line of the file
  int number = 0;  // the filter's own number
  double frequency = 0.0;
  double gainDb = 0.0;
  double q = 0.0;
};

struct RewFilterFile {
  std::vector<RewFilter> filters;
  std::string error;  // empty when the file was read
};

RewFilterFile ParseRewFilters(std::string_view text);

// One band as the receiver holds it: step indices and the gain in tenths
// of a decibel.
struct PeqSetting {
  int frequencyIndex = 0;
  int qIndex = 0;
  int gain = 0;
  bool operator==(const PeqSetting&) const = default;
};

// The filters rounded to the receiver's steps: the settings of the bands
// in order (`bandCount` of them, the ones without a filter at 0.0 dB and
// the frequency and Q of `current`), what was rounded or clamped (one line
// per band), or why the file cannot be taken.
struct PeqImport {
  std::vector<PeqSetting> bands;
  std::vector<std::string> rounded;
  std::string error;
};
PeqImport RoundToReceiver(const RewFilterFile& file, const std::vector<PeqSetting>& current,
                          const std::string& channel);

std::string WriteRewFilters(const std::string& channel, const std::vector<PeqSetting>& bands);

// The bands of the page's selected channel (the Subwoofer's two), as its
// controls show them.
std::vector<PeqSetting> ShownParametricBands(const CPEQSetPage& page);
// The name of the page's selected channel.
std::string ShownParametricChannel(const CPEQSetPage& page);
// Stores `bands` into the page's selected channel through its controls, as
// a person choosing and dragging would, so that the page decides and sends
// as it does for them. Controls already showing the value are left alone.
void ApplyParametricBands(CPEQSetPage& page, const std::vector<PeqSetting>& bands);

}  // namespace qamp
