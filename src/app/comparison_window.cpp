#include "app/comparison_window.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/report_window.h"

namespace qamp {

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const QStringList kColumns = {"Section", "Parameter", "Receiver", "This configuration"};

QLabel* PlainLabel(const QString& text, const QString& name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAccessibleName(name);
  return label;
}

// The cells of one row, in the order of the columns.
QStringList RowCells(const Difference& difference) {
  return {CellText(difference.section), CellText(difference.key), CellText(difference.a),
          CellText(difference.b)};
}

}  // namespace

QString ComparisonSummary(const ComparisonResult& result) {
  const size_t count = result.differences.size();
  if (count == 0) {
    return result.unansweredReads > 0
               ? QString("No parameter differs among those the receiver answered.")
               : Text(kReceiverHoldsConfiguration);
  }
  if (count == 1) return "1 parameter differs between the receiver and this configuration.";
  return QString("%1 parameters differ between the receiver and this configuration.").arg(count);
}

QString ComparisonScopeText(const ComparisonResult& result) {
  if (result.read == ReceiverRead::kUpload) {
    return QString(
               "Compared: the current setting and every memory of the receiver on %1, read "
               "with an Upload.")
        .arg(result.port);
  }
  return QString(
             "Compared: the current setting of the receiver on %1. Input DSP and the memories "
             "are compared with \"Current setting and System memories\" only.")
      .arg(result.port);
}

QString UnansweredText(const ComparisonResult& result) {
  if (result.unansweredReads <= 0) return {};
  QString text = Text(UnansweredReadsText(result.unansweredReads));
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  return text + ". The error log names them (Help > Save Diagnostics...).";
}

QString ComparisonClipboardText(const ComparisonResult& result) {
  QString text = kColumns.join('\t') + '\n';
  for (const Difference& difference : result.differences)
    text += RowCells(difference).join('\t') + '\n';
  return text;
}

QString CellText(std::string_view text) {
  const QString stored = TextFromStored(text);
  QString cell;
  cell.reserve(stored.size());
  for (const QChar c : stored) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
      cell += "<0x" + QString::number(c.unicode(), 16).rightJustified(2, '0').toUpper() + ">";
    } else {
      cell += c;
    }
  }
  return cell;
}

// --- What to compare ------------------------------------------------------------------

CComparisonScopeDialog::CComparisonScopeDialog(QWidget* parent)
    : QDialog(parent), group_(new QButtonGroup(this)) {
  setWindowTitle(Text(kCompareTitle));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PlainLabel(
      "The receiver is read into a configuration of its own and compared with the one open in "
      "this window, which stays as it is.",
      "What happens", this));
  auto* box = new QGroupBox("What to compare", this);
  box->setAccessibleName(box->title());
  auto* choices = new QVBoxLayout(box);
  const struct {
    ReceiverRead read;
    const char* caption;
    const char* detail;
  } options[] = {
      {ReceiverRead::kCurrentSetting, "Current setting",
       "A connection's read, about a minute. Input DSP and the memories are not compared."},
      {ReceiverRead::kUpload, "Current setting and System memories",
       "An Upload, several minutes. The receiver is walked through its memories and inputs and "
       "given its own setting back at the end."},
  };
  for (const auto& option : options) {
    auto* radio = new QRadioButton(option.caption, box);
    radio->setAccessibleName(radio->text());
    group_->addButton(radio, static_cast<int>(option.read));
    choices->addWidget(radio);
    QLabel* detail = PlainLabel(option.detail, QString(option.caption) + " detail", box);
    detail->setContentsMargins(24, 0, 0, 6);
    choices->addWidget(detail);
    radio->setAccessibleDescription(detail->text());
  }
  layout->addWidget(box);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setText("Compare");
  ok->setAccessibleName("Compare");
  buttons->button(QDialogButtonBox::Cancel)->setAccessibleName("Cancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  Choose(ReceiverRead::kCurrentSetting);
  setMinimumWidth(440);
}

ReceiverRead CComparisonScopeDialog::Choice() const {
  return group_->checkedId() == static_cast<int>(ReceiverRead::kUpload)
             ? ReceiverRead::kUpload
             : ReceiverRead::kCurrentSetting;
}

void CComparisonScopeDialog::Choose(ReceiverRead read) {
  if (QAbstractButton* button = group_->button(static_cast<int>(read))) button->setChecked(true);
}

// --- The differences ------------------------------------------------------------------

CComparisonWindow::CComparisonWindow(ComparisonResult result, QWidget* parent)
    : QDialog(parent),
      result_(std::move(result)),
      table_(new QTableWidget(this)),
      summary_(PlainLabel(ComparisonSummary(result_), "Summary", this)) {
  setWindowTitle(result_.configuration.isEmpty()
                     ? Text(kCompareTitle)
                     : Text(kCompareTitle) + " - " + result_.configuration);
  setSizeGripEnabled(true);
  auto* layout = new QVBoxLayout(this);
  QFont bold = summary_->font();
  bold.setBold(true);
  summary_->setFont(bold);
  layout->addWidget(summary_);
  layout->addWidget(PlainLabel(ComparisonScopeText(result_), "What was compared", this));
  const QString unanswered = UnansweredText(result_);
  if (!unanswered.isEmpty()) layout->addWidget(PlainLabel(unanswered, "Unanswered reads", this));

  table_->setAccessibleName("Differences");
  table_->setColumnCount(static_cast<int>(kColumns.size()));
  table_->setHorizontalHeaderLabels(kColumns);
  table_->setRowCount(static_cast<int>(result_.differences.size()));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
  for (int row = 0; row < table_->rowCount(); ++row) {
    const QStringList cells = RowCells(result_.differences[static_cast<size_t>(row)]);
    for (int column = 0; column < cells.size(); ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      table_->setItem(row, column, item);
    }
  }
  table_->resizeColumnsToContents();
  // A little air after the longest text of each column.
  for (int column = 0; column < table_->columnCount(); ++column)
    table_->setColumnWidth(column, table_->columnWidth(column) + 16);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setVisible(!result_.differences.empty());
  layout->addWidget(table_, 1);

  auto* copy = new QPushButton("Copy", this);
  copy->setAccessibleName("Copy");
  copy->setToolTip("Put the table on the clipboard as tab-separated text");
  copy->setEnabled(!result_.differences.empty());
  auto* close = new QPushButton("Close", this);
  close->setAccessibleName("Close");
  close->setDefault(true);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(copy, QDialogButtonBox::ActionRole);
  buttons->addButton(close, QDialogButtonBox::RejectRole);
  connect(copy, &QPushButton::clicked, this, [this] { CopyToClipboard(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  // Wide enough for the columns as they are, and never larger than the screen.
  int width = 0;
  for (int column = 0; column < table_->columnCount(); ++column)
    width += table_->columnWidth(column);
  QSize wanted(std::max(560, width + 60),
               result_.differences.empty()
                   ? sizeHint().height()
                   : std::max(360, std::min(14, table_->rowCount()) *
                                           table_->verticalHeader()->defaultSectionSize() +
                                       220));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    wanted = wanted.boundedTo(screen->availableSize() * 9 / 10);
  }
  resize(wanted);
  // Enter or Escape closes; the arrows reach the table from Tab.
  close->setFocus();
}

QString CComparisonWindow::SummaryText() const {
  return summary_->text();
}

void CComparisonWindow::CopyToClipboard() const {
  QGuiApplication::clipboard()->setText(ComparisonClipboardText(result_));
}

}  // namespace qamp
