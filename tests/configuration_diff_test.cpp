// Comparing two configurations: which sections count, what a file lacked,
// the order of the list, and equal configurations that were reached in
// different ways. qampctl diff's own output is tested with the commands.
#include <gtest/gtest.h>

#include "document/configuration_diff.h"
#include "model/parameter_store.h"
#include "session/command_capture.h"

namespace qamp {

// What a failing comparison prints of a row.
void PrintTo(const Difference& d, std::ostream* out) {
  *out << "{" << d.section << " / " << d.key << ": " << d.a << " | " << d.b << "}";
}

namespace {

// A configuration without a receiver: an application object over a port
// that writes nowhere.
class Offline {
 public:
  Offline() : app_(transport_, session_, pages_, ControlMode::kAsync, 1) {}
  CQAmpToolApp& App() { return app_; }
  // The text with the value of `key` in `section` replaced.
  static std::string Replaced(const std::string& text, const std::string& section,
                              const std::string& key, const std::string& value) {
    const std::string lines = "\n" + text;
    const size_t at = lines.find("\n[" + section + "]\r\n");
    EXPECT_NE(at, std::string::npos) << section;
    const size_t line = lines.find("\n" + key + "=", at + 1);
    EXPECT_NE(line, std::string::npos) << key;
    const size_t end = lines.find('\r', line + 1);
    return lines.substr(1, line) + key + "=" + value + lines.substr(end);
  }
  // Loads `text`; what it lacked into `load`.
  void Load(const std::string& text, ConfigurationLoad* load = nullptr) {
    std::string why;
    ASSERT_TRUE(app_.LoadConfigurationText(text, &why, load)) << why;
  }

