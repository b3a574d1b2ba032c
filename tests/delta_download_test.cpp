// Downloads that send only what differs from what the receiver is known to
// hold, and Downloads of chosen parts, against the simulated receiver in
// virtual time. The reference for every delta Download is a whole Download
// of the same file into a receiver that held the same: both must leave
// the receiver exactly alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "link/memory_commands.h"
#include "link/receiver_state.h"
#include "link/wire_format.h"
#include "model/ini_file.h"
#include "model/parameter_store.h"
#include "model/system_memory_content.h"
#include "pages/user_change.h"
#include "support/app_harness.h"
#include "support/realistic_state.h"
#include "support/receiver_content.h"

namespace qamp {
namespace {

using testing::AppHarness;
using testing::ContentOf;
using testing::RealisticReceiverOptions;
using testing::ReceiverContent;
using testing::SetContent;
using testing::WordsThatDiffer;

// Sets one value as a file would give it.
void Change(AppHarness& h, int slot, std::string_view section, std::string_view key,
            std::string_view value) {
  CSettingImage& image = h.link().Image(slot);
  const auto parameter = h.app.Pages().FindParameter(section, key, image);
  ASSERT_TRUE(parameter) << section << " / " << key;
  ASSERT_TRUE(parameter->page->SetParamFromText(image, parameter->id, parameter->subIndex, value))
      << value;
  std::string now;
  parameter->page->GetParamText(image, parameter->id, parameter->subIndex, nullptr, nullptr, &now,
                                false);
  ASSERT_EQ(now, value) << section << " / " << key;
  ASSERT_NE(image, h.app.Session().KnownState()->images[static_cast<size_t>(slot)]);
}

bool Completes(AppHarness& h) {
  const auto outcome = h.RunUntilOutcome();
  return outcome && outcome->outcome == OperationOutcome::kTransferDone;
}

// Starts a Download of what differs and runs it until its read-back
// begins.
void RunUntilTheReadBack(AppHarness& h) {
  h.app.Session().StartDownload(h.app.PlanDownload());
  h.clock.RunUntil([&] { return h.app.Session().IsVerifying(); }, 600000);
  ASSERT_TRUE(h.app.Session().IsVerifying());
}

// What an Upload of a receiver holding `content` reads: everything the
// program can tell of a receiver, without the receiver's state.
std::string ReadBack(const ReceiverContent& content) {
  sim::SimOptions options;
  AppHarness reader(options);
  SetContent(reader.receiver, content);
  reader.app.Session().StartUpload();
  EXPECT_TRUE(Completes(reader));
  reader.app.Session().SetKnownState(std::nullopt);
  return reader.app.SaveConfigurationText();
}

// The receiver's own setting as a transfer must leave it, without the zone
// power switches (which the wake-up frames of every connection switch on)
// and the Input DSP records (which follow the input selections).
CSettingImage SettingOf(const ReceiverContent& content) {
  CSettingImage state = content.state;
  for (int word = 9; word <= 11; ++word) state[word] = 0;
  for (int word = 231; word <= 256; ++word) state[word] = 0;
  // The TRIGGER OUT switches the page derives from one another, which the
  // read-back compares as the page shows them.
  for (int word = 300; word <= 390; ++word) state[word] = 0;
  return state;
}

// Two receivers hold the same: their own settings word for word, and
// everything an Upload reads of them (the memories' values; the memories
// also keep words of the setting they were stored from, which tell
// nothing).
void ExpectSameReceiver(const ReceiverContent& expected, const ReceiverContent& actual) {
  EXPECT_EQ(ReadBack(expected), ReadBack(actual));
  EXPECT_EQ(SettingOf(expected), SettingOf(actual)) << WordsThatDiffer(expected, actual);
}

// An Upload of a receiver with realistic settings and memories, each of
// which holds data.
struct Uploaded {
  explicit Uploaded(unsigned seed = 7,
                    const std::function<void(sim::CSimulatedReceiver&)>& prepare = {})
      : h(RealisticReceiverOptions(seed)) {
    for (int n = 1; n <= 6; ++n) h.receiver.SetMemoryHasData(n, true);
    if (prepare) prepare(h.receiver);
    h.app.Session().StartUpload();
    EXPECT_TRUE(Completes(h));
    start = ContentOf(h.receiver);
    file = h.app.SaveConfigurationText();
  }
  // The frames the receiver was sent by the next transfer.
  std::vector<std::string> FramesOf(const std::function<void()>& transfer) {
    const size_t before = h.receiver.ReceivedFrames().size();
    transfer();
    const auto& all = h.receiver.ReceivedFrames();
    return {all.begin() + static_cast<long>(before), all.end()};
  }
  AppHarness h;
  ReceiverContent start;
  std::string file;
};

// What a whole Download of the program's configuration leaves in a
// receiver that held `start`.
ReceiverContent WholeDownloadOf(const std::string& file, const ReceiverContent& start) {
  AppHarness other;
  SetContent(other.receiver, start);
  EXPECT_TRUE(other.app.LoadConfigurationText(file));
  other.app.Session().StartDownload(other.app.PlanDownload(true));
  EXPECT_TRUE(Completes(other));
  return ContentOf(other.receiver);
}

TEST(DeltaDownload, AnUploadMakesTheReceiverKnownAndItsReportAgrees) {
  Uploaded u;
  const auto& known = u.h.app.Session().KnownState();
  ASSERT_TRUE(known);
  EXPECT_EQ(known->source, ReceiverState::Source::kUpload);
  EXPECT_TRUE(IsConfigurationReport(known->report));
  // The Upload gives the receiver its own setting back: the report it sends
  // at the next connection tells what the program holds.
  EXPECT_TRUE(ReportAgrees(known->report, u.h.link().Image(0)));
  EXPECT_EQ(known->images[0], u.h.link().Image(0));
  const DownloadPlan plan = u.h.app.PlanDownload();
  EXPECT_EQ(plan.kind, DownloadPlan::Kind::kDelta);
  EXPECT_TRUE(plan.parts.empty()) << plan.parts.front();
}

TEST(DeltaDownload, OneSpeakerLevelSendsOnlyItsPageAndLeavesTheReceiverAsAWholeDownloadWould) {
  Uploaded u;
  Change(u.h, 0, "Speaker Level", "CT", "2.5dB");
  const DownloadPlan plan = u.h.app.PlanDownload();
  ASSERT_EQ(plan.kind, DownloadPlan::Kind::kDelta);
  // The receiver played with Pure Direct on, which every Download first
  // switches off: the basic controls put it back.
  EXPECT_EQ(plan.parts, (std::vector<std::string>{"Speaker Level", "Basic Control"}));
  EXPECT_EQ(plan.commands, 17);
  EXPECT_GT(plan.wholeCommands, 1000);
  const std::string file = u.h.app.SaveConfigurationText();
  const std::vector<std::string> frames = u.FramesOf([&] {
    u.h.app.Session().StartDownload(plan);
    EXPECT_TRUE(Completes(u.h));
  });
  // The connection, Pure Direct off, the model flags and the zone commands,
  // then the ten levels of the page, and Pure Direct put back; then the
  // read-back connection.
  ASSERT_GE(frames.size(), 22u);
  const std::vector<std::string> sent(frames.begin() + 5, frames.begin() + 21);
  EXPECT_EQ(sent, (std::vector<std::string>{"\x02"
                                            "07E82\x03",
                                            "\x14"
                                            "200500000B7\x03",
                                            "\x14"
                                            "200500007BE\x03",
                                            "\x14"
                                            "20050000AC8\x03",
                                            "\x02"
                                            "07EBA\x03",
                                            "\x02"
                                            "07AED\x03",
                                            "\x02"
                                            "2492a\x03",
                                            "\x02"
                                            "2452b\x03",
                                            "\x02"
                                            "24615\x03",
                                            "\x02"
                                            "24735\x03",
                                            "\x02"
                                            "2482f\x03",
                                            "\x02"
                                            "24335\x03",
                                            "\x02"
                                            "2441f\x03",
                                            "\x02"
                                            "2422d\x03",
                                            "\x02"
                                            "24129\x03",
                                            "\x02"
                                            "2401d\x03"}));
  EXPECT_EQ(frames[21],
            "\x02"
            "07E80\x03");
  // The read-back read the ten levels (and what the report carries) and
  // found them all.
  EXPECT_TRUE(u.h.app.Session().Mismatches().empty());
  EXPECT_GE(u.h.app.Session().ValuesVerified(), 11);
  EXPECT_EQ(u.h.app.Session().KnownState()->source, ReceiverState::Source::kVerifiedDownload);
  EXPECT_EQ(u.h.link().Image(0), u.h.app.Session().KnownState()->images[0]);
  ExpectSameReceiver(WholeDownloadOf(file, u.start), ContentOf(u.h.receiver));
}

TEST(DeltaDownload, NothingChangedSendsNothingAfterTheConnection) {
  Uploaded u;
  const DownloadPlan plan = u.h.app.PlanDownload();
  ASSERT_TRUE(plan.SendsNothing());
  const std::vector<std::string> frames = u.FramesOf([&] {
    u.h.app.Session().StartDownload(plan);
    const auto outcome = u.h.RunUntilOutcome();
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->outcome, OperationOutcome::kTransferDone);
    EXPECT_EQ(outcome->message, kMessageNothingToSend);
  });
  // The connection's frames alone: the receiver sent its report, which
  // agreed with what the program knows, and nothing followed.
  EXPECT_LE(frames.size(), 5u);
  EXPECT_EQ(std::count(frames.begin(), frames.end(),
                       "\x02"
                       "07E82\x03"),
            0);
  EXPECT_FALSE(u.h.link().IsPortOpen());
  EXPECT_EQ(ContentOf(u.h.receiver), u.start);
  EXPECT_TRUE(u.h.app.Session().KnownState());
}

TEST(DeltaDownload, AMemoryNeitherHoldsStaysEmptyAndOneTheProgramFillsIsStored) {
  AppHarness h(RealisticReceiverOptions(7));
  for (const int n : {2, 4, 6}) h.receiver.SetMemoryHasData(n, false);
  h.app.Session().StartUpload();
  ASSERT_TRUE(Completes(h));
  EXPECT_TRUE(h.app.PlanDownload().SendsNothing());
  h.link().SetDataExists(4, true);
  const DownloadPlan plan = h.app.PlanDownload();
  EXPECT_EQ(plan.memories, (std::array<bool, 7>{false, false, false, false, true, false, false}));
  h.app.Session().StartDownload(plan);
  ASSERT_TRUE(Completes(h));
  EXPECT_TRUE(h.receiver.MemoryHasData(4));
  EXPECT_FALSE(h.receiver.MemoryHasData(2));
  EXPECT_FALSE(h.receiver.MemoryHasData(6));
  // The state now knows memory 4 is held.
  EXPECT_TRUE(h.app.Session().KnownState()->dataExists[4]);
  EXPECT_FALSE(h.app.Session().KnownState()->dataExists[2]);
}

TEST(DeltaDownload, AReceiverChangedBehindTheProgramsBackGetsTheWholeConfiguration) {
  Uploaded u;
  Change(u.h, 0, "Speaker Level", "CT", "2.5dB");
  const DownloadPlan plan = u.h.app.PlanDownload();
  ASSERT_EQ(plan.kind, DownloadPlan::Kind::kDelta);
  // Someone turns the receiver's main volume meanwhile (a value of the
  // configuration report).
  u.h.receiver.State()[6] += 20;
  const ReceiverContent changed = ContentOf(u.h.receiver);
  const std::string file = u.h.app.SaveConfigurationText();
  const std::vector<std::string> frames = u.FramesOf([&] {
    u.h.app.Session().StartDownload(plan);
    EXPECT_TRUE(Completes(u.h));
  });
  ASSERT_EQ(u.h.host.planChanges.size(), 1u);
  EXPECT_EQ(u.h.host.planChanges.front(), kReasonReceiverChanged);
  EXPECT_EQ(u.h.app.Session().Plan().kind, DownloadPlan::Kind::kWhole);
  EXPECT_GT(frames.size(), 1000u);
  ExpectSameReceiver(WholeDownloadOf(file, changed), ContentOf(u.h.receiver));
}

TEST(DeltaDownload, AChangedMemoryIsStoredAndTheCurrentSettingPutBack) {
  Uploaded u;
  Change(u.h, 3, "Speaker Level", "SW", "-9.5dB");
  const DownloadPlan plan = u.h.app.PlanDownload();
  ASSERT_EQ(plan.kind, DownloadPlan::Kind::kDelta);
  ASSERT_FALSE(plan.parts.empty());
  EXPECT_EQ(plan.parts.front(), "System Memory 3");
  EXPECT_TRUE(plan.memories[3]);
  for (const int other : {1, 2, 4, 5, 6}) EXPECT_FALSE(plan.memories[static_cast<size_t>(other)]);
  const std::string file = u.h.app.SaveConfigurationText();
  u.h.app.Session().StartDownload(plan);
  ASSERT_TRUE(Completes(u.h));
  EXPECT_LT(plan.commands, plan.wholeCommands / 2);
  // The memory holds the new level; the receiver's own setting is as before.
  const ReceiverContent after = ContentOf(u.h.receiver);
  EXPECT_EQ(SettingOf(after), SettingOf(u.start)) << WordsThatDiffer(u.start, after);
  EXPECT_NE(after.memories[2], u.start.memories[2]);
  ExpectSameReceiver(WholeDownloadOf(file, u.start), after);
}

// Where the memory differs from the receiver's own setting in much, the
// memory is loaded first and only the changed page goes before the save;
// the volume memory, which did not change, is not saved again. Putting the
// receiver's own setting back afterwards is what costs.
TEST(DeltaDownload, AChangedMemoryIsLoadedChangedAndSavedWithoutItsOtherKinds) {
  Uploaded u;
  Change(u.h, 3, "Speaker Level", "SW", "-9.5dB");
  const DownloadPlan plan = u.h.app.PlanDownload();
  const std::string load3 =
      "\x02"
      "07E37\x03";
  const std::string save3 =
      "\x02"
      "07E2D\x03";
  const std::string file = u.h.app.SaveConfigurationText();
  const std::vector<std::string> frames = u.FramesOf([&] {
    u.h.app.Session().StartDownload(plan);
    EXPECT_TRUE(Completes(u.h));
  });
  // The load is answered by the configuration it loads, and sent once;
  // the read-back loads the memory once more to read it.
  EXPECT_EQ(std::count(frames.begin(), frames.end(), load3), 2);
  const auto load = std::find(frames.begin(), frames.end(), load3);
  ASSERT_NE(load, frames.end());
  const auto save = std::find(load, frames.end(), save3);
  ASSERT_NE(save, frames.end());
  // Between them the ten levels of the page, and nothing else.
  ASSERT_EQ(save - load, 11);
  for (auto frame = load + 1; frame != save; ++frame)
    EXPECT_TRUE(
        frame->starts_with("\x02"
                           "24"))
        << *frame;
  EXPECT_EQ(std::count(load + 1, save,
                       "\x02"
                       "2411d\x03"),
            1)
      << "SW at -9.5dB";
  EXPECT_EQ(*(save + 1),
            "\x02"
            "07E82\x03");
  // Volume, Zone2 Volume and Zone3 Volume memory 3 are not saved.
  for (const std::string other : {"\x02"
                                  "07E6D\x03",
                                  "\x02"
                                  "07E89\x03",
                                  "\x02"
                                  "07E22\x03"})
    EXPECT_EQ(std::count(frames.begin(), frames.end(), other), 0) << other;
  EXPECT_LT(plan.commands, plan.wholeCommands / 3);
  const ReceiverContent after = ContentOf(u.h.receiver);
  EXPECT_EQ(SettingOf(after), SettingOf(u.start)) << WordsThatDiffer(u.start, after);
  ExpectSameReceiver(WholeDownloadOf(file, u.start), after);
}

// A memory stored from the receiver's own setting needs no load: the
// memory's values where they differ (the changed level, and Pure Direct,
// which every Download first switches off), the save, and the receiver's
// own level put back.
TEST(DeltaDownload, AMemoryLikeTheReceiversSettingSendsOneLevelSavesAndPutsItBack) {
  Uploaded u(7, [](sim::CSimulatedReceiver& receiver) {
    CopySystemMemoryContent(receiver.State(), receiver.Memory(3));
  });
  Change(u.h, 3, "Speaker Level", "CT", "2.5dB");
  const DownloadPlan plan = u.h.app.PlanDownload();
  ASSERT_EQ(plan.kind, DownloadPlan::Kind::kDelta);
  EXPECT_EQ(plan.parts,
            (std::vector<std::string>{"System Memory 3", "Speaker Level", "Basic Control"}));
  const std::string file = u.h.app.SaveConfigurationText();
  const std::vector<std::string> frames = u.FramesOf([&] {
    u.h.app.Session().StartDownload(plan);
    EXPECT_TRUE(Completes(u.h));
  });
  // The connection (5), Pure Direct off, the model flags, the zone
  // commands (11 in all), then 24 commands, then the read-back's
  // connection.
  ASSERT_GT(frames.size(), 11u + 24u);
  auto frame = [](const char* text) { return std::string("\x02") + text + "\x03"; };
  const std::vector<std::string> sent(frames.begin() + 11, frames.begin() + 35);
  EXPECT_EQ(sent,
            (std::vector<std::string>{
                // The memory's levels in the order a store sends them, CT at 2.5dB.
                frame("24129"), frame("2401d"), frame("2422d"), frame("2441f"), frame("24335"),
                frame("2482f"), frame("24735"), frame("24615"), frame("2452b"), frame("2492a"),
                frame("07E80"),  // Pure Direct on, as the memory keeps it
                frame("07E2D"),  // System memory 3 saved
                frame("07E82"),  // Pure Direct off again
                // The receiver's own levels in the page's order, CT at 9.5dB.
                frame("2492a"), frame("2452b"), frame("24615"), frame("24735"), frame("2482f"),
                frame("24335"), frame("2441f"), frame("2423b"), frame("24129"), frame("2401d"),
                frame("07E80"),  // the basic controls: Pure Direct back on
            }));
  EXPECT_EQ(frames[35], frames[0]) << "the read-back connects again";
  const ReceiverContent after = ContentOf(u.h.receiver);
  EXPECT_EQ(SettingOf(after), SettingOf(u.start)) << WordsThatDiffer(u.start, after);
  ExpectSameReceiver(WholeDownloadOf(file, u.start), after);
}

// A load replaces more of the receiver's setting than the memory's own
// parameters (the rest of Sound Option): the pages holding what it
// replaced are put back afterwards though the program never changed them.
// The Sound Option words a System memory load copies that hold none of
// the memory's parameters.
constexpr int kUnnamedSoundOptionWords[] = {332, 333, 336, 337, 338, 339,
                                            340, 341, 342, 343, 345, 347};

TEST(DeltaDownload, WhatALoadReplacesBeyondTheMemorysParametersIsPutBack) {
  Uploaded u(7, [](sim::CSimulatedReceiver& receiver) {
    CopySystemMemoryContent(receiver.State(), receiver.Memory(3));
    // Memory 3 differs from the setting in its equalisers (so that loading
    // it is cheaper than sending them) and in Sound Option words no memory
    // parameter names.
    for (int word = 445; word <= 746; ++word) receiver.Memory(3)[word] = receiver.Memory(5)[word];
    for (const int word : kUnnamedSoundOptionWords)
      receiver.Memory(3)[word] = receiver.Memory(5)[word];
  });
  bool soundOptionDiffers = false;
  for (const int word : kUnnamedSoundOptionWords)
    soundOptionDiffers |= u.h.receiver.Memory(3)[word] != u.h.receiver.State()[word];
  ASSERT_TRUE(soundOptionDiffers);
  Change(u.h, 3, "Speaker Level", "CT", "2.5dB");
  const DownloadPlan plan = u.h.app.PlanDownload();
  ASSERT_EQ(plan.kind, DownloadPlan::Kind::kDelta);
  ASSERT_FALSE(plan.memoryCommands[3].empty());
  EXPECT_EQ(plan.memoryCommands[3].front().first, MemoryLoadCommand(MemoryKind::kSystem, 3));
  EXPECT_NE(std::find(plan.parts.begin(), plan.parts.end(), "Sound Option"), plan.parts.end());
  EXPECT_NE(std::find(plan.parts.begin(), plan.parts.end(), "Equalizer"), plan.parts.end());
  const std::string file = u.h.app.SaveConfigurationText();
  u.h.app.Session().StartDownload(plan);
  ASSERT_TRUE(Completes(u.h));
  const ReceiverContent after = ContentOf(u.h.receiver);
  for (const int word : kUnnamedSoundOptionWords)
    EXPECT_EQ(after.state[word], u.start.state[word]) << "word " << word;
  ExpectSameReceiver(WholeDownloadOf(file, u.start), after);
}

TEST(DeltaDownload, PagesWhoseRulesForceOtherValuesStayConsistent) {
  Uploaded u(11);
  ChangeFrequencyChooser frequencies;
  const auto change = [&](std::string_view section, std::string_view key, std::string_view value) {
    const auto parameter = u.h.app.Pages().FindParameter(section, key, u.h.link().Image(0));
    ASSERT_TRUE(parameter);
    const UserChangeResult result =
        ApplyUserChange(u.h.link(), u.h.app.Pages(), *parameter, value, &frequencies);
    ASSERT_EQ(result.outcome, UserChangeOutcome::kApplied) << key << ": " << result.reason;
  };
  change("Speaker Set", "Surround", "None");
  change("Multi Zone", "Zone2 Amplifier", "INT:Speaker[1]");
  // The switch the other way from what the receiver holds.
  std::string cd;
  const auto switchParameter =
      u.h.app.Pages().FindParameter("TRIGGER OUT", "TRIGGER OUT1 CD Main", u.h.link().Image(0));
  ASSERT_TRUE(switchParameter);
  switchParameter->page->GetParamText(u.h.link().Image(0), switchParameter->id,
                                      switchParameter->subIndex, nullptr, nullptr, &cd, false);
  change("TRIGGER OUT", "TRIGGER OUT1 CD Main", cd == "L" ? "H" : "L");
  const DownloadPlan plan = u.h.app.PlanDownload();
  ASSERT_EQ(plan.kind, DownloadPlan::Kind::kDelta);
  for (const std::string page : {"Speaker Set", "Multi Zone", "TRIGGER OUT"}) {
    EXPECT_NE(std::find(plan.parts.begin(), plan.parts.end(), page), plan.parts.end()) << page;
  }
  const std::string file = u.h.app.SaveConfigurationText();
  u.h.app.Session().StartDownload(plan);
  ASSERT_TRUE(Completes(u.h));
  ExpectSameReceiver(WholeDownloadOf(file, u.start), ContentOf(u.h.receiver));
}

// Input DSP and DSP Parameters select each input or program to send what
// belongs to it, which leaves the receiver on the last one: the basic
// controls put its own input and program back.
TEST(DeltaDownload, APageThatSelectsInputsOrProgramsIsFollowedByTheReceiversOwn) {
  struct Case {
    const char* section;
    const char* key;
    const char* value;
    const char* otherValue;
    const char* page;
  };
  for (const Case& c :
       {Case{"DSP Parameters Hall in Vienna", "DSP Level", "-2dB", "-3dB", "DSP Parameters"},
        Case{"Input DSP", "CD", "Standard", "Sci-Fi", "Input DSP"}}) {
    SCOPED_TRACE(c.section);
    Uploaded u;
    CSettingImage& image = u.h.link().Image(0);
    const auto parameter = u.h.app.Pages().FindParameter(c.section, c.key, image);
    ASSERT_TRUE(parameter);
    std::string now;
    parameter->page->GetParamText(image, parameter->id, parameter->subIndex, nullptr, nullptr, &now,
                                  false);
    Change(u.h, 0, c.section, c.key, now == c.value ? c.otherValue : c.value);
    const std::string file = u.h.app.SaveConfigurationText();
    const DownloadPlan plan = u.h.app.PlanDownload();
    EXPECT_EQ(plan.parts, (std::vector<std::string>{c.page, "Basic Control"}));
    u.h.app.Session().StartDownload(plan);
    ASSERT_TRUE(Completes(u.h));
    const ReceiverContent after = ContentOf(u.h.receiver);
    EXPECT_EQ(after.state[1], u.start.state[1]) << "the input";
    EXPECT_EQ(after.state[4], u.start.state[4]) << "the sound program";
    ExpectSameReceiver(WholeDownloadOf(file, u.start), after);
  }
}

TEST(DeltaDownload, ACompletedDeltaDownloadIsTheNextOnesBaseline) {
  Uploaded u;
  Change(u.h, 0, "Speaker Level", "CT", "2.5dB");
  u.h.app.Session().StartDownload(u.h.app.PlanDownload());
  ASSERT_TRUE(Completes(u.h));
  const auto& known = u.h.app.Session().KnownState();
  ASSERT_TRUE(known);
  EXPECT_EQ(known->source, ReceiverState::Source::kVerifiedDownload);
  EXPECT_EQ(known->images[0], u.h.link().Image(0));
  // Its report is of the connection before the Download; the next
  // connection's report is compared with the images instead.
  EXPECT_TRUE(known->report.empty());
  Change(u.h, 0, "Speaker Level", "FL", "-3.0dB");
  const DownloadPlan second = u.h.app.PlanDownload();
  EXPECT_EQ(second.kind, DownloadPlan::Kind::kDelta);
  const std::vector<std::string> frames = u.FramesOf([&] {
    u.h.app.Session().StartDownload(second);
    EXPECT_TRUE(Completes(u.h));
  });
  EXPECT_TRUE(u.h.host.planChanges.empty());
  ASSERT_GE(frames.size(), 22u);
  EXPECT_EQ(frames[21],
            "\x02"
            "07E80\x03");
  EXPECT_LT(frames.size(), 40u);
}

TEST(DeltaDownload, TheReadBackFindsAValueTheReceiverDidNotKeep) {
  Uploaded u;
  Change(u.h, 0, "Speaker Level", "CT", "2.5dB");
  const std::string written = u.h.app.SaveConfigurationText(false);
  // The commands have gone out; before the read-back, the receiver lets
  // go of the level it took (as a receiver that answers and keeps nothing
  // would).
  RunUntilTheReadBack(u.h);
  StoreParameter(u.h.receiver.State(), 261, -20);
  const auto outcome = u.h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kTransferDone);
  ASSERT_EQ(u.h.app.Session().Mismatches().size(), 1u);
  EXPECT_EQ(u.h.app.Session().Mismatches().front(),
            (VerifyMismatch{"Speaker Level", "CT", "2.5dB", "-2.0dB"}));
  EXPECT_NE(outcome->message.find("The receiver does not hold 1 of the "), std::string::npos);
  EXPECT_NE(outcome->message.find("Speaker Level / CT: written 2.5dB, holds -2.0dB"),
            std::string::npos)
      << outcome->message;
  // The program keeps what the user meant; the receiver is no longer known.
  EXPECT_EQ(u.h.app.SaveConfigurationText(false), written);
  EXPECT_FALSE(u.h.app.Session().KnownState());
  EXPECT_FALSE(u.h.link().IsPortOpen());
  EXPECT_FALSE(u.h.link().IsRealTimeMode());
}

