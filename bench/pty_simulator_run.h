// What a benchmark over a pseudo terminal needs before it starts: the Qt
// event loop, the simulated receiver (no reply delay) served on a pseudo
// terminal, and a measuring transport over the port router that opens it.
#pragma once

#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <utility>

#include "bench/measuring_transport.h"
#include "qt/port_router.h"
#include "qt/simulator_server.h"
#include "session/receiver_session.h"
#include "sim/simulated_receiver.h"

namespace qamp::bench {

class PtySimulatorRun {
 public:
  explicit PtySimulatorRun(sim::SimOptions options = {})
      : application_(argc_, argv_),
        receiver_(std::move(options)),
        server_(receiver_),
        transport_(router_) {}

  // Opens the pseudo terminal; says why on standard output when it cannot.
  bool Start() {
    std::string error;
    if (server_.Start(device_, error)) return true;
    std::printf("pty: %s\n", error.c_str());
    return false;
  }

  // Points `session` at the pseudo terminal, as the only port there is.
  void Select(CReceiverSession& session) const {
    session.SetPorts({{device_, device_}});
    session.SelectPort(1);
  }

  // What the session writes through: it counts the frames and their pauses.
  MeasuringTransport& Transport() { return transport_; }
  // The receiver behind the pseudo terminal.
  sim::CSimulatedReceiver& Receiver() { return receiver_; }

 private:
  int argc_ = 1;
  char name_[6] = "bench";
  char* argv_[2] = {name_, nullptr};
  QCoreApplication application_;
  sim::CSimulatedReceiver receiver_;
  PtySimulatorServer server_;
  PortRouter router_;
  MeasuringTransport transport_;
  std::string device_;
};

}  // namespace qamp::bench
