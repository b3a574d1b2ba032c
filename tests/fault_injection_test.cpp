// The receiver, the cable and the user misbehaving, one scenario a test,
// against the simulated receiver in virtual time. Each test checks what the
// program does and that nothing else changed: the images, the memo and the
// memory flags (compared through the configuration file text, which holds
// them all), the port, and what the receiver was sent. docs/reliability.md
// lists the scenarios.
#include <gtest/gtest.h>

#include <functional>

#include "link/memory_commands.h"
#include "link/read_request_table.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "support/app_harness.h"
#include "support/realistic_state.h"
#include "support/receiver_content.h"

namespace qamp {
namespace {

using testing::AppHarness;
using testing::ContentOf;
using testing::MakeRealistic;
using testing::MakeReceiverRealistic;
using testing::RealisticReceiverOptions;
using testing::ReceiverContent;
using testing::SetContent;
using testing::WordsThatDiffer;

constexpr std::string_view kInitializationError =
    "Communication error has occurred during initialization.";

// A receiver with realistic settings and memories, with faults added.
sim::SimOptions Receiver(unsigned seed, const std::function<void(sim::SimOptions&)>& faults = {}) {
  sim::SimOptions options = RealisticReceiverOptions(seed);
  if (faults) faults(options);
  return options;
}

// The receiver's content as a transfer must leave it. Two parts of the
// current setting are left out: the zone power switches (words 9 to 11),
// which the wake-up frames of every connection switch on, and the Input DSP
// records (words 231 to 256), which an Upload reads from the program report
// that follows each input selection and does not give back word for word.
ReceiverContent SettingOf(const sim::CSimulatedReceiver& receiver) {
  ReceiverContent content = ContentOf(receiver);
  for (int word = 9; word <= 11; ++word) content.state[word] = 0;
  for (int word = 231; word <= 256; ++word) content.state[word] = 0;
  return content;
}

// An application whose images are not the defaults, as after a file was
// opened: a failed transfer must give these back.
void GiveTheAppAFile(AppHarness& h) {
  MakeRealistic(h.link().Image(0));
  for (int n = 1; n <= 6; ++n) {
    MakeRealistic(h.link().Image(n));
    h.link().SetDataExists(n, n % 3 != 0);
  }
  h.link().SetUserMemo("Living room\r\nafter calibration");
  h.app.Pages().RefreshAll();
}

struct UploadResult {
  std::string text;   // the configuration text
  size_t frames = 0;  // the frames the receiver was sent
};

// Gives the program the receiver's content, as after a file of it was
// opened.
void GiveTheAppTheContent(AppHarness& h, const ReceiverContent& content) {
  h.link().Image(0) = content.state;
  for (int n = 1; n <= 6; ++n) {
    h.link().Image(n) = content.memories[static_cast<size_t>(n - 1)];
    h.link().SetDataExists(n, content.hasData[static_cast<size_t>(n - 1)]);
  }
}

// What an Upload of this receiver gives a fresh program, or, given
// `programHolds`, a program that already holds that content.
UploadResult CleanUploadOf(const ReceiverContent& content, const sim::SimOptions& options,
                           std::string memo = {}, const ReceiverContent* programHolds = nullptr) {
  sim::SimOptions clean = options;
  clean.startState = sim::StartState::kFactory;
  AppHarness h(clean);
  SetContent(h.receiver, content);
  if (programHolds != nullptr) GiveTheAppTheContent(h, *programHolds);
  h.link().SetUserMemo(std::move(memo));  // not the receiver's: an Upload keeps it
  h.app.Session().StartUpload();
  const auto outcome = h.RunUntilOutcome();
  EXPECT_TRUE(outcome && outcome->outcome == OperationOutcome::kTransferDone);
  return {h.app.SaveConfigurationText(false), h.receiver.ReceivedFrames().size()};
}

// The configuration text an Upload of this receiver gives a fresh program.
std::string CleanUpload(const ReceiverContent& content, const sim::SimOptions& options,
                        std::string memo = {}) {
  return CleanUploadOf(content, options, std::move(memo)).text;
}

// What the receiver holds after a Download of `file` without faults.
ReceiverContent CleanDownload(const std::string& file, const ReceiverContent& start) {
  AppHarness h;
  SetContent(h.receiver, start);
  EXPECT_TRUE(h.app.LoadConfigurationText(file));
  h.app.Session().StartDownload();
  const auto outcome = h.RunUntilOutcome();
  EXPECT_TRUE(outcome && outcome->outcome == OperationOutcome::kTransferDone);
  return ContentOf(h.receiver);
}

// Connects in Real Time Mode; false when the connection did not complete.
bool Connect(AppHarness& h, int64_t limitMs = 7200000) {
  h.app.Session().Open();
  const auto outcome = h.RunUntilOutcome(limitMs);
  // The input and program the receiver had are sent back behind the load.
  h.clock.Advance(1000);
  return outcome && outcome->outcome == OperationOutcome::kConnected;
}

// The queue entries not yet done.
int Remaining(const AppHarness& h) {
  int remaining = 0;
  for (const CCommClass::QueueEntry& entry : const_cast<AppHarness&>(h).link().Queue())
    remaining += entry.tries < 5;
  return remaining;
}

// The lines in which two configuration texts differ, for short failures.
std::string Differences(const std::string& expected, const std::string& actual) {
  std::string differences;
  size_t i = 0;
  size_t j = 0;
  int shown = 0;
  while ((i < expected.size() || j < actual.size()) && shown < 12) {
    const size_t ei = std::min(expected.find('\n', i), expected.size());
    const size_t ej = std::min(actual.find('\n', j), actual.size());
    const std::string a = expected.substr(i, ei - i);
    const std::string b = actual.substr(j, ej - j);
    if (a != b) {
      differences += "expected " + a + ", got " + b + "\n";
      ++shown;
    }
    i = ei + 1;
    j = ej + 1;
  }
  return differences;
}

::testing::AssertionResult SameConfiguration(const std::string& expected,
                                             const std::string& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << Differences(expected, actual);
}

// A configuration text without the values that come only in reports
// answering no command of their own: the sound program of each input (after
// its selection) and the volume memories (after their loads).
std::string WithoutUnaskedValues(const std::string& text) {
  std::string kept;
  bool skipping = false;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size() - 1);
    const std::string line = text.substr(at, end - at + 1);
    if (line.starts_with("[")) {
      skipping = line.starts_with("[Input DSP]") || line.find("Volume Memory") != std::string::npos;
    }
    if (!skipping) kept += line;
    at = end + 1;
  }
  return kept;
}

