// A trace of everything that crosses the port: every frame written and
// received, one per line with the time since the trace began and its
// direction, and the port's opens, closes and failures. `TracingTransport`
// wraps the transport the link uses, so neither the link nor the ports
// know about it; where the lines go is the front end's business.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "link/serial_transport.h"

namespace qamp {

class TraceSink {
 public:
  virtual ~TraceSink() = default;
  // One line without its line end.
  virtual void TraceLine(std::string_view line) = 0;
};

// The bytes of a frame as a trace shows them: the frame bytes by name
// (<STX>, <ETX>, <DC2>, <DC4>), every other control byte and every byte
// above 0x7E as <0xNN>, the rest as they are.
std::string TraceBytes(std::string_view bytes);

// "  1234.500 > <STX>20000<ETX>": the milliseconds with three decimals,
// right-aligned in ten columns, the direction ('>' written to the port,
// '<' received from it, '*' an event of the port) and the text.
std::string TraceLineText(double milliseconds, char direction, std::string_view text);

class TracingTransport : public SerialTransport, public TransportListener {
 public:
  // `nowMs` is a monotonic clock in milliseconds; the trace counts from its
  // reading when the trace is made.
  TracingTransport(SerialTransport& inner, TraceSink& sink, std::function<double()> nowMs);
  ~TracingTransport() override;

  bool Open(std::string_view device, std::string& error) override;
  void Close() override;
  bool IsOpen() const override { return inner_.IsOpen(); }
  bool Write(std::string_view bytes) override;
  std::string ReadAvailable() override;
  bool IsCtsOn() override { return inner_.IsCtsOn(); }

  // A line of the program's own, as an event of the port.
  void Note(std::string_view text) { Emit('*', TraceBytes(text)); }

  void DataArrived() override;
  void PortFailed(std::string_view reason) override;

 private:
  double Elapsed() const;
  void Emit(char direction, std::string_view text);
  // Received characters are written a frame at a time, when its ETX came.
  void TakeReceived(std::string_view bytes);
  void FlushReceived(std::string_view why);

  SerialTransport& inner_;
  TraceSink& sink_;
  std::function<double()> nowMs_;
  double start_;
  std::string device_;
  std::string pending_;  // received bytes of a frame whose ETX has not come
};

}  // namespace qamp
