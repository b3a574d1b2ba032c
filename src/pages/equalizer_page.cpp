#include "pages/equalizer_page.h"

#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "model/vocabulary.h"

namespace qamp {

namespace {

struct GeqBand {
  ParamId id;
  double frequency;        // the centre, in Hz
  std::string_view key;    // report and profile key, after the channel name
  std::string_view label;  // above the slider
  int slider;
  int readOut;
  char digit;  // the band in the command
};

constexpr std::array<GeqBand, 7> kBands = {{
    {395, 63.0, "Band 1 (63Hz) Gain", "63Hz", 1566, 1559, '0'},
    {396, 160.0, "Band 2 (160Hz) Gain", "160Hz", 1567, 1560, '2'},
    {397, 400.0, "Band 3 (400Hz) Gain", "400Hz", 1568, 1561, '4'},
    {398, 1000.0, "Band 4 (1kHz) Gain", "1kHz", 1569, 1562, '6'},
    {399, 2500.0, "Band 5 (2.5kHz) Gain", "2.5kHz", 1570, 1563, '8'},
    {400, 6300.0, "Band 6 (6.3kHz) Gain", "6.3kHz", 1571, 1564, 'A'},
    {401, 16000.0, "Band 7 (16kHz) Gain", "16kHz", 1572, 1565, 'C'},
}};

constexpr ParamId kMiraType = 402;
constexpr ParamId kEqType = 403;

const std::vector<std::string>& MiraTexts() {
  static const std::vector<std::string> texts = {"Flat", "Front", "Natural", "None"};
  return texts;
}
// The receiver skips code 3.
constexpr std::array<std::string_view, 4> kMiraCodes = {"0", "1", "2", "4"};
constexpr int kMiraNone = 3;

const std::vector<std::string>& EqTypeTexts() {
  static const std::vector<std::string> texts = {"Auto", "GEQ", "OFF"};
  return texts;
}
constexpr int kEqTypeAuto = 0;
constexpr int kEqTypeGeq = 1;

constexpr int kMinimumGain = -60;  // -6.0 dB
constexpr int kMaximumGain = 60;   // +6.0 dB
constexpr int kGainStep = 5;

// The Subwoofer's equaliser has the 63Hz and 160Hz bands only.
constexpr size_t kSubwooferBands = 2;

int BandOfParam(ParamId id) {
  return RowIndex(kBands, &GeqBand::id, id);
}

bool IsGain(int gain) {
  return gain >= kMinimumGain && gain <= kMaximumGain && gain % kGainStep == 0;
}

std::string GainText(int gain) {
  return CValueSlider::TextOf(gain, kSliderTextUnit, "dB");
}

}  // namespace

int CGEQSetPage::BandSliderOf(size_t band) {
  return band < kBands.size() ? kBands[band].slider : 0;
}

double CGEQSetPage::BandFrequencyOf(size_t band) {
  return band < kBands.size() ? kBands[band].frequency : 0.0;
}

CGEQSetPage::CGEQSetPage(CCommClass& link, PageHost& host)
    : CBasePage(link, host, 169, "Equalizer") {
  AddCombo(kMiraCombo, kMiraType, MiraTexts()).caption = "MIRA PEQ Type";
  AddCombo(kTypeCombo, kEqType, EqTypeTexts()).caption = "EQ Type Select";
  AddCombo(kChannelCombo, 0, EqualizerChannelNames()).caption = "Graphic EQ";
  for (size_t i = 0; i < kBands.size(); ++i) {
    const GeqBand& band = kBands[i];
    sliders_[i].Setup("dB", kMinimumGain, kMaximumGain, kGainStep, 0, kSliderTextUnit);
    Control& slider = AddSlider(band.slider, band.id, kMinimumGain, kMaximumGain, kGainStep);
    slider.caption = band.label;
    sliders_[i].Describe(&slider);
    AddReadOut(band.readOut);
    SetSliderLayout(band.slider, Orientation::kVertical, "", "", band.readOut);
    PlaceInFrame(band.slider, kGraphicFrame);
    PlaceInFrame(band.readOut, kGraphicFrame);
  }
  AddButton(kDefaultButton, "Default");
  // The channel and its seven bands stand in the "Graphic EQ" frame; the
  // two types and the frame belong to System Memory.
  AddFrame(kGraphicFrame, "Graphic EQ").memoryMark = true;
  PlaceInFrame(kChannelCombo, kGraphicFrame);
  SetMemoryMark(kMiraCombo);
  SetMemoryMark(kTypeCombo);
  RefreshAll();
}

void CGEQSetPage::UpdateEnableState() {
  // The calibration result is the receiver's to set: shown, never chosen.
  SetEnabled(kMiraCombo, false);
  // Without a calibration result "Auto" has nothing to work from. The
  // receiver knows; the image is only brought into line, not sent.
  CSettingImage& image = LiveImage();
  if (ReadParameter(image, kMiraType) == kMiraNone &&
      ReadParameter(image, kEqType) == kEqTypeAuto) {
    StoreParameter(image, kEqType, kEqTypeGeq);
  }
}

void CGEQSetPage::ShowTypes() {
  UpdateEnableState();
  SetValue(kMiraCombo, ReadParameter(LiveImage(), kMiraType));
  SetValue(kTypeCombo, ReadParameter(LiveImage(), kEqType));
}

void CGEQSetPage::ShowBand(size_t band) {
  const int gain = ReadRecordParameter(LiveImage(), kBands[band].id, selectedRecord_);
  sliders_[band].SetValue(gain);
  sliders_[band].Describe(MutableControl(kBands[band].slider));
  SetText(kBands[band].readOut, GainText(gain));
}

void CGEQSetPage::RefreshAll() {
  ShowTypes();
  // The channel list shows the item whose channel code keys the record.
  const int code = ReadRecordParameter(LiveImage(), kGeqKeyId, selectedRecord_);
  int item = 0;
  for (size_t i = 0; i < kEqualizerChannels.size(); ++i) {
    if (kEqualizerChannels[i].code == code) {
      item = static_cast<int>(i);
      break;
    }
  }
  SetValue(kChannelCombo, item);
  const bool subwoofer = item == kEqualizerSubwooferRecord;
  for (size_t band = 0; band < kBands.size(); ++band) {
    const bool shown = !subwoofer || band < kSubwooferBands;
    SetVisible(kBands[band].slider, shown);
    SetVisible(kBands[band].readOut, shown);
    ShowBand(band);
  }
}

void CGEQSetPage::RefreshParam(ParamId id, bool /*updateControls*/) {
  if (!IsActive()) return;
  if (id == kMiraType || id == kEqType) {
    ShowTypes();
    return;
  }
  const int band = BandOfParam(id);
  if (band >= 0) ShowBand(static_cast<size_t>(band));
}

void CGEQSetPage::SelectSubIndex(int subIndex) {
  if (!IsKeyedRecord(subIndex)) return;
  selectedRecord_ = subIndex;
  RefreshAll();
}

void CGEQSetPage::SendParamFromImage(const CSettingImage& image, ParamId id, int subIndex) {
  if (id == kMiraType) {
    const int type = ReadParameter(image, kMiraType);
    if (!IsIndexOf(type, MiraTexts())) return;
    Queue(ExtendedFrame("200607111" + std::string(kMiraCodes[static_cast<size_t>(type)])), id);
    return;
  }
  if (id == kEqType) {
    const int type = ReadParameter(image, kEqType);
    if (!IsIndexOf(type, EqTypeTexts())) return;
    Queue(StandardFrame("2A70" + HexUpper(type, 1)), id);
    return;
  }
  const int band = BandOfParam(id);
  if (band < 0 || !IsKeyedRecord(subIndex)) return;
  const int code = ReadRecordParameter(image, kGeqKeyId, subIndex);
  const int gain = ReadRecordParameter(image, id, subIndex);
  if (code < 0 || code > 15 || !IsGain(gain)) return;
  std::string text = "20080301" + HexLower(code, 1);
  text += kBands[static_cast<size_t>(band)].digit;
  text += HexLower((gain + 75) / 5, 2);
  Queue(ExtendedFrame(text), id);
}

void CGEQSetPage::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                               bool /*forText*/, int /*selector*/) {
  // The gains record by record, then the two types: also the download order.
  for (int record = 0; record < kKeyedRecordCount; ++record) {
    const size_t bands = record == kEqualizerSubwooferRecord ? kSubwooferBands : kBands.size();
    for (size_t b = 0; b < bands; ++b) {
      ids.push_back(kBands[b].id);
      subIndices.push_back(record);
    }
  }
  for (const ParamId id : {kMiraType, kEqType}) {
    ids.push_back(id);
    subIndices.push_back(-1);
  }
}

