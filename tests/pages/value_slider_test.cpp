// The shared value slider: upright positions, steps, range ends and texts.
#include <gtest/gtest.h>

#include "pages/value_slider.h"

namespace qamp {
namespace {

TEST(ValueSlider, TopOfTheTrackIsTheMaximum) {
  CValueSlider level;
  level.Setup("dB", -100, 100, 5, 0, kSliderTextUnit);
  EXPECT_EQ(level.MinPosition(), -20);
  EXPECT_EQ(level.MaxPosition(), 20);
  struct Case {
    int value;
    int position;
  };
  for (const Case c : {Case{100, -20}, Case{-100, 20}, Case{0, 0}, Case{-5, 1}, Case{35, -7}}) {
    level.SetValue(c.value);
    EXPECT_EQ(level.Position(), c.position) << c.value;
    EXPECT_EQ(level.Value(), c.value) << c.value;
  }

  CValueSlider distance;
  distance.Setup("", 30, 2400, 10, 300, kSliderTextUnit);
  EXPECT_EQ(distance.Position(), 3 + 240 - 30);
  distance.SetPosition(3);  // the top end
  EXPECT_EQ(distance.Value(), 2400);
  distance.SetPosition(240);
  EXPECT_EQ(distance.Value(), 30);
}

TEST(ValueSlider, StopsAtTheEndsAndShowsOnlyWholeSteps) {
  CValueSlider slider;
  slider.Setup("dB", -100, 100, 5, 250, kSliderTextUnit);
  EXPECT_EQ(slider.Value(), 100);  // the start value is held to the range too
  slider.SetValue(-1000);
  EXPECT_EQ(slider.Value(), -100);
  slider.SetPosition(-50);
  EXPECT_EQ(slider.Value(), 100);
  slider.SetValue(7);
  EXPECT_EQ(slider.Value(), 5);
  slider.SetValue(-7);
  EXPECT_EQ(slider.Value(), -5);

  Control control;
  slider.Describe(&control);
  EXPECT_EQ(control.minimum, -100);
  EXPECT_EQ(control.maximum, 100);
  EXPECT_EQ(control.step, 5);
  EXPECT_EQ(control.value, -5);
}

TEST(ValueSlider, ReadOutTextByMode) {
  struct Case {
    int value;
    int mode;
    const char* unit;
    const char* text;
  };
  const Case cases[] = {
      {-805, kSliderTextMute, "", "Mute"},
      {-804, kSliderTextMute, "", "-80.4dB"},
      {0, kSliderTextMute, "", "0.0dB"},
      {165, kSliderTextMute, "%", "16.5dB"},
      {-900, kSliderTextMute, "", "Mute"},
      {-810, kSliderTextOffMute, "", "Off"},
      {-809, kSliderTextOffMute, "", "Mute"},
      {-805, kSliderTextOffMute, "", "Mute"},
      {-804, kSliderTextOffMute, "", "-80.4dB"},
      {-5, kSliderTextUnit, "dB", "-0.5dB"},
      {-900, kSliderTextUnit, "dB", "-90.0dB"},
      {25, kSliderTextUnit, "%", "2.5%"},
      {100, 7, "ms", "10.0ms"},
      {-100, kSliderTextUnit, "", "-10.0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CValueSlider::TextOf(c.value, c.mode, c.unit), c.text) << c.value << " " << c.mode;
  }
  CValueSlider slider;
  slider.Setup("dB", -100, 100, 5, -10, kSliderTextUnit);
  EXPECT_EQ(slider.Text(), "-1.0dB");
}

}  // namespace
}  // namespace qamp
