// The link on its own: frame assembly, the pause after each frame, the
// queue, the reply handler and the retries.
#include <gtest/gtest.h>

#include "link/read_request_table.h"
#include "model/parameter_store.h"
#include "support/link_harness.h"

namespace qamp {
namespace {

using testing::LinkHarness;

const std::string STX = "\x02";
const std::string ETX = "\x03";
const std::string DC4 = "\x14";

// --- Frame assembly ----------------------------------------------------------------

TEST(FrameAssembly, AnEightByteReportGetsClassDigitZeroOthersStayAsReceived) {
  LinkHarness h;
  h.MakeReady();
  StoreParameter(h.link.CurrentImage(), 6, -400);
  h.transport.Receive(STX + "10" + "26C7" + ETX);  // class digit "1"
  EXPECT_EQ(ReadParameter(h.link.CurrentImage(), 6), 0);
  StoreParameter(h.link.CurrentImage(), 6, -400);
  h.transport.Receive(STX + "10" + "26C7" + "0" + ETX);  // nine bytes: left as it came
  EXPECT_EQ(ReadParameter(h.link.CurrentImage(), 6), -400);
}

TEST(FrameAssembly, CharactersBeforeAStartByteBecomeTheBeginningOfTheNextFrame) {
  LinkHarness h;
  h.MakeReady();
  StoreParameter(h.link.CurrentImage(), 6, -400);
  h.transport.Receive("AB");
  h.transport.Receive(STX + "0026C7" + ETX);
  EXPECT_EQ(ReadParameter(h.link.CurrentImage(), 6), -400) << "the frame began with AB";
  h.transport.Receive(STX + "0026C7" + ETX);
  EXPECT_EQ(ReadParameter(h.link.CurrentImage(), 6), 0);
}

TEST(FrameAssembly, AfterAnOverflowEverythingUpToTheNextStartByteIsDropped) {
  LinkHarness h;
  h.MakeReady();
  StoreParameter(h.link.CurrentImage(), 6, -400);
  h.transport.Receive(STX + std::string(300, 'x') + "noise" + ETX + "more" + STX + "0026C7" + ETX);
  EXPECT_EQ(ReadParameter(h.link.CurrentImage(), 6), 0);
  // A frame of exactly 256 characters before its ETX is still assembled
  // (and cut to 256 characters, losing its ETX).
  StoreParameter(h.link.CurrentImage(), 6, -400);
  h.transport.Receive(STX + "0026C7" + std::string(249, 'y') + ETX);
  EXPECT_EQ(ReadParameter(h.link.CurrentImage(), 6), 0);
}

TEST(FrameAssembly, NulBytesAreSkippedAndASilenceOf450msDiscardsAPartialFrame) {
  LinkHarness h;
  h.MakeReady();
  StoreParameter(h.link.CurrentImage(), 6, -400);
  h.transport.Receive(STX +
                      std::string("00\0"
                                  "26",
                                  5) +
                      std::string(1, '\0') + "C7" + ETX);
  EXPECT_EQ(ReadParameter(h.link.CurrentImage(), 6), 0);

  StoreParameter(h.link.CurrentImage(), 6, -400);
  h.transport.Receive(STX + "0026");
  h.clock.Advance(449);
  h.transport.Receive("C7" + ETX);
  EXPECT_EQ(ReadParameter(h.link.CurrentImage(), 6), 0) << "449 ms is not a time-out";

  StoreParameter(h.link.CurrentImage(), 6, -400);
  h.transport.Receive(STX + "0026");
  h.clock.Advance(451);
  h.transport.Receive("C7" + ETX + STX + "002677" + ETX);
  EXPECT_EQ(ReadParameter(h.link.CurrentImage(), 6), -400)
      << "the rest of the timed-out frame was dropped";
}

TEST(FrameAssembly, ALoneEtxIsAFrameThatAnswersNothing) {
  LinkHarness h(ControlMode::kAsync);
  h.MakeReady(TransferJob::kDownload);
  h.link.SendPacket(FrameExtended(DC4 + "2006010030"), 243);
  h.link.SendPacket("", kEndMarkerCode);
  h.transport.Receive(ETX);
  EXPECT_EQ(h.link.Queue().front().tries, 0);
  EXPECT_TRUE(h.host.endings.empty());
}

// --- The port ----------------------------------------------------------------------

TEST(Port, CloseWithoutAPortStillResetsTheLinkAndTheView) {
  LinkHarness h;
  h.link.SetJob(TransferJob::kUpload);
  h.link.SetFlags({0, 0, 0, 0});
  h.link.ClosePort();
  EXPECT_EQ(h.host.status, "Not Connected");
  EXPECT_EQ(h.link.Job(), TransferJob::kNone);
  EXPECT_EQ(h.link.Flags().zone2, 1);
  EXPECT_EQ(h.link.Flags().aacDecoder, 1);
  EXPECT_EQ(h.host.closings, 0) << "no log to end";
}

TEST(Port, ASecondOpenFailsAndLeavesTheOpenPortAlone) {
  LinkHarness h;
  ASSERT_TRUE(h.link.OpenPort("first"));
  EXPECT_EQ(h.host.status, "Connecting QR-K2600");
  const size_t writes = h.transport.writes.size();
  EXPECT_FALSE(h.link.OpenPort("second"));
  EXPECT_TRUE(h.link.IsPortOpen());
  EXPECT_EQ(h.transport.opened, std::vector<std::string>{"first"});
  EXPECT_EQ(h.transport.writes.size(), writes);
  EXPECT_FALSE(h.link.OpenPort(""));
}

TEST(Port, OpeningWritesTheFiveWakeFramesWithTheirPausesThenWatches) {
  LinkHarness h;
  ASSERT_TRUE(h.link.OpenPort("test"));
  h.clock.Advance(1000);
  ASSERT_EQ(h.transport.writes.size(), 5U);
  const char* expected[] = {"<STX>20000<ETX>", "<STX>07A1D<ETX>", "<STX>07A1D<ETX>",
                            "<STX>07E7E<ETX>", "<STX>07E7E<ETX>"};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(h.transport.writes[i].frame, expected[i]);
    EXPECT_EQ(h.transport.writes[i].at, static_cast<int64_t>(50 * i))
        << "50 ms after each standard frame";
  }
  // The connection watch starts when the last pause has ended.
  EXPECT_EQ(h.host.Due(kConnectionWatchTimer), 250 + 5000);
}

TEST(Port, AFrameThePortRefusesAtOnceOrBehindAPauseClosesItAndIsReportedOnce) {
  // Callers take success for "written"; a frame refused later, when its
  // pause-delayed turn comes, must end up where a frame refused at once does.
  struct Case {
    const char* name;
    int refusedWrite;
    bool connectionCheck;
  };
  for (const Case& c : {Case{"the first command, at once", 1, false},
                        Case{"the second command, behind the first one's pause", 2, false},
                        Case{"the connection check, behind the pause of FFFFF", 2, true}}) {
    SCOPED_TRACE(c.name);
    LinkHarness h;
    h.MakeReady();
    h.transport.refuseFromWrite = c.refusedWrite;
    if (c.connectionCheck) {
      h.link.SendConnectionCheck();
    } else {
      h.link.SendPacket(FrameExtended(DC4 + "2008010130" + "05"), 243);
      h.link.SendPacket(FrameExtended(DC4 + "2008010131" + "06"), 244);
      h.link.SendPacket("", kEndMarkerCode);
      h.clock.Advance(10);
      h.transport.Receive(FrameExtended(DC4 + "2008010030" + "05"));  // answers the first
    }
    h.clock.Advance(5000);
    EXPECT_EQ(h.transport.writes.size(), static_cast<size_t>(c.refusedWrite))
        << "nothing is written after the refusal, not even a resend";
    EXPECT_FALSE(h.link.IsPortOpen());
    ASSERT_EQ(h.host.failures.size(), 1U);
    EXPECT_NE(h.host.failures[0].find("refused"), std::string::npos) << h.host.failures[0];
    EXPECT_FALSE(h.host.Running(kReplyTimer));
    EXPECT_TRUE(h.host.endings.empty()) << "a refused frame is a port failure, not an answer";
  }
}

TEST(Port, ClosingKillsTheConnectionsTimersButNotTheStatusBars) {
  LinkHarness h;
  h.MakeReady();
  h.host.StartTimer(kGuardTimer, 1000);
  h.host.StartTimer(kErrorTimer, 1000);
  h.link.SendPacket(FrameExtended(DC4 + "2008010130" + "05"), 243);
  h.link.SendPacket("", kEndMarkerCode);
  h.transport.Receive(STX);  // a frame begins: the frame timer runs
  h.host.StartTimer(kLoadAnswerTimer, 3000);
  h.host.StartTimer(kConnectionWatchTimer, 5000);
  h.host.StartTimer(kCheckAnswerTimer, 10000);
  h.link.ClosePort();
  for (const int timer : {kFrameTimer, kLoadAnswerTimer, kConnectionWatchTimer, kReplyTimer,
                          kCheckAnswerTimer, kPacingTimer}) {
    EXPECT_FALSE(h.host.Running(timer)) << "timer " << timer;
  }
  EXPECT_TRUE(h.host.Running(kGuardTimer));
  EXPECT_TRUE(h.host.Running(kErrorTimer));
}

// --- Pacing ------------------------------------------------------------------------

TEST(Pacing, AnAnswerDuringThePauseIsHandledAtOnceButTheNextFrameWaits) {
  LinkHarness h(ControlMode::kAsync);
  h.MakeReady(TransferJob::kDownload);
  h.link.SendPacket(FrameExtended(DC4 + "2008010130" + "05"), 243);
  h.link.SendPacket(FrameExtended(DC4 + "2008010131" + "06"), 244);
  h.link.SendPacket("", kEndMarkerCode);
  ASSERT_EQ(h.transport.writes.size(), 1U);
  h.clock.Advance(20);
  h.transport.Receive(FrameExtended(DC4 + "2008010030" + "05"));
  EXPECT_EQ(h.link.Queue()[0].tries, kDoneTries) << "handled during the pause";
  EXPECT_EQ(h.transport.writes.size(), 1U) << "not written before the pause has ended";
  h.clock.Advance(129);
  EXPECT_EQ(h.transport.writes.size(), 1U);
  h.clock.Advance(1);
  ASSERT_EQ(h.transport.writes.size(), 2U);
  EXPECT_EQ(h.transport.writes[1].at, 150);
}

TEST(Pacing, TheAnswerTimeOutStartsWhenThePauseEnds) {
  LinkHarness h(ControlMode::kAsync);
  h.MakeReady(TransferJob::kDownload);
  h.link.SendPacket(FrameExtended(DC4 + "2008010130" + "05"), 243);
  h.link.SendPacket("", kEndMarkerCode);
  EXPECT_FALSE(h.host.Running(kReplyTimer));
  h.clock.Advance(150);
  EXPECT_TRUE(h.host.Running(kReplyTimer));
  EXPECT_EQ(h.host.Due(kReplyTimer), 150 + 1000);
  h.clock.Advance(1000);
  ASSERT_EQ(h.transport.writes.size(), 2U);
  EXPECT_EQ(h.transport.writes[1].at, 1150) << "the first resend";
}

TEST(Pacing, AWaitMarkerBehindTheEntryLengthensItsPause) {
  LinkHarness h(ControlMode::kAsync);
  h.MakeReady(TransferJob::kDownload);
  h.link.SendPacket(STX + "07E35" + ETX, kSystemMemoryLoadCode);
  h.link.SendPacket("@WAIT, 1000", kEndMarkerCode);
  h.link.SendPacket(STX + "07E75" + ETX, kVolumeMemoryLoadCode);
  h.link.SendPacket("", kEndMarkerCode);
  h.clock.Advance(10);
  h.transport.Receive(STX + "003000" + ETX);  // answers the System memory load
  h.clock.Advance(2000);
  ASSERT_GE(h.transport.writes.size(), 2U);
  EXPECT_EQ(h.transport.writes[1].frame, "<STX>07E75<ETX>");
  EXPECT_EQ(h.transport.writes[1].at, 1050) << "50 ms and the 1000 ms of the marker";
}

// --- SendPacket --------------------------------------------------------------------

TEST(SendPacket, AnEmptyTextOnAnEmptyQueueSendsNothing) {
  LinkHarness h;
  h.MakeReady();
  EXPECT_EQ(h.link.SendPacket("", kEndMarkerCode), 1);
  EXPECT_TRUE(h.transport.writes.empty());
  EXPECT_FALSE(h.host.sendingShown);
}

TEST(SendPacket, NothingIsAcceptedBeforeTheLinkIsReady) {
  LinkHarness h;
  std::string error;
  h.transport.Open("test", error);
  EXPECT_EQ(h.link.SendPacket(STX + "07EA2" + ETX, 7), 0);
  EXPECT_EQ(h.link.SendPacket(DC4 + "x", 7), 0);
  EXPECT_EQ(h.link.QueueLength(), 0);
  EXPECT_TRUE(h.transport.writes.empty());
}

TEST(SendPacket, RealTimeStandardCommandsGoOutAtOnceWithoutRetriesExceptMemorySaves) {
  LinkHarness h;
  h.MakeReady();
  h.link.SendPacket(FrameExtended(DC4 + "200904112012c"), 270);
  h.link.SendPacket("", kEndMarkerCode);
  EXPECT_EQ(h.link.SendPacket(STX + "07EA2" + ETX, 7), 1);  // mute, while the queue is sending
  EXPECT_EQ(h.link.QueueLength(), 1);
  h.clock.Advance(50000);
  int mutes = 0;
  for (const auto& write : h.transport.writes) mutes += write.frame == "<STX>07EA2<ETX>";
  EXPECT_EQ(mutes, 1) << "no retries for a direct command";

  LinkHarness memory;
  memory.MakeReady();
  memory.link.SendPacket(STX + "07E2D" + ETX, kSystemMemorySaveCode);
  EXPECT_EQ(memory.link.QueueLength(), 1) << "the System memory save waits for its answer";
  EXPECT_TRUE(memory.transport.writes.empty());
}

// --- Answers, retries and giving up ---------------------------------------------------

TEST(Replies, SpontaneousReportsAnswerNothingAndChangeNothing) {
  LinkHarness h;
  h.MakeReady();
  h.link.SendPacket(STX + "07E2B" + ETX, kSystemMemorySaveCode);
  h.link.SendPacket("", kEndMarkerCode);
  const CSettingImage before = h.link.CurrentImage();
  for (const char* code : {"0010", "0012", "0013", "0014"})
    h.transport.Receive(STX + code + "00" + ETX);
  EXPECT_EQ(h.link.Queue()[0].tries, 0);
  EXPECT_EQ(h.link.CurrentImage(), before);
  h.transport.Receive(STX + "003100" + ETX);
  EXPECT_TRUE(h.link.Queue().empty());
  EXPECT_EQ(h.host.endings, std::vector<EndSendingResult>{EndSendingResult::kDone});
}

TEST(Replies, AnExtendedWriteIsAnsweredBySameAddressGroupAndStatusZero) {
  LinkHarness h;
  h.MakeReady();
  h.link.SendPacket(FrameExtended(DC4 + "2009041120" + "12c"), 270);
  h.link.SendPacket("", kEndMarkerCode);
  h.transport.Receive(FrameExtended(DC4 + "2008030000" + "0F"));  // another group: a retry
  EXPECT_EQ(h.link.Queue()[0].tries, 1);
  h.transport.Receive(FrameExtended(DC4 + "2009041020" + "12C"));
  EXPECT_TRUE(h.link.Queue().empty());
  EXPECT_EQ(h.host.endings, std::vector<EndSendingResult>{EndSendingResult::kDone});
}

int Count(const std::vector<std::string>& frames, const std::string& frame) {
  int count = 0;
  for (const std::string& f : frames) count += f == frame;
  return count;
}

TEST(Retries, AsyncWithCtsLogsAndSkipsAfterFourSends) {
  LinkHarness h(ControlMode::kAsync);
  h.MakeReady(TransferJob::kDownload);
  const std::string first = FrameExtended(DC4 + "2008010130" + "05");
  const std::string second = FrameExtended(DC4 + "2008010131" + "06");
  h.link.SendPacket(first, 243);
  h.link.SendPacket(second, 244);
  h.link.SendPacket("", kEndMarkerCode);
  h.clock.Advance(150 + 4 * 1150 - 150 + 1);
  EXPECT_EQ(Count(h.Frames(), ShowFrame(first)), 4);
  EXPECT_EQ(Count(h.Frames(), ShowFrame(second)), 1) << "skipped to the next command";
  EXPECT_EQ(h.host.log, std::vector<std::string>{ShowFrame(first) + " #243"});
  EXPECT_TRUE(h.host.endings.empty());
}

TEST(Retries, AsyncWithoutCtsIsACableErrorAfterFourSends) {
  LinkHarness h(ControlMode::kAsync);
  h.MakeReady(TransferJob::kDownload);
  h.transport.cts = false;
  h.link.SendPacket(FrameExtended(DC4 + "2008010130" + "05"), 243);
  h.link.SendPacket("", kEndMarkerCode);
  h.clock.Advance(10000);
  EXPECT_EQ(h.transport.writes.size(), 4U);
  EXPECT_EQ(h.host.endings, std::vector<EndSendingResult>{EndSendingResult::kCableError});
  EXPECT_EQ(h.host.fullRefreshes, 1);
  EXPECT_TRUE(h.link.Queue().empty());
}

TEST(Retries, RealTimeShowsErrorAndClearsTheQueueAfterFourSends) {
  LinkHarness h;
  h.MakeReady();
  h.link.SendPacket(FrameExtended(DC4 + "2008010130" + "05"), 243);
  h.link.SendPacket(FrameExtended(DC4 + "2008010131" + "06"), 244);
  h.link.SendPacket("", kEndMarkerCode);
  h.clock.Advance(10000);
  EXPECT_EQ(h.transport.writes.size(), 4U) << "the second command is never sent";
  EXPECT_EQ(h.host.endings, std::vector<EndSendingResult>{EndSendingResult::kReceiverError});
  EXPECT_TRUE(h.link.Queue().empty());
  EXPECT_TRUE(h.host.log.empty()) << "Real Time Mode logs only trigger refusals";
}

TEST(Retries, RealTimeReadsBackAGuardedWriteAndStoresWhatTheReceiverHolds) {
  LinkHarness h;
  h.MakeReady();
  const std::string write = FrameExtended(DC4 + "2009041120" + "12c");
  h.link.SendPacket(write, 270);
  h.link.SendPacket("", kEndMarkerCode);
  const std::string guarded = FrameExtended(DC4 + "2009041" + "1" + "20" + "12c");
  for (int i = 0; i < 4; ++i) {
    h.clock.Advance(200);
    h.transport.Receive(guarded);
  }
  EXPECT_EQ(h.host.guards, 5) << "every guarded answer, and the give-up";
  // The fourth answer makes the link ask for the value the receiver holds.
  ASSERT_FALSE(h.transport.writes.empty());
  h.clock.Advance(200);
  EXPECT_EQ(h.transport.writes.back().frame, ShowFrame(FrameExtended(DC4 + "200504102")));
  h.transport.Receive(FrameExtended(DC4 + "2009041020" + "0FA"));
  EXPECT_EQ(ReadParameter(h.link.CurrentImage(), 270), 250);
  EXPECT_EQ(ReadParameter(h.link.CurrentImage(), 269), 0);
  EXPECT_EQ(h.host.endings, std::vector<EndSendingResult>{EndSendingResult::kDone});
}

TEST(Retries, ARefusedTriggerSettingIsLoggedAndPutBackInLine) {
  LinkHarness h;
  h.MakeReady();
  const std::string write =
      FrameExtended(DC4 + "200904010" + "1" + "00" + "0");  // output 1, Zone2, PHONO
  h.link.SendPacket(write, 302);
  h.link.SendPacket("", kEndMarkerCode);
  const std::string refused = FrameExtended(DC4 + "2009040" + "4" + "0100" + "0");
  for (int i = 0; i < 4; ++i) {
    h.clock.Advance(200);
    h.transport.Receive(refused);
  }
  EXPECT_EQ(h.host.rederived, std::vector<ParamId>{302});
  EXPECT_EQ(h.host.refreshed, std::vector<ParamId>{302});
  EXPECT_EQ(h.host.log.back(), ShowFrame(write) + " #302");
  EXPECT_EQ(h.host.log.front(), "[拡張コマンド パラメータエラー] #577");
  EXPECT_EQ(h.host.endings, std::vector<EndSendingResult>{EndSendingResult::kDone});
}

TEST(Replies, MarkersBehindTheLastCommandTakeEffectBeforeTheQueueFinishes) {
  LinkHarness h(ControlMode::kAsync);
  h.MakeReady(TransferJob::kDownload);
  h.link.SendPacket(STX + "07E82" + ETX, 8);
  h.link.SendPacket("@MEMORY, 4", kEndMarkerCode);
  h.link.SendPacket("", kEndMarkerCode);
  h.transport.Receive(STX + "008C00" + ETX);
  EXPECT_EQ(h.link.CurrentSlot(), 4);
  EXPECT_EQ(h.host.endings, std::vector<EndSendingResult>{EndSendingResult::kDone});
}

TEST(Replies, ADownloadMatchesAnswersButStoresNothing) {
  LinkHarness h(ControlMode::kAsync);
  h.MakeReady(TransferJob::kDownload);
  StoreParameter(h.link.CurrentImage(), 8, 1);
  h.link.SendPacket(STX + "07E82" + ETX, 8);
  h.link.SendPacket("", kEndMarkerCode);
  h.transport.Receive(STX + "008C00" + ETX);
  EXPECT_EQ(ReadParameter(h.link.CurrentImage(), 8), 1);
  EXPECT_EQ(h.host.endings.size(), 1U);
}

TEST(Replies, TheUploadsWriteBackMatchesAnswersButStoresNothing) {
  LinkHarness h(ControlMode::kAsync);
  h.MakeReady(TransferJob::kUpload);
  h.link.UploadSequence(0);
  h.link.UploadSequence(1);
  h.link.UploadSequence(1);  // the write-back phase
  ASSERT_EQ(h.link.UploadStep(), 2);
  h.host.sendingShown = false;
  StoreParameter(h.link.Image(0), 6, -200);
  h.link.SendPacket(STX + "07A1A" + ETX, 6);
  h.link.SendPacket("", kEndMarkerCode);
  h.clock.Advance(10);
  h.transport.Receive(STX + "0026C7" + ETX);  // main volume 0.0 dB
  EXPECT_EQ(ReadParameter(h.link.Image(0), 6), -200) << "the image keeps what it wrote back";
  EXPECT_EQ(h.host.endings, std::vector<EndSendingResult>{EndSendingResult::kDone})
      << "the report answers the command it names";
}

TEST(Replies, FramesOfTheOtherKindAreIgnoredOutsideRealTime) {
  LinkHarness h(ControlMode::kAsync);
  h.MakeReady(TransferJob::kDownload);
  h.link.SendPacket(FrameExtended(DC4 + "2008010130" + "05"), 243);
  h.link.SendPacket("", kEndMarkerCode);
  h.transport.Receive(STX + "003100" + ETX);
  EXPECT_EQ(h.link.Queue()[0].tries, 0);
  EXPECT_TRUE(h.host.Running(kReplyTimer) || h.link.IsPausing());
}

}  // namespace
}  // namespace qamp