bool WarnedOfLostAnswers(const AppHarness& h) {
  return h.host.messages.size() == 1 &&
         h.host.messages[0].starts_with("The Upload is complete, but the line") &&
         h.host.messages[0].ends_with("Check the cable and Upload again.");
}

bool LoggedFailedCommands(const AppHarness& h) {
  return h.log.text.find('\t') != std::string::npos;
}

// Nothing is left running: no frame reaches the receiver and nothing ends
// in the next minute.
void ExpectQuietAfterwards(AppHarness& h) {
  const size_t frames = h.receiver.ReceivedFrames().size();
  const size_t outcomes = h.host.outcomes.size();
  h.clock.Advance(60000);
  EXPECT_EQ(h.receiver.ReceivedFrames().size(), frames) << "a frame went out after the end";
  EXPECT_EQ(h.host.outcomes.size(), outcomes);
  EXPECT_FALSE(h.link().IsPortOpen());
  EXPECT_EQ(h.link().QueueLength(), 0);
  EXPECT_FALSE(h.app.Session().IsSending());
  EXPECT_FALSE(h.app.Session().IsInitializing());
  EXPECT_FALSE(h.app.Session().HasBackup());
}

// Starts an Upload from a program holding a file and runs it to its end,
// which must be a failure whose message contains `message`, with the file's
// images, memo and flags unchanged and nothing left running.
void ExpectUploadFailsChangingNothing(AppHarness& h, std::string_view message) {
  GiveTheAppAFile(h);
  const std::string before = h.app.SaveConfigurationText(false);
  h.app.Session().StartUpload();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kFailed);
  EXPECT_NE(outcome->message.find(message), std::string::npos) << outcome->message;
  EXPECT_EQ(h.host.sendingOpenings, 0) << "nothing was read";
  EXPECT_TRUE(SameConfiguration(before, h.app.SaveConfigurationText(false)));
  ExpectQuietAfterwards(h);
}

// Uploads the harness's receiver, made realistic first, to its end, and
// gives what an Upload of the same receiver over a sound line gives.
std::string UploadBesideASoundLine(AppHarness& h) {
  MakeReceiverRealistic(h.receiver);
  const ReceiverContent content = ContentOf(h.receiver);
  h.app.Session().StartUpload();
  const auto outcome = h.RunUntilOutcome(20000000);
  EXPECT_TRUE(outcome && outcome->outcome == OperationOutcome::kTransferDone)
      << (outcome ? outcome->message : "the Upload never ended");
  EXPECT_FALSE(LoggedFailedCommands(h)) << h.log.text;
  EXPECT_FALSE(h.link().IsPortOpen());
  sim::SimOptions sound = h.receiver.Options();
  sound.dropEveryNth = 0;
  sound.garbageBytes = 0;
  sound.chunkSize = 0;
  return CleanUpload(content, sound);
}

// --- The connection and the initial load -------------------------------------

TEST(FaultInjection, ASilentReceiverFailsTheUploadAfterFiveAttemptsAndChangesNothing) {
  AppHarness h(Receiver(101, [](sim::SimOptions& o) { o.silent = true; }));
  ExpectUploadFailsChangingNothing(h, kInitializationError);
  EXPECT_EQ(h.host.messages, std::vector<std::string>{std::string(kInitializationError)});
  EXPECT_EQ(h.host.initializeOpenings, 5);
}

TEST(FaultInjection, SilenceInTheMiddleOfTheInitialLoadEndsItAfterThreeSeconds) {
  AppHarness h(Receiver(102, [](sim::SimOptions& o) { o.silentAfterFrames = 200; }),
               ControlMode::kRealTime);
  h.app.Session().Open();
  h.clock.RunUntil([&] { return h.receiver.ReceivedFrames().size() > 200; }, 600000);
  const int64_t lastRequest = h.clock.NowMs();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kFailed);
  EXPECT_EQ(outcome->message, kInitializationError);
  // The unanswered request's pause (150 ms) and then three seconds.
  EXPECT_GE(h.clock.NowMs() - lastRequest, 3000);
  EXPECT_LE(h.clock.NowMs() - lastRequest, 3200);
  CSettingImage defaults;
  ResetImage(defaults, 0, 1);
  EXPECT_EQ(h.link().Image(0), defaults) << "a partly loaded image is not kept";
  ExpectQuietAfterwards(h);
  // Once the receiver answers again, a new connection loads it whole.
  h.receiver.MutableOptions().silentAfterFrames = -1;
  h.app.Session().Open();
  const auto again = h.RunUntilOutcome();
  ASSERT_TRUE(again);
  EXPECT_EQ(again->outcome, OperationOutcome::kConnected);
}

TEST(FaultInjection, AWrongModelEndsTheUploadAtOnceAndChangesNothing) {
  AppHarness h(Receiver(103, [](sim::SimOptions& o) { o.model = "R0123"; }));
  ExpectUploadFailsChangingNothing(h, "R0123");
  EXPECT_EQ(h.host.initializeOpenings, 1) << "no second attempt";
  // Only wake-up frames were sent: nothing was read or written.
  for (const std::string& frame : h.receiver.ReceivedFrames()) {
    const std::string shown = ShowFrame(frame);
    EXPECT_TRUE(shown == "<STX>20000<ETX>" || shown == "<STX>07A1D<ETX>" ||
                shown == "<STX>07E7E<ETX>")
        << shown;
  }
}

