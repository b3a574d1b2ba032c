#include "link/wire_format.h"

#include <array>
#include <cstdio>

namespace qamp {

namespace {

std::string Hex2(unsigned value) {
  std::array<char, 8> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%02X", value & 0xFFU);
  return buffer.data();
}

// Configuration character positions of the 96 reports, in processing order.
constexpr std::array<ConfigurationRow, kConfigurationReportRows> kConfigurationRows = {{
    {0x20, -1, 8},    {0x21, 9, 10},    {0x22, 11, 40},   {0x23, -1, 12},   {0x26, 15, 16},
    {0x28, 19, 20},   {0x2D, -1, 22},   {0x8C, -1, 126},  {0x24, -1, 13},   {0x25, -1, 14},
    {0x27, 17, 18},   {0x3E, -1, 47},   {0x66, -1, 93},   {0xA9, -1, 156},  {0xAB, 157, 158},
    {0xAD, 159, 160}, {0xA0, -1, 127},  {0xA1, -1, 128},  {0xA2, 129, 130}, {0x3F, -1, 100},
    {0x6B, -1, 94},   {0xAA, -1, 161},  {0xAC, 162, 163}, {0xAE, 164, 165}, {0x6C, -1, 118},
    {0x2B, -1, 23},   {0x58, -1, 107},  {0x61, -1, 85},   {0x62, 87, 88},   {0x63, -1, 89},
    {0x67, -1, 149},  {0x69, -1, 90},   {0x85, -1, 112},  {0x87, -1, 115},  {0x88, -1, 116},
    {0x93, -1, 71},   {0x3A, -1, 42},   {0x3B, -1, 44},   {0x70, -1, 96},   {0x71, -1, 97},
    {0x72, -1, 98},   {0x73, -1, 99},   {0x74, -1, 101},  {0x75, -1, 102},  {0x76, 103, 104},
    {0x7D, -1, 137},  {0x7E, -1, 135},  {0x40, 48, 49},   {0x41, 50, 51},   {0x42, 52, 53},
    {0x43, 54, 55},   {0x44, 56, 57},   {0x45, 58, 59},   {0x46, 60, 61},   {0x47, 62, 63},
    {0x48, 64, 65},   {0x49, 66, 67},   {0x51, 74, 75},   {0x52, 76, 77},   {0x53, 78, 79},
    {0x56, 174, 175}, {0x59, -1, 176},  {0x64, -1, 91},   {0x65, -1, 92},   {0x4B, 139, 140},
    {0x4C, 141, 142}, {0x4D, 168, 169}, {0x4E, 170, 171}, {0xA8, -1, 143},  {0x5A, -1, 82},
    {0x5B, 80, 81},   {0x5D, -1, 178},  {0x6D, -1, 179},  {0x7B, -1, 132},  {0x6F, -1, 150},
    {0x5F, -1, 83},   {0x60, -1, 84},   {0x5C, -1, 177},  {0x8F, -1, 111},  {0x96, -1, 151},
    {0x97, -1, 152},  {0x98, -1, 153},  {0xB1, -1, 122},  {0xB3, -1, 124},  {0xB4, -1, 125},
    {0xB5, -1, 120},  {0xB9, -1, 131},  {0xBA, -1, 133},  {0xBB, -1, 134},  {0xB6, -1, 114},
    {0xBC, -1, 136},  {0xBD, -1, 144},  {0xBF, -1, 167},  {0x99, -1, 154},  {0x9A, -1, 155},
    {0xA7, -1, 106},
}};

constexpr unsigned kEToFCode = 0x58;

// Characters beyond the end of a short frame read as NUL, as they would from
// the zero-filled frame area the receive assembly hands over.
char CharAt(std::string_view frame, size_t offset) {
  return offset < frame.size() ? frame[offset] : '\0';
}

}  // namespace

std::string ChecksumText(std::string_view body) {
  unsigned sum = 0;
  for (const char c : body) sum += static_cast<unsigned char>(c);
  return Hex2(sum);
}

std::string FrameExtended(std::string_view stored) {
  if (stored.empty() || stored.front() != kDc4) return std::string(stored);
  const std::string_view body = stored.substr(1);
  std::string frame;
  frame.reserve(stored.size() + 3);
  frame.push_back(kDc4);
  frame.append(body);
  frame.append(ChecksumText(body));
  frame.push_back(kEtx);
  return frame;
}

std::string FrameStandard(std::string_view text) {
  std::string frame;
  frame.reserve(text.size() + 2);
  frame.push_back(kStx);
  frame.append(text);
  frame.push_back(kEtx);
  return frame;
}

std::string EncodeVolume(int tenths) {
  if (tenths < -804) return "00";
  return Hex2(static_cast<unsigned>(tenths / 5 + 199));
}

std::string EncodeVolumeWithMute(int tenths) {
  if (tenths < -809) return "00";
  if (tenths < -804) return "01";
  return Hex2(static_cast<unsigned>(tenths / 5 + 199));
}

bool IsConfigurationReport(std::string_view frame) {
  return frame.size() > 16 && frame[0] == kDc2 && frame[7] == 'B' && frame[8] == '5' &&
         frame[16] == '0';
}

bool IsExpectedModel(std::string_view frame) {
  return frame.size() > 5 && frame.substr(1, 5) == kExpectedModel;
}

std::string ModelOf(std::string_view frame) {
  if (frame.size() <= 1) return {};
  return std::string(frame.substr(1, 5));
}

std::span<const ConfigurationRow> ConfigurationRows() {
  return kConfigurationRows;
}

std::vector<std::string> ConfigurationToReports(std::string& report) {
  std::vector<std::string> reports;
  reports.reserve(kConfigurationRows.size());
  for (const ConfigurationRow& row : kConfigurationRows) {
    const size_t low = kConfigurationOffset + static_cast<size_t>(row.low);
    if (row.code == kEToFCode && low < report.size() && report[low] == 'E') report[low] = 'F';
    const char high =
        row.high < 0 ? '0' : CharAt(report, kConfigurationOffset + static_cast<size_t>(row.high));
    std::string built;
    built.push_back(kStx);
    built.append("00");
    built.append(Hex2(row.code));
    built.push_back(high);
    built.push_back(CharAt(report, low));
    built.push_back(kEtx);
    reports.push_back(std::move(built));
  }
  return reports;
}

bool IsParameterError(std::string_view frame) {
  return frame.size() > 8 && frame[0] == kDc4 && frame[8] == '4';
}

bool IsGuarded(std::string_view frame) {
  if (frame.empty()) return false;
  if (frame[0] == kStx) return frame.size() > 2 && (frame[2] == '1' || frame[2] == '2');
  if (frame[0] == kDc4) return frame.size() > 8 && (frame[8] == '1' || frame[8] == '2');
  return false;
}

std::string ShowFrame(std::string_view frame) {
  std::string shown;
  for (const char c : frame) {
    switch (c) {
      case kStx:
        shown += "<STX>";
        break;
      case kEtx:
        shown += "<ETX>";
        break;
      case kDc2:
        shown += "<DC2>";
        break;
      case kDc4:
        shown += "<DC4>";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
          shown += "<0x" + Hex2(static_cast<unsigned char>(c)) + ">";
        } else {
          shown.push_back(c);
        }
    }
  }
  return shown;
}

}  // namespace qamp
