#include "qt/text_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace qamp {

namespace {

// A whole configuration is a few hundred kilobytes at most; anything far
// larger is not one.
constexpr qint64 kLargestFile = qint64{16} * 1024 * 1024;

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

bool WriteTextFileAtomically(const std::string& path, const std::string& text, std::string& error,
                             const std::function<void()>& beforeReplacing) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) {
    error = "Cannot save " + path + ": " + file.errorString().toStdString();
    return false;
  }
  if (file.write(text.data(), static_cast<qint64>(text.size())) !=
      static_cast<qint64>(text.size())) {
    error = "Cannot save " + path + ": " + file.errorString().toStdString();
    file.cancelWriting();
    return false;
  }
  if (!file.flush()) {
    error = "Cannot save " + path + ": " + file.errorString().toStdString();
    file.cancelWriting();
    return false;
  }
  if (beforeReplacing) beforeReplacing();
  // Until commit() renames it, the old file stays as it was.
  if (!file.commit()) {
    error = "Cannot save " + path + ": " + file.errorString().toStdString();
    return false;
  }
  return true;
}

bool CanSaveAt(const std::string& path, std::string& error) {
  const QFileInfo info(QString::fromStdString(path));
  if (info.isDir()) {
    error = "Cannot save " + path + ": it is a directory";
    return false;
  }
  const QDir directory = info.absoluteDir();
  if (!directory.exists()) {
    error = "Cannot save " + path + ": the directory " + directory.path().toStdString() +
            " does not exist";
    return false;
  }
  return true;
}

std::string RescuePath(const std::string& path) {
  const QFileInfo info(QString::fromStdString(path));
  QString base = info.completeBaseName();
  if (base.isEmpty()) base = QStringLiteral("configuration");
  const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  const QString suffix = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
  QString candidate = QDir::temp().filePath(base + QStringLiteral("-") + stamp + suffix);
  for (int n = 2; QFileInfo::exists(candidate); ++n) {
    candidate = QDir::temp().filePath(base + QStringLiteral("-") + stamp + QStringLiteral("-") +
                                      QString::number(n) + suffix);
  }
  return candidate.toStdString();
}

}  // namespace qamp
