// What every page view does alike: the model's 8-bit texts as the widgets'
// texts, slider positions counted in steps, lists and combo boxes brought
// up to date in place, the keyboard and wheel rules of a page, the widgets
// of its choices wired to the page, and finding a control's widget or its
// radio group's focus among what a view shows.
#pragma once

#include <QLabel>
#include <QRadioButton>
#include <QString>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "pages/base_page.h"

class QCheckBox;
class QComboBox;
class QEvent;
class QPushButton;
class QListWidget;
class QObject;
class QScrollArea;

namespace qamp {

// Texts from the receiver and from files are 8-bit characters.
QString FromModel(const std::string& text);
std::string ToModel(const QString& text);

// A slider's positions count its steps from the minimum.
int SliderStep(const Control& control);
int SliderPositions(const Control& control);
int SliderPosition(const Control& control);

bool IsArrowKey(int key);
// What a text control shows: its caption, its text, or both.
QString TextLine(const Control& control);
// Fills `view` with one frameless area that scrolls when the page is taller
// than the sheet, and gives the widget to lay the page out on (and the
// area, for the wheel rule, through `scroll`).
QWidget* MakeScrolledPage(QWidget* view, QScrollArea** scroll = nullptr);
// A label that shows its text as typed, never as markup.
QLabel* PlainLabel(const QString& text = {});

bool SameItems(const QComboBox& combo, const std::vector<std::string>& items);
// Rows are rewritten in place, so that a row being clicked survives.
void ShowItems(QListWidget& list, const std::vector<std::string>& items);

// Brings the widget of a slider (positions in steps), combo box, check
// box, button, read-out or edit up to date with its control.
void RenderCommonControl(QWidget* widget, const Control& control);
// A radio group's buttons: their captions, which are enabled, which one is
// checked (none for a value that names no button).
void RenderRadios(const std::vector<QRadioButton*>& radios, const Control& control);

// The rules of a page's controls, for a view's event filter: arrow keys
// never move a radio selection, a slider or a list (true: swallowed), and
// the wheel passing over a slider or combo box that has not been chosen
// changes nothing, scrolling `scroll` instead where there is one.
bool FilterPageEvent(QObject* watched, QEvent* event, QScrollArea* scroll);

// The widgets of a page's choices, made alike by every view: each hands
// the user's action to `page`, then calls `after` (the view draws again),
// and `rules` (the view, whose event filter applies FilterPageEvent)
// watches it.
QRadioButton* MakePageRadio(CBasePage& page, int buttonId, QObject* rules,
                            const std::function<void()>& after, QWidget* parent = nullptr);
QComboBox* MakePageCombo(CBasePage& page, int id, QObject* rules,
                         const std::function<void()>& after);
QCheckBox* MakePageCheck(CBasePage& page, int id, QObject* rules,
                         const std::function<void()>& after);
QPushButton* MakePageButton(CBasePage& page, int id, QObject* rules,
                            const std::function<void()>& after);

// The widget a view shows for a control number: a radio button's own number
// gives its button. `Shown` has `widget` and `radios`, one per control.
template <class Shown>
QWidget* ShownWidgetOf(const std::vector<Control>& controls, const std::vector<Shown>& shown,
                       int controlId) {
  for (size_t i = 0; i < controls.size() && i < shown.size(); ++i) {
    const Control& control = controls[i];
    for (size_t b = 0; b < control.buttonIds.size() && b < shown[i].radios.size(); ++b) {
      if (control.buttonIds[b] == controlId) return shown[i].radios[b];
    }
    if (control.id == controlId) return shown[i].widget;
  }
  return nullptr;
}

// When the focus is on one of the shown radio buttons, it moves to the
// button now checked in that group.
template <class Shown>
void RestoreShownRadioFocus(const QWidget* focused, const std::vector<Shown>& shown) {
  if (focused == nullptr || !focused->hasFocus()) return;
  for (const Shown& one : shown) {
    if (std::find(one.radios.begin(), one.radios.end(), focused) == one.radios.end()) continue;
    for (QRadioButton* radio : one.radios) {
      if (radio->isChecked()) radio->setFocus(Qt::OtherFocusReason);
    }
    return;
  }
}

}  // namespace qamp
