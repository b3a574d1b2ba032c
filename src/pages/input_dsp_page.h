// "Input DSP": the sound program, or Straight, that each input plays.
#pragma once

#include "pages/base_page.h"
#include "pages/basic_control_port.h"

namespace qamp {

class CInputDsp : public CBasePage {
 public:
  static constexpr int kInputList = 1301;       // the input names
  static constexpr int kAssignmentList = 1302;  // one program text per input
  static constexpr int kProgramCombo = 1303;
  static constexpr int kDspProgramRadio = 1304;
  static constexpr int kStraightRadio = 1305;
  static constexpr int kDefaultButton = 1306;
  static constexpr int kListedInputs = 12;  // PHONO .. XM

  CInputDsp(CCommClass& link, PageHost& host, BasicControlPort& basicControl);

  void RefreshAll() override;
  void RefreshParam(ParamId id, bool updateControls) override;
  // Async Mode only: selects the record's input and program on the receiver.
  void SendParamFromImage(const CSettingImage& image, ParamId id, int subIndex) override;
  void GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices, bool forText,
                    int selector) override;
  void GetParamText(const CSettingImage& image, ParamId id, int subIndex, std::string* section,
                    std::string* key, std::string* value, bool forReport) override;
  bool SetParamFromText(CSettingImage& image, ParamId id, int subIndex,
                        std::string_view text) override;
  // A change reaches the receiver through the basic control, never from here.
  void SendParam(ParamId /*id*/) override {}

  void ClickRadio(int buttonId) override;
  void ChooseCombo(int comboId, int index) override;
  void PressButton(int buttonId) override;
  void SelectListRow(int listId, int row) override;

  int SelectedInput() const { return selected_; }

  // The records keep VCR before DVR, so list positions 8 and 9 reach
  // records 9 and 8; IDs 215 and 216 name no record.
  static ParamId ProgramIdOfRecord(int record);
  static int RecordOfId(ParamId id);  // -1 for none

 private:
  void ShowSelectedInput();
  void WriteListText(int record);
  void ApplyProgram(int program);

  BasicControlPort& basicControl_;
  int selected_ = 0;
};

}  // namespace qamp
