// The receiver link: the port and frame assembly, the command queue with its
// retries and time-outs, the connection and initial load, the Upload and
// Download sequences, and the seven settings images with what the receiver
// told about itself.
//
// Nothing here blocks or sleeps. The pause the receiver needs after each
// frame is a host timer; frames written during a pause wait in an outbox,
// and time-outs that a blocking write would only have started after the
// pause (the answer timers) are started when the pause ends.
#pragma once

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_host.h"
#include "link/serial_transport.h"
#include "model/setting_image.h"

namespace qamp {

enum class ControlMode : int { kAsync = 0, kRealTime = 1 };

enum class LinkState : int {
  kWaitingForConfiguration = 0,  // also: closed
  kConvertingConfiguration = 1,
  kInitialLoad = 2,
  kReady = 3,
  kUploadSecondPhase = 4,
};

enum class TransferJob : int { kNone = 0, kRealTimeConnection = 1, kUpload = 2, kDownload = 3 };

struct ModelFlags {
  int zone2 = 1;       // flag A
  int zone3 = 1;       // flag B
  int xm = 1;          // flag C
  int aacDecoder = 1;  // flag D: the "AAC(J Only)" decoder mode
};

inline constexpr std::string_view kStatusConnecting = "Connecting QR-K2600";
inline constexpr std::string_view kStatusConnected = "Connected QR-K2600";
inline constexpr std::string_view kStatusNotConnected = "Not Connected";
inline constexpr std::string_view kParameterErrorLine = "[拡張コマンド パラメータエラー]";
inline constexpr size_t kMaxFrameLength = 256;
inline constexpr int kDoneTries = 5;

class CCommClass : public TransportListener {
 public:
  struct QueueEntry {
    std::string text;  // the complete frame as written, or a pseudo-command "@..."
    ParamId code = kEndMarkerCode;
    int tableIndex = -1;  // the matching read-request row, or -1
    int tries = 0;        // 0 when queued, 1..4 after each resend, 5 done
  };

  CCommClass(SerialTransport& transport, LinkHost& host);
  ~CCommClass() override;
  CCommClass(const CCommClass&) = delete;
  CCommClass& operator=(const CCommClass&) = delete;

  // --- The settings images -------------------------------------------------
  CSettingImage& CurrentImage() { return images_[static_cast<size_t>(currentSlot_)]; }
  const CSettingImage& CurrentImage() const { return images_[static_cast<size_t>(currentSlot_)]; }
  CSettingImage& Image(int slot) { return images_[static_cast<size_t>(slot)]; }
  const CSettingImage& Image(int slot) const { return images_[static_cast<size_t>(slot)]; }
  std::array<CSettingImage, kImageSlots>& Images() { return images_; }
  int CurrentSlot() const { return currentSlot_; }
  void SelectImage(int slot);
  void ResetImage(int slot);

  int RegionCode() const { return regionCode_; }
  void SetRegionCode(int regionCode) { regionCode_ = regionCode; }
  const ModelFlags& Flags() const { return modelFlags_; }
  void SetFlags(const ModelFlags& flags) { modelFlags_ = flags; }
  bool DataExists(int slot) const { return dataExists_[static_cast<size_t>(slot)] != 0; }
  void SetDataExists(int slot, bool exists) {
    dataExists_[static_cast<size_t>(slot)] = exists ? 1 : 0;
  }
  const std::string& UserMemo() const { return userMemo_; }
  void SetUserMemo(std::string memo) { userMemo_ = std::move(memo); }

  ControlMode Mode() const { return controlMode_; }
  void SetMode(ControlMode mode) { controlMode_ = mode; }
  bool IsRealTimeMode() const { return controlMode_ == ControlMode::kRealTime; }

  // --- The port --------------------------------------------------------------
  // Opens and configures the port and starts the connection sequence.
  bool OpenPort(std::string_view device);
  void ClosePort();
  bool IsPortOpen() const { return transport_.IsOpen(); }
  const std::string& LastPortError() const { return lastPortError_; }
  // The configuration report the receiver sent at the last connection, as
  // received; empty before the first.
  const std::string& ConnectionReport() const { return connectionReport_; }
  // Writes one frame and takes the pause after it; a frame written while a
  // pause runs waits for it. False when no port is open or the port refuses
  // the frame. A port that refuses a frame, at once or when the frame's turn
  // comes behind a pause, is closed and reported as failed (PortFailed) on
  // the next turn of the event loop; while OpenPort writes the connection
  // frames, a refusal at once is its failure instead.
  bool WritePacket(std::string_view frame);
  // Takes the waiting characters and assembles them into frames.
  int OnDataArrived();
  void ResetReceive();
  // Characters of the frame being assembled, at most kMaxFrameLength.
  size_t AssemblyLength() const { return receiveBuffer_.size(); }
  bool IsCtsOn() { return transport_.IsCtsOn(); }

