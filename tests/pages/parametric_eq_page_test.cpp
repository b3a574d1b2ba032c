// The Parametric EQ page.
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/parametric_eq_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

using testing::Queue;

using PeqFixture = testing::PageFixture<CPEQSetPage>;

TEST(ParametricEqPage, BandCommandsAtTheEndsOfEveryField) {
  struct Case {
    int record;
    ParamId id;  // the band's frequency ID
    int frequency;
    int q;
    int gain;
    const char* frame;
  };
  const Case cases[] = {
      // Front L band 1 at 62.5Hz, Q 1.000, 0.0 dB.
      {1, 405, 0, 3, 0, "<DC4>200B0341200c2832E<ETX>"},
      {0, 405, 0, 0, -200, "<DC4>200B0341000c0001F<ETX>"},
      {0, 411, 24, 13, 60, "<DC4>200B0341063c34d63<ETX>"},
      {9, 406, 4, 3, 0, "<DC4>200B0341a11428330<ETX>"},
      // Band 6 is 409 with band digit 5, band 5 is 410 with digit 4.
      {2, 409, 20, 3, 0, "<DC4>200B0341353428308<ETX>"},
      {2, 410, 16, 3, 0, "<DC4>200B0341342c28335<ETX>"},
  };
  for (const Case& c : cases) {
    PeqFixture f(ControlMode::kAsync);
    StoreRecordParameter(f.image(), c.id, c.record, c.frequency);
    const ParamId q = c.id == 409 ? 417 : c.id == 410 ? 416 : 412 + (c.id - 405);
    StoreRecordParameter(f.image(), q, c.record, c.q);
    StoreRecordParameter(f.image(), q + 7, c.record, c.gain);
    f.page.SendParamFromImage(f.image(), c.id, c.record);
    EXPECT_EQ(f.Queued(), (Queue{{c.frame, c.id}})) << c.frame;
  }
  // Q and gain travel inside the band command; out-of-range values have none.
  PeqFixture f(ControlMode::kAsync);
  f.page.SendParamFromImage(f.image(), 412, 0);
  f.page.SendParamFromImage(f.image(), 419, 0);
  f.page.SendParamFromImage(f.image(), 405, 10);
  StoreRecordParameter(f.image(), 419, 0, 65);
  f.page.SendParamFromImage(f.image(), 405, 0);
  StoreRecordParameter(f.image(), 419, 0, 0);
  StoreRecordParameter(f.image(), 405, 0, 25);
  f.page.SendParamFromImage(f.image(), 405, 0);
  EXPECT_TRUE(f.Queued().empty());
}

TEST(ParametricEqPage, ChangesSendTheBandCommandOfTheSelectedChannel) {
  PeqFixture f(ControlMode::kRealTime);
  f.page.ChooseCombo(CPEQSetPage::kChannelCombo, 1);  // Front L
  EXPECT_EQ(f.page.SelectedSubIndex(), 1);
  f.page.ChooseCombo(1316, 9);  // band 6 to 500.00Hz
  EXPECT_EQ(ReadRecordParameter(f.image(), 409, 1), 9);
  EXPECT_EQ(f.Queued(), (Queue{{"<DC4>200B0341251e28336<ETX>", 409}}));

  f.capture.Clear();
  f.page.ChooseCombo(CPEQSetPage::kChannelCombo, 0);  // Center
  f.page.ChooseCombo(1324, 6);                        // band 3 Q to "2.0"
  EXPECT_EQ(ReadRecordParameter(f.image(), 414, 0), 6);
  EXPECT_EQ(f.Queued(), (Queue{{"<DC4>200B0341021c28632<ETX>", 407}}));

  f.capture.Clear();
  f.page.MoveSlider(1334, -80);
  f.page.MoveSlider(1334, -200);
  EXPECT_TRUE(f.Queued().empty());
  EXPECT_EQ(f.page.FindControl(1017)->text, "-20.0dB");
  f.page.ReleaseSlider(1334);
  EXPECT_EQ(f.Queued(), (Queue{{"<DC4>200B0341000c00322<ETX>", 405}}));
  EXPECT_EQ(ReadRecordParameter(f.image(), 419, 0), -200);

  // Indexes past the lists change nothing.
  f.capture.Clear();
  f.page.ChooseCombo(1302, 25);
  f.page.ChooseCombo(1320, 14);
  EXPECT_EQ(ReadRecordParameter(f.image(), 405, 0), 0);
  EXPECT_EQ(ReadRecordParameter(f.image(), 412, 0), 3);
  EXPECT_TRUE(f.Queued().empty());
}

