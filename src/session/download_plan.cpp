#include "session/download_plan.h"

namespace qamp {

namespace {

std::string Grouped(int number) {
  std::string digits = std::to_string(number);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<size_t>(at), ",");
  return digits;
}

}  // namespace

std::string RoughDuration(int milliseconds) {
  if (milliseconds < 1000) return "under a second";
  const int seconds = (milliseconds + 500) / 1000;
  if (seconds < 100) return "about " + std::to_string(seconds) + " s";
  return "about " + std::to_string((seconds + 30) / 60) + " min";
}

std::string DownloadPlan::Summary() const {
  return Grouped(commands) + (commands == 1 ? " command, " : " commands, ") +
         RoughDuration(milliseconds);
}

}  // namespace qamp
