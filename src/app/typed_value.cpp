#include "app/typed_value.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <algorithm>
#include <cstdlib>

#include "app/qamptool_view.h"

namespace qamp {

namespace {

int StepOf(const Control& slider) {
  return std::max(slider.step, 1);
}

int PowerOfTen(int decimals) {
  int power = 1;
  for (int i = 0; i < decimals; ++i) power *= 10;
  return power;
}

QString NumberText(int value, int decimals) {
  if (decimals <= 0) return QString::number(value);
  const int power = PowerOfTen(decimals);
  return QString("%1%2.%3")
      .arg(value < 0 ? "-" : "")
      .arg(std::abs(value) / power)
      .arg(std::abs(value) % power, decimals, 10, QChar('0'));
}

QString BalanceText(int value, int centre) {
  const int offset = value - centre;
  if (offset == 0) return "Mid";
  return offset < 0 ? QString("L%1").arg(-offset) : QString("R%1").arg(offset);
}

// A step is a distance, not a position: a balance moves in steps of "1".
QString StepText(int step, const SliderUnits& units) {
  if (units.balanceCentre) return QString::number(step);
  return NumberText(step, units.decimals) + units.unit;
}

// What a text names, unchecked: the value, whether it has digits finer
// than the units' decimals, or nothing when it names no value at all.
struct Parsed {
  std::optional<int> value;
  bool finerThanStep = false;
};

Parsed Parse(const QString& typed, const SliderUnits& units) {
  QString text = typed.trimmed();
  for (const auto& [word, value] : units.words) {
    if (text.compare(word, Qt::CaseInsensitive) == 0) return {value, false};
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
  static const QRegularExpression number(R"(^([+-]?)(\d{1,6})(?:\.(\d{0,6}))?$)");
  const QRegularExpressionMatch match = number.match(text);
  if (!match.hasMatch()) return {};
  // A side says the sign already.
  if (side != 0 && !match.captured(1).isEmpty()) return {};
  // Exactly, digit by digit: 0.1 is no binary fraction.
  const int decimals = std::max(units.decimals, 0);
  long long value = match.captured(2).toLongLong() * PowerOfTen(decimals);
  bool finer = false;
  const QString fraction = match.captured(3);
  for (int d = 0; d < static_cast<int>(fraction.size()); ++d) {
    const int digit = fraction[d].digitValue();
    if (d < decimals) {
      value += static_cast<long long>(digit) * PowerOfTen(decimals - d - 1);
    } else if (digit != 0) {
      finer = true;
    }
  }
  if (match.captured(1) == "-") value = -value;
  if (side != 0) value *= side;
  if (units.balanceCentre) value += *units.balanceCentre;
  if (value < -100000000 || value > 100000000) return {};
  return {static_cast<int>(value), finer};
}

}  // namespace

QString ValueText(int value, const SliderUnits& units) {
  for (const auto& [word, stands] : units.words) {
    if (stands == value) return word;
  }
  if (units.balanceCentre) return BalanceText(value, *units.balanceCentre);
  return NumberText(value, units.decimals);
}

QString WrittenValue(int value, const SliderUnits& units) {
  if (units.balanceCentre) return BalanceText(value, *units.balanceCentre);
  return NumberText(value, units.decimals) + units.unit;
}

TypedValue ReadTypedValue(const QString& text, const Control& slider, const SliderUnits& units,
                          const QString& name) {
  const QString who = !name.isEmpty()           ? name
                      : !slider.caption.empty() ? QString::fromLatin1(slider.caption.c_str())
                                                : QString("The slider");
  const QString from = WrittenValue(slider.minimum, units);
  const QString to = WrittenValue(slider.maximum, units);
  const QString typed = text.trimmed();
  if (typed.isEmpty()) {
    return {std::nullopt, QString("Type a value of %1 from %2 to %3.").arg(who, from, to)};
  }
  const Parsed parsed = Parse(typed, units);
  if (!parsed.value) {
    return {std::nullopt, QString("\"%1\" is not a value of %2, which takes values from %3 to %4.")
                              .arg(typed, who, from, to)};
  }
  const int value = *parsed.value;
  if (value < slider.minimum || value > slider.maximum) {
    return {
        std::nullopt,
        QString("%1 is out of range: %2 takes values from %3 to %4.").arg(typed, who, from, to)};
  }
  if (parsed.finerThanStep || (value - slider.minimum) % StepOf(slider) != 0) {
    return {std::nullopt, QString("%1 is not on a step: %2 moves in steps of %3 from %4 to %5.")
                              .arg(typed, who, StepText(StepOf(slider), units), from, to)};
  }
  return {value, {}};
}

CTypedReadOut::CTypedReadOut(SliderUnits units, std::function<const Control*()> slider,
                             QWidget* parent)
    : QLabel(parent), units_(std::move(units)), slider_(std::move(slider)) {
  StyleReadOut(this);
  setFocusPolicy(Qt::StrongFocus);
  setToolTip("Double-click, or press Enter, to type a value");
  editor_ = new QLineEdit(this);
  editor_->hide();
  editor_->installEventFilter(this);
  // Placed by the layout that places the read-out.
  problem_ = new QLabel;
  problem_->setTextFormat(Qt::PlainText);
  problem_->setWordWrap(true);
  problem_->setStyleSheet("color: #b00000;");
  problem_->hide();
}

CTypedReadOut::~CTypedReadOut() {
  // A line no layout took is the read-out's own.
  if (problem_ != nullptr && problem_->parent() == nullptr) delete problem_;
}

void CTypedReadOut::SetSliderName(const QString& name) {
  sliderName_ = name;
  editor_->setAccessibleName(name + " typed value");
  problem_->setAccessibleName(name + " refused value");
}

bool CTypedReadOut::IsTyping() const {
  return !editor_->isHidden();
}

void CTypedReadOut::BeginTyping() {
  const Control* slider = slider_ ? slider_() : nullptr;
  if (slider == nullptr || !slider->enabled || !slider->visible || !isEnabled()) return;
  editor_->setGeometry(rect());
  editor_->setText(ValueText(slider->value, units_));
  editor_->selectAll();
  editor_->show();
  editor_->setFocus(Qt::OtherFocusReason);
}

QString CTypedReadOut::Enter(const QString& text) {
  const Control* slider = slider_ ? slider_() : nullptr;
  if (slider == nullptr || !slider->enabled || !isEnabled()) {
    CancelTyping();
    return {};
  }
  const TypedValue typed = ReadTypedValue(text, *slider, units_, sliderName_);
  if (!typed.value) {
    refusal_ = typed.problem;
    problem_->setText(refusal_);
    problem_->show();
    editor_->setAccessibleDescription(refusal_);
    if (IsTyping()) editor_->selectAll();
    return refusal_;
  }
  ClearRefusal();
  const bool hadFocus = editor_->hasFocus();
  editor_->hide();
  if (hadFocus) setFocus(Qt::OtherFocusReason);
  if (onValue) onValue(*typed.value);
  return {};
}

void CTypedReadOut::CancelTyping() {
  ClearRefusal();
  if (!IsTyping()) return;
  const bool hadFocus = editor_->hasFocus();
  editor_->hide();
  if (hadFocus) setFocus(Qt::OtherFocusReason);
}

void CTypedReadOut::ClearRefusal() {
  refusal_.clear();
  problem_->clear();
  problem_->hide();
  editor_->setAccessibleDescription({});
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
        CancelTyping();
        return true;
      }
    }
    // Leaving the edit closes it; the focus has gone elsewhere already.
    if (event->type() == QEvent::FocusOut && IsTyping()) {
      editor_->hide();
      ClearRefusal();
    }
  }
  return QLabel::eventFilter(watched, event);
}

void CTypedReadOut::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  editor_->setGeometry(rect());
}

}  // namespace qamp
