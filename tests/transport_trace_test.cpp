// The port trace: how a line reads, how received characters become one
// line per frame, and a connection to the simulated receiver traced in
// both directions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/transport_trace.h"
#include "support/session_harness.h"

namespace qamp {
namespace {

class LinesSink : public TraceSink {
 public:
  void TraceLine(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

TEST(TraceText, NamesTheFrameBytesAndWritesOtherControlBytesInHex) {
  EXPECT_EQ(TraceBytes(std::string("\x02"
                                   "20000\x03",
                                   7)),
            "<STX>20000<ETX>");
  EXPECT_EQ(TraceBytes(std::string("\x12"
                                   "R0226\x03",
                                   7)),
            "<DC2>R0226<ETX>");
  EXPECT_EQ(TraceBytes(std::string("\x14"
                                   "20050000FCD\x03",
                                   13)),
            "<DC4>20050000FCD<ETX>");
  // The neighbours of the named bytes, NUL, ESC, DEL and the upper half.
  EXPECT_EQ(TraceBytes(std::string("\x01\x04\x11\x13\x15", 5)), "<0x01><0x04><0x11><0x13><0x15>");
  EXPECT_EQ(TraceBytes(std::string("\x00\x1b\x7f\x80\xff", 5)), "<0x00><0x1B><0x7F><0x80><0xFF>");
  // Printable characters stay, from the blank to the tilde.
  EXPECT_EQ(TraceBytes(" AZaz09~\"<"), " AZaz09~\"<");
  EXPECT_EQ(TraceBytes(""), "");
}

TEST(TraceText, StampsMillisecondsWithThreeDecimalsInTenColumns) {
  EXPECT_EQ(TraceLineText(0, '>', "<STX>20000<ETX>"), "     0.000 > <STX>20000<ETX>");
  EXPECT_EQ(TraceLineText(50.25, '<', "x"), "    50.250 < x");
  EXPECT_EQ(TraceLineText(123456.0625, '*', "open sim"), "123456.062 * open sim");
  // Past ten columns the stamp grows; nothing is cut.
  EXPECT_EQ(TraceLineText(1234567.5, '>', ""), "1234567.500 > ");
}

// A port whose reads the test hands out in chunks of its choosing.
class ScriptedPort : public SerialTransport {
 public:
  bool Open(std::string_view device, std::string& error) override {
    if (device == "missing") {
      error = "/dev/missing does not exist";
      return false;
    }
    open = true;
    return true;
  }
  void Close() override { open = false; }
  bool IsOpen() const override { return open; }
  bool Write(std::string_view bytes) override {
    written += bytes;
    return open;
  }
  std::string ReadAvailable() override {
    std::string taken;
    taken.swap(waiting);
    return taken;
  }
  bool IsCtsOn() override { return true; }
  void Arrive(std::string bytes) {
    waiting += bytes;
    if (listener_ != nullptr) listener_->DataArrived();
  }
  void Fail(std::string_view reason) {
    open = false;
    if (listener_ != nullptr) listener_->PortFailed(reason);
  }
  bool open = false;
  std::string written;
  std::string waiting;
};

class ReadingListener : public TransportListener {
 public:
  explicit ReadingListener(SerialTransport& port) : port_(port) {}
  void DataArrived() override { received += port_.ReadAvailable(); }
  void PortFailed(std::string_view reason) override { failures.emplace_back(reason); }
  std::string received;
  std::vector<std::string> failures;

 private:
  SerialTransport& port_;
};

struct ScriptedTrace {
  ScriptedTrace() : trace(port, sink, [this] { return now; }), reader(trace) {
    trace.SetListener(&reader);
  }
  ScriptedPort port;
  LinesSink sink;
  double now = 1000;  // the trace counts from here
  TracingTransport trace;
  ReadingListener reader;
};

TEST(TracingTransport, WritesOneLinePerReceivedFrameWhateverTheChunks) {
  ScriptedTrace t;
  std::string error;
  ASSERT_TRUE(t.trace.Open("/dev/ttyUSB0", error));
  t.now = 1012.5;
  ASSERT_TRUE(
      t.trace.Write(std::string("\x02"
                                "20000\x03",
                                7)));
  EXPECT_EQ(t.port.written, std::string("\x02"
                                        "20000\x03",
                                        7));
  // One standard report in three chunks, then two in one chunk.
  t.now = 1100;
  t.port.Arrive(
      "\x02"
      "0");
  t.now = 1101;
  t.port.Arrive("028");
  t.now = 1102.25;
  t.port.Arrive("00\x03");
  t.now = 1200;
  t.port.Arrive(
      "\x02"
      "0012AB\x03\x02"
      "00284");
  t.now = 1210;
  t.port.Arrive("1\x03");
  // Everything reached the link untouched.
  EXPECT_EQ(t.reader.received, std::string("\x02"
                                           "002800\x03\x02"
                                           "0012AB\x03\x02"
                                           "002841\x03",
                                           24));
  const std::vector<std::string> expected = {
      "     0.000 * open /dev/ttyUSB0", "    12.500 > <STX>20000<ETX>",
      "   102.250 < <STX>002800<ETX>",  "   200.000 < <STX>0012AB<ETX>",
      "   210.000 < <STX>002841<ETX>",
  };
  EXPECT_EQ(t.sink.lines, expected);
}

TEST(TracingTransport, TracesCloseFailuresAndWhatWasLeftWithoutAnEnd) {
  ScriptedTrace t;
  std::string error;
  EXPECT_FALSE(t.trace.Open("missing", error));
  EXPECT_EQ(error, "/dev/missing does not exist");
  ASSERT_TRUE(t.trace.Open("tcp:127.0.0.1:4001", error));
  t.now = 1005;
  t.port.Arrive(
      "\x12"
      "R02");
  t.now = 1010;
  t.trace.Close();
  t.trace.Close();  // closing a closed port traces nothing
  t.now = 1020;
  ASSERT_TRUE(t.trace.Open("/dev/ttyS0", error));
  t.now = 1030;
  t.port.Arrive(
      "\x02"
      "00");
  t.now = 1040;
  t.port.Fail("the device was unplugged");
  ASSERT_EQ(t.reader.failures.size(), 1u);
  EXPECT_EQ(t.reader.failures[0], "the device was unplugged");
  // A frame written to a port that has gone says it was not written.
  t.now = 1050;
  EXPECT_FALSE(
      t.trace.Write(std::string("\x02"
                                "07A1D\x03\x02"
                                "07E7E\x03",
                                14)));
  const std::vector<std::string> expected = {
      "     0.000 * open missing failed: /dev/missing does not exist",
      "     0.000 * open tcp:127.0.0.1:4001",
      "    10.000 < <DC2>R02 (no ETX at the close)",
      "    10.000 * close tcp:127.0.0.1:4001",
      "    20.000 * open /dev/ttyS0",
      "    40.000 < <STX>00 (no ETX when the port failed)",
      "    40.000 * port /dev/ttyS0 failed: the device was unplugged",
      "    50.000 > <STX>07A1D<ETX> (not written)",
      "    50.000 > <STX>07E7E<ETX> (not written)",
  };
  EXPECT_EQ(t.sink.lines, expected);
}

// A session whose port is traced: the simulated receiver on virtual time.
struct TracedSession {
  explicit TracedSession(sim::SimOptions options = {})
      : receiver(std::move(options)),
        port(receiver, clock),
        trace(port, sink, [this] { return static_cast<double>(clock.NowMs()); }),
        host(clock),
        session(trace, host, ControlMode::kRealTime, nullptr, [this] {
          return LogTime{clock.NowMs() / 1000, "T"};
        }) {
    host.session = &session;
    session.SetPorts({{"sim", "sim"}});
    session.SelectPort(1);
  }
  std::vector<std::string> Lines(char direction) const {
    std::vector<std::string> found;
    for (const std::string& line : sink.lines) {
      if (line.size() > 11 && line[11] == direction) found.push_back(line.substr(13));
    }
    return found;
  }
  sim::VirtualClock clock;
  sim::CSimulatedReceiver receiver;
  sim::SimTransport port;
  LinesSink sink;
  TracingTransport trace;
  testing::RecordingHost host;
  CReceiverSession session;
};

TEST(TracingTransport, TracesAConnectionToTheSimulatedReceiverBothWays) {
  TracedSession t;
  t.session.Open();
  t.clock.RunUntil([&] { return !t.host.outcomes.empty(); }, 600000);
  ASSERT_FALSE(t.host.outcomes.empty());
  ASSERT_EQ(t.host.outcomes.back().outcome, OperationOutcome::kConnected);
  t.clock.Advance(2000);
  t.session.Close();

  ASSERT_GE(t.sink.lines.size(), 4u);
  EXPECT_EQ(t.sink.lines.front(), "     0.000 * open sim");
  EXPECT_EQ(t.sink.lines.back().substr(11), "* close sim");
  const std::vector<std::string> sent = t.Lines('>');
  // The connection's first frames, in their order.
  ASSERT_GE(sent.size(), 5u);
  EXPECT_EQ(sent[0], "<STX>20000<ETX>");
  EXPECT_EQ(sent[1], "<STX>07A1D<ETX>");
  EXPECT_EQ(sent[2], "<STX>07A1D<ETX>");
  EXPECT_EQ(sent[3], "<STX>07E7E<ETX>");
  EXPECT_EQ(sent[4], "<STX>07E7E<ETX>");
  // Every frame the receiver got is a line, and every answer too.
  EXPECT_EQ(sent.size(), t.receiver.ReceivedFrames().size());
  const std::vector<std::string> received = t.Lines('<');
  ASSERT_FALSE(received.empty());
  EXPECT_TRUE(received[0].starts_with("<DC2>")) << received[0];
  EXPECT_TRUE(received[0].ends_with("<ETX>")) << received[0];
  size_t extended = 0;
  for (const std::string& line : received) {
    if (line.starts_with("<DC4>20")) ++extended;
  }
  EXPECT_GT(extended, 100u);  // the initial load's read requests were answered
  // The stamps never go back.
  double last = -1;
  for (const std::string& line : t.sink.lines) {
    const double stamp = std::stod(line.substr(0, 10));
    EXPECT_GE(stamp, last) << line;
    last = stamp;
  }
  // The first frame goes out as the port opens.
  EXPECT_EQ(t.sink.lines[1].substr(0, 10), "     0.000");
}

TEST(TracingTransport, ASilentReceiverLeavesOnlyTheFramesSent) {
  sim::SimOptions options;
  options.silent = true;
  TracedSession t(options);
  t.session.Open();
  t.clock.RunUntil([&] { return !t.host.outcomes.empty(); }, 60000);
  t.session.Close();
  EXPECT_TRUE(t.Lines('<').empty());
  EXPECT_EQ(t.Lines('>').size(), t.receiver.ReceivedFrames().size());
  EXPECT_GE(t.Lines('>').size(), 5u);
}

}  // namespace
}  // namespace qamp
