#include "link/parameter_reads.h"

#include <algorithm>
#include <functional>
#include <string>

#include "link/read_request_table.h"
#include "link/report_decoding_table.h"
#include "link/wire_format.h"

namespace qamp {

namespace {

const ReadRequestRow& RowAt(int row) {
  return kReadRequestTable[static_cast<size_t>(row)];
}

bool CarriesId(const DecodingRow& row, ParamId id) {
  for (int d = 0; d < row.count; ++d) {
    if (row.descriptors[static_cast<size_t>(d)].id == id) return true;
  }
  return false;
}

// Calls `visit` with every decoding row that may decode an answer that
// begins with `reply`: rows longer than the reply that it begins (the
// answer's data decides between them), up to the first row that every such
// answer matches, as the decoder takes the first row whose prefix fits.
template <typename Visit>
void DecodingRowsOf(std::string_view reply, Visit visit) {
  if (reply.empty()) return;
  for (const DecodingRow& row : kReportDecodingTable) {
    if (row.prefix.empty()) continue;
    if (reply.starts_with(row.prefix)) {
      visit(row);
      return;
    }
    if (row.prefix.starts_with(reply)) visit(row);
  }
}

bool AnswerCarries(const ReadRequestRow& row, ParamId id) {
  bool carries = false;
  auto look = [&](const DecodingRow& decoding) { carries |= CarriesId(decoding, id); };
  DecodingRowsOf(row.reply1, look);
  DecodingRowsOf(row.reply2, look);
  return carries;
}

bool CarriesAParameter(int row) {
  return row > kLastDataExistsRow && row != kConnectionCheckRow;
}

// The selection row that opens the block of a DSP program's parameter row.
int SelectionOf(int row) {
  for (int r = row; r > kFirstInputSelectionRow; --r) {
    if (RowAt(r).programGroup < 0) return r;
  }
  return -1;
}

}  // namespace

std::vector<int> RowsAnswering(ParamId id) {
  std::vector<int> rows;
  for (int row = 0; row < kReadRequestRows; ++row) {
    const ReadRequestRow& entry = RowAt(row);
    if ((entry.flags & kReadInInitialLoad) == 0 || !CarriesAParameter(row)) continue;
    if (AnswerCarries(entry, id)) rows.push_back(row);
  }
  return rows;
}

bool CarriedByConfiguration(ParamId id) {
  for (const ConfigurationRow& configuration : ConfigurationRows()) {
    std::string report(1, kStx);
    report += "00";
    constexpr char kDigits[] = "0123456789ABCDEF";
    report.push_back(kDigits[(configuration.code >> 4) & 0xF]);
    report.push_back(kDigits[configuration.code & 0xF]);
    bool carries = false;
    DecodingRowsOf(report, [&](const DecodingRow& row) { carries |= CarriesId(row, id); });
    if (carries) return true;
  }
  return false;
}

bool RowSelectsProgram(int row) {
  if (row < kFirstInputSelectionRow || row + 1 >= kReadRequestRows) return false;
  const ReadRequestRow& entry = RowAt(row);
  return entry.programGroup < 0 && !entry.request.empty() && entry.request.front() == kStx &&
         RowAt(row + 1).programGroup >= 0;
}

std::vector<int> WithWhatTheyNeed(std::span<const int> rows) {
  std::vector<bool> wanted(kReadRequestRows, false);
  for (const int row : rows) {
    if (row < 0 || row >= kReadRequestRows) continue;
    wanted[static_cast<size_t>(row)] = true;
    const ReadRequestRow& entry = RowAt(row);
    if ((entry.flags & kNeedsZone2) != 0) wanted[kModelFlagARow] = true;
    if ((entry.flags & kNeedsZone3) != 0) wanted[kModelFlagBRow] = true;
    if ((entry.flags & kNeedsModelFlagC) != 0) wanted[kModelFlagCRow] = true;
    auto look = [&](const DecodingRow& decoding) {
      for (int d = 0; d < decoding.count; ++d) {
        const GroupKind kind = decoding.descriptors[static_cast<size_t>(d)].kind;
        if (kind == GroupKind::kTunerPreset || kind == GroupKind::kXmPreset)
          wanted[kRegionRow] = true;
      }
    };
    DecodingRowsOf(entry.reply1, look);
    DecodingRowsOf(entry.reply2, look);
    if (entry.programGroup >= 0) {
      const int selection = SelectionOf(row);
      if (selection >= 0) wanted[static_cast<size_t>(selection)] = true;
    }
  }
  std::vector<int> sorted;
  for (int row = 0; row < kReadRequestRows; ++row) {
    if (wanted[static_cast<size_t>(row)]) sorted.push_back(row);
  }
  return sorted;
}

std::vector<int> RowsToRead(std::span<const ParamId> ids) {
  std::vector<int> rows;
  for (const ParamId id : ids) {
    for (const int row : RowsAnswering(id)) rows.push_back(row);
  }
  return WithWhatTheyNeed(rows);
}

namespace {

std::vector<ParamId> ParametersOfRow(int row) {
  std::vector<ParamId> ids;
  auto collect = [&](const DecodingRow& decoding) {
    for (int d = 0; d < decoding.count; ++d) {
      const ParamId id = decoding.descriptors[static_cast<size_t>(d)].id;
      if (id >= kFirstParamId && id <= kLastParamId) ids.push_back(id);
    }
  };
  DecodingRowsOf(RowAt(row).reply1, collect);
  DecodingRowsOf(RowAt(row).reply2, collect);
  return ids;
}

MemoryReads ReadsPerMemoryWhere(const std::function<bool(ParamId)>& wanted) {
  MemoryReads reads;
  reads.rows.assign(kReadRequestRows, false);
  std::vector<bool> carried(kLastParamId + 1, false);
  for (int row = 0; row < kReadRequestRows; ++row) {
    if ((RowAt(row).flags & kReadPerSystemMemory) == 0 || !CarriesAParameter(row)) continue;
    bool any = false;
    for (const ParamId id : ParametersOfRow(row)) {
      if (!wanted(id)) continue;
      carried[static_cast<size_t>(id)] = true;
      any = true;
    }
    if (!any) continue;
    reads.rows[static_cast<size_t>(row)] = true;
    if (RowAt(row).programGroup >= 0) {
      const int selection = SelectionOf(row);
      if (selection >= 0) reads.rows[static_cast<size_t>(selection)] = true;
    }
  }
  for (ParamId id = kFirstParamId; id <= kLastParamId; ++id) {
    if (carried[static_cast<size_t>(id)]) reads.ids.push_back(id);
  }
  return reads;
}

}  // namespace

MemoryReads ReadsPerMemory() {
  return ReadsPerMemoryWhere([](ParamId) { return true; });
}

MemoryReads ReadsPerMemoryOf(std::span<const ParamId> ids) {
  std::vector<bool> asked(kLastParamId + 1, false);
  for (const ParamId id : ids) {
    if (id >= kFirstParamId && id <= kLastParamId) asked[static_cast<size_t>(id)] = true;
  }
  return ReadsPerMemoryWhere([&](ParamId id) { return asked[static_cast<size_t>(id)]; });
}

std::vector<int> RowsReadingBack(std::string_view frame) {
  std::vector<int> rows;
  if (frame.empty() || frame.front() != kDc4) return rows;
  // The write's operation character stands where the read's answer has "0".
  std::string copy(frame);
  if (copy.size() > 8) copy[8] = '0';
  for (int row = 0; row < kReadRequestRows; ++row) {
    const ReadRequestRow& entry = RowAt(row);
    if ((entry.flags & kReadInInitialLoad) == 0 || !CarriesAParameter(row)) continue;
    if (!entry.reply1.empty() && std::string_view(copy).starts_with(entry.reply1))
      rows.push_back(row);
  }
  return rows;
}

}  // namespace qamp