// --- Lost, noisy and broken-up answers ----------------------------------------

TEST(FaultInjection, EveryNthAnswerLostDuringAnUploadCostsRetriesAndIsReported) {
  AppHarness h(Receiver(104, [](sim::SimOptions& o) { o.dropEveryNth = 7; }));
  const std::string sound = UploadBesideASoundLine(h);
  // Every value a command asks for is right; a value that came unasked may
  // be lost with its report, and the Upload says so.
  EXPECT_TRUE(SameConfiguration(WithoutUnaskedValues(sound),
                                WithoutUnaskedValues(h.app.SaveConfigurationText(false))));
  EXPECT_TRUE(WarnedOfLostAnswers(h)) << ::testing::PrintToString(h.host.messages);
  EXPECT_GT(h.link().Resends(), 0);
}

TEST(FaultInjection, EveryNthAnswerLostDuringADownloadCostsOnlyRetries) {
  AppHarness source(Receiver(105));
  MakeReceiverRealistic(source.receiver);
  source.app.Session().StartUpload();
  ASSERT_TRUE(source.RunUntilOutcome());
  const std::string file = source.app.SaveConfigurationText(false);

  sim::SimOptions dropping;
  dropping.dropEveryNth = 7;
  AppHarness h(dropping);
  const ReceiverContent start = ContentOf(h.receiver);
  ASSERT_TRUE(h.app.LoadConfigurationText(file));
  h.app.Session().StartDownload();
  const auto outcome = h.RunUntilOutcome(20000000);
  ASSERT_TRUE(outcome);
  ASSERT_EQ(outcome->outcome, OperationOutcome::kTransferDone) << outcome->message;
  EXPECT_FALSE(LoggedFailedCommands(h)) << h.log.text;
  EXPECT_TRUE(ContentOf(h.receiver) == CleanDownload(file, start))
      << "the receiver holds what a clean Download gives";
  EXPECT_TRUE(SameConfiguration(file, h.app.SaveConfigurationText(false)))
      << "a Download changes nothing in the program";
}

TEST(FaultInjection, NoiseInFrontOfEveryAnswerNeverConnects) {
  // Characters before a start byte become part of the frame, so no answer
  // can be read: the connection fails cleanly rather than loading rubbish.
  AppHarness h(Receiver(106, [](sim::SimOptions& o) { o.garbageBytes = 5; }));
  ExpectUploadFailsChangingNothing(h, kInitializationError);
  EXPECT_GT(h.link().UnreadableFrames(), 0);
}

TEST(FaultInjection, NoiseBetweenSomeFramesCostsRetriesAndIsReported) {
  AppHarness h(Receiver(107, [](sim::SimOptions& o) {
    o.garbageBytes = 6;
    o.garbageEveryNth = 11;
  }));
  const std::string sound = UploadBesideASoundLine(h);
  EXPECT_TRUE(SameConfiguration(WithoutUnaskedValues(sound),
                                WithoutUnaskedValues(h.app.SaveConfigurationText(false))));
  EXPECT_TRUE(WarnedOfLostAnswers(h)) << ::testing::PrintToString(h.host.messages);
  EXPECT_GT(h.link().UnreadableFrames(), 0);
}

TEST(FaultInjection, AnswersArrivingOneCharacterAtATimeGiveTheSameUpload) {
  AppHarness h(Receiver(108, [](sim::SimOptions& o) { o.chunkSize = 1; }));
  const std::string sound = UploadBesideASoundLine(h);
  EXPECT_TRUE(SameConfiguration(sound, h.app.SaveConfigurationText(false)));
  EXPECT_TRUE(h.host.messages.empty()) << "nothing was lost, so nothing is reported";
  EXPECT_EQ(h.link().Resends(), 0);
}

// --- Refusals in Real Time Mode -------------------------------------------------

// Changes one parameter as the page would, and runs until the send ends.
std::optional<testing::Outcome> Change(AppHarness& h, std::string_view section,
                                       std::string_view key, std::string_view value) {
  auto parameter = h.app.Pages().FindParameter(section, key, h.link().CurrentImage());
  EXPECT_TRUE(parameter) << section << " / " << key;
  if (!parameter) return std::nullopt;
  EXPECT_TRUE(parameter->page->SetParamFromText(h.link().CurrentImage(), parameter->id,
                                                parameter->subIndex, value));
  parameter->page->SelectSubIndex(parameter->subIndex);
  parameter->page->SendParam(parameter->id);
  return h.RunUntilOutcome();
}

std::string TextOf(AppHarness& h, std::string_view section, std::string_view key) {
  auto parameter = h.app.Pages().FindParameter(section, key, h.link().CurrentImage());
  std::string value;
  parameter->page->GetParamText(h.link().CurrentImage(), parameter->id, parameter->subIndex,
                                nullptr, nullptr, &value, false);
  return value;
}

int CountReceived(const AppHarness& h, std::string_view shownPrefix, size_t from = 0) {
  int count = 0;
  const auto& frames = h.receiver.ReceivedFrames();
  for (size_t i = from; i < frames.size(); ++i)
    count += ShowFrame(frames[i]).starts_with(shownPrefix) ? 1 : 0;
  return count;
}

