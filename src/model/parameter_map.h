// Where each parameter ID lives in the settings image.
#pragma once

#include "model/setting_image.h"

namespace qamp {

// The group kinds also name the store operation that a decoded report uses.
enum class GroupKind : int {
  kNone = 0,
  kBasic = 1,
  kZone = 2,
  kDspParam = 3,
  kInputDsp = 4,  // never carried by a report
  kInputName = 5,
  kIoAssign = 6,
  kSpeakerLevel = 7,
  kSpeakerDistance = 8,
  kSoundOption = 9,
  kTrigger = 10,
  kVolume = 11,
  kGeq = 12,
  kPeq = 13,
  kSpeakerSet = 14,
  kTunerPreset = 15,
  kXmPreset = 16,
  kDisplay = 17,
  kMisc = 18,
  kOther = 19,
  kAdvanced = 20,
  kIPod = 21,
  kListedOnly = 22,  // values are listed (and may answer a command) but never stored
};

// Keyed record groups: the first word of a record is its key (a channel code).
inline constexpr int kKeyedRecordCount = 10;
inline constexpr bool IsKeyedRecord(int record) {
  return record >= 0 && record < kKeyedRecordCount;
}
inline constexpr int kGeqMiraWord = 445;
inline constexpr int kGeqTypeWord = 446;
inline constexpr int kGeqFirstRecordWord = 447;
inline constexpr int kGeqRecordWords = 8;
inline constexpr int kPeqFirstRecordWord = 527;
inline constexpr int kPeqRecordWords = 22;
inline constexpr ParamId kGeqKeyId = 394;
inline constexpr ParamId kPeqKeyId = 404;

// Text fields.
inline constexpr int kInputNameFirstWord = 259;
inline constexpr int kInputNameWidth = 10;
inline constexpr int kInputNameCount = 14;
inline constexpr int kTunerPresetFirstWord = 756;
inline constexpr int kTunerPresetWidth = 10;
inline constexpr int kTunerPresetCount = 41;  // 40 presets, then the current frequency
inline constexpr int kIPodPlayInfoWord = 937;
inline constexpr int kIPodPlayInfoWidth = 120;
inline constexpr int kIPodListInfoWord = 967;
inline constexpr int kIPodListInfoWidth = 84;

struct ParamLocation {
  enum class Type { kNone, kWord, kText, kGeqRecord, kPeqRecord };
  Type type = Type::kNone;
  int word = -1;         // kWord: the word; kText: the field's first word
  int byteOffset = 0;    // kText: offset of the field from `word`
  int width = 0;         // kText: field width in bytes, NUL included
  int recordOffset = 0;  // keyed records: the word inside each record (0 is the key)
};

GroupKind GroupOf(ParamId id);
ParamLocation LocateParam(ParamId id);

// Word of a keyed-record parameter in record `record` (0..9), or -1.
int RecordWord(ParamId id, int record);

}  // namespace qamp
