#include "session/receiver_session.h"

#include <algorithm>

#include "link/basic_control_commands.h"
#include "link/parameter_reads.h"
#include "link/read_request_table.h"
#include "link/receiver_state.h"
#include "model/parameter_store.h"

namespace qamp {

namespace {

bool CarriedByTheConfiguration(ParamId id) {
  static const std::vector<bool> carried = [] {
    std::vector<bool> table(kLastParamId + 1, false);
    for (ParamId each = kFirstParamId; each <= kLastParamId; ++each)
      table[static_cast<size_t>(each)] = CarriedByConfiguration(each);
    return table;
  }();
  return id >= kFirstParamId && id <= kLastParamId && carried[static_cast<size_t>(id)];
}

constexpr int kFixedPortAttempts = 5;
constexpr int kScannedPortAttempts = 3;
constexpr std::string_view kGuardText = "GUARD";
constexpr std::string_view kErrorText = "ERROR";

class NullLogSink : public LogSink {
 public:
  bool Create() override { return false; }
  void Append(std::string_view /*text*/) override {}
  void Close() override {}
};

NullLogSink& NoLog() {
  static NullLogSink sink;
  return sink;
}

constexpr std::array<std::string_view, 8> kBasicControlKeys = {
    "Input",         "Audio Select", "Decoder Mode", "DSP Program",
    "EXTD Surround", "Main Volume",  "Mute",         "Pure Direct"};

}  // namespace

CReceiverSession::CReceiverSession(SerialTransport& transport, SessionHost& host, ControlMode mode,
                                   LogSink* logSink, CErrorLog::Clock clock)
    : host_(host), link_(transport, *this) {
  link_.SetMode(mode);
  if (!clock) clock = [] { return LogTime{}; };
  errorLog_ = std::make_unique<CErrorLog>(
      logSink != nullptr ? *logSink : NoLog(), std::move(clock),
      [this](ParamId id, std::string& section, std::string& key) {
        if (id >= 1 && id <= 8) {
          section = "Basic Control";
          key = std::string(kBasicControlKeys[static_cast<size_t>(id - 1)]);
          return true;
        }
        return pages_ != nullptr && pages_->Describe(id, section, key);
      });
}

CReceiverSession::~CReceiverSession() = default;

// --- Ports ----------------------------------------------------------------------

void CReceiverSession::SetPorts(std::vector<PortEntry> ports) {
  ports_ = std::move(ports);
  selection_ = 0;
}

std::vector<std::string> CReceiverSession::PortListNames() const {
  std::vector<std::string> names;
  if (!ports_.empty()) names.emplace_back(kAutoPortName);
  for (const PortEntry& port : ports_) names.push_back(port.name);
  return names;
}

void CReceiverSession::SelectPortByName(std::string_view name) {
  const std::vector<std::string> names = PortListNames();
  selection_ = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) selection_ = static_cast<int>(i);
  }
}

std::vector<std::string> CReceiverSession::ConnectionDevices() const {
  std::vector<std::string> devices;
  if (selection_ == 0 && !ports_.empty()) {
    for (const PortEntry& port : ports_) devices.push_back(port.device);
  } else if (const std::string device = SelectedDevice(); !device.empty()) {
    devices.push_back(device);
  }
  return devices;
}

std::string CReceiverSession::SelectedDevice() const {
  if (scanIndex_ >= 1) {
    return scanIndex_ <= static_cast<int>(ports_.size())
               ? ports_[static_cast<size_t>(scanIndex_ - 1)].device
               : std::string();
  }
  // With ports listed, entry 0 is "Auto" and entry k the port k - 1.
  if (ports_.empty()) return {};
  const int port = selection_ - 1;
  if (port < 0 || port >= static_cast<int>(ports_.size())) return {};
  return ports_[static_cast<size_t>(port)].device;
}

namespace {

// Some reports answer no command of their own (the sound program that
// follows an input selection, the volume that follows a volume-memory
// load): when answers go missing on the way, such a value can be lost
// without any command failing, so a troubled Upload says so.
std::string UploadDoubtMessage(int resends, int unreadable) {
  std::string text = "The Upload is complete, but the line to the receiver lost answers (";
  text += std::to_string(resends) + " command(s) had to be sent again, " +
          std::to_string(unreadable) +
          " frame(s) could not be read).\nValues the receiver reports unasked, such as the sound "
          "program of "
          "each input and the volume memories, may be missing.\nCheck the cable and Upload again.";
  return text;
}

}  // namespace

// --- Starting and ending connections --------------------------------------------

void CReceiverSession::Open() {
  if (link_.Job() == TransferJob::kNone) link_.SetJob(TransferJob::kRealTimeConnection);
  errorLog_->StartOperationLog();
  StartConnection();
}

