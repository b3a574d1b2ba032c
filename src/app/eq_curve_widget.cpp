#include "app/eq_curve_widget.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "app/page_controls.h"
#include "pages/eq_curves.h"

namespace qamp {

namespace {

constexpr size_t kSamples = 241;

// The colours of the first, second, ... curve.
QColor CurveColor(size_t index) {
  static const QColor colors[] = {QColor(0, 110, 200), QColor(200, 90, 0), QColor(0, 140, 60)};
  return colors[index % 3];
}

QString AxisFrequency(double hz) {
  return hz >= 1000.0 ? QString::number(hz / 1000.0) + "k" : QString::number(hz);
}

}  // namespace

CEqCurveWidget::CEqCurveWidget(double lowDb, double highDb, QWidget* parent)
    : QWidget(parent), lowDb_(lowDb), highDb_(highDb) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setAccessibleName("Approximate response");
}

const std::vector<double>& CEqCurveWidget::SampleFrequencies() {
  static const std::vector<double> frequencies = LogFrequencies(kSamples);
  return frequencies;
}

void CEqCurveWidget::SetCurves(std::vector<EqCurve> curves, const QString& title) {
  curves_ = std::move(curves);
  title_ = title;
  samples_.clear();
  QString description;
  for (const EqCurve& curve : curves_) {
    std::vector<double> samples;
    samples.reserve(SampleFrequencies().size());
    for (const double frequency : SampleFrequencies()) {
      samples.push_back(ResponseDb(curve.filters, frequency));
    }
    samples_.push_back(std::move(samples));
    if (!description.isEmpty()) description += "; ";
    description += FromModel(curve.name) + ": " + FromModel(DescribeCurve(curve));
  }
  setAccessibleName("Approximate response" + (title.isEmpty() ? QString() : " of " + title));
  setAccessibleDescription(description);
  setToolTip(description);
  update();
}

QSize CEqCurveWidget::sizeHint() const {
  return {420, 220};
}

QSize CEqCurveWidget::minimumSizeHint() const {
  return {220, 150};
}

QRectF CEqCurveWidget::PlotArea() const {
  const QFontMetrics metrics = fontMetrics();
  const double left = metrics.horizontalAdvance("-24 dB") + 8;
  const double top = metrics.height() + 6;
  const double bottom = 2 * metrics.height() + 6;
  // Room on the right for half of the last frequency label.
  const double right = metrics.horizontalAdvance("20k") / 2.0 + 4;
  return QRectF(left, top, std::max(10.0, width() - left - right),
                std::max(10.0, height() - top - bottom));
}

double CEqCurveWidget::XOf(double frequency, const QRectF& area) const {
  const double position =
      std::log(frequency / kEqPlotLowHz) / std::log(kEqPlotHighHz / kEqPlotLowHz);
  return area.left() + position * area.width();
}

double CEqCurveWidget::YOf(double db, const QRectF& area) const {
  const double clamped = std::clamp(db, lowDb_, highDb_);
  return area.bottom() - (clamped - lowDb_) / (highDb_ - lowDb_) * area.height();
}

void CEqCurveWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF area = PlotArea();
  const QFontMetrics metrics = fontMetrics();
  painter.fillRect(area, palette().color(QPalette::Base));

  // The grid: decades and their 2 and 5. The ends and the decades are
  // labelled first, then the 2s and 5s where they leave room.
  const QColor grid = palette().color(QPalette::Mid);
  painter.setPen(QPen(grid, 0.5));
  std::vector<double> lines;
  for (double decade = 10.0; decade <= 10000.0; decade *= 10.0) {
    for (const double step : {1.0, 2.0, 5.0}) {
      const double frequency = decade * step;
      if (frequency < kEqPlotLowHz || frequency > kEqPlotHighHz) continue;
      lines.push_back(frequency);
      const double x = XOf(frequency, area);
      painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
  }
  std::vector<double> labelled = {kEqPlotLowHz, kEqPlotHighHz, 100.0, 1000.0, 10000.0};
  for (const double frequency : lines) {
    if (std::find(labelled.begin(), labelled.end(), frequency) == labelled.end()) {
      labelled.push_back(frequency);
    }
  }
  std::vector<std::pair<double, double>> taken;  // the spans of the labels drawn
  painter.setPen(palette().color(QPalette::WindowText));
  for (const double frequency : labelled) {
    const QString label = AxisFrequency(frequency);
    const double half = metrics.horizontalAdvance(label) / 2.0 + 3;
    const double x = XOf(frequency, area);
    const bool free = std::none_of(taken.begin(), taken.end(), [&](const auto& span) {
      return x + half > span.first && x - half < span.second;
    });
    if (!free) continue;
    taken.emplace_back(x - half, x + half);
    painter.drawText(QPointF(x - half + 3, area.bottom() + metrics.ascent() + 2), label);
  }
  // Decibel lines 3, 6 or 12 dB apart, whichever leaves room for labels.
  const double span = highDb_ - lowDb_;
  double dbStep = 3.0;
  while (dbStep < span && area.height() * dbStep / span < 1.4 * metrics.height()) dbStep *= 2.0;
  for (double db = std::ceil(lowDb_ / dbStep) * dbStep; db <= highDb_ + 1e-9; db += dbStep) {
    const double y = YOf(db, area);
    painter.setPen(
        QPen(db == 0.0 ? palette().color(QPalette::WindowText) : grid, db == 0.0 ? 1.0 : 0.5));
    painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    painter.setPen(palette().color(QPalette::WindowText));
    const QString label = QString::number(db) + " dB";
    painter.drawText(
        QPointF(area.left() - metrics.horizontalAdvance(label) - 4, y + metrics.ascent() / 2.0 - 1),
        label);
  }
  painter.setPen(palette().color(QPalette::WindowText));
  const QString title =
      "Approximate response" + (title_.isEmpty() ? QString() : QString(" \u2014 ") + title_);
  painter.drawText(QPointF(4, metrics.ascent() + 2),
                   metrics.elidedText(title, Qt::ElideRight, width() - 8));
  painter.drawText(QPointF(area.right() - metrics.horizontalAdvance("Hz"),
                           area.bottom() + metrics.height() + metrics.ascent() + 2),
                   "Hz");

  // The curves, each with its bands marked on it.
  painter.setClipRect(area.adjusted(-4, -4, 4, 4));
  const std::vector<double>& frequencies = SampleFrequencies();
  double legendX = area.left() + 6;
  for (size_t c = 0; c < curves_.size(); ++c) {
    const QColor color = CurveColor(c);
    QPainterPath path;
    for (size_t i = 0; i < frequencies.size(); ++i) {
      const QPointF point(XOf(frequencies[i], area), YOf(samples_[c][i], area));
      if (i == 0) {
        path.moveTo(point);
      } else {
        path.lineTo(point);
      }
    }
    painter.setPen(QPen(color, 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setBrush(color);
    for (const EqBandMark& mark : curves_[c].marks) {
      const double x = XOf(mark.frequency, area);
      painter.setPen(QPen(color, 1.0, Qt::DotLine));
      painter.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() - 6));
      painter.setPen(Qt::NoPen);
      painter.drawEllipse(QPointF(x, YOf(ResponseDb(curves_[c].filters, mark.frequency), area)),
                          3.0, 3.0);
    }
    if (curves_.size() > 1) {
      const QString name = FromModel(curves_[c].name);
      const double y = area.top() + metrics.height();
      painter.setPen(QPen(color, 2.0));
      painter.drawLine(QPointF(legendX, y - metrics.ascent() / 2.0),
                       QPointF(legendX + 14, y - metrics.ascent() / 2.0));
      painter.setPen(palette().color(QPalette::WindowText));
      painter.drawText(QPointF(legendX + 18, y), name);
      legendX += 30 + metrics.horizontalAdvance(name);
    }
  }
  painter.setClipping(false);
  painter.setPen(palette().color(QPalette::Mid));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area);
}

}  // namespace qamp
