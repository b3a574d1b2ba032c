// What the session and the pages ask of the desktop program: timers (on
// QTimer, or on a virtual clock for the demo's simulated time and for the
// window tests), questions and messages through CDialogs, the wait cursor,
// and everything a window shows, which goes to the main view.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <memory>

#include "app/dialogs.h"
#include "pages/base_page.h"
#include "pages/tuner_set_page.h"
#include "qt/qt_timers.h"
#include "session/receiver_session.h"
#include "sim/virtual_clock.h"

namespace qamp {

class CQAmpToolView;

class CGuiHost : public SessionHost, public PageHost, public FrequencyChooser {
 public:
  CGuiHost(CDialogs& dialogs, sim::VirtualClock* virtualClock = nullptr);
  ~CGuiHost() override;
  void Attach(CReceiverSession* session) { session_ = session; }
  void SetView(CQAmpToolView* view) { view_ = view; }
  // The window the questions and messages belong to when there is no view
  // (a host of its own for a read beside the window's).
  void SetDialogParent(QWidget* parent) { dialogParent_ = parent; }
  CDialogs& Dialogs() { return dialogs_; }
  // Milliseconds on the clock the link runs on.
  int64_t NowMs() const;
  bool IsVirtualTime() const { return virtualClock_ != nullptr; }
  // Runs `task` once, `milliseconds` later on the clock the link runs on,
  // unless `context` is gone by then.
  void After(int milliseconds, QObject* context, std::function<void()> task);

  // SessionHost.
  void StartTimer(int timer, int milliseconds) override;
  void KillTimer(int timer) override;
  void ShowConnectionStatus(std::string_view text) override;
  void ShowStatusBar(std::string_view text) override;
  void ShowMessage(std::string_view text, MessageIcon icon) override;
  bool Ask(std::string_view text, std::string_view title) override;
  void InitializeOpened(int range) override;
  void InitializeProgress(int position) override;
  void InitializeClosed() override;
  void SendingOpened(int range, bool showsProgress, std::string_view caption) override;
  void SendingProgress(int position) override;
  void SendingClosed() override;
  void RefreshUserInterface() override;
  void RefreshActivePage() override;
  void RefreshParams(const std::vector<ParamId>& ids) override;
  void RefreshBasicControl(ParamId id) override;
  void RefreshMemoryWindow() override;
  void OperationEnded(OperationOutcome outcome, std::string_view message) override;
  void DownloadPlanChanged(const DownloadPlan& plan, std::string_view why) override;

  // PageHost (SetWaitCursor serves both).
  bool AskOkCancel(std::string_view text, std::string_view title) override;
  bool Message(std::string_view text, std::string_view title, PageIcon icon,
               PageButtons buttons) override;
  void Beep() override;
  void SetWaitCursor(bool on) override;

  // FrequencyChooser.
  std::optional<std::string> Choose(CFrequencyDialog& dialog) override;

 private:
  void Fire(int timer);
  QWidget* Parent() const;

  CDialogs& dialogs_;
  sim::VirtualClock* virtualClock_;
  CReceiverSession* session_ = nullptr;
  CQAmpToolView* view_ = nullptr;
  QWidget* dialogParent_ = nullptr;
  std::unique_ptr<QtTimerBank> realTimers_;
  std::unique_ptr<sim::TimerBank> virtualTimers_;
  QElapsedTimer realClock_;
  int waitCursors_ = 0;
  bool messageShown_ = false;
  QString planNote_;  // why a Download sends everything, until its window opens
};

}  // namespace qamp