TEST(ParametricEqPage, TheChannelIsChosenByItsCode) {
  PeqFixture f(ControlMode::kAsync);
  // Records keyed out of order: Front L's code keys record 2.
  StoreRecordParameter(f.image(), 404, 1, 3);
  StoreRecordParameter(f.image(), 404, 2, 2);
  StoreRecordParameter(f.image(), 407, 2, 17);
  f.page.ChooseCombo(CPEQSetPage::kChannelCombo, 1);
  EXPECT_EQ(f.page.SelectedSubIndex(), 2);
  EXPECT_EQ(f.page.FindControl(CPEQSetPage::kChannelCombo)->value, 1);
  EXPECT_EQ(f.page.FindControl(1308)->value, 17);
  // No record with Presence L's code: the selection stays.
  StoreRecordParameter(f.image(), 404, 7, 12);
  f.page.ChooseCombo(CPEQSetPage::kChannelCombo, 7);
  EXPECT_EQ(f.page.SelectedSubIndex(), 2);
  EXPECT_EQ(f.page.FindControl(CPEQSetPage::kChannelCombo)->value, 1);

  f.page.SelectSubIndex(9);
  EXPECT_EQ(f.page.FindControl(CPEQSetPage::kChannelCombo)->value, 9);
  EXPECT_TRUE(f.page.FindControl(1346)->visible);  // all seven bands stay, also here
  f.page.SelectSubIndex(10);
  EXPECT_EQ(f.page.SelectedSubIndex(), 9);
}

TEST(ParametricEqPage, DownloadSendsSixtyFiveBandCommandsSubwooferLast) {
  PeqFixture f(ControlMode::kAsync);
  f.page.DownloadPage(f.image());
  const Queue queued = f.Queued();
  ASSERT_EQ(queued.size(), 65U);
  const std::vector<ParamId> bandOrder = {405, 406, 407, 408, 410, 409, 411};
  for (size_t i = 0; i < 63; ++i) EXPECT_EQ(queued[i].second, bandOrder[i % 7]) << i;
  // Center's defaults: band k at frequency index 4(k-1), Q 1.000, 0.0 dB.
  EXPECT_EQ(queued[0].first, "<DC4>200B0341000c2832C<ETX>");
  EXPECT_EQ(queued[7].first, "<DC4>200B0341200c2832E<ETX>");
  EXPECT_EQ(queued[63], (std::pair<std::string, ParamId>{"<DC4>200B0341a00c2835D<ETX>", 405}));
  EXPECT_EQ(queued[64], (std::pair<std::string, ParamId>{"<DC4>200B0341a11428330<ETX>", 406}));
  // Band digits run 0 to 6 within each record.
  for (size_t i = 0; i < 63; ++i)
    EXPECT_EQ(queued[i].first[14], static_cast<char>('0' + i % 7)) << i;
}

TEST(ParametricEqPage, DefaultRestoresEveryRecord) {
  PeqFixture f(ControlMode::kRealTime);
  f.page.SelectSubIndex(4);
  StoreRecordParameter(f.image(), 404, 3, 11);
  StoreRecordParameter(f.image(), 423, 8, -100);
  StoreRecordParameter(f.image(), 418, 0, 12);
  f.page.PressButton(CPEQSetPage::kDefaultButton);
  EXPECT_EQ(f.page.SelectedSubIndex(), 0);
  EXPECT_EQ(ReadRecordParameter(f.image(), 404, 3), 4);
  EXPECT_EQ(ReadRecordParameter(f.image(), 423, 8), 0);
  EXPECT_EQ(ReadRecordParameter(f.image(), 418, 0), 3);
  EXPECT_EQ(ReadRecordParameter(f.image(), 410, 5), 16);
  EXPECT_EQ(f.Queued().size(), 65U);

  PeqFixture async(ControlMode::kAsync);
  async.page.PressButton(CPEQSetPage::kDefaultButton);
  async.page.ChooseCombo(1302, 2);
  async.page.MoveSlider(1334, 20);
  async.page.ReleaseSlider(1334);
  EXPECT_TRUE(async.Queued().empty());
}

TEST(ParametricEqPage, NothingMovesWhileATransferRuns) {
  PeqFixture f(ControlMode::kAsync);
  f.capture.Link().SetJob(TransferJob::kDownload);
  f.page.MoveSlider(1346, -100);
  EXPECT_EQ(ReadRecordParameter(f.image(), 425, 0), 0);
  EXPECT_EQ(f.page.FindControl(1023)->text, "0.0dB");
}

