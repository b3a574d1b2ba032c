// The Tuner Set page.
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/tuner_set_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

// What the user does in the "Frequency" dialog: select a row and confirm,
// confirm at once, or cancel.
class ScriptedChooser : public FrequencyChooser {
 public:
  enum class Answer { kOkAsOpened, kSelectAndOk, kDoubleClick, kCancel };

  std::optional<std::string> Choose(CFrequencyDialog& dialog) override {
    offered = dialog.Entries();
    rows = dialog.Rows();
    openedRow = dialog.SelectedRow();
    ++opened;
    switch (answer) {
      case Answer::kOkAsOpened:
        return dialog.Ok();
      case Answer::kSelectAndOk:
        dialog.SelectRow(row);
        return dialog.Ok();
      case Answer::kDoubleClick:
        return dialog.DoubleClickRow(row);
      case Answer::kCancel:
        return std::nullopt;
    }
    return std::nullopt;
  }

  Answer answer = Answer::kCancel;
  int row = 0;
  std::vector<std::string> offered;
  std::vector<std::string> rows;
  int openedRow = -2;
  int opened = 0;
};

using testing::ExtendedFrame;

struct TunerParts {
  ScriptedChooser chooser;
};

struct TunerFixture : TunerParts, testing::PageFixture<CTunerSetPage> {
  explicit TunerFixture(ControlMode mode, int region = 1) : PageFixture(mode, region, &chooser) {}
  // In Real Time Mode the end marker writes the first queued command.
  bool EndMarkerSent() { return capture.Frames().size() == capture.QueuedWithCodes().size(); }
  const std::vector<std::string>& FrequencyRows() {
    return control(CTunerSetPage::kFrequencyList).items;
  }
};

TEST(TunerSetPage, PresetsAndFrequenciesAreOneTableWhoseRowsChooseThePreset) {
  TunerFixture f(ControlMode::kAsync);
  EXPECT_EQ(f.control(CTunerSetPage::kPresetList).columnHeaders,
            std::vector<std::string>{"Preset"});
  EXPECT_EQ(f.control(CTunerSetPage::kFrequencyList).columnHeaders,
            std::vector<std::string>{"Frequency"});
  f.page.ChooseCombo(CTunerSetPage::kPageCombo, 2);  // PageB
  f.page.SelectListRow(CTunerSetPage::kFrequencyList, 6);
  EXPECT_EQ(f.control(CTunerSetPage::kPresetList).value, 6);
  EXPECT_EQ(f.control(CTunerSetPage::kFrequencyList).value, 6);
  f.page.SelectListRow(CTunerSetPage::kFrequencyList, 8);  // no such preset
  EXPECT_EQ(f.control(CTunerSetPage::kPresetList).value, 6);
  // "Current" has no presets: its one row chooses nothing.
  f.page.ChooseCombo(CTunerSetPage::kPageCombo, 0);
  f.page.SelectListRow(CTunerSetPage::kFrequencyList, 0);
  EXPECT_EQ(f.control(CTunerSetPage::kPresetList).value, -1);
}

TEST(TunerSetPage, FormatFrequencyShowsBandAndUnit) {
  const std::pair<const char*, const char*> cases[] = {
      {"087.50", "FM 87.5MHz"},
      {"108.00", "FM 108.0MHz"},
      {"087.55", "FM 87.55MHz"},
      {"076.00", "FM 76.0MHz"},
      {"107.90", "FM 107.9MHz"},
      {"000630", "AM 630kHz"},
      {"001710", "AM 1710kHz"},
      {"000531", "AM 531kHz"},
      {"87.50", "87.50"},
      {"0876.500", "0876.500"},
      {"", ""},
  };
  for (const auto& [stored, shown] : cases) EXPECT_EQ(FormatFrequency(stored), shown) << stored;
}

