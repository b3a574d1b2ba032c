// qampctl when the link does not work: the port trace, the list of what to
// check when no receiver answers, and help by command name.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <QCoreApplication>
#include <algorithm>

#include "cli/cli_session_host.h"
#include "cli/command.h"
#include "qt/port_router.h"
#include "support/qampctl_runner.h"

namespace qamp::cli {
namespace {

using Result = testing::QampctlResult;
using testing::Qampctl;

class Diagnostics : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tmp = std::getenv("TMPDIR");
    saved_ = tmp != nullptr ? tmp : "";
    directory_ =
        std::filesystem::temp_directory_path() / ("qampctl-diag-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory_);
    setenv("TMPDIR", directory_.c_str(), 1);
  }
  void TearDown() override {
    if (saved_.empty()) {
      unsetenv("TMPDIR");
    } else {
      setenv("TMPDIR", saved_.c_str(), 1);
    }
    std::filesystem::remove_all(directory_);
  }
  std::string Path(const std::string& name) const { return (directory_ / name).string(); }
  static std::vector<std::string> Lines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }
  std::filesystem::path directory_;
  std::string saved_;
};

TEST_F(Diagnostics, TraceHoldsEveryFrameOfAConnectionBothWays) {
  const Result connect =
      Qampctl({"--trace", Path("trace.txt"), "connect", "sim", "--sim", "virtual-time"});
  ASSERT_EQ(connect.status, 0) << connect.err;
  const std::vector<std::string> lines = Lines(Path("trace.txt"));
  ASSERT_GT(lines.size(), 100u);
  EXPECT_EQ(lines[0], "     0.000 * open sim");
  EXPECT_EQ(lines[1], "     0.000 > <STX>20000<ETX>");
  EXPECT_EQ(lines.back().substr(10), " * close sim");
  size_t sent = 0;
  size_t received = 0;
  bool report = false;
  for (const std::string& line : lines) {
    ASSERT_GE(line.size(), 13u) << line;
    EXPECT_EQ(line[6], '.') << line;  // milliseconds with three decimals
    if (line[11] == '>') ++sent;
    if (line[11] == '<') ++received;
    if (line.substr(11).starts_with("< <DC2>")) report = true;
    // Every frame is whole on its line: nothing raw in the file.
    for (const char c : line) EXPECT_TRUE(c >= 0x20 && c <= 0x7E) << line;
  }
  EXPECT_TRUE(report);
  EXPECT_GT(sent, 100u);
  EXPECT_GT(received, 100u);
}

TEST_F(Diagnostics, TraceOptionMistakesAreToldBeforeAnythingIsSent) {
  const Result missing = Qampctl({"--trace"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "qampctl: --trace needs a FILE\n");
  const Result empty = Qampctl({"--trace=", "connect", "sim"});
  EXPECT_EQ(empty.status, 2);
  const std::string nowhere = Path("no/such/folder/trace.txt");
  const Result unwritable =
      Qampctl({"--trace", nowhere, "connect", "sim", "--sim", "virtual-time"});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_TRUE(unwritable.err.starts_with("qampctl: cannot write the trace " + nowhere + ": "))
      << unwritable.err;
  EXPECT_TRUE(unwritable.out.empty());
}

TEST_F(Diagnostics, ASilentReceiverGetsTheListOfWhatToCheck) {
  const Result connect = Qampctl(
      {"--trace=" + Path("t.txt"), "connect", "sim", "--sim", "virtual-time", "--sim", "silent"});
  EXPECT_EQ(connect.status, 1);
  EXPECT_NE(connect.err.find("qampctl: Communication error has occurred during initialization.\n"
                             "No receiver answered on sim. Check, in this order:\n"
                             "1. The cable: a null-modem (crossed) RS-232C cable with RTS and CTS "
                             "wired"),
            std::string::npos)
      << connect.err;
  const size_t cable = connect.err.find("\n1. The cable");
  const size_t power = connect.err.find("\n2. The receiver's power");
  const size_t port = connect.err.find("\n3. The port: the cable is in sim");
  const size_t others = connect.err.find("\n4. Who else has the port open");
  ASSERT_NE(others, std::string::npos) << connect.err;
  EXPECT_LT(cable, power);
  EXPECT_LT(power, port);
  EXPECT_LT(port, others);
  // Only frames went out; nothing came back.
  for (const std::string& line : Lines(Path("t.txt"))) EXPECT_NE(line[11], '<') << line;
}

TEST_F(Diagnostics, HelpCommandShowsThatCommandsHelp) {
  for (const std::string name : {"upload", "report", "decode", "ports"}) {
    const Result help = Qampctl({"help", name});
    const Result own = Qampctl({name, "--help"});
    EXPECT_EQ(help.status, 0) << name;
    EXPECT_EQ(help.out, own.out) << name;
    EXPECT_TRUE(help.out.starts_with("usage: qampctl " + name)) << help.out;
  }
  const Result unknown = Qampctl({"help", "fly"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err,
            "qampctl help: unknown command 'fly' (run 'qampctl --help' for the list)\n");
  const Result all = Qampctl({"help"});
  EXPECT_EQ(all.status, 0);
  EXPECT_NE(all.out.find("  --trace FILE"), std::string::npos);
}

}  // namespace
}  // namespace qamp::cli

