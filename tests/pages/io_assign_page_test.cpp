// The I/O Assign page.
#include <gtest/gtest.h>

#include <set>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/io_assign_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

struct IoAssignFixture : testing::PageFixture<CIOAssign, testing::BeepCountingHost> {
  using PageFixture::PageFixture;
  void Assign(int port, int input) {
    page.SelectListRow(CIOAssign::kPortList, port);
    page.SelectListRow(CIOAssign::kInputList, input);
    page.PressButton(CIOAssign::kSelectButton);
  }
};

const char* const kInputNames[14] = {"PHONO",      "CD",  "TUNER",    "CD-R", "MD/TAPE",
                                     "BD/HD DVD",  "DVD", "DTV/CBL",  "DVR",  "VCR",
                                     "V-AUX/DOCK", "XM",  "MULTI CH", "NONE"};

// The receiver's table of which input each jack takes, written as ranges.
struct AllowedRow {
  ParamId id;
  std::set<int> allowed;
};
const AllowedRow kAllowedRows[16] = {
    {243, {5, 6, 7, 8, 9, 10, 13}},
    {244, {5, 6, 7, 8, 9, 10, 13}},
    {245, {5, 6, 7, 8, 9, 10, 13}},
    {246, {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 13}},
    {247, {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 13}},
    {248, {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 13}},
    {249, {0, 1, 3, 4, 5, 6, 7, 8, 9, 13}},
    {250, {0, 1, 3, 4, 5, 6, 7, 8, 9, 13}},
    {251, {0, 1, 3, 4, 5, 6, 7, 8, 9, 13}},
    {252, {0, 1, 3, 4, 5, 6, 7, 8, 9, 13}},
    {253, {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 13}},
    {254, {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 13}},
    {255, {5, 6, 7, 8, 9, 10, 13}},
    {256, {5, 6, 7, 8, 9, 10, 13}},
    {257, {5, 6, 7, 8, 9, 10, 13}},
    {258, {5, 6, 7, 8, 9, 10, 13}},
};

// The factory assignment, written in port order 243..258.
const std::vector<std::pair<std::string, ParamId>> kFactoryDownload = {
    {"<DC4>20080101301151<ETX>", 243}, {"<DC4>20080101310555<ETX>", 244},
    {"<DC4>20080101320657<ETX>", 245}, {"<DC4>2008010100014D<ETX>", 246},
    {"<DC4>20080101010552<ETX>", 247}, {"<DC4>20080101020A5F<ETX>", 248},
    {"<DC4>2008010120014F<ETX>", 249}, {"<DC4>20080101211151<ETX>", 250},
    {"<DC4>20080101220555<ETX>", 251}, {"<DC4>20080101230657<ETX>", 252},
    {"<DC4>20080101100350<ETX>", 253}, {"<DC4>20080101110452<ETX>", 254},
    {"<DC4>20080101601154<ETX>", 255}, {"<DC4>20080101610558<ETX>", 256},
    {"<DC4>2008010162065A<ETX>", 257}, {"<DC4>20080101630A66<ETX>", 258},
};

TEST(IoAssignPage, EveryJackTakesExactlyTheInputsOfItsRow) {
  IoAssignFixture f(ControlMode::kAsync);
  for (int port = 0; port < 16; ++port) {
    const AllowedRow& row = kAllowedRows[port];
    for (int input = 0; input < 14; ++input) {
      const bool allowed = row.allowed.count(input) != 0;
      // From a file: every name, "NONE" included.
      CSettingImage image;
      ResetImage(image, 0, 1);
      const int before = ReadParameter(image, row.id);
      EXPECT_EQ(f.page.SetParamFromText(image, row.id, -1, kInputNames[input]), allowed)
          << row.id << " " << kInputNames[input];
      EXPECT_EQ(ReadParameter(image, row.id), allowed ? input : before) << row.id << " " << input;
      // On the page: the "Select" list stops before "NONE".
      if (input < 13) {
        f.page.SelectListRow(CIOAssign::kPortList, port);
        f.page.SelectListRow(CIOAssign::kInputList, input);
        EXPECT_EQ(f.page.FindControl(CIOAssign::kSelectButton)->enabled, allowed)
            << row.id << " " << input;
      }
    }
  }
}

