// A parameter changed through its page's user action, and what a person
// typed read as exactly a text the page writes.
#include "pages/user_change.h"

#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/parameter_store.h"
#include "pages/advanced_setup_page.h"
#include "session/command_capture.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

using testing::Frames;

// Answers questions as told and keeps them.
class AnsweringHost : public QuietPageHost {
 public:
  bool AskOkCancel(std::string_view text, std::string_view /*title*/) override {
    questions.emplace_back(text);
    return answer;
  }
  bool answer = true;
  std::vector<std::string> questions;
};

struct UserChangeFixture {
  explicit UserChangeFixture(ControlMode mode, int region = 1)
      : capture(mode, region), pages(capture.Link(), host, &frequencies) {
    pages.FirstLayout();
    pages.RefreshAll();
  }
  CPageSet::Parameter Find(std::string_view section, std::string_view key) {
    const auto parameter = pages.FindParameter(section, key, image());
    EXPECT_TRUE(parameter.has_value()) << section << " / " << key;
    if (parameter) parameter->page->SetActive(true);
    return parameter.value_or(CPageSet::Parameter{});
  }
  UserChangeResult Change(std::string_view section, std::string_view key, std::string_view value) {
    capture.Clear();
    return ApplyUserChange(capture.Link(), pages, Find(section, key), value, &frequencies);
  }
  std::string Text(std::string_view section, std::string_view key) {
    const CPageSet::Parameter parameter = Find(section, key);
    std::string value;
    parameter.page->GetParamText(image(), parameter.id, parameter.subIndex, nullptr, nullptr,
                                 &value, false);
    return value;
  }
  Frames Written() const {
    Frames shown;
    for (const std::string& frame : capture.Frames()) shown.push_back(ShowFrame(frame));
    return shown;
  }
  CSettingImage& image() { return capture.Link().CurrentImage(); }

  CommandCapture capture;
  AnsweringHost host;
  ChangeFrequencyChooser frequencies;
  CPageSet pages;
};

TEST(UserChange, ARadioChoiceForcesWhatItsPageForces) {
  UserChangeFixture f(ControlMode::kRealTime);
  ASSERT_EQ(f.Text("Speaker Set", "Surround Back"), "Small x 2");
  const UserChangeResult result = f.Change("Speaker Set", "Surround", "None");
  EXPECT_EQ(result.outcome, UserChangeOutcome::kApplied) << result.reason;
  EXPECT_EQ(result.value, "None");
  EXPECT_EQ(f.Text("Speaker Set", "Surround Back"), "None")
      << "no surround back speakers without surround speakers";
  EXPECT_EQ(f.Written(), (Frames{"<STX>27202<ETX>"}));
  // And with the surround speakers gone, the surround back choice is closed.
  const UserChangeResult back = f.Change("Speaker Set", "Surround Back", "Large x 1");
  EXPECT_EQ(back.outcome, UserChangeOutcome::kRefused);
  EXPECT_EQ(back.value, "None");
  EXPECT_NE(back.reason.find("Speaker Set / Surround Back"), std::string::npos) << back.reason;
  EXPECT_TRUE(f.Written().empty());
}

TEST(UserChange, TheZoneAmplifierInterlockRefusesASetTheOtherZoneUses) {
  UserChangeFixture f(ControlMode::kRealTime);
  ASSERT_EQ(f.Change("Multi Zone", "Zone3 Amplifier", "INT:Speaker[1]").outcome,
            UserChangeOutcome::kApplied);
  const UserChangeResult refused = f.Change("Multi Zone", "Zone2 Amplifier", "INT:Both");
  EXPECT_EQ(refused.outcome, UserChangeOutcome::kRefused);
  EXPECT_EQ(refused.value, "External");
  EXPECT_NE(refused.reason.find("stays External"), std::string::npos) << refused.reason;
  // The page sends what it kept, as a click does.
  EXPECT_EQ(f.Written(), (Frames{"<STX>23E00<ETX>"}));
  const UserChangeResult other = f.Change("Multi Zone", "Zone2 Amplifier", "INT:Speaker[2]");
  EXPECT_EQ(other.outcome, UserChangeOutcome::kApplied);
  EXPECT_EQ(f.Written(), (Frames{"<STX>23E02<ETX>"}));
}

TEST(UserChange, AConfirmationIsAskedAndCancelKeepsTheChoice) {
  UserChangeFixture f(ControlMode::kRealTime);
  f.host.answer = false;
  const UserChangeResult cancelled = f.Change("Advanced Setup", "Initialize", "ALL");
  ASSERT_EQ(f.host.questions.size(), 1U);
  EXPECT_TRUE(f.host.questions[0].starts_with("All the parameters of this unit will be reset"));
  EXPECT_EQ(cancelled.outcome, UserChangeOutcome::kRefused);
  EXPECT_EQ(cancelled.value, "Cancel");
  EXPECT_EQ(f.Written(), (Frames{"<STX>2B700<ETX>"})) << "the choice before stands, sent again";

  f.host.answer = true;
  const UserChangeResult agreed = f.Change("Advanced Setup", "Initialize", "ALL");
  EXPECT_EQ(agreed.outcome, UserChangeOutcome::kApplied);
  EXPECT_EQ(f.Written(), (Frames{"<STX>2B701<ETX>"}));
  EXPECT_EQ(f.host.questions.size(), 2U);
}

