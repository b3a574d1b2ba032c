#include "pages/volume_page.h"

#include <array>
#include <string>

#include "link/wire_format.h"
#include "model/parameter_store.h"

namespace qamp {

namespace {

struct Trim {
  ParamId id;
  std::string_view key;  // also the slider's label
  int slider;
  std::string_view code;  // the command text before the trim code
};

// Each trim's read-out beside its slider.
constexpr int ReadOutOf(const Trim& trim) {
  return trim.slider + 1;
}

// Top to bottom on the page, which is also the list and download order:
// DVR stands above VCR although its ID is the higher one.
constexpr std::array<Trim, 14> kTrims = {{
    {376, "PHONO", 1162, "2008012100"},
    {377, "CD", 1164, "2008012101"},
    {378, "TUNER", 1166, "2008012102"},
    {379, "CD-R", 1168, "2008012103"},
    {380, "MD/TAPE", 1170, "2008012104"},
    {381, "BD/HD DVD", 1172, "2008012111"},
    {382, "DVD", 1174, "2008012105"},
    {383, "DTV/CBL", 1176, "2008012106"},
    {385, "DVR", 1178, "200801210A"},
    {384, "VCR", 1180, "2008012109"},
    {386, "V-AUX", 1182, "200801210C"},
    {387, "MULTI CH", 1184, "2008012110"},
    {388, "XM", 1188, "200801210E"},
    {389, "DOCK", 1191, "2008012120"},
}};
constexpr int kTrimMinimum = -60;
constexpr int kTrimMaximum = 60;
constexpr int kTrimStep = 5;

struct Choice {
  ParamId id;
  std::string_view key;
  std::vector<int> buttons;
  std::vector<std::string> captions;
  std::string_view code;
  int digits;  // the index as this many upper-case hex digits
};

// In list order; Initial Volume (392) comes between MAX Volume and the
// adaptive settings.
const std::array<Choice, 3>& Choices() {
  static const std::array<Choice, 3> choices = {{
      {393,
       "MAX Volume",
       {1660, 1662, 1663, 1666, 1668, 1670, 1672, 1674, 1676, 1678, 1680},
       {"-30dB", "-25dB", "-20dB", "-15dB", "-10dB", "-5dB", "0dB", "+5dB", "+10dB", "+15dB",
        "+16.5dB"},
       "25A",
       2},
      {391, "Adaptive DSP Level", {1687, 1689}, {"Auto", "Off"}, "25D0", 1},
      {390, "Adaptive DRC", {1682, 1684}, {"Auto", "Off"}, "26D0", 1},
  }};
  return choices;
}

constexpr ParamId kInitialVolume = 392;
constexpr std::string_view kInitialVolumeKey = "Initial Volume";
constexpr int kVolumeOff = -810;
constexpr int kVolumeMute = -805;
constexpr int kVolumeMaximum = 165;
constexpr int kVolumeStep = 5;

const Trim* FindTrim(ParamId id) {
  for (const Trim& trim : kTrims) {
    if (trim.id == id) return &trim;
  }
  return nullptr;
}

const Trim* FindTrimSlider(int slider) {
  for (const Trim& trim : kTrims) {
    if (trim.slider == slider) return &trim;
  }
  return nullptr;
}

const Choice* FindChoice(ParamId id) {
  for (const Choice& choice : Choices()) {
    if (choice.id == id) return &choice;
  }
  return nullptr;
}

bool IsValidTrim(int value) {
  return value >= kTrimMinimum && value <= kTrimMaximum && value % kTrimStep == 0;
}

bool IsValidInitialVolume(int value) {
  return value >= kVolumeOff && value <= kVolumeMaximum && value % kVolumeStep == 0;
}

bool IsValidChoice(const Choice& choice, int value) {
  return value >= 0 && value < static_cast<int>(choice.captions.size());
}

// "Off", "Mute" or the volume in decibels, as the slider's read-out shows it.
std::string InitialVolumeText(int value) {
  if (value < -809) return "Off";
  if (value < -804) return "Mute";
  return TenthsText(value, "dB");
}

int TrimRow(const Trim& trim) {
  return static_cast<int>(&trim - kTrims.data());
}

}  // namespace

CVolumeTrim::CVolumeTrim(CCommClass& link, PageHost& host) : CBasePage(link, host, 135, "Volume") {
  for (const Trim& trim : kTrims) {
    AddSlider(trim.slider, trim.id, kTrimMinimum, kTrimMaximum, kTrimStep).caption = trim.key;
    AddReadOut(ReadOutOf(trim));
  }
  Control& list = AddList(kTrimList, std::vector<std::string>(kTrims.size()));
  list.caption = "Volume Trim";
  list.value = -1;
  AddButton(kFlatButton, "Flat");
  AddSlider(kInitialVolumeSlider, kInitialVolume, kVolumeOff, kVolumeMaximum, kVolumeStep).caption =
      kInitialVolumeKey;
  AddReadOut(kInitialVolumeReadOut);
  for (const Choice& choice : Choices()) {
    AddRadioGroup(choice.id, std::string(choice.key), choice.buttons, choice.captions);
    // All three belong to System Memory.
    SetMemoryMark(choice.buttons.front());
  }
  // The trims lie in the "Volume Trim" frame with the list of their values
  // beside them; Initial Volume stands upright.
  AddFrame(kTrimFrame, "Volume Trim");
  for (const Trim& trim : kTrims) {
    SetSliderLayout(trim.slider, Orientation::kHorizontal, "-", "+", ReadOutOf(trim));
    PlaceInFrame(trim.slider, kTrimFrame);
    PlaceInFrame(ReadOutOf(trim), kTrimFrame);
  }
  PlaceInFrame(kTrimList, kTrimFrame);
  PlaceInFrame(kFlatButton, kTrimFrame);
  SetSliderLayout(kInitialVolumeSlider, Orientation::kVertical, "", "", kInitialVolumeReadOut);
}

void CVolumeTrim::ShowParam(ParamId id) {
  const int value = ReadParameter(LiveImage(), id);
  if (const Trim* trim = FindTrim(id)) {
    SetValue(trim->slider, value);
    const std::string text = IsValidTrim(value) ? TenthsText(value, "dB") : std::string();
    SetText(ReadOutOf(*trim), text);
    Control* list = MutableControl(kTrimList);
    list->items[static_cast<size_t>(TrimRow(*trim))] = text.empty() ? text : " " + text;
  } else if (id == kInitialVolume) {
    SetValue(kInitialVolumeSlider, value);
    SetText(kInitialVolumeReadOut, IsValidInitialVolume(value) ? InitialVolumeText(value) : "");
  } else if (const Choice* choice = FindChoice(id)) {
    SetValue(choice->buttons.front(), IsValidChoice(*choice, value) ? value : -1);
  }
}

void CVolumeTrim::RefreshAll() {
  for (const Trim& trim : kTrims) ShowParam(trim.id);
  ShowParam(kInitialVolume);
  for (const Choice& choice : Choices()) ShowParam(choice.id);
}

void CVolumeTrim::RefreshParam(ParamId id, bool /*updateControls*/) {
  if (!IsActive()) return;
  ShowParam(id);
}

void CVolumeTrim::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  const int value = ReadParameter(image, id);
  if (const Trim* trim = FindTrim(id)) {
    if (!IsValidTrim(value)) return;
    Queue(ExtendedFrame(std::string(trim->code) + HexLower((value + 60) / 5, 2)), id);
  } else if (id == kInitialVolume) {
    if (!IsValidInitialVolume(value)) return;
    Queue(StandardFrame("25B" + EncodeVolumeWithMute(value)), id);
  } else if (const Choice* choice = FindChoice(id)) {
    if (!IsValidChoice(*choice, value)) return;
    Queue(StandardFrame(std::string(choice->code) + HexUpper(value, choice->digits)), id);
  }
}