// A memory the Download stored is read back as an Upload reads it: loaded
// (its configuration answers the load), read, and the receiver's own
// setting put back after it.
TEST(DeltaDownload, AStoredMemoryIsLoadedAgainReadBackAndTheSettingPutBack) {
  Uploaded u;
  Change(u.h, 3, "Speaker Level", "SW", "-9.5dB");
  const std::string file = u.h.app.SaveConfigurationText();
  const DownloadPlan plan = u.h.app.PlanDownload();
  ASSERT_TRUE(plan.verify);
  int loads = 0;
  const std::vector<std::string> frames = u.FramesOf([&] {
    u.h.app.Session().StartDownload(plan);
    const auto outcome = u.h.RunUntilOutcome();
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->outcome, OperationOutcome::kTransferDone);
    EXPECT_TRUE(outcome->message.starts_with("The receiver holds what was written: "))
        << outcome->message;
  });
  EXPECT_TRUE(u.h.app.Session().Mismatches().empty());
  EXPECT_EQ(u.h.app.Session().KnownState()->source, ReceiverState::Source::kVerifiedDownload);
  // The connection's first frame opens the Download, the read-back of the
  // setting and the read-back of the memory.
  std::vector<size_t> connections;
  for (size_t f = 0; f < frames.size(); ++f) {
    if (frames[f] == frames[0]) connections.push_back(f);
  }
  ASSERT_EQ(connections.size(), 3u);
  const std::vector<std::string> memoryReadBack(frames.begin() + static_cast<long>(connections[2]),
                                                frames.end());
  auto frame = [](const char* text) { return std::string("\x02") + text + "\x03"; };
  for (const std::string& each : memoryReadBack) {
    // Memory 3 only, of every kind: System, Volume, Zone2 and Zone3 Volume.
    for (const char* load : {"07E37", "07E77", "07E8F", "07E62"}) loads += each == frame(load);
    for (const char* other : {"07E35", "07E36", "07E38", "07E39", "07E3A"})
      EXPECT_NE(each, frame(other));
    // Nothing is stored again.
    EXPECT_NE(each, frame("07E2D"));
  }
  EXPECT_EQ(loads, 4);
  // The levels come with the configuration the load answers: no memory
  // row is read, and the pages the load replaced are put back.
  const ReceiverContent after = ContentOf(u.h.receiver);
  EXPECT_EQ(SettingOf(after), SettingOf(u.start)) << WordsThatDiffer(u.start, after);
  ExpectSameReceiver(WholeDownloadOf(file, u.start), after);
}

