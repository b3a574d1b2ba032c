#include "pages/input_dsp_page.h"

#include "link/basic_control_commands.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "model/vocabulary.h"

namespace qamp {

namespace {

constexpr ParamId kBasicInputId = 1;
constexpr ParamId kBasicProgramId = 4;
constexpr int kRecordCount = 14;
constexpr int kSpareRecord = 13;  // belongs to no input
constexpr std::string_view kStraightText = "Straight";

ParamId FlagIdOfRecord(int record) {
  return CInputDsp::ProgramIdOfRecord(record) + 1;
}

// Input-table index of a record, or -1; the VCR/DVR exchange is its own
// inverse.
int InputOfRecord(int record) {
  if (record < 0 || record >= kSpareRecord) return -1;
  return InputDspRecordOfInput(record);
}

int ProgramOf(const CSettingImage& image, int record) {
  return ReadParameter(image, CInputDsp::ProgramIdOfRecord(record));
}

bool IsStraight(const CSettingImage& image, int record) {
  return ReadParameter(image, FlagIdOfRecord(record)) != 0;
}

std::string RecordText(const CSettingImage& image, int record) {
  if (IsStraight(image, record)) return std::string(kStraightText);
  const int program = ProgramOf(image, record);
  if (program < 0 || program > kStraightProgram) return {};
  return std::string(kPrograms[static_cast<size_t>(program)].name);
}

std::vector<std::string> InputNames() {
  std::vector<std::string> names;
  names.reserve(CInputDsp::kListedInputs);
  for (int input = 0; input < CInputDsp::kListedInputs; ++input) {
    names.emplace_back(kInputs[static_cast<size_t>(input)].pageName);
  }
  return names;
}

}  // namespace

ParamId CInputDsp::ProgramIdOfRecord(int record) {
  return record < 8 ? 199 + 2 * record : 217 + 2 * (record - 8);
}

int CInputDsp::RecordOfId(ParamId id) {
  if (id >= 199 && id <= 214) return (id - 199) / 2;
  if (id >= 217 && id <= 228) return 8 + (id - 217) / 2;
  return -1;
}

CInputDsp::CInputDsp(CCommClass& link, PageHost& host, BasicControlPort& basicControl)
    : CBasePage(link, host, 149, "Input DSP"), basicControl_(basicControl) {
  // The two lists stand side by side as one table: each input beside its
  // program.
  AddList(kInputList, InputNames()).columnHeaders = {"Input"};
  AddList(kAssignmentList, std::vector<std::string>(kListedInputs)).columnHeaders = {"Program"};
  AddCombo(kProgramCombo, 0, ProgramNames()).value = 0;
  AddRadioGroup(0, "", {kDspProgramRadio, kStraightRadio}, {"DSP Program", "Straight"});
  AddButton(kDefaultButton, "Default");
  RefreshAll();
}

void CInputDsp::WriteListText(int record) {
  const int input = InputOfRecord(record);
  if (input < 0 || input >= kListedInputs) return;
  MutableControl(kAssignmentList)->items[static_cast<size_t>(input)] =
      RecordText(LiveImage(), record);
}

void CInputDsp::ShowSelectedInput() {
  const int record = InputDspRecordOfInput(selected_);
  const int program = ProgramOf(LiveImage(), record);
  const bool straight = IsStraight(LiveImage(), record);
  SetValue(kInputList, selected_);
  SetValue(kAssignmentList, selected_);
  SetValue(kProgramCombo, program >= 0 && program < kProgramCount ? program : -1);
  SetValue(kDspProgramRadio, straight ? 1 : 0);
  SetEnabled(kProgramCombo, !straight);
}

void CInputDsp::RefreshAll() {
  for (int record = 0; record < kRecordCount; ++record) WriteListText(record);
  ShowSelectedInput();
}

void CInputDsp::RefreshParam(ParamId id, bool updateControls) {
  if (!IsActive()) return;
  const int record = RecordOfId(id);
  if (record < 0) return;
  WriteListText(record);
  // Only the selected input's controls follow, and only while it is the
  // input the receiver plays.
  if (basicControl_.CurrentInput() != selected_ || InputOfRecord(record) != selected_) return;
  const bool straight = IsStraight(LiveImage(), record);
  SetValue(kDspProgramRadio, straight ? 1 : 0);
  SetEnabled(kProgramCombo, !straight);
  if (updateControls) ShowSelectedInput();
}

void CInputDsp::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  if (IsRealTime()) return;
  const int record = RecordOfId(id);
  const int input = InputOfRecord(record);
  if (input < 0) return;
  const int program = ProgramOf(image, record);
  const bool straight = IsStraight(image, record);
  // The selects are built from the basic control's words, which must read
  // as before once the record is queued.
  CSettingImage& live = LiveImage();
  const int keptInput = ReadParameter(live, kBasicInputId);
  const int keptProgram = ReadParameter(live, kBasicProgramId);
  auto queueSelects = [&] {
    if (const auto command = BasicControlCommand(kBasicInputId, live))
      Queue(*command, kBasicInputId);
    if (const auto command = BasicControlCommand(kBasicProgramId, live)) {
      Queue(*command, kBasicProgramId);
    }
  };
  StoreParameter(live, kBasicInputId, input);
  StoreParameter(live, kBasicProgramId, program);
  queueSelects();
  if (straight) {
    // The receiver remembers the program for the input, then plays Straight.
    StoreParameter(live, kBasicProgramId, kStraightProgram);
    queueSelects();
  }
  StoreParameter(live, kBasicInputId, keptInput);
  StoreParameter(live, kBasicProgramId, keptProgram);
}

