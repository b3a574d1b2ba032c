#include "pages/parametric_eq_page.h"

#include <cmath>

#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "model/vocabulary.h"

namespace qamp {

namespace {

// One band: its three parameters and controls. The frequency ID also names
// the band's command, which carries frequency, gain and Q together.
struct PeqBand {
  ParamId frequency;
  ParamId q;
  ParamId gain;
  char digit;  // the band in the command
  int frequencyCombo;
  int qCombo;
  int slider;
  int readOut;
};

// Band 5 is 410 and band 6 is 409.
constexpr std::array<PeqBand, 7> kBands = {{
    {405, 412, 419, '0', 1302, 1320, 1334, 1017},
    {406, 413, 420, '1', 1305, 1322, 1336, 1018},
    {407, 414, 421, '2', 1308, 1324, 1338, 1019},
    {408, 415, 422, '3', 1310, 1326, 1340, 1020},
    {410, 416, 423, '4', 1313, 1328, 1342, 1021},
    {409, 417, 424, '5', 1316, 1330, 1344, 1022},
    {411, 418, 425, '6', 1318, 1332, 1346, 1023},
}};

}  // namespace

// 62.5 Hz times 2^(k/3); the receiver's own texts, "500.00Hz" included.
const std::vector<std::string>& CPEQSetPage::FrequencyTexts() {
  static const std::vector<std::string> texts = {
      "62.5Hz",   "78.7Hz",    "99.2Hz",    "125.0Hz",  "157.5Hz",  "198.4Hz",  "250.0Hz",
      "315.0Hz",  "396.9Hz",   "500.00Hz",  "630.0Hz",  "793.7Hz",  "1000.0Hz", "1259.9Hz",
      "1587.4Hz", "2000.0Hz",  "2519.8Hz",  "3174.8Hz", "4000.0Hz", "5039.7Hz", "6349.6Hz",
      "8000.0Hz", "10079.4Hz", "12699.2Hz", "16000.0Hz"};
  return texts;
}

// 0.5 times 2^(k/3), "2.0" included.
const std::vector<std::string>& CPEQSetPage::QTexts() {
  static const std::vector<std::string> texts = {"0.500", "0.630", "0.794", "1.000", "1.260",
                                                 "1.587", "2.0",   "2.520", "3.175", "4.000",
                                                 "5.040", "6.350", "8.000", "10.080"};
  return texts;
}

double CPEQSetPage::FrequencyOf(int index) {
  return 62.5 * std::exp2(index / 3.0);
}

double CPEQSetPage::QOf(int index) {
  return 0.5 * std::exp2(index / 3.0);
}

int CPEQSetPage::FrequencyComboOf(size_t band) {
  return band < kBands.size() ? kBands[band].frequencyCombo : 0;
}

int CPEQSetPage::QComboOf(size_t band) {
  return band < kBands.size() ? kBands[band].qCombo : 0;
}

int CPEQSetPage::GainSliderOf(size_t band) {
  return band < kBands.size() ? kBands[band].slider : 0;
}

namespace {

constexpr int kMinimumGain = CPEQSetPage::kMinimumGain;  // -20.0 dB
constexpr int kMaximumGain = CPEQSetPage::kMaximumGain;  // +6.0 dB
constexpr int kGainStep = CPEQSetPage::kGainStep;

// The Subwoofer's equaliser has bands 1 and 2 only.
constexpr size_t kSubwooferBands = 2;

enum class Field { kFrequency, kQ, kGain };

struct BandParam {
  int band = -1;
  Field field = Field::kFrequency;
};

BandParam FindParam(ParamId id) {
  for (size_t i = 0; i < kBands.size(); ++i) {
    const int band = static_cast<int>(i);
    if (kBands[i].frequency == id) return {band, Field::kFrequency};
    if (kBands[i].q == id) return {band, Field::kQ};
    if (kBands[i].gain == id) return {band, Field::kGain};
  }
  return {};
}

bool IsGain(int gain) {
  return gain >= kMinimumGain && gain <= kMaximumGain && gain % kGainStep == 0;
}

std::string GainText(int gain) {
  return CValueSlider::TextOf(gain, kSliderTextUnit, "dB");
}

}  // namespace

size_t CPEQSetPage::BandsOfRecord(int record) {
  return record == kEqualizerSubwooferRecord ? kSubwooferBands : kBands.size();
}

CPEQSetPage::CPEQSetPage(CCommClass& link, PageHost& host)
    : CBasePage(link, host, 146, "Parametric EQ") {
  AddCombo(kChannelCombo, 0, EqualizerChannelNames()).value = 0;
  for (size_t i = 0; i < kBands.size(); ++i) {
    const PeqBand& band = kBands[i];
    const std::string name = "Band " + std::to_string(i + 1);
    AddCombo(band.frequencyCombo, band.frequency, FrequencyTexts()).caption = name + " Freq";
    AddCombo(band.qCombo, band.q, QTexts()).caption = name + " Q";
    sliders_[i].Setup("dB", kMinimumGain, kMaximumGain, kGainStep, 0, kSliderTextUnit);
    Control& slider = AddSlider(band.slider, band.gain, kMinimumGain, kMaximumGain, kGainStep);
    slider.caption = name + " Gain";
    sliders_[i].Describe(&slider);
    AddReadOut(band.readOut);
  }
  AddButton(kDefaultButton, "Default");
  RefreshAll();
}

void CPEQSetPage::ShowBand(size_t band) {
  const CSettingImage& image = LiveImage();
  const PeqBand& b = kBands[band];
  SetValue(b.frequencyCombo, ReadRecordParameter(image, b.frequency, selectedRecord_));
  SetValue(b.qCombo, ReadRecordParameter(image, b.q, selectedRecord_));
  const int gain = ReadRecordParameter(image, b.gain, selectedRecord_);
  sliders_[band].SetValue(gain);
  sliders_[band].Describe(MutableControl(b.slider));
  SetText(b.readOut, GainText(gain));
}

void CPEQSetPage::RefreshAll() {
  // The channel list shows the item whose channel code keys the record.
  const int code = ReadRecordParameter(LiveImage(), kPeqKeyId, selectedRecord_);
  int item = 0;
  for (size_t i = 0; i < kEqualizerChannels.size(); ++i) {
    if (kEqualizerChannels[i].code == code) {
      item = static_cast<int>(i);
      break;
    }
  }
  SetValue(kChannelCombo, item);
  // All seven bands stay on show, the Subwoofer's too.
  for (size_t band = 0; band < kBands.size(); ++band) ShowBand(band);
}

void CPEQSetPage::RefreshParam(ParamId id, bool /*updateControls*/) {
  if (!IsActive()) return;
  const BandParam param = FindParam(id);
  if (param.band >= 0) ShowBand(static_cast<size_t>(param.band));
}

void CPEQSetPage::SelectSubIndex(int subIndex) {
  if (!IsKeyedRecord(subIndex)) return;
  selectedRecord_ = subIndex;
  RefreshAll();
}

void CPEQSetPage::SendParamFromImage(const CSettingImage& image, ParamId id, int subIndex) {
  // Only the frequency IDs name a band command.
  const BandParam param = FindParam(id);
  if (param.band < 0 || param.field != Field::kFrequency || !IsKeyedRecord(subIndex)) return;
  const PeqBand& band = kBands[static_cast<size_t>(param.band)];
  const int code = ReadRecordParameter(image, kPeqKeyId, subIndex);
  const int frequency = ReadRecordParameter(image, band.frequency, subIndex);
  const int q = ReadRecordParameter(image, band.q, subIndex);
  const int gain = ReadRecordParameter(image, band.gain, subIndex);
  if (code < 0 || code > 15 || !IsIndexOf(frequency, FrequencyTexts()) || !IsIndexOf(q, QTexts()) ||
      !IsGain(gain)) {
    return;
  }
  std::string text = "200B0341" + HexLower(code, 1);
  text += band.digit;
  text += HexLower(2 * frequency + 12, 2) + HexLower((gain + 200) / 5, 2) + HexLower(q, 1);
  Queue(ExtendedFrame(text), id);
}

void CPEQSetPage::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                               bool /*forText*/, int /*selector*/) {
  // Frequencies first (their order is also the download's, one command per
  // band), then the Q values, then the gains.
  for (int record = 0; record < kKeyedRecordCount; ++record) {
    const size_t bands = record == kEqualizerSubwooferRecord ? kSubwooferBands : kBands.size();
    for (size_t b = 0; b < bands; ++b) ids.push_back(kBands[b].frequency);
    for (size_t b = 0; b < bands; ++b) ids.push_back(kBands[b].q);
    for (size_t b = 0; b < bands; ++b) ids.push_back(kBands[b].gain);
    subIndices.resize(ids.size(), record);
  }
}