TEST(DeltaDownload, TheReadBackFindsAMemoryValueTheReceiverDidNotKeep) {
  Uploaded u;
  Change(u.h, 3, "Speaker Level", "SW", "-9.5dB");
  const std::string written = u.h.app.SaveConfigurationText(false);
  // The memory is stored; then, before it is read back, it loses the level.
  RunUntilTheReadBack(u.h);
  StoreParameter(u.h.receiver.Memory(3), 268, -20);
  const auto outcome = u.h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kTransferDone);
  ASSERT_EQ(u.h.app.Session().Mismatches().size(), 1u);
  EXPECT_EQ(u.h.app.Session().Mismatches().front(),
            (VerifyMismatch{"System Memory 3 Speaker Level", "SW", "-9.5dB", "-2.0dB"}));
  EXPECT_NE(
      outcome->message.find("System Memory 3 Speaker Level / SW: written -9.5dB, holds -2.0dB"),
      std::string::npos)
      << outcome->message;
  EXPECT_EQ(u.h.app.SaveConfigurationText(false), written);
  EXPECT_FALSE(u.h.app.Session().KnownState());
  EXPECT_FALSE(u.h.link().IsPortOpen());
  // The receiver's own setting is put back all the same.
  const ReceiverContent after = ContentOf(u.h.receiver);
  EXPECT_EQ(SettingOf(after), SettingOf(u.start)) << WordsThatDiffer(u.start, after);
}

