// Configuration files (.qcf): the current setting, the six memories of every
// kind, the user memo and which System memories hold data, as the texts
// the pages show, in one INI-format file.
#pragma once

#include <string>

#include "model/ini_file.h"
#include "pages/page_set.h"

namespace qamp {

inline constexpr size_t kUserMemoLimit = 1024;

// The memo as a file value: every line break as the four characters \r\n,
// in quotation marks when blanks or quotation marks stand at its ends (which
// reading a value would remove). UnescapeMemo takes the value as read, and
// also takes a bare CR, LF or CR LF for a line break.
std::string EscapeMemo(std::string_view memo);
std::string UnescapeMemo(std::string_view text);

// Writes every section, in order, into `file` (which starts empty).
void SaveConfiguration(CCommClass& link, CPageSet& pages, IniFile& file);
// Whether the file is a configuration file at all: it has at least one
// section that SaveConfiguration writes. Anything else (an empty file, a
// file of another kind) would load nothing and leave the images as they
// were, and a Download would then send those instead of what the user meant.
bool IsConfigurationFile(CPageSet& pages, const MemoryIniFile& file);

// What a load found lacking: the keys a configuration file should hold
// that were missing (or empty), and those whose text no value has. Their
// parameters kept the values they had, which a file cut short or edited by
// hand would otherwise hide: it would report, compare and download as if
// whole.
struct ConfigurationKey {
  std::string section;
  std::string key;
  std::string Name() const { return section + " / " + key; }
  bool operator==(const ConfigurationKey&) const = default;
};
struct ConfigurationLoad {
  std::vector<ConfigurationKey> missing;
  std::vector<ConfigurationKey> unreadable;
  bool Complete() const { return missing.empty() && unreadable.empty(); }
  // "412 keys missing, 1 unreadable"; empty when complete.
  std::string Summary() const;
};

// Reads every section from `file` into the images, the memo and the
// data-exists flags; keys that are missing, empty or unmatched leave their
// values as they were. Nothing is reset first. The result counts the keys
// that were missing or unreadable (the memo, which may be empty, is not
// counted).
ConfigurationLoad LoadConfiguration(CCommClass& link, CPageSet& pages, const MemoryIniFile& file);

// The configuration report: the memo, the current setting page by page,
// then every memory of every kind.
std::string BuildReport(CCommClass& link, CPageSet& pages);

}  // namespace qamp
