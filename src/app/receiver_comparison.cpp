#include "app/receiver_comparison.h"

#include "app/gui_host.h"

namespace qamp {

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const QString kCancelledText =
    QStringLiteral("The comparison with the receiver was cancelled: nothing was compared.");

// After a read of the current setting the receiver is given back its own
// input and program; its answers to the last frames come this long after.
constexpr int kAnswerMs = 300;
constexpr int kSettleCheckMs = 50;

}  // namespace

// The reading's host: the window's host, with the progress windows and the
// end of each operation told to the comparison instead of the main view.
class CReceiverComparison::Host : public CGuiHost {
 public:
  Host(CReceiverComparison& owner, CDialogs& dialogs, sim::VirtualClock* virtualClock)
      : CGuiHost(dialogs, virtualClock), owner_(owner) {}

  void InitializeOpened(int range) override {
    owner_.OpenProgress(true, range, Text(kInitializeCaption));
  }
  void InitializeProgress(int position) override { owner_.SetProgress(position); }
  void InitializeClosed() override { owner_.CloseProgress(); }
  void SendingOpened(int range, bool showsProgress, std::string_view caption) override {
    if (showsProgress) owner_.OpenProgress(false, range, Text(caption));
  }
  void SendingProgress(int position) override { owner_.SetProgress(position); }
  void SendingClosed() override { owner_.CloseProgress(); }
  void OperationEnded(OperationOutcome outcome, std::string_view message) override {
    // A failure the session has not told yet is told as the window tells it.
    CGuiHost::OperationEnded(outcome, message);
    owner_.Ended(outcome);
  }

 private:
  CReceiverComparison& owner_;
};

struct CReceiverComparison::Run {
  Run(CReceiverComparison& owner, SerialTransport& port, CDialogs& dialogs,
      sim::VirtualClock* virtualClock, ControlMode mode, int region, LogSink* log,
      CErrorLog::Clock logClock)
      : host(owner, dialogs, virtualClock),
        app(port, host, host, mode, region, log, std::move(logClock), &host) {
    host.Attach(&app.Session());
  }
  ~Run() { app.Link().ClosePort(); }

  Host host;
  CQAmpToolApp app;
};

CReceiverComparison::CReceiverComparison(CQAmpToolApp& window, SerialTransport& port,
                                         sim::VirtualClock* virtualClock, CDialogs& dialogs,
                                         LogSink* log, CErrorLog::Clock logClock)
    : window_(window),
      port_(port),
      virtualClock_(virtualClock),
      dialogs_(dialogs),
      log_(log),
      logClock_(std::move(logClock)) {}

CReceiverComparison::~CReceiverComparison() {
  CloseProgress();
  reading_.reset();
}

CQAmpToolApp* CReceiverComparison::Reading() const {
  return reading_ ? &reading_->app : nullptr;
}

bool CReceiverComparison::Start(QWidget* parent, ReceiverRead read, std::vector<PortEntry> ports,
                                int selection, const QString& portName,
                                const QString& configuration) {
  if (IsRunning()) return false;
  // The last comparison's reading goes; nothing of it is on the stack now.
  reading_.reset();
  parent_ = parent;
  read_ = read;
  portName_ = portName;
  configuration_ = configuration;
  cancelled_ = false;
  // A connection in Real Time Mode reads the current setting with its whole
  // initial load; an Upload reads everything.
  const ControlMode mode =
      read == ReceiverRead::kUpload ? ControlMode::kAsync : ControlMode::kRealTime;
  reading_ = std::make_unique<Run>(*this, port_, dialogs_, virtualClock_, mode,
                                   window_.Link().RegionCode(), log_, logClock_);
  reading_->host.SetDialogParent(parent);
  CReceiverSession& session = reading_->app.Session();
  session.SetPorts(std::move(ports));
  session.SelectPort(selection);
  phase_ = Phase::kReading;
  if (read == ReceiverRead::kUpload) {
    session.StartUpload();
  } else {
    session.Open();
  }
  return true;
}