  // --- The command queue -----------------------------------------------------
  // Queues a command with its parameter ID as code; an empty text with code
  // 577 (the end marker) starts sending. 1 accepted, 0 refused.
  int SendPacket(std::string_view text, ParamId code);
  void ClearQueue();
  int QueueLength() const { return static_cast<int>(queue_.size()); }
  const std::vector<QueueEntry>& Queue() const { return queue_; }
  // Every complete frame and every report built from a configuration report.
  int OnReply(std::string_view frame, bool notAnAnswer);
  int RetryOrGiveUp(std::string_view frame);
  bool SendConnectionCheck();

  // --- Connection and transfers ----------------------------------------------
  int InitialLoadStep();
  // The next connection's initial load reads only `rows` (read-request
  // rows, any order) instead of every row of the initial load; nothing
  // reads them all again. A load of no rows ends with the configuration.
  void LimitNextInitialLoad(std::optional<std::vector<int>> rows);
  // In Real Time Mode with the link ready and nothing queued: reads `rows`
  // now as a short initial load (EndInitialization at its end, or its
  // failure). The receiver is left as it was: a program selected to read
  // a program's parameters, and Pure Direct, are put back. False when the
  // link cannot read now.
  bool ReadRows(const std::vector<int>& rows);
  // The initial load now running reads only some rows.
  bool IsLoadLimited() const { return loadRows_.has_value(); }
  void UploadSequence(int nextPhase);
  void DownloadSequence(int nextPhase);
  // Which memories (1..6) a Download stores; all of them unless the host
  // chose otherwise for this Download. Kept until the next Download is set.
  void SetDownloadMemories(const std::array<bool, kImageSlots>& memories) {
    downloadMemories_ = memories;
  }
  const std::array<bool, kImageSlots>& DownloadMemories() const { return downloadMemories_; }
  // What an Upload reads: everything by default. The read-back of the
  // memories a Download stored reads only those memories, each only in the
  // rows given (indexed by row; none given: every row a memory is read
  // in), and not the current setting, which the images already hold; its
  // write-back is that of any Upload. Kept until set again.
  struct UploadScope {
    bool currentSetting = true;
    std::array<bool, kImageSlots> memories{false, true, true, true, true, true, true};
    std::array<std::optional<std::vector<bool>>, kImageSlots> memoryRows{};
  };
  void SetUploadScope(UploadScope scope) { uploadScope_ = std::move(scope); }
  const UploadScope& GetUploadScope() const { return uploadScope_; }

  LinkState State() const { return linkState_; }
  // A cancelled initialization leaves the link ready for commands.
  void MarkReady() { linkState_ = LinkState::kReady; }
  // Every frame written has gone out and its pause has ended.
  bool IsWireIdle() const { return !pausing_ && outbox_.empty(); }
  TransferJob Job() const { return transferJob_; }
  void SetJob(TransferJob job) { transferJob_ = job; }
  int UploadStep() const { return uploadStep_; }
  // The memory (1..6) an Upload has walked the receiver to, so that the
  // receiver no longer holds its own setting: from the first memory load
  // until the write-back has ended (during the write-back, the last memory
  // it read); 0 otherwise.
  int MemoryTheReceiverIsOn() const;
  // An Upload has changed the receiver: from the configuration on it has
  // switched Pure Direct off and then selects inputs and sound programs,
  // until its write-back puts them back.
  bool HasChangedTheReceiver() const {
    return transferJob_ == TransferJob::kUpload &&
           (linkState_ == LinkState::kReady || linkState_ == LinkState::kUploadSecondPhase);
  }
  // The receiver's own setting as the Upload read it (slot 0 with the
  // basic values and zone volumes kept at the start), which the write-back
  // puts back into the receiver.
  CSettingImage ReceiverSettingForWriteBack() const;
  int LoadCursor() const { return loadCursor_; }
  // Values stored from the receiver since the port was opened.
  int ValuesStored() const { return valuesStored_; }
  // Since the port was opened: commands sent again because their answer did
  // not come or did not fit, and frames that began with something other
  // than a start byte. Either means that answers were lost on the way.
  int Resends() const { return resends_; }
  int UnreadableFrames() const { return unreadableFrames_; }
  // Since the port was opened: reads of a transfer that went unanswered
  // however often they were sent, and were skipped; their values are not
  // the receiver's.
  int SkippedReads() const { return skippedReads_; }
  // An initial load, Upload or Download is running: sliders then change
  // neither the image nor their read-outs.
  bool IsTransferInProgress() const;

