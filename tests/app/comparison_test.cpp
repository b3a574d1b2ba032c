// "Compare with Receiver...": the Tool menu's command, the question of what
// to read, the reading beside the window's own configuration (which stays
// as it is), its Cancel and its failures, and the window that lists the
// differences.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "app/comparison_window.h"
#include "app/progress_window.h"
#include "app/receiver_comparison.h"
#include "app/window_harness.h"
#include "link/memory_commands.h"
#include "link/read_request_table.h"
#include "link/wire_format.h"
#include "model/parameter_store.h"
#include "support/receiver_content.h"

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace qamp {

void PrintTo(const Difference& d, std::ostream* out) {
  *out << "{" << d.section << " / " << d.key << ": " << d.a << " | " << d.b << "}";
}

namespace testing {
namespace {

constexpr ParamId kLevelFL = 259;
constexpr ParamId kLevelCT = 261;

QMenu* MenuNamed(QMainWindow& frame, const QString& title) {
  for (QAction* action : frame.menuBar()->actions()) {
    if (action->text() == title) return action->menu();
  }
  return nullptr;
}

QAction* CompareItem(QMainWindow& frame) {
  for (QAction* action : frame.menuBar()->actions()) {
    if (action->menu() == nullptr) continue;
    for (QAction* item : action->menu()->actions()) {
      if (item->text() == "Compare with Recei&ver...") return item;
    }
  }
  return nullptr;
}

// The words a receiver changes of its own accord (the front panel's
// display, the playing input's signal) aside.
ReceiverContent SettingOf(const sim::CSimulatedReceiver& receiver) {
  ReceiverContent content = ContentOf(receiver);
  for (int word = 9; word <= 11; ++word) content.state[word] = 0;
  for (int word = 231; word <= 256; ++word) content.state[word] = 0;
  return content;
}

bool SentAMemoryLoad(const std::vector<std::string>& frames) {
  for (const std::string& frame : frames) {
    for (int n = 1; n <= 6; ++n) {
      if (frame == MemoryLoadCommand(MemoryKind::kSystem, n)) return true;
    }
  }
  return false;
}

// The window in Async Mode over a receiver that holds a setting of its own
// and data in System memory 2, with one speaker level and one level of
// that memory set to values of the test's.
struct CompareWindow : WindowHarness {
  static sim::SimOptions Options(sim::SimOptions options) {
    options.startState = sim::StartState::kPlausible;
    return options;
  }
  explicit CompareWindow(sim::SimOptions options = {})
      : WindowHarness(ControlMode::kAsync, Options(std::move(options))) {
    StoreParameter(receiver.State(), kLevelCT, -45);  // -4.5 dB
    receiver.SetMemoryHasData(2, true);
    StoreParameter(receiver.Memory(2), kLevelFL, 20);  // 2.0 dB
  }
  CReceiverComparison& comparison() { return program.Comparison(); }

  // The window's own Upload, to the end.
  void Upload() {
    FindByName<QPushButton>(&view(), "Upload >>")->click();
    ASSERT_TRUE(RunUntil([&] { return view().IsProgressOpen(); }));
    ASSERT_TRUE(RunUntil([&] { return !view().IsProgressOpen(); }));
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().toStdString();
  }
  // "Compare with Receiver..." with `read` chosen, to its end.
  void Compare(ReceiverRead read) {
    dialogs.comparisonScope = read;
    CompareItem(frame())->trigger();
    ASSERT_TRUE(RunUntil([&] { return !comparison().IsRunning(); }));
    Run(1000);
  }
};

// --- The menu ----------------------------------------------------------------------------

TEST(CompareWithReceiver, IsAToolCommandOfAsyncModeOnlyWithAMnemonicOfItsOwn) {
  WindowHarness async(ControlMode::kAsync);
  QAction* item = CompareItem(async.frame());
  ASSERT_NE(item, nullptr);
  QMenu* tool = MenuNamed(async.frame(), "&Tool");
  ASSERT_NE(tool, nullptr);
  EXPECT_TRUE(tool->actions().contains(item));
  // Every mnemonic of the menu is one letter of its own.
  QList<QChar> mnemonics;
  for (QAction* action : tool->actions()) {
    if (action->isSeparator()) continue;
    const QString text = action->text();
    const qsizetype at = text.indexOf('&');
    ASSERT_GE(at, 0) << text.toStdString();
    ASSERT_LT(at + 1, text.size());
    const QChar letter = text[at + 1].toLower();
    EXPECT_FALSE(mnemonics.contains(letter)) << text.toStdString();
    mnemonics << letter;
  }
  EXPECT_TRUE(mnemonics.contains(QChar('v')));

  WindowHarness live(ControlMode::kRealTime);
  EXPECT_EQ(CompareItem(live.frame()), nullptr);
  EXPECT_EQ(MenuNamed(live.frame(), "&Tool"), nullptr);
}

TEST(CompareWithReceiver, IsRefusedWhileATransferRunsAndAskedNothingWhenCancelled) {
  CompareWindow window;
  FindByName<QPushButton>(&window.view(), "Upload >>")->click();
  ASSERT_TRUE(window.RunUntil([&] { return window.view().IsProgressOpen(); }));
  const size_t frames = window.receiver.ReceivedFrames().size();
  CompareItem(window.frame())->trigger();
  EXPECT_EQ(window.dialogs.comparisonScopeShown, 0);
  ASSERT_EQ(window.dialogs.messages.size(), 1u);
  EXPECT_EQ(window.dialogs.messages.back(),
            "A transfer with the receiver is running. Compare with the receiver when it has "
            "ended.");
  EXPECT_FALSE(window.comparison().IsRunning());
  ASSERT_TRUE(window.RunUntil([&] { return !window.view().IsProgressOpen(); }));
  EXPECT_GT(window.receiver.ReceivedFrames().size(), frames);  // the Upload went on

  // The question of what to read, cancelled: nothing is read.
  window.dialogs.messages.clear();
  window.dialogs.comparisonScope.reset();
  const size_t after = window.receiver.ReceivedFrames().size();
  CompareItem(window.frame())->trigger();
  EXPECT_EQ(window.dialogs.comparisonScopeShown, 1);
  EXPECT_FALSE(window.comparison().IsRunning());
  window.Run(5000);
  EXPECT_EQ(window.receiver.ReceivedFrames().size(), after);
  EXPECT_TRUE(window.dialogs.messages.empty());
  EXPECT_TRUE(window.dialogs.comparisons.empty());
}

// --- Reading and comparing ---------------------------------------------------------------

TEST(CompareWithReceiver, AReceiverThatHoldsTheConfigurationSaysSoForEitherRead) {
  CompareWindow window;
  window.Upload();
  const std::string before = window.program.App().SaveConfigurationText();
  const bool modified = window.program.Doc().IsModified();

  // The current setting and the memories: an Upload, with its own window.
  size_t from = window.receiver.ReceivedFrames().size();
  window.dialogs.comparisonScope = ReceiverRead::kUpload;
  CompareItem(window.frame())->trigger();
  ASSERT_TRUE(window.comparison().IsRunning());
  ASSERT_TRUE(window.RunUntil([&] {
    return window.comparison().ProgressWindow() != nullptr &&
           window.comparison().ProgressWindow()->windowTitle() == "Upload Command Sending";
  }));
  EXPECT_EQ(window.comparison().ProgressWindow()->Note(),
            "Reading the receiver's current setting and memories to compare them with this "
            "configuration.");
  EXPECT_FALSE(window.view().IsProgressOpen());
  ASSERT_TRUE(window.RunUntil([&] { return !window.comparison().IsRunning(); }));
  EXPECT_EQ(window.comparison().ProgressWindow(), nullptr);
  std::vector<std::string> frames = window.FramesSince(from);
  EXPECT_TRUE(SentAMemoryLoad(frames));
  ASSERT_EQ(window.dialogs.comparisons.size(), 1u);
  const ComparisonResult& whole = window.dialogs.comparisons.back();
  EXPECT_EQ(whole.read, ReceiverRead::kUpload);
  EXPECT_EQ(whole.differences, std::vector<Difference>{});
  EXPECT_EQ(whole.unansweredReads, 0);
  EXPECT_EQ(whole.port, "sim");
  EXPECT_EQ(whole.configuration, "Async Mode");
  EXPECT_EQ(ComparisonSummary(whole), "The receiver holds this configuration.");
  EXPECT_FALSE(window.transport.IsOpen());

  // The current setting: a connection's read, no memory loaded.
  from = window.receiver.ReceivedFrames().size();
  window.dialogs.comparisonScope = ReceiverRead::kCurrentSetting;
  CompareItem(window.frame())->trigger();
  ASSERT_NE(window.comparison().ProgressWindow(), nullptr);
  EXPECT_EQ(window.comparison().ProgressWindow()->windowTitle(), "Initialize");
  EXPECT_EQ(window.comparison().ProgressWindow()->Note(),
            "Reading the receiver's current setting to compare it with this configuration.");
  ASSERT_TRUE(window.RunUntil([&] { return !window.comparison().IsRunning(); }));
  frames = window.FramesSince(from);
  EXPECT_GT(frames.size(), 100u);
  EXPECT_FALSE(SentAMemoryLoad(frames));
  ASSERT_EQ(window.dialogs.comparisons.size(), 2u);
  const ComparisonResult& current = window.dialogs.comparisons.back();
  EXPECT_EQ(current.read, ReceiverRead::kCurrentSetting);
  EXPECT_EQ(current.differences, std::vector<Difference>{});
  EXPECT_EQ(ComparisonSummary(current), "The receiver holds this configuration.");
  EXPECT_EQ(window.dialogs.comparisonScopeShown, 2);
  // Its port is closed at the end: no connection check follows.
  EXPECT_FALSE(window.transport.IsOpen());
  const size_t closed = window.receiver.ReceivedFrames().size();
  window.Run(40000);
  EXPECT_EQ(window.receiver.ReceivedFrames().size(), closed);

  // Nothing of the window changed: images, known state, unsaved changes.
  EXPECT_TRUE(window.dialogs.messages.empty()) << window.dialogs.messages.front().toStdString();
  EXPECT_EQ(window.program.App().SaveConfigurationText(), before);
  EXPECT_EQ(window.program.Doc().IsModified(), modified);
  EXPECT_FALSE(window.link().IsPortOpen());
}

TEST(CompareWithReceiver, ValuesChangedOnTheReceiverAreListedWithBothTexts) {
  CompareWindow window;
  window.Upload();
  // Saved: the document has no unsaved changes to keep.
  ASSERT_TRUE(window.program.Doc().SaveTo(window.folder.filePath("living.qcf"), &window.frame()));
  ASSERT_FALSE(window.program.Doc().IsModified());
  const std::string before = window.program.App().SaveConfigurationText();
  // Changed behind the program's back: one level of the setting, one of
  // System memory 2.
  StoreParameter(window.receiver.State(), kLevelCT, 35);     // 3.5 dB
  StoreParameter(window.receiver.Memory(2), kLevelFL, -15);  // -1.5 dB
  const Difference level{"Speaker Level", "CT", "3.5dB", "-4.5dB"};
  const Difference memory{"System Memory 2 Speaker Level", "FL", "-1.5dB", "2.0dB"};

  window.Compare(ReceiverRead::kUpload);
  ASSERT_EQ(window.dialogs.comparisons.size(), 1u);
  const ComparisonResult whole = window.dialogs.comparisons.back();
  EXPECT_EQ(whole.differences, (std::vector<Difference>{level, memory}));
  EXPECT_EQ(whole.configuration, "living.qcf");
  EXPECT_EQ(ComparisonSummary(whole),
            "2 parameters differ between the receiver and this configuration.");

  // The current setting alone: the memory is not read.
  window.Compare(ReceiverRead::kCurrentSetting);
  ASSERT_EQ(window.dialogs.comparisons.size(), 2u);
  EXPECT_EQ(window.dialogs.comparisons.back().differences, std::vector<Difference>{level});
  EXPECT_EQ(ComparisonSummary(window.dialogs.comparisons.back()),
            "1 parameter differs between the receiver and this configuration.");

  EXPECT_TRUE(window.dialogs.messages.empty()) << window.dialogs.messages.front().toStdString();
  EXPECT_EQ(window.program.App().SaveConfigurationText(), before);
  EXPECT_FALSE(window.program.Doc().IsModified());
  EXPECT_EQ(window.frame().windowTitle(), "living.qcf - Amplora for K2600 ver1.03");
  EXPECT_EQ(ReadParameter(window.link().Image(0), kLevelCT), -45);

  // The window lists them as the user reads them, and copies them.
  CComparisonWindow list(whole);
  EXPECT_EQ(list.windowTitle(), "Compare with Receiver - living.qcf");
  QTableWidget* table = list.Table();
  ASSERT_EQ(table->rowCount(), 2);
  ASSERT_EQ(table->columnCount(), 4);
  const QStringList row0 = {table->item(0, 0)->text(), table->item(0, 1)->text(),
                            table->item(0, 2)->text(), table->item(0, 3)->text()};
  EXPECT_EQ(row0, QStringList({"Speaker Level", "CT", "3.5dB", "-4.5dB"}));
  EXPECT_EQ(table->item(1, 0)->text(), "System Memory 2 Speaker Level");
  EXPECT_EQ(table->item(1, 3)->text(), "2.0dB");
  list.CopyToClipboard();
  EXPECT_EQ(QApplication::clipboard()->text(),
            "Section\tParameter\tReceiver\tThis configuration\n"
            "Speaker Level\tCT\t3.5dB\t-4.5dB\n"
            "System Memory 2 Speaker Level\tFL\t-1.5dB\t2.0dB\n");
}

TEST(CompareWithReceiver, ReadsTheReceiverDidNotAnswerAreNamed) {
  CompareWindow window;
  window.Upload();
  // Every answer to the read of a tuner preset is lost: the Upload skips it.
  const std::string preset = FrameExtended(kReadRequestTable[222].request);
  window.transport.LoseAnswersTo(preset, 0);
  window.Compare(ReceiverRead::kUpload);
  EXPECT_EQ(window.transport.LostSends(), 4);
  ASSERT_EQ(window.dialogs.comparisons.size(), 1u);
  const ComparisonResult& result = window.dialogs.comparisons.back();
  EXPECT_EQ(result.unansweredReads, 1);
  EXPECT_EQ(UnansweredText(result),
            "The receiver did not answer 1 read(s); their values are not the receiver's. The "
            "error log names them (Help > Save Diagnostics...).");
  CComparisonWindow list(result);
  QLabel* unanswered = FindByName<QLabel>(&list, "Unanswered reads");
  ASSERT_NE(unanswered, nullptr);
  EXPECT_EQ(unanswered->text(), UnansweredText(result));
  // What the skipped read would have told is not the receiver's, and no
  // list reads as the receiver holding the configuration.
  EXPECT_NE(ComparisonSummary(result), "The receiver holds this configuration.");
}

// --- Cancel and failures -----------------------------------------------------------------

// A comparison's Upload cancelled among the memories, and the window's own
// Upload cancelled at the same point: the receiver is left alike, with its
// own setting put back when the user says so.
TEST(CompareWithReceiver, ACancelledUploadLeavesTheReceiverAsTheWindowsOwnCancelDoes) {
  auto amongTheMemories = [](WindowHarness& window, size_t from) {
    const std::vector<std::string> frames = window.FramesSince(from);
    return std::find(frames.begin(), frames.end(), MemoryLoadCommand(MemoryKind::kSystem, 3)) !=
           frames.end();
  };
  CompareWindow own;
  CompareWindow compared;
  const ReceiverContent before = SettingOf(own.receiver);
  ASSERT_TRUE(SettingOf(compared.receiver) == before);
  const std::string configuration = compared.program.App().SaveConfigurationText();

  FindByName<QPushButton>(&own.view(), "Upload >>")->click();
  ASSERT_TRUE(own.RunUntil([&] { return amongTheMemories(own, 0); }));
  own.dialogs.answers = {true, true};
  FindByName<QPushButton>(own.view().ProgressWindow(), "Cancel")->click();
  ASSERT_TRUE(
      own.RunUntil([&] { return !own.program.App().Session().IsRestoringReceiverSetting(); }));
  own.Run(2000);

  compared.dialogs.comparisonScope = ReceiverRead::kUpload;
  CompareItem(compared.frame())->trigger();
  ASSERT_TRUE(compared.RunUntil([&] { return amongTheMemories(compared, 0); }));
  ASSERT_NE(compared.comparison().ProgressWindow(), nullptr);
  EXPECT_EQ(compared.comparison().ProgressWindow()->windowTitle(), "Upload Command Sending");
  compared.dialogs.answers = {true, true};
  FindByName<QPushButton>(compared.comparison().ProgressWindow(), "Cancel")->click();
  // Putting the receiver's own setting back runs with its own window.
  ASSERT_TRUE(compared.comparison().IsRunning());
  ASSERT_TRUE(compared.RunUntil([&] { return compared.comparison().ProgressWindow() != nullptr; }));
  EXPECT_EQ(compared.comparison().ProgressWindow()->Note(),
            "The comparison was cancelled; the receiver is given its own setting back.");
  ASSERT_TRUE(compared.RunUntil([&] { return !compared.comparison().IsRunning(); }));
  compared.Run(2000);

  // The same two questions, and the same receiver afterwards.
  EXPECT_EQ(compared.dialogs.questions, own.dialogs.questions);
  ASSERT_EQ(compared.dialogs.questions.size(), 2u);
  EXPECT_EQ(compared.dialogs.questions[0],
            "Upload Command Sending is Cancel: Transmission of a command is interrupted. \nIs it "
            "all right?");
  EXPECT_EQ(compared.dialogs.questions[1],
            "Upload: The receiver has been left on one of its System memories and no longer holds "
            "its own setting.\nPut the receiver's own setting back now?");
  EXPECT_TRUE(SettingOf(own.receiver) == before)
      << WordsThatDiffer(before, SettingOf(own.receiver));
  EXPECT_TRUE(SettingOf(compared.receiver) == SettingOf(own.receiver))
      << WordsThatDiffer(SettingOf(own.receiver), SettingOf(compared.receiver));
  EXPECT_TRUE(ContentOf(compared.receiver) == ContentOf(own.receiver));
  // Nothing listed; the session's word on the restore, then the comparison's.
  EXPECT_TRUE(compared.dialogs.comparisons.empty());
  EXPECT_EQ(compared.dialogs.messages,
            std::vector<QString>({"The receiver holds its own setting again.",
                                  "The comparison with the receiver was cancelled: nothing was "
                                  "compared."}));
  EXPECT_EQ(compared.program.App().SaveConfigurationText(), configuration);
  EXPECT_FALSE(compared.transport.IsOpen());
}

TEST(CompareWithReceiver, ACancelledUploadWhoseRestoreIsDeclinedLeavesTheReceiverOnTheMemory) {
  CompareWindow window;
  window.dialogs.comparisonScope = ReceiverRead::kUpload;
  CompareItem(window.frame())->trigger();
  ASSERT_TRUE(window.RunUntil([&] {
    const auto& frames = window.receiver.ReceivedFrames();
    return std::find(frames.begin(), frames.end(), MemoryLoadCommand(MemoryKind::kSystem, 3)) !=
           frames.end();
  }));
  window.dialogs.answers = {true, false};
  FindByName<QPushButton>(window.comparison().ProgressWindow(), "Cancel")->click();
  EXPECT_FALSE(window.comparison().IsRunning());
  const size_t frames = window.receiver.ReceivedFrames().size();
  window.Run(5000);
  EXPECT_EQ(window.receiver.ReceivedFrames().size(), frames);
  EXPECT_EQ(window.dialogs.questions.size(), 2u);
  EXPECT_EQ(window.dialogs.messages,
            std::vector<QString>(
                {"The comparison with the receiver was cancelled: nothing was compared."}));
  EXPECT_TRUE(window.dialogs.comparisons.empty());
  EXPECT_FALSE(window.transport.IsOpen());
  // The receiver is still on the memory the Upload read last.
  ASSERT_NE(window.comparison().Reading(), nullptr);
  EXPECT_EQ(window.comparison().Reading()->Session().MemoryTheReceiverWasLeftOn(), 3);
}

TEST(CompareWithReceiver, ACancelledReadOfTheCurrentSettingAsksAndListsNothing) {
  CompareWindow window;
  const std::string before = window.program.App().SaveConfigurationText();
  window.dialogs.comparisonScope = ReceiverRead::kCurrentSetting;
  CompareItem(window.frame())->trigger();
  window.Run(5000);
  ASSERT_NE(window.comparison().ProgressWindow(), nullptr);
  // Asked first; going on goes on.
  window.dialogs.answers = {false};
  FindByName<QPushButton>(window.comparison().ProgressWindow(), "Cancel")->click();
  ASSERT_EQ(window.dialogs.questions.size(), 1u);
  EXPECT_EQ(window.dialogs.questions.back(),
            "Initialize is Cancel: Initialization is stopped.\nIs it all right?");
  EXPECT_TRUE(window.comparison().IsRunning());
  window.Run(5000);
  ASSERT_NE(window.comparison().ProgressWindow(), nullptr);
  window.dialogs.answers = {true};
  FindByName<QPushButton>(window.comparison().ProgressWindow(), "Cancel")->click();
  EXPECT_FALSE(window.comparison().IsRunning());
  EXPECT_FALSE(window.transport.IsOpen());
  const size_t frames = window.receiver.ReceivedFrames().size();
  window.Run(40000);  // no connection check follows
  EXPECT_EQ(window.receiver.ReceivedFrames().size(), frames);
  EXPECT_TRUE(window.dialogs.comparisons.empty());
  EXPECT_EQ(window.dialogs.messages,
            std::vector<QString>(
                {"The comparison with the receiver was cancelled: nothing was compared."}));
  EXPECT_EQ(window.program.App().SaveConfigurationText(), before);
}

TEST(CompareWithReceiver, AReceiverThatDoesNotAnswerIsToldWithTheSessionsMessage) {
  for (const ReceiverRead read : {ReceiverRead::kCurrentSetting, ReceiverRead::kUpload}) {
    sim::SimOptions options;
    options.silent = true;
    CompareWindow window(options);
    const std::string before = window.program.App().SaveConfigurationText();
    window.Compare(read);
    ASSERT_EQ(window.dialogs.messages.size(), 1u);
    EXPECT_TRUE(window.dialogs.messages.front().startsWith(
        "Communication error has occurred during initialization."))
        << window.dialogs.messages.front().toStdString();
    EXPECT_EQ(window.dialogs.icons.front(), MessageIcon::kError);
    EXPECT_TRUE(window.dialogs.comparisons.empty());
    EXPECT_FALSE(window.transport.IsOpen());
    EXPECT_EQ(window.program.App().SaveConfigurationText(), before);
  }
}

TEST(CompareWithReceiver, APortThatDoesNotOpenIsToldWithTheSessionsMessage) {
  CompareWindow window;
  window.transport.SetDeviceNames({"/dev/ttyUSB7"});  // "sim" does not open
  window.Compare(ReceiverRead::kCurrentSetting);
  ASSERT_EQ(window.dialogs.messages.size(), 1u);
  EXPECT_TRUE(window.dialogs.messages.front().startsWith("COM port error has occurred."))
      << window.dialogs.messages.front().toStdString();
  EXPECT_TRUE(window.dialogs.comparisons.empty());
  EXPECT_FALSE(window.comparison().IsRunning());
}

// --- The windows ---------------------------------------------------------------------------

TEST(ComparisonWindow, ShowsTextsAsPlainTextInCellsOfOneLine) {
  ComparisonResult result;
  result.port = "/dev/ttyUSB0";
  result.differences = {
      {"Input Rename", "CD", "    <b>CD</b>    ", "    CD     "},
      {"Input Rename", "DVD", "DV\rD\tX", "Caf\xE9"},  // a CR, a tab, a Latin-1 byte
  };
  CComparisonWindow window(result);
  QTableWidget* table = window.Table();
  EXPECT_EQ(table->accessibleName(), "Differences");
  ASSERT_EQ(table->rowCount(), 2);
  EXPECT_EQ(table->item(0, 2)->text(), "    <b>CD</b>    ");
  EXPECT_EQ(table->item(1, 2)->text(), "DV<0x0D>D<0x09>X");
  EXPECT_EQ(table->item(1, 3)->text(), QString::fromUtf8("Caf\xC3\xA9"));
  EXPECT_FALSE(table->item(0, 2)->flags() & Qt::ItemIsEditable);
  QStringList headers;
  for (int column = 0; column < table->columnCount(); ++column)
    headers << table->horizontalHeaderItem(column)->text();
  EXPECT_EQ(headers, QStringList({"Section", "Parameter", "Receiver", "This configuration"}));
  for (QLabel* label : window.findChildren<QLabel*>()) {
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
    EXPECT_FALSE(label->accessibleName().isEmpty()) << label->text().toStdString();
  }
  EXPECT_EQ(window.SummaryText(),
            "2 parameters differ between the receiver and this configuration.");
  EXPECT_EQ(FindByName<QLabel>(&window, "What was compared")->text(),
            "Compared: the current setting of the receiver on /dev/ttyUSB0. Input DSP and the "
            "memories are compared with \"Current setting and System memories\" only.");
  EXPECT_EQ(FindByName<QLabel>(&window, "Unanswered reads"), nullptr);
  EXPECT_TRUE(window.isSizeGripEnabled());
  EXPECT_EQ(window.windowTitle(), "Compare with Receiver");
  // The clipboard gets every row as one line, the tab of a value shown.
  FindByName<QPushButton>(&window, "Copy")->click();
  EXPECT_EQ(QApplication::clipboard()->text(),
            QString::fromUtf8("Section\tParameter\tReceiver\tThis configuration\n"
                              "Input Rename\tCD\t    <b>CD</b>    \t    CD     \n"
                              "Input Rename\tDVD\tDV<0x0D>D<0x09>X\tCaf\xC3\xA9\n"));
}

TEST(ComparisonWindow, WithNothingToListItSaysSoAndHasNothingToCopy) {
  ComparisonResult result;
  result.read = ReceiverRead::kUpload;
  result.port = "sim";
  CComparisonWindow window(result);
  EXPECT_EQ(window.SummaryText(), "The receiver holds this configuration.");
  EXPECT_FALSE(window.Table()->isVisibleTo(&window));
  EXPECT_FALSE(FindByName<QPushButton>(&window, "Copy")->isEnabled());
  EXPECT_TRUE(FindByName<QPushButton>(&window, "Close")->isEnabled());
  EXPECT_EQ(FindByName<QLabel>(&window, "What was compared")->text(),
            "Compared: the current setting and every memory of the receiver on sim, read with an "
            "Upload.");
  // With reads unanswered, no list is no proof.
  result.unansweredReads = 1;
  EXPECT_EQ(ComparisonSummary(result), "No parameter differs among those the receiver answered.");
  result.differences = {{"Volume", "Max Volume", "(missing)", "0.0dB"}};
  EXPECT_EQ(ComparisonSummary(result),
            "1 parameter differs between the receiver and this configuration.");
}

TEST(ComparisonScopeDialog, OffersBothReadsByNameWithTheCurrentSettingFirst) {
  CComparisonScopeDialog dialog;
  EXPECT_EQ(dialog.windowTitle(), "Compare with Receiver");
  EXPECT_EQ(dialog.Choice(), ReceiverRead::kCurrentSetting);
  auto* current = FindByName<QRadioButton>(&dialog, "Current setting");
  auto* memories = FindByName<QRadioButton>(&dialog, "Current setting and System memories");
  ASSERT_NE(current, nullptr);
  ASSERT_NE(memories, nullptr);
  EXPECT_TRUE(current->isChecked());
  memories->click();
  EXPECT_EQ(dialog.Choice(), ReceiverRead::kUpload);
  dialog.Choose(ReceiverRead::kCurrentSetting);
  EXPECT_TRUE(current->isChecked());
  EXPECT_NE(FindByName<QPushButton>(&dialog, "Compare"), nullptr);
  for (QLabel* label : dialog.findChildren<QLabel*>())
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
}

}  // namespace
}  // namespace testing
}  // namespace qamp
