#include "pages/display_set_page.h"

#include <array>
#include <optional>

#include "model/image_defaults.h"
#include "model/parameter_store.h"

namespace qamp {

namespace {

struct DisplaySetting {
  ParamId id;
  std::string_view name;  // the group box caption and the file key
  // Radio settings: the buttons and their captions in value order.
  std::vector<int> buttons;
  std::vector<std::string> captions;
  // Slider settings: the slider, its read-out and its range.
  int slider;
  int readOut;
  int minimum;
  int maximum;
  std::string_view command;
  // The value part: value + offset as `width` hex digits, unless `codes`
  // names it by value.
  int offset;
  int width;
  std::vector<std::string_view> codes;
  // A value whose button the template keeps hidden.
  std::string_view hiddenCaption;
};

const std::array<DisplaySetting, 10>& Settings() {
  static const std::array<DisplaySetting, 10> settings = {{
      {516, "Video Conversion", {1400, 1401}, {"Off", "On"}, 0, 0, 0, 0, "2690", 0, 1, {}, {}},
      {517, "Component I/P", {1402, 1403}, {"Off", "On"}, 0, 0, 0, 0, "2850", 0, 1, {}, {}},
      {518, "Gray Back", {1404, 1405}, {"Off", "Auto"}, 0, 0, 0, 0, "2630", 0, 1, {}, {}},
      {519,
       "OSD Shift",
       {},
       {},
       CDisplaySet::kOsdShiftSlider,
       CDisplaySet::kOsdShiftReadOut,
       -5,
       5,
       "2620",
       5,
       1,
       {},
       {}},
      {520,
       "HDMI Scaling",
       {1410, 1411, 1412, 1413, 1414},
       {"Through", "480p / 576p", "1080i", "720p", "1080p"},
       0,
       0,
       0,
       0,
       "2870",
       0,
       1,
       {},
       {}},
      {521,
       "HDMI Aspect",
       {1415, 1416, 1417},
       {"Through", "16:9 Normal", "Smart Zoom"},
       0,
       0,
       0,
       0,
       "2880",
       0,
       1,
       {},
       {}},
      {525,
       "Dimmer",
       {},
       {},
       CDisplaySet::kDimmerSlider,
       CDisplaySet::kDimmerReadOut,
       -4,
       0,
       "261",
       4,
       2,
       {},
       {}},
      {526,
       "Short Message",
       {1420, 1421},
       {"Off", "On"},
       0,
       0,
       0,
       0,
       "07EB",
       0,
       1,
       {"0", "1", "2"},
       "Full"},
      {527,
       "On Screen",
       {1423, 1424, 1425},
       {"Always", "10s", "30s"},
       0,
       0,
       0,
       0,
       "2930",
       0,
       1,
       {"3", "1", "2"},
       {}},
      {528, "FL Scroll", {1426, 1427}, {"Continue", "Once"}, 0, 0, 0, 0, "2670", 0, 1, {}, {}},
  }};
  return settings;
}

const DisplaySetting* Find(ParamId id) {
  for (const DisplaySetting& setting : Settings()) {
    if (setting.id == id) return &setting;
  }
  return nullptr;
}

const DisplaySetting* FindSlider(int sliderId) {
  for (const DisplaySetting& setting : Settings()) {
    if (setting.slider != 0 && setting.slider == sliderId) return &setting;
  }
  return nullptr;
}

bool IsSlider(const DisplaySetting& setting) {
  return setting.slider != 0;
}

// The values the page can show and the user can choose.
bool IsChoosable(const DisplaySetting& setting, int value) {
  if (IsSlider(setting)) return value >= setting.minimum && value <= setting.maximum;
  return value >= 0 && value < static_cast<int>(setting.captions.size());
}

// The value of the button the template keeps hidden (it follows the shown
// ones), or -1 for a setting without one.
int HiddenValue(const DisplaySetting& setting) {
  return setting.hiddenCaption.empty() ? -1 : static_cast<int>(setting.captions.size());
}

bool IsHiddenCaption(const DisplaySetting& setting, std::string_view text) {
  return !setting.hiddenCaption.empty() && text == setting.hiddenCaption;
}

// The value part of the setting's command, or nothing for a value the
// receiver has no code for.
std::optional<std::string> ValuePart(const DisplaySetting& setting, int value) {
  if (!setting.codes.empty()) {
    if (value < 0 || value >= static_cast<int>(setting.codes.size())) return std::nullopt;
    return std::string(setting.codes[static_cast<size_t>(value)]);
  }
  if (!IsChoosable(setting, value)) return std::nullopt;
  return HexUpper(value + setting.offset, setting.width);
}

// The one setting System Memory does not keep.
constexpr ParamId kShortMessage = 526;

// Download order: OSD Shift goes before Gray Back.
constexpr std::array<ParamId, 10> kDownloadOrder = {516, 517, 519, 518, 520,
                                                    521, 525, 526, 527, 528};

}  // namespace

CDisplaySet::CDisplaySet(CCommClass& link, PageHost& host)
    : CBasePage(link, host, 142, "Display Set") {
  for (const DisplaySetting& setting : Settings()) {
    if (IsSlider(setting)) {
      AddSlider(setting.slider, setting.id, setting.minimum, setting.maximum, 1).caption =
          setting.name;
      AddReadOut(setting.readOut);
    } else {
      AddRadioGroup(setting.id, std::string(setting.name), setting.buttons, setting.captions);
    }
  }
  Control& full = AddRadioGroup(0, "Short Message", {kFullButton}, {"Full"});
  full.visible = full.enabled = false;
  AddButton(kDefaultButton, "Default");
  SetSliderLayout(kOsdShiftSlider, Orientation::kHorizontal, "Up", "Down", kOsdShiftReadOut);
  SetSliderLayout(kDimmerSlider, Orientation::kHorizontal, "-", "+", kDimmerReadOut);
  // Every setting but Short Message is kept in System Memory.
  for (const DisplaySetting& setting : Settings()) {
    if (setting.id == kShortMessage) continue;
    SetMemoryMark(IsSlider(setting) ? setting.slider : setting.buttons.front());
  }
}

void CDisplaySet::PushValue(ParamId id) {
  const DisplaySetting* setting = Find(id);
  if (setting == nullptr) return;
  const int value = ReadParameter(LiveImage(), id);
  if (IsSlider(*setting)) {
    SetValue(setting->slider, value);
    SetText(setting->readOut, std::to_string(value));
  } else {
    SetValue(setting->buttons.front(), IsChoosable(*setting, value) ? value : -1);
  }
}

void CDisplaySet::RefreshAll() {
  UpdateEnableState();
  for (const DisplaySetting& setting : Settings()) PushValue(setting.id);
}

void CDisplaySet::RefreshParam(ParamId id, bool updateControls) {
  if (!IsActive()) return;
  PushValue(id);
  if (updateControls) UpdateEnableState();
}

void CDisplaySet::DownloadPage(const CSettingImage& image) {
  for (const ParamId id : kDownloadOrder) SendParamFromImage(image, id, -1);
}

void CDisplaySet::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  const DisplaySetting* setting = Find(id);
  if (setting == nullptr) return;
  const std::optional<std::string> value = ValuePart(*setting, ReadParameter(image, id));
  if (!value) return;
  Queue(StandardFrame(std::string(setting->command) + *value), id);
}