TEST(FaultInjection, AGuardedWriteInRealTimeIsReadBackAndTheImageKeepsTheReceiversValue) {
  AppHarness h(Receiver(109, [](sim::SimOptions& o) { o.guardWrites = true; }),
               ControlMode::kRealTime);
  MakeReceiverRealistic(h.receiver);
  ASSERT_TRUE(Connect(h));
  const CSettingImage loaded = h.link().Image(0);
  const CSettingImage receiverBefore = h.receiver.State();
  const std::string held = TextOf(h, "Speaker Distance", "FL");
  const std::string wanted = held == "3.50" ? "4.00" : "3.50";
  const size_t from = h.receiver.ReceivedFrames().size();

  const auto outcome = Change(h, "Speaker Distance", "FL", wanted);
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kSendingDone);
  EXPECT_NE(std::find(h.host.statusHistory.begin(), h.host.statusHistory.end(), "GUARD"),
            h.host.statusHistory.end());
  EXPECT_EQ(std::find(h.host.statusHistory.begin(), h.host.statusHistory.end(), "ERROR"),
            h.host.statusHistory.end());
  // Four writes, then a read of what the receiver holds.
  std::vector<std::string> sent;
  for (size_t i = from; i < h.receiver.ReceivedFrames().size(); ++i)
    sent.push_back(ShowFrame(h.receiver.ReceivedFrames()[i]));
  ASSERT_EQ(sent.size(), 5U);
  for (size_t i = 1; i < 4; ++i) EXPECT_EQ(sent[i], sent[0]);
  EXPECT_TRUE(sent[4].starts_with("<DC4>2005")) << sent[4];
  EXPECT_EQ(TextOf(h, "Speaker Distance", "FL"), held);
  EXPECT_EQ(h.link().Image(0), loaded)
      << "the image is back to what the receiver holds, and nothing else moved";
  EXPECT_EQ(h.receiver.State(), receiverBefore);
  EXPECT_TRUE(h.link().IsPortOpen()) << "the connection stays";
  EXPECT_FALSE(LoggedFailedCommands(h));
}

TEST(FaultInjection, TriggerRowsRefusedDuringTheLoadAndInRealTimeAreLoggedAndTheConnectionStays) {
  // Row 347 is TRIGGER OUT1 PHONO Main, read in the load and written by
  // the page; row 348 the CD Main switch, read only.
  AppHarness h(Receiver(110,
                        [](sim::SimOptions& o) {
                          o.parameterErrorRows = {347, 348};
                        }),
               ControlMode::kRealTime);
  MakeReceiverRealistic(h.receiver);
  ASSERT_TRUE(Connect(h));
  EXPECT_NE(h.log.text.find("[拡張コマンド パラメータエラー]"), std::string::npos);
  EXPECT_NE(h.log.text.find("DC4, \"200804000000"), std::string::npos) << h.log.text;
  EXPECT_NE(h.log.text.find("DC4, \"200804000001"), std::string::npos) << h.log.text;
  // The refused rows keep their defaults; the rest mirrors the receiver.
  CSettingImage expected = h.receiver.State();
  CSettingImage defaults;
  ResetImage(defaults, 0, 1);
  StoreParameter(expected, 301, ReadParameter(defaults, 301));
  StoreParameter(expected, 304, ReadParameter(defaults, 304));
  for (ParamId id = 300; id <= 375; ++id) {
    EXPECT_EQ(ReadParameter(h.link().Image(0), id), ReadParameter(expected, id)) << id;
  }

  const CSettingImage loaded = h.link().Image(0);
  const std::string held = TextOf(h, "TRIGGER OUT", "TRIGGER OUT1 PHONO Main");
  const std::string wanted = held == "L" ? "H" : "L";
  const size_t from = h.receiver.ReceivedFrames().size();
  const size_t logged = h.log.text.size();
  const auto outcome = Change(h, "TRIGGER OUT", "TRIGGER OUT1 PHONO Main", wanted);
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kSendingDone);
  EXPECT_EQ(CountReceived(h, "<DC4>200904010000", from), 4) << "sent four times";
  EXPECT_NE(h.log.text.find("DC4, \"200904010000", logged), std::string::npos)
      << h.log.text.substr(logged);
  EXPECT_EQ(std::find(h.host.statusHistory.begin(), h.host.statusHistory.end(), "ERROR"),
            h.host.statusHistory.end());
  // A switch of a zone the receiver has keeps the value chosen; nothing
  // else in the image moved.
  CSettingImage changed = loaded;
  StoreParameter(changed, 301, wanted == "L" ? 0 : 1);
  EXPECT_EQ(h.link().Image(0), changed);
  EXPECT_TRUE(h.link().IsPortOpen());
}

// --- The cable and the port -----------------------------------------------------

TEST(FaultInjection, ACablePulledDuringADownloadIsACableCheckErrorAndTheImagesStay) {
  AppHarness h;
  GiveTheAppAFile(h);
  const std::string before = h.app.SaveConfigurationText(false);
  h.app.Session().StartDownload();
  h.clock.RunUntil([&] { return h.receiver.ReceivedFrames().size() >= 300; }, 600000);
  ASSERT_TRUE(h.app.Session().IsSending());
  h.receiver.MutableOptions().ctsOff = true;
  h.receiver.MutableOptions().silent = true;
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kFailed);
  EXPECT_EQ(outcome->message, "Cable Check Error");
  EXPECT_EQ(h.host.messages, std::vector<std::string>{"Cable Check Error"});
  EXPECT_TRUE(SameConfiguration(before, h.app.SaveConfigurationText(false)));
  EXPECT_EQ(h.receiver.ReceivedFrames().size(), 304U)
      << "the unanswered command went out four times";
  ExpectQuietAfterwards(h);
}

TEST(FaultInjection, APortThatVanishesMidUploadIsClosedAndTheImagesAreRestored) {
  AppHarness h(Receiver(111, [](sim::SimOptions& o) { o.vanishAfterFrames = 700; }));
  MakeReceiverRealistic(h.receiver);
  GiveTheAppAFile(h);
  const std::string before = h.app.SaveConfigurationText(false);
  h.app.Session().StartUpload();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kFailed);
  EXPECT_EQ(outcome->message, "COM port error has occurred.\nThe serial device disappeared.");
  EXPECT_EQ(h.host.messages, std::vector<std::string>{outcome->message});
  EXPECT_TRUE(SameConfiguration(before, h.app.SaveConfigurationText(false)))
      << "the half-read images are not kept";
  EXPECT_NE(h.log.text.find("EndTime :"), std::string::npos) << "the error log is closed";
  ExpectQuietAfterwards(h);
  // The next attempt fails at once and says that the port is gone.
  h.app.Session().StartUpload();
  ASSERT_EQ(h.host.outcomes.size(), 2U);
  EXPECT_EQ(h.host.outcomes.back().outcome, OperationOutcome::kFailed);
  EXPECT_NE(h.host.outcomes.back().message.find("the device is gone"), std::string::npos)
      << h.host.outcomes.back().message;
  EXPECT_TRUE(SameConfiguration(before, h.app.SaveConfigurationText(false)));
}