 private:
  CaptureTransport transport_;
  OfflineSessionHost session_;
  QuietPageHost pages_;
  CQAmpToolApp app_;
};

bool Everything(std::string_view) {
  return true;
}

TEST(ConfigurationDiff, EqualConfigurationsListNothingHoweverTheyWereReached) {
  Offline a;
  Offline b;
  EXPECT_TRUE(Differences(a.App(), nullptr, b.App(), nullptr, Everything).empty());
  // A value set in the image, and the same value read from a file.
  StoreParameter(a.App().Link().Image(0), 261, 35);  // Speaker Level CT, 3.5 dB
  const std::string text = a.App().SaveConfigurationText();
  b.Load(Offline::Replaced(b.App().SaveConfigurationText(), "Speaker Level", "CT", "3.5dB"));
  EXPECT_TRUE(Differences(a.App(), nullptr, b.App(), nullptr, Everything).empty());
  // A side compared with itself, and two complete loads of one file.
  EXPECT_TRUE(Differences(a.App(), nullptr, a.App(), nullptr, Everything).empty());
  ConfigurationLoad whole;
  b.Load(text, &whole);
  ASSERT_TRUE(whole.Complete());
  EXPECT_TRUE(Differences(a.App(), &whole, b.App(), &whole, Everything).empty());
}

TEST(ConfigurationDiff, TheStateKeptOfAReceiverIsNoSettingAndIsNotCompared) {
  Offline a;
  Offline b;
  ReceiverState state;
  state.images[0] = a.App().Link().Image(0);
  state.report =
      "\x02"
      "some report\x03";
  a.App().Session().SetKnownState(state);
  ASSERT_NE(a.App().SaveConfigurationText(), b.App().SaveConfigurationText());
  EXPECT_TRUE(Differences(a.App(), nullptr, b.App(), nullptr, Everything).empty());
}

TEST(ConfigurationDiff, EachDifferenceIsListedOnceInTheOrderOfTheFirstFile) {
  Offline a;
  Offline b;
  std::string text = a.App().SaveConfigurationText();
  // Changed in the opposite order of the file: the level after the volume.
  text = Offline::Replaced(text, "Speaker Level", "SW", "-2.5dB");
  text = Offline::Replaced(text, "Speaker Level", "FL", "10.0dB");
  text = Offline::Replaced(text, "Basic Control", "Main Volume", "-30.5dB");
  b.Load(text);
  const std::vector<Difference> expected = {
      {"Basic Control", "Main Volume", "-40.0dB", "-30.5dB"},
      {"Speaker Level", "FL", "0.0dB", "10.0dB"},
      {"Speaker Level", "SW", "0.0dB", "-2.5dB"},
  };
  EXPECT_EQ(Differences(a.App(), nullptr, b.App(), nullptr, Everything), expected);
  // The other way round, a and b change places in every row.
  const std::vector<Difference> reversed = {
      {"Basic Control", "Main Volume", "-30.5dB", "-40.0dB"},
      {"Speaker Level", "FL", "10.0dB", "0.0dB"},
      {"Speaker Level", "SW", "-2.5dB", "0.0dB"},
  };
  EXPECT_EQ(Differences(b.App(), nullptr, a.App(), nullptr, Everything), reversed);
}

TEST(ConfigurationDiff, TheSectionsComparedAreThoseTheReadFills) {
  Offline a;
  Offline b;
  std::string text = a.App().SaveConfigurationText();
  text = Offline::Replaced(text, "User Memo", "User Memo", "living room");
  text = Offline::Replaced(text, "Speaker Level", "CT", "1.0dB");
  text = Offline::Replaced(text, "Input DSP", "CD", "Chamber");
  text = Offline::Replaced(text, "System Memory 2 Speaker Level", "FR", "-0.5dB");
  text = Offline::Replaced(text, "Volume Memory 3 Basic Control", "Main Volume", "-20.0dB");
  b.Load(text);
  const Difference memo{"User Memo", "User Memo", "", "living room"};
  // The values qamptool starts with: CT at -1.0 dB, CD with The Roxy
  // Theatre, every volume at -40.0 dB.
  const Difference level{"Speaker Level", "CT", "-1.0dB", "1.0dB"};
  const Difference inputDsp{"Input DSP", "CD", "The Roxy Theatre", "Chamber"};
  const Difference memory{"System Memory 2 Speaker Level", "FR", "0.0dB", "-0.5dB"};
  const Difference volume{"Volume Memory 3 Basic Control", "Main Volume", "-40.0dB", "-20.0dB"};
  // Everything, in the order of the file.
  EXPECT_EQ(Differences(a.App(), nullptr, b.App(), nullptr, Everything),
            (std::vector<Difference>{memo, inputDsp, level, memory, volume}));
  // A connection's load reads the current setting, Input DSP aside.
  EXPECT_EQ(Differences(a.App(), nullptr, b.App(), nullptr,
                        SectionsReadBy(ReceiverRead::kCurrentSetting)),
            std::vector<Difference>{level});
  // An Upload reads everything but the memo.
  EXPECT_EQ(Differences(a.App(), nullptr, b.App(), nullptr, SectionsReadBy(ReceiverRead::kUpload)),
            (std::vector<Difference>{inputDsp, level, memory, volume}));
}

TEST(ConfigurationDiff, SectionsOfTheCurrentSettingAreKnownByTheirNames) {
  const struct {
    const char* section;
    bool current;
  } cases[] = {
      {"Basic Control", true},
      {"Speaker Level", true},
      {"DSP Parameters Hall in Munich", true},
      {"System Memory", false},  // which memories hold data
      {"System Memory 1 Speaker Level", false},
      {"Volume Memory 6 Basic Control", false},
      {"Zone2 Volume Memory 1 Multi Zone", false},
      {"User Memo", false},
      {"user memo", false},
      {"Input DSP", false},
      {"INPUT DSP", false},
      {"Input Rename", true},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(IsCurrentSetting(test.section), test.current) << test.section;
    EXPECT_EQ(SectionsReadBy(ReceiverRead::kCurrentSetting)(test.section), test.current)
        << test.section;
  }
  EXPECT_FALSE(SectionsReadBy(ReceiverRead::kUpload)("User Memo"));
  EXPECT_FALSE(SectionsReadBy(ReceiverRead::kUpload)("USER MEMO"));
  EXPECT_TRUE(SectionsReadBy(ReceiverRead::kUpload)("Input DSP"));
  EXPECT_TRUE(SectionsReadBy(ReceiverRead::kUpload)("System Memory 4 Volume"));
}

TEST(ConfigurationDiff, AValueAFileLackedIsNamedAndIsNoValue) {
  Offline a;
  Offline b;
  std::string text = a.App().SaveConfigurationText();
  // One key gone, one value no page reads.
  const size_t fr = text.find("\r\nFR=", text.find("[Speaker Level]"));
  ASSERT_NE(fr, std::string::npos);
  text.erase(fr, text.find('\r', fr + 2) - fr);
  text = Offline::Replaced(text, "Speaker Level", "CT", "loud");
  ConfigurationLoad lacks;
  b.Load(text, &lacks);
  ASSERT_FALSE(lacks.Complete());
  // The values b kept are a's own, but a file that lacked them is not equal.
  const std::vector<Difference> expected = {
      {"Speaker Level", "FR", "0.0dB", "(missing)"},
      {"Speaker Level", "CT", "-1.0dB", "(unreadable)"},
  };
  EXPECT_EQ(Differences(a.App(), nullptr, b.App(), &lacks, IsCurrentSetting), expected);
  EXPECT_EQ(Differences(b.App(), &lacks, a.App(), nullptr, IsCurrentSetting),
            (std::vector<Difference>{{"Speaker Level", "FR", "(missing)", "0.0dB"},
                                     {"Speaker Level", "CT", "(unreadable)", "-1.0dB"}}));
  // Two files that lack the same keys agree on them.
  EXPECT_TRUE(Differences(b.App(), &lacks, b.App(), &lacks, IsCurrentSetting).empty());
  // Nothing lacked, nothing named.
  const ConfigurationLoad none;
  EXPECT_TRUE(Differences(a.App(), &none, b.App(), &none, IsCurrentSetting).empty());
}

TEST(ConfigurationDiff, LackingKeysAreMatchedAsFilesMatchThem) {
  ConfigurationLoad load;
  load.missing = {{"Speaker Level", "FR"}, {"Input Rename", "CD   "}};
  load.unreadable = {{"Volume", "Max Volume"}};
  EXPECT_EQ(LackingValueText(&load, "Speaker Level", "FR"), "(missing)");
  EXPECT_EQ(LackingValueText(&load, "speaker level", "fr"), "(missing)");
  // Blanks after a key are no part of it.
  EXPECT_EQ(LackingValueText(&load, "Input Rename", "CD"), "(missing)");
  EXPECT_EQ(LackingValueText(&load, "Volume", "Max Volume"), "(unreadable)");
  // A key is not a prefix of a longer one, nor in another section.
  EXPECT_EQ(LackingValueText(&load, "Speaker Level", "F"), "");
  EXPECT_EQ(LackingValueText(&load, "Speaker Level", "FRX"), "");
  EXPECT_EQ(LackingValueText(&load, "Input Rename", "CD-R"), "");
  EXPECT_EQ(LackingValueText(&load, "System Memory 1 Speaker Level", "FR"), "");
  EXPECT_EQ(LackingValueText(&load, "Volume", "Max"), "");
  EXPECT_EQ(LackingValueText(nullptr, "Speaker Level", "FR"), "");
}

TEST(ConfigurationDiff, UnansweredReadsAreCounted) {
  EXPECT_EQ(UnansweredReadsText(1),
            "the receiver did not answer 1 read(s); their values are not the receiver's");
  EXPECT_EQ(UnansweredReadsText(12),
            "the receiver did not answer 12 read(s); their values are not the receiver's");
}

}  // namespace
}  // namespace qamp
