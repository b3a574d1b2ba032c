// The log of one receiver operation (connection, Upload, Download): when it
// started, which commands failed, when it ended and how long it took.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/setting_image.h"

namespace qamp {

// Where the log goes: a file, rewritten for every operation.
class LogSink {
 public:
  virtual ~LogSink() = default;
  // Creates the file, emptying one that exists; false when it cannot.
  virtual bool Create() = 0;
  virtual void Append(std::string_view text) = 0;
  virtual void Close() = 0;
};

struct LogTime {
  int64_t seconds = 0;    // seconds since any fixed point, for the elapsed time
  std::string formatted;  // in the user's date and time format
};

class CErrorLog {
 public:
  using Clock = std::function<LogTime()>;
  // Gives the (section, key) of a parameter ID; false when nobody describes it.
  using Describer = std::function<bool(ParamId, std::string& section, std::string& key)>;

  CErrorLog(LogSink& sink, Clock clock, Describer describer);

  void StartOperationLog();
  void WriteErrorLog(std::string_view text, ParamId id);
  void EndOperationLog();
  bool IsOpen() const { return open_; }
  // Failed commands written since the operation started.
  int FailedCommands() const { return failedCommands_; }

  // "%M'%S\"" of an elapsed time: minutes and seconds, hours not shown.
  static std::string FormatElapsed(int64_t seconds);

 private:
  LogSink& sink_;
  Clock clock_;
  Describer describer_;
  bool open_ = false;
  int64_t startSeconds_ = 0;
  int failedCommands_ = 0;
};

}  // namespace qamp
