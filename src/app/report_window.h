// The "Report" window: the configuration report as the user will print it,
// read-only, in a monospaced font so that its rules and columns line up.
#pragma once

#include <QDialog>
#include <QString>
#include <string_view>

class QPlainTextEdit;

namespace qamp {

// A text as the program keeps it (the report, the memo, names from the
// receiver or a file): UTF-8, where a byte that is not part of a UTF-8
// character is taken as its Latin-1 character, so that no text is lost.
QString TextFromStored(std::string_view text);

class CReportWindow : public QDialog {
  Q_OBJECT

 public:
  // The text of the menu command that opens the window.
  static constexpr char kPrompt[] = "Make Report";

  explicit CReportWindow(std::string_view report, QWidget* parent = nullptr);

  QPlainTextEdit* ReportView() const { return view_; }

 private:
  QPlainTextEdit* view_;
};

}  // namespace qamp