TEST(UserChange, InitializeHasNoUserActionInAsyncMode) {
  UserChangeFixture f(ControlMode::kAsync);
  const UserChangeResult result = f.Change("Advanced Setup", "Initialize", "ALL");
  EXPECT_EQ(result.outcome, UserChangeOutcome::kRefused);
  EXPECT_EQ(result.value, "Cancel");
  EXPECT_TRUE(f.host.questions.empty());
}

std::string BandCommand(std::string_view body) {
  return testing::ExtendedFrame(body);
}

TEST(UserChange, AParametricEqQOrGainChangeSendsItsBandCommand) {
  UserChangeFixture f(ControlMode::kRealTime);
  // Front L (channel code 2), band 1 ("0"): frequency 62.5Hz (0c), gain 0.0
  // (28), and Q "2.0" (index 6).
  UserChangeResult result = f.Change("Parametric EQ", "(Front L) Band 1 Q", "2.0");
  EXPECT_EQ(result.outcome, UserChangeOutcome::kApplied) << result.reason;
  EXPECT_EQ(f.Written(), (Frames{BandCommand("200B0341200c286")}));
  // Surround R (5), band 6 ("5"): frequency 6349.6Hz (index 20: 34), gain
  // -3.0 dB ((-30 + 200) / 5 = 34: 22), Q 1.000 (3).
  result = f.Change("Parametric EQ", "(Surround R) Band 6 Gain", "-3.0dB");
  EXPECT_EQ(result.outcome, UserChangeOutcome::kApplied) << result.reason;
  EXPECT_EQ(f.Written(), (Frames{BandCommand("200B03415534223")}));
  EXPECT_EQ(f.Text("Parametric EQ", "(Front L) Band 6 Gain"), "0.0dB") << "another channel";
}

TEST(UserChange, InputDspInRealTimeModeWorksOnlyForTheCurrentInput) {
  UserChangeFixture f(ControlMode::kRealTime);
  ASSERT_EQ(f.Text("Basic Control", "Input"), "DVD");
  const UserChangeResult other = f.Change("Input DSP", "CD", "Straight");
  EXPECT_EQ(other.outcome, UserChangeOutcome::kNoUserAction);
  EXPECT_NE(other.reason.find("Basic Control / Input"), std::string::npos) << other.reason;
  EXPECT_TRUE(f.Written().empty());

  const UserChangeResult current = f.Change("Input DSP", "DVD", "Straight");
  EXPECT_EQ(current.outcome, UserChangeOutcome::kApplied) << current.reason;
  EXPECT_EQ(f.Text("Basic Control", "DSP Program"), "Straight");
  EXPECT_EQ(f.Written().size(), 1U) << "the control panel's program select";
}

TEST(UserChange, InputDspInAsyncModeChoosesTheInputsRow) {
  UserChangeFixture f(ControlMode::kAsync);
  const UserChangeResult result = f.Change("Input DSP", "CD", "7ch Enhancer");
  EXPECT_EQ(result.outcome, UserChangeOutcome::kApplied) << result.reason;
  EXPECT_EQ(f.Text("Input DSP", "CD"), "7ch Enhancer");
  EXPECT_EQ(f.Change("Input DSP", "CD", "Straight").outcome, UserChangeOutcome::kApplied);
  EXPECT_EQ(f.Text("Input DSP", "CD"), "Straight");
  EXPECT_TRUE(f.Written().empty());
}

TEST(UserChange, ANameIsTypedAndEntered) {
  UserChangeFixture f(ControlMode::kRealTime);
  const UserChangeResult result = f.Change("Input Rename", "PHONO", "MY AMP");
  EXPECT_EQ(result.outcome, UserChangeOutcome::kApplied) << result.reason;
  EXPECT_EQ(result.value, "\"MY AMP   \"");
  EXPECT_EQ(f.Written(), (Frames{testing::ExtendedFrame("201201110"
                                                        "00"
                                                        "09"
                                                        "MY AMP   ")}));
}

TEST(UserChange, ATextThatIsNoValueChangesNothing) {
  UserChangeFixture f(ControlMode::kRealTime);
  const UserChangeResult result = f.Change("Speaker Set", "Front", "Huge");
  EXPECT_EQ(result.outcome, UserChangeOutcome::kNotAValue);
  EXPECT_TRUE(f.Written().empty());
}

TEST(UserChange, ThePanelsVolumeMovesAndReleasesItsSlider) {
  UserChangeFixture f(ControlMode::kRealTime);
  const UserChangeResult result = f.Change("Basic Control", "Main Volume", "-20.0dB");
  EXPECT_EQ(result.outcome, UserChangeOutcome::kApplied) << result.reason;
  // -200 / 5 + 199 = 159.
  EXPECT_EQ(f.Written(), (Frames{"<STX>2309F<ETX>"}));
}

