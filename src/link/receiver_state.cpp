#include "link/receiver_state.h"

#include <charconv>
#include <cstdio>

#include "link/decode_report.h"
#include "link/wire_format.h"
#include "model/parameter_store.h"

namespace qamp {

namespace {

constexpr int kWordsPerRow = 24;
constexpr int kRowsPerSlot = (kImageWords + kWordsPerRow - 1) / kWordsPerRow;
constexpr size_t kReportBytesPerKey = 100;
constexpr int kReportKeys = 4;  // a report is at most 256 characters

std::string RowKey(int slot, int row) {
  std::array<char, 24> key{};
  std::snprintf(key.data(), key.size(), "Slot %d Row %02d", slot, row);
  return key.data();
}

std::string ReportKey(int part) {
  return "Report " + std::to_string(part);
}

std::string Hex(uint32_t value, int digits = 0) {
  std::array<char, 12> text{};
  if (digits > 0) {
    std::snprintf(text.data(), text.size(), "%0*X", digits, value);
  } else {
    std::snprintf(text.data(), text.size(), "%X", value);
  }
  return text.data();
}

bool ParseWord(std::string_view text, int32_t& word) {
  uint32_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || text.empty())
    return false;
  word = static_cast<int32_t>(value);
  return true;
}

// A 32-bit FNV-1a over everything the state holds, so that a file edited
// by hand or cut short is noticed rather than trusted.
uint32_t Fingerprint(const ReceiverState& state) {
  uint32_t hash = 2166136261u;
  auto add = [&hash](uint32_t value) {
    for (int byte = 0; byte < 4; ++byte) {
      hash ^= (value >> (8 * byte)) & 0xFFu;
      hash *= 16777619u;
    }
  };
  for (const CSettingImage& image : state.images) {
    for (const int32_t word : image.Words()) add(static_cast<uint32_t>(word));
  }
  for (const bool exists : state.dataExists) add(exists ? 1 : 0);
  add(static_cast<uint32_t>(state.regionCode));
  add(static_cast<uint32_t>(state.flags.zone2));
  add(static_cast<uint32_t>(state.flags.zone3));
  add(static_cast<uint32_t>(state.flags.xm));
  add(static_cast<uint32_t>(state.flags.aacDecoder));
  for (const char c : state.report) add(static_cast<unsigned char>(c));
  add(static_cast<uint32_t>(state.source));
  return hash;
}

std::string_view SourceName(ReceiverState::Source source) {
  switch (source) {
    case ReceiverState::Source::kUpload:
      return "Upload";
    case ReceiverState::Source::kDownload:
      return "Download";
    case ReceiverState::Source::kVerifiedDownload:
      return "Verified Download";
  }
  return "Upload";
}

std::optional<ReceiverState::Source> SourceNamed(std::string_view name) {
  for (const auto source : {ReceiverState::Source::kUpload, ReceiverState::Source::kDownload,
                            ReceiverState::Source::kVerifiedDownload}) {
    if (SourceName(source) == name) return source;
  }
  return std::nullopt;
}

std::optional<int> SmallNumber(const IniFile& file, std::string_view key, int limit) {
  const std::optional<std::string> text = file.Read(kReceiverStateSection, key);
  if (!text || text->size() != 1 || (*text)[0] < '0' || (*text)[0] - '0' > limit)
    return std::nullopt;
  return (*text)[0] - '0';
}

// The image values a configuration report carries.
std::vector<ReportValue> ReportValues(std::string_view report) {
  std::vector<ReportValue> values;
  if (!IsConfigurationReport(report)) return values;
  std::string copy(report);
  for (const std::string& built : ConfigurationToReports(copy)) {
    const DecodedReport decoded = DecodeReport(built);
    if (!decoded.recognised || decoded.kind == GroupKind::kListedOnly) continue;
    values.insert(values.end(), decoded.values.begin(), decoded.values.end());
  }
  return values;
}

}  // namespace

bool ReceiverState::operator==(const ReceiverState& other) const {
  return images == other.images && dataExists == other.dataExists &&
         regionCode == other.regionCode && flags.zone2 == other.flags.zone2 &&
         flags.zone3 == other.flags.zone3 && flags.xm == other.flags.xm &&
         flags.aacDecoder == other.flags.aacDecoder && report == other.report &&
         source == other.source;
}

ReceiverState StateOf(const CCommClass& link, ReceiverState::Source source) {
  ReceiverState state;
  for (int slot = 0; slot < kImageSlots; ++slot) {
    state.images[static_cast<size_t>(slot)] = link.Image(slot);
    state.dataExists[static_cast<size_t>(slot)] = link.DataExists(slot);
  }
  state.regionCode = link.RegionCode();
  state.flags = link.Flags();
  state.report = link.ConnectionReport();
  state.source = source;
  return state;
}

bool ReportAgrees(std::string_view report, const CSettingImage& image) {
  if (!IsConfigurationReport(report)) return false;
  return ReportDifferences(report, image).empty();
}

