// The Volume page.
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/volume_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

using testing::Queue;

using VolumeFixture = testing::PageFixture<CVolumeTrim>;

struct TrimCase {
  int slider;
  ParamId id;
  int row;              // in the list beside the sliders
  const char* lowest;   // -6.0 dB
  const char* highest;  // +6.0 dB
};
// Top to bottom: DVR (385) stands above VCR (384).
const TrimCase kTrimCases[] = {
    {1162, 376, 0, "<DC4>2008012100004E<ETX>", "<DC4>20080121001857<ETX>"},
    {1164, 377, 1, "<DC4>2008012101004F<ETX>", "<DC4>20080121011858<ETX>"},
    {1166, 378, 2, "<DC4>20080121020050<ETX>", "<DC4>20080121021859<ETX>"},
    {1168, 379, 3, "<DC4>20080121030051<ETX>", "<DC4>2008012103185A<ETX>"},
    {1170, 380, 4, "<DC4>20080121040052<ETX>", "<DC4>2008012104185B<ETX>"},
    {1172, 381, 5, "<DC4>20080121110050<ETX>", "<DC4>20080121111859<ETX>"},
    {1174, 382, 6, "<DC4>20080121050053<ETX>", "<DC4>2008012105185C<ETX>"},
    {1176, 383, 7, "<DC4>20080121060054<ETX>", "<DC4>2008012106185D<ETX>"},
    {1178, 385, 8, "<DC4>200801210A005F<ETX>", "<DC4>200801210A1868<ETX>"},
    {1180, 384, 9, "<DC4>20080121090057<ETX>", "<DC4>20080121091860<ETX>"},
    {1182, 386, 10, "<DC4>200801210C0061<ETX>", "<DC4>200801210C186A<ETX>"},
    {1184, 387, 11, "<DC4>2008012110004F<ETX>", "<DC4>20080121101858<ETX>"},
    {1188, 388, 12, "<DC4>200801210E0063<ETX>", "<DC4>200801210E186C<ETX>"},
    {1191, 389, 13, "<DC4>20080121200050<ETX>", "<DC4>20080121201859<ETX>"},
};

TEST(VolumePage, EveryTrimSendsItsInputCodeAtBothEnds) {
  for (const TrimCase& c : kTrimCases) {
    VolumeFixture f(ControlMode::kRealTime);
    f.page.MoveSlider(c.slider, -60);
    EXPECT_EQ(f.control(CVolumeTrim::kTrimList).items[static_cast<size_t>(c.row)], " -6.0dB");
    EXPECT_EQ(f.control(c.slider + 1).text, "-6.0dB") << c.slider;
    f.page.ReleaseSlider(c.slider);
    f.page.MoveSlider(c.slider, 60);
    EXPECT_EQ(f.control(CVolumeTrim::kTrimList).items[static_cast<size_t>(c.row)], " 6.0dB");
    f.page.ReleaseSlider(c.slider);
    EXPECT_EQ(ReadParameter(f.image(), c.id), 60);
    EXPECT_EQ(f.Queued(), (Queue{{c.lowest, c.id}, {c.highest, c.id}})) << c.slider;
  }
}

TEST(VolumePage, TrimListShowsTenthsWithALeadingSpace) {
  VolumeFixture f(ControlMode::kAsync);
  f.page.MoveSlider(1178, -5);  // DVR
  f.page.MoveSlider(1180, 5);   // VCR
  f.page.MoveSlider(1162, 0);
  f.page.MoveSlider(1164, 7);   // not on the slider's step: ignored
  f.page.MoveSlider(1166, 65);  // beyond its end: ignored
  const auto& rows = f.control(CVolumeTrim::kTrimList).items;
  EXPECT_EQ(rows[8], " -0.5dB");
  EXPECT_EQ(rows[9], " 0.5dB");
  EXPECT_EQ(rows[0], " 0.0dB");
  // The read-outs say the same; one off the step kept its last value.
  EXPECT_EQ(f.control(1179).text, "-0.5dB");
  EXPECT_EQ(f.control(1181).text, "0.5dB");
  EXPECT_EQ(f.control(1163).text, "0.0dB");
  EXPECT_EQ(f.control(1165).text, "0.0dB");
  // A stored value the slider cannot take shows no text at all.
  StoreParameter(f.image(), 386, 7);
  f.page.RefreshParam(386, true);
  EXPECT_EQ(f.control(1183).text, "");
  EXPECT_EQ(rows[10], "");
  EXPECT_EQ(ReadParameter(f.image(), 385), -5);
  EXPECT_EQ(ReadParameter(f.image(), 384), 5);
  EXPECT_EQ(ReadParameter(f.image(), 377), 0);
  EXPECT_EQ(ReadParameter(f.image(), 378), 0);
}