void CReceiverSession::StartUpload() {
  // A new Upload reads the receiver as it is now.
  receiverSetting_.reset();
  skippedCommands_ = 0;
  link_.SetJob(TransferJob::kUpload);
  errorLog_->StartOperationLog();
  TakeBackup();
  StartConnection();
}

void CReceiverSession::StartDownload(DownloadPlan plan) {
  // A Download gives the receiver a setting of the program's.
  receiverSetting_.reset();
  skippedCommands_ = 0;
  plan_ = std::move(plan);
  if (plan_.kind == DownloadPlan::Kind::kDelta && !plan_.baseline) plan_ = DownloadPlan{};
  link_.SetJob(TransferJob::kDownload);
  errorLog_->StartOperationLog();
  // A Download changes no image of its own accord; the backup makes sure a
  // failed or cancelled one leaves them exactly as they were all the same.
  TakeBackup();
  StartConnection();
}

void CReceiverSession::StartConnection() {
  attempts_ = 0;
  scanIndex_ = !ports_.empty() && selection_ == 0 ? 1 : -1;
  rememberedJob_ = link_.Job();
  OpenInitialize();
}

void CReceiverSession::OpenInitialize() {
  initializeOpen_ = true;
  host_.InitializeOpened(kInitialLoadProgressTotal);
  if (link_.OpenPort(SelectedDevice())) return;
  OpeningFailed();
}

void CReceiverSession::OpeningFailed() {
  if (scanIndex_ == -1) {
    std::string message(kMessagePortError);
    if (!link_.LastPortError().empty()) message += "\n" + link_.LastPortError();
    if (verification_ != nullptr) {
      VerificationFailed(message);
      return;
    }
    FinishInitialization(true, false, {});
    errorLog_->EndOperationLog();
    host_.ShowMessage(message, MessageIcon::kError);
    DropBackup();
    restoring_ = false;
    host_.OperationEnded(OperationOutcome::kFailed, message);
    return;
  }
  // While scanning, a port that does not open just moves the scan on.
  attempts_ = kScannedPortAttempts;
  host_.StartTimer(kConnectionWatchTimer, kConnectionWatchMs);
}

void CReceiverSession::OnConnectionWatch() {
  ++attempts_;
  FinishInitialization(true, false, {});
  if (scanIndex_ == -1) {
    if (attempts_ >= kFixedPortAttempts) {
      FailConnection(kMessageInitializationError);
      return;
    }
  } else if (attempts_ >= kScannedPortAttempts) {
    ++scanIndex_;
    if (scanIndex_ > static_cast<int>(ports_.size())) {
      FailConnection(kMessageInitializationError);
      return;
    }
    attempts_ = 0;
  }
  link_.RetryOrGiveUp("");
  Close();
  link_.SetJob(rememberedJob_);
  OpenInitialize();
}

void CReceiverSession::FailConnection(std::string_view message) {
  if (verification_ != nullptr) {
    VerificationFailed(message);
    return;
  }
  link_.KillTimer(kConnectionWatchTimer);
  attempts_ = 0;
  link_.ClosePort();
  host_.ShowMessage(message, MessageIcon::kError);
  DropBackup();
  restoring_ = false;
  host_.OperationEnded(OperationOutcome::kFailed, message);
}

void CReceiverSession::EndInitialization(bool failed) {
  FinishInitialization(failed, true, failed ? link_.LastPortError() : std::string());
}

void CReceiverSession::FinishInitialization(bool failed, bool final, std::string_view message) {
  if (initializeOpen_) {
    initializeOpen_ = false;
    host_.InitializeClosed();
  }
  if (verification_ != nullptr) {
    VerificationConnected(failed, final, message);
    return;
  }
  const TransferJob job = link_.Job();
  if (pages_ != nullptr) pages_->UpdateModelControls();
  if (failed) {
    const std::string reason(message);
    link_.ClosePort();
    link_.KillTimer(kLoadAnswerTimer);
    if (job == TransferJob::kRealTimeConnection) {
      link_.ResetImage(0);
      host_.RefreshUserInterface();
    }
    if (final) {
      // The image backup of a transfer is kept across the retries of its
      // connection and freed only when the connection has finally failed.
      DropBackup();
      restoring_ = false;
      host_.OperationEnded(OperationOutcome::kFailed, reason);
    }
    return;
  }
  if (link_.IsRealTimeMode()) link_.StartTimerAfterWrites(kCheckIntervalTimer, kCheckIntervalMs);
  host_.ShowConnectionStatus(kStatusConnected);
  switch (job) {
    case TransferJob::kRealTimeConnection:
      host_.OperationEnded(OperationOutcome::kConnected, {});
      break;
    case TransferJob::kUpload:
      link_.UploadSequence(0);
      break;
    case TransferJob::kDownload:
      if (restoring_) {
        QueueReceiverRestore();
      } else {
        if (plan_.kind == DownloadPlan::Kind::kDelta &&
            !ReportAgrees(link_.ConnectionReport(), plan_.baseline->images[0])) {
          SendEverythingInstead(kReasonReceiverChanged);
        } else if (plan_.SendsNothing() && plan_.kind == DownloadPlan::Kind::kDelta) {
          // The receiver holds the configuration already.
          link_.SetJob(TransferJob::kNone);
          link_.ClosePort();
          DropBackup();
          host_.OperationEnded(OperationOutcome::kTransferDone, kMessageNothingToSend);
          return;
        }
        link_.SetDownloadMemories(plan_.memories);
        link_.DownloadSequence(0);
      }
      break;
    case TransferJob::kNone:
      break;
  }
}

