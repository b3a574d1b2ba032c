// Every question and message the desktop program puts to the user goes
// through CDialogs, so that the window tests answer them instead of a
// person. CQtDialogs shows the real windows.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "app/comparison_window.h"
#include "pages/tuner_set_page.h"
#include "session/receiver_session.h"

class QButtonGroup;
class QCheckBox;
class QListWidget;

namespace qamp {

// The title of the program's message boxes.
inline constexpr std::string_view kMessageTitle = "Amplora for K2600";
inline constexpr std::string_view kStartModeText =
    "\"Welcome to Amplora, How would you like to work? Asynchronous mode for downloading later "
    "or Real-time Mode.\"";
inline constexpr std::string_view kNoticeText =
    "The current data of the receiver will be overwritten.\r\n(Amplora will download the "
    "configuration.)";
inline constexpr std::string_view kDontShowAgainText = "Don't show this message again.";
inline constexpr std::string_view kOverwriteQuestion = "It overwrites. \nIs it all right?";
inline constexpr std::string_view kRegionNames[] = {
    "AM9 / FM100  (Japan)", "AM10 / FM200  (USA, Canada)", "AM9 / FM50  (EU, Asia)",
    "AM10 / FM100  (Other)"};

class CDialogs {
 public:
  virtual ~CDialogs() = default;
  // OK/Cancel (or Yes/No); true for OK (Yes).
  virtual bool Ask(QWidget* parent, const QString& text, const QString& title, MessageIcon icon,
                   bool yesNo) = 0;
  virtual void Show(QWidget* parent, const QString& text, const QString& title,
                    MessageIcon icon) = 0;
  // Unsaved changes: save them, discard them, or stay.
  enum class SaveAnswer { kSave, kDiscard, kCancel };
  virtual SaveAnswer AskSaveChanges(QWidget* parent, const QString& text) = 0;
  // "Start Mode": the mode, or nothing when cancelled.
  virtual std::optional<ControlMode> StartMode() = 0;
  // "Tuner Region": the region chosen, or nothing on "Cancel".
  virtual std::optional<int> TunerRegion(int current) = 0;
  struct NoticeAnswer {
    bool ok = false;
    bool dontShowAgain = false;
  };
  // "Notice" before a Download; `detail` is a further line (how much will be
  // sent), or empty.
  virtual NoticeAnswer Notice(QWidget* parent, const QString& detail) = 0;
  // "Download Parts": the parts ticked among `parts`, or nothing when
  // cancelled.
  virtual std::optional<std::vector<std::string>> DownloadParts(
      QWidget* parent, const std::vector<std::string>& parts) = 0;
  // File names: empty when the user cancels.
  virtual QString OpenFileName(QWidget* parent) = 0;
  virtual QString SaveFileName(QWidget* parent, const QString& suggested) = 0;
  virtual QString PdfFileName(QWidget* parent, const QString& suggested) = 0;
  // The new folder "Save Diagnostics..." writes into.
  virtual QString DiagnosticsFolder(QWidget* parent, const QString& suggested) = 0;
  // Room EQ Wizard filter files ("*.txt") to import and to export to.
  virtual QString FilterFileToImport(QWidget* parent) = 0;
  virtual QString FilterFileToExport(QWidget* parent, const QString& suggested) = 0;
  // The "Frequency" dialog of the tuner presets.
  virtual std::optional<std::string> ChooseFrequency(QWidget* parent, CFrequencyDialog& dialog) = 0;
  // "Compare with Receiver": what to read, or nothing when cancelled.
  virtual std::optional<ReceiverRead> ComparisonScope(QWidget* parent) = 0;
  // The differences found; the window stays open beside the main window.
  virtual void ShowComparison(QWidget* parent, const ComparisonResult& result) = 0;
};

class CQtDialogs : public CDialogs {
 public:
  bool Ask(QWidget* parent, const QString& text, const QString& title, MessageIcon icon,
           bool yesNo) override;
  void Show(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override;
  SaveAnswer AskSaveChanges(QWidget* parent, const QString& text) override;
  std::optional<ControlMode> StartMode() override;
  std::optional<int> TunerRegion(int current) override;
  NoticeAnswer Notice(QWidget* parent, const QString& detail) override;
  std::optional<std::vector<std::string>> DownloadParts(
      QWidget* parent, const std::vector<std::string>& parts) override;
  QString OpenFileName(QWidget* parent) override;
  QString SaveFileName(QWidget* parent, const QString& suggested) override;
  QString PdfFileName(QWidget* parent, const QString& suggested) override;
  QString DiagnosticsFolder(QWidget* parent, const QString& suggested) override;
  QString FilterFileToImport(QWidget* parent) override;
  QString FilterFileToExport(QWidget* parent, const QString& suggested) override;
  std::optional<std::string> ChooseFrequency(QWidget* parent, CFrequencyDialog& dialog) override;
  std::optional<ReceiverRead> ComparisonScope(QWidget* parent) override;
  void ShowComparison(QWidget* parent, const ComparisonResult& result) override;
};

// The windows themselves, for CQtDialogs and for looking at them.
class CStartModeDialog : public QDialog {
 public:
  explicit CStartModeDialog(QWidget* parent = nullptr);
  std::optional<ControlMode> Choice() const { return choice_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::optional<ControlMode> choice_;
};

class CTunerRegionDialog : public QDialog {
 public:
  CTunerRegionDialog(int current, QWidget* parent = nullptr);
  int Region() const;

 private:
  QButtonGroup* group_;
};

class CConfirmDownDlg : public QDialog {
 public:
  explicit CConfirmDownDlg(QWidget* parent = nullptr, const QString& detail = {});
  bool DontShowAgain() const;

 private:
  QCheckBox* dontShow_;
};

// The parts of the configuration a Download can be limited to, each with
// its box to tick.
class CDownloadPartsDialog : public QDialog {
 public:
  CDownloadPartsDialog(const std::vector<std::string>& parts, QWidget* parent = nullptr);
  std::vector<std::string> Chosen() const;
  QListWidget* List() const { return list_; }

 private:
  QListWidget* list_;
};

class CFrequencyWindow : public QDialog {
 public:
  CFrequencyWindow(CFrequencyDialog& dialog, QWidget* parent = nullptr);
  std::optional<std::string> Answer() const { return answer_; }

 private:
  CFrequencyDialog& dialog_;
  QListWidget* list_;
  std::optional<std::string> answer_;
};

// The platform's message icon for the program's own.
int MessageBoxIcon(MessageIcon icon);

}  // namespace qamp
