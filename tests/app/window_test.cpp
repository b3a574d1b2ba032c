// The desktop program as a user meets it: start-up, menus and controls by
// mode, a live session, transfers with their progress and Cancel, files,
// and the settings kept between runs.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "app/dialogs.h"
#include "app/my_sheet.h"
#include "app/progress_window.h"
#include "app/window_harness.h"
#include "model/parameter_store.h"
#include "pages/basic_control.h"
#include "qt/text_file.h"

namespace qamp::testing {
namespace {

std::string Standard(const std::string& text) {
  return "\x02" + text + "\x03";
}

QStringList MenuTitles(QMainWindow& frame) {
  QStringList titles;
  for (QAction* action : frame.menuBar()->actions()) titles << action->text();
  return titles;
}

QStringList MenuItems(QMainWindow& frame, const QString& title) {
  QStringList items;
  for (QAction* action : frame.menuBar()->actions()) {
    if (action->text() != title || action->menu() == nullptr) continue;
    for (QAction* item : action->menu()->actions()) {
      items << (item->isSeparator() ? QString("-") : item->text());
    }
  }
  return items;
}

QAction* MenuItem(QMainWindow& frame, const QString& title, const QString& item) {
  for (QAction* action : frame.menuBar()->actions()) {
    if (action->text() != title || action->menu() == nullptr) continue;
    for (QAction* candidate : action->menu()->actions()) {
      if (candidate->text() == item) return candidate;
    }
  }
  return nullptr;
}

bool Shown(QWidget* widget) {
  return widget != nullptr && widget->isVisibleTo(widget->window());
}

// --- The command line -------------------------------------------------------------------

TEST(CommandLine, ModeRegionPortAndFileAreRead) {
  const CommandLineResult result = ParseCommandLine(
      {"--mode", "async", "--region", "2", "--port", "tcp:127.0.0.1:4001", "living.qcf"});
  ASSERT_EQ(result.error, "");
  EXPECT_EQ(result.options.mode, ControlMode::kAsync);
  EXPECT_EQ(result.options.region, 2);
  EXPECT_EQ(result.options.port, "tcp:127.0.0.1:4001");
  EXPECT_EQ(result.options.file, "living.qcf");
  EXPECT_FALSE(result.options.demo);
}

TEST(CommandLine, DemoIsRealTimeAndFastDemoRunsOnSimulatedTime) {
  const CommandLineResult plain = ParseCommandLine({"--demo"});
  ASSERT_EQ(plain.error, "");
  EXPECT_TRUE(plain.options.demo);
  EXPECT_FALSE(plain.options.demoFast);
  const CommandLineResult fast = ParseCommandLine({"--demo=fast"});
  ASSERT_EQ(fast.error, "");
  EXPECT_TRUE(fast.options.demoFast);
}

TEST(CommandLine, BadOptionsAndValuesAreNamed) {
  const struct {
    std::vector<std::string> arguments;
    const char* mentions;
  } cases[] = {
      {{"--mode", "live"}, "async or realtime"},
      {{"--region", "4"}, "0, 1, 2 or 3"},
      {{"--region", "-1"}, "0, 1, 2 or 3"},
      {{"--region", "one"}, "0, 1, 2 or 3"},
      {{"--demo=slow"}, "fast"},
      {{"--demo", "--mode", "async"}, "Real Time Mode"},
      {{"--frobnicate"}, "frobnicate"},
      {{"a.qcf", "b.qcf"}, "one configuration file"},
      {{"--port", ""}, "--port"},
  };
  for (const auto& test : cases) {
    const CommandLineResult result = ParseCommandLine(test.arguments);
    EXPECT_NE(result.error.find(test.mentions), std::string::npos)
        << test.arguments.front() << ": " << result.error;
  }
}

TEST(CommandLine, HelpListsEveryOption) {
  const CommandLineResult result = ParseCommandLine({"--help"});
  EXPECT_TRUE(result.options.showHelp);
  for (const char* option :
       {"--mode", "--region", "--port", "--connect", "--demo", "--settings", "--version"}) {
    EXPECT_NE(result.help.find(option), std::string::npos) << option;
  }
}

// --- Start-up and the settings file -----------------------------------------------------

TEST(StartUp, TheTwoQuestionsAreAskedWithoutTheCommandLine) {
  QTemporaryDir folder;
  CAppSettings settings(folder.filePath("s.ini").toStdString());
  ScriptedDialogs dialogs;
  dialogs.startMode = ControlMode::kAsync;
  dialogs.region = 3;
  const std::optional<StartChoice> choice = ChooseStart({}, dialogs, settings);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->mode, ControlMode::kAsync);
  EXPECT_EQ(choice->region, 3);
  EXPECT_EQ(dialogs.startModeShown, 1);
  EXPECT_EQ(dialogs.tunerRegionShown, 1);
  EXPECT_EQ(dialogs.regionPreselected, 1);  // before any receiver, region 1
}

TEST(StartUp, TunerRegionIsNeverAskedInRealTimeModeAndItsCancelKeepsTheRegion) {
  QTemporaryDir folder;
  CAppSettings settings(folder.filePath("s.ini").toStdString());
  ScriptedDialogs dialogs;
  dialogs.startMode = ControlMode::kRealTime;
  ASSERT_TRUE(ChooseStart({}, dialogs, settings));
  EXPECT_EQ(dialogs.tunerRegionShown, 0);
  dialogs.startMode = ControlMode::kAsync;
  dialogs.region.reset();
  const std::optional<StartChoice> cancelled = ChooseStart({}, dialogs, settings);
  ASSERT_TRUE(cancelled);
  EXPECT_EQ(cancelled->region, 1);
}

TEST(StartUp, ModeAndRegionOnTheCommandLineSkipBothQuestions) {
  QTemporaryDir folder;
  CAppSettings settings(folder.filePath("s.ini").toStdString());
  ScriptedDialogs dialogs;
  const CommandLineResult command = ParseCommandLine({"--mode", "async", "--region", "0"});
  const std::optional<StartChoice> choice = ChooseStart(command.options, dialogs, settings);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->region, 0);
  EXPECT_EQ(dialogs.startModeShown + dialogs.tunerRegionShown, 0);
}

