// The Multi Zone page.
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/multi_zone_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

// A receiver with both zones unless told otherwise.
struct MultiZoneFixture : testing::PageFixture<CMultiZone> {
  explicit MultiZoneFixture(ControlMode mode, int zone2 = 1, int zone3 = 1)
      : PageFixture(testing::kShowLater, mode) {
    ModelFlags flags;
    flags.zone2 = zone2;
    flags.zone3 = zone3;
    SetModel(flags);
    Show();
  }
};

using Z = CMultiZone;

TEST(MultiZonePage, AmplifierInterlock) {
  struct Case {
    int other;  // the other zone's amplifier
    int choice;
    bool accepted;
  };
  const Case cases[] = {
      {1, 1, false}, {3, 1, false}, {1, 2, true},  {2, 2, false}, {2, 3, false}, {1, 3, false},
      {1, 0, true},  {3, 0, false}, {3, 2, false}, {0, 3, true},  {0, 1, true},  {2, 1, true},
  };
  for (const int zone : {2, 3}) {
    const ParamId own = zone == 2 ? 13 : 18;
    const ParamId other = zone == 2 ? 18 : 13;
    const int combo = zone == 2 ? Z::kZone2Amplifier : Z::kZone3Amplifier;
    const std::string code = zone == 2 ? "<STX>23E0" : "<STX>23F0";
    for (const Case& c : cases) {
      MultiZoneFixture f(ControlMode::kRealTime);
      StoreParameter(f.image(), other, c.other);
      f.page.RefreshAll();
      f.page.ChooseCombo(combo, c.choice);
      const int stands = c.accepted ? c.choice : 0;
      EXPECT_EQ(ReadParameter(f.image(), own), stands) << zone << c.other << c.choice;
      EXPECT_EQ(f.control(combo).value, stands) << zone << c.other << c.choice;
      EXPECT_EQ(f.Written(), std::vector<std::string>{code + std::to_string(stands) + "<ETX>"});
    }
  }
}

TEST(MultiZonePage, VolumeOutOnlyWithAnExternalAmplifier) {
  MultiZoneFixture async(ControlMode::kAsync);
  async.page.ChooseCombo(Z::kZone3VolumeOut, 1);  // FIX
  EXPECT_EQ(ReadParameter(async.image(), 19), 1);
  async.page.ChooseCombo(Z::kZone3Amplifier, 2);
  EXPECT_FALSE(async.control(Z::kZone3VolumeOut).enabled);
  // The choice only shows VAR; the image keeps what it holds until the
  // whole page is refreshed.
  EXPECT_EQ(async.control(Z::kZone3VolumeOut).value, 0) << "shows VAR";
  EXPECT_EQ(ReadParameter(async.image(), 19), 1);
  async.page.ChooseCombo(Z::kZone3VolumeOut, 0);
  EXPECT_EQ(ReadParameter(async.image(), 19), 1) << "a disabled combo changes nothing";
  async.page.RefreshParam(18, true);
  EXPECT_EQ(ReadParameter(async.image(), 19), 1);
  EXPECT_FALSE(async.control(Z::kZone3VolumeOut).enabled);
  async.page.UpdateModelControls();
  EXPECT_EQ(ReadParameter(async.image(), 19), 1);
  async.page.ChooseCombo(Z::kZone3Amplifier, 0);
  EXPECT_TRUE(async.control(Z::kZone3VolumeOut).enabled);
  EXPECT_EQ(async.control(Z::kZone3VolumeOut).value, 1);
  EXPECT_EQ(ReadParameter(async.image(), 19), 1);

  // A report of the amplifier re-applies the enable rule only.
  StoreParameter(async.image(), 13, 2);
  StoreParameter(async.image(), 14, 1);
  async.page.RefreshParam(13, true);
  EXPECT_FALSE(async.control(Z::kZone2VolumeOut).enabled);
  EXPECT_EQ(ReadParameter(async.image(), 14), 1);

  // A whole refresh offline sets the volume output of an internal zone to VAR.
  StoreParameter(async.image(), 13, 3);
  StoreParameter(async.image(), 14, 1);
  async.page.RefreshAll();
  EXPECT_EQ(ReadParameter(async.image(), 14), 0);

  // With the receiver connected the value stays as it is.
  MultiZoneFixture live(ControlMode::kRealTime);
  StoreParameter(live.image(), 14, 1);
  live.page.RefreshAll();
  live.page.ChooseCombo(Z::kZone2Amplifier, 1);
  EXPECT_FALSE(live.control(Z::kZone2VolumeOut).enabled);
  EXPECT_EQ(ReadParameter(live.image(), 14), 1);
  EXPECT_EQ(live.control(Z::kZone2VolumeOut).value, 1);
}

