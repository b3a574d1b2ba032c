// Connections through the session: port scanning, the periodic connection
// check, ports that fail.
#include <gtest/gtest.h>

#include "link/read_request_table.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "support/link_harness.h"
#include "support/session_harness.h"

namespace qamp {
namespace {

using testing::Harness;

// Three ports: A does not open, B opens but nothing answers on it, C has
// the receiver.
class ThreePorts : public SerialTransport, public TransportListener {
 public:
  ThreePorts(sim::CSimulatedReceiver& receiver, sim::Scheduler& scheduler)
      : receiverPort_(receiver, scheduler) {
    receiverPort_.SetListener(this);
  }
  bool Open(std::string_view device, std::string& error) override {
    opened.emplace_back(device);
    if (device == "A") {
      error = "There is no serial device A.";
      return false;
    }
    active_ = device;
    return device == "C" ? receiverPort_.Open(device, error) : true;
  }
  void Close() override {
    if (active_ == "C") receiverPort_.Close();
    active_.clear();
  }
  bool IsOpen() const override { return !active_.empty(); }
  bool Write(std::string_view bytes) override {
    return active_ != "C" || receiverPort_.Write(bytes);
  }
  std::string ReadAvailable() override {
    return active_ == "C" ? receiverPort_.ReadAvailable() : std::string();
  }
  bool IsCtsOn() override { return true; }
  void DataArrived() override {
    if (listener_ != nullptr) listener_->DataArrived();
  }
  void PortFailed(std::string_view reason) override {
    if (listener_ != nullptr) listener_->PortFailed(reason);
  }

  std::vector<std::string> opened;

 private:
  sim::SimTransport receiverPort_;
  std::string active_;
};

struct ScanHarness {
  ScanHarness()
      : ports(receiver, clock), host(clock), session(ports, host, ControlMode::kRealTime) {
    host.session = &session;
    session.SetPorts({{"A", "A"}, {"B", "B"}, {"C", "C"}});
  }
  std::optional<testing::Outcome> Run() {
    clock.RunUntil([&] { return !host.outcomes.empty(); }, 600000);
    if (host.outcomes.empty()) return std::nullopt;
    return host.outcomes.back();
  }
  sim::VirtualClock clock;
  sim::CSimulatedReceiver receiver;
  ThreePorts ports;
  testing::RecordingHost host;
  CReceiverSession session;
};

TEST(PortScan, AutoTriesEveryPortThreeTimesAndConnectsWhereTheReceiverAnswers) {
  ScanHarness h;
  EXPECT_EQ(h.session.PortListNames(), (std::vector<std::string>{"Auto", "A", "B", "C"}));
  h.session.SelectPort(0);
  h.session.Open();
  const auto outcome = h.Run();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kConnected);
  // A once (it does not open, which counts as three attempts), B three times, then C.
  EXPECT_EQ(h.ports.opened, (std::vector<std::string>{"A", "B", "B", "B", "C"}));
  EXPECT_TRUE(h.host.messages.empty());
}

TEST(PortScan, WhenNoPortAnswersTheScanEndsWithAMessage) {
  ScanHarness h;
  h.session.SetPorts({{"A", "A"}, {"B", "B"}});
  h.session.SelectPort(0);
  h.session.Open();
  const auto outcome = h.Run();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kFailed);
  EXPECT_EQ(outcome->message, "Communication error has occurred during initialization.");
  EXPECT_EQ(h.ports.opened, (std::vector<std::string>{"A", "B", "B", "B"}));
}

TEST(PortScan, AFixedPortThatDoesNotOpenFailsAtOnceNamingTheDevice) {
  ScanHarness h;
  h.session.SelectPort(1);  // "A"
  h.session.Open();
  const auto outcome = h.Run();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kFailed);
  EXPECT_EQ(outcome->message, "COM port error has occurred.\nThere is no serial device A.");
  EXPECT_EQ(h.ports.opened, std::vector<std::string>{"A"});
  EXPECT_EQ(h.clock.NowMs(), 0) << "no retry";
}

TEST(PortScan, ASavedPortNameThatIsNotListedSelectsAuto) {
  ScanHarness h;
  h.session.SelectPortByName("COM3");
  EXPECT_EQ(h.session.SelectedPort(), 0);
  h.session.SelectPortByName("B");
  EXPECT_EQ(h.session.SelectedPort(), 2);
}

