// What the program knows the receiver holds: every image slot as it was
// read by an Upload (or written by a Download that completed), which
// memories hold data, the region and model flags, and the configuration
// report the receiver sent at that connection. A Download compares the
// report the receiver sends at its own connection with this state to tell
// whether the receiver was changed behind the program's back; only then
// can it send just what differs.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "link/comm_class.h"
#include "model/ini_file.h"

namespace qamp {

struct ReceiverState {
  enum class Source { kUpload, kDownload, kVerifiedDownload };

  std::array<CSettingImage, kImageSlots> images{};
  std::array<bool, kImageSlots> dataExists{};
  int regionCode = kDefaultRegionCode;
  ModelFlags flags;
  // The configuration report as the receiver sent it (the whole frame),
  // or empty when the state was not read at a connection.
  std::string report;
  Source source = Source::kUpload;

  bool operator==(const ReceiverState& other) const;
};

// The state of a link that has just read or written everything.
ReceiverState StateOf(const CCommClass& link, ReceiverState::Source source);

// Whether a configuration report tells the same values as `image` holds:
// every value the report carries, stored into a copy of the image, leaves
// the copy as it was. A report that is not a configuration report agrees
// with nothing.
bool ReportAgrees(std::string_view report, const CSettingImage& image);

// The values of `report` that differ from `image`, as parameter IDs, in
// report order (for the message that says why a Download sends everything).
std::vector<ParamId> ReportDifferences(std::string_view report, const CSettingImage& image);

// Files keep the state in a section of its own, which readers that do not
// know it pass over: each image slot as rows of hexadecimal words, the
// report as hexadecimal bytes, and the flags.
inline constexpr std::string_view kReceiverStateSection = "Receiver State";
void WriteReceiverState(IniFile& file, const ReceiverState& state);
// Nothing when the file has no state or one that is damaged in any way (a
// state that is only partly right would make a Download skip what it must
// send).
std::optional<ReceiverState> ReadReceiverState(const IniFile& file);

}  // namespace qamp
