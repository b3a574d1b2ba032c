#include "pages/basic_control.h"

#include <span>

#include "link/basic_control_commands.h"
#include "model/parameter_store.h"
#include "model/vocabulary.h"
#include "pages/dsp_parameters_page.h"

namespace qamp {

namespace {

constexpr std::string_view kSection = "Basic Control";
constexpr std::array<std::string_view, 8> kKeys = {"Input",       "Audio Select",  "Decoder Mode",
                                                   "DSP Program", "EXTD Surround", "Main Volume",
                                                   "Mute",        "Pure Direct"};
constexpr std::string_view kStraightText = "Straight";
constexpr std::string_view kMuteText = "Mute";
constexpr int kVolumeMinimum = -805;
constexpr int kVolumeMaximum = 165;
constexpr int kVolumeStep = 5;
constexpr int kFirstShownProgram = 12;  // the program list starts at "Sci-Fi"

template <size_t N>
std::vector<std::string> Names(const std::array<std::string_view, N>& names) {
  return {names.begin(), names.end()};
}

std::vector<std::string> InputNames() {
  std::vector<std::string> names;
  names.reserve(kInputs.size());
  for (const InputEntry& input : kInputs) names.emplace_back(input.viewName);
  return names;
}

// The list that shows the value of IDs 1, 2, 3, 5; empty for the others.
std::vector<std::string> ListOf(ParamId id) {
  switch (id) {
    case 1:
      return InputNames();
    case 2:
      return Names(kAudioSelectNames);
    case 3:
      return Names(kDecoderModeNames);
    case 5:
      return Names(kExtdSurroundNames);
    default:
      return {};
  }
}

}  // namespace

CBasicControl::CBasicControl(CCommClass& link, PageHost& host)
    : CBasePage(link, host, 0, std::string(kSection)) {
  AddCombo(kInputCombo, 1, InputNames()).caption = "Input";
  AddCombo(kAudioSelectCombo, 2, Names(kAudioSelectNames)).caption = "Audio Select";
  AddCombo(kDecoderModeCombo, 3, Names(kDecoderModeNames)).caption = "Decoder Mode";
  AddRadioGroup(4, "DSP Program", {kProgramRadio, kStraightRadio}, {"DSP Program", "Straight"});
  AddCombo(kProgramCombo, 4, ProgramNames()).value = kFirstShownProgram;
  AddCombo(kExtdSurroundCombo, 5, Names(kExtdSurroundNames)).caption = "EXTD Surround";
  AddSlider(kVolumeSlider, 6, kVolumeMinimum, kVolumeMaximum, kVolumeStep).caption = "Main Volume";
  AddReadOut(kVolumeText);
  AddCheckBox(kMuteCheck, 7, "Mute");
  AddCheckBox(kPureDirectCheck, 8, "Pure Direct");
  AddCheckBox(kMainPowerCheck, 9, "Main");
  AddCheckBox(kZone2PowerCheck, 10, "Zone 2");
  AddCheckBox(kZone3PowerCheck, 11, "Zone 3");
}

std::string CBasicControl::VolumeText(int tenths) {
  if (tenths < -804) return std::string(kMuteText);
  return TenthsText(tenths, "dB");
}

int CBasicControl::CurrentInput() const {
  return ReadParameter(Link().CurrentImage(), 1);
}

void CBasicControl::StoreAndSend(ParamId id, int value) {
  StoreParameter(LiveImage(), id, value);
  RefreshBasicControl(id);
  Send(id);
}

void CBasicControl::Send(ParamId id) {
  if (!IsRealTime()) return;
  Host().SetWaitCursor(true);
  SendParamFromImage(LiveImage(), id, -1);
  QueueEndMarker();
  Host().SetWaitCursor(false);
}

void CBasicControl::WriteInputDspRecord(int program, bool straight) {
  const int input = CurrentInput();
  if (input < 0 || input >= kInputCount) return;
  const int word = kInputDspFirstWord + 2 * InputDspRecordOfInput(input);
  if (straight) {
    LiveImage()[word + 1] = 1;
  } else {
    LiveImage()[word] = program;
    LiveImage()[word + 1] = 0;
  }
}

void CBasicControl::ChooseInput(int input) {
  if (input < 0 || input >= kInputCount) return;
  StoreAndSend(1, input);
  if (!IsRealTime()) {
    // Offline, the input plays the program its Input DSP record assigns.
    const int word = kInputDspFirstWord + 2 * InputDspRecordOfInput(input);
    StoreParameter(LiveImage(), 4,
                   LiveImage()[word + 1] != 0 ? kStraightProgram : LiveImage()[word]);
  }
  ShowProgramControls();
}

void CBasicControl::ChooseProgram(int program) {
  if (program < 0 || program >= kProgramCount) return;
  SetValue(kProgramCombo, program);
  StoreAndSend(4, program);
  if (IsRealTime()) {
    if (dspParameters_ != nullptr) dspParameters_->ShowProgram(program);
  } else {
    WriteInputDspRecord(program, false);
  }
  ShowProgramControls();
}

void CBasicControl::ClickProgramRadio() {
  if (CurrentInput() == kMultiChInput) return;
  const Control* list = FindControl(kProgramCombo);
  ChooseProgram(list->value < 0 ? kFirstShownProgram : list->value);
}

void CBasicControl::ClickStraightRadio() {
  StoreAndSend(4, kStraightProgram);
  if (!IsRealTime()) WriteInputDspRecord(kStraightProgram, true);
  ShowProgramControls();
}

void CBasicControl::ApplyProgram(int program, bool send) {
  if (program < 0 || program > kStraightProgram) return;
  StoreParameter(LiveImage(), 4, program);
  if (program < kProgramCount) SetValue(kProgramCombo, program);
  ShowProgramControls();
  if (send) Send(4);
  if (IsRealTime() && program < kProgramCount && dspParameters_ != nullptr)
    dspParameters_->ShowProgram(program);
}

void CBasicControl::MoveVolume(int tenths) {
  // While a progress window is open the slider changes neither the level
  // nor its text.
  if (TransferRunning()) return;
  if (tenths < kVolumeMinimum || tenths > kVolumeMaximum) return;
  StoreParameter(LiveImage(), 6, tenths - tenths % kVolumeStep);
  RefreshBasicControl(6);
}

void CBasicControl::ShowProgramControls() {
  const int program = ReadParameter(LiveImage(), 4);
  const bool multiChannel = CurrentInput() == kMultiChInput;
  const bool straight = program == kStraightProgram;
  // MULTI CH plays no sound program: the radio shows Straight, whatever
  // program is stored.
  SetValue(kProgramRadio, multiChannel || straight ? 1 : 0);
  Control* radio = MutableControl(kProgramRadio);
  radio->enabled = true;
  radio->itemEnabled = {!multiChannel, true};
  SetEnabled(kProgramCombo, !multiChannel && !straight);
  if (!straight && program >= 0 && program < kProgramCount) SetValue(kProgramCombo, program);
}

void CBasicControl::RefreshBasicControl(ParamId id) {
  const CSettingImage& image = Link().CurrentImage();
  const int value = ReadParameter(image, id);
  switch (id) {
    case 1:
      SetValue(kInputCombo, value);
      ShowProgramControls();
      break;
    case 2:
      SetValue(kAudioSelectCombo, value);
      break;
    case 3:
      SetValue(kDecoderModeCombo, value);
      break;
    case 4:
      ShowProgramControls();
      break;
    case 5:
      SetValue(kExtdSurroundCombo, value);
      break;
    case 6:
      SetValue(kVolumeSlider, value);
      SetText(kVolumeText, VolumeText(value));
      break;
    case 7:
      SetValue(kMuteCheck, value);
      break;
    case 8:
      SetValue(kPureDirectCheck, value);
      break;
    case 9:
      SetValue(kMainPowerCheck, value);
      break;
    case 10:
      SetValue(kZone2PowerCheck, value);
      break;
    case 11:
      SetValue(kZone3PowerCheck, value);
      break;
    default:
      break;
  }
}

void CBasicControl::UpdateBasicControls() {
  for (ParamId id = 1; id <= 11; ++id) RefreshBasicControl(id);
}

void CBasicControl::UpdateModelControls() {
  Control* decoder = MutableControl(kDecoderModeCombo);
  decoder->items = Names(kDecoderModeNames);
  if (Link().Job() == TransferJob::kRealTimeConnection && Link().Flags().aacDecoder == 0)
    decoder->items.pop_back();
  SetVisible(kZone2PowerCheck, Link().Flags().zone2 != 0);
  SetVisible(kZone3PowerCheck, Link().Flags().zone3 != 0);
}

void CBasicControl::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  if (const auto command = BasicControlCommand(id, image)) Queue(*command, id);
}

