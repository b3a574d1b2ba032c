#include "app/page_view.h"

#include "app/fixed_font.h"

#include "app/page_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "app/control_names.h"

namespace qamp {

namespace {

// More radio buttons than this wrap onto a further line of their group.
constexpr int kRadiosPerLine = 4;
// Buttons in a run stand this many to a line.
constexpr int kButtonsPerLine = 8;
// A list shows this many rows before it scrolls.
constexpr int kListRowsShown = 16;
// Wider edits and sliders are no easier to use.
constexpr int kEditMaximumWidth = 480;
// Radio groups in a run stand this many to a line.
constexpr int kGroupsPerLine = 3;
// A slider longer than this is no easier to set and moves its read-out
// away from its label.
constexpr int kSliderMaximumWidth = 480;

// A text that repeats the caption of another control is the frame drawn
// around that control, which its group box or label already shows.
bool IsFrameOfAnotherControl(const std::vector<Control>& controls, const Control& text) {
  if (text.kind != ControlKind::kText || text.caption.empty() || !text.text.empty()) return false;
  return std::any_of(controls.begin(), controls.end(), [&](const Control& other) {
    return other.kind != ControlKind::kText && other.caption == text.caption;
  });
}

}  // namespace

CPageView::CPageView(CBasePage& page, QWidget* parent) : CPageWidget(parent), page_(page) {
  Build();
  Render();
}

void CPageView::Build() {
  auto* content = MakeScrolledPage(this, &scroll_);
  auto* column = new QVBoxLayout(content);
  form_ = new QFormLayout;
  form_->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form_->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
  form_->setRowWrapPolicy(QFormLayout::DontWrapRows);
  column->addLayout(form_);
  column->addStretch(1);

  const std::vector<Control>& controls = page_.Controls();
  shown_.resize(controls.size());
  size_t i = 0;
  while (i < controls.size()) {
    const Control& control = controls[i];
    Shown& shown = shown_[i];
    switch (control.kind) {
      case ControlKind::kFrame: {
        // The generic form shows a frame as the heading of what follows it.
        QLabel* label = PlainLabel();
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        shown.widget = label;
        AddRow(nullptr, label, {i});
        ++i;
        continue;
      }
      case ControlKind::kText: {
        if (IsFrameOfAnotherControl(controls, control)) {
          ++i;
          continue;
        }
        QLabel* label = PlainLabel();
        label->setWordWrap(true);
        if (IsHeading(control)) {
          QFont bold = label->font();
          bold.setBold(true);
          label->setFont(bold);
        }
        shown.widget = label;
        AddRow(nullptr, label, {i});
        ++i;
        continue;
      }
      case ControlKind::kRadioGroup: {
        // Groups that follow one another share lines, a few to a line.
        size_t end = i;
        while (end < controls.size() && controls[end].kind == ControlKind::kRadioGroup) ++end;
        auto* field = new QWidget;
        auto* grid = new QGridLayout(field);
        grid->setContentsMargins(0, 0, 0, 0);
        std::vector<size_t> members;
        for (size_t m = i; m < end; ++m) {
          const int position = static_cast<int>(m - i);
          grid->addWidget(MakeRadioGroup(m), position / kGroupsPerLine, position % kGroupsPerLine);
          members.push_back(m);
        }
        for (int line = 0; line < kGroupsPerLine; ++line) grid->setColumnStretch(line, 1);
        AddRow(nullptr, field, std::move(members));
        i = end;
        continue;
      }
      case ControlKind::kSlider: {
        const bool paired = IsSliderReadOut(controls, i + 1);
        QWidget* field = MakeSlider(i);
        shown.label = PlainLabel();
        shown.label->setBuddy(shown.widget);
        if (paired) {
          AddRow(shown.label, field, {i, i + 1});
          i += 2;
        } else {
          AddRow(shown.label, field, {i});
          ++i;
        }
        continue;
      }
      case ControlKind::kCombo: {
        QComboBox* combo = MakePageCombo(page_, control.id, this, [this] { AfterAction(); });
        shown.widget = combo;
        shown.label = PlainLabel();
        shown.label->setBuddy(combo);
        // A combo box keeps its natural width beside its label (only
        // expanding fields grow), and stays the label's sibling, which is
        // how assistive technology pairs them.
        AddRow(shown.label, combo, {i});
        ++i;
        continue;
      }
      case ControlKind::kCheckBox: {
        QCheckBox* check = MakePageCheck(page_, control.id, this, [this] { AfterAction(); });
        shown.widget = check;
        AddRow(PlainLabel(), check, {i});
        ++i;
        continue;
      }
      case ControlKind::kEdit: {
        auto* edit = new QLineEdit;
        edit->setMaximumWidth(kEditMaximumWidth);
        const int id = control.id;
        connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
          page_.EnterText(id, ToModel(text));
          AfterAction();
        });
        shown.widget = edit;
        shown.label = PlainLabel();
        shown.label->setBuddy(edit);
        Watch(edit);
        AddRow(shown.label, edit, {i});
        ++i;
        continue;
      }
      case ControlKind::kReadOut:
        shown.widget = MakeReadOut();
        AddRow(PlainLabel(), shown.widget, {i});
        ++i;
        continue;
      case ControlKind::kButton:
      case ControlKind::kList: {
        // Buttons in a row of their own, lists side by side.
        size_t end = i;
        while (end < controls.size() && controls[end].kind == control.kind) ++end;
        QWidget* field =
            control.kind == ControlKind::kButton ? MakeButtonRow(i, end) : MakeListRow(i, end);
        std::vector<size_t> members;
        for (size_t m = i; m < end; ++m) members.push_back(m);
        AddRow(PlainLabel(), field, std::move(members));
        i = end;
        continue;
      }
    }
    ++i;
  }
}

