// The "System Memory" window: the receiver's six memories of four kinds
// ("System", "Volume", "Zone2 Volume", "Zone3 Volume"). In Real Time Mode
// it sends the receiver's memory commands; in Async Mode it copies between
// the current image and the memory images. It also writes and reads the
// memory sections of configuration files, gives the memory blocks of the
// report, and queues the commands that store a memory in a Download.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "link/memory_commands.h"
#include "pages/base_page.h"

namespace qamp {

class CPageSet;

inline constexpr std::string_view kSystemLoadQuestion =
    "\"System Memory Load\" was selected.\r\nGUI does not reflect the loaded values.\r\n"
    "Wolud you like to refresh the GUI?\r\n(It will take about 2 minutes.)";

class CMemoryPage : public CBasePage {
 public:
  // Lists, "Load" and "Save" buttons of the four kinds, in kind order.
  static constexpr int kLists[kMemoryKinds] = {1601, 1602, 1603, 1604};
  static constexpr int kLoadButtons[kMemoryKinds] = {1611, 1612, 1613, 1614};
  static constexpr int kSaveButtons[kMemoryKinds] = {1621, 1622, 1623, 1624};

  CMemoryPage(CCommClass& link, PageHost& host, CPageSet& pages);
  // `reload` reads the whole configuration from the receiver again (after a
  // real-time System load, when the user wants it); `refreshAll` brings
  // every page up to date with the image.
  void SetActions(std::function<void()> reload, std::function<void()> refreshAll) {
    reload_ = std::move(reload);
    refreshAll_ = std::move(refreshAll);
  }

  static std::string_view KindName(MemoryKind kind);
  static std::string MemoryName(int memory);  // "Memory 1" .. "Memory 6"

  // The parameters a memory of this kind holds, described by their pages:
  // for System, the DSP parameters that the program stored in `image`
  // selects. `forText` (files and the report): Straight selects every
  // program's; otherwise (the store commands) it selects none.
  struct Item {
    CBasePage* page;
    ParamId id;
    int subIndex;
  };
  std::vector<Item> Items(MemoryKind kind, const CSettingImage& image, bool forText);

  // Configuration files: the kind's parameters of one memory image, in
  // sections named "<kind> <memory> <section>".
  void SaveMemory(IniFile& file, MemoryKind kind, int memory, const CSettingImage& image);
  void LoadMemory(const IniFile& file, MemoryKind kind, int memory, CSettingImage& image);
  // The report block of one memory, with the parameters' own sections.
  std::string MemoryReport(MemoryKind kind, const CSettingImage& image);
  // A Download: the commands that store memory `memory` from `image`.
  void QueueMemoryStore(int memory, const CSettingImage& image);

  // The window.
  void RefreshAll() override;
  void SelectListRow(int listId, int row) override;
  void PressButton(int buttonId) override;
  void Load(MemoryKind kind, int memory);
  void Save(MemoryKind kind, int memory);
  std::string SystemListText(int memory) const;

 private:
  int SelectedMemory(MemoryKind kind) const;
  void SendMemoryCommand(const std::string& command, ParamId code);

  CPageSet& pages_;
  std::function<void()> reload_;
  std::function<void()> refreshAll_;
};

}  // namespace qamp