TEST(StartUp, AFileToOpenStartsInAsyncModeWithoutAskingTheMode) {
  QTemporaryDir folder;
  CAppSettings settings(folder.filePath("s.ini").toStdString());
  ScriptedDialogs dialogs;
  dialogs.region = 2;
  const CommandLineResult command = ParseCommandLine({"living.qcf"});
  const std::optional<StartChoice> choice = ChooseStart(command.options, dialogs, settings);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->mode, ControlMode::kAsync);
  EXPECT_EQ(choice->region, 2);
  EXPECT_EQ(dialogs.startModeShown, 0);
  EXPECT_EQ(dialogs.tunerRegionShown, 1);
}

TEST(StartUp, ACancelledStartStillWritesTheSettings) {
  QTemporaryDir folder;
  const std::string path = folder.filePath("deeper/qamptool.ini").toStdString();
  {
    std::string error;
    QDir().mkpath(folder.filePath("deeper"));
    ASSERT_TRUE(WriteTextFileAtomically(
        path, "[DispSet]\r\nPort=/dev/ttyUSB0\r\nActivePage=Volume\r\nConfirmDownload=NO\r\n",
        error));
  }
  CAppSettings settings(path);
  settings.Read();
  settings.port = "Auto";
  ScriptedDialogs dialogs;
  dialogs.startMode.reset();
  EXPECT_FALSE(ChooseStart({}, dialogs, settings));
  CAppSettings reread(path);
  reread.Read();
  EXPECT_EQ(reread.port, "Auto");
  EXPECT_EQ(reread.activePage, "Volume");
  EXPECT_EQ(reread.confirmDownload, "NO");
}

TEST(Settings, AMissingFileGivesEmptyValuesAndOnlyNoInCapitalsHidesTheNotice) {
  QTemporaryDir folder;
  CAppSettings settings(folder.filePath("none/qamptool.ini").toStdString());
  settings.Read();
  EXPECT_EQ(settings.port, "");
  EXPECT_TRUE(settings.ShowsDownloadNotice());
  settings.confirmDownload = "no";
  EXPECT_TRUE(settings.ShowsDownloadNotice());
  settings.confirmDownload = "NO";
  EXPECT_FALSE(settings.ShowsDownloadNotice());
  // Writing makes the folder, and keeps what else the file holds.
  ASSERT_TRUE(settings.Write());
  std::string text;
  std::string error;
  ASSERT_TRUE(ReadTextFile(settings.Path(), text, error));
  EXPECT_EQ(text, "[DispSet]\r\nPort=\r\nActivePage=\r\nConfirmDownload=NO\r\n");
}

TEST(Settings, TheDefaultFileIsInTheUsersConfigurationFolder) {
  QTemporaryDir folder;
  qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
  EXPECT_EQ(CAppSettings::DefaultPath(), folder.filePath("qamptool/qamptool.ini").toStdString());
  qunsetenv("XDG_CONFIG_HOME");
}

// --- The frame and the panel by mode ----------------------------------------------------

TEST(MainFrame, AsyncModeHasTheFullMenusAndTheTitleOfAnUntitledDocument) {
  WindowHarness window(ControlMode::kAsync);
  EXPECT_EQ(MenuTitles(window.frame()), QStringList({"&File", "&Tool", "&Help"}));
  EXPECT_EQ(MenuItems(window.frame(), "&File"),
            QStringList({"&Open...", "&Save", "Save &As...", "-", "&Print...", "Export PDF...", "-",
                         "E&xit"}));
  EXPECT_EQ(MenuItems(window.frame(), "&Tool"),
            QStringList({"&User Memo", "&Make Report", "-", "Download &Whole Configuration",
                         "Download &Parts...", "&Read Back Every Download", "-",
                         "Compare with Recei&ver..."}));
  EXPECT_EQ(MenuItems(window.frame(), "&Help"),
            QStringList({"Save &Diagnostics...", "-", "&About Amplora..."}));
  EXPECT_EQ(window.frame().windowTitle(), "Async Mode - Amplora for K2600 ver1.03");
  EXPECT_EQ(MenuItem(window.frame(), "&File", "&Open...")->shortcut(), QKeySequence::Open);
  EXPECT_EQ(MenuItem(window.frame(), "&File", "E&xit")->shortcut(),
            QKeySequence(Qt::CTRL | Qt::Key_Q));
}

TEST(MainFrame, RealTimeModeKeepsOnlyExitAndAbout) {
  WindowHarness window(ControlMode::kRealTime);
  EXPECT_EQ(MenuTitles(window.frame()), QStringList({"&File", "&Help"}));
  EXPECT_EQ(MenuItems(window.frame(), "&File"), QStringList({"E&xit"}));
  EXPECT_EQ(window.frame().windowTitle(), "Real Time Mode - Amplora for K2600 ver1.03");
}

