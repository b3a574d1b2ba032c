#include "pages/dsp_parameters_page.h"

#include <array>
#include <utility>

#include "link/basic_control_commands.h"
#include "model/dsp_programs.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "model/vocabulary.h"

namespace qamp {

namespace {

constexpr int kSurroundDecoder = 21;
constexpr ParamId kSurroundDecodeTypeId = 187;
constexpr int kPliixMusic = 2;
constexpr int kNeo6Music = 5;
constexpr int kCsiiCinema = 6;
constexpr int kCsiiMusic = 7;
// A program select carries the basic control's program ID as its code.
constexpr ParamId kProgramSelectCode = 4;
constexpr std::string_view kWriteHeader = "200B0211";

bool IsListWord(int kind) {
  return kind >= kDspDecoderWord && kind <= kDspExtdWord;
}

struct RowOfId {
  const DspParameterRow* row = nullptr;
  int program = -1;
};

// Each program's IDs name its rows in table order.
const std::array<RowOfId, kLastParamId + 1>& RowsById() {
  static const std::array<RowOfId, kLastParamId + 1> rows = [] {
    std::array<RowOfId, kLastParamId + 1> byId{};
    int program = -1;
    size_t position = 0;
    for (const DspParameterRow& row : DspParameterRows()) {
      if (IsListWord(row.kind)) continue;
      if (row.program != program) {
        program = row.program;
        position = 0;
      }
      const std::span<const ParamId> ids = ProgramParameterIds(program);
      if (position < ids.size()) byId[static_cast<size_t>(ids[position])] = {&row, program};
      ++position;
    }
    return byId;
  }();
  return rows;
}

RowOfId FindRow(ParamId id) {
  if (id < 0 || id > kLastParamId) return {};
  return RowsById()[static_cast<size_t>(id)];
}

bool UsesTriQuad(int program) {
  return (program >= 10 && program <= 14) || (program >= 16 && program <= 20);
}

// Which Surround Decoder rows the Decode Type brings up.
bool ShownWithDecodeType(int kind, int decodeType) {
  switch (kind) {
    case kDspOnOff:
    case kDspCenterWidth:
    case kDspDimension:
      return decodeType == kPliixMusic;
    case kDspCenterImage:
      return decodeType == kNeo6Music;
    case kDspFocusLevel:
    case kDspTruBassLevel:
      return decodeType == kCsiiCinema || decodeType == kCsiiMusic;
    default:
      return true;
  }
}

bool DecodeTypeChangesRows(int before, int after) {
  for (int kind = kDspOnOff; kind <= kDspTruBassLevel; ++kind) {
    if (ShownWithDecodeType(kind, before) != ShownWithDecodeType(kind, after)) return true;
  }
  return false;
}

bool IsShown(const DspParameterRow& row, int triQuad, int decodeType) {
  if (IsListWord(row.kind)) return false;
  if (row.program == kSurroundDecoder) return ShownWithDecodeType(row.kind, decodeType);
  if (UsesTriQuad(row.program)) {
    if (row.kind == kDspBackNumber || row.kind == kDspBackTenths) return triQuad == 1;
    if (row.kind == kDspSurroundNumber || row.kind == kDspSurroundTenths) {
      return triQuad == 0 || triQuad == 1;
    }
  }
  return true;
}

bool InRange(const DspParameterRow& row, int value) {
  return value >= row.minimum && value <= row.maximum;
}

// The shown text of a value; false for a value that has none.
bool ValueText(const DspParameterRow& row, int value, std::string& text) {
  auto pick = [&](std::string_view off, std::string_view on) {
    if (value != 0 && value != 1) return false;
    text = value == 1 ? on : off;
    return true;
  };
  switch (row.kind) {
    case kDspNumber:
    case kDspSurroundNumber:
    case kDspBackNumber:
      text = std::to_string(value) + std::string(row.unit);
      return true;
    case kDspTenths:
    case kDspSurroundTenths:
    case kDspBackTenths:
      text = TenthsText(value, row.unit);
      return true;
    case kDspChoice: {
      const std::vector<std::string>& words = DspChoiceList(row.listOrStep);
      if (value < 0 || value >= static_cast<int>(words.size())) return false;
      text = words[static_cast<size_t>(value)];
      return true;
    }
    case kDspOnOff:
      return pick("OFF", "ON");
    case kDspDimension:
      text = value == 0 ? "STD" : std::to_string(value);
      return true;
    case kDspCenterImage:
      text = TenthsText(value, "");
      return true;
    case kDspCenterWidth:
    case kDspFocusLevel:
    case kDspTruBassLevel:
      text = std::to_string(value);
      return true;
    case kDspAutoOff:
      return pick("OFF", "AUTO");
    case kDspHighLow:
      return pick("Low", "High");
    default:
      return false;
  }
}

// A whole signed decimal number after leading blanks, and nothing else.
bool ParseWhole(std::string_view text, int& value) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  if (i == text.size()) return false;
  int number = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9' || number > 100000) return false;
    number = number * 10 + (text[i] - '0');
  }
  value = negative ? -number : number;
  return true;
}

