// What loading a configuration file finds lacking: the keys that were
// missing or whose text no value has.
#include <gtest/gtest.h>

#include "document/configuration_file.h"
#include "model/parameter_store.h"
#include "session/command_capture.h"

namespace qamp {
namespace {

struct LoadFixture {
  explicit LoadFixture(int region = 1)
      : capture(ControlMode::kAsync, region), pages(capture.Link(), host) {}
  CCommClass& link() { return capture.Link(); }
  std::string Save() {
    MemoryIniFile file;
    SaveConfiguration(link(), pages, file);
    return file.Serialize();
  }
  ConfigurationLoad Load(std::string_view text) {
    return LoadConfiguration(link(), pages, MemoryIniFile::Parse(text));
  }
  CommandCapture capture;
  QuietPageHost host;
  CPageSet pages;
};

// Key lines of a file's text ("Key=Value"), the memo's left out: it may
// be empty in any file.
std::vector<std::string> KeyLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    // "[A] Component IN 1=..." is a key; a section line ends with "]".
    if (!line.empty() && line.back() != ']' && line.find('=') != std::string_view::npos &&
        !line.starts_with("User Memo=")) {
      lines.emplace_back(line);
    }
    start = end + 2;
  }
  return lines;
}

TEST(ConfigurationLoad, AWholeFileLacksNothingInEveryRegion) {
  for (const int region : {0, 1, 2, 3}) {
    LoadFixture f(region);
    const ConfigurationLoad load = f.Load(f.Save());
    EXPECT_TRUE(load.Complete()) << "region " << region << ": " << load.Summary() << " "
                                 << (load.missing.empty() ? "" : load.missing.front().Name())
                                 << (load.unreadable.empty() ? "" : load.unreadable.front().Name());
    EXPECT_EQ(load.Summary(), "");
  }
}

TEST(ConfigurationLoad, AFileCutShortCountsEveryKeyItLost) {
  LoadFixture f;
  const std::string whole = f.Save();
  // Cut after the last whole line within the first 5000 bytes.
  const std::string cut = whole.substr(0, whole.rfind("\r\n", 5000) + 2);
  const size_t expected = KeyLines(whole).size();
  const size_t kept = KeyLines(cut).size();
  ASSERT_GT(expected, kept);
  LoadFixture g;
  const ConfigurationLoad load = g.Load(cut);
  EXPECT_EQ(load.missing.size(), expected - kept);
  EXPECT_TRUE(load.unreadable.empty());
  EXPECT_EQ(load.Summary(), std::to_string(expected - kept) + " keys missing");
  // The last section of a file is the Zone 3 volume memories.
  EXPECT_EQ(load.missing.back(),
            (ConfigurationKey{"Zone3 Volume Memory 6 Multi Zone", "Zone3 Volume"}));
}

TEST(ConfigurationLoad, AnUnreadableValueIsNamedAndLeavesItsParameter) {
  LoadFixture f;
  std::string text = f.Save();
  const std::string line = "Main Volume=-40.0dB\r\n";
  const size_t at = text.find(line);
  ASSERT_NE(at, std::string::npos);
  text.replace(at, line.size(), "Main Volume=banana\r\n");
  // A key left empty counts as missing, as it loads nothing.
  const size_t phase = text.find("SW Phase=Normal\r\n");
  ASSERT_NE(phase, std::string::npos);
  text.replace(phase, 17, "SW Phase=\r\n");
  LoadFixture g;
  StoreParameter(g.link().Image(0), 6, -300);
  const ConfigurationLoad load = g.Load(text);
  EXPECT_EQ(load.unreadable, (std::vector<ConfigurationKey>{{"Basic Control", "Main Volume"}}));
  EXPECT_EQ(load.missing, (std::vector<ConfigurationKey>{{"Speaker Set", "SW Phase"}}));
  EXPECT_EQ(load.Summary(), "1 key missing, 1 unreadable");
  EXPECT_EQ(ReadParameter(g.link().Image(0), 6), -300) << "not replaced by the factory value";
}

TEST(ConfigurationLoad, TheTunersCurrentFrequencyComesBackFromTheFileText) {
  LoadFixture f(2);
  StoreText(f.link().Image(0), 435, "090.10");
  const std::string text = f.Save();
  // Its key is the word and a blank; the file holds it as written.
  ASSERT_NE(text.find("\r\nCurrent =FM 90.1MHz\r\n"), std::string::npos);
  LoadFixture g(2);
  ASSERT_NE(ReadText(g.link().Image(0), 435), "090.10");
  EXPECT_TRUE(g.Load(text).Complete());
  EXPECT_EQ(ReadText(g.link().Image(0), 435), "090.10");
}

TEST(ConfigurationLoad, TheSummarySaysHowManyOfEach) {
  ConfigurationLoad load;
  load.missing.assign(412, {"A", "B"});
  load.unreadable.assign(1, {"C", "D"});
  EXPECT_EQ(load.Summary(), "412 keys missing, 1 unreadable");
  load.missing.clear();
  load.unreadable.assign(2, {"C", "D"});
  EXPECT_EQ(load.Summary(), "2 keys unreadable");
}

}  // namespace
}  // namespace qamp