TEST(ControlPanel, ButtonsAndBoxesFollowTheMode) {
  WindowHarness async(ControlMode::kAsync);
  QWidget* view = &async.view();
  EXPECT_FALSE(Shown(FindByName<QPushButton>(view, "Open")));
  EXPECT_FALSE(Shown(FindByName<QPushButton>(view, "Close")));
  EXPECT_FALSE(Shown(FindByName<QPushButton>(view, "Reload")));
  EXPECT_FALSE(Shown(FindByName<QCheckBox>(view, "Zone Power Main")));
  EXPECT_TRUE(Shown(FindByName<QPushButton>(view, "Upload >>")));
  EXPECT_TRUE(Shown(FindByName<QPushButton>(view, "<< Download")));
  EXPECT_EQ(FindByName<QLabel>(view, "Control Mode")->text(), "Async");
  EXPECT_EQ(async.view().ConnectionStatus(), "Not Connected");

  WindowHarness live(ControlMode::kRealTime);
  view = &live.view();
  EXPECT_TRUE(Shown(FindByName<QPushButton>(view, "Open")));
  EXPECT_TRUE(Shown(FindByName<QPushButton>(view, "Close")));
  EXPECT_FALSE(FindByName<QPushButton>(view, "Close")->isEnabled());
  EXPECT_FALSE(FindByName<QPushButton>(view, "Reload")->isEnabled());
  EXPECT_FALSE(Shown(FindByName<QPushButton>(view, "Upload >>")));
  EXPECT_FALSE(Shown(FindByName<QPushButton>(view, "<< Download")));
  EXPECT_EQ(FindByName<QLabel>(view, "Control Mode")->text(), "RealTime");
}

TEST(ControlPanel, EveryControlHasANameOfItsOwn) {
  WindowHarness window(ControlMode::kRealTime);
  QSet<QString> names;
  for (QWidget* widget : window.view().findChildren<QWidget*>()) {
    const bool control = qobject_cast<QAbstractButton*>(widget) != nullptr ||
                         qobject_cast<QComboBox*>(widget) != nullptr ||
                         qobject_cast<QSlider*>(widget) != nullptr;
    if (!control || window.view().Sheet().isAncestorOf(widget)) continue;
    // A combo box is read out by its current text; its name is the label
    // beside it.
    const QString name =
        qobject_cast<QComboBox*>(widget) != nullptr
            ? widget->accessibleName()
            : QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    EXPECT_FALSE(name.isEmpty()) << widget->metaObject()->className();
    EXPECT_FALSE(names.contains(name)) << name.toStdString();
    names.insert(name);
  }
  EXPECT_GE(names.size(), 20);
}

TEST(ControlPanel, MultiChannelInputDisablesTheProgramControls) {
  WindowHarness window(ControlMode::kAsync);
  auto* input = FindByName<QComboBox>(&window.view(), "Input");
  input->setCurrentIndex(12);
  emit input->activated(12);
  EXPECT_EQ(ReadParameter(window.link().CurrentImage(), 1), 12);
  EXPECT_FALSE(FindByName<QRadioButton>(&window.view(), "DSP Program")->isEnabled());
  EXPECT_FALSE(FindByName<QComboBox>(&window.view(), "DSP Program list")->isEnabled());
  EXPECT_TRUE(FindByName<QRadioButton>(&window.view(), "Straight")->isChecked());
  input->setCurrentIndex(6);
  emit input->activated(6);
  EXPECT_TRUE(FindByName<QRadioButton>(&window.view(), "DSP Program")->isEnabled());
}

TEST(ControlPanel, VolumeBelowTheLowestStepReadsMute) {
  WindowHarness window(ControlMode::kAsync);
  auto* slider = FindByName<QSlider>(&window.view(), "Main Volume");
  slider->setValue(-805);
  EXPECT_EQ(FindByName<QLabel>(&window.view(), "Main Volume value")->text(), "Mute");
  slider->setValue(-400);
  EXPECT_EQ(FindByName<QLabel>(&window.view(), "Main Volume value")->text(), "-40.0dB");
  EXPECT_EQ(ReadParameter(window.link().CurrentImage(), 6), -400);
}

// --- A live session ----------------------------------------------------------------------

struct LiveWindow : WindowHarness {
  LiveWindow() : WindowHarness(ControlMode::kRealTime) {}
  void Connect() {
    FindByName<QPushButton>(&view(), "Open")->click();
    ASSERT_TRUE(RunUntil([&] { return view().ConnectionStatus() == "Connected QR-K2600"; }));
    // The receiver is put back on its input and program after the load.
    ASSERT_TRUE(RunUntil([&] { return link().Queue().empty() && link().IsWireIdle(); }));
    Run(1000);
  }
};

TEST(RealTime, OpenConnectsWithTheInitializeWindowAndTheWaitCursor) {
  LiveWindow window;
  FindByName<QPushButton>(&window.view(), "Open")->click();
  ASSERT_TRUE(window.view().IsProgressOpen());
  EXPECT_EQ(window.view().ProgressWindow()->windowTitle(), "Initialize");
  EXPECT_EQ(window.view().ProgressWindow()->Range(), 570);
  EXPECT_EQ(window.frame().cursor().shape(), Qt::WaitCursor);
  window.Run(20000);
  ASSERT_TRUE(window.view().IsProgressOpen());
  EXPECT_GT(window.view().ProgressWindow()->Position(), 50);
  EXPECT_NE(window.view().ProgressWindow()->RemainingText(), "estimating");
  ASSERT_TRUE(window.RunUntil([&] { return !window.view().IsProgressOpen(); }));
  EXPECT_EQ(window.view().ConnectionStatus(), "Connected QR-K2600");
  EXPECT_NE(window.frame().cursor().shape(), Qt::WaitCursor);
  EXPECT_TRUE(FindByName<QPushButton>(&window.view(), "Close")->isEnabled());
  EXPECT_FALSE(FindByName<QPushButton>(&window.view(), "Open")->isEnabled());
  EXPECT_TRUE(FindByName<QPushButton>(&window.view(), "Reload")->isEnabled());
  // The panel shows what the receiver holds.
  EXPECT_EQ(FindByName<QComboBox>(&window.view(), "Input")->currentIndex(),
            ReadParameter(window.receiver.State(), 1));
}