TEST(VolumePage, InitialVolumeOffMuteAndLevels) {
  struct Case {
    int value;
    const char* text;
    const char* frame;
  };
  const Case cases[] = {
      {-810, "Off", "<STX>25B00<ETX>"},     {-805, "Mute", "<STX>25B01<ETX>"},
      {-800, "-80.0dB", "<STX>25B27<ETX>"}, {-5, "-0.5dB", "<STX>25BC6<ETX>"},
      {0, "0.0dB", "<STX>25BC7<ETX>"},      {165, "16.5dB", "<STX>25BE8<ETX>"},
  };
  for (const Case& c : cases) {
    VolumeFixture f(ControlMode::kRealTime);
    StoreParameter(f.image(), 392, 100);
    f.page.MoveSlider(CVolumeTrim::kInitialVolumeSlider, c.value);
    f.page.ReleaseSlider(CVolumeTrim::kInitialVolumeSlider);
    EXPECT_EQ(f.control(CVolumeTrim::kInitialVolumeReadOut).text, c.text);
    EXPECT_EQ(f.Written(), std::vector<std::string>{c.frame}) << c.value;
  }
}

TEST(VolumePage, RadioGroupsSendTheirIndex) {
  const testing::ChoiceCase cases[] = {
      {1660, 393, 0, "<STX>25A00<ETX>"},  {1670, 393, 5, "<STX>25A05<ETX>"},
      {1680, 393, 10, "<STX>25A0A<ETX>"}, {1682, 390, 0, "<STX>26D00<ETX>"},
      {1684, 390, 1, "<STX>26D01<ETX>"},  {1687, 391, 0, "<STX>25D00<ETX>"},
      {1689, 391, 1, "<STX>25D01<ETX>"},
  };
  testing::ExpectEachChoiceSends<VolumeFixture>(cases);
}

TEST(VolumePage, DownloadSendsDvrBeforeVcrThenMaxInitialAndTheAdaptiveSettings) {
  VolumeFixture f(ControlMode::kAsync);
  f.page.DownloadPage(f.image());
  // Factory settings: trims flat, MAX Volume +16.5dB, Initial Volume off,
  // both adaptive settings off.
  EXPECT_EQ(f.Queued(), (Queue{
                            {"<DC4>20080121000c81<ETX>", 376},
                            {"<DC4>20080121010c82<ETX>", 377},
                            {"<DC4>20080121020c83<ETX>", 378},
                            {"<DC4>20080121030c84<ETX>", 379},
                            {"<DC4>20080121040c85<ETX>", 380},
                            {"<DC4>20080121110c83<ETX>", 381},
                            {"<DC4>20080121050c86<ETX>", 382},
                            {"<DC4>20080121060c87<ETX>", 383},
                            {"<DC4>200801210A0c92<ETX>", 385},
                            {"<DC4>20080121090c8A<ETX>", 384},
                            {"<DC4>200801210C0c94<ETX>", 386},
                            {"<DC4>20080121100c82<ETX>", 387},
                            {"<DC4>200801210E0c96<ETX>", 388},
                            {"<DC4>20080121200c83<ETX>", 389},
                            {"<STX>25A0A<ETX>", 393},
                            {"<STX>25B00<ETX>", 392},
                            {"<STX>25D01<ETX>", 391},
                            {"<STX>26D01<ETX>", 390},
                        }));
}

