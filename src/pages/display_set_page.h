// "Display Set": the on-screen display, the front-panel display and the
// video output of the receiver.
#pragma once

#include "pages/base_page.h"

namespace qamp {

class CDisplaySet : public CBasePage {
 public:
  static constexpr int kOsdShiftSlider = 1430;
  static constexpr int kOsdShiftReadOut = 1431;
  static constexpr int kDimmerSlider = 1432;
  static constexpr int kDimmerReadOut = 1433;
  static constexpr int kDefaultButton = 1440;
  // The template's third Short Message button, "Full", which stays hidden.
  static constexpr int kFullButton = 1422;

  CDisplaySet(CCommClass& link, PageHost& host);

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

  void ClickRadio(int buttonId) override;
  void MoveSlider(int sliderId, int value) override;
  void ReleaseSlider(int sliderId) override;
  void PressButton(int buttonId) override;

 private:
  void PushValue(ParamId id);
};

}  // namespace qamp
