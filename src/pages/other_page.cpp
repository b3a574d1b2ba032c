#include "pages/other_page.h"

#include <array>

#include "model/parameter_store.h"

namespace qamp {

namespace {

struct OtherSetting {
  ParamId id;
  std::string_view frame;  // the group box title
  std::string_view key;    // the report and profile key
  std::vector<int> buttons;
  std::vector<std::string> captions;
  std::string_view code;  // the value follows as one hex digit
};

// The one setting System Memory keeps.
constexpr ParamId kSupportAudio = 534;

const std::array<OtherSetting, 4>& Settings() {
  static const std::array<OtherSetting, 4> settings = {{
      {532, "Audio Select Set", "Audio Select Set", {1501, 1502}, {"Auto", "Last"}, "2600"},
      {533, "Decoder Mode Set", "Decoder Mode Set", {1503, 1504}, {"Auto", "Last"}, "25F0"},
      // The key is shorter than the group box title.
      {534, "HDMI Support Audio", "Support Audio", {1505, 1506}, {"QR-K2600", "Other"}, "28F0"},
      {535, "EXTD Surround", "EXTD Surround", {1507, 1508}, {"Auto", "Last"}, "25C0"},
  }};
  return settings;
}

const OtherSetting* Find(ParamId id) {
  for (const OtherSetting& setting : Settings()) {
    if (setting.id == id) return &setting;
  }
  return nullptr;
}

// The stored value, or -1 when no radio stands for it.
int Stored(const CSettingImage& image, const OtherSetting& setting) {
  const int value = ReadParameter(image, setting.id);
  return value >= 0 && value < static_cast<int>(setting.captions.size()) ? value : -1;
}

}  // namespace

COtherPage::COtherPage(CCommClass& link, PageHost& host) : CBasePage(link, host, 164, "Other") {
  for (const OtherSetting& setting : Settings()) {
    AddRadioGroup(setting.id, std::string(setting.frame), setting.buttons, setting.captions);
  }
  // The audio formats announced over HDMI are kept in System Memory.
  SetMemoryMark(Find(kSupportAudio)->buttons.front());
}

void COtherPage::RefreshAll() {
  for (const OtherSetting& setting : Settings()) {
    SetValue(setting.buttons.front(), Stored(LiveImage(), setting));
  }
}

void COtherPage::RefreshParam(ParamId id, bool /*updateControls*/) {
  if (!IsActive()) return;
  if (const OtherSetting* setting = Find(id)) {
    SetValue(setting->buttons.front(), Stored(LiveImage(), *setting));
  }
}

void COtherPage::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  const OtherSetting* setting = Find(id);
  if (setting == nullptr) return;
  const int value = Stored(image, *setting);
  if (value >= 0) Queue(StandardFrame(std::string(setting->code) + HexUpper(value, 1)), id);
}

void COtherPage::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                              bool /*forText*/, int /*selector*/) {
  for (const OtherSetting& setting : Settings()) {
    ids.push_back(setting.id);
    subIndices.push_back(-1);
  }
}

void COtherPage::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                              std::string* section, std::string* key, std::string* value,
                              bool /*forReport*/) {
  const OtherSetting* setting = Find(id);
  if (setting == nullptr) {
    ClearParamText(section, key, value);
    return;
  }
  const int stored = Stored(image, *setting);
  if (stored < 0) return;
  if (section != nullptr) *section = Caption();
  if (key != nullptr) *key = setting->key;
  if (value != nullptr) *value = setting->captions[static_cast<size_t>(stored)];
}

bool COtherPage::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                  std::string_view text) {
  const OtherSetting* setting = Find(id);
  if (setting == nullptr) return false;
  const int index = FindText(setting->captions, text);
  if (index < 0) return false;
  StoreParameter(image, id, index);
  return true;
}

void COtherPage::ClickRadio(int buttonId) {
  int index = -1;
  Control* group = RadioGroupOf(buttonId, index);
  if (group == nullptr || Find(group->param) == nullptr || !group->enabled) return;
  group->value = index;
  StoreParameter(LiveImage(), group->param, index);
  SendParam(group->param);
}

}  // namespace qamp
