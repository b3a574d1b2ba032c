#include "pages/speaker_distance_page.h"

#include "model/image_defaults.h"
#include "model/parameter_store.h"

namespace qamp {

namespace {

constexpr ParamId kUnit = 269;

struct DistanceChannel {
  ParamId id;
  std::string_view label;  // also the report and profile key
  int slider;
  int readOut;
  char code;  // the receiver's channel code
};

constexpr std::array<DistanceChannel, 10> kChannels = {{
    {270, "FL", 1137, 1390, '2'},
    {271, "FR", 1139, 1393, '3'},
    {272, "CT", 1141, 1397, '0'},
    {273, "SL", 1143, 1401, '4'},
    {274, "SR", 1145, 1405, '5'},
    {275, "SBL", 1147, 1407, '6'},
    {276, "SBR", 1149, 1409, '7'},
    {277, "PRL", 1151, 1411, '8'},
    {278, "PRR", 1153, 1413, '9'},
    {279, "SW", 1155, 1415, 'A'},
}};

const std::vector<std::string>& UnitCaptions() {
  static const std::vector<std::string> captions = {"Meter", "Feet"};
  return captions;
}

struct DistanceRange {
  int minimum;
  int maximum;
  int step;
};
// Metres: 0.30 m to 24.00 m in centimetres; feet: 1.0 ft to 80.0 ft in tenths.
constexpr std::array<DistanceRange, 2> kRanges = {{{30, 2400, 10}, {10, 800, 5}}};

int UnitOf(const CSettingImage& image) {
  return ReadParameter(image, kUnit) != 0 ? 1 : 0;
}

const DistanceRange& RangeOf(int unit) {
  return kRanges[unit != 0 ? 1 : 0];
}

bool IsDistance(int distance, int unit) {
  const DistanceRange& range = RangeOf(unit);
  return distance >= range.minimum && distance <= range.maximum && distance % range.step == 0;
}

// "3.00" for 300 cm, "8.5" for 85 tenths of a foot.
std::string DistanceText(int distance, int unit) {
  return unit != 0 ? TenthsText(distance, "") : HundredthsText(distance);
}

int ChannelOfParam(ParamId id) {
  return RowIndex(kChannels, &DistanceChannel::id, id);
}

int ChannelOfSlider(int sliderId) {
  return RowIndex(kChannels, &DistanceChannel::slider, sliderId);
}

}  // namespace

CSpkDistancePage::CSpkDistancePage(CCommClass& link, PageHost& host)
    : CBasePage(link, host, 150, "Speaker Distance") {
  // The page starts in metres; the view settles the unit at its first layout.
  StoreParameter(LiveImage(), kUnit, 0);
  AddRadioGroup(kUnit, "Unit", {kMeterButton, kFeetButton}, UnitCaptions()).value = 0;
  const DistanceRange& range = RangeOf(0);
  for (size_t i = 0; i < kChannels.size(); ++i) {
    const DistanceChannel& channel = kChannels[i];
    sliders_[i].Setup("", range.minimum, range.maximum, range.step,
                      ReadParameter(LiveImage(), channel.id), kSliderTextUnit);
    Control& slider =
        AddSlider(channel.slider, channel.id, range.minimum, range.maximum, range.step);
    slider.caption = channel.label;
    sliders_[i].Describe(&slider);
    AddReadOut(channel.readOut, "3");
    SetSliderLayout(channel.slider, Orientation::kVertical, "", "", channel.readOut);
    PlaceInFrame(channel.slider, kDistanceFrame);
    PlaceInFrame(channel.readOut, kDistanceFrame);
  }
  AddButton(kDefaultButton, "Default");
  // The distances belong to System Memory.
  AddFrame(kDistanceFrame, "Speaker Distance").memoryMark = true;
  UpdateEnableState();
}

void CSpkDistancePage::OnFirstLayout() {
  unitChangeAllowed_ = !IsRealTime();
  StoreParameter(LiveImage(), kUnit, UnitOf(LiveImage()));
  RefreshAll();
}

void CSpkDistancePage::UpdateEnableState() {
  SetEnabled(kMeterButton, unitChangeAllowed_);
}

void CSpkDistancePage::ShowChannel(size_t channel, int distance) {
  const DistanceRange& range = RangeOf(unit_);
  sliders_[channel].Setup("", range.minimum, range.maximum, range.step, distance, kSliderTextUnit);
  sliders_[channel].Describe(MutableControl(kChannels[channel].slider));
  // The read-out carries a leading space and no unit.
  SetText(kChannels[channel].readOut, " " + DistanceText(distance, unit_));
}

void CSpkDistancePage::RefreshAll() {
  const CSettingImage& image = LiveImage();
  unit_ = UnitOf(image);
  UpdateEnableState();
  SetValue(kMeterButton, unit_);
  for (size_t i = 0; i < kChannels.size(); ++i) {
    ShowChannel(i, ReadParameter(image, kChannels[i].id));
  }
}

void CSpkDistancePage::RefreshParam(ParamId id, bool /*updateControls*/) {
  if (!IsActive()) return;
  const int channel = ChannelOfParam(id);
  if (channel < 0) return;
  ShowChannel(static_cast<size_t>(channel), ReadParameter(LiveImage(), id));
}

void CSpkDistancePage::SendParamFromImage(const CSettingImage& image, ParamId id,
                                          int /*subIndex*/) {
  // The unit has no command of its own: it travels in every distance.
  const int channel = ChannelOfParam(id);
  if (channel < 0) return;
  const int unit = UnitOf(image);
  const int distance = ReadParameter(image, id);
  if (!IsDistance(distance, unit)) return;
  std::string text = "20090411";
  text += kChannels[static_cast<size_t>(channel)].code;
  text += HexLower(unit, 1) + HexLower(distance, 3);
  Queue(ExtendedFrame(text), id);
}

void CSpkDistancePage::GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices,
                                    bool /*forText*/, int /*selector*/) {
  // The unit comes first, so that a profile's distances are read in the
  // unit the same profile sets; a download skips it, having no command.
  ids.push_back(kUnit);
  subIndices.push_back(-1);
  for (const DistanceChannel& channel : kChannels) {
    ids.push_back(channel.id);
    subIndices.push_back(-1);
  }
}

