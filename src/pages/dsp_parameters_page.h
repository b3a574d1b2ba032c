// "DSP Parameters": the parameters of each of the 26 sound programs, one
// program at a time, as a list of rows with a value slider for the rows
// that have one.
#pragma once

#include <vector>

#include "pages/base_page.h"
#include "pages/dsp_parameter_table.h"

namespace qamp {

class CInputDspParam : public CBasePage {
 public:
  static constexpr int kProgramCombo = 1401;
  static constexpr int kTriQuadList = 1402;  // "Tri", "Quad"
  static constexpr int kNameList = 1403;
  static constexpr int kValueList = 1404;
  static constexpr int kUpButton = 1405;
  static constexpr int kDownButton = 1406;
  static constexpr int kDefaultButton = 1407;
  static constexpr int kFirstSlider = 1410;  // one slider per possible row
  static constexpr int kSliderCount = 9;

  CInputDspParam(CCommClass& link, PageHost& host);

  void UpdateModelControls() override;
  void RefreshAll() override;
  void RefreshParam(ParamId id, bool updateControls) override;
  void DownloadPage(const CSettingImage& image) override;
  void SendParamFromImage(const CSettingImage& image, ParamId id, int subIndex) override;
  // Selector 0..25 lists that program, 26 every program in turn.
  void GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices, bool forText,
                    int selector) override;
  void GetParamText(const CSettingImage& image, ParamId id, int subIndex, std::string* section,
                    std::string* key, std::string* value, bool forReport) override;
  bool SetParamFromText(CSettingImage& image, ParamId id, int subIndex,
                        std::string_view text) override;

  void MoveSlider(int sliderId, int value) override;
  void ReleaseSlider(int sliderId) override;
  void ChooseCombo(int comboId, int index) override;
  void PressButton(int buttonId) override;
  void SelectListRow(int listId, int row) override;

  // In Real Time Mode the page shows the program the main view plays.
  void ShowProgram(int program);

  int ShownProgram() const { return program_; }
  int TriQuad() const { return triQuad_; }
  // -1 when no row is selected.
  int SelectedRow() const { return selectedRow_; }
  std::vector<ParamId> ShownIds() const;

 private:
  struct ShownRow {
    const DspParameterRow* row;
    ParamId id;
  };

  void Rebuild();
  void SelectRow(int row);
  void Step(int delta);
  void ShowValue(size_t position, int value);
  void ShowSlider(size_t position, int value);
  void DownloadProgram(const CSettingImage& image, int program, bool withSelect);
  const ShownRow* SelectedShownRow() const;

  int program_ = 12;  // "Sci-Fi"
  int triQuad_ = 0;   // "Tri"
  int selectedRow_ = 0;
  std::vector<ShownRow> rows_;
  int rowsDecodeType_ = 0;  // the Surround Decoder's decode type the rows were built for
};

}  // namespace qamp
