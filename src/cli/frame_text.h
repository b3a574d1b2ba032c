// Frames written on the command line: control bytes as <STX>, <ETX>, <DC2>,
// <DC4> (or <0xNN>), or as \x02-style escapes.
#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <optional>
#include <string>
#include <string_view>

namespace qamp::cli {

// The frame bytes, or nothing when an escape is malformed (error says which).
std::optional<std::string> ParseFrameText(std::string_view text, std::string& error);

// A frame or text as a JSON string: the control bytes of frames as in
// ShowFrame, bytes above 127 as the Latin-1 character.
QJsonValue JsonText(std::string_view text);
// One JSON object on one line, for scripts that read line by line.
std::string JsonLine(const QJsonObject& object);

// Latin-1 bytes as UTF-8, control bytes shown as <0xNN>: texts from the
// receiver or from a file can never drive the terminal.
std::string PrintableText(std::string_view text);
// The same for a text of several lines: line breaks and tabs are kept.
std::string PrintableLines(std::string_view text);

}  // namespace qamp::cli
