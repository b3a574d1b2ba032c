// "Sound Option": tone controls, dynamic range, LFE levels and lip-sync
// delays.
#pragma once

#include <vector>

#include "pages/base_page.h"

namespace qamp {

class CToneControlPage : public CBasePage {
 public:
  CToneControlPage(CCommClass& link, PageHost& host);

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
  void ChooseCombo(int comboId, int index) override;
  void PressButton(int buttonId) override;

  // The Auto Delay slider and its "Default" button work only with HDMI Auto on.
  static constexpr int kAutoDelaySlider = 1381;
  static constexpr int kAutoDelayDefaultButton = 1301;
  // The frames the controls stand in.
  static constexpr int kSpeakerFrame = 1240;
  static constexpr int kHeadphoneFrame = 1241;
  static constexpr int kZone2Frame = 1242;
  static constexpr int kZone3Frame = 1243;
  static constexpr int kLfeFrame = 1244;
  static constexpr int kDynamicRangeFrame = 1245;
  static constexpr int kLipSyncFrame = 1246;
  static constexpr int kTurnoverFrame = 1247;
  static constexpr int kAutoDelayFrame = 1248;
  static constexpr int kManualDelayFrame = 1249;
  // The tone controls of speakers and headphones: the gain sliders and the
  // (hidden) turnover choices, and the turnover of each choice in Hz.
  static constexpr int kSpeakerBassSlider = 1262;
  static constexpr int kSpeakerTrebleSlider = 1264;
  static constexpr int kHeadphoneBassSlider = 1272;
  static constexpr int kHeadphoneTrebleSlider = 1274;
  static constexpr int kSpeakerBassTurnover = 1258;
  static constexpr int kSpeakerTrebleTurnover = 1260;
  static constexpr int kHeadphoneBassTurnover = 1268;
  static constexpr int kHeadphoneTrebleTurnover = 1270;
  static double BassTurnoverOf(int index);
  static double TrebleTurnoverOf(int index);

 private:
  // Frames, marks and slider orientations.
  void LayOut();
  void ShowParam(ParamId id);
  // In Real Time Mode: the commands of `ids` from the live image, then one
  // end marker.
  void SendParams(const std::vector<ParamId>& ids);
};

}  // namespace qamp