TEST(VolumePage, FlatSetsEveryTrimToZero) {
  VolumeFixture async(ControlMode::kAsync);
  for (const TrimCase& c : kTrimCases) StoreParameter(async.image(), c.id, -35);
  async.page.RefreshAll();
  async.page.PressButton(CVolumeTrim::kFlatButton);
  for (const TrimCase& c : kTrimCases) {
    EXPECT_EQ(ReadParameter(async.image(), c.id), 0);
    EXPECT_EQ(async.control(c.slider).value, 0);
    EXPECT_EQ(async.control(CVolumeTrim::kTrimList).items[static_cast<size_t>(c.row)], " 0.0dB");
  }
  EXPECT_TRUE(async.capture.QueuedWithCodes().empty());
  EXPECT_TRUE(async.capture.Frames().empty());

  VolumeFixture live(ControlMode::kRealTime);
  live.page.PressButton(CVolumeTrim::kFlatButton);
  const auto queued = live.Queued();
  ASSERT_EQ(queued.size(), 14U);
  for (size_t i = 0; i < queued.size(); ++i) EXPECT_EQ(queued[i].second, kTrimCases[i].id) << i;
  EXPECT_EQ(queued[8].first, "<DC4>200801210A0c92<ETX>");
  EXPECT_EQ(live.WrittenCount(), 1U) << "one end marker after the fourteen commands";
}

TEST(VolumePage, ProfileRoundTripAndTexts) {
  VolumeFixture f(ControlMode::kAsync);
  const std::vector<std::pair<ParamId, int>> values = {{376, -60},  {377, 60}, {385, -25},
                                                       {384, 5},    {389, 0},  {393, 10},
                                                       {392, -805}, {391, 0},  {390, 1}};
  for (const auto& [id, value] : values) StoreParameter(f.image(), id, value);
  const std::string report = f.page.BuildReportText(f.image());
  EXPECT_EQ(report.find("\r\n(Volume)\r\nPHONO = -6.0dB\r\nCD = 6.0dB\r\n"), 0U);
  EXPECT_NE(report.find("DVR = -2.5dB\r\nVCR = 0.5dB\r\n"), std::string::npos);
  EXPECT_NE(report.find("MAX Volume = +16.5dB\r\nInitial Volume = Mute\r\n"
                        "Adaptive DSP Level = Auto\r\nAdaptive DRC = Off\r\n"),
            std::string::npos);

  CSettingImage other = testing::ThroughProfile(f.page, f.image());
  for (const auto& [id, stored] : values) EXPECT_EQ(ReadParameter(other, id), stored) << id;

  std::string section = "x", key = "x", value = "x";
  f.page.GetParamText(f.image(), 280, -1, &section, &key, &value, false);
  EXPECT_TRUE(section.empty() && key.empty() && value.empty());
}

TEST(VolumePage, FileTextsOutsideRangeOrStepAreIgnored) {
  VolumeFixture f(ControlMode::kAsync);
  const testing::FileTextCase cases[] = {
      {376, "-6.0dB", true, -60}, {376, "6.0dB", true, 60},  {376, "6.5dB", false, 0},
      {376, "-6.5dB", false, 0},  {376, "0.3dB", false, 0},  {376, "Off", false, 0},
      {392, "Off", true, -810},   {392, "Mute", true, -805}, {392, "-80.0dB", true, -800},
      {392, "16.5dB", true, 165}, {392, "17.0dB", false, 0}, {392, "-81.0dB", false, 0},
      {392, "-0.3dB", false, 0},  {392, "mute", false, 0},   {393, "+16.5dB", true, 10},
      {393, "16.5dB", false, 0},  {390, "Auto", true, 0},    {390, "auto", false, 0},
  };
  testing::ExpectFileTexts(f.page, cases);
}

