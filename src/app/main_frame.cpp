#include "app/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>

#include "app/qamptool_doc.h"
#include "app/qamptool_view.h"
#include "app/receiver_comparison.h"
#include "app/report_printer.h"
#include "app/report_window.h"
#include "app/user_memo_dialog.h"
#include "document/qamptool_app.h"

namespace qamp {

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CMainFrame::CMainFrame(CQAmpToolApp& app, CQAmpToolDoc& doc, CQAmpToolView& view, CDialogs& dialogs)
    : app_(app), doc_(doc), view_(view), dialogs_(dialogs), statusPane_(new QLabel(this)) {
  setCentralWidget(&view_);
  statusPane_->setTextFormat(Qt::PlainText);
  statusPane_->setAccessibleName("Status");
  statusPane_->setMinimumWidth(80);
  statusBar()->addWidget(statusPane_, 1);
  BuildMenus();
  view_.onStatusBar = [this](const QString& text) { statusPane_->setText(text); };
  view_.onProgressOpen = [this](bool open) {
    if (open) {
      setCursor(Qt::WaitCursor);
    } else {
      unsetCursor();
    }
  };
  doc_.onTitleChanged = [this] { UpdateTitle(); };
  doc_.onLoaded = [this] { view_.RefreshUserInterface(); };
  UpdateTitle();
}

void CMainFrame::BuildMenus() {
  const bool realTime = app_.Link().IsRealTimeMode();
  QMenu* file = menuBar()->addMenu("&File");
  if (!realTime) {
    QAction* open = file->addAction("&Open...", this, [this] { doc_.OnFileOpen(this); });
    open->setShortcut(QKeySequence::Open);
    QAction* save = file->addAction("&Save", this, [this] { doc_.OnFileSave(this); });
    save->setShortcut(QKeySequence::Save);
    QAction* saveAs = file->addAction("Save &As...", this, [this] { doc_.OnFileSaveAs(this); });
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    QAction* print = file->addAction("&Print...", this, [this] { OnPrint(); });
    print->setShortcut(QKeySequence::Print);
    file->addAction("Export PDF...", this, [this] { OnExportPdf(); });
    file->addSeparator();
  }
  QAction* exit = file->addAction("E&xit", this, [this] { close(); });
  exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  if (!realTime) {
    QMenu* tool = menuBar()->addMenu("&Tool");
    tool->addAction("&User Memo", this, [this] { OnUserMemo(); });
    tool->addAction("&Make Report", this, [this] { OnMakeReport(); });
    tool->addSeparator();
    tool->addAction("Download &Whole Configuration", this,
                    [this] { view_.Download(CQAmpToolView::DownloadChoice::kWhole); });
    tool->addAction("Download &Parts...", this,
                    [this] { view_.Download(CQAmpToolView::DownloadChoice::kParts); });
    // A Download of only what differs is always read back.
    QAction* verify = tool->addAction("&Read Back Every Download");
    verify->setCheckable(true);
    verify->setChecked(view_.ReadsBackEveryDownload());
    connect(verify, &QAction::toggled, this,
            [this](bool on) { view_.SetReadsBackEveryDownload(on); });
    tool->addSeparator();
    tool->addAction("Compare with Recei&ver...", this, [this] { OnCompareWithReceiver(); });
  }
  QMenu* help = menuBar()->addMenu("&Help");
  help->addAction("Save &Diagnostics...", this, [this] { OnSaveDiagnostics(); });
  help->addSeparator();
  help->addAction("&About Amplora...", this, [this] { OnAbout(); });
}

void CMainFrame::UpdateTitle() {
  setWindowTitle(doc_.Title() + " - " + Text(kWindowTitle));
}

QString CMainFrame::StatusPaneText() const {
  return statusPane_->text();
}

void CMainFrame::OnPrint() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  dialog.setOptions(ReportPrintDialogOptions());
  if (dialog.exec() != QDialog::Accepted) return;
  const PrintResult result = PrintReport(printer, TextFromStored(app_.Report()));
  if (!result.ok) {
    dialogs_.Show(this, "The report could not be printed: " + result.error, Text(kMessageTitle),
                  MessageIcon::kError);
  }
}

