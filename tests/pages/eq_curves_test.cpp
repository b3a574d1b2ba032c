// The approximate responses the equaliser and tone plots draw: the filter
// shapes themselves, and the curves read from the pages' descriptions.
#include <gtest/gtest.h>

#include <cmath>

#include "model/eq_response.h"
#include "pages/eq_curves.h"
#include "pages/equalizer_page.h"
#include "pages/parametric_eq_page.h"
#include "pages/sound_option_page.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

TEST(EqResponse, APeakAtAQuarterOfTheRateHasTheCookbookCoefficients) {
  // f0 = fs/4: cos w0 = 0, sin w0 = 1. Q 1: alpha = 0.5. A gain of
  // 40 log10(2) dB: A = 2. b = (1 + 1, 0, 1 - 1), a = (1 + 0.25, 0, 1 - 0.25),
  // divided by a0 = 1.25.
  const Biquad b = DesignBiquad({EqFilterKind::kPeaking, 12000.0, 1.0, 40.0 * std::log10(2.0)});
  EXPECT_NEAR(b.b0, 1.6, 1e-12);
  EXPECT_NEAR(b.b1, 0.0, 1e-12);
  EXPECT_NEAR(b.b2, 0.0, 1e-12);
  EXPECT_NEAR(b.a1, 0.0, 1e-12);
  EXPECT_NEAR(b.a2, 0.6, 1e-12);
  // |H| at f0 is (1.6) / |1 + 0.6 z^-2| with z^-2 = -1 there: 1.6 / 0.4 = 4,
  // that is A^2, +12.04 dB.
  EXPECT_NEAR(MagnitudeDb(b, 12000.0), 20.0 * std::log10(4.0), 1e-9);
}

TEST(EqResponse, APeakAtItsCentreIsItsGainForEveryGainQAndFrequency) {
  // The receiver's extremes: -20 dB to +6 dB, Q 0.5 to 10.08, 62.5 Hz to
  // 16 kHz, and the graphic equaliser's +-6 dB.
  for (const double gain : {-20.0, -12.5, -6.0, -0.5, 0.5, 3.0, 6.0}) {
    for (const double q : {0.5, 1.0, 2.52, 10.08}) {
      for (const double frequency : {62.5, 1000.0, 6349.6, 16000.0}) {
        const double value = ResponseDb({{EqFilterKind::kPeaking, frequency, q, gain}}, frequency);
        EXPECT_NEAR(value, gain, 0.1) << gain << " dB, Q " << q << ", " << frequency << " Hz";
      }
    }
  }
}

TEST(EqResponse, PeaksPassDcAndNyquistAndACutMirrorsItsBoost) {
  const EqFilter boost{EqFilterKind::kPeaking, 400.0, 2.0, 5.5};
  const EqFilter cut{EqFilterKind::kPeaking, 400.0, 2.0, -5.5};
  EXPECT_NEAR(MagnitudeDb(DesignBiquad(boost), 0.0), 0.0, 1e-9);
  EXPECT_NEAR(MagnitudeDb(DesignBiquad(boost), kEqSampleRate / 2.0), 0.0, 1e-9);
  for (const double frequency : LogFrequencies(31)) {
    EXPECT_NEAR(ResponseDb({cut}, frequency), -ResponseDb({boost}, frequency), 1e-9) << frequency;
    // A cut and its boost together are flat.
    EXPECT_NEAR(ResponseDb({cut, boost}, frequency), 0.0, 1e-9) << frequency;
  }
  // Off its centre a peak gives less than its gain, and more the nearer.
  EXPECT_LT(ResponseDb({boost}, 800.0), ResponseDb({boost}, 500.0));
  EXPECT_GT(ResponseDb({boost}, 800.0), 0.0);
}

TEST(EqResponse, ZeroGainIsFlatEverywhereWhateverTheShape) {
  for (const EqFilterKind kind :
       {EqFilterKind::kPeaking, EqFilterKind::kLowShelf, EqFilterKind::kHighShelf}) {
    const Biquad biquad = DesignBiquad({kind, 1000.0, 4.0, 0.0});
    for (const double frequency : LogFrequencies(61)) {
      EXPECT_NEAR(MagnitudeDb(biquad, frequency), 0.0, 1e-9) << frequency;
    }
  }
}