namespace qamp::cli {
namespace {

TEST(ProgressLine, ShowsBarPercentElapsedAndTheTimeLeftAtThePaceSoFar) {
  EXPECT_EQ(ProgressLine("Reading the receiver", 0, 1200, 0),
            "Reading the receiver [------------------------------]   0%  0:00 elapsed, --:-- left");
  // A quarter in 30 s: 90 s to go.
  EXPECT_EQ(ProgressLine("Reading the receiver", 300, 1200, 30000),
            "Reading the receiver [#######-----------------------]  25%  0:30 elapsed, 1:30 left");
  // 999 of 1000 rounds down: never 100 % before the end.
  EXPECT_EQ(ProgressLine("Writing the receiver", 999, 1000, 599400),
            "Writing the receiver [#############################-]  99%  9:59 elapsed, 0:00 left");
  EXPECT_EQ(
      ProgressLine("Writing the receiver", 1000, 1000, 3723000),
      "Writing the receiver [##############################] 100%  1:02:03 elapsed, 0:00 left");
  // Positions outside the range are held at its ends.
  EXPECT_EQ(ProgressLine("x", 1500, 1000, 1000),
            "x [##############################] 100%  0:01 elapsed, 0:00 left");
  EXPECT_EQ(ProgressLine("x", -5, 1000, 1000),
            "x [------------------------------]   0%  0:01 elapsed, --:-- left");
  EXPECT_EQ(ProgressLine("x", 3, 0, 1000),
            "x [------------------------------]   0%  0:01 elapsed, --:-- left");
}

TEST(ProgressLine, TimesReadAsMinutesAndSecondsOrHours) {
  EXPECT_EQ(ProgressTime(0), "0:00");
  EXPECT_EQ(ProgressTime(999), "0:00");
  EXPECT_EQ(ProgressTime(59999), "0:59");
  EXPECT_EQ(ProgressTime(60000), "1:00");
  EXPECT_EQ(ProgressTime(3599999), "59:59");
  EXPECT_EQ(ProgressTime(3600000), "1:00:00");
  EXPECT_EQ(ProgressTime(-5), "0:00");
}

// The host on a "terminal" (a string stream that says it is one) and on a
// script's stderr, over the simulated receiver on virtual time.
TEST(ProgressLine, ATerminalGetsOneLineRedrawnAndAScriptNothing) {
  for (const bool terminal : {true, false}) {
    int argc = 1;
    char name[] = "qamp_cli_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    sim::VirtualClock clock;
    sim::SimOptions options;
    options.virtualTime = true;
    PortRouter router(options, &clock);
    std::ostringstream err;
    CliSessionHost host(err, terminal, &clock);
    CReceiverSession session(router, host, ControlMode::kAsync, nullptr, [] { return LogTime{}; });
    host.Attach(&session);
    session.SetPorts({{"sim", "sim"}});
    session.SelectPort(1);
    session.StartUpload();
    ASSERT_EQ(host.Run(), OperationOutcome::kTransferDone);
    session.Close();
    const std::string text = err.str();
    if (!terminal) {
      EXPECT_EQ(text, "");
      continue;
    }
    // Redrawn in place with a carriage return, a line per phase that
    // showed progress, each ending at 100 %, all saying that the receiver
    // is read.
    EXPECT_TRUE(text.starts_with("\rReading the receiver [")) << text.substr(0, 200);
    EXPECT_TRUE(text.ends_with("\n"));
    EXPECT_EQ(text.find("Upload Command Sending"), std::string::npos);
    EXPECT_EQ(text.find("Writing"), std::string::npos);
    std::istringstream lines(text);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
      const size_t last = line.rfind('\r');
      ASSERT_NE(last, std::string::npos) << line;
      EXPECT_TRUE(line.substr(last).starts_with(
          "\rReading the receiver [##############################] 100%  "))
          << line.substr(last);
      EXPECT_TRUE(line.ends_with(" elapsed, 0:00 left\x1b[K")) << line.substr(last);
      // Many redraws on the one line.
      EXPECT_GT(std::count(line.begin(), line.end(), '\r'), 50) << line.substr(0, 200);
    }
    EXPECT_GE(count, 1);
  }
}

}  // namespace
}  // namespace qamp::cli
