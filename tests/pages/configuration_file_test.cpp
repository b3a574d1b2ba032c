// Configuration files, memories and the report.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

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

// Reads a file as the platform's private-profile functions do, for the
// other programs that open our files: any line that begins with "[" starts
// a section named up to the "]"; names and values are trimmed of blanks and
// a value loses one pair of surrounding quotation marks; names match without
// regard to case, and the first of two equal names counts.
class PlatformProfileReader {
 public:
  explicit PlatformProfileReader(std::string_view text) {
    std::vector<std::pair<std::string, std::string>>* section = nullptr;
    while (!text.empty()) {
      const size_t end = text.find('\n');
      std::string line = Trim(text.substr(0, end));
      text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
      if (line.starts_with("[")) {
        const size_t close = line.find(']');
        const std::string name =
            Upper(Trim(line.substr(1, close == std::string::npos ? close : close - 1)));
        sections_.emplace_back(name, std::vector<std::pair<std::string, std::string>>());
        section = &sections_.back().second;
        continue;
      }
      const size_t equals = line.find('=');
      if (section == nullptr || equals == std::string::npos) continue;
      std::string value = Trim(line.substr(equals + 1));
      if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
      }
      section->emplace_back(Upper(Trim(line.substr(0, equals))), value);
    }
  }

  std::optional<std::string> Read(std::string_view section, std::string_view key) const {
    for (const auto& [name, entries] : sections_) {
      if (name != Upper(Trim(section))) continue;
      for (const auto& [entryKey, value] : entries) {
        if (entryKey == Upper(Trim(key))) return value;
      }
      return std::nullopt;
    }
    return std::nullopt;
  }

 private:
  static std::string Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
      text.remove_suffix(1);
    }
    return std::string(text);
  }
  static std::string Upper(std::string text) {
    for (char& c : text) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
  }

  std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> sections_;
};

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

TEST(ConfigurationFile, ThePlatformsReaderFindsEveryKeyButTheThreeComponentInputs) {
  // The keys "[A] Component IN 1" to "[C] Component IN 3" open sections of
  // their own for the platform's reader; every other key of the file must
  // still be where it was written, with its value.
  FileFixture source;
  for (int slot = 0; slot < kImageSlots; ++slot) {
    sim::RandomizeImage(source.link().Image(slot), 300 + static_cast<unsigned>(slot));
    testing::MakeRealistic(source.link().Image(slot));
  }
  source.link().SetUserMemo(" memo with blanks around ");
  const std::string text = source.Save();
  const MemoryIniFile ours = MemoryIniFile::Parse(text);
  const PlatformProfileReader platform(text);
  size_t keys = 0;
  for (const MemoryIniFile::Section& section : ours.Sections()) {
    for (const MemoryIniFile::Entry& entry : section.entries) {
      if (entry.key.starts_with("[")) {
        EXPECT_EQ(section.name, "I/O Assign") << entry.key;
        continue;
      }
      ++keys;
      EXPECT_EQ(platform.Read(section.name, entry.key), ours.Read(section.name, entry.key, 4096))
          << "[" << section.name << "] " << entry.key;
    }
  }
  EXPECT_GT(keys, 2000U);
  EXPECT_EQ(platform.Read("I/O Assign", "HDMI IN 4"), ours.Read("I/O Assign", "HDMI IN 4"));
  EXPECT_EQ(platform.Read("User Memo", "User Memo"), " memo with blanks around ");
}

TEST(ConfigurationFile, TheCurrentFrequencyComesBackFromASavedFile) {
  // Its key ends in a blank ("Current "), which a file line does not keep.
  FileFixture source;
  StoreText(source.link().Image(0), 435, "090.10");
  StoreText(source.link().Image(0), 436, "001610");
  const std::string text = source.Save();
  EXPECT_NE(text.find("\r\nCurrent =FM 90.1MHz\r\n"), std::string::npos);
  FileFixture target;
  target.Load(text);
  EXPECT_EQ(ReadText(target.link().Image(0), 435), "090.10");
  EXPECT_EQ(ReadText(target.link().Image(0), 436), "001610");
}

