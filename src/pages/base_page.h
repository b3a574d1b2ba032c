// The contract every setting page follows. A page edits one group of the
// settings image: it describes its parameters as (section, key, value text)
// and parses them back, formats and queues their commands, decides which
// controls are enabled or visible and what one choice forces on another,
// and keeps its own state. It never touches a widget: it describes its
// controls (by dialog control number) so that a view can render them, and
// takes the user's actions as method calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "link/comm_class.h"
#include "model/ini_file.h"
#include "model/parameter_map.h"
#include "model/setting_image.h"

namespace qamp {

// The icon and the buttons of a page's message box.
enum class PageIcon { kNone, kInformation, kQuestion, kExclamation, kError };
enum class PageButtons { kOk, kOkCancel, kYesNo };

// What a page needs from the program around it.
class PageHost {
 public:
  virtual ~PageHost() = default;
  // A question with OK and Cancel; true for OK.
  virtual bool AskOkCancel(std::string_view text, std::string_view title) = 0;
  // A message box with its icon and buttons; true for OK or Yes. An empty
  // title is the program's own. Hosts that show no icons ask as AskOkCancel
  // does (OK alone: told, and true).
  virtual bool Message(std::string_view text, std::string_view title, PageIcon /*icon*/,
                       PageButtons buttons) {
    return buttons == PageButtons::kOk ? true : AskOkCancel(text, title);
  }
  // The warning beep of a refused choice.
  virtual void Beep() = 0;
  virtual void SetWaitCursor(bool on) = 0;
};

// A host that answers OK, stays silent and has no cursor: for the command
// line and for queueing downloads.
class QuietPageHost : public PageHost {
 public:
  bool AskOkCancel(std::string_view /*text*/, std::string_view /*title*/) override { return true; }
  void Beep() override {}
  void SetWaitCursor(bool /*on*/) override {}
};

enum class ControlKind {
  kRadioGroup,
  kSlider,
  kCombo,
  kCheckBox,
  kList,
  kButton,
  kReadOut,
  kText,
  kEdit,
  kFrame  // a captioned box that holds the controls naming it as their frame
};

enum class Orientation { kHorizontal, kVertical };

// One control (or radio group) as the page decides it.
struct Control {
  int id = 0;  // dialog control number; a radio group uses its first button's
  ControlKind kind = ControlKind::kText;
  ParamId param = 0;               // the parameter it edits, 0 for none
  std::string caption;             // frame caption, label or button text
  std::vector<int> buttonIds;      // radio group: button control numbers in value order
  std::vector<std::string> items;  // radio captions, combo entries, list rows
  int minimum = 0;                 // sliders
  int maximum = 0;
  int step = 1;
  bool enabled = true;
  bool visible = true;
  std::vector<bool> itemEnabled;  // radio buttons enabled one by one (empty: as the group)
  int value = -1;                 // radio index, slider value, combo index, check state, list row
  std::string text;               // read-out or edit text
  // How a view lays it out.
  int frame = 0;  // the kFrame control it stands in, 0 for the page itself
  Orientation orientation =
      Orientation::kHorizontal;  // sliders: vertical ones have the maximum at the top
  std::string lowLabel;          // sliders: the texts at the minimum and the maximum end
  std::string highLabel;         // ("Down" / "Up", "-" / "+", "L" / "R")
  int readOut = 0;               // sliders: the read-out that shows the value, 0 for none
  // Sliders whose page describes how a value is written (DSP Parameters,
  // where the shown parameter decides): digits after the point (a value of
  // 12 with one is "1.2"), the unit, and words standing for values ("STD").
  int decimals = 0;
  std::string unit;
  std::vector<std::pair<std::string, int>> valueWords;
  bool memoryMark = false;                 // the System Memory mark stands beside it
  std::vector<std::string> columnHeaders;  // lists and grids: the headers of their columns
};

inline constexpr int kWholeList = 26;  // GetParamList selector: every parameter

class CBasePage {
 public:
  CBasePage(CCommClass& link, PageHost& host, int dialogId, std::string caption);
  virtual ~CBasePage() = default;
  CBasePage(const CBasePage&) = delete;
  CBasePage& operator=(const CBasePage&) = delete;

