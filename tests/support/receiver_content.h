// What a simulated receiver holds (its own setting and its six memories),
// to compare receivers after transfers and to give one a content.
#pragma once

#include <array>
#include <string>

#include "sim/simulated_receiver.h"

namespace qamp::testing {

struct ReceiverContent {
  CSettingImage state;
  std::array<CSettingImage, 6> memories;
  std::array<bool, 6> hasData;
  bool operator==(const ReceiverContent&) const = default;
};

// The words in which two receivers differ, for short failures.
inline std::string WordsThatDiffer(const ReceiverContent& expected, const ReceiverContent& actual) {
  std::string words;
  for (int slot = 0; slot <= 6; ++slot) {
    const CSettingImage& a =
        slot == 0 ? expected.state : expected.memories[static_cast<size_t>(slot - 1)];
    const CSettingImage& b =
        slot == 0 ? actual.state : actual.memories[static_cast<size_t>(slot - 1)];
    for (int w = 0; w < kImageWords; ++w) {
      if (a[w] != b[w] && words.size() < 400)
        words += std::to_string(slot) + ":" + std::to_string(w) + " " + std::to_string(a[w]) + "/" +
                 std::to_string(b[w]) + " ";
    }
  }
  return words;
}

inline ReceiverContent ContentOf(const sim::CSimulatedReceiver& receiver) {
  ReceiverContent content;
  content.state = receiver.State();
  for (int n = 1; n <= 6; ++n) {
    content.memories[static_cast<size_t>(n - 1)] =
        const_cast<sim::CSimulatedReceiver&>(receiver).Memory(n);
    content.hasData[static_cast<size_t>(n - 1)] = receiver.MemoryHasData(n);
  }
  return content;
}

inline void SetContent(sim::CSimulatedReceiver& receiver, const ReceiverContent& content) {
  receiver.State() = content.state;
  for (int n = 1; n <= 6; ++n) {
    receiver.Memory(n) = content.memories[static_cast<size_t>(n - 1)];
    receiver.SetMemoryHasData(n, content.hasData[static_cast<size_t>(n - 1)]);
  }
}

}  // namespace qamp::testing
