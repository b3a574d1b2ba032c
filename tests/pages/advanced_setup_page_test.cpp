// The Advanced Setup page.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/advanced_setup_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

// Answers questions as told and remembers them, with what had been sent
// when each was asked.
class AnsweringHost : public QuietPageHost {
 public:
  explicit AnsweringHost(CommandCapture& capture) : capture_(capture) {}
  bool AskOkCancel(std::string_view text, std::string_view title) override {
    questions.emplace_back(text);
    titles.emplace_back(title);
    sentBeforeQuestion.push_back(capture_.Frames().size());
    return answer;
  }
  bool Message(std::string_view text, std::string_view title, PageIcon icon,
               PageButtons buttons) override {
    icons.push_back(icon);
    buttonSets.push_back(buttons);
    return AskOkCancel(text, title);
  }
  bool answer = true;
  std::vector<PageIcon> icons;
  std::vector<PageButtons> buttonSets;
  std::vector<std::string> questions;
  std::vector<std::string> titles;
  std::vector<size_t> sentBeforeQuestion;

 private:
  CommandCapture& capture_;
};

struct AdvancedFixture : testing::PageFixture<CAdvSetup, AnsweringHost> {
  using PageFixture::PageFixture;
  // The frames waiting in the queue, without their codes (offline,
  // everything waits there).
  std::vector<std::string> QueuedFrames() {
    std::vector<std::string> frames;
    for (const auto& entry : Queued()) frames.push_back(entry.first);
    return frames;
  }
  // The codes a Download of the page queues, in order.
  std::vector<ParamId> DownloadCodes() {
    capture.Clear();
    page.DownloadPage(image());
    std::vector<ParamId> codes;
    for (const auto& entry : capture.QueuedWithCodes()) codes.push_back(entry.second);
    return codes;
  }
};

TEST(AdvancedSetupPage, EveryButtonSendsItsIndex) {
  const testing::ChoiceCase cases[] = {
      {1588, 537, 0, "<STX>2B300<ETX>"}, {1587, 537, 1, "<STX>2B301<ETX>"},
      {1589, 538, 0, "<STX>2B900<ETX>"}, {1591, 538, 1, "<STX>2B901<ETX>"},
      {1490, 539, 0, "<STX>2BD00<ETX>"}, {1489, 539, 1, "<STX>2BD01<ETX>"},
      {1494, 540, 0, "<STX>2B100<ETX>"}, {1498, 540, 1, "<STX>2B101<ETX>"},
      {1500, 541, 0, "<STX>2B500<ETX>"}, {1503, 541, 1, "<STX>2B501<ETX>"},
      {1510, 542, 0, "<STX>2BA00<ETX>"}, {1514, 542, 1, "<STX>2BA01<ETX>"},
      {1521, 544, 0, "<STX>2B400<ETX>"}, {1524, 544, 1, "<STX>2B401<ETX>"},
      {1525, 545, 0, "<STX>2BB00<ETX>"}, {1526, 545, 1, "<STX>2BB01<ETX>"},
      {1423, 536, 0, "<STX>2B700<ETX>"}, {1429, 536, 3, "<STX>2B703<ETX>"},
      {1544, 548, 0, "<STX>2BF00<ETX>"}, {1546, 548, 1, "<STX>2BF01<ETX>"},
  };
  testing::ExpectEachChoiceSends<AdvancedFixture>(cases);
}

TEST(AdvancedSetupPage, InitializeAsksBeforeItIsSent) {
  const char* const questions[] = {
      "All the parameters of this unit will be reset\nto the initial factory settings.",
      "The parameter settings for DSP Parameters\nwill be initialized.",
      "The parameter settings for Display Set\nwill be initialized.",
  };
  const int buttons[] = {1425, 1427, 1429};
  const char* const frames[] = {"<STX>2B701<ETX>", "<STX>2B702<ETX>", "<STX>2B703<ETX>"};
  for (int i = 0; i < 3; ++i) {
    AdvancedFixture f(ControlMode::kRealTime);
    EXPECT_TRUE(f.control(1423).enabled);
    f.page.ClickRadio(buttons[i]);
    ASSERT_EQ(f.host.questions.size(), 1U);
    EXPECT_EQ(f.host.questions[0], questions[i]);
    EXPECT_EQ(f.host.titles[0], "Amplora for K2600");
    ASSERT_EQ(f.host.icons.size(), 1U);
    EXPECT_EQ(f.host.icons[0], PageIcon::kExclamation);
    EXPECT_EQ(f.host.buttonSets[0], PageButtons::kOkCancel);
    EXPECT_EQ(f.host.sentBeforeQuestion[0], 0U);
    EXPECT_EQ(f.Written(), std::vector<std::string>{frames[i]});
  }
  AdvancedFixture f(ControlMode::kRealTime);
  f.page.ClickRadio(1423);  // "Cancel" needs no question
  EXPECT_TRUE(f.host.questions.empty());
}

