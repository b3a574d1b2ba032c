// The Display Set page.
#include <gtest/gtest.h>

#include <set>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/display_set_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

using DisplayFixture = testing::PageFixture<CDisplaySet>;

// The factory settings in download order: Video Conversion On, Component
// I/P Off, OSD Shift 0, Gray Back Auto, Through, Through, Dimmer 0, Short
// Message On, On Screen Always, FL Scroll Continue.
const std::vector<std::string> kDefaultDownload = {
    "<STX>26901<ETX>", "<STX>28500<ETX>", "<STX>26205<ETX>", "<STX>26301<ETX>", "<STX>28700<ETX>",
    "<STX>28800<ETX>", "<STX>26104<ETX>", "<STX>07EB1<ETX>", "<STX>29303<ETX>", "<STX>26700<ETX>"};

TEST(DisplaySetPage, EveryChoiceSendsTheReceiversCodeForIt) {
  const testing::ChoiceCase cases[] = {
      {1400, 516, 0, "<STX>26900<ETX>"}, {1401, 516, 1, "<STX>26901<ETX>"},
      {1403, 517, 1, "<STX>28501<ETX>"}, {1404, 518, 0, "<STX>26300<ETX>"},
      {1411, 520, 1, "<STX>28701<ETX>"}, {1414, 520, 4, "<STX>28704<ETX>"},
      {1417, 521, 2, "<STX>28802<ETX>"}, {1420, 526, 0, "<STX>07EB0<ETX>"},
      {1421, 526, 1, "<STX>07EB1<ETX>"}, {1423, 527, 0, "<STX>29303<ETX>"},
      {1424, 527, 1, "<STX>29301<ETX>"}, {1425, 527, 2, "<STX>29302<ETX>"},
      {1427, 528, 1, "<STX>26701<ETX>"},
  };
  // The image holds another value first, so that the click changes it.
  testing::ExpectEachChoiceSends<DisplayFixture>(
      cases, [](DisplayFixture& f, const testing::ChoiceCase& c) {
        StoreParameter(f.image(), c.id, c.stored == 0 ? 1 : 0);
      });
}

TEST(DisplaySetPage, SlidersSendOnReleaseWithTheirOffsets) {
  struct Case {
    int slider;
    int readOut;
    ParamId id;
    int value;
    const char* frame;
  };
  const Case cases[] = {
      {1430, 1431, 519, -5, "<STX>26200<ETX>"}, {1430, 1431, 519, 0, "<STX>26205<ETX>"},
      {1430, 1431, 519, 5, "<STX>2620A<ETX>"},  {1432, 1433, 525, -4, "<STX>26100<ETX>"},
      {1432, 1433, 525, -1, "<STX>26103<ETX>"}, {1432, 1433, 525, 0, "<STX>26104<ETX>"},
  };
  for (const Case& c : cases) {
    DisplayFixture f(ControlMode::kRealTime);
    StoreParameter(f.image(), c.id, -2);
    f.page.MoveSlider(c.slider, c.value);
    EXPECT_EQ(ReadParameter(f.image(), c.id), c.value);
    EXPECT_EQ(f.page.FindControl(c.readOut)->text, std::to_string(c.value));
    EXPECT_TRUE(f.Written().empty());
    f.page.ReleaseSlider(c.slider);
    EXPECT_EQ(f.Written(), std::vector<std::string>{c.frame}) << c.value;
  }
}

TEST(DisplaySetPage, SlidersRefuseValuesOutsideTheirRangeAndHoldDuringATransfer) {
  DisplayFixture f(ControlMode::kAsync);
  f.page.MoveSlider(CDisplaySet::kOsdShiftSlider, 6);
  f.page.MoveSlider(CDisplaySet::kOsdShiftSlider, -6);
  f.page.MoveSlider(CDisplaySet::kDimmerSlider, 1);
  f.page.MoveSlider(CDisplaySet::kDimmerSlider, -5);
  EXPECT_EQ(ReadParameter(f.image(), 519), 0);
  EXPECT_EQ(ReadParameter(f.image(), 525), 0);
  f.capture.Link().SetJob(TransferJob::kUpload);
  f.page.MoveSlider(CDisplaySet::kDimmerSlider, -3);
  EXPECT_EQ(ReadParameter(f.image(), 525), 0);
  EXPECT_EQ(f.page.FindControl(CDisplaySet::kDimmerReadOut)->text, "0");
  f.page.ReleaseSlider(CDisplaySet::kDimmerSlider);
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
}

