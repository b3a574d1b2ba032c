// "Compare with Receiver...": reads the receiver into an application object
// of its own (its own session, pages and host, its own timers on the
// window's clock), over the window's port, and lists where it differs from
// the configuration open in the window. The window's images, document and
// unsaved changes are never touched. The reading shows the session's own
// progress windows, with their Cancel; a failure is told with the
// session's own message and lists nothing.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

#include "app/dialogs.h"
#include "app/progress_window.h"
#include "document/configuration_diff.h"
#include "document/qamptool_app.h"
#include "sim/virtual_clock.h"

namespace qamp {

class CReceiverComparison : public QObject {
 public:
  // `window` is the configuration compared with; `port` the port the
  // reading opens, which the window's link shares; `log` and `logClock`
  // the error log every operation writes.
  CReceiverComparison(CQAmpToolApp& window, SerialTransport& port, sim::VirtualClock* virtualClock,
                      CDialogs& dialogs, LogSink* log, CErrorLog::Clock logClock);
  ~CReceiverComparison() override;

  // Reads the receiver on the port `selection` of `ports` chooses (as
  // CReceiverSession::SelectPort takes it) and, when it has been read,
  // shows the differences through CDialogs::ShowComparison. `portName` and
  // `configuration` are what the list names the two sides by. False when a
  // comparison runs already.
  bool Start(QWidget* parent, ReceiverRead read, std::vector<PortEntry> ports, int selection,
             const QString& portName, const QString& configuration);
  bool IsRunning() const { return phase_ != Phase::kIdle; }
  CProgressWindow* ProgressWindow() const { return progress_; }
  // The application object the receiver is read into, while it is read
  // and after (until the next comparison).
  CQAmpToolApp* Reading() const;

 private:
  enum class Phase { kIdle, kReading, kSettling, kRestoring };
  class Host;
  struct Run;

  void OpenProgress(bool initialize, int range, const QString& caption);
  void SetProgress(int position);
  void CloseProgress();
  void Cancel(bool initialize);
  void Ended(OperationOutcome outcome);
  void Settle();
  void Compare();
  void Finish(const QString& message);

  CQAmpToolApp& window_;
  SerialTransport& port_;
  sim::VirtualClock* virtualClock_;
  CDialogs& dialogs_;
  LogSink* log_;
  CErrorLog::Clock logClock_;
  std::unique_ptr<Run> reading_;
  QPointer<CProgressWindow> progress_;
  QPointer<QWidget> parent_;
  Phase phase_ = Phase::kIdle;
  ReceiverRead read_ = ReceiverRead::kCurrentSetting;
  QString portName_;
  QString configuration_;
  bool cancelled_ = false;
  int settleWaits_ = 0;
};

}  // namespace qamp
