// What the link needs of its owner (the session that plays the main view,
// or a test): timers by number, what to show, and the content of transfers
// that the pages and the basic control know.
#pragma once

#include <string_view>
#include <vector>

#include "model/setting_image.h"

namespace qamp {

// Timers of the main view, and two of the link's own.
enum LinkTimer : int {
  kGuardTimer = 1,            // 1000 ms: clear "GUARD"
  kErrorTimer = 2,            // 1000 ms: clear "ERROR"
  kFrameTimer = 3,            // 450 ms: inter-character time-out of a frame
  kLoadAnswerTimer = 4,       // 3000 ms: answer time-out of the initial load
  kConnectionWatchTimer = 5,  // 5000 ms: connection watch and retry, port scan
  kReplyTimer = 6,            // 1000 ms (3000 ms in an Upload) + extra: answer time-out
  kCheckIntervalTimer = 7,    // 30000 ms: periodic connection check
  kCheckAnswerTimer = 8,      // 10000 ms: answer time-out of the connection check
  kPacingTimer = 9,           // the pause the receiver needs after each frame written
  kSettleTimer = 10,          // 500 ms after the configuration is taken, before the load
  kWriteFailureTimer = 11,    // 0 ms: a frame that could not be written is reported
  kVerifyTimer = 12,          // the read-back after a Download begins and ends between events
};
inline constexpr int kTimerCount = 13;

inline constexpr int kGuardMs = 1000;
inline constexpr int kFrameTimeoutMs = 450;
inline constexpr int kLoadAnswerMs = 3000;
inline constexpr int kConnectionWatchMs = 5000;
inline constexpr int kReplyMs = 1000;
inline constexpr int kUploadReplyMs = 3000;
inline constexpr int kCheckIntervalMs = 30000;
inline constexpr int kCheckAnswerMs = 10000;
inline constexpr int kSettleMs = 500;
inline constexpr int kStandardPauseMs = 50;
inline constexpr int kExtendedPauseMs = 150;

enum class EndSendingResult : int { kDone = 0, kReceiverError = 1, kCableError = 2 };

class LinkHost {
 public:
  virtual ~LinkHost() = default;

  virtual void StartTimer(int timer, int milliseconds) = 0;
  virtual void KillTimer(int timer) = 0;

  // "Connecting QR-K2600", "Connected QR-K2600", "Not Connected".
  virtual void ShowConnectionStatus(std::string_view text) = 0;
  virtual void ShowGuard() = 0;
  virtual void ShowError() = 0;

  virtual void SetInitializeProgress(int position) = 0;
  virtual void EndInitialization(bool failed) = 0;
  virtual void ShowSending() = 0;
  virtual bool IsSendingShown() const = 0;
  virtual void AdvanceSending(int position) = 0;
  virtual void EndSending(EndSendingResult result) = 0;

  virtual void RefreshParams(const std::vector<ParamId>& ids) = 0;
  virtual void RefreshBasicControl(ParamId id) = 0;
  virtual void RefreshAllPages() = 0;

  // A failed command (frame text and code) for the error log.
  virtual void WriteErrorLog(std::string_view text, ParamId code) = 0;
  // The port was closed (the log of the operation ends there).
  virtual void PortClosed() = 0;
  // The port failed while open and has been closed.
  virtual void PortFailed(std::string_view reason) = 0;

  // The TRIGGER OUT rules re-derive one parameter after the receiver refused it.
  virtual void RederiveTriggerParameter(ParamId id) = 0;
  // The basic-control send operation for IDs 1..11 from the current image.
  virtual void SendBasicControl(ParamId id) = 0;
  // Every page queues its parameters from the current image, in sheet order.
  virtual void QueuePageDownloads() = 0;
  // The basic controls from the current image (the main view's download).
  virtual void QueueBasicControlDownload() = 0;
  // The commands that store system memory `memory` (1..6) from the current
  // image, zone memories included where the receiver has the zones.
  virtual void QueueMemoryStore(int memory) = 0;
  // The second phase of a Download begins: the model flags have just been
  // read, and what the Download sends is queued again from here.
  virtual void DownloadPhaseBegins() {}
};

}  // namespace qamp
