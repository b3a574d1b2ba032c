#include "app/source_typed_value.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <cmath>

#include "app/qamptool_view.h"

namespace qamp {

std::optional<int> ParseTypedValue(const QString& text, const TypedRange& range, QString* why) {
  const int step = std::max(range.step, 1);
  const QString taken = QString("Enter a value from %1 to %2 in steps of %3.")
                            .arg(range.minimum)
                            .arg(range.maximum)
                            .arg(step);
  bool ok = false;
  const double typed = text.trimmed().toDouble(&ok);
  const double whole = std::round(typed);
  if (!ok || !std::isfinite(typed)) {
    if (why != nullptr) *why = "\"" + text.trimmed() + "\" is not a number. " + taken;
    return std::nullopt;
  }
  if (typed < range.minimum || typed > range.maximum) {
    if (why != nullptr) *why = text.trimmed() + " is out of range. " + taken;
    return std::nullopt;
  }
  const int value = static_cast<int>(whole);
  if (std::abs(typed - whole) > 1e-9 || (value - range.minimum) % step != 0) {
    if (why != nullptr) *why = text.trimmed() + " is not on the slider's step. " + taken;
    return std::nullopt;
  }
  return value;
}

CTypedValueLabel::CTypedValueLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignCenter);
  setFocusPolicy(Qt::StrongFocus);
  setToolTip("Double-click or press Enter to type a value");
  StyleReadOut(this);
}

void CTypedValueLabel::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
  BeginTyping();
}

void CTypedValueLabel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    BeginTyping();
    return;
  }
  QLabel::keyPressEvent(event);
}

void CTypedValueLabel::BeginTyping() {
  if (!isEnabled()) return;
  if (editor_ == nullptr) {
    editor_ = new QLineEdit(this);
    editor_->setAccessibleName(accessibleName() + " typed");
    connect(editor_, &QLineEdit::returnPressed, this, [this] { Accept(); });
    connect(editor_, &QLineEdit::editingFinished, this, [this] {
      if (editor_ != nullptr && !editor_->hasFocus()) EndTyping();
    });
  }
  editor_->setGeometry(rect());
  editor_->setText(text().trimmed());
  editor_->selectAll();
  editor_->show();
  editor_->setFocus(Qt::OtherFocusReason);
}

void CTypedValueLabel::Accept() {
  QString why;
  const std::optional<int> value = ParseTypedValue(editor_->text(), range_, &why);
  if (!value) {
    refusal_ = why;
    // Said without waiting: the event loop goes on while the box is open.
    auto* box = new QMessageBox(QMessageBox::Warning, accessibleName(), why, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextFormat(Qt::PlainText);
    box->open();
    return;
  }
  refusal_.clear();
  EndTyping();
  if (onValue) onValue(*value);
}

void CTypedValueLabel::EndTyping() {
  if (editor_ != nullptr) editor_->hide();
  setFocus(Qt::OtherFocusReason);
}

}  // namespace qamp
