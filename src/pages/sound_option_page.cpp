#include "pages/sound_option_page.h"

#include <array>
#include <string>

#include "model/parameter_store.h"

namespace qamp {

namespace {

enum class Kind {
  kChoice,    // a combo box: the index
  kTurnover,  // a hidden turnover combo box; sent inside its tone command
  kTone,      // speaker and headphone tone, tenths of a dB
  kZoneTone,  // zone tone, whole dB
  kLevel,     // LFE level, tenths of a dB
  kDelay,     // lip-sync delay
  kRadio,     // a radio group: the index
};

struct SoundParameter {
  ParamId id;
  std::string_view key;  // empty: neither in files nor in the report
  Kind kind;
  std::vector<int> controls;  // combo box or slider; radio buttons in value order
  int readOut;                // 0: none
  int minimum;                // numbers: the range and step of the slider
  int maximum;
  int step;
  std::vector<std::string> texts;  // choices: the combo entries or radio captions
  std::string_view code;           // the command text before the value
  ParamId partner;                 // a tone gain and its turnover name each other
};

const std::vector<std::string> kBassTurnovers = {"125Hz", "350Hz", "500Hz"};
const std::vector<std::string> kTrebleTurnovers = {"2.5kHz", "3.5kHz", "8.0kHz"};
const std::vector<std::string> kRangeTexts = {"Max", "Std", "Min"};
// The turnovers the texts name, in Hz.
constexpr std::array<double, 3> kBassTurnoverHz = {125.0, 350.0, 500.0};
constexpr std::array<double, 3> kTrebleTurnoverHz = {2500.0, 3500.0, 8000.0};

const std::array<SoundParameter, 20>& Parameters() {
  // clang-format off
  static const std::array<SoundParameter, 20> parameters = {{
      {280, "Tone Bypass", Kind::kChoice, {1255}, 0, 0, 0, 1, {"AUTO", "OFF"}, "2A8", 0},
      {281, "", Kind::kTurnover, {1258}, 0, 0, 0, 1, kBassTurnovers, "2009033100", 282},
      {282, "Speaker Bass Gain", Kind::kTone, {1262}, 1370, -60, 60, 5, {}, "2009033100", 281},
      {283, "", Kind::kTurnover, {1260}, 0, 0, 0, 1, kTrebleTurnovers, "2009033101", 284},
      {284, "Speaker Treble Gain", Kind::kTone, {1264}, 1371, -60, 60, 5, {}, "2009033101", 283},
      {285, "", Kind::kTurnover, {1268}, 0, 0, 0, 1, kBassTurnovers, "2009033110", 286},
      {286, "Headphone Bass Gain", Kind::kTone, {1272}, 1373, -60, 60, 5, {}, "2009033110", 285},
      {287, "", Kind::kTurnover, {1270}, 0, 0, 0, 1, kTrebleTurnovers, "2009033111", 288},
      {288, "Headphone Treble Gain", Kind::kTone, {1274}, 1375, -60, 60, 5, {}, "2009033111", 287},
      {289, "Zone2 Bass Gain", Kind::kZoneTone, {1282}, 1408, -10, 10, 1, {}, "24B", 0},
      {290, "Zone2 Treble Gain", Kind::kZoneTone, {1293}, 1410, -10, 10, 1, {}, "24C", 0},
      {291, "Zone3 Bass Gain", Kind::kZoneTone, {1307}, 1412, -10, 10, 1, {}, "24D", 0},
      {292, "Zone3 Treble Gain", Kind::kZoneTone, {1312}, 1414, -10, 10, 1, {}, "24E", 0},
      {293, "LFE Level SP", Kind::kLevel, {1283}, 1377, -200, 0, 10, {}, "251", 0},
      {294, "LFE Level HP", Kind::kLevel, {1285}, 1379, -200, 0, 10, {}, "252", 0},
      {295, "HDMI Auto", Kind::kRadio, {1693, 1694}, 0, 0, 0, 1, {"On", "Off"}, "259", 0},
      {296, "Auto Delay", Kind::kDelay, {1381}, 1385, 0, 240, 1, {}, "256", 0},
      {297, "Manual Delay", Kind::kDelay, {1416}, 1418, 0, 240, 1, {}, "253", 0},
      {298, "Dynamic Range Speaker", Kind::kRadio, {1383, 1388, 1392}, 0, 0, 0, 1, kRangeTexts, "264", 0},
      {299, "Dynamic Range Headphone", Kind::kRadio, {1396, 1400, 1404}, 0, 0, 0, 1, kRangeTexts, "265", 0},
  }};
  // clang-format on
  return parameters;
}

// The page's order, for files, the report and the download alike.
constexpr std::array<ParamId, 16> kListOrder = {280, 282, 284, 286, 288, 289, 290, 291,
                                                292, 293, 294, 298, 299, 295, 296, 297};

struct ResetButton {
  int id;
  std::string_view caption;
  std::vector<std::pair<ParamId, int>> settings;  // what it sets
  std::vector<ParamId> sent;                      // what it sends, in this order
};

// "Flat" under Speaker, Headphone, Zone2 and Zone3 Tone Control and LFE
// Level; "Default" under Auto and Manual delay and Dynamic Range. The
// turnovers go back to the middle choice ("350Hz", "3.5kHz") with the gains.
const std::array<ResetButton, 8>& ResetButtons() {
  static const std::array<ResetButton, 8> buttons = {{
      {1266, "Flat", {{281, 1}, {283, 1}, {282, 0}, {284, 0}}, {282, 284}},
      {1276, "Flat", {{285, 1}, {287, 1}, {286, 0}, {288, 0}}, {286, 288}},
      {1296, "Flat", {{289, 0}, {290, 0}}, {289, 290}},
      {1315, "Flat", {{291, 0}, {292, 0}}, {291, 292}},
      {1287, "Flat", {{293, 0}, {294, 0}}, {293, 294}},
      {1301, "Default", {{296, 0}}, {296}},
      {1304, "Default", {{297, 0}}, {297}},
      {1297, "Default", {{298, 0}, {299, 0}}, {298, 299}},
  }};
  return buttons;
}

constexpr ParamId kHdmiAuto = 295;
constexpr int kHdmiAutoOn = 0;

const SoundParameter* Find(ParamId id) {
  for (const SoundParameter& parameter : Parameters()) {
    if (parameter.id == id) return &parameter;
  }
  return nullptr;
}

const SoundParameter* FindByControl(int control) {
  for (const SoundParameter& parameter : Parameters()) {
    for (const int id : parameter.controls) {
      if (id == control) return &parameter;
    }
  }
  return nullptr;
}

bool IsChoice(const SoundParameter& parameter) {
  return !parameter.texts.empty();
}

bool IsSlider(const SoundParameter& parameter) {
  return parameter.kind == Kind::kTone || parameter.kind == Kind::kZoneTone ||
         parameter.kind == Kind::kLevel || parameter.kind == Kind::kDelay;
}

// Whether the page could show and send `value`.
bool IsValid(const SoundParameter& parameter, int value) {
  if (IsChoice(parameter)) return value >= 0 && value < static_cast<int>(parameter.texts.size());
  return value >= parameter.minimum && value <= parameter.maximum &&
         (value - parameter.minimum) % parameter.step == 0;
}

// The read-out text, which is also the report and profile value.
std::string ValueText(const SoundParameter& parameter, int value) {
  switch (parameter.kind) {
    case Kind::kTone:
    case Kind::kLevel:
      return TenthsText(value, "dB");
    case Kind::kZoneTone:
      return " " + std::to_string(value) + "dB";
    case Kind::kDelay:
      return " " + std::to_string(value);
    default:
      return parameter.texts[static_cast<size_t>(value)];
  }
}

}  // namespace

double CToneControlPage::BassTurnoverOf(int index) {
  return index >= 0 && index < 3 ? kBassTurnoverHz[static_cast<size_t>(index)] : 0.0;
}

double CToneControlPage::TrebleTurnoverOf(int index) {
  return index >= 0 && index < 3 ? kTrebleTurnoverHz[static_cast<size_t>(index)] : 0.0;
}

CToneControlPage::CToneControlPage(CCommClass& link, PageHost& host)
    : CBasePage(link, host, 143, "Sound Option") {
  for (const SoundParameter& parameter : Parameters()) {
    const std::string caption(parameter.key);
    if (parameter.kind == Kind::kRadio) {
      AddRadioGroup(parameter.id, caption, parameter.controls, parameter.texts);
    } else if (IsChoice(parameter)) {
      Control& combo = AddCombo(parameter.controls.front(), parameter.id, parameter.texts);
      combo.caption = caption;
      // The turnover combo boxes sit in the hidden "for QR-K3100" frame.
      if (parameter.kind == Kind::kTurnover) combo.visible = false;
    } else {
      AddSlider(parameter.controls.front(), parameter.id, parameter.minimum, parameter.maximum,
                parameter.step)
          .caption = caption;
      AddReadOut(parameter.readOut);
    }
  }
  for (const ResetButton& button : ResetButtons()) {
    AddButton(button.id, std::string(button.caption));
  }
  LayOut();
}

void CToneControlPage::LayOut() {
  struct Frame {
    int id;
    std::string_view caption;
    bool marked;  // belongs to System Memory
    std::vector<int> members;
  };
  const Frame frames[] = {
      {kSpeakerFrame, "Speaker", true, {1262, 1370, 1264, 1371, 1266}},
      {kHeadphoneFrame, "Headphone", false, {1272, 1373, 1274, 1375, 1276}},
      {kZone2Frame, "Zone2", false, {1282, 1408, 1293, 1410, 1296}},
      {kZone3Frame, "Zone3", false, {1307, 1412, 1312, 1414, 1315}},
      {kLfeFrame, "LFE Level", true, {1283, 1377, 1285, 1379, 1287}},
      {kDynamicRangeFrame, "Dynamic Range", true, {1383, 1396, 1297}},
      {kLipSyncFrame, "Lip Sync", true, {1693}},
      {kAutoDelayFrame, "Auto Delay", false, {1381, 1385, 1301}},
      {kManualDelayFrame, "Manual Delay", false, {1416, 1418, 1304}},
      // The turnovers are sent, never shown.
      {kTurnoverFrame, "for QR-K3100", false, {1258, 1260, 1268, 1270}},
  };
  for (const Frame& frame : frames) {
    Control& box = AddFrame(frame.id, std::string(frame.caption));
    box.memoryMark = frame.marked;
    box.visible = frame.id != kTurnoverFrame;
    for (const int member : frame.members) PlaceInFrame(member, frame.id);
  }
  // Each delay with its own "Default" stands in the "Lip Sync" frame.
  PlaceInFrame(kAutoDelayFrame, kLipSyncFrame);
  PlaceInFrame(kManualDelayFrame, kLipSyncFrame);
  SetMemoryMark(1255);  // Tone Bypass
  // Gains and levels stand upright; the delays lie.
  for (const SoundParameter& parameter : Parameters()) {
    if (parameter.readOut == 0) continue;
    const bool delay = parameter.kind == Kind::kDelay;
    SetSliderLayout(parameter.controls.front(),
                    delay ? Orientation::kHorizontal : Orientation::kVertical, "", "",
                    parameter.readOut);
  }
}

void CToneControlPage::ShowParam(ParamId id) {
  const SoundParameter* parameter = Find(id);
  if (parameter == nullptr) return;
  const int value = ReadParameter(LiveImage(), id);
  const bool valid = IsValid(*parameter, value);
  SetValue(parameter->controls.front(), IsChoice(*parameter) && !valid ? -1 : value);
  if (parameter->readOut != 0) {
    // The read-out says the delay's unit; files and the report keep the
    // number alone.
    const std::string unit = parameter->kind == Kind::kDelay ? "ms" : "";
    SetText(parameter->readOut, valid ? ValueText(*parameter, value) + unit : std::string());
  }
}

void CToneControlPage::UpdateEnableState() {
  // The automatic lip-sync delay only applies while HDMI Auto is on. The
  // enabled state follows the image, so that it is right after a load as
  // well as after a click.
  const bool automatic = ReadParameter(LiveImage(), kHdmiAuto) == kHdmiAutoOn;
  SetEnabled(kAutoDelaySlider, automatic);
  SetEnabled(kAutoDelayDefaultButton, automatic);
}

void CToneControlPage::RefreshAll() {
  UpdateEnableState();
  for (const SoundParameter& parameter : Parameters()) ShowParam(parameter.id);
}

void CToneControlPage::RefreshParam(ParamId id, bool updateControls) {
  if (!IsActive() || Find(id) == nullptr) return;
  ShowParam(id);
  if (updateControls) UpdateEnableState();
}

void CToneControlPage::SendParamFromImage(const CSettingImage& image, ParamId id,
                                          int /*subIndex*/) {
  const SoundParameter* parameter = Find(id);
  if (parameter == nullptr) return;
  const int value = ReadParameter(image, id);
  if (!IsValid(*parameter, value)) return;
  switch (parameter->kind) {
    case Kind::kTurnover:
    case Kind::kTone: {
      // One command carries the turnover and the gain of the same band.
      const bool isGain = parameter->kind == Kind::kTone;
      const SoundParameter& other = *Find(parameter->partner);
      const int otherValue = ReadParameter(image, other.id);
      if (!IsValid(other, otherValue)) return;
      const int turnover = isGain ? otherValue : value;
      const int gain = isGain ? value : otherValue;
      Queue(ExtendedFrame(std::string(parameter->code) + HexUpper(turnover, 1) +
                          HexUpper((gain + 60) / 5, 2)),
            id);
      return;
    }
    case Kind::kZoneTone:
      Queue(StandardFrame(std::string(parameter->code) + HexUpper(value + 10, 2)), id);
      return;
    case Kind::kLevel:
      Queue(StandardFrame(std::string(parameter->code) + HexUpper((value + 200) / 10, 2)), id);
      return;
    default:
      // Choices, radio groups and delays: the value itself, two digits.
      Queue(StandardFrame(std::string(parameter->code) + HexUpper(value, 2)), id);
      return;
  }
}

void CToneControlPage::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                                    bool /*forText*/, int /*selector*/) {
  for (const ParamId id : kListOrder) {
    ids.push_back(id);
    subIndices.push_back(-1);
  }
}

