// The iPod page.
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/ipod_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

using testing::Frames;
using testing::Queue;

struct IPodFixture : testing::PageFixture<CiPodPage> {
  using PageFixture::PageFixture;
  std::string TextOf(int id) { return control(id).text; }
};

TEST(IPodPage, EverySettingSendsItsCommand) {
  struct Case {
    int button;
    ParamId id;
    int stored;
    const char* frame;
    bool extended;  // waits in the queue for its answer
  };
  const Case cases[] = {
      {1401, 549, 0, "<STX>29600<ETX>", false},
      {1402, 549, 1, "<STX>29601<ETX>", false},
      {1403, 550, 0, "<STX>29700<ETX>", false},
      {1405, 550, 2, "<STX>29702<ETX>", false},
      {1406, 551, 0, "<STX>29800<ETX>", false},
      {1408, 551, 2, "<STX>29802<ETX>", false},
      {1409, 552, 0, "<DC4>2006004100ED<ETX>", true},
      {1410, 552, 1, "<DC4>2006004101EE<ETX>", true},
      {1411, 553, 0, "<DC4>2006005100EE<ETX>", true},
      {1412, 553, 1, "<DC4>2006005101EF<ETX>", true},
  };
  for (const Case& c : cases) {
    IPodFixture f(ControlMode::kRealTime);
    f.page.ClickRadio(c.button);
    EXPECT_EQ(ReadParameter(f.image(), c.id), c.stored) << c.button;
    if (c.extended) {
      EXPECT_EQ(f.Queued(), (Queue{{c.frame, c.id}})) << c.button;
      EXPECT_EQ(f.Written(), Frames{c.frame}) << c.button;  // started by the end marker
    } else {
      EXPECT_EQ(f.Written(), Frames{c.frame}) << c.button;
    }
  }
}

TEST(IPodPage, TheOperationsAndTheInformationStandInTheirBoxes) {
  IPodFixture f(ControlMode::kRealTime);
  const std::pair<int, const char*> boxes[] = {
      {CiPodPage::kOperationGroup, "iPod Operation"},
      {CiPodPage::kPlayInformationGroup, "Play Information"},
      {CiPodPage::kListInformationGroup, "List Information"}};
  for (const auto& [id, caption] : boxes) {
    EXPECT_EQ(f.control(id).kind, ControlKind::kFrame) << id;
    EXPECT_EQ(f.control(id).caption, caption);
  }
  for (const int id : {CiPodPage::kPlayButton, CiPodPage::kRewButton, CiPodPage::kRightButton,
                       CiPodPage::kDisplayButton}) {
    EXPECT_EQ(f.control(id).frame, CiPodPage::kOperationGroup) << id;
  }
  for (const int id : CiPodPage::kPlayInformationBoxes) {
    EXPECT_EQ(f.control(id).frame, CiPodPage::kPlayInformationGroup) << id;
  }
  for (int line = 0; line < 4; ++line) {
    EXPECT_EQ(f.control(CiPodPage::kListLineBoxes[line]).frame, CiPodPage::kListInformationGroup);
    EXPECT_EQ(f.control(CiPodPage::kListMarkerBoxes[line]).frame, CiPodPage::kListInformationGroup);
  }
  // The settings stand in no box of the page's: each group is its own.
  EXPECT_EQ(f.control(1401).frame, 0);
}

TEST(IPodPage, OperationsAndMenuKeysSendTheirCodes) {
  struct Case {
    int button;
    const char* frame;  // empty: the button is hidden and sends nothing
  };
  const Case cases[] = {
      {CiPodPage::kPlayButton, "<STX>0F7F011EE1<ETX>"},
      {CiPodPage::kStopButton, "<STX>0F7F011DE2<ETX>"},
      {CiPodPage::kRewButton, ""},
      {CiPodPage::kFfButton, ""},
      {CiPodPage::kPauseButton, "<STX>0F7F011AE5<ETX>"},
      {CiPodPage::kMinusButton, "<STX>0F7F011BE4<ETX>"},
      {CiPodPage::kPlusButton, "<STX>0F7F011CE3<ETX>"},
      {CiPodPage::kDisplayButton, "<STX>0F7F0115EA<ETX>"},
      {CiPodPage::kEnterButton, "<STX>0F7F0111EE<ETX>"},
      {CiPodPage::kUpButton, "<STX>0F7F010EF1<ETX>"},
      {CiPodPage::kDownButton, "<STX>0F7F0114EB<ETX>"},
      {CiPodPage::kLeftButton, "<STX>0F7F0110EF<ETX>"},
      {CiPodPage::kRightButton, "<STX>0F7F0112ED<ETX>"},
  };
  for (const Case& c : cases) {
    IPodFixture f(ControlMode::kRealTime);
    const CSettingImage before = f.image();
    f.page.PressButton(c.button);
    EXPECT_EQ(f.Written(), c.frame[0] == '\0' ? Frames{} : Frames{c.frame}) << c.button;
    // Operations are no settings: the image stays as it was.
    EXPECT_TRUE(f.image() == before) << c.button;
  }
  // The operation number is the last button's: "Pause" after "Play".
  IPodFixture f(ControlMode::kRealTime);
  f.page.PressButton(CiPodPage::kPlayButton);
  f.page.PressButton(CiPodPage::kPauseButton);
  EXPECT_EQ(f.Written(), (Frames{"<STX>0F7F011EE1<ETX>", "<STX>0F7F011AE5<ETX>"}));
}