// A decimal number times ten; digits after the first decimal are dropped.
bool ParseTenths(std::string_view text, int& value) {
  const size_t point = text.find('.');
  int whole = 0;
  if (!ParseWhole(text.substr(0, point), whole)) return false;
  int tenth = 0;
  if (point != std::string_view::npos) {
    const std::string_view fraction = text.substr(point + 1);
    for (const char c : fraction) {
      if (c < '0' || c > '9') return false;
    }
    if (!fraction.empty()) tenth = fraction.front() - '0';
  }
  const bool negative = text.substr(0, point).find('-') != std::string_view::npos;
  value = whole * 10 + (negative ? -tenth : tenth);
  return true;
}

std::string_view WithoutUnit(std::string_view text, std::string_view unit) {
  if (!unit.empty() && text.ends_with(unit)) text.remove_suffix(unit.size());
  return text;
}

// The stored value for a shown text; false when the text names no value the
// row can take.
bool ParseValue(const DspParameterRow& row, std::string_view text, int& value) {
  auto pick = [&](std::string_view off, std::string_view on) {
    if (text != on && text != off) return false;
    value = text == on ? 1 : 0;
    return true;
  };
  bool parsed = false;
  switch (row.kind) {
    case kDspNumber:
    case kDspSurroundNumber:
    case kDspBackNumber:
      parsed = ParseWhole(WithoutUnit(text, row.unit), value);
      break;
    case kDspTenths:
    case kDspSurroundTenths:
    case kDspBackTenths:
      parsed = ParseTenths(WithoutUnit(text, row.unit), value);
      break;
    case kDspChoice:
      value = FindText(DspChoiceList(row.listOrStep), text);
      parsed = value >= 0;
      break;
    case kDspOnOff:
      parsed = pick("OFF", "ON");
      break;
    case kDspDimension:
      if (text == "STD") {
        value = 0;
        parsed = true;
      } else {
        parsed = ParseWhole(text, value);
      }
      break;
    case kDspCenterImage:
      parsed = ParseTenths(text, value);
      break;
    case kDspCenterWidth:
    case kDspFocusLevel:
    case kDspTruBassLevel:
      parsed = ParseWhole(text, value);
      break;
    case kDspAutoOff:
      parsed = pick("OFF", "AUTO");
      break;
    case kDspHighLow:
      parsed = pick("Low", "High");
      break;
    default:
      break;
  }
  return parsed && InRange(row, value);
}

bool ValueDigits(const DspParameterRow& row, int value, std::string& digits) {
  const DspParameterAddress* address = FindDspParameterAddress(row.name, row.listOrStep);
  if (address == nullptr || !InRange(row, value)) return false;
  if (!address->codes.empty()) {
    if (value < 0 || value >= static_cast<int>(address->codes.size())) return false;
    digits = address->codes[static_cast<size_t>(value)];
  } else {
    digits = HexUpper(value + address->offset, 2);
  }
  return true;
}

