// Upload and Download against the simulated receiver, in virtual time.
#include <gtest/gtest.h>

#include "link/memory_commands.h"
#include "model/image_defaults.h"
#include "model/image_dump.h"
#include "model/parameter_store.h"
#include "model/system_memory_content.h"
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
// an input that plays Straight (the receiver reports only "Straight").
CSettingImage Readable(CSettingImage image) {
  for (const int word : {929}) image[word] = 0;
  for (int word = 936; word < kImageWords; ++word) image[word] = 0;
  image[257] = image[258] = 0;
  for (int record = 0; record < 13; ++record) {
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
  EXPECT_EQ(Readable(h.link().Image(0)), Readable(before)) << DumpDifference(Readable(before), Readable(h.link().Image(0)));
  for (int n = 1; n <= 6; ++n) {
    const CSettingImage expected = MemoryContent(memories[static_cast<size_t>(n - 1)], h.receiver.Options());
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

}  // namespace
}  // namespace qamp
