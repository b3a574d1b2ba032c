// DecodeReport on arbitrary frames.
//
// Checked for every frame:
// - the row is the first of the table whose prefix begins the frame (with a
//   standard report's status digit read as "0"), and no later row with a
//   longer prefix matches too: a longer prefix must win;
// - an unrecognised frame gives no pairs; the pairs of a recognised frame
//   are those of its row's descriptors, in their order, each ID either a
//   parameter of the image (1..556) or a listed-only value of its row;
// - a text value is the frame's own characters, at most 20 of them for a
//   plain text, and belongs to a text field of the image; a number never
//   names a text field; a code is one of the code table's entries;
// - the status digit of a standard report changes nothing, and characters
//   appended to the frame keep the row and every pair already decoded,
//   unless they complete a longer prefix that stands earlier;
// - storing the pairs changes only the words of their parameters (the
//   record of a keyed group's key), and each parameter then reads back as
//   decoded.
#include <set>
#include <string>

#include "fuzz_support.h"
#include "link/decode_report.h"
#include "link/report_decoding_table.h"
#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"

namespace qamp::fuzz {
namespace {

int FirstMatchingRow(std::string_view frame) {
  std::string copy(frame);
  if (!copy.empty() && copy[0] == kStx && copy.size() > 2) copy[2] = '0';
  for (size_t index = 0; index < kReportDecodingTable.size(); ++index) {
    if (std::string_view(copy).starts_with(kReportDecodingTable[index].prefix)) {
      for (size_t later = index + 1; later < kReportDecodingTable.size(); ++later) {
        const std::string_view prefix = kReportDecodingTable[later].prefix;
        QAMP_FUZZ_CHECK(!(prefix.size() > kReportDecodingTable[index].prefix.size() &&
                          std::string_view(copy).starts_with(prefix)));
      }
      return static_cast<int>(index);
    }
  }
  return -1;
}

bool IsTextConversion(Conversion conversion) {
  return conversion == Conversion::kText || conversion == Conversion::kPlayInfoText ||
         conversion == Conversion::kListInfoText;
}

// The pairs of `shorter` appear in `longer` in the same order.
bool IsSubsequence(const std::vector<ReportValue>& shorter,
                   const std::vector<ReportValue>& longer) {
  size_t at = 0;
  for (const ReportValue& value : shorter) {
    while (at < longer.size() && !(longer[at] == value)) ++at;
    if (at == longer.size()) return false;
    ++at;
  }
  return true;
}

void CheckPairs(std::string_view frame, const DecodedReport& decoded) {
  const DecodingRow& row = kReportDecodingTable[static_cast<size_t>(decoded.row)];
  QAMP_FUZZ_CHECK(decoded.kind == row.descriptors[0].kind);
  QAMP_FUZZ_CHECK(decoded.values.size() <= static_cast<size_t>(row.count));
  int next = 0;
  for (const ReportValue& value : decoded.values) {
    while (next < row.count && row.descriptors[static_cast<size_t>(next)].id != value.id) ++next;
    QAMP_FUZZ_CHECK(next < row.count);
    const Descriptor& d = row.descriptors[static_cast<size_t>(next++)];
    if (d.conversion == Conversion::kListedOnly) {
      QAMP_FUZZ_CHECK(value.type == ReportValue::Type::kNoValue);
    } else if (IsTextConversion(d.conversion)) {
      QAMP_FUZZ_CHECK(value.type == ReportValue::Type::kText);
    } else {
      QAMP_FUZZ_CHECK(value.type == ReportValue::Type::kNumber);
    }

    const bool imageParameter = value.id >= kFirstParamId && value.id <= kLastParamId;
    QAMP_FUZZ_CHECK(imageParameter || d.kind == GroupKind::kListedOnly);
    if (imageParameter) QAMP_FUZZ_CHECK(GroupOf(value.id) != GroupKind::kNone);
    const ParamLocation location = LocateParam(value.id);
    if (value.type == ReportValue::Type::kText) {
      QAMP_FUZZ_CHECK(location.type == ParamLocation::Type::kText);
      QAMP_FUZZ_CHECK(d.conversion != Conversion::kText || value.text.size() <= 20);
      // The characters stand in the frame where the descriptor reads them.
      QAMP_FUZZ_CHECK(frame.substr(static_cast<size_t>(d.position), value.text.size()) ==
                          value.text ||
                      (frame[0] == kStx && d.position <= 2));
    }
    if (value.type == ReportValue::Type::kNumber) {
      QAMP_FUZZ_CHECK(location.type != ParamLocation::Type::kText);
      if (d.conversion == Conversion::kCode) {
        QAMP_FUZZ_CHECK(d.table != nullptr && value.number >= 0 && value.number < d.table->count);
        QAMP_FUZZ_CHECK(frame.size() >= static_cast<size_t>(d.position + d.width));
      }
      if (d.conversion == Conversion::kHex) {
        QAMP_FUZZ_CHECK(value.number >= 0);
        QAMP_FUZZ_CHECK(d.width >= 8 || value.number < (int64_t{1} << (4 * d.width)));
      }
    }
  }
}

// The words that storing `values` may change: the word of each number, the
// bytes of each text field, and for a keyed group every record's word of its
// parameters (which record takes them depends on the key).
std::set<int> WordsOf(const std::vector<ReportValue>& values) {
  std::set<int> words;
  for (const ReportValue& value : values) {
    const ParamLocation location = LocateParam(value.id);
    switch (location.type) {
      case ParamLocation::Type::kWord:
        words.insert(location.word);
        break;
      case ParamLocation::Type::kText: {
        const int firstByte = location.word * 4 + location.byteOffset;
        for (int byte = firstByte; byte < firstByte + location.width; ++byte)
          words.insert(byte / 4);
        break;
      }
      case ParamLocation::Type::kGeqRecord:
      case ParamLocation::Type::kPeqRecord:
        for (int record = 0; record < kKeyedRecordCount; ++record)
          words.insert(RecordWord(value.id, record));
        break;
      case ParamLocation::Type::kNone:
        break;
    }
  }
  return words;
}

void CheckStore(const DecodedReport& decoded) {
  CSettingImage image;
  ResetImage(image, 0, kDefaultRegionCode);
  const CSettingImage before = image;
  StoreReportValues(image, decoded.values);
  const std::set<int> allowed = WordsOf(decoded.values);
  for (int word = 0; word < kImageWords; ++word) {
    if (image[word] != before[word]) QAMP_FUZZ_CHECK(allowed.contains(word));
  }
  // Each parameter reads back as the last pair that names it decoded it.
  int record = -1;
  for (size_t i = 0; i < decoded.values.size(); ++i) {
    const ReportValue& value = decoded.values[i];
    bool overwritten = false;
    for (size_t later = i + 1; later < decoded.values.size(); ++later) {
      overwritten |= decoded.values[later].id == value.id;
    }
    const ParamLocation location = LocateParam(value.id);
    if (value.id == kGeqKeyId || value.id == kPeqKeyId) {
      record = FindRecordByKey(before, value.id == kGeqKeyId ? GroupKind::kGeq : GroupKind::kPeq,
                               value.number);
      continue;
    }
    if (overwritten || value.type == ReportValue::Type::kNoValue) continue;
    switch (location.type) {
      case ParamLocation::Type::kWord:
        QAMP_FUZZ_CHECK(ReadParameter(image, value.id) == value.number);
        break;
      case ParamLocation::Type::kText: {
        std::string expected = value.text.substr(0, value.text.find('\0'));
        if (expected.size() > static_cast<size_t>(location.width - 1))
          expected.resize(static_cast<size_t>(location.width - 1));
        QAMP_FUZZ_CHECK(ReadText(image, value.id) == expected);
        break;
      }
      case ParamLocation::Type::kGeqRecord:
      case ParamLocation::Type::kPeqRecord:
        if (record >= 0)
          QAMP_FUZZ_CHECK(ReadRecordParameter(image, value.id, record) == value.number);
        break;
      case ParamLocation::Type::kNone:
        break;
    }
  }
}

}  // namespace
}  // namespace qamp::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qamp;
  using namespace qamp::fuzz;
  const std::string frame(AsText(data, size));
  const DecodedReport decoded = DecodeReport(frame);

  const int first = FirstMatchingRow(frame);
  QAMP_FUZZ_CHECK(decoded.row == first);
  QAMP_FUZZ_CHECK(decoded.recognised == (first >= 0));
  if (!decoded.recognised) {
    QAMP_FUZZ_CHECK(decoded.values.empty());
    QAMP_FUZZ_CHECK(decoded.kind == GroupKind::kNone);
    return 0;
  }
  CheckPairs(frame, decoded);

  // The status digit of a standard report is not part of what it says.
  if (frame[0] == kStx && frame.size() > 2) {
    for (const char status : {'0', '1', '2', 'x'}) {
      std::string other = frame;
      other[2] = status;
      const DecodedReport again = DecodeReport(other);
      QAMP_FUZZ_CHECK(again.row == decoded.row && again.values == decoded.values);
    }
  }
  // More characters behind the frame keep what it already said, unless
  // they complete the longer prefix of another row.
  const DecodedReport longer = DecodeReport(frame + std::string(24, '0'));
  QAMP_FUZZ_CHECK(longer.recognised);
  if (longer.row == decoded.row) {
    QAMP_FUZZ_CHECK(IsSubsequence(decoded.values, longer.values));
  } else {
    QAMP_FUZZ_CHECK(kReportDecodingTable[static_cast<size_t>(longer.row)].prefix.size() >
                    frame.size());
  }

  CheckStore(decoded);
  return 0;
}
