#include "pages/trigger_out_page.h"

#include <array>
#include <optional>
#include <string_view>

#include "model/parameter_store.h"

namespace qamp {

namespace {

constexpr int kMain = 0;
constexpr int kZone2 = 1;
constexpr int kZone3 = 2;
constexpr int kLow = 0;
constexpr int kHigh = 1;
constexpr int kZoneOr = 3;
constexpr std::array<std::string_view, 3> kZoneWords = {"Main", "Zone2", "Zone3"};

struct TriggerRow {
  int firstOffset;           // offset of the row's Main switch from the output's first ID
  int zones;                 // 3, or 1 where the input exists in the main zone only
  std::string_view keyWord;  // in files and the report
  std::string_view label;    // on the page
  std::string_view code;     // the trigger input code of the switch command
  bool xm;                   // needs the XM tuner
};

// In the order the page shows them; the IDs run in another order.
constexpr std::array<TriggerRow, 13> kRows = {{
    {1, 3, "PHONO", "PHONO", "00", false},
    {4, 3, "CD", "CD", "01", false},
    {7, 3, "Tuner", "TUNER", "02", false},  // the key says Tuner where the page says TUNER
    {10, 3, "CD-R", "CD-R", "03", false},
    {13, 3, "MD/TAPE", "MD/TAPE", "04", false},
    {22, 3, "BD/HD DVD", "BD/HD DVD", "11", false},
    {16, 3, "DVD", "DVD", "05", false},
    {19, 3, "DTV/CBL", "DTV/CBL", "06", false},
    {28, 3, "DVR", "DVR", "0A", false},
    {25, 3, "VCR", "VCR", "09", false},
    {31, 3, "V-AUX", "V-AUX/DOCK", "0C", false},
    {35, 3, "XM", "XM", "0E", true},
    {34, 1, "MULTI CH", "MULTI CH", "10", false},
}};

// The Trigger Control value 0 "Main", 1 "Zone2", 2 "Zone3", 3 "Zone OR" as
// the digit of its command, for output 1 and output 2.
constexpr std::array<std::array<int, 4>, 2> kControlDigits = {{{2, 3, 1, 4}, {6, 7, 0xF, 8}}};
constexpr std::array<std::string_view, 2> kControlCommands = {"07E3", "07E9"};
constexpr std::array<std::string_view, 4> kControlItems = {"Main", "Zone2", "Zone3", "Zone OR"};

// The offsets of one output's switches in the order they are listed and
// sent: the eleven input rows with their zones, XM, then MULTI CH.
constexpr std::array<int, 37> kSwitchOrder = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                              14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26,
                                              27, 28, 29, 30, 31, 32, 33, 35, 36, 37, 34};

struct Cell {
  int output = 0;
  int zone = kMain;
  const TriggerRow* row = nullptr;  // null for the output's Trigger Control
};

bool CellOf(ParamId id, Cell& cell) {
  if (id < CDCTriggerCtl::kFirstId || id > CDCTriggerCtl::kLastId) return false;
  const int offset = (id - CDCTriggerCtl::kFirstId) % CDCTriggerCtl::kIdsPerOutput;
  cell.output = (id - CDCTriggerCtl::kFirstId) / CDCTriggerCtl::kIdsPerOutput;
  cell.row = nullptr;
  cell.zone = kMain;
  for (const TriggerRow& row : kRows) {
    if (offset >= row.firstOffset && offset < row.firstOffset + row.zones) {
      cell.row = &row;
      cell.zone = offset - row.firstOffset;
    }
  }
  return true;
}

ParamId IdOf(int output, int offset) {
  return CDCTriggerCtl::kFirstId + CDCTriggerCtl::kIdsPerOutput * output + offset;
}

bool ZonePresent(const ModelFlags& flags, int zone) {
  if (zone == kZone2) return flags.zone2 != 0;
  if (zone == kZone3) return flags.zone3 != 0;
  return true;
}

// The value the connected model holds a switch at: on a receiver that lacks
// a zone, the switches of that zone (XM included) and MULTI CH stay high.
// Nothing for any other switch.
std::optional<int> ForcedSwitchValue(const ModelFlags& flags, const Cell& cell) {
  if (cell.row == nullptr || (flags.zone2 != 0 && flags.zone3 != 0)) return std::nullopt;
  if (!ZonePresent(flags, cell.zone) || cell.row->zones == 1) return kHigh;
  return std::nullopt;
}

}  // namespace

