#include "model/ini_file.h"

namespace qamp {

bool MemoryIniFile::SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

std::optional<std::string> MemoryIniFile::Read(std::string_view section, std::string_view key) const {
  for (const Section& s : sections_) {
    if (!SameName(s.name, section)) continue;
    for (const Entry& entry : s.entries) {
      if (!SameName(entry.key, key)) continue;
      std::string_view value = entry.value;
      if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
      }
      return std::string(value.substr(0, readLimit_));
    }
  }
  return std::nullopt;
}

void MemoryIniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  for (Section& s : sections_) {
    if (!SameName(s.name, section)) continue;
    for (Entry& entry : s.entries) {
      if (SameName(entry.key, key)) {
        entry.value = std::string(value);
        return;
      }
    }
    s.entries.push_back({std::string(key), std::string(value)});
    return;
  }
  sections_.push_back({std::string(section), {{std::string(key), std::string(value)}}});
}

}  // namespace qamp
