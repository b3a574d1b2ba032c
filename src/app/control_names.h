// The names a screen reader (and a test) finds the controls of a page by.
// A control is named by the caption a user sees on it or beside it; a
// control that has none takes the caption of the nearest heading above it
// (or the page's caption) and its role. A radio button is named by its
// group and its own caption ("Surround Back: None"). Names are unique
// within a page: a repeated name takes its ordinal ("Flat (2)").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pages/base_page.h"

namespace qamp {

struct ControlNames {
  // One per control, in the order of the page's controls; a text's entry
  // is its own caption or text and takes no part in the uniqueness.
  std::vector<std::string> controls;
  // One list per control: the names of a radio group's buttons, empty for
  // every other kind.
  std::vector<std::vector<std::string>> buttons;
};

ControlNames NameControls(std::string_view pageCaption, const std::vector<Control>& controls);

// A text with a single-line caption and nothing else is a heading over the
// controls that follow it.
bool IsHeading(const Control& control);
// A read-out that directly follows a slider shows that slider's value.
bool IsSliderReadOut(const std::vector<Control>& controls, size_t index);

}  // namespace qamp
