// The engine half of the link: the queue, the reply handler and the retries.
#include <cstdlib>

#include "link/comm_class.h"
#include "link/decode_report.h"
#include "link/read_request_table.h"
#include "link/wire_format.h"
#include "model/parameter_store.h"

namespace qamp {

namespace {

// The memory save commands of System memory go through the queue even in
// Real Time Mode, so that their answers are awaited.
constexpr std::array<std::string_view, 6> kQueuedStandardCommands = {
    "\x02"
    "07E2B"
    "\x03",
    "\x02"
    "07E2C"
    "\x03",
    "\x02"
    "07E2D"
    "\x03",
    "\x02"
    "07E2E"
    "\x03",
    "\x02"
    "07E2F"
    "\x03",
    "\x02"
    "07E30"
    "\x03"};

// Reports the receiver sends on its own; they answer nothing.
constexpr std::array<std::string_view, 4> kSpontaneousPrefixes = {
    "\x02"
    "0010",
    "\x02"
    "0012",
    "\x02"
    "0013",
    "\x02"
    "0014"};

constexpr std::string_view kProgramReportPrefix =
    "\x02"
    "0028";
constexpr int kStraightProgram = 26;
constexpr int kInputDspFirstWord = 231;

bool IsPseudoCommand(std::string_view text) {
  return !text.empty() && text.front() == '@';
}

// The DSP program a read-request row is about: its own program group, or
// for the selection that opens a program's block, the group of the block.
int ProgramGroupOfRow(int row) {
  const ReadRequestRow& entry = kReadRequestTable[static_cast<size_t>(row)];
  if (entry.programGroup >= 0) return entry.programGroup;
  const bool selection = !entry.request.empty() && entry.request.front() == kStx &&
                         row + 1 < kReadRequestRows && row >= kFirstInputSelectionRow + 14;
  return selection ? kReadRequestTable[static_cast<size_t>(row) + 1].programGroup : -1;
}

bool StartsWithEither(std::string_view frame, const ReadRequestRow& row) {
  return (!row.reply1.empty() && frame.starts_with(row.reply1)) ||
         (!row.reply2.empty() && frame.starts_with(row.reply2));
}

// The Input DSP record of an input-table index: the records keep VCR before
// DVR, the input table DVR before VCR.
int InputDspRecordOf(int input) {
  if (input == 8) return 9;
  if (input == 9) return 8;
  return input;
}

}  // namespace

int CCommClass::FirstNotDone() const {
  for (size_t i = 0; i < queue_.size(); ++i) {
    if (queue_[i].tries < kDoneTries) return static_cast<int>(i);
  }
  return -1;
}

int CCommClass::TableIndexFor(std::string_view text) const {
  if (transferJob_ == TransferJob::kUpload) {
    for (int row = 0; row < kReadRequestRows; ++row) {
      const std::string_view request = kReadRequestTable[static_cast<size_t>(row)].request;
      if (!request.empty() && text.starts_with(request)) return row;
    }
    return -1;
  }
  if (text.empty() || text.front() != kDc4) return -1;
  // A write finds the row that reads the same parameter back.
  std::string copy(text);
  if (copy.size() > 8) copy[8] = '0';
  for (int row = 0; row < kReadRequestRows; ++row) {
    const std::string_view reply = kReadRequestTable[static_cast<size_t>(row)].reply1;
    if (!reply.empty() && std::string_view(copy).starts_with(reply)) return row;
  }
  return -1;
}

int CCommClass::SendPacket(std::string_view text, ParamId code) {
  if (linkState_ < LinkState::kReady) return 0;
  if (IsRealTimeMode() && !text.empty() && text.front() == kStx) {
    bool queued = false;
    for (const std::string_view command : kQueuedStandardCommands) queued |= text == command;
    if (!queued) return WritePacket(text) ? 1 : 0;
  }
  if (queue_.empty() && text.empty()) return 1;
  if (!text.empty()) {
    QueueEntry entry;
    entry.text = std::string(text);
    entry.code = code;
    entry.tableIndex = TableIndexFor(text);
    entry.tries = IsPseudoCommand(text) ? kDoneTries : 0;
    queue_.push_back(std::move(entry));
    return 1;
  }
  // The end marker. While a queue is being sent, its progress window holds
  // the user's handler until the queue has drained: commands queued behind
  // it simply follow in order.
  if (host_.IsSendingShown()) return 1;
  const int first = FirstNotDone();
  if (first < 0) {
    // Only markers were queued: nothing to send, nothing to wait for.
    ClearQueue();
    host_.EndSending(EndSendingResult::kDone);
    return 1;
  }
  WriteEntry(first);
  StartReplyTimer();
  host_.ShowSending();
  return 1;
}

void CCommClass::ClearQueue() {
  queue_.clear();
}

void CCommClass::WriteEntry(int index) {
  WritePacket(queue_[static_cast<size_t>(index)].text);
}

void CCommClass::StartReplyTimer(int extraMs) {
  const int period = transferJob_ == TransferJob::kUpload ? kUploadReplyMs : kReplyMs;
  StartTimerAfterWrites(kReplyTimer, period + extraMs);
}

bool CCommClass::SetsModelFlag(std::string_view frame, int& row) const {
  for (int r = kModelFlagARow; r <= kLastDataExistsRow; ++r) {
    if (frame.starts_with(kReadRequestTable[static_cast<size_t>(r)].reply1)) {
      row = r;
      return true;
    }
  }
  return false;
}

bool CCommClass::IsWrongKind(std::string_view frame, const QueueEntry& entry) const {
  if (frame.empty() || entry.text.empty() || IsConfigurationReport(frame)) return false;
  const bool frameExtended = frame.front() == kDc4;
  const bool entryExtended = entry.text.front() == kDc4;
  return frameExtended != entryExtended;
}

int CCommClass::OnReply(std::string_view frame, bool notAnAnswer) {
  // 1. and 2.: nothing, or not yet connected.
  if (frame.empty()) return 0;
  if (linkState_ == LinkState::kWaitingForConfiguration) {
    if (!IsConfigurationReport(frame)) return 0;
    HandleConfigurationReport(frame);
    return 1;
  }
  if (IsParameterError(frame)) host_.WriteErrorLog(kParameterErrorLine, kEndMarkerCode);
  // 3. The initial load has its own matching.
  if (linkState_ == LinkState::kInitialLoad) return HandleLoadAnswer(frame);
  // 4. The answer to the periodic connection check.
  if (linkState_ == LinkState::kReady && transferJob_ == TransferJob::kRealTimeConnection) {
    const ReadRequestRow& check = kReadRequestTable[kConnectionCheckRow];
    if (StartsWithEither(frame, check)) {
      KillTimer(kCheckAnswerTimer);
      return 1;
    }
  }
  // 5. and 6.
  KillTimer(kReplyTimer);
  for (const std::string_view prefix : kSpontaneousPrefixes) {
    if (frame.starts_with(prefix)) {
      StartReplyTimer();
      return 0;
    }
  }

  // 7. Does the frame answer the current command?
  const bool realTime = transferJob_ == TransferJob::kRealTimeConnection;
  // The Upload reads with its own matching up to its write-back, which
  // follows the general rule.
  const bool uploadReads = transferJob_ == TransferJob::kUpload &&
                           !(linkState_ == LinkState::kUploadSecondPhase && uploadStep_ == 2);
  const int current = FirstNotDone();
  bool answered = false;
  bool decode = false;
  if (notAnAnswer || current < 0) {
    decode = true;
  } else {
    QueueEntry& entry = queue_[static_cast<size_t>(current)];
    const bool entryExtended = !entry.text.empty() && entry.text.front() == kDc4;
    if (!realTime && IsWrongKind(frame, entry)) {
      StartReplyTimer();
      return 0;
    }
    int flagRow = -1;
    if (uploadReads) {
      const ReadRequestRow* row = entry.tableIndex >= 0
                                      ? &kReadRequestTable[static_cast<size_t>(entry.tableIndex)]
                                      : nullptr;
      if (SetsModelFlag(frame, flagRow)) {
        ApplyModelReply(flagRow, frame);
        answered = true;
      } else if (linkState_ == LinkState::kUploadSecondPhase && uploadStep_ == 1 &&
                 row != nullptr && (row->flags & kInputSelection) != 0) {
        // Selecting an input answers with the input report, then the
        // program report; both are decoded.
        answered = frame.starts_with(row->reply2);
        decode = frame.front() == kStx;
        if (answered) programReportNamesInputProgram_ = true;
      } else if (!entryExtended) {
        if (entry.code == kSystemMemoryLoadCode) {
          if (IsConfigurationReport(frame)) {
            // The receiver answers a System memory load with the
            // configuration of that memory.
            ConvertConfiguration(frame);
            savedPureDirectAtReread_ = CurrentImage()[8];
            WritePacket(FrameStandard("07E82"));
            WritePacket(FrameStandard("07A1D"));
            answered = true;
          } else {
            decode = true;
          }
        } else if (IsConfigurationReport(frame)) {
          StartReplyTimer();
          return 0;
        } else if (entry.code == kEndMarkerCode) {
          answered = true;
          decode = true;
        } else {
          decode = true;
          answered = DecodeReport(frame).HasId(entry.code);
        }
      } else if (row != nullptr) {
        if (StartsWithEither(frame, *row)) {
          answered = true;
          decode = true;
        } else if (entry.tries < 3) {
          RetryOrGiveUp(frame);
          return 0;
        } else {
          // Unanswered reads do not stop an Upload.
          host_.WriteErrorLog(entry.text, entry.code);
          ++skippedReads_;
          answered = true;
        }
      } else {
        StartReplyTimer();
        return 0;
      }
    } else {
      if (IsConfigurationReport(frame)) {
        if (entry.code != kSystemMemoryLoadCode) {
          // A receiver that reconfigures itself does not answer the command
          // in flight; its answer timer runs on.
          StartReplyTimer();
          return 0;
        }
        // A System memory load is answered with the configuration it
        // loaded; what the program is sending stays as it is.
        answered = true;
      } else if (SetsModelFlag(frame, flagRow)) {
        ApplyModelReply(flagRow, frame);
        answered = true;
      } else if (frame.front() == kDc4) {
        if (entryExtended && entry.tries == 4) {
          answered = true;  // the read-back of a guarded write
          decode = true;
        } else if (entryExtended && frame.size() > 8 && entry.text.size() > 8 && frame[8] == '0' &&
                   frame.substr(5, 3) == std::string_view(entry.text).substr(5, 3)) {
          answered = true;
        } else {
          answered = RetryOrGiveUp(frame) == 1;
          if (FirstNotDone() != current) return 0;  // the queue was cleared meanwhile
        }
      } else if (!entryExtended && entry.code == kEndMarkerCode) {
        answered = true;
        decode = true;
      } else {
        decode = true;
        answered = DecodeReport(frame).HasId(entry.code);
      }
    }
    // Outside a Real Time Mode connection the answers to writes are matched
    // but never stored: the receiver echoes what the image already holds,
    // or, answering the write-back of an Upload, what it held before.
    if (!realTime && !uploadReads) decode = false;
  }

  // 8. Mark the answered entry done and pass the markers behind it.
  MarkerEffects markers;
  if (answered && current >= 0 && current < QueueLength()) {
    if (host_.IsSendingShown() && QueueLength() > 1) host_.AdvanceSending(current);
    queue_[static_cast<size_t>(current)].tries = kDoneTries;
    markers = PassMarkersBehind(current);
  }

  // 9. and 10.
  if (IsGuarded(frame)) host_.ShowGuard();
  if (decode) DecodeAndStore(frame, notAnAnswer);

  // 11. and 12.: the markers take effect; a new phase replaces the tail.
  ApplyMarkerEffects(markers);

  // 13. and 14. The next command is decided after the phase change, so that
  // it is the first entry of the new tail, and the queue is finished only
  // when the final phase has queued nothing more.
  const int next = FirstNotDone();
  if (answered) {
    if (next < 0) {
      ClearQueue();
      host_.EndSending(EndSendingResult::kDone);
    } else {
      WriteEntry(next);
      StartReplyTimer();
    }
  } else if (next >= 0) {
    // A command is still in flight: its answer time-out runs on.
    StartReplyTimer();
  }
  return answered || decode ? 1 : 0;
}

CCommClass::MarkerEffects CCommClass::PassMarkersBehind(int finished) {
  MarkerEffects effects;
  if (transferJob_ != TransferJob::kUpload && transferJob_ != TransferJob::kDownload)
    return effects;
  for (size_t k = static_cast<size_t>(finished) + 1; k < queue_.size(); ++k) {
    QueueEntry& next = queue_[k];
    if (IsPseudoCommand(next.text)) {
      if (next.text.starts_with("@MEMORY")) {
        CurrentImage()[8] = savedPureDirectAtReread_;
        const size_t comma = next.text.find(',');
        effects.memory = comma == std::string::npos ? 0 : std::atoi(next.text.c_str() + comma + 1);
      } else if (next.text == "@CURR") {
        effects.phaseEnds = true;
      } else if (next.text == "@VOLUMEOUT") {
        savedZoneVolumes_ = {Image(0)[14], Image(0)[19]};
      }
      continue;
    }
    if (transferJob_ == TransferJob::kUpload && next.tableIndex >= 0 && currentSlot_ != 0) {
      // A memory only holds the parameters of its own sound program.
      // Selecting another program would also make the receiver report it,
      // and the memory would take that program for its own, so the
      // selection is passed over together with the reads.
      const int group = ProgramGroupOfRow(next.tableIndex);
      if (group >= 0 && CurrentImage()[4] != group) {
        next.tries = kDoneTries;
        continue;
      }
    }
    break;
  }
  return effects;
}

void CCommClass::ApplyMarkerEffects(const MarkerEffects& effects) {
  if (effects.memory >= 0) SelectImage(effects.memory);
  if (effects.phaseEnds) {
    if (transferJob_ == TransferJob::kUpload) UploadSequence(1);
    if (transferJob_ == TransferJob::kDownload) DownloadSequence(1);
  }
}

void CCommClass::DecodeAndStore(std::string_view frame, bool notAnAnswer) {
  const DecodedReport decoded = DecodeReport(frame);
  if (!decoded.recognised) {
    if (FirstNotDone() >= 0) StartReplyTimer();
    return;
  }
  if (decoded.kind == GroupKind::kListedOnly) {
    // The memory status values tell which system memories hold data.
    for (const ReportValue& value : decoded.values) {
      const int memory = value.id - kFirstMemoryStatusId + 1;
      if (value.type == ReportValue::Type::kNumber && memory >= 1 && memory <= 6) {
        SetDataExists(memory, value.number != 0);
      }
    }
    return;
  }
  StoreReportValues(CurrentImage(), decoded.values);
  valuesStored_ += static_cast<int>(decoded.values.size());
  if (transferJob_ == TransferJob::kRealTimeConnection) {
    if (decoded.kind == GroupKind::kBasic) {
      for (const ReportValue& value : decoded.values) host_.RefreshBasicControl(value.id);
    } else if (!notAnAnswer) {
      std::vector<ParamId> ids;
      for (const ReportValue& value : decoded.values) ids.push_back(value.id);
      host_.RefreshParams(ids);
    }
  }
  // Only the program report right after an input selection tells that
  // input's program: the reports of the walk through every sound program
  // that follows would all land on the last input selected.
  if (transferJob_ == TransferJob::kUpload && decoded.kind == GroupKind::kBasic &&
      frame.starts_with(kProgramReportPrefix) && programReportNamesInputProgram_) {
    programReportNamesInputProgram_ = false;
    UpdateInputDspFromProgramReport();
  }
}

void CCommClass::UpdateInputDspFromProgramReport() {
  CSettingImage& image = CurrentImage();
  const int input = image[1];
  if (input < 0 || input > 12) return;
  const int word = kInputDspFirstWord + 2 * InputDspRecordOf(input);
  if (image[4] == kStraightProgram) {
    image[word + 1] = 1;
  } else {
    image[word + 1] = 0;
    image[word] = image[4];
  }
}

int CCommClass::RetryOrGiveUp(std::string_view frame) {
  const bool guarded = IsGuarded(frame);
  const int current = FirstNotDone();
  if (current < 0) return 0;
  QueueEntry& entry = queue_[static_cast<size_t>(current)];
  const int tries = entry.tries + 1;
  if (tries <= 3) {
    entry.tries = tries;
    ++resends_;
    WriteEntry(current);
    StartReplyTimer();
    return 0;
  }
  if (linkState_ == LinkState::kWaitingForConfiguration) return 1;
  if (!IsRealTimeMode()) {
    host_.WriteErrorLog(entry.text, entry.code);
    if (transport_.IsCtsOn()) {
      if (entry.tableIndex >= 0) ++skippedReads_;
      // The receiver is there but does not take this command: skip it. The
      // markers behind it take effect as behind an answered one: the next
      // memory's values go into its own slot, and a phase still ends.
      entry.tries = kDoneTries;
      ApplyMarkerEffects(PassMarkersBehind(current));
      const int next = FirstNotDone();
      if (next >= 0) {
        WriteEntry(next);
        StartReplyTimer();
      } else {
        ClearQueue();
        host_.EndSending(EndSendingResult::kDone);
      }
      return 0;
    }
    ClearQueue();
    host_.EndSending(EndSendingResult::kCableError);
    host_.RefreshAllPages();
    return 1;
  }
  const ReadRequestRow* row =
      entry.tableIndex >= 0 ? &kReadRequestTable[static_cast<size_t>(entry.tableIndex)] : nullptr;
  if (!guarded) {
    if (IsParameterError(frame) && row != nullptr && (row->flags & kTriggerParameter) != 0) {
      // The receiver refuses a trigger setting it cannot have: the TRIGGER
      // OUT rules put the image back in line.
      host_.WriteErrorLog(entry.text, entry.code);
      host_.RederiveTriggerParameter(entry.code);
      host_.RefreshParams({entry.code});
      return 1;
    }
    ClearQueue();
    host_.EndSending(EndSendingResult::kReceiverError);
    return 0;
  }
  host_.ShowGuard();
  if (row == nullptr) {
    // Nothing to read back: the command finally failed.
    ClearQueue();
    host_.EndSending(EndSendingResult::kReceiverError);
    return 0;
  }
  // Ask the receiver for the value it actually holds.
  entry.tries = 4;
  WritePacket(FrameExtended(row->request));
  StartReplyTimer();
  return 0;
}

bool CCommClass::SendConnectionCheck() {
  const ReadRequestRow& check = kReadRequestTable[kConnectionCheckRow];
  WritePacket(FrameStandard("FFFFF"));
  return WritePacket(FrameExtended(check.request));
}

}  // namespace qamp
