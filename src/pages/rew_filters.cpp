#include "pages/rew_filters.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

#include "pages/parametric_eq_page.h"

namespace qamp {

namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = text.find('\n', start);
    std::string_view line =
        text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

bool SameWord(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
           return lower(x) == lower(y);
         });
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool HasControlCharacter(std::string_view line) {
  return std::any_of(line.begin(), line.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t') || byte == 0x7f;
  });
}

// A whole word as a decimal number with a point: "-3.25", "1000", "+2".
std::optional<double> Number(std::string_view word) {
  if (!word.empty() && word.front() == '+') word.remove_prefix(1);
  if (word.empty()) return std::nullopt;
  const bool digitsAndPoint =
      std::all_of(word.begin() + (word.front() == '-' ? 1 : 0), word.end(),
                  [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
  if (!digitsAndPoint) return std::nullopt;
  double value = 0.0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

std::string LineText(int line) {
  return "Line " + std::to_string(line) + ": ";
}

std::string Quoted(std::string_view word) {
  return "\"" + std::string(word) + "\"";
}

// A filter line: "Filter", then a word starting with its number.
bool IsFilterLine(const std::vector<std::string_view>& words) {
  return words.size() >= 2 && SameWord(words[0], "Filter") && words[1].front() >= '0' &&
         words[1].front() <= '9';
}

// Reads one filter line into `filter`; false with `error` set when it is
// not one, and `used` false for an unused slot.
bool ReadFilterLine(const std::vector<std::string_view>& words, int line, RewFilter& filter,
                    bool& used, std::string& error) {
  size_t at = 1;
  std::string_view number = words[at++];
  if (number.back() == ':') {
    number.remove_suffix(1);
  } else if (at < words.size() && words[at] == ":") {
    ++at;
  } else {
    error = LineText(line) + "\"Filter\" and its number are not followed by a colon.";
    return false;
  }
  const std::optional<double> index = Number(number);
  if (!index || *index != std::floor(*index) || *index < 1 || *index > 999) {
    error = LineText(line) + Quoted(number) + " is not a filter number.";
    return false;
  }
  filter.line = line;
  filter.number = static_cast<int>(*index);
  if (at >= words.size() || !(SameWord(words[at], "ON") || SameWord(words[at], "OFF"))) {
    error = LineText(line) + "filter " + std::to_string(filter.number) +
            " is neither \"ON\" nor \"OFF\".";
    return false;
  }
  const bool on = SameWord(words[at++], "ON");
  if (at >= words.size()) {
    error = LineText(line) + "filter " + std::to_string(filter.number) + " has no type.";
    return false;
  }
  const std::string_view type = words[at++];
  used = on && !SameWord(type, "None");
  if (!used) return true;
  if (!SameWord(type, "PK")) {
    error = LineText(line) + "filter " + std::to_string(filter.number) + " is of type " +
            Quoted(type) + "; the receiver's parametric equaliser has peaking bands (\"PK\") only.";
    return false;
  }
  bool haveFrequency = false;
  bool haveGain = false;
  bool haveQ = false;
  while (at < words.size()) {
    const std::string_view key = words[at++];
    const bool frequency = SameWord(key, "Fc");
    const bool gain = SameWord(key, "Gain");
    const bool q = SameWord(key, "Q");
    if (!frequency && !gain && !q) {
      error =
          LineText(line) + Quoted(key) + " is not understood (expected \"Fc\", \"Gain\" or \"Q\").";
      return false;
    }
    if ((frequency && haveFrequency) || (gain && haveGain) || (q && haveQ)) {
      error = LineText(line) + Quoted(key) + " is given twice.";
      return false;
    }
    const std::optional<double> value = at < words.size() ? Number(words[at]) : std::nullopt;
    if (!value) {
      error = LineText(line) + Quoted(key) + " is not followed by a number" +
              (at < words.size() ? " (" + Quoted(words[at]) + ")." : ".");
      return false;
    }
    ++at;
    const std::string_view unit = frequency ? "Hz" : gain ? "dB" : "";
    if (!unit.empty()) {
      if (at >= words.size() || !SameWord(words[at], unit)) {
        error = LineText(line) + "the value of " + Quoted(key) + " is not followed by " +
                Quoted(unit) + ".";
        return false;
      }
      ++at;
    }
    if ((frequency || q) && *value <= 0.0) {
      error = LineText(line) + Quoted(key) + " must be above 0.";
      return false;
    }
    if (frequency) filter.frequency = *value, haveFrequency = true;
    if (gain) filter.gainDb = *value, haveGain = true;
    if (q) filter.q = *value, haveQ = true;
  }
  if (!haveFrequency || !haveGain || !haveQ) {
    error = LineText(line) + "filter " + std::to_string(filter.number) + " lacks its " +
            (!haveFrequency ? "frequency (\"Fc\")"
             : !haveGain    ? "gain (\"Gain\")"
                            : "Q (\"Q\")") +
            ".";
    return false;
  }
  return true;
}

// The number a step's text shows ("78.7Hz": 78.7) and its decimals.
struct ShownNumber {
  double value = 0.0;
  int decimals = 0;
};

ShownNumber NumberOfText(const std::string& text) {
  ShownNumber shown;
  const char* end = text.data() + text.size();
  std::from_chars(text.data(), end, shown.value);
  const size_t point = text.find('.');
  if (point != std::string::npos) {
    size_t digits = point + 1;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
    shown.decimals = static_cast<int>(digits - point - 1);
  }
  return shown;
}

// Whether `value`, written as `shown` is, reads as `shown`.
bool ReadsAs(double value, const ShownNumber& shown) {
  const double scale = std::pow(10.0, shown.decimals);
  return std::llround(value * scale) == std::llround(shown.value * scale);
}

// The nearest of the steps base * 2^(k/3), k = 0..count-1; `clamped` when
// the value lies beyond half a step past either end.
int NearestThirdOctave(double value, double base, int count, bool& clamped) {
  const double position = 3.0 * std::log2(value / base);
  const double index = std::floor(position + 0.5);
  clamped = index < 0 || index > count - 1;
  return static_cast<int>(std::clamp(index, 0.0, static_cast<double>(count - 1)));
}

std::string Fixed(double value, int decimals) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string GainText(int tenths) {
  return Fixed(tenths / 10.0, 1) + "dB";
}

std::string Padded(const std::string& text, size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace

RewFilterFile ParseRewFilters(std::string_view text) {
  RewFilterFile file;
  bool inFilters = false;
  const std::vector<std::string_view> lines = SplitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    const int line = static_cast<int>(i + 1);
    const std::string_view content = lines[i];
    if (HasControlCharacter(content)) {
      file.error = LineText(line) + "holds characters that are not text.";
      return file;
    }
    if (IsBlank(content)) continue;
    const std::vector<std::string_view> words = Words(content);
    if (!IsFilterLine(words)) {
      if (!inFilters) continue;  // the header
      file.error = LineText(line) + "is not a filter line (" + Quoted(content) + ").";
      return file;
    }
    inFilters = true;
    RewFilter filter;
    bool used = false;
    if (!ReadFilterLine(words, line, filter, used, file.error)) return file;
    if (used) file.filters.push_back(filter);
  }
  if (!inFilters) {
    file.error =
        "The file has no filter lines (such as \"Filter  1: ON  PK  Fc 100.0 Hz  Gain -3.0 dB  Q "
        "2.000\"): it is not a Room EQ Wizard filter settings file.";
  }
  return file;
}

PeqImport RoundToReceiver(const RewFilterFile& file, const std::vector<PeqSetting>& current,
                          const std::string& channel) {
  PeqImport result;
  if (!file.error.empty()) {
    result.error = file.error;
    return result;
  }
  if (file.filters.size() > current.size()) {
    result.error = "The file has " + std::to_string(file.filters.size()) +
                   " filters in use, but the parametric equaliser of " + channel + " has " +
                   std::to_string(current.size()) +
                   " bands. Nothing was imported: let Room EQ "
                   "Wizard use at most " +
                   std::to_string(current.size()) + " filters and export again.";
    return result;
  }
  const std::vector<std::string>& frequencies = CPEQSetPage::FrequencyTexts();
  const std::vector<std::string>& qs = CPEQSetPage::QTexts();
  for (size_t band = 0; band < current.size(); ++band) {
    const std::string name = "Band " + std::to_string(band + 1);
    if (band >= file.filters.size()) {
      PeqSetting flat = current[band];
      flat.gain = 0;
      result.bands.push_back(flat);
      if (current[band].gain != 0) {
        result.rounded.push_back(name + ": no filter in the file, set to 0.0dB.");
      }
      continue;
    }
    const RewFilter& filter = file.filters[band];
    PeqSetting setting;
    std::vector<std::string> changes;
    bool clamped = false;
    setting.frequencyIndex = NearestThirdOctave(filter.frequency, CPEQSetPage::FrequencyOf(0),
                                                static_cast<int>(frequencies.size()), clamped);
    const std::string& frequencyText = frequencies[static_cast<size_t>(setting.frequencyIndex)];
    if (clamped) {
      changes.push_back(Fixed(filter.frequency, 1) + " Hz is out of range, set to " +
                        frequencyText);
    } else if (!ReadsAs(filter.frequency, NumberOfText(frequencyText))) {
      changes.push_back(Fixed(filter.frequency, 1) + " Hz rounded to " + frequencyText);
    }
    setting.qIndex =
        NearestThirdOctave(filter.q, CPEQSetPage::QOf(0), static_cast<int>(qs.size()), clamped);
    const std::string& qText = qs[static_cast<size_t>(setting.qIndex)];
    if (clamped) {
      changes.push_back("Q " + Fixed(filter.q, 3) + " is out of range, set to " + qText);
    } else if (!ReadsAs(filter.q, NumberOfText(qText))) {
      changes.push_back("Q " + Fixed(filter.q, 3) + " rounded to " + qText);
    }
    // Half-decibel steps; exactly between two, the one nearer 0 dB.
    const double halves = filter.gainDb * 2.0;
    double steps = std::round(halves);
    if (std::abs(halves - std::trunc(halves)) == 0.5) steps = std::trunc(halves);
    const int tenths = static_cast<int>(steps) * CPEQSetPage::kGainStep;
    setting.gain = std::clamp(tenths, CPEQSetPage::kMinimumGain, CPEQSetPage::kMaximumGain);
    if (setting.gain != tenths) {
      changes.push_back("gain " + Fixed(filter.gainDb, 2) + " dB is out of range, set to " +
                        GainText(setting.gain));
    } else if (std::llround(filter.gainDb * 100.0) != setting.gain * 10) {
      changes.push_back("gain " + Fixed(filter.gainDb, 2) + " dB rounded to " +
                        GainText(setting.gain));
    }
    if (!changes.empty()) {
      std::string line = name + " (filter " + std::to_string(filter.number) + ", line " +
                         std::to_string(filter.line) + "): ";
      for (size_t c = 0; c < changes.size(); ++c) line += (c == 0 ? "" : "; ") + changes[c];
      result.rounded.push_back(line + ".");
    }
    result.bands.push_back(setting);
  }
  return result;
}

std::string WriteRewFilters(const std::string& channel, const std::vector<PeqSetting>& bands) {
  const std::vector<std::string>& frequencies = CPEQSetPage::FrequencyTexts();
  const std::vector<std::string>& qs = CPEQSetPage::QTexts();
  std::string text = "Filter Settings file\n\nqamptool: parametric equaliser of the QR-K2600\n";
  text += "Channel: " + channel + "\n\nEqualiser: Generic\n";
  for (size_t band = 0; band < bands.size(); ++band) {
    const PeqSetting& setting = bands[band];
    const double frequency =
        IsIndexOf(setting.frequencyIndex, frequencies)
            ? NumberOfText(frequencies[static_cast<size_t>(setting.frequencyIndex)]).value
            : CPEQSetPage::FrequencyOf(setting.frequencyIndex);
    const double q = IsIndexOf(setting.qIndex, qs)
                         ? NumberOfText(qs[static_cast<size_t>(setting.qIndex)]).value
                         : CPEQSetPage::QOf(setting.qIndex);
    text += "Filter " + Padded(std::to_string(band + 1), 2) + ": ON  PK       Fc " +
            Padded(Fixed(frequency, 1), 7) + " Hz  Gain " +
            Padded(Fixed(setting.gain / 10.0, 1), 5) + " dB  Q " + Padded(Fixed(q, 3), 6) + "\n";
  }
  return text;
}

std::vector<PeqSetting> ShownParametricBands(const CPEQSetPage& page) {
  std::vector<PeqSetting> bands;
  const size_t count = CPEQSetPage::BandsOfRecord(page.SelectedSubIndex());
  for (size_t band = 0; band < count; ++band) {
    auto value = [&](int id) {
      const Control* control = page.FindControl(id);
      return control != nullptr ? control->value : 0;
    };
    bands.push_back({value(CPEQSetPage::FrequencyComboOf(band)), value(CPEQSetPage::QComboOf(band)),
                     value(CPEQSetPage::GainSliderOf(band))});
  }
  return bands;
}

std::string ShownParametricChannel(const CPEQSetPage& page) {
  const Control* combo = page.FindControl(CPEQSetPage::kChannelCombo);
  if (combo == nullptr || !IsIndexOf(combo->value, combo->items)) return {};
  return combo->items[static_cast<size_t>(combo->value)];
}

void ApplyParametricBands(CPEQSetPage& page, const std::vector<PeqSetting>& bands) {
  const size_t count = std::min(bands.size(), CPEQSetPage::BandsOfRecord(page.SelectedSubIndex()));
  for (size_t band = 0; band < count; ++band) {
    const std::vector<PeqSetting> shown = ShownParametricBands(page);
    const PeqSetting& wanted = bands[band];
    if (shown[band].frequencyIndex != wanted.frequencyIndex) {
      page.ChooseCombo(CPEQSetPage::FrequencyComboOf(band), wanted.frequencyIndex);
    }
    if (shown[band].qIndex != wanted.qIndex) {
      page.ChooseCombo(CPEQSetPage::QComboOf(band), wanted.qIndex);
    }
    if (shown[band].gain != wanted.gain) {
      page.MoveSlider(CPEQSetPage::GainSliderOf(band), wanted.gain);
      page.ReleaseSlider(CPEQSetPage::GainSliderOf(band));
    }
  }
}

}  // namespace qamp