TEST(TunerSetPage, ParseFrequencyGivesTheStoredForm) {
  const std::pair<const char*, const char*> cases[] = {
      {"FM 107.9MHz", "107.90"}, {"AM 1611kHz", "001611"}, {"AM 530kHz", "000530"},
      {"FM 87.55MHz", "087.55"}, {"FM 87.5MHz", "087.50"}, {"FM 108.0MHz", "108.00"},
      {"FM 90MHz", "090.00"},    {"087.50", "087.50"},     {"X", "X"},
  };
  for (const auto& [text, stored] : cases) EXPECT_EQ(ParseFrequency(text), stored) << text;
}

TEST(TunerSetPage, FrequencyListsOfEveryRegion) {
  struct Case {
    int region;
    size_t amCount;
    const char* amFirst;
    const char* amSecond;
    const char* amLast;
    size_t fmCount;
    const char* fmFirst;
    const char* fmSecond;
    const char* fmLast;
  };
  const Case cases[] = {
      {0, 121, "000531", "000540", "001611", 141, "076.00", "076.10", "090.00"},
      {1, 119, "000530", "000540", "001710", 103, "087.50", "087.70", "107.90"},
      {2, 121, "000531", "000540", "001611", 411, "087.50", "087.55", "108.00"},
      {3, 119, "000530", "000540", "001710", 206, "087.50", "087.60", "108.00"},
      // Unknown region codes tune as Japan.
      {4, 121, "000531", "000540", "001611", 141, "076.00", "076.10", "090.00"},
      {-1, 121, "000531", "000540", "001611", 141, "076.00", "076.10", "090.00"},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> am = AmFrequencies(c.region);
    const std::vector<std::string> fm = FmFrequencies(c.region);
    ASSERT_EQ(am.size(), c.amCount) << c.region;
    ASSERT_EQ(fm.size(), c.fmCount) << c.region;
    EXPECT_EQ(am.front(), c.amFirst) << c.region;
    EXPECT_EQ(am[1], c.amSecond) << c.region;
    EXPECT_EQ(am.back(), c.amLast) << c.region;
    EXPECT_EQ(fm.front(), c.fmFirst) << c.region;
    EXPECT_EQ(fm[1], c.fmSecond) << c.region;
    EXPECT_EQ(fm.back(), c.fmLast) << c.region;
  }
  // Japan offers nothing above 90.00 MHz.
  for (const std::string& entry : FmFrequencies(0)) EXPECT_LE(entry, "090.00");
}

TEST(TunerSetPage, EveryRegionsDefaultsAreOnItsLists) {
  // "Default" and a fresh image must never hold a frequency the lists lack.
  for (int region = 0; region <= 3; ++region) {
    CSettingImage image;
    ResetImage(image, 0, region);
    const std::vector<std::string> am = AmFrequencies(region);
    const std::vector<std::string> fm = FmFrequencies(region);
    for (ParamId id = 435; id <= 475; ++id) {
      const std::string stored = ReadText(image, id);
      const bool listed = std::find(am.begin(), am.end(), stored) != am.end() ||
                          std::find(fm.begin(), fm.end(), stored) != fm.end();
      EXPECT_TRUE(listed) << region << " " << id << " " << stored;
    }
  }
}

TEST(TunerSetPage, Region2OffersAndStoresQuarterSteps) {
  TunerFixture f(ControlMode::kRealTime, 2);
  f.page.ChooseCombo(CTunerSetPage::kPageCombo, 1);  // PageA
  f.page.SelectListRow(CTunerSetPage::kPresetList, 2);
  f.chooser.answer = ScriptedChooser::Answer::kSelectAndOk;
  f.chooser.row = 1;
  f.page.PressButton(CTunerSetPage::kFmButton);
  ASSERT_EQ(f.chooser.offered.size(), 411U);
  EXPECT_EQ(f.chooser.rows[1], "FM 87.55MHz");
  EXPECT_EQ(f.chooser.openedRow, 0);
  EXPECT_EQ(ReadText(f.image(), 438), "087.55");
  EXPECT_EQ(f.FrequencyRows()[2], "FM 87.55MHz");
  EXPECT_EQ(f.Queued(),
            (std::vector<std::pair<std::string, ParamId>>{{"<DC4>200D0501131087.5568<ETX>", 438}}));
  EXPECT_TRUE(f.EndMarkerSent());
}

