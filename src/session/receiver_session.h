// The session with the receiver: everything the main view decides without
// being a window. It owns the link, starts connections, Uploads and
// Downloads, retries and scans ports, keeps the image backup of a
// transfer, sends the basic controls, and tells its host (the GUI, qampctl
// or a test) what to show.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/comm_class.h"
#include "model/error_log.h"
#include "session/download_plan.h"

namespace qamp {

enum class MessageIcon { kError, kWarning, kInformation, kQuestion };

// How an operation that the user started has ended.
enum class OperationOutcome {
  kConnected,     // a real-time connection and its initial load completed
  kTransferDone,  // an Upload or Download completed
  kSendingDone,   // a real-time send completed
  kFailed,        // with a message
  kCancelled,
  kConnectionLost,  // the periodic check went unanswered, or the port failed
};

struct PortEntry {
  std::string name;          // the short name: what "Port" keeps and "Auto" scans by
  std::string device;        // what the transport opens
  std::string display = {};  // what the port list shows (empty: the name)
};

// What the session needs of the front end.
class SessionHost {
 public:
  virtual ~SessionHost() = default;
  virtual void StartTimer(int timer, int milliseconds) = 0;
  virtual void KillTimer(int timer) = 0;

  virtual void ShowConnectionStatus(std::string_view /*text*/) {}
  virtual void ShowStatusBar(std::string_view /*text*/) {}  // "GUARD", "ERROR", or empty
  virtual void ShowMessage(std::string_view /*text*/, MessageIcon /*icon*/) {}
  // A question with OK and Cancel (or Yes and No); true for OK (Yes).
  virtual bool Ask(std::string_view /*text*/, std::string_view /*title*/) { return true; }

  virtual void InitializeOpened(int /*range*/) {}
  virtual void InitializeProgress(int /*position*/) {}
  virtual void InitializeClosed() {}
  // The "Command Sending" window; it shows no progress for a single command.
  virtual void SendingOpened(int /*range*/, bool /*showsProgress*/, std::string_view /*caption*/) {}
  virtual void SendingProgress(int /*position*/) {}
  virtual void SendingClosed() {}

  virtual void RefreshUserInterface() {}
  virtual void RefreshActivePage() {}
  virtual void RefreshParams(const std::vector<ParamId>& /*ids*/) {}
  virtual void RefreshBasicControl(ParamId /*id*/) {}
  virtual void RefreshMemoryWindow() {}
  virtual void SetWaitCursor(bool /*on*/) {}

