#include "pages/multi_ch_page.h"

#include <array>

#include "model/parameter_store.h"

namespace qamp {

namespace {

constexpr ParamId kMode = 529;
constexpr ParamId kFront = 530;
constexpr ParamId kBgv = 531;
constexpr int k8ch = 1;

struct MultiChParameter {
  ParamId id;
  std::string_view key;
  std::vector<std::string> texts;  // radio captions or combo entries by stored value
  std::string_view digits;         // the receiver's digit by stored value
};

const std::array<MultiChParameter, 3>& Parameters() {
  static const std::array<MultiChParameter, 3> parameters = {{
      {kMode, "6ch/8ch", {"6ch", "8ch"}, ""},
      {kFront,
       "MULTI CH Input Front",
       {"CD", "CD-R", "MD/TAPE", "BD/HD DVD", "DVD", "DTV/CBL", "DVR", "VCR", "V-AUX"},
       "234F56A9C"},
      {kBgv,
       "MULTI CH BGV",
       {"BD/HD DVD", "DVD", "DTV/CBL", "DVR", "VCR", "V-AUX", "LAST", "OFF"},
       "F56A9C10"},
  }};
  return parameters;
}

const MultiChParameter* Find(ParamId id) {
  for (const MultiChParameter& parameter : Parameters()) {
    if (parameter.id == id) return &parameter;
  }
  return nullptr;
}

// The stored value, or -1 when it stands for no choice.
int Stored(const CSettingImage& image, const MultiChParameter& parameter) {
  const int value = ReadParameter(image, parameter.id);
  return value >= 0 && value < static_cast<int>(parameter.texts.size()) ? value : -1;
}

int ControlOf(ParamId id) {
  switch (id) {
    case kMode:
      return CMiscPage::k6chButton;
    case kFront:
      return CMiscPage::kFrontCombo;
    default:
      return CMiscPage::kBgvCombo;
  }
}

}  // namespace

CMiscPage::CMiscPage(CCommClass& link, PageHost& host) : CBasePage(link, host, 152, "MULTI CH") {
  const MultiChParameter& mode = *Find(kMode);
  AddRadioGroup(kMode, std::string(mode.key), {k6chButton, k8chButton}, mode.texts);
  const MultiChParameter& front = *Find(kFront);
  AddCombo(kFrontCombo, kFront, front.texts).caption = front.key;
  const MultiChParameter& bgv = *Find(kBgv);
  AddCombo(kBgvCombo, kBgv, bgv.texts).caption = bgv.key;
}

void CMiscPage::UpdateEnableState() {
  // Only the 8-channel mode takes the front channels from another input.
  SetEnabled(kFrontCombo, ReadParameter(LiveImage(), kMode) == k8ch);
}

void CMiscPage::RefreshAll() {
  UpdateEnableState();
  for (const MultiChParameter& parameter : Parameters()) {
    SetValue(ControlOf(parameter.id), Stored(LiveImage(), parameter));
  }
}

void CMiscPage::RefreshParam(ParamId id, bool updateControls) {
  if (!IsActive()) return;
  const MultiChParameter* parameter = Find(id);
  if (parameter == nullptr) return;
  SetValue(ControlOf(id), Stored(LiveImage(), *parameter));
  if (updateControls) UpdateEnableState();
}

void CMiscPage::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  const MultiChParameter* parameter = Find(id);
  if (parameter == nullptr) return;
  if (id == kBgv) {
    const int bgv = Stored(image, *parameter);
    if (bgv < 0) return;
    Queue(StandardFrame("26F0" + std::string(1, parameter->digits[static_cast<size_t>(bgv)])), id);
    return;
  }
  // Mode and front input travel in one command: digit 0 is the 6-channel
  // mode, any other digit the 8-channel mode with that front input. So the
  // front input alone has nothing to say in 6-channel mode.
  const int mode = Stored(image, *Find(kMode));
  const MultiChParameter& front = *Find(kFront);
  const int input = Stored(image, front);
  std::string digit;
  if (mode == k8ch && input >= 0) {
    digit = std::string(1, front.digits[static_cast<size_t>(input)]);
  } else if (mode == 0 && id == kMode) {
    digit = "0";
  }
  if (!digit.empty()) Queue(StandardFrame("27B0" + digit), id);
}

void CMiscPage::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                             bool /*forText*/, int /*selector*/) {
  for (const MultiChParameter& parameter : Parameters()) {
    ids.push_back(parameter.id);
    subIndices.push_back(-1);
  }
}

void CMiscPage::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                             std::string* section, std::string* key, std::string* value,
                             bool forReport) {
  const MultiChParameter* parameter = Find(id);
  if (parameter == nullptr) {
    ClearParamText(section, key, value);
    return;
  }
  // The report leaves out a front input that the 6-channel mode does not use.
  if (forReport && id == kFront && Stored(image, *Find(kMode)) != k8ch) {
    if (section != nullptr) *section = Caption();
    if (key != nullptr) key->clear();
    if (value != nullptr) value->clear();
    return;
  }
  const int stored = Stored(image, *parameter);
  if (stored < 0) return;
  if (section != nullptr) *section = Caption();
  if (key != nullptr) *key = parameter->key;
  if (value != nullptr) *value = parameter->texts[static_cast<size_t>(stored)];
}

bool CMiscPage::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                 std::string_view text) {
  const MultiChParameter* parameter = Find(id);
  if (parameter == nullptr) return false;
  const int index = FindText(parameter->texts, text);
  if (index < 0) return false;
  StoreParameter(image, id, index);
  return true;
}

void CMiscPage::ClickRadio(int buttonId) {
  int index = -1;
  Control* group = RadioGroupOf(buttonId, index);
  if (group == nullptr || group->param != kMode || !group->enabled) return;
  group->value = index;
  StoreParameter(LiveImage(), kMode, index);
  UpdateEnableState();
  SendParam(kMode);
}

void CMiscPage::ChooseCombo(int comboId, int index) {
  Control* combo = MutableControl(comboId);
  if (combo == nullptr || combo->kind != ControlKind::kCombo || !combo->enabled) return;
  if (index < 0 || index >= static_cast<int>(combo->items.size())) return;
  combo->value = index;
  StoreParameter(LiveImage(), combo->param, index);
  SendParam(combo->param);
}

}  // namespace qamp
