// "Multi Zone": input, amplifier use, volume output, volume, mute, balance,
// maximum and initial volume of Zone 2 and Zone 3.
#pragma once

#include <vector>

#include "pages/base_page.h"

namespace qamp {

class CMultiZone : public CBasePage {
 public:
  CMultiZone(CCommClass& link, PageHost& host);

  void UpdateModelControls() override;
  void UpdateEnableState() override;
  bool IsParamEnabled(ParamId id) override;
  void RefreshAll() override;
  void RefreshParam(ParamId id, bool updateControls) override;
  void SendParamFromImage(const CSettingImage& image, ParamId id, int subIndex) override;
  void GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices, bool forText,
                    int selector) override;
  void GetParamText(const CSettingImage& image, ParamId id, int subIndex, std::string* section,
                    std::string* key, std::string* value, bool forReport) override;
  bool SetParamFromText(CSettingImage& image, ParamId id, int subIndex,
                        std::string_view text) override;
  void SendParam(ParamId id) override;

  void MoveSlider(int sliderId, int value) override;
  void ReleaseSlider(int sliderId) override;
  void ChooseCombo(int comboId, int index) override;
  void SetCheck(int checkId, bool checked) override;

  // Control numbers of the template, Zone 2 then Zone 3.
  static constexpr int kZone2Input = 1201;
  static constexpr int kZone2Amplifier = 1202;
  static constexpr int kZone2VolumeOut = 1203;
  static constexpr int kZone2Volume = 1204;
  static constexpr int kZone2Mute = 1206;
  static constexpr int kZone2Balance = 1207;
  static constexpr int kZone2MaxVolume = 1209;
  static constexpr int kZone2InitialVolume = 1210;
  static constexpr int kZone3Input = 1221;
  static constexpr int kZone3Amplifier = 1222;
  static constexpr int kZone3VolumeOut = 1223;
  static constexpr int kZone3Volume = 1224;
  static constexpr int kZone3Mute = 1226;
  static constexpr int kZone3Balance = 1227;
  static constexpr int kZone3MaxVolume = 1229;
  static constexpr int kZone3InitialVolume = 1230;
  // The boxes that hold each zone's controls.
  static constexpr int kZone2Frame = 1200;
  static constexpr int kZone3Frame = 1220;
  // Each slider's read-out has the number after the slider's.
  static constexpr int ReadOutOf(int slider) { return slider + 1; }

 private:
  void ShowParam(ParamId id);
  bool UsesExternalAmplifier(int zone);
  // The volume output can only be chosen for a zone on an external amplifier.
  void ApplyVolumeOutRule(int zone);
  // Offline, on a whole refresh: an internal amplifier's output is VAR.
  void ForceVariableOutput(int zone);
  bool ZoneExists(int zone) const;
};

}  // namespace qamp
