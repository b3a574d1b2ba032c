// Room EQ Wizard filter files: reading them, refusing what is not one (with
// the line), rounding their filters to the receiver's steps with a note of
// each change, writing the bands back, and storing an import through the
// Parametric EQ page.
#include <gtest/gtest.h>

#include "model/parameter_store.h"
#include "pages/parametric_eq_page.h"
#include "pages/rew_filters.h"
#include "support/page_fixture.h"

namespace qamp {

// Bands read as "{frequency step, Q step, gain}" in failures.
void PrintTo(const PeqSetting& band, std::ostream* out) {
  *out << "{" << band.frequencyIndex << ", " << band.qIndex << ", " << band.gain << "}";
}

namespace {

using testing::Queue;
using PeqFixture = testing::PageFixture<CPEQSetPage>;

// A file as Room EQ Wizard exports it: a header, then numbered slots, the
// unused ones "None", one switched off.
constexpr std::string_view kRewFile =
    "Filter Settings file\r\n"
    "\r\n"
    "Room EQ V5.20.13\r\n"
    "Dated: 09-Dec-2026 20:15:00\r\n"
    "\r\n"
    "Notes:Front L, 2 filters\r\n"
    "\r\n"
    "Equaliser: Generic\r\n"
    "Average 1\r\n"
    "Filter  1: ON  PK       Fc   100.0 Hz  Gain  -3.0 dB  Q  2.000\r\n"
    "Filter  2: OFF PK       Fc   250.0 Hz  Gain  -9.0 dB  Q  1.000\r\n"
    "Filter  3: ON  PK       Fc    1260 Hz  Gain  +2.25 dB  Q  4.40\r\n"
    "Filter  4: ON  None\r\n"
    "Filter  5: ON  PK       Fc   40.0 Hz  Gain  -25.0 dB  Q  0.3\r\n"
    "\r\n";

// Seven bands at the defaults: the third-octave steps 0, 4, ..., 24, Q 1.000.
std::vector<PeqSetting> DefaultBands(size_t count = 7) {
  std::vector<PeqSetting> bands;
  for (size_t i = 0; i < count; ++i) bands.push_back({static_cast<int>(4 * i), 3, 0});
  return bands;
}

TEST(RewFilters, ReadsTheOnPeaksOfAnExportWithTheirLines) {
  const RewFilterFile file = ParseRewFilters(kRewFile);
  ASSERT_EQ(file.error, "");
  ASSERT_EQ(file.filters.size(), 3u);
  EXPECT_EQ(file.filters[0].line, 10);
  EXPECT_EQ(file.filters[0].number, 1);
  EXPECT_DOUBLE_EQ(file.filters[0].frequency, 100.0);
  EXPECT_DOUBLE_EQ(file.filters[0].gainDb, -3.0);
  EXPECT_DOUBLE_EQ(file.filters[0].q, 2.0);
  EXPECT_EQ(file.filters[1].line, 12);
  EXPECT_EQ(file.filters[1].number, 3);
  EXPECT_DOUBLE_EQ(file.filters[1].frequency, 1260.0);
  EXPECT_DOUBLE_EQ(file.filters[1].gainDb, 2.25);
  EXPECT_DOUBLE_EQ(file.filters[1].q, 4.4);
  EXPECT_EQ(file.filters[2].number, 5);
  // Words in any case and order, LF line ends, a colon apart.
  const RewFilterFile loose = ParseRewFilters("filter 7 : on pk q 1.5 gain 1 DB fc 80 hz\n");
  ASSERT_EQ(loose.error, "");
  ASSERT_EQ(loose.filters.size(), 1u);
  EXPECT_EQ(loose.filters[0].number, 7);
  EXPECT_DOUBLE_EQ(loose.filters[0].frequency, 80.0);
  EXPECT_DOUBLE_EQ(loose.filters[0].q, 1.5);
}

TEST(RewFilters, RefusesWhatIsNotAFilterFileWithTheLine) {
  struct Case {
    std::string text;
    std::string error;
  };
  const std::string head =
      "Filter Settings file\n\nFilter  1: ON  PK  Fc 100 Hz  Gain -3 dB  Q 2\n";
  const Case cases[] = {
      {head + "Filter  2: ON  LS  Fc 100 Hz  Gain -3 dB  Q 0.7\n",
       "Line 4: filter 2 is of type \"LS\"; the receiver's parametric equaliser has peaking "
       "bands (\"PK\") only."},
      {head + "Filter  2: ON  PK  Fc 1,000 Hz  Gain -3 dB  Q 2\n",
       "Line 4: \"Fc\" is not followed by a number (\"1,000\")."},
      {head + "Filter  2: ON  PK  Fc 100 Hz  Gain -3 dB\n",
       "Line 4: filter 2 lacks its Q (\"Q\")."},
      {head + "Filter  2: ON  PK  Fc 100  Gain -3 dB  Q 2\n",
       "Line 4: the value of \"Fc\" is not followed by \"Hz\"."},
      {head + "Filter  2: ON  PK  Fc 100 Hz  Gain -3 dB  Q 0\n", "Line 4: \"Q\" must be above 0."},
      {head + "Filter  2: ON  PK  Fc 100 Hz  Gain -3 dB  Q 2  BW/60 3\n",
       "Line 4: \"BW/60\" is not understood (expected \"Fc\", \"Gain\" or \"Q\")."},
      {head + "Filter  2: ON  PK  Fc 100 Hz  Fc 200 Hz  Gain -3 dB  Q 2\n",
       "Line 4: \"Fc\" is given twice."},
      {head + "Filter  2  ON  PK  Fc 100 Hz  Gain -3 dB  Q 2\n",
       "Line 4: \"Filter\" and its number are not followed by a colon."},
      {head + "Filter  2: MAYBE PK\n", "Line 4: filter 2 is neither \"ON\" nor \"OFF\"."},
      {head + "\nEnd of filters\n", "Line 5: is not a filter line (\"End of filters\")."},
      {"Filter Settings file\n\x01\x02garbage\nFilter  1: ON  PK  Fc 100 Hz  Gain -3 dB  Q 2\n",
       "Line 2: holds characters that are not text."},
      {"Room EQ V5.20\nNotes: nothing here\n",
       "The file has no filter lines (such as \"Filter  1: ON  PK  Fc 100.0 Hz  Gain -3.0 dB  Q "
       "2.000\"): it is not a Room EQ Wizard filter settings file."},
      {"",
       "The file has no filter lines (such as \"Filter  1: ON  PK  Fc 100.0 Hz  Gain -3.0 dB  "
       "Q 2.000\"): it is not a Room EQ Wizard filter settings file."},
  };
  for (const Case& c : cases) {
    const RewFilterFile file = ParseRewFilters(c.text);
    EXPECT_EQ(file.error, c.error) << c.text;
    // A refused file is not imported.
    const PeqImport import = RoundToReceiver(file, DefaultBands(), "Center");
    EXPECT_EQ(import.error, c.error);
    EXPECT_TRUE(import.bands.empty());
  }
}

RewFilterFile OneFilter(double frequency, double gain, double q) {
  RewFilterFile file;
  file.filters.push_back({7, 1, frequency, gain, q});
  return file;
}

TEST(RewFilters, FrequenciesAndQsGoToTheNearestStepAndOutOfRangeToTheEnd) {
  struct Case {
    double frequency;
    double q;
    int frequencyIndex;
    int qIndex;
    const char* note;  // empty: nothing rounded
  };
  const Case cases[] = {
      {99.2, 1.0, 2, 3, ""},
      {1000.0, 2.0, 12, 6, ""},
      {500.0, 10.08, 9, 13, ""},
      {100.0, 2.2, 2, 6,
       "Band 1 (filter 1, line 7): 100.0 Hz rounded to 99.2Hz; Q 2.200 rounded to 2.0."},
      // Half a step above 62.5 Hz is 62.5 * 2^(1/6) = 70.15 Hz; half a step
      // above Q 1.000 is 2^(1/6) = 1.1225.
      {70.1, 1.122, 0, 3,
       "Band 1 (filter 1, line 7): 70.1 Hz rounded to 62.5Hz; Q 1.122 rounded to 1.000."},
      {70.2, 1.123, 1, 4,
       "Band 1 (filter 1, line 7): 70.2 Hz rounded to 78.7Hz; Q 1.123 rounded to 1.260."},
      {20.0, 0.2, 0, 0,
       "Band 1 (filter 1, line 7): 20.0 Hz is out of range, set to 62.5Hz; Q 0.200 is out of "
       "range, set to 0.500."},
      {20000.0, 20.0, 24, 13,
       "Band 1 (filter 1, line 7): 20000.0 Hz is out of range, set to 16000.0Hz; Q 20.000 is out "
       "of range, set to 10.080."},
      // Within half a step of the ends it is rounding, not out of range.
      {17000.0, 11.0, 24, 13,
       "Band 1 (filter 1, line 7): 17000.0 Hz rounded to 16000.0Hz; Q 11.000 rounded to 10.080."},
  };
  for (const Case& c : cases) {
    const PeqImport import =
        RoundToReceiver(OneFilter(c.frequency, 0.0, c.q), DefaultBands(), "Center");
    ASSERT_EQ(import.error, "");
    ASSERT_EQ(import.bands.size(), 7u);
    EXPECT_EQ(import.bands[0], (PeqSetting{c.frequencyIndex, c.qIndex, 0})) << c.frequency;
    if (c.note[0] == '\0') {
      EXPECT_TRUE(import.rounded.empty()) << c.frequency;
    } else {
      EXPECT_EQ(import.rounded, std::vector<std::string>{c.note});
    }
  }
}

TEST(RewFilters, GainsGoToTheNearestHalfDecibelAndHalfwayTowardsZero) {
  struct Case {
    double gain;
    int tenths;
    const char* note;
  };
  const Case cases[] = {
      {-3.0, -30, ""},
      {-3.25, -30, "gain -3.25 dB rounded to -3.0dB"},
      {3.25, 30, "gain 3.25 dB rounded to 3.0dB"},
      {-3.75, -35, "gain -3.75 dB rounded to -3.5dB"},
      {3.75, 35, "gain 3.75 dB rounded to 3.5dB"},
      {-3.26, -35, "gain -3.26 dB rounded to -3.5dB"},
      {0.2, 0, "gain 0.20 dB rounded to 0.0dB"},
      {-0.25, 0, "gain -0.25 dB rounded to 0.0dB"},
      {6.0, 60, ""},
      {-20.0, -200, ""},
      {6.2, 60, "gain 6.20 dB rounded to 6.0dB"},
      {7.0, 60, "gain 7.00 dB is out of range, set to 6.0dB"},
      {-25.0, -200, "gain -25.00 dB is out of range, set to -20.0dB"},
  };
  for (const Case& c : cases) {
    const PeqImport import =
        RoundToReceiver(OneFilter(1000.0, c.gain, 1.0), DefaultBands(), "Center");
    ASSERT_EQ(import.error, "");
    EXPECT_EQ(import.bands[0], (PeqSetting{12, 3, c.tenths})) << c.gain;
    if (c.note[0] == '\0') {
      EXPECT_TRUE(import.rounded.empty()) << c.gain;
    } else {
      EXPECT_EQ(import.rounded,
                std::vector<std::string>{"Band 1 (filter 1, line 7): " + std::string(c.note) + "."})
          << c.gain;
    }
  }
}

TEST(RewFilters, RefusesMoreFiltersThanTheChannelHasBands) {
  std::string text = "Filter Settings file\n";
  for (int i = 1; i <= 8; ++i) {
    text += "Filter " + std::to_string(i) + ": ON PK Fc " + std::to_string(100 * i) +
            " Hz Gain -1.0 dB Q 1.0\n";
  }
  const RewFilterFile eight = ParseRewFilters(text);
  ASSERT_EQ(eight.error, "");
  const PeqImport refused = RoundToReceiver(eight, DefaultBands(), "Front L");
  EXPECT_EQ(refused.error,
            "The file has 8 filters in use, but the parametric equaliser of Front L has 7 bands. "
            "Nothing was imported: let Room EQ Wizard use at most 7 filters and export again.");
  EXPECT_TRUE(refused.bands.empty());
  // Seven are taken; so are eight slots of which one is off.
  EXPECT_EQ(RoundToReceiver(ParseRewFilters(text.substr(0, text.rfind("Filter 8"))), DefaultBands(),
                            "Front L")
                .error,
            "");
  std::string offEight = text;
  offEight.replace(offEight.rfind(": ON"), 4, ": OFF");
  EXPECT_EQ(RoundToReceiver(ParseRewFilters(offEight), DefaultBands(), "Front L").error, "");
  // The Subwoofer has two.
  const std::string three =
      "Filter 1: ON PK Fc 30 Hz Gain -1 dB Q 1\n"
      "Filter 2: ON PK Fc 50 Hz Gain -1 dB Q 1\n"
      "Filter 3: ON PK Fc 80 Hz Gain -1 dB Q 1\n";
  EXPECT_EQ(RoundToReceiver(ParseRewFilters(three), DefaultBands(2), "Subwoofer").error,
            "The file has 3 filters in use, but the parametric equaliser of Subwoofer has 2 bands. "
            "Nothing was imported: let Room EQ Wizard use at most 2 filters and export again.");
}

TEST(RewFilters, BandsWithoutAFilterGoFlatAndKeepTheirFrequencyAndQ) {
  std::vector<PeqSetting> current = DefaultBands();
  current[1].gain = -55;
  current[4] = {20, 9, 40};
  const PeqImport import = RoundToReceiver(ParseRewFilters(kRewFile), current, "Front L");
  ASSERT_EQ(import.error, "");
  const std::vector<PeqSetting> expected = {
      {2, 6, -30},   // 100 Hz, Q 2, -3 dB
      {13, 9, 20},   // 1260 Hz to 1259.9Hz, Q 4.4 to 4.000, +2.25 dB to +2.0 dB
      {0, 0, -200},  // 40 Hz, Q 0.3, -25 dB: all at their ends
      {12, 3, 0},    // as it was
      {20, 9, 0},    // its frequency and Q kept, flat
      {20, 3, 0},   {24, 3, 0},
  };
  EXPECT_EQ(import.bands, expected);
  const std::vector<std::string> notes = {
      "Band 1 (filter 1, line 10): 100.0 Hz rounded to 99.2Hz.",
      "Band 2 (filter 3, line 12): 1260.0 Hz rounded to 1259.9Hz; Q 4.400 rounded to 4.000; gain "
      "2.25 dB rounded to 2.0dB.",
      "Band 3 (filter 5, line 14): 40.0 Hz is out of range, set to 62.5Hz; Q 0.300 is out of "
      "range, set to 0.500; gain -25.00 dB is out of range, set to -20.0dB.",
      "Band 5: no filter in the file, set to 0.0dB.",
  };
  EXPECT_EQ(import.rounded, notes);
}

TEST(RewFilters, WritesEachBandInRoomEqWizardsLayout) {
  const std::vector<PeqSetting> bands = {{0, 3, 0}, {9, 6, -35}, {24, 13, 60}};
  EXPECT_EQ(WriteRewFilters("Front L", bands),
            "Filter Settings file\n"
            "\n"
            "qamptool: parametric equaliser of the QR-K2600\n"
            "Channel: Front L\n"
            "\n"
            "Equaliser: Generic\n"
            "Filter  1: ON  PK       Fc    62.5 Hz  Gain   0.0 dB  Q  1.000\n"
            "Filter  2: ON  PK       Fc   500.0 Hz  Gain  -3.5 dB  Q  2.000\n"
            "Filter  3: ON  PK       Fc 16000.0 Hz  Gain   6.0 dB  Q 10.080\n");
}

TEST(RewFilters, ExportThenImportGivesBackEveryStepUnrounded) {
  // Every frequency, Q and gain step of the receiver, seven at a time.
  for (int start = 0; start < 25; start += 7) {
    std::vector<PeqSetting> bands;
    for (int i = 0; i < 7; ++i) {
      bands.push_back({(start + i) % 25, (start + i) % 14, -200 + 5 * ((start * 7 + i * 11) % 53)});
    }
    const std::string text = WriteRewFilters("Center", bands);
    const PeqImport import = RoundToReceiver(ParseRewFilters(text), DefaultBands(), "Center");
    ASSERT_EQ(import.error, "") << text;
    EXPECT_EQ(import.bands, bands) << text;
    EXPECT_TRUE(import.rounded.empty()) << text;
  }
}

TEST(RewFilters, AnImportIsStoredThroughThePageAndSentAsItsControlsSendIt) {
  PeqFixture f(ControlMode::kRealTime);
  f.page.ChooseCombo(CPEQSetPage::kChannelCombo, 1);  // Front L, channel code 2
  f.capture.Clear();
  std::vector<PeqSetting> bands = ShownParametricBands(f.page);
  ASSERT_EQ(bands, DefaultBands());
  EXPECT_EQ(ShownParametricChannel(f.page), "Front L");
  bands[0] = {2, 6, -30};  // 99.2Hz, Q 2.0, -3.0 dB
  bands[6].gain = 60;      // only the gain of band 7
  ApplyParametricBands(f.page, bands);
  EXPECT_EQ(ShownParametricBands(f.page), bands);
  // In the image, record 1.
  EXPECT_EQ(ReadRecordParameter(f.image(), 405, 1), 2);
  EXPECT_EQ(ReadRecordParameter(f.image(), 412, 1), 6);
  EXPECT_EQ(ReadRecordParameter(f.image(), 419, 1), -30);
  EXPECT_EQ(ReadRecordParameter(f.image(), 425, 1), 60);
  EXPECT_EQ(ReadRecordParameter(f.image(), 419, 0), 0);  // Center untouched
  // Each control that changed sends the band's command once, as a choice
  // or a released slider does; the last of band 1 carries all three.
  // Band 1 of Front L: "200B0341", "2", "0", frequency 2*2+12 = 0x10,
  // gain (-30+200)/5 = 0x22, Q 6.
  const Queue queued = f.Queued();
  ASSERT_EQ(queued.size(), 4u);  // three changes of band 1, one of band 7
  EXPECT_EQ(queued[0].second, 405);
  EXPECT_EQ(queued[1].second, 405);
  EXPECT_EQ(queued[2], (std::pair<std::string, ParamId>{"<DC4>200B03412010226F9<ETX>", 405}));
  EXPECT_EQ(queued[3].second, 411);
  // Nothing changes: nothing is sent.
  f.capture.Clear();
  ApplyParametricBands(f.page, bands);
  EXPECT_TRUE(f.Queued().empty());
}

}  // namespace
}  // namespace qamp
