// What travels over the serial cable: the three frame kinds, the checksum of
// extended messages, the volume encodings and the configuration report.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qamp {

inline constexpr char kStx = '\x02';  // standard command or report
inline constexpr char kEtx = '\x03';  // end of every frame
inline constexpr char kDc2 = '\x12';  // configuration report
inline constexpr char kDc4 = '\x14';  // extended message, both directions

inline constexpr std::string_view kExpectedModel = "R0226";
inline constexpr int kConfigurationReportRows = 96;

// Two upper-case hex digits: the byte sum of the body modulo 256.
std::string ChecksumText(std::string_view body);

// A stored request that begins with DC4 becomes DC4, body, checksum, ETX.
// Stored standard commands already end in ETX and are returned unchanged.
std::string FrameExtended(std::string_view stored);

// A standard command: STX, text, ETX.
std::string FrameStandard(std::string_view text);

// Main volume in tenths of a decibel as two characters: "00" below -80.4 dB,
// otherwise v / 5 + 199 in hex (division truncating toward zero).
std::string EncodeVolume(int tenths);
// The same with a separate mute code: "00" below -80.9 dB, "01" below -80.4 dB.
std::string EncodeVolumeWithMute(int tenths);

bool IsConfigurationReport(std::string_view frame);
bool IsExpectedModel(std::string_view frame);
std::string ModelOf(std::string_view frame);  // the five model characters, as far as present

// One row of the configuration conversion: the report code and the
// configuration positions of its two data characters (-1: always "0").
struct ConfigurationRow {
  unsigned code;
  int high;
  int low;
};
std::span<const ConfigurationRow> ConfigurationRows();
inline constexpr size_t kConfigurationOffset = 9;  // position p is frame offset 9 + p
inline constexpr size_t kConfigurationCharacters = 180;

// The 96 standard reports the configuration characters stand for, in order.
// Before the row with code 0x58 is built, an "E" at its position is replaced
// by "F" in the report itself, which is why the report is taken by reference.
std::vector<std::string> ConfigurationToReports(std::string& report);

// An extended reply whose status character (offset 8) is "4".
bool IsParameterError(std::string_view frame);
// A standard report with status "1" or "2" at offset 2, or an extended reply
// with "1" or "2" at offset 8.
bool IsGuarded(std::string_view frame);

// Readable form of a frame for logs and the command line: control bytes
// written as <STX>, <ETX>, <DC2>, <DC4>; other bytes below 0x20 as <0xNN>.
std::string ShowFrame(std::string_view frame);

}  // namespace qamp
