// The report decoding table: every report and extended reply the receiver
// sends is turned into (parameter ID, value) pairs by one constant table.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/parameter_map.h"

namespace qamp {

struct CodeTable {
  const std::string_view* codes;
  int count;
};

// How a descriptor obtains its value.
enum class Conversion : int16_t {
  kHex = 0,            // the characters as a hexadecimal number
  kCode = 1,           // position of the characters in the code table
  kScaled = 2,         // hex times factor (when 2 or more) minus offset
  kText = 3,           // the characters as text, at most 20
  kTimes5Minus60 = 4,  // tenths of a dB
  kTimes5Minus200 = 5,
  kConstant = 6,        // a constant, no characters read
  kFrequencyIndex = 7,  // (hex - 12) / 2, truncated toward zero
  kTimes5Minus995 = 8,
  kListedOnly = 9,  // the ID is listed without a value
  kTimes5Minus75 = 10,
  kMinus10 = 11,
  kPlayInfoText = 13,  // iPod texts
  kListInfoText = 14,
  kIPodStandbyCharge = 15,  // iPod constants, 15..19
  kIPodRepeat = 16,
  kIPodShuffle = 17,
  kIPodPlayInfoOutput = 18,
  kIPodListInfoOutput = 19,
};

struct Descriptor {
  int16_t id = 0;
  GroupKind kind = GroupKind::kNone;
  Conversion conversion = Conversion::kHex;
  int16_t position = 0;  // the constant itself for conversions 6 and 15..19
  int16_t width = 0;
  int16_t offset = 0;                // conversion 2
  int16_t factor = 0;                // conversion 2
  const CodeTable* table = nullptr;  // conversion 1
};

inline constexpr int kMaxDescriptors = 4;

struct DecodingRow {
  std::string_view prefix;  // control byte, then the report code or reply header and address
  int count = 0;
  std::array<Descriptor, kMaxDescriptors> descriptors{};
};

inline constexpr int kDecodingRowCount = 677;
extern const std::array<DecodingRow, kDecodingRowCount> kReportDecodingTable;

// The code table a conversion-1 descriptor of this parameter uses, or null.
const CodeTable* CodeTableOf(int paramId);

}  // namespace qamp
