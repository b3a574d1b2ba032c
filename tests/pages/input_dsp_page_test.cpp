// The Input DSP page.
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/input_dsp_page.h"
#include "session/command_capture.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

using Page = CInputDsp;

// The control panel as far as the page sees it: which input plays, and
// every program it was told to take.
class RecordingBasicControl : public BasicControlPort {
 public:
  struct Applied {
    int program;
    bool send;
    bool operator==(const Applied&) const = default;
  };
  int CurrentInput() const override { return input; }
  void ApplyProgram(int program, bool send) override { applied.push_back({program, send}); }
  int input = 0;
  std::vector<Applied> applied;
};

struct InputDspParts {
  RecordingBasicControl basic;
};

struct InputDspFixture : InputDspParts, testing::PageFixture<Page> {
  explicit InputDspFixture(ControlMode mode, int region = 1) : PageFixture(mode, region, basic) {}
  const std::string& ListText(size_t position) const {
    return control(Page::kAssignmentList).items.at(position);
  }
};

TEST(InputDspPage, ListsTwelveInputsWithVcrBeforeDvrInTheRecords) {
  InputDspFixture f(ControlMode::kAsync);
  std::vector<ParamId> ids;
  std::vector<int> subIndices;
  f.page.GetParamList(ids, subIndices, true, 26);
  EXPECT_EQ(ids,
            (std::vector<ParamId>{199, 201, 203, 205, 207, 209, 211, 213, 217, 219, 221, 223}));
  const char* const keys[] = {"PHONO", "CD",      "TUNER", "CD-R", "MD/TAPE", "BD/HD DVD",
                              "DVD",   "DTV/CBL", "VCR",   "DVR",  "V-AUX",   "XM"};
  for (size_t i = 0; i < ids.size(); ++i) {
    std::string section, key;
    f.page.GetParamText(f.image(), ids[i], -1, &section, &key, nullptr, false);
    EXPECT_EQ(section, "Input DSP");
    EXPECT_EQ(key, keys[i]) << ids[i];
  }
  EXPECT_EQ(f.control(Page::kInputList).items,
            (std::vector<std::string>{"PHONO", "CD", "TUNER", "CD-R", "MD/TAPE", "BD/HD DVD", "DVD",
                                      "DTV/CBL", "DVR", "VCR", "V-AUX", "XM"}));
  // Shown as one table: each input beside its program.
  EXPECT_EQ(f.control(Page::kInputList).columnHeaders, std::vector<std::string>{"Input"});
  EXPECT_EQ(f.control(Page::kAssignmentList).columnHeaders, std::vector<std::string>{"Program"});
  EXPECT_EQ(f.control(Page::kAssignmentList).items.size(), 12U);
  EXPECT_EQ(f.control(Page::kProgramCombo).items.size(), 26U);
  EXPECT_EQ(f.control(Page::kProgramCombo).items.back(), "7ch Enhancer");
  // 215 and 216 name no record; MULTI CH and the spare record are not listed.
  for (const ParamId id : {215, 216, 225, 226, 227, 228, 198, 229}) {
    std::string section = "x", key = "x", value = "x";
    f.page.GetParamText(f.image(), id, -1, &section, &key, &value, false);
    EXPECT_TRUE(section.empty() && key.empty() && value.empty()) << id;
    EXPECT_FALSE(f.page.SetParamFromText(f.image(), id, -1, "Sci-Fi")) << id;
  }
}

TEST(InputDspPage, ValueIsStraightWhenTheFlagIsSetElseTheProgramName) {
  InputDspFixture region1(ControlMode::kAsync, 1);
  InputDspFixture region0(ControlMode::kAsync, 0);
  const char* const region1Texts[] = {"Straight", "The Roxy Theatre", "The Bottom Line",
                                      "Chamber",  "Cellar Club",      "Drama",
                                      "Sci-Fi",   "Straight",         "Straight",
                                      "Straight", "Straight",         "Straight Enhancer"};
  for (size_t position = 0; position < 12; ++position) {
    EXPECT_EQ(region1.ListText(position), region1Texts[position]) << position;
    EXPECT_EQ(region0.ListText(position), "Straight") << position;
  }
  std::string value;
  region1.page.GetParamText(region1.image(), 219, -1, nullptr, nullptr, &value, true);
  EXPECT_EQ(value, "Straight");  // DVR
  StoreParameter(region1.image(), 220, 0);
  region1.page.GetParamText(region1.image(), 219, -1, nullptr, nullptr, &value, true);
  EXPECT_EQ(value, "Music Video");
}

