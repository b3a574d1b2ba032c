#include "model/image_dump.h"

#include <array>
#include <cstdio>

#include "model/parameter_map.h"
#include "model/parameter_store.h"

namespace qamp {

namespace {

// Texts are 8-bit: bytes above 127 are Latin-1 and written as UTF-8;
// control bytes, quotes and backslashes are escaped.
std::string QuotedText(const std::string& text) {
  std::string out = "\"";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(ch);
    } else if (c < 0x20 || c == 0x7F) {
      std::array<char, 8> escaped{};
      std::snprintf(escaped.data(), escaped.size(), "\\x%02X", c);
      out += escaped.data();
    } else if (c >= 0x80) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(ch);
    }
  }
  return out + "\"";
}

}  // namespace

std::string DumpImage(const CSettingImage& image) {
  std::string dump;
  for (ParamId id = kFirstParamId; id <= kLastParamId; ++id) {
    const ParamLocation location = LocateParam(id);
    switch (location.type) {
      case ParamLocation::Type::kWord:
        dump += std::to_string(id) + "=" + std::to_string(image[location.word]) + "\n";
        break;
      case ParamLocation::Type::kText:
        dump += std::to_string(id) + "=" + QuotedText(ReadText(image, id)) + "\n";
        break;
      case ParamLocation::Type::kGeqRecord:
      case ParamLocation::Type::kPeqRecord: {
        if (id == kGeqKeyId || id == kPeqKeyId) break;
        const ParamId keyId =
            location.type == ParamLocation::Type::kGeqRecord ? kGeqKeyId : kPeqKeyId;
        for (int record = 0; record < kKeyedRecordCount; ++record) {
          dump += std::to_string(id) + "[" +
                  std::to_string(ReadRecordParameter(image, keyId, record)) +
                  "]=" + std::to_string(ReadRecordParameter(image, id, record)) + "\n";
        }
        break;
      }
      case ParamLocation::Type::kNone:
        break;
    }
  }
  return dump;
}

}  // namespace qamp
