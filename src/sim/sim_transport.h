// The simulated receiver as a port: what the link writes reaches the
// receiver after the time the characters take on the wire, and its answers
// come back the same way, through a scheduler.
#pragma once

#include <memory>
#include <string>

#include "link/serial_transport.h"
#include "sim/scheduler.h"
#include "sim/simulated_receiver.h"

namespace qamp::sim {

class SimTransport : public SerialTransport {
 public:
  SimTransport(CSimulatedReceiver& receiver, Scheduler& scheduler);
  ~SimTransport() override;

  bool Open(std::string_view device, std::string& error) override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  bool Write(std::string_view bytes) override;
  std::string ReadAvailable() override;
  bool IsCtsOn() override { return !receiver_.Options().ctsOff; }

  // Frames written and characters delivered, for tests and benchmarks.
  int64_t BytesWritten() const { return bytesWritten_; }
  int64_t BytesDelivered() const { return bytesDelivered_; }
  // Characters from the receiver's side that it did not answer with: a
  // report it sends on its own.
  void Inject(std::string bytes);
  // The device names that open successfully; empty accepts every name.
  void SetDeviceNames(std::vector<std::string> names) { deviceNames_ = std::move(names); }

 private:
  int64_t WireMs(size_t bytes) const;
  void Deliver(uint64_t generation, std::string bytes);

  CSimulatedReceiver& receiver_;
  Scheduler& scheduler_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool open_ = false;
  uint64_t generation_ = 0;
  std::string pending_;
  int64_t linkToReceiverFreeAt_ = 0;
  int64_t receiverToLinkFreeAt_ = 0;
  int64_t bytesWritten_ = 0;
  int64_t bytesDelivered_ = 0;
  std::vector<std::string> deviceNames_;
};

}  // namespace qamp::sim