TEST(MultiZonePage, SlidersShowTheirTextsAndSendAtBothEnds) {
  struct Case {
    int slider;
    ParamId id;
    int value;
    const char* text;
    const char* frame;
  };
  const Case cases[] = {
      {Z::kZone2Volume, 15, -805, "Mute", "<STX>23100<ETX>"},
      {Z::kZone2Volume, 15, -800, "-80.0dB", "<STX>23127<ETX>"},
      {Z::kZone2Volume, 15, -400, "-40.0dB", "<STX>23177<ETX>"},
      {Z::kZone2Volume, 15, 0, "0.0dB", "<STX>231C7<ETX>"},
      {Z::kZone2Volume, 15, 165, "16.5dB", "<STX>231E8<ETX>"},
      {Z::kZone3Volume, 20, -805, "Mute", "<STX>23400<ETX>"},
      {Z::kZone3Volume, 20, 165, "16.5dB", "<STX>234E8<ETX>"},
      {Z::kZone2InitialVolume, 26, -810, "Off", "<STX>2AB00<ETX>"},
      {Z::kZone2InitialVolume, 26, -805, "Mute", "<STX>2AB01<ETX>"},
      {Z::kZone2InitialVolume, 26, -800, "-80.0dB", "<STX>2AB27<ETX>"},
      {Z::kZone2InitialVolume, 26, 165, "16.5dB", "<STX>2ABE8<ETX>"},
      {Z::kZone3InitialVolume, 27, -810, "Off", "<STX>2AC00<ETX>"},
      {Z::kZone3InitialVolume, 27, -5, "-0.5dB", "<STX>2ACC6<ETX>"},
      {Z::kZone2Balance, 22, 0, "L20", "<STX>2AD00<ETX>"},
      {Z::kZone2Balance, 22, 17, "L3", "<STX>2AD11<ETX>"},
      {Z::kZone2Balance, 22, 20, "Mid", "<STX>2AD14<ETX>"},
      {Z::kZone2Balance, 22, 25, "R5", "<STX>2AD19<ETX>"},
      {Z::kZone3Balance, 23, 40, "R20", "<STX>2AE28<ETX>"},
  };
  for (const Case& c : cases) {
    MultiZoneFixture f(ControlMode::kRealTime);
    StoreParameter(f.image(), c.id, 10);
    f.page.MoveSlider(c.slider, c.value);
    EXPECT_EQ(ReadParameter(f.image(), c.id), c.value);
    EXPECT_EQ(f.control(Z::ReadOutOf(c.slider)).text, c.text) << c.id << " " << c.value;
    EXPECT_TRUE(f.Written().empty()) << "sent on release only";
    f.page.ReleaseSlider(c.slider);
    EXPECT_EQ(f.Written(), std::vector<std::string>{c.frame}) << c.id << " " << c.value;
  }
}

