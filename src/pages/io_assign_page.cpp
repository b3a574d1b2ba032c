#include "pages/io_assign_page.h"

#include <array>

#include "model/image_defaults.h"
#include "model/parameter_store.h"

namespace qamp {

namespace {

// The inputs a jack can belong to, by the index the image holds, with the
// receiver's code for each.
struct AssignableInput {
  std::string_view name;
  std::string_view code;
};

constexpr std::array<AssignableInput, 14> kInputs = {{
    {"PHONO", "00"},
    {"CD", "01"},
    {"TUNER", "02"},
    {"CD-R", "03"},
    {"MD/TAPE", "04"},
    {"BD/HD DVD", "11"},
    {"DVD", "05"},
    {"DTV/CBL", "06"},
    {"DVR", "0A"},
    {"VCR", "09"},
    {"V-AUX/DOCK", "0C"},
    {"XM", "0E"},
    {"MULTI CH", "10"},
    {"NONE", "0F"},
}};

// The "Select" list stops before "NONE": a jack is only freed by a file.
constexpr int kSelectableInputs = 13;

struct Port {
  ParamId id;
  std::string_view name;  // also the key in files and the report
  std::string_view code;
  // 1 where the receiver accepts the input (by index) on this jack. TUNER,
  // XM and MULTI CH have no jack of their own; V-AUX/DOCK has no optical
  // input.
  std::array<int, 14> allowed;
};

constexpr std::array<Port, 16> kPorts = {{
    // allowed, by input index: PHONO CD TUNER CD-R MD/TAPE BD/HD-DVD DVD DTV/CBL DVR VCR
    // V-AUX/DOCK XM MULTI-CH NONE
    {243, "[A] Component IN 1", "30", {0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 1}},
    {244, "[B] Component IN 2", "31", {0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 1}},
    {245, "[C] Component IN 3", "32", {0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 1}},
    {246, "(1) Coaxial IN 1", "00", {1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1}},
    {247, "(2) Coaxial IN 2", "01", {1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1}},
    {248, "(3) Coaxial IN 3", "02", {1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1}},
    {249, "(4) Optical IN 1", "20", {1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 1}},
    {250, "(5) Optical IN 2", "21", {1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 1}},
    {251, "(6) Optical IN 3", "22", {1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 1}},
    {252, "(7) Optical IN 4", "23", {1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 1}},
    {253, "(8) Optical OUT 1", "10", {1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1}},
    {254, "(9) Optical OUT 2", "11", {1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1}},
    {255, "HDMI IN 1", "60", {0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 1}},
    {256, "HDMI IN 2", "61", {0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 1}},
    {257, "HDMI IN 3", "62", {0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 1}},
    {258, "HDMI IN 4", "63", {0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 1}},
}};

constexpr int kPortCount = static_cast<int>(kPorts.size());
constexpr int kInputCount = static_cast<int>(kInputs.size());

int PortOf(ParamId id) {
  for (int port = 0; port < kPortCount; ++port) {
    if (kPorts[static_cast<size_t>(port)].id == id) return port;
  }
  return -1;
}

bool IsAllowed(int port, int input) {
  if (port < 0 || port >= kPortCount || input < 0 || input >= kInputCount) return false;
  return kPorts[static_cast<size_t>(port)].allowed[static_cast<size_t>(input)] != 0;
}

// The assigned input's name, or nothing for a value no input has.
std::string_view InputName(int input) {
  if (input < 0 || input >= kInputCount) return {};
  return kInputs[static_cast<size_t>(input)].name;
}

}  // namespace

CIOAssign::CIOAssign(CCommClass& link, PageHost& host) : CBasePage(link, host, 136, "I/O Assign") {
  std::vector<std::string> ports;
  ports.reserve(kPorts.size());
  for (const Port& port : kPorts) ports.emplace_back(port.name);
  // The ports and their assigned inputs read as one table; a row chosen in
  // either chooses the port.
  AddList(kPortList, ports).columnHeaders = {"Port"};
  Control& assigned = AddList(kAssignedList, std::vector<std::string>(kPorts.size()));
  assigned.caption = "Assigned Input";
  assigned.columnHeaders = {"Assigned Input"};
  assigned.value = 0;
  std::vector<std::string> inputs;
  inputs.reserve(kSelectableInputs);
  for (int input = 0; input < kSelectableInputs; ++input) {
    inputs.emplace_back(kInputs[static_cast<size_t>(input)].name);
  }
  Control& select = AddList(kInputList, inputs);
  select.value = -1;
  select.columnHeaders = {"Select"};
  AddButton(kSelectButton, "Select").enabled = false;
  AddButton(kDefaultButton, "Default");
}

bool CIOAssign::SelectionAllowed() const {
  return IsAllowed(port_, input_);
}

void CIOAssign::UpdateEnableState() {
  SetValue(kPortList, port_);
  SetValue(kAssignedList, port_);
  SetValue(kInputList, input_);
  SetEnabled(kSelectButton, SelectionAllowed());
}

void CIOAssign::RefreshAll() {
  UpdateEnableState();
  Control* assigned = MutableControl(kAssignedList);
  for (int port = 0; port < kPortCount; ++port) {
    const ParamId id = kPorts[static_cast<size_t>(port)].id;
    assigned->items[static_cast<size_t>(port)] = InputName(ReadParameter(LiveImage(), id));
  }
}

void CIOAssign::RefreshParam(ParamId id, bool updateControls) {
  if (!IsActive()) return;
  const int port = PortOf(id);
  if (port < 0) return;
  MutableControl(kAssignedList)->items[static_cast<size_t>(port)] =
      InputName(ReadParameter(LiveImage(), id));
  if (updateControls) UpdateEnableState();
}

void CIOAssign::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  const int port = PortOf(id);
  if (port < 0) return;
  const int input = ReadParameter(image, id);
  if (input < 0 || input >= kInputCount) return;
  const std::string text = "20080101" + std::string(kPorts[static_cast<size_t>(port)].code) +
                           std::string(kInputs[static_cast<size_t>(input)].code);
  Queue(ExtendedFrame(text), id);
}