TEST(TunerSetPage, AmOnTheCurrentPageSetsTheCurrentFrequency) {
  TunerFixture f(ControlMode::kRealTime, 1);
  f.page.SelectListRow(CTunerSetPage::kPresetList, 5);  // "Current" has no presets
  EXPECT_EQ(f.page.SelectedPreset(), 0);
  f.chooser.answer = ScriptedChooser::Answer::kOkAsOpened;
  f.page.PressButton(CTunerSetPage::kAmButton);
  ASSERT_EQ(f.chooser.offered.size(), 119U);
  EXPECT_EQ(ReadText(f.image(), 435), "000530");
  EXPECT_EQ(f.Queued(),
            (std::vector<std::pair<std::string, ParamId>>{{"<DC4>200D050100000053054<ETX>", 435}}));
  EXPECT_EQ(f.FrequencyRows(), std::vector<std::string>{"AM 530kHz"});
}

TEST(TunerSetPage, CancelChangesAndSendsNothing) {
  TunerFixture f(ControlMode::kRealTime, 1);
  const CSettingImage before = f.image();
  f.page.ChooseCombo(CTunerSetPage::kPageCombo, 2);
  f.chooser.answer = ScriptedChooser::Answer::kCancel;
  f.page.PressButton(CTunerSetPage::kAmButton);
  EXPECT_EQ(f.chooser.opened, 1);
  EXPECT_TRUE(f.image() == before);
  EXPECT_TRUE(f.capture.Frames().empty());
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
}

TEST(TunerSetPage, AsyncModeOnlyChangesTheImage) {
  TunerFixture f(ControlMode::kAsync, 1);
  f.page.ChooseCombo(CTunerSetPage::kPageCombo, 5);  // PageE
  f.page.SelectListRow(CTunerSetPage::kPresetList, 7);
  f.chooser.answer = ScriptedChooser::Answer::kDoubleClick;
  f.chooser.row = 102;
  f.page.PressButton(CTunerSetPage::kFmButton);
  EXPECT_EQ(ReadText(f.image(), 475), "107.90");
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
  EXPECT_TRUE(f.capture.Frames().empty());
}

TEST(TunerSetPage, PagesAndPresetsChooseTheParameter) {
  TunerFixture f(ControlMode::kAsync, 1);
  EXPECT_EQ(f.page.ChosenParam(), 435);
  EXPECT_TRUE(f.page.FindControl(CTunerSetPage::kPresetList)->items.empty());
  f.page.ChooseCombo(CTunerSetPage::kPageCombo, 3);  // PageC
  f.page.SelectListRow(CTunerSetPage::kPresetList, 7);
  EXPECT_EQ(f.page.ChosenParam(), 459);
  EXPECT_EQ(f.page.FindControl(CTunerSetPage::kPresetList)->items.size(), 8U);
  EXPECT_EQ(f.page.FindControl(CTunerSetPage::kPresetList)->items[7], "Preset8");
  // PageC repeats the FM presets of region 1.
  EXPECT_EQ(f.FrequencyRows()[7], "FM 107.9MHz");
  f.page.SelectListRow(CTunerSetPage::kPresetList, 8);  // no such preset
  f.page.ChooseCombo(CTunerSetPage::kPageCombo, 6);     // no such page
  EXPECT_EQ(f.page.ChosenParam(), 459);
  f.page.ChooseCombo(CTunerSetPage::kPageCombo, 0);
  EXPECT_EQ(f.page.ChosenParam(), 435);
}