void CReceiverSession::Close() {
  const bool realTime = link_.Job() == TransferJob::kRealTimeConnection;
  link_.KillTimer(kCheckIntervalTimer);
  link_.ClosePort();
  if (realTime && pages_ != nullptr) pages_->UpdateModelControls();
}

void CReceiverSession::Reload(bool ask) {
  if (ask && !host_.Ask(kQuestionReload, "Reload")) return;
  link_.KillTimer(kCheckIntervalTimer);
  link_.ClosePort();
  Open();
}

bool CReceiverSession::ReadRows(const std::vector<int>& rows) {
  if (link_.Job() != TransferJob::kRealTimeConnection || initializeOpen_ || sendingOpen_)
    return false;
  link_.KillTimer(kCheckIntervalTimer);
  return link_.ReadRows(rows);
}

void CReceiverSession::CancelInitialization(bool ask) {
  if (verification_ != nullptr) {
    // Stopping the read-back leaves what was written as it is.
    if (ask &&
        !host_.Ask(kQuestionStopInitialization, std::string(kInitializeCaption) + " is Cancel"))
      return;
    VerificationFailed("the read-back was cancelled.");
    return;
  }
  const TransferJob job = link_.Job();
  if (job == TransferJob::kRealTimeConnection) {
    if (ask &&
        !host_.Ask(kQuestionStopInitialization, std::string(kInitializeCaption) + " is Cancel"))
      return;
  } else {
    link_.SetJob(TransferJob::kNone);
  }
  link_.KillTimer(kLoadAnswerTimer);
  link_.KillTimer(kConnectionWatchTimer);
  link_.KillTimer(kReplyTimer);
  link_.ClearQueue();
  if (initializeOpen_) {
    initializeOpen_ = false;
    host_.InitializeClosed();
  }
  link_.MarkReady();
  if (job == TransferJob::kRealTimeConnection) {
    link_.StartTimerAfterWrites(kCheckIntervalTimer, kCheckIntervalMs);
    host_.ShowConnectionStatus(kStatusConnected);
    link_.ResetImage(0);
  } else {
    RestoreBackup();
    DropBackup();
    // An Upload or Download that never began leaves no port open behind it.
    link_.ClosePort();
  }
  restoring_ = false;
  host_.RefreshUserInterface();
  host_.OperationEnded(OperationOutcome::kCancelled, {});
}

void CReceiverSession::CancelSending(bool ask) {
  if (ask && !host_.Ask(kQuestionStopSending, SendingCaption() + " is Cancel")) return;
  const bool restoring = restoring_;
  KeepReceiverSetting();
  link_.KillTimer(kLoadAnswerTimer);
  link_.KillTimer(kConnectionWatchTimer);
  link_.KillTimer(kReplyTimer);
  RestoreBackup();
  DropBackup();
  link_.ClearQueue();
  cancelling_ = true;
  EndSending(EndSendingResult::kDone);
  cancelling_ = false;
  host_.OperationEnded(OperationOutcome::kCancelled, {});
  // The user stopped the Upload, not meaning to leave the receiver changed;
  // a front end that cancels on its own (ask false) decides for itself.
  if (ask && !restoring) OfferRestore();
}

std::string CReceiverSession::SendingCaption() const {
  std::string caption(kSendingCaption);
  // Reading the memories back is the end of a Download.
  if (verification_ != nullptr) return "Download " + caption;
  // Putting the receiver's setting back is the last phase of an Upload.
  if (link_.Job() == TransferJob::kUpload || restoring_) return "Upload " + caption;
  if (link_.Job() == TransferJob::kDownload) return "Download " + caption;
  return caption;
}

void CReceiverSession::KeepReceiverSetting() {
  const int memory = link_.MemoryTheReceiverIsOn();
  if (memory == 0 && !link_.HasChangedTheReceiver()) return;
  receiverSetting_ = std::make_unique<ReceiverSetting>();
  receiverSetting_->image = link_.ReceiverSettingForWriteBack();
  receiverSetting_->flags = link_.Flags();
  receiverSetting_->regionCode = link_.RegionCode();
  receiverSetting_->memory = memory;
  receiverSetting_->basicControlsOnly = memory == 0;
}

