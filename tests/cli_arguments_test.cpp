// The options and positional arguments of qampctl's command lines: what the
// commands declare, parsed by QCommandLineParser, with negative numbers as
// values and the usage errors in qampctl's words.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/arguments.h"
#include "sim/simulated_receiver.h"
#include "support/qampctl_runner.h"
#include "support/scratch_directory.h"

namespace qamp::cli {
namespace {

using Args = std::vector<std::string>;

// The options of a command such as upload or set.
const std::vector<OptionDeclaration> kDeclared{
    {{"o", "output"}, "FILE", "write to FILE", ""},
    {{"y", "yes"}, "", "answer OK", ""},
    {{"only"}, "PARTS", "only these", "needs a list of parts"},
    SimOption(),
};

struct Outcome {
  std::optional<ParsedArguments> parsed;
  std::string err;
};

Outcome Parse(const Args& args, OptionPlace place = OptionPlace::kAnywhere) {
  std::ostringstream err;
  Outcome outcome{ParseArguments("set", kDeclared, args, err, place), ""};
  outcome.err = err.str();
  return outcome;
}

TEST(Arguments, NegativeNumbersAreValuesInTheirPlaces) {
  const Outcome set = Parse({"sim", "Basic Control", "Main Volume", "-20.0dB", "Speaker Level",
                             "FL", "-3", "--yes", "Parametric EQ", "Gain", "-.5"});
  ASSERT_TRUE(set.parsed) << set.err;
  EXPECT_EQ(set.parsed->Positionals(),
            (Args{"sim", "Basic Control", "Main Volume", "-20.0dB", "Speaker Level", "FL", "-3",
                  "Parametric EQ", "Gain", "-.5"}));
  EXPECT_TRUE(set.parsed->IsSet("yes"));
  // First of all, one after another, and between two options.
  const Outcome first = Parse({"-1", "-2", "-o", "out.qcf", "-.25", "--yes", "-9x"});
  ASSERT_TRUE(first.parsed) << first.err;
  EXPECT_EQ(first.parsed->Positionals(), (Args{"-1", "-2", "-.25", "-9x"}));
  EXPECT_EQ(first.parsed->Value("output"), "out.qcf");
  // The value of an option, and a lone dash (standard input).
  const Outcome value = Parse({"-o", "-5", "--sim", "-.5", "-"});
  ASSERT_TRUE(value.parsed) << value.err;
  EXPECT_EQ(value.parsed->Value("o"), "-5");
  EXPECT_EQ(value.parsed->Values("sim"), Args{"-.5"});
  EXPECT_EQ(value.parsed->Positionals(), Args{"-"});
  // A dash and a letter is an option, a dash and a digit is not.
  EXPECT_FALSE(Parse({"-x5"}).parsed);
  EXPECT_TRUE(LooksLikeNegativeNumber("-0"));
  EXPECT_TRUE(LooksLikeNegativeNumber("-."));
  EXPECT_FALSE(LooksLikeNegativeNumber("-"));
  EXPECT_FALSE(LooksLikeNegativeNumber("--5"));
  EXPECT_FALSE(LooksLikeNegativeNumber("5"));
}

TEST(Arguments, DoubleDashEndsTheOptions) {
  const Outcome ended = Parse({"a", "--", "--yes", "-o", "x", "--", "-x", "--only=p"});
  ASSERT_TRUE(ended.parsed) << ended.err;
  EXPECT_EQ(ended.parsed->Positionals(), (Args{"a", "--yes", "-o", "x", "--", "-x", "--only=p"}));
  EXPECT_FALSE(ended.parsed->IsSet("yes"));
  EXPECT_FALSE(ended.parsed->IsSet("output"));
  // An unknown option after it is a value; before it, an error.
  EXPECT_FALSE(Parse({"-x", "--", "a"}).parsed);
}

TEST(Arguments, AValueFollowsItsOptionOrComesAfterAnEqualsSign) {
  for (const Args& args : {Args{"-o", "a.qcf"}, Args{"--output", "a.qcf"}, Args{"--output=a.qcf"},
                           Args{"-o=a.qcf"}, Args{"-output", "a.qcf"}}) {
    const Outcome outcome = Parse(args);
    ASSERT_TRUE(outcome.parsed) << args[0] << ": " << outcome.err;
    EXPECT_EQ(outcome.parsed->Value("output"), "a.qcf") << args[0];
    EXPECT_EQ(outcome.parsed->Value("o"), "a.qcf") << args[0];
    EXPECT_TRUE(outcome.parsed->Positionals().empty()) << args[0];
  }
  // After '=' everything is the value, an empty one too.
  EXPECT_EQ(Parse({"--only=System Memory 1,Speaker Level=x"}).parsed.value().Value("only"),
            "System Memory 1,Speaker Level=x");
  EXPECT_EQ(Parse({"--output="}).parsed.value().Value("output"), "");
  // The next argument is the value, whatever it looks like.
  const Outcome taken = Parse({"-o", "--yes"});
  ASSERT_TRUE(taken.parsed);
  EXPECT_EQ(taken.parsed->Value("output"), "--yes");
  EXPECT_FALSE(taken.parsed->IsSet("yes"));
  // Not given: no value, and an option nobody declared is never set.
  const Outcome none = Parse({"a"});
  EXPECT_EQ(none.parsed->Value("output"), std::nullopt);
  EXPECT_TRUE(none.parsed->Values("sim").empty());
  EXPECT_FALSE(none.parsed->IsSet("json"));
}

TEST(Arguments, AMissingValueIsSaidWithTheOptionAsTyped) {
  EXPECT_EQ(Parse({"sim", "-o"}).err, "qampctl set: -o needs a FILE\n");
  EXPECT_EQ(Parse({"sim", "--output"}).err, "qampctl set: --output needs a FILE\n");
  EXPECT_EQ(Parse({"--only"}).err, "qampctl set: --only needs a list of parts\n");
  EXPECT_EQ(Parse({"--yes", "--sim"}).err, "qampctl set: --sim needs an option\n");
  EXPECT_EQ(Parse({"--yes=no"}).err, "qampctl set: --yes takes no value\n");
  EXPECT_FALSE(Parse({"-o"}).parsed);
}

TEST(Arguments, AnUnknownOptionIsNamedAsTyped) {
  const std::string hint = "' (a value that starts with '-' goes after '--')\n";
  EXPECT_EQ(Parse({"sim", "-x"}).err, "qampctl set: unknown option '-x" + hint);
  EXPECT_EQ(Parse({"--colour=red", "a"}).err, "qampctl set: unknown option '--colour=red" + hint);
  // The first of two, and before a missing value.
  EXPECT_EQ(Parse({"--a", "--b", "-o"}).err, "qampctl set: unknown option '--a" + hint);
  // The value of an option is no option of its own.
  EXPECT_EQ(Parse({"-o", "-x", "--x"}).err, "qampctl set: unknown option '--x" + hint);
  std::ostringstream err;
  EXPECT_FALSE(ParseArguments("", {}, {"--bogus"}, err));
  EXPECT_EQ(err.str(), "qampctl: unknown option '--bogus" + hint);
}

TEST(Arguments, ARepeatedOptionKeepsEveryValueInOrder) {
  const Outcome outcome =
      Parse({"--sim", "virtual-time", "-o", "a", "--sim=seed=3", "-y", "--output", "b", "--yes"});
  ASSERT_TRUE(outcome.parsed) << outcome.err;
  EXPECT_EQ(outcome.parsed->Values("sim"), (Args{"virtual-time", "seed=3"}));
  EXPECT_EQ(outcome.parsed->Value("output"), "b") << "the last one counts";
  EXPECT_EQ(outcome.parsed->Values("o"), (Args{"a", "b"}));
  EXPECT_TRUE(outcome.parsed->IsSet("y"));
  EXPECT_EQ(outcome.parsed->Given(), (Args{"sim", "o", "sim", "y", "o", "y"}));
}

TEST(Arguments, OptionsComeAnywhereOrBeforeThePositionalsOnly) {
  const Outcome anywhere = Parse({"sim", "S", "K", "-o", "f", "V", "--yes"});
  ASSERT_TRUE(anywhere.parsed) << anywhere.err;
  EXPECT_EQ(anywhere.parsed->Positionals(), (Args{"sim", "S", "K", "V"}));
  EXPECT_TRUE(anywhere.parsed->IsSet("yes"));
  // The first positional ends the options; what follows is kept as it
  // was, negative numbers, "--" and unknown options included.
  const Outcome before = Parse({"-y", "command", "--yes", "-20.0dB", "--", "-x", "-o"},
                               OptionPlace::kBeforePositionals);
  ASSERT_TRUE(before.parsed) << before.err;
  EXPECT_EQ(before.parsed->Positionals(), (Args{"command", "--yes", "-20.0dB", "--", "-x", "-o"}));
  EXPECT_EQ(before.parsed->Given(), Args{"y"});
}

TEST(Arguments, ArgumentsComeBackByteForByte) {
  const std::string latin1 = "Caf\xE9";
  const std::string utf8 = "Caf\xC3\xA9";
  const Outcome outcome = Parse({latin1, "--output=" + latin1, "--sim", utf8, "-5\xFF", utf8});
  ASSERT_TRUE(outcome.parsed) << outcome.err;
  EXPECT_EQ(outcome.parsed->Positionals(), (Args{latin1, "-5\xFF", utf8}));
  EXPECT_EQ(outcome.parsed->Value("output"), latin1);
  EXPECT_EQ(outcome.parsed->Value("sim"), utf8);
}

TEST(Arguments, RegionAndSimulatorOptionsAreCheckedAfterParsing) {
  const std::vector<OptionDeclaration> declared{RegionOption(), SimOption()};
  auto region = [&](const Args& args) {
    std::ostringstream err;
    const std::optional<ParsedArguments> parsed = ParseArguments("params", declared, args, err);
    EXPECT_TRUE(parsed);
    std::optional<int> code = RegionOf("params", parsed.value(), 1, err);
    return std::pair{code, err.str()};
  };
  EXPECT_EQ(region({}).first, 1);
  EXPECT_EQ(region({"--region", "0"}).first, 0);
  EXPECT_EQ(region({"--region=3"}).first, 3);
  EXPECT_EQ(region({"--region", "2", "--region", "0"}).first, 0);
  for (const std::string text : {"4", "-1", "1x", "", " 1"}) {
    const auto [code, err] = region({"--region", text});
    EXPECT_EQ(code, std::nullopt) << text;
    EXPECT_EQ(err, "qampctl params: --region takes 0, 1, 2 or 3\n") << text;
  }

  std::ostringstream err;
  const std::optional<ParsedArguments> parsed = ParseArguments(
      "connect", declared, {"--sim", "region=2", "--sim=silent", "--sim", "region=3"}, err);
  ASSERT_TRUE(parsed);
  sim::SimOptions options;
  ASSERT_TRUE(ApplySimOptions("connect", *parsed, options, err)) << err.str();
  EXPECT_EQ(options.region, 3) << "in the order given";
  EXPECT_TRUE(options.silent);
  const std::optional<ParsedArguments> wrong =
      ParseArguments("connect", declared, {"--sim", "silent", "--sim", "loud"}, err);
  ASSERT_TRUE(wrong);
  EXPECT_FALSE(ApplySimOptions("connect", *wrong, options, err));
  EXPECT_EQ(err.str(), "qampctl connect: unknown simulator option 'loud'\n");
}

class ArgumentForms : public testing::ScratchDirectoryTest {
 protected:
  ArgumentForms() : ScratchDirectoryTest("qampctl-args-") {}
};

TEST_F(ArgumentForms, EqualsFormsWorkForEveryOptionWithAValue) {
  using testing::Qampctl;
  const testing::QampctlResult upload =
      Qampctl({"upload", "--output=" + Path("a.qcf"), "sim", "--sim=virtual-time"});
  ASSERT_EQ(upload.status, 0) << upload.err;
  const testing::QampctlResult separate =
      Qampctl({"report", Path("a.qcf"), "-o", Path("r1.txt"), "--region", "0"});
  const testing::QampctlResult joined =
      Qampctl({"report", "--output=" + Path("r2.txt"), "--region=0", Path("a.qcf")});
  ASSERT_EQ(separate.status, 0) << separate.err;
  ASSERT_EQ(joined.status, 0) << joined.err;
  EXPECT_FALSE(Read(Path("r1.txt")).empty());
  EXPECT_EQ(Read(Path("r1.txt")), Read(Path("r2.txt")));
  EXPECT_EQ(Qampctl({"command", "--region=0", "Basic Control", "Main Volume", "-20.0dB"}).out,
            "<STX>2309F<ETX>\n");
  EXPECT_EQ(Qampctl({"simulate", "--tcp=70000"}).err,
            "qampctl simulate: --tcp takes a port number from 0 to 65535, not '70000'\n");
  // qampctl's own options: --version and --help, whichever comes first.
  EXPECT_EQ(Qampctl({"-q", "--version", "--help"}).out.substr(0, 8), "qampctl ");
  EXPECT_EQ(Qampctl({"--help", "--version"}).out.substr(0, 6), "usage:");
}

}  // namespace
}  // namespace qamp::cli