CDCTriggerCtl::CDCTriggerCtl(CCommClass& link, PageHost& host)
    : CBasePage(link, host, 133, "TRIGGER OUT") {
  controlValues_ = {0, 1, 2, 3};
  for (int output = 0; output < 2; ++output) {
    // Each output's controls stand in a box of their own; its grid has a
    // column per zone.
    AddFrame(kOutputFrame[output], "TRIGGER OUT" + std::to_string(output + 1)).columnHeaders = {
        kZoneWords.begin(), kZoneWords.end()};
    AddCombo(kControlCombo[output], IdOf(output, 0), {kControlItems.begin(), kControlItems.end()})
        .caption = "Trigger Control";
    PlaceInFrame(kControlCombo[output], kOutputFrame[output]);
    AddButton(kAllHighButton[output], "All High");
    PlaceInFrame(kAllHighButton[output], kOutputFrame[output]);
    AddButton(kAllLowButton[output], "All Low");
    PlaceInFrame(kAllLowButton[output], kOutputFrame[output]);
    for (const TriggerRow& row : kRows) {
      for (int zone = 0; zone < row.zones; ++zone) {
        const ParamId id = IdOf(output, row.firstOffset + zone);
        AddRadioGroup(
            id, std::string(row.label) + " " + std::string(kZoneWords[static_cast<size_t>(zone)]),
            {LowButtonOf(id), HighButtonOf(id)}, {"L", "H"})
            .enabled = IsParamEnabled(id);
        PlaceInFrame(LowButtonOf(id), kOutputFrame[output]);
      }
    }
  }
}

bool CDCTriggerCtl::IsParamEnabled(ParamId id) {
  Cell cell;
  if (!CellOf(id, cell) || cell.row == nullptr) return true;
  const ModelFlags& flags = Link().Flags();
  if (cell.row->xm && flags.xm == 0) return false;
  return ZonePresent(flags, cell.zone);
}

void CDCTriggerCtl::UpdateModelControls() {
  const ModelFlags& flags = Link().Flags();
  for (ParamId id = kFirstId; id <= kLastId; ++id) {
    Cell cell;
    if (CellOf(id, cell) && cell.row != nullptr) SetEnabled(LowButtonOf(id), IsParamEnabled(id));
  }

  // The Trigger Control items of the zones the receiver has. "Zone OR"
  // needs a zone besides the main one: a combo left with fewer than three
  // items ("Zone OR" counted) loses it.
  std::vector<std::string> items;
  controlValues_.clear();
  for (int value = 0; value <= kZoneOr; ++value) {
    if ((value == 1 && flags.zone2 == 0) || (value == 2 && flags.zone3 == 0)) continue;
    items.emplace_back(kControlItems[static_cast<size_t>(value)]);
    controlValues_.push_back(value);
  }
  if (items.size() < 3) {
    items.pop_back();
    controlValues_.pop_back();
  }
  for (const int combo : kControlCombo) MutableControl(combo)->items = items;

  CSettingImage& image = LiveImage();
  if (flags.zone2 == 0 || flags.zone3 == 0) {
    for (ParamId id = kFirstId; id <= kLastId; ++id) {
      Cell cell;
      if (!CellOf(id, cell)) continue;
      if (cell.row == nullptr) {
        StoreParameter(image, id, kZoneOr);
      } else if (const std::optional<int> forced = ForcedSwitchValue(flags, cell)) {
        StoreParameter(image, id, *forced);
      }
    }
  }
  for (int output = 0; output < 2; ++output) {
    const ParamId id = IdOf(output, 0);
    if (FindValue(ReadParameter(image, id)) < 0) StoreParameter(image, id, 0);
  }
  PushValues();
}

