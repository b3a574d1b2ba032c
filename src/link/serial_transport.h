// What the link needs of a port. Implementations: QSerialPort (real ports and
// pseudo terminals), raw TCP, and an in-process pipe to the simulator.
#pragma once

#include <string>
#include <string_view>

namespace qamp {

class TransportListener {
 public:
  virtual ~TransportListener() = default;
  // Characters are waiting; the link takes them with ReadAvailable.
  virtual void DataArrived() = 0;
  // The port failed while open (device unplugged, the other end gone). The
  // transport has already closed itself.
  virtual void PortFailed(std::string_view reason) = 0;
};

class SerialTransport {
 public:
  virtual ~SerialTransport() = default;
  void SetListener(TransportListener* listener) { listener_ = listener; }

  // Opens the device exclusively with 9600 baud, 8 data bits, no parity, one
  // stop bit and RTS/CTS handshake. On failure `error` says what went wrong
  // and how to fix it, naming the device.
  virtual bool Open(std::string_view device, std::string& error) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Hands a complete frame to the port; false when it cannot be written.
  virtual bool Write(std::string_view bytes) = 0;
  // Takes every character that is waiting.
  virtual std::string ReadAvailable() = 0;
  // The clear-to-send line: a receiver at the other end of an attached cable
  // holds it on. Where the line cannot be read, it counts as on.
  virtual bool IsCtsOn() = 0;

 protected:
  TransportListener* listener_ = nullptr;
};

}  // namespace qamp
