// Upload and Download against the simulated receiver, in virtual time.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/memory_commands.h"
#include "model/image_defaults.h"
#include "model/image_dump.h"
#include "model/parameter_store.h"
#include "model/system_memory_content.h"
#include "pages/page_set.h"
#include "session/command_capture.h"
#include "support/app_harness.h"
#include "support/realistic_state.h"

namespace qamp {
namespace {

using testing::AppHarness;

using testing::MakeReceiverRealistic;
using testing::RealisticReceiverOptions;

// The lines of two dumps that differ, for readable failures.
std::string DumpDifference(const CSettingImage& expected, const CSettingImage& actual) {
  const std::string a = DumpImage(expected);
  const std::string b = DumpImage(actual);
  std::string difference;
  size_t i = 0;
  size_t j = 0;
  int shown = 0;
  while (i < a.size() && j < b.size() && shown < 12) {
    const size_t ea = a.find('\n', i);
    const size_t eb = b.find('\n', j);
    const std::string la = a.substr(i, ea - i);
    const std::string lb = b.substr(j, eb - j);
    if (la != lb) {
      difference += "expected " + la + ", got " + lb + "\n";
      ++shown;
    }
    i = ea + 1;
    j = eb + 1;
  }
  return difference;
}

// What a memory of the receiver holds, out of a whole image, less the
// headphone tone (IDs 285..288), which the Upload does not read per memory.
CSettingImage MemoryContent(const CSettingImage& image, const sim::SimOptions& options) {
  CSettingImage content;
  CopySystemMemoryContent(image, content);
  content[6] = image[6];
  // A receiver without a zone has no volume memories for it.
  if (options.zone2) content[16] = image[16];
  if (options.zone3) content[21] = image[21];
  for (const int word : {336, 337, 338, 339}) content[word] = 0;
  return content;
}

// The words the Upload cannot learn: the "Initialize" request, the iPod's
// live texts and operation, the spare Input DSP record, and the program of
// an input that plays Straight (the receiver reports only "Straight",
// which the program reads as the Straight flag: the MULTI CH record's
// factory program 26 is Straight too).
CSettingImage Readable(CSettingImage image) {
  for (const int word : {929}) image[word] = 0;
  for (int word = 936; word < kImageWords; ++word) image[word] = 0;
  image[257] = image[258] = 0;
  for (int record = 0; record < 13; ++record) {
    if (image[231 + 2 * record] == 26) image[232 + 2 * record] = 1;
    if (image[232 + 2 * record] != 0) image[231 + 2 * record] = 0;
  }
  image[0] = 0;
  return image;
}

void ExpectUploadReproduces(AppHarness& h) {
  MakeReceiverRealistic(h.receiver);
  const CSettingImage before = h.receiver.State();
  std::array<CSettingImage, 6> memories;
  for (int n = 1; n <= 6; ++n) memories[static_cast<size_t>(n - 1)] = h.receiver.Memory(n);
  h.app.Session().StartUpload();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  ASSERT_EQ(outcome->outcome, OperationOutcome::kTransferDone) << outcome->message;
  EXPECT_FALSE(h.link().IsPortOpen()) << "Async Mode closes the port after a transfer";
  EXPECT_TRUE(h.host.messages.empty()) << "a clean line gives no warning";
  EXPECT_EQ(Readable(h.link().Image(0)), Readable(before))
      << DumpDifference(Readable(before), Readable(h.link().Image(0)));
  for (int n = 1; n <= 6; ++n) {
    const CSettingImage expected =
        MemoryContent(memories[static_cast<size_t>(n - 1)], h.receiver.Options());
    const CSettingImage actual = MemoryContent(h.link().Image(n), h.receiver.Options());
    EXPECT_EQ(actual, expected) << "memory " << n << "\n" << DumpDifference(expected, actual);
    EXPECT_EQ(h.link().DataExists(n), h.receiver.MemoryHasData(n)) << "memory " << n;
  }
  // The receiver is back on its own current setting afterwards, but for
  // the main zone, which the connection switched on.
  CSettingImage after = h.receiver.State();
  after[9] = before[9];
  EXPECT_EQ(Readable(after), Readable(before)) << DumpDifference(Readable(before), Readable(after));
}

TEST(Upload, ReproducesTheReceiverInAllSevenSlots) {
  AppHarness h(RealisticReceiverOptions(11));
  ExpectUploadReproduces(h);
  EXPECT_TRUE(h.log.text.find("\t") == std::string::npos) << "no command failed:\n" << h.log.text;
}

TEST(Upload, AReceiverWithoutZonesOrXmIsReadWithoutThem) {
  sim::SimOptions options = RealisticReceiverOptions(12);
  options.zone2 = options.zone3 = options.xm = false;
  AppHarness h(options);
  ExpectUploadReproduces(h);
  for (const std::string& frame : h.receiver.ReceivedFrames()) {
    for (int memory = 1; memory <= 6; ++memory) {
      EXPECT_NE(frame, MemoryLoadCommand(MemoryKind::kZone2Volume, memory));
      EXPECT_NE(frame, MemoryLoadCommand(MemoryKind::kZone3Volume, memory));
    }
    EXPECT_FALSE(ShowFrame(frame).starts_with("<DC4>20060510")) << "an XM preset read";
    EXPECT_NE(ShowFrame(frame), "<STX>26600<ETX>") << "Zone 2 volume out";
  }
}

// The Upload's reads change only what its memory loads, selections and
// zone commands touch: the write-back puts those pages back and leaves
// the others, which the receiver still holds, alone.
TEST(Upload, TheWriteBackSendsOnlyThePagesTheUploadChanged) {
  AppHarness h(RealisticReceiverOptions(11));
  ExpectUploadReproduces(h);
  CommandCapture capture(ControlMode::kAsync, h.link().RegionCode());
  capture.Link().SetFlags(h.link().Flags());
  QuietPageHost host;
  CPageSet pages(capture.Link(), host);
  auto sentOf = [&](std::string_view caption) {
    CBasePage* page = pages.FindByCaption(caption);
    EXPECT_NE(page, nullptr) << caption;
    capture.Clear();
    capture.Link().Image(0) = h.link().Image(0);
    page->DownloadPage(capture.Link().Image(0));
    size_t frames = 0;
    size_t received = 0;
    for (const auto& [frame, code] : capture.QueuedWithCodes()) {
      if (frame.empty() || frame.front() == '@') continue;
      ++frames;
      const auto& all = h.receiver.ReceivedFrames();
      received += static_cast<size_t>(std::count(all.begin(), all.end(), frame) > 0);
    }
    EXPECT_GT(frames, 0u) << caption;
    return std::pair{frames, received};
  };
  for (const std::string_view untouched : {"Tuner Set", "Input Rename", "I/O Assign"}) {
    const auto [frames, received] = sentOf(untouched);
    EXPECT_EQ(received, 0u) << untouched << ": " << frames << " commands";
  }
  // The selections changed the Input DSP records, the loads the memory's
  // pages: those are sent whole.
  for (const std::string_view changed : {"Input DSP", "Multi Zone", "Speaker Level"}) {
    const auto [frames, received] = sentOf(changed);
    EXPECT_EQ(received, frames) << changed;
  }
}

}  // namespace
}  // namespace qamp

