// "MULTI CH": the multi-channel input mode, the input that feeds the front
// channels in 8-channel mode, and the background video of the multi-channel
// input.
#pragma once

#include "pages/base_page.h"

namespace qamp {

class CMiscPage : public CBasePage {
 public:
  CMiscPage(CCommClass& link, PageHost& host);

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
  void ChooseCombo(int comboId, int index) override;

  static constexpr int k6chButton = 1101;
  static constexpr int k8chButton = 1102;
  static constexpr int kFrontCombo = 1103;
  static constexpr int kBgvCombo = 1104;
};

}  // namespace qamp
