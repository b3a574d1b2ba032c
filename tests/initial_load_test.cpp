// The connection and the initial load against the simulated receiver, in
// virtual time.
#include <gtest/gtest.h>

#include <set>

#include "link/read_request_table.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "support/session_harness.h"

namespace qamp {
namespace {

using testing::Harness;

// The rows a receiver with these options is asked for in the initial load.
std::vector<std::string> ExpectedLoadRequests(bool zone2, bool zone3, bool xm) {
  std::vector<std::string> frames;
  for (int row = 0; row < kReadRequestRows; ++row) {
    const ReadRequestRow& r = kReadRequestTable[static_cast<size_t>(row)];
    if ((r.flags & 0x01) == 0) continue;
    if ((r.flags & 0x10) != 0 && !zone2) continue;
    if ((r.flags & 0x20) != 0 && !zone3) continue;
    if ((r.flags & 0x40) != 0 && !xm) continue;
    frames.push_back(ShowFrame(FrameExtended(r.request)));
  }
  return frames;
}

TEST(InitialLoad, ReadsEveryLoadRowAndReproducesTheReceiversState) {
  Harness h;
  // Give the receiver a configuration that differs from the defaults.
  CSettingImage& state = h.receiver.State();
  StoreParameter(state, 6, -235);            // main volume -23.5 dB
  StoreParameter(state, 1, 6);               // DVD
  StoreParameter(state, 272, 350);           // CT 3.50 m
  StoreParameter(state, 259, 35);            // FL +3.5 dB
  StoreParameter(state, 28, -4);             // DSP Level of Hall in Munich
  StoreRecordParameter(state, 419, 3, -55);  // Surround L band 1 gain
  StoreText(state, 230, " MY CD   ");
  StoreText(state, 436, "099.90");
  StoreParameter(state, 480, 123);  // XM preset
  StoreParameter(state, 364, 0);    // a trigger switch
  h.receiver.SetMemoryHasData(3, true);

  ASSERT_TRUE(h.Connect());
  EXPECT_EQ(h.host.connectionStatus, "Connected QR-K2600");
  EXPECT_EQ(h.link().State(), LinkState::kReady);

  // Every load row was sent once, in table order, after the connection
  // frames; rows that are not in the load were never sent.
  std::vector<std::string> sent = h.ReceivedShown();
  ASSERT_GE(sent.size(), 6U);
  const std::vector<std::string> connection = {"<STX>20000<ETX>", "<STX>07A1D<ETX>",
                                               "<STX>07A1D<ETX>", "<STX>07E7E<ETX>",
                                               "<STX>07E7E<ETX>", "<STX>07E82<ETX>"};
  EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + 6), connection);
  const std::vector<std::string> expected = ExpectedLoadRequests(true, true, true);
  ASSERT_GE(sent.size(), 6 + expected.size());
  EXPECT_EQ(std::vector<std::string>(sent.begin() + 6,
                                     sent.begin() + 6 + static_cast<long>(expected.size())),
            expected);
  // Then the input, program and Pure Direct the receiver had before.
  h.clock.Advance(1000);
  sent = h.ReceivedShown();
  const std::vector<std::string> restore(sent.begin() + 6 + static_cast<long>(expected.size()),
                                         sent.end());
  EXPECT_EQ(restore,
            (std::vector<std::string>{"<STX>07AC1<ETX>", "<STX>07EFA<ETX>", "<STX>07E82<ETX>"}));

  // The progress ends at the connection-check row; skipped rows count too.
  ASSERT_FALSE(h.host.progress.empty());
  EXPECT_EQ(h.host.progress.back(), 568);