  virtual void OperationEnded(OperationOutcome /*outcome*/, std::string_view /*message*/) {}
  // A Download meant to send only what differs sends everything instead,
  // for the reason given (the receiver is not as the program knew it).
  virtual void DownloadPlanChanged(const DownloadPlan& /*plan*/, std::string_view /*why*/) {}
};

// The host of an application that only holds a configuration (to read or
// write files, make a report, compare two): it never connects, so no timer
// of it ever runs.
class OfflineSessionHost : public SessionHost {
 public:
  void StartTimer(int /*timer*/, int /*milliseconds*/) override {}
  void KillTimer(int /*timer*/) override {}
};

// What the session asks of the pages (the pages layer provides it).
class PageDirectory {
 public:
  virtual ~PageDirectory() = default;
  virtual void QueuePageDownloads(const CSettingImage& image) = 0;
  // Only the pages marked, by their place in the file's order of pages;
  // a page with commands in `parts` sends those instead of all of it.
  virtual void QueueChosenPageDownloads(const CSettingImage& image, const std::vector<bool>& pages,
                                        const std::vector<QueuedCommands>& parts) = 0;
  virtual void QueueMemoryStore(int memory) = 0;
  // The end of an Upload: the pages that give the receiver its own
  // setting `image` again after the Upload's memory loads and selections.
  virtual void QueueWriteBackDownloads(const CSettingImage& image) = 0;
  virtual void RederiveTriggerParameter(ParamId id) = 0;
  virtual bool Describe(ParamId id, std::string& section, std::string& key) = 0;
  // The same with the value text of `id` in `image`.
  virtual bool DescribeValue(const CSettingImage& image, ParamId id, std::string& section,
                             std::string& key, std::string& value) = 0;
  virtual void UpdateModelControls() = 0;
  // What memory `memory` holds in `image`, of every kind, as configuration
  // files name it ("System Memory 3 Speaker Level", key, value text).
  struct MemoryValue {
    ParamId id;
    std::string section;
    std::string key;
    std::string value;
  };
  virtual std::vector<MemoryValue> DescribeMemory(int memory, const CSettingImage& image) = 0;
};

inline constexpr std::string_view kMessageInitializationError =
    "Communication error has occurred during initialization.";
inline constexpr std::string_view kMessagePortError = "COM port error has occurred.";
inline constexpr std::string_view kMessageCheckError = "Connection check error has occurred.";
inline constexpr std::string_view kMessageCableError = "Cable Check Error";
inline constexpr std::string_view kQuestionReload =
    "Application will start reloading the configuration.";
inline constexpr std::string_view kQuestionStopInitialization =
    "Initialization is stopped.\nIs it all right?";
inline constexpr std::string_view kQuestionStopSending =
    "Transmission of a command is interrupted. \nIs it all right?";
// Asked after a Cancel that left the receiver on one of its memories (an
// Upload reads each memory by loading it into the receiver).
// Why a Download meant to send only what differs sends everything.
inline constexpr std::string_view kReasonReceiverChanged =
    "The receiver's setting is not the one the program last read or wrote: it was changed "
    "on the receiver or by another program. The whole configuration is sent.";
inline constexpr std::string_view kReasonModelChanged =
    "The receiver reports other zones or tuners than when the program last read or wrote "
    "it. The whole configuration is sent.";
inline constexpr std::string_view kMessageNothingToSend =
    "The receiver already holds this configuration: nothing was sent.";
inline constexpr std::string_view kMessageVerified =
    "The receiver holds what was written: %d values read back and compared.";
inline constexpr std::string_view kMessageNotVerified =
    "The configuration was written, but reading it back failed, and the receiver may be left "
    "with Pure Direct off or on another sound program (Download again to be sure): ";
// Added when reading the memories back failed with the receiver on one.
inline constexpr std::string_view kMessageLeftOnMemory =
    "The receiver has been left on one of its System memories: Download again to give it this "
    "configuration's setting back.";
inline constexpr std::string_view kQuestionRestoreReceiver =
    "The receiver has been left on one of its System memories and no longer holds its own "
    "setting.\nPut the receiver's own setting back now?";
// Asked after a Cancel before the first memory load: only the basic
// controls the Upload changes (input, audio select, decoder mode, sound
// program, Pure Direct) are put back, as the rest has not been read whole.
inline constexpr std::string_view kQuestionRestoreBasicControls =
    "The receiver has been left on another input and sound program.\nPut the receiver's own "
    "input and sound program back now?";
inline constexpr std::string_view kRestoreTitle = "Upload";
inline constexpr std::string_view kMessageReceiverRestored =
    "The receiver holds its own setting again.";
inline constexpr std::string_view kInitializeCaption = "Initialize";
inline constexpr std::string_view kSendingCaption = "Command Sending";
inline constexpr std::string_view kAutoPortName = "Auto";

class CReceiverSession : public LinkHost {
 public:
  CReceiverSession(SerialTransport& transport, SessionHost& host, ControlMode mode,
                   LogSink* logSink = nullptr, CErrorLog::Clock clock = {});
  ~CReceiverSession() override;

  CCommClass& Link() { return link_; }
  const CCommClass& Link() const { return link_; }
  void SetPageDirectory(PageDirectory* pages) { pages_ = pages; }
  CErrorLog* ErrorLog() { return errorLog_.get(); }

