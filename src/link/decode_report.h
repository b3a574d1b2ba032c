// Turning a received frame into (parameter ID, value) pairs.
#pragma once

#include <string_view>
#include <vector>

#include "model/parameter_store.h"

namespace qamp {

struct DecodedReport {
  bool recognised = false;
  GroupKind kind = GroupKind::kNone;
  int row = -1;  // index of the matching row of the decoding table
  std::vector<ReportValue> values;

  bool HasId(ParamId id) const;
};

// The status digit of a standard report is forced to "0" in a copy, then the
// first row whose prefix begins the copy decodes it. A code missing from its
// code table, a text over 20 characters, non-hexadecimal digits or a frame too
// short for a value produce no pair for that descriptor.
DecodedReport DecodeReport(std::string_view frame);

// Reads `text` as a hexadecimal number (upper or lower case); false when it is
// empty or holds anything else.
bool ParseHex(std::string_view text, int& value);

}  // namespace qamp
