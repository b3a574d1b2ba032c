// A page that records every call a view or the sheet makes on it, with one
// control of each kind, for the tests of the renderer and of the sheet.
#pragma once

#include <string>
#include <vector>

#include "pages/base_page.h"

namespace qamp::testing {

class RecordingPage : public CBasePage {
 public:
  static constexpr int kRadio = 10;  // buttons 10, 11, 12
  static constexpr int kSlider = 20;
  static constexpr int kReadOut = 21;
  static constexpr int kCombo = 30;
  static constexpr int kCheck = 40;
  static constexpr int kList = 50;
  static constexpr int kButton = 60;
  static constexpr int kOtherButton = 61;
  static constexpr int kHeading = 70;
  static constexpr int kEdit = 80;

  RecordingPage(CCommClass& link, PageHost& host, std::string caption)
      : CBasePage(link, host, 1, std::move(caption)) {
    AddRadioGroup(0, "Front", {kRadio, kRadio + 1, kRadio + 2}, {"Small", "Large", "None"}).value =
        0;
    // -10.0 to +10.0 in steps of 0.5, as the level sliders go.
    Control& slider = AddSlider(kSlider, 0, -100, 100, 5);
    slider.caption = "Level";
    slider.value = 0;
    AddReadOut(kReadOut, "0.0dB");
    AddCombo(kCombo, 0, {"One", "Two", "Three"}).value = 0;
    AddCheckBox(kCheck, 0, "Mute");
    AddList(kList, {"Row A", "Row B", "Row C"}).value = 0;
    AddButton(kButton, "Flat");
    AddButton(kOtherButton, "Flat");
    Control heading;
    heading.id = kHeading;
    heading.caption = "List Information";
    AddControl(heading);
    AddEdit(kEdit);
  }

  void RefreshAll() override { log.push_back("RefreshAll"); }
  void RefreshParam(ParamId id, bool updateControls) override {
    log.push_back("RefreshParam " + std::to_string(id) + (updateControls ? " update" : ""));
  }
  void RestoreRadioFocus() override { log.push_back("RestoreRadioFocus"); }
  // Like a real page, it takes what the user chose, unless told to refuse.
  void ClickRadio(int buttonId) override {
    log.push_back("ClickRadio " + std::to_string(buttonId));
    if (!refuse) SetValue(kRadio, buttonId - kRadio);
  }
  void MoveSlider(int sliderId, int value) override {
    log.push_back("MoveSlider " + std::to_string(sliderId) + " " + std::to_string(value));
    if (!refuse) SetValue(sliderId, value);
  }
  void ReleaseSlider(int sliderId) override {
    log.push_back("ReleaseSlider " + std::to_string(sliderId));
  }
  void ChooseCombo(int comboId, int index) override {
    log.push_back("ChooseCombo " + std::to_string(comboId) + " " + std::to_string(index));
    if (!refuse) SetValue(comboId, index);
  }
  void PressButton(int buttonId) override {
    log.push_back("PressButton " + std::to_string(buttonId));
  }
  void SetCheck(int checkId, bool checked) override {
    log.push_back("SetCheck " + std::to_string(checkId) + (checked ? " on" : " off"));
    if (!refuse) SetValue(checkId, checked ? 1 : 0);
  }
  void SelectListRow(int listId, int row) override {
    log.push_back("SelectListRow " + std::to_string(listId) + " " + std::to_string(row));
    if (!refuse) SetValue(listId, row);
  }
  void EnterText(int editId, std::string_view text) override {
    log.push_back("EnterText " + std::to_string(editId) + " " + std::string(text));
    if (!refuse) SetText(editId, std::string(text));
  }

  using CBasePage::MutableControl;
  using CBasePage::SetEnabled;
  using CBasePage::SetText;
  using CBasePage::SetValue;
  using CBasePage::SetVisible;

  std::vector<std::string> log;
  bool refuse = false;
};

}  // namespace qamp::testing
