#include "pages/speaker_set_page.h"

#include <array>

#include "model/parameter_store.h"

namespace qamp {

namespace {

struct SpeakerParameter {
  ParamId id;
  std::string_view frame;  // the frame caption on the page
  std::string_view key;    // the report and profile key
  std::vector<int> buttons;
  std::vector<std::string> captions;
  std::string_view code;
  std::vector<std::string_view> values;  // the receiver's value text by index; empty: "%01X"
};

const std::array<SpeakerParameter, 9>& Parameters() {
  static const std::array<SpeakerParameter, 9> parameters = {{
      {426, "Front", "Front", {1029, 1030}, {"Small", "Large"}, "2710", {"1", "0"}},
      {427,
       "Center",
       "Center",
       {1031, 1032, 1033},
       {"None", "Small", "Large"},
       "2700",
       {"2", "1", "0"}},
      {428,
       "Surround",
       "Surround",
       {1047, 1048, 1052},
       {"None", "Small", "Large"},
       "2720",
       {"2", "1", "0"}},
      {429,
       "Surround Back",
       "Surround Back",
       {1058, 1062, 1066, 1070, 1075},
       {"None", "Small x 1", "Small x 2", "Large x 1", "Large x 2"},
       "2730",
       {"4", "3", "2", "1", "0"}},
      {430, "Presence", "Presence", {1079, 1083}, {"None", "Yes"}, "2740", {"1", "0"}},
      // The key differs from the frame caption.
      {431,
       "PR/SB Priority",
       "PR/SB Select",
       {1089, 1092},
       {"Surround Back", "Presence"},
       "27D0",
       {"1", "0"}},
      {432,
       "LFE/Bass Out",
       "LFE/Bass Out",
       {1095, 1097, 1098},
       {"SWFR", "Front", "Both"},
       "2750",
       {}},
      {433,
       "SW Cross Over",
       "SW Cross Over",
       {1100, 1101, 1102, 1103, 1104, 1106, 1108, 1110, 1112},
       {"40Hz", "60Hz", "80Hz", "90Hz", "100Hz", "110Hz", "120Hz", "160Hz", "200Hz"},
       "27E0",
       {}},
      {434, "SW Phase", "SW Phase", {1115, 1117}, {"Normal", "Reverse"}, "276", {"00", "10"}},
  }};
  return parameters;
}

const SpeakerParameter* Find(ParamId id) {
  for (const SpeakerParameter& parameter : Parameters()) {
    if (parameter.id == id) return &parameter;
  }
  return nullptr;
}

constexpr ParamId kFront = 426;
constexpr ParamId kSurround = 428;
constexpr ParamId kSurroundBack = 429;
constexpr ParamId kLfeBassOut = 432;
constexpr int kFrontSmallButton = 1029;
constexpr int kDistanceUnitWord = 330;

}  // namespace

CSpeakerSet::CSpeakerSet(CCommClass& link, PageHost& host)
    : CBasePage(link, host, 130, "Speaker Set") {
  for (const SpeakerParameter& parameter : Parameters()) {
    AddRadioGroup(parameter.id, std::string(parameter.frame), parameter.buttons,
                  parameter.captions);
  }
  // Template frames with no parameter: hidden and disabled.
  Control& speakerB = AddRadioGroup(0, "Speaker B Set", {1119, 1121}, {"Main", "Zone B"});
  speakerB.visible = speakerB.enabled = false;
  Control& thx = AddRadioGroup(0, "THX Set - SB Speaker Dist.", {1517, 1520, 1523},
                               {"under 0.3m", "0.3 - 1.2m", "over 1.2m"});
  thx.visible = thx.enabled = false;
  // The speaker configuration belongs to System Memory: one mark, at the
  // top-left above "Front".
  SetMemoryMark(Parameters().front().buttons.front());
}

void CSpeakerSet::PushValues() {
  for (const SpeakerParameter& parameter : Parameters()) {
    SetValue(parameter.buttons.front(), ReadParameter(LiveImage(), parameter.id));
  }
}

void CSpeakerSet::UpdateEnableState() {
  CSettingImage& image = LiveImage();
  // Surround Back speakers need surround speakers.
  const bool surround = ReadParameter(image, kSurround) != 0;
  SetEnabled(Find(kSurroundBack)->buttons.front(), surround);
  if (!surround) {
    StoreParameter(image, kSurroundBack, 0);
    PushValues();
  }
  // With the bass on the front speakers, they must be large.
  Control* front = MutableControl(kFrontSmallButton);
  front->itemEnabled = {true, true};
  if (ReadParameter(image, kLfeBassOut) == 1) {
    StoreParameter(image, kFront, 1);
    front->itemEnabled[0] = false;
    PushValues();
  }
}

void CSpeakerSet::RefreshAll() {
  UpdateEnableState();
  PushValues();
  Control* thx = MutableControl(kThxButtons[0]);
  if (LiveImage()[kDistanceUnitWord] != 0) {
    thx->items = {"under 1ft", "1 - 4ft", "over 4ft"};
  } else {
    thx->items = {"under 0.3m", "0.3 - 1.2m", "over 1.2m"};
  }
}

void CSpeakerSet::RefreshParam(ParamId id, bool updateControls) {
  if (!IsActive()) return;
  const SpeakerParameter* parameter = Find(id);
  if (parameter == nullptr) return;
  SetValue(parameter->buttons.front(), ReadParameter(LiveImage(), id));
  if (updateControls) {
    UpdateEnableState();
    PushValues();
  }
}

void CSpeakerSet::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  const SpeakerParameter* parameter = Find(id);
  if (parameter == nullptr) return;
  const int value = ReadParameter(image, id);
  if (value < 0 || value >= static_cast<int>(parameter->captions.size())) return;
  const std::string data = parameter->values.empty()
                               ? HexUpper(value, 1)
                               : std::string(parameter->values[static_cast<size_t>(value)]);
  Queue(StandardFrame(std::string(parameter->code) + data), id);
}

void CSpeakerSet::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                               bool /*forText*/, int /*selector*/) {
  for (const SpeakerParameter& parameter : Parameters()) {
    ids.push_back(parameter.id);
    subIndices.push_back(-1);
  }
}

void CSpeakerSet::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                               std::string* section, std::string* key, std::string* value,
                               bool /*forReport*/) {
  const SpeakerParameter* parameter = Find(id);
  if (parameter == nullptr) {
    ClearParamText(section, key, value);
    return;
  }
  const int stored = ReadParameter(image, id);
  if (stored < 0 || stored >= static_cast<int>(parameter->captions.size())) return;
  if (section != nullptr) *section = Caption();
  if (key != nullptr) *key = parameter->key;
  if (value != nullptr) *value = parameter->captions[static_cast<size_t>(stored)];
}

bool CSpeakerSet::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                   std::string_view text) {
  const SpeakerParameter* parameter = Find(id);
  if (parameter == nullptr) return false;
  const int index = FindText(parameter->captions, text);
  if (index < 0) return false;
  StoreParameter(image, id, index);
  return true;
}

void CSpeakerSet::ClickRadio(int buttonId) {
  int index = -1;
  Control* group = RadioGroupOf(buttonId, index);
  if (group == nullptr || group->param == 0 || !group->enabled) return;
  if (!group->itemEnabled.empty() && !group->itemEnabled[static_cast<size_t>(index)]) return;
  group->value = index;
  StoreParameter(LiveImage(), group->param, index);
  const ParamId id = group->param;
  if (id == kSurround || id == kLfeBassOut) UpdateEnableState();
  SendParam(id);
}

}  // namespace qamp
