#include "qt/qt_serial_transport.h"

#include <QFileInfo>

namespace qamp {

QtSerialTransport::QtSerialTransport() {
  QObject::connect(&port_, &QSerialPort::readyRead, this, [this] {
    if (listener_ != nullptr) listener_->DataArrived();
  });
  QObject::connect(&port_, &QSerialPort::errorOccurred, this,
                   [this](QSerialPort::SerialPortError error) { OnError(error); });
}

QtSerialTransport::~QtSerialTransport() {
  QObject::disconnect(&port_, nullptr, this, nullptr);
  if (port_.isOpen()) port_.close();
}

std::string DescribeOpenFailure(const std::string& device, QSerialPort::SerialPortError error,
                                const QString& detail) {
  const QFileInfo info(QString::fromStdString(device));
  switch (error) {
    case QSerialPort::DeviceNotFoundError:
      return "There is no serial device " + device +
             ". Check that the cable or USB adapter is plugged in and the device name is right "
             "(for example /dev/ttyUSB0).";
    case QSerialPort::PermissionError:
      if (info.exists() && (!info.isReadable() || !info.isWritable())) {
        const std::string group =
            info.group().isEmpty() ? std::string("dialout") : info.group().toStdString();
        return "Permission denied opening " + device +
               ". Add your user to the group that owns it ('" + group + "'): sudo usermod -aG " +
               group + " $USER, then log out and in again.";
      }
      return device + " is in use by another program. Close that program, or choose another port.";
    default:
      return "Cannot open " + device + ": " + detail.toStdString();
  }
}

bool QtSerialTransport::Open(std::string_view device, std::string& error) {
  device_ = std::string(device);
  port_.setPortName(QString::fromStdString(device_));
  port_.clearError();
  // QSerialPort opens exclusively: a second open of the same device is
  // refused through its lock file.
  if (!port_.open(QIODevice::ReadWrite)) {
    error = DescribeOpenFailure(device_, port_.error(), port_.errorString());
    return false;
  }
  const bool configured =
      port_.setBaudRate(QSerialPort::Baud9600) && port_.setDataBits(QSerialPort::Data8) &&
      port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
      port_.setFlowControl(QSerialPort::HardwareControl);
  if (!configured) {
    error = "Cannot set 9600 baud, 8 data bits, no parity, one stop bit and RTS/CTS on " + device_ +
            ": " + port_.errorString().toStdString();
    port_.close();
    return false;
  }
  return true;
}

void QtSerialTransport::Close() {
  if (port_.isOpen()) port_.close();
}

bool QtSerialTransport::Write(std::string_view bytes) {
  if (!port_.isOpen()) return false;
  const qint64 written = port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
  return written == static_cast<qint64>(bytes.size());
}

std::string QtSerialTransport::ReadAvailable() {
  const QByteArray data = port_.readAll();
  return std::string(data.constData(), static_cast<size_t>(data.size()));
}

bool QtSerialTransport::IsCtsOn() {
  const QSerialPort::PinoutSignals signalsNow = port_.pinoutSignals();
  if (port_.error() != QSerialPort::NoError) {
    // A pseudo terminal (and some adapters) cannot report the modem lines:
    // the error sticks until cleared. CTS is then unknown, and unknown
    // counts as present, so that a missing line never fails a transfer.
    port_.clearError();
    return true;
  }
  return (signalsNow & QSerialPort::ClearToSendSignal) != 0;
}

void QtSerialTransport::OnError(QSerialPort::SerialPortError error) {
  // When the other end hangs up or the adapter is pulled, QSerialPort keeps
  // reporting read errors while it stays open: close it once and end the
  // operation as a failure.
  if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError &&
      error != QSerialPort::WriteError) {
    return;
  }
  if (!port_.isOpen()) return;
  const std::string reason = device_ + ": " + port_.errorString().toStdString();
  port_.close();
  port_.clearError();
  if (listener_ != nullptr) listener_->PortFailed(reason);
}

}  // namespace qamp