TEST(MultiZonePage, CombosAndMuteSendTheReceiversCodes) {
  struct Case {
    int control;
    int value;
    ParamId id;
    const char* frame;
  };
  const Case cases[] = {
      {Z::kZone2Input, 0, 12, "<STX>07AD0<ETX>"},
      {Z::kZone2Input, 11, 12, "<STX>07AB8<ETX>"},
      {Z::kZone2Input, 8, 12, "<STX>07AD7<ETX>"},
      {Z::kZone3Input, 0, 17, "<STX>07AF1<ETX>"},
      {Z::kZone3Input, 11, 17, "<STX>07AB9<ETX>"},
      {Z::kZone3Input, 9, 17, "<STX>07AF9<ETX>"},
      {Z::kZone2Amplifier, 3, 13, "<STX>23E03<ETX>"},
      {Z::kZone3Amplifier, 3, 18, "<STX>23F03<ETX>"},
      {Z::kZone2VolumeOut, 1, 14, "<STX>26601<ETX>"},
      {Z::kZone3VolumeOut, 1, 19, "<STX>26B01<ETX>"},
      {Z::kZone2MaxVolume, 0, 24, "<STX>2A90A<ETX>"},
      {Z::kZone2MaxVolume, 3, 24, "<STX>2A907<ETX>"},
      {Z::kZone2MaxVolume, 10, 24, "<STX>2A900<ETX>"},
      {Z::kZone3MaxVolume, 3, 25, "<STX>2AA07<ETX>"},
      {Z::kZone2Mute, 1, 16, "<STX>07EA0<ETX>"},
      {Z::kZone2Mute, 0, 16, "<STX>07EA1<ETX>"},
      {Z::kZone3Mute, 1, 21, "<STX>07E26<ETX>"},
      {Z::kZone3Mute, 0, 21, "<STX>07E66<ETX>"},
  };
  for (const Case& c : cases) {
    MultiZoneFixture f(ControlMode::kRealTime);
    if (f.control(c.control).kind == ControlKind::kCheckBox) {
      f.page.SetCheck(c.control, c.value == 1);
    } else {
      f.page.ChooseCombo(c.control, c.value);
    }
    EXPECT_EQ(ReadParameter(f.image(), c.id), c.value) << c.id;
    EXPECT_EQ(f.Written(), std::vector<std::string>{c.frame}) << c.id << " " << c.value;
  }
  MultiZoneFixture f(ControlMode::kRealTime);
  const auto& inputs = f.control(Z::kZone2Input).items;
  ASSERT_EQ(inputs.size(), 12U);
  EXPECT_EQ(inputs.front(), "PHONO");
  EXPECT_EQ(inputs.back(), "XM");
  EXPECT_EQ(f.control(Z::kZone3MaxVolume).items[3], "5dB");
}

TEST(MultiZonePage, DownloadOrderAndMissingZones) {
  MultiZoneFixture both(ControlMode::kAsync);
  both.page.DownloadPage(both.image());
  // Factory settings: DVD in both zones, external amplifiers, -40.0dB,
  // centred balance, the highest limit, initial volume off.
  const std::vector<std::pair<std::string, ParamId>> expected = {
      {"<STX>07ACD<ETX>", 12}, {"<STX>23E00<ETX>", 13}, {"<STX>23177<ETX>", 15},
      {"<STX>07EA1<ETX>", 16}, {"<STX>26600<ETX>", 14}, {"<STX>2AD14<ETX>", 22},
      {"<STX>2A90A<ETX>", 24}, {"<STX>2AB00<ETX>", 26}, {"<STX>07AFC<ETX>", 17},
      {"<STX>23F00<ETX>", 18}, {"<STX>23477<ETX>", 20}, {"<STX>07E66<ETX>", 21},
      {"<STX>26B00<ETX>", 19}, {"<STX>2AE14<ETX>", 23}, {"<STX>2AA0A<ETX>", 25},
      {"<STX>2AC00<ETX>", 27},
  };
  EXPECT_EQ(both.Queued(), expected);

  MultiZoneFixture noZone3(ControlMode::kAsync, 1, 0);
  noZone3.page.DownloadPage(noZone3.image());
  EXPECT_EQ(noZone3.Queued(), std::vector(expected.begin(), expected.begin() + 8));
  for (const int id : {Z::kZone3Input, Z::kZone3Amplifier, Z::kZone3VolumeOut, Z::kZone3Volume,
                       Z::kZone3Mute, Z::kZone3Balance}) {
    EXPECT_FALSE(noZone3.control(id).enabled) << id;
  }
  EXPECT_TRUE(noZone3.control(Z::kZone3MaxVolume).enabled);
  EXPECT_TRUE(noZone3.control(Z::kZone3InitialVolume).enabled);
  EXPECT_TRUE(noZone3.control(Z::kZone2Input).enabled);

  MultiZoneFixture noZone2(ControlMode::kAsync, 0, 1);
  noZone2.page.DownloadPage(noZone2.image());
  EXPECT_EQ(noZone2.Queued(), std::vector(expected.begin() + 8, expected.end()));
}

