#include "app/qamptool_doc.h"

#include <QApplication>
#include <QFileInfo>

#include "app/gui_host.h"
#include "qt/text_file.h"

namespace qamp {

CQAmpToolDoc::CQAmpToolDoc(CQAmpToolApp& app, CDialogs& dialogs) : app_(app), dialogs_(dialogs) {
  MarkUnmodified();
}

QString CQAmpToolDoc::Title() const {
  return path_.isEmpty() ? untitled_ : QFileInfo(path_).fileName();
}

bool CQAmpToolDoc::IsModified() {
  return app_.SaveConfigurationText() != unmodified_;
}

void CQAmpToolDoc::MarkUnmodified() {
  unmodified_ = app_.SaveConfigurationText();
}

bool CQAmpToolDoc::MaybeSave(QWidget* parent, const QString& before) {
  if (!IsModified()) return true;
  const QString text = QString(
                           "The configuration has changes that are not saved in a file.\n"
                           "Save them before %1?")
                           .arg(before);
  switch (dialogs_.AskSaveChanges(parent, text)) {
    case CDialogs::SaveAnswer::kDiscard:
      return true;
    case CDialogs::SaveAnswer::kCancel:
      return false;
    case CDialogs::SaveAnswer::kSave:
      break;
  }
  return path_.isEmpty() ? OnFileSaveAs(parent) : SaveTo(path_, parent);
}

bool CQAmpToolDoc::OnFileOpen(QWidget* parent) {
  if (!MaybeSave(parent, "opening another file")) return false;
  const QString path = dialogs_.OpenFileName(parent);
  if (path.isEmpty()) return false;
  return Open(path, parent);
}

bool CQAmpToolDoc::Open(const QString& path, QWidget* parent) {
  std::string text;
  std::string error;
  const QString title = QString::fromUtf8(kMessageTitle.data());
  if (!ReadTextFile(path.toStdString(), text, error)) {
    dialogs_.Show(parent,
                  QString("%1 could not be opened: %2").arg(path, QString::fromStdString(error)),
                  title, MessageIcon::kError);
    return false;
  }
  std::string why;
  ConfigurationLoad load;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool loaded = app_.LoadConfigurationText(text, &why, &load);
  QApplication::restoreOverrideCursor();
  if (!loaded) {
    dialogs_.Show(parent,
                  QString("%1 was not opened: %2.\nThe configuration in the program is unchanged.")
                      .arg(path, QString::fromStdString(why)),
                  title, MessageIcon::kError);
    return false;
  }
  path_ = QFileInfo(path).absoluteFilePath();
  MarkUnmodified();
  if (onLoaded) onLoaded();
  if (onTitleChanged) onTitleChanged();
  // A file cut short or edited by hand loads what it has; the user should
  // know before sending it to the receiver.
  if (!load.Complete())
    dialogs_.Show(parent, LackingValuesText(path, load), title, MessageIcon::kWarning);
  return true;
}

QString CQAmpToolDoc::LackingValuesText(const QString& path, const ConfigurationLoad& load) {
  constexpr size_t kNamed = 8;
  QString text = QString(
                     "%1 was opened, but it lacks values: %2.\n"
                     "Those settings keep the values the program had before.")
                     .arg(path, QString::fromStdString(load.Summary()));
  std::vector<const ConfigurationKey*> keys;
  for (const ConfigurationKey& key : load.missing) keys.push_back(&key);
  for (const ConfigurationKey& key : load.unreadable) keys.push_back(&key);
  text += "\n";
  for (size_t i = 0; i < keys.size() && i < kNamed; ++i) {
    const bool missing = i < load.missing.size();
    text += QString("\n[%1] %2 (%3)")
                .arg(QString::fromStdString(keys[i]->section), QString::fromStdString(keys[i]->key),
                     missing ? "missing" : "unreadable");
  }
  if (keys.size() > kNamed) text += QString("\n... and %1 more").arg(keys.size() - kNamed);
  return text;
}

bool CQAmpToolDoc::OnFileSave(QWidget* parent) {
  if (path_.isEmpty()) return OnFileSaveAs(parent);
  if (!dialogs_.Ask(parent, QString::fromUtf8(kOverwriteQuestion.data()),
                    QString::fromUtf8(kMessageTitle.data()), MessageIcon::kQuestion, false)) {
    return false;
  }
  return SaveTo(path_, parent);
}

bool CQAmpToolDoc::OnFileSaveAs(QWidget* parent) {
  const QString suggested = path_.isEmpty() ? QString("configuration.qcf") : path_;
  const QString path = dialogs_.SaveFileName(parent, suggested);
  if (path.isEmpty()) return false;
  return SaveTo(path, parent);
}

bool CQAmpToolDoc::SaveTo(const QString& path, QWidget* parent) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::string text = app_.SaveConfigurationText();
  std::string error;
  const bool saved = WriteTextFileAtomically(path.toStdString(), text, error);
  QApplication::restoreOverrideCursor();
  if (!saved) {
    dialogs_.Show(parent,
                  QString("The configuration could not be saved as %1: %2\n"
                          "Nothing was written; choose another folder or file name.")
                      .arg(path, QString::fromStdString(error)),
                  QString::fromUtf8(kMessageTitle.data()), MessageIcon::kError);
    return false;
  }
  path_ = QFileInfo(path).absoluteFilePath();
  unmodified_ = text;
  if (onTitleChanged) onTitleChanged();
  return true;
}

}  // namespace qamp
