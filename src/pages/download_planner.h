// Deciding what a Download sends: the whole configuration, only what
// differs from the state the receiver is known to hold, or the parts the
// user chose. The decision compares the commands the pages would queue,
// not the image words, so a page whose rules derive one value from
// another is sent whenever any command of it would change, exactly as the
// whole Download would send it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/page_set.h"
#include "session/download_plan.h"

namespace qamp {

// Every part a Download can be limited to, in the order it sends them:
// "System Memory 1" .. "System Memory 6", each page's caption, then
// "Basic Control".
std::vector<std::string> DownloadPartNames(CPageSet& pages);

// The whole Download, with its count and time.
DownloadPlan PlanWholeDownload(CPageSet& pages, const CCommClass& link);

// Only what differs between the images and `known`: a memory whose store
// commands differ (or that the receiver does not hold yet), every page
// whose commands differ from those of what the receiver will hold at that
// point, and the basic controls that differ. When `known` was taken with
// other model flags or another region, the whole Download.
DownloadPlan PlanDeltaDownload(CPageSet& pages, const CCommClass& link, const ReceiverState& known);

// The parts named (as DownloadPartNames gives them, without regard to
// case; "System Memory" alone names all six). Nothing, with the reason,
// when a name is unknown or none is given.
std::optional<DownloadPlan> PlanChosenDownload(CPageSet& pages, const CCommClass& link,
                                               const std::vector<std::string>& names,
                                               std::string* why);

// The pages an Upload's write-back sends to give the receiver its own
// setting (`wanted`) again, by their place in the file's order.
// The Upload's reads changed nothing but what its memory loads replaced
// (the memories it read, up to `lastMemory`, in order: the last one most
// of the setting, each its own sound program's parameters), the input and program selections (which
// the basic controls put back, and which the Input DSP records follow) and the zones' volume
// outputs; every page that holds any of that is sent, the others are not. An Upload of memories
// alone (the read-back of the memories a Download stored) selects no input: `inputsSelected` false
// leaves Input DSP out. A page of which only some programs differ goes in part: `parts` (when
// given) gets its commands, by the page's place.
std::vector<bool> PlanWriteBack(const CCommClass& link, const CSettingImage& wanted, int lastMemory,
                                bool inputsSelected = true,
                                std::vector<QueuedCommands>* parts = nullptr);

// "Speaker Level,Equalizer, System Memory 3" as names.
std::vector<std::string> SplitPartNames(std::string_view list);

}  // namespace qamp