TEST(DisplaySetPage, HiddenFullIsNotClickableButComesBackFromAFile) {
  DisplayFixture f(ControlMode::kRealTime);
  EXPECT_FALSE(f.page.FindControl(CDisplaySet::kFullButton)->visible);
  f.page.ClickRadio(CDisplaySet::kFullButton);
  EXPECT_EQ(ReadParameter(f.image(), 526), 1);
  EXPECT_TRUE(f.capture.Frames().empty());
  // A receiver that reports it is described, answered, and read back.
  StoreParameter(f.image(), 526, 2);
  std::string value;
  f.page.GetParamText(f.image(), 526, -1, nullptr, nullptr, &value, true);
  EXPECT_EQ(value, "Full");
  f.page.SendParam(526);
  EXPECT_EQ(f.Written(), std::vector<std::string>{"<STX>07EB2<ETX>"});
  EXPECT_EQ(ReadParameter(testing::ThroughProfile(f.page, f.image()), 526), 2);

  StoreParameter(f.image(), 526, 0);
  EXPECT_TRUE(f.page.SetParamFromText(f.image(), 526, -1, "Full"));
  EXPECT_EQ(ReadParameter(f.image(), 526), 2);
  // Only Short Message has a hidden button.
  EXPECT_FALSE(f.page.SetParamFromText(f.image(), 528, -1, "Full"));
  EXPECT_FALSE(f.page.SetParamFromText(f.image(), 526, -1, "full"));
  EXPECT_EQ(ReadParameter(f.image(), 526), 2);
}

TEST(DisplaySetPage, DownloadOrderPutsOsdShiftBeforeGrayBack) {
  DisplayFixture f(ControlMode::kAsync);
  f.page.DownloadPage(f.image());
  const auto queued = f.capture.QueuedWithCodes();
  const std::vector<ParamId> order = {516, 517, 519, 518, 520, 521, 525, 526, 527, 528};
  ASSERT_EQ(queued.size(), order.size());
  for (size_t i = 0; i < queued.size(); ++i) {
    EXPECT_EQ(queued[i].second, order[i]);
    EXPECT_EQ(ShowFrame(queued[i].first), kDefaultDownload[i]) << i;
  }
}

TEST(DisplaySetPage, DefaultRestoresAndSendsThePage) {
  DisplayFixture f(ControlMode::kRealTime);
  const int changes[][2] = {{516, 0}, {517, 1},  {518, 0}, {519, -5}, {520, 4},
                            {521, 2}, {525, -4}, {526, 0}, {527, 2},  {528, 1}};
  for (const auto& change : changes) StoreParameter(f.image(), change[0], change[1]);
  f.page.PressButton(CDisplaySet::kDefaultButton);
  EXPECT_EQ(f.Written(), kDefaultDownload);
  EXPECT_EQ(ReadParameter(f.image(), 519), 0);
  EXPECT_EQ(f.page.FindControl(CDisplaySet::kDimmerReadOut)->text, "0");
  EXPECT_EQ(f.page.FindControl(1423)->value, 0);  // On Screen "Always"

  DisplayFixture quiet(ControlMode::kAsync);
  StoreParameter(quiet.image(), 516, 0);
  quiet.page.PressButton(CDisplaySet::kDefaultButton);
  EXPECT_EQ(ReadParameter(quiet.image(), 516), 1);
  EXPECT_TRUE(quiet.capture.QueuedWithCodes().empty());
}

