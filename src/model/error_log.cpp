#include "model/error_log.h"

#include <array>
#include <cstdio>

namespace qamp {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Control bytes are written as their names with the payload in quotes.
std::string Readable(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '\x02':
        out += "STX, \"";
        break;
      case '\x12':
        out += "DC2, \"";
        break;
      case '\x14':
        out += "DC4, \"";
        break;
      case '\x03':
        out += "\", ETX  ";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

}  // namespace

CErrorLog::CErrorLog(LogSink& sink, Clock clock, Describer describer)
    : sink_(sink), clock_(std::move(clock)), describer_(std::move(describer)) {}

std::string CErrorLog::FormatElapsed(int64_t seconds) {
  if (seconds < 0) seconds = 0;
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%02d'%02d\"", static_cast<int>((seconds / 60) % 60),
                static_cast<int>(seconds % 60));
  return text.data();
}

void CErrorLog::StartOperationLog() {
  const LogTime now = clock_();
  startSeconds_ = now.seconds;
  failedCommands_ = 0;
  if (open_) return;
  if (!sink_.Create()) return;
  open_ = true;
  WriteErrorLog("StartTime :" + now.formatted, kEndMarkerCode);
}

void CErrorLog::WriteErrorLog(std::string_view text, ParamId id) {
  if (!open_) return;
  std::string line;
  if (id != kEndMarkerCode) {
    ++failedCommands_;
    std::string section;
    std::string key;
    if (describer_ && describer_(id, section, key) && !section.empty()) {
      line = section + " " + key + "\t";
    } else {
      line = " \t";
    }
  }
  line += Readable(text);
  line += kLineEnd;
  sink_.Append(line);
}

void CErrorLog::EndOperationLog() {
  if (!open_) return;
  const LogTime now = clock_();
  WriteErrorLog("EndTime :" + now.formatted, kEndMarkerCode);
  WriteErrorLog("Total :" + FormatElapsed(now.seconds - startSeconds_), kEndMarkerCode);
  sink_.Close();
  open_ = false;
}

}  // namespace qamp