TEST(AdvancedSetupPage, CancellingTheQuestionRestoresAndStillSendsThePreviousChoice) {
  struct Case {
    int previous;
    int button;
    const char* frame;
  };
  const Case cases[] = {{0, 1425, "<STX>2B700<ETX>"}, {2, 1429, "<STX>2B702<ETX>"}};
  for (const Case& c : cases) {
    AdvancedFixture f(ControlMode::kRealTime);
    StoreParameter(f.image(), 536, c.previous);
    f.page.RefreshAll();
    f.host.answer = false;
    f.page.ClickRadio(c.button);
    EXPECT_EQ(ReadParameter(f.image(), 536), c.previous);
    EXPECT_EQ(f.control(1423).value, c.previous);
    EXPECT_EQ(f.Written(), std::vector<std::string>{c.frame});
  }
}

TEST(AdvancedSetupPage, FourFramesHoldTheirGroupsAndTheOthersStandOnThePage) {
  AdvancedFixture f(ControlMode::kRealTime);
  struct Framed {
    int frame;
    const char* caption;
    int group;  // the first button of the group it holds
  };
  const Framed framed[] = {
      {1596, "Speaker Impedance", 1588},
      {1598, "Remote Control XM ID", 1510},
      {1600, "Tuner Frequency", 1521},
      {1714, "Initialize", 1423},
  };
  for (const Framed& c : framed) {
    const Control& frame = f.control(c.frame);
    EXPECT_EQ(frame.kind, ControlKind::kFrame) << c.frame;
    EXPECT_EQ(frame.caption, c.caption) << c.frame;
    EXPECT_EQ(frame.frame, 0) << c.frame;
    EXPECT_EQ(f.control(c.group).frame, c.frame) << c.frame;
    EXPECT_EQ(f.control(c.group).caption, c.caption) << c.frame;
  }
  // Exactly those four are frames; every other group and the note stand on
  // the page itself.
  int frames = 0;
  for (const Control& control : f.page.Controls()) {
    if (control.kind == ControlKind::kFrame) ++frames;
    if (control.kind == ControlKind::kText) {
      EXPECT_EQ(control.id, CAdvSetup::kNote);
      EXPECT_EQ(control.caption.front(), '*');
    }
    const bool held =
        control.id == 1588 || control.id == 1510 || control.id == 1521 || control.id == 1423;
    if (!held) {
      EXPECT_EQ(control.frame, 0) << control.id;
    }
  }
  EXPECT_EQ(frames, 4);
}

TEST(AdvancedSetupPage, FramesAreHiddenAndDisabledWithTheirGroupsByRegion) {
  struct Case {
    int region;
    std::vector<int> hiddenFrames;
  };
  const Case cases[] = {
      {0, {1596, 1598, 1600}},
      {1, {1600}},
      {2, {1598}},
      {3, {1598}},
  };
  const std::pair<int, int> frameOfGroup[] = {{1596, 1588}, {1598, 1510}, {1600, 1521}};
  for (const Case& c : cases) {
    AdvancedFixture f(ControlMode::kAsync, c.region);
    for (const auto& [frame, group] : frameOfGroup) {
      const bool hidden =
          std::find(c.hiddenFrames.begin(), c.hiddenFrames.end(), frame) != c.hiddenFrames.end();
      EXPECT_EQ(f.control(frame).visible, !hidden) << c.region << " " << frame;
      EXPECT_EQ(f.control(group).visible, !hidden) << c.region << " " << frame;
    }
    EXPECT_FALSE(f.control(1714).enabled) << c.region;
    EXPECT_TRUE(f.control(1714).visible) << c.region;
  }
  AdvancedFixture live(ControlMode::kRealTime, 0);
  for (const int frame : {1596, 1598, 1600, 1714}) {
    EXPECT_TRUE(live.control(frame).visible) << frame;
    EXPECT_TRUE(live.control(frame).enabled) << frame;
  }
}