TEST(RealTime, AChosenInputIsSentAtOnce) {
  LiveWindow window;
  window.Connect();
  const size_t before = window.receiver.ReceivedFrames().size();
  auto* input = FindByName<QComboBox>(&window.view(), "Input");
  const int dvd = 6;
  input->setCurrentIndex(dvd);
  emit input->activated(dvd);
  window.Run(500);
  const std::vector<std::string> sent = window.FramesSince(before);
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.front(), Standard("07AC1"));
  EXPECT_EQ(ReadParameter(window.receiver.State(), 1), dvd);
}

TEST(RealTime, AVolumeDragStoresEveryMoveAndSendsOnceOnRelease) {
  LiveWindow window;
  window.Connect();
  auto* slider = FindByName<QSlider>(&window.view(), "Main Volume");
  const size_t before = window.receiver.ReceivedFrames().size();
  slider->setSliderDown(true);
  for (int level : {-300, -250, -210, -200}) {
    slider->setValue(level);
    EXPECT_EQ(ReadParameter(window.link().CurrentImage(), 6), level);
  }
  window.Run(300);
  EXPECT_EQ(window.FramesSince(before).size(), 0u);
  slider->setSliderDown(false);
  window.Run(500);
  // -20.0 dB: -200 / 5 + 199 = 159 = 0x9F.
  EXPECT_EQ(window.FramesSince(before), std::vector<std::string>{Standard("2309F")});
}

TEST(RealTime, AVolumeStepWithoutADragIsSentAtOnce) {
  LiveWindow window;
  window.Connect();
  auto* slider = FindByName<QSlider>(&window.view(), "Main Volume");
  slider->setValue(-200);
  window.Run(300);
  const size_t before = window.receiver.ReceivedFrames().size();
  slider->setFocus();
  QTest::keyClick(slider, Qt::Key_PageUp);  // ten steps of 0.5 dB
  window.Run(300);
  EXPECT_EQ(ReadParameter(window.link().CurrentImage(), 6), -150);
  // -15.0 dB: -150 / 5 + 199 = 169 = 0xA9.
  EXPECT_EQ(window.FramesSince(before), std::vector<std::string>{Standard("230A9")});
  // Arrow keys move nothing.
  QTest::keyClick(slider, Qt::Key_Up);
  QTest::keyClick(slider, Qt::Key_Down);
  window.Run(300);
  EXPECT_EQ(ReadParameter(window.link().CurrentImage(), 6), -150);
  EXPECT_EQ(window.FramesSince(before).size(), 1u);
}

TEST(RealTime, GuardShowsForOneSecondInTheStatusPane) {
  LiveWindow window;
  window.Connect();
  window.receiver.MutableOptions().guardWrites = true;
  auto* slider = FindByName<QSlider>(&window.view(), "Main Volume");
  slider->setValue(-300);
  ASSERT_TRUE(window.RunUntil([&] { return window.frame().StatusPaneText() == "GUARD"; }, 3000));
  window.Run(800);
  EXPECT_EQ(window.frame().StatusPaneText(), "GUARD");
  window.Run(400);
  EXPECT_EQ(window.frame().StatusPaneText(), "");
}

TEST(RealTime, TheConnectionIsCheckedEveryThirtySecondsAndCloseEndsIt) {
  LiveWindow window;
  window.Connect();
  const size_t before = window.receiver.ReceivedFrames().size();
  window.Run(31000);
  EXPECT_FALSE(window.FramesSince(before).empty());
  EXPECT_EQ(window.view().ConnectionStatus(), "Connected QR-K2600");
  FindByName<QPushButton>(&window.view(), "Close")->click();
  EXPECT_FALSE(window.link().IsPortOpen());
  EXPECT_TRUE(FindByName<QPushButton>(&window.view(), "Open")->isEnabled());
  EXPECT_FALSE(FindByName<QPushButton>(&window.view(), "Close")->isEnabled());
  const size_t closed = window.receiver.ReceivedFrames().size();
  window.Run(61000);
  EXPECT_EQ(window.receiver.ReceivedFrames().size(), closed);
}

TEST(RealTime, AnUnansweredConnectionCheckEndsTheConnectionWithItsMessage) {
  LiveWindow window;
  window.Connect();
  window.receiver.MutableOptions().silent = true;
  window.Run(45000);
  ASSERT_FALSE(window.dialogs.messages.empty());
  EXPECT_EQ(window.dialogs.messages.back(), "Connection check error has occurred.");
  EXPECT_FALSE(window.link().IsPortOpen());
}

TEST(RealTime, CancellingTheLoadAsksFirst) {
  LiveWindow window;
  FindByName<QPushButton>(&window.view(), "Open")->click();
  window.Run(5000);
  window.dialogs.answers = {false};
  QTest::keyClick(window.view().ProgressWindow(), Qt::Key_Escape);
  EXPECT_TRUE(window.view().IsProgressOpen());
  ASSERT_EQ(window.dialogs.questions.size(), 1u);
  EXPECT_EQ(window.dialogs.questions.back(),
            "Initialize is Cancel: Initialization is stopped.\nIs it all right?");
  window.dialogs.answers = {true};
  FindByName<QPushButton>(window.view().ProgressWindow(), "Cancel")->click();
  EXPECT_FALSE(window.view().IsProgressOpen());
}

// --- Transfers in Async Mode ---------------------------------------------------------------

TEST(Async, UploadShowsItsProgressAndBringsTheReceiversConfiguration) {
  sim::SimOptions options;
  options.startState = sim::StartState::kPlausible;
  WindowHarness window(ControlMode::kAsync, options);
  FindByName<QPushButton>(&window.view(), "Upload >>")->click();
  ASSERT_TRUE(window.RunUntil([&] {
    return window.view().IsProgressOpen() &&
           window.view().ProgressWindow()->windowTitle() == "Upload Command Sending";
  }));
  EXPECT_GT(window.view().ProgressWindow()->Range(), 1000);
  ASSERT_TRUE(window.RunUntil([&] { return !window.view().IsProgressOpen(); }));
  EXPECT_TRUE(window.dialogs.messages.empty()) << window.dialogs.messages.front().toStdString();
  EXPECT_FALSE(window.link().IsPortOpen());
  for (ParamId id : {1, 2, 6, 259, 260, 426}) {
    EXPECT_EQ(ReadParameter(window.link().CurrentImage(), id),
              ReadParameter(window.receiver.State(), id))
        << id;
  }
  EXPECT_EQ(FindByName<QComboBox>(&window.view(), "Input")->currentIndex(),
            ReadParameter(window.receiver.State(), 1));
  EXPECT_TRUE(window.program.Doc().IsModified());
}

