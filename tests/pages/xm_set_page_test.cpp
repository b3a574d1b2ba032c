// The XM Set page.
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/xm_set_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

using testing::Queue;

struct XmFixture : testing::PageFixture<CXmSetPage, testing::MessageRecordingHost> {
  using PageFixture::PageFixture;
  void Enter(std::string_view text) {
    page.EnterText(CXmSetPage::kStationEdit, text);
    page.PressButton(CXmSetPage::kEnterButton);
  }
};

TEST(XmSetPage, PresetsAndStationIdsAreOneTableInTheirBox) {
  XmFixture f(ControlMode::kRealTime);
  const Control& box = f.control(CXmSetPage::kPresetFrame);
  EXPECT_EQ(box.kind, ControlKind::kFrame);
  EXPECT_EQ(box.caption, "XM Preset (Station ID)");
  for (const int id :
       {CXmSetPage::kNote, CXmSetPage::kPageCombo, CXmSetPage::kPresetList, CXmSetPage::kValueList,
        CXmSetPage::kStationEdit, CXmSetPage::kEnterButton}) {
    EXPECT_EQ(f.control(id).frame, CXmSetPage::kPresetFrame) << id;
  }
  EXPECT_EQ(f.control(CXmSetPage::kDefaultButton).frame, 0);
  EXPECT_EQ(f.control(CXmSetPage::kPresetList).columnHeaders, std::vector<std::string>{"Preset"});
  EXPECT_EQ(f.control(CXmSetPage::kValueList).columnHeaders,
            std::vector<std::string>{"Station ID"});
  f.page.SelectListRow(CXmSetPage::kValueList, 4);
  EXPECT_EQ(f.control(CXmSetPage::kPresetList).value, 4);
  f.page.SelectListRow(CXmSetPage::kValueList, 8);  // no such preset
  EXPECT_EQ(f.control(CXmSetPage::kValueList).value, 4);
}

TEST(XmSetPage, EnterTakesStationIdsFrom0To255) {
  struct Case {
    const char* text;
    int stored;         // -1: refused
    const char* frame;  // the write of PageA No.1
    const char* refusal;
  };
  const Case cases[] = {
      {"255", 255, "<DC4>2008051111FF7F<ETX>", ""},
      {"0", 0, "<DC4>20080511110053<ETX>", ""},
      {" 12 ", 12, "<DC4>20080511110C66<ETX>", ""},
      {"256", -1, nullptr, "Please enter an integer between 0 and 255."},
      {"-1", -1, nullptr, "Please enter an integer between 0 and 255."},
      {"abc", -1, nullptr, "Please enter an integer."},
      {"12x", -1, nullptr, "Please enter an integer."},
      {"", -1, nullptr, "Please enter an integer."},
  };
  for (const Case& c : cases) {
    XmFixture f(ControlMode::kRealTime);
    StoreParameter(f.image(), 476, 7);
    f.Enter(c.text);
    EXPECT_EQ(ReadParameter(f.image(), 476), c.stored >= 0 ? c.stored : 7) << c.text;
    EXPECT_EQ(f.Queued(), (c.frame != nullptr ? Queue{{c.frame, 476}} : Queue{})) << c.text;
    if (c.stored >= 0) {
      EXPECT_TRUE(f.host.shown.empty()) << c.text;
      continue;
    }
    // A refusal is a warning box with OK under the program's title, opened
    // before anything was queued.
    ASSERT_EQ(f.host.shown.size(), 1U) << c.text;
    const auto& shown = f.host.shown.front();
    EXPECT_EQ(shown.text, c.refusal) << c.text;
    EXPECT_EQ(shown.title, "") << c.text;
    EXPECT_EQ(shown.icon, PageIcon::kExclamation) << c.text;
    EXPECT_EQ(shown.buttons, PageButtons::kOk) << c.text;
    EXPECT_EQ(shown.queuedBefore, 0U) << c.text;
  }
}

