// MemoryIniFile: Parse, Serialize, Parse again, then writes.
//
// The input is an INI text; a line "\x01" ends it and each line after it is
// a write: section, key and value separated by "\x02" (names keep only the
// characters real sections and keys use).
//
// Checked:
// - Serialize, then Parse, gives back every section, key and value the first
//   Parse found, in order, and serializing that gives the same bytes;
// - Read finds every key in its section without regard to case, gives at
//   most 255 characters (or its own limit), and without the surrounding
//   double quotes;
// - a value read back after Write is the value written with its line
//   breaks as blanks; after Serialize and Parse it is that value trimmed of
//   surrounding blanks, as the file's lines are.
#include <algorithm>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "model/ini_file.h"

namespace qamp::fuzz {
namespace {

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// What Read promises for a stored value.
std::string AsRead(std::string_view value, size_t limit) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  return std::string(value.substr(0, limit));
}

std::string TrimmedLikeALine(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return std::string(text);
}

// A section or key name as the program writes them: letters, digits,
// blanks inside, and a few signs.
std::string NameFrom(std::string_view raw) {
  std::string name;
  for (const char c : raw) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (letter || c == ' ' || c == '/' || c == '(' || c == ')' || c == '.' || c == '-')
      name.push_back(c);
  }
  name = TrimmedLikeALine(name);
  return name.empty() ? "K" : name;
}

void CheckSameFile(const MemoryIniFile& a, const MemoryIniFile& b) {
  QAMP_FUZZ_CHECK(a.Sections().size() == b.Sections().size());
  for (size_t s = 0; s < a.Sections().size(); ++s) {
    const MemoryIniFile::Section& left = a.Sections()[s];
    const MemoryIniFile::Section& right = b.Sections()[s];
    QAMP_FUZZ_CHECK(left.name == right.name);
    QAMP_FUZZ_CHECK(left.entries.size() == right.entries.size());
    for (size_t e = 0; e < left.entries.size(); ++e) {
      QAMP_FUZZ_CHECK(left.entries[e].key == right.entries[e].key);
      QAMP_FUZZ_CHECK(left.entries[e].value == right.entries[e].value);
    }
  }
}

void CheckReads(const MemoryIniFile& file, const MemoryIniFile& reread) {
  for (const MemoryIniFile::Section& section : file.Sections()) {
    for (const MemoryIniFile::Entry& entry : section.entries) {
      // The first section and the first key of that name count.
      const MemoryIniFile::Section* first = nullptr;
      for (const MemoryIniFile::Section& s : file.Sections()) {
        if (first == nullptr && Upper(s.name) == Upper(section.name)) first = &s;
      }
      const MemoryIniFile::Entry* firstEntry = nullptr;
      for (const MemoryIniFile::Entry& e : first->entries) {
        if (firstEntry == nullptr && Upper(e.key) == Upper(entry.key)) firstEntry = &e;
      }
      QAMP_FUZZ_CHECK(firstEntry != nullptr);
      const std::optional<std::string> value = file.Read(Upper(section.name), Upper(entry.key));
      QAMP_FUZZ_CHECK(value && *value == AsRead(firstEntry->value, 255));
      QAMP_FUZZ_CHECK(value->size() <= 255);
      QAMP_FUZZ_CHECK(file.Read(section.name, entry.key, 7)->size() <= 7);
      QAMP_FUZZ_CHECK(reread.Read(section.name, entry.key) == value);
    }
  }
}

}  // namespace
}  // namespace qamp::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qamp;
  using namespace qamp::fuzz;
  const std::string_view input = AsText(data, size);
  const size_t end = input.find("\n\x01\n");
  const std::string_view text = input.substr(0, end);
  const std::string_view writes =
      end == std::string_view::npos ? std::string_view() : input.substr(end + 3);

  MemoryIniFile file = MemoryIniFile::Parse(text);
  const std::string serialized = file.Serialize();
  const MemoryIniFile reread = MemoryIniFile::Parse(serialized);
  CheckSameFile(file, reread);
  QAMP_FUZZ_CHECK(reread.Serialize() == serialized);
  CheckReads(file, reread);

  // Writes, each read back at once and after a trip through the text.
  struct Written {
    std::string section;
    std::string key;
    std::string value;
  };
  std::vector<Written> written;
  size_t at = 0;
  while (at < writes.size()) {
    const size_t lineEnd = std::min(writes.find('\n', at), writes.size());
    const std::string_view line = writes.substr(at, lineEnd - at);
    at = lineEnd + 1;
    const size_t first = line.find('\x02');
    const size_t second = first == std::string_view::npos ? first : line.find('\x02', first + 1);
    if (second == std::string_view::npos) continue;
    Written w{NameFrom(line.substr(0, first)), NameFrom(line.substr(first + 1, second - first - 1)),
              std::string(line.substr(second + 1))};
    file.Write(w.section, w.key, w.value);
    for (char& c : w.value) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    QAMP_FUZZ_CHECK(file.Read(w.section, w.key, 4096) == AsRead(w.value, 4096));
    // A later write of the same key replaces an earlier one.
    std::erase_if(written, [&](const Written& old) {
      return Upper(old.section) == Upper(w.section) && Upper(old.key) == Upper(w.key);
    });
    written.push_back(std::move(w));
  }
  const MemoryIniFile afterWrites = MemoryIniFile::Parse(file.Serialize());
  QAMP_FUZZ_CHECK(afterWrites.Serialize() ==
                  MemoryIniFile::Parse(afterWrites.Serialize()).Serialize());
  for (const Written& w : written) {
    QAMP_FUZZ_CHECK(afterWrites.Read(w.section, w.key) == AsRead(TrimmedLikeALine(w.value), 255));
  }
  return 0;
}