void CGEQSetPage::GetParamText(const CSettingImage& image, ParamId id, int subIndex,
                               std::string* section, std::string* key, std::string* value,
                               bool /*forReport*/) {
  const int band = BandOfParam(id);
  const bool owned = id == kMiraType || id == kEqType || (band >= 0 && IsKeyedRecord(subIndex));
  if (!owned) {
    ClearParamText(section, key, value);
    return;
  }
  std::string keyText;
  std::string valueText;
  if (band >= 0) {
    keyText = "(" + std::string(kEqualizerChannels[static_cast<size_t>(subIndex)].name) + ") " +
              std::string(kBands[static_cast<size_t>(band)].key);
    valueText = GainText(ReadRecordParameter(image, id, subIndex));
  } else {
    const std::vector<std::string>& texts = id == kMiraType ? MiraTexts() : EqTypeTexts();
    const int stored = ReadParameter(image, id);
    if (!IsIndexOf(stored, texts)) return;
    keyText = id == kMiraType ? "MIRA PEQ Type" : "EQ Type Select";
    valueText = texts[static_cast<size_t>(stored)];
  }
  if (section != nullptr) *section = Caption();
  if (key != nullptr) *key = keyText;
  if (value != nullptr) *value = valueText;
}

bool CGEQSetPage::SetParamFromText(CSettingImage& image, ParamId id, int subIndex,
                                   std::string_view text) {
  if (id == kMiraType || id == kEqType) {
    const int index = FindText(id == kMiraType ? MiraTexts() : EqTypeTexts(), text);
    if (index < 0) return false;
    // "Auto" without a calibration result is refused by the combo box, not
    // here: a file gives back what it holds, and a refresh of the page
    // settles the live setting.
    StoreParameter(image, id, index);
    return true;
  }
  const int band = BandOfParam(id);
  if (band < 0 || !IsKeyedRecord(subIndex)) return false;
  int gain = 0;
  if (!ParseDottedInteger(text, 0, gain) || !IsGain(gain)) return false;
  StoreRecordParameter(image, id, subIndex, gain);
  return true;
}

