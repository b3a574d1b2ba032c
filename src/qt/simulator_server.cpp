#include "qt/simulator_server.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace qamp {

PtySimulatorServer::PtySimulatorServer(sim::CSimulatedReceiver& receiver)
    : receiver_(receiver),
      endpoint_(
          receiver, scheduler_, [this](const std::string& bytes) { SendToLink(bytes); },
          [this] { Vanish(); }) {}

PtySimulatorServer::~PtySimulatorServer() {
  readNotifier_.reset();
  writeNotifier_.reset();
  if (master_ >= 0) ::close(master_);
  if (slave_ >= 0) ::close(slave_);
}

bool PtySimulatorServer::Start(std::string& devicePath, std::string& error) {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
    error = std::string("cannot create a pseudo terminal: ") + std::strerror(errno);
    return false;
  }
  std::array<char, 128> name{};
  if (::ptsname_r(master_, name.data(), name.size()) != 0) {
    error = std::string("cannot name the pseudo terminal: ") + std::strerror(errno);
    return false;
  }
  devicePath = name.data();
  // Keeping the other end open ourselves keeps the terminal alive while no
  // client has it open, and makes it raw so that nothing is echoed back.
  slave_ = ::open(name.data(), O_RDWR | O_NOCTTY);
  if (slave_ >= 0) {
    termios settings{};
    if (::tcgetattr(slave_, &settings) == 0) {
      ::cfmakeraw(&settings);
      ::cfsetispeed(&settings, B9600);
      ::cfsetospeed(&settings, B9600);
      ::tcsetattr(slave_, TCSANOW, &settings);
    }
  }
  readNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
  QObject::connect(readNotifier_.get(), &QSocketNotifier::activated, this,
                   [this] { ReadFromLink(); });
  writeNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Write);
  writeNotifier_->setEnabled(false);
  QObject::connect(writeNotifier_.get(), &QSocketNotifier::activated, this,
                   [this] { SendToLink({}); });
  return true;
}

void PtySimulatorServer::ReadFromLink() {
  std::array<char, 512> buffer{};
  for (;;) {
    const ssize_t count = ::read(master_, buffer.data(), buffer.size());
    if (count <= 0) break;
    endpoint_.FromLink(std::string_view(buffer.data(), static_cast<size_t>(count)));
  }
}

void PtySimulatorServer::SendToLink(const std::string& bytes) {
  if (master_ < 0) return;
  outgoing_ += bytes;
  while (!outgoing_.empty()) {
    const ssize_t count = ::write(master_, outgoing_.data(), outgoing_.size());
    if (count <= 0) break;
    outgoing_.erase(0, static_cast<size_t>(count));
  }
  writeNotifier_->setEnabled(!outgoing_.empty());
}

void PtySimulatorServer::Vanish() {
  endpoint_.Reset();
  readNotifier_.reset();
  writeNotifier_.reset();
  if (master_ >= 0) ::close(master_);
  if (slave_ >= 0) ::close(slave_);
  master_ = slave_ = -1;
}

TcpSimulatorServer::TcpSimulatorServer(sim::CSimulatedReceiver& receiver)
    : receiver_(receiver),
      endpoint_(
          receiver, scheduler_,
          [this](std::string bytes) {
            if (client_ != nullptr) client_->write(bytes.data(), static_cast<qint64>(bytes.size()));
          },
          [this] {
            if (client_ != nullptr) client_->abort();
          }) {
  QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
    QTcpSocket* next = server_.nextPendingConnection();
    if (next == nullptr) return;
    // One line, one client: a new connection replaces the old one.
    if (client_ != nullptr) client_->deleteLater();
    client_ = next;
    endpoint_.Reset();
    QObject::connect(client_, &QTcpSocket::readyRead, this, [this, next] {
      const QByteArray data = next->readAll();
      if (next == client_)
        endpoint_.FromLink(std::string_view(data.constData(), static_cast<size_t>(data.size())));
    });
    QObject::connect(client_, &QTcpSocket::disconnected, this, [this, next] {
      if (next == client_) client_ = nullptr;
      next->deleteLater();
    });
  });
}

bool TcpSimulatorServer::Start(int port, std::string& error) {
  if (!server_.listen(QHostAddress::LocalHost, static_cast<quint16>(port))) {
    error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " +
            server_.errorString().toStdString();
    return false;
  }
  return true;
}

}  // namespace qamp