void CMainFrame::OnExportPdf() {
  const QString base =
      doc_.FilePath().isEmpty() ? QString("report") : QFileInfo(doc_.FilePath()).completeBaseName();
  const QString path = dialogs_.PdfFileName(this, base + ".pdf");
  if (path.isEmpty()) return;
  const PrintResult result = ExportReportPdf(path, TextFromStored(app_.Report()));
  if (!result.ok) dialogs_.Show(this, result.error, Text(kMessageTitle), MessageIcon::kError);
}

void CMainFrame::OnUserMemo() {
  CUserMemoDialog dialog(app_.Link().UserMemo(), this);
  if (dialog.exec() == QDialog::Accepted) app_.Link().SetUserMemo(dialog.Memo());
}

void CMainFrame::OnMakeReport() {
  CReportWindow window(app_.Report(), this);
  window.exec();
}

void CMainFrame::OnAbout() {
  QMessageBox box(this);
  box.setWindowTitle("About Amplora");
  box.setIconPixmap(QApplication::windowIcon().pixmap(48, 48));
  box.setTextFormat(Qt::PlainText);
  box.setText(Text(kAboutText));
  box.setInformativeText(
      QString("qamptool %1 (Qt %2). GPL-3.0-or-later.").arg(QAMP_VERSION, qVersion()));
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

void CMainFrame::OnSaveDiagnostics() {
  const QString suggested = QDir::home().filePath(
      "qamptool-diagnostics-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss"));
  const QString folder = dialogs_.DiagnosticsFolder(this, suggested);
  if (folder.isEmpty()) return;
  const DiagnosticsResult result = SaveDiagnostics(folder, diagnostics_);
  if (!result.ok) {
    dialogs_.Show(this, result.error, Text(kMessageTitle), MessageIcon::kError);
    return;
  }
  dialogs_.Show(this,
                "The diagnostics are in " + folder + " (" + result.files.join(", ") +
                    "). Send the whole folder to whoever helps you.",
                Text(kMessageTitle), MessageIcon::kInformation);
}

void CMainFrame::OnCompareWithReceiver() {
  if (comparison_ == nullptr) return;
  const CReceiverSession& session = app_.Session();
  if (view_.IsProgressOpen() || session.IsInitializing() || session.IsSending() ||
      session.IsVerifying() || app_.Link().IsPortOpen() || comparison_->IsRunning()) {
    dialogs_.Show(this,
                  "A transfer with the receiver is running. Compare with the receiver when it "
                  "has ended.",
                  Text(kMessageTitle), MessageIcon::kInformation);
    return;
  }
  if (!view_.ChosenPortCanOpen()) return;
  const std::optional<ReceiverRead> read = dialogs_.ComparisonScope(this);
  if (!read) return;
  CQAmpToolView::ConnectionChoice connection = view_.ChosenConnection();
  const int selection = connection.selection;
  QString port = "Auto";
  if (selection >= 1 && selection <= static_cast<int>(connection.ports.size()))
    port = QString::fromStdString(connection.ports[static_cast<size_t>(selection - 1)].device);
  comparison_->Start(this, *read, std::move(connection.ports), selection, port, doc_.Title());
}

bool CMainFrame::QueryClose() {
  if (comparison_ != nullptr && comparison_->IsRunning()) {
    dialogs_.Show(this, "A comparison with the receiver is running. Cancel it in its window first.",
                  Text(kMessageTitle), MessageIcon::kWarning);
    return false;
  }
  if (view_.IsProgressOpen()) {
    dialogs_.Show(this, "A transfer is running. Cancel it in its window before leaving.",
                  Text(kMessageTitle), MessageIcon::kWarning);
    return false;
  }
  if (app_.Link().IsRealTimeMode()) return true;
  return doc_.MaybeSave(this, "leaving");
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!QueryClose()) {
    event->ignore();
    return;
  }
  view_.StoreSettings();
  event->accept();
}

}  // namespace qamp