TEST(ConfigurationFile, IoAssignWritesTheComponentInputsAfterItsOtherKeys) {
  // As the platform's own writer leaves them, a key at a time: the
  // thirteen other keys, then [C], [B], [A].
  FileFixture f;
  const MemoryIniFile file = MemoryIniFile::Parse(f.Save());
  std::vector<std::string> keys;
  for (const MemoryIniFile::Section& section : file.Sections()) {
    if (section.name != "I/O Assign") continue;
    for (const MemoryIniFile::Entry& entry : section.entries) keys.push_back(entry.key);
  }
  EXPECT_EQ(keys,
            (std::vector<std::string>{
                "(1) Coaxial IN 1", "(2) Coaxial IN 2", "(3) Coaxial IN 3", "(4) Optical IN 1",
                "(5) Optical IN 2", "(6) Optical IN 3", "(7) Optical IN 4", "(8) Optical OUT 1",
                "(9) Optical OUT 2", "HDMI IN 1", "HDMI IN 2", "HDMI IN 3", "HDMI IN 4",
                "[C] Component IN 3", "[B] Component IN 2", "[A] Component IN 1"}));
  // The report keeps the page's own order.
  EXPECT_EQ(f.pages.FindByCaption("I/O Assign")
                ->BuildReportText(f.link().Image(0))
                .find("\r\n(I/O Assign)\r\n[A] Component IN 1 = "),
            0U);
}

TEST(ConfigurationFile, IoAssignReadsBothLayouts) {
  const std::string others =
      "(1) Coaxial IN 1=CD\r\n(2) Coaxial IN 2=PHONO\r\n(3) Coaxial IN 3=CD-R\r\n"
      "(4) Optical IN 1=MD/TAPE\r\n(5) Optical IN 2=DVD\r\n(6) Optical IN 3=DTV/CBL\r\n"
      "(7) Optical IN 4=DVR\r\n(8) Optical OUT 1=VCR\r\n(9) Optical OUT 2=V-AUX/DOCK\r\n"
      "HDMI IN 1=BD/HD DVD\r\nHDMI IN 2=DVD\r\nHDMI IN 3=DTV/CBL\r\nHDMI IN 4=VCR\r\n";
  const std::string first =
      "[A] Component IN 1=V-AUX/DOCK\r\n[B] Component IN 2=DVR\r\n[C] Component IN 3=DTV/CBL\r\n";
  const std::string last =
      "[C] Component IN 3=DTV/CBL\r\n[B] Component IN 2=DVR\r\n[A] Component IN 1=V-AUX/DOCK\r\n";
  // By ID 243 to 258, as input indices: V-AUX/DOCK 10, DVR 8, DTV/CBL 7,
  // CD 1, PHONO 0, CD-R 3, MD/TAPE 4, DVD 6, VCR 9, BD/HD DVD 5.
  const std::vector<int> expected = {10, 8, 7, 1, 0, 3, 4, 6, 7, 8, 9, 10, 5, 6, 7, 9};
  for (const std::string& body : {first + others, others + last}) {
    FileFixture f;
    for (ParamId id = 243; id <= 258; ++id) StoreParameter(f.link().Image(0), id, 13);
    f.Load("[I/O Assign]\r\n" + body + "[Speaker Level]\r\nFL=-3.5dB\r\n");
    std::vector<int> read;
    for (ParamId id = 243; id <= 258; ++id) read.push_back(ReadParameter(f.link().Image(0), id));
    EXPECT_EQ(read, expected) << body;
    EXPECT_EQ(ReadParameter(f.link().Image(0), 259), -35);
  }
}