  int DialogId() const { return dialogId_; }
  const std::string& Caption() const { return caption_; }

  // --- The fifteen operations ---------------------------------------------------
  virtual void UpdateModelControls() {}
  virtual void UpdateEnableState() {}
  virtual void RestoreRadioFocus() {}
  virtual bool IsParamEnabled(ParamId /*id*/) { return true; }
  virtual void RefreshAll() {}
  virtual void RefreshParam(ParamId /*id*/, bool /*updateControls*/) {}
  // Queues the commands that set every parameter of the page from `image`.
  virtual void DownloadPage(const CSettingImage& image);
  virtual void SendParamFromImage(const CSettingImage& /*image*/, ParamId /*id*/,
                                  int /*subIndex*/) {}
  virtual void LoadFromProfile(const IniFile& file, CSettingImage& image);
  virtual void SaveToProfile(IniFile& file, const CSettingImage& image);
  virtual std::string BuildReportText(const CSettingImage& image);
  virtual void GetParamList(std::vector<ParamId>& /*ids*/, std::vector<int>& /*subIndices*/,
                            bool /*forText*/, int /*selector*/) {}
  // Any of the three outputs may be null. Texts of an ID the page does not
  // own are empty; a stored value that has no text leaves them unset.
  virtual void GetParamText(const CSettingImage& /*image*/, ParamId /*id*/, int /*subIndex*/,
                            std::string* /*section*/, std::string* /*key*/, std::string* /*value*/,
                            bool /*forReport*/) {}
  // Stores the value whose text is `text`; false (and nothing changed) when
  // no value has that text.
  virtual bool SetParamFromText(CSettingImage& /*image*/, ParamId /*id*/, int /*subIndex*/,
                                std::string_view /*text*/) {
    return false;
  }
  // The real-time send of one parameter: in Real Time Mode only, the
  // parameter's command from the live image, then the end marker.
  virtual void SendParam(ParamId id);

  // Pages whose parameters exist once per channel send the selected one.
  virtual int SelectedSubIndex() const { return -1; }
  virtual void SelectSubIndex(int /*subIndex*/) {}

  // --- User actions, by dialog control number ----------------------------------------
  virtual void ClickRadio(int /*buttonId*/) {}
  // While the thumb moves; the value is in the slider's own units.
  virtual void MoveSlider(int /*sliderId*/, int /*value*/) {}
  virtual void ReleaseSlider(int /*sliderId*/) {}
  virtual void ChooseCombo(int /*comboId*/, int /*index*/) {}
  virtual void PressButton(int /*buttonId*/) {}
  virtual void SetCheck(int /*checkId*/, bool /*checked*/) {}
  virtual void SelectListRow(int /*listId*/, int /*row*/) {}
  virtual void EnterText(int /*editId*/, std::string_view /*text*/) {}

  // --- What a view renders -------------------------------------------------------------
  const std::vector<Control>& Controls() const { return controls_; }
  const Control* FindControl(int id) const;
  // A fingerprint of everything the description says that can change (values,
  // texts, lists, enabled, visible): it differs exactly when the description
  // does, so a view draws again only when something changed, without
  // comparing control by control.
  uint64_t Revision() const;
  bool IsActive() const { return active_; }
  // The view tells the page when it becomes the active page of the sheet.
  void SetActive(bool active);

 protected:
  CCommClass& Link() { return link_; }
  const CCommClass& Link() const { return link_; }
  PageHost& Host() { return host_; }
  CSettingImage& LiveImage() { return link_.CurrentImage(); }
  bool IsRealTime() const { return link_.IsRealTimeMode(); }
  // Sliders follow the mouse only while no transfer runs.
  bool TransferRunning() const { return link_.IsTransferInProgress(); }

