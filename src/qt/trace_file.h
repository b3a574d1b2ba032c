// Where a port trace goes: a file, flushed after every line so that a
// trace of a program that crashed is whole up to the crash. A file with a
// size limit keeps the trace it replaces (of the run before, or the full
// file when it reached the limit) beside it as FILE.1, so that the newest
// lines are always there.
#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <memory>
#include <string>

#include "link/transport_trace.h"
#include "sim/scheduler.h"

namespace qamp {

class FileTraceSink : public TraceSink {
 public:
  // `limitBytes` 0: no limit.
  explicit FileTraceSink(std::string path, qint64 limitBytes = 0);
  // False (with the reason) when the file cannot be created.
  bool Open(std::string& error);
  void TraceLine(std::string_view line) override;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  qint64 limit_;
  QFile file_;
};

// The file of the window's own trace, kept for "Save Diagnostics...":
// $XDG_STATE_HOME/qamptool/last-trace.txt (~/.local/state when unset).
std::string DefaultLastTracePath();
// The size at which that file starts again.
inline constexpr qint64 kLastTraceLimitBytes = 2 * 1024 * 1024;

// A transport traced into a file, or the transport itself when no file
// is named. The time stamps come from the virtual clock when one is
// given, otherwise from a monotonic clock.
class TransportTraceFile {
 public:
  TransportTraceFile(SerialTransport& transport, const std::string& path,
                     const sim::Scheduler* virtualClock = nullptr, qint64 limitBytes = 0);
  SerialTransport& Transport() { return traced_ ? *traced_ : transport_; }
  // Empty when the trace runs (or none was asked for).
  const std::string& Error() const { return error_; }
  bool Tracing() const { return traced_ != nullptr; }
  // A line of the program's own (the version, the start), as an event.
  void Note(std::string_view text);

 private:
  SerialTransport& transport_;
  std::unique_ptr<FileTraceSink> sink_;
  QElapsedTimer monotonic_;
  std::unique_ptr<TracingTransport> traced_;
  std::string error_;
};

}  // namespace qamp
