#include "app/value_slider_widget.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>
#include <cstdlib>

#include "app/qamptool_view.h"

namespace qamp {

namespace {

int StepOf(const Control& slider) {
  return std::max(slider.step, 1);
}

int PositionsOf(const Control& slider) {
  return std::max(0, (slider.maximum - slider.minimum) / StepOf(slider));
}

int PositionOf(const Control& slider) {
  const int step = StepOf(slider);
  return std::clamp((slider.value - slider.minimum + step / 2) / step, 0, PositionsOf(slider));
}

int PowerOfTen(int decimals) {
  int power = 1;
  for (int i = 0; i < decimals; ++i) power *= 10;
  return power;
}

QString WithUnit(int value, const ValueScale& scale) {
  return scale.unit.isEmpty() ? ValueText(value, scale) : ValueText(value, scale) + scale.unit;
}

QLabel* EndLabel() {
  auto* label = new QLabel;
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

QString ValueText(int value, const ValueScale& scale) {
  if (scale.decimals <= 0) return QString::number(value);
  const int power = PowerOfTen(scale.decimals);
  const int whole = std::abs(value) / power;
  const int fraction = std::abs(value) % power;
  return QString("%1%2.%3")
      .arg(value < 0 ? "-" : "")
      .arg(whole)
      .arg(fraction, scale.decimals, 10, QChar('0'));
}

TypedValue ReadTypedValue(const QString& text, const Control& slider, const ValueScale& scale) {
  QString typed = text.trimmed();
  if (!scale.unit.isEmpty() && typed.endsWith(scale.unit, Qt::CaseInsensitive)) {
    typed.chop(scale.unit.size());
    typed = typed.trimmed();
  }
  const QString range = QString("from %1 to %2")
                            .arg(WithUnit(slider.minimum, scale), WithUnit(slider.maximum, scale));
  static const QRegularExpression number(R"(^([+-]?)(\d{1,6})(?:\.(\d*))?$)");
  const QRegularExpressionMatch match = number.match(typed);
  if (!match.hasMatch()) return {std::nullopt, QString("\"%1\" is not a number.").arg(text)};
  const QString fraction = match.captured(3);
  const QString stepText = WithUnit(StepOf(slider), scale);
  // More digits after the point than the scale has are finer than any step,
  // unless they are only zeros.
  QString significant = fraction;
  while (significant.size() > scale.decimals && significant.endsWith('0')) significant.chop(1);
  if (significant.size() > scale.decimals) {
    return {std::nullopt,
            QString("%1 is not on a step: the value moves in steps of %2.").arg(typed, stepText)};
  }
  const int power = PowerOfTen(scale.decimals);
  int value = match.captured(2).toInt() * power;
  if (!significant.isEmpty()) {
    value +=
        significant.toInt() * PowerOfTen(scale.decimals - static_cast<int>(significant.size()));
  }
  if (match.captured(1) == "-") value = -value;
  if (value < slider.minimum || value > slider.maximum) {
    return {std::nullopt, QString("%1 is out of range: enter a value %2.").arg(typed, range)};
  }
  if ((value - slider.minimum) % StepOf(slider) != 0) {
    return {std::nullopt,
            QString("%1 is not on a step: the value moves in steps of %2.").arg(typed, stepText)};
  }
  return {value, {}};
}

CValueSliderWidget::CValueSliderWidget(Orientation orientation, ValueScale scale, QWidget* parent)
    : QWidget(parent), orientation_(orientation), scale_(std::move(scale)) {
  const bool upright = orientation_ == Orientation::kVertical;
  slider_ = new QSlider(upright ? Qt::Vertical : Qt::Horizontal);
  slider_->setSingleStep(1);
  // Arrow keys are kept off the pages, so Page Up and Page Down are the
  // keyboard's fine step.
  slider_->setPageStep(1);
  slider_->setFocusPolicy(Qt::StrongFocus);
  if (upright) {
    slider_->setMinimumHeight(110);
    slider_->setTickPosition(QSlider::TicksBothSides);
  } else {
    slider_->setMinimumWidth(200);
    slider_->setMaximumWidth(480);
  }
  caption_ = EndLabel();
  highLabel_ = EndLabel();
  lowLabel_ = EndLabel();
  readOut_ = new QLabel;
  StyleReadOut(readOut_);
  readOut_->setFocusPolicy(Qt::StrongFocus);
  readOut_->setMinimumWidth(readOut_->fontMetrics().horizontalAdvance(" -888.8dB ") + 6);
  readOut_->setToolTip("Double-click, or press Enter, to type a value");
  readOut_->installEventFilter(this);
  entry_ = new QLineEdit;
  entry_->setMinimumWidth(readOut_->minimumWidth());
  entry_->setMaximumWidth(readOut_->minimumWidth() + 24);
  entry_->hide();
  entry_->installEventFilter(this);
  problem_ = new QLabel;
  problem_->setTextFormat(Qt::PlainText);
  problem_->setWordWrap(true);
  problem_->setStyleSheet("color: #b00000;");
  problem_->hide();

  if (upright) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);
    column->addWidget(caption_, 0, Qt::AlignHCenter);
    column->addWidget(highLabel_, 0, Qt::AlignHCenter);
    column->addWidget(slider_, 1, Qt::AlignHCenter);
    column->addWidget(lowLabel_, 0, Qt::AlignHCenter);
    column->addWidget(readOut_, 0, Qt::AlignHCenter);
    column->addWidget(entry_, 0, Qt::AlignHCenter);
    column->addWidget(problem_);
    problem_->setMaximumWidth(readOut_->minimumWidth() * 2);
  } else {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    // Captions of one width keep the sliders of a column aligned.
    caption_->setMinimumWidth(caption_->fontMetrics().horizontalAdvance("BD/HD DVD") + 8);
    caption_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(caption_, 0, 0);
    grid->addWidget(lowLabel_, 0, 1);
    grid->addWidget(slider_, 0, 2);
    grid->addWidget(highLabel_, 0, 3);
    grid->addWidget(readOut_, 0, 4);
    grid->addWidget(entry_, 0, 4);
    grid->addWidget(problem_, 1, 1, 1, 4);
    grid->setColumnStretch(2, 1);
  }
  caption_->setBuddy(slider_);

