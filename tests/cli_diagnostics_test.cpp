// qampctl when the link does not work: the port trace, the list of what to
// check when no receiver answers, and help by command name.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

#include "cli/cli_session_host.h"
#include "cli/command.h"
#include "qt/port_router.h"
#include "support/qampctl_runner.h"
#include "support/scratch_directory.h"

namespace qamp::cli {
namespace {

using Result = testing::QampctlResult;
using testing::Qampctl;

class Diagnostics : public testing::ScratchDirectoryTest {
 protected:
  Diagnostics() : ScratchDirectoryTest("qampctl-diag-") {}
  static std::vector<std::string> Lines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }
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

namespace qamp::cli {
namespace {

QJsonDocument Json(const std::string& text) {
  QJsonParseError error;
  QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  return document;
}

TEST(Scripting, ParamsValuesListsEveryTextOrTheEndsOfALongRange) {
  const Result params = Qampctl({"params", "--values"});
  ASSERT_EQ(params.status, 0) << params.err;
  auto line = [&](const std::string& start) {
    const size_t at = params.out.find("\n" + start);
    if (at == std::string::npos) return std::string("(none)");
    return params.out.substr(at + 1, params.out.find('\n', at + 1) - at - 1);
  };
  // -80.0dB to 16.5dB in half decibels is 194 values, and Mute.
  EXPECT_EQ(line("6\t"),
            "6\t-1\tBasic Control\tMain Volume\t-40.0dB\tMute|-80.0dB|...|16.5dB "
            "(195 values)");
  EXPECT_EQ(line("2\t"), "2\t-1\tBasic Control\tAudio Select\tAuto\tAuto|HDMI|Coax/Opt|Analog");
  EXPECT_EQ(line("7\t"), "7\t-1\tBasic Control\tMute\tOFF\tOFF|ON");
  // L20 .. Mid .. R20.
  EXPECT_EQ(line("22\t"), "22\t-1\tMulti Zone\tZone2 Balance\tMid\tL20|L19|...|R20 (41 values)");
  // Every line has the default among its values, or is a text or a long range.
  std::istringstream lines(params.out);
  int count = 0;
  for (std::string text; std::getline(lines, text); ++count) {
    std::vector<std::string> fields;
    std::istringstream split(text);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    ASSERT_EQ(fields.size(), 6u) << text;
    if (fields[5] == "(text)" || fields[5].ends_with(" values)")) continue;
    EXPECT_NE(("|" + fields[5] + "|").find("|" + fields[4] + "|"), std::string::npos) << text;
  }
  const Result plain = Qampctl({"params"});
  EXPECT_EQ(std::count(plain.out.begin(), plain.out.end(), '\n'), count);
}

TEST(Scripting, ParamsJsonHasOneObjectPerParameter) {
  const Result plain = Qampctl({"params"});
  const Result json = Qampctl({"params", "--json"});
  const Result values = Qampctl({"params", "--json", "--values"});
  ASSERT_EQ(json.status, 0);
  const QJsonArray list = Json(json.out).array();
  EXPECT_EQ(list.size(), std::count(plain.out.begin(), plain.out.end(), '\n'));
  const QJsonObject first = list.at(0).toObject();
  EXPECT_EQ(first.value("id").toInt(), 1);
  EXPECT_EQ(first.value("subIndex").toInt(), -1);
  EXPECT_EQ(first.value("section").toString(), "Basic Control");
  EXPECT_EQ(first.value("key").toString(), "Input");
  EXPECT_EQ(first.value("default").toString(), "DVD");
  EXPECT_FALSE(first.contains("values"));
  const QJsonArray withValues = Json(values.out).array();
  ASSERT_EQ(withValues.size(), list.size());
  for (const QJsonValue& entry : withValues) {
    if (entry.toObject().value("key").toString() != "Main Volume") continue;
    const QJsonArray texts = entry.toObject().value("values").toArray();
    ASSERT_EQ(texts.size(), 195);
    EXPECT_EQ(texts.at(0).toString(), "Mute");
    EXPECT_EQ(texts.at(1).toString(), "-80.0dB");
    EXPECT_EQ(texts.at(2).toString(), "-79.5dB");
    EXPECT_EQ(texts.at(194).toString(), "16.5dB");
  }
  // A free text is null, not an empty list.
  bool text = false;
  for (const QJsonValue& entry : withValues)
    text = text || entry.toObject().value("values").isNull();
  EXPECT_TRUE(text);
}

TEST_F(Diagnostics, DashWritesUploadAndReportToStandardOutput) {
  const Result toFile = Qampctl({"upload", "sim", "-o", Path("a.qcf"), "--sim", "virtual-time"});
  ASSERT_EQ(toFile.status, 0) << toFile.err;
  const Result toOut = Qampctl({"upload", "sim", "-o", "-", "--sim", "virtual-time"});
  ASSERT_EQ(toOut.status, 0) << toOut.err;
  std::ifstream file(Path("a.qcf"), std::ios::binary);
  const std::string saved{std::istreambuf_iterator<char>(file), {}};
  EXPECT_EQ(toOut.out, saved) << "the file and nothing else";
  EXPECT_FALSE(std::filesystem::exists(Path("-")));

  const Result report = Qampctl({"report", Path("a.qcf")});
  const Result dash = Qampctl({"report", Path("a.qcf"), "-o", "-"});
  const Result written = Qampctl({"report", Path("a.qcf"), "-o", Path("report.txt")});
  ASSERT_EQ(report.status, 0);
  EXPECT_EQ(dash.out, report.out);
  EXPECT_EQ(written.out, "");
  std::ifstream reportFile(Path("report.txt"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reportFile), {}), report.out);
  const Result nowhere = Qampctl({"report", Path("a.qcf"), "-o", Path("no/such/r.txt")});
  EXPECT_EQ(nowhere.status, 1);
}

TEST_F(Diagnostics, ReportJsonHoldsEveryValueOfTheFileInItsOrder) {
  {
    std::ofstream file(Path("short.qcf"), std::ios::binary);
    file << "[User Memo]\r\nUser Memo=living room\r\n[System Memory]\r\n";
  }
  const Result json = Qampctl({"report", Path("short.qcf"), "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const QJsonObject report = Json(json.out).object();
  EXPECT_EQ(report.value("file").toString().toStdString(), Path("short.qcf"));
  EXPECT_FALSE(report.value("complete").toBool());
  EXPECT_GT(report.value("missing").toArray().size(), 100);
  const QJsonObject missing = report.value("missing").toArray().at(0).toObject();
  EXPECT_FALSE(missing.value("section").toString().isEmpty());
  EXPECT_FALSE(missing.value("key").toString().isEmpty());
  const QJsonArray values = report.value("values").toArray();
  ASSERT_GT(values.size(), 100);
  EXPECT_EQ(
      values.at(0).toObject(),
      (QJsonObject{{"section", "User Memo"}, {"key", "User Memo"}, {"value", "living room"}}));
  // The whole file has nothing missing.
  ASSERT_EQ(Qampctl({"upload", "sim", "-o", Path("b.qcf"), "--sim", "virtual-time"}).status, 0);
  const QJsonObject whole = Json(Qampctl({"report", Path("b.qcf"), "--json"}).out).object();
  EXPECT_TRUE(whole.value("complete").toBool());
  EXPECT_TRUE(whole.value("missing").toArray().isEmpty());
  // One value for each line of the file that is no section header (keys
  // such as "[A] Component IN 1" begin with a bracket too).
  std::ifstream file(Path("b.qcf"), std::ios::binary);
  qsizetype lines = 0;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && (line.front() != '[' || line.find('=') != std::string::npos)) ++lines;
  }
  EXPECT_EQ(whole.value("values").toArray().size(), lines);
}

TEST(Scripting, PortsJsonHasThePortsAndTheProblems) {
  const Result json = Qampctl({"ports", "--json"});
  ASSERT_EQ(json.status, 0);
  const QJsonObject ports = Json(json.out).object();
  ASSERT_TRUE(ports.value("ports").isArray());
  ASSERT_TRUE(ports.value("problems").isArray());
  EXPECT_EQ(ports.value("auto").toBool(), !ports.value("ports").toArray().isEmpty());
  for (const QJsonValue& port : ports.value("ports").toArray())
    EXPECT_TRUE(port.toObject().value("device").toString().startsWith("/dev/"));
  EXPECT_EQ(Qampctl({"ports", "--yaml"}).status, 2);
}

}  // namespace
}  // namespace qamp::cli

namespace qamp::cli {
namespace {

TEST(DecodeNames, ReportsSayWhichParameterAndValueTheyCarry) {
  const Result result = Qampctl({"decode", "<STX>0026C7<ETX>", "<STX>002600<ETX>"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out,
            "<STX>0026C7<ETX>: recognised, kind 1 (BasicGroup)\n"
            "  6 = 0: Basic Control / Main Volume = 0.0dB\n"
            "<STX>002600<ETX>: recognised, kind 1 (BasicGroup)\n"
            "  6 = -805: Basic Control / Main Volume = Mute\n");
  // A listed value without a store is not named.
  const Result listed = Qampctl({"decode", "<STX>003000<ETX>"});
  EXPECT_EQ(listed.out,
            "<STX>003000<ETX>: recognised, kind 22 (listed only, not stored)\n"
            "  563 = (listed, no value)\n");
}

TEST(DecodeNames, FramesTheProgramSendsSayWhatTheySet) {
  const Result result =
      Qampctl({"decode", "<STX>2309F<ETX>", "<STX>27610<ETX>", "<DC4>200B0341421c00329<ETX>"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "<STX>2309F<ETX>: sent by the program, sets Basic Control / Main Volume = -20.0dB\n"
            "<STX>27610<ETX>: sent by the program, sets Speaker Set / SW Phase = Reverse\n"
            "<DC4>200B0341421c00329<ETX>: sent by the program, sets Parametric EQ / (Surround "
            "L) Band 3 Gain = -20.0dB\n");
  // What 'command' prints, decode reads back as the change that sent it.
  for (const std::string value : {"-80.0dB", "0.0dB", "16.5dB", "Mute"}) {
    const Result command = Qampctl({"command", "Basic Control", "Main Volume", "--", value});
    ASSERT_EQ(command.status, 0) << value << command.err;
    const std::string frame = command.out.substr(0, command.out.find('\n'));
    EXPECT_EQ(Qampctl({"decode", frame}).out,
              frame + ": sent by the program, sets Basic Control / Main Volume = " + value + "\n");
  }
  const Result json = Qampctl({"decode", "--json", "<STX>27610<ETX>"});
  EXPECT_EQ(json.out,
            "{\"frame\":\"<STX>27610<ETX>\",\"sent\":true,\"sets\":[{\"key\":\"SW Phase\","
            "\"section\":\"Speaker Set\",\"value\":\"Reverse\"}]}\n");
  // A frame of the right shape that nothing sends, and a wrong checksum.
  const Result unknown = Qampctl({"decode", "<STX>29999<ETX>", "<DC4>200B0341421c00328<ETX>"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.out,
            "<STX>29999<ETX>: not recognised\n<DC4>200B0341421c00328<ETX>: not recognised\n");
}

}  // namespace
}  // namespace qamp::cli