// --- A slow receiver ------------------------------------------------------------

TEST(FaultInjection, AnswersJustInsideTheLoadTimeOutConnectAndJustOutsideFail) {
  // Each load request may take its pause (150 ms) and three seconds more.
  AppHarness slow(Receiver(112, [](sim::SimOptions& o) { o.replyDelayMs = 2900; }),
                  ControlMode::kRealTime);
  MakeReceiverRealistic(slow.receiver);
  AppHarness prompt(Receiver(112), ControlMode::kRealTime);
  MakeReceiverRealistic(prompt.receiver);
  ASSERT_TRUE(Connect(slow, 20000000));
  ASSERT_TRUE(Connect(prompt));
  EXPECT_EQ(slow.link().Image(0), prompt.link().Image(0));
  EXPECT_EQ(slow.receiver.ReceivedFrames().size(), prompt.receiver.ReceivedFrames().size())
      << "nothing was repeated";

  AppHarness late(Receiver(112, [](sim::SimOptions& o) { o.replyDelayMs = 3200; }),
                  ControlMode::kRealTime);
  late.app.Session().Open();
  const auto outcome = late.RunUntilOutcome(20000000);
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kFailed);
  EXPECT_EQ(outcome->message, kInitializationError);
  CSettingImage defaults;
  ResetImage(defaults, 0, 1);
  EXPECT_EQ(late.link().Image(0), defaults);
  EXPECT_FALSE(late.link().IsPortOpen());
}

TEST(FaultInjection, AWriteAnsweredJustInsideItsTimeOutGoesOnceJustOutsideTwice) {
  // A real-time write waits its pause (150 ms) and one second more before
  // it is sent again; the late answer to the first send then answers it.
  for (const int delayMs : {900, 1300}) {
    SCOPED_TRACE(delayMs);
    AppHarness h(Receiver(113), ControlMode::kRealTime);
    MakeReceiverRealistic(h.receiver);
    ASSERT_TRUE(Connect(h));
    h.receiver.MutableOptions().replyDelayMs = delayMs;
    // Another distance in the unit the receiver uses (metres "3.50", feet "11.5").
    const bool feet = TextOf(h, "Speaker Distance", "Unit") == "Feet";
    const std::string first = feet ? "11.5" : "3.50";
    const std::string second = feet ? "13.0" : "4.00";
    const std::string wanted = TextOf(h, "Speaker Distance", "FL") == first ? second : first;
    const size_t from = h.receiver.ReceivedFrames().size();
    const auto outcome = Change(h, "Speaker Distance", "FL", wanted);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->outcome, OperationOutcome::kSendingDone);
    EXPECT_EQ(h.receiver.ReceivedFrames().size() - from, delayMs < 1150 ? 1U : 2U);
    EXPECT_EQ(TextOf(h, "Speaker Distance", "FL"), wanted);
    // The program and the receiver agree.
    EXPECT_EQ(ReadParameter(h.receiver.State(), 270), ReadParameter(h.link().Image(0), 270));
    EXPECT_TRUE(h.host.statusHistory.empty());
  }
}

// --- Cancel at every phase --------------------------------------------------------

struct Phase {
  const char* name;
  // True when the transfer has reached the phase.
  std::function<bool(AppHarness&)> reached;
};

bool LastFrameIs(AppHarness& h, const std::string& frame) {
  const auto& frames = h.receiver.ReceivedFrames();
  return !frames.empty() && frames.back() == frame;
}

std::string ReadRequest(int row) {
  return FrameExtended(kReadRequestTable[static_cast<size_t>(row)].request);
}

void CancelWhateverIsOpen(AppHarness& h) {
  if (h.app.Session().IsInitializing()) {
    h.app.Session().CancelInitialization();
  } else {
    h.app.Session().CancelSending();
  }
}

void PrintTo(const Phase& phase, std::ostream* out) {
  *out << phase.name;
}

std::string PhaseName(const ::testing::TestParamInfo<Phase>& phase) {
  return phase.param.name;
}

class CancelUpload : public ::testing::TestWithParam<Phase> {};

TEST_P(CancelUpload, RestoresTheImagesClosesThePortAndLeavesTheNextUploadWhole) {
  AppHarness h(Receiver(114));
  MakeReceiverRealistic(h.receiver);
  GiveTheAppAFile(h);
  const std::string before = h.app.SaveConfigurationText(false);
  h.app.Session().StartUpload();
  ASSERT_TRUE(h.clock.RunUntil([&] { return GetParam().reached(h); }, 20000000)) << GetParam().name;
  ASSERT_TRUE(h.host.outcomes.empty());
  h.host.answers = {true, false};  // stop; leave the receiver as it is
  CancelWhateverIsOpen(h);
  ASSERT_EQ(h.host.outcomes.size(), 1U);
  EXPECT_EQ(h.host.outcomes.back().outcome, OperationOutcome::kCancelled);
  EXPECT_TRUE(h.host.messages.empty());
  EXPECT_TRUE(SameConfiguration(before, h.app.SaveConfigurationText(false)));
  ExpectQuietAfterwards(h);
  // The next Upload reads the receiver as a fresh program would.
  const ReceiverContent now = ContentOf(h.receiver);
  h.app.Session().StartUpload();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  ASSERT_EQ(outcome->outcome, OperationOutcome::kTransferDone);
  EXPECT_TRUE(SameConfiguration(CleanUpload(now, h.receiver.Options(), h.link().UserMemo()),
                                h.app.SaveConfigurationText(false)));
}

