#include "app/gui_host.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>
#include <QTimer>

#include "app/qamptool_view.h"
#include "qt/port_list.h"

namespace qamp {

namespace {

QString Text(std::string_view text) {
  QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  result.replace("\r\n", "\n");
  return result;
}

}  // namespace

CGuiHost::CGuiHost(CDialogs& dialogs, sim::VirtualClock* virtualClock)
    : dialogs_(dialogs), virtualClock_(virtualClock) {
  if (virtualClock_ != nullptr) {
    virtualTimers_ =
        std::make_unique<sim::TimerBank>(*virtualClock_, [this](int timer) { Fire(timer); });
  } else {
    realTimers_ = std::make_unique<QtTimerBank>([this](int timer) { Fire(timer); });
  }
  realClock_.start();
}

CGuiHost::~CGuiHost() {
  while (waitCursors_ > 0) SetWaitCursor(false);
}

int64_t CGuiHost::NowMs() const {
  return virtualClock_ != nullptr ? virtualClock_->NowMs() : realClock_.elapsed();
}

void CGuiHost::Fire(int timer) {
  if (session_ != nullptr) session_->OnTimer(timer);
}

QWidget* CGuiHost::Parent() const {
  return view_ != nullptr ? view_->window() : dialogParent_;
}

void CGuiHost::After(int milliseconds, QObject* context, std::function<void()> task) {
  if (virtualClock_ == nullptr) {
    QTimer::singleShot(milliseconds, context, std::move(task));
    return;
  }
  virtualClock_->Schedule(milliseconds,
                          [guard = QPointer<QObject>(context), task = std::move(task)] {
                            if (guard) task();
                          });
}

void CGuiHost::StartTimer(int timer, int milliseconds) {
  if (virtualTimers_) {
    virtualTimers_->Start(timer, milliseconds);
  } else {
    realTimers_->Start(timer, milliseconds);
  }
}

void CGuiHost::KillTimer(int timer) {
  if (virtualTimers_) {
    virtualTimers_->Kill(timer);
  } else {
    realTimers_->Kill(timer);
  }
}

void CGuiHost::ShowConnectionStatus(std::string_view text) {
  if (view_ != nullptr) view_->ShowConnectionStatus(Text(text));
}

void CGuiHost::ShowStatusBar(std::string_view text) {
  if (view_ != nullptr) view_->ShowStatusBarText(Text(text));
}

void CGuiHost::ShowMessage(std::string_view text, MessageIcon icon) {
  messageShown_ = true;
  const std::string shown = session_ != nullptr
                                ? ExplainNoAnswer(text, session_->ConnectionDevices())
                                : std::string(text);
  dialogs_.Show(Parent(), Text(shown), Text(kMessageTitle), icon);
}

bool CGuiHost::Ask(std::string_view text, std::string_view title) {
  return dialogs_.Ask(Parent(), Text(text), Text(title), MessageIcon::kQuestion, false);
}

void CGuiHost::InitializeOpened(int range) {
  messageShown_ = false;
  if (view_ != nullptr) view_->OpenProgress(CQAmpToolView::Progress::kInitialize, range, {});
}

void CGuiHost::InitializeProgress(int position) {
  if (view_ != nullptr) view_->SetProgress(position);
}

void CGuiHost::InitializeClosed() {
  if (view_ != nullptr) view_->CloseProgress();
}

void CGuiHost::SendingOpened(int range, bool showsProgress, std::string_view caption) {
  // A single command opens no visible window.
  if (!showsProgress || view_ == nullptr) return;
  view_->OpenProgress(CQAmpToolView::Progress::kSending, range, Text(caption));
  if (session_ != nullptr && session_->Link().Job() == TransferJob::kDownload &&
      !session_->IsRestoringReceiverSetting()) {
    QString note = planNote_;
    if (!note.isEmpty()) note += "\n";
    const DownloadPlan& plan = session_->Plan();
    if (plan.kind == DownloadPlan::Kind::kWhole) {
      note += "Sending the whole configuration: " + Text(plan.Summary()) + ".";
    } else {
      QStringList parts;
      for (const std::string& part : plan.parts) parts << Text(part);
      note += "Sending " + parts.join(", ") + ": " + Text(plan.Summary()) + ".";
    }
    view_->SetProgressNote(note);
  } else if (session_ != nullptr && !session_->MemoriesBeingReadBack().empty()) {
    QStringList memories;
    for (const int memory : session_->MemoriesBeingReadBack())
      memories << QString("System Memory %1").arg(memory);
    view_->SetProgressNote("Reading back " + memories.join(", ") +
                           ", then giving the receiver its own setting again.");
  }
  planNote_.clear();
}

void CGuiHost::SendingProgress(int position) {
  if (view_ != nullptr) view_->SetProgress(position);
}

void CGuiHost::SendingClosed() {
  if (view_ != nullptr) view_->CloseProgress();
}

void CGuiHost::RefreshUserInterface() {
  if (view_ != nullptr) view_->RefreshUserInterface();
}

void CGuiHost::RefreshActivePage() {
  if (view_ != nullptr) view_->RefreshActivePage();
}

void CGuiHost::RefreshParams(const std::vector<ParamId>& ids) {
  if (view_ != nullptr) view_->RefreshParams(ids);
}

void CGuiHost::RefreshBasicControl(ParamId id) {
  if (view_ != nullptr) view_->RefreshBasicControl(id);
}

void CGuiHost::RefreshMemoryWindow() {
  if (view_ != nullptr) view_->RefreshMemoryWindow();
}

void CGuiHost::OperationEnded(OperationOutcome outcome, std::string_view message) {
  // A failure the session did not put in a message box of its own (a port
  // that vanished, for one) is still told.
  if (outcome == OperationOutcome::kFailed && !messageShown_ && !message.empty()) {
    ShowMessage(message, MessageIcon::kError);
  }
  // A Download that found nothing to send says so.
  if (outcome == OperationOutcome::kTransferDone && !messageShown_ && !message.empty()) {
    ShowMessage(message, MessageIcon::kInformation);
  }
  messageShown_ = false;
  planNote_.clear();
  if (view_ != nullptr) view_->OperationEnded(outcome);
}

void CGuiHost::DownloadPlanChanged(const DownloadPlan& plan, std::string_view why) {
  planNote_ = Text(why);
  // Once the window is open (the model flags are read in it), it shows the
  // change at once.
  if (view_ != nullptr && view_->IsProgressOpen()) {
    view_->SetProgressNote(planNote_ +
                           "\nSending the whole configuration: " + Text(plan.Summary()) + ".");
    planNote_.clear();
  }
}

bool CGuiHost::AskOkCancel(std::string_view text, std::string_view title) {
  return dialogs_.Ask(Parent(), Text(text), Text(title.empty() ? kMessageTitle : title),
                      MessageIcon::kQuestion, false);
}

bool CGuiHost::Message(std::string_view text, std::string_view title, PageIcon icon,
                       PageButtons buttons) {
  MessageIcon shown = MessageIcon::kInformation;
  switch (icon) {
    case PageIcon::kQuestion:
      shown = MessageIcon::kQuestion;
      break;
    case PageIcon::kExclamation:
      shown = MessageIcon::kWarning;
      break;
    case PageIcon::kError:
      shown = MessageIcon::kError;
      break;
    case PageIcon::kNone:
    case PageIcon::kInformation:
      break;
  }
  const QString boxTitle = Text(title.empty() ? kMessageTitle : title);
  if (buttons == PageButtons::kOk) {
    dialogs_.Show(Parent(), Text(text), boxTitle, shown);
    return true;
  }
  return dialogs_.Ask(Parent(), Text(text), boxTitle, shown, buttons == PageButtons::kYesNo);
}

void CGuiHost::Beep() {
  QApplication::beep();
}

void CGuiHost::SetWaitCursor(bool on) {
  if (on) {
    ++waitCursors_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (waitCursors_ > 0) {
    --waitCursors_;
    QApplication::restoreOverrideCursor();
  }
}

std::optional<std::string> CGuiHost::Choose(CFrequencyDialog& dialog) {
  return dialogs_.ChooseFrequency(Parent(), dialog);
}

}  // namespace qamp
