#include "app/parametric_eq_window.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/dialogs.h"
#include "app/eq_curve_widget.h"
#include "app/page_controls.h"
#include "pages/eq_curves.h"
#include "pages/parametric_eq_page.h"
#include "pages/rew_filters.h"
#include "qt/text_file.h"

namespace qamp {

namespace {

QString TextOfChoice(const CBasePage& page, int comboId) {
  const Control* combo = page.FindControl(comboId);
  if (combo == nullptr || !IsIndexOf(combo->value, combo->items)) return {};
  return FromModel(combo->items[static_cast<size_t>(combo->value)]);
}

QTableWidgetItem* Cell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

}  // namespace

CParametricEqWindow::CParametricEqWindow(CPEQSetPage& page, CDialogs& dialogs, QWidget* parent)
    : QDialog(parent), page_(page), dialogs_(dialogs) {
  setWindowTitle("Parametric EQ");
  setAccessibleName("Parametric EQ");
  auto* layout = new QVBoxLayout(this);
  QLabel* about = PlainLabel(
      "The receiver's room calibration result, shown read-only. An imported Room EQ Wizard "
      "filter file replaces the bands of the channel shown.");
  about->setWordWrap(true);
  layout->addWidget(about);

  auto* channelLine = new QHBoxLayout;
  QLabel* channelLabel = PlainLabel("Channel");
  channel_ = new QComboBox;
  channel_->setAccessibleName("Channel");
  channel_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  channelLabel->setBuddy(channel_);
  channelLine->addWidget(channelLabel);
  channelLine->addWidget(channel_);
  channelLine->addStretch(1);
  layout->addLayout(channelLine);
  connect(channel_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index < 0) return;
    page_.ChooseCombo(CPEQSetPage::kChannelCombo, index);
    Draw();
  });

  auto* body = new QHBoxLayout;
  table_ = new QTableWidget(0, 4);
  table_->setAccessibleName("Bands");
  table_->setHorizontalHeaderLabels({"Band", "Frequency", "Q", "Gain"});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  body->addWidget(table_, 0, Qt::AlignTop);
  plot_ = new CEqCurveWidget(-24.0, 12.0);
  body->addWidget(plot_, 1);
  layout->addLayout(body, 1);

  note_ = PlainLabel();
  note_->setWordWrap(true);
  note_->setAccessibleName("Import");
  note_->hide();
  layout->addWidget(note_);

  auto* buttons = new QHBoxLayout;
  import_ = new QPushButton("Import REW Filters...");
  export_ = new QPushButton("Export REW Filters...");
  auto* close = new QPushButton("Close");
  import_->setAccessibleName("Import REW Filters");
  export_->setAccessibleName("Export REW Filters");
  close->setAccessibleName("Close");
  for (QPushButton* button : {import_, export_, close}) button->setAutoDefault(false);
  buttons->addWidget(import_);
  buttons->addWidget(export_);
  buttons->addStretch(1);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  connect(import_, &QPushButton::clicked, this, &CParametricEqWindow::Import);
  connect(export_, &QPushButton::clicked, this, &CParametricEqWindow::Export);
  connect(close, &QPushButton::clicked, this, &QDialog::close);

  resize(860, 420);
  page_.RefreshAll();
  Draw();
}

void CParametricEqWindow::showEvent(QShowEvent* event) {
  Follow();
  QDialog::showEvent(event);
}

void CParametricEqWindow::Follow() {
  page_.RefreshAll();
  Render();
}

void CParametricEqWindow::Render() {
  if (drawn_ && page_.Revision() == revision_) return;
  Draw();
}

void CParametricEqWindow::Draw() {
  drawn_ = true;
  revision_ = page_.Revision();
  const Control* channel = page_.FindControl(CPEQSetPage::kChannelCombo);
  if (channel != nullptr) {
    const QSignalBlocker block(channel_);
    if (channel_->count() != static_cast<int>(channel->items.size())) {
      channel_->clear();
      for (const std::string& item : channel->items) channel_->addItem(FromModel(item));
    }
    channel_->setCurrentIndex(IsIndexOf(channel->value, channel->items) ? channel->value : -1);
  }
  const size_t bands = CPEQSetPage::BandsOfRecord(page_.SelectedSubIndex());
  table_->setRowCount(static_cast<int>(bands));
  for (size_t band = 0; band < bands; ++band) {
    const int row = static_cast<int>(band);
    const Control* gain = page_.FindControl(CPEQSetPage::GainSliderOf(band));
    table_->setItem(row, 0, Cell(QString::number(band + 1)));
    table_->setItem(row, 1, Cell(TextOfChoice(page_, CPEQSetPage::FrequencyComboOf(band))));
    table_->setItem(row, 2, Cell(TextOfChoice(page_, CPEQSetPage::QComboOf(band))));
    table_->setItem(row, 3,
                    Cell(gain != nullptr ? FromModel(TenthsText(gain->value, "dB")) : QString()));
  }
  const EqCurve curve = ParametricEqCurve(page_);
  plot_->SetCurves({curve}, FromModel(curve.name));
}

void CParametricEqWindow::Import() {
  const QString name = dialogs_.FilterFileToImport(this);
  if (name.isEmpty()) return;
  const QString title = "Import REW Filters";
  std::string text;
  std::string error;
  if (!ReadTextFile(name.toStdString(), text, error)) {
    dialogs_.Show(this, FromModel(error), title, MessageIcon::kError);
    return;
  }
  const std::string channel = ShownParametricChannel(page_);
  const PeqImport import =
      RoundToReceiver(ParseRewFilters(text), ShownParametricBands(page_), channel);
  const QString file = QFileInfo(name).fileName();
  if (!import.error.empty()) {
    dialogs_.Show(this, file + ": " + FromModel(import.error), title, MessageIcon::kError);
    return;
  }
  QString rounded;
  for (const std::string& line : import.rounded) rounded += "\n" + FromModel(line);
  const QString summary = rounded.isEmpty() ? "Every value is one of the receiver's steps."
                                            : "Rounded to the receiver's steps:" + rounded;
  const QString question = "Replace the parametric EQ bands of " + FromModel(channel) +
                           " with the filters of " + file + "?\n\n" + summary;
  if (!dialogs_.Ask(this, question, title, MessageIcon::kQuestion, false)) return;
  ApplyParametricBands(page_, import.bands);
  note_->setText("Imported " + file + " into " + FromModel(channel) + ". " + summary);
  note_->show();
  Draw();
}

void CParametricEqWindow::Export() {
  const std::string channel = ShownParametricChannel(page_);
  QString suggested = FromModel(channel) + " filters.txt";
  suggested.replace(' ', '_');
  const QString name = dialogs_.FilterFileToExport(this, suggested);
  if (name.isEmpty()) return;
  std::string error;
  if (!WriteTextFileAtomically(name.toStdString(),
                               WriteRewFilters(channel, ShownParametricBands(page_)), error)) {
    dialogs_.Show(this, FromModel(error), "Export REW Filters", MessageIcon::kError);
  }
}

}  // namespace qamp