int CDCTriggerCtl::FindValue(int value) const {
  for (size_t i = 0; i < controlValues_.size(); ++i) {
    if (controlValues_[i] == value) return static_cast<int>(i);
  }
  return -1;
}

void CDCTriggerCtl::RederiveTriggerParameter(ParamId id) {
  // The receiver answered a switch write with a parameter error. On a
  // receiver without Zone 2 or Zone 3 the switches of the missing zone (its
  // XM switch included) and MULTI CH are held high, as UpdateModelControls
  // holds them; such a switch goes back to H. Any other switch keeps what it
  // holds, since nothing says which value the receiver would take instead.
  // The Trigger Controls (300 and 338) are not re-derived.
  if (id <= kFirstId || id > kLastId || id == kFirstId + kIdsPerOutput) return;
  Cell cell;
  if (!CellOf(id, cell)) return;
  if (const std::optional<int> forced = ForcedSwitchValue(Link().Flags(), cell)) {
    StoreParameter(LiveImage(), id, *forced);
  }
}

void CDCTriggerCtl::PushValues() {
  for (ParamId id = kFirstId; id <= kLastId; ++id) {
    Cell cell;
    if (!CellOf(id, cell) || cell.row == nullptr) continue;
    const int value = ReadParameter(LiveImage(), id);
    SetValue(LowButtonOf(id), value == kLow || value == kHigh ? value : -1);
  }
  for (int output = 0; output < 2; ++output) PushControl(output);
}

void CDCTriggerCtl::PushControl(int output) {
  SetValue(kControlCombo[output], FindValue(ReadParameter(LiveImage(), IdOf(output, 0))));
}

void CDCTriggerCtl::RefreshAll() {
  UpdateEnableState();
  PushValues();
}

void CDCTriggerCtl::RefreshParam(ParamId id, bool updateControls) {
  if (!IsActive() || id < kFirstId || id > kLastId) return;
  Cell cell;
  CellOf(id, cell);
  if (cell.row == nullptr) {
    PushControl(cell.output);
  } else {
    const int value = ReadParameter(LiveImage(), id);
    SetValue(LowButtonOf(id), value == kLow || value == kHigh ? value : -1);
  }
  if (updateControls) {
    UpdateEnableState();
    PushValues();
  }
}

void CDCTriggerCtl::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  Cell cell;
  if (!CellOf(id, cell) || !IsParamEnabled(id)) return;
  const int value = ReadParameter(image, id);
  if (cell.row == nullptr) {
    if (value < 0 || value > kZoneOr) return;
    const size_t output = static_cast<size_t>(cell.output);
    Queue(StandardFrame(std::string(kControlCommands[output]) +
                        HexUpper(kControlDigits[output][static_cast<size_t>(value)], 1)),
          id);
    return;
  }
  if (value != kLow && value != kHigh) return;
  Queue(ExtendedFrame("20090401" + std::to_string(cell.output) + std::to_string(cell.zone) +
                      std::string(cell.row->code) + HexUpper(value, 1)),
        id);
}

void CDCTriggerCtl::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                                 bool /*forText*/, int /*selector*/) {
  for (int output = 0; output < 2; ++output) {
    ids.push_back(IdOf(output, 0));
    for (const int offset : kSwitchOrder) ids.push_back(IdOf(output, offset));
  }
  subIndices.assign(ids.size(), -1);
}