TEST(EqResponse, ShelvesReachTheirGainBeyondTheTurnoverAndHalfOfItThere) {
  struct Case {
    EqFilterKind kind;
    double turnover;
    double gain;
    double inside;   // where the shelf has its whole gain
    double outside;  // where it has none
  };
  const Case cases[] = {
      {EqFilterKind::kLowShelf, 125.0, -6.0, 20.0, 20000.0},
      {EqFilterKind::kLowShelf, 500.0, 6.0, 20.0, 20000.0},
      {EqFilterKind::kHighShelf, 2500.0, 6.0, 20000.0, 20.0},
      {EqFilterKind::kHighShelf, 8000.0, -6.0, 20000.0, 20.0},
  };
  for (const Case& c : cases) {
    const std::vector<EqFilter> shelf = {{c.kind, c.turnover, kShelfQ, c.gain}};
    EXPECT_NEAR(ResponseDb(shelf, c.inside), c.gain, 0.01) << c.turnover;
    EXPECT_NEAR(ResponseDb(shelf, c.outside), 0.0, 0.01) << c.turnover;
    EXPECT_NEAR(ResponseDb(shelf, c.turnover), c.gain / 2.0, 1e-6) << c.turnover;
    // An octave past the turnover it is most of the way, and no further.
    const double octave = c.kind == EqFilterKind::kLowShelf ? c.turnover / 2 : c.turnover * 2;
    EXPECT_GT(std::abs(ResponseDb(shelf, octave)), 4.0) << c.turnover;
    EXPECT_LE(std::abs(ResponseDb(shelf, octave)), 6.0) << c.turnover;
  }
}

TEST(EqResponse, LogFrequenciesSpanTheAxisEvenlyOnALogScale) {
  const std::vector<double> three = LogFrequencies(3);
  ASSERT_EQ(three.size(), 3u);
  EXPECT_DOUBLE_EQ(three[0], 20.0);
  EXPECT_NEAR(three[1], 632.4555, 1e-4);  // sqrt(20 * 20000)
  EXPECT_DOUBLE_EQ(three[2], 20000.0);
  // Decades apart: 20, 200, 2000, 20000.
  const std::vector<double> four = LogFrequencies(4);
  EXPECT_NEAR(four[1], 200.0, 1e-9);
  EXPECT_NEAR(four[2], 2000.0, 1e-9);
  EXPECT_EQ(LogFrequencies(0).size(), 2u);
}

using GeqFixture = testing::PageFixture<CGEQSetPage>;
using PeqFixture = testing::PageFixture<CPEQSetPage>;
using ToneFixture = testing::PageFixture<CToneControlPage>;

TEST(EqCurves, TheGraphicCurveIsFlatUntilASliderMovesAndThenPeaksAtItsBand) {
  GeqFixture f(ControlMode::kAsync);
  const EqCurve flat = GraphicEqCurve(f.page);
  EXPECT_EQ(flat.name, "Center");
  ASSERT_EQ(flat.marks.size(), 7u);
  for (const double frequency : LogFrequencies(101)) {
    EXPECT_EQ(ResponseDb(flat.filters, frequency), 0.0) << frequency;
  }
  // The slider moved but not released: the curve follows it.
  f.page.MoveSlider(1569, 60);  // 1kHz to +6.0 dB
  const EqCurve raised = GraphicEqCurve(f.page);
  EXPECT_NEAR(ResponseDb(raised.filters, 1000.0), 6.0, 0.1);
  EXPECT_EQ(raised.marks[3].label, "1kHz");
  EXPECT_DOUBLE_EQ(raised.marks[3].gainDb, 6.0);
  // A band wide: half its gain in dB where the next band begins, 2/3 of
  // an octave away, and little at the neighbours' centres.
  EXPECT_NEAR(ResponseDb(raised.filters, 1000.0 / std::exp2(2.0 / 3.0)), 3.0, 0.1);
  EXPECT_NEAR(ResponseDb(raised.filters, 1000.0 * std::exp2(2.0 / 3.0)), 3.0, 0.1);
  EXPECT_LT(ResponseDb(raised.filters, 400.0), 1.5);
  EXPECT_LT(ResponseDb(raised.filters, 2500.0), 1.5);
  // The extremes of the slider at the ends of the range.
  f.page.MoveSlider(1569, 0);
  f.page.MoveSlider(1566, -60);
  f.page.MoveSlider(1572, 60);
  const EqCurve ends = GraphicEqCurve(f.page);
  EXPECT_NEAR(ResponseDb(ends.filters, 63.0), -6.0, 0.1);
  EXPECT_NEAR(ResponseDb(ends.filters, 16000.0), 6.0, 0.1);
}

TEST(EqCurves, TheSubwoofersGraphicCurveHasItsTwoBands) {
  GeqFixture f(ControlMode::kAsync);
  f.page.ChooseCombo(CGEQSetPage::kChannelCombo, 9);
  const EqCurve curve = GraphicEqCurve(f.page);
  EXPECT_EQ(curve.name, "Subwoofer");
  ASSERT_EQ(curve.marks.size(), 2u);
  EXPECT_EQ(curve.marks[0].label, "63Hz");
  EXPECT_EQ(curve.marks[1].label, "160Hz");
}

