// What the fuzz targets share: a checked invariant that stops the run, and a
// reader that takes the input from the front, byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// A broken invariant ends the run with a trap, which libFuzzer reports as a
// crash and saves the input for.
#define QAMP_FUZZ_CHECK(condition)                                                             \
  do {                                                                                         \
    if (!(condition)) {                                                                        \
      std::fprintf(stderr, "invariant broken at %s:%d: %s\n", __FILE__, __LINE__, #condition); \
      __builtin_trap();                                                                        \
    }                                                                                          \
  } while (false)

namespace qamp::fuzz {

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool Empty() const { return position_ >= size_; }
  size_t Remaining() const { return size_ - position_; }
  // The next byte, or `fallback` when the input has ended.
  uint8_t Byte(uint8_t fallback = 0) { return Empty() ? fallback : data_[position_++]; }
  uint16_t Word() {
    const uint16_t high = Byte();
    return static_cast<uint16_t>(high << 8 | Byte());
  }
  // Up to `count` bytes as characters.
  std::string Take(size_t count) {
    const size_t taken = count < Remaining() ? count : Remaining();
    std::string text(reinterpret_cast<const char*>(data_ + position_), taken);
    position_ += taken;
    return text;
  }
  std::string Rest() { return Take(Remaining()); }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace qamp::fuzz
