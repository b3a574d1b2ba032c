// "Equalizer": the equaliser type, the room-calibration result type (shown
// only), and a seven-band graphic equaliser for each of ten channels. The
// gains carry the channel record (0..9) as sub-index.
#pragma once

#include <array>

#include "pages/base_page.h"
#include "pages/value_slider.h"

namespace qamp {

class CGEQSetPage : public CBasePage {
 public:
  static constexpr int kMiraCombo = 1506;
  static constexpr int kTypeCombo = 1507;
  static constexpr int kChannelCombo = 1509;
  static constexpr int kDefaultButton = 1431;
  static constexpr int kGraphicFrame = 1508;

  CGEQSetPage(CCommClass& link, PageHost& host);

  // The seven bands: the slider of band `band` (0..6) and its centre
  // (63 Hz to 16 kHz, the frequencies the band labels name).
  static constexpr size_t kBandCount = 7;
  static int BandSliderOf(size_t band);
  static double BandFrequencyOf(size_t band);

  void UpdateEnableState() override;
  void RefreshAll() override;
  void RefreshParam(ParamId id, bool updateControls) override;
  void SendParamFromImage(const CSettingImage& image, ParamId id, int subIndex) override;
  void GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices, bool forText,
                    int selector) override;
  void GetParamText(const CSettingImage& image, ParamId id, int subIndex, std::string* section,
                    std::string* key, std::string* value, bool forReport) override;
  bool SetParamFromText(CSettingImage& image, ParamId id, int subIndex,
                        std::string_view text) override;

  // The selected channel record.
  int SelectedSubIndex() const override { return selectedRecord_; }
  void SelectSubIndex(int subIndex) override;

  void ChooseCombo(int comboId, int index) override;
  void MoveSlider(int sliderId, int value) override;
  void ReleaseSlider(int sliderId) override;
  void PressButton(int buttonId) override;

 private:
  void ShowBand(size_t band);
  void ShowTypes();

  int selectedRecord_ = 0;
  std::array<CValueSlider, 7> sliders_;
};

}  // namespace qamp
