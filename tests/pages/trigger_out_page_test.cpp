// The TRIGGER OUT page.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/trigger_out_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

using testing::Queue;

// A receiver with both zones and the XM tuner unless told otherwise.
struct TriggerFixture : testing::PageFixture<CDCTriggerCtl> {
  explicit TriggerFixture(ControlMode mode, int zone2 = 1, int zone3 = 1, int xm = 1)
      : PageFixture(testing::kShowLater, mode) {
    ModelFlags flags;
    flags.zone2 = zone2;
    flags.zone3 = zone3;
    flags.xm = xm;
    SetModel(flags);
    Show();
  }
  const std::vector<std::string>& Items(int output) {
    return control(CDCTriggerCtl::kControlCombo[output]).items;
  }
};

// The IDs of one output's switches of Zone2 (zone 1) or Zone3 (zone 2),
// XM included.
std::vector<ParamId> ZoneSwitches(int output, int zone) {
  std::vector<ParamId> ids;
  for (int row = 0; row < 11; ++row) ids.push_back(301 + 38 * output + 3 * row + zone);
  ids.push_back(335 + 38 * output + zone);
  return ids;
}

TEST(TriggerOutPage, TriggerControlSendsTheDigitOfEachZone) {
  const char* frames[2][4] = {
      {"<STX>07E32<ETX>", "<STX>07E33<ETX>", "<STX>07E31<ETX>", "<STX>07E34<ETX>"},
      {"<STX>07E96<ETX>", "<STX>07E97<ETX>", "<STX>07E9F<ETX>", "<STX>07E98<ETX>"}};
  for (int output = 0; output < 2; ++output) {
    for (int item = 0; item < 4; ++item) {
      TriggerFixture f(ControlMode::kRealTime);
      f.page.ChooseCombo(CDCTriggerCtl::kControlCombo[output], item);
      EXPECT_EQ(ReadParameter(f.image(), output == 0 ? 300 : 338), item);
      EXPECT_EQ(f.Written(), std::vector<std::string>{frames[output][item]}) << output << item;
    }
  }
}

TEST(TriggerOutPage, SwitchClicksSendTheirRowZoneAndValue) {
  struct Case {
    ParamId id;
    int value;
    const char* frame;
  };
  const Case cases[] = {
      {301, 0, "<DC4>200904010000080<ETX>"},  // PHONO Main L
      {301, 1, "<DC4>200904010000181<ETX>"},  // PHONO Main H
      {308, 0, "<DC4>200904010102083<ETX>"},  // TUNER Zone2
      {324, 1, "<DC4>200904010211185<ETX>"},  // BD/HD DVD Zone3
      {334, 1, "<DC4>200904010010182<ETX>"},  // MULTI CH
      {369, 0, "<DC4>20090401100C094<ETX>"},  // output 2 V-AUX Main
      {375, 1, "<DC4>20090401120E199<ETX>"},  // output 2 XM Zone3
  };
  for (const Case& c : cases) {
    TriggerFixture f(ControlMode::kRealTime);
    StoreParameter(f.image(), c.id, 1 - c.value);
    const int button =
        c.value == 0 ? CDCTriggerCtl::LowButtonOf(c.id) : CDCTriggerCtl::HighButtonOf(c.id);
    f.page.ClickRadio(button);
    EXPECT_EQ(ReadParameter(f.image(), c.id), c.value) << c.id;
    EXPECT_EQ(f.Queued(), (Queue{{c.frame, c.id}})) << c.id;
    EXPECT_EQ(f.Written(), std::vector<std::string>{c.frame}) << c.id;  // the end marker wrote it
  }
}