  // The port list: "Auto" comes first when any port is listed. A selection
  // indexes the list as shown.
  void SetPorts(std::vector<PortEntry> ports);
  std::vector<std::string> PortListNames() const;
  void SelectPort(int selection) { selection_ = selection; }
  // Selects the entry with this name, or "Auto" when there is none.
  void SelectPortByName(std::string_view name);
  // The devices a connection tries: the chosen port, or every listed port
  // for "Auto".
  std::vector<std::string> ConnectionDevices() const;
  int SelectedPort() const { return selection_; }

  // Panel commands.
  void Open();
  void Close();
  void Reload(bool ask = true);
  void StartUpload();
  // The whole configuration, unless the plan says otherwise (see
  // PlanDeltaDownload and PlanChosenDownload).
  void StartDownload(DownloadPlan plan = {});
  // What the running or last Download sends.
  const DownloadPlan& Plan() const { return plan_; }
  // After a Download with `verify`: the values read back that differ from
  // what was written, and how many were compared.
  const std::vector<VerifyMismatch>& Mismatches() const { return mismatches_; }
  int ValuesVerified() const { return valuesVerified_; }
  bool IsVerifying() const { return verification_ != nullptr; }
  // While the memories a Download stored are read back (an Upload of
  // them alone, its write-back included): those memories, 1..6; otherwise
  // none.
  std::vector<int> MemoriesBeingReadBack() const;
  // What the receiver is known to hold: after an Upload, and after a whole
  // or delta Download that every command of reached the receiver; nothing
  // after a failed or cancelled transfer, or one with skipped commands.
  const std::optional<ReceiverState>& KnownState() const { return knownState_; }
  void SetKnownState(std::optional<ReceiverState> state) { knownState_ = std::move(state); }
  // Connected in Real Time Mode: reads these read-request rows now, as a
  // short initial load that ends with OperationEnded(kConnected), or
  // kFailed when the receiver does not answer. False when the link is busy.
  bool ReadRows(const std::vector<int>& rows);
  void CancelInitialization(bool ask = true);
  void CancelSending(bool ask = true);
  // After an Upload was cancelled while the receiver was on one of its
  // memories: the memory (1..6) it was left on, or 0 when the receiver
  // holds its own setting (as far as the program knows).
  int MemoryTheReceiverWasLeftOn() const { return receiverSetting_ ? receiverSetting_->memory : 0; }
  // A cancelled or failed Upload left the receiver changed (on a memory, or
  // on another input and sound program) and RestoreReceiverSetting can put
  // it back.
  bool CanRestoreReceiverSetting() const { return receiverSetting_ != nullptr; }
  // Puts the receiver's own setting, as the cancelled Upload read it, back
  // into the receiver: the Upload's write-back alone over a connection of
  // its own, with its "Command Sending" progress and its own Cancel. The
  // program's images stay as they are. Ends with OperationEnded like a
  // transfer; false when there is nothing to put back.
  bool RestoreReceiverSetting();
  bool IsRestoringReceiverSetting() const { return restoring_; }
  bool IsInitializing() const { return initializeOpen_; }
  bool IsSending() const { return sendingOpen_; }
  bool HasBackup() const { return backup_ != nullptr; }

  // The main view's basic-control send: store and, in Real Time Mode, send.
  void ChangeBasicControl(ParamId id, int32_t value);

  // Every timer the host runs for the session ends up here.
  void OnTimer(int timer);

  // LinkHost.
  void StartTimer(int timer, int milliseconds) override { host_.StartTimer(timer, milliseconds); }
  void KillTimer(int timer) override { host_.KillTimer(timer); }
  void ShowConnectionStatus(std::string_view text) override { host_.ShowConnectionStatus(text); }
  void ShowGuard() override;
  void ShowError() override;
  void SetInitializeProgress(int position) override { host_.InitializeProgress(position); }
  void EndInitialization(bool failed) override;
  void ShowSending() override;
  bool IsSendingShown() const override { return sendingOpen_; }
  void AdvanceSending(int position) override { host_.SendingProgress(position); }
  void EndSending(EndSendingResult result) override;
  void RefreshParams(const std::vector<ParamId>& ids) override { host_.RefreshParams(ids); }
  void RefreshBasicControl(ParamId id) override { host_.RefreshBasicControl(id); }
  void RefreshAllPages() override { host_.RefreshUserInterface(); }
  void WriteErrorLog(std::string_view text, ParamId code) override;
  void PortClosed() override;
  void PortFailed(std::string_view reason) override;
  void RederiveTriggerParameter(ParamId id) override;
  void SendBasicControl(ParamId id) override;
  void QueuePageDownloads() override;
  void QueueBasicControlDownload() override;
  void QueueMemoryStore(int memory) override;
  void DownloadPhaseBegins() override;

