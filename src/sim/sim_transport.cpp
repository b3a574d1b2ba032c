#include "sim/sim_transport.h"

#include <algorithm>
#include <cmath>

namespace qamp::sim {

SimTransport::SimTransport(CSimulatedReceiver& receiver, Scheduler& scheduler)
    : receiver_(receiver), scheduler_(scheduler) {}

SimTransport::~SimTransport() { *alive_ = false; }

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
  open_ = true;
  ++generation_;
  pending_.clear();
  return true;
}

void SimTransport::Close() {
  open_ = false;
  ++generation_;
  pending_.clear();
}

int64_t SimTransport::WireMs(size_t bytes) const {
  if (!receiver_.Options().wireTime) return 0;
  return static_cast<int64_t>(std::ceil(static_cast<double>(bytes) * CSimulatedReceiver::WireMsPerByte()));
}

bool SimTransport::Write(std::string_view bytes) {
  if (!open_) return false;
  bytesWritten_ += static_cast<int64_t>(bytes.size());
  // The characters leave one after the other; the receiver has them all
  // when the last one has arrived.
  const int64_t now = scheduler_.NowMs();
  const int64_t start = std::max(now, linkToReceiverFreeAt_);
  linkToReceiverFreeAt_ = start + WireMs(bytes.size());
  const uint64_t generation = generation_;
  std::weak_ptr<bool> alive = alive_;
  scheduler_.Schedule(linkToReceiverFreeAt_ - now, [this, alive, generation, text = std::string(bytes)] {
    if (alive.expired() || generation != generation_) return;
    SimOutput output = receiver_.Receive(text);
    if (output.vanished) {
      // The receiver (or the cable, or the adapter) is gone.
      open_ = false;
      ++generation_;
      if (listener_ != nullptr) listener_->PortFailed("The serial device disappeared.");
      return;
    }
    const int64_t arrived = scheduler_.NowMs();
    for (Emission& emission : output.emissions) {
      const int64_t begin = std::max(arrived + emission.delayMs, receiverToLinkFreeAt_);
      receiverToLinkFreeAt_ = begin + WireMs(emission.bytes.size());
      scheduler_.Schedule(receiverToLinkFreeAt_ - arrived,
                          [this, alive, generation, bytes = std::move(emission.bytes)]() mutable {
                            if (alive.expired()) return;
                            Deliver(generation, std::move(bytes));
                          });
    }
  });
  return true;
}

void SimTransport::Inject(std::string bytes) { Deliver(generation_, std::move(bytes)); }

void SimTransport::Deliver(uint64_t generation, std::string bytes) {
  if (generation != generation_ || !open_) return;
  bytesDelivered_ += static_cast<int64_t>(bytes.size());
  pending_ += bytes;
  if (listener_ != nullptr) listener_->DataArrived();
}

std::string SimTransport::ReadAvailable() {
  std::string taken;
  taken.swap(pending_);
  return taken;
}

}  // namespace qamp::sim