void CReceiverSession::OfferRestore() {
  if (!receiverSetting_) return;
  const std::string_view question = receiverSetting_->basicControlsOnly
                                        ? kQuestionRestoreBasicControls
                                        : kQuestionRestoreReceiver;
  if (host_.Ask(question, kRestoreTitle)) RestoreReceiverSetting();
}

bool CReceiverSession::RestoreReceiverSetting() {
  if (!receiverSetting_ || restoring_ || initializeOpen_ || sendingOpen_ || link_.IsPortOpen())
    return false;
  restoring_ = true;
  link_.SetJob(TransferJob::kDownload);
  errorLog_->StartOperationLog();
  // The write-back is sent from slot 0; the backup gives the program's
  // own images back however the restore ends.
  TakeBackup();
  StartConnection();
  return true;
}

void CReceiverSession::QueueReceiverRestore() {
  // The same receiver as the Upload's: its model flags and region decide
  // what the pages send, as they did in the Upload's own write-back.
  link_.SetFlags(receiverSetting_->flags);
  link_.SetRegionCode(receiverSetting_->regionCode);
  link_.Image(0) = receiverSetting_->image;
  link_.SelectImage(0);
  if (receiverSetting_->basicControlsOnly) {
    // The rest of the setting was not read whole; these are what the
    // Upload had changed, kept from the receiver's configuration.
    for (const ParamId id : {1, 2, 3, 4, 8}) SendBasicControl(id);
  } else {
    QueuePageDownloads();
    QueueBasicControlDownload();
  }
  link_.SendPacket("", kEndMarkerCode);
}

void CReceiverSession::ShowSending() {
  const TransferJob job = link_.Job();
  if (job == TransferJob::kNone) {
    link_.ClosePort();
    EndSending(EndSendingResult::kDone);
    return;
  }
  sendingOpen_ = true;
  host_.SendingOpened(link_.QueueLength(), link_.QueueLength() > 1, SendingCaption());
}

void CReceiverSession::EndSending(EndSendingResult result) {
  const TransferJob job = link_.Job();
  const bool wasSending = sendingOpen_;
  const bool restoring = restoring_;
  if (result == EndSendingResult::kCableError) KeepReceiverSetting();
  if (sendingOpen_) {
    sendingOpen_ = false;
    host_.SendingClosed();
  }
  if (verification_ != nullptr && verification_->phase == Verification::Phase::kMemories) {
    link_.ClosePort();
    EndMemoryVerification(result);
    return;
  }
  if (job == TransferJob::kUpload) host_.RefreshUserInterface();
  if (!link_.IsRealTimeMode()) link_.ClosePort();
  std::string message;
  switch (result) {
    case EndSendingResult::kDone:
      if (job == TransferJob::kUpload && !cancelling_ &&
          (link_.Resends() > 0 || link_.UnreadableFrames() > 0)) {
        message = UploadDoubtMessage(link_.Resends(), link_.UnreadableFrames());
        host_.ShowMessage(message, MessageIcon::kWarning);
      }
      if (restoring && !cancelling_) {
        receiverSetting_.reset();
        message = std::string(kMessageReceiverRestored);
        host_.ShowMessage(message, MessageIcon::kInformation);
      }
      if (link_.IsRealTimeMode()) {
        link_.StartTimerAfterWrites(kCheckIntervalTimer, kCheckIntervalMs);
        host_.RefreshActivePage();
      }
      break;
    case EndSendingResult::kReceiverError:
      ShowError();
      message = std::string(kErrorText);
      break;
    case EndSendingResult::kCableError:
      message = std::string(kMessageCableError);
      host_.ShowMessage(message, MessageIcon::kError);
      link_.ClosePort();
      RestoreBackup();
      break;
  }
  UpdateKnownState(result, job);
  // Putting the receiver's setting back never changes the program's images.
  if (restoring) RestoreBackup();
  restoring_ = false;
  DropBackup();
  host_.RefreshMemoryWindow();
  if (cancelling_) return;
  if (job == TransferJob::kDownload && !restoring && result == EndSendingResult::kDone &&
      plan_.verify && skippedCommands_ == 0) {
    // The read-back connects anew once this event has been handled.
    verification_ = std::make_unique<Verification>();
    for (int slot = 0; slot < kImageSlots; ++slot)
      verification_->written[static_cast<size_t>(slot)] = link_.Image(slot);
    verification_->ids = plan_.written;
    for (int memory = 1; memory < kImageSlots; ++memory) {
      const size_t slot = static_cast<size_t>(memory);
      if (!plan_.memories[slot]) continue;
      // A memory stored whole is read whole; one that only some commands
      // changed, in what they set.
      std::vector<ParamId> set;
      for (const auto& command : plan_.memoryCommands[slot]) set.push_back(command.second);
      MemoryReads reads = set.empty() ? ReadsPerMemory() : ReadsPerMemoryOf(set);
      // The load answers with the configuration it loaded, which tells
      // the rest.
      std::vector<bool> compared(kLastParamId + 1, false);
      for (const ParamId id : reads.ids) compared[static_cast<size_t>(id)] = true;
      for (ParamId id = kFirstParamId; id <= kLastParamId; ++id) {
        const bool sent = set.empty() || std::find(set.begin(), set.end(), id) != set.end();
        if (sent && CarriedByTheConfiguration(id)) compared[static_cast<size_t>(id)] = true;
      }
      verification_->memoryIds[slot] = std::move(compared);
      verification_->memoryRows[slot] = std::move(reads.rows);
      verification_->memoriesRead[slot] = true;
    }
    host_.StartTimer(kVerifyTimer, 0);
    return;
  }
  if (!wasSending && result == EndSendingResult::kDone && job == TransferJob::kNone) return;
  if (job == TransferJob::kUpload || job == TransferJob::kDownload) {
    host_.OperationEnded(result == EndSendingResult::kDone ? OperationOutcome::kTransferDone
                                                           : OperationOutcome::kFailed,
                         message);
  } else {
    host_.OperationEnded(result == EndSendingResult::kDone ? OperationOutcome::kSendingDone
                                                           : OperationOutcome::kFailed,
                         message);
  }
}

