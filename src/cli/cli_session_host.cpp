#include "cli/cli_session_host.h"

#include <QTimer>

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

void CliSessionHost::InitializeOpened(int range) {
  caption_ = "Reading the receiver";
  range_ = range;
  shownPercent_ = -1;
  progressOpen_ = true;
}

void CliSessionHost::InitializeProgress(int position) {
  Progress(position);
}

void CliSessionHost::InitializeClosed() {
  EndProgress();
}

void CliSessionHost::SendingOpened(int range, bool showsProgress, std::string_view caption) {
  if (!showsProgress) return;
  caption_ = std::string(caption);
  range_ = range;
  shownPercent_ = -1;
  progressOpen_ = true;
  Progress(0);
}

void CliSessionHost::SendingProgress(int position) {
  Progress(position);
}

void CliSessionHost::SendingClosed() {
  EndProgress();
}

void CliSessionHost::Progress(int position) {
  if (!progressOpen_ || range_ <= 0) return;
  const int percent = std::min(100, std::max(0, position * 100 / range_));
  if (terminal_) {
    if (percent == shownPercent_) return;
    constexpr int kWidth = 40;
    const int filled = percent * kWidth / 100;
    err_ << "\r" << caption_ << " [" << std::string(static_cast<size_t>(filled), '#')
         << std::string(static_cast<size_t>(kWidth - filled), ' ') << "] " << percent << "%"
         << std::flush;
  } else {
    // Plain lines, every five per cent.
    if (percent / 5 == shownPercent_ / 5 && shownPercent_ >= 0) return;
    err_ << caption_ << ": " << percent << "%\n" << std::flush;
  }
  shownPercent_ = percent;
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