TEST(AdvancedSetupPage, InitializeIsDisabledOffline) {
  AdvancedFixture f(ControlMode::kAsync);
  EXPECT_FALSE(f.control(CAdvSetup::kInitializeFrame).enabled);
  EXPECT_FALSE(f.control(1425).enabled);
  f.page.ClickRadio(1425);
  EXPECT_TRUE(f.host.questions.empty());
  EXPECT_EQ(ReadParameter(f.image(), 536), 0);
}

TEST(AdvancedSetupPage, DownloadListFollowsTheRegion) {
  struct Case {
    int region;
    std::vector<ParamId> codes;
  };
  const Case cases[] = {
      {0, {538, 539, 540, 541, 545, 536, 548}},
      {1, {537, 538, 539, 540, 541, 542, 545, 536, 548}},
      {2, {537, 538, 539, 540, 541, 544, 545, 536, 548}},
      {3, {537, 538, 539, 540, 541, 544, 545, 536, 548}},
  };
  for (const Case& c : cases) {
    AdvancedFixture f(ControlMode::kAsync, c.region);
    EXPECT_EQ(f.DownloadCodes(), c.codes) << c.region;
    std::vector<ParamId> listed;
    std::vector<int> subIndices;
    f.page.GetParamList(listed, subIndices, true, kWholeList);
    EXPECT_EQ(listed, c.codes);
    EXPECT_EQ(subIndices, std::vector<int>(c.codes.size(), -1));
  }
  // Factory values; the download ends with Bi-Amplifier, Initialize and
  // Monitor Check.
  AdvancedFixture f(ControlMode::kAsync, 0);
  f.page.DownloadPage(f.image());
  EXPECT_EQ(f.QueuedFrames(),
            (std::vector<std::string>{"<STX>2B900<ETX>", "<STX>2BD01<ETX>", "<STX>2B100<ETX>",
                                      "<STX>2B500<ETX>", "<STX>2BB01<ETX>", "<STX>2B700<ETX>",
                                      "<STX>2BF01<ETX>"}));
}

TEST(AdvancedSetupPage, ADownloadNeverResetsTheReceiver) {
  // A file saved after a live "DSP Param" or "ALL" holds that choice; its
  // Download still sends "Initialize" as "Cancel", in its place, and the
  // image keeps what the file said.
  for (const int chosen : {1, 2, 3}) {
    AdvancedFixture f(ControlMode::kAsync, 0);
    StoreParameter(f.image(), 536, chosen);
    f.page.DownloadPage(f.image());
    const std::vector<std::string> frames = f.QueuedFrames();
    ASSERT_EQ(frames.size(), 7u);
    EXPECT_EQ(frames[5], "<STX>2B700<ETX>") << chosen;
    EXPECT_EQ(ReadParameter(f.image(), 536), chosen);
  }
}

TEST(AdvancedSetupPage, OfflineRegionsHideAndForceTheirControls) {
  AdvancedFixture region0(ControlMode::kAsync, 0);
  for (const int id : {1596, 1588, 1598, 1510, 1600, 1521}) {
    EXPECT_FALSE(region0.control(id).visible) << id;
  }
  AdvancedFixture region1(ControlMode::kAsync, 1);
  EXPECT_TRUE(region1.control(1588).visible);
  EXPECT_TRUE(region1.control(1510).visible);
  EXPECT_FALSE(region1.control(1600).visible);
  EXPECT_FALSE(region1.control(1524).visible);

  struct Case {
    int region;
    int forced;
    const char* frame;
  };
  for (const Case& c : {Case{2, 1, "<STX>2B401<ETX>"}, Case{3, 0, "<STX>2B400<ETX>"}}) {
    AdvancedFixture f(ControlMode::kAsync, c.region);
    StoreParameter(f.image(), 544, 1 - c.forced);
    f.page.RefreshAll();
    EXPECT_EQ(ReadParameter(f.image(), 544), c.forced);
    EXPECT_EQ(f.control(1521).value, c.forced);
    EXPECT_FALSE(f.control(1521).enabled);
    EXPECT_TRUE(f.control(1521).visible);
    EXPECT_FALSE(f.control(1598).visible);
    f.page.ClickRadio(1521 + 3 * (1 - c.forced));
    EXPECT_EQ(ReadParameter(f.image(), 544), c.forced) << "disabled buttons change nothing";
    EXPECT_TRUE(f.capture.QueuedWithCodes().empty()) << "the forced value is not sent by itself";
    f.page.DownloadPage(f.image());
    EXPECT_EQ(f.QueuedFrames()[5], c.frame);
  }
}

