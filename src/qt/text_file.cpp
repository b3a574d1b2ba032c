#include "qt/text_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace qamp {

namespace {

// A whole configuration is a few hundred kilobytes at most; anything far
// larger is not one.
constexpr qint64 kLargestFile = 16 * 1024 * 1024;

}  // namespace

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    error = "Cannot read " + path + ": " + file.errorString().toStdString();
    return false;
  }
  if (file.size() > kLargestFile) {
    error = "Cannot read " + path + ": it is too large to be a configuration file";
    return false;
  }
  const QByteArray data = file.readAll();
  if (file.error() != QFile::NoError) {
    error = "Cannot read " + path + ": " + file.errorString().toStdString();
    return false;
  }
  text.assign(data.constData(), static_cast<size_t>(data.size()));
  return true;
}

bool WriteTextFileAtomically(const std::string& path, const std::string& text, std::string& error) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) {
    error = "Cannot save " + path + ": " + file.errorString().toStdString();
    return false;
  }
  if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
    error = "Cannot save " + path + ": " + file.errorString().toStdString();
    file.cancelWriting();
    return false;
  }
  // Until commit() renames it, the old file stays as it was.
  if (!file.commit()) {
    error = "Cannot save " + path + ": " + file.errorString().toStdString();
    return false;
  }
  return true;
}

}  // namespace qamp
