#include "pages/base_page.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#include "link/wire_format.h"
#include "model/parameter_store.h"
#include "model/vocabulary.h"

namespace qamp {

CBasePage::CBasePage(CCommClass& link, PageHost& host, int dialogId, std::string caption)
    : link_(link), host_(host), dialogId_(dialogId), caption_(std::move(caption)) {}

void CBasePage::DownloadPage(const CSettingImage& image) {
  std::vector<ParamId> ids;
  std::vector<int> subIndices;
  GetParamList(ids, subIndices, false, kWholeList);
  for (size_t i = 0; i < ids.size(); ++i) {
    SendParamFromImage(image, ids[i], i < subIndices.size() ? subIndices[i] : -1);
  }
}

void CBasePage::SaveToProfile(IniFile& file, const CSettingImage& image) {
  std::vector<ParamId> ids;
  std::vector<int> subIndices;
  GetParamList(ids, subIndices, true, kWholeList);
  for (size_t i = 0; i < ids.size(); ++i) {
    std::string section;
    std::string key;
    std::string value;
    GetParamText(image, ids[i], i < subIndices.size() ? subIndices[i] : -1, &section, &key, &value,
                 false);
    if (section.empty() || key.empty()) continue;
    file.Write(section, key, value);
  }
}

void CBasePage::LoadFromProfile(const IniFile& file, CSettingImage& image) {
  std::vector<ParamId> ids;
  std::vector<int> subIndices;
  GetParamList(ids, subIndices, true, kWholeList);
  for (size_t i = 0; i < ids.size(); ++i) {
    const int subIndex = i < subIndices.size() ? subIndices[i] : -1;
    std::string section;
    std::string key;
    GetParamText(image, ids[i], subIndex, &section, &key, nullptr, false);
    if (section.empty() || key.empty()) continue;
    const std::optional<std::string> text = file.Read(section, key);
    // A missing or empty entry leaves the parameter as it is.
    if (text && !text->empty()) SetParamFromText(image, ids[i], subIndex, *text);
  }
}

std::string CBasePage::BuildReportText(const CSettingImage& image) {
  std::vector<ParamId> ids;
  std::vector<int> subIndices;
  GetParamList(ids, subIndices, true, kWholeList);
  ReportLines report;
  for (size_t i = 0; i < ids.size(); ++i) {
    std::string section;
    std::string key;
    std::string value;
    GetParamText(image, ids[i], i < subIndices.size() ? subIndices[i] : -1, &section, &key, &value,
                 true);
    report.Add(section, key, value);
  }
  return report.Take();
}

void CBasePage::SendParam(ParamId id) {
  if (!IsRealTime()) return;
  host_.SetWaitCursor(true);
  SendParamFromImage(LiveImage(), id, SelectedSubIndex());
  QueueEndMarker();
  host_.SetWaitCursor(false);
}

void CBasePage::SendWholePage() {
  if (!IsRealTime()) return;
  host_.SetWaitCursor(true);
  DownloadPage(LiveImage());
  QueueEndMarker();
  host_.SetWaitCursor(false);
}

void CBasePage::SetActive(bool active) {
  active_ = active;
  if (active) RefreshAll();
}

// --- Controls ---------------------------------------------------------------------

const Control* CBasePage::FindControl(int id) const {
  for (const Control& control : controls_) {
    if (control.id == id) return &control;
    for (const int button : control.buttonIds) {
      if (button == id) return &control;
    }
  }
  return nullptr;
}

Control* CBasePage::MutableControl(int id) {
  return const_cast<Control*>(FindControl(id));
}

namespace {

// FNV-1a over the description's fields.
class Fingerprint {
 public:
  void Add(uint64_t value) {
    for (int byte = 0; byte < 8; ++byte) {
      hash_ ^= (value >> (8 * byte)) & 0xFF;
      hash_ *= 1099511628211ULL;
    }
  }
  void Add(const std::string& text) {
    Add(text.size());
    for (const char c : text) {
      hash_ ^= static_cast<unsigned char>(c);
      hash_ *= 1099511628211ULL;
    }
  }
  uint64_t Value() const { return hash_; }

