// qampctl get and set reading only what their parameters need, against the
// built-in simulated receiver in simulated time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "support/qampctl_runner.h"

namespace qamp::cli {
namespace {

using Result = testing::QampctlResult;
using testing::Qampctl;

class ParameterCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ =
        std::filesystem::temp_directory_path() / ("qampctl-param-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory_);
    setenv("TMPDIR", directory_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("TMPDIR");
    std::filesystem::remove_all(directory_);
  }
  std::filesystem::path directory_;
};

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

TEST_F(ParameterCommands, SeveralValuesShareOneConnectionAndReadAsTheWholeLoadReadsThem) {
  // A receiver whose values are not the ones qamptool starts with.
  const std::vector<std::string> receiver = {"--sim", "virtual-time", "--sim", "random-state",
                                             "--sim", "seed=11"};
  const std::vector<std::string> get = {"get",
                                        "sim",
                                        "Speaker Distance",
                                        "FL",
                                        "Basic Control",
                                        "Main Volume",
                                        "DSP Parameters Hall in Munich",
                                        "DSP Level",
                                        "Tuner Set",
                                        "PageA Preset1"};
  const Result quick = Qampctl(With(get, receiver));
  ASSERT_EQ(quick.status, 0) << quick.err;
  // Nothing of the long reading's progress.
  EXPECT_EQ(quick.err, "");
  const Result whole = Qampctl(With(With(get, receiver), {"--full"}));
  ASSERT_EQ(whole.status, 0) << whole.err;
  EXPECT_NE(whole.err.find("Reading the receiver"), std::string::npos);
  EXPECT_EQ(quick.out, whole.out);
  // Four lines, one a parameter, in the order asked.
  EXPECT_EQ(std::count(quick.out.begin(), quick.out.end(), '\n'), 4);
  // A distance is written in the unit that its own answer carries: this
  // receiver measures in feet.
  const Result feet = Qampctl({"get", "sim", "Speaker Distance", "FL", "--sim", "virtual-time",
                               "--sim", "random-state", "--sim", "seed=3"});
  EXPECT_EQ(feet.status, 0) << feet.err;
  EXPECT_EQ(feet.out, "41.0\n");
}

TEST_F(ParameterCommands, ASetIsReadBackAndAFollowingGetSeesIt) {
  Result set = Qampctl({"set", "sim", "Speaker Distance", "FL", "3.50", "Speaker Level", "FL",
                        "2.0dB", "--sim", "virtual-time"});
  EXPECT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(set.out, "3.50\n2.0dB\n");
  // A receiver that refuses every write: the read-back tells what it kept.
  set = Qampctl({"set", "sim", "Speaker Distance", "FL", "3.50", "--sim", "virtual-time", "--sim",
                 "guard"});
  EXPECT_EQ(set.status, 1);
  EXPECT_EQ(set.out, "3.00\n");
  EXPECT_NE(set.err.find("the receiver holds '3.00', not '3.50'"), std::string::npos) << set.err;
  // One refused change among several: the others are made, the status tells.
  set = Qampctl({"set", "sim", "Speaker Distance", "Unit", "Feet", "Speaker Level", "FL", "2.0dB",
                 "--sim", "virtual-time"});
  EXPECT_EQ(set.status, 1);
  EXPECT_EQ(set.out, "Meter\n2.0dB\n");
  EXPECT_NE(set.err.find("Speaker Distance / Unit"), std::string::npos) << set.err;
}

TEST_F(ParameterCommands, AParameterWithoutAReadOfItsOwnHasTheWholeConfigurationRead) {
  const Result get = Qampctl({"get", "sim", "Input DSP", "DVD", "--sim", "virtual-time"});
  EXPECT_EQ(get.status, 0) << get.err;
  EXPECT_NE(get.err.find("Input DSP / DVD has no read of its own; reading the whole configuration"),
            std::string::npos)
      << get.err;
  EXPECT_NE(get.err.find("Reading the receiver"), std::string::npos);
  EXPECT_FALSE(get.out.empty());
}

TEST_F(ParameterCommands, AReceiverThatDoesNotAnswerEndsTheCommandWithItsMessage) {
  // No configuration at all: five tries, then the message.
  Result get =
      Qampctl({"get", "sim", "Speaker Distance", "FL", "--sim", "virtual-time", "--sim", "silent"});
  EXPECT_EQ(get.status, 1);
  EXPECT_EQ(get.out, "");
  EXPECT_NE(get.err.find("Communication error has occurred during initialization."),
            std::string::npos)
      << get.err;
  // The configuration, then silence before the read the value needs.
  get = Qampctl({"get", "sim", "Speaker Distance", "FL", "--sim", "virtual-time", "--sim",
                 "silent-after=6"});
  EXPECT_EQ(get.status, 1);
  EXPECT_EQ(get.out, "");
  EXPECT_NE(get.err.find("Communication error has occurred during initialization."),
            std::string::npos)
      << get.err;
}

TEST_F(ParameterCommands, ArgumentsComeInWholeTriples) {
  EXPECT_EQ(Qampctl({"get", "sim", "Speaker Distance"}).status, 2);
  EXPECT_EQ(Qampctl({"get", "sim", "Speaker Distance", "FL", "Speaker Level"}).status, 2);
  EXPECT_EQ(Qampctl({"set", "sim", "Speaker Distance", "FL", "3.50", "Speaker Level", "FL"}).status,
            2);
  // An unknown name is refused before anything is sent.
  const Result get = Qampctl({"get", "sim", "Speaker Distance", "FL", "Speaker Level", "Nothing",
                              "--sim", "virtual-time"});
  EXPECT_EQ(get.status, 1);
  EXPECT_EQ(get.out, "");
}

}  // namespace
}  // namespace qamp::cli