INSTANTIATE_TEST_SUITE_P(
    FaultInjection, CancelUpload,
    ::testing::Values(
        Phase{"Connecting", [](AppHarness& h) { return h.receiver.ReceivedFrames().size() >= 2; }},
        Phase{"ModelFlags",
              [](AppHarness& h) {
                return h.app.Session().IsSending() && LastFrameIs(h, ReadRequest(2));
              }},
        Phase{"CurrentSetting",
              [](AppHarness& h) {
                return h.link().UploadStep() == 1 && LastFrameIs(h, ReadRequest(200));
              }},
        Phase{"Memories",
              [](AppHarness& h) {
                return LastFrameIs(h, MemoryLoadCommand(MemoryKind::kSystem, 3));
              }},
        Phase{"WriteBack",
              [](AppHarness& h) { return h.link().UploadStep() == 2 && Remaining(h) < 200; }}),
    PhaseName);

class CancelDownload : public ::testing::TestWithParam<Phase> {};

TEST_P(CancelDownload, LeavesTheImagesClosesThePortAndLeavesTheNextDownloadWhole) {
  AppHarness h;
  GiveTheAppAFile(h);
  const std::string before = h.app.SaveConfigurationText(false);
  const ReceiverContent start = ContentOf(h.receiver);
  h.app.Session().StartDownload();
  ASSERT_TRUE(h.clock.RunUntil([&] { return GetParam().reached(h); }, 20000000)) << GetParam().name;
  ASSERT_TRUE(h.host.outcomes.empty());
  CancelWhateverIsOpen(h);
  ASSERT_EQ(h.host.outcomes.size(), 1U);
  EXPECT_EQ(h.host.outcomes.back().outcome, OperationOutcome::kCancelled);
  EXPECT_TRUE(h.host.messages.empty());
  EXPECT_TRUE(SameConfiguration(before, h.app.SaveConfigurationText(false)));
  ExpectQuietAfterwards(h);
  // Downloading again puts the whole file into the receiver.
  h.app.Session().StartDownload();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  ASSERT_EQ(outcome->outcome, OperationOutcome::kTransferDone);
  EXPECT_TRUE(ContentOf(h.receiver) == CleanDownload(before, start));
}

// The Download's last memory store, after which the pages follow.
bool PastTheMemories(AppHarness& h, size_t framesLater) {
  const auto& frames = h.receiver.ReceivedFrames();
  const std::string last = MemorySaveCommand(MemoryKind::kZone3Volume, 6);
  for (size_t i = frames.size(); i-- > 0;) {
    if (frames[i] == last) return frames.size() - i >= framesLater;
  }
  return false;
}

INSTANTIATE_TEST_SUITE_P(
    FaultInjection, CancelDownload,
    ::testing::Values(Phase{"Connecting",
                            [](AppHarness& h) { return h.receiver.ReceivedFrames().size() >= 2; }},
                      Phase{"ModelFlags",
                            [](AppHarness& h) {
                              return h.app.Session().IsSending() && LastFrameIs(h, ReadRequest(2));
                            }},
                      Phase{"Memories",
                            [](AppHarness& h) {
                              return LastFrameIs(h, MemorySaveCommand(MemoryKind::kSystem, 3));
                            }},
                      Phase{"Pages", [](AppHarness& h) { return PastTheMemories(h, 40); }},
                      Phase{"BasicControls",
                            [](AppHarness& h) {
                              return h.app.Session().IsSending() && Remaining(h) <= 5 &&
                                     PastTheMemories(h, 1);
                            }}),
    PhaseName);

// The phases of an Upload at which a Cancel may come, as the receiver sees them.
const Phase kUploadConnecting{
    "Connecting", [](AppHarness& h) { return h.receiver.ReceivedFrames().size() >= 2; }};
const Phase kUploadModelFlags{
    "ModelFlags",
    [](AppHarness& h) { return h.app.Session().IsSending() && LastFrameIs(h, ReadRequest(2)); }};
const Phase kUploadCurrentSetting{
    "CurrentSetting",
    [](AppHarness& h) { return h.link().UploadStep() == 1 && LastFrameIs(h, ReadRequest(200)); }};
const Phase kUploadMemories{"Memories", [](AppHarness& h) {
                              return LastFrameIs(h, MemoryLoadCommand(MemoryKind::kSystem, 3));
                            }};
const Phase kUploadWriteBack{
    "WriteBack", [](AppHarness& h) { return h.link().UploadStep() == 2 && Remaining(h) < 200; }};

class CancelUploadThenUploadAgain : public ::testing::TestWithParam<Phase> {};

TEST_P(CancelUploadThenUploadAgain, TheSecondUploadLeavesTheReceiverAsItFoundIt) {
  // Nothing between the two: no file saved, no question answered yes. The
  // second Upload must start from the current setting, whichever memory
  // slot the first one was reading when it was stopped.
  AppHarness h(Receiver(117));
  MakeReceiverRealistic(h.receiver);
  GiveTheAppAFile(h);
  const ReceiverContent before = SettingOf(h.receiver);
  h.app.Session().StartUpload();
  ASSERT_TRUE(h.clock.RunUntil([&] { return GetParam().reached(h); }, 20000000));
  h.host.answers = {true, false};
  CancelWhateverIsOpen(h);
  ASSERT_EQ(h.host.outcomes.size(), 1U);
  EXPECT_EQ(h.link().CurrentSlot(), 0);
  const ReceiverContent afterCancel = SettingOf(h.receiver);
  const ReceiverContent wholeAfterCancel = ContentOf(h.receiver);
  EXPECT_EQ(afterCancel.memories, before.memories) << "an Upload never writes a memory";
  EXPECT_EQ(afterCancel.hasData, before.hasData);
  const std::string_view phase = GetParam().name;
  if (phase == "Connecting") {
    EXPECT_EQ(afterCancel.state, before.state) << "nothing was selected yet";
  }
  h.app.Session().StartUpload();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  ASSERT_EQ(outcome->outcome, OperationOutcome::kTransferDone);
  EXPECT_TRUE(SettingOf(h.receiver) == afterCancel)
      << WordsThatDiffer(afterCancel, SettingOf(h.receiver));
  EXPECT_TRUE(
      SameConfiguration(CleanUpload(wholeAfterCancel, h.receiver.Options(), h.link().UserMemo()),
                        h.app.SaveConfigurationText(false)));
}

