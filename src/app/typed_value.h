// A slider's value typed in. Every read-out under or beside a slider of a
// setting page is a CTypedReadOut: a double-click on it, or Enter while it
// has the focus, opens an edit over it; the text typed there, in the
// slider's own units ("-12.5", "-12.5dB", "L3", "Mute"), is checked against
// the slider's range and step and, when it fits, handed on exactly as a
// release of the thumb at that value would be. A value off the step or out
// of the range is refused with a message that names the range and the
// units, and the edit stays open for another try; Escape or leaving the
// edit closes it and changes nothing. The read-out decides nothing about
// the value itself: the page it is handed to may still refuse it (while a
// transfer runs, for one), and the read-out shows what the page says.
#pragma once

#include <QLabel>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "pages/base_page.h"

class QLineEdit;

namespace qamp {

// How the values of a slider are written: `decimals` digits after the point
// (a value of -125 with one decimal is "-12.5"), then the unit, which may
// also follow a typed number; words that stand for a value ("Mute", "Off",
// "Mid"); and, for a balance, "L3" / "R5" around the centre (a plain number
// then counts from the centre, negative to the left).
struct SliderUnits {
  int decimals = 0;
  QString unit;
  std::vector<std::pair<QString, int>> words;
  std::optional<int> balanceCentre;
};

// A value typed for a slider, read in its units and checked against its
// range and step: the value in the slider's own units, or why it is
// refused. `name` names the slider in the refusal (its caption when empty).
struct TypedValue {
  std::optional<int> value;
  QString problem;
};
TypedValue ReadTypedValue(const QString& text, const Control& slider, const SliderUnits& units,
                          const QString& name = {});
// A value as the edit opens with it: the number without the unit ("-12.5"),
// the word that stands for it ("Mute"), or the side of a balance ("L3").
QString ValueText(int value, const SliderUnits& units);
// A value with its unit, as the refusals write it ("-12.5dB").
QString WrittenValue(int value, const SliderUnits& units);

class CTypedReadOut : public QLabel {
 public:
  // `slider` gives the slider's control as the page describes it now (null
  // when there is none); the read-out is styled green on black.
  CTypedReadOut(SliderUnits units, std::function<const Control*()> slider,
                QWidget* parent = nullptr);
  ~CTypedReadOut() override;

  // Told an accepted value, in the slider's units; it is to store and send
  // it as a release would, and draw the page again.
  std::function<void(int)> onValue;

  void SetUnits(SliderUnits units) { units_ = std::move(units); }
  const SliderUnits& Units() const { return units_; }
  // The slider's name in refusals and the edit's accessible name.
  void SetSliderName(const QString& name);
  // The line under the read-out that says why a value was refused; the
  // layout that places the read-out places it too (it is hidden while
  // there is nothing to say).
  QLabel* ProblemLabel() const { return problem_; }

  // Opens the edit over the read-out (nothing while the slider is disabled
  // or hidden).
  void BeginTyping();
  // Takes `text` as if typed and entered; the refusal, or empty when the
  // value was handed on (or there was no enabled slider to take it).
  QString Enter(const QString& text);
  // Closes the edit without taking anything.
  void CancelTyping();
  QLineEdit* Editor() const { return editor_; }
  bool IsTyping() const;
  // Why the last typed value was refused; empty after one was taken.
  const QString& LastRefusal() const { return refusal_; }

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ClearRefusal();

  SliderUnits units_;
  std::function<const Control*()> slider_;
  QString sliderName_;
  QLineEdit* editor_ = nullptr;
  QPointer<QLabel> problem_;
  QString refusal_;
};

}  // namespace qamp
