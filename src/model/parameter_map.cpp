#include "model/parameter_map.h"

#include <array>

namespace qamp {

namespace {

struct GroupRange {
  ParamId first;
  ParamId last;
  GroupKind kind;
};

constexpr std::array kGroups = {
    GroupRange{1, 11, GroupKind::kBasic},
    GroupRange{12, 27, GroupKind::kZone},
    GroupRange{28, 198, GroupKind::kDspParam},
    GroupRange{199, 228, GroupKind::kInputDsp},
    GroupRange{229, 242, GroupKind::kInputName},
    GroupRange{243, 258, GroupKind::kIoAssign},
    GroupRange{259, 268, GroupKind::kSpeakerLevel},
    GroupRange{269, 279, GroupKind::kSpeakerDistance},
    GroupRange{280, 299, GroupKind::kSoundOption},
    GroupRange{300, 375, GroupKind::kTrigger},
    GroupRange{376, 393, GroupKind::kVolume},
    GroupRange{394, 403, GroupKind::kGeq},
    GroupRange{404, 425, GroupKind::kPeq},
    GroupRange{426, 434, GroupKind::kSpeakerSet},
    GroupRange{435, 475, GroupKind::kTunerPreset},
    GroupRange{476, 515, GroupKind::kXmPreset},
    GroupRange{516, 528, GroupKind::kDisplay},
    GroupRange{529, 531, GroupKind::kMisc},
    GroupRange{532, 535, GroupKind::kOther},
    GroupRange{536, 548, GroupKind::kAdvanced},
    GroupRange{549, 556, GroupKind::kIPod},
};

// A run maps IDs first..last to consecutive words, counting up from
// firstWord (step +1) or down (step -1).
struct WordRun {
  ParamId first;
  ParamId last;
  int firstWord;
  int step;
};

constexpr std::array kWordRuns = {
    // BasicGroup
    WordRun{1, 11, 1, 1},
    // ZoneGroup: the volume and mute words of each zone are crossed.
    WordRun{12, 14, 12, 1},
    WordRun{15, 15, 16, 1},
    WordRun{16, 16, 15, 1},
    WordRun{17, 19, 17, 1},
    WordRun{20, 20, 21, 1},
    WordRun{21, 21, 20, 1},
    WordRun{22, 24, 22, 1},
    WordRun{25, 25, 26, 1},
    WordRun{26, 26, 25, 1},
    WordRun{27, 27, 27, 1},
    // DspParamGroup, with the words of parameters a program does not list skipped.
    WordRun{28, 45, 28, 1},
    WordRun{46, 52, 47, 1},
    WordRun{53, 89, 55, 1},
    WordRun{90, 100, 95, 1},
    WordRun{101, 102, 107, 1},
    WordRun{103, 104, 110, 1},
    WordRun{105, 109, 113, 1},
    WordRun{110, 111, 119, 1},
    WordRun{112, 113, 122, 1},
    WordRun{114, 118, 125, 1},
    WordRun{119, 120, 131, 1},
    WordRun{121, 122, 134, 1},
    WordRun{123, 127, 137, 1},
    WordRun{128, 128, 143, 1},
    WordRun{129, 129, 146, 1},
    WordRun{130, 130, 144, 1},
    WordRun{131, 131, 147, 1},
    WordRun{132, 144, 149, 1},
    WordRun{145, 146, 163, 1},
    WordRun{147, 148, 166, 1},
    WordRun{149, 152, 169, 1},
    WordRun{153, 154, 174, 1},
    WordRun{155, 156, 177, 1},
    WordRun{157, 160, 180, 1},
    WordRun{161, 162, 185, 1},
    WordRun{163, 164, 188, 1},
    WordRun{165, 168, 191, 1},
    WordRun{169, 170, 196, 1},
    WordRun{171, 172, 199, 1},
    WordRun{173, 176, 202, 1},
    WordRun{177, 178, 207, 1},
    WordRun{179, 180, 210, 1},
    WordRun{181, 186, 214, 1},
    WordRun{187, 187, 213, 1},
    WordRun{188, 198, 220, 1},
    // InputDspGroup: records 0..7 are IDs 199..214; 215 and 216 name no
    // record; records 8..13 are IDs 217..228.
    WordRun{199, 214, 231, 1},
    WordRun{217, 228, 247, 1},
    // IoAssignGroup
    WordRun{243, 258, 294, 1},
    // SpeakerLevelGroup
    WordRun{259, 259, 318, 1},
    WordRun{260, 260, 319, 1},
    WordRun{261, 268, 317, -1},
    // SpeakerDistanceGroup: ID n at word 599 - n.
    WordRun{269, 279, 330, -1},
    // SoundOptionGroup
    WordRun{280, 281, 331, 1},
    WordRun{282, 282, 334, 1},
    WordRun{283, 283, 333, 1},
    WordRun{284, 285, 335, 1},
    WordRun{286, 286, 338, 1},
    WordRun{287, 287, 337, 1},
    WordRun{288, 294, 339, 1},
    WordRun{295, 295, 350, 1},
    WordRun{296, 297, 348, 1},
    WordRun{298, 299, 346, 1},
    // TriggerGroup
    WordRun{300, 300, 388, 1},
    WordRun{301, 337, 351, 1},
    WordRun{338, 338, 426, 1},
    WordRun{339, 375, 389, 1},
    // VolumeGroup
    WordRun{376, 389, 440, -1},
    WordRun{390, 393, 441, 1},
    // GeqGroup words outside the records
    WordRun{402, 402, kGeqMiraWord, 1},
    WordRun{403, 403, kGeqTypeWord, 1},
    // SpeakerSetGroup
    WordRun{426, 430, 747, 1},
    WordRun{431, 432, 754, 1},
    WordRun{433, 434, 752, 1},
    // XmPresetGroup
    WordRun{476, 515, 859, 1},
    // DisplayGroup: 522..524 name no word.
    WordRun{516, 517, 902, 1},
    WordRun{518, 518, 905, 1},
    WordRun{519, 519, 904, 1},
    WordRun{520, 521, 906, 1},
    WordRun{525, 526, 900, 1},
    WordRun{527, 528, 911, 1},
    // MiscGroup and OtherGroup
    WordRun{529, 531, 913, 1},
    WordRun{532, 535, 916, 1},
    // AdvancedGroup: 546 and 547 name no word.
    WordRun{536, 536, 929, 1},
    WordRun{537, 545, 920, 1},
    WordRun{548, 548, 930, 1},
    // IPodGroup numbers: 554 names no word.
    WordRun{549, 553, 931, 1},
};

ParamLocation TextLocation(int firstWord, int byteOffset, int width) {
  ParamLocation location;
  location.type = ParamLocation::Type::kText;
  location.word = firstWord;
  location.byteOffset = byteOffset;
  location.width = width;
  return location;
}

// Band b of a Parametric EQ record occupies record words 1+3b, 2+3b, 3+3b;
// the frequency IDs of bands 4 and 5 (zero-based) are crossed: 409 names
// band 5 and 410 band 4.
int PeqRecordOffset(ParamId id) {
  if (id == kPeqKeyId) return 0;
  if (id >= 405 && id <= 411) {
    int band = id - 405;
    if (id == 409) band = 5;
    if (id == 410) band = 4;
    return 1 + 3 * band;
  }
  if (id >= 412 && id <= 418) return 2 + 3 * (id - 412);
  if (id >= 419 && id <= 425) return 3 + 3 * (id - 419);
  return -1;
}

}  // namespace

GroupKind GroupOf(ParamId id) {
  for (const GroupRange& group : kGroups) {
    if (id >= group.first && id <= group.last) return group.kind;
  }
  return GroupKind::kNone;
}

ParamLocation LocateParam(ParamId id) {
  ParamLocation location;
  if (id >= 229 && id <= 242) {
    // Input names follow the list order, except that ID 237 names field 9
    // and ID 238 field 8.
    int field = id - 229;
    if (id == 237) field = 9;
    if (id == 238) field = 8;
    return TextLocation(kInputNameFirstWord, kInputNameWidth * field, kInputNameWidth);
  }
  if (id >= 435 && id <= 475) {
    const int field = id == 435 ? 40 : id - 436;
    return TextLocation(kTunerPresetFirstWord, kTunerPresetWidth * field, kTunerPresetWidth);
  }
  if (id == 555) return TextLocation(kIPodPlayInfoWord, 0, kIPodPlayInfoWidth);
  if (id == 556) return TextLocation(kIPodListInfoWord, 0, kIPodListInfoWidth);
  if (id >= kGeqKeyId && id <= 401) {
    location.type = ParamLocation::Type::kGeqRecord;
    location.recordOffset = id - kGeqKeyId;
    return location;
  }
  if (id >= kPeqKeyId && id <= 425) {
    location.type = ParamLocation::Type::kPeqRecord;
    location.recordOffset = PeqRecordOffset(id);
    return location;
  }
  for (const WordRun& run : kWordRuns) {
    if (id >= run.first && id <= run.last) {
      location.type = ParamLocation::Type::kWord;
      location.word = run.firstWord + run.step * (id - run.first);
      return location;
    }
  }
  return location;
}

int RecordWord(ParamId id, int record) {
  if (record < 0 || record >= kKeyedRecordCount) return -1;
  const ParamLocation location = LocateParam(id);
  if (location.type == ParamLocation::Type::kGeqRecord) {
    return kGeqFirstRecordWord + kGeqRecordWords * record + location.recordOffset;
  }
  if (location.type == ParamLocation::Type::kPeqRecord) {
    return kPeqFirstRecordWord + kPeqRecordWords * record + location.recordOffset;
  }
  return -1;
}

}  // namespace qamp
