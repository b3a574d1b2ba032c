// The simulated receiver's random settings: what "random-state" starts
// with must be a configuration a real receiver could hold, because the
// program reads it back, saves it and shows it to a new user.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "model/image_defaults.h"
#include "model/ini_file.h"
#include "model/parameter_store.h"
#include "model/vocabulary.h"
#include "pages/memory_page.h"
#include "session/command_capture.h"
#include "sim/random_state.h"
#include "support/app_harness.h"

namespace qamp {
namespace {

using testing::AppHarness;

sim::SimOptions RandomReceiver(unsigned seed, sim::StartState state, int region = 1) {
  sim::SimOptions options;
  options.startState = state;
  options.seed = seed;
  options.region = region;
  return options;
}

// The first lines in which two texts differ.
std::string Differences(const std::string& expected, const std::string& actual) {
  std::string differences;
  size_t i = 0;
  size_t j = 0;
  int shown = 0;
  while ((i < expected.size() || j < actual.size()) && shown < 8) {
    const size_t ei = std::min(expected.find('\n', i), expected.size());
    const size_t ej = std::min(actual.find('\n', j), actual.size());
    const std::string a = expected.substr(i, ei - i);
    const std::string b = actual.substr(j, ej - j);
    if (a != b) {
      differences += "expected " + a + ", got " + b + "\n";
      ++shown;
    }
    i = ei + 1;
    j = ej + 1;
  }
  return differences;
}

// Uploads the receiver into the application; false when it did not complete.
bool Upload(AppHarness& h) {
  h.app.Session().StartUpload();
  const auto outcome = h.RunUntilOutcome();
  return outcome && outcome->outcome == OperationOutcome::kTransferDone;
}

// The keys of a saved file that the page of their section refuses, or
// that name no parameter, as "[section] key=value" lines. Memory sections
// are read against the memory's image.
std::vector<std::string> RefusedKeys(AppHarness& h, const std::string& text) {
  std::vector<std::string> refused;
  const MemoryIniFile file = MemoryIniFile::Parse(text);
  for (const MemoryIniFile::Section& section : file.Sections()) {
    if (section.name == "User Memo" || section.name == "System Memory") continue;
    std::string pageSection = section.name;
    int slot = 0;
    for (const MemoryKind kind : {MemoryKind::kSystem, MemoryKind::kVolume,
                                  MemoryKind::kZone2Volume, MemoryKind::kZone3Volume}) {
      for (int memory = 1; memory <= kMemoryCount; ++memory) {
        const std::string prefix =
            std::string(CMemoryPage::KindName(kind)) + " " + CMemoryPage::MemoryName(memory) + " ";
        if (section.name.starts_with(prefix)) {
          pageSection = section.name.substr(prefix.size());
          slot = memory;
        }
      }
    }
    const CSettingImage& image = h.link().Image(slot);
    // Every parameter by the section and key its page gives it.
    std::map<std::pair<std::string, std::string>, CPageSet::Parameter> named;
    for (const CPageSet::Parameter& parameter : h.app.Pages().AllParameters()) {
      std::string parameterSection;
      std::string key;
      parameter.page->GetParamText(image, parameter.id, parameter.subIndex, &parameterSection, &key,
                                   nullptr, false);
      // A file read back has its keys without the blanks around them.
      while (!key.empty() && key.back() == ' ') key.pop_back();
      named.emplace(std::make_pair(parameterSection, key), parameter);
    }
    for (const MemoryIniFile::Entry& entry : section.entries) {
      // As the file is read: the quotes around a value removed.
      const std::string value = file.Read(section.name, entry.key).value_or("");
      const auto parameter = named.find({pageSection, entry.key});
      CSettingImage copy = image;
      const bool accepted = parameter != named.end() &&
                            parameter->second.page->SetParamFromText(
                                copy, parameter->second.id, parameter->second.subIndex, value);
      if (!accepted || !(copy == image))
        refused.push_back("[" + section.name + "] " + entry.key + "=" + entry.value);
    }
  }
  return refused;
}

// Upload, save, every key read back, and a fresh
// program that opens the file reports exactly what the uploaded one does.
TEST(PlausibleState, AnUploadedRandomReceiverSavesAFileThatReadsBackExactly) {
  for (const auto& [seed, region] :
       std::vector<std::pair<unsigned, int>>{{1, 1}, {2, 1}, {3, 0}, {4, 2}, {5, 3}, {77, 1}}) {
    SCOPED_TRACE("seed " + std::to_string(seed) + ", region " + std::to_string(region));
    AppHarness h(RandomReceiver(seed, sim::StartState::kPlausible, region), ControlMode::kAsync,
                 region);
    ASSERT_TRUE(Upload(h));
    const std::string text = h.app.SaveConfigurationText(false);
    const std::vector<std::string> refused = RefusedKeys(h, text);
    EXPECT_TRUE(refused.empty()) << refused.size() << " refused, the first: " << refused.front();

    AppHarness reader(sim::SimOptions{}, ControlMode::kAsync, region);
    std::string why;
    ASSERT_TRUE(reader.app.LoadConfigurationText(text, &why)) << why;
    const std::string report = h.app.Report();
    EXPECT_TRUE(reader.app.Report() == report) << Differences(report, reader.app.Report());
    const std::string again = reader.app.SaveConfigurationText(false);
    EXPECT_TRUE(again == text) << Differences(text, again);
  }
}

// The digit-level state keeps what fuzz-style tests want: values the
// program refuses. (It is what the round trip above would find.)
TEST(PlausibleState, RandomDigitsHoldValuesThePagesRefuse) {
  AppHarness h(RandomReceiver(1, sim::StartState::kRandomDigits));
  ASSERT_TRUE(Upload(h));
  const std::vector<std::string> refused = RefusedKeys(h, h.app.SaveConfigurationText(false));
  EXPECT_GT(refused.size(), 20u);
}

// Independent checks of values whose ranges are written out here.
TEST(PlausibleState, LevelsNamesAndPresetsAreOnesAReceiverHolds) {
  for (const unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const int region = static_cast<int>(seed % 4);
    const sim::CSimulatedReceiver receiver(
        RandomReceiver(seed, sim::StartState::kPlausible, region));
    const CSettingImage& image = receiver.State();
    // Speaker levels: -10.0 dB to +10.0 dB in 0.5 dB steps (tenths).
    for (ParamId id = 259; id <= 268; ++id) {
      const int level = ReadParameter(image, id);
      EXPECT_TRUE(level >= -100 && level <= 100 && level % 5 == 0) << id << ": " << level;
    }
    // Main volume: -80.5 dB (mute) to +16.5 dB in 0.5 dB steps.
    EXPECT_TRUE(image[6] >= -805 && image[6] <= 165 && image[6] % 5 == 0) << image[6];
    // Names: nine printable characters.
    for (ParamId id = 229; id <= 242; ++id) {
      const std::string name = ReadText(image, id);
      EXPECT_EQ(name.size(), 9u) << id;
      for (const char c : name) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << id << ": " << name;
    }
    // Presets 1-8, 17-24, 33-40 are FM ("087.50"), the others AM ("000630"),
    // on the region's channel steps.
    const int fmStep = std::array<int, 4>{10, 20, 5, 10}[static_cast<size_t>(region)];
    const int amStep = std::array<int, 4>{9, 10, 9, 10}[static_cast<size_t>(region)];
    for (int preset = 0; preset < 40; ++preset) {
      const std::string text = ReadText(image, 436 + preset);
      if ((preset / 8) % 2 == 0) {
        ASSERT_EQ(text.size(), 6u) << preset << ": " << text;
        ASSERT_EQ(text[3], '.') << text;
        const int hundredths = std::stoi(text.substr(0, 3)) * 100 + std::stoi(text.substr(4));
        const int first = region == 0 ? 7600 : 8750;
        EXPECT_TRUE(hundredths >= first && hundredths <= 10800 &&
                    (hundredths - first) % fmStep == 0)
            << text;
      } else {
        ASSERT_EQ(text.size(), 6u) << preset << ": " << text;
        const int kilohertz = std::stoi(text);
        const int first = amStep == 9 ? 531 : 530;
        EXPECT_TRUE(kilohertz >= first && kilohertz <= 1711 && (kilohertz - first) % amStep == 0)
            << text;
      }
    }
    // Zone power switches are on or off; the main zone is on.
    EXPECT_EQ(image[9], 1);
    EXPECT_TRUE(image[10] == 0 || image[10] == 1);
    EXPECT_TRUE(image[11] == 0 || image[11] == 1);
  }
}

TEST(PlausibleState, TheCurrentProgramIsTheOneTheCurrentInputsRecordNames) {
  int straight = 0;
  for (unsigned seed = 1; seed <= 12; ++seed) {
    const sim::CSimulatedReceiver receiver(RandomReceiver(seed, sim::StartState::kPlausible));
    for (int slot = 0; slot <= 6; ++slot) {
      const CSettingImage& image =
          slot == 0 ? receiver.State()
                    : const_cast<sim::CSimulatedReceiver&>(receiver).Memory(slot);
      const int input = image[1];
      ASSERT_TRUE(input >= 0 && input < kInputCount) << input;
      const int word = kInputDspFirstWord + 2 * InputDspRecordOfInput(input);
      if (image[word + 1] != 0) {
        EXPECT_EQ(image[4], kStraightProgram) << "seed " << seed << " slot " << slot;
        ++straight;
      } else {
        EXPECT_EQ(image[4], image[word]) << "seed " << seed << " slot " << slot;
        // A program, or (the MULTI CH record's factory value) Straight.
        EXPECT_TRUE(image[4] >= 0 && image[4] <= kStraightProgram) << image[4];
      }
    }
  }
  EXPECT_GT(straight, 0) << "Straight occurs";
  EXPECT_LT(straight, 12 * 7) << "and so do programs";
}

// Random enough to be worth showing, and the same for the same seed.
TEST(PlausibleState, ASeedGivesOneStateAndSeedsGiveDifferentOnes) {
  const auto state = [](unsigned seed) {
    return sim::CSimulatedReceiver(RandomReceiver(seed, sim::StartState::kPlausible)).State();
  };
  const CSettingImage a = state(9);
  EXPECT_TRUE(a == state(9));
  EXPECT_FALSE(a == state(10));
  CSettingImage factory;
  ResetImage(factory, 0, 1);
  int changed = 0;
  for (int word = 1; word < kImageWords; ++word) changed += a[word] != factory[word];
  EXPECT_GT(changed, 300) << "most settings are not the factory ones";
}

TEST(PlausibleState, MemoriesAreRandomAndPlausibleToo) {
  const sim::CSimulatedReceiver receiver(RandomReceiver(3, sim::StartState::kPlausible));
  auto& memories = const_cast<sim::CSimulatedReceiver&>(receiver);
  CommandCapture capture(ControlMode::kAsync, 1);
  QuietPageHost host;
  CPageSet pages(capture.Link(), host);
  for (int memory = 1; memory <= 6; ++memory) {
    const CSettingImage& image = memories.Memory(memory);
    EXPECT_EQ(image[0], memory);
    EXPECT_FALSE(image == receiver.State());
    for (const CPageSet::Parameter& parameter : pages.AllParameters()) {
      std::string text;
      parameter.page->GetParamText(image, parameter.id, parameter.subIndex, nullptr, nullptr, &text,
                                   false);
      // Through a file, which takes the quotes off a name.
      MemoryIniFile file;
      file.Write("Memory", "Key", text);
      const std::string read = file.Read("Memory", "Key").value_or("");
      CSettingImage copy = image;
      EXPECT_TRUE(parameter.page->SetParamFromText(copy, parameter.id, parameter.subIndex, read) &&
                  copy == image)
          << "memory " << memory << " ID " << parameter.id << " '" << text << "'";
    }
  }
}

TEST(PlausibleState, AReceiverWithoutTheAacModeNeverHasItChosen) {
  int chosen = 0;
  for (unsigned seed = 1; seed <= 4; ++seed) {
    sim::SimOptions options = RandomReceiver(seed, sim::StartState::kPlausible);
    sim::CSimulatedReceiver withAac(options);
    for (int slot = 0; slot <= 6; ++slot)
      chosen += (slot == 0 ? withAac.State()[3] : withAac.Memory(slot)[3]) == 2;
    options.aacDecoder = false;
    sim::CSimulatedReceiver receiver(options);
    for (int slot = 0; slot <= 6; ++slot) {
      const int mode = slot == 0 ? receiver.State()[3] : receiver.Memory(slot)[3];
      EXPECT_TRUE(mode == 0 || mode == 1) << "seed " << seed << " slot " << slot << ": " << mode;
    }
  }
  EXPECT_GT(chosen, 0) << "a receiver with it chooses it now and then";
}

TEST(PlausibleState, TheOptionsNameTheTwoRandomStates) {
  sim::SimOptions options;
  std::string error;
  ASSERT_TRUE(sim::ApplySimOption("random-state", options, error));
  EXPECT_EQ(options.startState, sim::StartState::kPlausible);
  ASSERT_TRUE(sim::ApplySimOption("random-digits", options, error));
  EXPECT_EQ(options.startState, sim::StartState::kRandomDigits);
  EXPECT_FALSE(sim::ApplySimOption("random-values", options, error));
}

}  // namespace
}  // namespace qamp
