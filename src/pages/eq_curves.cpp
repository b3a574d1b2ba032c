#include "pages/eq_curves.h"

#include <cmath>
#include <cstdio>

#include "pages/equalizer_page.h"
#include "pages/parametric_eq_page.h"
#include "pages/sound_option_page.h"

namespace qamp {

namespace {

// A control's value, or `fallback` where the page has no such control.
int ValueOf(const CBasePage& page, int id, int fallback = 0) {
  const Control* control = page.FindControl(id);
  return control != nullptr ? control->value : fallback;
}

bool Visible(const CBasePage& page, int id) {
  const Control* control = page.FindControl(id);
  return control != nullptr && control->visible;
}

// The item the page's channel list shows, or empty.
std::string ChannelName(const CBasePage& page, int comboId) {
  const Control* combo = page.FindControl(comboId);
  if (combo == nullptr || !IsIndexOf(combo->value, combo->items)) return {};
  return combo->items[static_cast<size_t>(combo->value)];
}

double Decibels(int tenths) {
  return tenths / 10.0;
}

// "1kHz", "62.5Hz", "2.52kHz": a frequency as a band mark names it.
std::string FrequencyLabel(double hz) {
  char text[32];
  if (hz >= 1000.0) {
    std::snprintf(text, sizeof text, "%.3gkHz", hz / 1000.0);
  } else {
    std::snprintf(text, sizeof text, "%.3gHz", hz);
  }
  return text;
}

}  // namespace

double GraphicBandQ() {
  // Q = sqrt(2^N) / (2^N - 1) for a bandwidth of N octaves.
  const double ratio = std::exp2(4.0 / 3.0);
  return std::sqrt(ratio) / (ratio - 1.0);
}

EqCurve GraphicEqCurve(const CGEQSetPage& page) {
  EqCurve curve;
  curve.name = ChannelName(page, CGEQSetPage::kChannelCombo);
  for (size_t band = 0; band < CGEQSetPage::kBandCount; ++band) {
    const int slider = CGEQSetPage::BandSliderOf(band);
    if (!Visible(page, slider)) continue;
    const Control* control = page.FindControl(slider);
    const double frequency = CGEQSetPage::BandFrequencyOf(band);
    const double gain = Decibels(control->value);
    curve.filters.push_back({EqFilterKind::kPeaking, frequency, GraphicBandQ(), gain});
    curve.marks.push_back({control->caption, frequency, gain});
  }
  return curve;
}

EqCurve ParametricEqCurve(const CPEQSetPage& page) {
  EqCurve curve;
  curve.name = ChannelName(page, CPEQSetPage::kChannelCombo);
  const size_t bands = CPEQSetPage::BandsOfRecord(page.SelectedSubIndex());
  for (size_t band = 0; band < bands; ++band) {
    const int frequencyIndex = ValueOf(page, CPEQSetPage::FrequencyComboOf(band), -1);
    const int qIndex = ValueOf(page, CPEQSetPage::QComboOf(band), -1);
    if (!IsIndexOf(frequencyIndex, CPEQSetPage::FrequencyTexts()) ||
        !IsIndexOf(qIndex, CPEQSetPage::QTexts())) {
      continue;
    }
    const double frequency = CPEQSetPage::FrequencyOf(frequencyIndex);
    const double gain = Decibels(ValueOf(page, CPEQSetPage::GainSliderOf(band)));
    curve.filters.push_back({EqFilterKind::kPeaking, frequency, CPEQSetPage::QOf(qIndex), gain});
    curve.marks.push_back({"Band " + std::to_string(band + 1), frequency, gain});
  }
  return curve;
}

std::vector<EqCurve> ToneCurves(const CToneControlPage& page) {
  struct Tone {
    const char* name;
    int bassSlider;
    int bassTurnover;
    int trebleSlider;
    int trebleTurnover;
  };
  const Tone tones[] = {
      {"Speaker", CToneControlPage::kSpeakerBassSlider, CToneControlPage::kSpeakerBassTurnover,
       CToneControlPage::kSpeakerTrebleSlider, CToneControlPage::kSpeakerTrebleTurnover},
      {"Headphone", CToneControlPage::kHeadphoneBassSlider,
       CToneControlPage::kHeadphoneBassTurnover, CToneControlPage::kHeadphoneTrebleSlider,
       CToneControlPage::kHeadphoneTrebleTurnover},
  };
  std::vector<EqCurve> curves;
  for (const Tone& tone : tones) {
    EqCurve curve;
    curve.name = tone.name;
    const double bass = CToneControlPage::BassTurnoverOf(ValueOf(page, tone.bassTurnover, -1));
    const double treble =
        CToneControlPage::TrebleTurnoverOf(ValueOf(page, tone.trebleTurnover, -1));
    if (bass > 0.0) {
      const double gain = Decibels(ValueOf(page, tone.bassSlider));
      curve.filters.push_back({EqFilterKind::kLowShelf, bass, kShelfQ, gain});
      curve.marks.push_back({"Bass " + FrequencyLabel(bass), bass, gain});
    }
    if (treble > 0.0) {
      const double gain = Decibels(ValueOf(page, tone.trebleSlider));
      curve.filters.push_back({EqFilterKind::kHighShelf, treble, kShelfQ, gain});
      curve.marks.push_back({"Treble " + FrequencyLabel(treble), treble, gain});
    }
    curves.push_back(std::move(curve));
  }
  return curves;
}

std::string DescribeCurve(const EqCurve& curve) {
  std::string text;
  for (const EqBandMark& mark : curve.marks) {
    char gain[32];
    std::snprintf(gain, sizeof gain, "%+.1f dB", mark.gainDb);
    if (!text.empty()) text += ", ";
    text += mark.label + " " + gain;
  }
  return text;
}

}  // namespace qamp