// The order in which the receiver takes a program's parameters, as
// positions in its row order: the surround and surround-back rows of the
// cinema and entertainment programs go in pairs.
std::vector<size_t> DownloadOrder(int program) {
  if (program == 10) return {0, 1, 2, 5, 3, 6, 4, 7, 8};
  if (program >= 11 && program <= 14) return {0, 1, 2, 3, 4, 6, 5, 7, 8};
  if (program >= 16 && program <= 20) return {0, 1, 2, 3, 4, 6, 5, 7};
  std::vector<size_t> order(ProgramParameterIds(program).size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  return order;
}

int SliderIndex(int sliderId) {
  const int index = sliderId - CInputDspParam::kFirstSlider;
  return index >= 0 && index < CInputDspParam::kSliderCount ? index : -1;
}

}  // namespace

CInputDspParam::CInputDspParam(CCommClass& link, PageHost& host)
    : CBasePage(link, host, 148, "DSP Parameters") {
  AddCombo(kProgramCombo, 0, ProgramNames()).value = program_;
  AddList(kTriQuadList, {"Tri", "Quad"}).value = triQuad_;
  // The names and values of the shown rows read as one table; a row chosen
  // in either chooses the parameter, whose slider stands upright beside.
  AddList(kNameList, {}).columnHeaders = {"Parameter"};
  AddList(kValueList, {}).columnHeaders = {"Value"};
  AddButton(kUpButton, "Up");
  AddButton(kDownButton, "Down");
  AddButton(kDefaultButton, "Default");
  for (int i = 0; i < kSliderCount; ++i) {
    Control& slider = AddSlider(kFirstSlider + i, 0, 0, 0, 1);
    slider.visible = slider.enabled = false;
    SetSliderLayout(kFirstSlider + i, Orientation::kVertical, "", "", 0);
  }
  UpdateModelControls();
  Rebuild();
}

std::vector<ParamId> CInputDspParam::ShownIds() const {
  std::vector<ParamId> ids;
  for (const ShownRow& shown : rows_) ids.push_back(shown.id);
  return ids;
}

void CInputDspParam::UpdateModelControls() {
  // In Real Time Mode the program is the one the receiver plays.
  SetEnabled(kProgramCombo, !IsRealTime());
}

void CInputDspParam::Rebuild() {
  for (int i = 0; i < kSliderCount; ++i) {
    SetVisible(kFirstSlider + i, false);
    SetEnabled(kFirstSlider + i, false);
  }
  rows_.clear();
  const int decodeType = ReadParameter(LiveImage(), kSurroundDecodeTypeId);
  rowsDecodeType_ = decodeType;
  const std::span<const ParamId> ids = ProgramParameterIds(program_);
  size_t position = 0;
  for (const DspParameterRow& row : DspParameterRows()) {
    if (row.program != program_ || IsListWord(row.kind)) continue;
    if (position < ids.size() && IsShown(row, triQuad_, decodeType)) {
      rows_.push_back({&row, ids[position]});
    }
    ++position;
  }
  Control* names = MutableControl(kNameList);
  Control* values = MutableControl(kValueList);
  names->items.clear();
  values->items.clear();
  for (const ShownRow& shown : rows_) {
    names->items.emplace_back(shown.row->name);
    std::string text;
    ValueText(*shown.row, ReadParameter(LiveImage(), shown.id), text);
    values->items.push_back(text);
  }
  SetValue(kProgramCombo, program_);
  SetValue(kTriQuadList, triQuad_);
  SelectRow(0);
}

void CInputDspParam::SelectRow(int row) {
  if (SelectedShownRow() != nullptr) {
    SetVisible(kFirstSlider + selectedRow_, false);
    SetEnabled(kFirstSlider + selectedRow_, false);
  }
  selectedRow_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
  SetValue(kNameList, selectedRow_);
  SetValue(kValueList, selectedRow_);
  if (const ShownRow* shown = SelectedShownRow()) {
    ShowSlider(static_cast<size_t>(selectedRow_), ReadParameter(LiveImage(), shown->id));
  }
}

