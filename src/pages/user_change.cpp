#include "pages/user_change.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/parameter_store.h"
#include "model/vocabulary.h"
#include "pages/dsp_parameters_page.h"
#include "pages/input_dsp_page.h"
#include "pages/input_rename_page.h"
#include "pages/io_assign_page.h"
#include "pages/parametric_eq_page.h"
#include "pages/xm_set_page.h"

namespace qamp {

namespace {

using Parameter = CPageSet::Parameter;

std::string ValueText(const Parameter& parameter, const CSettingImage& image) {
  std::string value;
  parameter.page->GetParamText(image, parameter.id, parameter.subIndex, nullptr, nullptr, &value,
                               false);
  return value;
}

std::string NameOf(const Parameter& parameter, const CSettingImage& image) {
  std::string section;
  std::string key;
  parameter.page->GetParamText(image, parameter.id, parameter.subIndex, &section, &key, nullptr,
                               false);
  return section + " / " + key;
}

bool IsRecordParameter(ParamId id) {
  const ParamLocation::Type type = LocateParam(id).type;
  return type == ParamLocation::Type::kGeqRecord || type == ParamLocation::Type::kPeqRecord;
}

int RawValue(const Parameter& parameter, const CSettingImage& image) {
  return IsRecordParameter(parameter.id)
             ? ReadRecordParameter(image, parameter.id, parameter.subIndex)
             : ReadParameter(image, parameter.id);
}

void StoreRaw(const Parameter& parameter, CSettingImage& image, int value) {
  if (IsRecordParameter(parameter.id)) {
    StoreRecordParameter(image, parameter.id, parameter.subIndex, value);
  } else {
    StoreParameter(image, parameter.id, value);
  }
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A written text as a person would type it: names are written in quotation
// marks and padded with blanks, which nobody types.
std::string_view AsTyped(std::string_view written) {
  written = Trimmed(written);
  if (written.size() >= 2 && written.front() == '"' && written.back() == '"') {
    written = Trimmed(written.substr(1, written.size() - 2));
  }
  return written;
}

// The first number in a text ("-20dB" gives -20, "L3" gives 3), if any.
std::optional<double> NumberIn(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (!digit) continue;
    size_t start = i;
    if (start > 0 && text[start - 1] == '.') --start;
    if (start > 0 && text[start - 1] == '-') --start;
    size_t end = i;
    while (end < text.size() && ((text[end] >= '0' && text[end] <= '9') || text[end] == '.')) ++end;
    return std::strtod(std::string(text.substr(start, end - start)).c_str(), nullptr);
  }
  return std::nullopt;
}

char Folded(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      const size_t cost = Folded(a[i - 1]) == Folded(b[j - 1]) ? 0 : 1;
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + cost});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The controls of the page that show the parameter (a radio group, combo
// box, slider, check box or edit field), in the page's order.
std::vector<const Control*> ControlsOf(const CBasePage& page, ParamId id) {
  std::vector<const Control*> controls;
  for (const Control& control : page.Controls()) {
    if (control.param != id) continue;
    switch (control.kind) {
      case ControlKind::kRadioGroup:
      case ControlKind::kCombo:
      case ControlKind::kSlider:
      case ControlKind::kCheckBox:
      case ControlKind::kEdit:
        controls.push_back(&control);
        break;
      default:
        break;
    }
  }
  return controls;
}

// Every text the page writes for the parameter that its controls offer.
std::vector<std::string> OfferedTexts(const Parameter& parameter, const CSettingImage& image) {
  std::vector<std::string> texts;
  CSettingImage trial = image;
  auto add = [&texts](std::string text) {
    if (!text.empty() && std::find(texts.begin(), texts.end(), text) == texts.end())
      texts.push_back(std::move(text));
  };
  for (const Control* control : ControlsOf(*parameter.page, parameter.id)) {
    if (control->kind == ControlKind::kSlider && control->step > 0) {
      for (int value = control->minimum; value <= control->maximum; value += control->step) {
        StoreRaw(parameter, trial, value);
        add(ValueText(parameter, trial));
      }
    } else if (control->kind == ControlKind::kRadioGroup || control->kind == ControlKind::kCombo) {
      for (const std::string& item : control->items) {
        CSettingImage copy = image;
        if (parameter.page->SetParamFromText(copy, parameter.id, parameter.subIndex, item)) {
          add(ValueText(parameter, copy));
        }
      }
    } else if (control->kind == ControlKind::kCheckBox) {
      for (const int value : {0, 1}) {
        StoreRaw(parameter, trial, value);
        add(ValueText(parameter, trial));
      }
    }
  }
  return texts;
}

std::string Nearest(std::string_view typed, const std::vector<std::string>& candidates) {
  if (candidates.empty()) return {};
  if (const std::optional<double> number = NumberIn(typed)) {
    const std::string* best = nullptr;
    double bestDistance = 0;
    for (const std::string& candidate : candidates) {
      const std::optional<double> theirs = NumberIn(candidate);
      if (!theirs) continue;
      const double distance = std::fabs(*theirs - *number);
      if (best == nullptr || distance < bestDistance) {
        best = &candidate;
        bestDistance = distance;
      }
    }
    if (best != nullptr) return *best;
  }
  const std::string* best = &candidates.front();
  size_t bestDistance = EditDistance(typed, *best);
  for (const std::string& candidate : candidates) {
    const size_t distance = EditDistance(typed, candidate);
    if (distance < bestDistance) {
      best = &candidate;
      bestDistance = distance;
    }
  }
  return *best;
}

bool OnSheet(CPageSet& pages, const CBasePage* page) {
  // The Parametric EQ page is never on the sheet, yet its controls are the
  // ones the window shows for it.
  if (page == &pages.BasicControl() || page == &pages.ParametricEq()) return true;
  const std::vector<CBasePage*> sheet = pages.SheetPages();
  return std::find(sheet.begin(), sheet.end(), page) != sheet.end();
}

// --- The user actions --------------------------------------------------------------

struct Action {
  UserChangeOutcome outcome = UserChangeOutcome::kApplied;  // kApplied: the action was taken
  std::string reason;
  // Where the change shows when not in the parameter itself (a program
  // chosen on the control panel in Real Time Mode).
  std::optional<Parameter> shownBy;
};

Action NoAction(std::string reason) {
  return {UserChangeOutcome::kNoUserAction, std::move(reason), std::nullopt};
}
Action Refused(std::string reason) {
  return {UserChangeOutcome::kRefused, std::move(reason), std::nullopt};
}

int IndexOf(const Control& control, const std::string& wanted, int raw) {
  const int index = FindText(control.items, AsTyped(wanted));
  if (index >= 0) return index;
  const int exact = FindText(control.items, wanted);
  if (exact >= 0) return exact;
  return raw >= 0 && raw < static_cast<int>(control.items.size()) ? raw : -1;
}

// The program choice of the control panel: Straight, or a program from
// the list after "DSP Program" where Straight was chosen.
Action ChooseProgramOnPanel(CBasicControl& panel, int program) {
  const Control* radio = panel.FindControl(CBasicControl::kProgramRadio);
  if (program == kStraightProgram) {
    panel.ClickStraightRadio();
    return {};
  }
  if (radio->value == 1) {
    if (!radio->itemEnabled.empty() && !radio->itemEnabled[0]) {
      return Refused("the input MULTI CH plays no sound program");
    }
    panel.ClickProgramRadio();
  }
  if (!panel.FindControl(CBasicControl::kProgramCombo)->enabled) {
    return Refused("the program list is disabled for the current input");
  }
  panel.ChooseProgram(program);
  return {};
}

Action OnBasicControl(CBasicControl& panel, const Parameter& parameter, const CSettingImage& trial,
                      const std::string& wanted) {
  const int raw = ReadParameter(trial, parameter.id);
  auto choose = [&](int comboId, auto&& act) -> Action {
    const Control* combo = panel.FindControl(comboId);
    const int index = IndexOf(*combo, wanted, raw);
    if (index < 0) return Refused("the receiver's list offers no " + wanted);
    act(index);
    return {};
  };
  switch (parameter.id) {
    case 1:
      return choose(CBasicControl::kInputCombo, [&](int i) { panel.ChooseInput(i); });
    case 2:
      return choose(CBasicControl::kAudioSelectCombo, [&](int i) { panel.ChooseAudioSelect(i); });
    case 3:
      return choose(CBasicControl::kDecoderModeCombo, [&](int i) { panel.ChooseDecoderMode(i); });
    case 4:
      return ChooseProgramOnPanel(panel, raw);
    case 5:
      return choose(CBasicControl::kExtdSurroundCombo, [&](int i) { panel.ChooseExtdSurround(i); });
    case 6:
      panel.MoveVolume(raw);
      panel.ReleaseVolume();
      return {};
    case 7:
      panel.SetMute(raw != 0);
      return {};
    case 8:
      panel.SetPureDirect(raw != 0);
      return {};
    default:
      return NoAction("the control panel has no control for it");
  }
}

Action OnInputDsp(CCommClass& link, CPageSet& pages, CInputDsp& page, const Parameter& parameter,
                  const std::string& wanted) {
  std::string key;
  page.GetParamText(link.CurrentImage(), parameter.id, parameter.subIndex, nullptr, &key, nullptr,
                    false);
  const int input = FindText(page.FindControl(CInputDsp::kInputList)->items, key);
  if (input < 0) return NoAction("the page lists no input " + key);
  const int program =
      wanted == "Straight" ? kStraightProgram : FindText(ProgramNames(), std::string(wanted));
  if (program < 0) return Refused("no sound program is called " + wanted);
  if (link.IsRealTimeMode()) {
    // The page is not shown in Real Time Mode: what an input plays is
    // chosen on the control panel while the receiver plays that input.
    CBasicControl& panel = pages.BasicControl();
    if (panel.CurrentInput() != input) {
      return NoAction(
          "in Real Time Mode the program of an input is chosen on the control panel while it is "
          "the current input (Basic Control / Input " +
          key + " first)");
    }
    Action action = ChooseProgramOnPanel(panel, program);
    action.shownBy = Parameter{&panel, 4, -1};  // the panel's "DSP Program"
    return action;
  }
  page.SelectListRow(CInputDsp::kInputList, input);
  if (program == kStraightProgram) {
    page.ClickRadio(CInputDsp::kStraightRadio);
    return {};
  }
  if (page.FindControl(CInputDsp::kDspProgramRadio)->value == 1) {
    page.ClickRadio(CInputDsp::kDspProgramRadio);
  }
  page.ChooseCombo(CInputDsp::kProgramCombo, program);
  return {};
}

Action OnInputRename(CInputSetUp& page, const Parameter& parameter, const CSettingImage& trial,
                     const CSettingImage& image) {
  std::string key;
  page.GetParamText(image, parameter.id, parameter.subIndex, nullptr, &key, nullptr, false);
  const int row = FindText(page.FindControl(CInputSetUp::kInputList)->items, key);
  if (row < 0) return NoAction("the page lists no input " + key);
  page.SelectListRow(CInputSetUp::kInputList, row);
  page.EnterText(CInputSetUp::kNameEdit, ReadText(trial, parameter.id));
  page.PressButton(CInputSetUp::kEnterButton);
  return {};
}

Action OnDspParameters(CCommClass& link, CInputDspParam& page, const Parameter& parameter,
                       const CSettingImage& trial, const std::string& wanted) {
  int program = -1;
  for (int candidate = 0; candidate < kProgramCount && program < 0; ++candidate) {
    std::vector<ParamId> ids;
    std::vector<int> subIndices;
    page.GetParamList(ids, subIndices, true, candidate);
    if (std::find(ids.begin(), ids.end(), parameter.id) != ids.end()) program = candidate;
  }
  if (program < 0) return NoAction("no sound program has it");
  if (page.ShownProgram() != program) {
    if (!page.FindControl(CInputDspParam::kProgramCombo)->enabled) {
      return NoAction("in Real Time Mode the page shows the program the receiver plays; choose " +
                      std::string(kPrograms[static_cast<size_t>(program)].name) +
                      " first (Basic Control / DSP Program)");
    }
    page.ChooseCombo(CInputDspParam::kProgramCombo, program);
  }
  auto rowOf = [&page, &parameter] {
    const std::vector<ParamId> shown = page.ShownIds();
    const auto at = std::find(shown.begin(), shown.end(), parameter.id);
    return at == shown.end() ? -1 : static_cast<int>(at - shown.begin());
  };
  if (rowOf() < 0) page.SelectListRow(CInputDspParam::kTriQuadList, 1 - page.TriQuad());
  const int row = rowOf();
  if (row < 0) return NoAction("the page does not list it for the current decoder setting");
  page.SelectListRow(CInputDspParam::kNameList, row);
  const int slider = CInputDspParam::kFirstSlider + row;
  const Control* control = page.FindControl(slider);
  const int raw = ReadParameter(trial, parameter.id);
  if (control != nullptr && control->visible && control->enabled &&
      control->param == parameter.id) {
    page.MoveSlider(slider, raw);
    page.ReleaseSlider(slider);
    return {};
  }
  // A row without a slider steps with the Up and Down buttons.
  const CSettingImage& live = link.CurrentImage();
  constexpr int kStepLimit = 256;
  for (int press = 0; press < kStepLimit && ValueText(parameter, live) != wanted; ++press) {
    const int before = ReadParameter(live, parameter.id);
    page.PressButton(raw > before ? CInputDspParam::kUpButton : CInputDspParam::kDownButton);
    if (ReadParameter(live, parameter.id) == before) break;
  }
  return {};
}

Action OnTunerSet(CTunerSetPage& page, const Parameter& parameter, const CSettingImage& trial,
                  const std::string& wanted, ChangeFrequencyChooser* frequencies) {
  if (frequencies == nullptr) return NoAction("a frequency is chosen in the Frequency dialog");
  constexpr int kPresetsPerPage = 8;
  const int preset = parameter.id - CTunerSetPage::kFirstPresetId;
  page.ChooseCombo(CTunerSetPage::kPageCombo,
                   parameter.id == CTunerSetPage::kCurrentId ? 0 : 1 + preset / kPresetsPerPage);
  if (parameter.id != CTunerSetPage::kCurrentId) {
    page.SelectListRow(CTunerSetPage::kPresetList, preset % kPresetsPerPage);
  }
  frequencies->Expect(ReadText(trial, parameter.id));
  page.PressButton(wanted.starts_with("AM") ? CTunerSetPage::kAmButton : CTunerSetPage::kFmButton);
  frequencies->Clear();
  return {};
}

Action OnXmSet(CXmSetPage& page, const Parameter& parameter, const CSettingImage& trial) {
  constexpr int kPresetsPerPage = 8;
  const int preset = parameter.id - CXmSetPage::kFirstId;
  if (!page.FindControl(CXmSetPage::kPresetList)->enabled) {
    return Refused("the presets are closed on this receiver");
  }
  page.ChooseCombo(CXmSetPage::kPageCombo, preset / kPresetsPerPage);
  page.SelectListRow(CXmSetPage::kPresetList, preset % kPresetsPerPage);
  page.EnterText(CXmSetPage::kStationEdit, std::to_string(ReadParameter(trial, parameter.id)));
  page.PressButton(CXmSetPage::kEnterButton);
  return {};
}

Action OnIoAssign(CIOAssign& page, const Parameter& parameter, const CSettingImage& trial,
                  const CSettingImage& image, const std::string& wanted) {
  std::string key;
  page.GetParamText(image, parameter.id, parameter.subIndex, nullptr, &key, nullptr, false);
  const int port = FindText(page.FindControl(CIOAssign::kPortList)->items, key);
  if (port < 0) return NoAction("the page lists no port " + key);
  const int input =
      IndexOf(*page.FindControl(CIOAssign::kInputList), wanted, ReadParameter(trial, parameter.id));
  if (input < 0) return Refused("the Select list offers no " + wanted);
  page.SelectListRow(CIOAssign::kPortList, port);
  page.SelectListRow(CIOAssign::kInputList, input);
  page.PressButton(CIOAssign::kSelectButton);
  return {};
}

Action OnControls(const Parameter& parameter, const CSettingImage& trial, const std::string& wanted,
                  const std::string& typed) {
  CBasePage& page = *parameter.page;
  const std::vector<const Control*> controls = ControlsOf(page, parameter.id);
  if (controls.empty()) return NoAction("no control of the page changes it directly");
  // Where a parameter has more than one control (a program radio and its
  // list), the one that takes the value is the one that offers it.
  const Control* control = controls.front();
  const int raw = RawValue(parameter, trial);
  for (const Control* candidate : controls) {
    if ((candidate->kind == ControlKind::kCombo || candidate->kind == ControlKind::kRadioGroup) &&
        IndexOf(*candidate, wanted, -1) >= 0) {
      control = candidate;
      break;
    }
  }
  if (!control->visible) return NoAction("its control is not shown for this receiver");
  if (!control->enabled) return Refused("its control is disabled while the page stands as it does");
  switch (control->kind) {
    case ControlKind::kRadioGroup: {
      const int index = IndexOf(*control, wanted, raw);
      if (index < 0) return Refused("no button of the group stands for " + wanted);
      if (!control->itemEnabled.empty() && !control->itemEnabled[static_cast<size_t>(index)]) {
        return Refused("the button " + control->items[static_cast<size_t>(index)] +
                       " is disabled while the page stands as it does");
      }
      page.ClickRadio(control->buttonIds[static_cast<size_t>(index)]);
      return {};
    }
    case ControlKind::kCombo: {
      const int index = IndexOf(*control, wanted, raw);
      if (index < 0) return Refused("the list offers no " + wanted);
      page.ChooseCombo(control->id, index);
      return {};
    }
    case ControlKind::kSlider:
      page.MoveSlider(control->id, raw);
      page.ReleaseSlider(control->id);
      return {};
    case ControlKind::kCheckBox:
      page.SetCheck(control->id, raw != 0);
      return {};
    case ControlKind::kEdit:
      page.EnterText(control->id, typed);
      return {};
    default:
      return NoAction("no control of the page changes it directly");
  }
}

}  // namespace

std::optional<std::string> ChangeFrequencyChooser::Choose(CFrequencyDialog& dialog) {
  if (!expected_) return std::nullopt;
  const int row = FindText(dialog.Entries(), *expected_);
  if (row < 0) return std::nullopt;
  return dialog.DoubleClickRow(row);
}

UserChangeResult ApplyUserChange(CCommClass& link, CPageSet& pages, const Parameter& parameter,
                                 std::string_view valueText, ChangeFrequencyChooser* frequencies) {
  UserChangeResult result;
  result.holder = parameter;
  CSettingImage& live = link.CurrentImage();
  const std::string before = ValueText(parameter, live);
  CSettingImage trial = live;
  if (parameter.page == nullptr ||
      !parameter.page->SetParamFromText(trial, parameter.id, parameter.subIndex, valueText)) {
    result.value = before;
    return result;
  }
  const std::string wanted = ValueText(parameter, trial);
  CBasePage* page = parameter.page;
  Action action;
  if (auto* inputDsp = dynamic_cast<CInputDsp*>(page)) {
    action = OnInputDsp(link, pages, *inputDsp, parameter, wanted);
  } else if (!OnSheet(pages, page)) {
    action = NoAction("the page " + page->Caption() + " is not shown in this mode and region");
  } else if (page == &pages.BasicControl()) {
    action = OnBasicControl(pages.BasicControl(), parameter, trial, wanted);
  } else if (auto* rename = dynamic_cast<CInputSetUp*>(page)) {
    action = OnInputRename(*rename, parameter, trial, live);
  } else if (auto* dsp = dynamic_cast<CInputDspParam*>(page)) {
    action = OnDspParameters(link, *dsp, parameter, trial, wanted);
  } else if (auto* tuner = dynamic_cast<CTunerSetPage*>(page)) {
    action = OnTunerSet(*tuner, parameter, trial, wanted, frequencies);
  } else if (auto* xm = dynamic_cast<CXmSetPage*>(page)) {
    action = OnXmSet(*xm, parameter, trial);
  } else if (auto* assign = dynamic_cast<CIOAssign*>(page)) {
    action = OnIoAssign(*assign, parameter, trial, live, wanted);
  } else {
    // Pages with a record per channel show the parameter's channel first.
    if (parameter.subIndex >= 0) page->SelectSubIndex(parameter.subIndex);
    action = OnControls(parameter, trial, wanted, std::string(AsTyped(valueText)));
  }
  const Parameter& shown = action.shownBy.value_or(parameter);
  result.holder = shown;
  result.value = ValueText(shown, live);
  if (action.outcome != UserChangeOutcome::kApplied) {
    result.outcome = action.outcome;
    result.reason = NameOf(parameter, live) + ": " + action.reason;
    return result;
  }
  if (result.value == wanted) {
    result.outcome = UserChangeOutcome::kApplied;
    return result;
  }
  result.outcome = UserChangeOutcome::kRefused;
  result.reason = NameOf(shown, live) + (result.value == before ? " stays " : " became ") +
                  result.value + ": the page did not take " + wanted;
  return result;
}

TypedValue CheckTypedValue(CCommClass& link, const Parameter& parameter, std::string_view typed) {
  TypedValue check;
  check.text = std::string(Trimmed(typed));
  for (const char c : check.text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7E) {
      check.problem = "the receiver shows letters, digits, blanks and ASCII signs only";
      return check;
    }
  }
  const CSettingImage& image = link.CurrentImage();
  CSettingImage trial = image;
  if (parameter.page != nullptr &&
      parameter.page->SetParamFromText(trial, parameter.id, parameter.subIndex, check.text)) {
    check.meaning = ValueText(parameter, trial);
  }
  check.exact = !check.meaning.empty() && AsTyped(check.meaning) == check.text;
  if (check.exact || parameter.page == nullptr) return check;
  check.suggestion = Nearest(check.text, OfferedTexts(parameter, image));
  if (check.suggestion.empty()) check.suggestion = std::string(AsTyped(check.meaning));
  return check;
}

}  // namespace qamp
