// A serial line behind a network serial server: raw bytes over TCP. The
// device name is "tcp:HOST:PORT".
#pragma once

#include <QObject>
#include <QTcpSocket>

#include "link/serial_transport.h"

namespace qamp {

class TcpTransport : public QObject, public SerialTransport {
 public:
  TcpTransport();
  ~TcpTransport() override;

  static bool IsTcpDevice(std::string_view device) { return device.starts_with("tcp:"); }

  bool Open(std::string_view device, std::string& error) override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  bool Write(std::string_view bytes) override;
  std::string ReadAvailable() override;
  // A network serial server does not pass the modem lines on.
  bool IsCtsOn() override { return true; }

 private:
  void Fail(const std::string& reason);

  QTcpSocket socket_;
  bool open_ = false;
  std::string device_;
};

}  // namespace qamp
