// "Speaker Distance": the distance from the listening position to each of
// the ten speakers, in metres (centimetres stored) or in feet (tenths of a
// foot stored). The receiver takes the unit inside every distance command.
#pragma once

#include <array>

#include "pages/base_page.h"
#include "pages/value_slider.h"

namespace qamp {

class CSpkDistancePage : public CBasePage {
 public:
  static constexpr int kMeterButton = 1365;
  static constexpr int kFeetButton = 1367;
  static constexpr int kDefaultButton = 1158;
  static constexpr int kDistanceFrame = 1159;

  CSpkDistancePage(CCommClass& link, PageHost& host);

  // The view calls this when it is first laid out: the unit may be changed
  // only in Async Mode, and any stored unit other than 0 counts as feet.
  void OnFirstLayout();
  bool UnitChangeAllowed() const { return unitChangeAllowed_; }
  int Unit() const { return unit_; }

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

  void ClickRadio(int buttonId) override;
  void MoveSlider(int sliderId, int value) override;
  void ReleaseSlider(int sliderId) override;
  void PressButton(int buttonId) override;

 private:
  void ShowChannel(size_t channel, int distance);
  void RestoreDefaults();

  int unit_ = 0;  // 0 "Meter", 1 "Feet"
  bool unitChangeAllowed_ = false;
  std::array<CValueSlider, 10> sliders_;
};

}  // namespace qamp
