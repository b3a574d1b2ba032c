// "Other": automatic or last-used audio selection, decoder mode and
// extended-surround mode, and the audio formats announced over HDMI.
#pragma once

#include "pages/base_page.h"

namespace qamp {

class COtherPage : public CBasePage {
 public:
  COtherPage(CCommClass& link, PageHost& host);

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
};

}  // namespace qamp
