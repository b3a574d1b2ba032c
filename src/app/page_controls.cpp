#include "app/page_controls.h"

#include <QRadioButton>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>

namespace qamp {

QString FromModel(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToModel(const QString& text) {
  return text.toLatin1().toStdString();
}

int SliderStep(const Control& control) {
  return std::max(control.step, 1);
}

int SliderPositions(const Control& control) {
  return std::max(0, (control.maximum - control.minimum) / SliderStep(control));
}

int SliderPosition(const Control& control) {
  const int step = SliderStep(control);
  return std::clamp((control.value - control.minimum + step / 2) / step, 0,
                    SliderPositions(control));
}

bool IsArrowKey(int key) {
  return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

QString TextLine(const Control& control) {
  if (control.text.empty()) return FromModel(control.caption);
  if (control.caption.empty()) return FromModel(control.text);
  return FromModel(control.caption + " " + control.text);
}

QWidget* MakeScrolledPage(QWidget* view, QScrollArea** scroll) {
  auto* outer = new QVBoxLayout(view);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* area = new QScrollArea(view);
  area->setWidgetResizable(true);
  area->setFrameShape(QFrame::NoFrame);
  outer->addWidget(area);
  auto* content = new QWidget(area);
  area->setWidget(content);
  if (scroll != nullptr) *scroll = area;
  return content;
}

QLabel* PlainLabel(const QString& text) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  return label;
}

bool SameItems(const QComboBox& combo, const std::vector<std::string>& items) {
  if (combo.count() != static_cast<int>(items.size())) return false;
  for (int i = 0; i < combo.count(); ++i) {
    if (combo.itemText(i) != FromModel(items[static_cast<size_t>(i)])) return false;
  }
  return true;
}

void ShowItems(QListWidget& list, const std::vector<std::string>& items) {
  const int count = static_cast<int>(items.size());
  while (list.count() > count) delete list.takeItem(list.count() - 1);
  for (int i = 0; i < count; ++i) {
    const QString text = FromModel(items[static_cast<size_t>(i)]);
    if (i < list.count()) {
      if (list.item(i)->text() != text) list.item(i)->setText(text);
    } else {
      list.addItem(text);
    }
  }
}

void RenderCommonControl(QWidget* widget, const Control& control) {
  switch (control.kind) {
    case ControlKind::kSlider: {
      auto* slider = static_cast<QSlider*>(widget);
      slider->setRange(0, SliderPositions(control));
      slider->setValue(SliderPosition(control));
      break;
    }
    case ControlKind::kCombo: {
      auto* combo = static_cast<QComboBox*>(widget);
      if (!SameItems(*combo, control.items)) {
        combo->clear();
        for (const std::string& item : control.items) combo->addItem(FromModel(item));
      }
      combo->setCurrentIndex(IsIndexOf(control.value, control.items) ? control.value : -1);
      break;
    }
    case ControlKind::kCheckBox: {
      auto* check = static_cast<QCheckBox*>(widget);
      check->setText(FromModel(control.caption));
      check->setChecked(control.value > 0);
      break;
    }
    case ControlKind::kButton:
      static_cast<QPushButton*>(widget)->setText(FromModel(control.caption));
      break;
    case ControlKind::kReadOut:
      static_cast<QLabel*>(widget)->setText(FromModel(control.text));
      break;
    case ControlKind::kEdit: {
      auto* edit = static_cast<QLineEdit*>(widget);
      const QString text = FromModel(control.text);
      // Rewriting the same text would move the cursor while typing.
      if (edit->text() != text) edit->setText(text);
      break;
    }
    default:
      break;
  }
}

void RenderRadios(const std::vector<QRadioButton*>& radios, const Control& control) {
  const bool anyChecked = control.value >= 0 && control.value < static_cast<int>(radios.size());
  for (size_t b = 0; b < radios.size(); ++b) {
    QRadioButton* radio = radios[b];
    const QSignalBlocker blockRadio(radio);
    radio->setText(b < control.items.size() ? FromModel(control.items[b]) : QString());
    radio->setEnabled(b >= control.itemEnabled.size() || control.itemEnabled[b]);
    // Unchecking every button of a group is something an exclusive group
    // would refuse.
    radio->setAutoExclusive(false);
    radio->setChecked(anyChecked && static_cast<int>(b) == control.value);
    radio->setAutoExclusive(true);
  }
}

QRadioButton* MakePageRadio(CBasePage& page, int buttonId, QObject* rules,
                            const std::function<void()>& after, QWidget* parent) {
  auto* radio = new QRadioButton(parent);
  QObject::connect(radio, &QRadioButton::clicked, rules, [&page, buttonId, after] {
    page.ClickRadio(buttonId);
    after();
  });
  radio->installEventFilter(rules);
  return radio;
}

QComboBox* MakePageCombo(CBasePage& page, int id, QObject* rules,
                         const std::function<void()>& after) {
  auto* combo = new QComboBox;
  combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  combo->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(combo, &QComboBox::currentIndexChanged, rules, [&page, id, after](int index) {
    if (index < 0) return;
    page.ChooseCombo(id, index);
    after();
  });
  combo->installEventFilter(rules);
  return combo;
}

QCheckBox* MakePageCheck(CBasePage& page, int id, QObject* rules,
                         const std::function<void()>& after) {
  auto* check = new QCheckBox;
  QObject::connect(check, &QCheckBox::toggled, rules, [&page, id, after](bool checked) {
    page.SetCheck(id, checked);
    after();
  });
  check->installEventFilter(rules);
  return check;
}

QPushButton* MakePageButton(CBasePage& page, int id, QObject* rules,
                            const std::function<void()>& after) {
  auto* button = new QPushButton;
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, rules, [&page, id, after] {
    page.PressButton(id);
    after();
  });
  button->installEventFilter(rules);
  return button;
}

bool FilterPageEvent(QObject* watched, QEvent* event, QScrollArea* scroll) {
  if (event->type() == QEvent::KeyPress &&
      IsArrowKey(static_cast<const QKeyEvent*>(event)->key())) {
    return true;
  }
  if (event->type() == QEvent::Wheel) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const bool valueControl =
        qobject_cast<QSlider*>(widget) != nullptr || qobject_cast<QComboBox*>(widget) != nullptr;
    if (valueControl && !widget->hasFocus()) {
      if (scroll != nullptr) {
        QCoreApplication::sendEvent(scroll->verticalScrollBar(), event);
      } else {
        event->ignore();
      }
      return true;
    }
  }
  return false;
}

}  // namespace qamp
