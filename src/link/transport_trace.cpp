#include "link/transport_trace.h"

#include <cstdio>

namespace qamp {

std::string TraceBytes(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() + 16);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    switch (byte) {
      case 0x02:
        text += "<STX>";
        break;
      case 0x03:
        text += "<ETX>";
        break;
      case 0x12:
        text += "<DC2>";
        break;
      case 0x14:
        text += "<DC4>";
        break;
      default:
        if (byte < 0x20 || byte > 0x7E) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "<0x%02X>", byte);
          text += hex;
        } else {
          text.push_back(c);
        }
    }
  }
  return text;
}

std::string TraceLineText(double milliseconds, char direction, std::string_view text) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%10.3f %c ", milliseconds, direction);
  return stamp + std::string(text);
}

TracingTransport::TracingTransport(SerialTransport& inner, TraceSink& sink,
                                   std::function<double()> nowMs)
    : inner_(inner), sink_(sink), nowMs_(std::move(nowMs)), start_(nowMs_()) {
  inner_.SetListener(this);
}

TracingTransport::~TracingTransport() {
  inner_.SetListener(nullptr);
}

double TracingTransport::Elapsed() const {
  return nowMs_() - start_;
}

void TracingTransport::Emit(char direction, std::string_view text) {
  sink_.TraceLine(TraceLineText(Elapsed(), direction, text));
}

bool TracingTransport::Open(std::string_view device, std::string& error) {
  device_ = std::string(device);
  pending_.clear();
  if (!inner_.Open(device, error)) {
    Emit('*', "open " + TraceBytes(device) + " failed: " + TraceBytes(error));
    return false;
  }
  Emit('*', "open " + TraceBytes(device));
  return true;
}

void TracingTransport::Close() {
  const bool wasOpen = inner_.IsOpen();
  if (wasOpen) TakeReceived(inner_.ReadAvailable());
  inner_.Close();
  if (!wasOpen) return;
  FlushReceived("at the close");
  Emit('*', "close " + TraceBytes(device_));
}

bool TracingTransport::Write(std::string_view bytes) {
  const bool written = inner_.Write(bytes);
  // The link writes a frame at a time; a write of several is split.
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\x03', start);
    end = end == std::string_view::npos ? bytes.size() : end + 1;
    Emit('>', TraceBytes(bytes.substr(start, end - start)) + (written ? "" : " (not written)"));
    start = end;
  }
  return written;
}

std::string TracingTransport::ReadAvailable() {
  std::string bytes = inner_.ReadAvailable();
  TakeReceived(bytes);
  return bytes;
}

void TracingTransport::TakeReceived(std::string_view bytes) {
  for (const char c : bytes) {
    pending_.push_back(c);
    if (c == '\x03') {
      Emit('<', TraceBytes(pending_));
      pending_.clear();
    }
  }
}

void TracingTransport::FlushReceived(std::string_view why) {
  if (pending_.empty()) return;
  Emit('<', TraceBytes(pending_) + " (no ETX " + std::string(why) + ")");
  pending_.clear();
}

void TracingTransport::DataArrived() {
  if (listener_ != nullptr) listener_->DataArrived();
}

void TracingTransport::PortFailed(std::string_view reason) {
  FlushReceived("when the port failed");
  Emit('*', "port " + TraceBytes(device_) + " failed: " + TraceBytes(reason));
  if (listener_ != nullptr) listener_->PortFailed(reason);
}

}  // namespace qamp
