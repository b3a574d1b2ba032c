#include "app/dialogs.h"

#include "app/page_controls.h"
#include "app/report_printer.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qamp {

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const QString kConfigurationFilter = QStringLiteral("Configuration File (*.qcf)");
const QString kFilterFileFilter =
    QStringLiteral("Room EQ Wizard filter settings (*.txt);;All files (*)");

QLabel* PlainLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  return label;
}

}  // namespace

int MessageBoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kError:
      return QMessageBox::Critical;
    case MessageIcon::kWarning:
      return QMessageBox::Warning;
    case MessageIcon::kInformation:
      return QMessageBox::Information;
    case MessageIcon::kQuestion:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

bool CQtDialogs::Ask(QWidget* parent, const QString& text, const QString& title, MessageIcon icon,
                     bool yesNo) {
  QMessageBox box(
      static_cast<QMessageBox::Icon>(MessageBoxIcon(icon)), title, text,
      yesNo ? (QMessageBox::Yes | QMessageBox::No) : (QMessageBox::Ok | QMessageBox::Cancel),
      parent);
  box.setTextFormat(Qt::PlainText);
  const int answer = box.exec();
  return answer == QMessageBox::Ok || answer == QMessageBox::Yes;
}

void CQtDialogs::Show(QWidget* parent, const QString& text, const QString& title,
                      MessageIcon icon) {
  QMessageBox box(static_cast<QMessageBox::Icon>(MessageBoxIcon(icon)), title, text,
                  QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

CDialogs::SaveAnswer CQtDialogs::AskSaveChanges(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Warning, Text(kMessageTitle), text,
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save:
      return SaveAnswer::kSave;
    case QMessageBox::Discard:
      return SaveAnswer::kDiscard;
    default:
      return SaveAnswer::kCancel;
  }
}

std::optional<ControlMode> CQtDialogs::StartMode() {
  CStartModeDialog dialog;
  dialog.exec();
  return dialog.Choice();
}

std::optional<int> CQtDialogs::TunerRegion(int current) {
  CTunerRegionDialog dialog(current);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Region();
}

CDialogs::NoticeAnswer CQtDialogs::Notice(QWidget* parent, const QString& detail) {
  CConfirmDownDlg dialog(parent, detail);
  const bool ok = dialog.exec() == QDialog::Accepted;
  return {ok, dialog.DontShowAgain()};
}

std::optional<std::vector<std::string>> CQtDialogs::DownloadParts(
    QWidget* parent, const std::vector<std::string>& parts) {
  CDownloadPartsDialog dialog(parts, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Chosen();
}

QString CQtDialogs::OpenFileName(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent, "Open", QString(), kConfigurationFilter);
}

QString CQtDialogs::SaveFileName(QWidget* parent, const QString& suggested) {
  // The overwrite question of "Save" is the program's own; the dialog asks
  // its own when the user picks an existing file under a new name.
  QString name = QFileDialog::getSaveFileName(parent, "Save As", suggested, kConfigurationFilter);
  if (!name.isEmpty() && !name.endsWith(".qcf", Qt::CaseInsensitive)) name += ".qcf";
  return name;
}

QString CQtDialogs::PdfFileName(QWidget* parent, const QString& suggested) {
  QString name = QFileDialog::getSaveFileName(parent, "Export PDF", suggested, kReportPdfFilter);
  if (!name.isEmpty() && !name.endsWith(".pdf", Qt::CaseInsensitive)) name += ".pdf";
  return name;
}

QString CQtDialogs::DiagnosticsFolder(QWidget* parent, const QString& suggested) {
  // A name for a folder that does not exist yet: the save dialog asks for it.
  return QFileDialog::getSaveFileName(parent, "Save Diagnostics", suggested, QString(), nullptr,
                                      QFileDialog::DontConfirmOverwrite);
}

QString CQtDialogs::FilterFileToImport(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent, "Import REW Filters", QString(), kFilterFileFilter);
}

QString CQtDialogs::FilterFileToExport(QWidget* parent, const QString& suggested) {
  QString name =
      QFileDialog::getSaveFileName(parent, "Export REW Filters", suggested, kFilterFileFilter);
  if (!name.isEmpty() && !name.contains('.')) name += ".txt";
  return name;
}

std::optional<std::string> CQtDialogs::ChooseFrequency(QWidget* parent, CFrequencyDialog& dialog) {
  CFrequencyWindow window(dialog, parent);
  window.exec();
  return window.Answer();
}