void CReceiverSession::PortFailed(std::string_view reason) {
  const TransferJob job = link_.Job();
  const bool initializing = initializeOpen_;
  if (initializing && link_.State() == LinkState::kWaitingForConfiguration) {
    // A port that fails before the receiver has answered (a wake-up frame
    // refused behind its pause) fails the attempt as a port that did not
    // open: the same message, and "Auto" moves on to the next port.
    link_.KillTimer(kConnectionWatchTimer);
    OpeningFailed();
    return;
  }
  if (verification_ != nullptr) {
    // The memories' read-back may have left the receiver on a memory.
    KeepReceiverSetting();
    if (sendingOpen_) {
      sendingOpen_ = false;
      host_.SendingClosed();
    }
    link_.ClearQueue();
    VerificationFailed(std::string(kMessagePortError) + "\n" + std::string(reason));
    return;
  }
  KeepReceiverSetting();
  if (initializeOpen_) {
    initializeOpen_ = false;
    host_.InitializeClosed();
  }
  if (sendingOpen_) {
    sendingOpen_ = false;
    host_.SendingClosed();
  }
  link_.KillTimer(kConnectionWatchTimer);
  link_.KillTimer(kCheckIntervalTimer);
  link_.KillTimer(kCheckAnswerTimer);
  link_.ClearQueue();
  link_.ClosePort();
  errorLog_->EndOperationLog();
  if (job == TransferJob::kUpload || job == TransferJob::kDownload) {
    RestoreBackup();
    knownState_.reset();
  }
  if (job == TransferJob::kRealTimeConnection && initializing) link_.ResetImage(0);
  DropBackup();
  restoring_ = false;
  host_.RefreshUserInterface();
  std::string message(kMessagePortError);
  if (!reason.empty()) message += "\n" + std::string(reason);
  host_.ShowMessage(message, MessageIcon::kError);
  host_.OperationEnded(initializing || job == TransferJob::kUpload || job == TransferJob::kDownload
                           ? OperationOutcome::kFailed
                           : OperationOutcome::kConnectionLost,
                       message);
}

// --- Timers ----------------------------------------------------------------------

void CReceiverSession::OnTimer(int timer) {
  switch (timer) {
    case kGuardTimer:
    case kErrorTimer:
      host_.KillTimer(timer);
      host_.ShowStatusBar("");
      break;
    case kLoadAnswerTimer:
      link_.KillTimer(kLoadAnswerTimer);
      host_.ShowMessage(kMessageInitializationError, MessageIcon::kError);
      FinishInitialization(true, true, kMessageInitializationError);
      break;
    case kConnectionWatchTimer:
      OnConnectionWatch();
      break;
    case kCheckIntervalTimer:
      // The check repeats every 30 s for as long as the connection lasts.
      link_.StartTimerAfterWrites(kCheckIntervalTimer, kCheckIntervalMs);
      link_.SendConnectionCheck();
      link_.StartTimerAfterWrites(kCheckAnswerTimer, kCheckAnswerMs);
      break;
    case kVerifyTimer:
      host_.KillTimer(kVerifyTimer);
      if (verification_ == nullptr) break;
      if (verification_->phase == Verification::Phase::kBegin) {
        StartVerification();
      } else if (verification_->phase == Verification::Phase::kReading) {
        break;
      } else if (!link_.IsWireIdle()) {
        host_.StartTimer(kVerifyTimer, kStandardPauseMs);
      } else {
        FinishVerification();
      }
      break;
    case kCheckAnswerTimer:
      link_.KillTimer(kCheckAnswerTimer);
      Close();
      host_.ShowMessage(kMessageCheckError, MessageIcon::kError);
      host_.OperationEnded(OperationOutcome::kConnectionLost, kMessageCheckError);
      break;
    default:
      link_.OnTimer(timer);
  }
}