void CDisplaySet::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                               bool /*forText*/, int /*selector*/) {
  for (const DisplaySetting& setting : Settings()) {
    ids.push_back(setting.id);
    subIndices.push_back(-1);
  }
}

void CDisplaySet::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                               std::string* section, std::string* key, std::string* value,
                               bool /*forReport*/) {
  const DisplaySetting* setting = Find(id);
  if (setting == nullptr) {
    ClearParamText(section, key, value);
    return;
  }
  const int stored = ReadParameter(image, id);
  std::string text;
  if (IsChoosable(*setting, stored)) {
    text = IsSlider(*setting) ? std::to_string(stored)
                              : setting->captions[static_cast<size_t>(stored)];
  } else if (HiddenValue(*setting) >= 0 && stored == HiddenValue(*setting)) {
    text = setting->hiddenCaption;
  } else {
    return;
  }
  if (section != nullptr) *section = Caption();
  if (key != nullptr) *key = setting->name;
  if (value != nullptr) *value = text;
}

bool CDisplaySet::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                   std::string_view text) {
  const DisplaySetting* setting = Find(id);
  if (setting == nullptr) return false;
  int value = -1;
  if (IsSlider(*setting)) {
    if (!ParseLeadingInteger(text, value) || !IsChoosable(*setting, value)) return false;
  } else {
    // Every button of the group, the hidden "Full" too: the page writes it
    // for a receiver that reports it, so a file must give it back.
    value = FindText(setting->captions, text);
    if (value < 0 && IsHiddenCaption(*setting, text)) value = HiddenValue(*setting);
    if (value < 0) return false;
  }
  StoreParameter(image, id, value);
  return true;
}

void CDisplaySet::ClickRadio(int buttonId) {
  int index = -1;
  Control* group = RadioGroupOf(buttonId, index);
  if (group == nullptr || group->param == 0 || !group->enabled) return;
  const ParamId id = group->param;
  group->value = index;
  StoreParameter(LiveImage(), id, index);
  SendParam(id);
  if (id == 520 || id == 521) RefreshAll();
}

void CDisplaySet::MoveSlider(int sliderId, int value) {
  const DisplaySetting* setting = FindSlider(sliderId);
  if (setting == nullptr || TransferRunning() || !IsChoosable(*setting, value)) return;
  StoreParameter(LiveImage(), setting->id, value);
  PushValue(setting->id);
}

void CDisplaySet::ReleaseSlider(int sliderId) {
  if (const DisplaySetting* setting = FindSlider(sliderId)) SendParam(setting->id);
}

void CDisplaySet::PressButton(int buttonId) {
  if (buttonId != kDefaultButton) return;
  ApplyDisplayDefaults(LiveImage());
  RefreshAll();
  SendWholePage();
}

}  // namespace qamp
