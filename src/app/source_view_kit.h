// The common part of the source and list pages' own layouts. A view made
// on it builds the widget of each control it places (through the Make...
// functions, which wire every user action to the page), lays them out as
// the page's frames and grids say, and leaves the drawing to Render(): it
// shows every control's value, text, items, enabled and visible state as
// the page decides them, and the names assistive technology reads.
#pragma once

#include <QString>
#include <map>
#include <string>
#include <vector>

#include "app/page_controls.h"
#include "app/page_widget.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;

namespace qamp {

class CSourceView : public CPageWidget {
 public:
  explicit CSourceView(CBasePage& page, QWidget* parent = nullptr);

  CBasePage& Page() override { return page_; }
  void Render() override;
  QWidget* WidgetOf(int controlId) const override;
  void RestoreRadioFocus() override;

 protected:
  // Arrow keys never move a radio selection, a slider or a list on a page.
  bool eventFilter(QObject* watched, QEvent* event) override;

  // The widgets of one control each, wired to the page.
  QGroupBox* MakeFrame(int frameId);
  // The buttons of the radio group whose first button is `groupId`, in
  // value order, without a box (the caller places them).
  std::vector<QRadioButton*> MakeRadios(int groupId);
  QComboBox* MakeCombo(int id);
  QCheckBox* MakeCheck(int id);
  QPushButton* MakeButton(int id);
  QListWidget* MakeList(int id);
  QLineEdit* MakeEdit(int id);
  QSlider* MakeSlider(int id, Qt::Orientation orientation);
  QLabel* MakeReadOut(int id);
  QLabel* MakeText(int id);
  // The caption beside a combo box, edit, slider or list: shown, enabled
  // and hidden with it, and its buddy.
  QLabel* MakeCaption(int id);
  // A plain label with fixed text (a column header, a row's name).
  static QLabel* FixedLabel(const QString& text);

  // Something the view drew beyond the controls, after Render().
  virtual void RenderMore() {}
  const Control* ControlOf(int id) const { return page_.FindControl(id); }
  // Every action ends here: the page may have changed anything.
  void AfterAction();

 private:
  struct Shown {
    QWidget* widget = nullptr;
    QLabel* caption = nullptr;
    std::vector<QRadioButton*> radios;
  };
  void Draw();
  void DrawControl(const Control& control, Shown& shown);
  void SliderChanged(int id, int position);

  CBasePage& page_;
  std::map<int, Shown> shown_;  // by control number (a group's first button)
  bool rendering_ = false;
  bool drawn_ = false;
  uint64_t drawnRevision_ = 0;
};

// The views of this family.
CPageWidget* MakeTriggerOutView(CBasePage& page, QWidget* parent);
CPageWidget* MakeInputDspView(CBasePage& page, QWidget* parent);
CPageWidget* MakeIPodView(CBasePage& page, QWidget* parent);
// The lists `tableIds` as the columns of one table, the other controls
// beside it; `markedList` (0 for none) shows a marker on its selected row.
CPageWidget* MakeListTableView(CBasePage& page, QWidget* parent, std::vector<int> tableIds,
                               int markedList);

}  // namespace qamp
