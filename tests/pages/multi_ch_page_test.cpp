// The MULTI CH page.
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/multi_ch_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

using testing::Frames;

struct MultiChFixture : testing::PageFixture<CMiscPage> {
  using PageFixture::PageFixture;
  // What was written since the last look: each check sees only what the
  // steps after the one before it sent.
  Frames TakeWritten() {
    Frames shown = Written();
    capture.Clear();
    return shown;
  }
};

TEST(MultiChPage, ModeAndFrontInputShareOneCommand) {
  MultiChFixture f(ControlMode::kRealTime);
  EXPECT_FALSE(f.page.FindControl(CMiscPage::kFrontCombo)->enabled);  // factory: 6ch
  f.page.ClickRadio(CMiscPage::k8chButton);
  EXPECT_EQ(ReadParameter(f.image(), 529), 1);
  EXPECT_TRUE(f.page.FindControl(CMiscPage::kFrontCombo)->enabled);
  EXPECT_EQ(f.TakeWritten(), Frames{"<STX>27B05<ETX>"});  // the factory front input, DVD
  f.page.ChooseCombo(CMiscPage::kFrontCombo, 3);
  EXPECT_EQ(ReadParameter(f.image(), 530), 3);
  EXPECT_EQ(f.TakeWritten(), Frames{"<STX>27B0F<ETX>"});
  f.page.ClickRadio(CMiscPage::k6chButton);
  EXPECT_FALSE(f.page.FindControl(CMiscPage::kFrontCombo)->enabled);
  EXPECT_EQ(f.TakeWritten(), Frames{"<STX>27B00<ETX>"});
}

TEST(MultiChPage, InSixChannelModeAFrontInputChangeQueuesNothing) {
  MultiChFixture f(ControlMode::kRealTime);
  // The combo is disabled: a choice there does nothing.
  f.page.ChooseCombo(CMiscPage::kFrontCombo, 0);
  EXPECT_EQ(ReadParameter(f.image(), 530), 4);
  // A front input that reaches the image otherwise is not sent either...
  ASSERT_TRUE(f.page.SetParamFromText(f.image(), 530, -1, "VCR"));
  f.page.SendParam(530);
  EXPECT_TRUE(f.TakeWritten().empty());
  EXPECT_TRUE(f.Queued().empty());
  // ...until 8ch mode takes it.
  f.page.ClickRadio(CMiscPage::k8chButton);
  EXPECT_EQ(f.TakeWritten(), Frames{"<STX>27B09<ETX>"});
}

TEST(MultiChPage, EveryChoiceSendsTheReceiversDigit) {
  struct Case {
    int combo;
    int index;
    const char* frame;
  };
  const Case cases[] = {
      {CMiscPage::kFrontCombo, 0, "<STX>27B02<ETX>"},
      {CMiscPage::kFrontCombo, 1, "<STX>27B03<ETX>"},
      {CMiscPage::kFrontCombo, 2, "<STX>27B04<ETX>"},
      {CMiscPage::kFrontCombo, 3, "<STX>27B0F<ETX>"},
      {CMiscPage::kFrontCombo, 4, "<STX>27B05<ETX>"},
      {CMiscPage::kFrontCombo, 5, "<STX>27B06<ETX>"},
      {CMiscPage::kFrontCombo, 6, "<STX>27B0A<ETX>"},
      {CMiscPage::kFrontCombo, 7, "<STX>27B09<ETX>"},
      {CMiscPage::kFrontCombo, 8, "<STX>27B0C<ETX>"},
      {CMiscPage::kBgvCombo, 0, "<STX>26F0F<ETX>"},
      {CMiscPage::kBgvCombo, 1, "<STX>26F05<ETX>"},
      {CMiscPage::kBgvCombo, 2, "<STX>26F06<ETX>"},
      {CMiscPage::kBgvCombo, 3, "<STX>26F0A<ETX>"},
      {CMiscPage::kBgvCombo, 4, "<STX>26F09<ETX>"},
      {CMiscPage::kBgvCombo, 5, "<STX>26F0C<ETX>"},
      {CMiscPage::kBgvCombo, 6, "<STX>26F01<ETX>"},
      {CMiscPage::kBgvCombo, 7, "<STX>26F00<ETX>"},
  };
  for (const Case& c : cases) {
    MultiChFixture f(ControlMode::kRealTime);
    StoreParameter(f.image(), 529, 1);
    f.page.RefreshAll();
    f.page.ChooseCombo(c.combo, c.index);
    EXPECT_EQ(f.page.FindControl(c.combo)->value, c.index) << c.frame;
    EXPECT_EQ(f.TakeWritten(), Frames{c.frame});
  }
  // Positions past either end are no choice.
  MultiChFixture f(ControlMode::kRealTime);
  f.page.ChooseCombo(CMiscPage::kBgvCombo, 8);
  f.page.ChooseCombo(CMiscPage::kBgvCombo, -1);
  EXPECT_EQ(ReadParameter(f.image(), 531), 6);
  EXPECT_TRUE(f.TakeWritten().empty());
}

