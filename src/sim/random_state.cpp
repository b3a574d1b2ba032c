#include "sim/random_state.h"

#include <algorithm>
#include <map>
#include <random>
#include <string>

#include "link/decode_report.h"
#include "link/report_decoding_table.h"
#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/ini_file.h"
#include "model/parameter_store.h"
#include "model/vocabulary.h"
#include "pages/page_set.h"
#include "pages/tuner_set_page.h"
#include "session/command_capture.h"

namespace qamp::sim {

namespace {

// A code whose configuration row carries only its low character never has
// a high one other than "0".
bool HighCharacterAlwaysZero(std::string_view code) {
  for (const ConfigurationRow& row : ConfigurationRows()) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", row.code);
    if (row.high < 0 && code == text) return true;
  }
  return false;
}

}  // namespace

void RandomizeImage(CSettingImage& image, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> digit(0, 15);
  std::uniform_int_distribution<int> letter(0, 35);
  for (const DecodingRow& row : kReportDecodingTable) {
    // Memory commands, the iPod's play and list texts and the "Initialize"
    // request are not settings.
    if (row.descriptors[0].kind == GroupKind::kListedOnly) continue;
    if (row.descriptors[0].id == 555 || row.descriptors[0].id == 556 ||
        row.descriptors[0].id == 536)
      continue;
    std::string frame(row.prefix);
    size_t length = 8;
    if (row.prefix[0] == kDc4) {
      int body = 0;
      if (!ParseHex(row.prefix.substr(3, 2), body)) continue;
      length = 5 + static_cast<size_t>(body);
    }
    frame.resize(length, '0');
    for (int d = 0; d < row.count; ++d) {
      const Descriptor& descriptor = row.descriptors[static_cast<size_t>(d)];
      const auto position = static_cast<size_t>(descriptor.position);
      if (descriptor.width <= 0 || position < row.prefix.size() || position >= length) continue;
      const auto width = static_cast<size_t>(descriptor.width);
      if (descriptor.conversion == Conversion::kCode) {
        std::uniform_int_distribution<int> pick(0, descriptor.table->count - 1);
        frame.replace(position, width, descriptor.table->codes[pick(random)]);
        continue;
      }
      const bool text = descriptor.conversion == Conversion::kText ||
                        descriptor.conversion == Conversion::kPlayInfoText ||
                        descriptor.conversion == Conversion::kListInfoText;
      for (size_t i = 0; i < width && position + i < length; ++i) {
        frame[position + i] = text ? "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"[letter(random)]
                                   : "0123456789ABCDEF"[digit(random)];
      }
    }
    if (row.prefix[0] == kStx) {
      if (row.prefix.size() <= 5 && HighCharacterAlwaysZero(row.prefix.substr(3, 2)))
        frame[5] = '0';
      frame.back() = kEtx;
    } else {
      frame = FrameExtended(frame);
    }
    StoreReportValues(image, DecodeReport(frame).values);
  }
  // The sound program of every input, which no report carries as a value
  // of its own: a program 0..25, or Straight.
  std::uniform_int_distribution<int> program(0, 25);
  std::uniform_int_distribution<int> coin(0, 1);
  for (int record = 0; record < 13; ++record) {
    image[kInputDspFirstWord + 2 * record] = program(random);
    image[kInputDspFirstWord + 2 * record + 1] = coin(random);
  }
  // The receiver plays the program its current input is set to.
  const int input = image[1];
  if (input >= 0 && input < kInputCount) {
    const int word = kInputDspFirstWord + 2 * InputDspRecordOfInput(input);
    if (image[4] == kStraightProgram) {
      image[word + 1] = 1;
    } else if (image[4] >= 0 && image[4] < kProgramCount) {
      image[word] = image[4];
      image[word + 1] = 0;
    }
  }
}

}  // namespace qamp::sim

