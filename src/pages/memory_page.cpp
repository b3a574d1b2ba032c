#include "pages/memory_page.h"

#include "link/read_request_table.h"
#include "link/wire_format.h"
#include "model/parameter_store.h"
#include "model/system_memory_content.h"
#include "pages/page_set.h"

namespace qamp {

namespace {

constexpr std::array<std::string_view, kMemoryKinds> kKindNames = {"System", "Volume",
                                                                   "Zone2 Volume", "Zone3 Volume"};
constexpr std::array<std::string_view, kMemoryKinds> kGroupCaptions = {
    "System", "Main Volume", "Zone2 Volume", "Zone3 Volume"};
// The one volume each of the other kinds holds: main, Zone 2, Zone 3.
constexpr std::array<ParamId, kMemoryKinds> kVolumeIds = {0, 6, 15, 20};
constexpr std::array<int, kMemoryKinds> kVolumeWords = {0, 6, 16, 21};

MemoryKind KindOf(int index) {
  return static_cast<MemoryKind>(index);
}

}  // namespace

CMemoryPage::CMemoryPage(CCommClass& link, PageHost& host, CPageSet& pages)
    : CBasePage(link, host, 160, "System Memory"), pages_(pages) {
  for (int kind = 0; kind < kMemoryKinds; ++kind) {
    std::vector<std::string> rows;
    for (int memory = 1; memory <= kMemoryCount; ++memory) rows.push_back(MemoryName(memory));
    AddList(kLists[kind], rows).caption = std::string(kGroupCaptions[static_cast<size_t>(kind)]);
    AddButton(kLoadButtons[kind], "Load");
    AddButton(kSaveButtons[kind], "Save");
  }
  RefreshAll();
}

std::string_view CMemoryPage::KindName(MemoryKind kind) {
  return kKindNames[static_cast<size_t>(kind)];
}

std::string CMemoryPage::MemoryName(int memory) {
  return "Memory " + std::to_string(memory);
}

std::string CMemoryPage::SystemListText(int memory) const {
  return Link().DataExists(memory) ? MemoryName(memory) : MemoryName(memory) + " (Empty)";
}

std::vector<CMemoryPage::Item> CMemoryPage::Items(MemoryKind kind, const CSettingImage& image,
                                                  bool forText) {
  std::vector<Item> items;
  CBasePage& basic = pages_.BasicControl();
  if (kind != MemoryKind::kSystem) {
    CBasePage* owner = kind == MemoryKind::kVolume ? &basic : pages_.FindByCaption("Multi Zone");
    items.push_back({owner, kVolumeIds[static_cast<size_t>(kind)], -1});
    return items;
  }
  auto wholePage = [&](std::string_view caption, int selector = kWholeList) {
    CBasePage* page = pages_.FindByCaption(caption);
    std::vector<ParamId> ids;
    std::vector<int> subIndices;
    page->GetParamList(ids, subIndices, true, selector);
    for (size_t i = 0; i < ids.size(); ++i)
      items.push_back({page, ids[i], i < subIndices.size() ? subIndices[i] : -1});
  };
  auto some = [&](std::string_view caption, std::initializer_list<ParamId> ids) {
    CBasePage* page = pages_.FindByCaption(caption);
    for (const ParamId id : ids) items.push_back({page, id, -1});
  };
  items.push_back({&basic, 4, -1});
  // The stored program selects the DSP parameters. In files and the report
  // Straight (26) selects the whole list, as the framework's selector does,
  // so that a memory on Straight keeps every program's parameters. Straight
  // has no parameter block of its own, so storing such a memory sends none.
  const int program = ReadParameter(image, 4);
  if (program >= 0 && (program < kWholeList || (forText && program == kWholeList))) {
    wholePage("DSP Parameters", program);
  }
  wholePage("Speaker Level");
  wholePage("Speaker Distance");
  some("Sound Option", {280, 282, 284, 293, 296, 295, 297, 298});
  wholePage("Equalizer");
  wholePage("Parametric EQ");
  wholePage("Speaker Set");
  some("Display Set", {516, 517, 518, 519, 525, 527, 528, 520, 521});
  some("Other", {534});
  some("Volume", {393, 390, 391});
  items.push_back({&basic, 8, -1});
  return items;
}

void CMemoryPage::SaveMemory(IniFile& file, MemoryKind kind, int memory,
                             const CSettingImage& image) {
  const std::string prefix = std::string(KindName(kind)) + " " + MemoryName(memory) + " ";
  for (const Item& item : Items(kind, image, true)) {
    std::string section;
    std::string key;
    std::string value;
    item.page->GetParamText(image, item.id, item.subIndex, &section, &key, &value, false);
    if (section.empty() || key.empty()) continue;
    file.Write(prefix + section, key, value);
  }
}

void CMemoryPage::LoadMemory(const IniFile& file, MemoryKind kind, int memory,
                             CSettingImage& image) {
  const std::string prefix = std::string(KindName(kind)) + " " + MemoryName(memory) + " ";
  auto load = [&](const Item& item) {
    std::string section;
    std::string key;
    item.page->GetParamText(image, item.id, item.subIndex, &section, &key, nullptr, false);
    if (section.empty() || key.empty()) return;
    const std::optional<std::string> text = file.Read(prefix + section, key);
    if (text && !text->empty()) item.page->SetParamFromText(image, item.id, item.subIndex, *text);
  };
  // The program comes first: which DSP parameters the memory holds depends
  // on it.
  std::vector<Item> items = Items(kind, image, true);
  if (kind == MemoryKind::kSystem && !items.empty()) {
    load(items.front());
    items = Items(kind, image, true);
    items.erase(items.begin());
  }
  for (const Item& item : items) load(item);
}

std::string CMemoryPage::MemoryReport(MemoryKind kind, const CSettingImage& image) {
  ReportLines report;
  for (const Item& item : Items(kind, image, true)) {
    std::string section;
    std::string key;
    std::string value;
    item.page->GetParamText(image, item.id, item.subIndex, &section, &key, &value, true);
    report.Add(section, key, value);
  }
  return report.Take();
}

void CMemoryPage::QueueMemoryStore(int memory, const CSettingImage& image) {
  for (const Item& item : Items(MemoryKind::kSystem, image, false)) {
    item.page->SendParamFromImage(image, item.id, item.subIndex);
  }
  Queue(MemorySaveCommand(MemoryKind::kSystem, memory), MemorySaveCode(MemoryKind::kSystem));
  pages_.BasicControl().SendParamFromImage(image, 6, -1);
  Queue(MemorySaveCommand(MemoryKind::kVolume, memory), MemorySaveCode(MemoryKind::kVolume));
  CBasePage* zones = pages_.FindByCaption("Multi Zone");
  if (Link().Flags().zone2 != 0) {
    zones->SendParamFromImage(image, 15, -1);
    Queue(MemorySaveCommand(MemoryKind::kZone2Volume, memory),
          MemorySaveCode(MemoryKind::kZone2Volume));
  }
  if (Link().Flags().zone3 != 0) {
    zones->SendParamFromImage(image, 20, -1);
    Queue(MemorySaveCommand(MemoryKind::kZone3Volume, memory),
          MemorySaveCode(MemoryKind::kZone3Volume));
  }
}

// --- The window -------------------------------------------------------------------

int CMemoryPage::SelectedMemory(MemoryKind kind) const {
  const Control* list = FindControl(kLists[static_cast<int>(kind)]);
  return list == nullptr || list->value < 0 ? 1 : list->value + 1;
}

void CMemoryPage::RefreshAll() {
  Control* system = MutableControl(kLists[0]);
  for (int memory = 1; memory <= kMemoryCount; ++memory) {
    system->items[static_cast<size_t>(memory - 1)] = SystemListText(memory);
  }
  if (system->value < 0) system->value = 0;
  SetEnabled(kLoadButtons[0], Link().DataExists(system->value + 1));
}

void CMemoryPage::SelectListRow(int listId, int row) {
  if (row < 0 || row >= kMemoryCount) return;
  for (int kind = 0; kind < kMemoryKinds; ++kind) {
    if (kLists[kind] == listId) SetValue(listId, row);
  }
  RefreshAll();
}

void CMemoryPage::PressButton(int buttonId) {
  for (int kind = 0; kind < kMemoryKinds; ++kind) {
    const MemoryKind memoryKind = KindOf(kind);
    if (buttonId == kLoadButtons[kind]) {
      const Control* button = FindControl(buttonId);
      if (button != nullptr && button->enabled) Load(memoryKind, SelectedMemory(memoryKind));
    } else if (buttonId == kSaveButtons[kind]) {
      Save(memoryKind, SelectedMemory(memoryKind));
    }
  }
}

void CMemoryPage::SendMemoryCommand(const std::string& command, ParamId code) {
  Host().SetWaitCursor(true);
  Queue(command, code);
  QueueEndMarker();
  Host().SetWaitCursor(false);
}

void CMemoryPage::Load(MemoryKind kind, int memory) {
  if (memory < 1 || memory > kMemoryCount) return;
  const int index = static_cast<int>(kind);
  if (IsRealTime()) {
    SendMemoryCommand(MemoryLoadCommand(kind, memory), MemoryLoadCode(kind));
    if (kind == MemoryKind::kSystem &&
        Host().Message(kSystemLoadQuestion, "System Memory", PageIcon::kInformation,
                       PageButtons::kYesNo) &&
        reload_) {
      reload_();
    }
    return;
  }
  const CSettingImage& stored = Link().Image(memory);
  if (kind == MemoryKind::kSystem) {
    CopySystemMemoryContent(stored, LiveImage());
  } else {
    LiveImage()[kVolumeWords[static_cast<size_t>(index)]] =
        stored[kVolumeWords[static_cast<size_t>(index)]];
  }
  if (refreshAll_) refreshAll_();
}

void CMemoryPage::Save(MemoryKind kind, int memory) {
  if (memory < 1 || memory > kMemoryCount) return;
  const int index = static_cast<int>(kind);
  if (IsRealTime()) {
    SendMemoryCommand(MemorySaveCommand(kind, memory), MemorySaveCode(kind));
    if (kind == MemoryKind::kSystem) {
      // Then ask which memories hold data now.
      for (int row = kFirstDataExistsRow; row <= kLastDataExistsRow; ++row) {
        Queue(FrameExtended(kReadRequestTable[static_cast<size_t>(row)].request), kEndMarkerCode);
      }
      QueueEndMarker();
    }
    return;
  }
  CSettingImage& stored = Link().Image(memory);
  if (kind == MemoryKind::kSystem) {
    CopySystemMemoryContent(LiveImage(), stored);
    Link().SetDataExists(memory, true);
    RefreshAll();
  } else {
    stored[kVolumeWords[static_cast<size_t>(index)]] =
        LiveImage()[kVolumeWords[static_cast<size_t>(index)]];
  }
}

}  // namespace qamp
