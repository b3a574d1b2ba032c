// "Speaker Level": the output level trim of each of the ten speaker
// channels, one upright slider with a read-out per channel.
#pragma once

#include <array>

#include "pages/base_page.h"
#include "pages/value_slider.h"

namespace qamp {

class CSpkLevelPage : public CBasePage {
 public:
  static constexpr int kDefaultButton = 1105;

  CSpkLevelPage(CCommClass& link, PageHost& host);

  void RefreshAll() override;
  void RefreshParam(ParamId id, bool updateControls) override;
  void DownloadPage(const CSettingImage& image) override;
  void SendParamFromImage(const CSettingImage& image, ParamId id, int subIndex) override;
  void GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices, bool forText,
                    int selector) override;
  void GetParamText(const CSettingImage& image, ParamId id, int subIndex, std::string* section,
                    std::string* key, std::string* value, bool forReport) override;
  bool SetParamFromText(CSettingImage& image, ParamId id, int subIndex,
                        std::string_view text) override;

  // The image follows the thumb while it is dragged; the release sends.
  void MoveSlider(int sliderId, int value) override;
  void ReleaseSlider(int sliderId) override;
  void PressButton(int buttonId) override;

 private:
  void ShowChannel(size_t channel, int level);

  std::array<CValueSlider, 10> sliders_;
};

}  // namespace qamp
