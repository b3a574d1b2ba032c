// qampctl upload, download, report, diff, get and set against the built-in
// simulated receiver in simulated time.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cli/command.h"
#include "support/qampctl_runner.h"
#include "support/scratch_directory.h"

namespace qamp::cli {
namespace {

using Result = testing::QampctlResult;
using testing::Qampctl;

class TransferCommands : public testing::ScratchDirectoryTest {
 protected:
  TransferCommands() : ScratchDirectoryTest("qampctl-test-") {}
};

TEST_F(TransferCommands, UploadSavesAFileThatReportAndDiffRead) {
  const Result upload = Qampctl({"upload", "sim", "-o", Path("a.qcf"), "--sim", "virtual-time",
                                 "--sim", "random-state", "--sim", "seed=5"});
  ASSERT_EQ(upload.status, 0) << upload.err;
  EXPECT_EQ(upload.out, "Saved the receiver's configuration to " + Path("a.qcf") + "\n");
  EXPECT_EQ(upload.err.find("Upload Command Sending"), std::string::npos)
      << "no progress lines when stderr is no terminal";
  const std::string file = Read(Path("a.qcf"));
  EXPECT_TRUE(file.starts_with("[User Memo]\r\nUser Memo=\r\n[System Memory]\r\n"));

  const Result report = Qampctl({"report", Path("a.qcf")});
  ASSERT_EQ(report.status, 0);
  EXPECT_TRUE(
      report.out.starts_with(std::string(80, '=') + "\r\n        Tonewright Configration Report"));
  EXPECT_NE(report.out.find("    25. Zone3 Volume Memory 6"), std::string::npos);

  // A changed copy differs in exactly that value.
  std::string changed = file;
  const size_t at = changed.find("[Speaker Set]\r\nFront=");
  ASSERT_NE(at, std::string::npos);
  const size_t value = at + std::string("[Speaker Set]\r\nFront=").size();
  const std::string old = changed.substr(value, 5) == "Large" ? "Large" : "Small";
  changed.replace(value, old.size(), old == "Large" ? "Small" : "Large");
  std::ofstream(Path("b.qcf"), std::ios::binary) << changed;
  const Result diff = Qampctl({"diff", Path("a.qcf"), Path("b.qcf")});
  EXPECT_EQ(diff.status, 1);
  EXPECT_EQ(diff.out, "Speaker Set / Front: " + old + " \xE2\x86\x92 " +
                          (old == "Large" ? "Small" : "Large") + "\n");
  EXPECT_EQ(Qampctl({"diff", Path("a.qcf"), Path("a.qcf")}).status, 0);
}

TEST_F(TransferCommands, DownloadAsksUnlessToldYesAndReportsTheLog) {
  ASSERT_EQ(Qampctl({"upload", "sim", "-o", Path("a.qcf"), "--sim", "virtual-time"}).status, 0);
  const Result refused = Qampctl({"download", "sim", Path("a.qcf"), "--sim", "virtual-time"});
  EXPECT_EQ(refused.status, 2) << "standard input is not a terminal in the test";
  EXPECT_NE(refused.err.find("--yes"), std::string::npos);
  const Result download = Qampctl({"download", "sim", Path("a.qcf"), "--yes", "--full", "--sim",
                                   "virtual-time", "--sim", "param-error=223"});
  EXPECT_EQ(download.status, 1) << "a command the receiver did not take is no success";
  EXPECT_EQ(download.out, "");
  EXPECT_NE(download.err.find("the receiver did not take 1 command(s) of " + Path("a.qcf") +
                              ": Tuner Set PageA Preset1; the error log is " + Path("ErrLog.txt")),
            std::string::npos)
      << download.err;
  EXPECT_NE(Read(Path("ErrLog.txt")).find("Tuner Set PageA Preset1\t"), std::string::npos);
  const Result clean =
      Qampctl({"download", "sim", Path("a.qcf"), "--yes", "--full", "--sim", "virtual-time"});
  EXPECT_EQ(clean.status, 0) << clean.err;
  EXPECT_EQ(clean.out, "Downloaded " + Path("a.qcf") + " into the receiver\n");
}

// The built-in receiver starts in the same state each time with the same
// seed, so the file an Upload saved still tells it at the next run.
TEST_F(TransferCommands, DownloadSendsWhatDiffersOnlyAllWithFullOrTheChosenParts) {
  const std::vector<std::string> receiver = {"--sim",        "virtual-time", "--sim",
                                             "random-state", "--sim",        "seed=5"};
  auto run = [&](std::vector<std::string> args) {
    args.insert(args.end(), receiver.begin(), receiver.end());
    return Qampctl(args);
  };
  ASSERT_EQ(run({"upload", "sim", "-o", Path("a.qcf")}).status, 0);
  std::string file = Read(Path("a.qcf"));
  ASSERT_NE(file.find("[Receiver State]\r\nTaken By=Upload\r\n"), std::string::npos);
  const Result same = run({"download", "sim", Path("a.qcf"), "--yes"});
  EXPECT_EQ(same.status, 0) << same.err;
  EXPECT_EQ(same.out, "The receiver already holds this configuration: nothing was sent.\n");
  EXPECT_NE(same.err.find("The receiver should hold this configuration already; checking"),
            std::string::npos)
      << same.err;

  const size_t at = file.find("[Speaker Level]\r\nFL=");
  ASSERT_NE(at, std::string::npos);
  const size_t value = at + std::string("[Speaker Level]\r\nFL=").size();
  file.replace(value, file.find('\r', value) - value, "-10.0dB");
  std::ofstream(Path("b.qcf"), std::ios::binary) << file;
  const Result delta = run({"download", "sim", Path("b.qcf"), "--yes"});
  EXPECT_EQ(delta.status, 0) << delta.err;
  EXPECT_NE(delta.err.find("Sending what differs from the receiver's known state: Speaker Level"),
            std::string::npos)
      << delta.err;
  EXPECT_EQ(delta.out, "Downloaded " + Path("b.qcf") +
                           " into the receiver\nThe receiver holds what was written: 11 values "
                           "read back and compared.\n");
  // The file now keeps the state the Download left, read back.
  EXPECT_NE(Read(Path("b.qcf")).find("Taken By=Verified Download\r\n"), std::string::npos);

  const Result full = run({"download", "sim", Path("a.qcf"), "--yes", "--full"});
  EXPECT_EQ(full.status, 0) << full.err;
  EXPECT_NE(full.err.find("Sending the whole configuration: 1,"), std::string::npos) << full.err;

  const Result only =
      run({"download", "sim", Path("a.qcf"), "--yes", "--only", "Equalizer, system memory 3"});
  EXPECT_EQ(only.status, 0) << only.err;
  EXPECT_NE(only.err.find("Sending System Memory 3, Equalizer: "), std::string::npos) << only.err;
  // A chosen Download leaves a state the file cannot tell.
  EXPECT_EQ(Read(Path("a.qcf")).find("[Receiver State]"), std::string::npos);

  const Result wrong = run({"download", "sim", Path("a.qcf"), "--yes", "--only", "Equaliser"});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_NE(wrong.err.find("qampctl download: --only: \"Equaliser\" is not a part of the "
                           "configuration. The parts are: \"System Memory 1\""),
            std::string::npos)
      << wrong.err;
}

TEST_F(TransferCommands, FailuresEndWithTheMessageAndNothingIsWritten) {
  std::ofstream(Path("keep.qcf")) << "old";
  const Result silent = Qampctl(
      {"upload", "sim", "-o", Path("keep.qcf"), "--sim", "virtual-time", "--sim", "silent"});
  EXPECT_EQ(silent.status, 1);
  EXPECT_NE(silent.err.find("Communication error has occurred during initialization."),
            std::string::npos);
  EXPECT_EQ(Read(Path("keep.qcf")), "old") << "a failed Upload leaves the file";
  const Result missing = Qampctl({"download", "sim", Path("none.qcf"), "--yes"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("Cannot read " + Path("none.qcf")), std::string::npos);
  const Result badDirectory =
      Qampctl({"upload", "sim", "-o", Path("gone/x.qcf"), "--sim", "virtual-time"});
  EXPECT_EQ(badDirectory.status, 1);
  EXPECT_NE(badDirectory.err.find("Cannot save " + Path("gone/x.qcf")), std::string::npos)
      << badDirectory.err;
  EXPECT_EQ(Qampctl({"upload", "sim"}).status, 2);
}

TEST_F(TransferCommands, AnUploadThatCannotBeSavedWhereAskedIsKeptInTheTemporaryDirectory) {
  // Nothing may be created directly under /sys, not even by root.
  const Result upload =
      Qampctl({"upload", "sim", "-o", "/sys/living.qcf", "--sim", "virtual-time"});
  EXPECT_EQ(upload.status, 1);
  EXPECT_NE(upload.err.find("Cannot save /sys/living.qcf"), std::string::npos) << upload.err;
  const std::string marker = "the configuration read from the receiver was saved to ";
  const size_t at = upload.err.find(marker);
  ASSERT_NE(at, std::string::npos) << upload.err;
  const std::string rescue =
      upload.err.substr(at + marker.size(), upload.err.find(" instead", at) - at - marker.size());
  EXPECT_EQ(std::filesystem::path(rescue).parent_path(), directory_);
  EXPECT_TRUE(Read(rescue).starts_with("[User Memo]\r\n")) << rescue;
  EXPECT_EQ(Qampctl({"report", rescue}).status, 0) << "the kept file is a whole configuration";

  // A directory in place of the file is refused before the receiver is read.
  const Result intoDirectory =
      Qampctl({"upload", "sim", "-o", directory_.string(), "--sim", "virtual-time"});
  EXPECT_EQ(intoDirectory.status, 1);
  EXPECT_NE(intoDirectory.err.find("it is a directory; nothing was read"), std::string::npos)
      << intoDirectory.err;
  EXPECT_EQ(intoDirectory.err.find("%"), std::string::npos) << "no transfer was started";
}

TEST_F(TransferCommands, AFileThatIsNotAConfigurationIsNeverDownloaded) {
  std::ofstream(Path("empty.qcf"));
  std::ofstream(Path("notes.qcf")) << "shopping list\n[Groceries]\nMilk=2\n";
  for (const std::string name : {"empty.qcf", "notes.qcf"}) {
    const Result download =
        Qampctl({"download", "sim", Path(name), "--yes", "--sim", "virtual-time"});
    EXPECT_EQ(download.status, 1) << name;
    EXPECT_NE(download.err.find("cannot use " + Path(name)), std::string::npos) << download.err;
    EXPECT_NE(download.err.find("nothing was sent"), std::string::npos) << download.err;
    EXPECT_EQ(download.err.find("%"), std::string::npos) << "no connection was made";
  }
  EXPECT_NE(Qampctl({"download", "sim", Path("empty.qcf"), "--yes"}).err.find("the file is empty"),
            std::string::npos);
  const Result report = Qampctl({"report", Path("notes.qcf")});
  EXPECT_EQ(report.status, 1);
  EXPECT_NE(report.err.find("not a configuration file"), std::string::npos) << report.err;
  EXPECT_TRUE(report.out.empty());
}

// Replaces the value of `key` in `section` of a configuration text.
std::string WithValue(std::string file, const std::string& section, const std::string& key,
                      const std::string& value) {
  const size_t at = file.find("[" + section + "]\r\n");
  const size_t line = file.find("\r\n" + key + "=", at);
  const size_t start = line + 2 + key.size() + 1;
  file.replace(start, file.find("\r\n", start) - start, value);
  return file;
}

TEST_F(TransferCommands, TextsFromFilesArePrintedAsPlainTextAndStayInTheirFields) {
  ASSERT_EQ(Qampctl({"upload", "sim", "-o", Path("a.qcf"), "--sim", "virtual-time"}).status, 0);
  std::string file = Read(Path("a.qcf"));
  file = WithValue(file, "User Memo", "User Memo", "<b>bold</b> \x1b[2J\x1b]0;title\x07 &amp;");
  file = WithValue(file, "Input Rename", "CD", "<b>CD</b>");
  file = WithValue(file, "Input Rename", "DVD", "\"" + std::string(300, 'D') + "\"");
  file = WithValue(file, "Input Rename", "DVR", "\x1b[31mDVR");
  std::ofstream(Path("b.qcf"), std::ios::binary) << file;

  const Result report = Qampctl({"report", Path("b.qcf")});
  ASSERT_EQ(report.status, 0) << report.err;
  EXPECT_EQ(report.out.find('\x1b'), std::string::npos)
      << "no escape sequence reaches the terminal";
  EXPECT_EQ(report.out.find('\x07'), std::string::npos);
  EXPECT_NE(report.out.find("<b>bold</b> <0x1B>[2J<0x1B>]0;title<0x07> &amp;"), std::string::npos)
      << report.out;
  EXPECT_NE(report.out.find("<b>CD</b>"), std::string::npos) << "markup is shown as it was typed";
  // A name is nine characters at most; a name with control characters is
  // not taken at all.
  EXPECT_NE(report.out.find(std::string(9, 'D')), std::string::npos);
  EXPECT_EQ(report.out.find(std::string(10, 'D')), std::string::npos);
  EXPECT_NE(report.out.find("   DVR   "), std::string::npos);

  const Result diff = Qampctl({"diff", Path("a.qcf"), Path("b.qcf")});
  EXPECT_EQ(diff.out.find('\x1b'), std::string::npos);
  EXPECT_NE(diff.out.find("Input Rename / CD:    CD     \xE2\x86\x92 <b>CD</b>"), std::string::npos)
      << diff.out;
  EXPECT_NE(diff.out.find("Input Rename / DVD:    DVD    \xE2\x86\x92 DDDDDDDDD\n"),
            std::string::npos)
      << diff.out;
}

TEST_F(TransferCommands, SetSendsOneChangeAndGetReadsIt) {
  Result set =
      Qampctl({"set", "sim", "Speaker Set", "SW Phase", "Reverse", "--sim", "virtual-time"});
  EXPECT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(set.out, "Reverse\n");
  set = Qampctl(
      {"set", "sim", "Speaker Level", "FL", "3.5dB", "--sim", "virtual-time", "--sim", "guard"});
  EXPECT_EQ(set.status, 1);
  EXPECT_EQ(set.out, "0.0dB\n");
  EXPECT_NE(set.err.find("the receiver holds '0.0dB', not '3.5dB'"), std::string::npos);
  set = Qampctl({"set", "sim", "Speaker Level", "FL", "3.3dB", "--sim", "virtual-time"});
  EXPECT_EQ(set.status, 1);
  EXPECT_NE(set.err.find("'3.3dB' is not a value of Speaker Level / FL"), std::string::npos);
  const Result get = Qampctl(
      {"get", "sim", "Tuner Set", "Current ", "--sim", "virtual-time", "--sim", "region=2"});
  EXPECT_EQ(get.status, 0) << get.err;
  EXPECT_EQ(get.out, "FM 87.5MHz\n");
}

TEST_F(TransferCommands, SetTakesANameAsItWasTypedAndRefusesWhatTheReceiverCannotHold) {
  Result set = Qampctl({"set", "sim", "Input Rename", "PHONO", "MY AMP", "--sim", "virtual-time"});
  EXPECT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(set.out, "\"MY AMP   \"\n");
  set = Qampctl({"set", "sim", "Input Rename", "PHONO", "TURNTABLE 2", "--sim", "virtual-time"});
  EXPECT_EQ(set.status, 1);
  EXPECT_NE(set.err.find("did you mean TURNTABLE?"), std::string::npos) << set.err;
  EXPECT_EQ(set.err.find("%"), std::string::npos) << "refused before connecting";
  set = Qampctl({"set", "sim", "Input Rename", "PHONO", "Caf\xC3\xA9", "--sim", "virtual-time"});
  EXPECT_EQ(set.status, 1);
  EXPECT_NE(set.err.find("ASCII"), std::string::npos) << set.err;
  // A negative value is a value.
  set = Qampctl({"set", "sim", "Basic Control", "Main Volume", "-20.0dB", "--sim", "virtual-time"});
  EXPECT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(set.out, "-20.0dB\n");
  // A question nobody can answer: refused before anything is sent.
  set = Qampctl({"set", "sim", "Advanced Setup", "Initialize", "ALL", "--sim", "virtual-time"});
  EXPECT_EQ(set.status, 2);
  EXPECT_NE(set.err.find("All the parameters of this unit will be reset"), std::string::npos)
      << set.err;
  EXPECT_EQ(set.out, "");
  set = Qampctl({"set", "sim", "Advanced Setup", "Initialize", "DSP Param", "--yes", "--sim",
                 "virtual-time"});
  EXPECT_EQ(set.status, 0) << set.err;
  // Input DSP of the input playing: through the control panel's program.
  set = Qampctl({"set", "sim", "Input DSP", "DVD", "Straight", "--sim", "virtual-time"});
  EXPECT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(set.out, "Straight\n");
  // Offered by no control in Real Time Mode: nothing is sent, and it says so.
  set = Qampctl({"set", "sim", "Input DSP", "CD", "Straight", "--sim", "virtual-time"});
  EXPECT_EQ(set.status, 1);
  EXPECT_NE(set.err.find("nothing was changed"), std::string::npos) << set.err;
}

TEST_F(TransferCommands, AFileThatLacksValuesSaysSoAndIsNotEqualToTheWholeOne) {
  ASSERT_EQ(Qampctl({"upload", "sim", "-o", Path("a.qcf"), "--sim", "virtual-time"}).status, 0);
  const std::string whole = Read(Path("a.qcf"));
  std::ofstream(Path("cut.qcf"), std::ios::binary) << whole.substr(0, 5000);
  std::ofstream(Path("banana.qcf"), std::ios::binary)
      << WithValue(whole, "Basic Control", "Main Volume", "banana");

  const Result report = Qampctl({"report", Path("banana.qcf")});
  EXPECT_EQ(report.status, 0);
  EXPECT_NE(report.err.find(Path("banana.qcf") + ": 1 key unreadable"), std::string::npos)
      << report.err;
  const Result listed = Qampctl({"report", Path("banana.qcf"), "--missing"});
  EXPECT_NE(listed.err.find("  unreadable: Basic Control / Main Volume\n"), std::string::npos)
      << listed.err;
  const Result wholeReport = Qampctl({"report", Path("a.qcf")});
  EXPECT_EQ(wholeReport.err, "") << "a whole file lacks nothing";

  const Result diff = Qampctl({"diff", Path("a.qcf"), Path("cut.qcf")});
  EXPECT_EQ(diff.status, 1) << "a file cut short differs from the whole one";
  EXPECT_NE(diff.err.find(Path("cut.qcf") + ": "), std::string::npos);
  EXPECT_NE(diff.out.find("Zone3 Volume Memory 6 Multi Zone / Zone3 Volume: -40.0dB \xE2\x86\x92 "
                          "(missing)\n"),
            std::string::npos)
      << diff.out.substr(0, 300);
  const Result bananaDiff = Qampctl({"diff", Path("a.qcf"), Path("banana.qcf")});
  EXPECT_EQ(bananaDiff.status, 1);
  EXPECT_EQ(bananaDiff.out, "Basic Control / Main Volume: -40.0dB \xE2\x86\x92 (unreadable)\n");

  const Result refused = Qampctl({"download", "sim", Path("cut.qcf"), "--sim", "virtual-time"});
  EXPECT_EQ(refused.status, 2) << "asked, and standard input is not a terminal";
  EXPECT_NE(refused.err.find("keys missing"), std::string::npos) << refused.err;
  EXPECT_EQ(refused.err.find("%"), std::string::npos) << "nothing was sent";
  const Result download =
      Qampctl({"download", "sim", Path("banana.qcf"), "--yes", "--sim", "virtual-time"});
  EXPECT_EQ(download.status, 0) << download.err;
  EXPECT_NE(download.err.find(Path("banana.qcf") + ": 1 key unreadable"), std::string::npos);
}

TEST_F(TransferCommands, UsageErrorsAndUnreadableFilesAreNotDifferences) {
  ASSERT_EQ(Qampctl({"upload", "sim", "-o", Path("a.qcf"), "--sim", "virtual-time"}).status, 0);
  const Result missing = Qampctl({"diff", Path("a.qcf"), Path("none.qcf")});
  EXPECT_EQ(missing.status, 2) << "trouble is 2, as with diff(1)";
  EXPECT_NE(missing.err.find("Cannot read " + Path("none.qcf")), std::string::npos);
  EXPECT_EQ(Qampctl({"diff", Path("a.qcf")}).status, 2);
  EXPECT_EQ(Qampctl({"diff", Path("a.qcf"), Path("a.qcf")}).status, 0);

  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"set", "/dev/ttyUSB0", "Speaker Set", "Front", "Large", "--sim",
                                 "silent"},
        std::vector<std::string>{"upload", "/dev/ttyUSB0", "-o", Path("b.qcf"), "--sim", "silent"},
        std::vector<std::string>{"download", "/dev/ttyUSB0", Path("a.qcf"), "--yes", "--sim",
                                 "silent"},
        std::vector<std::string>{"connect", "tcp:127.0.0.1:4001", "--sim", "silent"}}) {
    const Result result = Qampctl(args);
    EXPECT_EQ(result.status, 2) << args[0];
    EXPECT_NE(result.err.find("--sim applies to the port 'sim' only"), std::string::npos)
        << result.err;
  }
  for (const std::string port : {"abc", "70000", "-1", "80x", ""}) {
    const Result result = Qampctl({"simulate", "--tcp", port});
    EXPECT_EQ(result.status, 2) << port;
    EXPECT_NE(result.err.find("--tcp takes a port number from 0 to 65535"), std::string::npos)
        << port << ": " << result.err;
  }
}

}  // namespace
}  // namespace qamp::cli

