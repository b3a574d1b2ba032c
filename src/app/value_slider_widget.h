// The value slider of the setting pages: a track bar (upright with its
// maximum at the top, or lying with its minimum on the left), its caption,
// the texts at its two ends and the green-on-black read-out of its value.
// The read-out is a CTypedReadOut: it takes a value typed in the slider's
// units ("-12.5"). The widget decides nothing: it reports what the user
// did, and shows what the page's description says.
#pragma once

#include <QString>
#include <QWidget>

#include "app/typed_value.h"
#include "pages/base_page.h"

class QLabel;
class QLineEdit;
class QSlider;

namespace qamp {

class CValueSliderWidget : public QWidget {
  Q_OBJECT

 public:
  CValueSliderWidget(Orientation orientation, SliderUnits units, QWidget* parent = nullptr);

  QSlider* Slider() const { return slider_; }
  CTypedReadOut* ReadOut() const { return readOut_; }
  QLabel* Caption() const { return caption_; }
  QLineEdit* Entry() const;
  // The refusal of the last typed value, empty when there was none.
  QString Problem() const;

  // Shows the slider's entry of the description and, where there is one,
  // its read-out's; no signal is emitted meanwhile.
  void Show(const Control& slider, const Control* readOut, const QString& accessibleName);
  // How values read from now on (a page whose unit can change).
  void SetUnits(SliderUnits units);
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

 private:
  Orientation orientation_;
  Control shown_;  // the slider as last shown: range, step, value
  QSlider* slider_ = nullptr;
  QLabel* caption_ = nullptr;
  QLabel* highLabel_ = nullptr;
  QLabel* lowLabel_ = nullptr;
  CTypedReadOut* readOut_ = nullptr;
};

}  // namespace qamp
