// "Compare with Receiver...": the question of what to read, and the window
// that lists where the receiver and the configuration open in the window
// differ. The reading itself is CReceiverComparison's.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "document/configuration_diff.h"

class QButtonGroup;
class QLabel;
class QTableWidget;

namespace qamp {

inline constexpr std::string_view kCompareTitle = "Compare with Receiver";
inline constexpr std::string_view kReceiverHoldsConfiguration =
    "The receiver holds this configuration.";

// A comparison that read the receiver: the differences, receiver (a) and
// window (b), and how many reads the receiver did not answer.
struct ComparisonResult {
  ReceiverRead read = ReceiverRead::kCurrentSetting;
  QString port;           // the device the receiver was read on
  QString configuration;  // the window's document, as its title names it
  std::vector<Difference> differences;
  int unansweredReads = 0;
};

// The line over the table: how many parameters differ, or that the
// receiver holds the configuration.
QString ComparisonSummary(const ComparisonResult& result);
// What was read and compared, and what was not.
QString ComparisonScopeText(const ComparisonResult& result);
// The line on the reads the receiver did not answer; empty when it answered
// every one.
QString UnansweredText(const ComparisonResult& result);
// The table as tab-separated lines with a header line, for the clipboard.
QString ComparisonClipboardText(const ComparisonResult& result);
// A text from the receiver or a file as one line of a cell: control
// characters shown as <0xNN>, so that no text breaks a row.
QString CellText(std::string_view text);

// The choice of what to read: the current setting (a connection's read)
// or the current setting and the System memories (an Upload).
class CComparisonScopeDialog : public QDialog {
 public:
  explicit CComparisonScopeDialog(QWidget* parent = nullptr);
  ReceiverRead Choice() const;
  void Choose(ReceiverRead read);

 private:
  QButtonGroup* group_;
};

class CComparisonWindow : public QDialog {
 public:
  explicit CComparisonWindow(ComparisonResult result, QWidget* parent = nullptr);

  QTableWidget* Table() const { return table_; }
  QString SummaryText() const;
  // Puts the table on the clipboard ("Copy").
  void CopyToClipboard() const;

 private:
  ComparisonResult result_;
  QTableWidget* table_;
  QLabel* summary_;
};

}  // namespace qamp