void CReceiverSession::ShowGuard() {
  host_.ShowStatusBar(kGuardText);
  host_.StartTimer(kGuardTimer, kGuardMs);
}

void CReceiverSession::ShowError() {
  host_.ShowStatusBar(kErrorText);
  host_.StartTimer(kErrorTimer, kGuardMs);
}

// --- Content ---------------------------------------------------------------------

void CReceiverSession::WriteErrorLog(std::string_view text, ParamId code) {
  ++skippedCommands_;
  errorLog_->WriteErrorLog(text, code);
}

void CReceiverSession::PortClosed() {
  errorLog_->EndOperationLog();
}

void CReceiverSession::RederiveTriggerParameter(ParamId id) {
  if (pages_ != nullptr) pages_->RederiveTriggerParameter(id);
}

void CReceiverSession::SendBasicControl(ParamId id) {
  if (const auto command = BasicControlCommand(id, link_.CurrentImage()))
    link_.SendPacket(*command, id);
}

bool CReceiverSession::DownloadFollowsPlan() const {
  return link_.Job() == TransferJob::kDownload && !restoring_ &&
         plan_.kind != DownloadPlan::Kind::kWhole;
}

void CReceiverSession::QueuePageDownloads() {
  if (pages_ == nullptr) return;
  if (link_.Job() == TransferJob::kUpload) {
    pages_->QueueWriteBackDownloads(link_.CurrentImage());
  } else if (DownloadFollowsPlan()) {
    pages_->QueueChosenPageDownloads(link_.CurrentImage(), plan_.pages, plan_.pageCommands);
  } else {
    pages_->QueuePageDownloads(link_.CurrentImage());
  }
}

void CReceiverSession::QueueBasicControlDownload() {
  for (ParamId id = 1; id <= 8; ++id) {
    if (!DownloadFollowsPlan() || plan_.basicControls[static_cast<size_t>(id)])
      SendBasicControl(id);
  }
}

void CReceiverSession::DownloadPhaseBegins() {
  if (plan_.kind != DownloadPlan::Kind::kDelta || restoring_) return;
  const ModelFlags& known = plan_.baseline->flags;
  const ModelFlags& read = link_.Flags();
  if (known.zone2 != read.zone2 || known.zone3 != read.zone3 || known.xm != read.xm) {
    SendEverythingInstead(kReasonModelChanged);
    link_.SetDownloadMemories(plan_.memories);
  }
}

void CReceiverSession::SendEverythingInstead(std::string_view why) {
  DownloadPlan whole;
  whole.commands = plan_.wholeCommands;
  whole.milliseconds = plan_.wholeMilliseconds;
  plan_ = std::move(whole);
  host_.DownloadPlanChanged(plan_, why);
}

void CReceiverSession::StartVerification() {
  // A connection whose load reads only the rows that answer what was
  // written; it stores the answers into the current image, which the
  // comparison then gives back. It runs as Real Time Mode runs, so that
  // the commands that put the receiver's program and Pure Direct back go
  // out at once.
  verification_->phase = Verification::Phase::kReading;
  mismatches_.clear();
  valuesVerified_ = 0;
  link_.SetMode(ControlMode::kRealTime);
  link_.SetJob(TransferJob::kRealTimeConnection);
  link_.LimitNextInitialLoad(RowsToRead(verification_->ids));
  errorLog_->StartOperationLog();
  StartConnection();
}

void CReceiverSession::VerificationConnected(bool failed, bool final, std::string_view message) {
  if (!failed && verification_->phase == Verification::Phase::kMemories) {
    host_.ShowConnectionStatus(kStatusConnected);
    link_.UploadSequence(0);
    return;
  }
  if (!failed) {
    // The load has put the program and Pure Direct back; they go out
    // before the port closes.
    verification_->phase = Verification::Phase::kEnd;
    host_.StartTimer(kVerifyTimer, 0);
    return;
  }
  link_.ClosePort();
  link_.KillTimer(kLoadAnswerTimer);
  // An answer stored before the attempt failed is no part of the images.
  for (int slot = 0; slot < kImageSlots; ++slot)
    link_.Image(slot) = verification_->written[static_cast<size_t>(slot)];
  link_.SelectImage(0);
  // The connection tries again as any connection does, until it gives up.
  if (final) VerificationFailed(message);
}

