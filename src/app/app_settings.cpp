#include "app/app_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "model/ini_file.h"
#include "qt/text_file.h"

namespace qamp {

std::string CAppSettings::DefaultPath() {
  // GenericConfigLocation is $XDG_CONFIG_HOME, or ~/.config without it.
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return QDir(folder).filePath("qamptool/qamptool.ini").toStdString();
}

void CAppSettings::Read() {
  port.clear();
  activePage.clear();
  confirmDownload.clear();
  std::string text;
  std::string error;
  if (!ReadTextFile(path_, text, error)) return;
  const MemoryIniFile file = MemoryIniFile::Parse(text);
  auto read = [&](std::string_view key) {
    return file.Read(kSettingsSection, key, kSettingLimit).value_or(std::string());
  };
  port = read(kPortKey);
  activePage = read(kActivePageKey);
  confirmDownload = read(kConfirmDownloadKey);
}

bool CAppSettings::Write(std::string* error) const {
  // Other sections and keys of the file stay as they were.
  std::string text;
  std::string readError;
  MemoryIniFile file;
  if (ReadTextFile(path_, text, readError)) file = MemoryIniFile::Parse(text);
  file.Write(kSettingsSection, kPortKey, port);
  file.Write(kSettingsSection, kActivePageKey, activePage);
  file.Write(kSettingsSection, kConfirmDownloadKey, confirmDownload);
  const QString folder = QFileInfo(QString::fromStdString(path_)).absolutePath();
  QDir().mkpath(folder);
  std::string writeError;
  if (WriteTextFileAtomically(path_, file.Serialize(), writeError)) return true;
  if (error != nullptr) *error = writeError;
  return false;
}

}  // namespace qamp
