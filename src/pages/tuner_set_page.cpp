#include "pages/tuner_set_page.h"

#include <array>
#include <cstdio>

#include "model/image_defaults.h"
#include "model/parameter_store.h"

namespace qamp {

namespace {

constexpr size_t kStoredLength = 6;
constexpr int kPresetsPerPage = 8;

// One band of a region: AM in kHz, FM in hundredths of a MHz.
struct BandRange {
  int first;
  int last;
  int step;
};

struct RegionBands {
  BandRange am;
  BandRange fm;
};

// By region code, as the "Tuner Region" choices name them.
constexpr std::array<RegionBands, 4> kRegionBands = {{
    {{531, 1611, 9}, {7600, 9000, 10}},    // "AM9 / FM100  (Japan)": 121 and 141 entries
    {{530, 1710, 10}, {8750, 10790, 20}},  // "AM10 / FM200  (USA, Canada)": 119 and 103
    {{531, 1611, 9}, {8750, 10800, 5}},    // "AM9 / FM50  (EU, Asia)": 121 and 411
    {{530, 1710, 10}, {8750, 10800, 10}},  // "AM10 / FM100  (Other)": 119 and 206
}};

const RegionBands& BandsOf(int regionCode) {
  const bool known = regionCode >= 1 && regionCode <= 3;
  return kRegionBands[static_cast<size_t>(known ? regionCode : 0)];
}

std::string AmText(int kilohertz) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%06d", kilohertz);
  return text.data();
}

std::string FmText(int hundredths) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%03d.%02d", hundredths / 100, hundredths % 100);
  return text.data();
}

std::vector<std::string> BandList(const BandRange& band, std::string (*text)(int)) {
  std::vector<std::string> list;
  for (int value = band.first; value <= band.last; value += band.step) list.push_back(text(value));
  return list;
}

std::string WithoutLeadingZeros(std::string_view text) {
  const size_t first = text.find_first_not_of('0');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

// The number between a band word ("FM", "AM") and its unit, blanks after
// the band word skipped; to the end of the text when the unit is missing.
std::string NumberAfter(std::string_view text, size_t bandWord, std::string_view unit) {
  size_t start = bandWord + 2;
  while (start < text.size() && text[start] == ' ') ++start;
  const size_t end = text.find(unit, start);
  return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Six digits (AM, kHz), or three digits, a point and two digits (FM, MHz).
bool IsStoredFrequency(std::string_view text) {
  if (text.size() != kStoredLength) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i == 3 && text[i] == '.') continue;
    if (!IsDigit(text[i])) return false;
  }
  return true;
}

bool IsTunerId(ParamId id) {
  return id >= CTunerSetPage::kCurrentId && id <= CTunerSetPage::kLastPresetId;
}

// The page of the sheet's combo that shows the ID: 0 for the current
// frequency, 1..5 for the preset pages.
int PageOf(ParamId id) {
  return id == CTunerSetPage::kCurrentId
             ? 0
             : (id - CTunerSetPage::kFirstPresetId) / kPresetsPerPage + 1;
}

// "00" for the current frequency; page digit and preset digit otherwise.
std::string AddressDigits(ParamId id) {
  if (id == CTunerSetPage::kCurrentId) return "00";
  const int index = id - CTunerSetPage::kFirstPresetId;
  return std::to_string(index / kPresetsPerPage + 1) + std::to_string(index % kPresetsPerPage + 1);
}

const std::array<std::string, 6> kPageNames = {"Current", "PageA", "PageB",
                                               "PageC",   "PageD", "PageE"};

std::vector<std::string> PresetNames() {
  std::vector<std::string> names;
  for (int n = 1; n <= kPresetsPerPage; ++n) names.push_back("Preset" + std::to_string(n));
  return names;
}

}  // namespace

std::string FormatFrequency(std::string_view stored) {
  if (stored.size() != kStoredLength) return std::string(stored);
  std::string number = WithoutLeadingZeros(stored);
  if (stored.find('.') == std::string_view::npos) return "AM " + number + "kHz";
  // Two decimals are stored; a trailing zero of the second one is not shown.
  const size_t point = number.find('.');
  if (number.size() - point > 2 && number.back() == '0') number.pop_back();
  return "FM " + number + "MHz";
}

