// "Save Diagnostics...": a folder for a user to send to whoever helps
// them, with what the program knows about the machine, its settings and
// the last connection.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace qamp {

struct DiagnosticsSources {
  std::string settingsPath;  // qamptool.ini
  std::string errorLogPath;  // ErrLog.txt of the last operation
  std::string tracePath;     // the port trace; empty when none is kept
};

// The files a diagnostics folder holds.
inline constexpr const char* kDiagnosticsVersionFile = "version.txt";
inline constexpr const char* kDiagnosticsSettingsFile = "qamptool.ini";
inline constexpr const char* kDiagnosticsPortsFile = "ports.txt";
inline constexpr const char* kDiagnosticsErrorLogFile = "ErrLog.txt";
inline constexpr const char* kDiagnosticsTraceFile = "trace.txt";

struct DiagnosticsResult {
  bool ok = false;
  QString error;      // when not ok
  QStringList files;  // the names written, in order
};

// Creates `folder` (which must not exist yet, or be empty) and writes the
// program and Qt versions, a copy of the settings file, the port report,
// the last error log and the last trace. A source that does not exist is
// written as a file that says so, so that the folder always has every file.
DiagnosticsResult SaveDiagnostics(const QString& folder, const DiagnosticsSources& sources);

}  // namespace qamp
