// The Equalizer page.
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/equalizer_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

using testing::Queue;

constexpr ParamId kMira = 402;
constexpr ParamId kType = 403;

using GeqFixture = testing::PageFixture<CGEQSetPage>;

TEST(EqualizerPage, GainCommandsAtBothEndsOfTheRange) {
  struct Case {
    int record;
    ParamId id;
    int gain;
    const char* frame;
  };
  const Case cases[] = {
      // Band 7 of Center at +6.0 dB: channel "0", band "C", code 1b.
      {0, 401, 60, "<DC4>200803010C1b94<ETX>"}, {0, 395, -60, "<DC4>20080301000351<ETX>"},
      {0, 395, 0, "<DC4>20080301000f84<ETX>"},  {9, 396, 60, "<DC4>20080301a21bB4<ETX>"},
      {9, 395, 0, "<DC4>20080301a00fB5<ETX>"},  {1, 400, -5, "<DC4>200803012A0e96<ETX>"},
      {8, 399, 5, "<DC4>20080301981060<ETX>"},
  };
  for (const Case& c : cases) {
    GeqFixture f(ControlMode::kAsync);
    StoreRecordParameter(f.image(), c.id, c.record, c.gain);
    f.page.SendParamFromImage(f.image(), c.id, c.record);
    EXPECT_EQ(f.Queued(), (Queue{{c.frame, c.id}})) << c.frame;
  }
  GeqFixture f(ControlMode::kAsync);
  StoreRecordParameter(f.image(), 397, 2, 65);
  f.page.SendParamFromImage(f.image(), 397, 2);
  f.page.SendParamFromImage(f.image(), 395, -1);
  EXPECT_TRUE(f.Queued().empty());
}

TEST(EqualizerPage, TypeCommands) {
  const char* const mira[] = {"<DC4>2006071110F2<ETX>", "<DC4>2006071111F3<ETX>",
                              "<DC4>2006071112F4<ETX>", "<DC4>2006071114F6<ETX>"};
  const char* const types[] = {"<STX>2A700<ETX>", "<STX>2A701<ETX>", "<STX>2A702<ETX>"};
  for (int i = 0; i < 4; ++i) {
    GeqFixture f(ControlMode::kAsync);
    StoreParameter(f.image(), kMira, i);
    f.page.SendParamFromImage(f.image(), kMira, -1);
    if (i < 3) {
      StoreParameter(f.image(), kType, i);
      f.page.SendParamFromImage(f.image(), kType, -1);
    }
    Queue expected = {{mira[i], kMira}};
    if (i < 3) expected.emplace_back(types[i], kType);
    EXPECT_EQ(f.Queued(), expected) << i;
  }
}

TEST(EqualizerPage, AutoIsRefusedWithoutACalibrationResult) {
  GeqFixture f(ControlMode::kRealTime);
  ASSERT_EQ(ReadParameter(f.image(), kMira), 3);
  f.page.ChooseCombo(CGEQSetPage::kTypeCombo, 2);  // "OFF"
  EXPECT_EQ(f.Written(), std::vector<std::string>{"<STX>2A702<ETX>"});
  f.capture.Clear();
  f.page.ChooseCombo(CGEQSetPage::kTypeCombo, 0);  // "Auto" snaps back
  EXPECT_EQ(ReadParameter(f.image(), kType), 2);
  EXPECT_EQ(f.page.FindControl(CGEQSetPage::kTypeCombo)->value, 2);
  EXPECT_TRUE(f.Written().empty());
  EXPECT_TRUE(f.Queued().empty());

  // With a calibration result "Auto" is taken.
  StoreParameter(f.image(), kMira, 1);
  f.page.RefreshAll();
  f.page.ChooseCombo(CGEQSetPage::kTypeCombo, 0);
  EXPECT_EQ(ReadParameter(f.image(), kType), 0);
  EXPECT_EQ(f.Written(), std::vector<std::string>{"<STX>2A700<ETX>"});
}