void CBasicControl::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                                 bool /*forText*/, int /*selector*/) {
  for (ParamId id = 1; id <= 8; ++id) {
    ids.push_back(id);
    subIndices.push_back(-1);
  }
}

void CBasicControl::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                                 std::string* section, std::string* key, std::string* value,
                                 bool /*forReport*/) {
  if (id < 1 || id > 8) {
    ClearParamText(section, key, value);
    return;
  }
  const int stored = ReadParameter(image, id);
  std::string text;
  const std::vector<std::string> list = ListOf(id);
  if (!list.empty()) {
    if (stored < 0 || stored >= static_cast<int>(list.size())) return;
    text = list[static_cast<size_t>(stored)];
  } else if (id == 4) {
    if (stored == kStraightProgram) {
      text = kStraightText;
    } else if (stored >= 0 && stored < kProgramCount) {
      text = kPrograms[static_cast<size_t>(stored)].name;
    } else {
      return;
    }
  } else if (id == 6) {
    text = VolumeText(stored);
  } else {
    text = stored != 0 ? "ON" : "OFF";
  }
  if (section != nullptr) *section = kSection;
  if (key != nullptr) *key = kKeys[static_cast<size_t>(id - 1)];
  if (value != nullptr) *value = text;
}

bool CBasicControl::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                     std::string_view text) {
  int value = -1;
  const std::vector<std::string> list = ListOf(id);
  if (!list.empty()) {
    value = FindText(list, text);
  } else if (id == 4) {
    if (text == kStraightText) {
      value = kStraightProgram;
    } else {
      value = FindText(ProgramNames(), text);
    }
  } else if (id == 6) {
    if (text == kMuteText) {
      value = kVolumeMinimum;
    } else {
      int tenths = 0;
      // "-40.0dB": the unit and the point dropped, read as tenths. A level
      // the slider cannot take stays out of the image.
      if (!ParseDottedInteger(text, 2, tenths) || tenths < kVolumeMinimum ||
          tenths > kVolumeMaximum || tenths % kVolumeStep != 0) {
        return false;
      }
      value = tenths;
    }
  } else if (id == 7 || id == 8) {
    value = text == "ON" ? 1 : text == "OFF" ? 0 : -1;
  }
  if (value < 0 && id != 6) return false;
  StoreParameter(image, id, value);
  return true;
}

}  // namespace qamp