TEST(UserChange, ListPagesSelectTheRowThenEnterTheValue) {
  UserChangeFixture f(ControlMode::kAsync, 1);
  struct Case {
    std::string section, key, value;
  };
  const Case cases[] = {
      {"Tuner Set", "PageB Preset3", "FM 90.1MHz"},
      {"Tuner Set", "PageE Preset8", "AM 1610kHz"},
      {"XM Set", "PageC No.4", "57"},
      {"I/O Assign", "(1) Coaxial IN 1", "DVD"},
      {"DSP Parameters Sci-Fi", "(P.)Init. Delay", "20ms"},
      {"DSP Parameters Sci-Fi", "Dialogue Lift", "2"},  // a row stepped with Up
  };
  const std::string neighbour = f.Text("Tuner Set", "PageB Preset2");
  for (const Case& c : cases) {
    const UserChangeResult result = f.Change(c.section, c.key, c.value);
    EXPECT_EQ(result.outcome, UserChangeOutcome::kApplied) << c.key << ": " << result.reason;
    EXPECT_EQ(f.Text(c.section, c.key), c.value);
  }
  // The neighbours stay.
  EXPECT_EQ(f.Text("Tuner Set", "PageB Preset2"), neighbour);
  EXPECT_EQ(f.Text("XM Set", "PageC No.3"), "1");
}

TEST(UserChange, AFrequencyTheRegionDoesNotTuneIsRefused) {
  UserChangeFixture f(ControlMode::kAsync, 1);
  const std::string before = f.Text("Tuner Set", "PageA Preset1");
  // Region 1 tunes FM in steps of 0.2 MHz from 87.9 MHz.
  const UserChangeResult result = f.Change("Tuner Set", "PageA Preset1", "FM 76.0MHz");
  EXPECT_NE(result.outcome, UserChangeOutcome::kApplied);
  EXPECT_EQ(f.Text("Tuner Set", "PageA Preset1"), before);
}

TEST(UserChange, DspParametersInRealTimeModeBelongToTheProgramPlaying) {
  UserChangeFixture f(ControlMode::kRealTime, 1);
  ASSERT_EQ(f.Change("Basic Control", "DSP Program", "Sci-Fi").outcome,
            UserChangeOutcome::kApplied);
  const UserChangeResult shown = f.Change("DSP Parameters Sci-Fi", "(P.)Init. Delay", "20ms");
  EXPECT_EQ(shown.outcome, UserChangeOutcome::kApplied) << shown.reason;
  EXPECT_EQ(f.Written().size(), 1U);
  const UserChangeResult other = f.Change("DSP Parameters 7ch Stereo", "SL LEVEL", "90%");
  EXPECT_EQ(other.outcome, UserChangeOutcome::kNoUserAction);
  EXPECT_NE(other.reason.find("choose 7ch Stereo first"), std::string::npos) << other.reason;
  EXPECT_TRUE(f.Written().empty());
}

TEST(TypedValue, MustBeATextThePageWrites) {
  UserChangeFixture f(ControlMode::kRealTime);
  struct Case {
    std::string section, key, typed;
    bool exact;
    std::string meaning, suggestion;
  };
  const Case cases[] = {
      {"Basic Control", "Main Volume", "10dB", false, "1.0dB", "10.0dB"},
      {"Basic Control", "Main Volume", "-20dB", false, "-2.0dB", "-20.0dB"},
      {"Basic Control", "Main Volume", "  -20.0dB ", true, "-20.0dB", ""},
      {"Basic Control", "Main Volume", "16.5dB", true, "16.5dB", ""},
      {"Basic Control", "Main Volume", "17.0dB", false, "", "16.5dB"},
      {"Speaker Level", "FL", "3.3dB", false, "", "3.5dB"},
      {"Speaker Set", "Front", "large", false, "", "Large"},
      {"Input Rename", "PHONO", "MY AMP", true, "\"MY AMP   \"", ""},
      {"Input Rename", "PHONO", "TURNTABLE 2", false, "\"TURNTABLE\"", "TURNTABLE"},
  };
  for (const Case& c : cases) {
    const TypedValue check = CheckTypedValue(f.capture.Link(), f.Find(c.section, c.key), c.typed);
    EXPECT_EQ(check.exact, c.exact) << c.key << " " << c.typed;
    EXPECT_EQ(check.meaning, c.meaning) << c.key << " " << c.typed;
    EXPECT_EQ(check.suggestion, c.suggestion) << c.key << " " << c.typed;
    EXPECT_TRUE(check.problem.empty());
  }
  const TypedValue accented =
      CheckTypedValue(f.capture.Link(), f.Find("Input Rename", "CD"), "Caf\xC3\xA9");
  EXPECT_FALSE(accented.exact);
  EXPECT_FALSE(accented.problem.empty());
}

}  // namespace
}  // namespace qamp
