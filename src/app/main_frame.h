// The main window: title, menus (trimmed by mode), the one status pane, the
// wait cursor while a progress window is open, the About box, and the File
// and Tool commands.
#pragma once

#include <QMainWindow>

#include "app/diagnostics.h"
#include "app/dialogs.h"

class QLabel;

namespace qamp {

class CQAmpToolApp;
class CQAmpToolDoc;
class CQAmpToolView;
class CReceiverComparison;

inline constexpr std::string_view kWindowTitle = "Amplora for K2600 ver1.03";
inline constexpr std::string_view kAboutText = "Amplora for K2600 Version 1.03";

class CMainFrame : public QMainWindow {
 public:
  CMainFrame(CQAmpToolApp& app, CQAmpToolDoc& doc, CQAmpToolView& view, CDialogs& dialogs);

  void UpdateTitle();
  QString StatusPaneText() const;
  // The menu commands, for the menus and the tests.
  void OnPrint();
  void OnExportPdf();
  void OnUserMemo();
  void OnMakeReport();
  void OnAbout();
  void OnSaveDiagnostics();
  // "Compare with Receiver...": refused while a transfer runs.
  void OnCompareWithReceiver();
  void SetComparison(CReceiverComparison* comparison) { comparison_ = comparison; }
  void SetDiagnosticsSources(DiagnosticsSources sources) { diagnostics_ = std::move(sources); }
  // Whether the program may end now (asks about unsaved changes).
  bool QueryClose();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();

  CQAmpToolApp& app_;
  CQAmpToolDoc& doc_;
  CQAmpToolView& view_;
  CDialogs& dialogs_;
  QLabel* statusPane_;
  DiagnosticsSources diagnostics_;
  CReceiverComparison* comparison_ = nullptr;
};

}  // namespace qamp
