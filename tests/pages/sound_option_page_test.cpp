// The Sound Option page.
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/sound_option_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

using testing::Queue;

using SoundOptionFixture = testing::PageFixture<CToneControlPage>;

TEST(SoundOptionPage, ToneSlidersSendTheTurnoverWithTheGain) {
  struct Case {
    int slider;
    ParamId gain;
    ParamId turnover;
    int turnoverIndex;
    int value;
    const char* frame;
    int readOut;
    const char* text;
  };
  const Case cases[] = {
      {1262, 282, 281, 0, -60, "<DC4>200903310000082<ETX>", 1370, "-6.0dB"},
      {1262, 282, 281, 2, 60, "<DC4>20090331002188D<ETX>", 1370, "6.0dB"},
      {1264, 284, 283, 2, 60, "<DC4>20090331012188E<ETX>", 1371, "6.0dB"},
      {1264, 284, 283, 1, -60, "<DC4>200903310110084<ETX>", 1371, "-6.0dB"},
      {1272, 286, 285, 1, 0, "<DC4>200903311010C97<ETX>", 1373, "0.0dB"},
      {1272, 286, 285, 0, -60, "<DC4>200903311000083<ETX>", 1373, "-6.0dB"},
      {1274, 288, 287, 1, -60, "<DC4>200903311110085<ETX>", 1375, "-6.0dB"},
      {1274, 288, 287, 2, 60, "<DC4>20090331112188F<ETX>", 1375, "6.0dB"},
  };
  for (const Case& c : cases) {
    SoundOptionFixture f(ControlMode::kRealTime);
    StoreParameter(f.image(), c.turnover, c.turnoverIndex);
    f.page.MoveSlider(c.slider, c.value);
    EXPECT_EQ(ReadParameter(f.image(), c.gain), c.value);
    EXPECT_EQ(f.control(c.readOut).text, c.text);
    EXPECT_TRUE(f.Queued().empty()) << "sent before the release";
    f.page.ReleaseSlider(c.slider);
    EXPECT_EQ(f.Queued(), (Queue{{c.frame, c.gain}})) << c.slider;
    EXPECT_EQ(f.WrittenCount(), 1U);
  }
}

TEST(SoundOptionPage, SpeakerFlatResetsTheTurnoversTo350HzAnd35kHz) {
  SoundOptionFixture f(ControlMode::kRealTime);
  StoreParameter(f.image(), 281, 2);
  StoreParameter(f.image(), 283, 0);
  StoreParameter(f.image(), 282, 30);
  StoreParameter(f.image(), 284, -45);
  f.page.PressButton(1266);
  EXPECT_EQ(ReadParameter(f.image(), 281), 1);
  EXPECT_EQ(ReadParameter(f.image(), 283), 1);
  EXPECT_EQ(f.control(1258).value, 1);
  EXPECT_EQ(f.control(1370).text, "0.0dB");
  EXPECT_EQ(f.Queued(),
            (Queue{{"<DC4>200903310010C96<ETX>", 282}, {"<DC4>200903310110C97<ETX>", 284}}));
  EXPECT_EQ(f.WrittenCount(), 1U) << "one end marker after both commands";

  f.capture.Clear();
  f.page.MoveSlider(1262, 60);
  f.page.ReleaseSlider(1262);
  EXPECT_EQ(f.Queued(), (Queue{{"<DC4>20090331001188C<ETX>", 282}}));
}

TEST(SoundOptionPage, HiddenTurnoverComboSendsTheToneCommandOfItsBand) {
  SoundOptionFixture f(ControlMode::kRealTime);
  EXPECT_FALSE(f.control(1268).visible);
  f.page.ChooseCombo(1268, 2);  // headphone bass "500Hz"
  EXPECT_EQ(ReadParameter(f.image(), 285), 2);
  EXPECT_EQ(f.Queued(), (Queue{{"<DC4>200903311020C98<ETX>", 285}}));
}

