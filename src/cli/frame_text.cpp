#include "cli/frame_text.h"

#include <array>
#include <cstdio>

#include "link/decode_report.h"
#include "link/wire_format.h"

namespace qamp::cli {

namespace {

struct NamedByte {
  std::string_view name;
  char byte;
};
constexpr std::array<NamedByte, 4> kNamedBytes = {
    {{"<STX>", kStx}, {"<ETX>", kEtx}, {"<DC2>", kDc2}, {"<DC4>", kDc4}}};

void AppendUtf8(std::string& out, unsigned char c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

std::optional<std::string> ParseFrameText(std::string_view text, std::string& error) {
  std::string frame;
  size_t i = 0;
  while (i < text.size()) {
    const std::string_view rest = text.substr(i);
    bool matched = false;
    for (const NamedByte& named : kNamedBytes) {
      if (rest.starts_with(named.name)) {
        frame.push_back(named.byte);
        i += named.name.size();
        matched = true;
        break;
      }
    }
    if (matched) continue;
    int value = 0;
    if (rest.starts_with("<0x") && rest.size() >= 6 && rest[5] == '>' &&
        ParseHex(rest.substr(3, 2), value)) {
      frame.push_back(static_cast<char>(value));
      i += 6;
      continue;
    }
    if (rest.front() == '\\') {
      if (rest.size() >= 4 && (rest[1] == 'x' || rest[1] == 'X') &&
          ParseHex(rest.substr(2, 2), value)) {
        frame.push_back(static_cast<char>(value));
        i += 4;
        continue;
      }
      if (rest.size() >= 2 && rest[1] == '\\') {
        frame.push_back('\\');
        i += 2;
        continue;
      }
      error = "malformed escape at character " + std::to_string(i + 1) +
              " (write control bytes as <STX>, <ETX>, <DC2>, <DC4> or \\x02)";
      return std::nullopt;
    }
    frame.push_back(rest.front());
    ++i;
  }
  return frame;
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    switch (ch) {
      case kStx:
        out += "<STX>";
        continue;
      case kEtx:
        out += "<ETX>";
        continue;
      case kDc2:
        out += "<DC2>";
        continue;
      case kDc4:
        out += "<DC4>";
        continue;
      case '"':
        out += "\\\"";
        continue;
      case '\\':
        out += "\\\\";
        continue;
      default:
        break;
    }
    if (c < 0x20 || c == 0x7F) {
      std::array<char, 8> buffer{};
      std::snprintf(buffer.data(), buffer.size(), "\\u%04x", c);
      out += buffer.data();
    } else {
      AppendUtf8(out, c);
    }
  }
  out += "\"";
  return out;
}

namespace {

std::string Printable(std::string_view text, bool keepLines) {
  std::string out;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (keepLines && (c == '\r' || c == '\n' || c == '\t')) {
      out.push_back(ch);
    } else if (c < 0x20 || c == 0x7F) {
      out += ShowFrame(std::string_view(&ch, 1));
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

}  // namespace

std::string PrintableText(std::string_view text) {
  return Printable(text, false);
}
std::string PrintableLines(std::string_view text) {
  return Printable(text, true);
}

}  // namespace qamp::cli