TEST(XmSetPage, ARefusalLeavesNoTraceOnThePageAndTheNextEntryStillWorks) {
  XmFixture f(ControlMode::kRealTime);
  const std::vector<Control> before = f.page.Controls();
  f.Enter("300");
  // No control describes the refusal: only the edit's own text changed.
  ASSERT_EQ(f.page.Controls().size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) {
    const Control& now = f.page.Controls()[i];
    EXPECT_EQ(now.id, before[i].id);
    EXPECT_EQ(now.visible, before[i].visible) << now.id;
    if (now.id != CXmSetPage::kStationEdit) {
      EXPECT_EQ(now.text, before[i].text) << now.id;
    }
  }
  EXPECT_EQ(f.control(CXmSetPage::kStationEdit).text, "300");
  // A refusal in Async Mode is told just the same, and an accepted entry
  // after two refusals opens no box.
  XmFixture offline(ControlMode::kAsync);
  offline.Enter("+");
  offline.Enter("1 2");
  offline.Enter("+7");
  ASSERT_EQ(offline.host.shown.size(), 2U);
  EXPECT_EQ(offline.host.shown[0].text, "Please enter an integer.");
  EXPECT_EQ(offline.host.shown[1].text, "Please enter an integer.");
  EXPECT_EQ(ReadParameter(offline.image(), 476), 7);
  EXPECT_TRUE(offline.capture.QueuedWithCodes().empty());
  // Choosing another page or pressing "Default" opens no box.
  offline.page.ChooseCombo(CXmSetPage::kPageCombo, 1);
  offline.page.PressButton(CXmSetPage::kDefaultButton);
  EXPECT_EQ(offline.host.shown.size(), 2U);
}

TEST(XmSetPage, PageCPreset8IsWrittenAtAddress38) {
  XmFixture f(ControlMode::kRealTime);
  f.page.ChooseCombo(CXmSetPage::kPageCombo, 2);
  f.page.SelectListRow(CXmSetPage::kPresetList, 7);
  f.Enter("1");
  EXPECT_EQ(f.Queued(), (Queue{{"<DC4>2008051138015D<ETX>", 499}}));
  // The end marker wrote the command.
  EXPECT_EQ(f.capture.Frames().size(), 1U);
  f.Enter("255");
  EXPECT_EQ(ReadParameter(f.image(), 499), 255);
  EXPECT_EQ(f.page.FindControl(CXmSetPage::kValueList)->items[7], "255");
}

TEST(XmSetPage, AsyncModeOnlyChangesTheImage) {
  XmFixture f(ControlMode::kAsync);
  f.page.ChooseCombo(CXmSetPage::kPageCombo, 4);
  f.page.SelectListRow(CXmSetPage::kPresetList, 0);
  f.Enter("42");
  EXPECT_EQ(ReadParameter(f.image(), 508), 42);
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
}

TEST(XmSetPage, WithoutTheXmTunerNothingCanBeEntered) {
  XmFixture f(ControlMode::kRealTime);
  ModelFlags flags;
  flags.xm = 0;
  f.SetModel(flags);
  for (const int id :
       {CXmSetPage::kPageCombo, CXmSetPage::kPresetList, CXmSetPage::kValueList,
        CXmSetPage::kStationEdit, CXmSetPage::kEnterButton, CXmSetPage::kDefaultButton}) {
    EXPECT_FALSE(f.page.FindControl(id)->visible) << id;
    EXPECT_FALSE(f.page.FindControl(id)->enabled) << id;
  }
  const CSettingImage before = f.image();
  f.page.ChooseCombo(CXmSetPage::kPageCombo, 3);
  f.Enter("9");
  f.page.PressButton(CXmSetPage::kEnterButton);
  f.page.PressButton(CXmSetPage::kDefaultButton);
  EXPECT_EQ(f.page.ShownPage(), 0);
  EXPECT_EQ(f.page.FindControl(CXmSetPage::kStationEdit)->text, "1");
  EXPECT_TRUE(f.image() == before);
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());

  flags.xm = 1;
  f.SetModel(flags);
  EXPECT_TRUE(f.page.FindControl(CXmSetPage::kEnterButton)->visible);
  EXPECT_TRUE(f.page.FindControl(CXmSetPage::kEnterButton)->enabled);
}

TEST(XmSetPage, DownloadWritesThe40PresetsInOrder) {
  XmFixture f(ControlMode::kAsync);
  StoreParameter(f.image(), 499, 255);
  StoreParameter(f.image(), 515, 15);
  StoreParameter(f.image(), 500, 256);  // no station: nothing to write
  f.page.DownloadPage(f.image());
  const Queue queued = f.Queued();
  ASSERT_EQ(queued.size(), 39U);
  EXPECT_EQ(queued.front(), (std::pair<std::string, ParamId>{"<DC4>20080511110154<ETX>", 476}));
  EXPECT_EQ(queued[23], (std::pair<std::string, ParamId>{"<DC4>2008051138FF88<ETX>", 499}));
  EXPECT_EQ(queued[24].second, 501);
  EXPECT_EQ(queued.back(), (std::pair<std::string, ParamId>{"<DC4>20080511580F74<ETX>", 515}));
}

