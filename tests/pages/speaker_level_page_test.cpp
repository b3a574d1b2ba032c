// The Speaker Level page.
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/speaker_level_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

using LevelFixture = testing::PageFixture<CSpkLevelPage>;

TEST(SpeakerLevelPage, EachChannelSendsItsCodeAtBothEndsOfTheRange) {
  struct Case {
    int slider;
    ParamId id;
    int level;
    const char* frame;
  };
  const Case cases[] = {
      {1107, 259, 100, "<STX>2413c<ETX>"},  {1107, 259, -100, "<STX>24114<ETX>"},
      {1109, 260, 100, "<STX>2403c<ETX>"},  {1109, 260, 5, "<STX>24029<ETX>"},
      {1111, 261, 0, "<STX>24228<ETX>"},    {1111, 261, -100, "<STX>24214<ETX>"},
      {1113, 262, 55, "<STX>24433<ETX>"},   {1114, 263, -5, "<STX>24327<ETX>"},
      {1116, 264, 100, "<STX>2483c<ETX>"},  {1118, 265, -100, "<STX>24714<ETX>"},
      {1120, 266, 100, "<STX>2463c<ETX>"},  {1123, 267, -5, "<STX>24527<ETX>"},
      {1125, 268, -100, "<STX>24914<ETX>"}, {1125, 268, 100, "<STX>2493c<ETX>"},
  };
  for (const Case& c : cases) {
    LevelFixture f(ControlMode::kRealTime);
    f.page.MoveSlider(c.slider, c.level);
    f.page.ReleaseSlider(c.slider);
    EXPECT_EQ(ReadParameter(f.image(), c.id), c.level) << c.slider;
    EXPECT_EQ(f.Written(), std::vector<std::string>{c.frame}) << c.slider;
  }
}

TEST(SpeakerLevelPage, DraggingFollowsTheImageAndSendsOnlyOnRelease) {
  LevelFixture f(ControlMode::kRealTime);
  for (const int level : {5, 20, 45}) {
    f.page.MoveSlider(1111, level);
    EXPECT_EQ(ReadParameter(f.image(), 261), level);
  }
  EXPECT_EQ(f.page.FindControl(1009)->text, " 4.5dB");
  EXPECT_EQ(f.page.FindControl(1111)->value, 45);
  EXPECT_TRUE(f.Written().empty());
  f.page.ReleaseSlider(1111);
  EXPECT_EQ(f.Written(), std::vector<std::string>{"<STX>24231<ETX>"});
  // The slider holds to its range and its steps.
  f.page.MoveSlider(1111, 150);
  EXPECT_EQ(ReadParameter(f.image(), 261), 100);
  f.page.MoveSlider(1111, -12);
  EXPECT_EQ(ReadParameter(f.image(), 261), -10);
}

TEST(SpeakerLevelPage, ReadOutsCarryALeadingSpace) {
  LevelFixture f(ControlMode::kAsync);
  const std::pair<int, const char*> cases[] = {
      {-10, " -1.0dB"}, {0, " 0.0dB"}, {-5, " -0.5dB"}, {100, " 10.0dB"}, {-100, " -10.0dB"}};
  for (const auto& [level, text] : cases) {
    StoreParameter(f.image(), 268, level);
    f.page.RefreshParam(268, true);
    EXPECT_EQ(f.page.FindControl(1057)->text, text);
    EXPECT_EQ(f.page.FindControl(1125)->value, level);
  }
}

TEST(SpeakerLevelPage, AsyncModeQueuesNothing) {
  LevelFixture f(ControlMode::kAsync);
  f.page.MoveSlider(1107, 30);
  f.page.ReleaseSlider(1107);
  f.page.PressButton(CSpkLevelPage::kDefaultButton);
  EXPECT_TRUE(f.Written().empty());
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
}

TEST(SpeakerLevelPage, NothingMovesWhileATransferRuns) {
  LevelFixture f(ControlMode::kAsync);
  f.capture.Link().SetJob(TransferJob::kUpload);
  const std::string before = f.page.FindControl(1007)->text;
  f.page.MoveSlider(1107, 60);
  EXPECT_EQ(ReadParameter(f.image(), 259), 0);
  EXPECT_EQ(f.page.FindControl(1007)->text, before);
  EXPECT_EQ(f.page.FindControl(1107)->value, 0);
}

TEST(SpeakerLevelPage, DefaultRestoresTheFactoryLevelsAndSendsThemInImageOrder) {
  LevelFixture f(ControlMode::kRealTime);
  for (ParamId id = 259; id <= 268; ++id) StoreParameter(f.image(), id, 50);
  f.page.PressButton(CSpkLevelPage::kDefaultButton);
  const int expected[] = {0, 0, -10, -10, -10, -10, -10, 0, 0, 0};  // FL .. SW
  for (ParamId id = 259; id <= 268; ++id)
    EXPECT_EQ(ReadParameter(f.image(), id), expected[id - 259]);
  EXPECT_EQ(f.page.FindControl(1009)->text, " -1.0dB");
  EXPECT_EQ(f.Written(),
            (std::vector<std::string>{"<STX>24928<ETX>", "<STX>24528<ETX>", "<STX>24628<ETX>",
                                      "<STX>24726<ETX>", "<STX>24826<ETX>", "<STX>24326<ETX>",
                                      "<STX>24426<ETX>", "<STX>24226<ETX>", "<STX>24128<ETX>",
                                      "<STX>24028<ETX>"}));
}

