// The simulated receiver at the end of a wire: characters from the link
// reach it after their time on the wire, and its answers leave one after the
// other at 9600 baud. Used by the in-process port and by the servers that
// put the receiver on a pseudo terminal or a TCP port.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "sim/scheduler.h"
#include "sim/simulated_receiver.h"

namespace qamp::sim {

class ReceiverEndpoint {
 public:
  using Send = std::function<void(std::string bytes)>;
  using Vanish = std::function<void()>;

  ReceiverEndpoint(CSimulatedReceiver& receiver, Scheduler& scheduler, Send send, Vanish vanish);
  ~ReceiverEndpoint();

  // Characters the link wrote, handed over when writing started.
  void FromLink(std::string_view bytes);
  // Forgets everything in flight (the line was closed).
  void Reset();

 private:
  int64_t WireMs(size_t bytes) const;

  CSimulatedReceiver& receiver_;
  Scheduler& scheduler_;
  Send send_;
  Vanish vanish_;
  std::shared_ptr<uint64_t> generation_ = std::make_shared<uint64_t>(0);
  int64_t toReceiverFreeAt_ = 0;
  int64_t toLinkFreeAt_ = 0;
};

}  // namespace qamp::sim