TEST(TriggerOutPage, ModelFlagsDecideWhichSwitchesExist) {
  struct Case {
    int zone2, zone3, xm;
    std::vector<ParamId> disabled;
    std::vector<ParamId> enabled;
  };
  const Case cases[] = {
      {1, 1, 0, {335, 336, 337, 373, 374, 375}, {301, 302, 303, 333, 334, 372}},
      {0, 1, 1, {302, 332, 336, 340, 374}, {301, 303, 334, 335, 337}},
      {1, 0, 1, {303, 333, 337, 341, 375}, {302, 334, 335, 336, 372}},
  };
  for (const Case& c : cases) {
    TriggerFixture f(ControlMode::kRealTime, c.zone2, c.zone3, c.xm);
    for (const ParamId id : c.disabled) {
      EXPECT_FALSE(f.page.IsParamEnabled(id)) << id;
      EXPECT_FALSE(f.page.FindControl(CDCTriggerCtl::LowButtonOf(id))->enabled) << id;
      f.page.SendParamFromImage(f.image(), id, -1);
      const int before = ReadParameter(f.image(), id);
      f.page.ClickRadio(CDCTriggerCtl::LowButtonOf(id));
      EXPECT_EQ(ReadParameter(f.image(), id), before) << id;
    }
    EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
    for (const ParamId id : c.enabled) {
      EXPECT_TRUE(f.page.IsParamEnabled(id)) << id;
      EXPECT_TRUE(f.page.FindControl(CDCTriggerCtl::LowButtonOf(id))->enabled) << id;
    }
  }
}

TEST(TriggerOutPage, MissingZonesRemoveItemsAndHoldSwitchesHigh) {
  struct Case {
    int zone2, zone3;
    std::vector<std::string> items;
    int control;  // both Trigger Controls afterwards
    int item;     // the item the combo shows
  };
  // A missing zone forces both controls to "Zone OR", which needs at least
  // one other zone: without either, "Main" is all that is left.
  const Case cases[] = {
      {1, 1, {"Main", "Zone2", "Zone3", "Zone OR"}, -1, 1},
      {0, 1, {"Main", "Zone3", "Zone OR"}, 3, 2},
      {1, 0, {"Main", "Zone2", "Zone OR"}, 3, 2},
      {0, 0, {"Main"}, 0, 0},
  };
  for (const Case& c : cases) {
    CommandCapture capture(ControlMode::kAsync);
    QuietPageHost host;
    CDCTriggerCtl page(capture.Link(), host);
    CSettingImage& image = capture.Link().CurrentImage();
    for (ParamId id = 301; id <= 375; ++id) StoreParameter(image, id, 0);
    StoreParameter(image, 300, 1);
    StoreParameter(image, 338, 2);
    ModelFlags flags;
    flags.zone2 = c.zone2;
    flags.zone3 = c.zone3;
    capture.Link().SetFlags(flags);
    page.UpdateModelControls();
    EXPECT_EQ(page.FindControl(CDCTriggerCtl::kControlCombo[0])->items, c.items);
    EXPECT_EQ(page.FindControl(CDCTriggerCtl::kControlCombo[1])->items, c.items);
    const bool zoneMissing = c.zone2 == 0 || c.zone3 == 0;
    for (int output = 0; output < 2; ++output) {
      for (const ParamId id : ZoneSwitches(output, 1))
        EXPECT_EQ(ReadParameter(image, id), c.zone2 ? 0 : 1) << id;
      for (const ParamId id : ZoneSwitches(output, 2))
        EXPECT_EQ(ReadParameter(image, id), c.zone3 ? 0 : 1) << id;
      EXPECT_EQ(ReadParameter(image, 301 + 38 * output), 0);                    // PHONO Main
      EXPECT_EQ(ReadParameter(image, 334 + 38 * output), zoneMissing ? 1 : 0);  // MULTI CH
      EXPECT_EQ(ReadParameter(image, 335 + 38 * output), 0);                    // XM Main
    }
    EXPECT_EQ(ReadParameter(image, 300), zoneMissing ? c.control : 1);
    EXPECT_EQ(ReadParameter(image, 338), zoneMissing ? c.control : 2);
    EXPECT_EQ(page.FindControl(CDCTriggerCtl::kControlCombo[0])->value, c.item);
  }
}

