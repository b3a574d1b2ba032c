// "Parametric EQ": a seven-band parametric equaliser for each of ten output
// channels. The page is never shown on the sheet, but serves downloads,
// system memory and the report, so it works in full. Its parameters carry
// the channel record (0..9) as sub-index.
#pragma once

#include <array>

#include "pages/base_page.h"
#include "pages/value_slider.h"

namespace qamp {

class CPEQSetPage : public CBasePage {
 public:
  static constexpr int kChannelCombo = 1299;
  static constexpr int kDefaultButton = 1431;

  CPEQSetPage(CCommClass& link, PageHost& host);

  // The receiver's steps: 25 frequencies a third of an octave apart from
  // 62.5 Hz, 14 Q values a third of an octave apart from 0.5, and gains in
  // tenths of a decibel from -20.0 dB to +6.0 dB in steps of 0.5 dB.
  static constexpr size_t kBandCount = 7;
  static constexpr int kMinimumGain = -200;
  static constexpr int kMaximumGain = 60;
  static constexpr int kGainStep = 5;
  static const std::vector<std::string>& FrequencyTexts();
  static const std::vector<std::string>& QTexts();
  // The value of step `index` (62.5 * 2^(index/3) Hz, 0.5 * 2^(index/3)).
  static double FrequencyOf(int index);
  static double QOf(int index);
  // The controls of band `band` (0..6).
  static int FrequencyComboOf(size_t band);
  static int QComboOf(size_t band);
  static int GainSliderOf(size_t band);
  // The bands the receiver has for channel record `record`: the Subwoofer
  // two, every other channel seven.
  static size_t BandsOfRecord(int record);

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

  int selectedRecord_ = 0;
  std::array<CValueSlider, 7> sliders_;
};

}  // namespace qamp