void CReceiverSession::GiveBackWrittenImages() {
  for (int slot = 0; slot < kImageSlots; ++slot)
    link_.Image(slot) = verification_->written[static_cast<size_t>(slot)];
  link_.SelectImage(0);
  link_.SetMode(ControlMode::kAsync);
  link_.SetJob(TransferJob::kNone);
  link_.SetUploadScope({});
}

void CReceiverSession::VerificationFailed(std::string_view message) {
  link_.ClosePort();
  link_.KillTimer(kLoadAnswerTimer);
  link_.KillTimer(kConnectionWatchTimer);
  link_.KillTimer(kReplyTimer);
  attempts_ = 0;
  link_.LimitNextInitialLoad(std::nullopt);
  GiveBackWrittenImages();
  verification_.reset();
  // What the receiver holds is not known after all.
  knownState_.reset();
  std::string text = std::string(kMessageNotVerified) + std::string(message);
  if (receiverSetting_ && receiverSetting_->memory != 0)
    text += "\n" + std::string(kMessageLeftOnMemory);
  host_.ShowMessage(text, MessageIcon::kWarning);
  host_.RefreshUserInterface();
  host_.OperationEnded(OperationOutcome::kTransferDone, text);
}

void CReceiverSession::FinishVerification() {
  const CSettingImage read = link_.Image(0);
  link_.ClosePort();
  GiveBackWrittenImages();
  const CSettingImage& written = verification_->written[0];
  for (const ParamId id : verification_->ids) {
    VerifyMismatch mismatch;
    std::string ignored;
    if (pages_ == nullptr ||
        !pages_->DescribeValue(written, id, mismatch.section, mismatch.key, mismatch.expected) ||
        !pages_->DescribeValue(read, id, ignored, ignored, mismatch.actual))
      continue;
    ++valuesVerified_;
    if (mismatch.expected != mismatch.actual) mismatches_.push_back(std::move(mismatch));
  }
  for (int memory = 1; memory < kImageSlots; ++memory) {
    if (verification_->memoriesRead[static_cast<size_t>(memory)]) {
      StartMemoryVerification();
      return;
    }
  }
  ConcludeVerification();
}

std::vector<int> CReceiverSession::MemoriesBeingReadBack() const {
  std::vector<int> memories;
  if (verification_ == nullptr || verification_->phase != Verification::Phase::kMemories)
    return memories;
  for (int memory = 1; memory < kImageSlots; ++memory) {
    if (verification_->memoriesRead[static_cast<size_t>(memory)]) memories.push_back(memory);
  }
  return memories;
}

void CReceiverSession::StartMemoryVerification() {
  // The memories are read as an Upload reads them, each loaded in turn,
  // and the receiver's own setting (what was just written, as the images
  // hold it) is put back by the Upload's write-back.
  verification_->phase = Verification::Phase::kMemories;
  verification_->skippedBefore = skippedCommands_;
  CCommClass::UploadScope scope;
  scope.currentSetting = false;
  for (int memory = 1; memory < kImageSlots; ++memory) {
    const size_t slot = static_cast<size_t>(memory);
    scope.memories[slot] = verification_->memoriesRead[slot];
    scope.memoryRows[slot] = verification_->memoryRows[slot];
  }
  link_.SetUploadScope(std::move(scope));
  link_.SetJob(TransferJob::kUpload);
  errorLog_->StartOperationLog();
  StartConnection();
}

void CReceiverSession::EndMemoryVerification(EndSendingResult result) {
  const std::array<CSettingImage, kImageSlots> read = link_.Images();
  if (cancelling_) {
    // The user stopped it: what the memories hold is not known, and the
    // receiver may be on one of them (the Cancel offers to put it back).
    GiveBackWrittenImages();
    verification_.reset();
    knownState_.reset();
    host_.RefreshUserInterface();
    return;
  }
  const int skipped = skippedCommands_ - verification_->skippedBefore;
  if (result != EndSendingResult::kDone || skipped > 0) {
    std::string why;
    if (result == EndSendingResult::kCableError) {
      why = std::string(kMessageCableError);
    } else if (result == EndSendingResult::kReceiverError) {
      why = "the receiver answered with an error.";
    } else {
      why = "the receiver did not answer " + std::to_string(skipped) +
            " command(s) while its memories were read back and its setting put back.";
    }
    VerificationFailed(why);
    return;
  }
  GiveBackWrittenImages();
  for (int memory = 1; memory < kImageSlots && pages_ != nullptr; ++memory) {
    const size_t slot = static_cast<size_t>(memory);
    if (!verification_->memoriesRead[slot]) continue;
    const std::vector<bool>& compared = verification_->memoryIds[slot];
    const auto holds = pages_->DescribeMemory(memory, read[slot]);
    for (const PageDirectory::MemoryValue& written :
         pages_->DescribeMemory(memory, verification_->written[slot])) {
      if (!compared[static_cast<size_t>(written.id)]) continue;
      const auto held = std::find_if(holds.begin(), holds.end(), [&](const auto& value) {
        return value.section == written.section && value.key == written.key;
      });
      ++valuesVerified_;
      const std::string actual = held == holds.end() ? std::string("(none)") : held->value;
      if (actual != written.value)
        mismatches_.push_back({written.section, written.key, written.value, actual});
    }
  }
  ConcludeVerification();
}