void CPageView::AddRow(QWidget* label, QWidget* field, std::vector<size_t> members) {
  if (label != nullptr) {
    form_->addRow(label, field);
  } else {
    form_->addRow(field);
  }
  for (const size_t member : members) shown_[member].row = static_cast<int>(rows_.size());
  rows_.push_back({field, std::move(members)});
}

QWidget* CPageView::MakeSlider(size_t index) {
  const Control& control = page_.Controls()[index];
  auto* slider = new QSlider(Qt::Horizontal);
  slider->setSingleStep(1);
  // Arrow keys are kept off the pages, so Page Up and Page Down are the
  // keyboard's fine step.
  slider->setPageStep(1);
  slider->setMinimumWidth(240);
  slider->setMaximumWidth(kSliderMaximumWidth);
  // A slider takes the focus by a click or Tab, not by the wheel passing over.
  slider->setFocusPolicy(Qt::StrongFocus);
  const int id = control.id;
  connect(slider, &QSlider::valueChanged, this,
          [this, index](int position) { SliderChanged(index, position); });
  connect(slider, &QSlider::sliderReleased, this, [this, id] {
    page_.ReleaseSlider(id);
    AfterAction();
  });
  shown_[index].widget = slider;
  Watch(slider);
  auto* field = new QWidget;
  auto* line = new QHBoxLayout(field);
  line->setContentsMargins(0, 0, 0, 0);
  line->addWidget(slider, 1);
  if (IsSliderReadOut(page_.Controls(), index + 1)) {
    shown_[index + 1].widget = MakeReadOut();
    line->addWidget(shown_[index + 1].widget);
  }
  line->addStretch(1);
  return field;
}

void CPageView::SliderChanged(size_t index, int position) {
  const Control& control = page_.Controls()[index];
  const int id = control.id;
  const int value = control.minimum + position * SliderStep(control);
  auto* slider = static_cast<QSlider*>(shown_[index].widget);
  page_.MoveSlider(id, value);
  // Without a drag (a key, a click on the groove, a wheel, assistive
  // technology) the change is complete at once, as a release would make it.
  if (!slider->isSliderDown()) page_.ReleaseSlider(id);
  AfterAction();
}