// Cancelling while the memory is read back leaves the receiver on it:
// the Cancel offers to put the setting back, as an Upload's does.
TEST(DeltaDownload, CancelWhileAMemoryIsReadBackOffersToPutTheSettingBack) {
  Uploaded u;
  Change(u.h, 3, "Speaker Level", "SW", "-9.5dB");
  const std::string written = u.h.app.SaveConfigurationText(false);
  u.h.app.Session().StartDownload(u.h.app.PlanDownload());
  // The memory's read-back is an Upload of memory 3 alone.
  u.h.clock.RunUntil(
      [&] {
        return u.h.app.Session().IsSending() && u.h.link().Job() == TransferJob::kUpload &&
               u.h.link().MemoryTheReceiverIsOn() == 3;
      },
      600000);
  ASSERT_EQ(u.h.link().MemoryTheReceiverIsOn(), 3);
  u.h.host.answers = {true, true};  // stop, then put the setting back
  const size_t asked = u.h.host.questions.size();
  u.h.app.Session().CancelSending(true);
  ASSERT_EQ(u.h.host.questions.size(), asked + 2);
  EXPECT_EQ(u.h.host.questions[asked],
            "Download Command Sending is Cancel: " + std::string(kQuestionStopSending));
  EXPECT_EQ(u.h.host.questions[asked + 1],
            std::string(kRestoreTitle) + ": " + std::string(kQuestionRestoreReceiver));
  EXPECT_TRUE(Completes(u.h));
  EXPECT_EQ(u.h.app.SaveConfigurationText(false), written);
  EXPECT_FALSE(u.h.app.Session().KnownState());
  const ReceiverContent after = ContentOf(u.h.receiver);
  EXPECT_EQ(SettingOf(after), SettingOf(u.start)) << WordsThatDiffer(u.start, after);
  EXPECT_EQ(ReadParameter(after.memories[2], 268), -95);
}