TEST(TriggerOutPage, AllLowLeavesTheSwitchesOfAMissingZoneHigh) {
  TriggerFixture f(ControlMode::kRealTime, 1, 0, 1);
  f.page.PressButton(CDCTriggerCtl::kAllLowButton[0]);
  for (const ParamId id : ZoneSwitches(0, 2)) EXPECT_EQ(ReadParameter(f.image(), id), 1) << id;
  for (const ParamId id : ZoneSwitches(0, 1)) EXPECT_EQ(ReadParameter(f.image(), id), 0) << id;
  EXPECT_EQ(ReadParameter(f.image(), 301), 0);
  EXPECT_EQ(ReadParameter(f.image(), 334), 0);
  EXPECT_EQ(ReadParameter(f.image(), 339), 1);  // output 2 untouched
  EXPECT_EQ(f.page.FindControl(CDCTriggerCtl::LowButtonOf(331))->value, 0);

  // The Main and Zone2 switches in list order, MULTI CH last.
  std::vector<ParamId> expected;
  for (int row = 0; row < 11; ++row) {
    expected.push_back(301 + 3 * row);
    expected.push_back(302 + 3 * row);
  }
  expected.insert(expected.end(), {335, 336, 334});
  const Queue queued = f.Queued();
  ASSERT_EQ(queued.size(), expected.size());
  for (size_t i = 0; i < queued.size(); ++i) EXPECT_EQ(queued[i].second, expected[i]) << i;
  EXPECT_EQ(queued.front().first, "<DC4>200904010000080<ETX>");
  EXPECT_EQ(queued[1].first, "<DC4>200904010100081<ETX>");
  EXPECT_EQ(queued.back().first, "<DC4>200904010010081<ETX>");
  EXPECT_EQ(f.capture.Frames().size(), queued.size());  // the end marker wrote the first
}

TEST(TriggerOutPage, AllHighOfOutput2SendsEverySwitchInListOrder) {
  TriggerFixture f(ControlMode::kRealTime);
  for (ParamId id = 339; id <= 375; ++id) StoreParameter(f.image(), id, 0);
  f.page.PressButton(CDCTriggerCtl::kAllHighButton[1]);
  for (ParamId id = 339; id <= 375; ++id) EXPECT_EQ(ReadParameter(f.image(), id), 1) << id;
  const Queue queued = f.Queued();
  ASSERT_EQ(queued.size(), 37U);
  for (size_t i = 0; i < 33; ++i) EXPECT_EQ(queued[i].second, static_cast<ParamId>(339 + i));
  EXPECT_EQ(queued[33].second, 373);
  EXPECT_EQ(queued[36], (std::pair<std::string, ParamId>{"<DC4>200904011010183<ETX>", 372}));

  TriggerFixture quiet(ControlMode::kAsync);
  quiet.page.PressButton(CDCTriggerCtl::kAllLowButton[1]);
  EXPECT_EQ(ReadParameter(quiet.image(), 372), 0);
  EXPECT_TRUE(quiet.capture.QueuedWithCodes().empty());
}

// A host whose wait cursor lets the view run, which starts another send.
class ReentrantHost : public QuietPageHost {
 public:
  void SetWaitCursor(bool on) override {
    if (on && page != nullptr && !reentered) {
      reentered = true;
      page->SendParam(302);
    }
  }
  CDCTriggerCtl* page = nullptr;
  bool reentered = false;
};

TEST(TriggerOutPage, ASendStartedWhileQueueingIsIgnored) {
  CommandCapture capture(ControlMode::kRealTime);
  ReentrantHost host;
  CDCTriggerCtl page(capture.Link(), host);
  host.page = &page;
  page.SendParam(301);
  EXPECT_TRUE(host.reentered);
  const auto queued = capture.QueuedWithCodes();
  ASSERT_EQ(queued.size(), 1U);
  EXPECT_EQ(queued[0].second, 301);
  // The guard is released afterwards.
  page.SendParam(303);
  EXPECT_EQ(capture.QueuedWithCodes().back().second, 303);
}

TEST(TriggerOutPage, RederiveRestoresWhatTheModelForces) {
  struct Case {
    int zone2, zone3;
    ParamId id;
    int held;
    int expected;
  };
  const Case cases[] = {
      {1, 0, 303, 0, 1},                     // PHONO Zone3 without Zone 3
      {1, 0, 375, 0, 1},                     // output 2 XM Zone3
      {1, 0, 334, 0, 1},                     // MULTI CH with a zone missing
      {1, 0, 372, 0, 1}, {1, 0, 302, 0, 0},  // Zone2 present: left as it is
      {1, 0, 301, 0, 0}, {0, 1, 336, 0, 1},
      {1, 1, 303, 0, 0},                     // every zone present: nothing forced
      {1, 1, 334, 0, 0}, {1, 0, 300, 2, 2},  // the Trigger Controls are left alone
      {1, 0, 338, 2, 2},
  };
  for (const Case& c : cases) {
    TriggerFixture f(ControlMode::kRealTime, c.zone2, c.zone3, 1);
    StoreParameter(f.image(), c.id, c.held);
    f.page.RederiveTriggerParameter(c.id);
    EXPECT_EQ(ReadParameter(f.image(), c.id), c.expected) << c.zone2 << c.zone3 << " " << c.id;
  }
  TriggerFixture f(ControlMode::kRealTime, 1, 0, 1);
  const CSettingImage before = f.image();
  f.page.RederiveTriggerParameter(376);
  f.page.RederiveTriggerParameter(299);
  EXPECT_TRUE(f.image() == before);
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
}

