// Private-profile (INI) files as the pages use them: one value per section
// and key, sections and keys matched without regard to case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qamp {

class IniFile {
 public:
  virtual ~IniFile() = default;
  // The value of the key, surrounding double quotes removed, at most 255
  // characters; nothing when the section or key is missing.
  virtual std::optional<std::string> Read(std::string_view section, std::string_view key) const = 0;
  // Replaces the key where it stands, or appends it to its section (the
  // section is appended to the file when it is new).
  virtual void Write(std::string_view section, std::string_view key, std::string_view value) = 0;
};

// The whole file in memory, in order.
class MemoryIniFile : public IniFile {
 public:
  struct Entry {
    std::string key;
    std::string value;
  };
  // Hashes and compares names without regard to case, so that a section
  // finds a key without a walk through its entries.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const;
  };
  struct NameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return SameName(a, b); }
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
    // The position in `entries` of each key.
    std::unordered_map<std::string, size_t, NameHash, NameEqual> positions;

    // Keys are matched without regard to case or to the blanks around them.
    const Entry* Find(std::string_view key) const;
    // Adds the key at the end unless the section has it already; the entry
    // of the key either way.
    Entry& Add(std::string_view key, std::string_view value);
  };

  std::optional<std::string> Read(std::string_view section, std::string_view key) const override;
  // The same with another limit on the length of the value.
  std::optional<std::string> Read(std::string_view section, std::string_view key,
                                  size_t limit) const;
  void Write(std::string_view section, std::string_view key, std::string_view value) override;
  const std::vector<Section>& Sections() const { return sections_; }
  // The longest value Read gives back.
  void SetReadLimit(size_t limit) { readLimit_ = limit; }

  static bool SameName(std::string_view a, std::string_view b);

  // The file's text: lines end in CR LF or LF; blank lines, comment lines
  // (";") and lines without "=" are passed over; names and values are
  // trimmed of surrounding blanks. Bytes are kept as they are.
  static MemoryIniFile Parse(std::string_view text);
  // Sections in order, each key and value on a line, lines ending CR LF.
  std::string Serialize() const;

 private:
  // The section with this name (no two sections share one), or -1. Files
  // are read and written section by section, so the last one found is
  // tried first.
  int FindSection(std::string_view name) const;

  std::vector<Section> sections_;
  mutable size_t lastSection_ = 0;
  size_t readLimit_ = 255;
};

}  // namespace qamp
