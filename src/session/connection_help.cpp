#include "session/connection_help.h"

#include "session/receiver_session.h"

namespace qamp {

bool IsNoAnswerMessage(std::string_view message) {
  return message.starts_with(kMessageInitializationError);
}

namespace {

std::string Devices(const std::vector<PortUse>& ports) {
  std::string text;
  for (size_t i = 0; i < ports.size(); ++i) {
    if (i > 0) text += i + 1 == ports.size() ? " or " : ", ";
    text += ports[i].device;
  }
  return text;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) text += (i > 0 ? ", " : "") + names[i];
  return text;
}

}  // namespace

std::string WithNoAnswerChecklist(std::string_view message, const std::vector<PortUse>& ports) {
  std::string text(message);
  const std::string devices = ports.empty() ? std::string("the port") : Devices(ports);
  text += "\nNo receiver answered on " + devices + ". Check, in this order:";
  text +=
      "\n1. The cable: a null-modem (crossed) RS-232C cable with RTS and CTS wired, "
      "plugged firmly into the receiver's RS-232C terminal and into the port.";
  text += "\n2. The receiver's power: the receiver is switched on.";
  text += "\n3. The port: the cable is in " + devices +
          " and not in another port (qampctl ports lists this machine's ports).";
  std::string users = "\n4. Who else has the port open: ";
  size_t holders = 0;
  bool anyUnknown = false;
  std::string held;
  for (const PortUse& port : ports) {
    if (!port.holdersKnown) {
      anyUnknown = true;
    } else if (!port.holders.empty()) {
      held += std::string(holders > 0 ? "; " : "") + Joined(port.holders) + " " +
              (port.holders.size() == 1 ? "has " : "have ") + port.device + " open";
      holders += port.holders.size();
    }
  }
  if (holders > 0) {
    users += held + "; close " + (holders > 1 ? "them" : "it") + " first.";
  } else if (anyUnknown && ports.size() == 1) {
    users += "no other program may use " + ports[0].device + " at the same time.";
  } else {
    users += "no other program on this machine has it open now.";
  }
  text += users;
  return text;
}

}  // namespace qamp