  // --- Time ------------------------------------------------------------------
  // The owner calls this for the link's timers: frame, reply, pacing, settle.
  void OnTimer(int timer);
  // Starts a timer once the frames written so far have gone out and their
  // pauses have ended, where a blocking write would have returned.
  void StartTimerAfterWrites(int timer, int milliseconds);
  void KillTimer(int timer);
  bool IsPausing() const { return pausing_; }

  // TransportListener
  void DataArrived() override { OnDataArrived(); }
  void PortFailed(std::string_view reason) override;

 private:
  struct Outgoing {
    std::string frame;
    int pauseMs;
  };

  // Port and pacing.
  void WriteNow(const Outgoing& outgoing);
  void PauseEnded();
  int ExtraPauseOfNextEntry() const;
  void HandleFrame(std::string frame);
  void WriteFailed();
  void KillConnectionTimers();

  // Engine.
  int FirstNotDone() const;
  int TableIndexFor(std::string_view text) const;
  void WriteEntry(int index);
  void StartReplyTimer(int extraMs = 0);
  bool SetsModelFlag(std::string_view frame, int& row) const;
  void ApplyModelReply(int row, std::string_view frame);
  bool IsWrongKind(std::string_view frame, const QueueEntry& entry) const;
  void UpdateInputDspFromProgramReport();
  void DecodeAndStore(std::string_view frame, bool notAnAnswer);
  // What the markers behind a finished entry do; the engine passes them
  // whether the entry was answered or skipped.
  struct MarkerEffects {
    int memory = -1;  // "@MEMORY, n": slot n becomes current after the reply is stored
    bool phaseEnds = false;
  };
  MarkerEffects PassMarkersBehind(int finished);
  void ApplyMarkerEffects(const MarkerEffects& effects);

  // Connection.
  void HandleConfigurationReport(std::string_view frame);
  void ConvertConfiguration(std::string_view frame);
  int HandleLoadAnswer(std::string_view frame);
  bool WantedInLoad(int row) const;
  void CompleteInitialLoad();

  // Transfers.
  void QueuePseudo(std::string_view text, int number = -1);
  void QueueReadPass(bool (*wanted)(uint8_t flags), int firstRow, int curBeforeRow);
  void QueueRowsReadPerMemory(const std::vector<bool>& rows);
  bool PassesGates(uint8_t flags) const;
  void DeleteFromFirstNotDone();

  SerialTransport& transport_;
  LinkHost& host_;

  std::array<CSettingImage, kImageSlots> images_{};
  int currentSlot_ = 0;
  int regionCode_ = kDefaultRegionCode;
  ModelFlags modelFlags_;
  std::array<int, kImageSlots> dataExists_{};
  std::string userMemo_;
  ControlMode controlMode_ = ControlMode::kAsync;

  std::string lastPortError_;
  std::string connectionReport_;
  std::string receiveBuffer_;
  bool resync_ = false;
  unsigned portGeneration_ = 0;  // counts openings and closings

  bool pausing_ = false;
  bool openingPort_ = false;  // OpenPort is writing the connection frames
  std::deque<Outgoing> outbox_;
  std::array<int, kTimerCount> deferredTimers_{};  // milliseconds + 1, 0 when none

  std::vector<QueueEntry> queue_;
  LinkState linkState_ = LinkState::kWaitingForConfiguration;
  TransferJob transferJob_ = TransferJob::kNone;
  int uploadStep_ = 0;
  int loadCursor_ = 0;
  // The rows a limited initial load reads (indexed by row), and whether it
  // selected a DSP program on the way.
  std::optional<std::vector<bool>> loadRows_;
  bool loadSelectedProgram_ = false;
  int valuesStored_ = 0;
  int resends_ = 0;
  int unreadableFrames_ = 0;
  int skippedReads_ = 0;

  // Image words 1, 2, 3, 4 and 8 of slot 0, kept while a transfer walks the
  // receiver through other settings; word 8 once more at each re-read.
  std::array<int32_t, 5> savedBasic_{};
  int32_t savedPureDirectAtReread_ = 0;
  // The program report that follows the answer to an input selection of an
  // Upload tells that input's program.
  bool programReportNamesInputProgram_ = false;
  std::array<int32_t, 2> savedZoneVolumes_{};
  std::array<bool, kImageSlots> downloadMemories_{false, true, true, true, true, true, true};
  UploadScope uploadScope_;
};

}  // namespace qamp
