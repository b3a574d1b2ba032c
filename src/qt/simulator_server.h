// The simulated receiver served to another process: on a pseudo terminal
// (a serial device path for the other side) or on a TCP port of 127.0.0.1.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>
#include <string>

#include "qt/qt_timers.h"
#include "sim/receiver_endpoint.h"

namespace qamp {

class PtySimulatorServer : public QObject {
 public:
  explicit PtySimulatorServer(sim::CSimulatedReceiver& receiver);
  ~PtySimulatorServer() override;
  // Opens the pseudo terminal; `devicePath` is what the other side opens.
  bool Start(std::string& devicePath, std::string& error);
  // Closes both ends, as a pulled adapter would.
  void Vanish();

 private:
  void ReadFromLink();
  void SendToLink(const std::string& bytes);

  sim::CSimulatedReceiver& receiver_;
  QtScheduler scheduler_;
  sim::ReceiverEndpoint endpoint_;
  int master_ = -1;
  int slave_ = -1;
  std::unique_ptr<QSocketNotifier> readNotifier_;
  std::unique_ptr<QSocketNotifier> writeNotifier_;
  std::string outgoing_;
};

class TcpSimulatorServer : public QObject {
 public:
  explicit TcpSimulatorServer(sim::CSimulatedReceiver& receiver);
  bool Start(int port, std::string& error);
  int Port() const { return server_.serverPort(); }

 private:
  sim::CSimulatedReceiver& receiver_;
  QtScheduler scheduler_;
  sim::ReceiverEndpoint endpoint_;
  QTcpServer server_;
  QTcpSocket* client_ = nullptr;
};

}  // namespace qamp
