#include "app/diagnostics.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSysInfo>

#include "qt/port_list.h"

namespace qamp {

namespace {

bool WriteFile(const QString& path, const QByteArray& content, QString& error) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) < 0) {
    error = "Cannot write " + path + ": " + file.errorString();
    return false;
  }
  return true;
}

// The file itself, or a line saying why there is none.
QByteArray CopyOf(const std::string& source, const char* what) {
  if (source.empty()) return QByteArray("(no ") + what + " is kept)\n";
  QFile file(QString::fromStdString(source));
  if (!file.open(QIODevice::ReadOnly)) {
    return QByteArray("(") + what + " " + QByteArray::fromStdString(source) +
           " cannot be read: " + file.errorString().toUtf8() + ")\n";
  }
  return file.readAll();
}

}  // namespace

DiagnosticsResult SaveDiagnostics(const QString& folder, const DiagnosticsSources& sources) {
  DiagnosticsResult result;
  const QDir directory(folder);
  if (directory.exists() && !directory.isEmpty()) {
    result.error = folder + " already holds files; choose a new folder.";
    return result;
  }
  if (!QDir().mkpath(folder)) {
    result.error = "Cannot create the folder " + folder + ".";
    return result;
  }
  const QByteArray version =
      QByteArray("qamptool ") + QAMP_VERSION + "\nQt " + qVersion() + " (built with " +
      QT_VERSION_STR + ")\n" + QSysInfo::prettyProductName().toUtf8() + ", " +
      QSysInfo::kernelType().toUtf8() + " " + QSysInfo::kernelVersion().toUtf8() + ", " +
      QSysInfo::currentCpuArchitecture().toUtf8() + "\nSaved " +
      QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toUtf8() +
      "\nSettings: " + QByteArray::fromStdString(sources.settingsPath) +
      "\nError log: " + QByteArray::fromStdString(sources.errorLogPath) +
      "\nTrace: " + QByteArray::fromStdString(sources.tracePath) + "\n";
  QByteArray trace = CopyOf(sources.tracePath, "port trace");
  // A trace that started again keeps its earlier part beside it.
  if (!sources.tracePath.empty() && QFile::exists(QString::fromStdString(sources.tracePath + ".1")))
    trace = CopyOf(sources.tracePath + ".1", "port trace") + trace;
  const std::pair<const char*, QByteArray> files[] = {
      {kDiagnosticsVersionFile, version},
      {kDiagnosticsSettingsFile, CopyOf(sources.settingsPath, "settings file")},
      {kDiagnosticsPortsFile, QByteArray::fromStdString(PortReport())},
      {kDiagnosticsErrorLogFile, CopyOf(sources.errorLogPath, "error log")},
      {kDiagnosticsTraceFile, trace},
  };
  for (const auto& [name, content] : files) {
    if (!WriteFile(directory.filePath(name), content, result.error)) return result;
    result.files << name;
  }
  result.ok = true;
  return result;
}

}  // namespace qamp
