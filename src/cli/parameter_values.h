// The values a parameter takes, as the texts its page writes, and the
// frames the program sends to set them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "cli/parameter_change.h"
#include "pages/page_set.h"

namespace qamp::cli {

// The stored values a control offers: a slider's range, a group's buttons,
// a list's entries, a box's two states.
struct StoredRange {
  int minimum = 0;
  int maximum = -1;
  int step = 1;
};

std::map<ParamId, StoredRange> ControlRanges(CPageSet& pages);

// Every value text the parameter's page writes for a value its control
// offers and reads back as that value, in the order of the values; empty
// for a parameter that holds a free text.
std::vector<std::string> ValueTexts(const CSettingImage& image,
                                    const CPageSet::Parameter& parameter,
                                    const std::map<ParamId, StoredRange>& ranges);

// A frame the program sends when the user sets a parameter to a value.
struct NamedWrite {
  std::string frame;
  std::string section;
  std::string key;
  std::string value;
};

// Every frame that setting each parameter to each of its values sends,
// each change made on the factory settings the way its page makes it.
std::vector<NamedWrite> WritesOfTheProgram(ControlMode mode, int region);

}  // namespace qamp::cli