TEST(EqCurves, TheParametricCurveTakesEachBandsFrequencyQAndGain) {
  PeqFixture f(ControlMode::kAsync);
  f.page.ChooseCombo(CPEQSetPage::kChannelCombo, 2);  // Front R
  // Band 3 at 630.0Hz, Q 10.080, -20.0 dB; band 7 at 16000.0Hz, Q 0.500, +6.0 dB.
  f.page.ChooseCombo(CPEQSetPage::FrequencyComboOf(2), 10);
  f.page.ChooseCombo(CPEQSetPage::QComboOf(2), 13);
  f.page.MoveSlider(CPEQSetPage::GainSliderOf(2), -200);
  f.page.ChooseCombo(CPEQSetPage::QComboOf(6), 0);
  f.page.MoveSlider(CPEQSetPage::GainSliderOf(6), 60);
  const EqCurve curve = ParametricEqCurve(f.page);
  EXPECT_EQ(curve.name, "Front R");
  ASSERT_EQ(curve.filters.size(), 7u);
  EXPECT_NEAR(curve.filters[2].frequency, 630.0, 0.05);
  EXPECT_NEAR(curve.filters[2].q, 10.08, 0.001);
  EXPECT_NEAR(ResponseDb(curve.filters, 630.0), -20.0, 0.1);
  EXPECT_NEAR(ResponseDb(curve.filters, 16000.0), 6.0, 0.1);
  // The other bands are at 0 dB: far from both, the curve is flat.
  EXPECT_NEAR(ResponseDb(curve.filters, 62.5), 0.0, 0.1);
  EXPECT_EQ(DescribeCurve(curve),
            "Band 1 +0.0 dB, Band 2 +0.0 dB, Band 3 -20.0 dB, Band 4 +0.0 dB, Band 5 +0.0 dB, "
            "Band 6 +0.0 dB, Band 7 +6.0 dB");
  // The Subwoofer: its two bands.
  f.page.ChooseCombo(CPEQSetPage::kChannelCombo, 9);
  EXPECT_EQ(ParametricEqCurve(f.page).filters.size(), 2u);
}

TEST(EqCurves, TheStepsOfTheParametricPageAreTheValuesItsTextsName) {
  const auto& frequencies = CPEQSetPage::FrequencyTexts();
  ASSERT_EQ(frequencies.size(), 25u);
  for (size_t i = 0; i < frequencies.size(); ++i) {
    EXPECT_NEAR(CPEQSetPage::FrequencyOf(static_cast<int>(i)), std::stod(frequencies[i]), 0.05)
        << frequencies[i];
  }
  const auto& qs = CPEQSetPage::QTexts();
  ASSERT_EQ(qs.size(), 14u);
  for (size_t i = 0; i < qs.size(); ++i) {
    EXPECT_NEAR(CPEQSetPage::QOf(static_cast<int>(i)), std::stod(qs[i]), 0.001) << qs[i];
  }
}

TEST(EqCurves, ToneCurvesShelveAtTheTurnoversTheHiddenChoicesHold) {
  ToneFixture f(ControlMode::kAsync);
  f.page.ChooseCombo(CToneControlPage::kSpeakerBassTurnover, 0);    // 125Hz
  f.page.ChooseCombo(CToneControlPage::kSpeakerTrebleTurnover, 2);  // 8.0kHz
  f.page.MoveSlider(CToneControlPage::kSpeakerBassSlider, 60);
  f.page.MoveSlider(CToneControlPage::kSpeakerTrebleSlider, -60);
  const std::vector<EqCurve> curves = ToneCurves(f.page);
  ASSERT_EQ(curves.size(), 2u);
  EXPECT_EQ(curves[0].name, "Speaker");
  EXPECT_EQ(curves[1].name, "Headphone");
  EXPECT_EQ(DescribeCurve(curves[0]), "Bass 125Hz +6.0 dB, Treble 8kHz -6.0 dB");
  EXPECT_NEAR(ResponseDb(curves[0].filters, 20.0), 6.0, 0.05);
  EXPECT_NEAR(ResponseDb(curves[0].filters, 125.0), 3.0, 0.05);
  EXPECT_NEAR(ResponseDb(curves[0].filters, 8000.0), -3.0, 0.05);
  EXPECT_NEAR(ResponseDb(curves[0].filters, 20000.0), -6.0, 0.05);
  EXPECT_NEAR(ResponseDb(curves[0].filters, 1000.0), 0.0, 0.3);
  // "Flat" takes the gains to 0 and the turnovers to 350Hz and 3.5kHz.
  f.page.PressButton(1266);
  const EqCurve flat = ToneCurves(f.page)[0];
  EXPECT_EQ(DescribeCurve(flat), "Bass 350Hz +0.0 dB, Treble 3.5kHz +0.0 dB");
  for (const double frequency : LogFrequencies(41)) {
    EXPECT_EQ(ResponseDb(flat.filters, frequency), 0.0) << frequency;
  }
}

}  // namespace
}  // namespace qamp
