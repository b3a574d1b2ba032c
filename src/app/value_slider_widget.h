// The value slider of the setting pages: a track bar (upright with its
// maximum at the top, or lying with its minimum on the left), its caption,
// the texts at its two ends and the green-on-black read-out of its value.
// The read-out also takes a typed value: a double-click on it, or Enter
// while it has the focus, opens an entry in the slider's units ("-12.5"),
// which is checked against the slider's range and step before it is handed
// on. The widget decides nothing: it reports what the user did, and shows
// what the page's description says.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>

#include "pages/base_page.h"

class QLabel;
class QLineEdit;
class QSlider;

namespace qamp {

// How a slider's values read as text: `decimals` digits after the point
// (a value of -125 with one decimal is "-12.5"), then the unit.
struct ValueScale {
  int decimals = 0;
  QString unit;
};

// A value typed for a slider, read in its scale and checked against its
// range and step: the value in the slider's own units, or why it is refused.
struct TypedValue {
  std::optional<int> value;
  QString problem;
};
TypedValue ReadTypedValue(const QString& text, const Control& slider, const ValueScale& scale);
// A value in the slider's own units as the entry shows it ("-12.5").
QString ValueText(int value, const ValueScale& scale);

class CValueSliderWidget : public QWidget {
  Q_OBJECT

 public:
  CValueSliderWidget(Orientation orientation, ValueScale scale, QWidget* parent = nullptr);

  QSlider* Slider() const { return slider_; }
  QLabel* ReadOut() const { return readOut_; }
  QLabel* Caption() const { return caption_; }
  QLineEdit* Entry() const { return entry_; }
  // The refusal of the last typed value, empty when there was none.
  QString Problem() const;

  // Shows the slider's entry of the description and, where there is one,
  // its read-out's; no signal is emitted meanwhile.
  void Show(const Control& slider, const Control* readOut, const QString& accessibleName);
  // How values read from now on (a page whose unit can change).
  void SetScale(ValueScale scale) { scale_ = std::move(scale); }
  // Opens the typed-value entry, as a double-click on the read-out does.
  void BeginEntry();

 signals:
  // The thumb moved to `value` (in the slider's units); `dragging` while
  // the mouse holds it, otherwise the change is complete at once.
  void Moved(int value, bool dragging);
  // The mouse let go of the thumb.
  void Released();
  // A typed value passed its checks.
  void Typed(int value);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FinishEntry();
  void CancelEntry();
  void Refuse(const QString& problem);

  Orientation orientation_;
  ValueScale scale_;
  Control shown_;  // the slider as last shown: range, step, value
  QSlider* slider_ = nullptr;
  QLabel* caption_ = nullptr;
  QLabel* highLabel_ = nullptr;
  QLabel* lowLabel_ = nullptr;
  QLabel* readOut_ = nullptr;
  QLineEdit* entry_ = nullptr;
  QLabel* problem_ = nullptr;
};

}  // namespace qamp
