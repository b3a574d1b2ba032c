// The document: the name of the configuration file the window shows, and
// Open, Save and Save As. It holds no data of its own: the configuration
// is in the images, and files are read and written through the pages.
#pragma once

#include <QString>
#include <string>

#include "app/dialogs.h"
#include "document/qamptool_app.h"

namespace qamp {

class CQAmpToolDoc {
 public:
  CQAmpToolDoc(CQAmpToolApp& app, CDialogs& dialogs);

  // "Real Time Mode", "Async Mode" or the file's name.
  QString Title() const;
  const QString& FilePath() const { return path_; }
  // The untitled document of Async Mode is called "Async Mode".
  void SetUntitledName(const QString& name) { untitled_ = name; }

  // The File menu's commands; false when nothing was opened or saved.
  bool OnFileOpen(QWidget* parent);
  bool OnFileSave(QWidget* parent);
  bool OnFileSaveAs(QWidget* parent);
  // Opens the file at `path` (the command line, the tests): a file that is
  // not a configuration is refused with the reason and changes nothing.
  bool Open(const QString& path, QWidget* parent);
  bool SaveTo(const QString& path, QWidget* parent);

  // Whether the configuration differs from the file last opened or saved
  // (from the start-up configuration while there is no file).
  bool IsModified();
  void MarkUnmodified();
  // Before the configuration is replaced or the program ends: asks whether
  // to save the changes; false when the user cancels.
  bool MaybeSave(QWidget* parent, const QString& before);

  // The warning of a file that was opened but lacks values, naming the first
  // of them.
  static QString LackingValuesText(const QString& path, const ConfigurationLoad& load);

  // Told after a file was opened (the whole window refreshes).
  std::function<void()> onLoaded;
  std::function<void()> onTitleChanged;

 private:
  CQAmpToolApp& app_;
  CDialogs& dialogs_;
  QString path_;
  QString untitled_ = "Real Time Mode";
  std::string unmodified_;
};

}  // namespace qamp