TEST(EqualizerPage, ARefreshForcesGeqWithoutSendingIt) {
  GeqFixture f(ControlMode::kRealTime);
  StoreParameter(f.image(), kType, 0);
  f.page.RefreshAll();
  EXPECT_EQ(ReadParameter(f.image(), kType), 1);
  EXPECT_EQ(f.page.FindControl(CGEQSetPage::kTypeCombo)->value, 1);
  EXPECT_TRUE(f.Written().empty());
  // The calibration type is shown only.
  EXPECT_FALSE(f.page.FindControl(CGEQSetPage::kMiraCombo)->enabled);
  f.page.ChooseCombo(CGEQSetPage::kMiraCombo, 0);
  EXPECT_EQ(ReadParameter(f.image(), kMira), 3);
  EXPECT_TRUE(f.Written().empty());
}

TEST(EqualizerPage, TheSubwooferShowsTwoBands) {
  GeqFixture f(ControlMode::kAsync);
  f.page.ChooseCombo(CGEQSetPage::kChannelCombo, 9);
  EXPECT_EQ(f.page.SelectedSubIndex(), 9);
  for (const int id : {1566, 1567, 1559, 1560}) EXPECT_TRUE(f.page.FindControl(id)->visible) << id;
  for (int id = 1568; id <= 1572; ++id) EXPECT_FALSE(f.page.FindControl(id)->visible) << id;
  for (int id = 1561; id <= 1565; ++id) EXPECT_FALSE(f.page.FindControl(id)->visible) << id;
  // A hidden band takes no value.
  f.page.MoveSlider(1570, 30);
  EXPECT_EQ(ReadRecordParameter(f.image(), 399, 9), 0);
  f.page.MoveSlider(1567, 30);
  EXPECT_EQ(ReadRecordParameter(f.image(), 396, 9), 30);
  EXPECT_EQ(f.page.FindControl(1560)->text, "3.0dB");

  f.page.ChooseCombo(CGEQSetPage::kChannelCombo, 0);
  for (int id = 1566; id <= 1572; ++id) EXPECT_TRUE(f.page.FindControl(id)->visible) << id;
}

TEST(EqualizerPage, TheBandsStandUprightInTheMarkedGraphicEqFrame) {
  GeqFixture f(ControlMode::kAsync);
  const Control* frame = f.page.FindControl(CGEQSetPage::kGraphicFrame);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->kind, ControlKind::kFrame);
  EXPECT_EQ(frame->caption, "Graphic EQ");
  EXPECT_TRUE(frame->memoryMark);
  EXPECT_EQ(f.page.FindControl(CGEQSetPage::kChannelCombo)->frame, CGEQSetPage::kGraphicFrame);
  // The marks beside the two types; the frame carries the third.
  EXPECT_TRUE(f.page.FindControl(CGEQSetPage::kMiraCombo)->memoryMark);
  EXPECT_TRUE(f.page.FindControl(CGEQSetPage::kTypeCombo)->memoryMark);
  EXPECT_EQ(f.page.FindControl(CGEQSetPage::kMiraCombo)->frame, 0);
  EXPECT_FALSE(f.page.FindControl(CGEQSetPage::kChannelCombo)->memoryMark);
  const char* const labels[] = {"63Hz", "160Hz", "400Hz", "1kHz", "2.5kHz", "6.3kHz", "16kHz"};
  for (int band = 0; band < 7; ++band) {
    const Control* slider = f.page.FindControl(1566 + band);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->caption, labels[band]);
    EXPECT_EQ(slider->orientation, Orientation::kVertical) << band;
    EXPECT_EQ(slider->readOut, 1559 + band);
    EXPECT_EQ(slider->frame, CGEQSetPage::kGraphicFrame);
    EXPECT_EQ(f.page.FindControl(1559 + band)->frame, CGEQSetPage::kGraphicFrame);
  }
  EXPECT_EQ(f.page.FindControl(CGEQSetPage::kDefaultButton)->frame, 0);
}

TEST(EqualizerPage, TheChannelIsChosenByItsCode) {
  GeqFixture f(ControlMode::kAsync);
  StoreRecordParameter(f.image(), 394, 3, 5);  // Surround L's code keys record 4
  StoreRecordParameter(f.image(), 394, 4, 4);
  StoreRecordParameter(f.image(), 398, 4, -25);
  f.page.ChooseCombo(CGEQSetPage::kChannelCombo, 3);
  EXPECT_EQ(f.page.SelectedSubIndex(), 4);
  EXPECT_EQ(f.page.FindControl(1569)->value, -25);
  EXPECT_EQ(f.page.FindControl(1562)->text, "-2.5dB");
}

