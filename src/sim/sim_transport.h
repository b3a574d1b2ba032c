// The simulated receiver as a port in the same process.
#pragma once

#include <string>
#include <vector>

#include "link/serial_transport.h"
#include "sim/receiver_endpoint.h"

namespace qamp::sim {

class SimTransport : public SerialTransport {
 public:
  SimTransport(CSimulatedReceiver& receiver, Scheduler& scheduler);

  bool Open(std::string_view device, std::string& error) override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  bool Write(std::string_view bytes) override;
  std::string ReadAvailable() override;
  bool IsCtsOn() override { return !receiver_.Options().ctsOff; }

  // Characters from the receiver's side that answer nothing: a report it
  // sends on its own.
  void Inject(const std::string& bytes) { Deliver(bytes); }
  // The device names that open; empty: every name opens.
  void SetDeviceNames(std::vector<std::string> names) { deviceNames_ = std::move(names); }
  int64_t BytesWritten() const { return bytesWritten_; }

 private:
  void Deliver(const std::string& bytes);

  CSimulatedReceiver& receiver_;
  ReceiverEndpoint endpoint_;
  bool open_ = false;
  std::string pending_;
  int64_t bytesWritten_ = 0;
  std::vector<std::string> deviceNames_;
};

}  // namespace qamp::sim
