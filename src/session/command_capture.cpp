#include "session/command_capture.h"

namespace qamp {

CommandCapture::CommandCapture(ControlMode mode, int regionCode) : link_(transport_, host_) {
  host_.SetLink(&link_);
  link_.SetMode(mode);
  link_.SetRegionCode(regionCode);
  for (int slot = 0; slot < kImageSlots; ++slot) link_.ResetImage(slot);
  std::string error;
  transport_.Open("capture", error);
  link_.MarkReady();
}

std::vector<std::string> CommandCapture::Frames() const {
  std::vector<std::string> frames = transport_.written;
  const auto& queue = link_.Queue();
  // The first entry went out with the end marker; the rest wait for answers.
  for (size_t i = 1; i < queue.size(); ++i) {
    if (queue[i].tries < kDoneTries) frames.push_back(queue[i].text);
  }
  return frames;
}

std::vector<std::pair<std::string, ParamId>> CommandCapture::QueuedWithCodes() const {
  std::vector<std::pair<std::string, ParamId>> entries;
  for (const CCommClass::QueueEntry& entry : link_.Queue())
    entries.emplace_back(entry.text, entry.code);
  return entries;
}

void CommandCapture::Clear() {
  transport_.written.clear();
  link_.ClearQueue();
  host_.Reset();
}

}  // namespace qamp