TEST(AdvancedSetupPage, ModelControlsFollowTheXmFlagAndTheTransferJob) {
  AdvancedFixture f(ControlMode::kRealTime, 0);
  EXPECT_TRUE(f.control(1596).visible) << "Real Time Mode hides nothing by itself";
  ModelFlags flags;
  flags.xm = 0;
  f.capture.Link().SetFlags(flags);
  f.capture.Link().SetJob(TransferJob::kRealTimeConnection);
  f.page.UpdateModelControls();
  EXPECT_FALSE(f.control(1598).visible);
  EXPECT_FALSE(f.control(1514).visible);
  EXPECT_FALSE(f.control(1596).visible);
  EXPECT_FALSE(f.control(1587).visible);
  EXPECT_FALSE(f.control(1600).visible);

  flags.xm = 1;
  f.capture.Link().SetFlags(flags);
  f.capture.Link().SetRegionCode(1);
  f.page.UpdateModelControls();
  EXPECT_TRUE(f.control(1598).visible);
  EXPECT_FALSE(f.control(1600).visible);

  f.capture.Link().SetJob(TransferJob::kNone);
  f.page.UpdateModelControls();
  EXPECT_TRUE(f.control(1596).visible);
  EXPECT_TRUE(f.control(1524).visible);
}

TEST(AdvancedSetupPage, FanModeHasACommandButNoPlaceInFiles) {
  AdvancedFixture f(ControlMode::kAsync);
  EXPECT_FALSE(f.control(1516).visible);
  std::string section = "x", key = "x", value = "x";
  f.page.GetParamText(f.image(), 543, -1, &section, &key, &value, true);
  EXPECT_TRUE(section.empty() && key.empty() && value.empty());
  EXPECT_FALSE(f.page.SetParamFromText(f.image(), 543, -1, "Cont."));
  StoreParameter(f.image(), 543, 1);
  f.page.SendParamFromImage(f.image(), 543, -1);
  EXPECT_EQ(f.QueuedFrames(), std::vector<std::string>{"<STX>2B201<ETX>"});
  EXPECT_EQ(f.page.BuildReportText(f.image()).find("Fan"), std::string::npos);
}

TEST(AdvancedSetupPage, ProfileRoundTripAndTexts) {
  AdvancedFixture f(ControlMode::kAsync, 1);
  const std::vector<std::pair<ParamId, int>> values = {
      {537, 1}, {538, 1}, {539, 0}, {540, 1}, {541, 1}, {542, 1}, {545, 0}, {536, 2}, {548, 0}};
  for (const auto& [id, value] : values) StoreParameter(f.image(), id, value);
  EXPECT_EQ(f.page.BuildReportText(f.image()),
            "\r\n(Advanced Setup)\r\nSpeaker Impedance = 6 ohm\r\nRemote Sensor = Off\r\n"
            "Wake on 232C Access = No\r\nRemote Control Amplifier ID = ID 2\r\n"
            "Remote Control Tuner ID = ID 2\r\nRemote Control XM ID = ID 2\r\n"
            "Bi-Amplifier = On\r\nInitialize = DSP Param\r\nMonitor Check = Skip\r\n");

  CSettingImage other = testing::ThroughProfile(f.page, f.image());
  for (const auto& [id, stored] : values) EXPECT_EQ(ReadParameter(other, id), stored) << id;

  EXPECT_FALSE(f.page.SetParamFromText(other, 537, -1, "8ohm"));
  EXPECT_FALSE(f.page.SetParamFromText(other, 540, -1, "id 1"));
  EXPECT_FALSE(f.page.SetParamFromText(other, 536, -1, "All"));
  EXPECT_EQ(ReadParameter(other, 537), 1);
  EXPECT_TRUE(f.page.SetParamFromText(other, 544, -1, "AM9/FM50"));
  EXPECT_EQ(ReadParameter(other, 544), 1);
}

TEST(AdvancedSetupPage, AsyncModeQueuesNothing) {
  AdvancedFixture f(ControlMode::kAsync);
  f.page.ClickRadio(1587);
  f.page.ClickRadio(1546);
  EXPECT_EQ(ReadParameter(f.image(), 537), 1);
  EXPECT_EQ(ReadParameter(f.image(), 548), 1);
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
  EXPECT_TRUE(f.capture.Frames().empty());
}

}  // namespace
}  // namespace qamp
