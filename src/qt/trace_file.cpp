#include "qt/trace_file.h"

#include <QDir>
#include <QFileInfo>
#include <cstdlib>

namespace qamp {

FileTraceSink::FileTraceSink(std::string path, qint64 limitBytes)
    : path_(std::move(path)), limit_(limitBytes) {}

bool FileTraceSink::Open(std::string& error) {
  const QString name = QString::fromStdString(path_);
  const QString folder = QFileInfo(name).absolutePath();
  if (!QDir().mkpath(folder)) {
    error = "cannot create the folder " + folder.toStdString();
    return false;
  }
  // A bounded trace keeps the one of the run before as FILE.1: the trace a
  // user wants to send is often of the run that went wrong.
  if (limit_ > 0 && QFileInfo(name).size() > 0) {
    QFile::remove(name + ".1");
    QFile::rename(name, name + ".1");
  }
  file_.setFileName(name);
  if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
    error = "cannot write the trace " + path_ + ": " + file_.errorString().toStdString();
    return false;
  }
  return true;
}

void FileTraceSink::TraceLine(std::string_view line) {
  if (!file_.isOpen()) return;
  if (limit_ > 0 && file_.size() + static_cast<qint64>(line.size()) + 1 > limit_) {
    // Start again, keeping the full file as FILE.1.
    file_.close();
    const QString name = QString::fromStdString(path_);
    QFile::remove(name + ".1");
    QFile::rename(name, name + ".1");
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return;
    static constexpr std::string_view kContinued = "(continued from the file .1)\n";
    file_.write(kContinued.data(), static_cast<qint64>(kContinued.size()));
  }
  file_.write(line.data(), static_cast<qint64>(line.size()));
  file_.write("\n", 1);
  file_.flush();
}

std::string DefaultLastTracePath() {
  const char* state = std::getenv("XDG_STATE_HOME");
  QString folder;
  if (state != nullptr && *state == '/') {
    folder = QString::fromLocal8Bit(state);
  } else {
    folder = QDir::homePath() + "/.local/state";
  }
  return (folder + "/qamptool/last-trace.txt").toStdString();
}

TransportTraceFile::TransportTraceFile(SerialTransport& transport, const std::string& path,
                                       const sim::Scheduler* virtualClock, qint64 limitBytes)
    : transport_(transport) {
  if (path.empty()) return;
  sink_ = std::make_unique<FileTraceSink>(path, limitBytes);
  if (!sink_->Open(error_)) {
    sink_.reset();
    return;
  }
  monotonic_.start();
  std::function<double()> now;
  if (virtualClock != nullptr) {
    now = [virtualClock] { return static_cast<double>(virtualClock->NowMs()); };
  } else {
    now = [this] { return static_cast<double>(monotonic_.nsecsElapsed()) / 1e6; };
  }
  traced_ = std::make_unique<TracingTransport>(transport_, *sink_, std::move(now));
}

void TransportTraceFile::Note(std::string_view text) {
  if (traced_ != nullptr) traced_->Note(text);
}

}  // namespace qamp
