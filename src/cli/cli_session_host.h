// The session's host on the command line: timers on the real clock, progress
// on stderr (a bar on a terminal, plain percentages otherwise), messages on
// stderr, and an event loop that runs until the operation has ended.
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "pages/base_page.h"

#include "qt/qt_timers.h"
#include "session/receiver_session.h"
#include "sim/virtual_clock.h"

namespace qamp::cli {

// The pages' questions on the command line: asked on the terminal, answered
// OK by --yes, and left unanswered (Cancel) when standard input is not a
// terminal, which the command then reports as a usage error.
class CliPageHost : public PageHost {
 public:
  CliPageHost(std::ostream& err, std::istream& in, bool yes, bool terminal)
      : err_(err), in_(in), yes_(yes), terminal_(terminal) {}
  bool AskOkCancel(std::string_view text, std::string_view title) override;
  void Beep() override {}
  void SetWaitCursor(bool /*on*/) override {}

  // A question that needed an answer nobody could give.
  bool Unanswered() const { return !unanswered_.empty(); }
  const std::string& UnansweredQuestion() const { return unanswered_; }
  bool Declined() const { return declined_; }

 private:
  std::ostream& err_;
  std::istream& in_;
  bool yes_;
  bool terminal_;
  std::string unanswered_;
  bool declined_ = false;
};

// The progress line drawn in place on a terminal: the caption, a bar, the
// percentage, the time elapsed and the time left as the pace so far
// foretells it ("--:--" before the first step).
std::string ProgressLine(std::string_view caption, int position, int range, int64_t elapsedMs);
// "0:07", "12:34", "1:02:03".
std::string ProgressTime(int64_t ms);

class CliSessionHost : public SessionHost {
 public:
  // With a virtual clock, the session's timers and the event loop run in
  // simulated time. Progress is drawn only on a terminal (`terminal`); a
  // script's stderr gets nothing but the messages.
  CliSessionHost(std::ostream& err, bool terminal, sim::VirtualClock* virtualClock = nullptr);
  void Attach(CReceiverSession* session) { session_ = session; }

  void StartTimer(int timer, int milliseconds) override;
  void KillTimer(int timer) override;
  void ShowMessage(std::string_view text, MessageIcon icon) override;
  bool Ask(std::string_view /*text*/, std::string_view /*title*/) override { return true; }
  void InitializeOpened(int range) override;
  void InitializeProgress(int position) override;
  void InitializeClosed() override;
  void SendingOpened(int range, bool showsProgress, std::string_view caption) override;
  void SendingProgress(int position) override;
  void SendingClosed() override;
  void OperationEnded(OperationOutcome outcome, std::string_view message) override;
  void DownloadPlanChanged(const DownloadPlan& plan, std::string_view why) override;

  // Runs the event loop until an operation has ended (or `maximumMs`, or
  // an interruption). An operation that ended before the loop ran (a port
  // that does not open ends it at once) is returned at once.
  std::optional<OperationOutcome> Run(int maximumMs = -1);
  // Ctrl-C with nothing to cancel: the loop ends, and so does the command.
  void Interrupt();
  bool Interrupted() const { return interrupted_; }
  const std::string& LastMessage() const { return lastMessage_; }
  // Runs the event loop until `done` holds, checking every few milliseconds.
  void RunUntil(const std::function<bool()>& done);
  // Lets `milliseconds` pass with the event loop running.
  void Wait(int milliseconds);
  // Without progress, the connection's reading shows no percentages (a
  // read of a few values takes a moment).
  void SetShowsProgress(bool shows) { showsProgress_ = shows; }
  // Messages already shown are not repeated when the command ends.
  bool MessageShown() const { return messageShown_; }

 private:
  void Progress(int position);
  void EndProgress();
  void OpenProgress(std::string caption, int range);
  std::string Caption(std::string_view phase) const;
  int64_t NowMs() const;

  std::ostream& err_;
  bool terminal_;
  CReceiverSession* session_ = nullptr;
  QtTimerBank timers_;
  sim::VirtualClock* virtualClock_;
  std::unique_ptr<sim::TimerBank> virtualTimers_;
  QEventLoop loop_;
  std::optional<OperationOutcome> outcome_;
  std::string lastMessage_;
  bool messageShown_ = false;
  bool interrupted_ = false;
  std::string caption_;
  int range_ = 0;
  int shownPercent_ = -1;
  int64_t shownSecond_ = -1;
  int64_t progressStartMs_ = 0;
  bool progressOpen_ = false;
  bool showsProgress_ = true;
  QElapsedTimer monotonic_;
};

}  // namespace qamp::cli
