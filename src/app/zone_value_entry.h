// The read-out of a zone or display slider that also takes a typed value:
// a double-click on it, or Enter while it has the focus, opens an edit over
// it; Enter there checks the value against the slider's range and step
// and, when it fits, stores and sends it exactly as releasing the slider
// there would. A value that does not fit is refused with the reason, and
// the edit stays open for another try; Escape or leaving it closes it.
#pragma once

#include <QLabel>
#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "pages/base_page.h"

class QLineEdit;

namespace qamp {

// How the values of a slider are written: `scale` slider units to one
// written unit ("-12.5" dB is -125 tenths), an optional unit that may
// follow the number, words that stand for a value ("Mute", "Off", "Mid"),
// and, for a balance, "L3" / "R5" around the centre (a plain number then
// counts from the centre, negative to the left).
struct SliderUnits {
  int scale = 1;
  QString unit;
  std::vector<std::pair<QString, int>> words;
  std::optional<int> balanceCentre;
};

// The slider value a typed text names, unchecked; empty when it is no value
// at all. `offStep` is set when the text has more decimals than the scale.
std::optional<int> ParseTypedValue(const QString& text, const SliderUnits& units, bool& offStep);
// Why `value` cannot be set on `slider`, or empty when it can.
QString RefusalOf(int value, bool offStep, const Control& slider, const SliderUnits& units);

class CTypedReadOut : public QLabel {
 public:
  // `slider` gives the slider's control as the page describes it now;
  // `store` sets it (move and release) and draws the page again.
  CTypedReadOut(SliderUnits units, std::function<const Control*()> slider,
                std::function<void(int)> store, QWidget* parent = nullptr);

  // Opens the edit over the read-out (nothing while the slider is disabled).
  void BeginTyping();
  // Takes `text` as if typed and entered; the refusal, or empty when stored.
  QString Enter(const QString& text);
  QLineEdit* Editor() const { return editor_; }
  bool IsTyping() const;
  // The reason the last typed value was refused; empty after one was taken.
  const QString& LastRefusal() const { return refusal_; }

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void EndTyping();

  SliderUnits units_;
  std::function<const Control*()> slider_;
  std::function<void(int)> store_;
  QLineEdit* editor_ = nullptr;
  QString refusal_;
};

}  // namespace qamp
