#include "app/control_names.h"

#include <algorithm>
#include <set>

namespace qamp {

namespace {

std::string_view RoleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kRadioGroup:
      return "options";
    case ControlKind::kSlider:
      return "slider";
    case ControlKind::kCombo:
      return "combo box";
    case ControlKind::kCheckBox:
      return "check box";
    case ControlKind::kList:
      return "list";
    case ControlKind::kButton:
      return "button";
    case ControlKind::kReadOut:
      return "value";
    case ControlKind::kEdit:
      return "edit";
    case ControlKind::kFrame:
      return "frame";
    case ControlKind::kText:
      break;
  }
  return "text";
}

class UniqueNames {
 public:
  std::string Take(std::string name) {
    if (used_.insert(name).second) return name;
    for (int ordinal = 2;; ++ordinal) {
      std::string numbered = name + " (" + std::to_string(ordinal) + ")";
      if (used_.insert(numbered).second) return numbered;
    }
  }

 private:
  std::set<std::string> used_;
};

}  // namespace

bool IsHeading(const Control& control) {
  return control.kind == ControlKind::kText && !control.caption.empty() && control.text.empty() &&
         control.caption.find('\n') == std::string::npos && control.caption.front() != '*';
}

bool IsSliderReadOut(const std::vector<Control>& controls, size_t index) {
  return index > 0 && index < controls.size() && controls[index].kind == ControlKind::kReadOut &&
         controls[index - 1].kind == ControlKind::kSlider;
}

ControlNames NameControls(std::string_view pageCaption, const std::vector<Control>& controls) {
  ControlNames names;
  names.controls.resize(controls.size());
  names.buttons.resize(controls.size());
  UniqueNames unique;
  std::string heading(pageCaption);
  for (size_t i = 0; i < controls.size(); ++i) {
    const Control& control = controls[i];
    if (control.kind == ControlKind::kText) {
      if (IsHeading(control)) heading = control.caption;
      names.controls[i] = control.caption.empty() ? control.text : control.caption;
      continue;
    }
    std::string name;
    if (control.kind == ControlKind::kReadOut && IsSliderReadOut(controls, i)) {
      name = names.controls[i - 1] + " value";
    } else if (!control.caption.empty() && control.kind != ControlKind::kReadOut) {
      name = control.caption;
    } else {
      name = heading + " " + std::string(RoleOf(control.kind));
    }
    names.controls[i] = unique.Take(std::move(name));
    if (control.kind != ControlKind::kRadioGroup) continue;
    const size_t buttonCount = std::max(control.buttonIds.size(), control.items.size());
    for (size_t b = 0; b < buttonCount; ++b) {
      const std::string item = b < control.items.size() && !control.items[b].empty()
                                   ? control.items[b]
                                   : "option " + std::to_string(b + 1);
      names.buttons[i].push_back(unique.Take(names.controls[i] + ": " + item));
    }
  }
  return names;
}

}  // namespace qamp
