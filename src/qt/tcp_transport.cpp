#include "qt/tcp_transport.h"

namespace qamp {

TcpTransport::TcpTransport() {
  QObject::connect(&socket_, &QTcpSocket::readyRead, this, [this] {
    if (open_ && listener_ != nullptr) listener_->DataArrived();
  });
  QObject::connect(&socket_, &QTcpSocket::errorOccurred, this,
                   [this](QAbstractSocket::SocketError) {
                     if (open_) Fail(device_ + ": " + socket_.errorString().toStdString());
                   });
  QObject::connect(&socket_, &QTcpSocket::disconnected, this, [this] {
    if (open_) Fail(device_ + ": the serial server closed the connection");
  });
}

TcpTransport::~TcpTransport() {
  QObject::disconnect(&socket_, nullptr, this, nullptr);
  socket_.abort();
}

bool TcpTransport::Open(std::string_view device, std::string& error) {
  if (open_) {
    error = "A port is already open.";
    return false;
  }
  const std::string_view rest = device.substr(4);
  const size_t colon = rest.rfind(':');
  bool ok = false;
  const int port = colon == std::string_view::npos
                       ? 0
                       : QString::fromStdString(std::string(rest.substr(colon + 1))).toInt(&ok);
  if (colon == std::string_view::npos || !ok || port <= 0 || port > 65535) {
    error = "'" + std::string(device) +
            "' is not a network port: write tcp:HOST:PORT, for example tcp:127.0.0.1:4001";
    return false;
  }
  device_ = std::string(device);
  // Connecting does not wait: frames written meanwhile are buffered, and a
  // refused connection ends the operation like a vanished port.
  socket_.connectToHost(QString::fromStdString(std::string(rest.substr(0, colon))),
                        static_cast<quint16>(port));
  open_ = true;
  return true;
}

void TcpTransport::Close() {
  open_ = false;
  socket_.abort();
}

bool TcpTransport::Write(std::string_view bytes) {
  if (!open_) return false;
  return socket_.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
         static_cast<qint64>(bytes.size());
}

std::string TcpTransport::ReadAvailable() {
  const QByteArray data = socket_.readAll();
  return std::string(data.constData(), static_cast<size_t>(data.size()));
}

void TcpTransport::Fail(const std::string& reason) {
  open_ = false;
  socket_.abort();
  if (listener_ != nullptr) listener_->PortFailed(reason);
}

}  // namespace qamp
