#include "document/configuration_file.h"

#include "pages/memory_page.h"

namespace qamp {

namespace {

constexpr std::string_view kMemoSection = "User Memo";
constexpr std::string_view kMemoKey = "User Memo";
constexpr std::string_view kSystemMemorySection = "System Memory";
constexpr std::string_view kLineEnd = "\r\n";

std::string DataExistKey(int memory) {
  return "System Memory" + std::to_string(memory) + " Data Exist";
}

constexpr std::array<MemoryKind, kMemoryKinds> kKinds = {
    MemoryKind::kSystem, MemoryKind::kVolume, MemoryKind::kZone2Volume, MemoryKind::kZone3Volume};

}  // namespace

std::string EscapeMemo(std::string_view memo) {
  // A line break, whichever way it was typed, becomes \r\n; a bare line
  // break left in the value would end its line and corrupt the file.
  std::string escaped;
  for (size_t i = 0; i < memo.size(); ++i) {
    if (memo[i] == '\r' || memo[i] == '\n') {
      if (memo[i] == '\r' && i + 1 < memo.size() && memo[i + 1] == '\n') ++i;
      escaped += "\\r\\n";
    } else {
      escaped.push_back(memo[i]);
    }
  }
  // A file value loses the blanks around it and one pair of enclosing
  // quotation marks when it is read: quoted, the memo keeps both.
  const bool blankAtAnEnd =
      !escaped.empty() && (escaped.front() == ' ' || escaped.front() == '\t' ||
                           escaped.back() == ' ' || escaped.back() == '\t');
  const bool quoted = escaped.size() >= 2 && escaped.front() == '"' && escaped.back() == '"';
  if (blankAtAnEnd || quoted) escaped = "\"" + escaped + "\"";
  return escaped;
}

std::string UnescapeMemo(std::string_view text) {
  std::string memo;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, 4) == "\\r\\n") {
      memo += kLineEnd;
      i += 3;
    } else if (text[i] == '\r' || text[i] == '\n') {
      // A line break left bare in a written file is a line break too, as
      // the memo would save it.
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      memo += kLineEnd;
    } else {
      memo.push_back(text[i]);
    }
  }
  return memo;
}

void SaveConfiguration(CCommClass& link, CPageSet& pages, IniFile& file) {
  file.Write(kMemoSection, kMemoKey, EscapeMemo(link.UserMemo()));
  for (int memory = 1; memory <= kMemoryCount; ++memory) {
    file.Write(kSystemMemorySection, DataExistKey(memory),
               link.DataExists(memory) ? "Full" : "Empty");
  }
  pages.BasicControl().SaveToProfile(file, link.Image(0));
  for (CBasePage* page : pages.Pages()) page->SaveToProfile(file, link.Image(0));
  for (const MemoryKind kind : kKinds) {
    for (int memory = 1; memory <= kMemoryCount; ++memory) {
      link.SelectImage(memory);
      pages.Memory().SaveMemory(file, kind, memory, link.Image(memory));
    }
  }
  link.SelectImage(0);
}

bool IsConfigurationFile(CPageSet& pages, const MemoryIniFile& file) {
  auto known = [&pages](std::string_view name) {
    if (MemoryIniFile::SameName(name, kMemoSection) ||
        MemoryIniFile::SameName(name, kSystemMemorySection) ||
        MemoryIniFile::SameName(name, pages.BasicControl().Caption())) {
      return true;
    }
    for (CBasePage* page : pages.Pages()) {
      if (MemoryIniFile::SameName(name, page->Caption())) return true;
    }
    for (const MemoryKind kind : kKinds) {
      for (int memory = 1; memory <= kMemoryCount; ++memory) {
        const std::string prefix =
            std::string(CMemoryPage::KindName(kind)) + " " + CMemoryPage::MemoryName(memory) + " ";
        if (name.size() > prefix.size() &&
            MemoryIniFile::SameName(name.substr(0, prefix.size()), prefix))
          return true;
      }
    }
    return false;
  };
  for (const MemoryIniFile::Section& section : file.Sections()) {
    if (known(section.name)) return true;
  }
  return false;
}

namespace {

// A file read as the platform's profile reader reads it: a key is found
// whatever blanks stand around its name. The Tuner Set's "Current " (the
// word and a blank) is written as "Current =...", and a reader of the text
// holds it as "Current".
class ProfileReader : public IniFile {
 public:
  explicit ProfileReader(const MemoryIniFile& file) : file_(file) {}
  std::optional<std::string> Read(std::string_view section, std::string_view key) const override {
    std::optional<std::string> text = file_.Read(section, key);
    if (text) return text;
    std::string_view bare = key;
    while (!bare.empty() && (bare.front() == ' ' || bare.front() == '\t')) bare.remove_prefix(1);
    while (!bare.empty() && (bare.back() == ' ' || bare.back() == '\t')) bare.remove_suffix(1);
    return bare.size() == key.size() ? std::nullopt : file_.Read(section, bare);
  }
  void Write(std::string_view /*section*/, std::string_view /*key*/,
             std::string_view /*value*/) override {}

