// What a person checks when no receiver answers: the cable, the receiver's
// power, the port, and who else has the port open, in that order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qamp {

// A port the connection tried, and the programs this user can see holding
// it open (for a port of another kind, such as a network serial server,
// nobody can tell).
struct PortUse {
  std::string device;
  bool holdersKnown = true;
  std::vector<std::string> holders;  // "minicom (process 812)"
};

// True for the messages that mean "nothing answered on the port".
bool IsNoAnswerMessage(std::string_view message);

// `message` followed by the list of what to check.
std::string WithNoAnswerChecklist(std::string_view message, const std::vector<PortUse>& ports);

}  // namespace qamp
