// "Advanced Setup": the receiver's installation settings, which take effect
// the next time the receiver is switched on with its master switch.
#pragma once

#include <vector>

#include "pages/base_page.h"

namespace qamp {

class CAdvSetup : public CBasePage {
 public:
  CAdvSetup(CCommClass& link, PageHost& host);

  void UpdateModelControls() override;
  void UpdateEnableState() override;
  void RefreshAll() override;
  void RefreshParam(ParamId id, bool updateControls) override;
  void SendParamFromImage(const CSettingImage& image, ParamId id, int subIndex) override;
  // The page's download, in its own order, with "Initialize" always sent
  // as "Cancel".
  void DownloadPage(const CSettingImage& image) override;
  void GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices, bool forText,
                    int selector) override;
  void GetParamText(const CSettingImage& image, ParamId id, int subIndex, std::string* section,
                    std::string* key, std::string* value, bool forReport) override;
  bool SetParamFromText(CSettingImage& image, ParamId id, int subIndex,
                        std::string_view text) override;

  void ClickRadio(int buttonId) override;

  // Frames that are disabled or hidden with their buttons.
  static constexpr int kSpeakerImpedanceFrame = 1596;
  static constexpr int kXmIdFrame = 1598;
  static constexpr int kTunerFrequencyFrame = 1600;
  static constexpr int kInitializeFrame = 1714;
  static constexpr int kNote = -1;  // a plain static text of the template

  // The title of the application's message boxes.
  static constexpr std::string_view kMessageTitle = "Amplora for K2600";

 private:
  void PushValues();
  // A frame and its radio group together.
  void ShowGroup(int frameId, ParamId id, bool visible);
};

}  // namespace qamp
