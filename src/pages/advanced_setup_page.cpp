#include "pages/advanced_setup_page.h"

#include <array>
#include <string>

#include "model/parameter_store.h"

namespace qamp {

namespace {

struct AdvancedGroup {
  ParamId id;
  std::string_view key;    // the report and profile key; empty: not in files
  std::string_view frame;  // the frame caption on the page
  std::vector<int> buttons;
  std::vector<std::string> captions;
  std::string_view code;  // the command text before the index digit
};

constexpr ParamId kSpeakerImpedance = 537;
constexpr ParamId kXmId = 542;
constexpr ParamId kFanMode = 543;
constexpr ParamId kTunerFrequency = 544;
constexpr ParamId kInitialize = 536;

// In the order of the image fields.
const std::array<AdvancedGroup, 11>& Groups() {
  // clang-format off
  static const std::array<AdvancedGroup, 11> groups = {{
      {537, "Speaker Impedance", "Speaker Impedance", {1588, 1587}, {"8 ohm", "6 ohm"}, "2B30"},
      {538, "Remote Sensor", "Remote Sensor", {1589, 1591}, {"On", "Off"}, "2B90"},
      {539, "Wake on 232C Access", "RS232C STANDBY", {1490, 1489}, {"No", "Yes"}, "2BD0"},
      {540, "Remote Control Amplifier ID", "Remote Control Amplifier ID", {1494, 1498}, {"ID 1", "ID 2"}, "2B10"},
      {541, "Remote Control Tuner ID", "Remote Control Tuner ID", {1500, 1503}, {"ID 1", "ID 2"}, "2B50"},
      {542, "Remote Control XM ID", "Remote Control XM ID", {1510, 1514}, {"ID 1", "ID 2"}, "2BA0"},
      // Fan Mode sits in the hidden frame for another model: it has a field
      // and a command, but no place in files or the report.
      {543, "", "Fan Mode", {1516, 1518}, {"Auto", "Cont."}, "2B20"},
      {544, "Tuner Frequency Step", "Tuner Frequency", {1521, 1524}, {"AM10/FM100", "AM9/FM50"}, "2B40"},
      {545, "Bi-Amplifier", "Bi-Amplifier", {1525, 1526}, {"On", "Off"}, "2BB0"},
      {536, "Initialize", "Initialize", {1423, 1425, 1427, 1429}, {"Cancel", "ALL", "DSP Param", "Video"}, "2B70"},
      {548, "Monitor Check", "Monitor Check", {1544, 1546}, {"Skip", "Yes"}, "2BF0"},
  }};
  // clang-format on
  return groups;
}

// What choosing an initialization asks first, by the chosen index.
constexpr std::array<std::string_view, 4> kInitializeQuestions = {
    "",
    "All the parameters of this unit will be reset\nto the initial factory settings.",
    "The parameter settings for DSP Parameters\nwill be initialized.",
    "The parameter settings for Display Set\nwill be initialized.",
};

const AdvancedGroup* Find(ParamId id) {
  for (const AdvancedGroup& group : Groups()) {
    if (group.id == id) return &group;
  }
  return nullptr;
}

bool IsValid(const AdvancedGroup& group, int value) {
  return value >= 0 && value < static_cast<int>(group.captions.size());
}

int FirstButton(ParamId id) {
  return Find(id)->buttons.front();
}

}  // namespace

CAdvSetup::CAdvSetup(CCommClass& link, PageHost& host)
    : CBasePage(link, host, 170, "Advanced Setup") {
  for (const AdvancedGroup& group : Groups()) {
    Control& radio =
        AddRadioGroup(group.id, std::string(group.frame), group.buttons, group.captions);
    if (group.id == kFanMode) radio.visible = false;
  }
  // The frames that are disabled or hidden with their groups, each holding
  // its group.
  const std::array<std::pair<int, ParamId>, 4> frames = {{
      {kSpeakerImpedanceFrame, kSpeakerImpedance},
      {kXmIdFrame, kXmId},
      {kTunerFrequencyFrame, kTunerFrequency},
      {kInitializeFrame, kInitialize},
  }};
  for (const auto& [id, param] : frames) {
    AddFrame(id, std::string(Find(param)->frame));
    PlaceInFrame(FirstButton(param), id);
  }
  Control note;
  note.id = kNote;
  note.kind = ControlKind::kText;
  note.caption =
      "* The new setting is activated next time you press\n  ''MASTER ON/OFF'' inward to the ON "
      "position.";
  AddControl(note);
}

void CAdvSetup::ShowGroup(int frameId, ParamId id, bool visible) {
  SetVisible(frameId, visible);
  SetVisible(FirstButton(id), visible);
}

void CAdvSetup::PushValues() {
  for (const AdvancedGroup& group : Groups()) {
    if (group.id == kFanMode) continue;
    const int value = ReadParameter(LiveImage(), group.id);
    SetValue(group.buttons.front(), IsValid(group, value) ? value : -1);
  }
}

void CAdvSetup::UpdateEnableState() {
  // In Real Time Mode the receiver is there to take an initialization, and
  // shows what its region offers.
  if (IsRealTime()) return;
  SetEnabled(kInitializeFrame, false);
  SetEnabled(FirstButton(kInitialize), false);
  switch (Link().RegionCode()) {
    case 0:
      ShowGroup(kSpeakerImpedanceFrame, kSpeakerImpedance, false);
      ShowGroup(kXmIdFrame, kXmId, false);
      ShowGroup(kTunerFrequencyFrame, kTunerFrequency, false);
      break;
    case 1:
      ShowGroup(kTunerFrequencyFrame, kTunerFrequency, false);
      break;
    case 2:
    case 3: {
      ShowGroup(kXmIdFrame, kXmId, false);
      // The region fixes the tuner step; it is forced here but not sent.
      const int step = Link().RegionCode() == 2 ? 1 : 0;
      StoreParameter(LiveImage(), kTunerFrequency, step);
      SetValue(FirstButton(kTunerFrequency), step);
      SetEnabled(FirstButton(kTunerFrequency), false);
      break;
    }
    default:
      break;
  }
}

void CAdvSetup::UpdateModelControls() {
  ShowGroup(kXmIdFrame, kXmId, Link().Flags().xm != 0);
  if (Link().Job() == TransferJob::kNone) {
    ShowGroup(kSpeakerImpedanceFrame, kSpeakerImpedance, true);
    ShowGroup(kTunerFrequencyFrame, kTunerFrequency, true);
    return;
  }
  switch (Link().RegionCode()) {
    case 0:
      ShowGroup(kSpeakerImpedanceFrame, kSpeakerImpedance, false);
      ShowGroup(kTunerFrequencyFrame, kTunerFrequency, false);
      break;
    case 1:
      ShowGroup(kTunerFrequencyFrame, kTunerFrequency, false);
      break;
    default:
      break;
  }
}

void CAdvSetup::RefreshAll() {
  UpdateEnableState();
  PushValues();
}

void CAdvSetup::RefreshParam(ParamId id, bool updateControls) {
  if (!IsActive()) return;
  const AdvancedGroup* group = Find(id);
  if (group == nullptr) return;
  const int value = ReadParameter(LiveImage(), id);
  SetValue(group->buttons.front(), IsValid(*group, value) ? value : -1);
  if (updateControls) UpdateEnableState();
}

void CAdvSetup::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  const AdvancedGroup* group = Find(id);
  if (group == nullptr) return;
  const int value = ReadParameter(image, id);
  if (!IsValid(*group, value)) return;
  Queue(StandardFrame(std::string(group->code) + HexUpper(value, 1)), id);
}