void CInputDsp::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                             bool /*forText*/, int /*selector*/) {
  for (int record = 0; record < kListedInputs; ++record) {
    ids.push_back(ProgramIdOfRecord(record));
    subIndices.push_back(-1);
  }
}

void CInputDsp::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                             std::string* section, std::string* key, std::string* value,
                             bool /*forReport*/) {
  const int record = RecordOfId(id);
  const int input = InputOfRecord(record);
  if (input < 0 || input >= kListedInputs) {
    ClearParamText(section, key, value);
    return;
  }
  if (section != nullptr) *section = Caption();
  if (key != nullptr) *key = kInputs[static_cast<size_t>(input)].pageName;
  const std::string text = RecordText(image, record);
  if (value != nullptr && !text.empty()) *value = text;
}

bool CInputDsp::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                 std::string_view text) {
  const int record = RecordOfId(id);
  const int input = InputOfRecord(record);
  if (input < 0 || input >= kListedInputs) return false;
  if (text == kStraightText) {
    StoreParameter(image, FlagIdOfRecord(record), 1);
    return true;
  }
  const int program = FindText(ProgramNames(), text);
  if (program < 0) return false;
  StoreParameter(image, ProgramIdOfRecord(record), program);
  StoreParameter(image, FlagIdOfRecord(record), 0);
  return true;
}

void CInputDsp::ApplyProgram(int program) {
  if (basicControl_.CurrentInput() == selected_) basicControl_.ApplyProgram(program, true);
}

void CInputDsp::SelectListRow(int listId, int row) {
  if (listId != kInputList && listId != kAssignmentList) return;
  if (row < 0 || row >= kListedInputs) return;
  selected_ = row;
  ShowSelectedInput();
}

void CInputDsp::ChooseCombo(int comboId, int index) {
  if (comboId != kProgramCombo || !FindControl(kProgramCombo)->enabled) return;
  if (index < 0 || index >= kProgramCount) return;
  const int record = InputDspRecordOfInput(selected_);
  StoreParameter(LiveImage(), ProgramIdOfRecord(record), index);
  SetValue(kProgramCombo, index);
  WriteListText(record);
  ApplyProgram(IsStraight(LiveImage(), record) ? kStraightProgram : index);
}

void CInputDsp::ClickRadio(int buttonId) {
  const int record = InputDspRecordOfInput(selected_);
  if (buttonId == kDspProgramRadio) {
    SetEnabled(kProgramCombo, true);
    SetValue(kDspProgramRadio, 0);
    StoreParameter(LiveImage(), FlagIdOfRecord(record), 0);
    // A record whose program no combo entry shows takes the first one.
    const int shown = FindControl(kProgramCombo)->value;
    ChooseCombo(kProgramCombo, shown >= 0 ? shown : 0);
  } else if (buttonId == kStraightRadio) {
    SetEnabled(kProgramCombo, false);
    SetValue(kDspProgramRadio, 1);
    StoreParameter(LiveImage(), FlagIdOfRecord(record), 1);
    WriteListText(record);
    ApplyProgram(kStraightProgram);
  }
}

void CInputDsp::PressButton(int buttonId) {
  if (buttonId != kDefaultButton) return;
  ApplyInputDspDefaults(LiveImage(), Link().RegionCode());
  RefreshAll();
  // The control panel shows what the receiver's current input now plays,
  // without sending it.
  const int input = basicControl_.CurrentInput();
  if (input < 0 || input >= kInputCount) return;
  const int record = InputDspRecordOfInput(input);
  basicControl_.ApplyProgram(
      IsStraight(LiveImage(), record) ? kStraightProgram : ProgramOf(LiveImage(), record), false);
}

}  // namespace qamp