void CPEQSetPage::GetParamText(const CSettingImage& image, ParamId id, int subIndex,
                               std::string* section, std::string* key, std::string* value,
                               bool /*forReport*/) {
  const BandParam param = FindParam(id);
  if (param.band < 0 || !IsKeyedRecord(subIndex)) {
    ClearParamText(section, key, value);
    return;
  }
  const int stored = ReadRecordParameter(image, id, subIndex);
  std::string text;
  std::string title = "Band " + std::to_string(param.band + 1);
  switch (param.field) {
    case Field::kFrequency:
      if (!IsIndexOf(stored, FrequencyTexts())) return;
      text = FrequencyTexts()[static_cast<size_t>(stored)];
      title += " Freq";
      break;
    case Field::kQ:
      if (!IsIndexOf(stored, QTexts())) return;
      text = QTexts()[static_cast<size_t>(stored)];
      title += " Q";
      break;
    case Field::kGain:
      text = GainText(stored);
      title += " Gain";
      break;
  }
  if (section != nullptr) *section = Caption();
  if (key != nullptr) {
    *key = "(" + std::string(kEqualizerChannels[static_cast<size_t>(subIndex)].name) + ") " + title;
  }
  if (value != nullptr) *value = text;
}

bool CPEQSetPage::SetParamFromText(CSettingImage& image, ParamId id, int subIndex,
                                   std::string_view text) {
  const BandParam param = FindParam(id);
  if (param.band < 0 || !IsKeyedRecord(subIndex)) return false;
  int stored = -1;
  switch (param.field) {
    case Field::kFrequency:
      stored = FindText(FrequencyTexts(), text);
      if (stored < 0) return false;
      break;
    case Field::kQ:
      stored = FindText(QTexts(), text);
      if (stored < 0) return false;
      break;
    case Field::kGain:
      if (!ParseDottedInteger(text, 0, stored) || !IsGain(stored)) return false;
      break;
  }
  StoreRecordParameter(image, id, subIndex, stored);
  return true;
}

