#include "pages/multi_zone_page.h"

#include <array>
#include <span>
#include <string>

#include "link/wire_format.h"
#include "model/parameter_store.h"
#include "model/vocabulary.h"

namespace qamp {

namespace {

enum class Kind {
  kInput,
  kAmplifier,
  kVolumeOut,
  kVolume,
  kMute,
  kBalance,
  kMaxVolume,
  kInitial,  // initial volume
};

struct ZoneParameter {
  ParamId id;
  int zone;  // 2 or 3
  std::string_view key;
  Kind kind;
  int control;
  std::string_view code;                     // the command text before the value
  std::span<const std::string_view> values;  // inputs and mutes: the receiver's value texts
};

constexpr std::array<std::string_view, 2> kZone2MuteCodes = {"1", "0"};
constexpr std::array<std::string_view, 2> kZone3MuteCodes = {"66", "26"};

// In ID order.
constexpr std::array<ZoneParameter, 16> kParameters = {{
    {12, 2, "Zone2 Input", Kind::kInput, CMultiZone::kZone2Input, "07A", kZone2InputCodes},
    {13, 2, "Zone2 Amplifier", Kind::kAmplifier, CMultiZone::kZone2Amplifier, "23E0", {}},
    {14, 2, "Zone2 Volume Out", Kind::kVolumeOut, CMultiZone::kZone2VolumeOut, "2660", {}},
    {15, 2, "Zone2 Volume", Kind::kVolume, CMultiZone::kZone2Volume, "231", {}},
    {16, 2, "Zone2 Volume Mute", Kind::kMute, CMultiZone::kZone2Mute, "07EA", kZone2MuteCodes},
    {17, 3, "Zone3 Input", Kind::kInput, CMultiZone::kZone3Input, "07A", kZone3InputCodes},
    {18, 3, "Zone3 Amplifier", Kind::kAmplifier, CMultiZone::kZone3Amplifier, "23F0", {}},
    {19, 3, "Zone3 Volume Out", Kind::kVolumeOut, CMultiZone::kZone3VolumeOut, "26B0", {}},
    {20, 3, "Zone3 Volume", Kind::kVolume, CMultiZone::kZone3Volume, "234", {}},
    {21, 3, "Zone3 Volume Mute", Kind::kMute, CMultiZone::kZone3Mute, "07E", kZone3MuteCodes},
    {22, 2, "Zone2 Balance", Kind::kBalance, CMultiZone::kZone2Balance, "2AD", {}},
    {23, 3, "Zone3 Balance", Kind::kBalance, CMultiZone::kZone3Balance, "2AE", {}},
    {24, 2, "Zone2 Max Volume", Kind::kMaxVolume, CMultiZone::kZone2MaxVolume, "2A9", {}},
    {25, 3, "Zone3 Max Volume", Kind::kMaxVolume, CMultiZone::kZone3MaxVolume, "2AA", {}},
    {26, 2, "Zone2 Initial Volume", Kind::kInitial, CMultiZone::kZone2InitialVolume, "2AB", {}},
    {27, 3, "Zone3 Initial Volume", Kind::kInitial, CMultiZone::kZone3InitialVolume, "2AC", {}},
}};

// Files and the report go zone by zone; the download sends each zone's
// volume output after its volume and mute.
constexpr std::array<ParamId, 16> kTextOrder = {12, 13, 14, 15, 16, 22, 24, 26,
                                                17, 18, 19, 20, 21, 23, 25, 27};
constexpr std::array<ParamId, 16> kDownloadOrder = {12, 13, 15, 16, 14, 22, 24, 26,
                                                    17, 18, 20, 21, 19, 23, 25, 27};

constexpr int kZoneInputCount = 12;  // every input but MULTI CH
const std::vector<std::string> kAmplifierTexts = {"External", "INT:Speaker[1]", "INT:Speaker[2]",
                                                  "INT:Both"};
const std::vector<std::string> kVolumeOutTexts = {"VAR", "FIX"};
const std::vector<std::string> kMaxVolumeTexts = {
    "16.5dB", "15dB", "10dB", "5dB", "0dB", "-5dB", "-10dB", "-15dB", "-20dB", "-25dB", "-30dB"};
const std::vector<std::string> kMuteTexts = {"OFF", "ON"};

constexpr int kExternal = 0;
constexpr int kBoth = 3;
constexpr int kVar = 0;
constexpr int kVolumeOff = -810;
constexpr int kVolumeMute = -805;
constexpr int kVolumeMaximum = 165;
constexpr int kVolumeStep = 5;
constexpr int kBalanceCentre = 20;
constexpr int kBalanceMaximum = 40;

const std::vector<std::string>& InputTexts() {
  static const std::vector<std::string> texts = [] {
    std::vector<std::string> names;
    names.reserve(kZoneInputCount);
    for (int input = 0; input < kZoneInputCount; ++input) {
      names.emplace_back(kInputs[static_cast<size_t>(input)].pageName);
    }
    return names;
  }();
  return texts;
}

// The entries of a combo box, or the texts of a check box.
const std::vector<std::string>* ChoiceTexts(const ZoneParameter& parameter) {
  switch (parameter.kind) {
    case Kind::kInput:
      return &InputTexts();
    case Kind::kAmplifier:
      return &kAmplifierTexts;
    case Kind::kVolumeOut:
      return &kVolumeOutTexts;
    case Kind::kMaxVolume:
      return &kMaxVolumeTexts;
    case Kind::kMute:
      return &kMuteTexts;
    default:
      return nullptr;
  }
}

const ZoneParameter* Find(ParamId id) {
  for (const ZoneParameter& parameter : kParameters) {
    if (parameter.id == id) return &parameter;
  }
  return nullptr;
}

const ZoneParameter* FindByControl(int control) {
  for (const ZoneParameter& parameter : kParameters) {
    if (parameter.control == control) return &parameter;
  }
  return nullptr;
}

const ZoneParameter& Of(int zone, Kind kind) {
  for (const ZoneParameter& parameter : kParameters) {
    if (parameter.zone == zone && parameter.kind == kind) return parameter;
  }
  return kParameters.front();
}

bool IsSlider(const ZoneParameter& parameter) {
  return parameter.kind == Kind::kVolume || parameter.kind == Kind::kBalance ||
         parameter.kind == Kind::kInitial;
}

bool IsValid(const ZoneParameter& parameter, int value) {
  switch (parameter.kind) {
    case Kind::kVolume:
      return value >= kVolumeMute && value <= kVolumeMaximum && value % kVolumeStep == 0;
    case Kind::kInitial:
      return value >= kVolumeOff && value <= kVolumeMaximum && value % kVolumeStep == 0;
    case Kind::kBalance:
      return value >= 0 && value <= kBalanceMaximum;
    default:
      return value >= 0 && value < static_cast<int>(ChoiceTexts(parameter)->size());
  }
}

std::string BalanceText(int value) {
  if (value == kBalanceCentre) return "Mid";
  if (value < kBalanceCentre) return "L" + std::to_string(kBalanceCentre - value);
  return "R" + std::to_string(value - kBalanceCentre);
}

// The shown text: combo and check box texts, level and balance texts.
std::string ValueText(const ZoneParameter& parameter, int value) {
  switch (parameter.kind) {
    case Kind::kVolume:
      return value <= kVolumeMute ? "Mute" : TenthsText(value, "dB");
    case Kind::kInitial:
      if (value <= kVolumeOff) return "Off";
      return value <= kVolumeMute ? "Mute" : TenthsText(value, "dB");
    case Kind::kBalance:
      return BalanceText(value);
    default:
      return (*ChoiceTexts(parameter))[static_cast<size_t>(value)];
  }
}

// "L3" is 17 and "R5" 25; false for a text that names no side.
bool ParseBalance(std::string_view text, int& value) {
  if (text == "Mid") {
    value = kBalanceCentre;
    return true;
  }
  const size_t left = text.find('L');
  const size_t right = text.find('R');
  const size_t side = left != std::string_view::npos ? left : right;
  if (side == std::string_view::npos) return false;
  int offset = 0;
  if (!ParseLeadingInteger(text.substr(side + 1), offset) || offset < 0) return false;
  value = left != std::string_view::npos ? kBalanceCentre - offset : kBalanceCentre + offset;
  return true;
}

}  // namespace

CMultiZone::CMultiZone(CCommClass& link, PageHost& host)
    : CBasePage(link, host, 134, "Multi Zone") {
  for (const ZoneParameter& parameter : kParameters) {
    const std::string caption(parameter.key);
    switch (parameter.kind) {
      case Kind::kVolume:
        AddSlider(parameter.control, parameter.id, kVolumeMute, kVolumeMaximum, kVolumeStep)
            .caption = caption;
        AddReadOut(ReadOutOf(parameter.control));
        break;
      case Kind::kInitial:
        AddSlider(parameter.control, parameter.id, kVolumeOff, kVolumeMaximum, kVolumeStep)
            .caption = caption;
        AddReadOut(ReadOutOf(parameter.control));
        break;
      case Kind::kBalance:
        AddSlider(parameter.control, parameter.id, 0, kBalanceMaximum, 1).caption = caption;
        AddReadOut(ReadOutOf(parameter.control));
        break;
      case Kind::kMute:
        AddCheckBox(parameter.control, parameter.id, "Mute");
        break;
      default:
        AddCombo(parameter.control, parameter.id, *ChoiceTexts(parameter)).caption = caption;
        break;
    }
  }
  // Zone 2 and Zone 3 side by side, each in its box; volumes upright with
  // the maximum at the top, balance from L to R.
  AddFrame(kZone2Frame, "Zone 2");
  AddFrame(kZone3Frame, "Zone 3");
  for (const ZoneParameter& parameter : kParameters) {
    const int frame = parameter.zone == 2 ? kZone2Frame : kZone3Frame;
    PlaceInFrame(parameter.control, frame);
    if (!IsSlider(parameter)) continue;
    PlaceInFrame(ReadOutOf(parameter.control), frame);
    if (parameter.kind == Kind::kBalance) {
      SetSliderLayout(parameter.control, Orientation::kHorizontal, "L", "R",
                      ReadOutOf(parameter.control));
    } else {
      SetSliderLayout(parameter.control, Orientation::kVertical, "", "",
                      ReadOutOf(parameter.control));
    }
  }
}

bool CMultiZone::ZoneExists(int zone) const {
  return (zone == 2 ? Link().Flags().zone2 : Link().Flags().zone3) == 1;
}

bool CMultiZone::IsParamEnabled(ParamId id) {
  const ZoneParameter* parameter = Find(id);
  return parameter != nullptr && ZoneExists(parameter->zone);
}

void CMultiZone::ShowParam(ParamId id) {
  const ZoneParameter* parameter = Find(id);
  if (parameter == nullptr) return;
  const int value = ReadParameter(LiveImage(), id);
  const bool valid = IsValid(*parameter, value);
  if (IsSlider(*parameter)) {
    SetValue(parameter->control, value);
    SetText(ReadOutOf(parameter->control), valid ? ValueText(*parameter, value) : std::string());
  } else {
    SetValue(parameter->control, valid ? value : -1);
  }
}

bool CMultiZone::UsesExternalAmplifier(int zone) {
  return ReadParameter(LiveImage(), Of(zone, Kind::kAmplifier).id) == kExternal;
}

void CMultiZone::ApplyVolumeOutRule(int zone) {
  SetEnabled(Of(zone, Kind::kVolumeOut).control, UsesExternalAmplifier(zone) && ZoneExists(zone));
}

void CMultiZone::ForceVariableOutput(int zone) {
  // On the internal amplifier the zone's output is variable. Offline a
  // whole refresh makes the image say so as well, so that a file or a
  // download carries what the page shows.
  if (UsesExternalAmplifier(zone) || IsRealTime()) return;
  StoreParameter(LiveImage(), Of(zone, Kind::kVolumeOut).id, kVar);
}

void CMultiZone::UpdateModelControls() {
  UpdateEnableState();
}

void CMultiZone::UpdateEnableState() {
  for (const ZoneParameter& parameter : kParameters) {
    // Maximum and initial volume stay open even for a zone the receiver lacks.
    if (parameter.kind == Kind::kMaxVolume || parameter.kind == Kind::kInitial) continue;
    SetEnabled(parameter.control, ZoneExists(parameter.zone));
  }
  ApplyVolumeOutRule(2);
  ApplyVolumeOutRule(3);
}

void CMultiZone::RefreshAll() {
  UpdateEnableState();
  ForceVariableOutput(2);
  ForceVariableOutput(3);
  for (const ZoneParameter& parameter : kParameters) ShowParam(parameter.id);
}

void CMultiZone::RefreshParam(ParamId id, bool /*updateControls*/) {
  if (!IsActive()) return;
  const ZoneParameter* parameter = Find(id);
  if (parameter == nullptr) return;
  ShowParam(id);
  if (parameter->kind == Kind::kAmplifier) ApplyVolumeOutRule(parameter->zone);
}

void CMultiZone::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  const ZoneParameter* parameter = Find(id);
  if (parameter == nullptr || !IsParamEnabled(id)) return;
  const int value = ReadParameter(image, id);
  if (!IsValid(*parameter, value)) return;
  std::string data;
  switch (parameter->kind) {
    case Kind::kInput:
    case Kind::kMute:
      data = parameter->values[static_cast<size_t>(value)];
      break;
    case Kind::kAmplifier:
    case Kind::kVolumeOut:
      data = HexUpper(value, 1);
      break;
    case Kind::kVolume:
      data = EncodeVolume(value);
      break;
    case Kind::kInitial:
      data = EncodeVolumeWithMute(value);
      break;
    case Kind::kBalance:
      data = HexUpper(value, 2);
      break;
    case Kind::kMaxVolume:
      // The list runs from the highest limit down.
      data = HexUpper(10 - value, 2);
      break;
  }
  Queue(StandardFrame(std::string(parameter->code) + data), id);
}