TEST(MultiZonePage, MissingZoneSendsNothingInRealTime) {
  MultiZoneFixture f(ControlMode::kRealTime, 0, 1);
  EXPECT_FALSE(f.page.IsParamEnabled(26));
  EXPECT_TRUE(f.page.IsParamEnabled(27));
  f.page.MoveSlider(Z::kZone2InitialVolume, -400);  // still enabled on the page
  f.page.ReleaseSlider(Z::kZone2InitialVolume);
  f.page.ChooseCombo(Z::kZone2MaxVolume, 4);
  f.page.SendParam(15);
  EXPECT_EQ(ReadParameter(f.image(), 26), -400);
  EXPECT_EQ(ReadParameter(f.image(), 24), 4);
  EXPECT_TRUE(f.Written().empty());
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
  f.page.ChooseCombo(Z::kZone2Input, 1);  // disabled
  EXPECT_EQ(ReadParameter(f.image(), 12), 6);
}

TEST(MultiZonePage, TextsAndFileReading) {
  MultiZoneFixture f(ControlMode::kAsync);
  const testing::FileTextCase cases[] = {
      {22, "R5", true, 25},        {22, "L3", true, 17},       {23, "Mid", true, 20},
      {22, "L20", true, 0},        {22, "R21", false, 0},      {22, "L-3", false, 0},
      {22, "X5", false, 0},        {22, "mid", false, 0},      {15, "Mute", true, -805},
      {15, "-40.0dB", true, -400}, {15, "16.5dB", true, 165},  {15, "17.0dB", false, 0},
      {15, "-0.3dB", false, 0},    {15, "Off", false, 0},      {15, "-81.0dB", false, 0},
      {26, "Off", true, -810},     {26, "Mute", true, -805},   {27, "-80.0dB", true, -800},
      {27, "-81.5dB", false, 0},   {16, "ON", true, 1},        {21, "OFF", true, 0},
      {16, "on", false, 0},        {13, "INT:Both", true, 3},  {18, "Int:Both", false, 0},
      {12, "XM", true, 11},        {12, "MULTI CH", false, 0}, {24, "5dB", true, 3},
      {25, "+5dB", false, 0},      {19, "FIX", true, 1},       {14, "fix", false, 0},
  };
  testing::ExpectFileTexts(f.page, cases);

  const std::vector<std::pair<ParamId, int>> values = {
      {12, 0},  {13, 1}, {14, 1}, {15, -805}, {16, 1}, {22, 17}, {24, 3},  {26, -805},
      {17, 11}, {18, 2}, {19, 0}, {20, 165},  {21, 0}, {23, 25}, {25, 10}, {27, -810}};
  for (const auto& [id, value] : values) StoreParameter(f.image(), id, value);
  EXPECT_EQ(f.page.BuildReportText(f.image()),
            "\r\n(Multi Zone)\r\nZone2 Input = PHONO\r\nZone2 Amplifier = INT:Speaker[1]\r\n"
            "Zone2 Volume Out = FIX\r\nZone2 Volume = Mute\r\nZone2 Volume Mute = ON\r\n"
            "Zone2 Balance = L3\r\nZone2 Max Volume = 5dB\r\nZone2 Initial Volume = Mute\r\n"
            "Zone3 Input = XM\r\nZone3 Amplifier = INT:Speaker[2]\r\nZone3 Volume Out = VAR\r\n"
            "Zone3 Volume = 16.5dB\r\nZone3 Volume Mute = OFF\r\nZone3 Balance = R5\r\n"
            "Zone3 Max Volume = -30dB\r\nZone3 Initial Volume = Off\r\n");

  CSettingImage other = testing::ThroughProfile(f.page, f.image());
  for (const auto& [id, stored] : values) EXPECT_EQ(ReadParameter(other, id), stored) << id;
}

