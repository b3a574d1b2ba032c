// "Input Rename": the names the receiver displays for its inputs.
#pragma once

#include "pages/base_page.h"

namespace qamp {

class CInputSetUp : public CBasePage {
 public:
  CInputSetUp(CCommClass& link, PageHost& host);

  void RefreshAll() override;
  void RefreshParam(ParamId id, bool updateControls) override;
  void SendParamFromImage(const CSettingImage& image, ParamId id, int subIndex) override;
  void GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices, bool forText,
                    int selector) override;
  void GetParamText(const CSettingImage& image, ParamId id, int subIndex, std::string* section,
                    std::string* key, std::string* value, bool forReport) override;
  bool SetParamFromText(CSettingImage& image, ParamId id, int subIndex,
                        std::string_view text) override;

  void SelectListRow(int listId, int row) override;
  void EnterText(int editId, std::string_view text) override;
  void PressButton(int buttonId) override;

  static constexpr int kInputList = 1301;  // the fourteen inputs
  static constexpr int kNameList = 1302;   // their current names
  static constexpr int kNameEdit = 1303;
  static constexpr int kEnterButton = 1304;
  static constexpr int kDefaultButton = 1305;
};

}  // namespace qamp
