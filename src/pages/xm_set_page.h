// "XM Set": the 40 presets of the receiver's XM tuner, five pages ("PageA"
// to "PageE") of eight, each holding a station ID 0..255.
#pragma once

#include "pages/base_page.h"

namespace qamp {

class CXmSetPage : public CBasePage {
 public:
  static constexpr int kPageCombo = 1500;
  static constexpr int kPresetList = 1501;
  static constexpr int kValueList = 1502;
  static constexpr int kStationEdit = 1503;
  static constexpr int kEnterButton = 1504;
  static constexpr int kDefaultButton = 1505;
  static constexpr int kPresetFrame = 1506;
  static constexpr int kNote = 1507;

  static constexpr ParamId kFirstId = 476;
  static constexpr ParamId kLastId = 515;

  CXmSetPage(CCommClass& link, PageHost& host);

  void UpdateModelControls() override;
  void RefreshAll() override;
  void RefreshParam(ParamId id, bool updateControls) override;
  void SendParamFromImage(const CSettingImage& image, ParamId id, int subIndex) override;
  void GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices, bool forText,
                    int selector) override;
  void GetParamText(const CSettingImage& image, ParamId id, int subIndex, std::string* section,
                    std::string* key, std::string* value, bool forReport) override;
  bool SetParamFromText(CSettingImage& image, ParamId id, int subIndex,
                        std::string_view text) override;

  void ChooseCombo(int comboId, int index) override;
  void SelectListRow(int listId, int row) override;
  void EnterText(int editId, std::string_view text) override;
  void PressButton(int buttonId) override;

  // 0..4 for "PageA".."PageE".
  int ShownPage() const { return shownPage_; }
  int SelectedPreset() const { return selectedPreset_; }

 private:
  bool Usable(int controlId) const;
  void Enter();
  void Refuse(std::string_view message);

  int shownPage_ = 0;
  int selectedPreset_ = 0;
};

}  // namespace qamp