TEST(InputDspPage, FileTextsSetTheProgramOrTheStraightFlag) {
  struct Case {
    const char* text;
    bool accepted;
    int program;
    int flag;
  };
  // CD starts with The Roxy Theatre (8), not Straight.
  const Case cases[] = {
      {"Straight", true, 8, 1},           {"Sci-Fi", true, 12, 0},
      {"Straight Enhancer", true, 24, 0}, {"7ch Enhancer", true, 25, 0},
      {"Hall in Munich", true, 0, 0},     {"sci-fi", false, 8, 0},
      {"Straight ", false, 8, 0},         {"Sci-Fi2", false, 8, 0},
  };
  for (const Case& c : cases) {
    InputDspFixture f(ControlMode::kAsync);
    EXPECT_EQ(f.page.SetParamFromText(f.image(), 201, -1, c.text), c.accepted) << c.text;
    EXPECT_EQ(ReadParameter(f.image(), 201), c.program) << c.text;
    EXPECT_EQ(ReadParameter(f.image(), 202), c.flag) << c.text;
  }
  // A program name clears the flag of a Straight input.
  InputDspFixture f(ControlMode::kAsync);
  EXPECT_TRUE(f.page.SetParamFromText(f.image(), 199, -1, "Adventure"));
  EXPECT_EQ(ReadParameter(f.image(), 199), 13);
  EXPECT_EQ(ReadParameter(f.image(), 200), 0);
}

TEST(InputDspPage, DownloadSelectsEachInputAndItsProgramThenStraightWhereSet) {
  InputDspFixture f(ControlMode::kAsync);
  StoreParameter(f.image(), 1, 3);
  StoreParameter(f.image(), 4, 21);
  f.page.DownloadPage(f.image());
  const std::vector<std::pair<std::string, ParamId>> expected = {
      {"<STX>07A14<ETX>", 1}, {"<STX>07EE5<ETX>", 4},
      {"<STX>07A14<ETX>", 1}, {"<STX>07EE0<ETX>", 4},  // PHONO: Hall in Vienna, then Straight
      {"<STX>07A15<ETX>", 1}, {"<STX>07EED<ETX>", 4},  // CD
      {"<STX>07A16<ETX>", 1}, {"<STX>07EEC<ETX>", 4},  // TUNER
      {"<STX>07A19<ETX>", 1}, {"<STX>07EAF<ETX>", 4},  // CD-R
      {"<STX>07A18<ETX>", 1}, {"<STX>07ECD<ETX>", 4},  // MD/TAPE
      {"<STX>07AC8<ETX>", 1}, {"<STX>07EFC<ETX>", 4},  // BD/HD DVD
      {"<STX>07AC1<ETX>", 1}, {"<STX>07EFA<ETX>", 4},  // DVD
      {"<STX>07A54<ETX>", 1}, {"<STX>07EF8<ETX>", 4},
      {"<STX>07A54<ETX>", 1}, {"<STX>07EE0<ETX>", 4},  // DTV/CBL
      {"<STX>07A0F<ETX>", 1}, {"<STX>07EF8<ETX>", 4},
      {"<STX>07A0F<ETX>", 1}, {"<STX>07EE0<ETX>", 4},  // VCR
      {"<STX>07A13<ETX>", 1}, {"<STX>07EF3<ETX>", 4},
      {"<STX>07A13<ETX>", 1}, {"<STX>07EE0<ETX>", 4},  // DVR
      {"<STX>07A55<ETX>", 1}, {"<STX>07EF3<ETX>", 4},
      {"<STX>07A55<ETX>", 1}, {"<STX>07EE0<ETX>", 4},  // V-AUX
      {"<STX>07AB4<ETX>", 1}, {"<STX>07ED8<ETX>", 4},  // XM
  };
  EXPECT_EQ(f.Queued(), expected);
  // The basic control still reads as before.
  EXPECT_EQ(ReadParameter(f.image(), 1), 3);
  EXPECT_EQ(ReadParameter(f.image(), 4), 21);
}

