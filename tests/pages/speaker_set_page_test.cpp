// The Speaker Set page.
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/speaker_set_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

using SpeakerSetFixture = testing::PageFixture<CSpeakerSet>;

TEST(SpeakerSetPage, EveryChoiceSendsTheReceiversCodeForIt) {
  struct Case {
    int button;
    ParamId id;
    int stored;
    const char* frame;
  };
  const Case cases[] = {
      {1029, 426, 0, "<STX>27101<ETX>"}, {1030, 426, 1, "<STX>27100<ETX>"},
      {1031, 427, 0, "<STX>27002<ETX>"}, {1033, 427, 2, "<STX>27000<ETX>"},
      {1047, 428, 0, "<STX>27202<ETX>"}, {1052, 428, 2, "<STX>27200<ETX>"},
      {1058, 429, 0, "<STX>27304<ETX>"}, {1075, 429, 4, "<STX>27300<ETX>"},
      {1079, 430, 0, "<STX>27401<ETX>"}, {1083, 430, 1, "<STX>27400<ETX>"},
      {1089, 431, 0, "<STX>27D01<ETX>"}, {1092, 431, 1, "<STX>27D00<ETX>"},
      {1095, 432, 0, "<STX>27500<ETX>"}, {1098, 432, 2, "<STX>27502<ETX>"},
      {1100, 433, 0, "<STX>27E00<ETX>"}, {1112, 433, 8, "<STX>27E08<ETX>"},
      {1115, 434, 0, "<STX>27600<ETX>"}, {1117, 434, 1, "<STX>27610<ETX>"},
  };
  for (const Case& c : cases) {
    SpeakerSetFixture f(ControlMode::kRealTime);
    StoreParameter(f.image(), 428, 2);  // surround present, so Surround Back is enabled
    f.page.RefreshAll();
    f.page.ClickRadio(c.button);
    EXPECT_EQ(ReadParameter(f.image(), c.id), c.stored) << c.button;
    EXPECT_EQ(f.Written(), std::vector<std::string>{c.frame}) << c.button;
  }
}

TEST(SpeakerSetPage, AsyncModeOnlyChangesTheImage) {
  SpeakerSetFixture f(ControlMode::kAsync);
  f.page.ClickRadio(1117);
  EXPECT_EQ(ReadParameter(f.image(), 434), 1);
  EXPECT_TRUE(f.Written().empty());
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
}

TEST(SpeakerSetPage, NoSurroundForcesNoSurroundBackAndSendsOnlySurround) {
  SpeakerSetFixture f(ControlMode::kRealTime);
  StoreParameter(f.image(), 429, 3);
  f.page.RefreshAll();
  f.page.ClickRadio(1047);  // Surround "None"
  EXPECT_EQ(ReadParameter(f.image(), 429), 0);
  EXPECT_FALSE(f.page.FindControl(1058)->enabled);
  EXPECT_EQ(f.page.FindControl(1058)->value, 0);
  EXPECT_EQ(f.Written(), std::vector<std::string>{"<STX>27202<ETX>"});
  f.page.ClickRadio(1070);  // disabled: nothing happens
  EXPECT_EQ(ReadParameter(f.image(), 429), 0);
}

TEST(SpeakerSetPage, BassOnTheFrontMakesThemLargeAndDisablesSmall) {
  SpeakerSetFixture f(ControlMode::kAsync);
  f.page.ClickRadio(1097);  // LFE/Bass Out "Front"
  EXPECT_EQ(ReadParameter(f.image(), 426), 1);
  EXPECT_FALSE(f.page.FindControl(1029)->itemEnabled[0]);
  f.page.ClickRadio(1029);  // "Small" is disabled
  EXPECT_EQ(ReadParameter(f.image(), 426), 1);
  f.page.ClickRadio(1095);  // "SWFR" enables it again; Front stays Large
  EXPECT_TRUE(f.page.FindControl(1029)->itemEnabled[0]);
  EXPECT_EQ(ReadParameter(f.image(), 426), 1);
}

