// The configuration report: IsConfigurationReport, IsExpectedModel and
// ConfigurationToReports, and every report built from it through
// DecodeReport and into an image.
//
// The first byte chooses how the rest is read: an even byte takes the rest
// as the frame itself, whatever it holds; an odd byte takes it as the 180
// configuration characters of a well-formed report of a QR-K2600.
//
// Checked:
// - a frame taken for a configuration report is long enough for the
//   positions the link reads, and the expected model is "R0226" at 1..5;
// - the conversion gives 96 standard reports, each STX "00", its row's code,
//   two data characters and ETX, the characters taken from the report's
//   positions (NUL beyond its end, "0" where the row has no high position);
//   it changes nothing in the report except an "E" that becomes "F" at the
//   position of code 58;
// - a built report that is recognised is taken by a row of its own code;
// - for a well-formed report: the image the reports give, described again
//   by the simulated receiver's configuration report, gives the same image.
#include <array>
#include <cstdio>
#include <string>

#include "fuzz_support.h"
#include "link/decode_report.h"
#include "link/report_decoding_table.h"
#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "sim/report_encoder.h"

namespace qamp::fuzz {
namespace {

std::string TwoHex(unsigned value) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  return {kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

char At(std::string_view text, size_t offset) {
  return offset < text.size() ? text[offset] : '\0';
}

// Converts `frame`, checks the reports and returns the image they give.
CSettingImage ConvertAndCheck(std::string_view frame) {
  CSettingImage image;
  ResetImage(image, 0, kDefaultRegionCode);
  std::string report(frame);
  const std::vector<std::string> reports = ConfigurationToReports(report);
  const std::span<const ConfigurationRow> rows = ConfigurationRows();
  QAMP_FUZZ_CHECK(rows.size() == static_cast<size_t>(kConfigurationReportRows));
  QAMP_FUZZ_CHECK(reports.size() == rows.size());

  // Only an "E" at the position of code 58 may have changed, into "F".
  QAMP_FUZZ_CHECK(report.size() == frame.size());
  size_t eToF = std::string::npos;
  for (const ConfigurationRow& row : rows) {
    if (row.code == 0x58) eToF = kConfigurationOffset + static_cast<size_t>(row.low);
  }
  for (size_t i = 0; i < frame.size(); ++i) {
    if (i == eToF && frame[i] == 'E') {
      QAMP_FUZZ_CHECK(report[i] == 'F');
    } else {
      QAMP_FUZZ_CHECK(report[i] == frame[i]);
    }
  }

  for (size_t i = 0; i < rows.size(); ++i) {
    const ConfigurationRow& row = rows[i];
    const std::string& built = reports[i];
    QAMP_FUZZ_CHECK(built.size() == 8);
    QAMP_FUZZ_CHECK(built.substr(0, 5) == std::string(1, kStx) + "00" + TwoHex(row.code));
    QAMP_FUZZ_CHECK(built[7] == kEtx);
    const char high =
        row.high < 0 ? '0' : At(report, kConfigurationOffset + static_cast<size_t>(row.high));
    QAMP_FUZZ_CHECK(built[5] == high);
    QAMP_FUZZ_CHECK(built[6] == At(report, kConfigurationOffset + static_cast<size_t>(row.low)));

    // Reports of codes that no decoding row knows give nothing; the others
    // are taken by a row of their own code.
    const DecodedReport decoded = DecodeReport(built);
    if (decoded.recognised) {
      QAMP_FUZZ_CHECK(kReportDecodingTable[static_cast<size_t>(decoded.row)].prefix.starts_with(
          built.substr(0, 5)));
    }
    StoreReportValues(image, decoded.values);
  }
  return image;
}

}  // namespace
}  // namespace qamp::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qamp;
  using namespace qamp::fuzz;
  ByteReader input(data, size);
  const bool wellFormed = (input.Byte() & 1) != 0;
  std::string frame = input.Rest();

  if (wellFormed) {
    std::string characters = frame.substr(0, kConfigurationCharacters);
    characters.resize(kConfigurationCharacters, '0');
    characters[16 - kConfigurationOffset] = '0';
    frame = std::string(1, kDc2) + std::string(kExpectedModel) + "0B5" + characters + kEtx;
    QAMP_FUZZ_CHECK(IsConfigurationReport(frame));
    QAMP_FUZZ_CHECK(IsExpectedModel(frame));
  }

  if (IsConfigurationReport(frame)) {
    QAMP_FUZZ_CHECK(frame.size() > 16 && frame[0] == kDc2);
  }
  QAMP_FUZZ_CHECK(IsExpectedModel(frame) == (frame.size() > 5 && frame.substr(1, 5) == "R0226"));
  QAMP_FUZZ_CHECK(ModelOf(frame).size() <= 5);

  const CSettingImage image = ConvertAndCheck(frame);

  if (wellFormed) {
    // What the simulated receiver reports for this image gives an image that
    // is a fixed point: reported and converted again, it stays the same.
    // (The first image may hold values no receiver sends, such as "ff" read
    // as 255 where the receiver writes "FF" for a value of its own; those
    // cannot come back. Nor need the report's characters: "FF" and "00"
    // both mean 0 there.)
    const std::string again = sim::BuildConfigurationReport(image);
    QAMP_FUZZ_CHECK(IsConfigurationReport(again) && IsExpectedModel(again));
    const CSettingImage normal = ConvertAndCheck(again);
    QAMP_FUZZ_CHECK(ConvertAndCheck(sim::BuildConfigurationReport(normal)) == normal);
  }
  return 0;
}
