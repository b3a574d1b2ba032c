// "Speaker Set": which loudspeakers are connected and how the bass is managed.
#pragma once

#include "pages/base_page.h"

namespace qamp {

class CSpeakerSet : public CBasePage {
 public:
  CSpeakerSet(CCommClass& link, PageHost& host);

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

  // The hidden THX distance buttons follow the distance unit.
  static constexpr int kThxButtons[3] = {1517, 1520, 1523};

 private:
  void PushValues();
};

}  // namespace qamp
