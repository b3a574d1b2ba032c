// Ctrl-C and termination requests as an event of the event loop, so that a
// transfer is cancelled the way the "Cancel" button cancels it.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace qamp {

class SignalWatcher : public QObject {
 public:
  explicit SignalWatcher(std::function<void()> interrupted);
  ~SignalWatcher() override;

 private:
  std::function<void()> interrupted_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace qamp