INSTANTIATE_TEST_SUITE_P(FaultInjection, CancelUploadThenUploadAgain,
                         ::testing::Values(kUploadConnecting, kUploadModelFlags,
                                           kUploadCurrentSetting, kUploadMemories,
                                           kUploadWriteBack),
                         PhaseName);

class RestoreAfterCancel : public ::testing::TestWithParam<Phase> {};

TEST_P(RestoreAfterCancel, PutsTheReceiversOwnSettingBackAndLeavesTheProgramsImagesAlone) {
  AppHarness h(Receiver(118));
  MakeReceiverRealistic(h.receiver);
  GiveTheAppAFile(h);
  const std::string file = h.app.SaveConfigurationText(false);
  const ReceiverContent before = SettingOf(h.receiver);
  const ReceiverContent wholeBefore = ContentOf(h.receiver);
  h.app.Session().StartUpload();
  ASSERT_TRUE(h.clock.RunUntil([&] { return GetParam().reached(h); }, 20000000));
  h.host.answers = {true, true};  // stop; put the receiver back
  h.app.Session().CancelSending();
  const std::string_view phase = GetParam().name;
  const bool onAMemory = phase == "Memories" || phase == "WriteBack";
  ASSERT_EQ(h.host.questions.size(), 2U);
  EXPECT_EQ(h.host.questions[1],
            onAMemory ? "Upload: The receiver has been left on one of its System memories and no "
                        "longer holds its own setting.\nPut the receiver's own setting back now?"
                      : "Upload: The receiver has been left on another input and sound "
                        "program.\nPut the receiver's own input and sound program back now?");
  EXPECT_EQ(h.app.Session().MemoryTheReceiverWasLeftOn(),
            phase == "Memories" ? 3 : (phase == "WriteBack" ? 6 : 0));
  if (onAMemory) {
    EXPECT_FALSE(SettingOf(h.receiver).state == before.state) << "the receiver is on a memory";
  }
  EXPECT_TRUE(SameConfiguration(file, h.app.SaveConfigurationText(false)));
  ASSERT_TRUE(h.app.Session().IsRestoringReceiverSetting());
  const size_t from = h.receiver.ReceivedFrames().size();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kTransferDone);
  EXPECT_EQ(outcome->message, "The receiver holds its own setting again.");
  EXPECT_EQ(h.host.sendingCaption, "Upload Command Sending");
  EXPECT_TRUE(h.host.sendingShowsProgress);
  EXPECT_TRUE(SettingOf(h.receiver) == before);
  EXPECT_TRUE(SameConfiguration(file, h.app.SaveConfigurationText(false)))
      << "the program keeps its own images";
  EXPECT_EQ(h.app.Session().MemoryTheReceiverWasLeftOn(), 0);
  EXPECT_FALSE(h.app.Session().IsRestoringReceiverSetting());
  // Only writes: no memory is loaded, nothing is read.
  for (size_t i = from; i < h.receiver.ReceivedFrames().size(); ++i) {
    const std::string& frame = h.receiver.ReceivedFrames()[i];
    for (int n = 1; n <= 6; ++n) {
      for (const MemoryKind kind : {MemoryKind::kSystem, MemoryKind::kVolume}) {
        EXPECT_NE(frame, MemoryLoadCommand(kind, n)) << i;
      }
    }
    EXPECT_FALSE(
        frame.starts_with("\x14"
                          "20050"))
        << ShowFrame(frame);
  }
  ExpectQuietAfterwards(h);
  // And the next Upload finds the receiver as it was before both.
  h.app.Session().StartUpload();
  const auto second = h.RunUntilOutcome();
  ASSERT_TRUE(second && second->outcome == OperationOutcome::kTransferDone);
  EXPECT_TRUE(SettingOf(h.receiver) == before);
  const std::string clean = CleanUpload(wholeBefore, h.receiver.Options(), h.link().UserMemo());
  if (onAMemory) {
    EXPECT_TRUE(SameConfiguration(clean, h.app.SaveConfigurationText(false)));
  } else {
    // The pass plays every sound program on the input it selected last,
    // which keeps the last one as its own: a restore of the basic controls
    // alone does not give that input its program back.
    EXPECT_TRUE(SameConfiguration(WithoutUnaskedValues(clean),
                                  WithoutUnaskedValues(h.app.SaveConfigurationText(false))));
  }
}

INSTANTIATE_TEST_SUITE_P(FaultInjection, RestoreAfterCancel,
                         ::testing::Values(kUploadModelFlags, kUploadCurrentSetting,
                                           kUploadMemories, kUploadWriteBack),
                         PhaseName);

