#include "model/eq_response.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace qamp {

Biquad DesignBiquad(const EqFilter& filter, double sampleRate) {
  // The cookbook's formulas, with A = 10^(gain/40) and the band's Q.
  const double a = std::pow(10.0, filter.gainDb / 40.0);
  const double w0 = 2.0 * std::numbers::pi * filter.frequency / sampleRate;
  const double cosW0 = std::cos(w0);
  const double alpha = std::sin(w0) / (2.0 * std::max(filter.q, 1e-6));
  double b0 = 1.0;
  double b1 = 0.0;
  double b2 = 0.0;
  double a0 = 1.0;
  double a1 = 0.0;
  double a2 = 0.0;
  switch (filter.kind) {
    case EqFilterKind::kPeaking:
      b0 = 1.0 + alpha * a;
      b1 = -2.0 * cosW0;
      b2 = 1.0 - alpha * a;
      a0 = 1.0 + alpha / a;
      a1 = -2.0 * cosW0;
      a2 = 1.0 - alpha / a;
      break;
    case EqFilterKind::kLowShelf: {
      const double root = 2.0 * std::sqrt(a) * alpha;
      b0 = a * ((a + 1.0) - (a - 1.0) * cosW0 + root);
      b1 = 2.0 * a * ((a - 1.0) - (a + 1.0) * cosW0);
      b2 = a * ((a + 1.0) - (a - 1.0) * cosW0 - root);
      a0 = (a + 1.0) + (a - 1.0) * cosW0 + root;
      a1 = -2.0 * ((a - 1.0) + (a + 1.0) * cosW0);
      a2 = (a + 1.0) + (a - 1.0) * cosW0 - root;
      break;
    }
    case EqFilterKind::kHighShelf: {
      const double root = 2.0 * std::sqrt(a) * alpha;
      b0 = a * ((a + 1.0) + (a - 1.0) * cosW0 + root);
      b1 = -2.0 * a * ((a - 1.0) + (a + 1.0) * cosW0);
      b2 = a * ((a + 1.0) + (a - 1.0) * cosW0 - root);
      a0 = (a + 1.0) - (a - 1.0) * cosW0 + root;
      a1 = 2.0 * ((a - 1.0) - (a + 1.0) * cosW0);
      a2 = (a + 1.0) - (a - 1.0) * cosW0 - root;
      break;
    }
  }
  return {b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0};
}

double MagnitudeDb(const Biquad& biquad, double frequency, double sampleRate) {
  const double w = 2.0 * std::numbers::pi * frequency / sampleRate;
  const std::complex<double> z1 = std::polar(1.0, -w);  // z^-1
  const std::complex<double> z2 = z1 * z1;
  const std::complex<double> numerator = biquad.b0 + biquad.b1 * z1 + biquad.b2 * z2;
  const std::complex<double> denominator = 1.0 + biquad.a1 * z1 + biquad.a2 * z2;
  return 20.0 * std::log10(std::abs(numerator) / std::abs(denominator));
}

double ResponseDb(const std::vector<EqFilter>& filters, double frequency, double sampleRate) {
  double total = 0.0;
  for (const EqFilter& filter : filters) {
    // A band at 0 dB passes everything unchanged: skip its rounding noise.
    if (filter.gainDb == 0.0) continue;
    total += MagnitudeDb(DesignBiquad(filter, sampleRate), frequency, sampleRate);
  }
  return total;
}

std::vector<double> LogFrequencies(size_t count, double low, double high) {
  count = std::max<size_t>(count, 2);
  std::vector<double> frequencies(count);
  const double ratio = std::log(high / low);
  for (size_t i = 0; i < count; ++i) {
    frequencies[i] =
        low * std::exp(ratio * static_cast<double>(i) / static_cast<double>(count - 1));
  }
  frequencies.back() = high;
  return frequencies;
}

}  // namespace qamp
