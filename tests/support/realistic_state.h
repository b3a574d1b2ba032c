// Arbitrary settings a real receiver could hold: random values, each put
// through the text its page shows (or back to its default where the page
// would not show or send it).
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "model/image_defaults.h"
#include "model/parameter_map.h"
#include "model/parameter_store.h"
#include "model/vocabulary.h"
#include "pages/page_set.h"
#include "pages/tuner_set_page.h"
#include "session/command_capture.h"
#include "sim/random_state.h"
#include "sim/simulated_receiver.h"

namespace qamp::testing {

inline void MakeRealistic(CSettingImage& image, int region = 1) {
  CommandCapture capture(ControlMode::kAsync, region);
  QuietPageHost host;
  CPageSet pages(capture.Link(), host);
  CSettingImage defaults;
  ResetImage(defaults, image[0], region);
  for (const CPageSet::Parameter& parameter : pages.AllParameters()) {
    std::string value;
    parameter.page->GetParamText(image, parameter.id, parameter.subIndex, nullptr, nullptr, &value,
                                 false);
    // Through a file, as a file would carry it (quotes removed on reading).
    MemoryIniFile file;
    file.Write("s", "k", value);
    value = file.Read("s", "k").value_or("");
    if (!value.empty() &&
        parameter.page->SetParamFromText(image, parameter.id, parameter.subIndex, value))
      continue;
    const ParamLocation location = LocateParam(parameter.id);
    if (location.type == ParamLocation::Type::kText) {
      StoreText(image, parameter.id, ReadText(defaults, parameter.id));
    } else if (location.type == ParamLocation::Type::kWord) {
      image[location.word] = defaults[location.word];
    } else {
      const int word = RecordWord(parameter.id, parameter.subIndex);
      if (word >= 0) image[word] = defaults[word];
    }
  }
  // A tuner holds frequencies of its region's lists, whatever text a file
  // could bring in.
  for (ParamId id = CTunerSetPage::kCurrentId; id <= CTunerSetPage::kLastPresetId; ++id) {
    const std::string frequency = ReadText(image, id);
    const std::vector<std::string> am = AmFrequencies(region);
    const std::vector<std::string> fm = FmFrequencies(region);
    if (std::find(am.begin(), am.end(), frequency) == am.end() &&
        std::find(fm.begin(), fm.end(), frequency) == fm.end()) {
      StoreText(image, id, ReadText(defaults, id));
    }
  }
  // Zone power and the hidden tone turnovers belong to no page's texts,
  // but have their ranges all the same.
  for (const int word : {9, 10, 11}) image[word] = image[word] != 0 ? 1 : 0;
  for (const ParamId id : {281, 283, 285, 287})
    StoreParameter(image, id, ReadParameter(image, id) % 3);
  // The rules one choice forces on another, as the pages apply them.
  capture.Link().CurrentImage() = image;
  pages.RefreshAll();
  image = capture.Link().CurrentImage();
}

// A receiver with random, realistic settings and memories.
inline sim::SimOptions RealisticReceiverOptions(unsigned seed, sim::SimOptions options = {}) {
  options.startState = sim::StartState::kPlausible;
  options.seed = seed;
  return options;
}

// What a receiver without an option holds for it: the factory values.
inline void ForgetMissingOptions(CSettingImage& image, const sim::SimOptions& options) {
  CSettingImage defaults;
  ResetImage(defaults, image[0], options.region);
  auto reset = [&](ParamId id) {
    const ParamLocation location = LocateParam(id);
    if (location.type == ParamLocation::Type::kWord) image[location.word] = defaults[location.word];
    if (location.type == ParamLocation::Type::kText) StoreText(image, id, ReadText(defaults, id));
  };
  if (!options.xm) {
    for (ParamId id = 476; id <= 515; ++id) reset(id);
    for (const ParamId id : {223, 224, 240, 335, 336, 337, 373, 374, 375, 388}) reset(id);
  }
  // The trigger switches of a missing zone (Zone2 and Zone3 columns).
  for (int output = 0; output < 2; ++output) {
    for (int row = 0; row < 12; ++row) {
      const ParamId zone2 = 302 + 38 * output + 3 * row - (row == 11 ? 1 : 0);
      if (!options.zone2) reset(zone2);
      if (!options.zone3) reset(zone2 + 1);
    }
  }
  // The current input still plays what its record names (the XM record
  // may have been reset above).
  const int input = image[1];
  if (input >= 0 && input < kInputCount) {
    const int word = kInputDspFirstWord + 2 * InputDspRecordOfInput(input);
    image[4] = image[word + 1] != 0 ? kStraightProgram : image[word];
  }
}

inline void MakeReceiverRealistic(sim::CSimulatedReceiver& receiver) {
  const int region = receiver.Options().region;
  MakeRealistic(receiver.State(), region);
  ForgetMissingOptions(receiver.State(), receiver.Options());
  for (int memory = 1; memory <= 6; ++memory) {
    MakeRealistic(receiver.Memory(memory), region);
    ForgetMissingOptions(receiver.Memory(memory), receiver.Options());
  }
}

}  // namespace qamp::testing
