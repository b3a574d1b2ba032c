// The basic control of the control panel: input, audio select, decoder
// mode, sound program or Straight, surround, main volume, mute, Pure Direct
// and zone power (parameter IDs 1..11, image words 1..11). It describes IDs
// 1..8 in the section "Basic Control" like a page, so that files and the
// report treat it as one.
#pragma once

#include "pages/base_page.h"
#include "pages/basic_control_port.h"

namespace qamp {

class CInputDspParam;

class CBasicControl : public CBasePage, public BasicControlPort {
 public:
  // Control numbers of the panel.
  static constexpr int kInputCombo = 1010;
  static constexpr int kAudioSelectCombo = 1011;
  static constexpr int kDecoderModeCombo = 1012;
  static constexpr int kProgramRadio = 1013;  // "DSP Program", then "Straight" (1014)
  static constexpr int kStraightRadio = 1014;
  static constexpr int kProgramCombo = 1015;
  static constexpr int kExtdSurroundCombo = 1016;
  static constexpr int kVolumeSlider = 1017;
  static constexpr int kVolumeText = 1018;
  static constexpr int kMuteCheck = 1019;
  static constexpr int kPureDirectCheck = 1020;
  static constexpr int kMainPowerCheck = 1021;
  static constexpr int kZone2PowerCheck = 1022;
  static constexpr int kZone3PowerCheck = 1023;

  CBasicControl(CCommClass& link, PageHost& host);
  // In Real Time Mode the DSP Parameters page shows the program the
  // receiver plays.
  void SetDspParametersPage(CInputDspParam* page) { dspParameters_ = page; }

  // Panel actions: each stores its value and, in Real Time Mode, sends it.
  void ChooseInput(int input);
  void ChooseAudioSelect(int index) { StoreAndSend(2, index); }
  void ChooseDecoderMode(int index) { StoreAndSend(3, index); }
  void ChooseProgram(int program);
  void ClickProgramRadio();
  void ClickStraightRadio();
  void ChooseExtdSurround(int index) { StoreAndSend(5, index); }
  void MoveVolume(int tenths);
  void ReleaseVolume() { Send(6); }
  void SetMute(bool on) { StoreAndSend(7, on ? 1 : 0); }
  void SetPureDirect(bool on) { StoreAndSend(8, on ? 1 : 0); }
  void SetZonePower(int zone, bool on) { StoreAndSend(9 + zone, on ? 1 : 0); }

  // Refresh from the image: all controls, or the one of a reported value.
  void UpdateBasicControls();
  void RefreshBasicControl(ParamId id);
  // After a real-time connection: the decoder list without "AAC(J Only)"
  // when the receiver lacks it, the zone switches of the zones it has.
  void UpdateModelControls() override;

  // BasicControlPort.
  int CurrentInput() const override;
  void ApplyProgram(int program, bool send) override;

  // The page contract: IDs 1..8 as texts, and the download of IDs 1..8.
  void RefreshAll() override { UpdateBasicControls(); }
  void SendParamFromImage(const CSettingImage& image, ParamId id, int subIndex) override;
  void GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices, bool forText,
                    int selector) override;
  void GetParamText(const CSettingImage& image, ParamId id, int subIndex, std::string* section,
                    std::string* key, std::string* value, bool forReport) override;
  bool SetParamFromText(CSettingImage& image, ParamId id, int subIndex,
                        std::string_view text) override;
  void SendParam(ParamId id) override { Send(id); }

  // The volume text: "Mute" below -80.4 dB, else tenths as "-40.0dB".
  static std::string VolumeText(int tenths);

 private:
  void StoreAndSend(ParamId id, int value);
  void Send(ParamId id);
  void ShowProgramControls();
  void WriteInputDspRecord(int program, bool straight);

  CInputDspParam* dspParameters_ = nullptr;
};

}  // namespace qamp