const CInputDspParam::ShownRow* CInputDspParam::SelectedShownRow() const {
  if (selectedRow_ < 0 || selectedRow_ >= static_cast<int>(rows_.size())) return nullptr;
  return &rows_[static_cast<size_t>(selectedRow_)];
}

void CInputDspParam::ShowSlider(size_t position, int value) {
  const ShownRow& shown = rows_[position];
  if (shown.row->slider == 0 || static_cast<int>(position) >= kSliderCount) return;
  Control* slider = MutableControl(kFirstSlider + static_cast<int>(position));
  slider->param = shown.id;
  slider->minimum = shown.row->minimum;
  slider->maximum = shown.row->maximum;
  slider->step = shown.row->listOrStep;
  slider->value = value;
  slider->visible = slider->enabled = true;
  // The read-out writes the value as the list beside it does.
  const int kind = shown.row->kind;
  const bool tenths = kind == kDspTenths || kind == kDspSurroundTenths || kind == kDspBackTenths ||
                      kind == kDspCenterImage;
  const bool withUnit =
      tenths || kind == kDspNumber || kind == kDspSurroundNumber || kind == kDspBackNumber;
  slider->decimals = tenths ? 1 : 0;
  slider->unit = withUnit && kind != kDspCenterImage ? std::string(shown.row->unit) : "";
  slider->valueWords.clear();
  if (kind == kDspDimension) slider->valueWords.emplace_back("STD", 0);
}

void CInputDspParam::ShowValue(size_t position, int value) {
  std::string text;
  ValueText(*rows_[position].row, value, text);
  MutableControl(kValueList)->items[position] = text;
  if (static_cast<int>(position) == selectedRow_) ShowSlider(position, value);
}

void CInputDspParam::RefreshAll() {
  UpdateModelControls();
  Rebuild();
}

void CInputDspParam::RefreshParam(ParamId id, bool /*updateControls*/) {
  if (!IsActive()) return;
  const int value = ReadParameter(LiveImage(), id);
  // A decode type that the receiver reports may bring up other rows.
  if (program_ == kSurroundDecoder && id == kSurroundDecodeTypeId &&
      DecodeTypeChangesRows(rowsDecodeType_, value)) {
    Rebuild();
    return;
  }
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].id == id) ShowValue(i, value);
  }
}

void CInputDspParam::ShowProgram(int program) {
  if (program < 0 || program >= kProgramCount) return;
  program_ = program;
  Rebuild();
}

void CInputDspParam::ChooseCombo(int comboId, int index) {
  const Control* combo = FindControl(kProgramCombo);
  if (comboId != kProgramCombo || !combo->enabled) return;
  if (index < 0 || index >= kProgramCount) return;
  program_ = index;
  Rebuild();
}

void CInputDspParam::SelectListRow(int listId, int row) {
  if (listId == kTriQuadList) {
    if (row < 0 || row > 1) return;
    triQuad_ = row;
    Rebuild();
  } else if (listId == kNameList || listId == kValueList) {
    SelectRow(row);
  }
}

void CInputDspParam::MoveSlider(int sliderId, int value) {
  if (TransferRunning() || SliderIndex(sliderId) != selectedRow_) return;
  const ShownRow* shown = SelectedShownRow();
  if (shown == nullptr || shown->row->slider == 0 || !InRange(*shown->row, value)) return;
  ShowValue(static_cast<size_t>(selectedRow_), value);
}

void CInputDspParam::ReleaseSlider(int sliderId) {
  if (TransferRunning() || SliderIndex(sliderId) != selectedRow_) return;
  const ShownRow* shown = SelectedShownRow();
  if (shown == nullptr || shown->row->slider == 0) return;
  const int value = FindControl(sliderId)->value;
  if (!InRange(*shown->row, value)) return;
  StoreParameter(LiveImage(), shown->id, value);
  SendParam(shown->id);
}

void CInputDspParam::Step(int delta) {
  const ShownRow* shown = SelectedShownRow();
  if (shown == nullptr) return;
  const ParamId id = shown->id;
  const int before = ReadParameter(LiveImage(), id);
  const int after = before + delta;
  if (!InRange(*shown->row, after)) return;
  StoreParameter(LiveImage(), id, after);
  if (id == kSurroundDecodeTypeId && DecodeTypeChangesRows(before, after)) {
    Rebuild();
  } else {
    ShowValue(static_cast<size_t>(selectedRow_), after);
  }
  SendParam(id);
}

