// The connection: the receiver's configuration report, and the initial load
// that reads the whole configuration in Real Time Mode.
#include "link/comm_class.h"
#include "link/decode_report.h"
#include "link/read_request_table.h"
#include "link/wire_format.h"
#include "model/image_defaults.h"

namespace qamp {

namespace {

char CharAt(std::string_view frame, size_t offset) {
  return offset < frame.size() ? frame[offset] : '\0';
}

// Position of the region digit in the answer of row 0: the 13th character.
constexpr size_t kRegionOffset = 12;

}  // namespace

void CCommClass::ConvertConfiguration(std::string_view frame) {
  std::string report(frame);
  for (const std::string& built : ConfigurationToReports(report)) OnReply(built, true);
}

void CCommClass::HandleConfigurationReport(std::string_view frame) {
  if (!IsExpectedModel(frame)) {
    lastPortError_ =
        "The receiver answered as model \"" + ModelOf(frame) + "\", not as a QR-K2600.";
    host_.EndInitialization(true);
    return;
  }
  KillTimer(kConnectionWatchTimer);
  connectionReport_ = std::string(frame);
  CSettingImage& image = CurrentImage();
  switch (transferJob_) {
    case TransferJob::kDownload:
      linkState_ = LinkState::kReady;
      host_.EndInitialization(false);
      return;
    case TransferJob::kUpload:
      linkState_ = LinkState::kConvertingConfiguration;
      savedBasic_ = {};
      ConvertConfiguration(frame);
      savedBasic_ = {image[1], image[2], image[3], image[4], image[8]};
      WritePacket(FrameStandard("07E82"));
      WritePacket(FrameStandard("07A1D"));
      linkState_ = LinkState::kReady;
      host_.EndInitialization(false);
      return;
    default:
      linkState_ = LinkState::kConvertingConfiguration;
      savedBasic_[0] = savedBasic_[3] = savedBasic_[4] = 0;
      ConvertConfiguration(frame);
      savedBasic_[0] = image[1];
      savedBasic_[3] = image[4];
      savedBasic_[4] = image[8];
      WritePacket(FrameStandard("07E82"));
      // The receiver needs a moment after the configuration report before
      // the first read request.
      linkState_ = LinkState::kInitialLoad;
      loadCursor_ = 0;
      StartTimerAfterWrites(kSettleTimer, kSettleMs);
      return;
  }
}

bool CCommClass::PassesGates(uint8_t flags) const {
  if ((flags & kNeedsZone2) != 0 && modelFlags_.zone2 == 0) return false;
  if ((flags & kNeedsZone3) != 0 && modelFlags_.zone3 == 0) return false;
  if ((flags & kNeedsModelFlagC) != 0 && modelFlags_.xm == 0) return false;
  return true;
}

int CCommClass::InitialLoadStep() {
  while (!kReadRequestTable[static_cast<size_t>(loadCursor_)].request.empty()) {
    const uint8_t flags = kReadRequestTable[static_cast<size_t>(loadCursor_)].flags;
    if ((flags & kReadInInitialLoad) != 0 && PassesGates(flags)) break;
    ++loadCursor_;
  }
  const ReadRequestRow& row = kReadRequestTable[static_cast<size_t>(loadCursor_)];
  if (row.request.empty()) return 0;
  WritePacket(FrameExtended(row.request));
  StartTimerAfterWrites(kLoadAnswerTimer, kLoadAnswerMs);
  return 1;
}

void CCommClass::ApplyModelReply(int row, std::string_view frame) {
  const size_t after = kReadRequestTable[static_cast<size_t>(row)].reply1.size();
  const char first = CharAt(frame, after);
  switch (row) {
    case kModelFlagARow:
      modelFlags_.zone2 = first != '0';
      break;
    case kModelFlagBRow:
      modelFlags_.zone3 = first != '0';
      break;
    case kModelFlagCRow:
      modelFlags_.xm = first != '0';
      break;
    case kModelFlagDRow: {
      // A count n, then n pairs; the pair that starts with "3" tells.
      const int count = first >= '0' && first <= '9' ? first - '0' : 0;
      for (int pair = 0; pair < count; ++pair) {
        const size_t at = after + 1 + 2 * static_cast<size_t>(pair);
        if (CharAt(frame, at) == '3') {
          modelFlags_.aacDecoder = CharAt(frame, at + 1) != '0';
          break;
        }
      }
      break;
    }
    default:
      if (row >= kFirstDataExistsRow && row <= kLastDataExistsRow) {
        SetDataExists(row - kFirstDataExistsRow + 1, first != '0');
      }
  }
}

int CCommClass::HandleLoadAnswer(std::string_view frame) {
  const int i = loadCursor_;
  if (i < 0 || i >= kReadRequestRows) return 0;
  const ReadRequestRow& row = kReadRequestTable[static_cast<size_t>(i)];
  std::string_view answer = frame;
  if (IsParameterError(frame) && (row.flags & kTriggerParameter) != 0) {
    // The receiver lacks this trigger setting: the row counts as answered
    // without data.
    answer = row.reply1;
    host_.WriteErrorLog(FrameExtended(row.request), kEndMarkerCode);
  } else if (!answer.starts_with(row.reply1) &&
             (row.reply2.empty() || !answer.starts_with(row.reply2))) {
    return 0;
  }
  KillTimer(kLoadAnswerTimer);
  host_.SetInitializeProgress(i);
  loadCursor_ = i + 1;
  if (i == kRegionRow) {
    const char digit = CharAt(answer, kRegionOffset);
    if (digit >= '0' && digit <= '9') {
      regionCode_ = digit - '0';
      ApplyTunerPresetDefaults(CurrentImage(), regionCode_);
    }
    InitialLoadStep();
    return 1;
  }
  if (i >= kModelFlagARow && i <= kLastDataExistsRow) {
    ApplyModelReply(i, answer);
    InitialLoadStep();
    return 1;
  }
  if (i == kConnectionCheckRow) {
    CompleteInitialLoad();
    return 1;
  }
  InitialLoadStep();
  DecodeAndStore(answer, true);
  return 1;
}

void CCommClass::CompleteInitialLoad() {
  linkState_ = LinkState::kReady;
  host_.EndInitialization(false);
  if (!transport_.IsOpen()) return;
  // Back to the input and program the receiver had before the load walked
  // it through every sound program.
  CSettingImage& image = CurrentImage();
  image[1] = savedBasic_[0];
  image[4] = savedBasic_[3];
  image[8] = savedBasic_[4];
  for (const ParamId id : {1, 4, 8}) host_.SendBasicControl(id);
  host_.RefreshAllPages();
}

}  // namespace qamp
