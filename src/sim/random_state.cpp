#include "sim/random_state.h"

#include <random>
#include <string>

#include "link/decode_report.h"
#include "link/report_decoding_table.h"
#include "link/wire_format.h"
#include "model/parameter_store.h"
#include "model/vocabulary.h"

namespace qamp::sim {

namespace {

// A code whose configuration row carries only its low character never has
// a high one other than "0".
bool HighCharacterAlwaysZero(std::string_view code) {
  for (const ConfigurationRow& row : ConfigurationRows()) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", row.code);
    if (row.high < 0 && code == text) return true;
  }
  return false;
}

}  // namespace

void RandomizeImage(CSettingImage& image, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> digit(0, 15);
  std::uniform_int_distribution<int> letter(0, 35);
  for (const DecodingRow& row : kReportDecodingTable) {
    // Memory commands, the iPod's play and list texts and the "Initialize"
    // request are not settings.
    if (row.descriptors[0].kind == GroupKind::kListedOnly) continue;
    if (row.descriptors[0].id == 555 || row.descriptors[0].id == 556 ||
        row.descriptors[0].id == 536)
      continue;
    std::string frame(row.prefix);
    size_t length = 8;
    if (row.prefix[0] == kDc4) {
      int body = 0;
      if (!ParseHex(row.prefix.substr(3, 2), body)) continue;
      length = 5 + static_cast<size_t>(body);
    }
    frame.resize(length, '0');
    for (int d = 0; d < row.count; ++d) {
      const Descriptor& descriptor = row.descriptors[static_cast<size_t>(d)];
      const auto position = static_cast<size_t>(descriptor.position);
      if (descriptor.width <= 0 || position < row.prefix.size() || position >= length) continue;
      const auto width = static_cast<size_t>(descriptor.width);
      if (descriptor.conversion == Conversion::kCode) {
        std::uniform_int_distribution<int> pick(0, descriptor.table->count - 1);
        frame.replace(position, width, descriptor.table->codes[pick(random)]);
        continue;
      }
      const bool text = descriptor.conversion == Conversion::kText ||
                        descriptor.conversion == Conversion::kPlayInfoText ||
                        descriptor.conversion == Conversion::kListInfoText;
      for (size_t i = 0; i < width && position + i < length; ++i) {
        frame[position + i] = text ? "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"[letter(random)]
                                   : "0123456789ABCDEF"[digit(random)];
      }
    }
    if (row.prefix[0] == kStx) {
      if (row.prefix.size() <= 5 && HighCharacterAlwaysZero(row.prefix.substr(3, 2)))
        frame[5] = '0';
      frame.back() = kEtx;
    } else {
      frame = FrameExtended(frame);
    }
    StoreReportValues(image, DecodeReport(frame).values);
  }
  // The sound program of every input, which no report carries as a value
  // of its own: a program 0..25, or Straight.
  std::uniform_int_distribution<int> program(0, 25);
  std::uniform_int_distribution<int> coin(0, 1);
  for (int record = 0; record < 13; ++record) {
    image[kInputDspFirstWord + 2 * record] = program(random);
    image[kInputDspFirstWord + 2 * record + 1] = coin(random);
  }
  // The receiver plays the program its current input is set to.
  const int input = image[1];
  if (input >= 0 && input < kInputCount) {
    const int word = kInputDspFirstWord + 2 * InputDspRecordOfInput(input);
    if (image[4] == kStraightProgram) {
      image[word + 1] = 1;
    } else if (image[4] >= 0 && image[4] < kProgramCount) {
      image[word] = image[4];
      image[word + 1] = 0;
    }
  }
}

}  // namespace qamp::sim