void CGEQSetPage::ChooseCombo(int comboId, int index) {
  if (comboId == kChannelCombo) {
    // No record with the item's channel keeps the record shown.
    const int record = EqualizerRecordOfItem(LiveImage(), GroupKind::kGeq, index);
    if (record >= 0) selectedRecord_ = record;
    RefreshAll();
    return;
  }
  if (comboId != kTypeCombo || !IsIndexOf(index, EqTypeTexts())) return;
  CSettingImage& image = LiveImage();
  // Refused: the list returns to the stored type and nothing is sent.
  const bool refused = index == kEqTypeAuto && ReadParameter(image, kMiraType) == kMiraNone;
  if (!refused) {
    StoreParameter(image, kEqType, index);
    SendParam(kEqType);
  }
  SetValue(kTypeCombo, ReadParameter(image, kEqType));
}

void CGEQSetPage::MoveSlider(int sliderId, int value) {
  // While a transfer fills the image, the slider must not write into it.
  if (TransferRunning()) return;
  for (size_t i = 0; i < kBands.size(); ++i) {
    if (kBands[i].slider != sliderId) continue;
    if (!FindControl(sliderId)->visible) return;
    sliders_[i].SetValue(value);
    StoreRecordParameter(LiveImage(), kBands[i].id, selectedRecord_, sliders_[i].Value());
    ShowBand(i);
    return;
  }
}

void CGEQSetPage::ReleaseSlider(int sliderId) {
  for (const GeqBand& band : kBands) {
    if (band.slider == sliderId && FindControl(sliderId)->visible) SendParam(band.id);
  }
}

void CGEQSetPage::PressButton(int buttonId) {
  if (buttonId != kDefaultButton) return;
  ApplyEqualizerDefaults(LiveImage());
  selectedRecord_ = 0;
  RefreshAll();
  SendWholePage();
}

}  // namespace qamp