TEST(DeltaDownload, AWholeDownloadReadBackOnRequestFindsEveryValueWritten) {
  Uploaded u(3);
  Change(u.h, 0, "Speaker Level", "CT", "2.5dB");
  DownloadPlan plan = u.h.app.PlanDownload(true);
  EXPECT_FALSE(plan.verify);
  plan.verify = true;
  u.h.app.Session().StartDownload(plan);
  const auto outcome = u.h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  std::string listed;
  for (const VerifyMismatch& m : u.h.app.Session().Mismatches())
    listed += m.section + " / " + m.key + ": " + m.expected + " / " + m.actual + "\n";
  EXPECT_EQ(listed, "");
  EXPECT_GT(u.h.app.Session().ValuesVerified(), 300);
  EXPECT_EQ(u.h.app.Session().KnownState()->source, ReceiverState::Source::kVerifiedDownload);
}

TEST(DeltaDownload, AReadBackThatFindsNoReceiverLeavesTheImagesAndForgetsTheState) {
  Uploaded u;
  Change(u.h, 0, "Speaker Level", "CT", "2.5dB");
  const std::string written = u.h.app.SaveConfigurationText(false);
  RunUntilTheReadBack(u.h);
  u.h.receiver.MutableOptions().silent = true;
  const auto outcome = u.h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_TRUE(outcome->message.starts_with(kMessageNotVerified)) << outcome->message;
  EXPECT_EQ(u.h.app.SaveConfigurationText(false), written);
  EXPECT_FALSE(u.h.app.Session().KnownState());
  EXPECT_FALSE(u.h.link().IsPortOpen());
}