TEST(TunerSetPage, RefreshFollowsTheShownPageAndTheRegion) {
  TunerFixture f(ControlMode::kAsync, 1);
  f.page.ChooseCombo(CTunerSetPage::kPageCombo, 2);  // PageB: IDs 444..451
  StoreText(f.image(), 445, "000540");
  f.page.RefreshParam(445, true);
  EXPECT_EQ(f.FrequencyRows()[1], "AM 540kHz");
  StoreText(f.image(), 446, "000550");
  f.page.RefreshParam(452, true);  // another page: the list stays
  EXPECT_EQ(f.FrequencyRows()[2], "AM 1440kHz");
  f.page.SetActive(false);
  f.page.RefreshParam(446, true);  // inactive: nothing
  EXPECT_EQ(f.FrequencyRows()[2], "AM 1440kHz");
  f.page.SetActive(true);
  EXPECT_EQ(f.FrequencyRows()[2], "AM 550kHz");

  // A new region takes effect at the next refresh.
  f.capture.Link().SetRegionCode(3);
  f.page.RefreshAll();
  f.chooser.answer = ScriptedChooser::Answer::kCancel;
  f.page.PressButton(CTunerSetPage::kFmButton);
  EXPECT_EQ(f.chooser.offered.size(), 206U);
}

TEST(TunerSetPage, DownloadSendsTheCurrentFrequencyLast) {
  TunerFixture f(ControlMode::kAsync, 1);
  StoreText(f.image(), 436, "");
  f.page.DownloadPage(f.image());
  const auto queued = f.Queued();
  ASSERT_EQ(queued.size(), 41U);
  for (size_t i = 0; i < 40; ++i) EXPECT_EQ(queued[i].second, static_cast<ParamId>(436 + i));
  EXPECT_EQ(queued[40].second, 435);
  // An empty preset goes as AM with no characters.
  EXPECT_EQ(queued[0].first, "<DC4>200D05011102E<ETX>");
  EXPECT_EQ(queued[8].first, "<DC4>200D050121000063058<ETX>");
  EXPECT_EQ(queued[39].first, "<DC4>200D0501581107.9069<ETX>");
  EXPECT_EQ(queued[40].first, "<DC4>200D0501001087.505F<ETX>");
  EXPECT_EQ(queued[21].first, ExtendedFrame("200D0501361088.10"));
}

TEST(TunerSetPage, DefaultRestoresTheRegionsPresets) {
  TunerFixture f(ControlMode::kRealTime, 2);
  for (ParamId id = 435; id <= 475; ++id) StoreText(f.image(), id, "000999");
  f.page.ChooseCombo(CTunerSetPage::kPageCombo, 4);
  f.page.SelectListRow(CTunerSetPage::kPresetList, 6);
  f.page.PressButton(CTunerSetPage::kDefaultButton);
  EXPECT_EQ(f.page.ShownPage(), 0);
  EXPECT_EQ(f.page.SelectedPreset(), 0);
  EXPECT_EQ(ReadText(f.image(), 435), "087.50");
  EXPECT_EQ(ReadText(f.image(), 440), "108.00");
  EXPECT_EQ(ReadText(f.image(), 448), "001611");
  EXPECT_EQ(ReadText(f.image(), 475), "108.00");
  EXPECT_EQ(f.FrequencyRows(), std::vector<std::string>{"FM 87.5MHz"});
  const auto queued = f.Queued();
  ASSERT_EQ(queued.size(), 41U);
  EXPECT_EQ(queued.front().second, 436);
  EXPECT_EQ(queued.back(), (std::pair<std::string, ParamId>{"<DC4>200D0501001087.505F<ETX>", 435}));
  EXPECT_TRUE(f.EndMarkerSent());

  TunerFixture quiet(ControlMode::kAsync, 0);
  StoreText(quiet.image(), 435, "000999");
  quiet.page.PressButton(CTunerSetPage::kDefaultButton);
  EXPECT_EQ(ReadText(quiet.image(), 435), "076.00");
  EXPECT_TRUE(quiet.capture.QueuedWithCodes().empty());
}

