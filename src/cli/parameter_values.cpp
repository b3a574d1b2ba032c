#include "cli/parameter_values.h"

#include <algorithm>
#include <set>

#include "model/ini_file.h"
#include "model/parameter_map.h"
#include "model/parameter_store.h"
#include "pages/user_change.h"
#include "session/command_capture.h"

namespace qamp::cli {

std::map<ParamId, StoredRange> ControlRanges(CPageSet& pages) {
  std::vector<CBasePage*> all = {&pages.BasicControl()};
  all.insert(all.end(), pages.Pages().begin(), pages.Pages().end());
  std::map<ParamId, StoredRange> ranges;
  for (const CBasePage* page : all) {
    for (const Control& control : page->Controls()) {
      if (control.param == 0) continue;
      StoredRange range;
      switch (control.kind) {
        case ControlKind::kSlider:
          range = {control.minimum, control.maximum, std::max(1, control.step)};
          break;
        case ControlKind::kRadioGroup:
          range = {
              0, static_cast<int>(std::max(control.buttonIds.size(), control.items.size())) - 1, 1};
          break;
        case ControlKind::kCombo:
          range = {0, static_cast<int>(control.items.size()) - 1, 1};
          break;
        case ControlKind::kCheckBox:
          range = {0, 1, 1};
          break;
        default:
          continue;
      }
      if (range.maximum >= range.minimum) ranges.emplace(control.param, range);
    }
  }
  return ranges;
}

// Every value text the parameter's page writes for a value its control
// offers and reads back as that value, in the order of the values; empty
// for a parameter that holds a free text.
std::vector<std::string> ValueTexts(const CSettingImage& image,
                                    const CPageSet::Parameter& parameter,
                                    const std::map<ParamId, StoredRange>& ranges) {
  const auto range = ranges.find(parameter.id);
  if (range == ranges.end()) return {};
  const bool keyed =
      GroupOf(parameter.id) == GroupKind::kGeq || GroupOf(parameter.id) == GroupKind::kPeq;
  std::vector<std::string> texts;
  std::set<std::string> seen;

  constexpr int kMostValues = 4096;
  int tried = 0;
  // A choice's stored values are codes that need not be the positions of
  // its entries: every byte is tried, and the page's own reading decides.
  StoredRange tries = range->second;
  if (tries.step == 1 && tries.maximum < 256) {
    tries.minimum = std::min(tries.minimum, 0);
    tries.maximum = 255;
  }
  for (int value = tries.minimum; value <= tries.maximum && tried < kMostValues;
       value += tries.step, ++tried) {
    CSettingImage copy = image;
    if (keyed) {
      StoreRecordParameter(copy, parameter.id, parameter.subIndex, value);
    } else {
      StoreParameter(copy, parameter.id, value);
    }
    std::string text;
    parameter.page->GetParamText(copy, parameter.id, parameter.subIndex, nullptr, nullptr, &text,
                                 false);
    if (text.empty() || seen.contains(text)) continue;
    // Only a text that, read back as a file reads it, holds that value.
    MemoryIniFile file;
    file.Write("Section", "Key", text);
    CSettingImage back = copy;
    if (!parameter.page->SetParamFromText(back, parameter.id, parameter.subIndex,
                                          file.Read("Section", "Key").value_or("")) ||
        back != copy) {
      continue;
    }
    seen.insert(text);
    texts.push_back(text);
  }
  return texts;
}

std::vector<NamedWrite> WritesOfTheProgram(ControlMode mode, int region) {
  std::vector<NamedWrite> writes;
  CommandCapture listing(mode, region);
  QuietPageHost listingHost;
  CPageSet all(listing.Link(), listingHost);
  const std::map<ParamId, StoredRange> ranges = ControlRanges(all);
  const CSettingImage& defaults = listing.Link().CurrentImage();
  for (const CPageSet::Parameter& listed : all.AllParameters()) {
    std::string section;
    std::string key;
    std::string held;
    listed.page->GetParamText(defaults, listed.id, listed.subIndex, &section, &key, &held, false);
    if (key.empty()) continue;
    std::vector<std::string> texts = ValueTexts(defaults, listed, ranges);
    if (texts.empty()) continue;
    // The value held first sends nothing until another was set.
    texts.push_back(held);
    CommandCapture capture(mode, region);
    QuietPageHost host;
    ChangeFrequencyChooser frequencies;
    CPageSet pages(capture.Link(), host, &frequencies);
    pages.FirstLayout();
    pages.RefreshAll();
    auto parameter = pages.FindParameter(section, key, capture.Link().CurrentImage());
    if (!parameter) continue;
    parameter->page->SetActive(true);
    for (const std::string& text : texts) {
      capture.Clear();
      const UserChangeResult result =
          ApplyUserChange(capture.Link(), pages, *parameter, text, &frequencies);
      (void)result;
      for (const std::string& frame : capture.Frames())
        writes.push_back({frame, section, key, text});
    }
  }
  return writes;
}

}  // namespace qamp::cli