namespace qamp::sim {

namespace {

// The values a page's control offers for a parameter, in the parameter's
// own units.
struct ValueRange {
  int minimum = 0;
  int maximum = 0;
  int step = 1;
};

// The Input DSP page lists the records of the first twelve inputs (not
// MULTI CH and the spare record).
constexpr int kInputDspListedRecords = 12;

// How many values are tried for one parameter before it keeps its factory
// value.
constexpr int kTries = 24;
// Where no control gives a range, values are tried this far either side of
// the factory value.
constexpr int kWindow = 256;

// Names owners give their inputs; the factory names are centred in the
// nine characters the receiver shows, and so are these.
constexpr std::array<std::string_view, 12> kInputNameChoices = {
    "GAME",    "PC",      "TURNTABLE", "SAT",    "STREAMER", "BLU-RAY",
    "CONSOLE", "KARAOKE", "CAMCORDER", "LAPTOP", "MEDIA PC", "AUX 2",
};

std::string Centred(std::string_view name) {
  const size_t width = kInputNameWidth - 1;
  const size_t left = (width - std::min(width, name.size())) / 2;
  std::string text(left, ' ');
  text += name.substr(0, width - left);
  text.resize(width, ' ');
  return text;
}

ValueRange RangeOf(const Control& control, bool& known) {
  known = true;
  switch (control.kind) {
    case ControlKind::kSlider:
      return {control.minimum, control.maximum, std::max(1, control.step)};
    case ControlKind::kRadioGroup:
      return {0, static_cast<int>(std::max(control.buttonIds.size(), control.items.size())) - 1, 1};
    case ControlKind::kCombo:
      return {0, static_cast<int>(control.items.size()) - 1, 1};
    case ControlKind::kCheckBox:
      return {0, 1, 1};
    default:
      known = false;
      return {};
  }
}

bool IsKeyedGroup(GroupKind kind) {
  return kind == GroupKind::kGeq || kind == GroupKind::kPeq;
}

int32_t ValueOf(const CSettingImage& image, const CPageSet::Parameter& parameter) {
  return IsKeyedGroup(GroupOf(parameter.id))
             ? ReadRecordParameter(image, parameter.id, parameter.subIndex)
             : ReadParameter(image, parameter.id);
}

void Put(CSettingImage& image, const CPageSet::Parameter& parameter, int32_t value) {
  if (IsKeyedGroup(GroupOf(parameter.id))) {
    StoreRecordParameter(image, parameter.id, parameter.subIndex, value);
  } else {
    StoreParameter(image, parameter.id, value);
  }
}

// The page shows the stored value with a text that, read back from a
// file, stores exactly that value again.
bool PageShows(const CSettingImage& image, const CPageSet::Parameter& parameter) {
  std::string text;
  parameter.page->GetParamText(image, parameter.id, parameter.subIndex, nullptr, nullptr, &text,
                               false);
  if (text.empty()) return false;
  MemoryIniFile file;
  file.Write("Section", "Key", text);
  text = file.Read("Section", "Key").value_or("");
  CSettingImage copy = image;
  return parameter.page->SetParamFromText(copy, parameter.id, parameter.subIndex, text) &&
         copy == image;
}

}  // namespace

struct PlausibleState::Pages {
  explicit Pages(int regionCode)
      : region(regionCode), capture(ControlMode::kAsync, regionCode), set(capture.Link(), host) {
    parameters = set.AllParameters();
    std::vector<CBasePage*> all = {&set.BasicControl()};
    all.insert(all.end(), set.Pages().begin(), set.Pages().end());
    for (const CBasePage* page : all) {
      for (const Control& control : page->Controls()) {
        bool known = false;
        const ValueRange range = RangeOf(control, known);
        if (control.param != 0 && known && range.maximum >= range.minimum)
          ranges.emplace(control.param, range);
      }
    }
  }

  // Tries values for one parameter until its page shows one; the factory
  // value when none is shown.
  void Choose(CSettingImage& image, const CSettingImage& defaults, const CSettingImage& digits,
              const CPageSet::Parameter& parameter, std::mt19937& random) {
    const auto range = ranges.find(parameter.id);
    for (int attempt = 0; attempt < kTries; ++attempt) {
      int32_t value = 0;
      if (range != ranges.end() && attempt < kTries / 2) {
        const ValueRange& r = range->second;
        std::uniform_int_distribution<int> pick(0, (r.maximum - r.minimum) / r.step);
        value = r.minimum + r.step * pick(random);
      } else if (attempt == kTries / 2) {
        value = ValueOf(digits, parameter);
      } else {
        std::uniform_int_distribution<int> near(-kWindow, kWindow);
        value = ValueOf(defaults, parameter) + near(random);
      }
      Put(image, parameter, value);
      if (PageShows(image, parameter)) return;
    }
    Put(image, parameter, ValueOf(defaults, parameter));
  }