TEST(DisplaySetPage, FileTexts) {
  struct Case {
    ParamId id;
    const char* text;
    int stored;  // -99: refused
  };
  const Case cases[] = {
      {520, "480p / 576p", 1}, {520, "480p/576p", -99}, {521, "16:9 Normal", 1}, {527, "10s", 1},
      {518, "Auto", 1},        {518, "On", -99},        {519, "-5", -5},         {519, "5", 5},
      {519, "6", -99},         {525, "-4", -4},         {525, "1", -99},         {525, "X", -99},
      {528, "once", -99},
  };
  for (const Case& c : cases) {
    DisplayFixture f(ControlMode::kAsync);
    StoreParameter(f.image(), c.id, -9);
    EXPECT_EQ(f.page.SetParamFromText(f.image(), c.id, -1, c.text), c.stored != -99) << c.text;
    EXPECT_EQ(ReadParameter(f.image(), c.id), c.stored != -99 ? c.stored : -9) << c.text;
  }
}

TEST(DisplaySetPage, ProfileRoundTripAndKeys) {
  DisplayFixture f(ControlMode::kAsync);
  const int values[][2] = {{516, 0}, {517, 1},  {518, 0}, {519, -3}, {520, 1},
                           {521, 2}, {525, -2}, {526, 0}, {527, 1},  {528, 1}};
  for (const auto& value : values) StoreParameter(f.image(), value[0], value[1]);
  MemoryIniFile file;
  f.page.SaveToProfile(file, f.image());
  EXPECT_EQ(file.Read("Display Set", "HDMI Scaling"), "480p / 576p");
  EXPECT_EQ(file.Read("Display Set", "OSD Shift"), "-3");
  EXPECT_EQ(file.Read("Display Set", "Component I/P"), "On");
  CSettingImage other = testing::ReadIntoFreshImage(f.page, file);
  for (const auto& value : values) EXPECT_EQ(ReadParameter(other, value[0]), value[1]);
  EXPECT_EQ(
      f.page.BuildReportText(f.image()).find("\r\n(Display Set)\r\nVideo Conversion = Off\r\n"),
      0U);
}

TEST(DisplaySetPage, RefreshShowsTheImage) {
  DisplayFixture f(ControlMode::kAsync);
  StoreParameter(f.image(), 525, -3);
  StoreParameter(f.image(), 520, 3);
  f.page.SetActive(false);
  f.page.RefreshParam(525, true);
  EXPECT_EQ(f.page.FindControl(CDisplaySet::kDimmerReadOut)->text, "0");
  f.page.SetActive(true);
  EXPECT_EQ(f.page.FindControl(CDisplaySet::kDimmerSlider)->value, -3);
  EXPECT_EQ(f.page.FindControl(CDisplaySet::kDimmerReadOut)->text, "-3");
  EXPECT_EQ(f.page.FindControl(1410)->value, 3);
  StoreParameter(f.image(), 519, 4);
  f.page.RefreshParam(519, true);
  EXPECT_EQ(f.page.FindControl(CDisplaySet::kOsdShiftReadOut)->text, "4");
}

TEST(DisplaySetPage, SlidersRunBetweenTheirEndLabelsAndTheKeptSettingsCarryTheMark) {
  DisplayFixture f(ControlMode::kAsync);
  const Control* osd = f.page.FindControl(CDisplaySet::kOsdShiftSlider);
  EXPECT_EQ(osd->orientation, Orientation::kHorizontal);
  EXPECT_EQ(osd->lowLabel, "Up");
  EXPECT_EQ(osd->highLabel, "Down");
  EXPECT_EQ(osd->readOut, CDisplaySet::kOsdShiftReadOut);
  const Control* dimmer = f.page.FindControl(CDisplaySet::kDimmerSlider);
  EXPECT_EQ(dimmer->orientation, Orientation::kHorizontal);
  EXPECT_EQ(dimmer->lowLabel, "-");
  EXPECT_EQ(dimmer->highLabel, "+");
  EXPECT_EQ(dimmer->readOut, CDisplaySet::kDimmerReadOut);
  // System Memory keeps every setting but Short Message.
  const std::set<int> marked = {
      1400, 1402, 1404, CDisplaySet::kOsdShiftSlider, 1410, 1415, CDisplaySet::kDimmerSlider,
      1423, 1426};
  for (const Control& control : f.page.Controls()) {
    EXPECT_EQ(control.memoryMark, marked.count(control.id) == 1) << control.id;
  }
}

}  // namespace
}  // namespace qamp