TEST(SoundOptionPage, StandardCommandsAndReadOutsAtBothEnds) {
  struct Case {
    int control;  // slider, combo or radio button
    int value;
    ParamId id;
    const char* frame;
    int readOut;
    const char* text;
  };
  const Case cases[] = {
      {1255, 0, 280, "<STX>2A800<ETX>", 0, ""},
      {1255, 1, 280, "<STX>2A801<ETX>", 0, ""},
      {1282, -10, 289, "<STX>24B00<ETX>", 1408, " -10dB"},
      {1282, 10, 289, "<STX>24B14<ETX>", 1408, " 10dB"},
      {1293, -1, 290, "<STX>24C09<ETX>", 1410, " -1dB"},
      {1307, 0, 291, "<STX>24D0A<ETX>", 1412, " 0dB"},
      {1312, 10, 292, "<STX>24E14<ETX>", 1414, " 10dB"},
      {1283, -200, 293, "<STX>25100<ETX>", 1377, "-20.0dB"},
      {1283, 0, 293, "<STX>25114<ETX>", 1377, "0.0dB"},
      {1285, -200, 294, "<STX>25200<ETX>", 1379, "-20.0dB"},
      {1285, -10, 294, "<STX>25213<ETX>", 1379, "-1.0dB"},
      {1693, 0, 295, "<STX>25900<ETX>", 0, ""},
      {1694, 1, 295, "<STX>25901<ETX>", 0, ""},
      {1381, 0, 296, "<STX>25600<ETX>", 1385, " 0ms"},
      {1381, 240, 296, "<STX>256F0<ETX>", 1385, " 240ms"},
      {1416, 0, 297, "<STX>25300<ETX>", 1418, " 0ms"},
      {1416, 240, 297, "<STX>253F0<ETX>", 1418, " 240ms"},
      {1383, 0, 298, "<STX>26400<ETX>", 0, ""},
      {1392, 2, 298, "<STX>26402<ETX>", 0, ""},
      {1396, 0, 299, "<STX>26500<ETX>", 0, ""},
      {1404, 2, 299, "<STX>26502<ETX>", 0, ""},
  };
  for (const Case& c : cases) {
    SoundOptionFixture f(ControlMode::kRealTime);
    StoreParameter(f.image(), 295, 0);  // HDMI Auto on, so Auto Delay can move
    StoreParameter(f.image(), c.id, c.id == 296 || c.id == 297 ? 100 : 1);
    f.page.RefreshAll();
    const Control& target = f.control(c.control);
    if (target.kind == ControlKind::kSlider) {
      f.page.MoveSlider(c.control, c.value);
      f.page.ReleaseSlider(c.control);
    } else if (target.kind == ControlKind::kCombo) {
      f.page.ChooseCombo(c.control, c.value);
    } else {
      f.page.ClickRadio(c.control);
    }
    EXPECT_EQ(ReadParameter(f.image(), c.id), c.value) << c.control;
    EXPECT_EQ(f.Written(), std::vector<std::string>{c.frame}) << c.control;
    if (c.readOut != 0) {
      EXPECT_EQ(f.control(c.readOut).text, c.text) << c.control;
    }
  }
}

TEST(SoundOptionPage, LfeFlatSendsBothLevels) {
  SoundOptionFixture f(ControlMode::kRealTime);
  StoreParameter(f.image(), 293, -150);
  StoreParameter(f.image(), 294, -30);
  f.page.PressButton(1287);
  EXPECT_EQ(f.Written(), (std::vector<std::string>{"<STX>25114<ETX>", "<STX>25214<ETX>"}));
  EXPECT_EQ(f.control(1377).text, "0.0dB");
  EXPECT_EQ(f.control(1379).text, "0.0dB");
}

TEST(SoundOptionPage, HdmiAutoOffDisablesTheAutoDelay) {
  SoundOptionFixture f(ControlMode::kAsync);
  // The factory setting is "Off": the Auto Delay starts disabled.
  EXPECT_FALSE(f.control(1381).enabled);
  EXPECT_FALSE(f.control(1301).enabled);
  f.page.ClickRadio(1693);  // On
  EXPECT_TRUE(f.control(1381).enabled);
  EXPECT_TRUE(f.control(1301).enabled);
  f.page.MoveSlider(1381, 40);
  EXPECT_EQ(ReadParameter(f.image(), 296), 40);
  f.page.ClickRadio(1694);  // Off
  EXPECT_FALSE(f.control(1381).enabled);
  EXPECT_FALSE(f.control(1301).enabled);
  f.page.MoveSlider(1381, 80);
  f.page.PressButton(1301);
  EXPECT_EQ(ReadParameter(f.image(), 296), 40) << "a disabled slider and button change nothing";
  // A value that arrives from the receiver sets the state as well.
  StoreParameter(f.image(), 295, 0);
  f.page.RefreshParam(295, true);
  EXPECT_TRUE(f.control(1381).enabled);
}

