#include "app/value_slider_widget.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>

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

QLabel* EndLabel() {
  auto* label = new QLabel;
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

CValueSliderWidget::CValueSliderWidget(Orientation orientation, SliderUnits units, QWidget* parent)
    : QWidget(parent), orientation_(orientation) {
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
  readOut_ = new CTypedReadOut(std::move(units), [this] { return &shown_; });
  // Room for the widest value any page shows ("-80.5dB", "12.00m").
  readOut_->setMinimumWidth(readOut_->fontMetrics().horizontalAdvance("-88.8dB") + 10);
  readOut_->onValue = [this](int value) { emit Typed(value); };
  QLabel* problem = readOut_->ProblemLabel();

  if (upright) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);
    column->addWidget(caption_, 0, Qt::AlignHCenter);
    column->addWidget(highLabel_, 0, Qt::AlignHCenter);
    column->addWidget(slider_, 1, Qt::AlignHCenter);
    column->addWidget(lowLabel_, 0, Qt::AlignHCenter);
    column->addWidget(readOut_, 0, Qt::AlignHCenter);
    column->addWidget(problem);
    problem->setMaximumWidth(readOut_->minimumWidth() * 2);
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
    grid->addWidget(problem, 1, 1, 1, 4);
    grid->setColumnStretch(2, 1);
  }
  caption_->setBuddy(slider_);

  connect(slider_, &QSlider::valueChanged, this, [this](int position) {
    const int value = shown_.minimum + position * StepOf(shown_);
    emit Moved(value, slider_->isSliderDown());
  });
  connect(slider_, &QSlider::sliderReleased, this, [this] { emit Released(); });
}

QString CValueSliderWidget::Problem() const {
  return readOut_->LastRefusal();
}

QLineEdit* CValueSliderWidget::Entry() const {
  return readOut_->Editor();
}

void CValueSliderWidget::SetUnits(SliderUnits units) {
  readOut_->SetUnits(std::move(units));
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
  readOut_->setVisible(readOut != nullptr && readOut->visible);
  if (readOut != nullptr) {
    readOut_->setText(QString::fromLatin1(readOut->text.c_str()));
    readOut_->setEnabled(readOut->enabled);
  }
  readOut_->SetSliderName(accessibleName);
  slider_->setVisible(slider.visible);
  setVisible(slider.visible);
  if (!slider.enabled) readOut_->CancelTyping();
}

void CValueSliderWidget::BeginEntry() {
  if (readOut_->isHidden()) return;
  readOut_->BeginTyping();
}

}  // namespace qamp
