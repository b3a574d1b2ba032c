#include "sim/sim_transport.h"

#include <algorithm>

namespace qamp::sim {

SimTransport::SimTransport(CSimulatedReceiver& receiver, Scheduler& scheduler)
    : receiver_(receiver),
      endpoint_(
          receiver, scheduler, [this](const std::string& bytes) { Deliver(bytes); },
          [this] {
            // The adapter (or the receiver with it) is gone.
            open_ = false;
            pending_.clear();
            if (listener_ != nullptr) listener_->PortFailed("The serial device disappeared.");
          }) {}

bool SimTransport::Open(std::string_view device, std::string& error) {
  if (open_) {
    error = "The simulated receiver is already connected.";
    return false;
  }
  if (!deviceNames_.empty() &&
      std::find(deviceNames_.begin(), deviceNames_.end(), device) == deviceNames_.end()) {
    error = "No such port: " + std::string(device);
    return false;
  }
  if (receiver_.Vanished()) {
    error = "No such port: " + std::string(device) + " (the device is gone)";
    return false;
  }
  open_ = true;
  pending_.clear();
  endpoint_.Reset();
  return true;
}

void SimTransport::Close() {
  open_ = false;
  pending_.clear();
  endpoint_.Reset();
}

bool SimTransport::Write(std::string_view bytes) {
  if (!open_) return false;
  bytesWritten_ += static_cast<int64_t>(bytes.size());
  endpoint_.FromLink(bytes);
  return true;
}

void SimTransport::Deliver(const std::string& bytes) {
  if (!open_) return;
  pending_ += bytes;
  if (listener_ != nullptr) listener_->DataArrived();
}

std::string SimTransport::ReadAvailable() {
  std::string taken;
  taken.swap(pending_);
  return taken;
}

}  // namespace qamp::sim
