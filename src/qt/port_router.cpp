#include "qt/port_router.h"

namespace qamp {

PortRouter::PortRouter(sim::SimOptions simulatorOptions, sim::Scheduler* virtualClock)
    : simulator_(std::move(simulatorOptions)),
      simulatorPort_(simulator_, virtualClock != nullptr
                                     ? *virtualClock
                                     : static_cast<sim::Scheduler&>(scheduler_)) {
  simulatorPort_.SetListener(this);
  serial_.SetListener(this);
  tcp_.SetListener(this);
}

bool PortRouter::Open(std::string_view device, std::string& error) {
  if (IsOpen()) {
    error = "A port is already open.";
    return false;
  }
  if (device == kBuiltInSimulatorPort) {
    active_ = &simulatorPort_;
  } else if (TcpTransport::IsTcpDevice(device)) {
    active_ = &tcp_;
  } else {
    active_ = &serial_;
  }
  if (active_->Open(device, error)) return true;
  active_ = nullptr;
  return false;
}

void PortRouter::Close() {
  if (active_ != nullptr) active_->Close();
  active_ = nullptr;
}

}  // namespace qamp
