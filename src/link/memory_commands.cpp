#include "link/memory_commands.h"

#include <array>
#include <cstdio>

#include "link/wire_format.h"

namespace qamp {

namespace {

struct KindCodes {
  unsigned firstLoad;
  unsigned firstSave;
  ParamId loadCode;
  ParamId saveCode;
};

// The code counts up by one per memory.
constexpr std::array<KindCodes, kMemoryKinds> kKinds = {{
    {0x35, 0x2B, kSystemMemoryLoadCode, kSystemMemorySaveCode},
    {0x75, 0x6B, kVolumeMemoryLoadCode, kVolumeMemorySaveCode},
    {0x8D, 0x87, kZone2MemoryLoadCode, kZone2MemorySaveCode},
    {0x60, 0x20, kZone3MemoryLoadCode, kZone3MemorySaveCode},
}};

std::string Command(unsigned first, int memory) {
  std::array<char, 8> text{};
  std::snprintf(text.data(), text.size(), "07E%02X", first + static_cast<unsigned>(memory - 1));
  return FrameStandard(text.data());
}

const KindCodes& Codes(MemoryKind kind) {
  return kKinds[static_cast<size_t>(kind)];
}

}  // namespace

std::string MemoryLoadCommand(MemoryKind kind, int memory) {
  return Command(Codes(kind).firstLoad, memory);
}

std::string MemorySaveCommand(MemoryKind kind, int memory) {
  return Command(Codes(kind).firstSave, memory);
}

ParamId MemoryLoadCode(MemoryKind kind) {
  return Codes(kind).loadCode;
}
ParamId MemorySaveCode(MemoryKind kind) {
  return Codes(kind).saveCode;
}

}  // namespace qamp
