#include "pages/ipod_page.h"

#include <array>

#include "model/parameter_store.h"

namespace qamp {

namespace {

struct IPodSetting {
  ParamId id;
  std::string_view frame;  // the group caption on the page
  std::string_view key;    // the report and profile key
  std::vector<int> buttons;
  std::vector<std::string> captions;
  bool extended;          // DC4 message with checksum, else a standard command
  std::string_view code;  // the value follows as one hex digit
};

const std::array<IPodSetting, 5>& Settings() {
  static const std::array<IPodSetting, 5> settings = {{
      {549, "Standby Charge", "Standby Charge", {1401, 1402}, {"Off", "Auto"}, false, "2960"},
      {550, "Repeat", "Repeat", {1403, 1404, 1405}, {"Off", "One", "All"}, false, "2970"},
      // The key keeps this spelling so that existing configuration files still load.
      {551, "Shuffle", "Shaffle", {1406, 1407, 1408}, {"Off", "Songs", "Albums"}, false, "2980"},
      {552,
       "PlayInformation Output Setting",
       "PlayInformation Output Setting",
       {1409, 1410},
       {"Off", "On"},
       true,
       "200600410"},
      {553,
       "ListInformation Output Setting",
       "ListInformation Output Setting",
       {1411, 1412},
       {"Off", "On"},
       true,
       "200600510"},
  }};
  return settings;
}

const IPodSetting* FindSetting(ParamId id) {
  for (const IPodSetting& setting : Settings()) {
    if (setting.id == id) return &setting;
  }
  return nullptr;
}

constexpr ParamId kOperationId = 554;
constexpr ParamId kPlayInformationId = 555;
constexpr ParamId kListInformationId = 556;

// The operation number is the position in this table.
struct Operation {
  int button;
  std::string_view caption;
  std::string_view code;  // follows "0F7F011"
  bool shown;
};

constexpr std::array<Operation, 7> kOperations = {{
    {CiPodPage::kPlayButton, "Play", "EE1", true},
    {CiPodPage::kStopButton, "Stop", "DE2", true},
    {CiPodPage::kRewButton, "Rew", "7E8", false},
    {CiPodPage::kFfButton, "FF", "8E7", false},
    {CiPodPage::kPauseButton, "Pause", "AE5", true},
    {CiPodPage::kMinusButton, "-", "BE4", true},
    {CiPodPage::kPlusButton, "+", "CE3", true},
}};

struct MenuKey {
  ParamId id;
  int button;
  std::string_view caption;  // the arrow keys show arrow images instead
  std::string_view command;
};

constexpr std::array<MenuKey, 6> kMenuKeys = {{
    {557, CiPodPage::kDisplayButton, "Display", "0F7F0115EA"},
    {558, CiPodPage::kEnterButton, "Enter", "0F7F0111EE"},
    {559, CiPodPage::kUpButton, "Up", "0F7F010EF1"},
    {560, CiPodPage::kDownButton, "Down", "0F7F0114EB"},
    {561, CiPodPage::kLeftButton, "Left", "0F7F0110EF"},
    {562, CiPodPage::kRightButton, "Right", "0F7F0112ED"},
}};

// Where each box finds its characters in the reported text.
struct TextSlice {
  std::string_view label;
  size_t first;
  size_t length;
};

constexpr std::array<TextSlice, 5> kPlayInformation = {{
    {"TITLE(SONG)", 0, 40},
    {"ARTIST", 40, 20},
    {"ALBUM", 60, 20},
    {"CHANNEL", 80, 20},
    {"CH CATEGORY", 100, 20},
}};

// The list text starts with the selected line "0".."3".
constexpr size_t kListLineLength = 20;
constexpr size_t kFirstListLine = 1;

// The receiver's characters for one box: never more than the box holds, and
// control bytes shown as blanks so that a line stays one line.
std::string BoxText(std::string_view reported, size_t first, size_t length) {
  if (first >= reported.size()) return {};
  std::string text(reported.substr(first, length));
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return text;
}

}  // namespace

CiPodPage::CiPodPage(CCommClass& link, PageHost& host) : CBasePage(link, host, 102, "iPod") {
  for (const IPodSetting& setting : Settings()) {
    AddRadioGroup(setting.id, std::string(setting.frame), setting.buttons, setting.captions);
  }
  // The operation buttons and the two information groups stand in boxes.
  AddFrame(kOperationGroup, "iPod Operation");
  for (const Operation& button : kOperations) {
    AddButton(button.button, std::string(button.caption)).param = kOperationId;
    PlaceInFrame(button.button, kOperationGroup);
  }
  for (const MenuKey& key : kMenuKeys) {
    AddButton(key.button, std::string(key.caption)).param = key.id;
    PlaceInFrame(key.button, kOperationGroup);
  }
  AddFrame(kPlayInformationGroup, "Play Information");
  for (size_t box = 0; box < kPlayInformation.size(); ++box) {
    Control& edit = AddEdit(kPlayInformationBoxes[box]);
    edit.param = kPlayInformationId;
    edit.caption = kPlayInformation[box].label;
    edit.frame = kPlayInformationGroup;
  }
  AddFrame(kListInformationGroup, "List Information");
  for (size_t line = 0; line < 4; ++line) {
    AddEdit(kListMarkerBoxes[line]).param = kListInformationId;
    AddEdit(kListLineBoxes[line]).param = kListInformationId;
    PlaceInFrame(kListMarkerBoxes[line], kListInformationGroup);
    PlaceInFrame(kListLineBoxes[line], kListInformationGroup);
  }
  UpdateEnableState();
}

void CiPodPage::UpdateEnableState() {
  // The iPod is only worked while connected: in Async Mode the operation
  // controls are hidden, and with them any way to send an operation.
  const bool realTime = IsRealTime();
  std::vector<int> operationControls;
  for (const Control& control : Controls()) {
    if (control.kind != ControlKind::kRadioGroup) operationControls.push_back(control.id);
  }
  for (const int id : operationControls) {
    bool shown = realTime;
    for (const Operation& operation : kOperations) {
      if (operation.button == id) shown = shown && operation.shown;
    }
    SetVisible(id, shown);
    SetEnabled(id, shown);
  }
}

void CiPodPage::ShowPlayInformation() {
  const std::string reported = ReadText(LiveImage(), kPlayInformationId);
  for (size_t box = 0; box < kPlayInformation.size(); ++box) {
    const TextSlice& slice = kPlayInformation[box];
    SetText(kPlayInformationBoxes[box], BoxText(reported, slice.first, slice.length));
  }
}

void CiPodPage::ShowListInformation() {
  const std::string reported = ReadText(LiveImage(), kListInformationId);
  for (size_t line = 0; line < 4; ++line) {
    SetText(kListLineBoxes[line],
            BoxText(reported, kFirstListLine + kListLineLength * line, kListLineLength));
  }
  // Any other first character says nothing about the selection.
  if (reported.empty() || reported[0] < '0' || reported[0] > '3') return;
  const size_t selected = static_cast<size_t>(reported[0] - '0');
  for (size_t line = 0; line < 4; ++line) {
    SetText(kListMarkerBoxes[line], line == selected ? ">" : "");
  }
}

void CiPodPage::RefreshAll() {
  UpdateEnableState();
  for (const IPodSetting& setting : Settings()) {
    const int stored = ReadParameter(LiveImage(), setting.id);
    const bool known = stored >= 0 && stored < static_cast<int>(setting.captions.size());
    SetValue(setting.buttons.front(), known ? stored : -1);
  }
  // The reports may have come while another page was shown.
  ShowPlayInformation();
  ShowListInformation();
}

void CiPodPage::RefreshParam(ParamId id, bool updateControls) {
  if (!IsActive()) return;
  if (id == kPlayInformationId) {
    ShowPlayInformation();
  } else if (id == kListInformationId) {
    ShowListInformation();
  } else if (const IPodSetting* setting = FindSetting(id)) {
    const int stored = ReadParameter(LiveImage(), id);
    const bool known = stored >= 0 && stored < static_cast<int>(setting->captions.size());
    SetValue(setting->buttons.front(), known ? stored : -1);
  }
  if (updateControls) UpdateEnableState();
}

void CiPodPage::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  if (const IPodSetting* setting = FindSetting(id)) {
    const int value = ReadParameter(image, id);
    if (value < 0 || value >= static_cast<int>(setting->captions.size())) return;
    const std::string text = std::string(setting->code) + HexUpper(value, 1);
    Queue(setting->extended ? ExtendedFrame(text) : StandardFrame(text), id);
    return;
  }
  // An operation is the button last pressed, not a setting of any image.
  if (id == kOperationId) {
    if (operation_ < 0 || operation_ >= static_cast<int>(kOperations.size())) return;
    const std::string code(kOperations[static_cast<size_t>(operation_)].code);
    Queue(StandardFrame("0F7F011" + code), id);
    return;
  }
  for (const MenuKey& key : kMenuKeys) {
    if (key.id == id) Queue(StandardFrame(key.command), id);
  }
}