TEST(ConfigurationFile, AStraightSystemMemoryWritesTheWholeDspParameterList) {
  FileFixture f(ControlMode::kAsync, 0);
  CSettingImage& straight = f.link().Image(3);
  StoreParameter(straight, 4, 26);   // Straight
  StoreParameter(straight, 57, -3);  // Village Vanguard's DSP Level
  StoreParameter(straight, 197, 0);  // Straight Enhancer's Effect Level: Low
  StoreParameter(f.link().Image(4), 4, 5);
  const std::string text = f.Save();
  const std::vector<std::string> names = SectionNames(text);
  auto count = [&](std::string_view prefix) {
    return std::count_if(names.begin(), names.end(),
                         [&](const std::string& name) { return name.starts_with(prefix); });
  };
  EXPECT_EQ(count("System Memory 3 DSP Parameters "), 26);
  EXPECT_EQ(count("System Memory 4 DSP Parameters "), 1) << "a program lists its own only";
  const MemoryIniFile file = MemoryIniFile::Parse(text);
  EXPECT_EQ(file.Read("System Memory 3 Basic Control", "DSP Program"), "Straight");
  EXPECT_EQ(file.Read("System Memory 3 DSP Parameters Village Vanguard", "DSP Level"), "-3dB");
  EXPECT_EQ(file.Read("System Memory 3 DSP Parameters Straight Enhancer", "Effect Level"), "Low");
  EXPECT_EQ(file.Read("System Memory 3 DSP Parameters Hall in Munich", "(P.)Init. Delay"), "30ms");
  EXPECT_TRUE(file.Read("System Memory 4 DSP Parameters Village Vanguard", "DSP Level"));

  FileFixture target(ControlMode::kAsync, 0);
  target.Load(text);
  EXPECT_EQ(ReadParameter(target.link().Image(3), 4), 26);
  EXPECT_EQ(ReadParameter(target.link().Image(3), 57), -3);
  EXPECT_EQ(ReadParameter(target.link().Image(3), 197), 0);

  const std::string report = f.pages.Memory().MemoryReport(MemoryKind::kSystem, straight);
  EXPECT_NE(report.find("\r\n(DSP Parameters Hall in Munich)\r\nDSP Level = 0dB\r\n"),
            std::string::npos);
  EXPECT_NE(report.find("\r\n(DSP Parameters 7ch Enhancer)\r\nEffect Level = High\r\n"),
            std::string::npos);

  // A Download still stores a Straight memory without any program's
  // parameters: the receiver keeps none for Straight.
  f.pages.Memory().QueueMemoryStore(3, straight);
  for (const auto& [frame, code] : f.capture.QueuedWithCodes()) {
    EXPECT_FALSE(code >= 28 && code <= 198) << ShowFrame(frame);
  }
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

TEST(ConfigurationReport, AParameterWithoutADescriptionWritesNoHeader) {
  ReportLines lines;
  lines.Add("", "", "");
  lines.Add("Speaker Distance", "FL", "3.00");
  lines.Add("", "", "");
  lines.Add("Speaker Distance", "FR", "3.00");
  lines.Add("Other", "", "");
  lines.Add("Other", "Key", "");
  EXPECT_EQ(lines.Take(),
            "\r\n(Speaker Distance)\r\nFL = 3.00\r\nFR = 3.00\r\n\r\n(Other)\r\nKey = \r\n");

  // A page whose first parameter has no text starts with its own caption.
  FileFixture f;
  StoreParameter(f.link().Image(0), 269, 5);  // a unit with no text
  const std::string distance =
      f.pages.FindByCaption("Speaker Distance")->BuildReportText(f.link().Image(0));
  EXPECT_EQ(distance.find("\r\n(Speaker Distance)\r\nFL = "), 0U) << distance.substr(0, 40);
  // A System memory whose program has no text starts with Speaker Level.
  StoreParameter(f.link().Image(2), 4, 40);
  const std::string memory = f.pages.Memory().MemoryReport(MemoryKind::kSystem, f.link().Image(2));
  EXPECT_EQ(memory.find("\r\n(Speaker Level)\r\n"), 0U) << memory.substr(0, 40);
  EXPECT_EQ(BuildReport(f.link(), f.pages).find("()"), std::string::npos);
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
