#include "cli/frame_text.h"

#include <QJsonDocument>
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

QJsonValue JsonText(std::string_view text) {
  QString out;
  out.reserve(static_cast<qsizetype>(text.size()));
  for (const char ch : text) {
    bool named = false;
    for (const auto& [name, byte] : kNamedBytes) {
      if (ch != byte) continue;
      out += QLatin1String(name.data(), static_cast<qsizetype>(name.size()));
      named = true;
      break;
    }
    if (!named) out += QChar(static_cast<unsigned char>(ch));
  }
  return out;
}

std::string JsonLine(const QJsonObject& object) {
  return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + "\n";
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