void CMultiZone::SendParam(ParamId id) {
  if (!IsParamEnabled(id)) return;
  CBasePage::SendParam(id);
}

void CMultiZone::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices, bool forText,
                              int /*selector*/) {
  const auto& order = forText ? kTextOrder : kDownloadOrder;
  ids.insert(ids.end(), order.begin(), order.end());
  subIndices.insert(subIndices.end(), order.size(), -1);
}

void CMultiZone::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                              std::string* section, std::string* key, std::string* value,
                              bool /*forReport*/) {
  const ZoneParameter* parameter = Find(id);
  if (parameter == nullptr) {
    ClearParamText(section, key, value);
    return;
  }
  const int stored = ReadParameter(image, id);
  if (!IsValid(*parameter, stored)) return;
  if (section != nullptr) *section = Caption();
  if (key != nullptr) *key = parameter->key;
  if (value != nullptr) *value = ValueText(*parameter, stored);
}

bool CMultiZone::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                  std::string_view text) {
  const ZoneParameter* parameter = Find(id);
  if (parameter == nullptr) return false;
  int value = -1;
  switch (parameter->kind) {
    case Kind::kInitial:
      if (text == "Off") {
        value = kVolumeOff;
        break;
      }
      [[fallthrough]];
    case Kind::kVolume:
      if (text == "Mute") {
        value = kVolumeMute;
      } else if (!ParseDottedInteger(text, 2, value)) {
        return false;  // "-40.0dB": the unit and the point go, -400 remains
      }
      break;
    case Kind::kBalance:
      if (!ParseBalance(text, value)) return false;
      break;
    default:
      value = FindText(*ChoiceTexts(*parameter), text);
      break;
  }
  // A file must not bring in a value the page could not show or send.
  if (!IsValid(*parameter, value)) return false;
  StoreParameter(image, id, value);
  return true;
}

