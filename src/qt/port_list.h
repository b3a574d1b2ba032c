// The serial ports that can be opened now, as the port list offers them.
#pragma once

#include <vector>

#include "session/receiver_session.h"

namespace qamp {

// Each port that opens (and is closed again at once), by short name with
// the full device path, in the order of their names.
std::vector<PortEntry> ListSerialPorts();

}  // namespace qamp