  const CSettingImage& image = h.link().Image(0);
  EXPECT_EQ(ReadParameter(image, 6), -235);
  EXPECT_EQ(ReadParameter(image, 1), 6);
  EXPECT_EQ(ReadParameter(image, 272), 350);
  EXPECT_EQ(ReadParameter(image, 259), 35);
  EXPECT_EQ(ReadParameter(image, 28), -4);
  EXPECT_EQ(ReadRecordParameter(image, 419, 3), -55);
  EXPECT_EQ(ReadText(image, 230), " MY CD   ");
  EXPECT_EQ(ReadText(image, 436), "099.90");
  EXPECT_EQ(ReadParameter(image, 480), 123);
  EXPECT_EQ(ReadParameter(image, 364), 0);
  EXPECT_TRUE(h.link().DataExists(3));
  EXPECT_FALSE(h.link().DataExists(2));
  EXPECT_EQ(h.link().RegionCode(), 1);
}

TEST(InitialLoad, AReceiverWithoutZonesOrXmIsNeverAskedForTheirRows) {
  sim::SimOptions options;
  options.zone2 = false;
  options.zone3 = false;
  options.xm = false;
  Harness h(options);
  ASSERT_TRUE(h.Connect());
  EXPECT_EQ(h.link().Flags().zone2, 0);
  EXPECT_EQ(h.link().Flags().zone3, 0);
  EXPECT_EQ(h.link().Flags().xm, 0);
  const std::vector<std::string> sent = h.ReceivedShown();
  const std::vector<std::string> expected = ExpectedLoadRequests(false, false, false);
  ASSERT_GE(sent.size(), 6 + expected.size());
  EXPECT_EQ(std::vector<std::string>(sent.begin() + 6,
                                     sent.begin() + 6 + static_cast<long>(expected.size())),
            expected);
  for (const std::string& frame : sent) {
    EXPECT_FALSE(frame.starts_with("<DC4>2008040001")) << "Zone 2 trigger row asked: " << frame;
    EXPECT_FALSE(frame.starts_with("<DC4>2008040002")) << "Zone 3 trigger row asked: " << frame;
    EXPECT_FALSE(frame.starts_with("<DC4>20060510")) << "XM preset asked: " << frame;
  }
}

TEST(InitialLoad, TheRegionComesFromTheThirteenthCharacterAndSetsTunerDefaults) {
  sim::SimOptions options;
  options.region = 0;
  Harness h(options);
  ASSERT_TRUE(h.Connect());
  EXPECT_EQ(h.link().RegionCode(), 0);
  // The load reads the presets from the receiver, which holds region-0 ones.
  EXPECT_EQ(ReadText(h.link().Image(0), 436), "076.00");
}

TEST(InitialLoad, AnswersInAnyChunksGiveTheSameImage) {
  Harness whole;
  ASSERT_TRUE(whole.Connect());
  for (int chunk : {1, 3, -1}) {
    sim::SimOptions options;
    options.chunkSize = chunk;
    Harness chunked(options);
    ASSERT_TRUE(chunked.Connect()) << "chunk " << chunk;
    EXPECT_EQ(chunked.link().Image(0), whole.link().Image(0)) << "chunk " << chunk;
  }
}

TEST(InitialLoad, SpontaneousReportsNeitherAnswerARowNorMoveTheCursor) {
  Harness h;
  h.session.Open();
  // Reports the receiver sends on its own, one every 70 ms.
  int injected = 0;
  std::function<void()> inject = [&] {
    if (!h.link().IsPortOpen() || h.link().State() == LinkState::kReady) return;
    h.transport.Inject(std::string("\x02") + (injected % 2 == 0 ? "001000" : "001400") + "\x03");
    ++injected;
    h.clock.Schedule(70, inject);
  };
  h.clock.Schedule(1000, inject);
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kConnected);
  EXPECT_GT(injected, 100);
  Harness clean;
  ASSERT_TRUE(clean.Connect());
  EXPECT_EQ(h.link().Image(0), clean.link().Image(0));
}