void CInputDspParam::PressButton(int buttonId) {
  if (buttonId == kUpButton) {
    Step(1);
  } else if (buttonId == kDownButton) {
    Step(-1);
  } else if (buttonId == kDefaultButton) {
    CSettingImage& image = LiveImage();
    for (const ParamId id : ProgramParameterIds(program_)) {
      StoreParameter(image, id, DspParamDefault(LocateParam(id).word));
    }
    if (IsRealTime()) {
      Host().SetWaitCursor(true);
      DownloadProgram(image, program_, false);
      QueueEndMarker();
      Host().SetWaitCursor(false);
    }
    Rebuild();
  }
}

void CInputDspParam::DownloadPage(const CSettingImage& image) {
  // In Real Time Mode the receiver keeps playing its own program; the
  // addresses name the program, so no select is needed there.
  for (int program = 0; program < kProgramCount; ++program) {
    DownloadProgram(image, program, !IsRealTime());
  }
}

void CInputDspParam::DownloadProgram(const CSettingImage& image, int program, bool withSelect) {
  if (withSelect) {
    if (const std::optional<std::string> select = ProgramSelectCommand(program)) {
      Queue(*select, kProgramSelectCode);
    }
  }
  const std::span<const ParamId> ids = ProgramParameterIds(program);
  for (const size_t position : DownloadOrder(program)) {
    if (position < ids.size()) SendParamFromImage(image, ids[position], -1);
  }
}

void CInputDspParam::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  const RowOfId found = FindRow(id);
  if (found.row == nullptr) return;
  std::string digits;
  if (!ValueDigits(*found.row, ReadParameter(image, id), digits)) return;
  const DspParameterAddress* address =
      FindDspParameterAddress(found.row->name, found.row->listOrStep);
  Queue(ExtendedFrame(std::string(kWriteHeader) + std::string(ProgramBlock(found.program)) +
                      std::string(address->suffix) + digits),
        id);
}

void CInputDspParam::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                                  bool /*forText*/, int selector) {
  int first = selector;
  int last = selector;
  if (selector == kWholeList) {
    first = 0;
    last = kProgramCount - 1;
  } else if (selector < 0 || selector >= kProgramCount) {
    return;
  }
  for (int program = first; program <= last; ++program) {
    for (const ParamId id : ProgramParameterIds(program)) {
      ids.push_back(id);
      subIndices.push_back(-1);
    }
  }
}

void CInputDspParam::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                                  std::string* section, std::string* key, std::string* value,
                                  bool /*forReport*/) {
  // Rows are found by ID, not among the shown rows, so every Surround
  // Decoder parameter has its text whatever the stored decode type.
  const RowOfId found = FindRow(id);
  if (found.row == nullptr) {
    ClearParamText(section, key, value);
    return;
  }
  // A stored value that has no text is not described at all: a file line
  // "Effect Level=" would read back as nothing.
  std::string text;
  if (!ValueText(*found.row, ReadParameter(image, id), text)) return;
  if (section != nullptr) {
    *section = Caption() + " " + std::string(kPrograms[static_cast<size_t>(found.program)].name);
  }
  if (key != nullptr) {
    std::string prefix;
    const int kind = found.row->kind;
    if (kind == kDspSurroundNumber || kind == kDspSurroundTenths) prefix = "Tri & Quad ";
    if (kind == kDspBackNumber || kind == kDspBackTenths) prefix = "Quad Only ";
    *key = prefix + std::string(found.row->name);
  }
  if (value != nullptr) *value = std::move(text);
}

bool CInputDspParam::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                      std::string_view text) {
  const RowOfId found = FindRow(id);
  int value = 0;
  if (found.row == nullptr || !ParseValue(*found.row, text, value)) return false;
  StoreParameter(image, id, value);
  return true;
}

}  // namespace qamp