TEST(MultiChPage, DownloadSendsModeFrontAndBackgroundVideoInOrder) {
  MultiChFixture f(ControlMode::kAsync);
  f.page.DownloadPage(f.image());
  // Factory: 6ch (the front input has nothing to send), BGV "LAST".
  const std::vector<std::pair<std::string, ParamId>> sixChannels = {{"<STX>27B00<ETX>", 529},
                                                                    {"<STX>26F01<ETX>", 531}};
  EXPECT_EQ(f.Queued(), sixChannels);
  f.capture.Clear();
  StoreParameter(f.image(), 529, 1);
  StoreParameter(f.image(), 530, 8);
  StoreParameter(f.image(), 531, 7);
  f.page.DownloadPage(f.image());
  const std::vector<std::pair<std::string, ParamId>> eightChannels = {
      {"<STX>27B0C<ETX>", 529}, {"<STX>27B0C<ETX>", 530}, {"<STX>26F00<ETX>", 531}};
  EXPECT_EQ(f.Queued(), eightChannels);
}

TEST(MultiChPage, AsyncModeChangesTheImageAndQueuesNothing) {
  MultiChFixture f(ControlMode::kAsync);
  f.page.ClickRadio(CMiscPage::k8chButton);
  f.page.ChooseCombo(CMiscPage::kFrontCombo, 6);
  f.page.ChooseCombo(CMiscPage::kBgvCombo, 0);
  EXPECT_EQ(ReadParameter(f.image(), 529), 1);
  EXPECT_EQ(ReadParameter(f.image(), 530), 6);
  EXPECT_EQ(ReadParameter(f.image(), 531), 0);
  EXPECT_TRUE(f.Queued().empty());
  EXPECT_TRUE(f.TakeWritten().empty());
}

TEST(MultiChPage, ReportNamesTheFrontInputOnlyInEightChannelMode) {
  MultiChFixture f(ControlMode::kAsync);
  EXPECT_EQ(f.page.BuildReportText(f.image()),
            "\r\n(MULTI CH)\r\n6ch/8ch = 6ch\r\nMULTI CH BGV = LAST\r\n");
  StoreParameter(f.image(), 529, 1);
  EXPECT_EQ(
      f.page.BuildReportText(f.image()),
      "\r\n(MULTI CH)\r\n6ch/8ch = 8ch\r\nMULTI CH Input Front = DVD\r\nMULTI CH BGV = LAST\r\n");
}

TEST(MultiChPage, ProfileKeepsTheFrontInputInEitherModeAndRefusesUnmatchedTexts) {
  MultiChFixture f(ControlMode::kAsync);
  StoreParameter(f.image(), 530, 0);
  StoreParameter(f.image(), 531, 5);
  MemoryIniFile file;
  f.page.SaveToProfile(file, f.image());
  EXPECT_EQ(file.Read("MULTI CH", "6ch/8ch"), "6ch");
  EXPECT_EQ(file.Read("MULTI CH", "MULTI CH Input Front"), "CD");
  EXPECT_EQ(file.Read("MULTI CH", "MULTI CH BGV"), "V-AUX");
  CSettingImage other;
  ResetImage(other, 0, 1);
  StoreParameter(other, 529, 1);
  f.page.LoadFromProfile(file, other);
  for (ParamId id = 529; id <= 531; ++id)
    EXPECT_EQ(ReadParameter(other, id), ReadParameter(f.image(), id));

  const testing::RefusedText refused[] = {{529, "8CH"},   {529, "6"},    {530, "V-AUX/DOCK"},
                                          {530, "TUNER"}, {531, "Last"}, {531, "OFF "}};
  testing::ExpectTextsRefused(f.page, other, refused);
  EXPECT_EQ(ReadParameter(other, 529), 0);
  EXPECT_EQ(ReadParameter(other, 530), 0);
  EXPECT_EQ(ReadParameter(other, 531), 5);
  EXPECT_TRUE(f.page.SetParamFromText(other, 531, -1, "OFF"));
  EXPECT_EQ(ReadParameter(other, 531), 7);
}

}  // namespace
}  // namespace qamp
