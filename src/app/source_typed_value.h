// A slider's value typed in: the read-out under a slider of the source and
// list pages takes a double-click (or Enter while it has the focus) and
// opens an edit over itself; the number typed there, in the slider's own
// units, is checked against the slider's range and step, and handed on
// exactly as a release of the thumb at that value would be. A value that
// is off the step or out of the range is refused with a message saying
// which values are taken.
#pragma once

#include <QLabel>
#include <QString>
#include <functional>
#include <optional>

class QLineEdit;

namespace qamp {

struct TypedRange {
  int minimum = 0;
  int maximum = 0;
  int step = 1;
};

// The slider value `text` names, or nothing with the reason in `why`.
std::optional<int> ParseTypedValue(const QString& text, const TypedRange& range, QString* why);

class CTypedValueLabel : public QLabel {
 public:
  explicit CTypedValueLabel(QWidget* parent = nullptr);

  void SetRange(const TypedRange& range) { range_ = range; }
  // Opens the edit (what a double-click or Enter does).
  void BeginTyping();
  QLineEdit* Editor() const { return editor_; }
  // The message of the last refusal, empty after an accepted value.
  const QString& Refusal() const { return refusal_; }

  // Told the accepted value, in the slider's units.
  std::function<void(int)> onValue;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Accept();
  void EndTyping();

  TypedRange range_;
  QLineEdit* editor_ = nullptr;
  QString refusal_;
};

}  // namespace qamp