TEST(TunerSetPage, FileFrequenciesAreStoredWhateverTheRegion) {
  // A file saved from a receiver of another region holds frequencies this
  // region's lists lack; they are the user's presets all the same.
  struct Case {
    const char* text;
    const char* stored;
  };
  const Case cases[] = {
      {"AM 1611kHz", "001611"},   {"FM 107.9MHz", "107.90"}, {"AM 530kHz", "000530"},
      {"AM 531kHz", "000531"},    {"AM 1710kHz", "001710"},  {"FM 76.0MHz", "076.00"},
      {"FM 90.1MHz", "090.10"},   {"FM 87.55MHz", "087.55"}, {"FM 108.0MHz", "108.00"},
      {"FM 100.05MHz", "100.05"}, {"087.50", "087.50"},      {"AM 0kHz", "000000"},
  };
  // Texts that name no frequency in the stored form.
  const char* const refused[] = {
      "X",          "",      "FM 1234.5MHz", "FM 12.345MHz", "AM 1234567kHz",
      "AM 16a1kHz", "87.50", "FM 8.7.5MHz"};
  for (int region = 0; region <= 3; ++region) {
    for (const Case& c : cases) {
      TunerFixture f(ControlMode::kAsync, region);
      EXPECT_TRUE(f.page.SetParamFromText(f.image(), 440, -1, c.text)) << region << " " << c.text;
      EXPECT_EQ(ReadText(f.image(), 440), c.stored) << region << " " << c.text;
    }
    for (const char* text : refused) {
      TunerFixture f(ControlMode::kAsync, region);
      const std::string before = ReadText(f.image(), 440);
      EXPECT_FALSE(f.page.SetParamFromText(f.image(), 440, -1, text)) << region << " " << text;
      EXPECT_EQ(ReadText(f.image(), 440), before) << text;
    }
  }
  TunerFixture f(ControlMode::kAsync, 1);
  EXPECT_FALSE(f.page.SetParamFromText(f.image(), 476, -1, "FM 87.5MHz"));
}

TEST(TunerSetPage, AProfileOfOneRegionLoadsWholeInEveryOther) {
  // Presets of region 2 (FM in 0.05 steps) and region 0 (AM in 9 kHz
  // steps), each outside some other region's lists.
  TunerFixture source(ControlMode::kAsync, 2);
  StoreText(source.image(), 435, "087.55");
  StoreText(source.image(), 436, "001611");
  StoreText(source.image(), 437, "076.00");
  StoreText(source.image(), 475, "107.90");
  MemoryIniFile file;
  source.page.SaveToProfile(file, source.image());
  for (int region = 0; region <= 3; ++region) {
    TunerFixture target(ControlMode::kAsync, region);
    target.page.LoadFromProfile(file, target.image());
    for (ParamId id = 435; id <= 475; ++id) {
      EXPECT_EQ(ReadText(target.image(), id), ReadText(source.image(), id))
          << "region " << region << " ID " << id;
    }
  }
}

TEST(TunerSetPage, KeysAndProfileRoundTrip) {
  TunerFixture f(ControlMode::kAsync, 2);
  StoreText(f.image(), 435, "087.55");
  StoreText(f.image(), 446, "001611");
  StoreText(f.image(), 475, "100.05");
  MemoryIniFile file;
  f.page.SaveToProfile(file, f.image());
  // The current frequency's key is the word Current and one space.
  EXPECT_EQ(file.Read("Tuner Set", "Current "), "FM 87.55MHz");
  EXPECT_EQ(file.Read("Tuner Set", "PageA Preset1"), "FM 87.5MHz");
  EXPECT_EQ(file.Read("Tuner Set", "PageB Preset3"), "AM 1611kHz");
  EXPECT_EQ(file.Read("Tuner Set", "PageE Preset8"), "FM 100.05MHz");
  CSettingImage other = testing::ReadIntoFreshImage(f.page, file, 2);
  for (ParamId id = 435; id <= 475; ++id) EXPECT_EQ(ReadText(other, id), ReadText(f.image(), id));
  EXPECT_EQ(f.page.BuildReportText(f.image()).find("\r\n(Tuner Set)\r\nCurrent  = FM 87.55MHz\r\n"),
            0U);
  std::string section = "x", key = "x", value = "x";
  f.page.GetParamText(f.image(), 476, -1, &section, &key, &value, false);
  EXPECT_TRUE(section.empty() && key.empty() && value.empty());
}

}  // namespace
}  // namespace qamp
