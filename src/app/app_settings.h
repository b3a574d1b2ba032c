// The program's own settings: the last connection entry, the last active
// page and whether the Download notice is shown. Kept in section "DispSet"
// of an INI file in the user's configuration folder
// ($XDG_CONFIG_HOME/qamptool/qamptool.ini), read at start and all three
// written at exit.
#pragma once

#include <string>

namespace qamp {

inline constexpr std::string_view kSettingsSection = "DispSet";
inline constexpr std::string_view kPortKey = "Port";
inline constexpr std::string_view kActivePageKey = "ActivePage";
inline constexpr std::string_view kConfirmDownloadKey = "ConfirmDownload";
inline constexpr size_t kSettingLimit = 255;

class CAppSettings {
 public:
  explicit CAppSettings(std::string path) : path_(std::move(path)) {}

  // Where the settings live unless the command line says otherwise.
  static std::string DefaultPath();

  // A missing file or key gives empty values; nothing is reported.
  void Read();
  // False (with the reason) when the file could not be written; the program
  // goes on either way.
  bool Write(std::string* error = nullptr) const;

  const std::string& Path() const { return path_; }
  std::string port;
  std::string activePage;
  std::string confirmDownload;
  // "NO" alone (in this case) hides the notice.
  bool ShowsDownloadNotice() const { return confirmDownload != "NO"; }

 private:
  std::string path_;
};

}  // namespace qamp
