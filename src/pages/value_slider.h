// The value slider the pages share. The track bars stand upright, so their
// top end is the maximum value: a position counts down from the top while
// the value counts up. Positions are values divided by the step, so a
// slider only ever shows multiples of its step.
#pragma once

#include <string>
#include <string_view>

#include "pages/base_page.h"

namespace qamp {

// How a read-out shows a slider's value.
inline constexpr int kSliderTextUnit = 0;     // "%d.%d" and the unit text
inline constexpr int kSliderTextMute = 1;     // "Mute" below -80.4 dB, else decibels
inline constexpr int kSliderTextOffMute = 2;  // also "Off" below -80.9 dB

class CValueSlider {
 public:
  // Range and step in the value's own units (tenths of a decibel,
  // centimetres, ...); a step below 1 counts as 1.
  void Setup(std::string_view unit, int minimum, int maximum, int step, int startValue,
             int textMode);

  int Minimum() const { return minPosition_ * step_; }
  int Maximum() const { return maxPosition_ * step_; }
  int Step() const { return step_; }
  int MinPosition() const { return minPosition_; }
  int MaxPosition() const { return maxPosition_; }
  int Position() const { return position_; }
  // A track bar stops at the ends of its range.
  void SetPosition(int position);

  int Value() const { return (minPosition_ + maxPosition_ - position_) * step_; }
  void SetValue(int value) { SetPosition(minPosition_ + maxPosition_ - value / step_); }

  // What an attached read-out would show for the current value.
  std::string Text() const { return TextOf(Value(), textMode_, unit_); }
  static std::string TextOf(int value, int textMode, std::string_view unit);

  // Brings a slider's entry of the control description up to date.
  void Describe(Control* control) const;

 private:
  std::string unit_;
  int minPosition_ = 0;
  int maxPosition_ = 0;
  int step_ = 1;
  int position_ = 0;
  int textMode_ = kSliderTextUnit;
};

}  // namespace qamp