void CToneControlPage::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                                    std::string* section, std::string* key, std::string* value,
                                    bool /*forReport*/) {
  const SoundParameter* parameter = Find(id);
  if (parameter == nullptr || parameter->key.empty()) {
    ClearParamText(section, key, value);
    return;
  }
  const int stored = ReadParameter(image, id);
  if (!IsValid(*parameter, stored)) return;
  if (section != nullptr) *section = Caption();
  if (key != nullptr) *key = parameter->key;
  if (value != nullptr) *value = ValueText(*parameter, stored);
}

bool CToneControlPage::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                        std::string_view text) {
  const SoundParameter* parameter = Find(id);
  if (parameter == nullptr || parameter->key.empty()) return false;
  int value = -1;
  switch (parameter->kind) {
    case Kind::kTone:
    case Kind::kLevel:
      // "-2.5dB": the unit and the point go, -25 remains.
      if (!ParseDottedInteger(text, 2, value)) return false;
      break;
    case Kind::kZoneTone:
    case Kind::kDelay:
      if (!ParseLeadingInteger(text, value)) return false;
      break;
    default:
      value = FindText(parameter->texts, text);
      break;
  }
  // A file must not bring in a value the page could not show or send.
  if (!IsValid(*parameter, value)) return false;
  StoreParameter(image, id, value);
  return true;
}

