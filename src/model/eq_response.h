// The approximate frequency response of an equaliser: each band a standard
// second-order filter (the peaking and shelving biquads of the Audio EQ
// Cookbook by R. Bristow-Johnson) at 48 kHz, and the response of several
// bands the sum of their responses in decibels. The receiver's own filters
// are not published, so this is what a plot can honestly show: the shape
// the settings ask for, not a measurement.
#pragma once

#include <string>
#include <vector>

namespace qamp {

inline constexpr double kEqSampleRate = 48000.0;
// The range a response plot spans.
inline constexpr double kEqPlotLowHz = 20.0;
inline constexpr double kEqPlotHighHz = 20000.0;
// The Q of a shelf whose slope is the steepest without overshoot (S = 1).
inline constexpr double kShelfQ = 0.7071067811865476;

enum class EqFilterKind { kPeaking, kLowShelf, kHighShelf };

// One band: for a peak its centre, for a shelf its turnover (the frequency
// where it has half its gain in decibels).
struct EqFilter {
  EqFilterKind kind = EqFilterKind::kPeaking;
  double frequency = 1000.0;
  double q = 1.0;
  double gainDb = 0.0;
};

// Coefficients normalised so that a0 is 1:
// H(z) = (b0 + b1 z^-1 + b2 z^-2) / (1 + a1 z^-1 + a2 z^-2).
struct Biquad {
  double b0 = 1.0;
  double b1 = 0.0;
  double b2 = 0.0;
  double a1 = 0.0;
  double a2 = 0.0;
};

Biquad DesignBiquad(const EqFilter& filter, double sampleRate = kEqSampleRate);
// |H| at `frequency`, in decibels.
double MagnitudeDb(const Biquad& biquad, double frequency, double sampleRate = kEqSampleRate);
// The response of every filter in cascade at `frequency`, in decibels.
double ResponseDb(const std::vector<EqFilter>& filters, double frequency,
                  double sampleRate = kEqSampleRate);
// `count` frequencies (at least 2) spread evenly on a logarithmic scale
// from `low` to `high`, both included.
std::vector<double> LogFrequencies(size_t count, double low = kEqPlotLowHz,
                                   double high = kEqPlotHighHz);

// A curve as a plot shows it: its name, its filters, and where its bands
// sit (each with its label and gain, for the marks and for reading out).
struct EqBandMark {
  std::string label;
  double frequency = 0.0;
  double gainDb = 0.0;
};
struct EqCurve {
  std::string name;
  std::vector<EqFilter> filters;
  std::vector<EqBandMark> marks;
};

}  // namespace qamp