void CReceiverComparison::OpenProgress(bool initialize, int range, const QString& caption) {
  CloseProgress();
  progress_ = new CProgressWindow(
      parent_, caption, Text(initialize ? kConnectingText : kCommandSendingText), range,
      [this] { return reading_ ? reading_->host.NowMs() : 0; },
      [this, initialize] { Cancel(initialize); });
  if (cancelled_ || phase_ == Phase::kRestoring) {
    progress_->SetNote("The comparison was cancelled; the receiver is given its own setting back.");
  } else if (read_ == ReceiverRead::kUpload) {
    progress_->SetNote(
        "Reading the receiver's current setting and memories to compare them with this "
        "configuration.");
  } else {
    progress_->SetNote(
        "Reading the receiver's current setting to compare it with this configuration.");
  }
  progress_->show();
}

void CReceiverComparison::SetProgress(int position) {
  if (progress_ != nullptr) progress_->SetProgress(position);
}

void CReceiverComparison::CloseProgress() {
  if (progress_ == nullptr) return;
  CProgressWindow* window = progress_;
  progress_ = nullptr;
  window->hide();
  window->deleteLater();
}

void CReceiverComparison::Cancel(bool initialize) {
  if (!reading_ || !IsRunning()) return;
  CReceiverSession& session = reading_->app.Session();
  cancelled_ = false;
  // The session asks first, and after a cancelled Upload offers to put the
  // receiver's own setting back, as it does for the window's Upload.
  if (initialize) {
    session.CancelInitialization(true);
  } else {
    session.CancelSending(true);
  }
  if (!cancelled_ || !IsRunning()) return;  // the user went on, or it has ended
  if (phase_ != Phase::kRestoring && session.IsRestoringReceiverSetting()) {
    phase_ = Phase::kRestoring;
    cancelled_ = false;
    return;
  }
  // A cancelled read of the current setting leaves the connection open.
  session.Close();
  Finish(kCancelledText);
}

void CReceiverComparison::Ended(OperationOutcome outcome) {
  if (!reading_ || !IsRunning()) return;
  // Sends of a real-time connection end on their own; the read goes on.
  if (outcome == OperationOutcome::kSendingDone) return;
  CReceiverSession& session = reading_->app.Session();
  if (phase_ == Phase::kRestoring || cancelled_) {
    // Putting the receiver's own setting back has ended; the session has
    // said how. A Cancel of it is Cancel's to end.
    if (outcome == OperationOutcome::kCancelled) {
      cancelled_ = true;
      return;
    }
    Finish(kCancelledText);
    return;
  }
  if (outcome == OperationOutcome::kCancelled) {
    cancelled_ = true;  // Cancel decides what follows
    return;
  }
  if (phase_ == Phase::kReading) {
    if (read_ == ReceiverRead::kCurrentSetting && outcome == OperationOutcome::kConnected) {
      phase_ = Phase::kSettling;
      Settle();
      return;
    }
    if (read_ == ReceiverRead::kUpload && outcome == OperationOutcome::kTransferDone) {
      Compare();
      return;
    }
  }
  // No answer, a port that did not open, a connection lost: the session has
  // told it, and nothing was read to compare.
  session.Close();
  Finish({});
}

void CReceiverComparison::Settle() {
  // The load ends by giving the receiver its own input and program back:
  // those frames go out, and their answers come, before the port closes.
  CCommClass& link = reading_->app.Link();
  if ((link.IsWireIdle() && link.QueueLength() == 0) || !link.IsPortOpen()) {
    reading_->host.After(kAnswerMs, this, [this] {
      if (phase_ != Phase::kSettling) return;
      reading_->app.Session().Close();
      Compare();
    });
    return;
  }
  reading_->host.After(kSettleCheckMs, this, [this] {
    if (phase_ == Phase::kSettling) Settle();
  });
}

void CReceiverComparison::Compare() {
  CQAmpToolApp& receiver = reading_->app;
  ComparisonResult result;
  result.read = read_;
  result.port = portName_;
  result.configuration = configuration_;
  // Reads skipped, and the commands of the read (selections, memory
  // loads) that went unanswered: either leaves values that are not the
  // receiver's.
  result.unansweredReads =
      receiver.Link().SkippedReads() + receiver.Session().ErrorLog()->FailedCommands();
  result.differences = Differences(receiver, nullptr, window_, nullptr, SectionsReadBy(read_));
  CloseProgress();
  phase_ = Phase::kIdle;
  dialogs_.ShowComparison(parent_, result);
}

void CReceiverComparison::Finish(const QString& message) {
  CloseProgress();
  phase_ = Phase::kIdle;
  if (!message.isEmpty())
    dialogs_.Show(parent_, message, Text(kMessageTitle), MessageIcon::kInformation);
}

}  // namespace qamp
