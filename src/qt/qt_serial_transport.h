// A serial port (or pseudo terminal) through QSerialPort.
#pragma once

#include <QObject>
#include <QSerialPort>

#include "link/serial_transport.h"

namespace qamp {

class QtSerialTransport : public QObject, public SerialTransport {
 public:
  QtSerialTransport();
  ~QtSerialTransport() override;

  bool Open(std::string_view device, std::string& error) override;
  void Close() override;
  bool IsOpen() const override { return port_.isOpen(); }
  bool Write(std::string_view bytes) override;
  std::string ReadAvailable() override;
  bool IsCtsOn() override;

 private:
  void OnError(QSerialPort::SerialPortError error);

  QSerialPort port_;
  std::string device_;
};

// What went wrong opening a device, with the fix, naming the device.
std::string DescribeOpenFailure(const std::string& device, QSerialPort::SerialPortError error,
                                const QString& detail);

}  // namespace qamp