TEST(InputDspPage, OneRecordDownloadsOnlyInAsyncMode) {
  InputDspFixture f(ControlMode::kAsync);
  StoreParameter(f.image(), 217, 25);  // VCR plays 7ch Enhancer
  StoreParameter(f.image(), 218, 0);
  f.page.SendParamFromImage(f.image(), 217, -1);
  EXPECT_EQ(f.Queued(), (std::vector<std::pair<std::string, ParamId>>{
                            {"<STX>07A0F<ETX>", 1}, {"<STX>0F7E81146B<ETX>", 4}}));
  f.capture.Clear();
  f.page.SendParamFromImage(f.image(), 219, -1);  // DVR, Straight
  EXPECT_EQ(f.Queued(), (std::vector<std::pair<std::string, ParamId>>{{"<STX>07A13<ETX>", 1},
                                                                      {"<STX>07EF3<ETX>", 4},
                                                                      {"<STX>07A13<ETX>", 1},
                                                                      {"<STX>07EE0<ETX>", 4}}));
  f.capture.Clear();
  f.page.SendParamFromImage(f.image(), 215, -1);
  EXPECT_TRUE(f.Queued().empty());

  InputDspFixture live(ControlMode::kRealTime);
  live.page.DownloadPage(live.image());
  live.page.SendParam(199);
  EXPECT_TRUE(live.Queued().empty());
  EXPECT_TRUE(live.capture.Frames().empty());
}

TEST(InputDspPage, SelectingAnInputShowsItsRecord) {
  InputDspFixture f(ControlMode::kAsync);
  StoreParameter(f.image(), 219, 20);  // DVR: Recital/Opera, Straight
  StoreParameter(f.image(), 217, 17);  // VCR: Action Game
  StoreParameter(f.image(), 218, 0);
  f.page.RefreshAll();
  EXPECT_EQ(f.page.SelectedInput(), 0);
  EXPECT_FALSE(f.control(Page::kProgramCombo).enabled);  // PHONO plays Straight
  f.page.SelectListRow(Page::kInputList, 8);             // DVR
  EXPECT_EQ(f.control(Page::kProgramCombo).value, 20);
  EXPECT_EQ(f.control(Page::kDspProgramRadio).value, 1);
  EXPECT_FALSE(f.control(Page::kProgramCombo).enabled);
  f.page.SelectListRow(Page::kInputList, 9);  // VCR
  EXPECT_EQ(f.control(Page::kProgramCombo).value, 17);
  EXPECT_EQ(f.control(Page::kDspProgramRadio).value, 0);
  EXPECT_TRUE(f.control(Page::kProgramCombo).enabled);
  EXPECT_EQ(f.ListText(9), "Action Game");
  EXPECT_EQ(f.ListText(8), "Straight");
  f.page.SelectListRow(Page::kInputList, 12);  // MULTI CH is not listed
  f.page.SelectListRow(Page::kInputList, -1);
  EXPECT_EQ(f.page.SelectedInput(), 9);
}

TEST(InputDspPage, ChoosingAProgramStoresItAndTellsTheControlPanelForTheCurrentInput) {
  InputDspFixture f(ControlMode::kAsync);
  f.basic.input = 9;
  f.page.SelectListRow(Page::kInputList, 9);   // VCR, Straight at first
  f.page.ChooseCombo(Page::kProgramCombo, 3);  // refused: the combo is disabled
  EXPECT_EQ(ReadParameter(f.image(), 217), 16);
  f.page.ClickRadio(Page::kDspProgramRadio);
  EXPECT_EQ(ReadParameter(f.image(), 218), 0);
  EXPECT_TRUE(f.control(Page::kProgramCombo).enabled);
  EXPECT_EQ(f.ListText(9), "Sports");
  f.page.ChooseCombo(Page::kProgramCombo, 21);
  EXPECT_EQ(ReadParameter(f.image(), 217), 21);
  EXPECT_EQ(ReadParameter(f.image(), 219), 19);  // DVR untouched
  EXPECT_EQ(f.ListText(9), "Surround Decoder");
  f.page.ChooseCombo(Page::kProgramCombo, 26);  // no such entry
  EXPECT_EQ(ReadParameter(f.image(), 217), 21);
  f.page.ClickRadio(Page::kStraightRadio);
  EXPECT_EQ(ReadParameter(f.image(), 218), 1);
  EXPECT_EQ(ReadParameter(f.image(), 217), 21);
  EXPECT_FALSE(f.control(Page::kProgramCombo).enabled);
  EXPECT_EQ(f.ListText(9), "Straight");
  using Applied = RecordingBasicControl::Applied;
  EXPECT_EQ(f.basic.applied, (std::vector<Applied>{{16, true}, {21, true}, {26, true}}));

  // Another input than the one playing changes only its record.
  f.basic.applied.clear();
  f.page.SelectListRow(Page::kInputList, 1);
  f.page.ChooseCombo(Page::kProgramCombo, 5);
  f.page.ClickRadio(Page::kStraightRadio);
  f.page.ClickRadio(Page::kDspProgramRadio);
  EXPECT_EQ(ReadParameter(f.image(), 201), 5);
  EXPECT_EQ(ReadParameter(f.image(), 202), 0);
  EXPECT_TRUE(f.basic.applied.empty());
  EXPECT_TRUE(f.Queued().empty());
}