TEST(Async, CancelledUploadLeavesTheConfigurationAsItWas) {
  sim::SimOptions options;
  options.startState = sim::StartState::kPlausible;
  WindowHarness window(ControlMode::kAsync, options);
  const std::string before = window.program.App().SaveConfigurationText();
  FindByName<QPushButton>(&window.view(), "Upload >>")->click();
  ASSERT_TRUE(window.RunUntil([&] {
    return window.view().IsProgressOpen() && window.view().ProgressWindow()->Position() > 300;
  }));
  window.dialogs.answers = {true};
  FindByName<QPushButton>(window.view().ProgressWindow(), "Cancel")->click();
  window.Run(2000);
  EXPECT_FALSE(window.view().IsProgressOpen());
  EXPECT_EQ(window.program.App().SaveConfigurationText(), before);
  EXPECT_NE(window.dialogs.questions.front().indexOf("Transmission of a command is interrupted."),
            -1);
}

TEST(Async, DownloadAsksTheNoticeAndTickingStoresNoEvenWhenCancelled) {
  WindowHarness window(ControlMode::kAsync);
  window.dialogs.notice = {false, true};
  const size_t before = window.receiver.ReceivedFrames().size();
  FindByName<QPushButton>(&window.view(), "<< Download")->click();
  EXPECT_EQ(window.dialogs.noticeShown, 1);
  EXPECT_EQ(window.settings.confirmDownload, "NO");
  window.Run(2000);
  EXPECT_EQ(window.receiver.ReceivedFrames().size(), before);
  EXPECT_FALSE(window.link().IsPortOpen());
  // "NO" hides the notice from now on.
  FindByName<QPushButton>(&window.view(), "<< Download")->click();
  EXPECT_EQ(window.dialogs.noticeShown, 1);
  window.view().ProgressWindow();
  ASSERT_TRUE(window.RunUntil([&] { return window.view().IsProgressOpen(); }));
}

TEST(Async, DownloadWritesTheImageIntoTheReceiver) {
  WindowHarness window(ControlMode::kAsync);
  auto* slider = FindByName<QSlider>(&window.view(), "Main Volume");
  slider->setValue(-350);
  FindByName<QPushButton>(&window.view(), "<< Download")->click();
  ASSERT_TRUE(window.RunUntil([&] {
    return window.view().IsProgressOpen() &&
           window.view().ProgressWindow()->windowTitle() == "Download Command Sending";
  }));
  ASSERT_TRUE(window.RunUntil([&] { return !window.view().IsProgressOpen(); }));
  EXPECT_EQ(ReadParameter(window.receiver.State(), 6), -350);
  EXPECT_EQ(window.settings.confirmDownload, "YES");
}

// An Upload, one level changed on its page, and "<< Download": the notice
// says that only the changed page goes, and the receiver gets just that.
TEST(Async, ADownloadAfterAnUploadSendsOnlyWhatChanged) {
  sim::SimOptions options;
  options.startState = sim::StartState::kPlausible;
  WindowHarness window(ControlMode::kAsync, options);
  FindByName<QPushButton>(&window.view(), "Upload >>")->click();
  ASSERT_TRUE(window.RunUntil([&] { return window.view().IsProgressOpen(); }));
  ASSERT_TRUE(window.RunUntil([&] { return !window.view().IsProgressOpen(); }));
  ASSERT_TRUE(window.program.App().Session().KnownState());
  const int level = ReadParameter(window.link().Image(0), 261);
  StoreParameter(window.link().Image(0), 261, level == 100 ? 95 : level + 5);
  const size_t before = window.receiver.ReceivedFrames().size();
  FindByName<QPushButton>(&window.view(), "<< Download")->click();
  EXPECT_EQ(window.dialogs.noticeShown, 1);
  EXPECT_TRUE(window.dialogs.noticeDetail.startsWith(
      "Only what changed since the receiver was last read or written will be sent: Speaker "
      "Level"))
      << window.dialogs.noticeDetail.toStdString();
  ASSERT_TRUE(window.RunUntil([&] {
    return window.view().IsProgressOpen() &&
           window.view().ProgressWindow()->windowTitle() == "Download Command Sending";
  }));
  EXPECT_TRUE(window.view().ProgressWindow()->Note().startsWith("Sending Speaker Level"))
      << window.view().ProgressWindow()->Note().toStdString();
  ASSERT_TRUE(window.RunUntil([&] { return !window.view().IsProgressOpen(); }));
  EXPECT_LT(window.receiver.ReceivedFrames().size() - before, 30u);
  EXPECT_EQ(ReadParameter(window.receiver.State(), 261),
            ReadParameter(window.link().Image(0), 261));
  // The read-back follows, and says what it found.
  ASSERT_TRUE(window.RunUntil([&] { return !window.dialogs.messages.empty(); }, 60000));
  EXPECT_TRUE(window.dialogs.messages.back().startsWith("The receiver holds what was written: "))
      << window.dialogs.messages.back().toStdString();
  EXPECT_EQ(window.dialogs.icons.back(), MessageIcon::kInformation);
  EXPECT_FALSE(window.program.App().Session().IsVerifying());
  // Nothing more to send: the receiver is checked and left alone.
  window.dialogs.messages.clear();
  FindByName<QPushButton>(&window.view(), "<< Download")->click();
  ASSERT_TRUE(window.RunUntil([&] { return !window.dialogs.messages.empty(); }, 60000));
  EXPECT_EQ(window.dialogs.messages.back().toStdString(), kMessageNothingToSend);
}