void CSpkDistancePage::GetParamText(const CSettingImage& image, ParamId id, int /*subIndex*/,
                                    std::string* section, std::string* key, std::string* value,
                                    bool /*forReport*/) {
  const int channel = ChannelOfParam(id);
  if (channel < 0 && id != kUnit) {
    ClearParamText(section, key, value);
    return;
  }
  if (id == kUnit) {
    const int unit = ReadParameter(image, kUnit);
    if (unit < 0 || unit > 1) return;
    if (section != nullptr) *section = Caption();
    if (key != nullptr) *key = "Unit";
    if (value != nullptr) *value = UnitCaptions()[static_cast<size_t>(unit)];
    return;
  }
  if (section != nullptr) *section = Caption();
  if (key != nullptr) *key = kChannels[static_cast<size_t>(channel)].label;
  if (value != nullptr) *value = DistanceText(ReadParameter(image, id), UnitOf(image));
}

bool CSpkDistancePage::SetParamFromText(CSettingImage& image, ParamId id, int /*subIndex*/,
                                        std::string_view text) {
  if (id == kUnit) {
    const int unit = FindText(UnitCaptions(), text);
    if (unit < 0) return false;
    // The distances stay as they are stored: the file's own distances
    // follow its unit line and are read in that unit.
    StoreParameter(image, kUnit, unit);
    unit_ = unit;
    return true;
  }
  if (ChannelOfParam(id) < 0) return false;
  // Checked against the unit of the image it goes into, which the unit
  // line of the same profile has set (the list puts the unit first), as
  // the page's unit too. Where a profile has no unit line, a distance of
  // the unit last read but not of the image's own would be stored where
  // no download sends it and no file gives it back.
  int distance = 0;
  if (!ParseDottedInteger(text, 0, distance) || !IsDistance(distance, UnitOf(image))) {
    return false;
  }
  StoreParameter(image, id, distance);
  return true;
}

void CSpkDistancePage::RestoreDefaults() {
  ApplySpeakerDistanceDefaults(LiveImage(), UnitOf(LiveImage()));
  RefreshAll();
  SendWholePage();
}

void CSpkDistancePage::ClickRadio(int buttonId) {
  int unit = -1;
  Control* group = RadioGroupOf(buttonId, unit);
  if (group == nullptr || group->param != kUnit || !group->enabled) return;
  // A click on the unit already set is a unit change too: offline it
  // brings the unit's default distances back.
  StoreParameter(LiveImage(), kUnit, unit);
  // Distances are not converted: the new unit starts from its defaults.
  if (!IsRealTime()) RestoreDefaults();
  RefreshAll();
}

void CSpkDistancePage::MoveSlider(int sliderId, int value) {
  const int channel = ChannelOfSlider(sliderId);
  // While a transfer fills the image, the slider must not write into it.
  if (channel < 0 || TransferRunning()) return;
  CValueSlider& slider = sliders_[static_cast<size_t>(channel)];
  slider.SetValue(value);
  StoreParameter(LiveImage(), kChannels[static_cast<size_t>(channel)].id, slider.Value());
  ShowChannel(static_cast<size_t>(channel), slider.Value());
}

void CSpkDistancePage::ReleaseSlider(int sliderId) {
  const int channel = ChannelOfSlider(sliderId);
  if (channel >= 0) SendParam(kChannels[static_cast<size_t>(channel)].id);
}

void CSpkDistancePage::PressButton(int buttonId) {
  if (buttonId == kDefaultButton) RestoreDefaults();
}

}  // namespace qamp