TEST(DeltaDownload, CancelForgetsTheStateAndGivesTheImagesBack) {
  Uploaded u;
  Change(u.h, 0, "Speaker Level", "CT", "2.5dB");
  const std::string before = u.h.app.SaveConfigurationText();
  u.h.app.Session().StartDownload(u.h.app.PlanDownload());
  u.h.clock.RunUntil([&] { return u.h.app.Session().IsSending(); }, 60000);
  ASSERT_TRUE(u.h.app.Session().IsSending());
  u.h.clock.Advance(300);
  u.h.app.Session().CancelSending(false);
  EXPECT_FALSE(u.h.app.Session().KnownState());
  // The images are as they were; only the state the file keeps is gone.
  u.h.app.Session().SetKnownState(std::nullopt);
  const std::string after = u.h.app.SaveConfigurationText();
  EXPECT_EQ(after, before.substr(0, before.find("[Receiver State]")));
  // The next Download cannot know the receiver: it sends everything.
  EXPECT_EQ(u.h.app.PlanDownload().kind, DownloadPlan::Kind::kWhole);
}

// The faults of the fault-injection suite, in a Download of what differs.
TEST(DeltaDownloadFaults, LostAnswersCostRetriesTheChangeArrivesAndTheStateIsNotTrusted) {
  Uploaded u;
  Change(u.h, 0, "Speaker Level", "CT", "2.5dB");
  Change(u.h, 2, "Speaker Level", "SW", "-9.5dB");
  const std::string file = u.h.app.SaveConfigurationText();
  u.h.receiver.MutableOptions().dropEveryNth = 5;
  // The Download itself; a read-back over such a cable ends at the first
  // lost answer (as any load does), which the next test shows.
  DownloadPlan plan = u.h.app.PlanDownload();
  plan.verify = false;
  u.h.app.Session().StartDownload(plan);
  ASSERT_TRUE(Completes(u.h));
  EXPECT_GT(u.h.link().Resends(), 0);
  u.h.receiver.MutableOptions().dropEveryNth = 0;
  ExpectSameReceiver(WholeDownloadOf(file, u.start), ContentOf(u.h.receiver));
  // Answers were lost on the way: the next Download sends everything.
  EXPECT_FALSE(u.h.app.Session().KnownState());
}