std::vector<ParamId> ReportDifferences(std::string_view report, const CSettingImage& image) {
  std::vector<ParamId> differing;
  for (const ReportValue& value : ReportValues(report)) {
    CSettingImage changed = image;
    StoreReportValues(changed, {value});
    if (!(changed == image)) differing.push_back(value.id);
  }
  return differing;
}

void WriteReceiverState(IniFile& file, const ReceiverState& state) {
  const std::string_view section = kReceiverStateSection;
  file.Write(section, "Taken By", SourceName(state.source));
  file.Write(section, "Region", std::to_string(state.regionCode));
  file.Write(section, "Model Flags",
             std::to_string(state.flags.zone2) + std::to_string(state.flags.zone3) +
                 std::to_string(state.flags.xm) + std::to_string(state.flags.aacDecoder));
  std::string exists;
  for (int memory = 1; memory < kImageSlots; ++memory)
    exists += state.dataExists[static_cast<size_t>(memory)] ? '1' : '0';
  file.Write(section, "Data Exist", exists);
  for (int part = 0; part < kReportKeys; ++part) {
    const size_t from = static_cast<size_t>(part) * kReportBytesPerKey;
    std::string hex;
    for (size_t i = from; i < state.report.size() && i < from + kReportBytesPerKey; ++i)
      hex += Hex(static_cast<unsigned char>(state.report[i]), 2);
    file.Write(section, ReportKey(part), hex);
  }
  for (int slot = 0; slot < kImageSlots; ++slot) {
    const CSettingImage& image = state.images[static_cast<size_t>(slot)];
    for (int row = 0; row < kRowsPerSlot; ++row) {
      std::string line;
      for (int word = row * kWordsPerRow; word < (row + 1) * kWordsPerRow && word < kImageWords;
           ++word) {
        if (!line.empty()) line += ' ';
        line += Hex(static_cast<uint32_t>(image[word]));
      }
      file.Write(section, RowKey(slot, row), line);
    }
  }
  file.Write(section, "Check", Hex(Fingerprint(state), 8));
}

std::optional<ReceiverState> ReadReceiverState(const IniFile& file) {
  const std::string_view section = kReceiverStateSection;
  ReceiverState state;
  const std::optional<std::string> taken = file.Read(section, "Taken By");
  if (!taken) return std::nullopt;
  const std::optional<ReceiverState::Source> source = SourceNamed(*taken);
  const std::optional<int> region = SmallNumber(file, "Region", 3);
  const std::optional<std::string> flags = file.Read(section, "Model Flags");
  const std::optional<std::string> exists = file.Read(section, "Data Exist");
  if (!source || !region || !flags || flags->size() != 4 || !exists ||
      exists->size() != kImageSlots - 1)
    return std::nullopt;
  state.source = *source;
  state.regionCode = *region;
  std::array<int, 4> flag{};
  for (size_t i = 0; i < 4; ++i) {
    if ((*flags)[i] != '0' && (*flags)[i] != '1') return std::nullopt;
    flag[i] = (*flags)[i] - '0';
  }
  state.flags = {flag[0], flag[1], flag[2], flag[3]};
  for (size_t memory = 1; memory < kImageSlots; ++memory) {
    const char c = (*exists)[memory - 1];
    if (c != '0' && c != '1') return std::nullopt;
    state.dataExists[memory] = c == '1';
  }
  for (int part = 0; part < kReportKeys; ++part) {
    // The parts a short report does not fill are empty, which reads as
    // missing.
    const std::string hex = file.Read(section, ReportKey(part)).value_or(std::string());
    if (hex.size() % 2 != 0) return std::nullopt;
    for (size_t i = 0; i < hex.size(); i += 2) {
      int32_t byte = 0;
      if (!ParseWord(std::string_view(hex).substr(i, 2), byte)) return std::nullopt;
      state.report += static_cast<char>(byte);
    }
  }
  for (int slot = 0; slot < kImageSlots; ++slot) {
    CSettingImage& image = state.images[static_cast<size_t>(slot)];
    for (int row = 0; row < kRowsPerSlot; ++row) {
      const std::optional<std::string> line = file.Read(section, RowKey(slot, row));
      if (!line) return std::nullopt;
      std::string_view rest = *line;
      int word = row * kWordsPerRow;
      while (!rest.empty()) {
        const size_t blank = rest.find(' ');
        const std::string_view text = rest.substr(0, blank);
        if (word >= kImageWords || word >= (row + 1) * kWordsPerRow ||
            !ParseWord(text, image[word]))
          return std::nullopt;
        ++word;
        rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
      }
      if (word != std::min((row + 1) * kWordsPerRow, kImageWords)) return std::nullopt;
    }
  }
  const std::optional<std::string> check = file.Read(section, "Check");
  if (!check || *check != Hex(Fingerprint(state), 8)) return std::nullopt;
  return state;
}

}  // namespace qamp
