#include "pages/download_planner.h"

#include <algorithm>
#include <cctype>

#include "link/basic_control_commands.h"
#include "link/memory_commands.h"
#include "link/read_request_table.h"
#include "link/wire_format.h"
#include "model/parameter_map.h"
#include "model/system_memory_content.h"
#include "pages/memory_page.h"
#include "session/command_capture.h"

namespace qamp {

namespace {

using Entries = QueuedCommands;

constexpr std::string_view kBasicControlPart = "Basic Control";
constexpr std::string_view kMemoryPart = "System Memory";

// The pause the receiver needs after each frame and a typical answer, so
// that the estimate is close to what the transfer benchmarks measure.
constexpr int kStandardMs = 50 + 5;
constexpr int kExtendedMs = 150 + 5;
constexpr int kMemoryStoreMs = 300;    // a store command takes the receiver a moment
constexpr ParamId kInputSelectId = 1;  // the basic controls selections set
constexpr ParamId kProgramSelectId = 4;

std::string MemoryPart(int memory) {
  return std::string(kMemoryPart) + " " + std::to_string(memory);
}

bool SameName(std::string_view a, std::string_view b) {
  auto trim = [](std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
      text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
      text.remove_suffix(1);
    return text;
  };
  a = trim(a);
  b = trim(b);
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The pages over a link that sends nothing, so that the commands a page
// would queue for any image can be compared without touching the real
// link, its queue or the pages the user sees.
class Shadow {
 public:
  explicit Shadow(const CCommClass& link)
      : capture_(ControlMode::kAsync, link.RegionCode()), set_(capture_.Link(), host_) {
    capture_.Link().SetFlags(link.Flags());
  }

  size_t PageCount() const { return set_.Pages().size(); }
  const std::string& PageCaption(size_t index) const { return set_.Pages()[index]->Caption(); }

  Entries Page(size_t index, const CSettingImage& image) {
    return Queued([&] { set_.Pages()[index]->DownloadPage(image); }, image);
  }
  Entries MemoryStore(int memory, const CSettingImage& image) {
    return Queued([&] { set_.Memory().QueueMemoryStore(memory, image); }, image);
  }

  // The kinds of memory this receiver has, in the order a store saves them.
  std::vector<MemoryKind> Kinds() {
    std::vector<MemoryKind> kinds = {MemoryKind::kSystem, MemoryKind::kVolume};
    if (capture_.Link().Flags().zone2 != 0) kinds.push_back(MemoryKind::kZone2Volume);
    if (capture_.Link().Flags().zone3 != 0) kinds.push_back(MemoryKind::kZone3Volume);
    return kinds;
  }

  // What the receiver's own setting holds once one kind of memory has been
  // stored from `memoryImage`, or loaded from a memory holding it: either
  // sets every value the memory keeps.
  void TakeMemory(CSettingImage& receiver, MemoryKind kind, int memory,
                  const CSettingImage& memoryImage) {
    MemoryIniFile file;
    set_.Memory().SaveMemory(file, kind, memory, memoryImage);
    set_.Memory().LoadMemory(file, kind, memory, receiver);
  }

  // The words of the receiver's setting that the parameters of `items`
  // occupy, where `items` is a memory store's or a page's list.
  template <typename List>
  static void MarkWords(const List& list, std::vector<bool>& words) {
    for (const auto& [id, subIndex] : list) {
      const ParamLocation location = LocateParam(id);
      int word = -1;
      if (location.type == ParamLocation::Type::kWord ||
          location.type == ParamLocation::Type::kText)
        word = location.word;
      else if (subIndex >= 0)
        word = RecordWord(id, subIndex);
      if (word >= 0 && word < kImageWords) words[static_cast<size_t>(word)] = true;
    }
  }

  // The words a load of a System memory holding `memoryImage` replaces
  // in the receiver's setting without the program knowing their values:
  // those the receiver copies that are none of the memory's parameters.
  std::vector<bool> WordsALoadLeavesUnknown(const CSettingImage& memoryImage) {
    CSettingImage marked;
    for (int word = 0; word < kImageWords; ++word) marked[word] = 1;
    marked[4] = memoryImage[4];
    CSettingImage copied;
    CopySystemMemoryContent(marked, copied);
    std::vector<bool> known(kImageWords, false);
    std::vector<std::pair<ParamId, int>> items;
    for (const CMemoryPage::Item& item :
         set_.Memory().Items(MemoryKind::kSystem, memoryImage, false))
      items.emplace_back(item.id, item.subIndex);
    MarkWords(items, known);
    std::vector<bool> unknown(kImageWords, false);
    for (int word = 0; word < kImageWords; ++word) {
      const size_t at = static_cast<size_t>(word);
      unknown[at] = word != 4 && copied[word] == 1 && !known[at];
    }
    return unknown;
  }

  // True when page `index` holds a parameter in one of `words`.
  bool PageHoldsAnyOf(size_t index, const std::vector<bool>& words) {
    std::vector<ParamId> ids;
    std::vector<int> subIndices;
    set_.Pages()[index]->GetParamList(ids, subIndices, false, kWholeList);
    std::vector<std::pair<ParamId, int>> list;
    for (size_t i = 0; i < ids.size(); ++i)
      list.emplace_back(ids[i], i < subIndices.size() ? subIndices[i] : -1);
    std::vector<bool> held(kImageWords, false);
    MarkWords(list, held);
    for (size_t word = 0; word < held.size(); ++word) {
      if (held[word] && words[word]) return true;
    }
    return false;
  }

  // The values a store of one kind of memory sends, as the memory of
  // `items` keeps them, page by page: each run the commands that send one
  // page's items with the values of `values`.
  std::vector<Entries> StoreRuns(MemoryKind kind, const CSettingImage& items,
                                 const CSettingImage& values) {
    const std::vector<CMemoryPage::Item> list = set_.Memory().Items(kind, items, false);
    std::vector<Entries> runs;
    for (size_t first = 0; first < list.size();) {
      size_t end = first + 1;
      while (end < list.size() && list[end].page == list[first].page) ++end;
      runs.push_back(Queued(
          [&] {
            for (size_t i = first; i < end; ++i)
              list[i].page->SendParamFromImage(values, list[i].id, list[i].subIndex);
          },
          values));
      first = end;
    }
    return runs;
  }

 private:
  template <typename Queue>
  Entries Queued(Queue queue, const CSettingImage& image) {
    capture_.Clear();
    capture_.Link().SelectImage(0);
    capture_.Link().Image(0) = image;
    queue();
    Entries entries = capture_.QueuedWithCodes();
    capture_.Clear();
    return entries;
  }

  CommandCapture capture_;
  QuietPageHost host_;
  CPageSet set_;
};

// A fixed command of the Download (Pure Direct off, the zone commands)
// sets one basic value: the value whose own command is that frame.
void TakeFixedCommand(CSettingImage& receiver, ParamId id, std::string_view frame) {
  const ParamLocation location = LocateParam(id);
  if (location.type != ParamLocation::Type::kWord) return;
  for (int32_t value = 0; value < 64; ++value) {
    CSettingImage trial = receiver;
    trial[location.word] = value;
    const std::optional<std::string> command = BasicControlCommand(id, trial);
    if (command && *command == frame) {
      receiver = trial;
      return;
    }
  }
}

// A selection a page sends (an input, a sound program): the receiver's
// basic value is then the one whose own command is that frame, or unknown
// (marked so that no basic control can match it) when none is.
void TakeSelection(CSettingImage& receiver, ParamId id, std::string_view frame) {
  const CSettingImage before = receiver;
  TakeFixedCommand(receiver, id, frame);
  const ParamLocation location = LocateParam(id);
  if (receiver == before && location.type == ParamLocation::Type::kWord &&
      BasicControlCommand(id, receiver) != std::optional<std::string>(frame))
    receiver[location.word] = -1;
}

// The commands of a page that selects each program before what belongs
// to it (DSP Parameters), cut into one block per selection.
std::vector<Entries> ProgramBlocks(const Entries& entries) {
  std::vector<Entries> blocks;
  for (const auto& entry : entries) {
    if (blocks.empty() || entry.second == kProgramSelectId) blocks.emplace_back();
    blocks.back().push_back(entry);
  }
  return blocks;
}

// What of a page's commands `wanted` must go to a receiver whose setting
// would be sent as `held`: where the page sends program by program, the
// programs whose commands differ, each with its selection; otherwise the
// whole page.
Entries ChangedProgramBlocks(const Entries& wanted, const Entries& held) {
  // A page that also selects inputs (Input DSP) sends each program for the
  // input selected before it: it goes whole.
  for (const auto& entry : wanted) {
    if (entry.second == kInputSelectId) return wanted;
  }
  const std::vector<Entries> want = ProgramBlocks(wanted);
  const std::vector<Entries> have = ProgramBlocks(held);
  if (want.size() < 2 || want.size() != have.size()) return wanted;
  Entries changed;
  for (size_t block = 0; block < want.size(); ++block) {
    if (want[block].front() != have[block].front()) return wanted;
    if (want[block] != have[block])
      changed.insert(changed.end(), want[block].begin(), want[block].end());
  }
  return changed;
}

struct Counter {
  int commands = 0;
  int milliseconds = 0;
  void Add(const Entries& entries) {
    for (const auto& [text, code] : entries) Add(text, code);
  }
  void Add(std::string_view text, ParamId code) {
    if (text.starts_with("@WAIT")) {
      const size_t comma = text.find(',');
      if (comma != std::string_view::npos)
        milliseconds += std::atoi(std::string(text.substr(comma + 1)).c_str());
      return;
    }
    if (text.starts_with("@")) return;
    ++commands;
    milliseconds += !text.empty() && text.front() == kDc4 ? kExtendedMs : kStandardMs;
    if (code == kSystemMemorySaveCode || code == kVolumeMemorySaveCode ||
        code == kZone2MemorySaveCode || code == kZone3MemorySaveCode)
      milliseconds += kMemoryStoreMs;
  }
};

int Cost(const Entries& entries) {
  Counter counter;
  counter.Add(entries);
  return counter.milliseconds;
}

// The commands that store memory `memory` as `wanted` on a receiver whose
// own setting is `receiver` and whose memory holds `held` (nullptr: holds
// nothing known). A kind of memory that holds what is wanted already is
// not saved again. For a kind that is saved, the receiver's setting gets
// the values the memory keeps, page by page where they differ from what
// it holds, after a load of the memory when that sends less; the save
// then stores exactly `wanted`. The commands carry the receiver's own
// values where a command also sets what the memory does not keep, so
// nothing else changes. `receiver` follows what the commands do; a load
// also replaces values the program does not know, which `unknown` marks
// so that their pages are sent again afterwards.
Entries DeltaMemoryStore(Shadow& shadow, int memory, const CSettingImage& wanted,
                         const CSettingImage* held, CSettingImage& receiver,
                         std::vector<bool>& unknown) {
  Entries commands;
  for (const MemoryKind kind : shadow.Kinds()) {
    if (held != nullptr &&
        shadow.StoreRuns(kind, *held, *held) == shadow.StoreRuns(kind, wanted, wanted))
      continue;
    // The changes that bring a receiver holding `from` to the memory's
    // values; `reached` is what it then holds.
    auto changes = [&](const CSettingImage& from, CSettingImage& reached) {
      reached = from;
      shadow.TakeMemory(reached, kind, memory, wanted);
      const std::vector<Entries> fromRuns = shadow.StoreRuns(kind, wanted, from);
      const std::vector<Entries> toRuns = shadow.StoreRuns(kind, wanted, reached);
      Entries sent;
      for (size_t run = 0; run < toRuns.size(); ++run) {
        if (run < fromRuns.size() && fromRuns[run] == toRuns[run]) continue;
        sent.insert(sent.end(), toRuns[run].begin(), toRuns[run].end());
      }
      return sent;
    };
    CSettingImage reached;
    Entries chosen = changes(receiver, reached);
    if (held != nullptr && kind == MemoryKind::kSystem) {
      CSettingImage loaded = receiver;
      shadow.TakeMemory(loaded, kind, memory, *held);
      CSettingImage reachedAfterLoad;
      Entries afterLoad = {{MemoryLoadCommand(kind, memory), MemoryLoadCode(kind)},
                           {"@WAIT, " + std::to_string(kMemoryLoadWaitMs), kEndMarkerCode}};
      const Entries sent = changes(loaded, reachedAfterLoad);
      afterLoad.insert(afterLoad.end(), sent.begin(), sent.end());
      if (Cost(afterLoad) < Cost(chosen)) {
        chosen = std::move(afterLoad);
        reached = reachedAfterLoad;
        const std::vector<bool> replaced = shadow.WordsALoadLeavesUnknown(*held);
        for (size_t word = 0; word < unknown.size(); ++word)
          unknown[word] = unknown[word] || replaced[word];
      }
    }
    commands.insert(commands.end(), chosen.begin(), chosen.end());
    commands.emplace_back(MemorySaveCommand(kind, memory), MemorySaveCode(kind));
    receiver = reached;
  }
  return commands;
}

// The commands every Download begins with: Pure Direct off and the reads
// of the model flags, then the zone commands.
void CountOpening(Counter& counter, const CCommClass& link) {
  counter.Add(FrameStandard("07E82"), 8);
  for (const int row : {kModelFlagARow, kModelFlagBRow, kModelFlagCRow})
    counter.Add(FrameExtended(kReadRequestTable[static_cast<size_t>(row)].request), 0);
  if (link.Flags().zone2 != 0) counter.Add(FrameStandard("07EBA"), 14);
  if (link.Flags().zone3 != 0) counter.Add(FrameStandard("07AED"), 19);
}

Entries BasicControl(ParamId id, const CSettingImage& image) {
  const std::optional<std::string> command = BasicControlCommand(id, image);
  if (!command) return {};
  return {{*command, id}};
}

// Counts the plan's parts from the real images, in the Download's order.
void CountPlan(DownloadPlan& plan, Shadow& shadow, const CCommClass& link) {
  Counter counter;
  CountOpening(counter, link);
  plan.parts.clear();
  for (int memory = 1; memory <= kMemoryCount; ++memory) {
    const size_t slot = static_cast<size_t>(memory);
    if (!plan.memories[slot]) continue;
    counter.Add(plan.memoryCommands[slot].empty() ? shadow.MemoryStore(memory, link.Image(memory))
                                                  : plan.memoryCommands[slot]);
    counter.Add(FrameStandard("07E82"), 8);
    plan.parts.push_back(MemoryPart(memory));
  }
  plan.written.clear();
  auto written = [&plan](const Entries& entries) {
    for (const auto& [text, code] : entries) {
      if (code >= kFirstParamId && code <= kLastParamId &&
          std::find(plan.written.begin(), plan.written.end(), code) == plan.written.end())
        plan.written.push_back(code);
    }
  };
  for (size_t page = 0; page < shadow.PageCount(); ++page) {
    if (!plan.SendsPage(page)) continue;
    const Entries entries = plan.PageCommands(page).empty() ? shadow.Page(page, link.Image(0))
                                                            : plan.PageCommands(page);
    counter.Add(entries);
    written(entries);
    plan.parts.push_back(shadow.PageCaption(page));
  }
  bool anyBasic = false;
  for (ParamId id = 1; id <= 8; ++id) {
    if (!plan.basicControls[static_cast<size_t>(id)]) continue;
    const Entries entries = BasicControl(id, link.Image(0));
    counter.Add(entries);
    written(entries);
    anyBasic = true;
  }
  if (anyBasic) plan.parts.emplace_back(kBasicControlPart);
  plan.commands = counter.commands;
  plan.milliseconds = counter.milliseconds;
}

bool SameFlags(const ModelFlags& a, const ModelFlags& b) {
  return a.zone2 == b.zone2 && a.zone3 == b.zone3 && a.xm == b.xm && a.aacDecoder == b.aacDecoder;
}

}  // namespace

std::vector<std::string> DownloadPartNames(CPageSet& pages) {
  std::vector<std::string> names;
  for (int memory = 1; memory <= kMemoryCount; ++memory) names.push_back(MemoryPart(memory));
  for (CBasePage* page : pages.Pages()) names.push_back(page->Caption());
  names.emplace_back(kBasicControlPart);
  return names;
}

DownloadPlan PlanWholeDownload(CPageSet& /*pages*/, const CCommClass& link) {
  DownloadPlan plan;
  Shadow shadow(link);
  CountPlan(plan, shadow, link);
  return plan;
}

DownloadPlan PlanDeltaDownload(CPageSet& pages, const CCommClass& link,
                               const ReceiverState& known) {
  if (!SameFlags(known.flags, link.Flags()) || known.regionCode != link.RegionCode())
    return PlanWholeDownload(pages, link);
  DownloadPlan plan;
  plan.kind = DownloadPlan::Kind::kDelta;
  plan.baseline = known;
  // A Download of only what differs is read back: it relies on the state.
  plan.verify = true;
  Shadow shadow(link);

  // What the receiver's own setting holds as the Download goes on, and
  // the words of it a memory load left unknown.
  CSettingImage receiver = known.images[0];
  std::vector<bool> unknown(kImageWords, false);
  TakeFixedCommand(receiver, 8, FrameStandard("07E82"));
  if (link.Flags().zone2 != 0) TakeFixedCommand(receiver, 10, FrameStandard("07EBA"));
  if (link.Flags().zone3 != 0) TakeFixedCommand(receiver, 11, FrameStandard("07AED"));
  for (int memory = 1; memory <= kMemoryCount; ++memory) {
    const size_t slot = static_cast<size_t>(memory);
    // A memory the receiver does not hold is stored when the program has
    // one for it; one that neither holds stays empty.
    const bool differs = (!known.dataExists[slot] && link.DataExists(memory)) ||
                         Shadow(link).MemoryStore(memory, link.Image(memory)) !=
                             Shadow(link).MemoryStore(memory, known.images[slot]);
    plan.memories[slot] = differs;
    if (!differs) continue;
    plan.memoryCommands[slot] =
        DeltaMemoryStore(shadow, memory, link.Image(memory),
                         known.dataExists[slot] ? &known.images[slot] : nullptr, receiver, unknown);
    TakeFixedCommand(receiver, 8, FrameStandard("07E82"));
  }
  plan.pages.assign(shadow.PageCount(), false);
  bool anything = false;
  for (int memory = 1; memory <= kMemoryCount; ++memory)
    anything |= plan.memories[static_cast<size_t>(memory)];
  for (size_t page = 0; page < shadow.PageCount(); ++page) {
    Entries sent = Shadow(link).Page(page, link.Image(0));
    const Entries held = Shadow(link).Page(page, receiver);
    const bool holdsUnknown = shadow.PageHoldsAnyOf(page, unknown);
    plan.pages[page] = sent != held || holdsUnknown;
    anything |= plan.pages[page];
    if (!plan.pages[page]) continue;
    if (!holdsUnknown) {
      Entries changed = ChangedProgramBlocks(sent, held);
      if (changed.size() < sent.size()) {
        plan.pageCommands.resize(shadow.PageCount());
        plan.pageCommands[page] = changed;
        sent = std::move(changed);
      }
    }
    // A page that selects inputs or programs to send what belongs to each
    // (Input DSP, DSP Parameters) leaves the receiver on the last one: the
    // basic controls then put the receiver's own back.
    for (const auto& [text, code] : sent) {
      if (code >= 1 && code <= 8) TakeSelection(receiver, code, text);
    }
  }
  for (ParamId id = 1; id <= 8; ++id) {
    anything |= BasicControl(id, link.Image(0)) != BasicControl(id, known.images[0]);
    plan.basicControls[static_cast<size_t>(id)] =
        BasicControl(id, link.Image(0)) != BasicControl(id, receiver);
  }
  if (!anything) {
    // The receiver holds the configuration already: nothing to send, not
    // even the commands every Download begins with.
    plan.pages.assign(shadow.PageCount(), false);
    plan.basicControls.fill(false);
    plan.parts.clear();
  } else {
    CountPlan(plan, shadow, link);
  }
  const DownloadPlan whole = PlanWholeDownload(pages, link);
  plan.wholeCommands = whole.commands;
  plan.wholeMilliseconds = whole.milliseconds;
  return plan;
}

std::vector<bool> PlanWriteBack(const CCommClass& link, const CSettingImage& wanted, int lastMemory,
                                bool inputsSelected, std::vector<QueuedCommands>* parts) {
  Shadow shadow(link);
  CSettingImage receiver = wanted;
  std::vector<bool> unknown(kImageWords, false);
  // Every memory the Upload loaded, in order, replaced what it keeps:
  // the last one most of the setting, each its own program's parameters.
  for (int memory = 1; memory <= lastMemory && memory <= kMemoryCount; ++memory) {
    if (!link.GetUploadScope().memories[static_cast<size_t>(memory)]) continue;
    const CSettingImage& loaded = link.Image(memory);
    for (const MemoryKind kind : shadow.Kinds()) shadow.TakeMemory(receiver, kind, memory, loaded);
    const std::vector<bool> replaced = shadow.WordsALoadLeavesUnknown(loaded);
    for (size_t word = 0; word < unknown.size(); ++word)
      unknown[word] = unknown[word] || replaced[word];
  }
  std::vector<bool> pages(shadow.PageCount(), false);
  for (size_t page = 0; page < shadow.PageCount(); ++page) {
    const std::string& caption = shadow.PageCaption(page);
    const Entries sent = Shadow(link).Page(page, wanted);
    const Entries held = Shadow(link).Page(page, receiver);
    const bool always = (caption == "Input DSP" && inputsSelected) || caption == "Multi Zone";
    const bool holdsUnknown = shadow.PageHoldsAnyOf(page, unknown);
    pages[page] = always || sent != held || holdsUnknown;
    if (!pages[page] || always || holdsUnknown || parts == nullptr) continue;
    Entries changed = ChangedProgramBlocks(sent, held);
    if (changed.size() < sent.size()) {
      parts->resize(shadow.PageCount());
      (*parts)[page] = std::move(changed);
    }
  }
  return pages;
}

std::optional<DownloadPlan> PlanChosenDownload(CPageSet& pages, const CCommClass& link,
                                               const std::vector<std::string>& names,
                                               std::string* why) {
  DownloadPlan plan;
  plan.kind = DownloadPlan::Kind::kChosen;
  plan.memories.fill(false);
  plan.pages.assign(pages.Pages().size(), false);
  plan.basicControls.fill(false);
  bool any = false;
  for (const std::string& name : names) {
    bool found = false;
    if (SameName(name, kMemoryPart)) {
      for (int memory = 1; memory <= kMemoryCount; ++memory)
        plan.memories[static_cast<size_t>(memory)] = true;
      found = true;
    }
    for (int memory = 1; memory <= kMemoryCount && !found; ++memory) {
      if (SameName(name, MemoryPart(memory))) {
        plan.memories[static_cast<size_t>(memory)] = true;
        found = true;
      }
    }
    for (size_t page = 0; page < pages.Pages().size() && !found; ++page) {
      if (SameName(name, pages.Pages()[page]->Caption())) {
        plan.pages[page] = true;
        found = true;
      }
    }
    if (!found && SameName(name, kBasicControlPart)) {
      for (ParamId id = 1; id <= 8; ++id) plan.basicControls[static_cast<size_t>(id)] = true;
      found = true;
    }
    if (!found) {
      if (why != nullptr) {
        *why = "\"" + name + "\" is not a part of the configuration. The parts are:";
        for (const std::string& part : DownloadPartNames(pages)) *why += " \"" + part + "\"";
        *why += ".";
      }
      return std::nullopt;
    }
    any = true;
  }
  if (!any) {
    if (why != nullptr) *why = "No part of the configuration was chosen.";
    return std::nullopt;
  }
  Shadow shadow(link);
  CountPlan(plan, shadow, link);
  return plan;
}

std::vector<std::string> SplitPartNames(std::string_view list) {
  std::vector<std::string> names;
  while (!list.empty()) {
    const size_t comma = list.find(',');
    std::string name(list.substr(0, comma));
    const size_t first = name.find_first_not_of(" \t");
    const size_t last = name.find_last_not_of(" \t");
    if (first != std::string::npos) names.push_back(name.substr(first, last - first + 1));
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return names;
}

}  // namespace qamp
