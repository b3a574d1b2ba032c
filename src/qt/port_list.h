// The serial ports that can be opened now, as the port list offers them,
// and, for a port that exists but cannot be opened, why and what to do.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "session/connection_help.h"
#include "session/receiver_session.h"

namespace qamp {

// Where the port list looks; tests give scratch directories.
struct PortListPaths {
  std::string byIdDirectory = "/dev/serial/by-id";
  std::string procDirectory = "/proc";
  std::string devDirectory = "/dev";
  std::vector<std::string> lockDirectories = {"/var/lock", "/run/lock"};
};

// A process that has the device open.
struct PortHolder {
  int pid = 0;
  std::string program;  // its command name
  bool operator==(const PortHolder&) const = default;
};

struct PortProblem {
  enum class Kind {
    kPermission,  // this user may not read and write the device
    kBusy,        // another program has it open
  };
  std::string device;
  Kind kind = Kind::kBusy;
  std::string group;                // the group that owns the device
  std::vector<PortHolder> holders;  // kBusy: the processes this user can see holding it
  // One line: what is wrong and how to mend it.
  std::string Message() const;
};

struct PortScan {
  std::vector<PortEntry> ports;       // in the order of their names
  std::vector<PortProblem> problems;  // ports that exist but cannot be opened
};

// Every ttyS, ttyUSB and ttyACM port the system knows, each opened (and
// closed again at once) to learn whether it can be used now.
PortScan ScanSerialPorts(const PortListPaths& paths = {});
// The ports of ScanSerialPorts.
std::vector<PortEntry> ListSerialPorts();

// --- The parts of the scan ---------------------------------------------------------

// The port families a receiver's cable appears as: a built-in port, a USB
// adapter, a USB modem-class adapter.
bool IsSerialPortName(std::string_view name);

// "ttyUSB0 — FTDI USB Serial (usb-FTDI_FT232R_USB_UART_A1B2-if00-port0)";
// the parts that are not known are left out.
std::string PortDisplayName(std::string_view name, std::string_view description,
                            std::string_view byIdName);

// The persistent names of `directory` (the udev links of /dev/serial/by-id)
// by the device path they lead to; the first name in order where several
// lead to one device.
std::map<std::string, std::string> SerialByIdNames(const std::string& directory);

// The processes under `procDirectory` with `device` open, in the order of
// their process numbers. Processes whose open files this user may not see
// are passed over.
std::vector<PortHolder> ProcessesHolding(const std::string& device,
                                         const std::string& procDirectory);

// Opens the device for reading and writing and closes it again. Nothing
// when it opened or when it is no usable port at all (no hardware behind
// the node); otherwise the problem.
struct PortProbe {
  bool opened = false;
  std::optional<PortProblem> problem;
};
PortProbe ProbePort(const std::string& device, const PortListPaths& paths = {});

// Who holds each of `devices` open, this process left out: for the list of
// what to check when no receiver answered. Only device paths can be told.
std::vector<PortUse> PortUses(const std::vector<std::string>& devices,
                              const PortListPaths& paths = {});
// A report of every serial port node for a diagnosis, one block per port:
// its permissions, owner and group, whether this user may read and write
// it, the programs holding it open and the owners of its lock files
// (LCK..NAME). Nothing is opened.
std::string PortReport(const PortListPaths& paths = {});

// `message` with that list when it says that nothing answered.
std::string ExplainNoAnswer(std::string_view message, const std::vector<std::string>& devices);

}  // namespace qamp