QWidget* CPageView::MakeRadioGroup(size_t index) {
  const Control& control = page_.Controls()[index];
  auto* group = new QGroupBox;
  auto* grid = new QGridLayout(group);
  for (size_t b = 0; b < control.buttonIds.size(); ++b) {
    QRadioButton* radio =
        MakePageRadio(page_, control.buttonIds[b], this, [this] { AfterAction(); });
    const int position = static_cast<int>(b);
    grid->addWidget(radio, position / kRadiosPerLine, position % kRadiosPerLine);
    shown_[index].radios.push_back(radio);
  }
  grid->setColumnStretch(kRadiosPerLine, 1);
  shown_[index].widget = group;
  return group;
}

QWidget* CPageView::MakeButtonRow(size_t first, size_t end) {
  auto* field = new QWidget;
  auto* grid = new QGridLayout(field);
  grid->setContentsMargins(0, 0, 0, 0);
  for (size_t i = first; i < end; ++i) {
    QPushButton* button =
        MakePageButton(page_, page_.Controls()[i].id, this, [this] { AfterAction(); });
    shown_[i].widget = button;
    const int position = static_cast<int>(i - first);
    grid->addWidget(button, position / kButtonsPerLine, position % kButtonsPerLine);
  }
  grid->setColumnStretch(kButtonsPerLine, 1);
  return field;
}

QWidget* CPageView::MakeListRow(size_t first, size_t end) {
  auto* field = new QWidget;
  auto* line = new QHBoxLayout(field);
  line->setContentsMargins(0, 0, 0, 0);
  for (size_t i = first; i < end; ++i) {
    auto* cell = new QVBoxLayout;
    QLabel* caption = PlainLabel();
    auto* list = new QListWidget;
    caption->setBuddy(list);
    const int id = page_.Controls()[i].id;
    connect(list, &QListWidget::currentRowChanged, this, [this, id](int row) {
      if (row < 0) return;
      page_.SelectListRow(id, row);
      AfterAction();
    });
    Watch(list);
    shown_[i].widget = list;
    shown_[i].label = caption;
    cell->addWidget(caption);
    cell->addWidget(list, 1);
    line->addLayout(cell, 1);
  }
  return field;
}

QWidget* CPageView::MakeReadOut() {
  QLabel* readOut = PlainLabel();
  readOut->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Green on black, as the receiver's own display reads.
  QPalette palette = readOut->palette();
  palette.setColor(QPalette::Window, Qt::black);
  palette.setColor(QPalette::WindowText, QColor(0, 250, 0));
  palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0, 125, 0));
  readOut->setPalette(palette);
  readOut->setAutoFillBackground(true);
  readOut->setContentsMargins(4, 1, 4, 1);
  readOut->setMinimumWidth(readOut->fontMetrics().horizontalAdvance(" -888.8dB ") + 8);
  return readOut;
}

void CPageView::Watch(QWidget* widget) {
  widget->installEventFilter(this);
}

bool CPageView::eventFilter(QObject* watched, QEvent* event) {
  // The wheel scrolls the page past a slider or combo box that has not been
  // chosen, instead of changing a value (and, in Real Time Mode, sending
  // it) on the way.
  if (FilterPageEvent(watched, event, scroll_)) return true;
  return QWidget::eventFilter(watched, event);
}

void CPageView::AfterAction() {
  if (!rendering_) Render();
}

QWidget* CPageView::WidgetOf(int controlId) const {
  return ShownWidgetOf(page_.Controls(), shown_, controlId);
}

void CPageView::RestoreRadioFocus() {
  RestoreShownRadioFocus(focusWidget(), shown_);
}