TEST(IoAssignPage, PortsAndAssignedInputsAreOneTableWhoseRowsChooseThePort) {
  IoAssignFixture f(ControlMode::kAsync);
  EXPECT_EQ(f.control(CIOAssign::kPortList).columnHeaders, std::vector<std::string>{"Port"});
  EXPECT_EQ(f.control(CIOAssign::kAssignedList).columnHeaders,
            std::vector<std::string>{"Assigned Input"});
  EXPECT_EQ(f.control(CIOAssign::kInputList).columnHeaders, std::vector<std::string>{"Select"});
  EXPECT_EQ(f.control(CIOAssign::kAssignedList).value, 0);
  // A row chosen in the assigned inputs chooses its port in both lists.
  f.page.SelectListRow(CIOAssign::kAssignedList, 5);
  EXPECT_EQ(f.control(CIOAssign::kPortList).value, 5);
  EXPECT_EQ(f.control(CIOAssign::kAssignedList).value, 5);
  f.page.SelectListRow(CIOAssign::kPortList, 15);
  EXPECT_EQ(f.control(CIOAssign::kAssignedList).value, 15);
  f.page.SelectListRow(CIOAssign::kAssignedList, 16);  // no such port
  EXPECT_EQ(f.control(CIOAssign::kPortList).value, 15);
}

TEST(IoAssignPage, TunerOnTheFirstCoaxialInputBeepsAndChangesNothing) {
  IoAssignFixture f(ControlMode::kRealTime);
  f.Assign(3, 2);
  EXPECT_FALSE(f.page.FindControl(CIOAssign::kSelectButton)->enabled);
  EXPECT_EQ(f.host.beeps, 1);
  EXPECT_EQ(ReadParameter(f.image(), 246), 1);  // still CD
  EXPECT_EQ(f.page.FindControl(CIOAssign::kAssignedList)->items[3], "CD");
  EXPECT_TRUE(f.Queued().empty());
  EXPECT_TRUE(f.capture.Frames().empty());
}

TEST(IoAssignPage, CdRIsAcceptedAndSentAsInputCode03) {
  IoAssignFixture f(ControlMode::kRealTime);
  f.Assign(3, 3);
  EXPECT_EQ(f.host.beeps, 0);
  EXPECT_EQ(ReadParameter(f.image(), 246), 3);
  EXPECT_EQ(f.page.FindControl(CIOAssign::kAssignedList)->items[3], "CD-R");
  const std::vector<std::pair<std::string, ParamId>> expected = {{"<DC4>2008010100034F<ETX>", 246}};
  EXPECT_EQ(f.Queued(), expected);
  // The end marker started the sending.
  ASSERT_EQ(f.capture.Frames().size(), 1U);
  EXPECT_EQ(ShowFrame(f.capture.Frames()[0]), "<DC4>2008010100034F<ETX>");
}

TEST(IoAssignPage, VAuxDockGoesOnTheOpticalOutputsButNotOnTheOpticalInputs) {
  struct Case {
    int port;
    const char* frame;  // empty: refused
  };
  const Case cases[] = {
      {6, ""},
      {7, ""},
      {8, ""},
      {9, ""},
      {10, "<DC4>20080101100C60<ETX>"},
      {11, "<DC4>20080101110C61<ETX>"},
  };
  for (const Case& c : cases) {
    IoAssignFixture f(ControlMode::kRealTime);
    const ParamId id = 243 + c.port;
    const int before = ReadParameter(f.image(), id);
    f.Assign(c.port, 10);
    if (c.frame[0] == '\0') {
      EXPECT_EQ(f.host.beeps, 1) << id;
      EXPECT_EQ(ReadParameter(f.image(), id), before) << id;
      EXPECT_TRUE(f.Queued().empty()) << id;
    } else {
      EXPECT_EQ(f.host.beeps, 0) << id;
      EXPECT_EQ(ReadParameter(f.image(), id), 10) << id;
      const std::vector<std::pair<std::string, ParamId>> expected = {{c.frame, id}};
      EXPECT_EQ(f.Queued(), expected) << id;
    }
  }
}

TEST(IoAssignPage, SelectStartsDisabledAndTheMarkerFollowsThePort) {
  IoAssignFixture f(ControlMode::kAsync);
  EXPECT_EQ(f.page.FindControl(CIOAssign::kPortList)->value, 0);
  EXPECT_EQ(f.page.FindControl(CIOAssign::kInputList)->items.size(), 13U);
  EXPECT_FALSE(f.page.FindControl(CIOAssign::kSelectButton)->enabled);
  // With no input chosen, "Select" refuses.
  f.page.PressButton(CIOAssign::kSelectButton);
  EXPECT_EQ(f.host.beeps, 1);
  f.page.SelectListRow(CIOAssign::kPortList, 15);
  EXPECT_EQ(f.page.FindControl(CIOAssign::kPortList)->value, 15);
  // Rows past either list's end are no choice.
  f.page.SelectListRow(CIOAssign::kPortList, 16);
  f.page.SelectListRow(CIOAssign::kInputList, 13);
  EXPECT_EQ(f.page.FindControl(CIOAssign::kPortList)->value, 15);
  EXPECT_EQ(f.page.FindControl(CIOAssign::kInputList)->value, -1);
}

