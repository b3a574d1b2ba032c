#include "cli/cli_session_host.h"

#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "qt/port_list.h"

namespace qamp::cli {

namespace {

std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

}  // namespace

bool CliPageHost::AskOkCancel(std::string_view text, std::string_view title) {
  if (yes_) {
    err_ << "qampctl: " << title << ": " << OneLine(text) << " (OK, as --yes says)\n";
    return true;
  }
  if (!terminal_) {
    unanswered_ = OneLine(text);
    return false;
  }
  err_ << title << ": " << OneLine(text) << "\nOK? [y/N] " << std::flush;
  std::string answer;
  std::getline(in_, answer);
  const bool ok = answer == "y" || answer == "Y" || answer == "yes";
  if (!ok) declined_ = true;
  return ok;
}

CliSessionHost::CliSessionHost(std::ostream& err, bool terminal, sim::VirtualClock* virtualClock)
    : err_(err),
      terminal_(terminal),
      timers_([this](int timer) {
        if (session_ != nullptr) session_->OnTimer(timer);
      }),
      virtualClock_(virtualClock) {
  monotonic_.start();
  if (virtualClock_ != nullptr) {
    virtualTimers_ = std::make_unique<sim::TimerBank>(*virtualClock_, [this](int timer) {
      if (session_ != nullptr) session_->OnTimer(timer);
    });
  }
}

void CliSessionHost::StartTimer(int timer, int milliseconds) {
  if (virtualTimers_) {
    virtualTimers_->Start(timer, milliseconds);
  } else {
    timers_.Start(timer, milliseconds);
  }
}

void CliSessionHost::KillTimer(int timer) {
  if (virtualTimers_) {
    virtualTimers_->Kill(timer);
  } else {
    timers_.Kill(timer);
  }
}

void CliSessionHost::ShowMessage(std::string_view text, MessageIcon /*icon*/) {
  EndProgress();
  std::string line = session_ != nullptr ? ExplainNoAnswer(text, session_->ConnectionDevices())
                                         : std::string(text);
  for (char& c : line) {
    if (c == '\r') c = ' ';
  }
  err_ << "qampctl: " << line << "\n";
  messageShown_ = true;
}

// What an operation's progress says: an Upload reads the receiver, a
// Download writes it, whichever phase of theirs is running.
std::string CliSessionHost::Caption(std::string_view phase) const {
  if (session_ != nullptr) {
    switch (session_->Link().Job()) {
      case TransferJob::kUpload:
        return "Reading the receiver";
      case TransferJob::kDownload:
        return "Writing the receiver";
      default:
        break;
    }
  }
  return std::string(phase);
}

void CliSessionHost::OpenProgress(std::string caption, int range) {
  if (!showsProgress_) return;
  caption_ = std::move(caption);
  range_ = range;
  shownPercent_ = -1;
  shownSecond_ = -1;
  // Each phase (the connection, the commands) has a line of its own.
  progressStartMs_ = NowMs();
  progressOpen_ = true;
}

int64_t CliSessionHost::NowMs() const {
  return virtualClock_ != nullptr ? virtualClock_->NowMs() : monotonic_.elapsed();
}

void CliSessionHost::InitializeOpened(int range) {
  OpenProgress(Caption("Reading the receiver"), range);
}

void CliSessionHost::InitializeProgress(int position) {
  Progress(position);
}

void CliSessionHost::InitializeClosed() {
  EndProgress();
}

void CliSessionHost::SendingOpened(int range, bool showsProgress, std::string_view caption) {
  if (!showsProgress) return;
  OpenProgress(Caption(caption), range);
  Progress(0);
}

void CliSessionHost::SendingProgress(int position) {
  Progress(position);
}

void CliSessionHost::SendingClosed() {
  EndProgress();
}

std::string ProgressTime(int64_t ms) {
  const int64_t seconds = std::max<int64_t>(0, ms) / 1000;
  char text[32];
  if (seconds >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
  }
  return text;
}

std::string ProgressLine(std::string_view caption, int position, int range, int64_t elapsedMs) {
  constexpr int kWidth = 30;
  const int clamped = range > 0 ? std::clamp(position, 0, range) : 0;
  const int percent = range > 0 ? static_cast<int>(int64_t{clamped} * 100 / range) : 0;
  const int filled = range > 0 ? static_cast<int>(int64_t{clamped} * kWidth / range) : 0;
  std::string left = "--:--";
  if (clamped > 0) {
    left = ProgressTime(elapsedMs * (range - clamped) / clamped);
  }
  char number[8];
  std::snprintf(number, sizeof number, "%3d%%", percent);
  return std::string(caption) + " [" + std::string(static_cast<size_t>(filled), '#') +
         std::string(static_cast<size_t>(kWidth - filled), '-') + "] " + number + "  " +
         ProgressTime(elapsedMs) + " elapsed, " + left + " left";
}

void CliSessionHost::Progress(int position) {
  if (!progressOpen_ || range_ <= 0 || !terminal_) return;
  const int percent = std::min(100, std::max(0, position * 100 / range_));
  const int64_t elapsed = NowMs() - progressStartMs_;
  // Redrawn when the percentage or the second changes, not for every frame.
  if (percent == shownPercent_ && elapsed / 1000 == shownSecond_) return;
  err_ << "\r" << ProgressLine(caption_, position, range_, elapsed) << "\x1b[K" << std::flush;
  shownPercent_ = percent;
  shownSecond_ = elapsed / 1000;
}

void CliSessionHost::EndProgress() {
  if (progressOpen_ && terminal_ && shownPercent_ >= 0) err_ << "\n";
  progressOpen_ = false;
}

void CliSessionHost::OperationEnded(OperationOutcome outcome, std::string_view message) {
  EndProgress();
  outcome_ = outcome;
  lastMessage_ = std::string(message);
  if (virtualClock_ == nullptr) loop_.quit();
}

void CliSessionHost::DownloadPlanChanged(const DownloadPlan& plan, std::string_view why) {
  EndProgress();
  err_ << "qampctl: " << why << " (" << plan.Summary() << ")\n";
}

void CliSessionHost::Wait(int milliseconds) {
  if (virtualClock_ != nullptr) {
    virtualClock_->Advance(milliseconds);
    return;
  }
  QEventLoop quiet;
  QTimer::singleShot(milliseconds, &quiet, &QEventLoop::quit);
  quiet.exec();
}

void CliSessionHost::Interrupt() {
  interrupted_ = true;
  loop_.quit();
}

std::optional<OperationOutcome> CliSessionHost::Run(int maximumMs) {
  // The outcome is taken once: the next operation waits for its own.
  if (outcome_.has_value() || interrupted_) {
    const std::optional<OperationOutcome> ended = outcome_;
    outcome_.reset();
    return ended;
  }
  if (virtualClock_ != nullptr) {
    virtualClock_->RunUntil([this] { return outcome_.has_value() || interrupted_; },
                            maximumMs >= 0 ? maximumMs : 24 * 3600 * 1000);
    const std::optional<OperationOutcome> ended = outcome_;
    outcome_.reset();
    return ended;
  }
  QTimer limit;
  if (maximumMs >= 0) {
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop_, &QEventLoop::quit);
    limit.start(maximumMs);
  }
  loop_.exec();
  const std::optional<OperationOutcome> ended = outcome_;
  outcome_.reset();
  return ended;
}

void CliSessionHost::RunUntil(const std::function<bool()>& done) {
  if (virtualClock_ != nullptr) {
    virtualClock_->RunUntil([&] { return interrupted_ || done(); }, int64_t{3600} * 1000);
    return;
  }
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop_, [&] {
    if (done()) loop_.quit();
  });
  poll.start(10);
  if (!done() && !interrupted_) loop_.exec();
}

}  // namespace qamp::cli
