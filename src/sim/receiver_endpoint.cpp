#include "sim/receiver_endpoint.h"

#include <algorithm>
#include <cmath>

namespace qamp::sim {

ReceiverEndpoint::ReceiverEndpoint(CSimulatedReceiver& receiver, Scheduler& scheduler, Send send,
                                   Vanish vanish)
    : receiver_(receiver),
      scheduler_(scheduler),
      send_(std::move(send)),
      vanish_(std::move(vanish)) {}

ReceiverEndpoint::~ReceiverEndpoint() {
  ++*generation_;
}

void ReceiverEndpoint::Reset() {
  ++*generation_;
}

int64_t ReceiverEndpoint::WireMs(size_t bytes) const {
  if (!receiver_.Options().wireTime) return 0;
  return static_cast<int64_t>(
      std::ceil(static_cast<double>(bytes) * CSimulatedReceiver::WireMsPerByte()));
}

void ReceiverEndpoint::FromLink(std::string_view bytes) {
  // The receiver has the characters when the last one has arrived.
  const int64_t now = scheduler_.NowMs();
  toReceiverFreeAt_ = std::max(now, toReceiverFreeAt_) + WireMs(bytes.size());
  std::weak_ptr<uint64_t> token = generation_;
  const uint64_t generation = *generation_;
  scheduler_.Schedule(
      toReceiverFreeAt_ - now, [this, token, generation, text = std::string(bytes)] {
        const auto alive = token.lock();
        if (!alive || *alive != generation) return;
        SimOutput output = receiver_.Receive(text);
        if (output.vanished) {
          ++*generation_;
          if (vanish_) vanish_();
          return;
        }
        const int64_t arrived = scheduler_.NowMs();
        for (Emission& emission : output.emissions) {
          const int64_t begin = std::max(arrived + emission.delayMs, toLinkFreeAt_);
          toLinkFreeAt_ = begin + WireMs(emission.bytes.size());
          scheduler_.Schedule(toLinkFreeAt_ - arrived,
                              [this, token, generation, out = std::move(emission.bytes)]() mutable {
                                const auto stillAlive = token.lock();
                                if (!stillAlive || *stillAlive != generation) return;
                                send_(std::move(out));
                              });
        }
      });
}

}  // namespace qamp::sim