// A memory changed after an Upload: it is stored, then read back, and the
// progress window says so while the memory is read.
TEST(Async, AStoredMemoryIsReadBackAndTheProgressWindowSaysSo) {
  sim::SimOptions options;
  options.startState = sim::StartState::kPlausible;
  WindowHarness window(ControlMode::kAsync, options);
  for (int memory = 1; memory <= 6; ++memory) window.receiver.SetMemoryHasData(memory, true);
  FindByName<QPushButton>(&window.view(), "Upload >>")->click();
  ASSERT_TRUE(window.RunUntil([&] { return window.view().IsProgressOpen(); }));
  ASSERT_TRUE(window.RunUntil([&] { return !window.view().IsProgressOpen(); }));
  ASSERT_TRUE(window.program.App().Session().KnownState());
  const int level = ReadParameter(window.link().Image(3), 268);
  const int changed = level == -95 ? -90 : -95;
  StoreParameter(window.link().Image(3), 268, changed);
  FindByName<QPushButton>(&window.view(), "<< Download")->click();
  ASSERT_TRUE(window.RunUntil(
      [&] {
        return window.view().IsProgressOpen() &&
               window.view().ProgressWindow()->windowTitle() == "Download Command Sending" &&
               !window.program.App().Session().MemoriesBeingReadBack().empty();
      },
      600000));
  EXPECT_EQ(window.view().ProgressWindow()->Note(),
            "Reading back System Memory 3, then giving the receiver its own setting again.");
  ASSERT_TRUE(window.RunUntil([&] { return !window.dialogs.messages.empty(); }, 600000));
  EXPECT_TRUE(window.dialogs.messages.back().startsWith("The receiver holds what was written: "))
      << window.dialogs.messages.back().toStdString();
  EXPECT_EQ(ReadParameter(window.receiver.Memory(3), 268), changed);
}

TEST(Async, DownloadPartsSendsTheTickedPartsOnly) {
  WindowHarness window(ControlMode::kAsync);
  window.dialogs.chosenParts = std::vector<std::string>{"Speaker Level"};
  const size_t before = window.receiver.ReceivedFrames().size();
  MenuItem(window.frame(), "&Tool", "Download &Parts...")->trigger();
  ASSERT_FALSE(window.dialogs.offeredParts.empty());
  EXPECT_EQ(window.dialogs.offeredParts.front(), "System Memory 1");
  EXPECT_EQ(window.dialogs.offeredParts.back(), "Basic Control");
  EXPECT_TRUE(
      window.dialogs.noticeDetail.startsWith("Only these parts will be sent: Speaker Level"));
  ASSERT_TRUE(window.RunUntil([&] { return window.view().IsProgressOpen(); }));
  ASSERT_TRUE(window.RunUntil([&] { return !window.view().IsProgressOpen(); }));
  // The connection, the opening commands and the ten levels.
  const std::vector<std::string>& frames = window.receiver.ReceivedFrames();
  EXPECT_LT(frames.size() - before, 30u);
  EXPECT_EQ(frames.back().substr(1, 3), "240");
  // Cancelled: nothing is sent.
  window.dialogs.chosenParts.reset();
  const size_t after = frames.size();
  MenuItem(window.frame(), "&Tool", "Download &Parts...")->trigger();
  window.Run(2000);
  EXPECT_EQ(window.receiver.ReceivedFrames().size(), after);
}

TEST(DownloadPartsDialog, ListsEveryPartWithABoxAndDownloadsOnlyWhenOneIsTicked) {
  CDownloadPartsDialog dialog({"System Memory 1", "Speaker Level", "Basic Control"});
  QListWidget* list = dialog.List();
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->accessibleName(), "Parts to download");
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  QPushButton* download = buttons->button(QDialogButtonBox::Ok);
  EXPECT_EQ(download->text(), "Download");
  EXPECT_FALSE(download->isEnabled());
  list->item(1)->setCheckState(Qt::Checked);
  EXPECT_TRUE(download->isEnabled());
  EXPECT_EQ(dialog.Chosen(), std::vector<std::string>{"Speaker Level"});
}

TEST(Async, CancelledDownloadAsksAndRestoresTheImages) {
  WindowHarness window(ControlMode::kAsync);
  FindByName<QSlider>(&window.view(), "Main Volume")->setValue(-350);
  const std::string before = window.program.App().SaveConfigurationText();
  FindByName<QPushButton>(&window.view(), "<< Download")->click();
  ASSERT_TRUE(window.RunUntil([&] {
    return window.view().IsProgressOpen() && window.view().ProgressWindow()->Position() > 100;
  }));
  window.dialogs.answers = {false};
  FindByName<QPushButton>(window.view().ProgressWindow(), "Cancel")->click();
  EXPECT_TRUE(window.view().IsProgressOpen());
  window.dialogs.answers = {true};
  FindByName<QPushButton>(window.view().ProgressWindow(), "Cancel")->click();
  window.Run(2000);
  EXPECT_FALSE(window.view().IsProgressOpen());
  EXPECT_FALSE(window.link().IsPortOpen());
  EXPECT_EQ(window.program.App().SaveConfigurationText(), before);
}

TEST(Async, EveryTransferWritesTheErrorLog) {
  WindowHarness window(ControlMode::kAsync);
  FindByName<QPushButton>(&window.view(), "<< Download")->click();
  ASSERT_TRUE(window.RunUntil([&] { return window.view().IsProgressOpen(); }));
  ASSERT_TRUE(window.RunUntil([&] { return !window.view().IsProgressOpen(); }));
  EXPECT_EQ(window.log.text.rfind("StartTime :", 0), 0u) << window.log.text;
  EXPECT_NE(window.log.text.find("EndTime :"), std::string::npos);
  EXPECT_NE(window.log.text.find("Total :"), std::string::npos);
  EXPECT_EQ(window.log.closings, 1);
}