 private:
  bool DownloadFollowsPlan() const;
  void SendEverythingInstead(std::string_view why);
  void UpdateKnownState(EndSendingResult result, TransferJob job);
  void StartVerification();
  void VerificationConnected(bool failed, bool final, std::string_view message);
  void VerificationFailed(std::string_view message);
  void FinishVerification();
  void StartMemoryVerification();
  void EndMemoryVerification(EndSendingResult result);
  void ConcludeVerification();
  void GiveBackWrittenImages();
  void StartConnection();
  void OpenInitialize();
  void OpeningFailed();
  std::string SendingCaption() const;
  void KeepReceiverSetting();
  void QueueReceiverRestore();
  void EndRestore();
  void OfferRestore();
  void FinishInitialization(bool failed, bool final, std::string_view message);
  void FailConnection(std::string_view message);
  void OnConnectionWatch();
  std::string SelectedDevice() const;
  void TakeBackup();
  void RestoreBackup();
  void DropBackup() { backup_.reset(); }
  std::string DescribeLog(ParamId id, std::string& section, std::string& key);

  SessionHost& host_;
  CCommClass link_;
  PageDirectory* pages_ = nullptr;
  std::unique_ptr<CErrorLog> errorLog_;

  std::vector<PortEntry> ports_;
  int selection_ = 0;
  int scanIndex_ = -1;  // -1: the chosen port; 1..: "Auto" tries this list entry
  int attempts_ = 0;
  TransferJob rememberedJob_ = TransferJob::kNone;
  bool initializeOpen_ = false;
  bool sendingOpen_ = false;
  bool cancelling_ = false;
  // What a transfer may change and gives back when it fails or is
  // cancelled: the seven images, which memories hold data, and the region
  // (an Upload reads both from the receiver as it goes).
  struct Backup {
    std::array<CSettingImage, kImageSlots> images;
    std::array<bool, kImageSlots> dataExists{};
    int regionCode = kDefaultRegionCode;
  };
  std::unique_ptr<Backup> backup_;
  // What the receiver held before a cancelled Upload walked it through its
  // memories, with what is needed to write it back to the same receiver.
  struct ReceiverSetting {
    CSettingImage image;
    ModelFlags flags;
    int regionCode = kDefaultRegionCode;
    int memory = 0;
    bool basicControlsOnly = false;  // left before the first memory load
  };
  std::unique_ptr<ReceiverSetting> receiverSetting_;
  bool restoring_ = false;
  DownloadPlan plan_;
  std::optional<ReceiverState> knownState_;
  int skippedCommands_ = 0;  // written to the error log in this operation
  // The read-back after a Download: what was written, while the receiver's
  // answers land in the images.
  struct Verification {
    std::array<CSettingImage, kImageSlots> written;
    std::vector<ParamId> ids;
    // The memories stored: the parameters of each to compare, and the rows
    // that read them.
    std::array<bool, kImageSlots> memoriesRead{};
    std::array<std::vector<bool>, kImageSlots> memoryIds;  // indexed by parameter
    std::array<std::optional<std::vector<bool>>, kImageSlots> memoryRows;
    int skippedBefore = 0;
    // Reading the current setting; then, for the memories, an Upload of
    // them alone, which puts the receiver's setting back as any does.
    enum class Phase { kBegin, kReading, kEnd, kMemories };
    Phase phase = Phase::kBegin;
  };
  std::unique_ptr<Verification> verification_;
  std::vector<VerifyMismatch> mismatches_;
  int valuesVerified_ = 0;
};

}  // namespace qamp
