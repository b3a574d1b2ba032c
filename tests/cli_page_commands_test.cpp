// qampctl params and command.
#include <gtest/gtest.h>

#include "cli/command.h"
#include "support/qampctl_runner.h"

namespace qamp::cli {
namespace {

using Result = testing::QampctlResult;
using testing::Qampctl;

TEST(QampctlParams, ListsEveryParameterWithItsDefaultText) {
  const Result result = Qampctl({"params"});
  ASSERT_EQ(result.status, 0);
  EXPECT_TRUE(result.out.starts_with("1\t-1\tBasic Control\tInput\tDVD\n"))
      << result.out.substr(0, 80);
  EXPECT_NE(result.out.find("\n6\t-1\tBasic Control\tMain Volume\t-40.0dB\n"), std::string::npos);
  EXPECT_NE(result.out.find("\n431\t-1\tSpeaker Set\tPR/SB Select\tSurround Back\n"),
            std::string::npos);
  EXPECT_NE(result.out.find("\n435\t-1\tTuner Set\tCurrent \tFM 87.5MHz\n"), std::string::npos);
  EXPECT_NE(result.out.find("\n409\t1\tParametric EQ\t(Front L) Band 6 Freq\t6349.6Hz\n"),
            std::string::npos);
  EXPECT_NE(result.out.find("\n551\t-1\tiPod\tShaffle\tOff\n"), std::string::npos);
  const Result region0 = Qampctl({"params", "--region", "0"});
  EXPECT_NE(region0.out.find("\n435\t-1\tTuner Set\tCurrent \tFM 76.0MHz\n"), std::string::npos);
  EXPECT_EQ(region0.out.find("\tSpeaker Impedance\t"), std::string::npos)
      << "region 0 has no impedance choice";
  EXPECT_EQ(Qampctl({"params", "--region", "5"}).status, 2);
}

TEST(QampctlCommand, PrintsTheFramesOfOneChange) {
  struct Case {
    std::vector<std::string> args;
    std::string frames;
  };
  const Case cases[] = {
      {{"Speaker Set", "SW Phase", "Reverse"}, "<STX>27610<ETX>\n"},
      {{"Speaker Set", "Surround Back", "Large x 2"}, "<STX>27300<ETX>\n"},
      {{"Speaker Level", "FL", "10.0dB"}, "<STX>2413c<ETX>\n"},
      {{"Speaker Distance", "FL", "3.00"}, "<DC4>200904112012cB9<ETX>\n"},
      {{"Basic Control", "Main Volume", "Mute"}, "<STX>23000<ETX>\n"},
      {{"Basic Control", "DSP Program", "7ch Enhancer"}, "<STX>0F7E81146B<ETX>\n"},
      {{"Other", "Decoder Mode Set", "Last"}, "<STX>25F01<ETX>\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"command"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Result result = Qampctl(args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, c.frames) << c.args[0] << " / " << c.args[1];
    args.push_back("--async");
    EXPECT_EQ(Qampctl(args).out, "") << "Async Mode sends nothing";
  }
}

TEST(QampctlCommand, UnknownSectionKeyOrValueIsAnErrorNamingIt) {
  Result result = Qampctl({"command", "Speaker Sets", "Front", "Large"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("no section 'Speaker Sets'"), std::string::npos) << result.err;
  result = Qampctl({"command", "Speaker Set", "Rear", "Large"});
  EXPECT_NE(result.err.find("no key 'Rear' in section 'Speaker Set'"), std::string::npos)
      << result.err;
  result = Qampctl({"command", "Speaker Set", "Front", "Huge"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("'Huge' is not a value of Speaker Set / Front"), std::string::npos)
      << result.err;
  EXPECT_EQ(Qampctl({"command", "Speaker Set", "Front"}).status, 2);
}

}  // namespace
}  // namespace qamp::cli