std::string ParseFrequency(std::string_view text) {
  if (const size_t fm = text.find("FM"); fm != std::string_view::npos) {
    std::string number = NumberAfter(text, fm, "MHz");
    size_t point = number.find('.');
    if (point == std::string::npos) {
      point = number.size();
      number.push_back('.');
    }
    for (; point < 3; ++point) number.insert(number.begin(), '0');
    while (number.size() < kStoredLength) number.push_back('0');
    return number;
  }
  if (const size_t am = text.find("AM"); am != std::string_view::npos) {
    std::string number = NumberAfter(text, am, "kHz");
    while (number.size() < kStoredLength) number.insert(number.begin(), '0');
    return number;
  }
  return std::string(text);
}

std::vector<std::string> AmFrequencies(int regionCode) {
  return BandList(BandsOf(regionCode).am, AmText);
}

std::vector<std::string> FmFrequencies(int regionCode) {
  return BandList(BandsOf(regionCode).fm, FmText);
}

// --- "Frequency" dialog --------------------------------------------------------------------

CFrequencyDialog::CFrequencyDialog(std::vector<std::string> entries)
    : entries_(std::move(entries)), selectedRow_(entries_.empty() ? -1 : 0) {}

std::vector<std::string> CFrequencyDialog::Rows() const {
  std::vector<std::string> rows;
  for (const std::string& entry : entries_) rows.push_back(FormatFrequency(entry));
  return rows;
}

void CFrequencyDialog::SelectRow(int row) {
  if (row >= 0 && row < static_cast<int>(entries_.size())) selectedRow_ = row;
}

std::optional<std::string> CFrequencyDialog::Ok() const {
  if (selectedRow_ < 0) return std::nullopt;
  return entries_[static_cast<size_t>(selectedRow_)];
}

std::optional<std::string> CFrequencyDialog::DoubleClickRow(int row) {
  SelectRow(row);
  return Ok();
}

// --- The page ------------------------------------------------------------------------------

CTunerSetPage::CTunerSetPage(CCommClass& link, PageHost& host, FrequencyChooser* chooser)
    : CBasePage(link, host, 132, "Tuner Set"), chooser_(chooser) {
  AddCombo(kPageCombo, 0, {kPageNames.begin(), kPageNames.end()}).value = 0;
  // The presets and their frequencies read as one table; a row chosen in
  // either chooses the preset.
  AddList(kPresetList, {}).columnHeaders = {"Preset"};
  AddList(kFrequencyList, {}).columnHeaders = {"Frequency"};
  AddButton(kAmButton, "AM");
  AddButton(kFmButton, "FM");
  AddButton(kDefaultButton, "Default");
  amList_ = AmFrequencies(Link().RegionCode());
  fmList_ = FmFrequencies(Link().RegionCode());
}

ParamId CTunerSetPage::ChosenParam() const {
  if (shownPage_ == 0) return kCurrentId;
  return kFirstPresetId + kPresetsPerPage * (shownPage_ - 1) + selectedPreset_;
}

void CTunerSetPage::RefreshAll() {
  UpdateEnableState();
  // The region may have changed with a new initial load.
  amList_ = AmFrequencies(Link().RegionCode());
  fmList_ = FmFrequencies(Link().RegionCode());
  SetValue(kPageCombo, shownPage_);

  std::vector<ParamId> shown;
  if (shownPage_ == 0) {
    shown.push_back(kCurrentId);
  } else {
    for (int n = 0; n < kPresetsPerPage; ++n) {
      shown.push_back(kFirstPresetId + kPresetsPerPage * (shownPage_ - 1) + n);
    }
  }
  Control* presets = MutableControl(kPresetList);
  presets->items = shownPage_ == 0 ? std::vector<std::string>() : PresetNames();
  presets->value = shownPage_ == 0 ? -1 : selectedPreset_;
  Control* frequencies = MutableControl(kFrequencyList);
  frequencies->items.clear();
  for (const ParamId id : shown) {
    frequencies->items.push_back(FormatFrequency(ReadText(LiveImage(), id)));
  }
  frequencies->value = shownPage_ == 0 ? 0 : selectedPreset_;
}