TEST(DeltaDownloadFaults, APortThatVanishesLeavesTheImagesAndForgetsTheState) {
  Uploaded u;
  Change(u.h, 0, "Speaker Level", "CT", "2.5dB");
  const std::string written = u.h.app.SaveConfigurationText(false);
  u.h.receiver.MutableOptions().vanishAfterFrames =
      static_cast<int>(u.h.receiver.ReceivedFrames().size()) + 12;
  u.h.app.Session().StartDownload(u.h.app.PlanDownload());
  const auto outcome = u.h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_NE(outcome->outcome, OperationOutcome::kTransferDone);
  EXPECT_EQ(u.h.app.SaveConfigurationText(false), written);
  EXPECT_FALSE(u.h.app.Session().KnownState());
  EXPECT_FALSE(u.h.link().IsPortOpen());
}

TEST(DeltaDownloadFaults, AWriteTheReceiverGuardsIsFoundByTheReadBack) {
  Uploaded u;
  Change(u.h, 0, "Speaker Level", "CT", "2.5dB");
  u.h.receiver.MutableOptions().guardWrites = true;
  u.h.app.Session().StartDownload(u.h.app.PlanDownload());
  const auto outcome = u.h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  // The receiver guarded the levels: the read-back finds the one that was
  // to change, and the state is given up.
  EXPECT_FALSE(u.h.app.Session().KnownState());
  EXPECT_NE(ReadParameter(u.h.receiver.State(), 261), 25);
  ASSERT_EQ(u.h.app.Session().Mismatches().size(), 1u);
  EXPECT_EQ(u.h.app.Session().Mismatches().front().key, "CT");
  EXPECT_EQ(u.h.app.Session().Mismatches().front().expected, "2.5dB");
}

