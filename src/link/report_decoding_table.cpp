// Generated from the receiver's report list, then reviewed; one row per line
// in table order. A longer prefix that must win over a shorter one it
// extends stands earlier.
#include "link/report_decoding_table.h"

namespace qamp {

namespace {

using K = GroupKind;

#define STX "\x02"
#define DC4 "\x14"

// parameter IDs 1
constexpr std::array<std::string_view, 13> kInputCodesData = {
    "00", "01", "02", "03", "04", "11", "05", "06", "0A", "09", "0C", "0E", "10"};
constexpr CodeTable kInputCodes{kInputCodesData.data(), 13};
// parameter IDs 2
constexpr std::array<std::string_view, 4> kAudioSelectCodesData = {"0", "8", "3", "4"};
constexpr CodeTable kAudioSelectCodes{kAudioSelectCodesData.data(), 4};
// parameter IDs 12, 17
constexpr std::array<std::string_view, 12> kZoneInputCodesData = {"0", "1", "2", "3", "4", "F",
                                                                  "5", "6", "A", "9", "C", "E"};
constexpr CodeTable kZoneInputCodes{kZoneInputCodesData.data(), 12};
// parameter IDs 427, 428, 526
constexpr std::array<std::string_view, 3> kLargeSmallNoneCodesData = {"2", "1", "0"};
constexpr CodeTable kLargeSmallNoneCodes{kLargeSmallNoneCodesData.data(), 3};
// parameter IDs 5
constexpr std::array<std::string_view, 7> kExtdSurroundCodesData = {"00", "03", "01", "04",
                                                                    "05", "06", "07"};
constexpr CodeTable kExtdSurroundCodes{kExtdSurroundCodesData.data(), 7};
// parameter IDs 300, 338
constexpr std::array<std::string_view, 4> kTriggerControlCodesData = {"01", "02", "03", "00"};
constexpr CodeTable kTriggerControlCodes{kTriggerControlCodesData.data(), 4};
// parameter IDs 527
constexpr std::array<std::string_view, 3> kOnScreenCodesData = {"3", "1", "2"};
constexpr CodeTable kOnScreenCodes{kOnScreenCodesData.data(), 3};
// parameter IDs 298, 299
constexpr std::array<std::string_view, 3> kDynamicRangeCodesData = {"00", "01", "02"};
constexpr CodeTable kDynamicRangeCodes{kDynamicRangeCodesData.data(), 3};
// parameter IDs 426, 430, 431
constexpr std::array<std::string_view, 2> kOneZeroCodesData = {"1", "0"};
constexpr CodeTable kOneZeroCodes{kOneZeroCodesData.data(), 2};
// parameter IDs 429
constexpr std::array<std::string_view, 5> kSurroundBackCodesData = {"4", "3", "2", "1", "0"};
constexpr CodeTable kSurroundBackCodes{kSurroundBackCodesData.data(), 5};
// parameter IDs 530
constexpr std::array<std::string_view, 9> kMultiChFrontCodesData = {"2", "3", "4", "F", "5",
                                                                    "6", "A", "9", "C"};
constexpr CodeTable kMultiChFrontCodes{kMultiChFrontCodesData.data(), 9};
// parameter IDs 531
constexpr std::array<std::string_view, 8> kMultiChBgvCodesData = {"F", "5", "6", "A",
                                                                  "9", "C", "1", "0"};
constexpr CodeTable kMultiChBgvCodes{kMultiChBgvCodesData.data(), 8};
// parameter IDs 24, 25
constexpr std::array<std::string_view, 11> kZoneMaxVolumeCodesData = {"A", "9", "8", "7", "6", "5",
                                                                      "4", "3", "2", "1", "0"};
constexpr CodeTable kZoneMaxVolumeCodes{kZoneMaxVolumeCodesData.data(), 11};
// parameter IDs 243, 244, 245, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255, 256, 257, 258
constexpr std::array<std::string_view, 14> kIoAssignCodesData = {
    "00", "01", "02", "03", "04", "11", "05", "06", "0A", "09", "0C", "0E", "10", "0F"};
constexpr CodeTable kIoAssignCodes{kIoAssignCodesData.data(), 14};
// parameter IDs 96, 105, 114, 123, 132
constexpr std::array<std::string_view, 2> kCinemaDecodeTypeCodesData = {"06", "04"};
constexpr CodeTable kCinemaDecodeTypeCodes{kCinemaDecodeTypeCodesData.data(), 2};
// parameter IDs 187
constexpr std::array<std::string_view, 9> kSurroundDecodeTypeCodesData = {
    "00", "06", "07", "08", "04", "05", "09", "0A", "0B"};
constexpr CodeTable kSurroundDecodeTypeCodes{kSurroundDecodeTypeCodesData.data(), 9};
// parameter IDs 188
constexpr std::array<std::string_view, 7> kSurroundExtdCodesData = {"00", "01", "02", "03",
                                                                    "04", "05", "06"};
constexpr CodeTable kSurroundExtdCodes{kSurroundExtdCodesData.data(), 7};
// parameter IDs 402
constexpr std::array<std::string_view, 4> kMiraPeqTypeCodesData = {"0", "1", "2", "4"};
constexpr CodeTable kMiraPeqTypeCodes{kMiraPeqTypeCodesData.data(), 4};

constexpr Descriptor Conv(int id, GroupKind kind, int conversion, int position, int width) {
  return {static_cast<int16_t>(id),
          kind,
          static_cast<Conversion>(conversion),
          static_cast<int16_t>(position),
          static_cast<int16_t>(width),
          0,
          0,
          nullptr};
}
constexpr Descriptor Code(int id, GroupKind kind, int position, int width, const CodeTable& table) {
  Descriptor d = Conv(id, kind, 1, position, width);
  d.table = &table;
  return d;
}
constexpr Descriptor Scaled(int id, GroupKind kind, int position, int width, int factor,
                            int offset) {
  Descriptor d = Conv(id, kind, 2, position, width);
  d.factor = static_cast<int16_t>(factor);
  d.offset = static_cast<int16_t>(offset);
  return d;
}
constexpr Descriptor Fixed(int id, GroupKind kind, int value) {
  return Conv(id, kind, 6, value, 0);
}
constexpr Descriptor Set(int id, GroupKind kind, int conversion, int value) {
  return Conv(id, kind, conversion, value, 0);
}
constexpr Descriptor NoValue(int id, GroupKind kind) {
  return Conv(id, kind, 9, 0, 0);
}

template <typename... Descriptors>
constexpr DecodingRow Row(std::string_view prefix, Descriptors... descriptors) {
  static_assert(sizeof...(descriptors) >= 1 && sizeof...(descriptors) <= kMaxDescriptors);
  return DecodingRow{prefix, static_cast<int>(sizeof...(descriptors)), {descriptors...}};
}

}  // namespace

// clang-format off
const std::array<DecodingRow, kDecodingRowCount> kReportDecodingTable = {{
    Row(STX "0021", Code(1, K::kBasic, 5, 2, kInputCodes)),  // 0
    Row(STX "00220", Fixed(3, K::kBasic, 0), Code(2, K::kBasic, 6, 1, kAudioSelectCodes)),  // 1
    Row(STX "00221", Fixed(3, K::kBasic, 1), Code(2, K::kBasic, 6, 1, kAudioSelectCodes)),  // 2
    Row(STX "00222", Fixed(3, K::kBasic, 2), Code(2, K::kBasic, 6, 1, kAudioSelectCodes)),  // 3
    Row(STX "0023", Conv(7, K::kBasic, 0, 5, 2)),  // 4
    Row(STX "00240", Code(12, K::kZone, 6, 1, kZoneInputCodes)),  // 5
    Row(STX "00250", Conv(16, K::kZone, 0, 6, 1)),  // 6
    Row(STX "002600", Fixed(6, K::kBasic, -805)),  // 7
    Row(STX "0026", Conv(6, K::kBasic, 8, 5, 2)),  // 8
    Row(STX "008C0", Conv(8, K::kBasic, 0, 6, 1)),  // 9
    Row(STX "002700", Fixed(15, K::kZone, -805)),  // 10
    Row(STX "0027", Conv(15, K::kZone, 8, 5, 2)),  // 11
    Row(STX "002800", Fixed(4, K::kBasic, 0)),  // 12
    Row(STX "002805", Fixed(4, K::kBasic, 1)),  // 13
    Row(STX "002807", Fixed(4, K::kBasic, 2)),  // 14
    Row(STX "002809", Fixed(4, K::kBasic, 3)),  // 15
    Row(STX "00280B", Fixed(4, K::kBasic, 4)),  // 16
    Row(STX "00280D", Fixed(4, K::kBasic, 5)),  // 17
    Row(STX "002811", Fixed(4, K::kBasic, 6)),  // 18
    Row(STX "00280F", Fixed(4, K::kBasic, 7)),  // 19
    Row(STX "002810", Fixed(4, K::kBasic, 8)),  // 20
    Row(STX "00280E", Fixed(4, K::kBasic, 9)),  // 21
    Row(STX "00282D", Fixed(4, K::kBasic, 10)),  // 22
    Row(STX "002824", Fixed(4, K::kBasic, 11)),  // 23
    Row(STX "002825", Fixed(4, K::kBasic, 12)),  // 24
    Row(STX "002828", Fixed(4, K::kBasic, 13)),  // 25
    Row(STX "002829", Fixed(4, K::kBasic, 14)),  // 26
    Row(STX "002820", Fixed(4, K::kBasic, 15)),  // 27
    Row(STX "002821", Fixed(4, K::kBasic, 16)),  // 28
    Row(STX "00281E", Fixed(4, K::kBasic, 17)),  // 29
    Row(STX "00281F", Fixed(4, K::kBasic, 18)),  // 30
    Row(STX "002818", Fixed(4, K::kBasic, 19)),  // 31
    Row(STX "00281C", Fixed(4, K::kBasic, 20)),  // 32
    Row(STX "00282C", Fixed(4, K::kBasic, 21)),  // 33
    Row(STX "002834", Fixed(4, K::kBasic, 22)),  // 34
    Row(STX "002817", Fixed(4, K::kBasic, 23)),  // 35
    Row(STX "002880", Fixed(4, K::kBasic, 26)),  // 36
    Row(STX "002844", Fixed(4, K::kBasic, 24)),  // 37
    Row(STX "002845", Fixed(4, K::kBasic, 25)),  // 38
    Row(STX "002B0", Code(526, K::kDisplay, 6, 1, kLargeSmallNoneCodes)),  // 39
    Row(STX "002D", Code(5, K::kBasic, 5, 2, kExtdSurroundCodes)),  // 40
    Row(STX "003A", Code(300, K::kTrigger, 5, 2, kTriggerControlCodes)),  // 41
    Row(STX "003B", Code(338, K::kTrigger, 5, 2, kTriggerControlCodes)),  // 42
    Row(STX "003E0", Conv(13, K::kZone, 0, 6, 1)),  // 43
    Row(STX "003F0", Conv(18, K::kZone, 0, 6, 1)),  // 44
    Row(STX "00AD", Conv(22, K::kZone, 0, 5, 2)),  // 45
    Row(STX "00AE", Conv(23, K::kZone, 0, 5, 2)),  // 46
    Row(STX "0040", Conv(260, K::kSpeakerLevel, 5, 5, 2)),  // 47
    Row(STX "0041", Conv(259, K::kSpeakerLevel, 5, 5, 2)),  // 48
    Row(STX "0042", Conv(261, K::kSpeakerLevel, 5, 5, 2)),  // 49
    Row(STX "0043", Conv(263, K::kSpeakerLevel, 5, 5, 2)),  // 50
    Row(STX "0044", Conv(262, K::kSpeakerLevel, 5, 5, 2)),  // 51
    Row(STX "0045", Conv(265, K::kSpeakerLevel, 5, 5, 2)),  // 52
    Row(STX "0046", Conv(264, K::kSpeakerLevel, 5, 5, 2)),  // 53
    Row(STX "0047", Conv(267, K::kSpeakerLevel, 5, 5, 2)),  // 54
    Row(STX "0048", Conv(266, K::kSpeakerLevel, 5, 5, 2)),  // 55
    Row(STX "0049", Conv(268, K::kSpeakerLevel, 5, 5, 2)),  // 56
    Row(STX "004B", Conv(289, K::kSoundOption, 11, 5, 2)),  // 57
    Row(STX "004C", Conv(290, K::kSoundOption, 11, 5, 2)),  // 58
    Row(STX "004D", Conv(291, K::kSoundOption, 11, 5, 2)),  // 59
    Row(STX "004E", Conv(292, K::kSoundOption, 11, 5, 2)),  // 60
    Row(STX "0051", Scaled(293, K::kSoundOption, 5, 2, 10, 200)),  // 61
    Row(STX "0052", Scaled(294, K::kSoundOption, 5, 2, 10, 200)),  // 62
    Row(STX "0053", Conv(297, K::kSoundOption, 0, 5, 2)),  // 63
    Row(STX "0056FF", Fixed(296, K::kSoundOption, 0)),  // 64
    Row(STX "0056", Conv(296, K::kSoundOption, 0, 5, 2)),  // 65
    Row(STX "00590", Conv(295, K::kSoundOption, 0, 6, 1)),  // 66
    Row(STX "005A0", Conv(393, K::kVolume, 0, 6, 1)),  // 67
    Row(STX "005B00", Fixed(392, K::kVolume, -810)),  // 68
    Row(STX "005B01", Fixed(392, K::kVolume, -805)),  // 69
    Row(STX "005B", Conv(392, K::kVolume, 8, 5, 2)),  // 70
    Row(STX "005C0", Conv(535, K::kOther, 0, 6, 1)),  // 71
    Row(STX "005D0", Conv(391, K::kVolume, 0, 6, 1)),  // 72
    Row(STX "006D0", Conv(390, K::kVolume, 0, 6, 1)),  // 73
    Row(STX "005F0", Conv(533, K::kOther, 0, 6, 1)),  // 74
    Row(STX "00600", Conv(532, K::kOther, 0, 6, 1)),  // 75
    Row(STX "008F0", Conv(534, K::kOther, 0, 6, 1)),  // 76
    Row(STX "00610", Scaled(525, K::kDisplay, 6, 1, 1, 4)),  // 77
    Row(STX "00690", Conv(516, K::kDisplay, 0, 6, 1)),  // 78
    Row(STX "00850", Conv(517, K::kDisplay, 0, 6, 1)),  // 79
    Row(STX "00870", Conv(520, K::kDisplay, 0, 6, 1)),  // 80
    Row(STX "00880", Conv(521, K::kDisplay, 0, 6, 1)),  // 81
    Row(STX "00620", Scaled(519, K::kDisplay, 6, 1, 1, 5)),  // 82
    Row(STX "00630", Conv(518, K::kDisplay, 0, 6, 1)),  // 83
    Row(STX "00930", Code(527, K::kDisplay, 6, 1, kOnScreenCodes)),  // 84
    Row(STX "00670", Conv(528, K::kDisplay, 0, 6, 1)),  // 85
    Row(STX "0064", Code(298, K::kSoundOption, 5, 2, kDynamicRangeCodes)),  // 86
    Row(STX "0065", Code(299, K::kSoundOption, 5, 2, kDynamicRangeCodes)),  // 87
    Row(STX "00660", Conv(14, K::kZone, 0, 6, 1)),  // 88
    Row(STX "006B0", Conv(19, K::kZone, 0, 6, 1)),  // 89
    Row(STX "00700", Code(427, K::kSpeakerSet, 6, 1, kLargeSmallNoneCodes)),  // 90
    Row(STX "00710", Code(426, K::kSpeakerSet, 6, 1, kOneZeroCodes)),  // 91
    Row(STX "00720", Code(428, K::kSpeakerSet, 6, 1, kLargeSmallNoneCodes)),  // 92
    Row(STX "00730", Code(429, K::kSpeakerSet, 6, 1, kSurroundBackCodes)),  // 93
    Row(STX "00740", Code(430, K::kSpeakerSet, 6, 1, kOneZeroCodes)),  // 94
    Row(STX "00750", Conv(432, K::kSpeakerSet, 0, 6, 1)),  // 95
    Row(STX "0076", Conv(434, K::kSpeakerSet, 0, 5, 1)),  // 96
    Row(STX "007B00", Fixed(529, K::kMisc, 0)),  // 97
    Row(STX "007B0", Code(530, K::kMisc, 6, 1, kMultiChFrontCodes), Fixed(529, K::kMisc, 1)),  // 98
    Row(STX "006F0", Code(531, K::kMisc, 6, 1, kMultiChBgvCodes)),  // 99
    Row(STX "007D0", Code(431, K::kSpeakerSet, 6, 1, kOneZeroCodes)),  // 100
    Row(STX "007E0", Conv(433, K::kSpeakerSet, 0, 6, 1)),  // 101
    Row(STX "00A00", Code(17, K::kZone, 6, 1, kZoneInputCodes)),  // 102
    Row(STX "00A10", Conv(21, K::kZone, 0, 6, 1)),  // 103
    Row(STX "00A200", Fixed(20, K::kZone, -805)),  // 104
    Row(STX "00A2", Conv(20, K::kZone, 8, 5, 2)),  // 105
    Row(STX "00A90", Code(24, K::kZone, 6, 1, kZoneMaxVolumeCodes)),  // 106
    Row(STX "00AA0", Code(25, K::kZone, 6, 1, kZoneMaxVolumeCodes)),  // 107
    Row(STX "00AB00", Fixed(26, K::kZone, -810)),  // 108
    Row(STX "00AB01", Fixed(26, K::kZone, -805)),  // 109
    Row(STX "00AB", Conv(26, K::kZone, 8, 5, 2)),  // 110
    Row(STX "00AC00", Fixed(27, K::kZone, -810)),  // 111
    Row(STX "00AC01", Fixed(27, K::kZone, -805)),  // 112
    Row(STX "00AC", Conv(27, K::kZone, 8, 5, 2)),  // 113
    Row(STX "00A80", Conv(280, K::kSoundOption, 0, 6, 1)),  // 114
    Row(STX "00B30", Conv(537, K::kAdvanced, 0, 6, 1)),  // 115
    Row(STX "00B70", Conv(536, K::kAdvanced, 0, 6, 1)),  // 116
    Row(STX "00B90", Conv(538, K::kAdvanced, 0, 6, 1)),  // 117
    Row(STX "00BD0", Conv(539, K::kAdvanced, 0, 6, 1)),  // 118
    Row(STX "00B10", Conv(540, K::kAdvanced, 0, 6, 1)),  // 119
    Row(STX "00B50", Conv(541, K::kAdvanced, 0, 6, 1)),  // 120
    Row(STX "00BA0", Conv(542, K::kAdvanced, 0, 6, 1)),  // 121
    Row(STX "00B40", Conv(544, K::kAdvanced, 0, 6, 1)),  // 122
    Row(STX "00BB0", Conv(545, K::kAdvanced, 0, 6, 1)),  // 123
    Row(STX "00BF0", Conv(548, K::kAdvanced, 0, 6, 1)),  // 124
    Row(STX "009600", Set(549, K::kIPod, 15, 0)),  // 125
    Row(STX "009601", Set(549, K::kIPod, 15, 1)),  // 126
    Row(STX "009700", Set(550, K::kIPod, 16, 0)),  // 127
    Row(STX "009701", Set(550, K::kIPod, 16, 1)),  // 128
    Row(STX "009702", Set(550, K::kIPod, 16, 2)),  // 129
    Row(STX "009800", Set(551, K::kIPod, 17, 0)),  // 130
    Row(STX "009801", Set(551, K::kIPod, 17, 1)),  // 131
    Row(STX "009802", Set(551, K::kIPod, 17, 2)),  // 132
    Row(STX "0030", NoValue(563, K::kListedOnly)),  // 133
    Row(STX "0031", NoValue(564, K::kListedOnly)),  // 134
    Row(STX "0032", NoValue(571, K::kListedOnly)),  // 135
    Row(STX "0033", NoValue(572, K::kListedOnly)),  // 136
    Row(STX "0037", NoValue(573, K::kListedOnly)),  // 137
    Row(STX "0038", NoValue(574, K::kListedOnly)),  // 138
    Row(STX "00A3", NoValue(575, K::kListedOnly)),  // 139
    Row(STX "00A4", NoValue(576, K::kListedOnly)),  // 140
    Row(STX "002000", Fixed(9, K::kBasic, 0), Fixed(10, K::kBasic, 0), Fixed(11, K::kBasic, 0)),  // 141
    Row(STX "002001", Fixed(9, K::kBasic, 1), Fixed(10, K::kBasic, 1), Fixed(11, K::kBasic, 1)),  // 142
    Row(STX "002002", Fixed(9, K::kBasic, 1), Fixed(10, K::kBasic, 0), Fixed(11, K::kBasic, 0)),  // 143
    Row(STX "002003", Fixed(9, K::kBasic, 0), Fixed(10, K::kBasic, 1), Fixed(11, K::kBasic, 1)),  // 144
    Row(STX "002004", Fixed(9, K::kBasic, 1), Fixed(10, K::kBasic, 1), Fixed(11, K::kBasic, 0)),  // 145
    Row(STX "002005", Fixed(9, K::kBasic, 1), Fixed(10, K::kBasic, 0), Fixed(11, K::kBasic, 1)),  // 146
    Row(STX "002006", Fixed(9, K::kBasic, 0), Fixed(10, K::kBasic, 1), Fixed(11, K::kBasic, 0)),  // 147
    Row(STX "002007", Fixed(9, K::kBasic, 0), Fixed(10, K::kBasic, 0), Fixed(11, K::kBasic, 1)),  // 148
    Row(STX "00A70", Conv(403, K::kGeq, 0, 6, 1)),  // 149
    Row(DC4 "2008010000", Code(246, K::kIoAssign, 11, 2, kIoAssignCodes)),  // 150
    Row(DC4 "2008010001", Code(247, K::kIoAssign, 11, 2, kIoAssignCodes)),  // 151
    Row(DC4 "2008010002", Code(248, K::kIoAssign, 11, 2, kIoAssignCodes)),  // 152
    Row(DC4 "2008010010", Code(253, K::kIoAssign, 11, 2, kIoAssignCodes)),  // 153
    Row(DC4 "2008010011", Code(254, K::kIoAssign, 11, 2, kIoAssignCodes)),  // 154
    Row(DC4 "2008010020", Code(249, K::kIoAssign, 11, 2, kIoAssignCodes)),  // 155
    Row(DC4 "2008010021", Code(250, K::kIoAssign, 11, 2, kIoAssignCodes)),  // 156
    Row(DC4 "2008010022", Code(251, K::kIoAssign, 11, 2, kIoAssignCodes)),  // 157
    Row(DC4 "2008010023", Code(252, K::kIoAssign, 11, 2, kIoAssignCodes)),  // 158
    Row(DC4 "2008010030", Code(243, K::kIoAssign, 11, 2, kIoAssignCodes)),  // 159
    Row(DC4 "2008010031", Code(244, K::kIoAssign, 11, 2, kIoAssignCodes)),  // 160
    Row(DC4 "2008010032", Code(245, K::kIoAssign, 11, 2, kIoAssignCodes)),  // 161
    Row(DC4 "2008010060", Code(255, K::kIoAssign, 11, 2, kIoAssignCodes)),  // 162
    Row(DC4 "2008010061", Code(256, K::kIoAssign, 11, 2, kIoAssignCodes)),  // 163
    Row(DC4 "2008010062", Code(257, K::kIoAssign, 11, 2, kIoAssignCodes)),  // 164
    Row(DC4 "2008010063", Code(258, K::kIoAssign, 11, 2, kIoAssignCodes)),  // 165
    Row(DC4 "2008012000", Conv(376, K::kVolume, 4, 11, 2)),  // 166
    Row(DC4 "2008012001", Conv(377, K::kVolume, 4, 11, 2)),  // 167
    Row(DC4 "2008012002", Conv(378, K::kVolume, 4, 11, 2)),  // 168
    Row(DC4 "2008012003", Conv(379, K::kVolume, 4, 11, 2)),  // 169
    Row(DC4 "2008012004", Conv(380, K::kVolume, 4, 11, 2)),  // 170
    Row(DC4 "2008012011", Conv(381, K::kVolume, 4, 11, 2)),  // 171
    Row(DC4 "2008012005", Conv(382, K::kVolume, 4, 11, 2)),  // 172
    Row(DC4 "2008012006", Conv(383, K::kVolume, 4, 11, 2)),  // 173
    Row(DC4 "2008012009", Conv(384, K::kVolume, 4, 11, 2)),  // 174
    Row(DC4 "200801200A", Conv(385, K::kVolume, 4, 11, 2)),  // 175
    Row(DC4 "200801200C", Conv(386, K::kVolume, 4, 11, 2)),  // 176
    Row(DC4 "2008012010", Conv(387, K::kVolume, 4, 11, 2)),  // 177
    Row(DC4 "200801200E", Conv(388, K::kVolume, 4, 11, 2)),  // 178
    Row(DC4 "2008012020", Conv(389, K::kVolume, 4, 11, 2)),  // 179
    Row(DC4 "200904000000", Conv(301, K::kTrigger, 0, 13, 1)),  // 180
    Row(DC4 "200904000001", Conv(304, K::kTrigger, 0, 13, 1)),  // 181
    Row(DC4 "200904000002", Conv(307, K::kTrigger, 0, 13, 1)),  // 182
    Row(DC4 "200904000003", Conv(310, K::kTrigger, 0, 13, 1)),  // 183
    Row(DC4 "200904000004", Conv(313, K::kTrigger, 0, 13, 1)),  // 184
    Row(DC4 "200904000005", Conv(316, K::kTrigger, 0, 13, 1)),  // 185
    Row(DC4 "200904000006", Conv(319, K::kTrigger, 0, 13, 1)),  // 186
    Row(DC4 "200904000009", Conv(325, K::kTrigger, 0, 13, 1)),  // 187
    Row(DC4 "20090400000A", Conv(328, K::kTrigger, 0, 13, 1)),  // 188
    Row(DC4 "20090400000C", Conv(331, K::kTrigger, 0, 13, 1)),  // 189
    Row(DC4 "200904000010", Conv(334, K::kTrigger, 0, 13, 1)),  // 190
    Row(DC4 "200904000011", Conv(322, K::kTrigger, 0, 13, 1)),  // 191
    Row(DC4 "20090400000E", Conv(335, K::kTrigger, 0, 13, 1)),  // 192
    Row(DC4 "200904000100", Conv(302, K::kTrigger, 0, 13, 1)),  // 193
    Row(DC4 "200904000101", Conv(305, K::kTrigger, 0, 13, 1)),  // 194
    Row(DC4 "200904000102", Conv(308, K::kTrigger, 0, 13, 1)),  // 195
    Row(DC4 "200904000103", Conv(311, K::kTrigger, 0, 13, 1)),  // 196
    Row(DC4 "200904000104", Conv(314, K::kTrigger, 0, 13, 1)),  // 197
    Row(DC4 "200904000105", Conv(317, K::kTrigger, 0, 13, 1)),  // 198
    Row(DC4 "200904000106", Conv(320, K::kTrigger, 0, 13, 1)),  // 199
    Row(DC4 "200904000109", Conv(326, K::kTrigger, 0, 13, 1)),  // 200
    Row(DC4 "20090400010A", Conv(329, K::kTrigger, 0, 13, 1)),  // 201
    Row(DC4 "20090400010C", Conv(332, K::kTrigger, 0, 13, 1)),  // 202
    Row(DC4 "20090400010E", Conv(336, K::kTrigger, 0, 13, 1)),  // 203
    Row(DC4 "200904000111", Conv(323, K::kTrigger, 0, 13, 1)),  // 204
    Row(DC4 "200904000200", Conv(303, K::kTrigger, 0, 13, 1)),  // 205
    Row(DC4 "200904000201", Conv(306, K::kTrigger, 0, 13, 1)),  // 206
    Row(DC4 "200904000202", Conv(309, K::kTrigger, 0, 13, 1)),  // 207
    Row(DC4 "200904000203", Conv(312, K::kTrigger, 0, 13, 1)),  // 208
    Row(DC4 "200904000204", Conv(315, K::kTrigger, 0, 13, 1)),  // 209
    Row(DC4 "200904000205", Conv(318, K::kTrigger, 0, 13, 1)),  // 210
    Row(DC4 "200904000206", Conv(321, K::kTrigger, 0, 13, 1)),  // 211
    Row(DC4 "200904000209", Conv(327, K::kTrigger, 0, 13, 1)),  // 212
    Row(DC4 "20090400020A", Conv(330, K::kTrigger, 0, 13, 1)),  // 213
    Row(DC4 "20090400020C", Conv(333, K::kTrigger, 0, 13, 1)),  // 214
    Row(DC4 "20090400020E", Conv(337, K::kTrigger, 0, 13, 1)),  // 215
    Row(DC4 "200904000211", Conv(324, K::kTrigger, 0, 13, 1)),  // 216
    Row(DC4 "200904001000", Conv(339, K::kTrigger, 0, 13, 1)),  // 217
    Row(DC4 "200904001001", Conv(342, K::kTrigger, 0, 13, 1)),  // 218
    Row(DC4 "200904001002", Conv(345, K::kTrigger, 0, 13, 1)),  // 219
    Row(DC4 "200904001003", Conv(348, K::kTrigger, 0, 13, 1)),  // 220
    Row(DC4 "200904001004", Conv(351, K::kTrigger, 0, 13, 1)),  // 221
    Row(DC4 "200904001005", Conv(354, K::kTrigger, 0, 13, 1)),  // 222
    Row(DC4 "200904001006", Conv(357, K::kTrigger, 0, 13, 1)),  // 223
    Row(DC4 "200904001009", Conv(363, K::kTrigger, 0, 13, 1)),  // 224
    Row(DC4 "20090400100A", Conv(366, K::kTrigger, 0, 13, 1)),  // 225
    Row(DC4 "20090400100C", Conv(369, K::kTrigger, 0, 13, 1)),  // 226
    Row(DC4 "200904001010", Conv(372, K::kTrigger, 0, 13, 1)),  // 227
    Row(DC4 "20090400100E", Conv(373, K::kTrigger, 0, 13, 1)),  // 228
    Row(DC4 "200904001011", Conv(360, K::kTrigger, 0, 13, 1)),  // 229
    Row(DC4 "200904001100", Conv(340, K::kTrigger, 0, 13, 1)),  // 230
    Row(DC4 "200904001101", Conv(343, K::kTrigger, 0, 13, 1)),  // 231
    Row(DC4 "200904001102", Conv(346, K::kTrigger, 0, 13, 1)),  // 232
    Row(DC4 "200904001103", Conv(349, K::kTrigger, 0, 13, 1)),  // 233
    Row(DC4 "200904001104", Conv(352, K::kTrigger, 0, 13, 1)),  // 234
    Row(DC4 "200904001105", Conv(355, K::kTrigger, 0, 13, 1)),  // 235
    Row(DC4 "200904001106", Conv(358, K::kTrigger, 0, 13, 1)),  // 236
    Row(DC4 "200904001109", Conv(364, K::kTrigger, 0, 13, 1)),  // 237
    Row(DC4 "20090400110A", Conv(367, K::kTrigger, 0, 13, 1)),  // 238
    Row(DC4 "20090400110C", Conv(370, K::kTrigger, 0, 13, 1)),  // 239
    Row(DC4 "20090400110E", Conv(374, K::kTrigger, 0, 13, 1)),  // 240
    Row(DC4 "200904001111", Conv(361, K::kTrigger, 0, 13, 1)),  // 241
    Row(DC4 "200904001200", Conv(341, K::kTrigger, 0, 13, 1)),  // 242
    Row(DC4 "200904001201", Conv(344, K::kTrigger, 0, 13, 1)),  // 243
    Row(DC4 "200904001202", Conv(347, K::kTrigger, 0, 13, 1)),  // 244
    Row(DC4 "200904001203", Conv(350, K::kTrigger, 0, 13, 1)),  // 245
    Row(DC4 "200904001204", Conv(353, K::kTrigger, 0, 13, 1)),  // 246
    Row(DC4 "200904001205", Conv(356, K::kTrigger, 0, 13, 1)),  // 247
    Row(DC4 "200904001206", Conv(359, K::kTrigger, 0, 13, 1)),  // 248
    Row(DC4 "200904001209", Conv(365, K::kTrigger, 0, 13, 1)),  // 249
    Row(DC4 "20090400120A", Conv(368, K::kTrigger, 0, 13, 1)),  // 250
    Row(DC4 "20090400120C", Conv(371, K::kTrigger, 0, 13, 1)),  // 251
    Row(DC4 "20090400120E", Conv(375, K::kTrigger, 0, 13, 1)),  // 252
    Row(DC4 "200904001211", Conv(362, K::kTrigger, 0, 13, 1)),  // 253
    Row(DC4 "2009033000", Conv(281, K::kSoundOption, 0, 11, 1), Conv(282, K::kSoundOption, 4, 12, 2)),  // 254
    Row(DC4 "2009033001", Conv(283, K::kSoundOption, 0, 11, 1), Conv(284, K::kSoundOption, 4, 12, 2)),  // 255
    Row(DC4 "2009033010", Conv(285, K::kSoundOption, 0, 11, 1), Conv(286, K::kSoundOption, 4, 12, 2)),  // 256
    Row(DC4 "2009033011", Conv(287, K::kSoundOption, 0, 11, 1), Conv(288, K::kSoundOption, 4, 12, 2)),  // 257
    Row(DC4 "200904100", Conv(269, K::kSpeakerDistance, 0, 10, 1), Conv(272, K::kSpeakerDistance, 0, 11, 3)),  // 258
    Row(DC4 "200904102", Conv(269, K::kSpeakerDistance, 0, 10, 1), Conv(270, K::kSpeakerDistance, 0, 11, 3)),  // 259
    Row(DC4 "200904103", Conv(269, K::kSpeakerDistance, 0, 10, 1), Conv(271, K::kSpeakerDistance, 0, 11, 3)),  // 260
    Row(DC4 "200904104", Conv(269, K::kSpeakerDistance, 0, 10, 1), Conv(273, K::kSpeakerDistance, 0, 11, 3)),  // 261
    Row(DC4 "200904105", Conv(269, K::kSpeakerDistance, 0, 10, 1), Conv(274, K::kSpeakerDistance, 0, 11, 3)),  // 262
    Row(DC4 "200904106", Conv(269, K::kSpeakerDistance, 0, 10, 1), Conv(275, K::kSpeakerDistance, 0, 11, 3)),  // 263
    Row(DC4 "200904107", Conv(269, K::kSpeakerDistance, 0, 10, 1), Conv(276, K::kSpeakerDistance, 0, 11, 3)),  // 264
    Row(DC4 "200904108", Conv(269, K::kSpeakerDistance, 0, 10, 1), Conv(277, K::kSpeakerDistance, 0, 11, 3)),  // 265
    Row(DC4 "200904109", Conv(269, K::kSpeakerDistance, 0, 10, 1), Conv(278, K::kSpeakerDistance, 0, 11, 3)),  // 266
    Row(DC4 "20090410A", Conv(269, K::kSpeakerDistance, 0, 10, 1), Conv(279, K::kSpeakerDistance, 0, 11, 3)),  // 267
    Row(DC4 "200B021000000", Conv(30, K::kDspParam, 0, 14, 2)),  // 268
    Row(DC4 "200B021000010", Conv(31, K::kDspParam, 0, 14, 2)),  // 269
    Row(DC4 "200B021000020", Conv(32, K::kDspParam, 0, 14, 2)),  // 270
    Row(DC4 "200B0210000E0", Scaled(28, K::kDspParam, 14, 2, 1, 6)),  // 271
    Row(DC4 "200B0210001C0", Conv(29, K::kDspParam, 0, 14, 2)),  // 272
    Row(DC4 "200B021005000", Conv(35, K::kDspParam, 0, 14, 2)),  // 273
    Row(DC4 "200B021005010", Conv(36, K::kDspParam, 0, 14, 2)),  // 274
    Row(DC4 "200B021005020", Conv(37, K::kDspParam, 0, 14, 2)),  // 275
    Row(DC4 "200B0210050E0", Scaled(33, K::kDspParam, 14, 2, 1, 6)),  // 276
    Row(DC4 "200B0210051C0", Conv(34, K::kDspParam, 0, 14, 2)),  // 277
    Row(DC4 "200B021007000", Conv(40, K::kDspParam, 0, 14, 2)),  // 278
    Row(DC4 "200B021007010", Conv(41, K::kDspParam, 0, 14, 2)),  // 279
    Row(DC4 "200B021007020", Conv(42, K::kDspParam, 0, 14, 2)),  // 280
    Row(DC4 "200B0210070E0", Scaled(38, K::kDspParam, 14, 2, 1, 6)),  // 281
    Row(DC4 "200B0210071C0", Conv(39, K::kDspParam, 0, 14, 2)),  // 282
    Row(DC4 "200B021009000", Conv(45, K::kDspParam, 0, 14, 2)),  // 283
    Row(DC4 "200B021009020", Conv(46, K::kDspParam, 0, 14, 2)),  // 284
    Row(DC4 "200B0210090B0", Conv(47, K::kDspParam, 0, 14, 2)),  // 285
    Row(DC4 "200B0210090C0", Conv(48, K::kDspParam, 0, 14, 2)),  // 286
    Row(DC4 "200B0210090D0", Conv(49, K::kDspParam, 0, 14, 2)),  // 287
    Row(DC4 "200B0210090E0", Scaled(43, K::kDspParam, 14, 2, 1, 6)),  // 288
    Row(DC4 "200B0210091C0", Conv(44, K::kDspParam, 0, 14, 2)),  // 289
    Row(DC4 "200B02100B000", Conv(52, K::kDspParam, 0, 14, 2)),  // 290
    Row(DC4 "200B02100B020", Conv(53, K::kDspParam, 0, 14, 2)),  // 291
    Row(DC4 "200B02100B0B0", Conv(54, K::kDspParam, 0, 14, 2)),  // 292
    Row(DC4 "200B02100B0C0", Conv(55, K::kDspParam, 0, 14, 2)),  // 293
    Row(DC4 "200B02100B0D0", Conv(56, K::kDspParam, 0, 14, 2)),  // 294
    Row(DC4 "200B02100B0E0", Scaled(50, K::kDspParam, 14, 2, 1, 6)),  // 295
    Row(DC4 "200B02100B1C0", Conv(51, K::kDspParam, 0, 14, 2)),  // 296
    Row(DC4 "200B02100D000", Conv(59, K::kDspParam, 0, 14, 2)),  // 297
    Row(DC4 "200B02100D010", Conv(60, K::kDspParam, 0, 14, 2)),  // 298
    Row(DC4 "200B02100D020", Conv(61, K::kDspParam, 0, 14, 2)),  // 299
    Row(DC4 "200B02100D0E0", Scaled(57, K::kDspParam, 14, 2, 1, 6)),  // 300
    Row(DC4 "200B02100D1C0", Conv(58, K::kDspParam, 0, 14, 2)),  // 301
    Row(DC4 "200B021011000", Conv(64, K::kDspParam, 0, 14, 2)),  // 302
    Row(DC4 "200B021011010", Conv(65, K::kDspParam, 0, 14, 2)),  // 303
    Row(DC4 "200B021011020", Conv(66, K::kDspParam, 0, 14, 2)),  // 304
    Row(DC4 "200B0210110B0", Conv(67, K::kDspParam, 0, 14, 2)),  // 305
    Row(DC4 "200B0210110C0", Conv(68, K::kDspParam, 0, 14, 2)),  // 306
    Row(DC4 "200B0210110D0", Conv(69, K::kDspParam, 0, 14, 2)),  // 307
    Row(DC4 "200B0210110E0", Scaled(62, K::kDspParam, 14, 2, 1, 6)),  // 308
    Row(DC4 "200B0210111C0", Conv(63, K::kDspParam, 0, 14, 2)),  // 309
    Row(DC4 "200B02100F000", Conv(72, K::kDspParam, 0, 14, 2)),  // 310
    Row(DC4 "200B02100F010", Conv(73, K::kDspParam, 0, 14, 2)),  // 311
    Row(DC4 "200B02100F020", Conv(74, K::kDspParam, 0, 14, 2)),  // 312
    Row(DC4 "200B02100F0E0", Scaled(70, K::kDspParam, 14, 2, 1, 6)),  // 313
    Row(DC4 "200B02100F1C0", Conv(71, K::kDspParam, 0, 14, 2)),  // 314
    Row(DC4 "200B021010000", Conv(77, K::kDspParam, 0, 14, 2)),  // 315
    Row(DC4 "200B021010010", Conv(78, K::kDspParam, 0, 14, 2)),  // 316
    Row(DC4 "200B021010020", Conv(79, K::kDspParam, 0, 14, 2)),  // 317
    Row(DC4 "200B0210100B0", Conv(80, K::kDspParam, 0, 14, 2)),  // 318
    Row(DC4 "200B0210100C0", Conv(81, K::kDspParam, 0, 14, 2)),  // 319
    Row(DC4 "200B0210100D0", Conv(82, K::kDspParam, 0, 14, 2)),  // 320
    Row(DC4 "200B0210100E0", Scaled(75, K::kDspParam, 14, 2, 1, 6)),  // 321
    Row(DC4 "200B0210101C0", Conv(76, K::kDspParam, 0, 14, 2)),  // 322
    Row(DC4 "200B02100E000", Conv(85, K::kDspParam, 0, 14, 2)),  // 323
    Row(DC4 "200B02100E010", Conv(86, K::kDspParam, 0, 14, 2)),  // 324
    Row(DC4 "200B02100E020", Conv(87, K::kDspParam, 0, 14, 2)),  // 325
    Row(DC4 "200B02100E0E0", Scaled(83, K::kDspParam, 14, 2, 1, 6)),  // 326
    Row(DC4 "200B02100E1C0", Conv(84, K::kDspParam, 0, 14, 2)),  // 327
    Row(DC4 "200B02102D052", Conv(90, K::kDspParam, 0, 14, 2)),  // 328
    Row(DC4 "200B02102D062", Conv(91, K::kDspParam, 0, 14, 2)),  // 329
    Row(DC4 "200B02102D072", Conv(92, K::kDspParam, 0, 14, 2)),  // 330
    Row(DC4 "200B02102D085", Conv(93, K::kDspParam, 0, 14, 2)),  // 331
    Row(DC4 "200B02102D095", Conv(94, K::kDspParam, 0, 14, 2)),  // 332
    Row(DC4 "200B02102D0A5", Conv(95, K::kDspParam, 0, 14, 2)),  // 333
    Row(DC4 "200B02102D0E0", Scaled(88, K::kDspParam, 14, 2, 1, 6)),  // 334
    Row(DC4 "200B02102D1B0", Code(96, K::kDspParam, 14, 2, kCinemaDecodeTypeCodes)),  // 335
    Row(DC4 "200B02102D1C0", Conv(89, K::kDspParam, 0, 14, 2)),  // 336
    Row(DC4 "200B021024000", Conv(99, K::kDspParam, 0, 14, 2)),  // 337
    Row(DC4 "200B021024010", Conv(100, K::kDspParam, 0, 14, 2)),  // 338
    Row(DC4 "200B021024052", Conv(101, K::kDspParam, 0, 14, 2)),  // 339
    Row(DC4 "200B021024062", Conv(102, K::kDspParam, 0, 14, 2)),  // 340
    Row(DC4 "200B021024085", Conv(103, K::kDspParam, 0, 14, 2)),  // 341
    Row(DC4 "200B021024095", Conv(104, K::kDspParam, 0, 14, 2)),  // 342
    Row(DC4 "200B0210240E0", Scaled(97, K::kDspParam, 14, 2, 1, 6)),  // 343
    Row(DC4 "200B0210241B0", Code(105, K::kDspParam, 14, 2, kCinemaDecodeTypeCodes)),  // 344
    Row(DC4 "200B0210241C0", Conv(98, K::kDspParam, 0, 14, 2)),  // 345
    Row(DC4 "200B021025000", Conv(108, K::kDspParam, 0, 14, 2)),  // 346
    Row(DC4 "200B021025010", Conv(109, K::kDspParam, 0, 14, 2)),  // 347
    Row(DC4 "200B021025052", Conv(110, K::kDspParam, 0, 14, 2)),  // 348
    Row(DC4 "200B021025062", Conv(111, K::kDspParam, 0, 14, 2)),  // 349
    Row(DC4 "200B021025085", Conv(112, K::kDspParam, 0, 14, 2)),  // 350
    Row(DC4 "200B021025095", Conv(113, K::kDspParam, 0, 14, 2)),  // 351
    Row(DC4 "200B0210250E0", Scaled(106, K::kDspParam, 14, 2, 1, 6)),  // 352
    Row(DC4 "200B0210251B0", Code(114, K::kDspParam, 14, 2, kCinemaDecodeTypeCodes)),  // 353
    Row(DC4 "200B0210251C0", Conv(107, K::kDspParam, 0, 14, 2)),  // 354
    Row(DC4 "200B021028000", Conv(117, K::kDspParam, 0, 14, 2)),  // 355
    Row(DC4 "200B021028010", Conv(118, K::kDspParam, 0, 14, 2)),  // 356
    Row(DC4 "200B021028052", Conv(119, K::kDspParam, 0, 14, 2)),  // 357
    Row(DC4 "200B021028062", Conv(120, K::kDspParam, 0, 14, 2)),  // 358
    Row(DC4 "200B021028085", Conv(121, K::kDspParam, 0, 14, 2)),  // 359
    Row(DC4 "200B021028095", Conv(122, K::kDspParam, 0, 14, 2)),  // 360
    Row(DC4 "200B0210280E0", Scaled(115, K::kDspParam, 14, 2, 1, 6)),  // 361
    Row(DC4 "200B0210281B0", Code(123, K::kDspParam, 14, 2, kCinemaDecodeTypeCodes)),  // 362
    Row(DC4 "200B0210281C0", Conv(116, K::kDspParam, 0, 14, 2)),  // 363
    Row(DC4 "200B021029000", Conv(126, K::kDspParam, 0, 14, 2)),  // 364
    Row(DC4 "200B021029010", Conv(127, K::kDspParam, 0, 14, 2)),  // 365
    Row(DC4 "200B021029052", Conv(128, K::kDspParam, 0, 14, 2)),  // 366
    Row(DC4 "200B021029062", Conv(130, K::kDspParam, 0, 14, 2)),  // 367
    Row(DC4 "200B021029085", Conv(129, K::kDspParam, 0, 14, 2)),  // 368
    Row(DC4 "200B021029095", Conv(131, K::kDspParam, 0, 14, 2)),  // 369
    Row(DC4 "200B0210290E0", Scaled(124, K::kDspParam, 14, 2, 1, 6)),  // 370
    Row(DC4 "200B0210291B0", Code(132, K::kDspParam, 14, 2, kCinemaDecodeTypeCodes)),  // 371
    Row(DC4 "200B0210291C0", Conv(125, K::kDspParam, 0, 14, 2)),  // 372
    Row(DC4 "200B021020000", Conv(135, K::kDspParam, 0, 14, 2)),  // 373
    Row(DC4 "200B021020010", Conv(136, K::kDspParam, 0, 14, 2)),  // 374
    Row(DC4 "200B021020020", Conv(137, K::kDspParam, 0, 14, 2)),  // 375
    Row(DC4 "200B0210200B0", Conv(138, K::kDspParam, 0, 14, 2)),  // 376
    Row(DC4 "200B0210200C0", Conv(139, K::kDspParam, 0, 14, 2)),  // 377
    Row(DC4 "200B0210200D0", Conv(140, K::kDspParam, 0, 14, 2)),  // 378
    Row(DC4 "200B0210200E0", Scaled(133, K::kDspParam, 14, 2, 1, 6)),  // 379
    Row(DC4 "200B0210201C0", Conv(134, K::kDspParam, 0, 14, 2)),  // 380
    Row(DC4 "200B021021000", Conv(143, K::kDspParam, 0, 14, 2)),  // 381
    Row(DC4 "200B021021010", Conv(144, K::kDspParam, 0, 14, 2)),  // 382
    Row(DC4 "200B021021052", Conv(145, K::kDspParam, 0, 14, 2)),  // 383
    Row(DC4 "200B021021062", Conv(146, K::kDspParam, 0, 14, 2)),  // 384
    Row(DC4 "200B021021085", Conv(147, K::kDspParam, 0, 14, 2)),  // 385
    Row(DC4 "200B021021095", Conv(148, K::kDspParam, 0, 14, 2)),  // 386
    Row(DC4 "200B0210210E0", Scaled(141, K::kDspParam, 14, 2, 1, 6)),  // 387
    Row(DC4 "200B0210211C0", Conv(142, K::kDspParam, 0, 14, 2)),  // 388
    Row(DC4 "200B02101E000", Conv(151, K::kDspParam, 0, 14, 2)),  // 389
    Row(DC4 "200B02101E010", Conv(152, K::kDspParam, 0, 14, 2)),  // 390
    Row(DC4 "200B02101E052", Conv(153, K::kDspParam, 0, 14, 2)),  // 391
    Row(DC4 "200B02101E062", Conv(154, K::kDspParam, 0, 14, 2)),  // 392
    Row(DC4 "200B02101E085", Conv(155, K::kDspParam, 0, 14, 2)),  // 393
    Row(DC4 "200B02101E095", Conv(156, K::kDspParam, 0, 14, 2)),  // 394
    Row(DC4 "200B02101E0E0", Scaled(149, K::kDspParam, 14, 2, 1, 6)),  // 395
    Row(DC4 "200B02101E1C0", Conv(150, K::kDspParam, 0, 14, 2)),  // 396
    Row(DC4 "200B02101F000", Conv(159, K::kDspParam, 0, 14, 2)),  // 397
    Row(DC4 "200B02101F010", Conv(160, K::kDspParam, 0, 14, 2)),  // 398
    Row(DC4 "200B02101F052", Conv(161, K::kDspParam, 0, 14, 2)),  // 399
    Row(DC4 "200B02101F062", Conv(162, K::kDspParam, 0, 14, 2)),  // 400
    Row(DC4 "200B02101F085", Conv(163, K::kDspParam, 0, 14, 2)),  // 401
    Row(DC4 "200B02101F095", Conv(164, K::kDspParam, 0, 14, 2)),  // 402
    Row(DC4 "200B02101F0E0", Scaled(157, K::kDspParam, 14, 2, 1, 6)),  // 403
    Row(DC4 "200B02101F1C0", Conv(158, K::kDspParam, 0, 14, 2)),  // 404
    Row(DC4 "200B021018000", Conv(167, K::kDspParam, 0, 14, 2)),  // 405
    Row(DC4 "200B021018010", Conv(168, K::kDspParam, 0, 14, 2)),  // 406
    Row(DC4 "200B021018052", Conv(169, K::kDspParam, 0, 14, 2)),  // 407
    Row(DC4 "200B021018062", Conv(170, K::kDspParam, 0, 14, 2)),  // 408
    Row(DC4 "200B021018085", Conv(171, K::kDspParam, 0, 14, 2)),  // 409
    Row(DC4 "200B021018095", Conv(172, K::kDspParam, 0, 14, 2)),  // 410
    Row(DC4 "200B0210180E0", Scaled(165, K::kDspParam, 14, 2, 1, 6)),  // 411
    Row(DC4 "200B0210181C0", Conv(166, K::kDspParam, 0, 14, 2)),  // 412
    Row(DC4 "200B02101C000", Conv(175, K::kDspParam, 0, 14, 2)),  // 413
    Row(DC4 "200B02101C010", Conv(176, K::kDspParam, 0, 14, 2)),  // 414
    Row(DC4 "200B02101C052", Conv(177, K::kDspParam, 0, 14, 2)),  // 415
    Row(DC4 "200B02101C062", Conv(178, K::kDspParam, 0, 14, 2)),  // 416
    Row(DC4 "200B02101C085", Conv(179, K::kDspParam, 0, 14, 2)),  // 417
    Row(DC4 "200B02101C095", Conv(180, K::kDspParam, 0, 14, 2)),  // 418
    Row(DC4 "200B02101C0E0", Scaled(173, K::kDspParam, 14, 2, 1, 6)),  // 419
    Row(DC4 "200B02101C1C0", Conv(174, K::kDspParam, 0, 14, 2)),  // 420
    Row(DC4 "200B02102C0F0", Conv(181, K::kDspParam, 0, 14, 2)),  // 421
    Row(DC4 "200B02102C100", Scaled(183, K::kDspParam, 14, 2, 1, 3)),  // 422
    Row(DC4 "200B02102C110", Conv(182, K::kDspParam, 0, 14, 2)),  // 423
    Row(DC4 "200B02102C120", Conv(184, K::kDspParam, 0, 14, 2)),  // 424
    Row(DC4 "200B02102C200", Conv(185, K::kDspParam, 0, 14, 2)),  // 425
    Row(DC4 "200B02102C220", Conv(186, K::kDspParam, 0, 14, 2)),  // 426
    Row(DC4 "200B02102C1B0", Code(187, K::kDspParam, 14, 2, kSurroundDecodeTypeCodes)),  // 427
    Row(DC4 "200B02102C260", Code(188, K::kDspParam, 14, 2, kSurroundExtdCodes)),  // 428
    Row(DC4 "200B021034240", Conv(189, K::kDspParam, 0, 14, 2)),  // 429
    Row(DC4 "200B021017130", Conv(190, K::kDspParam, 0, 14, 2)),  // 430
    Row(DC4 "200B021017140", Conv(191, K::kDspParam, 0, 14, 2)),  // 431
    Row(DC4 "200B021017150", Conv(193, K::kDspParam, 0, 14, 2)),  // 432
    Row(DC4 "200B021017160", Conv(192, K::kDspParam, 0, 14, 2)),  // 433
    Row(DC4 "200B021017170", Conv(195, K::kDspParam, 0, 14, 2)),  // 434
    Row(DC4 "200B021017180", Conv(196, K::kDspParam, 0, 14, 2)),  // 435
    Row(DC4 "200B021017190", Conv(194, K::kDspParam, 0, 14, 2)),  // 436
    Row(DC4 "200B021044250", Conv(197, K::kDspParam, 0, 15, 1)),  // 437
    Row(DC4 "200B021045250", Conv(198, K::kDspParam, 0, 15, 1)),  // 438
    Row(DC4 "200607101", Code(402, K::kGeq, 10, 1, kMiraPeqTypeCodes)),  // 439
    Row(DC4 "2008030000", Conv(394, K::kGeq, 0, 9, 1), Conv(395, K::kGeq, 10, 11, 2)),  // 440
    Row(DC4 "2008030002", Conv(394, K::kGeq, 0, 9, 1), Conv(396, K::kGeq, 10, 11, 2)),  // 441
    Row(DC4 "2008030004", Conv(394, K::kGeq, 0, 9, 1), Conv(397, K::kGeq, 10, 11, 2)),  // 442
    Row(DC4 "2008030006", Conv(394, K::kGeq, 0, 9, 1), Conv(398, K::kGeq, 10, 11, 2)),  // 443
    Row(DC4 "2008030008", Conv(394, K::kGeq, 0, 9, 1), Conv(399, K::kGeq, 10, 11, 2)),  // 444
    Row(DC4 "200803000A", Conv(394, K::kGeq, 0, 9, 1), Conv(400, K::kGeq, 10, 11, 2)),  // 445
    Row(DC4 "200803000C", Conv(394, K::kGeq, 0, 9, 1), Conv(401, K::kGeq, 10, 11, 2)),  // 446
    Row(DC4 "2008030020", Conv(394, K::kGeq, 0, 9, 1), Conv(395, K::kGeq, 10, 11, 2)),  // 447
    Row(DC4 "2008030022", Conv(394, K::kGeq, 0, 9, 1), Conv(396, K::kGeq, 10, 11, 2)),  // 448
    Row(DC4 "2008030024", Conv(394, K::kGeq, 0, 9, 1), Conv(397, K::kGeq, 10, 11, 2)),  // 449
    Row(DC4 "2008030026", Conv(394, K::kGeq, 0, 9, 1), Conv(398, K::kGeq, 10, 11, 2)),  // 450
    Row(DC4 "2008030028", Conv(394, K::kGeq, 0, 9, 1), Conv(399, K::kGeq, 10, 11, 2)),  // 451
    Row(DC4 "200803002A", Conv(394, K::kGeq, 0, 9, 1), Conv(400, K::kGeq, 10, 11, 2)),  // 452
    Row(DC4 "200803002C", Conv(394, K::kGeq, 0, 9, 1), Conv(401, K::kGeq, 10, 11, 2)),  // 453
    Row(DC4 "2008030030", Conv(394, K::kGeq, 0, 9, 1), Conv(395, K::kGeq, 10, 11, 2)),  // 454
    Row(DC4 "2008030032", Conv(394, K::kGeq, 0, 9, 1), Conv(396, K::kGeq, 10, 11, 2)),  // 455
    Row(DC4 "2008030034", Conv(394, K::kGeq, 0, 9, 1), Conv(397, K::kGeq, 10, 11, 2)),  // 456
    Row(DC4 "2008030036", Conv(394, K::kGeq, 0, 9, 1), Conv(398, K::kGeq, 10, 11, 2)),  // 457
    Row(DC4 "2008030038", Conv(394, K::kGeq, 0, 9, 1), Conv(399, K::kGeq, 10, 11, 2)),  // 458
    Row(DC4 "200803003A", Conv(394, K::kGeq, 0, 9, 1), Conv(400, K::kGeq, 10, 11, 2)),  // 459
    Row(DC4 "200803003C", Conv(394, K::kGeq, 0, 9, 1), Conv(401, K::kGeq, 10, 11, 2)),  // 460
    Row(DC4 "2008030040", Conv(394, K::kGeq, 0, 9, 1), Conv(395, K::kGeq, 10, 11, 2)),  // 461
    Row(DC4 "2008030042", Conv(394, K::kGeq, 0, 9, 1), Conv(396, K::kGeq, 10, 11, 2)),  // 462
    Row(DC4 "2008030044", Conv(394, K::kGeq, 0, 9, 1), Conv(397, K::kGeq, 10, 11, 2)),  // 463
    Row(DC4 "2008030046", Conv(394, K::kGeq, 0, 9, 1), Conv(398, K::kGeq, 10, 11, 2)),  // 464
    Row(DC4 "2008030048", Conv(394, K::kGeq, 0, 9, 1), Conv(399, K::kGeq, 10, 11, 2)),  // 465
    Row(DC4 "200803004A", Conv(394, K::kGeq, 0, 9, 1), Conv(400, K::kGeq, 10, 11, 2)),  // 466
    Row(DC4 "200803004C", Conv(394, K::kGeq, 0, 9, 1), Conv(401, K::kGeq, 10, 11, 2)),  // 467
    Row(DC4 "2008030050", Conv(394, K::kGeq, 0, 9, 1), Conv(395, K::kGeq, 10, 11, 2)),  // 468
    Row(DC4 "2008030052", Conv(394, K::kGeq, 0, 9, 1), Conv(396, K::kGeq, 10, 11, 2)),  // 469
    Row(DC4 "2008030054", Conv(394, K::kGeq, 0, 9, 1), Conv(397, K::kGeq, 10, 11, 2)),  // 470
    Row(DC4 "2008030056", Conv(394, K::kGeq, 0, 9, 1), Conv(398, K::kGeq, 10, 11, 2)),  // 471
    Row(DC4 "2008030058", Conv(394, K::kGeq, 0, 9, 1), Conv(399, K::kGeq, 10, 11, 2)),  // 472
    Row(DC4 "200803005A", Conv(394, K::kGeq, 0, 9, 1), Conv(400, K::kGeq, 10, 11, 2)),  // 473
    Row(DC4 "200803005C", Conv(394, K::kGeq, 0, 9, 1), Conv(401, K::kGeq, 10, 11, 2)),  // 474
    Row(DC4 "2008030060", Conv(394, K::kGeq, 0, 9, 1), Conv(395, K::kGeq, 10, 11, 2)),  // 475
    Row(DC4 "2008030062", Conv(394, K::kGeq, 0, 9, 1), Conv(396, K::kGeq, 10, 11, 2)),  // 476
    Row(DC4 "2008030064", Conv(394, K::kGeq, 0, 9, 1), Conv(397, K::kGeq, 10, 11, 2)),  // 477
    Row(DC4 "2008030066", Conv(394, K::kGeq, 0, 9, 1), Conv(398, K::kGeq, 10, 11, 2)),  // 478
    Row(DC4 "2008030068", Conv(394, K::kGeq, 0, 9, 1), Conv(399, K::kGeq, 10, 11, 2)),  // 479
    Row(DC4 "200803006A", Conv(394, K::kGeq, 0, 9, 1), Conv(400, K::kGeq, 10, 11, 2)),  // 480
    Row(DC4 "200803006C", Conv(394, K::kGeq, 0, 9, 1), Conv(401, K::kGeq, 10, 11, 2)),  // 481
    Row(DC4 "2008030070", Conv(394, K::kGeq, 0, 9, 1), Conv(395, K::kGeq, 10, 11, 2)),  // 482
    Row(DC4 "2008030072", Conv(394, K::kGeq, 0, 9, 1), Conv(396, K::kGeq, 10, 11, 2)),  // 483
    Row(DC4 "2008030074", Conv(394, K::kGeq, 0, 9, 1), Conv(397, K::kGeq, 10, 11, 2)),  // 484
    Row(DC4 "2008030076", Conv(394, K::kGeq, 0, 9, 1), Conv(398, K::kGeq, 10, 11, 2)),  // 485
    Row(DC4 "2008030078", Conv(394, K::kGeq, 0, 9, 1), Conv(399, K::kGeq, 10, 11, 2)),  // 486
    Row(DC4 "200803007A", Conv(394, K::kGeq, 0, 9, 1), Conv(400, K::kGeq, 10, 11, 2)),  // 487
    Row(DC4 "200803007C", Conv(394, K::kGeq, 0, 9, 1), Conv(401, K::kGeq, 10, 11, 2)),  // 488
    Row(DC4 "2008030080", Conv(394, K::kGeq, 0, 9, 1), Conv(395, K::kGeq, 10, 11, 2)),  // 489
    Row(DC4 "2008030082", Conv(394, K::kGeq, 0, 9, 1), Conv(396, K::kGeq, 10, 11, 2)),  // 490
    Row(DC4 "2008030084", Conv(394, K::kGeq, 0, 9, 1), Conv(397, K::kGeq, 10, 11, 2)),  // 491
    Row(DC4 "2008030086", Conv(394, K::kGeq, 0, 9, 1), Conv(398, K::kGeq, 10, 11, 2)),  // 492
    Row(DC4 "2008030088", Conv(394, K::kGeq, 0, 9, 1), Conv(399, K::kGeq, 10, 11, 2)),  // 493
    Row(DC4 "200803008A", Conv(394, K::kGeq, 0, 9, 1), Conv(400, K::kGeq, 10, 11, 2)),  // 494
    Row(DC4 "200803008C", Conv(394, K::kGeq, 0, 9, 1), Conv(401, K::kGeq, 10, 11, 2)),  // 495
    Row(DC4 "2008030090", Conv(394, K::kGeq, 0, 9, 1), Conv(395, K::kGeq, 10, 11, 2)),  // 496
    Row(DC4 "2008030092", Conv(394, K::kGeq, 0, 9, 1), Conv(396, K::kGeq, 10, 11, 2)),  // 497
    Row(DC4 "2008030094", Conv(394, K::kGeq, 0, 9, 1), Conv(397, K::kGeq, 10, 11, 2)),  // 498
    Row(DC4 "2008030096", Conv(394, K::kGeq, 0, 9, 1), Conv(398, K::kGeq, 10, 11, 2)),  // 499
    Row(DC4 "2008030098", Conv(394, K::kGeq, 0, 9, 1), Conv(399, K::kGeq, 10, 11, 2)),  // 500
    Row(DC4 "200803009A", Conv(394, K::kGeq, 0, 9, 1), Conv(400, K::kGeq, 10, 11, 2)),  // 501
    Row(DC4 "200803009C", Conv(394, K::kGeq, 0, 9, 1), Conv(401, K::kGeq, 10, 11, 2)),  // 502
    Row(DC4 "20080300A0", Conv(394, K::kGeq, 0, 9, 1), Conv(395, K::kGeq, 10, 11, 2)),  // 503
    Row(DC4 "20080300A2", Conv(394, K::kGeq, 0, 9, 1), Conv(396, K::kGeq, 10, 11, 2)),  // 504
    Row(DC4 "200B034000", Conv(404, K::kPeq, 0, 9, 1), Conv(405, K::kPeq, 7, 11, 2), Conv(419, K::kPeq, 5, 13, 2), Conv(412, K::kPeq, 0, 15, 1)),  // 505
    Row(DC4 "200B034001", Conv(404, K::kPeq, 0, 9, 1), Conv(406, K::kPeq, 7, 11, 2), Conv(420, K::kPeq, 5, 13, 2), Conv(413, K::kPeq, 0, 15, 1)),  // 506
    Row(DC4 "200B034002", Conv(404, K::kPeq, 0, 9, 1), Conv(407, K::kPeq, 7, 11, 2), Conv(421, K::kPeq, 5, 13, 2), Conv(414, K::kPeq, 0, 15, 1)),  // 507
    Row(DC4 "200B034003", Conv(404, K::kPeq, 0, 9, 1), Conv(408, K::kPeq, 7, 11, 2), Conv(422, K::kPeq, 5, 13, 2), Conv(415, K::kPeq, 0, 15, 1)),  // 508
    Row(DC4 "200B034004", Conv(404, K::kPeq, 0, 9, 1), Conv(410, K::kPeq, 7, 11, 2), Conv(423, K::kPeq, 5, 13, 2), Conv(416, K::kPeq, 0, 15, 1)),  // 509
    Row(DC4 "200B034005", Conv(404, K::kPeq, 0, 9, 1), Conv(409, K::kPeq, 7, 11, 2), Conv(424, K::kPeq, 5, 13, 2), Conv(417, K::kPeq, 0, 15, 1)),  // 510
    Row(DC4 "200B034006", Conv(404, K::kPeq, 0, 9, 1), Conv(411, K::kPeq, 7, 11, 2), Conv(425, K::kPeq, 5, 13, 2), Conv(418, K::kPeq, 0, 15, 1)),  // 511
    Row(DC4 "200B034020", Conv(404, K::kPeq, 0, 9, 1), Conv(405, K::kPeq, 7, 11, 2), Conv(419, K::kPeq, 5, 13, 2), Conv(412, K::kPeq, 0, 15, 1)),  // 512
    Row(DC4 "200B034021", Conv(404, K::kPeq, 0, 9, 1), Conv(406, K::kPeq, 7, 11, 2), Conv(420, K::kPeq, 5, 13, 2), Conv(413, K::kPeq, 0, 15, 1)),  // 513
    Row(DC4 "200B034022", Conv(404, K::kPeq, 0, 9, 1), Conv(407, K::kPeq, 7, 11, 2), Conv(421, K::kPeq, 5, 13, 2), Conv(414, K::kPeq, 0, 15, 1)),  // 514
    Row(DC4 "200B034023", Conv(404, K::kPeq, 0, 9, 1), Conv(408, K::kPeq, 7, 11, 2), Conv(422, K::kPeq, 5, 13, 2), Conv(415, K::kPeq, 0, 15, 1)),  // 515
    Row(DC4 "200B034024", Conv(404, K::kPeq, 0, 9, 1), Conv(410, K::kPeq, 7, 11, 2), Conv(423, K::kPeq, 5, 13, 2), Conv(416, K::kPeq, 0, 15, 1)),  // 516
    Row(DC4 "200B034025", Conv(404, K::kPeq, 0, 9, 1), Conv(409, K::kPeq, 7, 11, 2), Conv(424, K::kPeq, 5, 13, 2), Conv(417, K::kPeq, 0, 15, 1)),  // 517
    Row(DC4 "200B034026", Conv(404, K::kPeq, 0, 9, 1), Conv(411, K::kPeq, 7, 11, 2), Conv(425, K::kPeq, 5, 13, 2), Conv(418, K::kPeq, 0, 15, 1)),  // 518
    Row(DC4 "200B034030", Conv(404, K::kPeq, 0, 9, 1), Conv(405, K::kPeq, 7, 11, 2), Conv(419, K::kPeq, 5, 13, 2), Conv(412, K::kPeq, 0, 15, 1)),  // 519
    Row(DC4 "200B034031", Conv(404, K::kPeq, 0, 9, 1), Conv(406, K::kPeq, 7, 11, 2), Conv(420, K::kPeq, 5, 13, 2), Conv(413, K::kPeq, 0, 15, 1)),  // 520
    Row(DC4 "200B034032", Conv(404, K::kPeq, 0, 9, 1), Conv(407, K::kPeq, 7, 11, 2), Conv(421, K::kPeq, 5, 13, 2), Conv(414, K::kPeq, 0, 15, 1)),  // 521
    Row(DC4 "200B034033", Conv(404, K::kPeq, 0, 9, 1), Conv(408, K::kPeq, 7, 11, 2), Conv(422, K::kPeq, 5, 13, 2), Conv(415, K::kPeq, 0, 15, 1)),  // 522
    Row(DC4 "200B034034", Conv(404, K::kPeq, 0, 9, 1), Conv(410, K::kPeq, 7, 11, 2), Conv(423, K::kPeq, 5, 13, 2), Conv(416, K::kPeq, 0, 15, 1)),  // 523
    Row(DC4 "200B034035", Conv(404, K::kPeq, 0, 9, 1), Conv(409, K::kPeq, 7, 11, 2), Conv(424, K::kPeq, 5, 13, 2), Conv(417, K::kPeq, 0, 15, 1)),  // 524
    Row(DC4 "200B034036", Conv(404, K::kPeq, 0, 9, 1), Conv(411, K::kPeq, 7, 11, 2), Conv(425, K::kPeq, 5, 13, 2), Conv(418, K::kPeq, 0, 15, 1)),  // 525
    Row(DC4 "200B034040", Conv(404, K::kPeq, 0, 9, 1), Conv(405, K::kPeq, 7, 11, 2), Conv(419, K::kPeq, 5, 13, 2), Conv(412, K::kPeq, 0, 15, 1)),  // 526
    Row(DC4 "200B034041", Conv(404, K::kPeq, 0, 9, 1), Conv(406, K::kPeq, 7, 11, 2), Conv(420, K::kPeq, 5, 13, 2), Conv(413, K::kPeq, 0, 15, 1)),  // 527
    Row(DC4 "200B034042", Conv(404, K::kPeq, 0, 9, 1), Conv(407, K::kPeq, 7, 11, 2), Conv(421, K::kPeq, 5, 13, 2), Conv(414, K::kPeq, 0, 15, 1)),  // 528
    Row(DC4 "200B034043", Conv(404, K::kPeq, 0, 9, 1), Conv(408, K::kPeq, 7, 11, 2), Conv(422, K::kPeq, 5, 13, 2), Conv(415, K::kPeq, 0, 15, 1)),  // 529
    Row(DC4 "200B034044", Conv(404, K::kPeq, 0, 9, 1), Conv(410, K::kPeq, 7, 11, 2), Conv(423, K::kPeq, 5, 13, 2), Conv(416, K::kPeq, 0, 15, 1)),  // 530
    Row(DC4 "200B034045", Conv(404, K::kPeq, 0, 9, 1), Conv(409, K::kPeq, 7, 11, 2), Conv(424, K::kPeq, 5, 13, 2), Conv(417, K::kPeq, 0, 15, 1)),  // 531
    Row(DC4 "200B034046", Conv(404, K::kPeq, 0, 9, 1), Conv(411, K::kPeq, 7, 11, 2), Conv(425, K::kPeq, 5, 13, 2), Conv(418, K::kPeq, 0, 15, 1)),  // 532
    Row(DC4 "200B034050", Conv(404, K::kPeq, 0, 9, 1), Conv(405, K::kPeq, 7, 11, 2), Conv(419, K::kPeq, 5, 13, 2), Conv(412, K::kPeq, 0, 15, 1)),  // 533
    Row(DC4 "200B034051", Conv(404, K::kPeq, 0, 9, 1), Conv(406, K::kPeq, 7, 11, 2), Conv(420, K::kPeq, 5, 13, 2), Conv(413, K::kPeq, 0, 15, 1)),  // 534
    Row(DC4 "200B034052", Conv(404, K::kPeq, 0, 9, 1), Conv(407, K::kPeq, 7, 11, 2), Conv(421, K::kPeq, 5, 13, 2), Conv(414, K::kPeq, 0, 15, 1)),  // 535
    Row(DC4 "200B034053", Conv(404, K::kPeq, 0, 9, 1), Conv(408, K::kPeq, 7, 11, 2), Conv(422, K::kPeq, 5, 13, 2), Conv(415, K::kPeq, 0, 15, 1)),  // 536
    Row(DC4 "200B034054", Conv(404, K::kPeq, 0, 9, 1), Conv(410, K::kPeq, 7, 11, 2), Conv(423, K::kPeq, 5, 13, 2), Conv(416, K::kPeq, 0, 15, 1)),  // 537
    Row(DC4 "200B034055", Conv(404, K::kPeq, 0, 9, 1), Conv(409, K::kPeq, 7, 11, 2), Conv(424, K::kPeq, 5, 13, 2), Conv(417, K::kPeq, 0, 15, 1)),  // 538
    Row(DC4 "200B034056", Conv(404, K::kPeq, 0, 9, 1), Conv(411, K::kPeq, 7, 11, 2), Conv(425, K::kPeq, 5, 13, 2), Conv(418, K::kPeq, 0, 15, 1)),  // 539
    Row(DC4 "200B034060", Conv(404, K::kPeq, 0, 9, 1), Conv(405, K::kPeq, 7, 11, 2), Conv(419, K::kPeq, 5, 13, 2), Conv(412, K::kPeq, 0, 15, 1)),  // 540
    Row(DC4 "200B034061", Conv(404, K::kPeq, 0, 9, 1), Conv(406, K::kPeq, 7, 11, 2), Conv(420, K::kPeq, 5, 13, 2), Conv(413, K::kPeq, 0, 15, 1)),  // 541
    Row(DC4 "200B034062", Conv(404, K::kPeq, 0, 9, 1), Conv(407, K::kPeq, 7, 11, 2), Conv(421, K::kPeq, 5, 13, 2), Conv(414, K::kPeq, 0, 15, 1)),  // 542
    Row(DC4 "200B034063", Conv(404, K::kPeq, 0, 9, 1), Conv(408, K::kPeq, 7, 11, 2), Conv(422, K::kPeq, 5, 13, 2), Conv(415, K::kPeq, 0, 15, 1)),  // 543
    Row(DC4 "200B034064", Conv(404, K::kPeq, 0, 9, 1), Conv(410, K::kPeq, 7, 11, 2), Conv(423, K::kPeq, 5, 13, 2), Conv(416, K::kPeq, 0, 15, 1)),  // 544
    Row(DC4 "200B034065", Conv(404, K::kPeq, 0, 9, 1), Conv(409, K::kPeq, 7, 11, 2), Conv(424, K::kPeq, 5, 13, 2), Conv(417, K::kPeq, 0, 15, 1)),  // 545
    Row(DC4 "200B034066", Conv(404, K::kPeq, 0, 9, 1), Conv(411, K::kPeq, 7, 11, 2), Conv(425, K::kPeq, 5, 13, 2), Conv(418, K::kPeq, 0, 15, 1)),  // 546
    Row(DC4 "200B034070", Conv(404, K::kPeq, 0, 9, 1), Conv(405, K::kPeq, 7, 11, 2), Conv(419, K::kPeq, 5, 13, 2), Conv(412, K::kPeq, 0, 15, 1)),  // 547
    Row(DC4 "200B034071", Conv(404, K::kPeq, 0, 9, 1), Conv(406, K::kPeq, 7, 11, 2), Conv(420, K::kPeq, 5, 13, 2), Conv(413, K::kPeq, 0, 15, 1)),  // 548
    Row(DC4 "200B034072", Conv(404, K::kPeq, 0, 9, 1), Conv(407, K::kPeq, 7, 11, 2), Conv(421, K::kPeq, 5, 13, 2), Conv(414, K::kPeq, 0, 15, 1)),  // 549
    Row(DC4 "200B034073", Conv(404, K::kPeq, 0, 9, 1), Conv(408, K::kPeq, 7, 11, 2), Conv(422, K::kPeq, 5, 13, 2), Conv(415, K::kPeq, 0, 15, 1)),  // 550
    Row(DC4 "200B034074", Conv(404, K::kPeq, 0, 9, 1), Conv(410, K::kPeq, 7, 11, 2), Conv(423, K::kPeq, 5, 13, 2), Conv(416, K::kPeq, 0, 15, 1)),  // 551
    Row(DC4 "200B034075", Conv(404, K::kPeq, 0, 9, 1), Conv(409, K::kPeq, 7, 11, 2), Conv(424, K::kPeq, 5, 13, 2), Conv(417, K::kPeq, 0, 15, 1)),  // 552
    Row(DC4 "200B034076", Conv(404, K::kPeq, 0, 9, 1), Conv(411, K::kPeq, 7, 11, 2), Conv(425, K::kPeq, 5, 13, 2), Conv(418, K::kPeq, 0, 15, 1)),  // 553
    Row(DC4 "200B034080", Conv(404, K::kPeq, 0, 9, 1), Conv(405, K::kPeq, 7, 11, 2), Conv(419, K::kPeq, 5, 13, 2), Conv(412, K::kPeq, 0, 15, 1)),  // 554
    Row(DC4 "200B034081", Conv(404, K::kPeq, 0, 9, 1), Conv(406, K::kPeq, 7, 11, 2), Conv(420, K::kPeq, 5, 13, 2), Conv(413, K::kPeq, 0, 15, 1)),  // 555
    Row(DC4 "200B034082", Conv(404, K::kPeq, 0, 9, 1), Conv(407, K::kPeq, 7, 11, 2), Conv(421, K::kPeq, 5, 13, 2), Conv(414, K::kPeq, 0, 15, 1)),  // 556
    Row(DC4 "200B034083", Conv(404, K::kPeq, 0, 9, 1), Conv(408, K::kPeq, 7, 11, 2), Conv(422, K::kPeq, 5, 13, 2), Conv(415, K::kPeq, 0, 15, 1)),  // 557
    Row(DC4 "200B034084", Conv(404, K::kPeq, 0, 9, 1), Conv(410, K::kPeq, 7, 11, 2), Conv(423, K::kPeq, 5, 13, 2), Conv(416, K::kPeq, 0, 15, 1)),  // 558
    Row(DC4 "200B034085", Conv(404, K::kPeq, 0, 9, 1), Conv(409, K::kPeq, 7, 11, 2), Conv(424, K::kPeq, 5, 13, 2), Conv(417, K::kPeq, 0, 15, 1)),  // 559
    Row(DC4 "200B034086", Conv(404, K::kPeq, 0, 9, 1), Conv(411, K::kPeq, 7, 11, 2), Conv(425, K::kPeq, 5, 13, 2), Conv(418, K::kPeq, 0, 15, 1)),  // 560
    Row(DC4 "200B034090", Conv(404, K::kPeq, 0, 9, 1), Conv(405, K::kPeq, 7, 11, 2), Conv(419, K::kPeq, 5, 13, 2), Conv(412, K::kPeq, 0, 15, 1)),  // 561
    Row(DC4 "200B034091", Conv(404, K::kPeq, 0, 9, 1), Conv(406, K::kPeq, 7, 11, 2), Conv(420, K::kPeq, 5, 13, 2), Conv(413, K::kPeq, 0, 15, 1)),  // 562
    Row(DC4 "200B034092", Conv(404, K::kPeq, 0, 9, 1), Conv(407, K::kPeq, 7, 11, 2), Conv(421, K::kPeq, 5, 13, 2), Conv(414, K::kPeq, 0, 15, 1)),  // 563
    Row(DC4 "200B034093", Conv(404, K::kPeq, 0, 9, 1), Conv(408, K::kPeq, 7, 11, 2), Conv(422, K::kPeq, 5, 13, 2), Conv(415, K::kPeq, 0, 15, 1)),  // 564
    Row(DC4 "200B034094", Conv(404, K::kPeq, 0, 9, 1), Conv(410, K::kPeq, 7, 11, 2), Conv(423, K::kPeq, 5, 13, 2), Conv(416, K::kPeq, 0, 15, 1)),  // 565
    Row(DC4 "200B034095", Conv(404, K::kPeq, 0, 9, 1), Conv(409, K::kPeq, 7, 11, 2), Conv(424, K::kPeq, 5, 13, 2), Conv(417, K::kPeq, 0, 15, 1)),  // 566
    Row(DC4 "200B034096", Conv(404, K::kPeq, 0, 9, 1), Conv(411, K::kPeq, 7, 11, 2), Conv(425, K::kPeq, 5, 13, 2), Conv(418, K::kPeq, 0, 15, 1)),  // 567
    Row(DC4 "200B0340A0", Conv(404, K::kPeq, 0, 9, 1), Conv(405, K::kPeq, 7, 11, 2), Conv(419, K::kPeq, 5, 13, 2), Conv(412, K::kPeq, 0, 15, 1)),  // 568
    Row(DC4 "200B0340A1", Conv(404, K::kPeq, 0, 9, 1), Conv(406, K::kPeq, 7, 11, 2), Conv(420, K::kPeq, 5, 13, 2), Conv(413, K::kPeq, 0, 15, 1)),  // 569
    Row(DC4 "200D050000", Conv(435, K::kTunerPreset, 3, 12, 6)),  // 570
    Row(DC4 "200D050011", Conv(436, K::kTunerPreset, 3, 12, 6)),  // 571
    Row(DC4 "200D050012", Conv(437, K::kTunerPreset, 3, 12, 6)),  // 572
    Row(DC4 "200D050013", Conv(438, K::kTunerPreset, 3, 12, 6)),  // 573
    Row(DC4 "200D050014", Conv(439, K::kTunerPreset, 3, 12, 6)),  // 574
    Row(DC4 "200D050015", Conv(440, K::kTunerPreset, 3, 12, 6)),  // 575
    Row(DC4 "200D050016", Conv(441, K::kTunerPreset, 3, 12, 6)),  // 576
    Row(DC4 "200D050017", Conv(442, K::kTunerPreset, 3, 12, 6)),  // 577
    Row(DC4 "200D050018", Conv(443, K::kTunerPreset, 3, 12, 6)),  // 578
    Row(DC4 "200D050021", Conv(444, K::kTunerPreset, 3, 12, 6)),  // 579
    Row(DC4 "200D050022", Conv(445, K::kTunerPreset, 3, 12, 6)),  // 580
    Row(DC4 "200D050023", Conv(446, K::kTunerPreset, 3, 12, 6)),  // 581
    Row(DC4 "200D050024", Conv(447, K::kTunerPreset, 3, 12, 6)),  // 582
    Row(DC4 "200D050025", Conv(448, K::kTunerPreset, 3, 12, 6)),  // 583
    Row(DC4 "200D050026", Conv(449, K::kTunerPreset, 3, 12, 6)),  // 584
    Row(DC4 "200D050027", Conv(450, K::kTunerPreset, 3, 12, 6)),  // 585
    Row(DC4 "200D050028", Conv(451, K::kTunerPreset, 3, 12, 6)),  // 586
    Row(DC4 "200D050031", Conv(452, K::kTunerPreset, 3, 12, 6)),  // 587
    Row(DC4 "200D050032", Conv(453, K::kTunerPreset, 3, 12, 6)),  // 588
    Row(DC4 "200D050033", Conv(454, K::kTunerPreset, 3, 12, 6)),  // 589
    Row(DC4 "200D050034", Conv(455, K::kTunerPreset, 3, 12, 6)),  // 590
    Row(DC4 "200D050035", Conv(456, K::kTunerPreset, 3, 12, 6)),  // 591
    Row(DC4 "200D050036", Conv(457, K::kTunerPreset, 3, 12, 6)),  // 592
    Row(DC4 "200D050037", Conv(458, K::kTunerPreset, 3, 12, 6)),  // 593
    Row(DC4 "200D050038", Conv(459, K::kTunerPreset, 3, 12, 6)),  // 594
    Row(DC4 "200D050041", Conv(460, K::kTunerPreset, 3, 12, 6)),  // 595
    Row(DC4 "200D050042", Conv(461, K::kTunerPreset, 3, 12, 6)),  // 596
    Row(DC4 "200D050043", Conv(462, K::kTunerPreset, 3, 12, 6)),  // 597
    Row(DC4 "200D050044", Conv(463, K::kTunerPreset, 3, 12, 6)),  // 598
    Row(DC4 "200D050045", Conv(464, K::kTunerPreset, 3, 12, 6)),  // 599
    Row(DC4 "200D050046", Conv(465, K::kTunerPreset, 3, 12, 6)),  // 600
    Row(DC4 "200D050047", Conv(466, K::kTunerPreset, 3, 12, 6)),  // 601
    Row(DC4 "200D050048", Conv(467, K::kTunerPreset, 3, 12, 6)),  // 602
    Row(DC4 "200D050051", Conv(468, K::kTunerPreset, 3, 12, 6)),  // 603
    Row(DC4 "200D050052", Conv(469, K::kTunerPreset, 3, 12, 6)),  // 604
    Row(DC4 "200D050053", Conv(470, K::kTunerPreset, 3, 12, 6)),  // 605
    Row(DC4 "200D050054", Conv(471, K::kTunerPreset, 3, 12, 6)),  // 606
    Row(DC4 "200D050055", Conv(472, K::kTunerPreset, 3, 12, 6)),  // 607
    Row(DC4 "200D050056", Conv(473, K::kTunerPreset, 3, 12, 6)),  // 608
    Row(DC4 "200D050057", Conv(474, K::kTunerPreset, 3, 12, 6)),  // 609
    Row(DC4 "200D050058", Conv(475, K::kTunerPreset, 3, 12, 6)),  // 610
    Row(DC4 "2008051011", Conv(476, K::kXmPreset, 0, 11, 2)),  // 611
    Row(DC4 "2008051012", Conv(477, K::kXmPreset, 0, 11, 2)),  // 612
    Row(DC4 "2008051013", Conv(478, K::kXmPreset, 0, 11, 2)),  // 613
    Row(DC4 "2008051014", Conv(479, K::kXmPreset, 0, 11, 2)),  // 614
    Row(DC4 "2008051015", Conv(480, K::kXmPreset, 0, 11, 2)),  // 615
    Row(DC4 "2008051016", Conv(481, K::kXmPreset, 0, 11, 2)),  // 616
    Row(DC4 "2008051017", Conv(482, K::kXmPreset, 0, 11, 2)),  // 617
    Row(DC4 "2008051018", Conv(483, K::kXmPreset, 0, 11, 2)),  // 618
    Row(DC4 "2008051021", Conv(484, K::kXmPreset, 0, 11, 2)),  // 619
    Row(DC4 "2008051022", Conv(485, K::kXmPreset, 0, 11, 2)),  // 620
    Row(DC4 "2008051023", Conv(486, K::kXmPreset, 0, 11, 2)),  // 621
    Row(DC4 "2008051024", Conv(487, K::kXmPreset, 0, 11, 2)),  // 622
    Row(DC4 "2008051025", Conv(488, K::kXmPreset, 0, 11, 2)),  // 623
    Row(DC4 "2008051026", Conv(489, K::kXmPreset, 0, 11, 2)),  // 624
    Row(DC4 "2008051027", Conv(490, K::kXmPreset, 0, 11, 2)),  // 625
    Row(DC4 "2008051028", Conv(491, K::kXmPreset, 0, 11, 2)),  // 626
    Row(DC4 "2008051031", Conv(492, K::kXmPreset, 0, 11, 2)),  // 627
    Row(DC4 "2008051032", Conv(493, K::kXmPreset, 0, 11, 2)),  // 628
    Row(DC4 "2008051033", Conv(494, K::kXmPreset, 0, 11, 2)),  // 629
    Row(DC4 "2008051034", Conv(495, K::kXmPreset, 0, 11, 2)),  // 630
    Row(DC4 "2008051035", Conv(496, K::kXmPreset, 0, 11, 2)),  // 631
    Row(DC4 "2008051036", Conv(497, K::kXmPreset, 0, 11, 2)),  // 632
    Row(DC4 "2008051037", Conv(498, K::kXmPreset, 0, 11, 2)),  // 633
    Row(DC4 "2008051038", Conv(499, K::kXmPreset, 0, 11, 2)),  // 634
    Row(DC4 "2008051041", Conv(500, K::kXmPreset, 0, 11, 2)),  // 635
    Row(DC4 "2008051042", Conv(501, K::kXmPreset, 0, 11, 2)),  // 636
    Row(DC4 "2008051043", Conv(502, K::kXmPreset, 0, 11, 2)),  // 637
    Row(DC4 "2008051044", Conv(503, K::kXmPreset, 0, 11, 2)),  // 638
    Row(DC4 "2008051045", Conv(504, K::kXmPreset, 0, 11, 2)),  // 639
    Row(DC4 "2008051046", Conv(505, K::kXmPreset, 0, 11, 2)),  // 640
    Row(DC4 "2008051047", Conv(506, K::kXmPreset, 0, 11, 2)),  // 641
    Row(DC4 "2008051048", Conv(507, K::kXmPreset, 0, 11, 2)),  // 642
    Row(DC4 "2008051051", Conv(508, K::kXmPreset, 0, 11, 2)),  // 643
    Row(DC4 "2008051052", Conv(509, K::kXmPreset, 0, 11, 2)),  // 644
    Row(DC4 "2008051053", Conv(510, K::kXmPreset, 0, 11, 2)),  // 645
    Row(DC4 "2008051054", Conv(511, K::kXmPreset, 0, 11, 2)),  // 646
    Row(DC4 "2008051055", Conv(512, K::kXmPreset, 0, 11, 2)),  // 647
    Row(DC4 "2008051056", Conv(513, K::kXmPreset, 0, 11, 2)),  // 648
    Row(DC4 "2008051057", Conv(514, K::kXmPreset, 0, 11, 2)),  // 649
    Row(DC4 "2008051058", Conv(515, K::kXmPreset, 0, 11, 2)),  // 650
    Row(DC4 "2012011000009", Conv(229, K::kInputName, 3, 14, 9)),  // 651
    Row(DC4 "2012011000109", Conv(230, K::kInputName, 3, 14, 9)),  // 652
    Row(DC4 "2012011000209", Conv(231, K::kInputName, 3, 14, 9)),  // 653
    Row(DC4 "2012011000309", Conv(232, K::kInputName, 3, 14, 9)),  // 654
    Row(DC4 "2012011000409", Conv(233, K::kInputName, 3, 14, 9)),  // 655
    Row(DC4 "2012011001109", Conv(234, K::kInputName, 3, 14, 9)),  // 656
    Row(DC4 "2012011000509", Conv(235, K::kInputName, 3, 14, 9)),  // 657
    Row(DC4 "2012011000609", Conv(236, K::kInputName, 3, 14, 9)),  // 658
    Row(DC4 "2012011000909", Conv(238, K::kInputName, 3, 14, 9)),  // 659
    Row(DC4 "2012011000A09", Conv(237, K::kInputName, 3, 14, 9)),  // 660
    Row(DC4 "2012011000C09", Conv(239, K::kInputName, 3, 14, 9)),  // 661
    Row(DC4 "2012011000E09", Conv(240, K::kInputName, 3, 14, 9)),  // 662
    Row(DC4 "2012011002009", Conv(241, K::kInputName, 3, 14, 9)),  // 663
    Row(DC4 "2012011001009", Conv(242, K::kInputName, 3, 14, 9)),  // 664
    Row(DC4 "207D00402", Conv(555, K::kIPod, 13, 10, 120)),  // 665
    Row(DC4 "205600502", Conv(556, K::kIPod, 14, 10, 81)),  // 666
    Row(DC4 "2006004000", Set(552, K::kIPod, 18, 0)),  // 667
    Row(DC4 "2006004001", Set(552, K::kIPod, 18, 1)),  // 668
    Row(DC4 "2006005000", Set(553, K::kIPod, 19, 0)),  // 669
    Row(DC4 "2006005001", Set(553, K::kIPod, 19, 1)),  // 670
    Row(DC4 "200607000", Conv(565, K::kListedOnly, 0, 10, 1)),  // 671
    Row(DC4 "200607001", Conv(566, K::kListedOnly, 0, 10, 1)),  // 672
    Row(DC4 "200607002", Conv(567, K::kListedOnly, 0, 10, 1)),  // 673
    Row(DC4 "200607003", Conv(568, K::kListedOnly, 0, 10, 1)),  // 674
    Row(DC4 "200607004", Conv(569, K::kListedOnly, 0, 10, 1)),  // 675
    Row(DC4 "200607005", Conv(570, K::kListedOnly, 0, 10, 1)),  // 676
}};
// clang-format on

#undef STX
#undef DC4

const CodeTable* CodeTableOf(int paramId) {
  for (const DecodingRow& row : kReportDecodingTable) {
    for (int i = 0; i < row.count; ++i) {
      const Descriptor& d = row.descriptors[static_cast<size_t>(i)];
      if (d.id == paramId && d.table != nullptr) return d.table;
    }
  }
  return nullptr;
}

}  // namespace qamp