TEST(Connection, ASilentReceiverGetsFiveAttemptsFiveSecondsApartThenAMessage) {
  sim::SimOptions options;
  options.silent = true;
  Harness h(options);
  h.session.Open();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kFailed);
  EXPECT_EQ(outcome->message, "Communication error has occurred during initialization.");
  EXPECT_EQ(h.host.initializeOpenings, 5);
  // 5 attempts, 5 s apart (plus the pauses of the five connection frames).
  EXPECT_GE(h.clock.NowMs(), 25000);
  EXPECT_LT(h.clock.NowMs(), 27000);
  EXPECT_FALSE(h.link().IsPortOpen());
  int wakeUps = 0;
  for (const std::string& frame : h.ReceivedShown()) wakeUps += frame == "<STX>20000<ETX>";
  EXPECT_EQ(wakeUps, 5);
  EXPECT_EQ(h.host.messages,
            std::vector<std::string>{"Communication error has occurred during initialization."});
}

TEST(Connection, AWrongModelEndsTheConnectionWithoutRetry) {
  sim::SimOptions options;
  options.model = "R0999";
  Harness h(options);
  h.session.Open();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kFailed);
  EXPECT_NE(outcome->message.find("R0999"), std::string::npos);
  EXPECT_FALSE(h.link().IsPortOpen());
  h.clock.Advance(30000);
  EXPECT_EQ(h.host.initializeOpenings, 1);
  // Real Time Mode starts again from the defaults.
  CSettingImage defaults;
  ResetImage(defaults, 0, 1);
  EXPECT_EQ(h.link().Image(0), defaults);
}

TEST(Connection, AnUnansweredLoadRowFailsAfterThreeSeconds) {
  sim::SimOptions options;
  options.silentAfterFrames = 40;  // stops answering in the middle of the load
  Harness h(options);
  h.session.Open();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kFailed);
  EXPECT_EQ(outcome->message, "Communication error has occurred during initialization.");
  EXPECT_FALSE(h.link().IsPortOpen());
  CSettingImage defaults;
  ResetImage(defaults, 0, 1);
  EXPECT_EQ(h.link().Image(0), defaults);
}

TEST(Connection, TriggerRowsRefusedWithAParameterErrorCountAsAnsweredAndAreLogged) {
  sim::SimOptions options;
  options.parameterErrorRows = {347, 348, 205};  // two trigger rows and Focus Level
  Harness h(options);
  ASSERT_TRUE(h.Connect());
  EXPECT_NE(h.log.text.find("[拡張コマンド パラメータエラー]"), std::string::npos);
  EXPECT_NE(h.log.text.find("DC4, \"200804000000"), std::string::npos);
  EXPECT_NE(h.log.text.find("DC4, \"200804000001"), std::string::npos);
  EXPECT_NE(h.log.text.find("DC4, \"200902102C200"), std::string::npos);
}

TEST(Connection, AParameterErrorOnAnotherRowIsNotAnAnswer) {
  sim::SimOptions options;
  options.parameterErrorRows = {222};  // a tuner preset: not a trigger row
  Harness h(options);
  h.session.Open();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kFailed);
  EXPECT_EQ(h.host.progress.back(), 221);
}

TEST(Connection, CancelInRealTimeModeAsksThenLeavesTheDefaults) {
  Harness h;
  h.session.Open();
  h.clock.Advance(3000);
  ASSERT_TRUE(h.session.IsInitializing());
  h.host.answers = {false};
  h.session.CancelInitialization();
  EXPECT_TRUE(h.session.IsInitializing()) << "Cancel in the question box changes nothing";
  h.session.CancelInitialization();
  ASSERT_EQ(h.host.questions.size(), 2U);
  EXPECT_EQ(h.host.questions[0],
            "Initialize is Cancel: Initialization is stopped.\nIs it all right?");
  EXPECT_FALSE(h.session.IsInitializing());
  EXPECT_EQ(h.host.outcomes.back().outcome, OperationOutcome::kCancelled);
  EXPECT_EQ(h.link().State(), LinkState::kReady);
  CSettingImage defaults;
  ResetImage(defaults, 0, 1);
  EXPECT_EQ(h.link().Image(0), defaults);
  // A frame already handed to the port still goes out; no load request
  // follows it.
  h.clock.Advance(200);
  const size_t before = h.receiver.ReceivedFrames().size();
  h.clock.Advance(10000);
  EXPECT_EQ(h.receiver.ReceivedFrames().size(), before);
}

}  // namespace
}  // namespace qamp
