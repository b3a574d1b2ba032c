// A transport wrapper for the benchmarks: counts every frame written with
// the pause it needs, and the characters both ways.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>

#include "link/serial_transport.h"

namespace qamp::bench {

// Counts every frame written and its pause, and the characters both ways.
class MeasuringTransport : public SerialTransport, public TransportListener {
 public:
  explicit MeasuringTransport(SerialTransport& inner) : inner_(inner) { inner_.SetListener(this); }
  bool Open(std::string_view device, std::string& error) override {
    return inner_.Open(device, error);
  }
  void Close() override { inner_.Close(); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  bool Write(std::string_view bytes) override {
    CloseFrame();
    ++frames;
    framePauseMs_ = !bytes.empty() && bytes.front() == '\x02' ? 50 : 150;
    if (extraPauseOf) {
      const int extra = extraPauseOf(bytes);
      framePauseMs_ += extra;
      waitsMs += extra;
    }
    pausesMs += framePauseMs_;
    frameChars_ = static_cast<double>(bytes.size());
    bytesOut += static_cast<double>(bytes.size());
    return inner_.Write(bytes);
  }
  std::string ReadAvailable() override {
    std::string data = inner_.ReadAvailable();
    bytesIn += static_cast<double>(data.size());
    frameChars_ += static_cast<double>(data.size());
    return data;
  }
  bool IsCtsOn() override { return inner_.IsCtsOn(); }
  void DataArrived() override {
    if (listener_ != nullptr) listener_->DataArrived();
  }
  void PortFailed(std::string_view reason) override {
    if (listener_ != nullptr) listener_->PortFailed(reason);
  }

  // The pacing floor of the conversation so far: a frame goes out only when
  // the previous frame's pause has ended and its answer has come in, and the
  // pause runs while the characters are on the wire, so each frame costs at
  // least the longer of its pause and its round trip at 9600 baud (10 bits
  // a character, both ways).
  double FloorMs() const { return floorMs_ + FrameFloorMs(); }
  // The looser floor that counts the pauses and every character both ways
  // one after the other, as if no pause ran while characters were moving.
  double SerialFloorMs() const { return pausesMs + (bytesOut + bytesIn) * kMsPerChar; }

  // Starts the count again, for the next conversation.
  void Reset() {
    frames = 0;
    pausesMs = waitsMs = bytesOut = bytesIn = 0;
    framePauseMs_ = frameChars_ = floorMs_ = 0;
  }

  // Where set, the longer pause a frame asks for ("@WAIT" behind it in
  // the queue), in milliseconds beyond its own.
  std::function<int(std::string_view)> extraPauseOf;
  int frames = 0;
  // Every pause, the longer ones included; and those longer parts alone.
  double pausesMs = 0;
  double waitsMs = 0;
  double bytesOut = 0;
  double bytesIn = 0;

 private:
  static constexpr double kMsPerChar = 10.0 * 1000.0 / 9600.0;
  double FrameFloorMs() const {
    return frames == 0 ? 0.0 : std::max(framePauseMs_, frameChars_ * kMsPerChar);
  }
  void CloseFrame() {
    floorMs_ += FrameFloorMs();
    frameChars_ = 0;
  }

  SerialTransport& inner_;
  double framePauseMs_ = 0;
  double frameChars_ = 0;
  double floorMs_ = 0;
};

inline double PacingFloorMs(const MeasuringTransport& transport) {
  return transport.FloorMs();
}

}  // namespace qamp::bench
