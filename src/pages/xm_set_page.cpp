#include "pages/xm_set_page.h"

#include <array>

#include "model/image_defaults.h"
#include "model/parameter_store.h"

namespace qamp {

namespace {

constexpr int kPages = 5;
constexpr int kPresetsPerPage = 8;
constexpr int kLowestStation = 0;
constexpr int kHighestStation = 255;

const std::array<std::string, kPages> kPageNames = {"PageA", "PageB", "PageC", "PageD", "PageE"};

// The messages of the edit box's integer check.
constexpr std::string_view kNotAnInteger = "Please enter an integer.";
constexpr std::string_view kOutOfRange = "Please enter an integer between 0 and 255.";

// The controls that need the XM tuner.
constexpr std::array<int, 6> kTunerControls = {
    CXmSetPage::kPageCombo,   CXmSetPage::kPresetList,  CXmSetPage::kValueList,
    CXmSetPage::kStationEdit, CXmSetPage::kEnterButton, CXmSetPage::kDefaultButton};

bool IsXmId(ParamId id) {
  return id >= CXmSetPage::kFirstId && id <= CXmSetPage::kLastId;
}

bool IsStation(int value) {
  return value >= kLowestStation && value <= kHighestStation;
}

// The edit box takes a whole integer, blanks around it allowed, and nothing
// else.
bool ParseWholeInteger(std::string_view text, int& value) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  const size_t last = text.find_last_not_of(" \t");
  text = text.substr(first, last - first + 1);
  size_t digits = 0;
  if (text.front() == '-' || text.front() == '+') digits = 1;
  if (digits == text.size()) return false;
  for (size_t i = digits; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return ParseLeadingInteger(text, value);
}

}  // namespace

CXmSetPage::CXmSetPage(CCommClass& link, PageHost& host) : CBasePage(link, host, 171, "XM Set") {
  AddFrame(kPresetFrame, "XM Preset (Station ID)");
  Control note;
  note.id = kNote;
  note.caption = "* The value of ''Station ID'' is not necessarily same\n  as ''Channel Number''.";
  AddControl(note);
  AddCombo(kPageCombo, 0, {kPageNames.begin(), kPageNames.end()}).value = 0;
  // The presets and their station IDs read as one table; a row chosen in
  // either chooses the preset.
  AddList(kPresetList, {}).columnHeaders = {"Preset"};
  AddList(kValueList, {}).columnHeaders = {"Station ID"};
  AddEdit(kStationEdit).text = "1";
  AddButton(kEnterButton, "Enter");
  AddButton(kDefaultButton, "Default");
  for (const int id : {kNote, kPageCombo, kPresetList, kValueList, kStationEdit, kEnterButton}) {
    PlaceInFrame(id, kPresetFrame);
  }
}

bool CXmSetPage::Usable(int controlId) const {
  const Control* control = FindControl(controlId);
  return control != nullptr && control->enabled && control->visible;
}

void CXmSetPage::UpdateModelControls() {
  const bool tuner = Link().Flags().xm != 0;
  for (const int id : kTunerControls) {
    SetEnabled(id, tuner);
    SetVisible(id, tuner);
  }
}

void CXmSetPage::RefreshAll() {
  UpdateEnableState();
  SetValue(kPageCombo, shownPage_);
  Control* presets = MutableControl(kPresetList);
  presets->items.clear();
  for (int n = 1; n <= kPresetsPerPage; ++n) presets->items.push_back("Preset" + std::to_string(n));
  presets->value = selectedPreset_;
  Control* values = MutableControl(kValueList);
  values->items.clear();
  for (int n = 0; n < kPresetsPerPage; ++n) {
    const ParamId id = kFirstId + kPresetsPerPage * shownPage_ + n;
    values->items.push_back(std::to_string(ReadParameter(LiveImage(), id)));
  }
  values->value = selectedPreset_;
}

void CXmSetPage::RefreshParam(ParamId id, bool /*updateControls*/) {
  if (!IsActive() || !IsXmId(id)) return;
  if ((id - kFirstId) / kPresetsPerPage == shownPage_) RefreshAll();
}

void CXmSetPage::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  if (!IsXmId(id)) return;
  const int station = ReadParameter(image, id);
  if (!IsStation(station)) return;
  const int index = id - kFirstId;
  Queue(ExtendedFrame("20080511" + std::to_string(index / kPresetsPerPage + 1) +
                      std::to_string(index % kPresetsPerPage + 1) + HexUpper(station, 2)),
        id);
}

void CXmSetPage::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                              bool /*forText*/, int /*selector*/) {
  for (ParamId id = kFirstId; id <= kLastId; ++id) {
    ids.push_back(id);
    subIndices.push_back(-1);
  }
}

void CXmSetPage::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                              std::string* section, std::string* key, std::string* value,
                              bool /*forReport*/) {
  if (!IsXmId(id)) {
    ClearParamText(section, key, value);
    return;
  }
  const int index = id - kFirstId;
  if (section != nullptr) *section = Caption();
  if (key != nullptr) {
    *key = kPageNames[static_cast<size_t>(index / kPresetsPerPage)] + " No." +
           std::to_string(index % kPresetsPerPage + 1);
  }
  if (value != nullptr) *value = std::to_string(ReadParameter(image, id));
}

bool CXmSetPage::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                  std::string_view text) {
  int station = -1;
  if (!IsXmId(id) || !ParseLeadingInteger(text, station) || !IsStation(station)) return false;
  StoreParameter(image, id, station);
  return true;
}

void CXmSetPage::ChooseCombo(int comboId, int index) {
  if (comboId != kPageCombo || !Usable(comboId) || index < 0 || index >= kPages) return;
  shownPage_ = index;
  RefreshAll();
}

void CXmSetPage::SelectListRow(int listId, int row) {
  if (listId != kPresetList && listId != kValueList) return;
  if (!Usable(listId) || row < 0 || row >= kPresetsPerPage) return;
  selectedPreset_ = row;
  SetValue(kPresetList, row);
  SetValue(kValueList, row);
}

void CXmSetPage::EnterText(int editId, std::string_view text) {
  if (editId == kStationEdit && Usable(editId)) SetText(editId, std::string(text));
}

void CXmSetPage::PressButton(int buttonId) {
  if (!Usable(buttonId)) return;
  if (buttonId == kEnterButton) Enter();
  if (buttonId == kDefaultButton) {
    ApplyXmPresetDefaults(LiveImage());
    RefreshAll();
    SendWholePage();
  }
}

void CXmSetPage::Enter() {
  int station = -1;
  if (!ParseWholeInteger(FindControl(kStationEdit)->text, station)) {
    Refuse(kNotAnInteger);
    return;
  }
  if (!IsStation(station)) {
    Refuse(kOutOfRange);
    return;
  }
  const ParamId id = kFirstId + kPresetsPerPage * shownPage_ + selectedPreset_;
  StoreParameter(LiveImage(), id, station);
  SendParam(id);
  RefreshAll();
}

// A refused entry is told in a warning box with OK under the program's own
// title; nothing is stored or sent.
void CXmSetPage::Refuse(std::string_view message) {
  Host().Message(message, {}, PageIcon::kExclamation, PageButtons::kOk);
}

}  // namespace qamp