void CReceiverSession::ConcludeVerification() {
  verification_.reset();
  if (!mismatches_.empty()) {
    // The receiver holds something else than was written, in values a
    // state could not tell word for word: the next Download sends all.
    knownState_.reset();
  } else if (knownState_) {
    knownState_->source = ReceiverState::Source::kVerifiedDownload;
  }
  std::string text;
  if (mismatches_.empty()) {
    std::string line(kMessageVerified);
    line.replace(line.find("%d"), 2, std::to_string(valuesVerified_));
    text = line;
  } else {
    text = "The receiver does not hold " + std::to_string(mismatches_.size()) + " of the " +
           std::to_string(valuesVerified_) + " values written:";
    for (size_t i = 0; i < mismatches_.size() && i < 10; ++i) {
      const VerifyMismatch& m = mismatches_[i];
      text += "\n" + m.section + " / " + m.key + ": written " + m.expected + ", holds " + m.actual;
    }
    if (mismatches_.size() > 10) text += "\n...";
    host_.ShowMessage(text, MessageIcon::kWarning);
  }
  host_.RefreshUserInterface();
  host_.OperationEnded(OperationOutcome::kTransferDone, text);
}

void CReceiverSession::UpdateKnownState(EndSendingResult result, TransferJob job) {
  if (restoring_ || link_.IsRealTimeMode()) return;
  if (job != TransferJob::kUpload && job != TransferJob::kDownload) return;
  const bool complete = result == EndSendingResult::kDone && !cancelling_ &&
                        skippedCommands_ == 0 && link_.Resends() == 0 &&
                        link_.UnreadableFrames() == 0;
  if (!complete) {
    // The receiver may hold anything between the old state and the new.
    knownState_.reset();
    return;
  }
  if (job == TransferJob::kUpload) {
    knownState_ = StateOf(link_, ReceiverState::Source::kUpload);
    return;
  }
  if (plan_.kind == DownloadPlan::Kind::kChosen) {
    // The parts not chosen kept what the receiver held; the state would
    // have to be put together part by part, so it is given up instead.
    knownState_.reset();
    return;
  }
  ReceiverState state = StateOf(link_, ReceiverState::Source::kDownload);
  // The report of this connection told the receiver as it was before.
  state.report.clear();
  for (int memory = 1; memory < kImageSlots; ++memory) {
    const size_t slot = static_cast<size_t>(memory);
    state.dataExists[slot] =
        plan_.memories[slot] || (plan_.baseline && plan_.baseline->dataExists[slot]);
  }
  knownState_ = std::move(state);
}

void CReceiverSession::QueueMemoryStore(int memory) {
  const auto& planned = plan_.memoryCommands[static_cast<size_t>(memory)];
  if (DownloadFollowsPlan() && !planned.empty()) {
    for (const auto& [text, code] : planned) link_.SendPacket(text, code);
  } else if (pages_ != nullptr) {
    pages_->QueueMemoryStore(memory);
  }
}

void CReceiverSession::ChangeBasicControl(ParamId id, int32_t value) {
  StoreParameter(link_.CurrentImage(), id, value);
  if (!link_.IsRealTimeMode()) return;
  host_.SetWaitCursor(true);
  SendBasicControl(id);
  link_.SendPacket("", kEndMarkerCode);
  host_.SetWaitCursor(false);
}

// --- The image backup ------------------------------------------------------------

void CReceiverSession::TakeBackup() {
  backup_ = std::make_unique<Backup>();
  backup_->images = link_.Images();
  for (int slot = 0; slot < kImageSlots; ++slot)
    backup_->dataExists[static_cast<size_t>(slot)] = link_.DataExists(slot);
  backup_->regionCode = link_.RegionCode();
}

void CReceiverSession::RestoreBackup() {
  if (!backup_) return;
  link_.Images() = backup_->images;
  for (int slot = 0; slot < kImageSlots; ++slot)
    link_.SetDataExists(slot, backup_->dataExists[static_cast<size_t>(slot)]);
  link_.SetRegionCode(backup_->regionCode);
}

}  // namespace qamp
