#include "model/ini_file.h"

namespace qamp {

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

}  // namespace

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

size_t MemoryIniFile::NameHash::operator()(std::string_view name) const {
  // FNV-1a over the letters in capitals.
  size_t hash = 14695981039346656037ULL;
  for (char c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  }
  return hash;
}

// A key is found by its name without the blanks around it, as a file read
// back has it: "Current " (the Tuner Set page's key, written as it stands)
// and the "Current" of a parsed file are one key.
const MemoryIniFile::Entry* MemoryIniFile::Section::Find(std::string_view key) const {
  const auto found = positions.find(Trimmed(key));
  return found == positions.end() ? nullptr : &entries[found->second];
}

MemoryIniFile::Entry& MemoryIniFile::Section::Add(std::string_view key, std::string_view value) {
  const auto [position, added] = positions.try_emplace(std::string(Trimmed(key)), entries.size());
  if (added) entries.push_back({std::string(key), std::string(value)});
  return entries[position->second];
}

int MemoryIniFile::FindSection(std::string_view name) const {
  if (lastSection_ < sections_.size() && SameName(sections_[lastSection_].name, name)) {
    return static_cast<int>(lastSection_);
  }
  for (size_t i = 0; i < sections_.size(); ++i) {
    if (SameName(sections_[i].name, name)) {
      lastSection_ = i;
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::optional<std::string> MemoryIniFile::Read(std::string_view section,
                                               std::string_view key) const {
  return Read(section, key, readLimit_);
}

std::optional<std::string> MemoryIniFile::Read(std::string_view section, std::string_view key,
                                               size_t limit) const {
  const int found = FindSection(section);
  if (found < 0) return std::nullopt;
  const Entry* entry = sections_[static_cast<size_t>(found)].Find(key);
  if (entry == nullptr) return std::nullopt;
  std::string_view value = entry->value;
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, limit));
}

void MemoryIniFile::Write(std::string_view section, std::string_view key,
                          std::string_view rawValue) {
  // A line break inside a value would end its line and corrupt the file.
  std::string value(rawValue);
  for (char& c : value) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  int found = FindSection(section);
  if (found < 0) {
    sections_.push_back({std::string(section), {}, {}});
    found = static_cast<int>(sections_.size() - 1);
    lastSection_ = sections_.size() - 1;
  }
  sections_[static_cast<size_t>(found)].Add(key, {}).value = std::move(value);
}

MemoryIniFile MemoryIniFile::Parse(std::string_view text) {
  MemoryIniFile file;
  Section* current = nullptr;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    line = Trimmed(line);
    if (line.empty() || line.front() == ';') continue;
    // A section line is the name in brackets and nothing after it: the I/O
    // Assign keys ("[A] Component IN 1") begin with a bracket too.
    if (line.front() == '[' && line.back() == ']') {
      const size_t close = line.size() - 1;
      const std::string_view name = Trimmed(line.substr(1, close - 1));
      const int found = file.FindSection(name);
      current = found < 0 ? nullptr : &file.sections_[static_cast<size_t>(found)];
      if (current == nullptr) {
        file.sections_.push_back({std::string(name), {}, {}});
        current = &file.sections_.back();
      }
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || current == nullptr) continue;
    const std::string_view key = Trimmed(line.substr(0, equals));
    const std::string_view value = Trimmed(line.substr(equals + 1));
    // The first of two equal keys is the one that counts.
    current->Add(key, value);
  }
  return file;
}

std::string MemoryIniFile::Serialize() const {
  std::string text;
  for (const Section& section : sections_) {
    text += "[" + section.name + "]\r\n";
    for (const Entry& entry : section.entries) text += entry.key + "=" + entry.value + "\r\n";
  }
  return text;
}

}  // namespace qamp