TEST(Async, TheVolumeSliderIsFrozenWhileAProgressWindowIsOpen) {
  WindowHarness window(ControlMode::kAsync);
  auto* slider = FindByName<QSlider>(&window.view(), "Main Volume");
  slider->setValue(-300);
  FindByName<QPushButton>(&window.view(), "Upload >>")->click();
  ASSERT_TRUE(window.RunUntil([&] { return window.view().IsProgressOpen(); }));
  slider->setValue(-100);
  EXPECT_EQ(ReadParameter(window.link().CurrentImage(), 6), -300);
  EXPECT_EQ(slider->value(), -300);
}

// --- Files -----------------------------------------------------------------------------------

TEST(Files, SaveAsThenSaveAsksBeforeOverwritingAndTheTitleFollowsTheFile) {
  WindowHarness window(ControlMode::kAsync);
  const QString path = window.folder.filePath("living.qcf");
  window.dialogs.saveName = path;
  MenuItem(window.frame(), "&File", "Save &As...")->trigger();
  ASSERT_TRUE(QFile::exists(path));
  EXPECT_EQ(window.frame().windowTitle(), "living.qcf - Amplora for K2600 ver1.03");
  EXPECT_FALSE(window.program.Doc().IsModified());

  FindByName<QSlider>(&window.view(), "Main Volume")->setValue(-250);
  EXPECT_TRUE(window.program.Doc().IsModified());
  window.dialogs.answers = {false};
  MenuItem(window.frame(), "&File", "&Save")->trigger();
  ASSERT_EQ(window.dialogs.questions.size(), 1u);
  EXPECT_EQ(window.dialogs.questions.back(),
            "Amplora for K2600: It overwrites. \nIs it all right?");
  std::string text;
  std::string error;
  ASSERT_TRUE(ReadTextFile(path.toStdString(), text, error));
  EXPECT_EQ(text.find("Main Volume=-25.0dB"), std::string::npos);
  window.dialogs.answers = {true};
  MenuItem(window.frame(), "&File", "&Save")->trigger();
  ASSERT_TRUE(ReadTextFile(path.toStdString(), text, error));
  EXPECT_NE(text.find("Main Volume=-25.0dB"), std::string::npos);
}

TEST(Files, OpenReadsTheFileAndAFileThatIsNoConfigurationChangesNothing) {
  WindowHarness window(ControlMode::kAsync);
  const QString good = window.folder.filePath("good.qcf");
  FindByName<QSlider>(&window.view(), "Main Volume")->setValue(-450);
  ASSERT_TRUE(window.program.Doc().SaveTo(good, &window.frame()));
  FindByName<QSlider>(&window.view(), "Main Volume")->setValue(-100);

  const QString bad = window.folder.filePath("notes.qcf");
  std::string error;
  ASSERT_TRUE(WriteTextFileAtomically(bad.toStdString(), "shopping list\r\n", error));
  window.dialogs.openName = bad;
  window.dialogs.saveAnswer = CDialogs::SaveAnswer::kDiscard;
  MenuItem(window.frame(), "&File", "&Open...")->trigger();
  ASSERT_EQ(window.dialogs.messages.size(), 1u);
  EXPECT_NE(window.dialogs.messages.back().indexOf("not a configuration file"), -1);
  EXPECT_EQ(ReadParameter(window.link().CurrentImage(), 6), -100);
  EXPECT_EQ(window.frame().windowTitle(), "good.qcf - Amplora for K2600 ver1.03");

  window.dialogs.openName = good;
  MenuItem(window.frame(), "&File", "&Open...")->trigger();
  EXPECT_EQ(ReadParameter(window.link().CurrentImage(), 6), -450);
  EXPECT_EQ(FindByName<QSlider>(&window.view(), "Main Volume")->value(), -450);
}

TEST(Files, AFileCutShortOpensWithAWarningThatNamesWhatItLacks) {
  WindowHarness window(ControlMode::kAsync);
  FindByName<QSlider>(&window.view(), "Main Volume")->setValue(-450);
  const std::string whole = window.program.App().SaveConfigurationText();
  const QString cut = window.folder.filePath("cut.qcf");
  std::string error;
  ASSERT_TRUE(WriteTextFileAtomically(cut.toStdString(), whole.substr(0, 5000), error));
  FindByName<QSlider>(&window.view(), "Main Volume")->setValue(-100);
  ASSERT_TRUE(window.program.Doc().Open(cut, &window.frame()));
  ASSERT_EQ(window.dialogs.messages.size(), 1u);
  const QString warning = window.dialogs.messages.front();
  EXPECT_EQ(window.dialogs.icons.front(), MessageIcon::kWarning);
  EXPECT_NE(warning.indexOf("lacks values"), -1) << warning.toStdString();
  EXPECT_NE(warning.indexOf("keys missing"), -1) << warning.toStdString();
  EXPECT_NE(warning.indexOf("(missing)"), -1) << warning.toStdString();
  // What the file has is read: the Basic Control section comes first.
  EXPECT_EQ(ReadParameter(window.link().CurrentImage(), 6), -450);

  window.dialogs.messages.clear();
  const QString good = window.folder.filePath("whole.qcf");
  ASSERT_TRUE(WriteTextFileAtomically(good.toStdString(), whole, error));
  ASSERT_TRUE(window.program.Doc().Open(good, &window.frame()));
  EXPECT_TRUE(window.dialogs.messages.empty());
}