TEST(EqualizerPage, SlidersSendTheSelectedChannelOnRelease) {
  GeqFixture f(ControlMode::kRealTime);
  f.page.MoveSlider(1572, 20);
  f.page.MoveSlider(1572, 60);
  EXPECT_EQ(ReadRecordParameter(f.image(), 401, 0), 60);
  EXPECT_TRUE(f.Queued().empty());
  f.page.ReleaseSlider(1572);
  EXPECT_EQ(f.Queued(), (Queue{{"<DC4>200803010C1b94<ETX>", 401}}));

  GeqFixture async(ControlMode::kAsync);
  async.page.MoveSlider(1572, 20);
  async.page.ReleaseSlider(1572);
  async.page.ChooseCombo(CGEQSetPage::kTypeCombo, 2);
  EXPECT_EQ(ReadParameter(async.image(), kType), 2);
  EXPECT_TRUE(async.Queued().empty());
}

TEST(EqualizerPage, NothingMovesWhileATransferRuns) {
  GeqFixture f(ControlMode::kAsync);
  f.capture.Link().SetJob(TransferJob::kUpload);
  f.page.MoveSlider(1566, 45);
  EXPECT_EQ(ReadRecordParameter(f.image(), 395, 0), 0);
  EXPECT_EQ(f.page.FindControl(1559)->text, "0.0dB");
  EXPECT_EQ(f.page.FindControl(1566)->value, 0);
}

TEST(EqualizerPage, DownloadSendsGainsRecordByRecordThenTheTypes) {
  GeqFixture f(ControlMode::kAsync);
  f.page.DownloadPage(f.image());
  const Queue queued = f.Queued();
  ASSERT_EQ(queued.size(), 67U);
  for (size_t i = 0; i < 63; ++i) EXPECT_EQ(queued[i].second, static_cast<ParamId>(395 + i % 7));
  EXPECT_EQ(queued[63], (std::pair<std::string, ParamId>{"<DC4>20080301a00fB5<ETX>", 395}));
  EXPECT_EQ(queued[64], (std::pair<std::string, ParamId>{"<DC4>20080301a20fB7<ETX>", 396}));
  EXPECT_EQ(queued[65], (std::pair<std::string, ParamId>{"<DC4>2006071114F6<ETX>", kMira}));
  EXPECT_EQ(queued[66], (std::pair<std::string, ParamId>{"<STX>2A701<ETX>", kType}));
}

TEST(EqualizerPage, DefaultRestoresTypesAndFlatRecords) {
  GeqFixture f(ControlMode::kRealTime);
  f.page.SelectSubIndex(5);
  StoreParameter(f.image(), kMira, 0);
  StoreParameter(f.image(), kType, 2);
  StoreRecordParameter(f.image(), 400, 6, 35);
  f.page.PressButton(CGEQSetPage::kDefaultButton);
  EXPECT_EQ(f.page.SelectedSubIndex(), 0);
  EXPECT_EQ(ReadParameter(f.image(), kMira), 3);
  EXPECT_EQ(ReadParameter(f.image(), kType), 1);
  EXPECT_EQ(ReadRecordParameter(f.image(), 400, 6), 0);
  // Real Time Mode writes the standard type command at once and queues the rest.
  EXPECT_EQ(f.Queued().size(), 66U);
  const std::vector<std::string> frames = f.Written();
  EXPECT_NE(std::find(frames.begin(), frames.end(), "<STX>2A701<ETX>"), frames.end());
}

