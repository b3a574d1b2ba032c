#include "pages/input_rename_page.h"

#include <array>

#include "model/image_defaults.h"
#include "model/parameter_store.h"

namespace qamp {

namespace {

struct RenamedInput {
  ParamId id;
  std::string_view entry;  // the list entry, also the key in files and the report
  std::string_view code;   // the receiver's input code
};

// In list order. DVR (237) and VCR (238) keep the list order here; the image
// stores their names the other way round, which ReadText and StoreText know.
constexpr std::array<RenamedInput, 14> kInputs = {{
    {229, "PHONO", "00"},
    {230, "CD", "01"},
    {231, "TUNER", "02"},
    {232, "CD-R", "03"},
    {233, "MD/TAPE", "04"},
    {234, "BD/HD DVD", "11"},
    {235, "DVD", "05"},
    {236, "DTV/CBL", "06"},
    {237, "DVR", "0A"},
    {238, "VCR", "09"},
    {239, "V-AUX", "0C"},
    {240, "XM", "0E"},
    {241, "DOCK", "20"},
    {242, "MULTI CH", "10"},
}};

constexpr size_t kNameLength = 9;

const RenamedInput* Find(ParamId id) {
  for (const RenamedInput& input : kInputs) {
    if (input.id == id) return &input;
  }
  return nullptr;
}

// The receiver takes exactly nine characters: longer names are cut, shorter
// ones padded with spaces. Bytes above 127 are the receiver's own characters
// and pass unchanged.
std::string NineCharacters(std::string_view text) {
  std::string name(text.substr(0, kNameLength));
  name.resize(kNameLength, ' ');
  return name;
}

// Control bytes would end or break the frame that carries the name.
bool HasControlCharacter(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20) return true;
  }
  return false;
}

}  // namespace

CInputSetUp::CInputSetUp(CCommClass& link, PageHost& host)
    : CBasePage(link, host, 147, "Input Rename") {
  std::vector<std::string> entries;
  entries.reserve(kInputs.size());
  for (const RenamedInput& input : kInputs) entries.emplace_back(input.entry);
  // The inputs and their names read as one table; a row chosen in either
  // chooses the input.
  AddList(kInputList, entries).columnHeaders = {"Input"};
  Control& names = AddList(kNameList, std::vector<std::string>(kInputs.size()));
  names.columnHeaders = {"Name"};
  AddEdit(kNameEdit);
  AddButton(kEnterButton, "Enter");
  AddButton(kDefaultButton, "Default");
}

void CInputSetUp::RefreshAll() {
  Control* names = MutableControl(kNameList);
  for (size_t row = 0; row < kInputs.size(); ++row) {
    names->items[row] = ReadText(LiveImage(), kInputs[row].id);
  }
}

void CInputSetUp::RefreshParam(ParamId id, bool /*updateControls*/) {
  if (!IsActive()) return;
  const RenamedInput* input = Find(id);
  if (input == nullptr) return;
  MutableControl(kNameList)->items[static_cast<size_t>(input - kInputs.data())] =
      ReadText(LiveImage(), id);
}

void CInputSetUp::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  const RenamedInput* input = Find(id);
  if (input == nullptr) return;
  // "20120111", then "0", the input code, the length "09" and the name.
  const std::string text =
      "201201110" + std::string(input->code) + "09" + NineCharacters(ReadText(image, id));
  Queue(ExtendedFrame(text), id);
}

void CInputSetUp::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                               bool /*forText*/, int /*selector*/) {
  for (const RenamedInput& input : kInputs) {
    ids.push_back(input.id);
    subIndices.push_back(-1);
  }
}

void CInputSetUp::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                               std::string* section, std::string* key, std::string* value,
                               bool /*forReport*/) {
  const RenamedInput* input = Find(id);
  if (section != nullptr) *section = input != nullptr ? Caption() : std::string();
  if (key != nullptr) *key = input != nullptr ? std::string(input->entry) : std::string();
  if (value == nullptr) return;
  // The quotation marks keep leading and trailing spaces in the file.
  *value = input != nullptr ? "\"" + NineCharacters(ReadText(image, id)) + "\"" : std::string();
}

bool CInputSetUp::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                   std::string_view text) {
  if (Find(id) == nullptr || HasControlCharacter(text)) return false;
  StoreText(image, id, NineCharacters(text));
  return true;
}

void CInputSetUp::SelectListRow(int listId, int row) {
  if (listId != kInputList && listId != kNameList) return;
  if (row < 0 || row >= static_cast<int>(kInputs.size())) return;
  SetValue(kInputList, row);
  SetValue(kNameList, row);
}

void CInputSetUp::EnterText(int editId, std::string_view text) {
  if (editId == kNameEdit) SetText(kNameEdit, std::string(text));
}

void CInputSetUp::PressButton(int buttonId) {
  if (buttonId == kEnterButton) {
    const std::string& typed = FindControl(kNameEdit)->text;
    if (HasControlCharacter(typed)) {
      Host().Beep();
      return;
    }
    const int row = FindControl(kInputList)->value;
    if (row < 0 || row >= static_cast<int>(kInputs.size())) return;
    const ParamId id = kInputs[static_cast<size_t>(row)].id;
    const std::string name = NineCharacters(typed);
    StoreText(LiveImage(), id, name);
    MutableControl(kNameList)->items[static_cast<size_t>(row)] = name;
    SendParam(id);
  } else if (buttonId == kDefaultButton) {
    ApplyInputNameDefaults(LiveImage());
    RefreshAll();
    SendWholePage();
  }
}

}  // namespace qamp