void CVolumeTrim::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                               bool /*forText*/, int /*selector*/) {
  for (const Trim& trim : kTrims) ids.push_back(trim.id);
  ids.push_back(393);
  ids.push_back(kInitialVolume);
  ids.push_back(391);
  ids.push_back(390);
  subIndices.assign(ids.size(), -1);
}

void CVolumeTrim::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                               std::string* section, std::string* key, std::string* value,
                               bool /*forReport*/) {
  const int stored = ReadParameter(image, id);
  std::string_view keyText;
  std::string valueText;
  if (const Trim* trim = FindTrim(id)) {
    if (!IsValidTrim(stored)) return;
    keyText = trim->key;
    valueText = TenthsText(stored, "dB");
  } else if (id == kInitialVolume) {
    if (!IsValidInitialVolume(stored)) return;
    keyText = kInitialVolumeKey;
    valueText = InitialVolumeText(stored);
  } else if (const Choice* choice = FindChoice(id)) {
    if (!IsValidChoice(*choice, stored)) return;
    keyText = choice->key;
    valueText = choice->captions[static_cast<size_t>(stored)];
  } else {
    ClearParamText(section, key, value);
    return;
  }
  if (section != nullptr) *section = Caption();
  if (key != nullptr) *key = keyText;
  if (value != nullptr) *value = valueText;
}

