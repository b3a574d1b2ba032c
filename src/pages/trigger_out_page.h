// "TRIGGER OUT": for each of the two trigger outputs, which zone controls it
// ("Trigger Control") and, per input and zone, whether the output goes low
// ("L") or high ("H") when that input is selected in that zone.
#pragma once

#include <vector>

#include "pages/base_page.h"

namespace qamp {

class CDCTriggerCtl : public CBasePage {
 public:
  // Output 1 uses IDs 300..337, output 2 the same layout at 338..375.
  static constexpr ParamId kFirstId = 300;
  static constexpr ParamId kLastId = 375;
  static constexpr int kIdsPerOutput = 38;

  static constexpr int kControlCombo[2] = {1330, 1331};
  static constexpr int kAllHighButton[2] = {1332, 1334};
  static constexpr int kAllLowButton[2] = {1333, 1335};
  // The boxes "TRIGGER OUT1" and "TRIGGER OUT2" around each output's
  // controls; the columns of their grids are the zones.
  static constexpr int kOutputFrame[2] = {1336, 1337};
  // The "L" and "H" buttons of a switch (IDs 301..375 except 338).
  static constexpr int LowButtonOf(ParamId id) { return 3000 + 2 * (id - kFirstId); }
  static constexpr int HighButtonOf(ParamId id) { return LowButtonOf(id) + 1; }

  CDCTriggerCtl(CCommClass& link, PageHost& host);

  void UpdateModelControls() override;
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

  void ClickRadio(int buttonId) override;
  void ChooseCombo(int comboId, int index) override;
  void PressButton(int buttonId) override;

  // After the receiver refused a trigger setting with a parameter error:
  // brings that one parameter of the current image back in line with what
  // the connected model allows.
  void RederiveTriggerParameter(ParamId id);

 private:
  void SetAllSwitches(int output, int value);
  void PushValues();
  void PushControl(int output);
  // The position of the Trigger Control item that carries `value`, or -1.
  int FindValue(int value) const;

  // The values carried by the remaining Trigger Control items, in item order.
  std::vector<int> controlValues_;
  bool sending_ = false;
};

}  // namespace qamp