void CToneControlPage::SendParams(const std::vector<ParamId>& ids) {
  if (!IsRealTime()) return;
  Host().SetWaitCursor(true);
  for (const ParamId id : ids) SendParamFromImage(LiveImage(), id, -1);
  QueueEndMarker();
  Host().SetWaitCursor(false);
}

void CToneControlPage::ClickRadio(int buttonId) {
  int index = -1;
  Control* group = RadioGroupOf(buttonId, index);
  if (group == nullptr || !group->enabled || !group->visible) return;
  group->value = index;
  StoreParameter(LiveImage(), group->param, index);
  const ParamId id = group->param;
  SendParam(id);
  if (id == kHdmiAuto) UpdateEnableState();
  ShowParam(id);
}

void CToneControlPage::MoveSlider(int sliderId, int value) {
  const SoundParameter* parameter = FindByControl(sliderId);
  if (parameter == nullptr || !IsSlider(*parameter)) return;
  const Control* slider = FindControl(sliderId);
  if (!slider->enabled || TransferRunning()) return;
  if (!IsValid(*parameter, value)) return;
  StoreParameter(LiveImage(), parameter->id, value);
  ShowParam(parameter->id);
}

void CToneControlPage::ReleaseSlider(int sliderId) {
  const SoundParameter* parameter = FindByControl(sliderId);
  if (parameter == nullptr || !IsSlider(*parameter) || !FindControl(sliderId)->enabled) return;
  SendParam(parameter->id);
}

void CToneControlPage::ChooseCombo(int comboId, int index) {
  const SoundParameter* parameter = FindByControl(comboId);
  if (parameter == nullptr || IsSlider(*parameter) || parameter->kind == Kind::kRadio) return;
  if (!IsValid(*parameter, index)) return;
  StoreParameter(LiveImage(), parameter->id, index);
  ShowParam(parameter->id);
  SendParam(parameter->id);
}

void CToneControlPage::PressButton(int buttonId) {
  for (const ResetButton& button : ResetButtons()) {
    if (button.id != buttonId) continue;
    if (!FindControl(buttonId)->enabled) return;
    for (const auto& [id, value] : button.settings) {
      StoreParameter(LiveImage(), id, value);
      ShowParam(id);
    }
    SendParams(button.sent);
    return;
  }
}

}  // namespace qamp
