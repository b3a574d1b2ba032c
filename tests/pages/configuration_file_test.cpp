// Configuration files, memories and the report.
#include <gtest/gtest.h>

#include "document/configuration_file.h"
#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/memory_page.h"
#include "session/command_capture.h"
#include "support/realistic_state.h"

namespace qamp {
namespace {

struct FileFixture {
  explicit FileFixture(ControlMode mode = ControlMode::kAsync, int region = 1)
      : capture(mode, region), pages(capture.Link(), host) {}
  CCommClass& link() { return capture.Link(); }
  std::string Save() {
    MemoryIniFile file;
    SaveConfiguration(link(), pages, file);
    return file.Serialize();
  }
  void Load(std::string_view text) { LoadConfiguration(link(), pages, MemoryIniFile::Parse(text)); }
  CommandCapture capture;
  QuietPageHost host;
  CPageSet pages;
};

std::vector<std::string> SectionNames(const std::string& text) {
  std::vector<std::string> names;
  const MemoryIniFile file = MemoryIniFile::Parse(text);
  for (const MemoryIniFile::Section& section : file.Sections()) names.push_back(section.name);
  return names;
}

TEST(ConfigurationFile, SectionsComeInTheirOrder) {
  FileFixture f;
  const std::vector<std::string> names = SectionNames(f.Save());
  ASSERT_GE(names.size(), 10U);
  EXPECT_EQ(names[0], "User Memo");
  EXPECT_EQ(names[1], "System Memory");
  EXPECT_EQ(names[2], "Basic Control");
  EXPECT_EQ(names[3], "Multi Zone");
  EXPECT_EQ(names[4], "DSP Parameters Hall in Munich");
  EXPECT_EQ(names[30], "Input DSP");
  EXPECT_EQ(std::count(names.begin(), names.end(), "Parametric EQ"), 1);
  EXPECT_EQ(std::count(names.begin(), names.end(), "XM Set"), 1);
  EXPECT_EQ(std::count(names.begin(), names.end(), "iPod"), 1);
  // Then the memories: every System memory (with its program's DSP
  // section), then the volume kinds, six memories each.
  const auto first = std::find(names.begin(), names.end(), "System Memory 1 Basic Control");
  ASSERT_NE(first, names.end());
  EXPECT_EQ(*(first + 1), "System Memory 1 DSP Parameters Sci-Fi");
  EXPECT_EQ(*(first + 2), "System Memory 1 Speaker Level");
  EXPECT_EQ(names[names.size() - 13], "Volume Memory 6 Basic Control");
  EXPECT_EQ(names[names.size() - 7], "Zone2 Volume Memory 6 Multi Zone");
  EXPECT_EQ(names.back(), "Zone3 Volume Memory 6 Multi Zone");
}

TEST(ConfigurationFile, WriteReadWriteGivesTheSameBytes) {
  FileFixture source;
  for (int slot = 0; slot < kImageSlots; ++slot) {
    sim::RandomizeImage(source.link().Image(slot), 100 + static_cast<unsigned>(slot));
    testing::MakeRealistic(source.link().Image(slot));
    source.link().Image(slot)[0] = slot;
  }
  source.link().SetDataExists(2, true);
  source.link().SetUserMemo("First line\r\nsecond \xE9 line");
  const std::string text = source.Save();
  FileFixture target;
  target.Load(text);
  EXPECT_EQ(target.Save(), text);
  EXPECT_EQ(target.link().UserMemo(), "First line\r\nsecond \xE9 line");
  EXPECT_TRUE(target.link().DataExists(2));
  EXPECT_FALSE(target.link().DataExists(3));
}

TEST(ConfigurationFile, TheMemoKeepsItsLineBreaksAsEscapes) {
  EXPECT_EQ(EscapeMemo("a\r\nb"), "a\\r\\nb");
  EXPECT_EQ(EscapeMemo("a\nb\rc"), "a\\r\\nb\\r\\nc") << "a bare line break is a line break too";
  EXPECT_EQ(UnescapeMemo("a\\r\\nb"), "a\r\nb");
  FileFixture f;
  f.link().SetUserMemo("a\r\nb");
  EXPECT_NE(f.Save().find("[User Memo]\r\nUser Memo=a\\r\\nb\r\n"), std::string::npos);
  // The longest memo, all line breaks: twice as long once escaped, and
  // still whole when read back.
  std::string longest;
  for (int i = 0; i < 512; ++i) longest += "\r\n";
  f.link().SetUserMemo(longest);
  FileFixture target;
  target.Load(f.Save());
  EXPECT_EQ(target.link().UserMemo(), longest);
}

TEST(ConfigurationFile, AMemoWithBlanksOrQuotationMarksAtItsEndsComesBackWhole) {
  // Reading a file value trims the blanks around it and removes one pair of
  // enclosing quotation marks; the memo must survive both.
  for (const std::string memo : {"  indented", "blanks behind  ", "\t", " ", "\"quoted\"", "\"",
                                 "\" both \"", "\r\n  after a line break "}) {
    FileFixture source;
    source.link().SetUserMemo(memo);
    FileFixture target;
    target.Load(source.Save());
    EXPECT_EQ(target.link().UserMemo(), memo) << "memo [" << memo << "]";
  }
  EXPECT_EQ(EscapeMemo("plain text"), "plain text")
      << "only a memo that needs them gets quotation marks";
}

TEST(ConfigurationFile, ABareLineBreakInAWrittenMemoIsALineBreakAndSavesAlike) {
  FileFixture f;
  f.Load("[User Memo]\r\nUser Memo=one\rtwo\\r\\nthree\r\n");
  EXPECT_EQ(f.link().UserMemo(), "one\r\ntwo\r\nthree");
  FileFixture again;
  again.Load(f.Save());
  EXPECT_EQ(again.link().UserMemo(), f.link().UserMemo());
}

TEST(ConfigurationFile, AnyDataExistTextButEmptyMeansData) {
  FileFixture f;
  f.Load(
      "[System Memory]\r\nSystem Memory1 Data Exist=Full\r\nSystem Memory2 Data Exist=yes\r\n"
      "System Memory3 Data Exist=Empty\r\n");
  EXPECT_TRUE(f.link().DataExists(1));
  EXPECT_TRUE(f.link().DataExists(2));
  EXPECT_FALSE(f.link().DataExists(3));
  EXPECT_FALSE(f.link().DataExists(4)) << "a missing key is empty";
}

TEST(ConfigurationFile, MissingOrUnmatchedKeysLeaveValuesAsTheyWere) {
  FileFixture f;
  StoreParameter(f.link().Image(0), 6, -235);
  StoreParameter(f.link().Image(0), 426, 1);
  f.link().SetUserMemo("kept");
  f.Load(
      "[basic control]\nInput=CD\nmute=on\n[Speaker Set]\nFront=Huge\n[User Memo]\nUser Memo=\n");
  EXPECT_EQ(ReadParameter(f.link().Image(0), 1), 1) << "keys match without regard to case";
  EXPECT_EQ(ReadParameter(f.link().Image(0), 6), -235) << "no Main Volume key";
  EXPECT_EQ(ReadParameter(f.link().Image(0), 7), 0) << "'on' is not 'ON'";
  EXPECT_EQ(ReadParameter(f.link().Image(0), 426), 1) << "'Huge' matches no choice";
  EXPECT_EQ(f.link().UserMemo(), "kept") << "an empty memo entry leaves the memo";
}

TEST(ConfigurationFile, AHandWrittenFileWithLineFeedsMixedCaseAndQuotesReads) {
  FileFixture f;
  f.Load(
      "[INPUT RENAME]\n  PHONO =  \"Turntable\"  \n[speaker level]\nfl=-3.5dB\n"
      "[System Memory 2 Speaker Level]\nFL=2.0dB\n[Volume Memory 4 Basic Control]\nMain "
      "Volume=-20.0dB\n");
  EXPECT_EQ(ReadText(f.link().Image(0), 229), "Turntable");
  EXPECT_EQ(ReadParameter(f.link().Image(0), 259), -35);
  EXPECT_EQ(ReadParameter(f.link().Image(2), 259), 20);
  EXPECT_EQ(ReadParameter(f.link().Image(4), 6), -200);
  EXPECT_EQ(ReadParameter(f.link().Image(3), 6), -400) << "other memories keep theirs";
  EXPECT_EQ(f.link().CurrentSlot(), 0);
}

// --- The report -----------------------------------------------------------------------

TEST(ConfigurationReport, IsLaidOutAsTheReportOfTheReceiver) {
  FileFixture f;
  const std::string report = BuildReport(f.link(), f.pages);
  const std::string equals(80, '=');
  const std::string dashes(80, '-');
  EXPECT_TRUE(report.starts_with(
      equals + "\r\n        Tonewright Configration Report\r\n        QR-K2600\r\n" + equals +
      "\r\n\r\n" + dashes + "\r\n    User Memo\r\n" + dashes + "\r\n\r\n\r\n" + dashes +
      "\r\n    1.  Current Setting\r\n" + dashes +
      "\r\n(Basic Control)\r\nInput = DVD\r\nAudio Select = Auto\r\n"))
      << report.substr(0, 600);
  EXPECT_NE(report.find("\r\n    2. System Memory 1\r\n"), std::string::npos);
  EXPECT_NE(report.find("\r\n    25. Zone3 Volume Memory 6\r\n" + dashes +
                        "\r\n(Multi Zone)\r\nZone3 Volume = -40.0dB\r\n"
                        "\r\n"),
            std::string::npos);
  EXPECT_TRUE(report.ends_with("Zone3 Volume = -40.0dB\r\n\r\n"));
  EXPECT_NE(report.find("\r\n(XM Set)\r\n"), std::string::npos);
  EXPECT_NE(report.find("\r\n(Parametric EQ)\r\n"), std::string::npos);
  EXPECT_EQ(report.find("\r\n(System Memory"), std::string::npos)
      << "memory blocks use the own sections";
}

TEST(ConfigurationReport, RegionZeroHasNoXmBlockEvenInRealTimeMode) {
  FileFixture f(ControlMode::kRealTime, 0);
  f.link().SetRegionCode(0);
  EXPECT_EQ(BuildReport(f.link(), f.pages).find("(XM Set)"), std::string::npos);
}

TEST(ConfigurationReport, TheMemoStandsUnchanged) {
  FileFixture f;
  f.link().SetUserMemo("<b>not markup</b>\r\nline 2");
  const std::string report = BuildReport(f.link(), f.pages);
  EXPECT_NE(report.find("    User Memo\r\n" + std::string(80, '-') +
                        "\r\n<b>not markup</b>\r\nline 2\r\n\r\n"),
            std::string::npos);
}

// --- Memories -------------------------------------------------------------------------

TEST(MemoryPage, SavingOfflineFillsTheMemoryAndEnablesItsLoad) {
  FileFixture f;
  CMemoryPage& memory = f.pages.Memory();
  EXPECT_EQ(memory.FindControl(CMemoryPage::kLists[0])->items[2], "Memory 3 (Empty)");
  EXPECT_EQ(memory.FindControl(CMemoryPage::kLists[1])->items[2], "Memory 3")
      << "volume memories are never empty";
  memory.SelectListRow(CMemoryPage::kLists[0], 2);
  EXPECT_FALSE(memory.FindControl(CMemoryPage::kLoadButtons[0])->enabled);
  StoreParameter(f.link().Image(0), 259, 75);
  memory.PressButton(CMemoryPage::kSaveButtons[0]);
  EXPECT_EQ(memory.FindControl(CMemoryPage::kLists[0])->items[2], "Memory 3");
  EXPECT_TRUE(memory.FindControl(CMemoryPage::kLoadButtons[0])->enabled);
  EXPECT_TRUE(f.link().DataExists(3));
  EXPECT_EQ(ReadParameter(f.link().Image(3), 259), 75);
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty() && f.capture.Frames().empty());
}

TEST(MemoryPage, LoadingOfflineCopiesTheMemorysProgramBlockOnly) {
  FileFixture f;
  CSettingImage& stored = f.link().Image(2);
  StoreParameter(stored, 4, 5);     // Village Vanguard
  StoreParameter(stored, 57, -3);   // its DSP Level
  StoreParameter(stored, 28, 2);    // Hall in Munich's, not part of the memory
  StoreParameter(stored, 6, -100);  // the main volume is a Volume memory
  f.link().SetDataExists(2, true);
  f.pages.Memory().Load(MemoryKind::kSystem, 2);
  const CSettingImage& current = f.link().Image(0);
  EXPECT_EQ(ReadParameter(current, 4), 5);
  EXPECT_EQ(ReadParameter(current, 57), -3);
  EXPECT_EQ(ReadParameter(current, 28), 0);
  EXPECT_EQ(ReadParameter(current, 6), -400);
  f.pages.Memory().Load(MemoryKind::kVolume, 2);
  EXPECT_EQ(ReadParameter(current, 6), -100);
}

TEST(MemoryPage, RealTimeLoadAsksAndReloadsSaveAsksForTheStatus) {
  FileFixture f(ControlMode::kRealTime);
  int reloads = 0;
  f.pages.Memory().SetActions([&] { ++reloads; }, [] {});
  f.pages.Memory().Load(MemoryKind::kSystem, 2);
  EXPECT_EQ(reloads, 1);
  f.capture.Clear();
  f.pages.Memory().Save(MemoryKind::kSystem, 4);
  std::vector<std::string> frames;
  for (const std::string& frame : f.capture.Frames()) frames.push_back(ShowFrame(frame));
  EXPECT_EQ(frames, (std::vector<std::string>{"<STX>07E2E<ETX>", "<DC4>200507000BE<ETX>",
                                              "<DC4>200507001BF<ETX>", "<DC4>200507002C0<ETX>",
                                              "<DC4>200507003C1<ETX>", "<DC4>200507004C2<ETX>",
                                              "<DC4>200507005C3<ETX>"}));
  f.capture.Clear();
  f.pages.Memory().Save(MemoryKind::kZone3Volume, 6);
  EXPECT_EQ(ShowFrame(f.capture.Frames().at(0)), "<STX>07E25<ETX>");
}

TEST(MemoryPage, ADownloadStoresAMemoryWithItsOwnValuesThenSavesIt) {
  FileFixture f;
  StoreParameter(f.link().Image(5), 4, 22);  // 2ch Stereo
  f.pages.Memory().QueueMemoryStore(5, f.link().Image(5));
  const auto queued = f.capture.QueuedWithCodes();
  ASSERT_FALSE(queued.empty());
  EXPECT_EQ(ShowFrame(queued.front().first), "<STX>07EC0<ETX>") << "the memory's program first";
  EXPECT_EQ(queued.front().second, 4);
  EXPECT_EQ(ShowFrame(queued[1].first).substr(0, 18), "<DC4>200B021134240")
      << "then its one parameter";
  std::vector<std::string> saves;
  for (const auto& [frame, code] : queued) {
    if (code >= 564 && code <= 576) saves.push_back(ShowFrame(frame) + " #" + std::to_string(code));
  }
  EXPECT_EQ(saves, (std::vector<std::string>{"<STX>07E2F<ETX> #564", "<STX>07E6F<ETX> #572",
                                             "<STX>07E8B<ETX> #574", "<STX>07E24<ETX> #576"}));
}

}  // namespace
}  // namespace qamp
