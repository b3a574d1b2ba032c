// "Volume": the level trim of each input, the maximum and initial main
// volume, and the two adaptive settings.
#pragma once

#include <vector>

#include "pages/base_page.h"

namespace qamp {

class CVolumeTrim : public CBasePage {
 public:
  CVolumeTrim(CCommClass& link, PageHost& host);

  void RefreshAll() override;
  void RefreshParam(ParamId id, bool updateControls) override;
  void SendParamFromImage(const CSettingImage& image, ParamId id, int subIndex) override;
  void GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices, bool forText,
                    int selector) override;
  void GetParamText(const CSettingImage& image, ParamId id, int subIndex, std::string* section,
                    std::string* key, std::string* value, bool forReport) override;
  bool SetParamFromText(CSettingImage& image, ParamId id, int subIndex,
                        std::string_view text) override;

  void ClickRadio(int buttonId) override;
  void MoveSlider(int sliderId, int value) override;
  void ReleaseSlider(int sliderId) override;
  void PressButton(int buttonId) override;

  // The list beside the trim sliders shows every trim as text, one row per
  // input in the sliders' order.
  static constexpr int kTrimList = 1227;
  static constexpr int kInitialVolumeSlider = 1691;
  static constexpr int kInitialVolumeReadOut = 1692;
  static constexpr int kFlatButton = 1160;
  static constexpr int kTrimFrame = 1226;
  // A trim's read-out is the number after its slider's.
  static constexpr int TrimReadOutOf(int trimSlider) { return trimSlider + 1; }

 private:
  void ShowParam(ParamId id);
};

}  // namespace qamp