namespace qamp {
namespace {

using testing::AppHarness;
using testing::MakeReceiverRealistic;
using testing::RealisticReceiverOptions;

// Uploads a realistic receiver into a fresh application.
void UploadFrom(AppHarness& h) {
  h.app.Session().StartUpload();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  ASSERT_EQ(outcome->outcome, OperationOutcome::kTransferDone) << outcome->message;
}

TEST(Download, ThenUploadFromAnotherReceiverGivesBackEveryDownloadableParameter) {
  AppHarness source(RealisticReceiverOptions(21));
  MakeReceiverRealistic(source.receiver);
  UploadFrom(source);

  // Download into a receiver with factory settings.
  AppHarness target;
  ASSERT_TRUE(target.app.LoadConfigurationText(source.app.SaveConfigurationText(false)));
  target.app.Session().StartDownload();
  const auto outcome = target.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  ASSERT_EQ(outcome->outcome, OperationOutcome::kTransferDone) << outcome->message;
  EXPECT_FALSE(target.link().IsPortOpen());

  // What that receiver now holds, read back by a third application.
  AppHarness check;
  check.receiver.State() = target.receiver.State();
  for (int memory = 1; memory <= 6; ++memory) {
    check.receiver.Memory(memory) = target.receiver.Memory(memory);
    check.receiver.SetMemoryHasData(memory, target.receiver.MemoryHasData(memory));
  }
  UploadFrom(check);
  // Compared through the configuration file: every parameter it holds.
  // The Download stores all six System memories, so all now hold data.
  for (int memory = 1; memory <= 6; ++memory) source.link().SetDataExists(memory, true);
  const std::string expected = source.app.SaveConfigurationText(false);
  const std::string actual = check.app.SaveConfigurationText(false);
  std::vector<std::string> differences;
  size_t i = 0;
  size_t j = 0;
  while (i < expected.size() && j < actual.size()) {
    const size_t ei = expected.find('\n', i);
    const size_t ej = actual.find('\n', j);
    const std::string a = expected.substr(i, ei - i);
    const std::string b = actual.substr(j, ej - j);
    if (a != b) differences.push_back("expected " + a + ", got " + b);
    i = ei + 1;
    j = ej + 1;
  }
  EXPECT_EQ(expected.size(), actual.size());
  for (size_t k = 0; k < differences.size() && k < 20; ++k) ADD_FAILURE() << differences[k];
}

TEST(Download, SendsTheZoneSwitchesTheMemoriesThePagesAndTheBasicControlsInOrder) {
  AppHarness h;
  h.app.Session().StartDownload();
  ASSERT_TRUE(h.RunUntilOutcome());
  std::vector<std::string> frames;
  for (const std::string& frame : h.receiver.ReceivedFrames()) frames.push_back(ShowFrame(frame));
  // After the connection: Pure Direct off and the three model-flag reads,
  // then (the second phase) the zone switches and memory 1's commands.
  const std::vector<std::string> start(frames.begin() + 5, frames.begin() + 12);
  EXPECT_EQ(start,
            (std::vector<std::string>{"<STX>07E82<ETX>", "<DC4>200500000B7<ETX>",
                                      "<DC4>200500007BE<ETX>", "<DC4>20050000AC8<ETX>",
                                      "<STX>07EBA<ETX>", "<STX>07AED<ETX>", "<STX>07EFA<ETX>"}));
  // Each memory ends with its save commands and Pure Direct off.
  int saves = 0;
  for (size_t i = 0; i < frames.size(); ++i) {
    if (frames[i] != "<STX>07E2B<ETX>") continue;
    ++saves;
    EXPECT_EQ(frames[i + 2], "<STX>07E6B<ETX>");
    EXPECT_EQ(frames[i + 4], "<STX>07E87<ETX>");
    EXPECT_EQ(frames[i + 6], "<STX>07E20<ETX>");
    EXPECT_EQ(frames[i + 7], "<STX>07E82<ETX>");
  }
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(frames.back(), "<STX>07E82<ETX>") << "the basic controls end with Pure Direct";
}

TEST(Download, CommandsUnansweredFourTimesAreLoggedAndSkipped) {
  sim::SimOptions options;
  options.parameterErrorRows = {223};  // PageA Preset1 of the tuner: the receiver refuses it
  AppHarness h(options);
  h.app.Session().StartDownload();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kTransferDone);
  int sent = 0;
  for (const std::string& frame : h.receiver.ReceivedFrames())
    sent += ShowFrame(frame).starts_with("<DC4>200D050111");
  EXPECT_EQ(sent, 4);
  EXPECT_NE(h.log.text.find("Tuner Set PageA Preset1\tDC4, \"200D0501111087.50"), std::string::npos)
      << h.log.text;
  EXPECT_NE(h.log.text.find("[拡張コマンド パラメータエラー]"), std::string::npos);
}

TEST(Upload, ACableFailureRestoresTheImagesFromTheBackup) {
  sim::SimOptions options = RealisticReceiverOptions(31);
  options.ctsOff = true;
  options.silentAfterFrames = 300;
  AppHarness h(options);
  MakeReceiverRealistic(h.receiver);
  StoreParameter(h.link().Image(0), 6, -235);
  StoreParameter(h.link().Image(3), 259, 55);
  const auto before = h.link().Images();
  h.app.Session().StartUpload();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kFailed);
  EXPECT_EQ(outcome->message, "Cable Check Error");
  EXPECT_EQ(h.host.messages, std::vector<std::string>{"Cable Check Error"});
  EXPECT_TRUE(h.link().Images() == before) << "every slot as before the Upload";
  EXPECT_FALSE(h.link().IsPortOpen());
}