TEST(SpeakerLevelPage, DownloadCodesFollowTheImageOrder) {
  LevelFixture f(ControlMode::kAsync);
  f.page.DownloadPage(f.image());
  std::vector<ParamId> codes;
  for (const auto& entry : f.capture.QueuedWithCodes()) codes.push_back(entry.second);
  EXPECT_EQ(codes, (std::vector<ParamId>{268, 267, 266, 265, 264, 263, 262, 261, 259, 260}));
  // A level off the receiver's scale has no command.
  f.capture.Clear();
  StoreParameter(f.image(), 259, 105);
  f.page.SendParamFromImage(f.image(), 259, -1);
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
}

TEST(SpeakerLevelPage, TextsAndTheirValidation) {
  LevelFixture f(ControlMode::kAsync);
  const std::pair<int, const char*> shown[] = {
      {-10, "-1.0dB"}, {-5, "-0.5dB"}, {0, "0.0dB"}, {100, "10.0dB"}, {-100, "-10.0dB"}};
  for (const auto& [level, text] : shown) {
    StoreParameter(f.image(), 263, level);
    std::string section, key, value;
    f.page.GetParamText(f.image(), 263, -1, &section, &key, &value, true);
    EXPECT_EQ(section, "Speaker Level");
    EXPECT_EQ(key, "SR");
    EXPECT_EQ(value, text);
  }

  StoreParameter(f.image(), 259, 20);
  struct Load {
    const char* text;
    bool stored;
    int level;
  };
  const Load loads[] = {
      {"3.3dB", false, 20},    {"-0.5dB", true, -5},    {"10.0dB", true, 100},
      {"-10.0dB", true, -100}, {"10.5dB", false, -100}, {"-10.5dB", false, -100},
      {"dB", false, -100},     {"loud", false, -100},   {"", false, -100},
  };
  for (const Load& l : loads) {
    EXPECT_EQ(f.page.SetParamFromText(f.image(), 259, -1, l.text), l.stored) << l.text;
    EXPECT_EQ(ReadParameter(f.image(), 259), l.level) << l.text;
  }
  EXPECT_FALSE(f.page.SetParamFromText(f.image(), 270, -1, "1.0dB"));
  std::string section = "x", key = "x", value = "x";
  f.page.GetParamText(f.image(), 270, -1, &section, &key, &value, false);
  EXPECT_TRUE(section.empty() && key.empty() && value.empty());
}

TEST(SpeakerLevelPage, ProfileRoundTripAndReport) {
  LevelFixture f(ControlMode::kAsync);
  const int levels[] = {100, -100, 55, -5, 0, 10, -35, 95, -95, 5};
  for (ParamId id = 259; id <= 268; ++id) StoreParameter(f.image(), id, levels[id - 259]);
  MemoryIniFile file;
  f.page.SaveToProfile(file, f.image());
  EXPECT_EQ(file.Read("Speaker Level", "FL"), std::optional<std::string>("10.0dB"));
  EXPECT_EQ(file.Read("Speaker Level", "SBR"), std::optional<std::string>("-3.5dB"));
  CSettingImage other = testing::ReadIntoFreshImage(f.page, file);
  for (ParamId id = 259; id <= 268; ++id) EXPECT_EQ(ReadParameter(other, id), levels[id - 259]);

  const std::string report = f.page.BuildReportText(f.image());
  EXPECT_EQ(report.find("\r\n(Speaker Level)\r\nFL = 10.0dB\r\nFR = -10.0dB\r\n"), 0U);
  EXPECT_NE(report.find("SW = 0.5dB\r\n"), std::string::npos);
}

TEST(SpeakerLevelPage, AnInactivePageIgnoresNotifications) {
  LevelFixture f(ControlMode::kAsync);
  f.page.SetActive(false);
  StoreParameter(f.image(), 260, 70);
  f.page.RefreshParam(260, true);
  EXPECT_EQ(f.page.FindControl(1109)->value, 0);
  f.page.SetActive(true);
  EXPECT_EQ(f.page.FindControl(1109)->value, 70);
  EXPECT_EQ(f.page.FindControl(1008)->text, " 7.0dB");
}

TEST(SpeakerLevelPage, TenUprightSlidersStandInTheMarkedFrameWithTheirReadOuts) {
  LevelFixture f(ControlMode::kAsync);
  const Control* frame = f.page.FindControl(1100);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->kind, ControlKind::kFrame);
  EXPECT_EQ(frame->caption, "Speaker Level");
  EXPECT_TRUE(frame->memoryMark);
  const std::pair<int, int> pairs[] = {{1107, 1007}, {1109, 1008}, {1111, 1009}, {1113, 1010},
                                       {1114, 1011}, {1116, 1012}, {1118, 1013}, {1120, 1014},
                                       {1123, 1049}, {1125, 1057}};
  for (const auto& [slider, readOut] : pairs) {
    const Control* s = f.page.FindControl(slider);
    ASSERT_NE(s, nullptr) << slider;
    EXPECT_EQ(s->orientation, Orientation::kVertical) << slider;
    EXPECT_EQ(s->readOut, readOut) << slider;
    EXPECT_EQ(s->frame, 1100) << slider;
    EXPECT_EQ(f.page.FindControl(readOut)->frame, 1100) << readOut;
    EXPECT_FALSE(s->memoryMark) << slider;
  }
  // The "Default" button stands outside the frame.
  EXPECT_EQ(f.page.FindControl(1105)->frame, 0);
}

}  // namespace
}  // namespace qamp
