#include "app/progress_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace qamp {

namespace {

constexpr int kTickMs = 1000;
// Below this share of the work the rate says too little to estimate from.
constexpr int kEstimateFromPercent = 2;

}  // namespace

CProgressWindow::CProgressWindow(QWidget* parent, const QString& caption, const QString& text,
                                 int range, std::function<int64_t()> now,
                                 std::function<void()> cancel)
    : QDialog(parent),
      now_(std::move(now)),
      cancel_(std::move(cancel)),
      started_(now_()),
      range_(range),
      bar_(new QProgressBar(this)),
      times_(new QLabel(this)),
      note_(new QLabel(this)),
      cancelButton_(new QPushButton("Cancel", this)) {
  setWindowTitle(caption);
  setWindowModality(Qt::ApplicationModal);
  setMinimumWidth(380);
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(text, this);
  label->setTextFormat(Qt::PlainText);
  layout->addWidget(label);
  note_->setTextFormat(Qt::PlainText);
  note_->setWordWrap(true);
  note_->setAccessibleName("What is sent");
  note_->hide();
  layout->addWidget(note_);
  bar_->setRange(0, range > 0 ? range : 1);
  bar_->setValue(0);
  bar_->setAccessibleName(caption);
  layout->addWidget(bar_);
  times_->setTextFormat(Qt::PlainText);
  times_->setAccessibleName("Time");
  layout->addWidget(times_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  cancelButton_->setAccessibleName("Cancel");
  buttons->addWidget(cancelButton_);
  layout->addLayout(buttons);
  connect(cancelButton_, &QPushButton::clicked, this, [this] {
    if (cancel_) cancel_();
  });
  connect(&tick_, &QTimer::timeout, this, [this] { UpdateTimes(); });
  tick_.start(kTickMs);
  UpdateTimes();
}

void CProgressWindow::SetNote(const QString& note) {
  note_->setText(note);
  note_->setVisible(!note.isEmpty());
}

QString CProgressWindow::Note() const {
  return note_->text();
}

void CProgressWindow::SetProgress(int position) {
  position_ = position;
  bar_->setValue(std::min(position, bar_->maximum()));
  UpdateTimes();
}

QString CProgressWindow::DurationText(int64_t milliseconds) {
  const int64_t seconds = (milliseconds + 500) / 1000;
  const int64_t hours = seconds / 3600;
  const int64_t minutes = seconds / 60 % 60;
  const int64_t rest = seconds % 60;
  if (hours > 0) {
    return QString("%1:%2:%3")
        .arg(hours)
        .arg(minutes, 2, 10, QChar('0'))
        .arg(rest, 2, 10, QChar('0'));
  }
  return QString("%1:%2").arg(minutes).arg(rest, 2, 10, QChar('0'));
}

int64_t CProgressWindow::EstimateRemainingMs(int64_t elapsedMs, int position, int range) {
  if (range <= 0 || position <= 0 || elapsedMs <= 0) return -1;
  if (static_cast<int64_t>(position) * 100 < static_cast<int64_t>(range) * kEstimateFromPercent) {
    return -1;
  }
  if (position >= range) return 0;
  return elapsedMs * (range - position) / position;
}

QString CProgressWindow::ElapsedText() const {
  return DurationText(now_() - started_);
}

QString CProgressWindow::RemainingText() const {
  const int64_t remaining = EstimateRemainingMs(now_() - started_, position_, range_);
  return remaining < 0 ? QString("estimating") : QString("about ") + DurationText(remaining);
}

void CProgressWindow::UpdateTimes() {
  times_->setText(QString("Elapsed %1, remaining %2").arg(ElapsedText(), RemainingText()));
}

void CProgressWindow::reject() {
  // Escape asks as the "Cancel" button does; the window closes only when
  // the operation has ended.
  if (cancel_) cancel_();
}

void CProgressWindow::closeEvent(QCloseEvent* event) {
  if (isVisible() && event->spontaneous()) {
    event->ignore();
    if (cancel_) cancel_();
    return;
  }
  QDialog::closeEvent(event);
}

}  // namespace qamp
