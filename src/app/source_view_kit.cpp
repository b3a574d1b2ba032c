#include "app/source_view_kit.h"

#include "app/page_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>

#include "app/control_names.h"
#include "app/qamptool_view.h"

namespace qamp {

namespace {

const Control* FrameOf(const std::vector<Control>& controls, const Control& control) {
  if (control.frame == 0) return nullptr;
  for (const Control& other : controls) {
    if (other.id == control.frame && other.kind == ControlKind::kFrame) return &other;
  }
  return nullptr;
}

// Controls of different frames that share a caption ("Trigger Control" of
// each output) are named with their frame's caption in front.
std::vector<Control> WithFrameCaptions(const std::vector<Control>& controls) {
  std::vector<Control> named = controls;
  for (size_t i = 0; i < controls.size(); ++i) {
    const Control* frame = FrameOf(controls, controls[i]);
    if (frame == nullptr || controls[i].caption.empty()) continue;
    const bool shared = std::any_of(controls.begin(), controls.end(), [&](const Control& other) {
      return &other != &controls[i] && other.caption == controls[i].caption &&
             other.frame != controls[i].frame;
    });
    if (shared) named[i].caption = frame->caption + " " + controls[i].caption;
  }
  // A frame heads the controls that follow it, as a heading does: a control
  // without a caption of its own is named after it.
  for (Control& control : named) {
    if (control.kind == ControlKind::kFrame) {
      control.kind = ControlKind::kText;
      control.text.clear();
    }
  }
  return named;
}

}  // namespace

CSourceView::CSourceView(CBasePage& page, QWidget* parent) : CPageWidget(parent), page_(page) {}

QLabel* CSourceView::FixedLabel(const QString& text) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QGroupBox* CSourceView::MakeFrame(int frameId) {
  auto* box = new QGroupBox;
  shown_[frameId].widget = box;
  return box;
}

std::vector<QRadioButton*> CSourceView::MakeRadios(int groupId) {
  Shown& shown = shown_[groupId];
  if (const Control* group = ControlOf(groupId)) {
    for (const int buttonId : group->buttonIds) {
      shown.radios.push_back(MakePageRadio(page_, buttonId, this, [this] { AfterAction(); }));
    }
  }
  return shown.radios;
}

QComboBox* CSourceView::MakeCombo(int id) {
  QComboBox* combo = MakePageCombo(page_, id, this, [this] { AfterAction(); });
  shown_[id].widget = combo;
  return combo;
}

QCheckBox* CSourceView::MakeCheck(int id) {
  QCheckBox* check = MakePageCheck(page_, id, this, [this] { AfterAction(); });
  shown_[id].widget = check;
  return check;
}

QPushButton* CSourceView::MakeButton(int id) {
  QPushButton* button = MakePageButton(page_, id, this, [this] { AfterAction(); });
  shown_[id].widget = button;
  return button;
}

QListWidget* CSourceView::MakeList(int id) {
  auto* list = new QListWidget;
  connect(list, &QListWidget::currentRowChanged, this, [this, id](int row) {
    if (row < 0) return;
    page_.SelectListRow(id, row);
    AfterAction();
  });
  list->installEventFilter(this);
  shown_[id].widget = list;
  return list;
}

QLineEdit* CSourceView::MakeEdit(int id) {
  auto* edit = new QLineEdit;
  connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
    page_.EnterText(id, ToModel(text));
    AfterAction();
  });
  edit->installEventFilter(this);
  shown_[id].widget = edit;
  return edit;
}

QSlider* CSourceView::MakeSlider(int id, Qt::Orientation orientation) {
  auto* slider = new QSlider(orientation);
  slider->setSingleStep(1);
  // Arrow keys are kept off the pages, so Page Up and Page Down are the
  // keyboard's fine step.
  slider->setPageStep(1);
  slider->setFocusPolicy(Qt::StrongFocus);
  connect(slider, &QSlider::valueChanged, this,
          [this, id](int position) { SliderChanged(id, position); });
  connect(slider, &QSlider::sliderReleased, this, [this, id] {
    page_.ReleaseSlider(id);
    AfterAction();
  });
  slider->installEventFilter(this);
  shown_[id].widget = slider;
  return slider;
}

void CSourceView::SliderChanged(int id, int position) {
  const Control* control = ControlOf(id);
  if (control == nullptr) return;
  const int value = control->minimum + position * SliderStep(*control);
  auto* slider = static_cast<QSlider*>(shown_[id].widget);
  page_.MoveSlider(id, value);
  // Without a drag (a key, a click on the groove, assistive technology)
  // the change is complete at once, as a release would make it.
  if (!slider->isSliderDown()) page_.ReleaseSlider(id);
  AfterAction();
}

QLabel* CSourceView::MakeReadOut(int id) {
  auto* readOut = FixedLabel({});
  StyleReadOut(readOut);
  shown_[id].widget = readOut;
  return readOut;
}

QLabel* CSourceView::MakeText(int id) {
  QLabel* label = FixedLabel({});
  label->setWordWrap(true);
  shown_[id].widget = label;
  return label;
}

QLabel* CSourceView::MakeCaption(int id) {
  QLabel* label = FixedLabel({});
  Shown& shown = shown_[id];
  shown.caption = label;
  if (shown.widget != nullptr) label->setBuddy(shown.widget);
  return label;
}