 private:
  const MemoryIniFile& file_;
};

// Checks one expected key of `file` against the image as loaded: missing,
// or a text no value of the parameter has. `scratch` is a copy of that
// image, so that the check changes nothing.
void CheckKey(const IniFile& file, CBasePage& page, CSettingImage& scratch, ParamId id,
              int subIndex, const std::string& prefix, ConfigurationLoad& load) {
  std::string section;
  std::string key;
  page.GetParamText(scratch, id, subIndex, &section, &key, nullptr, false);
  if (section.empty() || key.empty()) return;
  ConfigurationKey name{prefix + section, key};
  const std::optional<std::string> text = file.Read(name.section, key);
  if (!text || text->empty()) {
    load.missing.push_back(std::move(name));
  } else if (!page.SetParamFromText(scratch, id, subIndex, *text)) {
    load.unreadable.push_back(std::move(name));
  }
}

void CheckPage(const IniFile& file, CBasePage& page, const CSettingImage& image,
               ConfigurationLoad& load) {
  std::vector<ParamId> ids;
  std::vector<int> subIndices;
  page.GetParamList(ids, subIndices, true, kWholeList);
  CSettingImage scratch = image;
  for (size_t i = 0; i < ids.size(); ++i) {
    CheckKey(file, page, scratch, ids[i], i < subIndices.size() ? subIndices[i] : -1, {}, load);
  }
}

std::string Counted(size_t count, std::string_view what) {
  return std::to_string(count) + (count == 1 ? " key " : " keys ") + std::string(what);
}

}  // namespace

std::string ConfigurationLoad::Summary() const {
  if (Complete()) return {};
  if (unreadable.empty()) return Counted(missing.size(), "missing");
  if (missing.empty()) return Counted(unreadable.size(), "unreadable");
  return Counted(missing.size(), "missing") + ", " + std::to_string(unreadable.size()) +
         " unreadable";
}

ConfigurationLoad LoadConfiguration(CCommClass& link, CPageSet& pages, const MemoryIniFile& text) {
  const ProfileReader file(text);
  // The escaped memo may be twice as long as the memo itself; it is cut to
  // the memo's limit only once its line breaks are back.
  const std::optional<std::string> memo = text.Read(kMemoSection, kMemoKey, 4 * kUserMemoLimit);
  if (memo && !memo->empty()) {
    std::string unescaped = UnescapeMemo(*memo);
    if (unescaped.size() > kUserMemoLimit) unescaped.resize(kUserMemoLimit);
    link.SetUserMemo(unescaped);
  }
  for (int memory = 1; memory <= kMemoryCount; ++memory) {
    const std::string flag =
        file.Read(kSystemMemorySection, DataExistKey(memory)).value_or("Empty");
    link.SetDataExists(memory, flag != "Empty");
  }
  pages.BasicControl().LoadFromProfile(file, link.Image(0));
  for (CBasePage* page : pages.Pages()) page->LoadFromProfile(file, link.Image(0));
  for (const MemoryKind kind : kKinds) {
    for (int memory = 1; memory <= kMemoryCount; ++memory) {
      link.SelectImage(memory);
      pages.Memory().LoadMemory(file, kind, memory, link.Image(memory));
    }
  }
  link.SelectImage(0);

  // What the file lacked, checked against the images as loaded (which
  // DSP parameters a memory holds depends on its loaded program).
  ConfigurationLoad load;
  for (int memory = 1; memory <= kMemoryCount; ++memory) {
    if (!file.Read(kSystemMemorySection, DataExistKey(memory))) {
      load.missing.push_back({std::string(kSystemMemorySection), DataExistKey(memory)});
    }
  }
  CheckPage(file, pages.BasicControl(), link.Image(0), load);
  for (CBasePage* page : pages.Pages()) CheckPage(file, *page, link.Image(0), load);
  for (const MemoryKind kind : kKinds) {
    for (int memory = 1; memory <= kMemoryCount; ++memory) {
      link.SelectImage(memory);
      CSettingImage scratch = link.Image(memory);
      const std::string prefix =
          std::string(CMemoryPage::KindName(kind)) + " " + CMemoryPage::MemoryName(memory) + " ";
      for (const CMemoryPage::Item& item : pages.Memory().Items(kind, scratch, true)) {
        CheckKey(file, *item.page, scratch, item.id, item.subIndex, prefix, load);
      }
    }
  }
  link.SelectImage(0);
  return load;
}

std::string BuildReport(CCommClass& link, CPageSet& pages) {
  const std::string equals(80, '=');
  const std::string dashes(80, '-');
  auto header = [&](int item, std::string_view kind, std::string_view name) {
    return dashes + std::string(kLineEnd) + "    " + std::to_string(item) + ". " +
           std::string(kind) + " " + std::string(name) + std::string(kLineEnd) + dashes;
  };
  std::string report = equals +
                       "\r\n        Tonewright Configration Report\r\n        QR-K2600\r\n" +
                       equals + "\r\n\r\n" + dashes + "\r\n    User Memo\r\n" + dashes + "\r\n";
  report += link.UserMemo() + "\r\n\r\n";
  report += header(1, "", "Current Setting");
  report += pages.BasicControl().BuildReportText(link.Image(0));
  for (CBasePage* page : pages.Pages()) {
    // The XM Set block belongs to receivers of region 1 only.
    if (page->Caption() == "XM Set" && link.RegionCode() != 1) continue;
    report += page->BuildReportText(link.Image(0));
  }
  report += kLineEnd;
  int item = 2;
  for (const MemoryKind kind : kKinds) {
    for (int memory = 1; memory <= kMemoryCount; ++memory) {
      report += header(item++, CMemoryPage::KindName(kind), CMemoryPage::MemoryName(memory));
      report += pages.Memory().MemoryReport(kind, link.Image(memory));
      report += kLineEnd;
    }
  }
  return report;
}

}  // namespace qamp
