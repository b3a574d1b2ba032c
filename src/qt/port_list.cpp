#include "qt/port_list.h"

#include <QSerialPort>
#include <QSerialPortInfo>
#include <algorithm>
#include <string>
#include <utility>

namespace qamp {

namespace {

// ttyS2 before ttyS10: names compare by their text, then by the number at
// their end.
bool NaturalLess(const std::string& a, const std::string& b) {
  auto split = [](const std::string& name) {
    size_t digits = name.size();
    while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') --digits;
    const long number = digits < name.size() ? std::stol(name.substr(digits, 9)) : -1;
    return std::make_pair(name.substr(0, digits), number);
  };
  return split(a) < split(b);
}

}  // namespace

std::vector<PortEntry> ListSerialPorts() {
  std::vector<PortEntry> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    // Only ports that can be opened right now are offered.
    QSerialPort probe(info);
    if (!probe.open(QIODevice::ReadWrite)) continue;
    probe.close();
    ports.push_back({info.portName().toStdString(), info.systemLocation().toStdString()});
  }
  std::sort(ports.begin(), ports.end(),
            [](const PortEntry& a, const PortEntry& b) { return NaturalLess(a.device, b.device); });
  return ports;
}

}  // namespace qamp
