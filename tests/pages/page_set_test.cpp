// All pages together: their order, the text round trip of every parameter,
// whole configuration files, and the basic control.
#include <gtest/gtest.h>

#include <set>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_map.h"
#include "model/parameter_store.h"
#include "pages/dsp_parameters_page.h"
#include "pages/page_set.h"
#include "session/command_capture.h"
#include "sim/random_state.h"

namespace qamp {
namespace {

struct PageSetFixture {
  explicit PageSetFixture(ControlMode mode = ControlMode::kAsync, int region = 1)
      : capture(mode, region), pages(capture.Link(), host) {}
  CSettingImage& image() { return capture.Link().CurrentImage(); }
  CommandCapture capture;
  QuietPageHost host;
  CPageSet pages;
};

std::vector<std::string> Captions(const std::vector<CBasePage*>& pages) {
  std::vector<std::string> captions;
  for (const CBasePage* page : pages) captions.push_back(page->Caption());
  return captions;
}

TEST(PageSet, FileOrderAndSheetOrderFollowTheModeAndTheRegion) {
  PageSetFixture async(ControlMode::kAsync, 1);
  EXPECT_EQ(Captions(async.pages.Pages()),
            (std::vector<std::string>{
                "Multi Zone",    "DSP Parameters",   "Input DSP",    "Input Rename",   "I/O Assign",
                "Speaker Level", "Speaker Distance", "Sound Option", "TRIGGER OUT",    "Volume",
                "Equalizer",     "Parametric EQ",    "Speaker Set",  "Tuner Set",      "XM Set",
                "Display Set",   "MULTI CH",         "Other",        "Advanced Setup", "iPod"}));
  std::vector<std::string> sheet = Captions(async.pages.SheetPages());
  EXPECT_EQ(sheet.size(), 19U);
  EXPECT_EQ(std::count(sheet.begin(), sheet.end(), "Parametric EQ"), 0);

  PageSetFixture asyncRegion2(ControlMode::kAsync, 2);
  sheet = Captions(asyncRegion2.pages.SheetPages());
  EXPECT_EQ(std::count(sheet.begin(), sheet.end(), "XM Set"), 0)
      << "XM only with region code 1 in Async Mode";
  EXPECT_EQ(std::count(sheet.begin(), sheet.end(), "Input DSP"), 1);

  PageSetFixture realTime(ControlMode::kRealTime, 0);
  sheet = Captions(realTime.pages.SheetPages());
  EXPECT_EQ(std::count(sheet.begin(), sheet.end(), "XM Set"), 1) << "always in Real Time Mode";
  EXPECT_EQ(std::count(sheet.begin(), sheet.end(), "Input DSP"), 0) << "Async Mode only";
}

// Where the raw value of a parameter lives, for the round trip below.
int* WordOf(CSettingImage& image, ParamId id, int subIndex) {
  const ParamLocation location = LocateParam(id);
  if (location.type == ParamLocation::Type::kWord) return &image[location.word];
  if (location.type == ParamLocation::Type::kGeqRecord ||
      location.type == ParamLocation::Type::kPeqRecord) {
    const int word = RecordWord(id, subIndex);
    return word >= 0 ? &image[word] : nullptr;
  }
  return nullptr;
}

// Every text a parameter gives and takes back reads back to a value that
// gives the same text, and reading it changes nothing else in the image.
// Several raw values may share a text ("Mute" stands for every level below
// -80.4 dB): the text reads back to the one the page would send. A value out
// of the page's range is described but its text is refused, so that a file
// never brings it in.
TEST(PageSet, EveryTextReadsBackToAValueWithTheSameText) {
  PageSetFixture f;
  int described = 0;
  int accepted = 0;
  CSettingImage defaults;
  ResetImage(defaults, 0, 1);
  for (const CPageSet::Parameter& parameter : f.pages.AllParameters()) {
    CSettingImage source = defaults;
    if (WordOf(source, parameter.id, parameter.subIndex) == nullptr) continue;
    int acceptedHere = 0;
    for (int raw = -1000; raw <= 2500; ++raw) {
      *WordOf(source, parameter.id, parameter.subIndex) = raw;
      std::string value;
      parameter.page->GetParamText(source, parameter.id, parameter.subIndex, nullptr, nullptr,
                                   &value, false);
      if (value.empty()) continue;
      ++described;
      CSettingImage target = source;
      *WordOf(target, parameter.id, parameter.subIndex) = raw == 7777 ? 7778 : 7777;
      const CSettingImage before = target;
      if (!parameter.page->SetParamFromText(target, parameter.id, parameter.subIndex, value)) {
        ASSERT_EQ(target, before) << "a refused text changed the image";
        continue;
      }
      ++acceptedHere;
      ++accepted;
      std::string again;
      parameter.page->GetParamText(target, parameter.id, parameter.subIndex, nullptr, nullptr,
                                   &again, false);
      ASSERT_EQ(again, value) << parameter.page->Caption() << " " << parameter.id << " raw " << raw;
      *WordOf(target, parameter.id, parameter.subIndex) = raw;
      // "Straight" for an input sets its Straight flag and keeps the program.
      if (parameter.page->Caption() == "Input DSP" && value == "Straight") continue;
      ASSERT_EQ(target, source) << parameter.page->Caption() << " " << parameter.id << " raw "
                                << raw << " text '" << value << "' changed another word";
    }
    EXPECT_GT(acceptedHere, 0) << parameter.page->Caption() << " " << parameter.id
                               << " takes no text back";
  }
  EXPECT_GT(described, 10000);
  EXPECT_GT(accepted, 10000);
}

TEST(PageSet, AWholeConfigurationGoesThroughItsTextsUnchanged) {
  PageSetFixture f;
  // An image with arbitrary values, each put through its own text (or back
  // to its default where the page shows no text for it).
  CSettingImage source;
  ResetImage(source, 0, 1);
  sim::RandomizeImage(source, 42);
  CSettingImage defaults;
  ResetImage(defaults, 0, 1);
  std::vector<CBasePage*> all = {&f.pages.BasicControl()};
  for (CBasePage* page : f.pages.Pages()) all.push_back(page);
  for (const CPageSet::Parameter& parameter : f.pages.AllParameters()) {
    std::string value;
    parameter.page->GetParamText(source, parameter.id, parameter.subIndex, nullptr, nullptr, &value,
                                 false);
    if (!value.empty() &&
        parameter.page->SetParamFromText(source, parameter.id, parameter.subIndex, value))
      continue;
    if (int* word = WordOf(source, parameter.id, parameter.subIndex)) {
      *word = *WordOf(defaults, parameter.id, parameter.subIndex);
    } else {
      StoreText(source, parameter.id, ReadText(defaults, parameter.id));
    }
  }
  MemoryIniFile file;
  for (CBasePage* page : all) page->SaveToProfile(file, source);
  CSettingImage target;
  ResetImage(target, 0, 1);
  for (CBasePage* page : all) page->LoadFromProfile(file, target);
  std::set<int> differing;
  for (int word = 1; word < kImageWords; ++word) {
    if (target[word] != source[word]) differing.insert(word);
  }
  // Words no file holds: zone power, the program of an input that plays
  // Straight (the file says only "Straight"), the MULTI CH and spare Input
  // DSP records, the four hidden tone turnovers, Fan Mode, the Initialize
  // request, the iPod's operation and reported texts.
  for (const int word : differing) {
    const bool straightProgram =
        word >= 231 && word < 255 && (word - 231) % 2 == 0 && source[word + 1] != 0;
    EXPECT_TRUE((word >= 9 && word <= 11) || straightProgram || (word >= 255 && word <= 258) ||
                word == 332 || word == 333 || word == 336 || word == 337 || word == 927 ||
                word == 929 || word >= 931)
        << "word " << word << " lost on the way";
  }
  EXPECT_FALSE(differing.empty()) << "the source must differ from the defaults somewhere";
}

TEST(PageSet, DescribesParametersForTheErrorLog) {
  PageSetFixture f;
  std::string section;
  std::string key;
  ASSERT_TRUE(f.pages.Describe(6, section, key));
  EXPECT_EQ(section + "/" + key, "Basic Control/Main Volume");
  ASSERT_TRUE(f.pages.Describe(431, section, key));
  EXPECT_EQ(section + "/" + key, "Speaker Set/PR/SB Select");
  EXPECT_FALSE(f.pages.Describe(577, section, key));
  EXPECT_FALSE(f.pages.Describe(9, section, key)) << "zone power is not described";
}

TEST(PageSet, FindsParametersByTheirFileTexts) {
  PageSetFixture f;
  auto found = f.pages.FindParameter("Speaker Set", "PR/SB Select", f.image());
  ASSERT_TRUE(found);
  EXPECT_EQ(found->id, 431);
  found = f.pages.FindParameter("parametric eq", " (Front R) Band 2 Q ", f.image());
  ASSERT_TRUE(found);
  EXPECT_EQ(found->id, 413);
  EXPECT_EQ(found->subIndex, 2);
  found = f.pages.FindParameter("Tuner Set", "Current ", f.image());
  ASSERT_TRUE(found);
  EXPECT_EQ(found->id, 435);
  EXPECT_FALSE(f.pages.FindParameter("Speaker Set", "Rear", f.image()));
}

TEST(PageSet, ADownloadQueuesCompleteFramesOnly) {
  PageSetFixture f;
  f.pages.QueuePageDownloads(f.image());
  const auto queued = f.capture.QueuedWithCodes();
  EXPECT_GT(queued.size(), 500U);
  for (const auto& [frame, code] : queued) {
    ASSERT_GE(frame.size(), 3U);
    EXPECT_TRUE(frame.front() == '\x02' || frame.front() == '\x14') << ShowFrame(frame);
    EXPECT_EQ(frame.back(), '\x03') << ShowFrame(frame);
    if (frame.front() == '\x14') {
      const std::string body = frame.substr(1, frame.size() - 4);
      EXPECT_EQ(frame.substr(frame.size() - 3, 2), ChecksumText(body)) << ShowFrame(frame);
    }
    EXPECT_GE(code, 1);
    EXPECT_LE(code, 556);
  }
}

// --- The basic control ----------------------------------------------------------------

TEST(BasicControl, DescribesIdsOneToEightAndReadsThemBack) {
  PageSetFixture f;
  CBasicControl& basic = f.pages.BasicControl();
  struct Case {
    ParamId id;
    int raw;
    const char* key;
    const char* text;
  };
  const Case cases[] = {
      {1, 6, "Input", "DVD"},
      {1, 10, "Input", "V-AUX/DOCK"},
      {2, 2, "Audio Select", "Coax/Opt"},
      {3, 2, "Decoder Mode", "AAC(J Only)"},
      {4, 26, "DSP Program", "Straight"},
      {4, 0, "DSP Program", "Hall in Munich"},
      {5, 5, "EXTD Surround", "PLIIx Music"},
      {6, -400, "Main Volume", "-40.0dB"},
      {6, 55, "Main Volume", "5.5dB"},
      {6, -805, "Main Volume", "Mute"},
      {6, -5, "Main Volume", "-0.5dB"},
      {7, 1, "Mute", "ON"},
      {8, 0, "Pure Direct", "OFF"},
  };
  for (const Case& c : cases) {
    StoreParameter(f.image(), c.id, c.raw);
    std::string section, key, value;
    basic.GetParamText(f.image(), c.id, -1, &section, &key, &value, false);
    EXPECT_EQ(section, "Basic Control");
    EXPECT_EQ(key, c.key);
    EXPECT_EQ(value, c.text);
    CSettingImage other;
    ResetImage(other, 0, 1);
    StoreParameter(other, c.id, 3);
    EXPECT_TRUE(basic.SetParamFromText(other, c.id, -1, c.text)) << c.text;
    EXPECT_EQ(ReadParameter(other, c.id), c.raw) << c.text;
  }
  CSettingImage other;
  ResetImage(other, 0, 1);
  for (const char* wrong : {"dvd", "-90.0dB", "-40.3dB", "17.0dB", "on", ""}) {
    const CSettingImage before = other;
    EXPECT_FALSE(basic.SetParamFromText(other,
                                        wrong[0] == 'd'   ? 1
                                        : wrong[0] == 'o' ? 7
                                                          : 6,
                                        -1, wrong))
        << wrong;
    EXPECT_EQ(other, before) << wrong;
  }
  std::string section = "x";
  basic.GetParamText(f.image(), 9, -1, &section, nullptr, nullptr, false);
  EXPECT_TRUE(section.empty()) << "zone power has no description";
}

TEST(BasicControl, MultiChannelDisablesTheProgramControlsAndAsyncInputsApplyTheirRecords) {
  PageSetFixture f;
  CBasicControl& basic = f.pages.BasicControl();
  // CD's record (1): program 8 without Straight in region 1.
  basic.ChooseInput(1);
  EXPECT_EQ(ReadParameter(f.image(), 4), 8);
  EXPECT_TRUE(basic.FindControl(CBasicControl::kProgramCombo)->enabled);
  // PHONO's record is Straight.
  basic.ChooseInput(0);
  EXPECT_EQ(ReadParameter(f.image(), 4), 26);
  EXPECT_FALSE(basic.FindControl(CBasicControl::kProgramCombo)->enabled);
  basic.ChooseInput(12);
  EXPECT_FALSE(basic.FindControl(CBasicControl::kProgramRadio)->itemEnabled[0]);
  EXPECT_EQ(basic.FindControl(CBasicControl::kProgramRadio)->value, 1) << "Straight shown";
  EXPECT_FALSE(basic.FindControl(CBasicControl::kProgramCombo)->enabled);
  // A program chosen offline goes into the current input's record.
  basic.ChooseInput(6);
  basic.ChooseProgram(3);
  EXPECT_EQ(f.image()[231 + 2 * 6], 3);
  EXPECT_EQ(f.image()[231 + 2 * 6 + 1], 0);
  basic.ClickStraightRadio();
  EXPECT_EQ(ReadParameter(f.image(), 4), 26);
  EXPECT_EQ(f.image()[231 + 2 * 6], 3) << "Straight keeps the record's program";
  EXPECT_EQ(f.image()[231 + 2 * 6 + 1], 1);
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty() && f.capture.Frames().empty())
      << "Async sends nothing";
}

TEST(BasicControl, RealTimeSendsEachChangeAndTheSevenChannelEnhancerHasItsOwnCommand) {
  PageSetFixture f(ControlMode::kRealTime);
  CBasicControl& basic = f.pages.BasicControl();
  basic.ChooseProgram(25);
  basic.ChooseInput(9);
  basic.MoveVolume(-805);
  basic.ReleaseVolume();
  basic.MoveVolume(-400);
  basic.ReleaseVolume();
  basic.SetMute(true);
  basic.SetZonePower(2, false);
  std::vector<std::string> frames;
  for (const std::string& frame : f.capture.Frames()) frames.push_back(ShowFrame(frame));
  EXPECT_EQ(frames,
            (std::vector<std::string>{"<STX>0F7E81146B<ETX>", "<STX>07A0F<ETX>", "<STX>23000<ETX>",
                                      "<STX>23077<ETX>", "<STX>07EA2<ETX>", "<STX>07AEE<ETX>"}));
  EXPECT_EQ(basic.FindControl(CBasicControl::kVolumeText)->text, "-40.0dB");
  EXPECT_EQ(f.pages.DspParameters().ShownProgram(), 25)
      << "the DSP Parameters page follows the program";
}

TEST(BasicControl, TheVolumeSliderStandsStillWhileATransferRuns) {
  PageSetFixture f;
  f.capture.Link().SetJob(TransferJob::kUpload);
  f.pages.BasicControl().MoveVolume(0);
  EXPECT_EQ(ReadParameter(f.image(), 6), -400);
}

}  // namespace
}  // namespace qamp
