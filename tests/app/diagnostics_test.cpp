// Help > Save Diagnostics: a folder with every file a helper asks for, and
// the message of a connection nobody answered.
#include <gtest/gtest.h>

#include <QFile>
#include <QMenuBar>
#include <QPushButton>

#include "app/window_harness.h"

namespace qamp::testing {
namespace {

QAction* HelpItem(QMainWindow& frame, const QString& item) {
  for (QAction* menu : frame.menuBar()->actions()) {
    if (menu->text() != "&Help") continue;
    for (QAction* action : menu->menu()->actions()) {
      if (action->text() == item) return action;
    }
  }
  return nullptr;
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void Write(const QString& path, const QByteArray& content) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(content);
}

struct DiagnosticsWindow : WindowHarness {
  DiagnosticsWindow() : WindowHarness(ControlMode::kAsync) {
    Write(folder.filePath("ErrLog.txt"),
          "StartTime :T\r\nSpeaker Set SW Phase\tSTX, \"x\", ETX\r\n");
    Write(folder.filePath("last-trace.txt"), "     0.000 * open sim\n");
    settings.Write();
    DiagnosticsSources sources;
    sources.settingsPath = settings.Path();
    sources.errorLogPath = folder.filePath("ErrLog.txt").toStdString();
    sources.tracePath = folder.filePath("last-trace.txt").toStdString();
    frame().SetDiagnosticsSources(sources);
  }
};

TEST(Diagnostics, TheFolderHoldsVersionsSettingsPortsErrorLogAndTrace) {
  DiagnosticsWindow window;
  QAction* save = HelpItem(window.frame(), "Save &Diagnostics...");
  ASSERT_NE(save, nullptr);
  const QString target = window.folder.filePath("for-support");
  window.dialogs.diagnosticsName = target;
  save->trigger();
  EXPECT_TRUE(window.dialogs.diagnosticsSuggested.contains("qamptool-diagnostics-"));
  ASSERT_EQ(window.dialogs.messages.size(), 1u);
  EXPECT_EQ(window.dialogs.messages[0],
            "The diagnostics are in " + target +
                " (version.txt, qamptool.ini, ports.txt, ErrLog.txt, trace.txt). Send the whole "
                "folder to whoever helps you.");
  EXPECT_EQ(window.dialogs.icons[0], MessageIcon::kInformation);
  const QByteArray version = Contents(target + "/version.txt");
  EXPECT_TRUE(version.startsWith(QByteArray("qamptool ") + QAMP_VERSION + "\nQt " + qVersion() +
                                 " (built with "))
      << version.toStdString();
  EXPECT_EQ(Contents(target + "/qamptool.ini"),
            Contents(QString::fromStdString(window.settings.Path())));
  EXPECT_FALSE(Contents(target + "/qamptool.ini").isEmpty());
  EXPECT_TRUE(Contents(target + "/ports.txt").startsWith("Serial ports ("));
  EXPECT_EQ(Contents(target + "/ErrLog.txt"),
            "StartTime :T\r\nSpeaker Set SW Phase\tSTX, \"x\", ETX\r\n");
  EXPECT_EQ(Contents(target + "/trace.txt"), "     0.000 * open sim\n");
}

TEST(Diagnostics, ATraceThatStartedAgainBringsItsEarlierPartFirst) {
  DiagnosticsWindow window;
  Write(window.folder.filePath("last-trace.txt.1"), "     0.000 * open /dev/ttyUSB0\n");
  window.dialogs.diagnosticsName = window.folder.filePath("again");
  HelpItem(window.frame(), "Save &Diagnostics...")->trigger();
  EXPECT_EQ(Contents(window.folder.filePath("again/trace.txt")),
            "     0.000 * open /dev/ttyUSB0\n     0.000 * open sim\n");
}

TEST(Diagnostics, CancelWritesNothingAndAFullFolderIsLeftAlone) {
  DiagnosticsWindow window;
  window.dialogs.diagnosticsName.clear();
  HelpItem(window.frame(), "Save &Diagnostics...")->trigger();
  EXPECT_TRUE(window.dialogs.messages.empty());

  const QString full = window.folder.filePath("full");
  ASSERT_TRUE(QDir().mkpath(full));
  Write(full + "/version.txt", "mine");
  window.dialogs.diagnosticsName = full;
  HelpItem(window.frame(), "Save &Diagnostics...")->trigger();
  ASSERT_EQ(window.dialogs.messages.size(), 1u);
  EXPECT_EQ(window.dialogs.messages[0], full + " already holds files; choose a new folder.");
  EXPECT_EQ(window.dialogs.icons[0], MessageIcon::kError);
  EXPECT_EQ(Contents(full + "/version.txt"), "mine");
  EXPECT_FALSE(QFile::exists(full + "/ports.txt"));
}

TEST(Diagnostics, SourcesThatAreNotThereAreSaidSoInTheirFiles) {
  WindowHarness window(ControlMode::kAsync);
  DiagnosticsSources sources;
  sources.settingsPath = window.folder.filePath("never-written.ini").toStdString();
  window.frame().SetDiagnosticsSources(sources);
  const QString target = window.folder.filePath("sparse");
  window.dialogs.diagnosticsName = target;
  HelpItem(window.frame(), "Save &Diagnostics...")->trigger();
  const QByteArray settings = Contents(target + "/qamptool.ini");
  EXPECT_TRUE(settings.startsWith("(settings file " + sources.settingsPath + " cannot be read: "))
      << settings.toStdString();
  EXPECT_EQ(Contents(target + "/ErrLog.txt"), "(no error log is kept)\n");
  EXPECT_EQ(Contents(target + "/trace.txt"), "(no port trace is kept)\n");
}

TEST(NoAnswer, TheWindowsMessageListsWhatToCheckAfterItsOwnText) {
  sim::SimOptions options;
  options.silent = true;
  WindowHarness window(ControlMode::kRealTime, options);
  FindByName<QPushButton>(&window.view(), "Open")->click();
  ASSERT_TRUE(window.RunUntil([&] { return !window.dialogs.messages.empty(); }, 120000));
  EXPECT_EQ(window.dialogs.messages.back(),
            "Communication error has occurred during initialization.\n"
            "No receiver answered on sim. Check, in this order:\n"
            "1. The cable: a null-modem (crossed) RS-232C cable with RTS and CTS wired, plugged "
            "firmly into the receiver's RS-232C terminal and into the port.\n"
            "2. The receiver's power: the receiver is switched on.\n"
            "3. The port: the cable is in sim and not in another port (qampctl ports lists this "
            "machine's ports).\n"
            "4. Who else has the port open: no other program may use sim at the same time.");
  EXPECT_EQ(window.dialogs.icons.back(), MessageIcon::kError);
}

}  // namespace
}  // namespace qamp::testing