 private:
  uint64_t hash_ = 14695981039346656037ULL;
};

}  // namespace

uint64_t CBasePage::Revision() const {
  Fingerprint print;
  for (const Control& control : controls_) {
    print.Add(static_cast<uint64_t>(control.id));
    print.Add(static_cast<uint64_t>(control.kind));
    print.Add(control.caption);
    print.Add(control.items.size());
    for (const std::string& item : control.items) print.Add(item);
    print.Add(static_cast<uint64_t>(static_cast<int64_t>(control.minimum)));
    print.Add(static_cast<uint64_t>(static_cast<int64_t>(control.maximum)));
    print.Add(static_cast<uint64_t>(control.step));
    print.Add((control.enabled ? 1U : 0U) | (control.visible ? 2U : 0U) |
              (control.memoryMark ? 4U : 0U));
    print.Add(control.itemEnabled.size());
    for (const bool itemEnabled : control.itemEnabled) print.Add(itemEnabled ? 1U : 0U);
    print.Add(static_cast<uint64_t>(static_cast<int64_t>(control.value)));
    print.Add(control.text);
    print.Add(static_cast<uint64_t>(control.decimals));
    print.Add(control.unit);
    for (const auto& [word, value] : control.valueWords) {
      print.Add(word);
      print.Add(static_cast<uint64_t>(static_cast<int64_t>(value)));
    }
  }
  return print.Value();
}

Control& CBasePage::AddControl(Control control) {
  controls_.push_back(std::move(control));
  return controls_.back();
}

Control& CBasePage::AddFrame(int id, std::string caption) {
  Control control;
  control.id = id;
  control.kind = ControlKind::kFrame;
  control.caption = std::move(caption);
  return AddControl(std::move(control));
}

void CBasePage::PlaceInFrame(int id, int frame) {
  if (Control* control = MutableControl(id)) control->frame = frame;
}

void CBasePage::SetSliderLayout(int sliderId, Orientation orientation, std::string lowLabel,
                                std::string highLabel, int readOutId) {
  Control* control = MutableControl(sliderId);
  if (control == nullptr) return;
  control->orientation = orientation;
  control->lowLabel = std::move(lowLabel);
  control->highLabel = std::move(highLabel);
  control->readOut = readOutId;
}

void CBasePage::SetMemoryMark(int id, bool marked) {
  if (Control* control = MutableControl(id)) control->memoryMark = marked;
}

Control& CBasePage::AddRadioGroup(ParamId param, std::string caption, std::vector<int> buttonIds,
                                  std::vector<std::string> captions) {
  Control control;
  control.id = buttonIds.empty() ? 0 : buttonIds.front();
  control.kind = ControlKind::kRadioGroup;
  control.param = param;
  control.caption = std::move(caption);
  control.buttonIds = std::move(buttonIds);
  control.items = std::move(captions);
  return AddControl(std::move(control));
}

Control& CBasePage::AddSlider(int id, ParamId param, int minimum, int maximum, int step) {
  Control control;
  control.id = id;
  control.kind = ControlKind::kSlider;
  control.param = param;
  control.minimum = minimum;
  control.maximum = maximum;
  control.step = step;
  control.value = minimum;
  return AddControl(std::move(control));
}

Control& CBasePage::AddCombo(int id, ParamId param, std::vector<std::string> items) {
  Control control;
  control.id = id;
  control.kind = ControlKind::kCombo;
  control.param = param;
  control.items = std::move(items);
  return AddControl(std::move(control));
}

Control& CBasePage::AddReadOut(int id, std::string text) {
  Control control;
  control.id = id;
  control.kind = ControlKind::kReadOut;
  control.text = std::move(text);
  return AddControl(std::move(control));
}

Control& CBasePage::AddButton(int id, std::string caption) {
  Control control;
  control.id = id;
  control.kind = ControlKind::kButton;
  control.caption = std::move(caption);
  return AddControl(std::move(control));
}

Control& CBasePage::AddCheckBox(int id, ParamId param, std::string caption) {
  Control control;
  control.id = id;
  control.kind = ControlKind::kCheckBox;
  control.param = param;
  control.caption = std::move(caption);
  control.value = 0;
  return AddControl(std::move(control));
}

Control& CBasePage::AddList(int id, std::vector<std::string> rows) {
  Control control;
  control.id = id;
  control.kind = ControlKind::kList;
  control.items = std::move(rows);
  control.value = 0;
  return AddControl(std::move(control));
}

Control& CBasePage::AddEdit(int id) {
  Control control;
  control.id = id;
  control.kind = ControlKind::kEdit;
  return AddControl(std::move(control));
}

Control* CBasePage::RadioGroupOf(int buttonId, int& index) {
  for (Control& control : controls_) {
    if (control.kind != ControlKind::kRadioGroup) continue;
    for (size_t i = 0; i < control.buttonIds.size(); ++i) {
      if (control.buttonIds[i] == buttonId) {
        index = static_cast<int>(i);
        return &control;
      }
    }
  }
  index = -1;
  return nullptr;
}

void CBasePage::SetEnabled(int id, bool enabled) {
  if (Control* control = MutableControl(id)) control->enabled = enabled;
}

void CBasePage::SetVisible(int id, bool visible) {
  if (Control* control = MutableControl(id)) control->visible = visible;
}

void CBasePage::SetValue(int id, int value) {
  if (Control* control = MutableControl(id)) control->value = value;
}

void CBasePage::SetText(int id, std::string text) {
  if (Control* control = MutableControl(id)) control->text = std::move(text);
}

// --- Texts ------------------------------------------------------------------------

std::string TenthsText(int tenths, std::string_view unit) {
  const int magnitude = std::abs(tenths);
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), tenths < 0 ? "-%d.%d" : "%d.%d", magnitude / 10,
                magnitude % 10);
  return std::string(text.data()) + std::string(unit);
}