  connect(slider_, &QSlider::valueChanged, this, [this](int position) {
    const int value = shown_.minimum + position * StepOf(shown_);
    emit Moved(value, slider_->isSliderDown());
  });
  connect(slider_, &QSlider::sliderReleased, this, [this] { emit Released(); });
  connect(entry_, &QLineEdit::returnPressed, this, &CValueSliderWidget::FinishEntry);
}

QString CValueSliderWidget::Problem() const {
  return problem_->text();
}

void CValueSliderWidget::Show(const Control& slider, const Control* readOut,
                              const QString& accessibleName) {
  shown_ = slider;
  const QSignalBlocker blockSlider(slider_);
  slider_->setRange(0, PositionsOf(slider));
  slider_->setValue(PositionOf(slider));
  // About twenty ticks, however fine the step.
  slider_->setTickInterval(std::max(1, PositionsOf(slider) / 20));
  slider_->setEnabled(slider.enabled);
  slider_->setAccessibleName(accessibleName);
  caption_->setText(QString::fromLatin1(slider.caption.c_str()));
  caption_->setVisible(!slider.caption.empty());
  caption_->setEnabled(slider.enabled);
  highLabel_->setText(QString::fromLatin1(slider.highLabel.c_str()));
  highLabel_->setVisible(!slider.highLabel.empty());
  lowLabel_->setText(QString::fromLatin1(slider.lowLabel.c_str()));
  lowLabel_->setVisible(!slider.lowLabel.empty());
  readOut_->setVisible(readOut != nullptr && readOut->visible && !entry_->isVisible());
  if (readOut != nullptr) {
    readOut_->setText(QString::fromLatin1(readOut->text.c_str()));
    readOut_->setEnabled(readOut->enabled);
  }
  entry_->setAccessibleName(accessibleName + " typed value");
  slider_->setVisible(slider.visible);
  setVisible(slider.visible);
  if (!slider.enabled && entry_->isVisible()) CancelEntry();
}

void CValueSliderWidget::BeginEntry() {
  if (!shown_.enabled || !readOut_->isVisible()) return;
  entry_->setText(ValueText(shown_.value, scale_));
  entry_->selectAll();
  readOut_->hide();
  entry_->show();
  entry_->setFocus(Qt::OtherFocusReason);
}

void CValueSliderWidget::FinishEntry() {
  const TypedValue typed = ReadTypedValue(entry_->text(), shown_, scale_);
  if (!typed.value) {
    Refuse(typed.problem);
    return;
  }
  problem_->clear();
  problem_->hide();
  entry_->hide();
  readOut_->show();
  readOut_->setFocus(Qt::OtherFocusReason);
  emit Typed(*typed.value);
}

void CValueSliderWidget::CancelEntry() {
  entry_->hide();
  problem_->clear();
  problem_->hide();
  readOut_->show();
}

void CValueSliderWidget::Refuse(const QString& problem) {
  problem_->setText(problem);
  problem_->show();
  entry_->setToolTip(problem);
  entry_->selectAll();
}

bool CValueSliderWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched == readOut_) {
    if (event->type() == QEvent::MouseButtonDblClick) {
      BeginEntry();
      return true;
    }
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<const QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        BeginEntry();
        return true;
      }
    }
  }
  if (watched == entry_) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      CancelEntry();
      readOut_->setFocus(Qt::OtherFocusReason);
      return true;
    }
    if (event->type() == QEvent::FocusOut && entry_->isVisible()) CancelEntry();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qamp
