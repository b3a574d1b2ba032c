// The read-request table: every value the initial load and the Upload read
// from the receiver, in order, with the beginning of the answer to expect.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace qamp {

enum ReadRequestFlag : uint8_t {
  kReadInInitialLoad = 0x01,
  kReadInUpload = 0x02,         // the Upload reads every row with 0x01 or 0x02
  kReadPerSystemMemory = 0x04,  // read again for each system memory in the Upload
  kInputSelection = 0x08,       // the answer may also be the input report
  kNeedsZone2 = 0x10,           // model flag A
  kNeedsZone3 = 0x20,           // model flag B
  kNeedsModelFlagC = 0x40,      // model flag C (XM)
  kTriggerParameter = 0x80,     // a parameter-error answer is accepted
};

struct ReadRequestRow {
  // The frame to send: an extended read request stored as DC4 and its body
  // (checksum and ETX are added when it is sent), or a complete standard
  // command STX ... ETX.
  std::string_view request;
  std::string_view reply1;
  std::string_view reply2;  // empty: only reply1 is accepted
  uint8_t flags;
  int8_t programGroup;  // -1, or the DSP program 0..25 whose parameter the row reads
};

inline constexpr int kReadRequestRows = 569;
// The table ends with an empty row, which ends the initial load.
extern const std::array<ReadRequestRow, kReadRequestRows + 1> kReadRequestTable;

// Rows with a meaning of their own.
inline constexpr int kRegionRow = 0;
inline constexpr int kModelFlagARow = 1;
inline constexpr int kModelFlagBRow = 2;
inline constexpr int kModelFlagCRow = 3;
inline constexpr int kModelFlagDRow = 4;
inline constexpr int kFirstDataExistsRow = 5;  // rows 5..10: system memories 1..6
inline constexpr int kLastDataExistsRow = 10;
inline constexpr int kFirstInputSelectionRow = 11;
inline constexpr int kConnectionCheckRow = 568;
// The progress range of the initial load.
inline constexpr int kInitialLoadProgressTotal = 570;

}  // namespace qamp