TEST(MultiZonePage, AsyncModeQueuesNothingAndTransfersFreezeTheSliders) {
  MultiZoneFixture f(ControlMode::kAsync);
  f.page.MoveSlider(Z::kZone2Volume, -200);
  f.page.ReleaseSlider(Z::kZone2Volume);
  f.page.SetCheck(Z::kZone3Mute, true);
  f.page.ChooseCombo(Z::kZone2Input, 2);
  EXPECT_EQ(ReadParameter(f.image(), 15), -200);
  EXPECT_EQ(ReadParameter(f.image(), 21), 1);
  EXPECT_EQ(ReadParameter(f.image(), 12), 2);
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
  EXPECT_TRUE(f.capture.Frames().empty());

  f.capture.Link().SetJob(TransferJob::kDownload);
  f.page.MoveSlider(Z::kZone2Volume, 0);
  EXPECT_EQ(ReadParameter(f.image(), 15), -200);
  EXPECT_EQ(f.control(Z::ReadOutOf(Z::kZone2Volume)).text, "-20.0dB");
}

TEST(MultiZonePage, EachZoneHasItsBoxWithUprightVolumesAndABalanceFromLToR) {
  MultiZoneFixture f(ControlMode::kAsync);
  const Control* zone2 = f.page.FindControl(Z::kZone2Frame);
  const Control* zone3 = f.page.FindControl(Z::kZone3Frame);
  ASSERT_NE(zone2, nullptr);
  ASSERT_NE(zone3, nullptr);
  EXPECT_EQ(zone2->kind, ControlKind::kFrame);
  EXPECT_EQ(zone2->caption, "Zone 2");
  EXPECT_EQ(zone3->caption, "Zone 3");
  const int zone2Controls[] = {Z::kZone2Input,
                               Z::kZone2Amplifier,
                               Z::kZone2VolumeOut,
                               Z::kZone2Volume,
                               Z::kZone2Mute,
                               Z::kZone2Balance,
                               Z::kZone2MaxVolume,
                               Z::kZone2InitialVolume,
                               1205,
                               1208,
                               1211};
  const int zone3Controls[] = {Z::kZone3Input,
                               Z::kZone3Amplifier,
                               Z::kZone3VolumeOut,
                               Z::kZone3Volume,
                               Z::kZone3Mute,
                               Z::kZone3Balance,
                               Z::kZone3MaxVolume,
                               Z::kZone3InitialVolume,
                               1225,
                               1228,
                               1231};
  for (const int id : zone2Controls) EXPECT_EQ(f.page.FindControl(id)->frame, Z::kZone2Frame) << id;
  for (const int id : zone3Controls) EXPECT_EQ(f.page.FindControl(id)->frame, Z::kZone3Frame) << id;
  for (const int id :
       {Z::kZone2Volume, Z::kZone2InitialVolume, Z::kZone3Volume, Z::kZone3InitialVolume}) {
    const Control* slider = f.page.FindControl(id);
    EXPECT_EQ(slider->orientation, Orientation::kVertical) << id;
    EXPECT_EQ(slider->readOut, id + 1) << id;
    EXPECT_EQ(f.page.FindControl(slider->readOut)->kind, ControlKind::kReadOut) << id;
  }
  for (const int id : {Z::kZone2Balance, Z::kZone3Balance}) {
    const Control* slider = f.page.FindControl(id);
    EXPECT_EQ(slider->orientation, Orientation::kHorizontal) << id;
    EXPECT_EQ(slider->lowLabel, "L") << id;
    EXPECT_EQ(slider->highLabel, "R") << id;
    EXPECT_EQ(slider->readOut, id + 1) << id;
  }
  // Zone settings are no part of System Memory.
  for (const Control& control : f.page.Controls()) EXPECT_FALSE(control.memoryMark) << control.id;
}

}  // namespace
}  // namespace qamp
