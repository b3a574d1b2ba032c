// qampctl get and set reading only what their parameters need, against the
// built-in simulated receiver in simulated time.
#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>

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
  std::string Path(const std::string& name) const { return (directory_ / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  // The text with the value of `key` in `section` replaced.
  static std::string Replaced(const std::string& text, const std::string& section,
                              const std::string& key, const std::string& value) {
    const size_t at = text.find("[" + section + "]");
    EXPECT_NE(at, std::string::npos) << section;
    const size_t line = text.find("\n" + key + "=", at);
    EXPECT_NE(line, std::string::npos) << key;
    const size_t end = text.find('\n', line + 1);
    return text.substr(0, line + 1) + key + "=" + value + text.substr(end);
  }
  std::filesystem::path directory_;
};

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

TEST_F(ParameterCommands, SeveralValuesShareOneConnectionAndReadAsTheWholeLoadReadsThem) {
  // A receiver whose values are not the ones qamptool starts with.
  const std::vector<std::string> receiver = {"--sim",        "virtual-time", "--sim",
                                             "random-state", "--sim",        "seed=11"};
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
  // A program's parameter changes while the program plays: the first
  // change makes the second possible on the same connection.
  set = Qampctl({"set", "sim", "Basic Control", "DSP Program", "Hall in Vienna",
                 "DSP Parameters Hall in Vienna", "DSP Level", "-2dB", "--sim", "virtual-time"});
  EXPECT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(set.out, "Hall in Vienna\n-2dB\n");
  set = Qampctl({"set", "sim", "DSP Parameters Hall in Vienna", "DSP Level", "-2dB", "--sim",
                 "virtual-time"});
  EXPECT_EQ(set.status, 1);
  EXPECT_EQ(set.out, "0dB\n");
  EXPECT_NE(set.err.find("choose Hall in Vienna first"), std::string::npos) << set.err;
  // A receiver that refuses every write: the read-back tells what it kept.
  set = Qampctl(
      {"set", "sim", "Speaker Distance", "FL", "3.50", "--sim", "virtual-time", "--sim", "guard"});
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
  get = Qampctl(
      {"get", "sim", "Speaker Distance", "FL", "--sim", "virtual-time", "--sim", "silent-after=6"});
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

TEST_F(ParameterCommands, DiffListsWhereTheReceiverAndAFileDiffer) {
  const std::vector<std::string> receiver = {"--sim",        "virtual-time", "--sim",
                                             "random-state", "--sim",        "seed=5"};
  const Result upload = Qampctl(With({"upload", "sim", "-o", Path("r.qcf")}, receiver));
  ASSERT_EQ(upload.status, 0) << upload.err;
  const std::string text = Read(Path("r.qcf"));
  // The receiver as it was uploaded agrees with its file, memories too.
  Result diff = Qampctl(With({"diff", "sim", Path("r.qcf")}, receiver));
  EXPECT_EQ(diff.status, 0) << diff.err;
  EXPECT_EQ(diff.out, "");
  diff = Qampctl(With({"diff", "sim", Path("r.qcf"), "--memories"}, receiver));
  EXPECT_EQ(diff.status, 0) << diff.err;
  EXPECT_EQ(diff.out, "");

  // One value of the current setting and one of a memory changed in the file.
  std::string changed = Replaced(text, "Speaker Level", "FL", "5.0dB");
  changed = Replaced(changed, "System Memory 2 Speaker Level", "FL", "-1.0dB");
  Write(Path("m.qcf"), changed);
  diff = Qampctl(With({"diff", "sim", Path("m.qcf")}, receiver));
  EXPECT_EQ(diff.status, 1) << diff.err;
  EXPECT_EQ(diff.out, "Speaker Level / FL: -5.0dB \xE2\x86\x92 5.0dB\n");
  diff = Qampctl(With({"diff", "sim", Path("m.qcf"), "--memories"}, receiver));
  EXPECT_EQ(diff.status, 1) << diff.err;
  EXPECT_EQ(diff.out,
            "Speaker Level / FL: -5.0dB \xE2\x86\x92 5.0dB\n"
            "System Memory 2 Speaker Level / FL: 0.5dB \xE2\x86\x92 -1.0dB\n");
  diff = Qampctl(With({"diff", "sim", Path("m.qcf"), "--json"}, receiver));
  EXPECT_EQ(diff.status, 1) << diff.err;
  EXPECT_EQ(diff.out, "{\"a\":\"sim\",\"b\":\"" + Path("m.qcf") +
                          "\",\"differences\":[{\"a\":\"-5.0dB\",\"b\":\"5.0dB\",\"key\":\"FL\","
                          "\"section\":\"Speaker Level\"}]}\n");
  // Two files list the same way, and --json agrees on an empty list.
  diff = Qampctl({"diff", Path("r.qcf"), Path("r.qcf"), "--json"});
  EXPECT_EQ(diff.status, 0);
  EXPECT_EQ(diff.out, "{\"a\":\"" + Path("r.qcf") + "\",\"b\":\"" + Path("r.qcf") +
                          "\",\"differences\":[]}\n");
  // Another receiver: a file is not its setting.
  diff = Qampctl({"diff", "sim", Path("r.qcf"), "--sim", "virtual-time"});
  EXPECT_EQ(diff.status, 1);
  EXPECT_NE(diff.out.find("Speaker Level / FL: 0.0dB \xE2\x86\x92 -5.0dB\n"), std::string::npos)
      << diff.out;
}

TEST_F(ParameterCommands, DiffWithAReceiverThatCannotBeReadIsTrouble) {
  const Result upload = Qampctl({"upload", "sim", "-o", Path("r.qcf"), "--sim", "virtual-time"});
  ASSERT_EQ(upload.status, 0) << upload.err;
  Result diff = Qampctl({"diff", "sim", Path("r.qcf"), "--sim", "virtual-time", "--sim", "silent"});
  EXPECT_EQ(diff.status, 2);
  EXPECT_EQ(diff.out, "");
  EXPECT_NE(diff.err.find("Communication error has occurred during initialization."),
            std::string::npos)
      << diff.err;
  // Options of a receiver need one.
  diff = Qampctl({"diff", Path("r.qcf"), Path("r.qcf"), "--memories"});
  EXPECT_EQ(diff.status, 2);
  EXPECT_NE(diff.err.find("--memories needs a PORT first"), std::string::npos) << diff.err;
  // A file that cannot be read is trouble before anything is sent.
  diff = Qampctl({"diff", "sim", Path("none.qcf"), "--sim", "virtual-time"});
  EXPECT_EQ(diff.status, 2);
}

}  // namespace
}  // namespace qamp::cli
