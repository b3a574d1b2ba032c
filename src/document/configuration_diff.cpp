#include "document/configuration_diff.h"

#include <algorithm>

#include "model/ini_file.h"

namespace qamp {

bool IsCurrentSetting(std::string_view section) {
  return section.find("Memory") == std::string_view::npos &&
         !MemoryIniFile::SameName(section, "User Memo") &&
         !MemoryIniFile::SameName(section, "Input DSP");
}

SectionFilter SectionsReadBy(ReceiverRead read) {
  if (read == ReceiverRead::kCurrentSetting) return IsCurrentSetting;
  return [](std::string_view section) { return !MemoryIniFile::SameName(section, "User Memo"); };
}

std::string LackingValueText(const ConfigurationLoad* load, std::string_view section,
                             std::string_view key) {
  if (load == nullptr) return {};
  auto same = [&](const ConfigurationKey& k) {
    return MemoryIniFile::SameName(k.section, section) &&
           MemoryIniFile::SameName(std::string_view(k.key).substr(0, key.size()), key) &&
           std::string_view(k.key).substr(key.size()).find_first_not_of(' ') ==
               std::string_view::npos;
  };
  if (std::any_of(load->missing.begin(), load->missing.end(), same)) return "(missing)";
  if (std::any_of(load->unreadable.begin(), load->unreadable.end(), same)) return "(unreadable)";
  return {};
}

std::vector<Difference> Differences(CQAmpToolApp& a, const ConfigurationLoad* aLacks,
                                    CQAmpToolApp& b, const ConfigurationLoad* bLacks,
                                    const SectionFilter& compared) {
  // What the program knows of a receiver's state is no setting.
  const MemoryIniFile left = MemoryIniFile::Parse(a.SaveConfigurationText(false));
  const MemoryIniFile right = MemoryIniFile::Parse(b.SaveConfigurationText(false));
  std::vector<Difference> differences;
  for (const MemoryIniFile::Section& section : left.Sections()) {
    if (!compared(section.name)) continue;
    for (const MemoryIniFile::Entry& entry : section.entries) {
      std::string theirs = right.Read(section.name, entry.key, 4096).value_or("");
      std::string ours = left.Read(section.name, entry.key, 4096).value_or("");
      const std::string oursLacking = LackingValueText(aLacks, section.name, entry.key);
      const std::string theirsLacking = LackingValueText(bLacks, section.name, entry.key);
      if (!oursLacking.empty()) ours = oursLacking;
      if (!theirsLacking.empty()) theirs = theirsLacking;
      if (ours == theirs) continue;
      differences.push_back({section.name, entry.key, std::move(ours), std::move(theirs)});
    }
  }
  return differences;
}

std::string UnansweredReadsText(int reads) {
  return "the receiver did not answer " + std::to_string(reads) +
         " read(s); their values are not the receiver's";
}

}  // namespace qamp
