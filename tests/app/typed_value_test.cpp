// The one reading of a typed slider value every page view uses: the text
// read in the slider's units, exactly, and checked against its range and
// step; a refusal names the range and the units.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <optional>

#include "app/typed_value.h"

namespace qamp {
namespace {

Control SliderOf(int minimum, int maximum, int step, const char* caption = "") {
  Control slider;
  slider.kind = ControlKind::kSlider;
  slider.minimum = minimum;
  slider.maximum = maximum;
  slider.step = step;
  slider.caption = caption;
  return slider;
}

struct Case {
  const char* text;
  std::optional<int> value;
};

void ExpectReads(const Control& slider, const SliderUnits& units, const Case& c) {
  const TypedValue typed = ReadTypedValue(c.text, slider, units);
  EXPECT_EQ(typed.value, c.value) << '"' << c.text << '"';
  EXPECT_EQ(typed.problem.isEmpty(), c.value.has_value()) << '"' << c.text << '"';
}

const SliderUnits kTenthsOfDecibels{1, "dB", {}, {}};

TEST(TypedValue, TenthsOfADecibelInRangeOnTheStepWithOrWithoutTheUnit) {
  const Control slider = SliderOf(-100, 100, 5);
  const Case cases[] = {
      {"-10", -100},  {"10.0", 100}, {"+2.5", 25},   {" 0.5dB ", 5},   {"-0.50", -5}, {"3", 30},
      {"0", 0},       {"-10.5", {}}, {"10.5", {}},   {"2.3", {}},      {"2.25", {}},  {"abc", {}},
      {"", {}},       {"1..5", {}},  {"--1", {}},    {"99999999", {}}, {"-9.5", -95}, {"0.0000", 0},
      {"1.05", {}},   {"4.5db", 45}, {"4.5 dB", 45}, {"dB", {}},       {"-", {}},     {"1e3", {}},
      {"12.5.1", {}}, {"0.", 0},     {".5", {}},     {"5dB dB", {}},
  };
  for (const Case& c : cases) ExpectReads(slider, kTenthsOfDecibels, c);
}

TEST(TypedValue, RefusalsNameTheRangeTheStepAndTheUnits) {
  const Control slider = SliderOf(-100, 100, 5, "SW");
  const SliderUnits& dB = kTenthsOfDecibels;
  EXPECT_EQ(ReadTypedValue("12", slider, dB).problem,
            "12 is out of range: SW takes values from -10.0dB to 10.0dB.");
  EXPECT_EQ(ReadTypedValue("-10.5", slider, dB).problem,
            "-10.5 is out of range: SW takes values from -10.0dB to 10.0dB.");
  EXPECT_EQ(ReadTypedValue("2.3", slider, dB).problem,
            "2.3 is not on a step: SW moves in steps of 0.5dB from -10.0dB to 10.0dB.");
  // Finer than a tenth is off the step however it lands.
  EXPECT_EQ(ReadTypedValue("2.25", slider, dB).problem,
            "2.25 is not on a step: SW moves in steps of 0.5dB from -10.0dB to 10.0dB.");
  EXPECT_EQ(ReadTypedValue(" abc ", slider, dB).problem,
            "\"abc\" is not a value of SW, which takes values from -10.0dB to 10.0dB.");
  EXPECT_EQ(ReadTypedValue("  ", slider, dB).problem, "Type a value of SW from -10.0dB to 10.0dB.");
  // A name given wins over the caption.
  EXPECT_EQ(ReadTypedValue("12", slider, dB, "Speaker Level SW").problem,
            "12 is out of range: Speaker Level SW takes values from -10.0dB to 10.0dB.");
  // Out of range and off the step at once: the range is what to fix.
  EXPECT_TRUE(ReadTypedValue("10.3", slider, dB).problem.contains("out of range"));
}

TEST(TypedValue, WholeNumbersTheStepCountsFromTheMinimum) {
  // DSP parameters in their own units, without a unit: -60 to 60 by 5.
  const Control levels = SliderOf(-60, 60, 5, "Level");
  const SliderUnits plain;
  const Case cases[] = {
      {"-15", -15}, {" 60 ", 60}, {"-60", -60}, {"-12", {}}, {"2.5", {}}, {"65", {}},
      {"-65", {}},  {"abc", {}},  {"", {}},     {"+0", 0},   {"5.0", 5},
  };
  for (const Case& c : cases) ExpectReads(levels, plain, c);
  EXPECT_EQ(ReadTypedValue("-12", levels, plain).problem,
            "-12 is not on a step: Level moves in steps of 5 from -60 to 60.");
  EXPECT_EQ(ReadTypedValue("65", levels, plain).problem,
            "65 is out of range: Level takes values from -60 to 60.");
  EXPECT_TRUE(ReadTypedValue("2.5", levels, plain).problem.startsWith("2.5 is not on a step"));
  // From 10 by 2: 12 is on the step, 13 is not.
  const Control even = SliderOf(10, 50, 2);
  EXPECT_EQ(ReadTypedValue("12", even, plain).value, 12);
  EXPECT_EQ(ReadTypedValue("13", even, plain).value, std::nullopt);
  EXPECT_EQ(ReadTypedValue("10", even, plain).value, 10);
  EXPECT_EQ(ReadTypedValue("50", even, plain).value, 50);
  EXPECT_EQ(ReadTypedValue("52", even, plain).value, std::nullopt);
  // Milliseconds of a delay: the unit may follow the number.
  const Control delay = SliderOf(0, 240, 1, "Manual Delay");
  const SliderUnits ms{0, "ms", {}, {}};
  EXPECT_EQ(ReadTypedValue("240ms", delay, ms).value, 240);
  EXPECT_EQ(ReadTypedValue("0 ms", delay, ms).value, 0);
  EXPECT_EQ(ReadTypedValue("241", delay, ms).problem,
            "241 is out of range: Manual Delay takes values from 0ms to 240ms.");
  EXPECT_EQ(ReadTypedValue("-1", delay, ms).value, std::nullopt);
  EXPECT_EQ(ReadTypedValue("12dB", delay, ms).value, std::nullopt);
}

TEST(TypedValue, DistancesInMetresAndFeet) {
  // Centimetres typed in metres, two decimals; tenths of a foot in feet.
  const Control metres = SliderOf(0, 2400, 10, "FL");
  const SliderUnits m{2, "m", {}, {}};
  const Case inMetres[] = {
      {"3.5", 350}, {"3.50m", 350}, {"0", 0},      {"24", 2400},
      {"3.05", {}}, {"24.1", {}},   {"3.555", {}}, {"3.500", 350},
  };
  for (const Case& c : inMetres) ExpectReads(metres, m, c);
  EXPECT_EQ(ReadTypedValue("3.05", metres, m).problem,
            "3.05 is not on a step: FL moves in steps of 0.10m from 0.00m to 24.00m.");
  const Control feet = SliderOf(0, 800, 1, "FL");
  const SliderUnits ft{1, "ft", {}, {}};
  EXPECT_EQ(ReadTypedValue("10.5", feet, ft).value, 105);
  EXPECT_EQ(ReadTypedValue("10.5 FT", feet, ft).value, 105);
  EXPECT_EQ(ReadTypedValue("81", feet, ft).problem,
            "81 is out of range: FL takes values from 0.0ft to 80.0ft.");
  // A scale without decimals: centimetres in steps of 3 from 0.
  const Control cm = SliderOf(0, 240, 3);
  const SliderUnits whole{0, "cm", {}, {}};
  EXPECT_EQ(ReadTypedValue("9", cm, whole).value, 9);
  EXPECT_EQ(ReadTypedValue("10", cm, whole).value, std::nullopt);
  EXPECT_EQ(ReadTypedValue("9.5", cm, whole).value, std::nullopt);
  EXPECT_EQ(ReadTypedValue("243", cm, whole).value, std::nullopt);
}

TEST(TypedValue, WordsAndBalancesReadAsTheirReadOutsShowThem) {
  // A zone volume: "Mute" at its bottom.
  SliderUnits volume{1, "dB", {{"Mute", -805}}, {}};
  const Control zone = SliderOf(-805, 165, 5, "Zone2 Volume");
  const Case cases[] = {
      {"-12.5", -125}, {" 16.5 dB ", 165}, {"+3", 30},      {"1.50", 15}, {"0.05", {}},
      {"mute", -805},  {"MUTE", -805},     {"-80.5", -805}, {"-81", {}},
  };
  for (const Case& c : cases) ExpectReads(zone, volume, c);
  EXPECT_EQ(ReadTypedValue("-81 dB", zone, volume).problem,
            "-81 dB is out of range: Zone2 Volume takes values from -80.5dB to 16.5dB.");
  // A balance around 20: L and R count from the centre, a plain number too.
  SliderUnits balance;
  balance.words = {{"Mid", 20}};
  balance.balanceCentre = 20;
  const Control pan = SliderOf(0, 40, 1, "Zone3 Balance");
  const Case sides[] = {
      {"L3", 17},  {"r5", 25},  {"R 4", 24},  {"Mid", 20}, {"-20", 0}, {"20", 40},
      {"L-3", {}}, {"L21", {}}, {"R2.5", {}}, {"LR", {}},  {"L", {}},
  };
  for (const Case& c : sides) ExpectReads(pan, balance, c);
  EXPECT_EQ(ReadTypedValue("L21", pan, balance).problem,
            "L21 is out of range: Zone3 Balance takes values from L20 to R20.");
  EXPECT_EQ(ReadTypedValue("R2.5", pan, balance).problem,
            "R2.5 is not on a step: Zone3 Balance moves in steps of 1 from L20 to R20.");
}

TEST(TypedValue, TheEditOpensWithTheValueInTheSlidersUnits) {
  EXPECT_EQ(ValueText(-125, kTenthsOfDecibels), "-12.5");
  EXPECT_EQ(ValueText(-5, kTenthsOfDecibels), "-0.5");
  EXPECT_EQ(ValueText(0, kTenthsOfDecibels), "0.0");
  EXPECT_EQ(ValueText(7, {}), "7");
  EXPECT_EQ(ValueText(-7, {}), "-7");
  EXPECT_EQ(ValueText(5, {2, "m", {}, {}}), "0.05");
  EXPECT_EQ(ValueText(-810, {1, "dB", {{"Off", -810}, {"Mute", -805}}, {}}), "Off");
  EXPECT_EQ(ValueText(-805, {1, "dB", {{"Off", -810}, {"Mute", -805}}, {}}), "Mute");
  EXPECT_EQ(ValueText(-800, {1, "dB", {{"Off", -810}, {"Mute", -805}}, {}}), "-80.0");
  SliderUnits balance;
  balance.balanceCentre = 20;
  EXPECT_EQ(ValueText(17, balance), "L3");
  EXPECT_EQ(ValueText(20, balance), "Mid");
  EXPECT_EQ(ValueText(40, balance), "R20");
  EXPECT_EQ(WrittenValue(-125, kTenthsOfDecibels), "-12.5dB");
  EXPECT_EQ(WrittenValue(-805, {1, "dB", {{"Mute", -805}}, {}}), "-80.5dB");
}

// --- The read-out ------------------------------------------------------------------------

struct ReadOutOnScreen {
  ReadOutOnScreen() : slider(SliderOf(-100, 100, 5, "SW")) {
    slider.enabled = true;
    slider.visible = true;
    readOut = new CTypedReadOut(
        kTenthsOfDecibels, [this] { return &slider; }, &window);
    readOut->SetSliderName("Speaker Level SW");
    readOut->onValue = [this](int value) { taken.push_back(value); };
    readOut->setText("1.0dB");
    readOut->resize(90, 24);
    window.show();
    QApplication::processEvents();
  }
  QWidget window;
  Control slider;
  CTypedReadOut* readOut = nullptr;
  std::vector<int> taken;
};

TEST(TypedReadOut, EnterOrADoubleClickOpensTheEditWithTheValueAndEnterHandsItOn) {
  ReadOutOnScreen r;
  r.slider.value = 10;
  r.readOut->setFocus();
  QTest::keyClick(r.readOut, Qt::Key_Return);
  ASSERT_TRUE(r.readOut->IsTyping());
  EXPECT_EQ(r.readOut->Editor()->text(), "1.0");
  EXPECT_EQ(r.readOut->Editor()->accessibleName(), "Speaker Level SW typed value");
  r.readOut->Editor()->selectAll();
  QTest::keyClicks(r.readOut->Editor(), "-7.5dB");
  QTest::keyClick(r.readOut->Editor(), Qt::Key_Return);
  EXPECT_FALSE(r.readOut->IsTyping());
  EXPECT_EQ(r.taken, std::vector<int>{-75});
  EXPECT_TRUE(r.readOut->LastRefusal().isEmpty());

  QTest::mouseDClick(r.readOut, Qt::LeftButton);
  ASSERT_TRUE(r.readOut->IsTyping());
}

TEST(TypedReadOut, ARefusalIsShownUnderTheReadOutAndTheEditStaysOpenUntilEscape) {
  ReadOutOnScreen r;
  r.readOut->BeginTyping();
  ASSERT_TRUE(r.readOut->IsTyping());
  for (const char* typed : {"3.3", "10.5", "", "loud"}) {
    r.readOut->Editor()->clear();
    QTest::keyClicks(r.readOut->Editor(), typed);
    QTest::keyClick(r.readOut->Editor(), Qt::Key_Return);
    EXPECT_TRUE(r.readOut->IsTyping()) << typed;
    EXPECT_FALSE(r.readOut->LastRefusal().isEmpty()) << typed;
    EXPECT_EQ(r.readOut->ProblemLabel()->text(), r.readOut->LastRefusal()) << typed;
    EXPECT_TRUE(r.readOut->LastRefusal().contains("Speaker Level SW")) << typed;
  }
  EXPECT_TRUE(r.taken.empty());
  QTest::keyClick(r.readOut->Editor(), Qt::Key_Escape);
  EXPECT_FALSE(r.readOut->IsTyping());
  EXPECT_TRUE(r.readOut->LastRefusal().isEmpty());
  EXPECT_TRUE(r.readOut->ProblemLabel()->text().isEmpty());
  EXPECT_TRUE(r.taken.empty());
}

TEST(TypedReadOut, NoEditAndNothingTakenForADisabledOrHiddenSlider) {
  ReadOutOnScreen r;
  r.slider.enabled = false;
  r.readOut->BeginTyping();
  EXPECT_FALSE(r.readOut->IsTyping());
  EXPECT_EQ(r.readOut->Enter("5"), "");
  r.slider.enabled = true;
  r.slider.visible = false;
  r.readOut->BeginTyping();
  EXPECT_FALSE(r.readOut->IsTyping());
  // Disabled while the edit is open: Enter takes nothing.
  r.slider.visible = true;
  r.readOut->BeginTyping();
  ASSERT_TRUE(r.readOut->IsTyping());
  r.slider.enabled = false;
  r.readOut->Editor()->setText("5");
  QTest::keyClick(r.readOut->Editor(), Qt::Key_Return);
  EXPECT_FALSE(r.readOut->IsTyping());
  EXPECT_TRUE(r.taken.empty());
}

}  // namespace
}  // namespace qamp