TEST(ChosenDownload, SendsExactlyTheChosenPagesAndMemories) {
  Uploaded u;
  std::string why;
  const auto plan = PlanChosenDownload(u.h.app.Pages(), u.h.link(),
                                       SplitPartNames("speaker level, System Memory 2"), &why);
  ASSERT_TRUE(plan) << why;
  EXPECT_EQ(plan->parts, (std::vector<std::string>{"System Memory 2", "Speaker Level"}));
  const std::vector<std::string> frames = u.FramesOf([&] {
    u.h.app.Session().StartDownload(*plan);
    EXPECT_TRUE(Completes(u.h));
  });
  // Between the opening and the end: memory 2's store commands, Pure Direct
  // off after it, then the ten levels; no basic control.
  for (int memory = 1; memory <= 6; ++memory) {
    EXPECT_EQ(
        std::count(frames.begin(), frames.end(), MemorySaveCommand(MemoryKind::kSystem, memory)),
        memory == 2 ? 1 : 0)
        << memory;
  }
  EXPECT_EQ(frames.back(),
            "\x02"
            "2401d\x03");
  // A chosen Download leaves the rest as it was, which the program does
  // not follow part by part: the next Download sends everything.
  EXPECT_FALSE(u.h.app.Session().KnownState());
}

TEST(ChosenDownload, UnknownOrNoPartsAreRefusedWithTheListOfParts) {
  Uploaded u;
  std::string why;
  EXPECT_FALSE(PlanChosenDownload(u.h.app.Pages(), u.h.link(), {"Speaker Levels"}, &why));
  EXPECT_NE(why.find("\"Speaker Levels\" is not a part"), std::string::npos) << why;
  EXPECT_NE(why.find("\"System Memory 6\""), std::string::npos);
  EXPECT_FALSE(PlanChosenDownload(u.h.app.Pages(), u.h.link(), SplitPartNames(" , "), &why));
  EXPECT_EQ(why, "No part of the configuration was chosen.");
  const auto all = PlanChosenDownload(u.h.app.Pages(), u.h.link(), {"system memory"}, &why);
  ASSERT_TRUE(all);
  EXPECT_EQ(all->parts.size(), 6u);
}

TEST(ReceiverStateFile, RoundTripsAndRefusesADamagedOrPartialState) {
  Uploaded u;
  const ReceiverState state = *u.h.app.Session().KnownState();
  MemoryIniFile file;
  WriteReceiverState(file, state);
  const auto read = ReadReceiverState(file);
  ASSERT_TRUE(read);
  EXPECT_TRUE(*read == state);
  // One word changed by hand: the check no longer fits.
  MemoryIniFile edited = MemoryIniFile::Parse(file.Serialize());
  const std::string row = *edited.Read(kReceiverStateSection, "Slot 0 Row 10");
  edited.Write(kReceiverStateSection, "Slot 0 Row 10", row.substr(0, row.size() - 1) + "F");
  EXPECT_FALSE(ReadReceiverState(edited));
  // A row cut short.
  MemoryIniFile cut = MemoryIniFile::Parse(file.Serialize());
  cut.Write(kReceiverStateSection, "Slot 6 Row 41", "0 0");
  EXPECT_FALSE(ReadReceiverState(cut));
  MemoryIniFile none;
  EXPECT_FALSE(ReadReceiverState(none));
}

TEST(ReceiverStateFile, TheConfigurationFileKeepsTheStateAndStillLoadsWhole) {
  Uploaded u;
  const std::string text = u.h.app.SaveConfigurationText();
  ASSERT_NE(text.find("[Receiver State]"), std::string::npos);
  AppHarness other;
  ConfigurationLoad load;
  ASSERT_TRUE(other.app.LoadConfigurationText(text, nullptr, &load));
  EXPECT_TRUE(load.Complete()) << load.Summary();
  ASSERT_TRUE(other.app.Session().KnownState());
  EXPECT_TRUE(*other.app.Session().KnownState() == *u.h.app.Session().KnownState());
  // A file without it leaves no state behind.
  ASSERT_TRUE(other.app.LoadConfigurationText(text.substr(0, text.find("[Receiver State]"))));
  EXPECT_FALSE(other.app.Session().KnownState());
}

TEST(ReceiverStateReport, OneValueTheReportCarriesMakesItDisagree) {
  Uploaded u;
  const ReceiverState& state = *u.h.app.Session().KnownState();
  CSettingImage image = state.images[0];
  EXPECT_TRUE(ReportAgrees(state.report, image));
  image[6] += 5;  // the main volume
  EXPECT_FALSE(ReportAgrees(state.report, image));
  EXPECT_EQ(ReportDifferences(state.report, image), std::vector<ParamId>{6});
  EXPECT_FALSE(
      ReportAgrees("\x02"
                   "00A00\x03",
                   state.images[0]));
}

}  // namespace
}  // namespace qamp