void CMultiZone::MoveSlider(int sliderId, int value) {
  const ZoneParameter* parameter = FindByControl(sliderId);
  if (parameter == nullptr || !IsSlider(*parameter) || !FindControl(sliderId)->enabled) return;
  if (TransferRunning() || !IsValid(*parameter, value)) return;
  StoreParameter(LiveImage(), parameter->id, value);
  ShowParam(parameter->id);
}

void CMultiZone::ReleaseSlider(int sliderId) {
  const ZoneParameter* parameter = FindByControl(sliderId);
  if (parameter == nullptr || !IsSlider(*parameter) || !FindControl(sliderId)->enabled) return;
  SendParam(parameter->id);
}

void CMultiZone::ChooseCombo(int comboId, int index) {
  const ZoneParameter* parameter = FindByControl(comboId);
  if (parameter == nullptr || ChoiceTexts(*parameter) == nullptr ||
      parameter->kind == Kind::kMute || !FindControl(comboId)->enabled) {
    return;
  }
  if (!IsValid(*parameter, index)) return;
  if (parameter->kind != Kind::kAmplifier) {
    StoreParameter(LiveImage(), parameter->id, index);
    ShowParam(parameter->id);
    SendParam(parameter->id);
    return;
  }
  // The internal speaker sets serve one zone at a time: a set the other
  // zone uses, or both sets while the other zone uses one, is refused, and
  // nothing can change while the other zone uses both.
  const int zone = parameter->zone;
  const int other = ReadParameter(LiveImage(), Of(zone == 2 ? 3 : 2, Kind::kAmplifier).id);
  const bool refused =
      ((other == 1 || other == 2) && (index == other || index == kBoth)) || other == kBoth;
  if (!refused) StoreParameter(LiveImage(), parameter->id, index);
  ShowParam(parameter->id);
  ApplyVolumeOutRule(zone);
  // Offline an internal amplifier shows a variable output; the image
  // follows at the next whole refresh.
  const ZoneParameter& volumeOut = Of(zone, Kind::kVolumeOut);
  if (!UsesExternalAmplifier(zone) && !IsRealTime()) {
    SetValue(volumeOut.control, kVar);
  } else {
    ShowParam(volumeOut.id);
  }
  SendParam(parameter->id);
}

void CMultiZone::SetCheck(int checkId, bool checked) {
  const ZoneParameter* parameter = FindByControl(checkId);
  if (parameter == nullptr || parameter->kind != Kind::kMute || !FindControl(checkId)->enabled) {
    return;
  }
  StoreParameter(LiveImage(), parameter->id, checked ? 1 : 0);
  ShowParam(parameter->id);
  SendParam(parameter->id);
}

}  // namespace qamp