TEST(TriggerOutPage, EachOutputStandsInItsBoxWithAColumnPerZone) {
  TriggerFixture f(ControlMode::kAsync);
  const std::vector<std::string> zones = {"Main", "Zone2", "Zone3"};
  for (int output = 0; output < 2; ++output) {
    const int frame = output == 0 ? 1336 : 1337;
    const Control& box = f.control(frame);
    EXPECT_EQ(box.kind, ControlKind::kFrame);
    EXPECT_EQ(box.caption, output == 0 ? "TRIGGER OUT1" : "TRIGGER OUT2");
    EXPECT_EQ(box.columnHeaders, zones);
    EXPECT_EQ(f.control(output == 0 ? 1330 : 1331).frame, frame);
    EXPECT_EQ(f.control(output == 0 ? 1332 : 1334).frame, frame);
    EXPECT_EQ(f.control(output == 0 ? 1333 : 1335).frame, frame);
  }
  // Every switch of an output is in its box, its caption the row's name and
  // then a column's header; 37 switches per output.
  int switches[2] = {0, 0};
  for (const Control& control : f.page.Controls()) {
    if (control.kind != ControlKind::kRadioGroup) continue;
    const int output = control.param >= 338 ? 1 : 0;
    EXPECT_EQ(control.frame, output == 0 ? 1336 : 1337) << control.caption;
    const std::string& caption = control.caption;
    const bool endsWithZone = std::any_of(zones.begin(), zones.end(), [&](const std::string& z) {
      return caption.size() > z.size() + 1 &&
             caption.substr(caption.size() - z.size() - 1) == " " + z;
    });
    EXPECT_TRUE(endsWithZone) << caption;
    ++switches[output];
  }
  EXPECT_EQ(switches[0], 37);
  EXPECT_EQ(switches[1], 37);
  EXPECT_EQ(f.control(CDCTriggerCtl::LowButtonOf(334)).caption, "MULTI CH Main");
  EXPECT_EQ(f.control(CDCTriggerCtl::LowButtonOf(369)).caption, "V-AUX/DOCK Main");
}

TEST(TriggerOutPage, ListOrderAndKeys) {
  TriggerFixture f(ControlMode::kAsync);
  std::vector<ParamId> ids;
  std::vector<int> subIndices;
  f.page.GetParamList(ids, subIndices, true, kWholeList);
  std::vector<ParamId> expected;
  for (ParamId id = 300; id <= 333; ++id) expected.push_back(id);
  expected.insert(expected.end(), {335, 336, 337, 334});
  for (ParamId id = 338; id <= 371; ++id) expected.push_back(id);
  expected.insert(expected.end(), {373, 374, 375, 372});
  EXPECT_EQ(ids, expected);

  const std::pair<ParamId, const char*> keys[] = {
      {300, "TRIGGER OUT1 Trigger Control"}, {301, "TRIGGER OUT1 PHONO Main"},
      {307, "TRIGGER OUT1 Tuner Main"},      {323, "TRIGGER OUT1 BD/HD DVD Zone2"},
      {331, "TRIGGER OUT1 V-AUX Main"},      {334, "TRIGGER OUT1 MULTI CH"},
      {338, "TRIGGER OUT2 Trigger Control"}, {375, "TRIGGER OUT2 XM Zone3"},
  };
  for (const auto& [id, key] : keys) {
    std::string section, text;
    f.page.GetParamText(f.image(), id, -1, &section, &text, nullptr, false);
    EXPECT_EQ(section, "TRIGGER OUT");
    EXPECT_EQ(text, key);
  }
  EXPECT_EQ(f.page.BuildReportText(f.image()).find(
                "\r\n(TRIGGER OUT)\r\nTRIGGER OUT1 Trigger Control = Zone OR\r\n"
                "TRIGGER OUT1 PHONO Main = H\r\n"),
            0U);
}

