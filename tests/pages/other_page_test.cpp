// The Other page.
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/other_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

using testing::Frames;
using testing::Queue;

using OtherFixture = testing::PageFixture<COtherPage>;

TEST(OtherPage, EveryChoiceSendsItsCommand) {
  const testing::ChoiceCase cases[] = {
      {1501, 532, 0, "<STX>26000<ETX>"}, {1502, 532, 1, "<STX>26001<ETX>"},
      {1503, 533, 0, "<STX>25F00<ETX>"}, {1504, 533, 1, "<STX>25F01<ETX>"},
      {1505, 534, 0, "<STX>28F00<ETX>"}, {1506, 534, 1, "<STX>28F01<ETX>"},
      {1507, 535, 0, "<STX>25C00<ETX>"}, {1508, 535, 1, "<STX>25C01<ETX>"},
  };
  // The page shows the other value first, so that the click changes it.
  testing::ExpectEachChoiceSends<OtherFixture>(cases,
                                               [](OtherFixture& f, const testing::ChoiceCase& c) {
                                                 StoreParameter(f.image(), c.id, 1 - c.stored);
                                                 f.page.RefreshAll();
                                               });
}

TEST(OtherPage, AsyncModeChangesTheImageAndQueuesNothing) {
  OtherFixture f(ControlMode::kAsync);
  f.page.ClickRadio(1504);
  EXPECT_EQ(ReadParameter(f.image(), 533), 1);
  EXPECT_TRUE(f.Queued().empty());
  EXPECT_TRUE(f.Written().empty());
}

TEST(OtherPage, DownloadSendsTheFourSettingsInOrder) {
  OtherFixture f(ControlMode::kAsync);
  f.page.DownloadPage(f.image());
  const Queue factory = {{"<STX>26000<ETX>", 532},
                         {"<STX>25F00<ETX>", 533},
                         {"<STX>28F00<ETX>", 534},
                         {"<STX>25C00<ETX>", 535}};
  EXPECT_EQ(f.Queued(), factory);
  f.capture.Clear();
  for (ParamId id = 532; id <= 535; ++id) StoreParameter(f.image(), id, 1);
  // A value no radio stands for is not sent.
  StoreParameter(f.image(), 534, 2);
  f.page.DownloadPage(f.image());
  const Queue changed = {
      {"<STX>26001<ETX>", 532}, {"<STX>25F01<ETX>", 533}, {"<STX>25C01<ETX>", 535}};
  EXPECT_EQ(f.Queued(), changed);
}

TEST(OtherPage, ProfileUsesTheSupportAudioKeyAndRefusesUnmatchedTexts) {
  OtherFixture f(ControlMode::kAsync);
  StoreParameter(f.image(), 534, 1);
  StoreParameter(f.image(), 535, 1);
  EXPECT_EQ(f.page.BuildReportText(f.image()),
            "\r\n(Other)\r\nAudio Select Set = Auto\r\nDecoder Mode Set = Auto\r\n"
            "Support Audio = Other\r\nEXTD Surround = Last\r\n");
  MemoryIniFile file;
  f.page.SaveToProfile(file, f.image());
  EXPECT_EQ(file.Read("Other", "Support Audio"), "Other");
  EXPECT_FALSE(file.Read("Other", "HDMI Support Audio").has_value());
  CSettingImage other = testing::ReadIntoFreshImage(f.page, file);
  for (ParamId id = 532; id <= 535; ++id)
    EXPECT_EQ(ReadParameter(other, id), ReadParameter(f.image(), id));
  EXPECT_TRUE(f.page.SetParamFromText(other, 534, -1, "QR-K2600"));
  EXPECT_EQ(ReadParameter(other, 534), 0);

  const testing::RefusedText refused[] = {{532, "auto"}, {533, "Last "}, {534, "qr-k2600"},
                                          {534, "Auto"}, {535, "Other"}, {531, "LAST"}};
  testing::ExpectTextsRefused(f.page, other, refused);
  EXPECT_EQ(ReadParameter(other, 532), 0);
  EXPECT_EQ(ReadParameter(other, 533), 0);
  EXPECT_EQ(ReadParameter(other, 534), 0);
  EXPECT_EQ(ReadParameter(other, 535), 1);
}

TEST(OtherPage, OnlyTheHdmiAudioFormatsCarryTheSystemMemoryMark) {
  OtherFixture f(ControlMode::kAsync);
  for (const Control& control : f.page.Controls()) {
    EXPECT_EQ(control.memoryMark, control.id == 1505) << control.id;
  }
}

}  // namespace
}  // namespace qamp
