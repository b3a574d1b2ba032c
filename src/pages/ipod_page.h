// "iPod": how the receiver treats a docked iPod, and a remote control for it
// with the play and list information the receiver reports.
#pragma once

#include "pages/base_page.h"

namespace qamp {

class CiPodPage : public CBasePage {
 public:
  CiPodPage(CCommClass& link, PageHost& host);

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
  void PressButton(int buttonId) override;

  // Operation buttons; their position in this list is the operation number.
  static constexpr int kPlayButton = 1420;
  static constexpr int kStopButton = 1421;
  static constexpr int kRewButton = 1422;  // hidden
  static constexpr int kFfButton = 1423;   // hidden
  static constexpr int kPauseButton = 1424;
  static constexpr int kMinusButton = 1425;
  static constexpr int kPlusButton = 1426;
  // Menu keys.
  static constexpr int kDisplayButton = 1430;
  static constexpr int kEnterButton = 1431;
  static constexpr int kUpButton = 1432;
  static constexpr int kDownButton = 1433;
  static constexpr int kLeftButton = 1434;
  static constexpr int kRightButton = 1435;
  // Group boxes of the operation controls.
  static constexpr int kOperationGroup = 1440;
  static constexpr int kPlayInformationGroup = 1441;
  static constexpr int kListInformationGroup = 1442;
  // "TITLE(SONG)", "ARTIST", "ALBUM", "CHANNEL", "CH CATEGORY".
  static constexpr int kPlayInformationBoxes[5] = {1450, 1451, 1452, 1453, 1454};
  // The four list lines and the marker box left of each.
  static constexpr int kListLineBoxes[4] = {1460, 1461, 1462, 1463};
  static constexpr int kListMarkerBoxes[4] = {1465, 1466, 1467, 1468};

 private:
  void ShowPlayInformation();
  void ShowListInformation();

  // The last operation button pressed. The image has no word for it (ID
  // 554 names none), so the page keeps it for the command.
  int operation_ = 0;
};

}  // namespace qamp
