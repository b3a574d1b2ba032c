#include "qt/file_log_sink.h"

#include <QDateTime>
#include <QLocale>
#include <cstdlib>

namespace qamp {

std::string DefaultErrorLogPath() {
  const char* tmp = std::getenv("TMPDIR");
  std::string directory = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
  if (directory.back() != '/') directory.push_back('/');
  return directory + "ErrLog.txt";
}

bool FileLogSink::Create() {
  file_.setFileName(QString::fromStdString(path_));
  return file_.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void FileLogSink::Append(std::string_view text) {
  if (!file_.isOpen()) return;
  file_.write(text.data(), static_cast<qint64>(text.size()));
  file_.flush();
}

void FileLogSink::Close() {
  file_.close();
}

LogTime LocalLogTime() {
  const QDateTime now = QDateTime::currentDateTime();
  const QLocale locale;
  return {now.toSecsSinceEpoch(),
          now.toString(locale.dateTimeFormat(QLocale::ShortFormat)).toStdString()};
}

}  // namespace qamp
