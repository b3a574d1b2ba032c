// The Input Rename page.
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_map.h"
#include "model/parameter_store.h"
#include "pages/input_rename_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

using testing::Queue;

struct InputRenameFixture : testing::PageFixture<CInputSetUp, testing::BeepCountingHost> {
  using PageFixture::PageFixture;
  void Rename(int row, std::string_view text) {
    page.SelectListRow(CInputSetUp::kInputList, row);
    page.EnterText(CInputSetUp::kNameEdit, text);
    page.PressButton(CInputSetUp::kEnterButton);
  }
};

// The factory names, written in list order 229..242 (DVR before VCR).
const Queue kFactoryDownload = {
    {"<DC4>2012011100009  PHONO  85<ETX>", 229}, {"<DC4>2012011100109   CD    E9<ETX>", 230},
    {"<DC4>2012011100209  TUNER  91<ETX>", 231}, {"<DC4>2012011100309  CD-R   2A<ETX>", 232},
    {"<DC4>2012011100409 MD/TAPE AF<ETX>", 233}, {"<DC4>2012011101109BD/HD DVDC2<ETX>", 234},
    {"<DC4>2012011100509   DVD   24<ETX>", 235}, {"<DC4>2012011100609 DTV/CBL B5<ETX>", 236},
    {"<DC4>2012011100A09   DVR   3E<ETX>", 237}, {"<DC4>2012011100909   VCR   35<ETX>", 238},
    {"<DC4>2012011100C09  V-AUX  85<ETX>", 239}, {"<DC4>2012011100E09   XM    1B<ETX>", 240},
    {"<DC4>2012011102009  DOCK   44<ETX>", 241}, {"<DC4>2012011101009MULTI CH D8<ETX>", 242},
};

TEST(InputRenamePage, InputsAndNamesAreOneTableWhoseRowsChooseTheInput) {
  InputRenameFixture f(ControlMode::kAsync);
  EXPECT_EQ(f.control(CInputSetUp::kInputList).columnHeaders, std::vector<std::string>{"Input"});
  EXPECT_EQ(f.control(CInputSetUp::kNameList).columnHeaders, std::vector<std::string>{"Name"});
  EXPECT_EQ(f.control(CInputSetUp::kNameList).value, 0);
  f.page.SelectListRow(CInputSetUp::kNameList, 13);
  EXPECT_EQ(f.control(CInputSetUp::kInputList).value, 13);
  EXPECT_EQ(f.control(CInputSetUp::kNameList).value, 13);
  f.page.SelectListRow(CInputSetUp::kInputList, 2);
  EXPECT_EQ(f.control(CInputSetUp::kNameList).value, 2);
  f.page.SelectListRow(CInputSetUp::kNameList, 14);  // no such input
  EXPECT_EQ(f.control(CInputSetUp::kInputList).value, 2);
}

TEST(InputRenamePage, EnterKeepsNineCharactersExactly) {
  struct Case {
    const char* typed;
    const char* stored;
    const char* frame;
  };
  const Case cases[] = {
      {"ABCDEFGHIJKL", "ABCDEFGHI", "<DC4>2012011100009ABCDEFGHIEE<ETX>"},
      {"ABCDEFGHI", "ABCDEFGHI", "<DC4>2012011100009ABCDEFGHIEE<ETX>"},
      {"AB", "AB       ", "<DC4>2012011100009AB       E4<ETX>"},
      {"", "         ", "<DC4>2012011100009         A1<ETX>"},
  };
  for (const Case& c : cases) {
    InputRenameFixture f(ControlMode::kRealTime);
    f.Rename(0, c.typed);
    EXPECT_EQ(ReadText(f.image(), 229), c.stored) << c.typed;
    EXPECT_EQ(f.page.FindControl(CInputSetUp::kNameList)->items[0], c.stored) << c.typed;
    EXPECT_EQ(f.Queued(), (Queue{{c.frame, 229}})) << c.typed;
    // The end marker started the sending.
    ASSERT_EQ(f.capture.Frames().size(), 1U);
    EXPECT_EQ(ShowFrame(f.capture.Frames()[0]), c.frame) << c.typed;
  }
}

TEST(InputRenamePage, EightBitNamesAreSentAsTheirBytes) {
  InputRenameFixture f(ControlMode::kRealTime);
  f.Rename(3, "\xB0\xB1\xB2");
  EXPECT_EQ(ReadText(f.image(), 232), "\xB0\xB1\xB2      ");
  EXPECT_EQ(f.Queued(), (Queue{{"<DC4>2012011100309\xB0\xB1\xB2      57<ETX>", 232}}));
}