TEST(ParametricEqPage, KeysNameTheChannelAndValuesUseTheListTexts) {
  PeqFixture f(ControlMode::kAsync);
  StoreRecordParameter(f.image(), 414, 1, 6);
  StoreRecordParameter(f.image(), 407, 1, 9);
  StoreRecordParameter(f.image(), 421, 1, -5);
  struct Case {
    ParamId id;
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {414, "(Front L) Band 3 Q", "2.0"},         {407, "(Front L) Band 3 Freq", "500.00Hz"},
      {421, "(Front L) Band 3 Gain", "-0.5dB"},   {409, "(Front L) Band 6 Freq", "6349.6Hz"},
      {410, "(Front L) Band 5 Freq", "2519.8Hz"}, {425, "(Front L) Band 7 Gain", "0.0dB"}};
  for (const Case& c : cases) {
    std::string section, key, value;
    f.page.GetParamText(f.image(), c.id, 1, &section, &key, &value, true);
    EXPECT_EQ(section, "Parametric EQ");
    EXPECT_EQ(key, c.key);
    EXPECT_EQ(value, c.value);
  }
  std::string section = "x", key = "x", value = "x";
  f.page.GetParamText(f.image(), 395, 1, &section, &key, &value, false);
  EXPECT_TRUE(section.empty() && key.empty() && value.empty());
}

TEST(ParametricEqPage, TextsThatMatchNoValueAreIgnored) {
  PeqFixture f(ControlMode::kAsync);
  struct Case {
    ParamId id;
    const char* text;
    bool stored;
    int value;  // the record's field afterwards
  };
  const Case cases[] = {
      {407, "500.0Hz", false, 8}, {407, "500.00Hz", true, 9},   {407, "16000.0Hz", true, 24},
      {407, "62.5hz", false, 24}, {414, "2.00", false, 3},      {414, "2.0", true, 6},
      {414, "10.080", true, 13},  {421, "-20.0dB", true, -200}, {421, "6.0dB", true, 60},
      {421, "6.5dB", false, 60},  {421, "-20.5dB", false, 60},  {421, "1.2dB", false, 60},
      {421, "-0.5dB", true, -5},  {421, "flat", false, -5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(f.page.SetParamFromText(f.image(), c.id, 3, c.text), c.stored) << c.text;
    EXPECT_EQ(ReadRecordParameter(f.image(), c.id, 3), c.value) << c.text;
  }
  EXPECT_FALSE(f.page.SetParamFromText(f.image(), 407, 10, "62.5Hz"));
  EXPECT_FALSE(f.page.SetParamFromText(f.image(), 404, 0, "0"));
}

TEST(ParametricEqPage, ProfileRoundTripAndTheSubwoofersShortReport) {
  PeqFixture f(ControlMode::kAsync);
  for (int record = 0; record < 10; ++record) {
    for (int band = 0; band < 7; ++band) {
      StoreRecordParameter(f.image(), 405 + band, record, (record + 3 * band) % 25);
      StoreRecordParameter(f.image(), 412 + band, record, (record + band) % 14);
      StoreRecordParameter(f.image(), 419 + band, record, -200 + 5 * ((record * 7 + band) % 53));
    }
  }
  CSettingImage other = testing::ThroughProfile(f.page, f.image());
  for (int record = 0; record < 10; ++record) {
    const int bands = record == 9 ? 2 : 7;
    for (ParamId id = 405; id <= 425; ++id) {
      const int band = id <= 411 ? id - 405 : id <= 418 ? id - 412 : id - 419;
      const int band1Based = id == 409 ? 6 : id == 410 ? 5 : band + 1;
      if (band1Based > bands) continue;
      EXPECT_EQ(ReadRecordParameter(other, id, record), ReadRecordParameter(f.image(), id, record))
          << id << " " << record;
    }
  }

  const std::string report = f.page.BuildReportText(f.image());
  EXPECT_EQ(report.find("\r\n(Parametric EQ)\r\n(Center) Band 1 Freq = 62.5Hz\r\n"), 0U);
  EXPECT_NE(report.find("(Subwoofer) Band 2 Gain = "), std::string::npos);
  EXPECT_EQ(report.find("(Subwoofer) Band 3"), std::string::npos);
  size_t lines = 0;
  for (size_t at = report.find(" = "); at != std::string::npos; at = report.find(" = ", at + 1)) {
    ++lines;
  }
  EXPECT_EQ(lines, 9U * 21U + 6U);
}

}  // namespace
}  // namespace qamp