void CiPodPage::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                             bool /*forText*/, int /*selector*/) {
  for (const IPodSetting& setting : Settings()) {
    ids.push_back(setting.id);
    subIndices.push_back(-1);
  }
}

void CiPodPage::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                             std::string* section, std::string* key, std::string* value,
                             bool /*forReport*/) {
  const IPodSetting* setting = FindSetting(id);
  if (setting == nullptr) {
    ClearParamText(section, key, value);
    return;
  }
  const int stored = ReadParameter(image, id);
  if (stored < 0 || stored >= static_cast<int>(setting->captions.size())) return;
  if (section != nullptr) *section = Caption();
  if (key != nullptr) *key = setting->key;
  if (value != nullptr) *value = setting->captions[static_cast<size_t>(stored)];
}

bool CiPodPage::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                 std::string_view text) {
  const IPodSetting* setting = FindSetting(id);
  if (setting == nullptr) return false;
  const int index = FindText(setting->captions, text);
  if (index < 0) return false;
  StoreParameter(image, id, index);
  return true;
}

void CiPodPage::ClickRadio(int buttonId) {
  int index = -1;
  Control* group = RadioGroupOf(buttonId, index);
  if (group == nullptr || FindSetting(group->param) == nullptr || !group->enabled) return;
  group->value = index;
  StoreParameter(LiveImage(), group->param, index);
  SendParam(group->param);
}

void CiPodPage::PressButton(int buttonId) {
  const Control* button = FindControl(buttonId);
  if (button == nullptr || button->kind != ControlKind::kButton) return;
  if (!button->visible || !button->enabled) return;
  for (size_t number = 0; number < kOperations.size(); ++number) {
    if (kOperations[number].button != buttonId) continue;
    operation_ = static_cast<int>(number);
    SendParam(kOperationId);
    return;
  }
  for (const MenuKey& key : kMenuKeys) {
    if (key.button == buttonId) SendParam(key.id);
  }
}

}  // namespace qamp