void CTunerSetPage::RefreshParam(ParamId id, bool /*updateControls*/) {
  if (!IsActive() || !IsTunerId(id)) return;
  if (PageOf(id) == shownPage_) RefreshAll();
}

void CTunerSetPage::DownloadPage(const CSettingImage& image) {
  // The receiver takes the current frequency last.
  for (ParamId id = kFirstPresetId; id <= kLastPresetId; ++id) SendParamFromImage(image, id, -1);
  SendParamFromImage(image, kCurrentId, -1);
}

void CTunerSetPage::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  if (!IsTunerId(id)) return;
  const std::string stored = ReadText(image, id);
  // Band digit: "1" for an FM frequency (it has a point), "0" for AM.
  const char band = stored.find('.') != std::string::npos ? '1' : '0';
  Queue(ExtendedFrame("200D0501" + AddressDigits(id) + band + stored), id);
}

void CTunerSetPage::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                                 bool /*forText*/, int /*selector*/) {
  for (ParamId id = kCurrentId; id <= kLastPresetId; ++id) {
    ids.push_back(id);
    subIndices.push_back(-1);
  }
}

void CTunerSetPage::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                                 std::string* section, std::string* key, std::string* value,
                                 bool /*forReport*/) {
  if (!IsTunerId(id)) {
    ClearParamText(section, key, value);
    return;
  }
  if (section != nullptr) *section = Caption();
  if (key != nullptr) {
    // The current frequency's key is the page name and a space, with no
    // preset name behind it.
    const int index = id - kFirstPresetId;
    *key = id == kCurrentId ? "Current "
                            : kPageNames[static_cast<size_t>(PageOf(id))] + " Preset" +
                                  std::to_string(index % kPresetsPerPage + 1);
  }
  if (value != nullptr) *value = FormatFrequency(ReadText(image, id));
}

bool CTunerSetPage::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                     std::string_view text) {
  if (!IsTunerId(id)) return false;
  // Whatever the region's lists: a file saved from a receiver of another
  // region holds its presets too, and they must come back as they were.
  // Only a text in the stored form is a frequency: any other would be sent
  // to the receiver as one, and would not read back as itself.
  const std::string stored = ParseFrequency(text);
  if (!IsStoredFrequency(stored)) return false;
  StoreText(image, id, stored);
  return true;
}

void CTunerSetPage::ChooseCombo(int comboId, int index) {
  if (comboId != kPageCombo || index < 0 || index >= static_cast<int>(kPageNames.size())) return;
  shownPage_ = index;
  RefreshAll();
}

void CTunerSetPage::SelectListRow(int listId, int row) {
  // The current frequency has no presets to choose from.
  if ((listId != kPresetList && listId != kFrequencyList) || shownPage_ == 0) return;
  if (row < 0 || row >= kPresetsPerPage) return;
  selectedPreset_ = row;
  SetValue(kPresetList, row);
  SetValue(kFrequencyList, row);
}

void CTunerSetPage::PressButton(int buttonId) {
  switch (buttonId) {
    case kAmButton:
      ChooseFrequency(amList_);
      break;
    case kFmButton:
      ChooseFrequency(fmList_);
      break;
    case kDefaultButton:
      RestoreDefaults();
      break;
    default:
      break;
  }
}

void CTunerSetPage::ChooseFrequency(const std::vector<std::string>& list) {
  if (chooser_ == nullptr) return;
  CFrequencyDialog dialog(list);
  const std::optional<std::string> chosen = chooser_->Choose(dialog);
  if (!chosen || chosen->size() != kStoredLength) return;
  const ParamId id = ChosenParam();
  StoreText(LiveImage(), id, *chosen);
  SendParam(id);
  RefreshAll();
}

void CTunerSetPage::RestoreDefaults() {
  shownPage_ = 0;
  selectedPreset_ = 0;
  ApplyTunerPresetDefaults(LiveImage(), Link().RegionCode());
  SendWholePage();
  RefreshAll();
}

}  // namespace qamp