void CIOAssign::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                             bool /*forText*/, int /*selector*/) {
  for (const Port& port : kPorts) {
    ids.push_back(port.id);
    subIndices.push_back(-1);
  }
}

void CIOAssign::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                             std::string* section, std::string* key, std::string* value,
                             bool /*forReport*/) {
  const int port = PortOf(id);
  if (port < 0) {
    ClearParamText(section, key, value);
    return;
  }
  const std::string_view name = InputName(ReadParameter(image, id));
  if (name.empty()) return;
  if (section != nullptr) *section = Caption();
  if (key != nullptr) *key = kPorts[static_cast<size_t>(port)].name;
  if (value != nullptr) *value = name;
}

bool CIOAssign::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                 std::string_view text) {
  const int port = PortOf(id);
  if (port < 0) return false;
  for (int input = 0; input < kInputCount; ++input) {
    if (kInputs[static_cast<size_t>(input)].name != text) continue;
    // A file may not put on a jack what the receiver refuses there.
    if (!IsAllowed(port, input)) return false;
    StoreParameter(image, id, input);
    return true;
  }
  return false;
}

void CIOAssign::SaveToProfile(IniFile& file, const CSettingImage& image) {
  // The platform's private-profile reader takes any line that begins with
  // "[" for a section header, so "[A] Component IN 1=..." opens a section
  // "A" for it, and every key after it in the file would be lost to the
  // real section. Written last, the three lose only themselves; in the
  // order [C], [B], [A] the section reads as files of the platform's own
  // writer hold it (each key it adds goes in front of the first such line).
  std::vector<size_t> bracketed;
  auto write = [&](size_t port) {
    std::string section;
    std::string key;
    std::string value;
    GetParamText(image, kPorts[port].id, -1, &section, &key, &value, false);
    if (!section.empty() && !key.empty()) file.Write(section, key, value);
  };
  for (size_t port = 0; port < kPorts.size(); ++port) {
    if (kPorts[port].name.starts_with("[")) {
      bracketed.push_back(port);
    } else {
      write(port);
    }
  }
  for (auto port = bracketed.rbegin(); port != bracketed.rend(); ++port) write(*port);
}

void CIOAssign::SelectListRow(int listId, int row) {
  if ((listId == kPortList || listId == kAssignedList) && row >= 0 && row < kPortCount) {
    port_ = row;
  } else if (listId == kInputList && row >= 0 && row < kSelectableInputs) {
    input_ = row;
  } else {
    return;
  }
  UpdateEnableState();
}

void CIOAssign::PressButton(int buttonId) {
  if (buttonId == kSelectButton) {
    if (!SelectionAllowed()) {
      Host().Beep();
      return;
    }
    const ParamId id = kPorts[static_cast<size_t>(port_)].id;
    StoreParameter(LiveImage(), id, input_);
    MutableControl(kAssignedList)->items[static_cast<size_t>(port_)] = InputName(input_);
    SendParam(id);
  } else if (buttonId == kDefaultButton) {
    ApplyIoAssignDefaults(LiveImage());
    RefreshAll();
    SendWholePage();
  }
}

}  // namespace qamp
