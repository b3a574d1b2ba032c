// The port side of the link: opening and closing, paced writing and the
// assembly of received characters into frames.
#include "link/comm_class.h"

#include "link/wire_format.h"
#include "model/image_defaults.h"

namespace qamp {

namespace {

// The five frames that wake the receiver and make it send its
// configuration report.
constexpr std::array<std::string_view, 5> kConnectionFrames = {
    "\x02"
    "20000"
    "\x03",
    "\x02"
    "07A1D"
    "\x03",
    "\x02"
    "07A1D"
    "\x03",
    "\x02"
    "07E7E"
    "\x03",
    "\x02"
    "07E7E"
    "\x03"};

constexpr std::string_view kWriteRefused = "The port refused a frame (writing to it failed).";

}  // namespace

CCommClass::CCommClass(SerialTransport& transport, LinkHost& host)
    : transport_(transport), host_(host) {
  transport_.SetListener(this);
  for (int slot = 0; slot < kImageSlots; ++slot) ResetImage(slot);
}

CCommClass::~CCommClass() {
  transport_.SetListener(nullptr);
  if (transport_.IsOpen()) transport_.Close();
}

void CCommClass::SelectImage(int slot) {
  if (slot >= 0 && slot < kImageSlots) currentSlot_ = slot;
}

void CCommClass::ResetImage(int slot) {
  if (slot >= 0 && slot < kImageSlots) qamp::ResetImage(Image(slot), slot, regionCode_);
}

bool CCommClass::IsTransferInProgress() const {
  if (transport_.IsOpen() && (linkState_ == LinkState::kWaitingForConfiguration ||
                              linkState_ == LinkState::kConvertingConfiguration ||
                              linkState_ == LinkState::kInitialLoad)) {
    return true;
  }
  return transferJob_ == TransferJob::kUpload || transferJob_ == TransferJob::kDownload;
}

bool CCommClass::OpenPort(std::string_view device) {
  lastPortError_.clear();
  connectionReport_.clear();
  if (device.empty()) {
    lastPortError_ = "No port was chosen.";
    return false;
  }
  if (transport_.IsOpen()) {
    lastPortError_ = "A port is already open.";
    return false;
  }
  KillTimer(kLoadAnswerTimer);
  KillTimer(kConnectionWatchTimer);
  KillTimer(kReplyTimer);
  // A failure of the port closed before belongs to that connection.
  KillTimer(kWriteFailureTimer);
  receiveBuffer_.clear();
  linkState_ = LinkState::kWaitingForConfiguration;
  resync_ = false;
  if (!transport_.Open(device, lastPortError_)) return false;
  ++portGeneration_;
  valuesStored_ = 0;
  resends_ = 0;
  unreadableFrames_ = 0;
  skippedReads_ = 0;
  host_.ShowConnectionStatus(kStatusConnecting);
  openingPort_ = true;
  for (const std::string_view frame : kConnectionFrames) {
    if (!WritePacket(frame)) {
      openingPort_ = false;
      return false;
    }
  }
  openingPort_ = false;
  if (IsRealTimeMode()) ResetImage(0);
  StartTimerAfterWrites(kConnectionWatchTimer, kConnectionWatchMs);
  return true;
}

void CCommClass::ClosePort() {
  host_.ShowConnectionStatus(kStatusNotConnected);
  KillTimer(kLoadAnswerTimer);
  KillTimer(kConnectionWatchTimer);
  KillTimer(kReplyTimer);
  linkState_ = LinkState::kWaitingForConfiguration;
  transferJob_ = TransferJob::kNone;
  modelFlags_ = ModelFlags();
  // A transfer walks the current image through the memory slots; whatever
  // ended it, the next one starts from the current setting.
  SelectImage(0);
  if (!transport_.IsOpen()) return;
  transport_.Close();
  ++portGeneration_;
  // What was still waiting for its pause will never be written.
  outbox_.clear();
  pausing_ = false;
  KillConnectionTimers();
  receiveBuffer_.clear();
  resync_ = false;
  host_.PortClosed();
}

void CCommClass::KillConnectionTimers() {
  // Every timer that belongs to the connection; "GUARD" and "ERROR" (1 and
  // 2) are the status bar's and clear it a second after they were shown,
  // whether or not the port is still open. The report of a refused write
  // outlives the port it closed.
  for (const int timer : {kFrameTimer, kLoadAnswerTimer, kConnectionWatchTimer, kReplyTimer,
                          kCheckIntervalTimer, kCheckAnswerTimer, kPacingTimer, kSettleTimer}) {
    KillTimer(timer);
  }
}

void CCommClass::PortFailed(std::string_view reason) {
  // The transport has closed itself; bring the link to the closed state and
  // let the owner end whatever operation was running.
  lastPortError_ = std::string(reason);
  ++portGeneration_;
  outbox_.clear();
  pausing_ = false;
  KillConnectionTimers();
  KillTimer(kWriteFailureTimer);
  receiveBuffer_.clear();
  host_.PortFailed(reason);
}

void CCommClass::WriteFailed() {
  // A port that refuses a frame is of no more use: close it now, so that
  // nothing more is written and no answer is awaited, and report it from
  // the event loop, where the owner may end the operation (the writer may
  // be in the middle of the queue).
  lastPortError_ = std::string(kWriteRefused);
  transport_.Close();
  ++portGeneration_;
  outbox_.clear();
  pausing_ = false;
  deferredTimers_.fill(0);
  KillConnectionTimers();
  host_.StartTimer(kWriteFailureTimer, 0);
}

// --- Writing ------------------------------------------------------------------

bool CCommClass::WritePacket(std::string_view frame) {
  if (!transport_.IsOpen()) return false;
  const int base = !frame.empty() && frame.front() == kStx ? kStandardPauseMs : kExtendedPauseMs;
  Outgoing outgoing{std::string(frame), base + ExtraPauseOfNextEntry()};
  if (pausing_ || !outbox_.empty()) {
    outbox_.push_back(std::move(outgoing));
    return true;
  }
  if (!transport_.Write(outgoing.frame)) {
    lastPortError_ = std::string(kWriteRefused);
    // OpenPort reports its own failure; the caller closes the port.
    if (!openingPort_) WriteFailed();
    return false;
  }
  WriteNow(outgoing);
  return true;
}

void CCommClass::WriteNow(const Outgoing& outgoing) {
  pausing_ = true;
  host_.StartTimer(kPacingTimer, outgoing.pauseMs);
}

void CCommClass::PauseEnded() {
  pausing_ = false;
  while (!outbox_.empty()) {
    Outgoing next = std::move(outbox_.front());
    outbox_.pop_front();
    if (!transport_.IsOpen()) {
      outbox_.clear();
      return;
    }
    if (!transport_.Write(next.frame)) {
      // The frame's caller was told it was written: its failure takes the
      // path of a frame refused at once.
      WriteFailed();
      return;
    }
    WriteNow(next);
    return;
  }
  // The last pause has ended: time-outs that wait for it start now.
  for (int timer = 0; timer < kTimerCount; ++timer) {
    const int deferred = deferredTimers_[static_cast<size_t>(timer)];
    if (deferred == 0) continue;
    deferredTimers_[static_cast<size_t>(timer)] = 0;
    host_.StartTimer(timer, deferred - 1);
  }
}

int CCommClass::ExtraPauseOfNextEntry() const {
  // A "@WAIT, n" directly behind the entry being sent lengthens its pause.
  const int current = FirstNotDone();
  if (current < 0 || current + 1 >= QueueLength()) return 0;
  const std::string& next = queue_[static_cast<size_t>(current) + 1].text;
  if (!next.starts_with("@WAIT")) return 0;
  const size_t comma = next.find(',', 5);
  if (comma == std::string::npos) return 0;
  int extra = 0;
  for (size_t i = comma + 1; i < next.size(); ++i) {
    if (next[i] == ' ') continue;
    if (next[i] < '0' || next[i] > '9') break;
    extra = extra * 10 + (next[i] - '0');
    if (extra > 60000) break;
  }
  return extra;
}

void CCommClass::StartTimerAfterWrites(int timer, int milliseconds) {
  if (timer < 0 || timer >= kTimerCount) return;
  if (pausing_ || !outbox_.empty()) {
    deferredTimers_[static_cast<size_t>(timer)] = milliseconds + 1;
    host_.KillTimer(timer);
  } else {
    host_.StartTimer(timer, milliseconds);
  }
}

void CCommClass::KillTimer(int timer) {
  if (timer < 0 || timer >= kTimerCount) return;
  deferredTimers_[static_cast<size_t>(timer)] = 0;
  host_.KillTimer(timer);
}

void CCommClass::OnTimer(int timer) {
  switch (timer) {
    case kPacingTimer:
      host_.KillTimer(kPacingTimer);
      PauseEnded();
      break;
    case kFrameTimer:
      KillTimer(kFrameTimer);
      ResetReceive();
      break;
    case kReplyTimer:
      KillTimer(kReplyTimer);
      RetryOrGiveUp("");
      break;
    case kWriteFailureTimer:
      KillTimer(kWriteFailureTimer);
      if (!transport_.IsOpen()) {
        const std::string reason = lastPortError_;
        PortFailed(reason);
      }
      break;
    case kSettleTimer:
      KillTimer(kSettleTimer);
      if (linkState_ == LinkState::kInitialLoad && InitialLoadStep() == 0) CompleteInitialLoad();
      break;
    default:
      break;
  }
}

// --- Receiving ----------------------------------------------------------------

int CCommClass::OnDataArrived() {
  if (!transport_.IsOpen()) return 0;
  const std::string characters = transport_.ReadAvailable();
  const unsigned generation = portGeneration_;
  for (const char c : characters) {
    // A frame may close the port (a failed connection, the end of a
    // transfer): what follows it belongs to no connection.
    if (portGeneration_ != generation) break;
    if (c == '\0') continue;
    if (resync_) {
      if (c == kStx || c == kDc4) {
        receiveBuffer_.push_back(c);
        host_.StartTimer(kFrameTimer, kFrameTimeoutMs);
        resync_ = false;
      }
    } else if (c == kStx || c == kDc4) {
      receiveBuffer_.push_back(c);
      host_.StartTimer(kFrameTimer, kFrameTimeoutMs);
    } else if (c == kEtx) {
      receiveBuffer_.push_back(c);
      host_.KillTimer(kFrameTimer);
      std::string frame = receiveBuffer_.substr(0, kMaxFrameLength);
      receiveBuffer_.clear();
      HandleFrame(std::move(frame));
      continue;
    } else {
      receiveBuffer_.push_back(c);
    }
    if (receiveBuffer_.size() > kMaxFrameLength) ResetReceive();
  }
  return static_cast<int>(characters.size());
}

void CCommClass::HandleFrame(std::string frame) {
  // A frame that does not begin with a start byte lost its beginning or
  // carries noise in front of it: it can answer nothing, and the values it
  // carried are gone. Counted, so that a transfer can say so.
  if (frame.empty() || (frame[0] != kStx && frame[0] != kDc4 && frame[0] != kDc2))
    ++unreadableFrames_;
  // The receiver's class digit varies; every comparison expects "0".
  if (frame.size() == 8 && frame[0] == kStx && frame[7] == kEtx) frame[1] = '0';
  OnReply(frame, linkState_ < LinkState::kReady);
}

void CCommClass::ResetReceive() {
  receiveBuffer_.clear();
  resync_ = true;
}

}  // namespace qamp