void CPageView::Render() {
  rendering_ = true;
  const std::vector<Control>& controls = page_.Controls();
  const ControlNames names = NameControls(page_.Caption(), controls);
  const size_t count = std::min(controls.size(), shown_.size());
  for (size_t i = 0; i < count; ++i) {
    if (shown_[i].widget == nullptr) continue;
    RenderControl(i, controls[i]);
    const QString name = FromModel(names.controls[i]);
    if (controls[i].kind != ControlKind::kText) shown_[i].widget->setAccessibleName(name);
    // Assistive technology on Linux names a combo box or an edit by the
    // label it is paired with, so the label carries the name even where no
    // caption shows.
    if (shown_[i].label != nullptr) shown_[i].label->setAccessibleName(name);
    for (size_t b = 0; b < shown_[i].radios.size() && b < names.buttons[i].size(); ++b) {
      shown_[i].radios[b]->setAccessibleName(FromModel(names.buttons[i][b]));
    }
  }
  for (size_t r = 0; r < rows_.size(); ++r) {
    const bool anyShown = std::any_of(rows_[r].members.begin(), rows_[r].members.end(),
                                      [&](size_t m) { return m < count && controls[m].visible; });
    form_->setRowVisible(static_cast<int>(r), anyShown);
    // Lists side by side keep their tops level: either all show a caption
    // line (empty where a list has none) or none does.
    const bool anyCaption =
        std::any_of(rows_[r].members.begin(), rows_[r].members.end(), [&](size_t m) {
          return m < count && controls[m].kind == ControlKind::kList &&
                 !controls[m].caption.empty();
        });
    for (const size_t m : rows_[r].members) {
      if (m < count && controls[m].kind == ControlKind::kList && shown_[m].label != nullptr) {
        shown_[m].label->setVisible(anyCaption && controls[m].visible);
      }
    }
  }
  rendering_ = false;
}

void CPageView::RenderControl(size_t index, const Control& control) {
  Shown& shown = shown_[index];
  QWidget* widget = shown.widget;
  const QSignalBlocker blockWidget(widget);
  widget->setEnabled(control.enabled);
  widget->setVisible(control.visible);
  if (shown.label != nullptr) {
    shown.label->setText(FromModel(control.caption));
    shown.label->setEnabled(control.enabled);
    shown.label->setVisible(control.visible);
  }
  switch (control.kind) {
    case ControlKind::kFrame:
      static_cast<QLabel*>(widget)->setText(FromModel(control.caption));
      break;
    case ControlKind::kText: {
      auto* label = static_cast<QLabel*>(widget);
      label->setText(TextLine(control));
      break;
    }
    case ControlKind::kRadioGroup: {
      static_cast<QGroupBox*>(widget)->setTitle(FromModel(control.caption));
      for (size_t b = 0; b < shown.radios.size(); ++b) {
        QRadioButton* radio = shown.radios[b];
        const QSignalBlocker blockRadio(radio);
        radio->setText(b < control.items.size() ? FromModel(control.items[b]) : QString());
        radio->setEnabled(b >= control.itemEnabled.size() || control.itemEnabled[b]);
      }
      const bool anyChecked =
          control.value >= 0 && control.value < static_cast<int>(shown.radios.size());
      for (size_t b = 0; b < shown.radios.size(); ++b) {
        QRadioButton* radio = shown.radios[b];
        const QSignalBlocker blockRadio(radio);
        // A group with no valid value shows no button checked, which an
        // exclusive group would refuse.
        radio->setAutoExclusive(false);
        radio->setChecked(anyChecked && static_cast<int>(b) == control.value);
        radio->setAutoExclusive(true);
      }
      break;
    }
    case ControlKind::kSlider:
    case ControlKind::kCombo:
    case ControlKind::kCheckBox:
      RenderCommonControl(widget, control);
      break;
    case ControlKind::kList: {
      auto* list = static_cast<QListWidget*>(widget);
      ShowItems(*list, control.items);
      // Names padded with blanks, as the receiver's display centres them,
      // line up only in a fixed-width font.
      const bool padded =
          std::any_of(control.items.begin(), control.items.end(), [](const std::string& item) {
            return !item.empty() && (item.front() == ' ' || item.back() == ' ');
          });
      list->setFont(padded ? FixedPitchFont() : font());
      if (IsIndexOf(control.value, control.items)) {
        list->setCurrentRow(control.value);
      } else {
        list->setCurrentRow(-1);
        list->clearSelection();
      }
      const int rows = std::clamp(list->count(), 4, kListRowsShown);
      const int rowHeight =
          list->count() > 0 ? list->sizeHintForRow(0) : list->fontMetrics().height() + 2;
      list->setMinimumHeight(rows * rowHeight + 2 * list->frameWidth() + 2);
      break;
    }
    case ControlKind::kButton:
    case ControlKind::kReadOut:
      RenderCommonControl(widget, control);
      break;
    case ControlKind::kEdit:
      RenderCommonControl(widget, control);
      break;
  }
}

}  // namespace qamp