void CPEQSetPage::ChooseCombo(int comboId, int index) {
  if (comboId == kChannelCombo) {
    // No record with the item's channel keeps the record shown.
    const int record = EqualizerRecordOfItem(LiveImage(), GroupKind::kPeq, index);
    if (record >= 0) selectedRecord_ = record;
    RefreshAll();
    return;
  }
  for (const PeqBand& band : kBands) {
    const bool frequency = comboId == band.frequencyCombo;
    if (!frequency && comboId != band.qCombo) continue;
    if (!IsIndexOf(index, frequency ? FrequencyTexts() : QTexts())) return;
    StoreRecordParameter(LiveImage(), frequency ? band.frequency : band.q, selectedRecord_, index);
    SetValue(comboId, index);
    SendParam(band.frequency);
    return;
  }
}

void CPEQSetPage::MoveSlider(int sliderId, int value) {
  // While a transfer fills the image, the slider must not write into it.
  if (TransferRunning()) return;
  for (size_t i = 0; i < kBands.size(); ++i) {
    if (kBands[i].slider != sliderId) continue;
    sliders_[i].SetValue(value);
    StoreRecordParameter(LiveImage(), kBands[i].gain, selectedRecord_, sliders_[i].Value());
    ShowBand(i);
    return;
  }
}

void CPEQSetPage::ReleaseSlider(int sliderId) {
  for (const PeqBand& band : kBands) {
    if (band.slider == sliderId) SendParam(band.frequency);
  }
}

void CPEQSetPage::PressButton(int buttonId) {
  if (buttonId != kDefaultButton) return;
  ApplyParametricEqDefaults(LiveImage());
  selectedRecord_ = 0;
  RefreshAll();
  SendWholePage();
}

}  // namespace qamp
