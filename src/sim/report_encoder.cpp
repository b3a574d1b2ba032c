#include "sim/report_encoder.h"

#include <array>
#include <cstdio>

#include "link/decode_report.h"
#include "link/report_decoding_table.h"
#include "link/wire_format.h"
#include "model/parameter_store.h"

namespace qamp::sim {

namespace {

constexpr size_t kStandardReportLength = 8;

bool HexDigits(int value, int width, std::string& out) {
  if (value < 0 || width < 1 || width > 8) return false;
  std::array<char, 16> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%0*X", width, static_cast<unsigned>(value));
  if (static_cast<int>(std::string_view(buffer.data()).size()) != width) return false;
  out = buffer.data();
  return true;
}

// The raw number a descriptor must read to give `value`.
bool InverseConversion(const Descriptor& d, int value, int& raw) {
  switch (d.conversion) {
    case Conversion::kHex:
      raw = value;
      return true;
    case Conversion::kScaled: {
      const int scaled = value + d.offset;
      if (d.factor >= 2) {
        if (scaled % d.factor != 0) return false;
        raw = scaled / d.factor;
      } else {
        raw = scaled;
      }
      return true;
    }
    case Conversion::kTimes5Minus60:
      raw = (value + 60) / 5;
      return (value + 60) % 5 == 0;
    case Conversion::kTimes5Minus200:
      raw = (value + 200) / 5;
      return (value + 200) % 5 == 0;
    case Conversion::kFrequencyIndex:
      raw = value * 2 + 12;
      return true;
    case Conversion::kTimes5Minus995:
      raw = (value + 995) / 5;
      return (value + 995) % 5 == 0;
    case Conversion::kTimes5Minus75:
      raw = (value + 75) / 5;
      return (value + 75) % 5 == 0;
    case Conversion::kMinus10:
      raw = value + 10;
      return true;
    default:
      return false;
  }
}

// The key of a keyed row is read from the prefix; the record with that key
// supplies the other values.
int KeyedRecord(const DecodingRow& row, const CSettingImage& image) {
  const Descriptor& key = row.descriptors[0];
  if (key.id != kGeqKeyId && key.id != kPeqKeyId) return -1;
  int keyValue = 0;
  if (static_cast<size_t>(key.position + key.width) > row.prefix.size() ||
      !ParseHex(
          row.prefix.substr(static_cast<size_t>(key.position), static_cast<size_t>(key.width)),
          keyValue)) {
    return -1;
  }
  return FindRecordByKey(image, key.id == kGeqKeyId ? GroupKind::kGeq : GroupKind::kPeq, keyValue);
}

bool ExpectedValue(const Descriptor& d, const CSettingImage& image, int record,
                   ReportValue& value) {
  const ParamLocation location = LocateParam(d.id);
  switch (location.type) {
    case ParamLocation::Type::kWord:
      value = ReportValue::Number(d.id, image[location.word]);
      return true;
    case ParamLocation::Type::kText:
      value = ReportValue::Text(d.id, ReadText(image, d.id));
      return true;
    case ParamLocation::Type::kGeqRecord:
    case ParamLocation::Type::kPeqRecord:
      if (record < 0) return false;
      value = ReportValue::Number(d.id, ReadRecordParameter(image, d.id, record));
      return true;
    case ParamLocation::Type::kNone:
      break;
  }
  return false;
}

size_t FrameLength(const DecodingRow& row) {
  if (row.prefix.front() == kStx) return kStandardReportLength;
  // DC4, "20", the length, the body: the checksum and ETX are appended.
  int length = 0;
  if (row.prefix.size() < 5 || !ParseHex(row.prefix.substr(3, 2), length)) return 0;
  return 5 + static_cast<size_t>(length);
}

bool Put(std::string& frame, const Descriptor& d, std::string_view characters) {
  const auto position = static_cast<size_t>(d.position);
  if (position + characters.size() > frame.size()) return false;
  frame.replace(position, characters.size(), characters);
  return true;
}

bool EncodeDescriptor(const Descriptor& d, const ReportValue& expected, std::string& frame) {
  switch (d.conversion) {
    case Conversion::kConstant:
    case Conversion::kIPodStandbyCharge:
    case Conversion::kIPodRepeat:
    case Conversion::kIPodShuffle:
    case Conversion::kIPodPlayInfoOutput:
    case Conversion::kIPodListInfoOutput:
      return expected.number == d.position;
    case Conversion::kListedOnly:
      return true;
    case Conversion::kCode:
      if (expected.number < 0 || d.table == nullptr || expected.number >= d.table->count)
        return false;
      return Put(frame, d, d.table->codes[expected.number]);
    case Conversion::kText:
    case Conversion::kPlayInfoText:
    case Conversion::kListInfoText: {
      std::string text = expected.text;
      if (text.size() > static_cast<size_t>(d.width)) return false;
      text.resize(static_cast<size_t>(d.width), ' ');
      return Put(frame, d, text);
    }
    default:
      break;
  }
  int raw = 0;
  std::string digits;
  return InverseConversion(d, expected.number, raw) && HexDigits(raw, d.width, digits) &&
         Put(frame, d, digits);
}

bool SameValue(const ReportValue& decoded, const ReportValue& expected) {
  if (decoded.type != expected.type || decoded.id != expected.id) return false;
  if (decoded.type == ReportValue::Type::kText) {
    // Texts travel padded with spaces to their width.
    std::string trimmed = decoded.text;
    while (trimmed.size() > expected.text.size() && trimmed.back() == ' ') trimmed.pop_back();
    return trimmed == expected.text;
  }
  return decoded.number == expected.number;
}

}  // namespace

std::optional<std::string> EncodeRow(int rowIndex, const CSettingImage& image) {
  if (rowIndex < 0 || rowIndex >= kDecodingRowCount) return std::nullopt;
  const DecodingRow& row = kReportDecodingTable[static_cast<size_t>(rowIndex)];
  const size_t length = FrameLength(row);
  if (length < row.prefix.size()) return std::nullopt;
  std::string frame(row.prefix);
  frame.resize(length, '0');
  if (row.prefix.front() == kStx) frame[length - 1] = kEtx;
  const int record = KeyedRecord(row, image);

  std::vector<ReportValue> expected;
  for (int i = 0; i < row.count; ++i) {
    const Descriptor& d = row.descriptors[static_cast<size_t>(i)];
    if (d.conversion == Conversion::kListedOnly) continue;
    ReportValue value;
    if (!ExpectedValue(d, image, record, value)) return std::nullopt;
    const bool insidePrefix = d.conversion != Conversion::kConstant &&
                              static_cast<size_t>(d.position + d.width) <= row.prefix.size() &&
                              d.width > 0;
    if (!insidePrefix && !EncodeDescriptor(d, value, frame)) return std::nullopt;
    expected.push_back(std::move(value));
  }
  if (row.prefix.front() == kDc4) frame = FrameExtended(frame);

  // The frame must come back through the decoding table as this row, with
  // these values: a row with a longer prefix earlier in the table, or a key
  // that differs, makes the row unusable for these values.
  const DecodedReport decoded = DecodeReport(frame);
  if (!decoded.recognised || decoded.row != rowIndex) return std::nullopt;
  size_t next = 0;
  for (const ReportValue& value : decoded.values) {
    if (value.type == ReportValue::Type::kNoValue) continue;
    if (next >= expected.size() || !SameValue(value, expected[next])) return std::nullopt;
    ++next;
  }
  if (next != expected.size()) return std::nullopt;
  return frame;
}

std::optional<std::string> EncodeFirstMatching(std::string_view prefix,
                                               const CSettingImage& image) {
  for (int row = 0; row < kDecodingRowCount; ++row) {
    if (!kReportDecodingTable[static_cast<size_t>(row)].prefix.starts_with(prefix)) continue;
    if (auto frame = EncodeRow(row, image)) return frame;
  }
  return std::nullopt;
}

std::optional<std::string> EncodeReportOf(ParamId id, const CSettingImage& image) {
  for (int index = 0; index < kDecodingRowCount; ++index) {
    const DecodingRow& row = kReportDecodingTable[static_cast<size_t>(index)];
    if (row.prefix.front() != kStx) continue;
    bool carries = false;
    for (int i = 0; i < row.count; ++i) carries |= row.descriptors[static_cast<size_t>(i)].id == id;
    if (!carries) continue;
    if (auto frame = EncodeRow(index, image)) return frame;
  }
  return std::nullopt;
}

std::string BuildConfigurationReport(const CSettingImage& image, std::string_view model) {
  std::string report;
  report.push_back(kDc2);
  report.append(model.substr(0, 5));
  report.resize(6, '0');
  report.append("0B5");
  report.append(kConfigurationCharacters, '0');
  for (const ConfigurationRow& row : ConfigurationRows()) {
    // The first row of the decoding table for this code that can carry the
    // image's values, and whose high character is "0" where the link
    // always reads "0".
    std::array<char, 8> code{};
    std::snprintf(code.data(), code.size(), "%02X", row.code);
    const std::string prefix = std::string(1, kStx) + "00" + code.data();
    for (int index = 0; index < kDecodingRowCount; ++index) {
      if (!kReportDecodingTable[static_cast<size_t>(index)].prefix.starts_with(prefix)) continue;
      const std::optional<std::string> frame = EncodeRow(index, image);
      if (!frame || (row.high < 0 && (*frame)[5] != '0')) continue;
      if (row.high >= 0) report[kConfigurationOffset + static_cast<size_t>(row.high)] = (*frame)[5];
      report[kConfigurationOffset + static_cast<size_t>(row.low)] = (*frame)[6];
      break;
    }
  }
  report.push_back(kEtx);
  return report;
}

}  // namespace qamp::sim