TEST(SpeakerSetPage, DownloadSendsTheNineCommandsInListOrder) {
  SpeakerSetFixture f(ControlMode::kAsync);
  f.page.DownloadPage(f.image());
  const auto queued = f.capture.QueuedWithCodes();
  ASSERT_EQ(queued.size(), 9U);
  // Factory settings: Front Small, Center and Surround Small, Surround Back
  // Small x 2, no Presence, PR/SB Surround Back, SWFR, 80Hz, Normal.
  const std::vector<std::string> expected = {
      "<STX>27101<ETX>", "<STX>27001<ETX>", "<STX>27201<ETX>", "<STX>27302<ETX>", "<STX>27401<ETX>",
      "<STX>27D01<ETX>", "<STX>27500<ETX>", "<STX>27E02<ETX>", "<STX>27600<ETX>"};
  for (size_t i = 0; i < queued.size(); ++i) {
    EXPECT_EQ(ShowFrame(queued[i].first), expected[i]) << i;
    EXPECT_EQ(queued[i].second, static_cast<ParamId>(426 + i));
  }
}

TEST(SpeakerSetPage, ProfileRoundTripAndTexts) {
  SpeakerSetFixture f(ControlMode::kAsync);
  StoreParameter(f.image(), 431, 1);
  std::string section, key, value;
  f.page.GetParamText(f.image(), 431, -1, &section, &key, &value, true);
  EXPECT_EQ(section, "Speaker Set");
  EXPECT_EQ(key, "PR/SB Select");
  EXPECT_EQ(value, "Presence");
  EXPECT_NE(f.page.BuildReportText(f.image()).find("\r\n(Speaker Set)\r\n"), std::string::npos);
  EXPECT_EQ(f.page.BuildReportText(f.image()).find("\r\n(Speaker Set)\r\n"), 0U);
  EXPECT_NE(f.page.BuildReportText(f.image()).find("PR/SB Select = Presence\r\n"),
            std::string::npos);

  CSettingImage other = testing::ThroughProfile(f.page, f.image());
  for (ParamId id = 426; id <= 434; ++id)
    EXPECT_EQ(ReadParameter(other, id), ReadParameter(f.image(), id));

  // A text that is no button's caption changes nothing.
  EXPECT_FALSE(f.page.SetParamFromText(other, 433, -1, "50Hz"));
  EXPECT_FALSE(f.page.SetParamFromText(other, 426, -1, "small"));
  EXPECT_EQ(ReadParameter(other, 426), 0);
  EXPECT_TRUE(f.page.SetParamFromText(other, 426, -1, "Large"));
  EXPECT_EQ(ReadParameter(other, 426), 1);
  // IDs the page does not own give empty texts.
  section = key = value = "x";
  f.page.GetParamText(f.image(), 259, -1, &section, &key, &value, false);
  EXPECT_TRUE(section.empty() && key.empty() && value.empty());
}

TEST(SpeakerSetPage, ThxTextsFollowTheDistanceUnit) {
  SpeakerSetFixture f(ControlMode::kAsync);
  f.page.RefreshAll();
  EXPECT_EQ(f.page.FindControl(1517)->items[1], "0.3 - 1.2m");
  f.image()[330] = 1;
  f.page.RefreshAll();
  EXPECT_EQ(f.page.FindControl(1517)->items[0], "under 1ft");
}

TEST(SpeakerSetPage, OneMarkStandsAtFrontAndNowhereElse) {
  SpeakerSetFixture f(ControlMode::kAsync);
  int marked = 0;
  for (const Control& control : f.page.Controls()) {
    if (control.memoryMark) {
      ++marked;
      EXPECT_EQ(control.id, 1029);
      EXPECT_EQ(control.caption, "Front");
    }
  }
  EXPECT_EQ(marked, 1);
}

}  // namespace
}  // namespace qamp