TEST(IoAssignPage, AsyncModeChangesTheImageAndQueuesNothing) {
  IoAssignFixture f(ControlMode::kAsync);
  f.Assign(0, 9);
  EXPECT_EQ(ReadParameter(f.image(), 243), 9);
  EXPECT_EQ(f.page.FindControl(CIOAssign::kAssignedList)->items[0], "VCR");
  f.page.PressButton(CIOAssign::kDefaultButton);
  EXPECT_EQ(ReadParameter(f.image(), 243), 5);
  EXPECT_TRUE(f.Queued().empty());
  EXPECT_TRUE(f.capture.Frames().empty());
}

TEST(IoAssignPage, DownloadWritesTheSixteenJacksInOrder) {
  IoAssignFixture f(ControlMode::kAsync);
  f.page.DownloadPage(f.image());
  EXPECT_EQ(f.Queued(), kFactoryDownload);
}

TEST(IoAssignPage, DefaultRestoresTheFactoryAssignmentAndSendsIt) {
  IoAssignFixture f(ControlMode::kRealTime);
  for (ParamId id = 243; id <= 258; ++id) StoreParameter(f.image(), id, 13);
  f.page.RefreshAll();
  EXPECT_EQ(f.page.FindControl(CIOAssign::kAssignedList)->items[15], "NONE");
  f.page.PressButton(CIOAssign::kDefaultButton);
  const int factory[16] = {5, 6, 7, 1, 6, 8, 1, 5, 6, 7, 3, 4, 5, 6, 7, 8};
  for (int port = 0; port < 16; ++port)
    EXPECT_EQ(ReadParameter(f.image(), 243 + port), factory[port]);
  EXPECT_EQ(f.page.FindControl(CIOAssign::kAssignedList)->items[15], "DVR");
  EXPECT_EQ(f.Queued(), kFactoryDownload);
}

TEST(IoAssignPage, ProfileRoundTripKeepsNoneAndRefusesUnmatchedTexts) {
  IoAssignFixture f(ControlMode::kAsync);
  ASSERT_TRUE(f.page.SetParamFromText(f.image(), 258, -1, "NONE"));
  ASSERT_TRUE(f.page.SetParamFromText(f.image(), 253, -1, "V-AUX/DOCK"));
  const std::string report = f.page.BuildReportText(f.image());
  EXPECT_EQ(report.find("\r\n(I/O Assign)\r\n[A] Component IN 1 = BD/HD DVD\r\n"), 0U);
  EXPECT_NE(report.find("HDMI IN 4 = NONE\r\n"), std::string::npos);

  MemoryIniFile file;
  f.page.SaveToProfile(file, f.image());
  EXPECT_EQ(file.Read("I/O Assign", "(8) Optical OUT 1"), "V-AUX/DOCK");
  CSettingImage other = testing::ReadIntoFreshImage(f.page, file);
  for (ParamId id = 243; id <= 258; ++id)
    EXPECT_EQ(ReadParameter(other, id), ReadParameter(f.image(), id));

  // "NONE" is sent with its own code.
  f.page.SendParamFromImage(f.image(), 258, -1);
  const std::vector<std::pair<std::string, ParamId>> expected = {{"<DC4>20080101630F6B<ETX>", 258}};
  EXPECT_EQ(f.Queued(), expected);

  for (const char* text : {"none", "V-AUX", "DVR ", "", "Tuner"}) {
    EXPECT_FALSE(f.page.SetParamFromText(other, 243, -1, text)) << text;
  }
  EXPECT_EQ(ReadParameter(other, 243), 5);
  // IDs of other pages give empty texts and take none.
  std::string section = "x", key = "x", value = "x";
  f.page.GetParamText(f.image(), 259, -1, &section, &key, &value, false);
  EXPECT_TRUE(section.empty() && key.empty() && value.empty());
  EXPECT_FALSE(f.page.SetParamFromText(other, 242, -1, "CD"));
}

}  // namespace
}  // namespace qamp