TEST(InputRenamePage, TheDvrEntryNamesTheDvrFieldAndTravelsWithCode0A) {
  InputRenameFixture f(ControlMode::kAsync);
  MemoryIniFile file;
  file.Write("Input Rename", "DVR", "\"  NEWDVR \"");
  f.page.LoadFromProfile(file, f.image());
  // DVR's name is the tenth field of the image, VCR's the ninth.
  EXPECT_EQ(f.image().Text(kInputNameFirstWord, 90, 10), "  NEWDVR ");
  EXPECT_EQ(f.image().Text(kInputNameFirstWord, 80, 10), "   VCR   ");
  f.page.RefreshAll();
  EXPECT_EQ(f.page.FindControl(CInputSetUp::kNameList)->items[8], "  NEWDVR ");
  EXPECT_EQ(f.page.FindControl(CInputSetUp::kNameList)->items[9], "   VCR   ");
  f.page.SendParamFromImage(f.image(), 237, -1);
  EXPECT_EQ(f.Queued(), (Queue{{"<DC4>2012011100A09  NEWDVR C8<ETX>", 237}}));
}

TEST(InputRenamePage, DownloadWritesTheFourteenNamesInListOrder) {
  InputRenameFixture f(ControlMode::kAsync);
  f.page.DownloadPage(f.image());
  EXPECT_EQ(f.Queued(), kFactoryDownload);
}

TEST(InputRenamePage, DefaultRestoresTheFactoryNamesAndSendsThem) {
  InputRenameFixture f(ControlMode::kRealTime);
  f.Rename(13, " multi");
  f.capture.Clear();
  f.page.PressButton(CInputSetUp::kDefaultButton);
  EXPECT_EQ(ReadText(f.image(), 242), "MULTI CH ");
  EXPECT_EQ(f.page.FindControl(CInputSetUp::kNameList)->items[13], "MULTI CH ");
  EXPECT_EQ(f.Queued(), kFactoryDownload);
}

TEST(InputRenamePage, AsyncModeChangesTheImageAndQueuesNothing) {
  InputRenameFixture f(ControlMode::kAsync);
  f.Rename(13, " multi");
  EXPECT_EQ(ReadText(f.image(), 242), " multi   ");
  f.page.PressButton(CInputSetUp::kDefaultButton);
  EXPECT_EQ(ReadText(f.image(), 242), "MULTI CH ");
  EXPECT_TRUE(f.Queued().empty());
  EXPECT_TRUE(f.capture.Frames().empty());
}

TEST(InputRenamePage, ProfileRoundTripKeepsSpacesQuotesAndEightBitBytes) {
  InputRenameFixture f(ControlMode::kAsync);
  const char* const names[] = {"  lead", "trail   ", "\xE9t\xE9\xFF", "a\"b\"c"};
  for (int row = 0; row < 4; ++row)
    ASSERT_TRUE(f.page.SetParamFromText(f.image(), 229 + row, -1, names[row]));
  MemoryIniFile file;
  f.page.SaveToProfile(file, f.image());
  // Quoted, so that a reader that trims blanks keeps the name whole.
  EXPECT_EQ(file.Sections().at(0).name, "Input Rename");
  EXPECT_EQ(file.Sections().at(0).entries.at(0).key, "PHONO");
  EXPECT_EQ(file.Sections().at(0).entries.at(0).value, "\"  lead   \"");
  EXPECT_EQ(file.Sections().at(0).entries.at(3).value, "\"a\"b\"c    \"");
  CSettingImage other = testing::ReadIntoFreshImage(f.page, file);
  EXPECT_EQ(ReadText(other, 229), "  lead   ");
  EXPECT_EQ(ReadText(other, 230), "trail    ");
  EXPECT_EQ(ReadText(other, 231), "\xE9t\xE9\xFF     ");
  EXPECT_EQ(ReadText(other, 232), "a\"b\"c    ");
  for (ParamId id = 233; id <= 242; ++id) EXPECT_EQ(ReadText(other, id), ReadText(f.image(), id));
  EXPECT_NE(f.page.BuildReportText(f.image()).find("\r\nDVR = \"   DVR   \"\r\n"),
            std::string::npos);
}

TEST(InputRenamePage, NamesWithControlBytesAreRefused) {
  InputRenameFixture f(ControlMode::kRealTime);
  // An ETX inside the name would end the frame early.
  EXPECT_FALSE(f.page.SetParamFromText(f.image(), 229, -1,
                                       "AB\x03"
                                       "CD"));
  EXPECT_FALSE(f.page.SetParamFromText(f.image(), 229, -1, "\tTAB"));
  EXPECT_FALSE(f.page.SetParamFromText(f.image(), 243, -1, "PHONO"));  // not this page's
  EXPECT_EQ(ReadText(f.image(), 229), "  PHONO  ");
  f.Rename(1,
           "C\x02"
           "D");
  EXPECT_EQ(f.host.beeps, 1);
  EXPECT_EQ(ReadText(f.image(), 230), "   CD    ");
  EXPECT_TRUE(f.Queued().empty());
  EXPECT_TRUE(f.capture.Frames().empty());
}

}  // namespace
}  // namespace qamp
