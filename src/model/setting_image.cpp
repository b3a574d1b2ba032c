#include "model/setting_image.h"

#include <algorithm>
#include <cstring>

namespace qamp {

namespace {
// Texts are bytes laid over the words; access through unsigned char keeps the
// aliasing rules and makes the layout independent of the words' byte order
// only in the sense that texts are always read and written the same way.
size_t ByteIndex(int firstWord, int byteOffset) {
  return static_cast<size_t>(firstWord) * sizeof(int32_t) + static_cast<size_t>(byteOffset);
}
}  // namespace

std::string CSettingImage::Text(int firstWord, int byteOffset, int width) const {
  const auto* bytes = reinterpret_cast<const unsigned char*>(words_.data());
  const size_t start = ByteIndex(firstWord, byteOffset);
  const size_t limit = std::min(start + static_cast<size_t>(width), sizeof(words_));
  std::string text;
  for (size_t i = start; i < limit && bytes[i] != 0; ++i)
    text.push_back(static_cast<char>(bytes[i]));
  return text;
}

void CSettingImage::SetText(int firstWord, int byteOffset, int width, std::string_view text) {
  auto* bytes = reinterpret_cast<unsigned char*>(words_.data());
  const size_t start = ByteIndex(firstWord, byteOffset);
  if (width <= 0 || start + static_cast<size_t>(width) > sizeof(words_)) return;
  // The stored string ends at its first NUL, as a C string would; a longer
  // text is cut to the field's width less one so that the NUL always fits.
  const size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  const size_t length = std::min(text.size(), static_cast<size_t>(width - 1));
  std::memcpy(bytes + start, text.data(), length);
  std::memset(bytes + start + length, 0, static_cast<size_t>(width) - length);
}

}  // namespace qamp
