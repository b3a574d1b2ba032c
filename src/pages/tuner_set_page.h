// "Tuner Set": the radio presets, five pages of eight ("PageA" to "PageE")
// plus the frequency the tuner plays now ("Current"). Every preset is chosen
// from the frequency list of the region the receiver was built for.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/base_page.h"

namespace qamp {

// A stored preset as the user reads it: 087.50 is "FM 87.5MHz", 087.55
// "FM 87.55MHz", 000630 "AM 630kHz". A text that is not six characters long
// is shown as it is.
std::string FormatFrequency(std::string_view stored);
// The stored form of a display text: "FM 107.9MHz" gives 107.90, "AM 530kHz"
// 000530. A text that names neither band is taken as it is.
std::string ParseFrequency(std::string_view text);

// The frequencies a receiver of the region tunes, ascending, in the stored
// form. Region codes other than 1, 2 and 3 tune as region 0 (Japan).
std::vector<std::string> AmFrequencies(int regionCode);
std::vector<std::string> FmFrequencies(int regionCode);

// What the "Frequency" dialog decides: it lists the display texts of one
// band's frequencies, opens with the first row selected and recorded, records
// the entry of every row the user selects, and gives the recorded text back
// on "OK" or a double click.
class CFrequencyDialog {
 public:
  explicit CFrequencyDialog(std::vector<std::string> entries);

  const std::vector<std::string>& Entries() const { return entries_; }
  std::vector<std::string> Rows() const;
  int SelectedRow() const { return selectedRow_; }
  void SelectRow(int row);
  // "OK": the recorded entry; nothing when the list is empty.
  std::optional<std::string> Ok() const;
  // A double click selects the row and confirms like "OK".
  std::optional<std::string> DoubleClickRow(int row);

 private:
  std::vector<std::string> entries_;
  int selectedRow_ = -1;
};

// Runs the "Frequency" dialog for the page (the view shows it modally).
class FrequencyChooser {
 public:
  virtual ~FrequencyChooser() = default;
  // The dialog's answer: `dialog.Ok()` when the user confirms, nothing on
  // "Cancel".
  virtual std::optional<std::string> Choose(CFrequencyDialog& dialog) = 0;
};

class CTunerSetPage : public CBasePage {
 public:
  static constexpr int kPageCombo = 1290;
  static constexpr int kPresetList = 1291;
  static constexpr int kFrequencyList = 1292;
  static constexpr int kAmButton = 1293;
  static constexpr int kFmButton = 1294;
  static constexpr int kDefaultButton = 1295;

  static constexpr ParamId kCurrentId = 435;
  static constexpr ParamId kFirstPresetId = 436;
  static constexpr ParamId kLastPresetId = 475;

  // Without a chooser, "AM" and "FM" act as if the user cancelled.
  CTunerSetPage(CCommClass& link, PageHost& host, FrequencyChooser* chooser = nullptr);

  void RefreshAll() override;
  void RefreshParam(ParamId id, bool updateControls) override;
  void DownloadPage(const CSettingImage& image) override;
  void SendParamFromImage(const CSettingImage& image, ParamId id, int subIndex) override;
  void GetParamList(std::vector<ParamId>& ids, std::vector<int>& subIndices, bool forText,
                    int selector) override;
  void GetParamText(const CSettingImage& image, ParamId id, int subIndex, std::string* section,
                    std::string* key, std::string* value, bool forReport) override;
  bool SetParamFromText(CSettingImage& image, ParamId id, int subIndex,
                        std::string_view text) override;

  void ChooseCombo(int comboId, int index) override;
  void SelectListRow(int listId, int row) override;
  void PressButton(int buttonId) override;

  // 0 "Current", 1..5 "PageA".."PageE".
  int ShownPage() const { return shownPage_; }
  int SelectedPreset() const { return selectedPreset_; }
  // The parameter that "AM" and "FM" set: the current frequency on
  // "Current", else the selected preset of the shown page.
  ParamId ChosenParam() const;

 private:
  void ChooseFrequency(const std::vector<std::string>& list);
  void RestoreDefaults();

  FrequencyChooser* chooser_;
  int shownPage_ = 0;
  int selectedPreset_ = 0;
  std::vector<std::string> amList_;
  std::vector<std::string> fmList_;
};

}  // namespace qamp