std::optional<ReceiverRead> CQtDialogs::ComparisonScope(QWidget* parent) {
  CComparisonScopeDialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

void CQtDialogs::ShowComparison(QWidget* parent, const ComparisonResult& result) {
  // Modeless, so that the differences stay in sight while they are mended.
  auto* window = new CComparisonWindow(result, parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  window->raise();
  window->activateWindow();
}

// --- "Start Mode" ---------------------------------------------------------------------

CStartModeDialog::CStartModeDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Start Mode");
  auto* layout = new QVBoxLayout(this);
  QLabel* text = PlainLabel(Text(kStartModeText), this);
  text->setMinimumWidth(360);
  layout->addWidget(text);
  auto* buttons = new QHBoxLayout;
  auto* async = new QPushButton("Async Mode", this);
  auto* realTime = new QPushButton("Real Time Mode", this);
  auto* cancel = new QPushButton("Cancel", this);
  async->setDefault(true);
  for (QPushButton* button : {async, realTime, cancel}) {
    button->setAccessibleName(button->text());
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);
  connect(async, &QPushButton::clicked, this, [this] {
    choice_ = ControlMode::kAsync;
    accept();
  });
  connect(realTime, &QPushButton::clicked, this, [this] {
    choice_ = ControlMode::kRealTime;
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CStartModeDialog::keyPressEvent(QKeyEvent* event) {
  // The arrow keys do not move between the three answers, as on the pages.
  if (IsArrowKey(event->key())) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

// --- "Tuner Region" -------------------------------------------------------------------

CTunerRegionDialog::CTunerRegionDialog(int current, QWidget* parent)
    : QDialog(parent), group_(new QButtonGroup(this)) {
  setWindowTitle("Tuner Region");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PlainLabel("Please choose \"Tuner Region.\"", this));
  auto* box = new QGroupBox(this);
  box->setAccessibleName("Tuner Region");
  auto* radios = new QVBoxLayout(box);
  int region = 0;
  for (std::string_view name : kRegionNames) {
    auto* radio = new QRadioButton(Text(name), box);
    radio->setAccessibleName(radio->text());
    group_->addButton(radio, region);
    radios->addWidget(radio);
    ++region;
  }
  if (QAbstractButton* chosen = group_->button(current)) chosen->setChecked(true);
  layout->addWidget(box);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

int CTunerRegionDialog::Region() const {
  return group_->checkedId();
}

// --- "Notice" -------------------------------------------------------------------------

CConfirmDownDlg::CConfirmDownDlg(QWidget* parent, const QString& detail)
    : QDialog(parent), dontShow_(new QCheckBox(Text(kDontShowAgainText), this)) {
  setWindowTitle("Notice");
  auto* layout = new QVBoxLayout(this);
  QString text = Text(kNoticeText);
  text.replace("\r\n", "\n");
  layout->addWidget(PlainLabel(text, this));
  if (!detail.isEmpty()) {
    QLabel* more = PlainLabel(detail, this);
    more->setWordWrap(true);
    more->setAccessibleName("What will be sent");
    layout->addWidget(more);
  }
  dontShow_->setAccessibleName(dontShow_->text());
  layout->addWidget(dontShow_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

bool CConfirmDownDlg::DontShowAgain() const {
  return dontShow_->isChecked();
}

// --- "Download Parts" -----------------------------------------------------------------

CDownloadPartsDialog::CDownloadPartsDialog(const std::vector<std::string>& parts, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)) {
  setWindowTitle("Download Parts");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      PlainLabel("Tick what to write into the receiver. The rest of the receiver's "
                 "configuration stays as it is.",
                 this));
  list_->setAccessibleName("Parts to download");
  for (const std::string& part : parts) {
    auto* item = new QListWidgetItem(QString::fromStdString(part), list_);
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
  }
  list_->setMinimumHeight(list_->sizeHintForRow(0) * 12);
  layout->addWidget(list_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setText("Download");
  ok->setEnabled(false);
  connect(list_, &QListWidget::itemChanged, this,
          [this, ok] { ok->setEnabled(!Chosen().empty()); });
  // Space ticks the current row, as a click on its box does.
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

std::vector<std::string> CDownloadPartsDialog::Chosen() const {
  std::vector<std::string> chosen;
  for (int row = 0; row < list_->count(); ++row) {
    if (list_->item(row)->checkState() == Qt::Checked)
      chosen.push_back(list_->item(row)->text().toStdString());
  }
  return chosen;
}

// --- "Frequency" ----------------------------------------------------------------------

CFrequencyWindow::CFrequencyWindow(CFrequencyDialog& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog), list_(new QListWidget(this)) {
  setWindowTitle("Frequency");
  auto* layout = new QVBoxLayout(this);
  list_->setAccessibleName("Frequency");
  for (const std::string& row : dialog_.Rows()) list_->addItem(QString::fromStdString(row));
  list_->setCurrentRow(dialog_.SelectedRow());
  layout->addWidget(list_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) dialog_.SelectRow(row);
  });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    answer_ = dialog_.DoubleClickRow(list_->row(item));
    accept();
  });
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    answer_ = dialog_.Ok();
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

}  // namespace qamp