TEST(XmSetPage, DefaultSetsEveryPresetTo1) {
  XmFixture f(ControlMode::kRealTime);
  for (ParamId id = 476; id <= 515; ++id) StoreParameter(f.image(), id, 200);
  f.image()[899] = 0;
  f.page.PressButton(CXmSetPage::kDefaultButton);
  for (ParamId id = 476; id <= 515; ++id) EXPECT_EQ(ReadParameter(f.image(), id), 1);
  EXPECT_EQ(f.image()[899], 1);
  EXPECT_EQ(f.page.FindControl(CXmSetPage::kValueList)->items[3], "1");
  const Queue queued = f.Queued();
  ASSERT_EQ(queued.size(), 40U);
  EXPECT_EQ(queued.back(), (std::pair<std::string, ParamId>{"<DC4>2008051158015F<ETX>", 515}));
  EXPECT_EQ(f.capture.Frames().size(), 40U);  // the end marker wrote the first

  XmFixture quiet(ControlMode::kAsync);
  StoreParameter(quiet.image(), 490, 9);
  quiet.page.PressButton(CXmSetPage::kDefaultButton);
  EXPECT_EQ(ReadParameter(quiet.image(), 490), 1);
  EXPECT_TRUE(quiet.capture.QueuedWithCodes().empty());
}

TEST(XmSetPage, RefreshShowsTheShownPage) {
  XmFixture f(ControlMode::kAsync);
  f.page.ChooseCombo(CXmSetPage::kPageCombo, 1);  // PageB: 484..491
  StoreParameter(f.image(), 485, 77);
  f.page.RefreshParam(485, true);
  EXPECT_EQ(f.page.FindControl(CXmSetPage::kValueList)->items[1], "77");
  StoreParameter(f.image(), 486, 78);
  f.page.RefreshParam(476, true);  // PageA: not shown
  EXPECT_EQ(f.page.FindControl(CXmSetPage::kValueList)->items[2], "1");
  f.page.SetActive(false);
  f.page.RefreshParam(486, true);
  EXPECT_EQ(f.page.FindControl(CXmSetPage::kValueList)->items[2], "1");
  f.page.SetActive(true);
  EXPECT_EQ(f.page.FindControl(CXmSetPage::kValueList)->items[2], "78");
}

TEST(XmSetPage, KeysFileTextsAndProfileRoundTrip) {
  XmFixture f(ControlMode::kAsync);
  const std::pair<ParamId, const char*> keys[] = {
      {476, "PageA No.1"}, {499, "PageC No.8"}, {515, "PageE No.8"}};
  for (const auto& [id, expected] : keys) {
    std::string section, key;
    f.page.GetParamText(f.image(), id, -1, &section, &key, nullptr, false);
    EXPECT_EQ(section, "XM Set");
    EXPECT_EQ(key, expected);
  }
  EXPECT_FALSE(f.page.SetParamFromText(f.image(), 480, -1, "256"));
  EXPECT_FALSE(f.page.SetParamFromText(f.image(), 480, -1, "-1"));
  EXPECT_FALSE(f.page.SetParamFromText(f.image(), 480, -1, "X"));
  EXPECT_FALSE(f.page.SetParamFromText(f.image(), 475, -1, "3"));
  EXPECT_EQ(ReadParameter(f.image(), 480), 1);
  EXPECT_TRUE(f.page.SetParamFromText(f.image(), 480, -1, "0"));
  EXPECT_EQ(ReadParameter(f.image(), 480), 0);

  StoreParameter(f.image(), 499, 255);
  StoreParameter(f.image(), 515, 128);
  MemoryIniFile file;
  f.page.SaveToProfile(file, f.image());
  EXPECT_EQ(file.Read("XM Set", "PageC No.8"), "255");
  CSettingImage other = testing::ReadIntoFreshImage(f.page, file);
  for (ParamId id = 476; id <= 515; ++id)
    EXPECT_EQ(ReadParameter(other, id), ReadParameter(f.image(), id));
  EXPECT_EQ(f.page.BuildReportText(f.image()).find("\r\n(XM Set)\r\nPageA No.1 = 1\r\n"), 0U);
}

}  // namespace
}  // namespace qamp
