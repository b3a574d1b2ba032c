// The report decoding table and DecodeReport.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>
#include <set>

#include "link/decode_report.h"
#include "link/report_decoding_table.h"
#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "sim/report_encoder.h"

namespace qamp {
namespace {

const std::string STX = "\x02";
const std::string ETX = "\x03";
const std::string DC4 = "\x14";

using Pairs = std::vector<ReportValue>;

}  // namespace

void PrintTo(const ReportValue& value, std::ostream* out) {
  *out << "(" << value.id << ", ";
  if (value.type == ReportValue::Type::kNumber) *out << value.number;
  if (value.type == ReportValue::Type::kText) *out << '"' << value.text << '"';
  if (value.type == ReportValue::Type::kNoValue) *out << "none";
  *out << ")";
}

namespace {

ReportValue N(ParamId id, int value) {
  return ReportValue::Number(id, value);
}
ReportValue T(ParamId id, std::string text) {
  return ReportValue::Text(id, std::move(text));
}

TEST(DecodingTable, HasAllRowsWithOneKindPerRowAndUpToFourDescriptors) {
  EXPECT_EQ(kReportDecodingTable.size(), 677U);
  std::map<GroupKind, int> descriptorsPerKind;
  for (size_t i = 0; i < kReportDecodingTable.size(); ++i) {
    const DecodingRow& row = kReportDecodingTable[i];
    ASSERT_GE(row.count, 1) << i;
    ASSERT_LE(row.count, 4) << i;
    ASSERT_FALSE(row.prefix.empty());
    EXPECT_TRUE(row.prefix[0] == kStx || row.prefix[0] == kDc4) << i;
    for (int d = 0; d < row.count; ++d) {
      EXPECT_EQ(row.descriptors[d].kind, row.descriptors[0].kind) << "row " << i;
      ++descriptorsPerKind[row.descriptors[d].kind];
    }
  }
  EXPECT_EQ(descriptorsPerKind[GroupKind::kListedOnly], 14);
  EXPECT_EQ(descriptorsPerKind.count(GroupKind::kInputDsp), 0U);
}

TEST(DecodingTable, NoRowIsShadowedByAnEarlierShorterPrefix) {
  for (size_t later = 0; later < kReportDecodingTable.size(); ++later) {
    for (size_t earlier = 0; earlier < later; ++earlier) {
      EXPECT_FALSE(
          kReportDecodingTable[later].prefix.starts_with(kReportDecodingTable[earlier].prefix))
          << "row " << later << " can never match: row " << earlier << " comes first";
    }
  }
}

TEST(DecodingTable, EveryDescriptorNamesAStoredParameterOrAListedCode) {
  // IDs 563..576 label memory commands and statuses and are only listed.
  for (const DecodingRow& row : kReportDecodingTable) {
    for (int d = 0; d < row.count; ++d) {
      const Descriptor& descriptor = row.descriptors[d];
      if (descriptor.kind == GroupKind::kListedOnly) {
        EXPECT_GE(descriptor.id, 563);
        EXPECT_LE(descriptor.id, 576);
        continue;
      }
      EXPECT_NE(LocateParam(descriptor.id).type, ParamLocation::Type::kNone) << descriptor.id;
      EXPECT_EQ(GroupOf(descriptor.id), descriptor.kind) << descriptor.id;
    }
  }
}

TEST(DecodingTable, KeyedGroupsCarryTheKeyFirst) {
  for (const DecodingRow& row : kReportDecodingTable) {
    const GroupKind kind = row.descriptors[0].kind;
    if (kind == GroupKind::kGeq && row.descriptors[0].id != 402 && row.descriptors[0].id != 403) {
      EXPECT_EQ(row.descriptors[0].id, 394) << row.prefix;
    }
    if (kind == GroupKind::kPeq) {
      EXPECT_EQ(row.descriptors[0].id, 404) << row.prefix;
    }
  }
}

struct DecodeCase {
  std::string frame;
  GroupKind kind;
  Pairs pairs;
};

TEST(DecodeReport, GivesThePairsOfItsRow) {
  const DecodeCase cases[] = {
      {STX + "0026C7" + ETX, GroupKind::kBasic, {N(6, 0)}},
      {STX + "002600" + ETX, GroupKind::kBasic, {N(6, -805)}},  // muted before the general row
      {STX + "002627" + ETX, GroupKind::kBasic, {N(6, -800)}},
      {STX + "00210A" + ETX, GroupKind::kBasic, {N(1, 8)}},  // DVR
      {STX + "002218" + ETX, GroupKind::kBasic, {N(3, 1), N(2, 1)}},
      {STX + "002003" + ETX, GroupKind::kBasic, {N(9, 0), N(10, 1), N(11, 1)}},
      {STX + "002845" + ETX, GroupKind::kBasic, {N(4, 25)}},
      {STX + "002880" + ETX, GroupKind::kBasic, {N(4, 26)}},
      {STX + "00AB01" + ETX, GroupKind::kZone, {N(26, -805)}},
      {STX + "00AB00" + ETX, GroupKind::kZone, {N(26, -810)}},
      {STX + "00A905" + ETX, GroupKind::kZone, {N(24, 5)}},
      {STX + "0041" + "3C" + ETX, GroupKind::kSpeakerLevel, {N(259, 100)}},  // x*5-200
      {STX + "004B" + "00" + ETX, GroupKind::kSoundOption, {N(289, -10)}},
      {STX + "0051" + "14" + ETX, GroupKind::kSoundOption, {N(293, 0)}},  // x*10-200
      {STX + "0056FF" + ETX, GroupKind::kSoundOption, {N(296, 0)}},
      {STX + "00561E" + ETX, GroupKind::kSoundOption, {N(296, 30)}},
      {STX + "006103" + ETX, GroupKind::kDisplay, {N(525, -1)}},
      {STX + "007B00" + ETX, GroupKind::kMisc, {N(529, 0)}},
      {STX + "007B0A" + ETX, GroupKind::kMisc, {N(530, 6), N(529, 1)}},
      {STX + "009602" + ETX, GroupKind::kIPod, {}},  // no row for that constant: see below
      {STX + "009802" + ETX, GroupKind::kIPod, {N(551, 2)}},
      {STX + "003A" + "00" + ETX, GroupKind::kTrigger, {N(300, 3)}},
      {STX + "0030" + "00" + ETX, GroupKind::kListedOnly, {ReportValue::NoValue(563)}},
      {DC4 + "2008030020" + "0F" + "xx" + ETX, GroupKind::kGeq, {N(394, 2), N(395, 0)}},
      {DC4 + "200803000C" + "1B" + "xx" + ETX, GroupKind::kGeq, {N(394, 0), N(401, 60)}},
      {DC4 + "200B0340A1" + "0C" + "34" + "3" + "xx" + ETX,
       GroupKind::kPeq,
       {N(404, 10), N(406, 0), N(420, 60), N(413, 3)}},
      {DC4 + "200B034006" + "3C" + "00" + "D" + "xx" + ETX,
       GroupKind::kPeq,
       {N(404, 0), N(411, 24), N(425, -200), N(418, 13)}},
      {DC4 + "200904100" + "1" + "12C" + "xx" + ETX,
       GroupKind::kSpeakerDistance,
       {N(269, 1), N(272, 300)}},
      {DC4 + "200B0210000E0" + "09" + "xx" + ETX, GroupKind::kDspParam, {N(28, 3)}},  // x-6
      {DC4 + "200B02102C100" + "06" + "xx" + ETX, GroupKind::kDspParam, {N(183, 3)}},
      {DC4 + "200B02102C1B0" + "0B" + "xx" + ETX, GroupKind::kDspParam, {N(187, 8)}},
      {DC4 + "200B021044250" + "01" + "xx" + ETX, GroupKind::kDspParam, {N(197, 1)}},
      {DC4 + "2009033010" + "1" + "18" + "xx" + ETX,
       GroupKind::kSoundOption,
       {N(285, 1), N(286, 60)}},
      {DC4 + "200D050011" + "1" + "087.50" + "xx" + ETX,
       GroupKind::kTunerPreset,
       {T(436, "087.50")}},
      {DC4 + "2012011000A09" + "  DVR    " + "xx" + ETX,
       GroupKind::kInputName,
       {T(237, "  DVR    ")}},
      {DC4 + "2008051038" + "FF" + "xx" + ETX, GroupKind::kXmPreset, {N(499, 255)}},
      {DC4 + "200904001109" + "1" + "xx" + ETX, GroupKind::kTrigger, {N(364, 1)}},
      {DC4 + "200607101" + "2" + "xx" + ETX, GroupKind::kGeq, {N(402, 2)}},
      {DC4 + "2006004001" + "xx" + ETX, GroupKind::kIPod, {N(552, 1)}},
      {DC4 + "200607003" + "1" + "xx" + ETX, GroupKind::kListedOnly, {N(568, 1)}},
      {DC4 + "20080100000A" + "xx" + ETX, GroupKind::kIoAssign, {N(246, 8)}},
      {DC4 + "2008012011" + "0F" + "xx" + ETX, GroupKind::kVolume, {N(381, 15)}},
  };
  for (const DecodeCase& c : cases) {
    const DecodedReport decoded = DecodeReport(c.frame);
    if (c.frame == STX + "009602" + ETX) {
      EXPECT_FALSE(decoded.recognised);  // standby charge has only the constants 0 and 1
      continue;
    }
    ASSERT_TRUE(decoded.recognised) << ShowFrame(c.frame);
    EXPECT_EQ(decoded.kind, c.kind) << ShowFrame(c.frame);
    EXPECT_EQ(decoded.values, c.pairs) << ShowFrame(c.frame);
  }
}

TEST(DecodeReport, AGuardedReportDecodesLikeTheNormalOne) {
  for (const char status : {'1', '2'}) {
    const DecodedReport guarded = DecodeReport(STX + "0" + status + "26C7" + ETX);
    ASSERT_TRUE(guarded.recognised);
    EXPECT_EQ(guarded.values, (Pairs{N(6, 0)}));
  }
}

TEST(DecodeReport, IPodTextsAndConstants) {
  const std::string play = std::string(40, 'T') + std::string(20, 'A') + std::string(60, 'c');
  const Pairs playPairs = {T(555, play)};
  DecodedReport decoded = DecodeReport(DC4 + "207D00402" + play + "xx" + ETX);
  ASSERT_TRUE(decoded.recognised);
  EXPECT_EQ(decoded.values, playPairs);
  const std::string list = "2" + std::string(80, 'L');
  decoded = DecodeReport(DC4 + "205600502" + list + "xx" + ETX);
  const Pairs listPairs = {T(556, list)};
  EXPECT_EQ(decoded.values, listPairs);
  EXPECT_EQ(DecodeReport(STX + "009701" + ETX).values, (Pairs{N(550, 1)}));
}

TEST(DecodeReport, UnknownCodesAreNotRecognised) {
  for (const std::string& frame : {STX + "00FF00" + ETX, STX + "006C00" + ETX, DC4 + "2099" + ETX,
                                   std::string("\x12R0226"), std::string(1, kEtx), std::string()}) {
    EXPECT_FALSE(DecodeReport(frame).recognised) << ShowFrame(frame);
  }
}

TEST(DecodeReport, ValuesThatCannotBeReadGiveNoPair) {
  // A code missing from its table.
  DecodedReport decoded = DecodeReport(STX + "0021" + "FF" + ETX);
  EXPECT_TRUE(decoded.recognised);
  EXPECT_TRUE(decoded.values.empty());
  // Non-hexadecimal digits where a number is expected.
  EXPECT_TRUE(DecodeReport(STX + "0026" + "G7" + ETX).values.empty());
  EXPECT_TRUE(DecodeReport(STX + "0026" + std::string("\0\0", 2) + ETX).values.empty());
  // Truncated: the value characters are missing.
  decoded = DecodeReport(STX + "0026");
  EXPECT_TRUE(decoded.recognised);
  EXPECT_TRUE(decoded.values.empty());
  decoded = DecodeReport(DC4 + "200B034000" + "0C");
  EXPECT_EQ(decoded.values, (Pairs{N(404, 0), N(405, 0)}));
  // A text cut short by the end of the frame.
  EXPECT_TRUE(DecodeReport(DC4 + "200D050011" + "1087").values.empty());
  // A very long frame decodes by its beginning only.
  const std::string longFrame = STX + "0026C7" + std::string(1000, 'Z') + ETX;
  EXPECT_EQ(DecodeReport(longFrame).values, (Pairs{N(6, 0)}));
}

// Builds a frame for every row with random valid characters, stores what it
// decodes to, and so produces an image holding arbitrary valid values.
CSettingImage RandomImage(std::mt19937& random) {
  CSettingImage image;
  ResetImage(image, 0, 1);
  std::uniform_int_distribution<int> digit(0, 15);
  std::uniform_int_distribution<int> letter(0, 35);
  for (const DecodingRow& row : kReportDecodingTable) {
    std::string frame(row.prefix);
    size_t length = 8;
    if (row.prefix[0] == kDc4) {
      int bodyLength = 0;
      EXPECT_TRUE(ParseHex(row.prefix.substr(3, 2), bodyLength));
      length = 5 + static_cast<size_t>(bodyLength);
    }
    frame.resize(length, '0');
    for (int d = 0; d < row.count; ++d) {
      const Descriptor& descriptor = row.descriptors[d];
      const auto position = static_cast<size_t>(descriptor.position);
      if (descriptor.width <= 0 || position < row.prefix.size()) continue;
      for (int i = 0; i < descriptor.width; ++i) {
        char& c = frame[position + static_cast<size_t>(i)];
        switch (descriptor.conversion) {
          case Conversion::kCode:
            break;
          case Conversion::kText:
          case Conversion::kPlayInfoText:
          case Conversion::kListInfoText:
            c = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"[letter(random)];
            break;
          default:
            c = "0123456789ABCDEF"[digit(random)];
        }
      }
      if (descriptor.conversion == Conversion::kCode) {
        std::uniform_int_distribution<int> pick(0, descriptor.table->count - 1);
        frame.replace(position, static_cast<size_t>(descriptor.width),
                      descriptor.table->codes[pick(random)]);
      }
    }
    if (row.prefix[0] == kStx) {
      // Where the configuration report carries only the low character of a
      // code, a receiver's value never needs the high one.
      for (const ConfigurationRow& configuration : ConfigurationRows()) {
        char code[3];
        std::snprintf(code, sizeof code, "%02X", configuration.code);
        if (configuration.high < 0 && row.prefix.substr(3, 2) == code && row.prefix.size() <= 5) {
          frame[5] = '0';
        }
      }
      frame.back() = kEtx;
    } else {
      frame = FrameExtended(frame);
    }
    StoreReportValues(image, DecodeReport(frame).values);
  }
  return image;
}

TEST(DecodeRoundTrip, WhatAReceiverSendsOfAnImageStoresBackToThatImage) {
  std::mt19937 random(2600);
  for (int round = 0; round < 5; ++round) {
    const CSettingImage source = RandomImage(random);
    CSettingImage target;
    ResetImage(target, 0, 1);
    std::set<ParamId> carried;
    auto take = [&](const std::string& frame) {
      const DecodedReport decoded = DecodeReport(frame);
      ASSERT_TRUE(decoded.recognised) << ShowFrame(frame);
      StoreReportValues(target, decoded.values);
      for (const ReportValue& value : decoded.values) carried.insert(value.id);
    };
    std::string configuration = sim::BuildConfigurationReport(source);
    ASSERT_TRUE(IsConfigurationReport(configuration));
    ASSERT_TRUE(IsExpectedModel(configuration));
    for (const std::string& report : ConfigurationToReports(configuration)) {
      if (DecodeReport(report).recognised) take(report);
    }
    for (int row = 0; row < kDecodingRowCount; ++row) {
      if (kReportDecodingTable[static_cast<size_t>(row)].prefix[0] != kDc4) continue;
      if (const auto frame = sim::EncodeRow(row, source)) take(*frame);
    }
    for (const ParamId id : carried) {
      const ParamLocation location = LocateParam(id);
      switch (location.type) {
        case ParamLocation::Type::kWord:
          EXPECT_EQ(target[location.word], source[location.word]) << "ID " << id;
          break;
        case ParamLocation::Type::kText:
          EXPECT_EQ(ReadText(target, id), ReadText(source, id)) << "ID " << id;
          break;
        case ParamLocation::Type::kGeqRecord:
        case ParamLocation::Type::kPeqRecord:
          for (int record = 0; record < kKeyedRecordCount; ++record) {
            EXPECT_EQ(ReadRecordParameter(target, id, record),
                      ReadRecordParameter(source, id, record))
                << "ID " << id << " record " << record;
          }
          break;
        case ParamLocation::Type::kNone:
          break;
      }
    }
    // Every stored parameter that the table decodes is carried by the
    // configuration report or an extended reply, apart from the MULTI CH
    // front input, which a receiver in 6-channel mode does not report.
    for (const DecodingRow& row : kReportDecodingTable) {
      for (int d = 0; d < row.count; ++d) {
        const ParamId id = row.descriptors[d].id;
        if (row.descriptors[d].kind == GroupKind::kListedOnly || id == 530) continue;
        if (id >= 549 && id <= 551) continue;  // iPod settings travel only as live reports
        if (id == 536) continue;               // "Initialize" is never read back
        EXPECT_TRUE(carried.count(id) == 1 ||
                    ReadParameter(source, id) == ReadParameter(target, id))
            << "ID " << id;
      }
    }
  }
}

}  // namespace
}  // namespace qamp