TEST(EqualizerPage, TextsAndTheirValidation) {
  GeqFixture f(ControlMode::kAsync);
  StoreRecordParameter(f.image(), 401, 0, 60);
  StoreRecordParameter(f.image(), 395, 9, -35);
  struct Case {
    ParamId id;
    int record;
    const char* key;
    const char* value;
  };
  const Case cases[] = {{401, 0, "(Center) Band 7 (16kHz) Gain", "6.0dB"},
                        {395, 9, "(Subwoofer) Band 1 (63Hz) Gain", "-3.5dB"},
                        {398, 5, "(Surround Back L) Band 4 (1kHz) Gain", "0.0dB"},
                        {kMira, -1, "MIRA PEQ Type", "None"},
                        {kType, -1, "EQ Type Select", "GEQ"}};
  for (const Case& c : cases) {
    std::string section, key, value;
    f.page.GetParamText(f.image(), c.id, c.record, &section, &key, &value, true);
    EXPECT_EQ(section, "Equalizer");
    EXPECT_EQ(key, c.key);
    EXPECT_EQ(value, c.value);
  }

  struct Load {
    ParamId id;
    const char* text;
    bool stored;
  };
  const Load loads[] = {{397, "-6.0dB", true},    {397, "6.0dB", true},  {397, "6.5dB", false},
                        {397, "-6.5dB", false},   {397, "1.2dB", false}, {397, "high", false},
                        {kMira, "none", false},   {kType, "Off", false}, {kType, "GEQ", true},
                        {kMira, "Natural", true}, {kType, "Auto", true}};
  for (const Load& l : loads) {
    EXPECT_EQ(f.page.SetParamFromText(f.image(), l.id, 2, l.text), l.stored) << l.text;
  }
  EXPECT_EQ(ReadRecordParameter(f.image(), 397, 2), 60);
  EXPECT_EQ(ReadParameter(f.image(), kMira), 2);
  EXPECT_EQ(ReadParameter(f.image(), kType), 0);
  EXPECT_FALSE(f.page.SetParamFromText(f.image(), 395, 10, "0.0dB"));
}

TEST(EqualizerPage, AutoFromAFileIsStoredWithoutACalibrationResult) {
  // The snap-back belongs to the combo box: a file keeps what it holds.
  GeqFixture f(ControlMode::kAsync);
  StoreParameter(f.image(), kMira, 3);  // None
  StoreParameter(f.image(), kType, 1);  // GEQ
  EXPECT_TRUE(f.page.SetParamFromText(f.image(), kType, -1, "Auto"));
  EXPECT_EQ(ReadParameter(f.image(), kType), 0);

  // A memory image keeps it through a file: "None" is read first, then "Auto".
  MemoryIniFile file;
  file.Write("Equalizer", "MIRA PEQ Type", "None");
  file.Write("Equalizer", "EQ Type Select", "Auto");
  CSettingImage memory = testing::ReadIntoFreshImage(f.page, file);
  EXPECT_EQ(ReadParameter(memory, kMira), 3);
  EXPECT_EQ(ReadParameter(memory, kType), 0);
  EXPECT_EQ(ReadParameter(testing::ThroughProfile(f.page, memory), kType), 0);
}

TEST(EqualizerPage, ProfileRoundTrip) {
  GeqFixture f(ControlMode::kAsync);
  for (int record = 0; record < 10; ++record) {
    for (ParamId id = 395; id <= 401; ++id) {
      StoreRecordParameter(f.image(), id, record, -60 + 5 * ((record * 7 + id) % 25));
    }
  }
  StoreParameter(f.image(), kMira, 1);
  StoreParameter(f.image(), kType, 0);
  MemoryIniFile file;
  f.page.SaveToProfile(file, f.image());
  EXPECT_EQ(file.Read("Equalizer", "EQ Type Select"), std::optional<std::string>("Auto"));
  CSettingImage other = testing::ReadIntoFreshImage(f.page, file);
  EXPECT_EQ(ReadParameter(other, kMira), 1);
  EXPECT_EQ(ReadParameter(other, kType), 0);
  for (int record = 0; record < 10; ++record) {
    const ParamId last = record == 9 ? 396 : 401;
    for (ParamId id = 395; id <= last; ++id) {
      EXPECT_EQ(ReadRecordParameter(other, id, record), ReadRecordParameter(f.image(), id, record));
    }
  }
  const std::string report = f.page.BuildReportText(f.image());
  EXPECT_EQ(report.find("\r\n(Equalizer)\r\n(Center) Band 1 (63Hz) Gain = "), 0U);
  EXPECT_EQ(report.find("(Subwoofer) Band 3"), std::string::npos);
  EXPECT_NE(report.find("MIRA PEQ Type = Front\r\nEQ Type Select = Auto\r\n"), std::string::npos);
}

}  // namespace
}  // namespace qamp