TEST(SoundOptionPage, AFileThatTurnsHdmiAutoOnOpensTheAutoDelay) {
  // The user turned HDMI Auto off, then opens a file that has it on: were
  // the enabled state left to the click alone, the page would show "On"
  // with an Auto Delay that cannot be moved until HDMI Auto is clicked off
  // and on again (which, connected, sends both to the receiver).
  SoundOptionFixture f(ControlMode::kAsync);
  f.page.ClickRadio(1693);
  f.page.ClickRadio(1694);
  ASSERT_FALSE(f.control(1381).enabled);
  MemoryIniFile file;
  file.Write("Sound Option", "HDMI Auto", "On");
  file.Write("Sound Option", "Auto Delay", "30");
  f.page.LoadFromProfile(file, f.image());
  f.page.RefreshAll();
  EXPECT_EQ(f.control(1693).value, 0);
  EXPECT_TRUE(f.control(1381).enabled);
  EXPECT_TRUE(f.control(1301).enabled);
  f.page.MoveSlider(1381, 60);
  EXPECT_EQ(ReadParameter(f.image(), 296), 60);
  // And the other way: a file with HDMI Auto off closes it again.
  file.Write("Sound Option", "HDMI Auto", "Off");
  f.page.LoadFromProfile(file, f.image());
  f.page.RefreshAll();
  EXPECT_FALSE(f.control(1381).enabled);
  EXPECT_FALSE(f.control(1301).enabled);
}

TEST(SoundOptionPage, ResetButtonsSetTheirFieldsAndDefaultsAreTheFactoryValues) {
  CSettingImage factory;
  ResetImage(factory, 0, kDefaultRegionCode);
  struct Case {
    int button;
    std::vector<ParamId> ids;
    std::vector<int> values;
  };
  const Case cases[] = {
      {1266, {281, 283, 282, 284}, {1, 1, 0, 0}},
      {1276, {285, 287, 286, 288}, {1, 1, 0, 0}},
      {1296, {289, 290}, {0, 0}},
      {1315, {291, 292}, {0, 0}},
      {1287, {293, 294}, {0, 0}},
      {1301, {296}, {ReadParameter(factory, 296)}},
      {1304, {297}, {ReadParameter(factory, 297)}},
      {1297, {298, 299}, {ReadParameter(factory, 298), ReadParameter(factory, 299)}},
  };
  for (const Case& c : cases) {
    SoundOptionFixture f(ControlMode::kAsync);
    StoreParameter(f.image(), 295, 0);
    for (const ParamId id : {281, 283, 285, 287, 298, 299}) StoreParameter(f.image(), id, 2);
    for (const ParamId id : {282, 284, 286, 288}) StoreParameter(f.image(), id, -25);
    for (const ParamId id : {289, 290, 291, 292}) StoreParameter(f.image(), id, 7);
    for (const ParamId id : {293, 294, 296, 297}) StoreParameter(f.image(), id, -90);
    f.page.RefreshAll();
    f.page.PressButton(c.button);
    for (size_t i = 0; i < c.ids.size(); ++i) {
      EXPECT_EQ(ReadParameter(f.image(), c.ids[i]), c.values[i]) << c.button << " " << c.ids[i];
    }
    EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
    EXPECT_TRUE(f.capture.Frames().empty());
  }
}

TEST(SoundOptionPage, DownloadSendsInTheListOrder) {
  SoundOptionFixture f(ControlMode::kAsync);
  f.page.DownloadPage(f.image());
  // Factory settings: turnovers in the middle, gains flat, HDMI Auto off.
  EXPECT_EQ(f.Queued(), (Queue{
                            {"<STX>2A800<ETX>", 280},
                            {"<DC4>200903310010C96<ETX>", 282},
                            {"<DC4>200903310110C97<ETX>", 284},
                            {"<DC4>200903311010C97<ETX>", 286},
                            {"<DC4>200903311110C98<ETX>", 288},
                            {"<STX>24B0A<ETX>", 289},
                            {"<STX>24C0A<ETX>", 290},
                            {"<STX>24D0A<ETX>", 291},
                            {"<STX>24E0A<ETX>", 292},
                            {"<STX>25114<ETX>", 293},
                            {"<STX>25214<ETX>", 294},
                            {"<STX>26400<ETX>", 298},
                            {"<STX>26500<ETX>", 299},
                            {"<STX>25901<ETX>", 295},
                            {"<STX>25600<ETX>", 296},
                            {"<STX>25300<ETX>", 297},
                        }));
}