TEST(Files, UnsavedChangesAreAskedAboutBeforeOpenAndAtExit) {
  WindowHarness window(ControlMode::kAsync);
  FindByName<QSlider>(&window.view(), "Main Volume")->setValue(-150);
  window.dialogs.saveAnswer = CDialogs::SaveAnswer::kCancel;
  window.dialogs.openName = window.folder.filePath("never.qcf");
  EXPECT_FALSE(window.program.Doc().OnFileOpen(&window.frame()));
  EXPECT_EQ(window.dialogs.questions.size(), 1u);
  EXPECT_FALSE(window.frame().QueryClose());
  window.dialogs.saveAnswer = CDialogs::SaveAnswer::kSave;
  window.dialogs.saveName = window.folder.filePath("kept.qcf");
  EXPECT_TRUE(window.frame().QueryClose());
  EXPECT_TRUE(QFile::exists(window.dialogs.saveName));
}

TEST(Files, AFailedSaveSaysWhyAndKeepsTheDocumentUnsaved) {
  WindowHarness window(ControlMode::kAsync);
  FindByName<QSlider>(&window.view(), "Main Volume")->setValue(-150);
  window.dialogs.saveName = window.folder.filePath("missing/folder/x.qcf");
  MenuItem(window.frame(), "&File", "Save &As...")->trigger();
  ASSERT_EQ(window.dialogs.messages.size(), 1u);
  EXPECT_NE(window.dialogs.messages.back().indexOf("could not be saved"), -1);
  EXPECT_TRUE(window.program.Doc().IsModified());
  EXPECT_EQ(window.frame().windowTitle(), "Async Mode - Amplora for K2600 ver1.03");
}

// --- Remembered between runs ---------------------------------------------------------------

TEST(Remembered, ThePortAndTheActivePageAreStoredAndSelectedAgain) {
  WindowHarness window(ControlMode::kAsync);
  ASSERT_TRUE(window.view().Sheet().ActivateByCaption("Volume"));
  window.view().StoreSettings();
  EXPECT_EQ(window.settings.activePage, "Volume");
  EXPECT_EQ(window.settings.port, "Simulated receiver (sim)");

  WindowHarness next(ControlMode::kAsync);
  next.settings.activePage = "Volume";
  next.settings.port = "COM3";
  next.view().InitialUpdate();
  ASSERT_NE(next.view().Sheet().ActivePage(), nullptr);
  EXPECT_EQ(next.view().Sheet().ActivePage()->Caption(), "Volume");
}

TEST(Questions, PagesAskWithTheirIconAndButtons) {
  ScriptedDialogs dialogs;
  CGuiHost host(dialogs);
  dialogs.answers = {false, true};
  EXPECT_FALSE(
      host.Message("Refresh?", "System Memory", PageIcon::kInformation, PageButtons::kYesNo));
  EXPECT_TRUE(host.Message("Really?", "", PageIcon::kExclamation, PageButtons::kOkCancel));
  EXPECT_TRUE(host.Message("Done.", "", PageIcon::kError, PageButtons::kOk));
  ASSERT_EQ(dialogs.questions.size(), 2u);
  EXPECT_EQ(dialogs.questions[0], "System Memory: Refresh?");
  EXPECT_EQ(dialogs.questionIcons[0], MessageIcon::kInformation);
  EXPECT_TRUE(dialogs.questionsYesNo[0]);
  EXPECT_EQ(dialogs.questions[1], "Amplora for K2600: Really?");
  EXPECT_EQ(dialogs.questionIcons[1], MessageIcon::kWarning);
  EXPECT_FALSE(dialogs.questionsYesNo[1]);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.icons[0], MessageIcon::kError);
}

// What a real message box looked like when it opened, read while it is
// open and then answered with `answer`.
struct SeenBox {
  bool seen = false;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title;
  QString text;
  Qt::TextFormat format = Qt::AutoText;
  QMessageBox::StandardButtons buttons;
};

// Reads the next message box once its own event loop runs, then presses
// `answer`.
void WatchNextBox(SeenBox& seen, QMessageBox::StandardButton answer) {
  QTimer::singleShot(0, [&seen, answer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen = {true,        box->icon(),       box->windowTitle(),
            box->text(), box->textFormat(), box->standardButtons()};
    box->button(answer)->click();
  });
}

TEST(Questions, APageWarningIsARealBoxWithTheWarningIconAndOkAlone) {
  CQtDialogs dialogs;
  CGuiHost host(dialogs);
  SeenBox seen;
  WatchNextBox(seen, QMessageBox::Ok);
  EXPECT_TRUE(host.Message("Please enter <b>an</b> integer.", "", PageIcon::kExclamation,
                           PageButtons::kOk));
  ASSERT_TRUE(seen.seen);
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(seen.title, "Amplora for K2600");
  EXPECT_EQ(seen.text, "Please enter <b>an</b> integer.");
  EXPECT_EQ(seen.format, Qt::PlainText);
  EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

  // A question with Yes and No keeps its own title and its icon; No is false.
  seen = {};
  WatchNextBox(seen, QMessageBox::No);
  EXPECT_FALSE(host.Message("Refresh?", "System Memory", PageIcon::kError, PageButtons::kYesNo));
  ASSERT_TRUE(seen.seen);
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_EQ(seen.title, "System Memory");
  EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
}

TEST(ProgressWindow, TimesAreShownAsTheUserReadsThem) {
  EXPECT_EQ(CProgressWindow::DurationText(0), "0:00");
  EXPECT_EQ(CProgressWindow::DurationText(81800), "1:22");
  EXPECT_EQ(CProgressWindow::DurationText(3723000), "1:02:03");
  EXPECT_EQ(CProgressWindow::EstimateRemainingMs(10000, 0, 570), -1);
  EXPECT_EQ(CProgressWindow::EstimateRemainingMs(10000, 5, 570), -1);  // under 2 %
  EXPECT_EQ(CProgressWindow::EstimateRemainingMs(20000, 100, 500), 80000);
  EXPECT_EQ(CProgressWindow::EstimateRemainingMs(20000, 500, 500), 0);
}

}  // namespace
}  // namespace qamp::testing