TEST(VolumePage, AsyncModeQueuesNothingAndTransfersFreezeTheSliders) {
  VolumeFixture f(ControlMode::kAsync);
  f.page.MoveSlider(1162, 20);
  f.page.ReleaseSlider(1162);
  f.page.MoveSlider(CVolumeTrim::kInitialVolumeSlider, -400);
  f.page.ReleaseSlider(CVolumeTrim::kInitialVolumeSlider);
  f.page.ClickRadio(1666);
  EXPECT_EQ(ReadParameter(f.image(), 376), 20);
  EXPECT_EQ(ReadParameter(f.image(), 392), -400);
  EXPECT_EQ(ReadParameter(f.image(), 393), 3);
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
  EXPECT_TRUE(f.capture.Frames().empty());

  f.capture.Link().SetJob(TransferJob::kUpload);
  f.page.MoveSlider(1162, -20);
  f.page.MoveSlider(CVolumeTrim::kInitialVolumeSlider, 0);
  EXPECT_EQ(ReadParameter(f.image(), 376), 20);
  EXPECT_EQ(f.control(CVolumeTrim::kTrimList).items[0], " 2.0dB");
  EXPECT_EQ(f.control(CVolumeTrim::kInitialVolumeReadOut).text, "-40.0dB");
}

TEST(VolumePage, TheTrimsLieInTheirFrameAndTheChoicesCarryTheMark) {
  VolumeFixture f(ControlMode::kAsync);
  const Control* frame = f.page.FindControl(CVolumeTrim::kTrimFrame);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->kind, ControlKind::kFrame);
  EXPECT_EQ(frame->caption, "Volume Trim");
  EXPECT_FALSE(frame->memoryMark);
  for (const int id :
       {1162, 1164, 1166, 1168, 1170, 1172, 1174, 1176, 1178, 1180, 1182, 1184, 1188, 1191}) {
    const Control* trim = f.page.FindControl(id);
    ASSERT_NE(trim, nullptr) << id;
    EXPECT_EQ(trim->orientation, Orientation::kHorizontal) << id;
    EXPECT_EQ(trim->lowLabel, "-") << id;
    EXPECT_EQ(trim->highLabel, "+") << id;
    EXPECT_EQ(trim->frame, CVolumeTrim::kTrimFrame) << id;
    // Its read-out follows it, in the frame.
    EXPECT_EQ(trim->readOut, id + 1) << id;
    EXPECT_EQ(CVolumeTrim::TrimReadOutOf(id), id + 1) << id;
    const Control* readOut = f.page.FindControl(id + 1);
    ASSERT_NE(readOut, nullptr) << id;
    EXPECT_EQ(readOut->kind, ControlKind::kReadOut) << id;
    EXPECT_EQ(readOut->frame, CVolumeTrim::kTrimFrame) << id;
    EXPECT_FALSE(trim->memoryMark) << id;
  }
  EXPECT_EQ(f.page.FindControl(CVolumeTrim::kTrimList)->frame, CVolumeTrim::kTrimFrame);
  EXPECT_EQ(f.page.FindControl(CVolumeTrim::kFlatButton)->frame, CVolumeTrim::kTrimFrame);
  const Control* initial = f.page.FindControl(CVolumeTrim::kInitialVolumeSlider);
  EXPECT_EQ(initial->orientation, Orientation::kVertical);
  EXPECT_EQ(initial->readOut, CVolumeTrim::kInitialVolumeReadOut);
  EXPECT_EQ(initial->frame, 0);
  EXPECT_FALSE(initial->memoryMark);
  // "MAX Volume", "Adaptive DSP Level", "Adaptive DRC".
  for (const int group : {1660, 1687, 1682}) {
    EXPECT_TRUE(f.page.FindControl(group)->memoryMark) << group;
    EXPECT_EQ(f.page.FindControl(group)->kind, ControlKind::kRadioGroup) << group;
  }
}

}  // namespace
}  // namespace qamp
