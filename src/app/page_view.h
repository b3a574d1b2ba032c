// One setting page on screen, drawn from the page's description of its
// controls. The page decides every value, enable state and visibility; the
// view shows them and hands each user action back to the page, then draws
// the page again so that whatever the action changed (a forced value, an
// interlock, a control switched off) shows at once.
#pragma once

#include "app/page_widget.h"

#include <QWidget>
#include <vector>

#include "pages/base_page.h"

class QFormLayout;
class QLabel;
class QRadioButton;
class QScrollArea;

namespace qamp {

class CPageView : public CPageWidget {
  Q_OBJECT

 public:
  explicit CPageView(CBasePage& page, QWidget* parent = nullptr);

  CBasePage& Page() override { return page_; }
  // Brings every widget up to date with the page's controls: value, text,
  // items, enabled, visible. Nothing is handed back to the page meanwhile.
  void Render() override;
  // The widget of a dialog control number (a radio button's own number
  // gives its button, a group's first number the button, too), or null.
  QWidget* WidgetOf(int controlId) const override;
  // When the focus is on one of the page's radio buttons, it moves to the
  // button now checked in that group, so that a value changed meanwhile
  // does not leave the focus on a button that is no longer the choice.
  void RestoreRadioFocus() override;

 protected:
  // Arrow keys never move a radio selection, a slider or a list on a page.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Shown {
    QWidget* widget = nullptr;  // the control itself (a group box for radios)
    QLabel* label = nullptr;    // the caption beside it, if any
    std::vector<QRadioButton*> radios;
    int row = -1;  // the form row that holds it
  };
  struct Row {
    QWidget* field = nullptr;
    std::vector<size_t> members;  // control positions shown on this row
  };

  void Build();
  void AddRow(QWidget* label, QWidget* field, std::vector<size_t> members);
  QWidget* MakeSlider(size_t index);
  QWidget* MakeRadioGroup(size_t index);
  QWidget* MakeButtonRow(size_t first, size_t end);
  QWidget* MakeListRow(size_t first, size_t end);
  QWidget* MakeReadOut();
  void Watch(QWidget* widget);
  void RenderControl(size_t index, const Control& control);
  void SliderChanged(size_t index, int position);
  // Every action ends here: the page may have changed anything.
  void AfterAction();

  CBasePage& page_;
  QScrollArea* scroll_ = nullptr;
  QFormLayout* form_ = nullptr;
  std::vector<Shown> shown_;
  std::vector<Row> rows_;
  bool rendering_ = false;
};

}  // namespace qamp