void CAdvSetup::DownloadPage(const CSettingImage& image) {
  // "Initialize" asks the receiver to reset itself. A file or an Upload may
  // hold the last choice a user made live ("DSP Param", say); a Download
  // restores settings and never resets the receiver, so the request goes
  // as "Cancel", in its place in the order.
  CSettingImage sent = image;
  StoreParameter(sent, kInitialize, 0);
  CBasePage::DownloadPage(sent);
}

void CAdvSetup::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                             bool /*forText*/, int /*selector*/) {
  // What the receiver of each region has.
  const int region = Link().RegionCode();
  if (region != 0) ids.push_back(kSpeakerImpedance);
  ids.insert(ids.end(), {538, 539, 540, 541});
  if (region == 1) ids.push_back(kXmId);
  if (region == 2 || region == 3) ids.push_back(kTunerFrequency);
  ids.insert(ids.end(), {545, kInitialize, 548});
  subIndices.assign(ids.size(), -1);
}

void CAdvSetup::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                             std::string* section, std::string* key, std::string* value,
                             bool /*forReport*/) {
  const AdvancedGroup* group = Find(id);
  if (group == nullptr || group->key.empty()) {
    ClearParamText(section, key, value);
    return;
  }
  const int stored = ReadParameter(image, id);
  if (!IsValid(*group, stored)) return;
  if (section != nullptr) *section = Caption();
  if (key != nullptr) *key = group->key;
  if (value != nullptr) *value = group->captions[static_cast<size_t>(stored)];
}

bool CAdvSetup::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                 std::string_view text) {
  const AdvancedGroup* group = Find(id);
  if (group == nullptr || group->key.empty()) return false;
  const int index = FindText(group->captions, text);
  if (index < 0) return false;
  StoreParameter(image, id, index);
  return true;
}

void CAdvSetup::ClickRadio(int buttonId) {
  int index = -1;
  Control* group = RadioGroupOf(buttonId, index);
  if (group == nullptr || !group->enabled || !group->visible) return;
  const ParamId id = group->param;
  if (id == kInitialize && index != 0) {
    // An initialization is only requested after the user agreed to it;
    // otherwise the choice before the click stands, and is sent again.
    const int previous = ReadParameter(LiveImage(), id);
    if (!Host().Message(kInitializeQuestions[static_cast<size_t>(index)], kMessageTitle,
                        PageIcon::kExclamation, PageButtons::kOkCancel)) {
      index = previous;
    }
  }
  StoreParameter(LiveImage(), id, index);
  SendParam(id);
  PushValues();
}

}  // namespace qamp