TEST(SoundOptionPage, ProfileRoundTripAndTexts) {
  SoundOptionFixture f(ControlMode::kAsync);
  const std::vector<std::pair<ParamId, int>> values = {
      {280, 1}, {282, -60},  {284, 60},  {286, -5}, {288, 5},   {289, -10}, {290, 10}, {291, -3},
      {292, 0}, {293, -200}, {294, -10}, {295, 0},  {296, 240}, {297, 1},   {298, 2},  {299, 1}};
  for (const auto& [id, value] : values) StoreParameter(f.image(), id, value);

  std::string section, key, value;
  f.page.GetParamText(f.image(), 291, -1, &section, &key, &value, true);
  EXPECT_EQ(section, "Sound Option");
  EXPECT_EQ(key, "Zone3 Bass Gain");
  EXPECT_EQ(value, " -3dB");
  const std::string report = f.page.BuildReportText(f.image());
  EXPECT_EQ(
      report.find("\r\n(Sound Option)\r\nTone Bypass = OFF\r\nSpeaker Bass Gain = -6.0dB\r\n"), 0U);
  EXPECT_NE(report.find("Headphone Bass Gain = -0.5dB\r\n"), std::string::npos);
  EXPECT_NE(report.find("LFE Level SP = -20.0dB\r\n"), std::string::npos);
  EXPECT_NE(report.find("Auto Delay =  240\r\n"), std::string::npos);
  EXPECT_NE(report.find("Dynamic Range Speaker = Min\r\n"), std::string::npos);

  CSettingImage other = testing::ThroughProfile(f.page, f.image());
  for (const auto& [id, stored] : values) EXPECT_EQ(ReadParameter(other, id), stored) << id;

  // The turnovers travel inside the tone commands only; they have no texts.
  section = key = value = "x";
  f.page.GetParamText(f.image(), 281, -1, &section, &key, &value, false);
  EXPECT_TRUE(section.empty() && key.empty() && value.empty());
  f.page.GetParamText(f.image(), 376, -1, &section, &key, &value, false);
  EXPECT_TRUE(section.empty() && key.empty() && value.empty());
}

TEST(SoundOptionPage, FileTextsOutsideRangeOrStepAreIgnored) {
  SoundOptionFixture f(ControlMode::kAsync);
  const testing::FileTextCase cases[] = {
      {282, "-6.0dB", true, -60}, {282, "6.0dB", true, 60},   {282, "6.5dB", false, 0},
      {282, "0.3dB", false, 0},   {282, "dB", false, 0},      {293, "-20.0dB", true, -200},
      {293, "-20.5dB", false, 0}, {293, "0.5dB", false, 0},   {293, "-0.5dB", false, 0},
      {289, " -10dB", true, -10}, {289, " -11dB", false, 0},  {289, " 11dB", false, 0},
      {296, " 240", true, 240},   {296, " 241", false, 0},    {297, " -1", false, 0},
      {297, "none", false, 0},    {280, "OFF", true, 1},      {280, "off", false, 0},
      {298, "Min", true, 2},      {298, "Maximum", false, 0}, {295, "On", true, 0},
      {295, "ON", false, 1},      {281, "350Hz", false, 1},
  };
  testing::ExpectFileTexts(f.page, cases);
}