  void ChooseText(CSettingImage& image, const CPageSet::Parameter& parameter,
                  std::mt19937& random) {
    std::string text;
    if (GroupOf(parameter.id) == GroupKind::kInputName) {
      std::uniform_int_distribution<size_t> pick(0, kInputNameChoices.size() * 3 - 1);
      const size_t choice = pick(random);
      // Most inputs keep the name they came with.
      if (choice >= kInputNameChoices.size()) return;
      text = Centred(kInputNameChoices[choice]);
    } else if (GroupOf(parameter.id) == GroupKind::kTunerPreset) {
      // Presets 1-8, 17-24 and 33-40 are FM banks, the others AM; the
      // current frequency is either.
      const int preset = parameter.id - CTunerSetPage::kFirstPresetId;
      std::uniform_int_distribution<int> coin(0, 1);
      const bool fm = preset < 0 ? coin(random) == 0 : (preset / 8) % 2 == 0;
      const std::vector<std::string> band = fm ? FmFrequencies(region) : AmFrequencies(region);
      if (band.empty()) return;
      std::uniform_int_distribution<size_t> pick(0, band.size() - 1);
      text = band[pick(random)];
    } else {
      return;
    }
    CSettingImage copy = image;
    if (parameter.page->SetParamFromText(copy, parameter.id, parameter.subIndex, text) &&
        PageShows(copy, parameter))
      image = copy;
  }

  int region;
  CommandCapture capture;
  QuietPageHost host;
  CPageSet set;
  std::vector<CPageSet::Parameter> parameters;
  std::map<ParamId, ValueRange> ranges;
};

PlausibleState::PlausibleState(int regionCode) : pages_(std::make_unique<Pages>(regionCode)) {}

PlausibleState::~PlausibleState() = default;

void PlausibleState::Fill(CSettingImage& image, unsigned seed) {
  std::mt19937 random(seed);
  CSettingImage defaults;
  ResetImage(defaults, image[0], pages_->region);
  // The values the wire can carry are one more source of candidates.
  CSettingImage digits = defaults;
  RandomizeImage(digits, seed);
  image = defaults;

  // The Straight flags of the inputs the Input DSP page lists, which its
  // texts carry inside the program's ("Straight"): about one input in four
  // plays Straight.
  std::uniform_int_distribution<int> quarter(0, 3);
  for (int record = 0; record < kInputDspListedRecords; ++record)
    image[kInputDspFirstWord + 2 * record + 1] = quarter(random) == 0 ? 1 : 0;

  auto isText = [](ParamId id) { return LocateParam(id).type == ParamLocation::Type::kText; };
  // Keys name the equaliser channels, and "Initialize" is a request the
  // receiver carries out, not a setting it holds: neither is drawn.
  constexpr ParamId kInitializeRequest = 536;
  auto isKey = [](ParamId id) { return id == kGeqKeyId || id == kPeqKeyId; };
  for (const CPageSet::Parameter& parameter : pages_->parameters) {
    if (isKey(parameter.id) || parameter.id == kInitializeRequest) continue;
    if (isText(parameter.id)) {
      pages_->ChooseText(image, parameter, random);
    } else {
      pages_->Choose(image, defaults, digits, parameter, random);
    }
  }
  // Zone power and the hidden tone turnovers belong to no page's texts but
  // have their ranges all the same; the main zone is on.
  std::uniform_int_distribution<int> coin(0, 1);
  std::uniform_int_distribution<int> turnover(0, 2);
  image[9] = 1;
  image[10] = coin(random);
  image[11] = coin(random);
  for (const ParamId id : {281, 283, 285, 287}) StoreParameter(image, id, turnover(random));

  // The receiver plays the program its current input's Input DSP record
  // names.
  const auto followRecord = [&image] {
    const int input = image[1];
    if (input < 0 || input >= kInputCount) return;
    const int word = kInputDspFirstWord + 2 * InputDspRecordOfInput(input);
    image[4] = image[word + 1] != 0 ? kStraightProgram : image[word];
  };
  followRecord();

  // One choice can make another one unavailable (a unit, a mode): the
  // pages apply what they force, then every value is checked again.
  for (int pass = 0; pass < 3; ++pass) {
    CCommClass& link = pages_->capture.Link();
    link.CurrentImage() = image;
    pages_->set.RefreshAll();
    image = link.CurrentImage();
    followRecord();
    bool changed = false;
    for (const CPageSet::Parameter& parameter : pages_->parameters) {
      if (isKey(parameter.id) || PageShows(image, parameter)) continue;
      changed = true;
      if (isText(parameter.id)) {
        const std::string text = ReadText(defaults, parameter.id);
        StoreText(image, parameter.id, text);
      } else {
        pages_->Choose(image, defaults, digits, parameter, random);
      }
    }
    if (!changed) break;
  }
}

}  // namespace qamp::sim
