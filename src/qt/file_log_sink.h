// The error log file "ErrLog.txt" in the temporary directory, and the
// local clock it is stamped with.
#pragma once

#include <QFile>
#include <string>

#include "model/error_log.h"

namespace qamp {

// $TMPDIR, else /tmp, with "ErrLog.txt".
std::string DefaultErrorLogPath();

class FileLogSink : public LogSink {
 public:
  explicit FileLogSink(std::string path) : path_(std::move(path)) {}
  bool Create() override;
  void Append(std::string_view text) override;
  void Close() override;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  QFile file_;
};

// The local time in the user's date and time format.
LogTime LocalLogTime();

}  // namespace qamp
