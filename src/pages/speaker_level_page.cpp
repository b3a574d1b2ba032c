#include "pages/speaker_level_page.h"

#include "model/image_defaults.h"
#include "model/parameter_store.h"

namespace qamp {

namespace {

struct LevelChannel {
  ParamId id;
  std::string_view label;  // also the report and profile key
  int slider;
  int readOut;
  std::string_view code;  // the receiver's channel code
};

// In parameter order, which is the page's list order.
constexpr std::array<LevelChannel, 10> kChannels = {{
    {259, "FL", 1107, 1007, "241"},
    {260, "FR", 1109, 1008, "240"},
    {261, "CT", 1111, 1009, "242"},
    {262, "SL", 1113, 1010, "244"},
    {263, "SR", 1114, 1011, "243"},
    {264, "SBL", 1116, 1012, "248"},
    {265, "SBR", 1118, 1013, "247"},
    {266, "PRL", 1120, 1014, "246"},
    {267, "PRR", 1123, 1049, "245"},
    {268, "SW", 1125, 1057, "249"},
}};

// A download follows the image order: SW up to CT, then FL and FR.
constexpr std::array<ParamId, 10> kDownloadOrder = {268, 267, 266, 265, 264,
                                                    263, 262, 261, 259, 260};

// The frame the ten sliders stand in.
constexpr int kLevelFrame = 1100;

constexpr int kMinimum = -100;  // -10.0 dB
constexpr int kMaximum = 100;   // +10.0 dB
constexpr int kStep = 5;

bool IsLevel(int level) {
  return level >= kMinimum && level <= kMaximum && level % kStep == 0;
}

int ChannelOfParam(ParamId id) {
  return RowIndex(kChannels, &LevelChannel::id, id);
}

int ChannelOfSlider(int sliderId) {
  return RowIndex(kChannels, &LevelChannel::slider, sliderId);
}

// Report and profile text: no leading space.
std::string LevelText(int level) {
  return CValueSlider::TextOf(level, kSliderTextUnit, "dB");
}

}  // namespace

CSpkLevelPage::CSpkLevelPage(CCommClass& link, PageHost& host)
    : CBasePage(link, host, 151, "Speaker Level") {
  const CSettingImage& image = LiveImage();
  for (size_t i = 0; i < kChannels.size(); ++i) {
    const LevelChannel& channel = kChannels[i];
    const int level = ReadParameter(image, channel.id);
    sliders_[i].Setup("dB", kMinimum, kMaximum, kStep, level, kSliderTextUnit);
    Control& slider = AddSlider(channel.slider, channel.id, kMinimum, kMaximum, kStep);
    slider.caption = channel.label;
    sliders_[i].Describe(&slider);
    AddReadOut(channel.readOut, "-10.0dB");
    SetSliderLayout(channel.slider, Orientation::kVertical, "", "", channel.readOut);
    PlaceInFrame(channel.slider, kLevelFrame);
    PlaceInFrame(channel.readOut, kLevelFrame);
  }
  AddButton(kDefaultButton, "Default");
  // The levels belong to System Memory.
  AddFrame(kLevelFrame, "Speaker Level").memoryMark = true;
}

void CSpkLevelPage::ShowChannel(size_t channel, int level) {
  sliders_[channel].SetValue(level);
  sliders_[channel].Describe(MutableControl(kChannels[channel].slider));
  // The read-out carries a leading space.
  SetText(kChannels[channel].readOut, " " + LevelText(level));
}

void CSpkLevelPage::RefreshAll() {
  for (size_t i = 0; i < kChannels.size(); ++i) {
    ShowChannel(i, ReadParameter(LiveImage(), kChannels[i].id));
  }
}

void CSpkLevelPage::RefreshParam(ParamId id, bool /*updateControls*/) {
  if (!IsActive()) return;
  const int channel = ChannelOfParam(id);
  if (channel < 0) return;
  ShowChannel(static_cast<size_t>(channel), ReadParameter(LiveImage(), id));
}

void CSpkLevelPage::DownloadPage(const CSettingImage& image) {
  for (const ParamId id : kDownloadOrder) SendParamFromImage(image, id, -1);
}

void CSpkLevelPage::SendParamFromImage(const CSettingImage& image, ParamId id, int /*subIndex*/) {
  const int channel = ChannelOfParam(id);
  if (channel < 0) return;
  const int level = ReadParameter(image, id);
  // A level off the receiver's scale has no code.
  if (!IsLevel(level)) return;
  Queue(StandardFrame(std::string(kChannels[static_cast<size_t>(channel)].code) +
                      HexLower((level + 200) / 5, 2)),
        id);
}

void CSpkLevelPage::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                                 bool /*forText*/, int /*selector*/) {
  for (const LevelChannel& channel : kChannels) {
    ids.push_back(channel.id);
    subIndices.push_back(-1);
  }
}

void CSpkLevelPage::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                                 std::string* section, std::string* key, std::string* value,
                                 bool /*forReport*/) {
  const int channel = ChannelOfParam(id);
  if (channel < 0) {
    ClearParamText(section, key, value);
    return;
  }
  if (section != nullptr) *section = Caption();
  if (key != nullptr) *key = kChannels[static_cast<size_t>(channel)].label;
  if (value != nullptr) *value = LevelText(ReadParameter(image, id));
}

bool CSpkLevelPage::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                     std::string_view text) {
  if (ChannelOfParam(id) < 0) return false;
  // The text ends in the two unit characters "dB".
  int level = 0;
  if (!ParseDottedInteger(text, 2, level) || !IsLevel(level)) return false;
  StoreParameter(image, id, level);
  return true;
}

void CSpkLevelPage::MoveSlider(int sliderId, int value) {
  const int channel = ChannelOfSlider(sliderId);
  // While a transfer fills the image, the slider must not write into it.
  if (channel < 0 || TransferRunning()) return;
  CValueSlider& slider = sliders_[static_cast<size_t>(channel)];
  slider.SetValue(value);
  StoreParameter(LiveImage(), kChannels[static_cast<size_t>(channel)].id, slider.Value());
  ShowChannel(static_cast<size_t>(channel), slider.Value());
}

void CSpkLevelPage::ReleaseSlider(int sliderId) {
  const int channel = ChannelOfSlider(sliderId);
  if (channel >= 0) SendParam(kChannels[static_cast<size_t>(channel)].id);
}

void CSpkLevelPage::PressButton(int buttonId) {
  if (buttonId != kDefaultButton) return;
  ApplySpeakerLevelDefaults(LiveImage());
  RefreshAll();
  SendWholePage();
}

}  // namespace qamp
