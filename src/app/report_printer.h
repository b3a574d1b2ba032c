// Printing the configuration report: its lines laid out on the printable
// area of each page in a monospaced font, for a printer or a PDF file. A
// line that does not fit on a page begins the next one; a line longer than
// the page is wide wraps (a long line of the memo would otherwise be cut
// off at the edge of the paper), and the height of its wrapped rows is what
// the page must hold.
#pragma once

#include <QAbstractPrintDialog>
#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QPaintDevice;
class QPdfWriter;
class QPrinter;

namespace qamp {

// The lines of a report: split at each line end (CR LF, or a bare CR or
// LF); tabs become blanks up to the next multiple of eight columns, so that
// columns stay as they were typed. Nothing after the last line end is a line.
QStringList SplitReportLines(const QString& report);

// One printed page: the report lines [firstLine, firstLine + lineCount).
struct PrintedPage {
  int firstLine = 0;
  int lineCount = 0;
  bool operator==(const PrintedPage&) const = default;
};

// The pages of `lineCount` lines whose heights `lineHeight` gives: each
// page takes lines while their heights together fit `pageHeight`; the line
// that does not fit begins the next page. A single line taller than a page
// is printed alone on its page (cut at the bottom) rather than lost.
std::vector<PrintedPage> PaginateLines(int lineCount, double pageHeight,
                                       const std::function<double(int line)>& lineHeight);

// The report's font on `device`: monospaced, 10 points, smaller only when
// 80 columns (the width of the report's rules) would not fit the width.
QFont ReportFont(QPaintDevice& device);

// The pages of `lines` on `device` in the report's font, over the device's
// whole printable area.
std::vector<PrintedPage> LayOutReport(const QStringList& lines, QPaintDevice& device);

struct PrintResult {
  bool ok = true;
  QString error;  // what went wrong, for a message box
};

// Prints the report on a printer the user has chosen (QPrintDialog with
// ReportPrintDialogOptions()).
PrintResult PrintReport(QPrinter& printer, const QString& report);
// Writes the report as a PDF file with the same pages. A failure names the
// path and the reason, and leaves no file behind (an existing file at
// `path` stays as it was).
PrintResult ExportReportPdf(const QString& path, const QString& report);

// The paper of an exported report: A4 (Letter where the locale measures in
// inches), 15 mm margins, 300 dots per inch.
void SetUpReportPdf(QPdfWriter& writer);

// The print dialog's options: the report is always printed whole and to
// a printer, so neither a page range, a selection nor printing to a file
// are offered.
QAbstractPrintDialog::PrintDialogOptions ReportPrintDialogOptions();

// The file dialog filter of "Export PDF...".
inline constexpr char kReportPdfFilter[] = "PDF File (*.pdf)";

}  // namespace qamp