void CDCTriggerCtl::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                                 std::string* section, std::string* key, std::string* value,
                                 bool /*forReport*/) {
  Cell cell;
  if (!CellOf(id, cell)) {
    ClearParamText(section, key, value);
    return;
  }
  const int stored = ReadParameter(image, id);
  std::string text;
  std::string name = "TRIGGER OUT" + std::to_string(cell.output + 1) + " ";
  if (cell.row == nullptr) {
    const int index = FindValue(stored);
    if (index < 0) return;
    text = MutableControl(kControlCombo[cell.output])->items[static_cast<size_t>(index)];
    name += "Trigger Control";
  } else {
    if (stored != kLow && stored != kHigh) return;
    text = stored == kHigh ? "H" : "L";
    name += cell.row->keyWord;
    // MULTI CH exists in the main zone only and has no zone word.
    if (cell.row->zones > 1) name += " " + std::string(kZoneWords[static_cast<size_t>(cell.zone)]);
  }
  if (section != nullptr) *section = Caption();
  if (key != nullptr) *key = name;
  if (value != nullptr) *value = text;
}

bool CDCTriggerCtl::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                     std::string_view text) {
  Cell cell;
  if (!CellOf(id, cell)) return false;
  int value = -1;
  if (cell.row == nullptr) {
    // Only a zone the receiver has can control the output.
    const int index = FindText(MutableControl(kControlCombo[cell.output])->items, text);
    if (index < 0) return false;
    value = controlValues_[static_cast<size_t>(index)];
  } else {
    // What the file holds, whatever the model: a receiver that lacks a
    // zone holds its switches high when the page learns the model, and a
    // memory or a file written again keeps the user's values.
    if (text == "L") value = kLow;
    if (text == "H") value = kHigh;
    if (value < 0) return false;
  }
  StoreParameter(image, id, value);
  return true;
}

void CDCTriggerCtl::SendParam(ParamId id) {
  // Queueing may let the view run again; a send it starts meanwhile would
  // put its end marker in the middle of this one's commands.
  if (sending_) return;
  sending_ = true;
  CBasePage::SendParam(id);
  sending_ = false;
}

void CDCTriggerCtl::ClickRadio(int buttonId) {
  int index = -1;
  Control* group = RadioGroupOf(buttonId, index);
  if (group == nullptr || group->param == 0 || !group->enabled) return;
  group->value = index;
  StoreParameter(LiveImage(), group->param, index);
  SendParam(group->param);
}

void CDCTriggerCtl::ChooseCombo(int comboId, int index) {
  for (int output = 0; output < 2; ++output) {
    if (comboId != kControlCombo[output]) continue;
    if (index < 0 || index >= static_cast<int>(controlValues_.size())) return;
    const ParamId id = IdOf(output, 0);
    StoreParameter(LiveImage(), id, controlValues_[static_cast<size_t>(index)]);
    SetValue(comboId, index);
    SendParam(id);
  }
}

void CDCTriggerCtl::PressButton(int buttonId) {
  for (int output = 0; output < 2; ++output) {
    if (buttonId == kAllHighButton[output]) SetAllSwitches(output, kHigh);
    if (buttonId == kAllLowButton[output]) SetAllSwitches(output, kLow);
  }
}

void CDCTriggerCtl::SetAllSwitches(int output, int value) {
  const ModelFlags& flags = Link().Flags();
  for (const int offset : kSwitchOrder) {
    Cell cell;
    CellOf(IdOf(output, offset), cell);
    // Switches of a zone the receiver lacks keep their values.
    if (ZonePresent(flags, cell.zone)) StoreParameter(LiveImage(), IdOf(output, offset), value);
  }
  PushValues();
  if (!IsRealTime() || sending_) return;
  sending_ = true;
  Host().SetWaitCursor(true);
  // Disabled switches build no command.
  for (const int offset : kSwitchOrder) SendParamFromImage(LiveImage(), IdOf(output, offset), -1);
  QueueEndMarker();
  Host().SetWaitCursor(false);
  sending_ = false;
}

}  // namespace qamp
