// The whole desktop program over the in-process simulated receiver on a
// virtual clock, with every question answered by the test.
#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <deque>

#include "app/main_frame.h"
#include "app/program.h"
#include "sim/simulated_receiver.h"
#include "support/lossy_transport.h"
#include "support/session_harness.h"

namespace qamp::testing {

class ScriptedDialogs : public CDialogs {
 public:
  bool Ask(QWidget* /*parent*/, const QString& text, const QString& title, MessageIcon icon,
           bool yesNo) override {
    questions.push_back(title + ": " + text);
    questionIcons.push_back(icon);
    questionsYesNo.push_back(yesNo);
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void Show(QWidget* /*parent*/, const QString& text, const QString& /*title*/,
            MessageIcon icon) override {
    messages.push_back(text);
    icons.push_back(icon);
  }
  SaveAnswer AskSaveChanges(QWidget* /*parent*/, const QString& text) override {
    questions.push_back(text);
    return saveAnswer;
  }
  std::optional<ControlMode> StartMode() override {
    ++startModeShown;
    return startMode;
  }
  std::optional<int> TunerRegion(int current) override {
    ++tunerRegionShown;
    regionPreselected = current;
    return region;
  }
  NoticeAnswer Notice(QWidget* /*parent*/, const QString& detail) override {
    ++noticeShown;
    noticeDetail = detail;
    return notice;
  }
  std::optional<std::vector<std::string>> DownloadParts(
      QWidget* /*parent*/, const std::vector<std::string>& parts) override {
    offeredParts = parts;
    return chosenParts;
  }
  QString OpenFileName(QWidget* /*parent*/) override { return openName; }
  QString SaveFileName(QWidget* /*parent*/, const QString& /*suggested*/) override {
    return saveName;
  }
  QString PdfFileName(QWidget* /*parent*/, const QString& /*suggested*/) override {
    return pdfName;
  }
  QString DiagnosticsFolder(QWidget* /*parent*/, const QString& suggested) override {
    diagnosticsSuggested = suggested;
    return diagnosticsName;
  }
  QString FilterFileToImport(QWidget* /*parent*/) override { return filterImportName; }
  QString FilterFileToExport(QWidget* /*parent*/, const QString& suggested) override {
    filterExportSuggested = suggested;
    return filterExportName;
  }
  std::optional<std::string> ChooseFrequency(QWidget* /*parent*/,
                                             CFrequencyDialog& dialog) override {
    return dialog.Ok();
  }
  std::optional<ReceiverRead> ComparisonScope(QWidget* /*parent*/) override {
    ++comparisonScopeShown;
    return comparisonScope;
  }
  void ShowComparison(QWidget* /*parent*/, const ComparisonResult& result) override {
    comparisons.push_back(result);
  }

  std::deque<bool> answers;
  std::vector<QString> questions;
  std::vector<MessageIcon> questionIcons;
  std::vector<bool> questionsYesNo;
  std::vector<QString> messages;
  std::vector<MessageIcon> icons;
  SaveAnswer saveAnswer = SaveAnswer::kDiscard;
  std::optional<ControlMode> startMode = ControlMode::kAsync;
  std::optional<int> region = 1;
  int startModeShown = 0;
  int tunerRegionShown = 0;
  int regionPreselected = -1;
  NoticeAnswer notice{true, false};
  int noticeShown = 0;
  QString noticeDetail;
  std::vector<std::string> offeredParts;
  std::optional<std::vector<std::string>> chosenParts;
  QString openName;
  QString saveName;
  QString pdfName;
  QString diagnosticsName;
  QString diagnosticsSuggested;
  QString filterImportName;
  QString filterExportName;
  QString filterExportSuggested;
  std::optional<ReceiverRead> comparisonScope = ReceiverRead::kCurrentSetting;
  int comparisonScopeShown = 0;
  std::vector<ComparisonResult> comparisons;
};

struct WindowHarness {
  explicit WindowHarness(ControlMode mode, sim::SimOptions options = {}, int region = 1)
      : receiver(std::move(options)),
        transport(receiver, clock),
        settings(folder.filePath("qamptool.ini").toStdString()),
        program(transport, &clock, dialogs, settings, Setup(mode, region, &log)) {
    program.Show();
  }

  static CProgram::Setup Setup(ControlMode mode, int region, LogSink* log) {
    CProgram::Setup setup;
    setup.mode = mode;
    setup.region = region;
    setup.log = log;
    setup.ports = {{"Simulated receiver (sim)", "sim", {}, "sim"}};
    return setup;
  }

  CQAmpToolView& view() { return program.View(); }
  CMainFrame& frame() { return program.Frame(); }
  CCommClass& link() { return program.App().Link(); }
  // Lets virtual time pass with the window's events handled on the way.
  void Run(int64_t ms) {
    const int64_t end = clock.NowMs() + ms;
    while (clock.NowMs() < end) {
      clock.Advance(std::min<int64_t>(50, end - clock.NowMs()));
      QCoreApplication::processEvents();
    }
  }
  bool RunUntil(const std::function<bool()>& done, int64_t limitMs = 3600000) {
    const int64_t end = clock.NowMs() + limitMs;
    while (!done()) {
      if (clock.NowMs() >= end) return false;
      clock.Advance(50);
      QCoreApplication::processEvents();
    }
    return true;
  }
  // The frames the receiver got since `from`.
  std::vector<std::string> FramesSince(size_t from) const {
    const auto& all = receiver.ReceivedFrames();
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), all.end()};
  }

  QTemporaryDir folder;
  sim::VirtualClock clock;
  sim::CSimulatedReceiver receiver;
  LossyTransport transport;  // the simulator's port, which can lose answers
  ScriptedDialogs dialogs;
  CAppSettings settings;
  MemoryLog log;
  CProgram program;
};

// The widget whose accessible name is `name` among `root`'s children.
template <typename Widget>
Widget* FindByName(QWidget* root, const QString& name) {
  for (Widget* widget : root->findChildren<Widget*>()) {
    if (widget->accessibleName() == name) return widget;
  }
  return nullptr;
}

}  // namespace qamp::testing