  // Queues one command with its parameter ID as code.
  void Queue(std::string_view frame, ParamId id) { link_.SendPacket(frame, id); }
  void QueueEndMarker() { link_.SendPacket("", kEndMarkerCode); }
  // In Real Time Mode, with the wait cursor: the page download from the
  // live image, then the end marker ("Default" buttons).
  void SendWholePage();

  // Building the control description.
  Control& AddControl(Control control);
  Control* MutableControl(int id);
  Control& AddRadioGroup(ParamId param, std::string caption, std::vector<int> buttonIds,
                         std::vector<std::string> captions);
  Control& AddSlider(int id, ParamId param, int minimum, int maximum, int step);
  Control& AddCombo(int id, ParamId param, std::vector<std::string> items);
  Control& AddReadOut(int id, std::string text = {});
  Control& AddButton(int id, std::string caption);
  Control& AddCheckBox(int id, ParamId param, std::string caption);
  Control& AddList(int id, std::vector<std::string> rows);
  Control& AddEdit(int id);
  Control& AddFrame(int id, std::string caption);
  // Lays a control out: in a frame, upright with its end labels and read-out.
  void PlaceInFrame(int id, int frame);
  void SetSliderLayout(int sliderId, Orientation orientation, std::string lowLabel,
                       std::string highLabel, int readOutId);
  void SetMemoryMark(int id, bool marked = true);
  // The radio group that contains this button, and the button's index.
  Control* RadioGroupOf(int buttonId, int& index);
  void SetEnabled(int id, bool enabled);
  void SetVisible(int id, bool visible);
  void SetValue(int id, int value);
  void SetText(int id, std::string text);

 private:
  CCommClass& link_;
  PageHost& host_;
  int dialogId_;
  std::string caption_;
  std::vector<Control> controls_;
  bool active_ = false;
};

// --- Texts shared by the pages -----------------------------------------------------------

// Tenths as "%d.%d" with a "-" in front of negative values, then `unit`
// (-5 gives -0.5dB, 100 gives 10.0dB).
std::string TenthsText(int tenths, std::string_view unit);
// Hundredths as "%d.%02d" ("3.00").
std::string HundredthsText(int hundredths);
// The text with its last `dropTail` characters and every "." removed, read
// as a signed decimal integer after leading blanks; false when no number.
bool ParseDottedInteger(std::string_view text, size_t dropTail, int& value);
// A signed decimal integer after leading blanks, as the platform's integer
// reading does: trailing characters end the number.
bool ParseLeadingInteger(std::string_view text, int& value);
// The lines of a report: "(Section)" before the first parameter and at each
// change of section, then "Key = Value" for a parameter with a key. The
// remembered section starts empty; a parameter without a section (one that
// has no description) adds nothing.
class ReportLines {
 public:
  void Add(const std::string& section, const std::string& key, const std::string& value);
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
  std::string lastSection_;
};
// GetParamText's answer for a parameter a page does not have: each text
// asked for, empty.
void ClearParamText(std::string* section, std::string* key, std::string* value);
// The keyed record of `group` whose key is the channel code of the
// equalizer pages' channel item `index`, or -1.
int EqualizerRecordOfItem(const CSettingImage& image, GroupKind group, int index);
// Whether `index` names one of `texts`.
inline bool IsIndexOf(int index, const std::vector<std::string>& texts) {
  return index >= 0 && index < static_cast<int>(texts.size());
}
// Position of the first row of `table` whose `field` equals `value`, or -1.
template <typename Table, typename Row, typename Field, typename Value>
int RowIndex(const Table& table, Field Row::*field, const Value& value) {
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i].*field == value) return static_cast<int>(i);
  }
  return -1;
}
// Position of `text` in `items`, or -1 (exact, case-sensitive).
int FindText(const std::vector<std::string>& items, std::string_view text);
// "%02X", "%01X" and the lower-case forms the receiver takes.
std::string HexUpper(int value, int width);
std::string HexLower(int value, int width);
// DC4, text, checksum, ETX.
std::string ExtendedFrame(std::string_view text);
// STX, text, ETX.
std::string StandardFrame(std::string_view text);

}  // namespace qamp
