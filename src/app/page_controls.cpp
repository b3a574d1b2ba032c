#include "app/page_controls.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>

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