TEST(IPodPage, AsyncModeHidesTheOperationsButTheSettingsStillDownload) {
  IPodFixture f(ControlMode::kAsync);
  const int operationControls[] = {CiPodPage::kOperationGroup,
                                   CiPodPage::kPlayInformationGroup,
                                   CiPodPage::kListInformationGroup,
                                   CiPodPage::kPlayButton,
                                   CiPodPage::kPauseButton,
                                   CiPodPage::kRightButton,
                                   CiPodPage::kPlayInformationBoxes[0],
                                   CiPodPage::kListLineBoxes[3],
                                   CiPodPage::kListMarkerBoxes[0]};
  for (const int id : operationControls) {
    EXPECT_FALSE(f.page.FindControl(id)->visible) << id;
    EXPECT_FALSE(f.page.FindControl(id)->enabled) << id;
  }
  EXPECT_TRUE(f.page.FindControl(1401)->visible);
  f.page.PressButton(CiPodPage::kPauseButton);
  f.page.PressButton(CiPodPage::kDisplayButton);
  f.page.ClickRadio(1404);
  EXPECT_EQ(ReadParameter(f.image(), 550), 1);
  EXPECT_TRUE(f.Queued().empty());
  EXPECT_TRUE(f.Written().empty());

  f.page.DownloadPage(f.image());
  const Queue expected = {{"<STX>29601<ETX>", 549},
                          {"<STX>29701<ETX>", 550},
                          {"<STX>29800<ETX>", 551},
                          {"<DC4>2006004100ED<ETX>", 552},
                          {"<DC4>2006005100EE<ETX>", 553}};
  EXPECT_EQ(f.Queued(), expected);
}

TEST(IPodPage, RealTimeModeShowsTheOperationsExceptRewAndFf) {
  IPodFixture f(ControlMode::kRealTime);
  EXPECT_TRUE(f.page.FindControl(CiPodPage::kPauseButton)->visible);
  EXPECT_TRUE(f.page.FindControl(CiPodPage::kListMarkerBoxes[2])->visible);
  EXPECT_FALSE(f.page.FindControl(CiPodPage::kRewButton)->visible);
  EXPECT_FALSE(f.page.FindControl(CiPodPage::kFfButton)->visible);
}

TEST(IPodPage, PlayInformationIsSplitIntoItsFiveBoxes) {
  IPodFixture f(ControlMode::kRealTime);
  const std::string full = std::string(40, 'T') + std::string(20, 'A') + std::string(20, 'L') +
                           std::string(20, 'C') + std::string(20, 'K');
  StoreText(f.image(), 555, full);  // the field keeps 119 of the 120 characters
  f.page.RefreshParam(555, true);
  EXPECT_EQ(f.TextOf(CiPodPage::kPlayInformationBoxes[0]), std::string(40, 'T'));
  EXPECT_EQ(f.TextOf(CiPodPage::kPlayInformationBoxes[1]), std::string(20, 'A'));
  EXPECT_EQ(f.TextOf(CiPodPage::kPlayInformationBoxes[2]), std::string(20, 'L'));
  EXPECT_EQ(f.TextOf(CiPodPage::kPlayInformationBoxes[3]), std::string(20, 'C'));
  EXPECT_EQ(f.TextOf(CiPodPage::kPlayInformationBoxes[4]), std::string(19, 'K'));

  // Markup stays text, line breaks never make a box two lines, and a short
  // report empties the boxes it does not reach.
  StoreText(f.image(), 555, "<b>Song</b>\r\nTwo" + std::string(29, ' ') + "Artist \xE9");
  f.page.RefreshParam(555, true);
  EXPECT_EQ(f.TextOf(CiPodPage::kPlayInformationBoxes[0]),
            "<b>Song</b>  Two" + std::string(24, ' '));
  EXPECT_EQ(f.TextOf(CiPodPage::kPlayInformationBoxes[1]), "     Artist \xE9");
  EXPECT_EQ(f.TextOf(CiPodPage::kPlayInformationBoxes[2]), "");
  EXPECT_EQ(f.TextOf(CiPodPage::kPlayInformationBoxes[4]), "");
}

