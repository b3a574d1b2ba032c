// The simulated receiver behind a line that can lose every answer to one
// chosen frame: the receiver acts on the frame as always, but what it sends
// back is lost until the link writes another frame.
#pragma once

#include <string>
#include <string_view>

#include "sim/sim_transport.h"

namespace qamp::testing {

class LossyTransport : public sim::SimTransport {
 public:
  using sim::SimTransport::SimTransport;

  // The answers to `frame` arrive for its first `answeredSends` sends and
  // are lost for the `lostSends` sends after them.
  void LoseAnswersTo(std::string frame, int answeredSends, int lostSends = 4) {
    lossyFrame_ = std::move(frame);
    answeredSends_ = answeredSends;
    lostSends_ = lostSends;
    sends_ = 0;
  }
  // Sends of the chosen frame whose answers were lost.
  int LostSends() const { return lost_; }

  bool Write(std::string_view bytes) override {
    deaf_ = false;
    if (!lossyFrame_.empty() && bytes == lossyFrame_) {
      deaf_ = sends_ >= answeredSends_ && sends_ < answeredSends_ + lostSends_;
      lost_ += deaf_ ? 1 : 0;
      ++sends_;
    }
    return sim::SimTransport::Write(bytes);
  }
  std::string ReadAvailable() override {
    std::string bytes = sim::SimTransport::ReadAvailable();
    if (deaf_) bytes.clear();
    return bytes;
  }

 private:
  std::string lossyFrame_;
  int answeredSends_ = 0;
  int lostSends_ = 0;
  int sends_ = 0;
  int lost_ = 0;
  bool deaf_ = false;
};

}  // namespace qamp::testing
