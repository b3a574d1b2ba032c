// Frames, checksums, volume encodings and the configuration report.
#include <gtest/gtest.h>

#include "link/wire_format.h"

namespace qamp {
namespace {

const std::string STX = "\x02";
const std::string ETX = "\x03";
const std::string DC2 = "\x12";
const std::string DC4 = "\x14";

TEST(Checksum, IsTheByteSumModulo256InUpperCaseHex) {
  EXPECT_EQ(ChecksumText(""), "00");
  EXPECT_EQ(ChecksumText("abc"), "26");        // 97 + 98 + 99 = 294 = 0x126
  EXPECT_EQ(ChecksumText("20050000F"), "CD");  // the connection-check request
  EXPECT_EQ(ChecksumText("\x80\x80"), "00");   // 256 wraps to 0
  EXPECT_EQ(ChecksumText("\xFF"), "FF");
  EXPECT_EQ(ChecksumText("\x0A"), "0A");
}

TEST(FrameExtended, AddsChecksumAndEtxToStoredExtendedRequests) {
  EXPECT_EQ(FrameExtended(DC4 + "20050000F"), DC4 + "20050000FCD" + ETX);
  EXPECT_EQ(FrameExtended(DC4), DC4 + "00" + ETX);
  // Standard commands are stored complete and go out unchanged.
  EXPECT_EQ(FrameExtended(STX + "07A1D" + ETX), STX + "07A1D" + ETX);
  EXPECT_EQ(FrameExtended(""), "");
  EXPECT_EQ(FrameStandard("20000"), STX + "20000" + ETX);
}

TEST(VolumeEncoding, MainVolumeIsMutedBelowMinus804) {
  EXPECT_EQ(EncodeVolume(-810), "00");
  EXPECT_EQ(EncodeVolume(-805), "00");
  EXPECT_EQ(EncodeVolume(-804), "27");  // -804 / 5 truncates to -160; + 199 = 39
  EXPECT_EQ(EncodeVolume(-800), "27");
  EXPECT_EQ(EncodeVolume(-400), "77");
  EXPECT_EQ(EncodeVolume(-5), "C6");
  EXPECT_EQ(EncodeVolume(0), "C7");
  EXPECT_EQ(EncodeVolume(165), "E8");
}

TEST(VolumeEncoding, WithMuteHasOffAndMuteCodes) {
  EXPECT_EQ(EncodeVolumeWithMute(-810), "00");
  EXPECT_EQ(EncodeVolumeWithMute(-809), "01");
  EXPECT_EQ(EncodeVolumeWithMute(-805), "01");
  EXPECT_EQ(EncodeVolumeWithMute(-804), "27");
  EXPECT_EQ(EncodeVolumeWithMute(165), "E8");
}

std::string ConfigurationFrame(std::string model, char offset16 = '0', std::string b5 = "B5") {
  std::string frame = DC2 + model + "0" + b5;
  frame += std::string(180, '1');
  frame[16] = offset16;
  frame += ETX;
  return frame;
}

TEST(ConfigurationReport, IsRecognisedByDc2B5AndZeroThenCheckedForTheModel) {
  EXPECT_TRUE(IsConfigurationReport(ConfigurationFrame("R0226")));
  EXPECT_TRUE(IsExpectedModel(ConfigurationFrame("R0226")));
  // Another model is still a configuration report, but the wrong one.
  EXPECT_TRUE(IsConfigurationReport(ConfigurationFrame("R0999")));
  EXPECT_FALSE(IsExpectedModel(ConfigurationFrame("R0999")));
  EXPECT_FALSE(IsConfigurationReport(ConfigurationFrame("R0226", '0', "B6")));
  EXPECT_FALSE(IsConfigurationReport(ConfigurationFrame("R0226", '1')));
  EXPECT_FALSE(IsConfigurationReport(STX + "0026C7" + ETX));
  EXPECT_FALSE(IsConfigurationReport(DC2 + "R02"));
  EXPECT_FALSE(IsConfigurationReport(""));
  EXPECT_FALSE(IsExpectedModel(DC2 + "R02"));
}

TEST(ConfigurationReport, RowsTakeTheirCharactersFromTheirPositions) {
  // Configuration position p is frame offset 9 + p; give every position a
  // distinct character so that each built report shows where it read.
  std::string frame = DC2 + "R02260B5";
  for (int p = 0; p < 180; ++p) frame.push_back(static_cast<char>('!' + p % 90));
  frame[16] = '0';
  frame += ETX;
  auto at = [&](int p) { return frame[9 + p]; };
  std::string copy = frame;
  const std::vector<std::string> reports = ConfigurationToReports(copy);
  ASSERT_EQ(reports.size(), 96U);
  EXPECT_EQ(reports[0], STX + "0020" + "0" + at(8) + ETX);         // 20: -1, 8
  EXPECT_EQ(reports[1], STX + "0021" + at(9) + at(10) + ETX);      // 21: 9, 10
  EXPECT_EQ(reports[2], STX + "0022" + at(11) + at(40) + ETX);     // 22: 11, 40
  EXPECT_EQ(reports[7], STX + "008C" + "0" + at(126) + ETX);       // 8C: -1, 126
  EXPECT_EQ(reports[8], STX + "0024" + "0" + at(13) + ETX);        // row 9
  EXPECT_EQ(reports[18], STX + "00A2" + at(129) + at(130) + ETX);  // row 19
  EXPECT_EQ(reports[59], STX + "0053" + at(78) + at(79) + ETX);    // row 60
  EXPECT_EQ(reports[60], STX + "0056" + at(174) + at(175) + ETX);  // row 61
  EXPECT_EQ(reports[95], STX + "00A7" + "0" + at(106) + ETX);      // row 96
}

TEST(ConfigurationReport, OnlyTheRow58RewritesAnEToF) {
  std::string frame = DC2 + "R02260B5" + std::string(180, 'E') + ETX;
  frame[16] = '0';
  std::string copy = frame;
  const std::vector<std::string> reports = ConfigurationToReports(copy);
  EXPECT_EQ(reports[26], STX + "0058" + "0F" + ETX);  // row 27: 58: -1, 107
  EXPECT_EQ(copy[9 + 107], 'F');                      // in the report itself
  EXPECT_EQ(reports[25], STX + "002B" + "0E" + ETX);  // row 26 keeps its E
  EXPECT_EQ(reports[1], STX + "0021" + "EE" + ETX);
  int rewritten = 0;
  for (size_t i = 0; i < frame.size(); ++i) rewritten += frame[i] != copy[i];
  EXPECT_EQ(rewritten, 1);
}

TEST(ConfigurationReport, AShortReportReadsMissingPositionsAsNul) {
  std::string frame = DC2 + "R02260B5" + "0000000";
  const std::vector<std::string> reports = ConfigurationToReports(frame);
  ASSERT_EQ(reports.size(), 96U);
  EXPECT_EQ(reports[0], STX + "0020" + "0" + std::string(1, '\0') + ETX);
}

TEST(ReplyStatus, GuardedAndParameterErrorsAreReadFromTheirOffsets) {
  EXPECT_TRUE(IsGuarded(STX + "01" + "2800" + ETX));
  EXPECT_TRUE(IsGuarded(STX + "02" + "2800" + ETX));
  EXPECT_FALSE(IsGuarded(STX + "00" + "2800" + ETX));
  EXPECT_FALSE(IsGuarded(STX + "03" + "2800" + ETX));
  EXPECT_TRUE(IsGuarded(DC4 + "2008010" + "1" + "20" + "05XX" + ETX));  // offset 8 is "1"
  EXPECT_TRUE(IsGuarded(DC4 + "2008010" + "2" + "20" + "05XX" + ETX));
  EXPECT_FALSE(IsGuarded(DC4 + "2008010" + "4" + "20" + "05XX" + ETX));
  EXPECT_FALSE(IsGuarded(""));
  EXPECT_FALSE(IsGuarded(STX + "0"));
  EXPECT_FALSE(IsGuarded(DC2 + "R02260B5"));
  EXPECT_TRUE(IsParameterError(DC4 + "2008010" + "4" + "20" + "05XX" + ETX));
  EXPECT_FALSE(IsParameterError(DC4 + "2008010" + "0" + "20" + "05XX" + ETX));
  EXPECT_FALSE(IsParameterError(STX + "0040000" + "4" + ETX));  // only extended replies
  EXPECT_FALSE(IsParameterError(DC4 + "2008"));
}

TEST(ShowFrame, NamesControlBytes) {
  EXPECT_EQ(ShowFrame(STX + "0026C7" + ETX), "<STX>0026C7<ETX>");
  EXPECT_EQ(ShowFrame(DC2 + DC4 + std::string(1, '\0')), "<DC2><DC4><0x00>");
}

}  // namespace
}  // namespace qamp
