// The curves the equaliser and tone plots draw, read from the pages'
// descriptions as they stand (a slider being dragged included), so that a
// plot shows exactly what the page shows:
// - the Equalizer page's graphic equaliser of the selected channel: a
//   peaking band at each band's centre, each a band wide;
// - the parametric equaliser of the Parametric EQ page's selected channel:
//   a peaking band at each band's frequency, Q and gain;
// - the tone controls of the Sound Option page: a low and a high shelf at
//   the bass and treble turnovers, for speakers and for headphones.
#pragma once

#include <vector>

#include "model/eq_response.h"

namespace qamp {

class CGEQSetPage;
class CPEQSetPage;
class CToneControlPage;

// The Q of a graphic band: a bandwidth of 4/3 octave, the distance between
// two bands (63 Hz to 160 Hz), so that neighbouring bands meet at their
// half-gain points.
double GraphicBandQ();

// The bands the page shows (the Subwoofer's two).
EqCurve GraphicEqCurve(const CGEQSetPage& page);
EqCurve ParametricEqCurve(const CPEQSetPage& page);
// "Speaker" and "Headphone", in that order.
std::vector<EqCurve> ToneCurves(const CToneControlPage& page);

// A curve's gains at its bands as one line of text ("63Hz +2.5 dB,
// 160Hz -1.0 dB"), for reading out.
std::string DescribeCurve(const EqCurve& curve);

}  // namespace qamp