TEST(SoundOptionPage, AsyncModeQueuesNothingAndTransfersFreezeTheSliders) {
  SoundOptionFixture f(ControlMode::kAsync);
  f.page.MoveSlider(1262, 25);
  f.page.ReleaseSlider(1262);
  f.page.ChooseCombo(1255, 1);
  f.page.ClickRadio(1388);
  f.page.PressButton(1276);
  EXPECT_EQ(ReadParameter(f.image(), 282), 25);
  EXPECT_EQ(ReadParameter(f.image(), 280), 1);
  EXPECT_EQ(ReadParameter(f.image(), 298), 1);
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
  EXPECT_TRUE(f.capture.Frames().empty());

  f.capture.Link().SetJob(TransferJob::kDownload);
  f.page.MoveSlider(1262, -25);
  EXPECT_EQ(ReadParameter(f.image(), 282), 25);
  EXPECT_EQ(f.control(1370).text, "2.5dB");
  f.capture.Link().SetJob(TransferJob::kNone);

  // An inactive page is brought up to date on its next activation.
  f.page.SetActive(false);
  StoreParameter(f.image(), 289, 4);
  f.page.RefreshParam(289, true);
  EXPECT_EQ(f.control(1408).text, " 0dB");
  f.page.SetActive(true);
  EXPECT_EQ(f.control(1408).text, " 4dB");
}

TEST(SoundOptionPage, FramesHoldTheirControlsAndFourCarryTheMarkWithToneBypass) {
  SoundOptionFixture f(ControlMode::kAsync);
  struct Framed {
    int frame;
    const char* caption;
    bool marked;
    int parent;
    std::vector<int> members;
  };
  const Framed frames[] = {
      {CToneControlPage::kSpeakerFrame, "Speaker", true, 0, {1262, 1370, 1264, 1371, 1266}},
      {CToneControlPage::kHeadphoneFrame, "Headphone", false, 0, {1272, 1373, 1274, 1375, 1276}},
      {CToneControlPage::kZone2Frame, "Zone2", false, 0, {1282, 1408, 1293, 1410, 1296}},
      {CToneControlPage::kZone3Frame, "Zone3", false, 0, {1307, 1412, 1312, 1414, 1315}},
      {CToneControlPage::kLfeFrame, "LFE Level", true, 0, {1283, 1377, 1285, 1379, 1287}},
      {CToneControlPage::kDynamicRangeFrame, "Dynamic Range", true, 0, {1383, 1396, 1297}},
      {CToneControlPage::kLipSyncFrame, "Lip Sync", true, 0, {1693}},
      {CToneControlPage::kAutoDelayFrame,
       "Auto Delay",
       false,
       CToneControlPage::kLipSyncFrame,
       {1381, 1385, 1301}},
      {CToneControlPage::kManualDelayFrame,
       "Manual Delay",
       false,
       CToneControlPage::kLipSyncFrame,
       {1416, 1418, 1304}},
      {CToneControlPage::kTurnoverFrame, "for QR-K3100", false, 0, {1258, 1260, 1268, 1270}},
  };
  for (const Framed& framed : frames) {
    const Control* frame = f.page.FindControl(framed.frame);
    ASSERT_NE(frame, nullptr) << framed.caption;
    EXPECT_EQ(frame->kind, ControlKind::kFrame);
    EXPECT_EQ(frame->caption, framed.caption);
    EXPECT_EQ(frame->memoryMark, framed.marked) << framed.caption;
    EXPECT_EQ(frame->frame, framed.parent) << framed.caption;
    EXPECT_EQ(frame->visible, framed.frame != CToneControlPage::kTurnoverFrame);
    for (const int id : framed.members)
      EXPECT_EQ(f.page.FindControl(id)->frame, framed.frame) << id;
  }
  EXPECT_TRUE(f.page.FindControl(1255)->memoryMark);
  EXPECT_EQ(f.page.FindControl(1255)->frame, 0);
  // Gains and levels upright with their read-outs, the delays lying.
  const std::pair<int, int> upright[] = {{1262, 1370}, {1264, 1371}, {1272, 1373}, {1274, 1375},
                                         {1282, 1408}, {1293, 1410}, {1307, 1412}, {1312, 1414},
                                         {1283, 1377}, {1285, 1379}};
  for (const auto& [slider, readOut] : upright) {
    EXPECT_EQ(f.page.FindControl(slider)->orientation, Orientation::kVertical) << slider;
    EXPECT_EQ(f.page.FindControl(slider)->readOut, readOut) << slider;
  }
  for (const auto& [slider, readOut] : {std::pair{1381, 1385}, std::pair{1416, 1418}}) {
    EXPECT_EQ(f.page.FindControl(slider)->orientation, Orientation::kHorizontal) << slider;
    EXPECT_EQ(f.page.FindControl(slider)->readOut, readOut) << slider;
  }
}

}  // namespace
}  // namespace qamp