TEST(IPodPage, ListInformationMarksOnlyTheSelectedLine) {
  IPodFixture f(ControlMode::kRealTime);
  const std::string lines =
      std::string(20, 'a') + std::string(20, 'b') + std::string(20, 'c') + std::string(20, 'd');
  StoreText(f.image(), 556, "2" + lines);
  f.page.RefreshParam(556, true);
  const Frames markers = {"", "", ">", ""};
  for (int line = 0; line < 4; ++line) {
    EXPECT_EQ(f.TextOf(CiPodPage::kListMarkerBoxes[line]), markers[static_cast<size_t>(line)])
        << line;
    EXPECT_EQ(f.TextOf(CiPodPage::kListLineBoxes[line]),
              std::string(20, static_cast<char>('a' + line)));
  }
  // A first character outside "0".."3" changes the lines but not the marker.
  StoreText(f.image(), 556, "4" + std::string(20, 'x'));
  f.page.RefreshParam(556, true);
  EXPECT_EQ(f.TextOf(CiPodPage::kListLineBoxes[0]), std::string(20, 'x'));
  EXPECT_EQ(f.TextOf(CiPodPage::kListLineBoxes[1]), "");
  EXPECT_EQ(f.TextOf(CiPodPage::kListMarkerBoxes[2]), ">");
  // Both ends of the selection.
  StoreText(f.image(), 556, "0" + lines);
  f.page.RefreshParam(556, true);
  EXPECT_EQ(f.TextOf(CiPodPage::kListMarkerBoxes[0]), ">");
  EXPECT_EQ(f.TextOf(CiPodPage::kListMarkerBoxes[2]), "");
  StoreText(f.image(), 556, "3" + lines);
  f.page.RefreshParam(556, true);
  EXPECT_EQ(f.TextOf(CiPodPage::kListMarkerBoxes[0]), "");
  EXPECT_EQ(f.TextOf(CiPodPage::kListMarkerBoxes[3]), ">");
}

TEST(IPodPage, ReportsForAnInactivePageShowWhenItIsActivated) {
  IPodFixture f(ControlMode::kRealTime);
  f.page.SetActive(false);
  StoreText(f.image(), 555, "Title");
  StoreText(f.image(), 556, "1line");
  StoreParameter(f.image(), 551, 2);
  f.page.RefreshParam(555, false);
  f.page.RefreshParam(556, false);
  f.page.RefreshParam(551, true);
  EXPECT_EQ(f.TextOf(CiPodPage::kPlayInformationBoxes[0]), "");
  EXPECT_EQ(f.page.FindControl(1406)->value, 0);
  f.page.SetActive(true);
  EXPECT_EQ(f.TextOf(CiPodPage::kPlayInformationBoxes[0]), "Title");
  EXPECT_EQ(f.TextOf(CiPodPage::kListLineBoxes[0]), "line");
  EXPECT_EQ(f.TextOf(CiPodPage::kListMarkerBoxes[1]), ">");
  EXPECT_EQ(f.page.FindControl(1406)->value, 2);
}

TEST(IPodPage, ProfileRoundTripUsesTheShaffleKeyAndRefusesUnmatchedTexts) {
  IPodFixture f(ControlMode::kAsync);
  StoreParameter(f.image(), 549, 0);
  StoreParameter(f.image(), 550, 2);
  StoreParameter(f.image(), 551, 1);
  StoreParameter(f.image(), 553, 1);
  EXPECT_EQ(f.page.BuildReportText(f.image()),
            "\r\n(iPod)\r\nStandby Charge = Off\r\nRepeat = All\r\nShaffle = Songs\r\n"
            "PlayInformation Output Setting = Off\r\nListInformation Output Setting = On\r\n");
  CSettingImage other = testing::ThroughProfile(f.page, f.image());
  for (ParamId id = 549; id <= 553; ++id)
    EXPECT_EQ(ReadParameter(other, id), ReadParameter(f.image(), id));

  const testing::RefusedText refused[] = {
      {549, "On"}, {550, "all"}, {551, "Shuffle"}, {552, "ON"}, {554, "Play"}};
  testing::ExpectTextsRefused(f.page, other, refused);
  EXPECT_EQ(ReadParameter(other, 549), 0);
  EXPECT_EQ(ReadParameter(other, 550), 2);
  EXPECT_EQ(ReadParameter(other, 551), 1);
  EXPECT_EQ(ReadParameter(other, 552), 0);
}

}  // namespace
}  // namespace qamp