std::string HundredthsText(int hundredths) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%d.%02d", hundredths / 100, hundredths % 100);
  return text.data();
}

bool ParseLeadingInteger(std::string_view text, int& value) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  const size_t digits = i;
  long long number = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    number = number * 10 + (text[i] - '0');
    if (number > 1000000000) return false;
    ++i;
  }
  if (i == digits) return false;
  value = static_cast<int>(negative ? -number : number);
  return true;
}

bool ParseDottedInteger(std::string_view text, size_t dropTail, int& value) {
  if (text.size() < dropTail) return false;
  std::string kept;
  for (const char c : text.substr(0, text.size() - dropTail)) {
    if (c != '.') kept.push_back(c);
  }
  return ParseLeadingInteger(kept, value);
}

int EqualizerRecordOfItem(const CSettingImage& image, GroupKind group, int index) {
  if (index < 0 || index >= static_cast<int>(kEqualizerChannels.size())) return -1;
  return FindRecordByKey(image, group, kEqualizerChannels[static_cast<size_t>(index)].code);
}

void ReportLines::Add(const std::string& section, const std::string& key,
                      const std::string& value) {
  // A parameter without a description (a stored value that has no text)
  // writes nothing: neither a "()" header nor, once it has passed, a second
  // header for the section it interrupted.
  if (section.empty()) return;
  if (section != lastSection_) text_.append("\r\n(").append(section).append(")\r\n");
  if (!key.empty()) text_.append(key).append(" = ").append(value).append("\r\n");
  lastSection_ = section;
}

void ClearParamText(std::string* section, std::string* key, std::string* value) {
  if (section != nullptr) section->clear();
  if (key != nullptr) key->clear();
  if (value != nullptr) value->clear();
}

int FindText(const std::vector<std::string>& items, std::string_view text) {
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == text) return static_cast<int>(i);
  }
  return -1;
}

std::string HexUpper(int value, int width) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%0*X", width, static_cast<unsigned>(value));
  return text.data();
}

std::string HexLower(int value, int width) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%0*x", width, static_cast<unsigned>(value));
  return text.data();
}

std::string ExtendedFrame(std::string_view text) {
  return FrameExtended(std::string(1, kDc4) + std::string(text));
}

std::string StandardFrame(std::string_view text) {
  return FrameStandard(text);
}

}  // namespace qamp
