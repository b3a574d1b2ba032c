// INI files as the configuration file and the pages use them.
#include <gtest/gtest.h>

#include <string>

#include "model/ini_file.h"

namespace qamp {
namespace {

TEST(IniFile, ReadsSectionsAndKeysWithoutRegardToCaseAndRemovesQuotes) {
  const MemoryIniFile file = MemoryIniFile::Parse(
      "; written by hand\n"
      "[speaker set]\n"
      "front = Large \n"
      "PR/SB Select=\"Presence\"\n"
      "not a key line\n"
      "\n"
      "[Input Rename]\r\n"
      "PHONO=\"  PHONO  \"\r\n"
      "[I/O Assign]\r\n"
      "[A] Component IN 1=DVD\r\n"
      "[A] Component IN 1=VCR\r\n");
  EXPECT_EQ(file.Read("Speaker Set", "Front"), "Large");
  EXPECT_EQ(file.Read("SPEAKER SET", "pr/sb select"), "Presence");
  EXPECT_EQ(file.Read("Input Rename", "PHONO"), "  PHONO  ") << "quotes keep the blanks";
  EXPECT_EQ(file.Read("I/O Assign", "[A] Component IN 1"), "DVD")
      << "the first of two equal keys counts";
  EXPECT_FALSE(file.Read("Speaker Set", "Center"));
  EXPECT_FALSE(file.Read("Nothing", "Front"));
  EXPECT_EQ(file.Sections().size(), 3U);
}

TEST(IniFile, WritingReplacesInPlaceAndAppendsNewKeysToTheirSection) {
  MemoryIniFile file = MemoryIniFile::Parse("[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
  file.Write("a", "X", "10");
  file.Write("A", "w", "4");
  file.Write("C", "v", "5");
  EXPECT_EQ(file.Serialize(), "[A]\r\nx=10\r\ny=2\r\nw=4\r\n[B]\r\nz=3\r\n[C]\r\nv=5\r\n");
}

// The Tuner Set page's "Current " key ends in a blank, which a file read
// back no longer has: written, saved and parsed, it is the same key.
TEST(IniFile, AKeyIsFoundWithoutTheBlanksAroundIt) {
  MemoryIniFile written;
  written.Write("Tuner Set", "Current ", "FM 95.3MHz");
  EXPECT_EQ(written.Serialize(), "[Tuner Set]\r\nCurrent =FM 95.3MHz\r\n") << "written as it is";
  EXPECT_EQ(written.Read("Tuner Set", "Current "), "FM 95.3MHz");
  const MemoryIniFile parsed = MemoryIniFile::Parse(written.Serialize());
  EXPECT_EQ(parsed.Read("Tuner Set", "Current "), "FM 95.3MHz");
  EXPECT_EQ(parsed.Read("Tuner Set", "current"), "FM 95.3MHz");
  EXPECT_FALSE(parsed.Read("Tuner Set", "Cur rent"));
  MemoryIniFile replaced = parsed;
  replaced.Write("Tuner Set", " Current ", "AM 567kHz");
  EXPECT_EQ(replaced.Serialize(), "[Tuner Set]\r\nCurrent=AM 567kHz\r\n") << "one key, replaced";
}

TEST(IniFile, ASectionNamedTwiceIsOneSectionAndACopyFindsItsKeys) {
  MemoryIniFile file = MemoryIniFile::Parse("[A]\nk1=a\n[B]\nk=b\n[a]\nK1=dup\nk2=c\n");
  ASSERT_EQ(file.Sections().size(), 2U);
  EXPECT_EQ(file.Read("A", "k1"), "a");
  EXPECT_EQ(file.Read("A", "K2"), "c");
  // Many keys, then a copy that is written to: each keeps its own entries.
  for (int i = 0; i < 500; ++i) file.Write("B", "key" + std::to_string(i), std::to_string(i));
  MemoryIniFile copy = file;
  copy.Write("b", "KEY250", "changed");
  copy.Write("b", "key500", "new");
  EXPECT_EQ(file.Read("B", "key250"), "250");
  EXPECT_EQ(copy.Read("B", "key250"), "changed");
  EXPECT_EQ(copy.Read("B", "KEY499"), "499");
  EXPECT_FALSE(file.Read("B", "key500"));
  EXPECT_EQ(copy.Sections()[1].entries.size(), 502U);
  EXPECT_EQ(copy.Sections()[1].entries.back().key, "key500");
}

TEST(IniFile, ValuesAreCutAt255CharactersOnReadingAndKeepTheirBytes) {
  MemoryIniFile file;
  file.Write("S", "long", std::string(300, 'x'));
  file.Write("S", "latin", "\xC9t\xE9\x80");
  EXPECT_EQ(file.Read("S", "long")->size(), 255U);
  EXPECT_EQ(file.Read("S", "long", 1023)->size(), 300U);
  EXPECT_EQ(file.Read("S", "latin"), "\xC9t\xE9\x80");
  const std::string text = file.Serialize();
  EXPECT_EQ(MemoryIniFile::Parse(text).Serialize(), text) << "write, read, write: the same bytes";
}

TEST(IniFile, ALineBreakInAValueCannotSplitItsLine) {
  MemoryIniFile file;
  file.Write("S", "k", "one\r\n[Other]\nz=1");
  EXPECT_EQ(file.Serialize(), "[S]\r\nk=one  [Other] z=1\r\n");
  EXPECT_EQ(MemoryIniFile::Parse(file.Serialize()).Sections().size(), 1U);
}

TEST(IniFile, ArbitraryTextParsesWithoutHarm) {
  constexpr char kJunk[] = "[\0]=\r\n=x\n[\n]]]\n[a]b]\nkey\n=\n[ok]\nk=v";
  const std::string junk(kJunk, sizeof kJunk - 1);
  const MemoryIniFile file = MemoryIniFile::Parse(junk);
  EXPECT_EQ(file.Read("ok", "k"), "v");
}

}  // namespace
}  // namespace qamp