TEST(ConnectionCheck, EveryThirtySecondsAndFailsWhenUnansweredForTenSeconds) {
  Harness h;
  ASSERT_TRUE(h.Connect());
  h.clock.Advance(2000);  // the basic controls go back
  const size_t before = h.receiver.ReceivedFrames().size();
  h.clock.Advance(30000);
  const std::vector<std::string> sent = h.ReceivedShown(before);
  ASSERT_EQ(sent, (std::vector<std::string>{"<STX>FFFFF<ETX>", "<DC4>20050000FCD<ETX>"}));
  h.clock.Advance(10000);
  EXPECT_TRUE(h.link().IsPortOpen()) << "answered: still connected";
  EXPECT_TRUE(h.host.messages.empty());

  h.receiver.MutableOptions().silent = true;
  const auto outcome = h.RunUntilOutcome(60000);
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kConnectionLost);
  EXPECT_EQ(h.host.messages, std::vector<std::string>{"Connection check error has occurred."});
  EXPECT_FALSE(h.link().IsPortOpen());
}

TEST(PortFailure, APortThatVanishesDuringTheLoadEndsItWithAClearMessage) {
  sim::SimOptions options;
  options.vanishAfterFrames = 100;
  Harness h(options);
  h.session.Open();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kFailed);
  EXPECT_EQ(outcome->message, "COM port error has occurred.\nThe serial device disappeared.");
  EXPECT_FALSE(h.link().IsPortOpen());
  EXPECT_EQ(h.link().State(), LinkState::kWaitingForConfiguration);
  CSettingImage defaults;
  ResetImage(defaults, 0, 1);
  EXPECT_EQ(h.link().Image(0), defaults);
  // Nothing is left running.
  h.clock.Advance(60000);
  EXPECT_EQ(h.host.outcomes.size(), 1U);
  EXPECT_NE(h.log.text.find("EndTime :"), std::string::npos);
}

TEST(ErrorLog, AConnectionLogsItsStartAndEndAndTheTotal) {
  Harness h;
  ASSERT_TRUE(h.Connect());
  h.session.Close();
  EXPECT_EQ(h.log.creations, 1);
  EXPECT_TRUE(h.log.text.starts_with("StartTime :T+0ms\r\n"));
  EXPECT_NE(h.log.text.find("\r\nEndTime :T+"), std::string::npos);
  EXPECT_NE(h.log.text.find("\r\nTotal :01'"), std::string::npos) << h.log.text;
}

TEST(PortFailure, AWakeUpFrameRefusedBehindItsPauseFailsTheAttemptAsARefusedFirstFrameDoes) {
  // The first wake-up frame goes out at once; the other four wait for the
  // pauses before them. A port that refuses any of them fails the attempt
  // at once with the port's message, and nothing more is written.
  for (const int refused : {1, 3}) {
    SCOPED_TRACE(refused);
    sim::VirtualClock clock;
    testing::ScriptedTransport port(clock);
    testing::RecordingHost host(clock);
    CReceiverSession session(port, host, ControlMode::kAsync);
    host.session = &session;
    session.SetPorts({{"ttyS0", "/dev/ttyS0"}});
    session.SelectPort(1);
    StoreParameter(session.Link().Image(0), 6, -235);
    const CSettingImage before = session.Link().Image(0);
    port.refuseFromWrite = refused;
    session.StartUpload();
    clock.RunUntil([&] { return !host.outcomes.empty(); }, 60000);
    ASSERT_EQ(host.outcomes.size(), 1U);
    EXPECT_EQ(host.outcomes[0].outcome, OperationOutcome::kFailed);
    EXPECT_TRUE(host.outcomes[0].message.starts_with("COM port error has occurred.\n"))
        << host.outcomes[0].message;
    EXPECT_LT(clock.NowMs(), 1000) << "not left to the 5 s connection watch";
    clock.Advance(60000);
    EXPECT_EQ(port.writes.size(), static_cast<size_t>(refused)) << "no further attempt";
    EXPECT_EQ(host.outcomes.size(), 1U);
    EXPECT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.initializeOpenings, 1);
    EXPECT_FALSE(session.Link().IsPortOpen());
    EXPECT_FALSE(session.IsInitializing());
    EXPECT_FALSE(session.HasBackup());
    EXPECT_EQ(session.Link().Image(0), before);
  }
}

TEST(StatusBar, GuardAndErrorAreClearedAfterASecondEvenWhenThePortClosesMeanwhile) {
  for (const bool guard : {true, false}) {
    SCOPED_TRACE(guard ? "GUARD" : "ERROR");
    Harness h;
    ASSERT_TRUE(h.Connect());
    if (guard) {
      h.session.ShowGuard();
    } else {
      h.session.ShowError();
    }
    EXPECT_EQ(h.host.statusBar, guard ? "GUARD" : "ERROR");
    h.clock.Advance(400);
    h.session.Close();
    h.clock.Advance(599);
    EXPECT_EQ(h.host.statusBar, guard ? "GUARD" : "ERROR");
    h.clock.Advance(2);
    EXPECT_EQ(h.host.statusBar, "");
  }
}

}  // namespace
}  // namespace qamp
