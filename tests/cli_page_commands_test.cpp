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

namespace qamp::cli {
namespace {

using Result = testing::QampctlResult;
using testing::Qampctl;

// DC4, the body, its byte sum as two upper-case hex digits, ETX.
std::string Extended(std::string_view body) {
  unsigned sum = 0;
  for (const char c : body) sum += static_cast<unsigned char>(c);
  static constexpr char kHex[] = "0123456789ABCDEF";
  return "<DC4>" + std::string(body) + kHex[(sum >> 4) & 0xF] + kHex[sum & 0xF] + "<ETX>";
}

TEST(QampctlCommand, ChangesGoThroughThePagesUserAction) {
  // A Q change sends its band's command (Front L: "2", band 1: "0", 62.5Hz:
  // 0c, 0.0 dB: 28, "2.0": 6); so does a gain change.
  Result result = Qampctl({"command", "Parametric EQ", "(Front L) Band 1 Q", "2.0"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, Extended("200B0341200c286") + "\n");
  result = Qampctl({"command", "Parametric EQ", "(Front L) Band 1 Gain", "-20.0dB"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, Extended("200B0341200c003") + "\n");
  // Offline the page keeps Initialize closed.
  result = Qampctl({"command", "Advanced Setup", "Initialize", "ALL", "--async", "--yes"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("Advanced Setup / Initialize"), std::string::npos) << result.err;
  // Input DSP is not on the sheet in Real Time Mode: an input other than
  // the current one has no control.
  result = Qampctl({"command", "Input DSP", "CD", "Straight"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("nothing was changed"), std::string::npos) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(Qampctl({"command", "Input DSP", "CD", "Straight", "--async"}).status, 0);
}

TEST(QampctlCommand, AQuestionOfThePageNeedsATerminalOrYes) {
  Result result = Qampctl({"command", "Advanced Setup", "Initialize", "ALL"});
  EXPECT_EQ(result.status, 2) << "standard input is not a terminal in the test";
  EXPECT_NE(result.err.find("All the parameters of this unit will be reset"), std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("--yes"), std::string::npos);
  EXPECT_EQ(result.out, "") << "the factory reset is not sent";
  result = Qampctl({"command", "Advanced Setup", "Initialize", "ALL", "--yes"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "<STX>2B701<ETX>\n");
}

TEST(QampctlCommand, AValueMustBeWrittenAsThePageWritesIt) {
  struct Case {
    std::string typed;
    std::string message;
  };
  const Case refused[] = {
      {"10dB", "(it would be read as 1.0dB); did you mean 10.0dB?"},
      {"-20dB", "(it would be read as -2.0dB); did you mean -20.0dB?"},
      {"-20", "did you mean -20.0dB?"},
      {"loud", "is not a value of Basic Control / Main Volume"},
  };
  for (const Case& c : refused) {
    const Result result = Qampctl({"command", "Basic Control", "Main Volume", c.typed});
    EXPECT_EQ(result.status, 1) << c.typed;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << c.typed << ": " << result.err;
    EXPECT_EQ(result.out, "") << "nothing is sent";
  }
  // A negative value is a value; "--" ends the options; blanks around a
  // value do not count. -200 / 5 + 199 = 159 = 9F.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"command", "Basic Control", "Main Volume", "-20.0dB"},
        std::vector<std::string>{"command", "--", "Basic Control", "Main Volume", "-20.0dB"},
        std::vector<std::string>{"command", "Basic Control", "Main Volume", " -20.0dB  "}}) {
    const Result result = Qampctl(args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "<STX>2309F<ETX>\n");
  }
  EXPECT_EQ(Qampctl({"command", "Basic Control", "Main Volume", "-x"}).status, 2)
      << "an option it does not know";
  const Result accented = Qampctl({"command", "Input Rename", "CD", "Caf\xC3\xA9"});
  EXPECT_EQ(accented.status, 1);
  EXPECT_NE(accented.err.find("ASCII"), std::string::npos) << accented.err;
}

}  // namespace
}  // namespace qamp::cli