bool CVolumeTrim::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                   std::string_view text) {
  int value = 0;
  if (FindTrim(id) != nullptr) {
    // "-2.5dB": the unit and the point go, -25 remains.
    if (!ParseDottedInteger(text, 2, value) || !IsValidTrim(value)) return false;
  } else if (id == kInitialVolume) {
    if (text == "Off") {
      value = kVolumeOff;
    } else if (text == "Mute") {
      value = kVolumeMute;
    } else if (!ParseDottedInteger(text, 2, value) || value < kVolumeMute ||
               !IsValidInitialVolume(value)) {
      return false;
    }
  } else if (const Choice* choice = FindChoice(id)) {
    value = FindText(choice->captions, text);
    if (value < 0) return false;
  } else {
    return false;
  }
  StoreParameter(image, id, value);
  return true;
}

void CVolumeTrim::ClickRadio(int buttonId) {
  int index = -1;
  Control* group = RadioGroupOf(buttonId, index);
  if (group == nullptr || !group->enabled) return;
  StoreParameter(LiveImage(), group->param, index);
  SendParam(group->param);
  ShowParam(group->param);
}

void CVolumeTrim::MoveSlider(int sliderId, int value) {
  if (TransferRunning()) return;
  ParamId id = 0;
  if (const Trim* trim = FindTrimSlider(sliderId)) {
    if (!IsValidTrim(value)) return;
    id = trim->id;
  } else if (sliderId == kInitialVolumeSlider) {
    if (!IsValidInitialVolume(value)) return;
    id = kInitialVolume;
  } else {
    return;
  }
  StoreParameter(LiveImage(), id, value);
  ShowParam(id);
}

void CVolumeTrim::ReleaseSlider(int sliderId) {
  if (const Trim* trim = FindTrimSlider(sliderId)) {
    SendParam(trim->id);
  } else if (sliderId == kInitialVolumeSlider) {
    SendParam(kInitialVolume);
  }
}

void CVolumeTrim::PressButton(int buttonId) {
  if (buttonId != kFlatButton) return;
  for (const Trim& trim : kTrims) StoreParameter(LiveImage(), trim.id, 0);
  RefreshAll();
  if (!IsRealTime()) return;
  Host().SetWaitCursor(true);
  for (const Trim& trim : kTrims) SendParamFromImage(LiveImage(), trim.id, -1);
  QueueEndMarker();
  Host().SetWaitCursor(false);
}

}  // namespace qamp