namespace qamp::cli {
namespace {

using Result = testing::QampctlResult;
using testing::Qampctl;

class PortFailures : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ =
        std::filesystem::temp_directory_path() / ("qampctl-ports-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory_);
    setenv("TMPDIR", directory_.c_str(), 1);
    std::ofstream(Path("regular.qcf")) << "[Speaker Set]\r\nFront=Large\r\n";
  }
  void TearDown() override {
    unsetenv("TMPDIR");
    std::filesystem::remove_all(directory_);
  }
  std::string Path(const std::string& name) const { return (directory_ / name).string(); }
  std::filesystem::path directory_;
};

TEST_F(PortFailures, APortThatDoesNotOpenEndsTheCommandWithItsMessage) {
  const std::vector<std::string> ports = {"/dev/nonexistent",  "/dev/null", Path("regular.qcf"),
                                          directory_.string(), "ttyUSB0",   "tcp:127.0.0.1"};
  const std::vector<std::vector<std::string>> commands = {
      {"upload", "PORT", "-o", Path("out.qcf")},          {"get", "PORT", "Speaker Set", "Front"},
      {"set", "PORT", "Speaker Set", "Front", "Large"},   {"connect", "PORT"},
      {"download", "PORT", Path("regular.qcf"), "--yes"},
  };
  for (const std::string& port : ports) {
    for (std::vector<std::string> args : commands) {
      args[1] = port;
      const Result result = Qampctl(args);
      EXPECT_EQ(result.status, 1) << args[0] << " " << port;
      EXPECT_NE(result.err.find("COM port error has occurred."), std::string::npos)
          << args[0] << " " << port << ": " << result.err;
    }
  }
  EXPECT_NE(Qampctl({"get", "/dev/nonexistent", "Speaker Set", "Front"})
                .err.find("There is no serial device /dev/nonexistent"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(Path("out.qcf")));
}

// A receiver that takes the connection and never answers: qampctl waits
// for its configuration report until it is interrupted.
TEST_F(PortFailures, ASignalEndsAWaitingCommandWithStatus130) {
  for (const int signal : {SIGINT, SIGTERM}) {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    socklen_t length = sizeof address;
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const std::string port = "tcp:127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    int errors[2];
    ASSERT_EQ(::pipe(errors), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::dup2(errors[1], STDERR_FILENO);
      ::close(errors[0]);
      ::execl(QAMPCTL_PATH, "qampctl", "connect", port.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(errors[1]);
    // Once the connection is there, qampctl is waiting in its event loop.
    pollfd incoming{listener, POLLIN, 0};
    ASSERT_EQ(::poll(&incoming, 1, 30000), 1) << "qampctl never connected";
    const int connection = ::accept(listener, nullptr, nullptr);
    ASSERT_GE(connection, 0);
    ::kill(child, signal);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    std::string err;
    char buffer[256];
    for (ssize_t n; (n = ::read(errors[0], buffer, sizeof buffer)) > 0;) err.append(buffer, n);
    ::close(errors[0]);
    ::close(connection);
    ::close(listener);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal itself, not by qampctl";
    EXPECT_EQ(WEXITSTATUS(status), 130) << err;
    EXPECT_NE(err.find("qampctl connect: cancelled"), std::string::npos) << err;
  }
}

}  // namespace
}  // namespace qamp::cli
