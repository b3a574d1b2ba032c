// A transport wrapper for the benchmarks: counts every frame written with
// the pause it needs, and the characters both ways.
#pragma once

#include <string>

#include "link/serial_transport.h"

namespace qamp::bench {

// Counts every frame written and its pause, and the characters both ways.
class MeasuringTransport : public SerialTransport, public TransportListener {
 public:
  explicit MeasuringTransport(SerialTransport& inner) : inner_(inner) { inner_.SetListener(this); }
  bool Open(std::string_view device, std::string& error) override { return inner_.Open(device, error); }
  void Close() override { inner_.Close(); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  bool Write(std::string_view bytes) override {
    ++frames;
    pausesMs += !bytes.empty() && bytes.front() == '\x02' ? 50 : 150;
    bytesOut += static_cast<double>(bytes.size());
    return inner_.Write(bytes);
  }
  std::string ReadAvailable() override {
    std::string data = inner_.ReadAvailable();
    bytesIn += static_cast<double>(data.size());
    return data;
  }
  bool IsCtsOn() override { return inner_.IsCtsOn(); }
  void DataArrived() override {
    if (listener_ != nullptr) listener_->DataArrived();
  }
  void PortFailed(std::string_view reason) override {
    if (listener_ != nullptr) listener_->PortFailed(reason);
  }

  int frames = 0;
  double pausesMs = 0;
  double bytesOut = 0;
  double bytesIn = 0;

 private:
  SerialTransport& inner_;
};

// The pacing floor of a conversation: the pauses plus 10 bits per
// character at 9600 baud, both ways.
inline double PacingFloorMs(const MeasuringTransport& transport) {
  return transport.pausesMs + (transport.bytesOut + transport.bytesIn) * 10.0 * 1000.0 / 9600.0;
}

}  // namespace qamp::bench
