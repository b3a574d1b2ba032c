// What a Download sends. The whole configuration by default; or, against
// a known receiver state, only the memories and pages whose commands
// differ ("delta"); or the parts the user chose. The parts keep the order
// and the content of the whole Download: a page is sent whole and the
// basic controls follow the pages. A memory is stored whole, except in a
// delta Download, which saves only the kinds of memory that change and
// sends for them only the pages the receiver's setting does not hold.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "link/receiver_state.h"
#include "model/setting_image.h"

namespace qamp {

// Commands as a queue holds them: the text and the parameter ID as code.
using QueuedCommands = std::vector<std::pair<std::string, ParamId>>;

struct DownloadPlan {
  enum class Kind { kWhole, kDelta, kChosen };

  Kind kind = Kind::kWhole;
  // Memories 1..6 to store (index 0 unused).
  std::array<bool, kImageSlots> memories{false, true, true, true, true, true, true};
  // A delta Download's commands that store each memory, in order (a load
  // of the memory first where that sends less, the pages that differ, the
  // saves); empty: the whole store.
  std::array<QueuedCommands, kImageSlots> memoryCommands;
  // The pages to send, by their place in the configuration file's order of
  // pages; empty: every page.
  std::vector<bool> pages;
  // A delta Download's commands for a page it sends only in part (the
  // programs of DSP Parameters whose values differ), by the page's place;
  // none: the whole page.
  std::vector<QueuedCommands> pageCommands;
  // The basic controls 1..8 to send after the pages (index 0 unused).
  std::array<bool, 9> basicControls{false, true, true, true, true, true, true, true, true};
  // A delta Download compares the receiver with this state at its
  // connection and sends everything when they disagree.
  std::optional<ReceiverState> baseline;

  // What will be sent, for the notice and the progress window: the
  // commands of the queue (markers not counted), their rough time, and the
  // names of the parts ("System Memory 3", "Speaker Level", "Basic
  // Control").
  int commands = 0;
  int milliseconds = 0;
  std::vector<std::string> parts;
  // A delta Download: what the whole Download would send instead.
  int wholeCommands = 0;
  int wholeMilliseconds = 0;
  // Read back afterwards what the current setting was sent, and compare.
  bool verify = false;
  // The parameters the current setting's commands set, for the read-back.
  std::vector<ParamId> written;

  const QueuedCommands& PageCommands(size_t index) const {
    static const QueuedCommands kWholePage;
    return index < pageCommands.size() ? pageCommands[index] : kWholePage;
  }
  bool SendsPage(size_t index) const {
    return pages.empty() || (index < pages.size() && pages[index]);
  }
  bool SendsNothing() const { return kind != Kind::kWhole && parts.empty(); }
  // "12 commands, about 3 s" / "1,904 commands, about 4 min".
  std::string Summary() const;
};

// A value the receiver does not hold after a verified Download.
struct VerifyMismatch {
  std::string section;
  std::string key;
  std::string expected;
  std::string actual;
  bool operator==(const VerifyMismatch&) const = default;
};

// A time in words for the notice and the progress window: "under a
// second", "about 3 s", "about 4 min".
std::string RoughDuration(int milliseconds);

}  // namespace qamp
