// Every command a page sends reaches the simulated receiver as the change
// the page meant: the receiver stores the page's value and answers with a
// report of that parameter. This keeps the simulator honest about every
// command format of every page.
#include <gtest/gtest.h>

#include "link/decode_report.h"
#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_map.h"
#include "model/parameter_store.h"
#include "pages/page_set.h"
#include "session/command_capture.h"
#include "sim/simulated_receiver.h"

namespace qamp {
namespace {

int* WordOf(CSettingImage& image, ParamId id, int subIndex) {
  const ParamLocation location = LocateParam(id);
  if (location.type == ParamLocation::Type::kWord) return &image[location.word];
  const int word = RecordWord(id, subIndex);
  return word >= 0 ? &image[word] : nullptr;
}

TEST(SimulatedReceiver, TakesEveryValueOfEveryPageCommand) {
  CommandCapture capture(ControlMode::kAsync, 1);
  QuietPageHost host;
  CPageSet pages(capture.Link(), host);
  int checked = 0;
  CSettingImage defaults;
  ResetImage(defaults, 0, 1);
  for (const CPageSet::Parameter& parameter : pages.AllParameters()) {
    if (parameter.page->Caption() == "Input DSP") continue;  // sent as input and program selects
    sim::SimOptions options;
    options.wireTime = false;
    sim::CSimulatedReceiver receiver(options);
    for (int raw = -1000; raw <= 2500; ++raw) {
      CSettingImage image = defaults;
      int* word = WordOf(image, parameter.id, parameter.subIndex);
      if (word == nullptr) break;
      *word = raw;
      std::string value;
      parameter.page->GetParamText(image, parameter.id, parameter.subIndex, nullptr, nullptr,
                                   &value, false);
      if (value.empty()) continue;
      // The value the text stands for ("Mute" is every level below -80.4 dB).
      CSettingImage canonical = image;
      if (!parameter.page->SetParamFromText(canonical, parameter.id, parameter.subIndex, value))
        continue;
      const int expected = *WordOf(canonical, parameter.id, parameter.subIndex);
      capture.Clear();
      parameter.page->SendParamFromImage(image, parameter.id, parameter.subIndex);
      const auto queued = capture.QueuedWithCodes();
      if (queued.empty()) continue;  // a parameter without a command of its own
      for (const auto& [frame, code] : queued) receiver.Receive(frame);
      const int* stored = WordOf(receiver.State(), parameter.id, parameter.subIndex);
      ASSERT_NE(stored, nullptr);
      ASSERT_EQ(*stored, expected)
          << parameter.page->Caption() << " " << parameter.id << "[" << parameter.subIndex
          << "] = " << value << " sent as " << ShowFrame(queued.back().first);
      ++checked;
    }
  }
  EXPECT_GT(checked, 5000);
}

}  // namespace
}  // namespace qamp
