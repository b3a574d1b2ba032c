// "I/O Assign": which input each assignable video or digital-audio jack
// belongs to.
#pragma once

#include "pages/base_page.h"

namespace qamp {

class CIOAssign : public CBasePage {
 public:
  CIOAssign(CCommClass& link, PageHost& host);

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
  // The component inputs' keys ("[A] Component IN 1", ...) go last, in the
  // order [C], [B], [A].
  void SaveToProfile(IniFile& file, const CSettingImage& image) override;

  void SelectListRow(int listId, int row) override;
  void PressButton(int buttonId) override;

  static constexpr int kPortList = 1001;      // the ports, the marker on the selected one
  static constexpr int kAssignedList = 1002;  // "Assigned Input" of every port
  static constexpr int kInputList = 1003;     // the "Select" list of inputs 0..12
  static constexpr int kSelectButton = 1004;
  static constexpr int kDefaultButton = 1005;

 private:
  bool SelectionAllowed() const;

  int port_ = 0;    // the port under the marker
  int input_ = -1;  // the input chosen in the "Select" list, none at start
};

}  // namespace qamp