TEST(FaultInjection, PuttingTheReceiverBackIsOfferedOnlyWhenItWasMovedAndCanBeDeclinedOrCancelled) {
  AppHarness h(Receiver(119));
  MakeReceiverRealistic(h.receiver);
  GiveTheAppAFile(h);
  const std::string file = h.app.SaveConfigurationText(false);

  // Stopped while connecting, before anything was changed: nothing to offer.
  h.app.Session().StartUpload();
  ASSERT_TRUE(h.clock.RunUntil([&] { return kUploadConnecting.reached(h); }, 20000000));
  h.app.Session().CancelInitialization();
  EXPECT_TRUE(h.host.questions.empty());
  EXPECT_FALSE(h.app.Session().CanRestoreReceiverSetting());
  EXPECT_FALSE(h.app.Session().RestoreReceiverSetting());

  // Stopped in the pass through the current setting and declined: the
  // receiver stays on the input and program the pass selected last.
  h.app.Session().StartUpload();
  ASSERT_TRUE(h.clock.RunUntil([&] { return kUploadCurrentSetting.reached(h); }, 20000000));
  h.host.answers = {true, false};
  h.app.Session().CancelSending();
  EXPECT_EQ(h.host.questions.size(), 2U);
  EXPECT_EQ(h.app.Session().MemoryTheReceiverWasLeftOn(), 0);
  EXPECT_TRUE(h.app.Session().CanRestoreReceiverSetting());
  ExpectQuietAfterwards(h);

  // Among the memories, declined: nothing is sent, and it can still be
  // done later. (The pass through the inputs and programs has left the
  // receiver on another input and program: this Upload starts from there.)
  const ReceiverContent before = SettingOf(h.receiver);
  h.host.questions.clear();
  h.app.Session().StartUpload();
  ASSERT_TRUE(h.clock.RunUntil([&] { return kUploadMemories.reached(h); }, 20000000));
  h.host.answers = {true, false};
  h.app.Session().CancelSending();
  EXPECT_EQ(h.host.questions.size(), 2U);
  ExpectQuietAfterwards(h);
  const ReceiverContent onMemory = SettingOf(h.receiver);
  EXPECT_FALSE(onMemory.state == before.state);
  EXPECT_EQ(h.app.Session().MemoryTheReceiverWasLeftOn(), 3);

  // Started later and cancelled with its own Cancel: not offered again at
  // once; the program's images stay as they were.
  h.host.questions.clear();
  ASSERT_TRUE(h.app.Session().RestoreReceiverSetting());
  ASSERT_TRUE(h.clock.RunUntil(
      [&] { return h.app.Session().IsSending() && h.receiver.ReceivedFrames().size() > 40; },
      20000000));
  h.host.answers = {true};
  h.app.Session().CancelSending();
  ASSERT_EQ(h.host.questions.size(), 1U);
  EXPECT_EQ(h.host.questions[0],
            "Upload Command Sending is Cancel: Transmission of a command is interrupted. \nIs it "
            "all right?");
  EXPECT_EQ(h.host.outcomes.back().outcome, OperationOutcome::kCancelled);
  ExpectQuietAfterwards(h);
  EXPECT_TRUE(SameConfiguration(file, h.app.SaveConfigurationText(false)));
  EXPECT_EQ(h.app.Session().MemoryTheReceiverWasLeftOn(), 3);

  // Once more, to the end.
  ASSERT_TRUE(h.app.Session().RestoreReceiverSetting());
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome && outcome->outcome == OperationOutcome::kTransferDone);
  EXPECT_TRUE(SettingOf(h.receiver) == before) << WordsThatDiffer(before, SettingOf(h.receiver));
  EXPECT_TRUE(SameConfiguration(file, h.app.SaveConfigurationText(false)));
}

// --- Markers behind a command the receiver never answers ----------------------------

struct LostAnswer {
  const char* name;
  std::string frame;  // every answer to this frame is lost ...
  int answeredSends;  // ... after it has been answered this often
  int skippedReads;   // whether it is a read, which the link counts as skipped
};

void PrintTo(const LostAnswer& lost, std::ostream* out) {
  *out << lost.name;
}

class MarkersBehindASkippedCommand : public ::testing::TestWithParam<LostAnswer> {};

TEST_P(MarkersBehindASkippedCommand, TakeEffectAndTheUploadIsWholeApartFromTheSkippedValue) {
  AppHarness h(Receiver(120));
  MakeReceiverRealistic(h.receiver);
  const ReceiverContent content = ContentOf(h.receiver);
  // The program already holds what the receiver holds, so that the one
  // value lost with the skipped command is right all the same, and any
  // other difference is a marker that did not take effect. The clean
  // Upload starts from the same program: the texts also carry values no
  // Upload reads (the DSP parameters of a memory on Straight, the MULTI CH
  // front input in 6ch mode), which each program keeps as it held them.
  GiveTheAppTheContent(h, content);
  const UploadResult clean = CleanUploadOf(content, h.receiver.Options(), {}, &content);
  h.transport.LoseAnswersTo(GetParam().frame, GetParam().answeredSends);
  h.app.Session().StartUpload();
  const auto outcome = h.RunUntilOutcome(20000000);
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kTransferDone) << outcome->message;
  EXPECT_EQ(h.transport.LostSends(), 4) << "sent four times, then skipped";
  EXPECT_EQ(h.link().SkippedReads(), GetParam().skippedReads);
  EXPECT_NE(h.log.text.find("\", ETX"), std::string::npos) << "the skipped command is logged";
  EXPECT_EQ(h.receiver.ReceivedFrames().size(), clean.frames + 3)
      << "the same Upload with three resends";
  ReceiverContent setting = content;
  for (int word = 9; word <= 11; ++word) setting.state[word] = 0;
  for (int word = 231; word <= 256; ++word) setting.state[word] = 0;
  EXPECT_TRUE(SettingOf(h.receiver) == setting) << "the write-back put the receiver back: "
                                                << WordsThatDiffer(setting, SettingOf(h.receiver));
  EXPECT_TRUE(SameConfiguration(clean.text, h.app.SaveConfigurationText(false)));
}

INSTANTIATE_TEST_SUITE_P(
    FaultInjection, MarkersBehindASkippedCommand,
    ::testing::Values(
        LostAnswer{"CurrBehindTheLastModelRead", ReadRequest(10), 0, 1},
        LostAnswer{"VolumeOutBehindTheLastReadOfTheCurrentSetting", ReadRequest(567), 0, 1},
        LostAnswer{"WaitAndMemoryOneBehindTheZone3Volume", FrameStandard("26B00"), 0, 0},
        LostAnswer{"WaitMemoryZeroAndCurrBehindTheLastReadOfMemory6", ReadRequest(565), 6, 1}),
    [](const ::testing::TestParamInfo<LostAnswer>& lost) { return std::string(lost.param.name); });

}  // namespace
}  // namespace qamp