bool CSourceView::eventFilter(QObject* watched, QEvent* event) {
  if (FilterPageEvent(watched, event, nullptr)) return true;
  return CPageWidget::eventFilter(watched, event);
}

void CSourceView::AfterAction() {
  if (!rendering_) Draw();
}

void CSourceView::Render() {
  // Nothing the page describes has changed since the last drawing.
  if (drawn_ && page_.Revision() == drawnRevision_) return;
  Draw();
}

void CSourceView::Draw() {
  rendering_ = true;
  const std::vector<Control>& controls = page_.Controls();
  const ControlNames names = NameControls(page_.Caption(), WithFrameCaptions(controls));
  for (size_t i = 0; i < controls.size(); ++i) {
    const Control& control = controls[i];
    auto found = shown_.find(control.id);
    if (found == shown_.end()) continue;
    Shown& shown = found->second;
    DrawControl(control, shown);
    const QString name = FromModel(names.controls[i]);
    if (shown.widget != nullptr && control.kind != ControlKind::kText) {
      shown.widget->setAccessibleName(name);
    }
    if (shown.caption != nullptr) shown.caption->setAccessibleName(name);
    for (size_t b = 0; b < shown.radios.size() && b < names.buttons[i].size(); ++b) {
      shown.radios[b]->setAccessibleName(FromModel(names.buttons[i][b]));
    }
  }
  RenderMore();
  drawnRevision_ = page_.Revision();
  drawn_ = true;
  rendering_ = false;
}

void CSourceView::DrawControl(const Control& control, Shown& shown) {
  if (shown.caption != nullptr) {
    shown.caption->setText(FromModel(control.caption));
    shown.caption->setEnabled(control.enabled);
    shown.caption->setVisible(control.visible);
  }
  if (control.kind == ControlKind::kRadioGroup) {
    const bool anyChecked =
        control.value >= 0 && control.value < static_cast<int>(shown.radios.size());
    for (size_t b = 0; b < shown.radios.size(); ++b) {
      QRadioButton* radio = shown.radios[b];
      const QSignalBlocker block(radio);
      radio->setText(b < control.items.size() ? FromModel(control.items[b]) : QString());
      radio->setEnabled(control.enabled &&
                        (b >= control.itemEnabled.size() || control.itemEnabled[b]));
      radio->setVisible(control.visible);
      // A group with no valid value shows no button checked, which an
      // exclusive group would refuse.
      radio->setAutoExclusive(false);
      radio->setChecked(anyChecked && static_cast<int>(b) == control.value);
      radio->setAutoExclusive(true);
    }
    if (shown.widget != nullptr) {
      shown.widget->setEnabled(control.enabled);
      shown.widget->setVisible(control.visible);
    }
    return;
  }
  QWidget* widget = shown.widget;
  if (widget == nullptr) return;
  const QSignalBlocker block(widget);
  widget->setEnabled(control.enabled);
  widget->setVisible(control.visible);
  switch (control.kind) {
    case ControlKind::kFrame:
      static_cast<QGroupBox*>(widget)->setTitle(FromModel(control.caption));
      break;
    case ControlKind::kText: {
      static_cast<QLabel*>(widget)->setText(TextLine(control));
      break;
    }
    case ControlKind::kSlider:
    case ControlKind::kCombo:
    case ControlKind::kCheckBox:
      RenderCommonControl(widget, control);
      break;
    case ControlKind::kList: {
      auto* list = static_cast<QListWidget*>(widget);
      const int count = static_cast<int>(control.items.size());
      // Rows are rewritten in place, so that a row being clicked survives.
      while (list->count() > count) delete list->takeItem(list->count() - 1);
      for (int i = 0; i < count; ++i) {
        const QString text = FromModel(control.items[static_cast<size_t>(i)]);
        if (i < list->count()) {
          if (list->item(i)->text() != text) list->item(i)->setText(text);
        } else {
          list->addItem(text);
        }
      }
      if (IsIndexOf(control.value, control.items)) {
        list->setCurrentRow(control.value);
      } else {
        list->setCurrentRow(-1);
        list->clearSelection();
      }
      break;
    }
    case ControlKind::kButton:
    case ControlKind::kReadOut:
      RenderCommonControl(widget, control);
      break;
    case ControlKind::kEdit:
      RenderCommonControl(widget, control);
      break;
    case ControlKind::kRadioGroup:
      break;
  }
}

QWidget* CSourceView::WidgetOf(int controlId) const {
  for (const Control& control : page_.Controls()) {
    auto found = shown_.find(control.id);
    if (found == shown_.end()) continue;
    const Shown& shown = found->second;
    for (size_t b = 0; b < control.buttonIds.size() && b < shown.radios.size(); ++b) {
      if (control.buttonIds[b] == controlId) return shown.radios[b];
    }
    if (control.id == controlId) return shown.widget;
  }
  return nullptr;
}

void CSourceView::RestoreRadioFocus() {
  const QWidget* focused = focusWidget();
  if (focused == nullptr || !focused->hasFocus()) return;
  for (const auto& [id, shown] : shown_) {
    if (std::find(shown.radios.begin(), shown.radios.end(), focused) == shown.radios.end()) {
      continue;
    }
    for (QRadioButton* radio : shown.radios) {
      if (radio->isChecked()) radio->setFocus(Qt::OtherFocusReason);
    }
    return;
  }
}

}  // namespace qamp
