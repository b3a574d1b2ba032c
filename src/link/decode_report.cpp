#include "link/decode_report.h"

#include <string>

#include "link/report_decoding_table.h"
#include "link/wire_format.h"

namespace qamp {

namespace {

constexpr size_t kMaxTextValue = 20;

bool Slice(std::string_view frame, const Descriptor& d, std::string_view& out) {
  if (d.position < 0 || d.width <= 0) return false;
  const auto position = static_cast<size_t>(d.position);
  const auto width = static_cast<size_t>(d.width);
  if (position + width > frame.size()) return false;
  out = frame.substr(position, width);
  return true;
}

bool DecodeDescriptor(std::string_view frame, const Descriptor& d, ReportValue& out) {
  const ParamId id = d.id;
  std::string_view characters;
  int number = 0;
  switch (d.conversion) {
    case Conversion::kConstant:
    case Conversion::kIPodStandbyCharge:
    case Conversion::kIPodRepeat:
    case Conversion::kIPodShuffle:
    case Conversion::kIPodPlayInfoOutput:
    case Conversion::kIPodListInfoOutput:
      out = ReportValue::Number(id, d.position);
      return true;
    case Conversion::kListedOnly:
      out = ReportValue::NoValue(id);
      return true;
    case Conversion::kCode:
      if (!Slice(frame, d, characters) || d.table == nullptr) return false;
      for (int i = 0; i < d.table->count; ++i) {
        if (d.table->codes[i] == characters) {
          out = ReportValue::Number(id, i);
          return true;
        }
      }
      return false;
    case Conversion::kText:
      if (static_cast<size_t>(d.width) > kMaxTextValue || !Slice(frame, d, characters))
        return false;
      out = ReportValue::Text(id, std::string(characters));
      return true;
    case Conversion::kPlayInfoText:
    case Conversion::kListInfoText:
      if (!Slice(frame, d, characters)) return false;
      out = ReportValue::Text(id, std::string(characters));
      return true;
    default:
      break;
  }
  if (!Slice(frame, d, characters) || !ParseHex(characters, number)) return false;
  switch (d.conversion) {
    case Conversion::kHex:
      break;
    case Conversion::kScaled:
      number = (d.factor >= 2 ? number * d.factor : number) - d.offset;
      break;
    case Conversion::kTimes5Minus60:
      number = number * 5 - 60;
      break;
    case Conversion::kTimes5Minus200:
      number = number * 5 - 200;
      break;
    case Conversion::kFrequencyIndex:
      number = (number - 12) / 2;
      break;
    case Conversion::kTimes5Minus995:
      number = number * 5 - 995;
      break;
    case Conversion::kTimes5Minus75:
      number = number * 5 - 75;
      break;
    case Conversion::kMinus10:
      number = number - 10;
      break;
    default:
      return false;
  }
  out = ReportValue::Number(id, number);
  return true;
}

}  // namespace

bool DecodedReport::HasId(ParamId id) const {
  for (const ReportValue& value : values) {
    if (value.id == id) return true;
  }
  return false;
}

bool ParseHex(std::string_view text, int& value) {
  if (text.empty() || text.size() > 7) return false;
  int result = 0;
  for (const char c : text) {
    int digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return false;
    }
    result = result * 16 + digit;
  }
  value = result;
  return true;
}

DecodedReport DecodeReport(std::string_view frame) {
  DecodedReport decoded;
  if (frame.empty()) return decoded;
  std::string copy(frame);
  if (copy[0] == kStx && copy.size() > 2) copy[2] = '0';
  for (size_t index = 0; index < kReportDecodingTable.size(); ++index) {
    const DecodingRow& row = kReportDecodingTable[index];
    if (!std::string_view(copy).starts_with(row.prefix)) continue;
    decoded.recognised = true;
    decoded.row = static_cast<int>(index);
    decoded.kind = row.descriptors[0].kind;
    for (int i = 0; i < row.count; ++i) {
      ReportValue value;
      if (DecodeDescriptor(copy, row.descriptors[static_cast<size_t>(i)], value)) {
        decoded.values.push_back(std::move(value));
      }
    }
    break;
  }
  return decoded;
}

}  // namespace qamp
