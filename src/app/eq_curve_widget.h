// A response plot: one or more equaliser curves over a logarithmic
// frequency axis from 20 Hz to 20 kHz and a decibel axis, each band marked
// where it sits, titled as the approximate response it is. It computes
// nothing of its own beyond sampling the curves it is given; its
// accessible description reads each band's gain.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <vector>

#include "model/eq_response.h"

namespace qamp {

class CEqCurveWidget : public QWidget {
  Q_OBJECT

 public:
  // The decibel axis spans `lowDb` to `highDb`.
  CEqCurveWidget(double lowDb, double highDb, QWidget* parent = nullptr);

  // Draws these curves from now on; `title` names what they are of.
  void SetCurves(std::vector<EqCurve> curves, const QString& title);
  const std::vector<EqCurve>& Curves() const { return curves_; }
  // The drawn response of curve `index` at the plot's sample frequencies.
  const std::vector<double>& Samples(size_t index) const { return samples_.at(index); }
  static const std::vector<double>& SampleFrequencies();

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRectF PlotArea() const;
  double XOf(double frequency, const QRectF& area) const;
  double YOf(double db, const QRectF& area) const;

  double lowDb_;
  double highDb_;
  QString title_;
  std::vector<EqCurve> curves_;
  std::vector<std::vector<double>> samples_;
};

}  // namespace qamp
