// Upload and Download: the whole configuration as queue contents, in phases
// separated by "@CURR".
#include <cstdio>

#include "link/comm_class.h"
#include "link/memory_commands.h"
#include "link/read_request_table.h"
#include "link/wire_format.h"

namespace qamp {

namespace {

constexpr int kFinalWaitMs = 300;

bool ReadInUpload(uint8_t flags) {
  return (flags & (kReadInInitialLoad | kReadInUpload)) != 0;
}
bool ReadPerMemory(uint8_t flags) {
  return (flags & kReadPerSystemMemory) != 0;
}

}  // namespace

void CCommClass::QueuePseudo(std::string_view text, int number) {
  if (number < 0) {
    SendPacket(text, kEndMarkerCode);
    return;
  }
  std::array<char, 32> built{};
  std::snprintf(built.data(), built.size(), "%.*s, %d", static_cast<int>(text.size()), text.data(),
                number);
  SendPacket(built.data(), kEndMarkerCode);
}

void CCommClass::QueueReadPass(bool (*wanted)(uint8_t flags), int firstRow, int curBeforeRow) {
  for (int index = firstRow; index < kConnectionCheckRow; ++index) {
    const ReadRequestRow& row = kReadRequestTable[static_cast<size_t>(index)];
    if (index == curBeforeRow) QueuePseudo("@CURR");
    if (!wanted(row.flags) || !PassesGates(row.flags)) continue;
    SendPacket(FrameExtended(row.request), kEndMarkerCode);
  }
}

void CCommClass::QueueRowsReadPerMemory(const std::vector<bool>& rows) {
  for (int index = 0; index < kConnectionCheckRow; ++index) {
    const ReadRequestRow& row = kReadRequestTable[static_cast<size_t>(index)];
    if (static_cast<size_t>(index) >= rows.size() || !rows[static_cast<size_t>(index)]) continue;
    if (!ReadPerMemory(row.flags) || !PassesGates(row.flags)) continue;
    SendPacket(FrameExtended(row.request), kEndMarkerCode);
  }
}

void CCommClass::DeleteFromFirstNotDone() {
  const int first = FirstNotDone();
  if (first >= 0) queue_.erase(queue_.begin() + first, queue_.end());
}

void CCommClass::UploadSequence(int nextPhase) {
  if (nextPhase == 0) {
    if (savedBasic_[0] == 0) {
      CurrentImage()[1] = 1;
      host_.SendBasicControl(1);
    }
    uploadStep_ = 0;
    programReportNamesInputProgram_ = false;
  } else {
    linkState_ = LinkState::kUploadSecondPhase;
    DeleteFromFirstNotDone();
    ++uploadStep_;
  }
  if (uploadStep_ < 2) {
    // The first pass reads the model flags; at "@CURR" the rest is queued
    // again with the flags just read.
    // A read of memories alone reads of the current setting only what
    // comes before the first input selection: the region, the model
    // flags and which memories hold data.
    if (uploadStep_ == 0 || uploadScope_.currentSetting) {
      QueueReadPass(ReadInUpload, uploadStep_ == 0 ? 0 : kFirstInputSelectionRow,
                    uploadStep_ == 0 ? kFirstInputSelectionRow : -1);
    }
    if (uploadStep_ == 1) QueuePseudo("@VOLUMEOUT");
    if (modelFlags_.zone2 != 0) SendPacket(FrameStandard("26600"), 14);
    if (modelFlags_.zone3 != 0) SendPacket(FrameStandard("26B00"), 19);
    for (int memory = 1; memory <= kMemoryCount; ++memory) {
      if (!uploadScope_.memories[static_cast<size_t>(memory)]) continue;
      QueuePseudo("@WAIT", kMemoryLoadWaitMs);
      QueuePseudo("@MEMORY", memory);
      SendPacket(MemoryLoadCommand(MemoryKind::kSystem, memory), kSystemMemoryLoadCode);
      QueuePseudo("@WAIT", kMemoryLoadWaitMs);
      SendPacket(MemoryLoadCommand(MemoryKind::kVolume, memory), kVolumeMemoryLoadCode);
      QueuePseudo("@WAIT", kMemoryLoadWaitMs);
      if (modelFlags_.zone2 != 0) {
        SendPacket(MemoryLoadCommand(MemoryKind::kZone2Volume, memory), kZone2MemoryLoadCode);
        QueuePseudo("@WAIT", kMemoryLoadWaitMs);
      }
      if (modelFlags_.zone3 != 0) {
        SendPacket(MemoryLoadCommand(MemoryKind::kZone3Volume, memory), kZone3MemoryLoadCode);
        QueuePseudo("@WAIT", kMemoryLoadWaitMs);
      }
      const auto& rows = uploadScope_.memoryRows[static_cast<size_t>(memory)];
      if (rows) {
        QueueRowsReadPerMemory(*rows);
      } else {
        QueueReadPass(ReadPerMemory, 0, -1);
      }
    }
    QueuePseudo("@WAIT", kFinalWaitMs);
    QueuePseudo("@MEMORY", 0);
    QueuePseudo("@CURR");
  } else {
    // The final phase returns the receiver to the current setting, which
    // the memory loads above have replaced.
    Image(0) = ReceiverSettingForWriteBack();
    host_.QueuePageDownloads();
    host_.QueueBasicControlDownload();
  }
  if (nextPhase == 0) SendPacket("", kEndMarkerCode);
}

CSettingImage CCommClass::ReceiverSettingForWriteBack() const {
  CSettingImage image = Image(0);
  if (modelFlags_.zone2 != 0) image[14] = savedZoneVolumes_[0];
  if (modelFlags_.zone3 != 0) image[19] = savedZoneVolumes_[1];
  image[1] = savedBasic_[0];
  image[2] = savedBasic_[1];
  image[3] = savedBasic_[2];
  image[4] = savedBasic_[3];
  image[8] = savedBasic_[4];
  return image;
}

int CCommClass::MemoryTheReceiverIsOn() const {
  if (transferJob_ != TransferJob::kUpload || linkState_ != LinkState::kUploadSecondPhase) return 0;
  // The memories are read in order, the last being 6; the write-back puts
  // the receiver's own setting back over it.
  if (uploadStep_ >= 2) {
    for (int memory = kMemoryCount; memory >= 1; --memory) {
      if (uploadScope_.memories[static_cast<size_t>(memory)]) return memory;
    }
    return 0;
  }
  return uploadStep_ == 1 ? currentSlot_ : 0;
}

void CCommClass::DownloadSequence(int nextPhase) {
  if (nextPhase == 0) {
    SendPacket(FrameStandard("07E82"), 8);
    for (const int row : {kModelFlagARow, kModelFlagBRow, kModelFlagCRow}) {
      SendPacket(FrameExtended(kReadRequestTable[static_cast<size_t>(row)].request), 0);
    }
    QueuePseudo("@CURR");
  } else {
    // The second phase replaces everything not yet sent, so that the next
    // command is the first one queued with the model flags just read.
    DeleteFromFirstNotDone();
    host_.DownloadPhaseBegins();
  }
  if (modelFlags_.zone2 != 0) SendPacket(FrameStandard("07EBA"), 14);
  if (modelFlags_.zone3 != 0) SendPacket(FrameStandard("07AED"), 19);
  for (int memory = 1; memory <= kMemoryCount; ++memory) {
    if (!downloadMemories_[static_cast<size_t>(memory)]) continue;
    SelectImage(memory);
    host_.QueueMemoryStore(memory);
    SendPacket(FrameStandard("07E82"), 8);
  }
  SelectImage(0);
  host_.QueuePageDownloads();
  host_.QueueBasicControlDownload();
  if (nextPhase == 0) SendPacket("", kEndMarkerCode);
}

}  // namespace qamp
