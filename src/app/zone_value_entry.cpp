#include "app/zone_value_entry.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QToolTip>
#include <cmath>

namespace qamp {

namespace {

QString Written(int value, const SliderUnits& units) {
  if (units.balanceCentre) {
    const int offset = value - *units.balanceCentre;
    if (offset == 0) return "Mid";
    return offset < 0 ? QString("L%1").arg(-offset) : QString("R%1").arg(offset);
  }
  QString text;
  if (units.scale == 10) {
    text = QString("%1%2.%3")
               .arg(value < 0 ? "-" : "")
               .arg(std::abs(value) / 10)
               .arg(std::abs(value) % 10);
  } else {
    text = QString::number(value);
  }
  return units.unit.isEmpty() ? text : text + " " + units.unit;
}

QString StepText(int step, const SliderUnits& units) {
  if (units.balanceCentre) return QString::number(step);
  return Written(step, units);
}

}  // namespace

std::optional<int> ParseTypedValue(const QString& typed, const SliderUnits& units, bool& offStep) {
  offStep = false;
  QString text = typed.trimmed();
  for (const auto& [word, value] : units.words) {
    if (text.compare(word, Qt::CaseInsensitive) == 0) return value;
  }
  if (!units.unit.isEmpty() && text.endsWith(units.unit, Qt::CaseInsensitive)) {
    text.chop(units.unit.size());
    text = text.trimmed();
  }
  int side = 0;
  if (units.balanceCentre && !text.isEmpty()) {
    const QChar first = text.front().toUpper();
    if (first == 'L' || first == 'R') {
      side = first == 'L' ? -1 : 1;
      text = text.mid(1).trimmed();
    }
  }
  static const QRegularExpression number(R"(^([+-]?)(\d{1,6})(?:\.(\d{1,6}))?$)");
  const QRegularExpressionMatch match = number.match(text);
  if (!match.hasMatch()) return std::nullopt;
  if (side != 0 && !match.captured(1).isEmpty()) return std::nullopt;
  const bool negative = match.captured(1) == "-";
  const long long whole = match.captured(2).toLongLong();
  const QString decimals = match.captured(3);
  // Exactly, digit by digit: 0.1 is no binary fraction.
  long long scaled = whole * units.scale;
  long long unit = units.scale;
  for (const QChar digit : decimals) {
    unit /= 10;
    if (unit == 0) {
      if (digit != '0') offStep = true;
      continue;
    }
    scaled += digit.digitValue() * unit;
  }
  if (negative) scaled = -scaled;
  if (side != 0) scaled = side * scaled;
  if (units.balanceCentre) scaled += *units.balanceCentre;
  if (scaled < -1000000 || scaled > 1000000) return std::nullopt;
  return static_cast<int>(scaled);
}

QString RefusalOf(int value, bool offStep, const Control& slider, const SliderUnits& units) {
  const QString name = QString::fromLatin1(slider.caption.c_str());
  if (value < slider.minimum || value > slider.maximum) {
    return QString("%1 takes values from %2 to %3.")
        .arg(name, Written(slider.minimum, units), Written(slider.maximum, units));
  }
  const int step = std::max(slider.step, 1);
  if (offStep || (value - slider.minimum) % step != 0) {
    return QString("%1 moves in steps of %2.").arg(name, StepText(step, units));
  }
  return {};
}

CTypedReadOut::CTypedReadOut(SliderUnits units, std::function<const Control*()> slider,
                             std::function<void(int)> store, QWidget* parent)
    : QLabel(parent),
      units_(std::move(units)),
      slider_(std::move(slider)),
      store_(std::move(store)) {
  setFocusPolicy(Qt::StrongFocus);
  setToolTip("Double-click or press Enter to type a value");
  editor_ = new QLineEdit(this);
  editor_->hide();
  editor_->installEventFilter(this);
}

bool CTypedReadOut::IsTyping() const {
  return !editor_->isHidden();
}

void CTypedReadOut::BeginTyping() {
  const Control* slider = slider_();
  if (slider == nullptr || !slider->enabled || !slider->visible) return;
  editor_->setAccessibleName(accessibleName() + " entry");
  editor_->setGeometry(rect());
  editor_->setText(text());
  editor_->selectAll();
  editor_->show();
  editor_->setFocus(Qt::OtherFocusReason);
}

QString CTypedReadOut::Enter(const QString& typed) {
  const Control* slider = slider_();
  if (slider == nullptr || !slider->enabled) {
    EndTyping();
    return {};
  }
  bool offStep = false;
  const std::optional<int> value = ParseTypedValue(typed, units_, offStep);
  if (!value) {
    refusal_ = QString("\"%1\" is not a value of %2.")
                   .arg(typed.trimmed(), QString::fromLatin1(slider->caption.c_str()));
  } else {
    refusal_ = RefusalOf(*value, offStep, *slider, units_);
  }
  if (!refusal_.isEmpty()) {
    setAccessibleDescription(refusal_);
    if (IsTyping()) {
      editor_->selectAll();
      QToolTip::showText(mapToGlobal(QPoint(0, height())), refusal_, this);
    }
    return refusal_;
  }
  setAccessibleDescription({});
  EndTyping();
  store_(*value);
  return {};
}

void CTypedReadOut::EndTyping() {
  if (!IsTyping()) return;
  const bool hadFocus = editor_->hasFocus();
  editor_->hide();
  QToolTip::hideText();
  if (hadFocus) setFocus(Qt::OtherFocusReason);
}

void CTypedReadOut::mouseDoubleClickEvent(QMouseEvent* event) {
  BeginTyping();
  event->accept();
}

void CTypedReadOut::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    BeginTyping();
    event->accept();
    return;
  }
  QLabel::keyPressEvent(event);
}

bool CTypedReadOut::eventFilter(QObject* watched, QEvent* event) {
  if (watched == editor_) {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      // Taken here: the edit would pass Enter on to the read-out, which
      // would open it again.
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Enter(editor_->text());
        return true;
      }
      if (key == Qt::Key_Escape) {
        EndTyping();
        return true;
      }
    }
    if (event->type() == QEvent::FocusOut && IsTyping()) {
      editor_->hide();
      QToolTip::hideText();
    }
  }
  return QLabel::eventFilter(watched, event);
}

void CTypedReadOut::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  editor_->setGeometry(rect());
}

}  // namespace qamp