TEST(InputDspPage, DefaultRestoresTheRegionsRecordsAndShowsTheCurrentInputsProgram) {
  struct Case {
    int region;
    int input;
    RecordingBasicControl::Applied applied;
  };
  const Case cases[] = {
      {1, 1, {8, false}},    // CD: The Roxy Theatre
      {0, 1, {26, false}},   // CD plays Straight in region 0
      {1, 8, {26, false}},   // DVR
      {1, 12, {26, false}},  // MULTI CH: its record holds Straight as program
  };
  for (const Case& c : cases) {
    InputDspFixture f(ControlMode::kAsync, c.region);
    CSettingImage defaults = f.image();
    for (ParamId id = 199; id <= 228; ++id) StoreParameter(f.image(), id, id % 2 == 0 ? 0 : 3);
    f.page.RefreshAll();
    f.basic.input = c.input;
    f.page.PressButton(Page::kDefaultButton);
    EXPECT_EQ(f.image(), defaults) << c.region << "/" << c.input;
    EXPECT_EQ(f.basic.applied, std::vector<RecordingBasicControl::Applied>{c.applied});
    EXPECT_EQ(f.ListText(0), "Straight");
    EXPECT_TRUE(f.Queued().empty());
  }
}

TEST(InputDspPage, ReportedRecordsRefreshTheListAndTheCurrentInputsControls) {
  InputDspFixture f(ControlMode::kAsync);
  f.basic.input = 1;
  f.page.SelectListRow(Page::kInputList, 1);
  StoreParameter(f.image(), 202, 1);
  f.page.SetActive(false);
  f.page.RefreshParam(202, true);
  EXPECT_EQ(f.ListText(1), "The Roxy Theatre");
  f.page.SetActive(true);  // activation shows the image again
  EXPECT_EQ(f.ListText(1), "Straight");
  EXPECT_FALSE(f.control(Page::kProgramCombo).enabled);

  StoreParameter(f.image(), 202, 0);
  StoreParameter(f.image(), 201, 11);
  f.page.RefreshParam(202, false);
  EXPECT_EQ(f.control(Page::kDspProgramRadio).value, 0);
  EXPECT_TRUE(f.control(Page::kProgramCombo).enabled);
  f.page.RefreshParam(201, true);
  EXPECT_EQ(f.ListText(1), "Spectacle");
  EXPECT_EQ(f.control(Page::kProgramCombo).value, 11);
  // Another input's record changes only its list text.
  StoreParameter(f.image(), 204, 1);
  f.page.RefreshParam(204, true);
  EXPECT_EQ(f.ListText(2), "Straight");
  EXPECT_TRUE(f.control(Page::kProgramCombo).enabled);
  EXPECT_EQ(f.control(Page::kProgramCombo).value, 11);
}

TEST(InputDspPage, ProfileRoundTripOfEveryListedInput) {
  InputDspFixture f(ControlMode::kAsync);
  for (int record = 0; record < 12; ++record) {
    const ParamId id = Page::ProgramIdOfRecord(record);
    StoreParameter(f.image(), id, 2 * record + 1);
    StoreParameter(f.image(), id + 1, record % 3 == 0 ? 1 : 0);
  }
  MemoryIniFile file;
  f.page.SaveToProfile(file, f.image());
  EXPECT_EQ(file.Read("Input DSP", "VCR"), "Action Game");
  EXPECT_EQ(file.Read("Input DSP", "DVR"), "Straight");
  CSettingImage other;
  ResetImage(other, 0, 1);
  for (ParamId id = 199; id <= 228; ++id) StoreParameter(other, id, id % 2 == 0 ? 1 : 5);
  f.page.LoadFromProfile(file, other);
  for (int record = 0; record < 12; ++record) {
    const ParamId id = Page::ProgramIdOfRecord(record);
    EXPECT_EQ(ReadParameter(other, id + 1), ReadParameter(f.image(), id + 1)) << record;
    // A Straight input keeps the program it had: the file names none.
    const int program = record % 3 == 0 ? 5 : ReadParameter(f.image(), id);
    EXPECT_EQ(ReadParameter(other, id), program) << record;
  }
  // A line that names no program is ignored.
  file.Write("Input DSP", "CD", "Hall in Paris");
  f.page.LoadFromProfile(file, other);
  EXPECT_EQ(ReadParameter(other, 201), 3);
  EXPECT_EQ(ReadParameter(other, 202), 0);
}

}  // namespace
}  // namespace qamp
