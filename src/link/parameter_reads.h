// Which frames answer which parameter: the read-request rows whose answers
// carry a parameter, and whether the configuration report the receiver
// sends at the connection carries it already. qampctl get and set read only
// these rows instead of the whole configuration.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "model/setting_image.h"

namespace qamp {

// The rows of the initial load (flag 0x01) whose answer the report decoding
// table decodes into `id`, in table order. The rows that tell the region,
// the model flags and the memories' data carry no parameter.
std::vector<int> RowsAnswering(ParamId id);

// The configuration report (through the reports it stands for) carries `id`.
bool CarriedByConfiguration(ParamId id);

// The rows that read `ids`, in table order, with what reading them needs:
// the model-flag row in front of a row only some models have, the region
// row in front of the tuner presets (their texts depend on the region), and
// the selection of a DSP program in front of that program's parameters.
std::vector<int> RowsToRead(std::span<const ParamId> ids);
// The same for rows: `rows` with what reading them needs, in table order.
std::vector<int> WithWhatTheyNeed(std::span<const int> rows);

// A row that selects a DSP program on the receiver (so that its parameters
// can be read): the receiver plays another program afterwards.
bool RowSelectsProgram(int row);

// What an Upload reads of a memory (the rows it reads for every memory,
// flag 0x04): the rows, indexed by row, and the parameters their answers
// carry, sorted. Of `ids` only: the rows that carry any of them (with the
// selection of the DSP program their block belongs to), and those of `ids`
// that they carry.
struct MemoryReads {
  std::vector<bool> rows;
  std::vector<ParamId> ids;
};
MemoryReads ReadsPerMemory();
MemoryReads ReadsPerMemoryOf(std::span<const ParamId> ids);

// The rows that read back what a written frame (an extended write) set.
std::vector<int> RowsReadingBack(std::string_view frame);

}  // namespace qamp