TEST(TriggerOutPage, FileTexts) {
  struct Case {
    int zone2, zone3;
    ParamId id;
    const char* text;
    int stored;  // -1: refused
  };
  const Case cases[] = {
      {1, 1, 301, "L", 0},       {1, 1, 301, "H", 1},        {1, 1, 301, "X", -1},
      {1, 1, 301, "l", -1},      {1, 1, 300, "Zone3", 2},    {1, 1, 338, "Zone OR", 3},
      {1, 1, 300, "Zone 3", -1}, {1, 0, 300, "Zone3", -1},   {1, 0, 300, "Zone OR", 3},
      {1, 0, 338, "Zone2", 1},   {0, 0, 300, "Zone OR", -1}, {0, 0, 338, "Main", 0},
      {1, 0, 303, "L", 0},       {1, 0, 303, "H", 1},        {1, 0, 334, "L", 0},
      {0, 1, 302, "L", 0},       {0, 0, 337, "L", 0},        {0, 0, 334, "X", -1},
      {1, 0, 302, "L", 0},
  };
  for (const Case& c : cases) {
    TriggerFixture f(ControlMode::kAsync, c.zone2, c.zone3, 1);
    StoreParameter(f.image(), c.id, 5);
    EXPECT_EQ(f.page.SetParamFromText(f.image(), c.id, -1, c.text), c.stored >= 0)
        << c.id << c.text;
    EXPECT_EQ(ReadParameter(f.image(), c.id), c.stored >= 0 ? c.stored : 5) << c.id << c.text;
  }
}

TEST(TriggerOutPage, AFileKeepsItsLowSwitchesOnAModelThatHoldsThemHigh) {
  // Written from a receiver with both zones, every switch low.
  TriggerFixture both(ControlMode::kAsync);
  both.page.PressButton(CDCTriggerCtl::kAllLowButton[0]);
  both.page.PressButton(CDCTriggerCtl::kAllLowButton[1]);
  MemoryIniFile file;
  both.page.SaveToProfile(file, both.image());
  EXPECT_EQ(file.Read("TRIGGER OUT", "TRIGGER OUT1 PHONO Zone3"), "L");
  EXPECT_EQ(file.Read("TRIGGER OUT", "TRIGGER OUT2 MULTI CH"), "L");

  // Read where Zone 3 is missing: the file's values are what it holds.
  TriggerFixture noZone3(ControlMode::kAsync, 1, 0, 1);
  CSettingImage memory = testing::ReadIntoFreshImage(noZone3.page, file);
  for (const int output : {0, 1}) {
    for (const int zone : {0, 1, 2}) {
      for (const ParamId id : ZoneSwitches(output, zone))
        EXPECT_EQ(ReadParameter(memory, id), 0) << id;
    }
    EXPECT_EQ(ReadParameter(memory, 334 + 38 * output), 0);
  }
  // The model's rule holds the live setting when the page learns the model.
  noZone3.page.LoadFromProfile(file, noZone3.image());
  EXPECT_EQ(ReadParameter(noZone3.image(), 303), 0);
  noZone3.page.UpdateModelControls();
  EXPECT_EQ(ReadParameter(noZone3.image(), 303), 1);
  EXPECT_EQ(ReadParameter(noZone3.image(), 334), 1);
  EXPECT_EQ(ReadParameter(noZone3.image(), 302), 0);
}

TEST(TriggerOutPage, ProfileRoundTripAndAsyncClicks) {
  TriggerFixture f(ControlMode::kAsync);
  f.page.ClickRadio(CDCTriggerCtl::LowButtonOf(307));
  f.page.ClickRadio(CDCTriggerCtl::LowButtonOf(372));
  f.page.ChooseCombo(CDCTriggerCtl::kControlCombo[1], 1);
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
  MemoryIniFile file;
  f.page.SaveToProfile(file, f.image());
  EXPECT_EQ(file.Read("TRIGGER OUT", "TRIGGER OUT1 Tuner Main"), "L");
  EXPECT_EQ(file.Read("TRIGGER OUT", "TRIGGER OUT2 Trigger Control"), "Zone2");
  CSettingImage other = testing::ReadIntoFreshImage(f.page, file);
  for (ParamId id = 300; id <= 375; ++id)
    EXPECT_EQ(ReadParameter(other, id), ReadParameter(f.image(), id)) << id;
}

}  // namespace
}  // namespace qamp
