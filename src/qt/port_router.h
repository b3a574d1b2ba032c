// One transport for every kind of port name: "sim" is the built-in
// simulated receiver, "tcp:HOST:PORT" a network serial server, anything
// else a serial device path.
#pragma once

#include <memory>

#include "qt/qt_serial_transport.h"
#include "qt/qt_timers.h"
#include "qt/tcp_transport.h"
#include "sim/sim_transport.h"

namespace qamp {

inline constexpr std::string_view kBuiltInSimulatorPort = "sim";

class PortRouter : public SerialTransport, public TransportListener {
 public:
  // The built-in simulated receiver runs on the real clock, or on
  // `virtualClock` when one is given (for scripts and tests that want a
  // whole transfer at once).
  explicit PortRouter(sim::SimOptions simulatorOptions = {},
                      sim::Scheduler* virtualClock = nullptr);

  bool Open(std::string_view device, std::string& error) override;
  void Close() override;
  bool IsOpen() const override { return active_ != nullptr && active_->IsOpen(); }
  bool Write(std::string_view bytes) override {
    return active_ != nullptr && active_->Write(bytes);
  }
  std::string ReadAvailable() override {
    return active_ != nullptr ? active_->ReadAvailable() : std::string();
  }
  bool IsCtsOn() override { return active_ == nullptr || active_->IsCtsOn(); }

  void DataArrived() override {
    if (listener_ != nullptr) listener_->DataArrived();
  }
  void PortFailed(std::string_view reason) override {
    if (listener_ != nullptr) listener_->PortFailed(reason);
  }

  sim::CSimulatedReceiver& Simulator() { return simulator_; }

 private:
  QtScheduler scheduler_;
  sim::CSimulatedReceiver simulator_;
  sim::SimTransport simulatorPort_;
  QtSerialTransport serial_;
  TcpTransport tcp_;
  SerialTransport* active_ = nullptr;
};

}  // namespace qamp
