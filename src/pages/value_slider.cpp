#include "pages/value_slider.h"

#include <algorithm>

namespace qamp {

namespace {

// Below these the receiver's volumes are muted or switched off.
constexpr int kMuteBelow = -804;
constexpr int kOffBelow = -809;

}  // namespace

void CValueSlider::Setup(std::string_view unit, int minimum, int maximum, int step, int startValue,
                         int textMode) {
  unit_ = std::string(unit);
  step_ = std::max(step, 1);
  minPosition_ = minimum / step_;
  maxPosition_ = maximum / step_;
  textMode_ = textMode;
  SetValue(startValue);
}

void CValueSlider::SetPosition(int position) {
  position_ = std::clamp(position, minPosition_, std::max(minPosition_, maxPosition_));
}

std::string CValueSlider::TextOf(int value, int textMode, std::string_view unit) {
  if (textMode == kSliderTextOffMute && value < kOffBelow) return "Off";
  if ((textMode == kSliderTextMute || textMode == kSliderTextOffMute) && value < kMuteBelow) {
    return "Mute";
  }
  if (textMode == kSliderTextMute || textMode == kSliderTextOffMute) return TenthsText(value, "dB");
  return TenthsText(value, unit);
}

void CValueSlider::Describe(Control* control) const {
  if (control == nullptr) return;
  control->minimum = Minimum();
  control->maximum = Maximum();
  control->step = step_;
  control->value = Value();
}

}  // namespace qamp