TEST(Upload, CancelRestoresTheImagesAndClosesThePort) {
  AppHarness h(RealisticReceiverOptions(32));
  MakeReceiverRealistic(h.receiver);
  const auto before = h.link().Images();
  h.app.Session().StartUpload();
  h.clock.Advance(60000);
  ASSERT_TRUE(h.app.Session().IsSending());
  h.host.answers = {false, true, false};  // not yet; now; leave the receiver as it is
  h.app.Session().CancelSending();
  EXPECT_TRUE(h.app.Session().IsSending()) << "the question was answered Cancel";
  h.app.Session().CancelSending();
  ASSERT_EQ(h.host.questions.size(), 3U);
  EXPECT_EQ(h.host.questions[1],
            "Upload Command Sending is Cancel: Transmission of a command is interrupted. \nIs it "
            "all right?");
  EXPECT_EQ(h.host.outcomes.back().outcome, OperationOutcome::kCancelled);
  EXPECT_TRUE(h.link().Images() == before);
  EXPECT_FALSE(h.link().IsPortOpen());
  EXPECT_EQ(h.link().QueueLength(), 0);
  h.clock.Advance(60000);
  EXPECT_EQ(h.host.outcomes.size(), 1U) << "nothing more happens";
}

TEST(Upload, CancelWhileConnectingLeavesNoPortOpen) {
  sim::SimOptions options;
  options.silent = true;
  AppHarness h(options);
  const auto before = h.link().Images();
  h.app.Session().StartUpload();
  h.clock.Advance(2000);
  h.app.Session().CancelInitialization(false);
  EXPECT_FALSE(h.link().IsPortOpen());
  EXPECT_TRUE(h.link().Images() == before);
  // The next Upload can open the port again.
  h.receiver.MutableOptions().silent = false;
  h.app.Session().StartUpload();
  h.clock.Advance(10000);
  EXPECT_TRUE(h.app.Session().IsSending());
}

}  // namespace
}  // namespace qamp
