#include "qt/signal_watcher.h"

#include <fcntl.h>
#include <unistd.h>
#include <csignal>

namespace qamp {

namespace {

int g_pipe[2] = {-1, -1};

void OnSignal(int /*signal*/) {
  const char byte = 1;
  // Only async-signal-safe work here: the event loop does the rest.
  [[maybe_unused]] const ssize_t ignored = ::write(g_pipe[1], &byte, 1);
}

}  // namespace

SignalWatcher::SignalWatcher(std::function<void()> interrupted)
    : interrupted_(std::move(interrupted)) {
  if (g_pipe[0] < 0 && ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
    char bytes[16];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    if (interrupted_) interrupted_();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

SignalWatcher::~SignalWatcher() {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
}

}  // namespace qamp
