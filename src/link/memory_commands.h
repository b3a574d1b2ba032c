// The receiver's own memory commands: load and save of the six memories of
// each kind, as operation codes "07E" + two hex digits.
#pragma once

#include <string>

#include "model/setting_image.h"

namespace qamp {

enum class MemoryKind : int { kSystem = 0, kVolume = 1, kZone2Volume = 2, kZone3Volume = 3 };
inline constexpr int kMemoryKinds = 4;
inline constexpr int kMemoryCount = 6;
// The pause the receiver needs after loading a memory before it answers
// the next command.
inline constexpr int kMemoryLoadWaitMs = 1000;

// The full standard command (STX ... ETX) that loads or saves memory 1..6.
std::string MemoryLoadCommand(MemoryKind kind, int memory);
std::string MemorySaveCommand(MemoryKind kind, int memory);

// The parameter IDs that label the commands in the queue.
ParamId MemoryLoadCode(MemoryKind kind);
ParamId MemorySaveCode(MemoryKind kind);

}  // namespace qamp
