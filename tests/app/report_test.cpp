// The "Report" window, the report's pages and its PDF export.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>

#include "app/report_printer.h"
#include "app/report_window.h"
#include "support/app_harness.h"

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace qamp {
namespace {

using testing::AppHarness;

// The pages of a PDF file: its page objects, not the page tree.
int PdfPageCount(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray pdf = file.readAll();
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
  return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

// --- The window ------------------------------------------------------------------------

TEST(ReportWindow, ShowsTheReportAsTypedInAMonospacedFontWithoutWrapping) {
  AppHarness harness;
  harness.link().SetUserMemo("<b>x</b> &amp; <i>y</i>\r\nsecond line");
  const std::string report = harness.app.Report();
  CReportWindow window(report);
  window.show();
  EXPECT_EQ(window.windowTitle(), "Report");
  QPlainTextEdit* view = window.ReportView();
  EXPECT_EQ(view->accessibleName(), "Report");
  EXPECT_TRUE(view->isReadOnly());
  EXPECT_EQ(view->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_TRUE(QFontInfo(view->font()).fixedPitch());

  // One line of the view per line of the report, word for word.
  QStringList expected = QString::fromStdString(report).split(QStringLiteral("\r\n"));
  QStringList shown;
  for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next()) {
    shown << block.text();
  }
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(shown.at(0), QString(80, u'='));
  EXPECT_EQ(shown.at(8), "<b>x</b> &amp; <i>y</i>");
  EXPECT_EQ(shown.at(9), "second line");
  // Not one character is bold or italic.
  for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next()) {
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
      EXPECT_NE(it.fragment().charFormat().fontWeight(), QFont::Bold);
      EXPECT_FALSE(it.fragment().charFormat().fontItalic());
    }
  }
}

TEST(ReportWindow, CloseEndsTheDialog) {
  CReportWindow window("report");
  window.show();
  QSignalSpy finished(&window, &QDialog::finished);
  QPushButton* close = nullptr;
  for (QPushButton* button : window.findChildren<QPushButton*>()) {
    if (button->accessibleName() == "Close") close = button;
  }
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->text(), "Close");
  QTest::mouseClick(close, Qt::LeftButton);
  EXPECT_EQ(finished.count(), 1);
  EXPECT_FALSE(window.isVisible());
}

TEST(StoredText, IsUtf8WithStrayBytesTakenAsLatin1) {
  EXPECT_EQ(TextFromStored("plain"), "plain");
  EXPECT_EQ(TextFromStored("caf\xC3\xA9"), QString::fromUtf8("caf\xC3\xA9"));
  EXPECT_EQ(TextFromStored("caf\xE9"), QString::fromUtf8("caf\xC3\xA9"));
  // A sequence cut short, an over-long form and an encoded surrogate are
  // no characters: each byte stands for itself.
  EXPECT_EQ(TextFromStored("\xE2\x82"), QString::fromUtf8("\xC3\xA2\xC2\x82"));
  EXPECT_EQ(TextFromStored("\xC0\xAF"), QString::fromUtf8("\xC3\x80\xC2\xAF"));
  EXPECT_EQ(TextFromStored("\xED\xA0\x80"), QString::fromUtf8("\xC3\xAD\xC2\xA0\xC2\x80"));
  EXPECT_EQ(TextFromStored("\xF0\x9F\x8E\xB5!"), QString::fromUtf8("\xF0\x9F\x8E\xB5!"));
  EXPECT_EQ(TextFromStored(std::string_view("a\0b", 3)), QString("a") + QChar(0) + "b");
}

// --- Lines and pages -------------------------------------------------------------------

TEST(ReportLines, SplitAtEachLineEndAndExpandTabs) {
  EXPECT_EQ(SplitReportLines("a\r\nb\r\n"), QStringList({"a", "b"}));
  EXPECT_EQ(SplitReportLines("a\r\n\r\nb"), QStringList({"a", "", "b"}));
  EXPECT_EQ(SplitReportLines("a\nb\rc"), QStringList({"a", "b", "c"}));
  EXPECT_EQ(SplitReportLines("\r\n"), QStringList({""}));
  EXPECT_EQ(SplitReportLines(""), QStringList());
  EXPECT_EQ(SplitReportLines("ab\tc\r\n\tx"), QStringList({"ab      c", "        x"}));
}

struct PaginationCase {
  const char* name;
  std::vector<double> heights;
  double pageHeight;
  std::vector<PrintedPage> pages;
};

TEST(ReportPagination, ALineThatDoesNotFitBeginsTheNextPage) {
  const PaginationCase cases[] = {
      {"three fit, the fourth does not", {30, 30, 30, 30}, 100, {{0, 3}, {3, 1}}},
      {"a page filled exactly", {50, 50, 50}, 100, {{0, 2}, {2, 1}}},
      {"sums that round above the page", {1.1, 1.1, 1.1, 1.1}, 3.3, {{0, 3}, {3, 1}}},
      {"a line taller than the page alone", {30, 150, 30}, 100, {{0, 1}, {1, 1}, {2, 1}}},
      {"the first line taller than the page", {150, 10, 10}, 100, {{0, 1}, {1, 2}}},
      {"a taller line after a full page", {60, 40, 150}, 100, {{0, 2}, {2, 1}}},
      {"one line", {10}, 100, {{0, 1}}},
      {"nothing", {}, 100, {}},
  };
  for (const PaginationCase& test : cases) {
    SCOPED_TRACE(test.name);
    const std::vector<PrintedPage> pages =
        PaginateLines(static_cast<int>(test.heights.size()), test.pageHeight,
                      [&](int line) { return test.heights[static_cast<size_t>(line)]; });
    EXPECT_EQ(pages, test.pages);
  }
}

// A report of the application: long enough for several pages.
QString ReportOf(AppHarness& harness) {
  return TextFromStored(harness.app.Report());
}

TEST(ReportPages, PageTwoBeginsWithTheFirstLineThatDidNotFit) {
  AppHarness harness;
  const QStringList lines = SplitReportLines(ReportOf(harness));
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  SetUpReportPdf(writer);

  // No line of the report is wider than 80 columns, so each takes one row.
  const QFont font = ReportFont(writer);
  EXPECT_TRUE(QFontInfo(font).fixedPitch());
  const QFontMetricsF metrics(font, &writer);
  ASSERT_LE(metrics.horizontalAdvance(QString(80, u'=')), writer.width());
  const auto perPage = static_cast<int>(writer.height() / metrics.lineSpacing());

  const std::vector<PrintedPage> pages = LayOutReport(lines, writer);
  ASSERT_GT(pages.size(), 1U);
  EXPECT_EQ(pages[0], (PrintedPage{0, perPage}));
  EXPECT_EQ(pages[1].firstLine, perPage);
  int next = 0;
  for (const PrintedPage& page : pages) {
    EXPECT_EQ(page.firstLine, next);
    EXPECT_GT(page.lineCount, 0);
    next += page.lineCount;
  }
  EXPECT_EQ(next, lines.size());
}

TEST(ReportPages, ALineWiderThanThePageWrapsAndTakesTheRoomOfItsRows) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  SetUpReportPdf(writer);
  const QFontMetricsF metrics(ReportFont(writer), &writer);
  const auto perPage = static_cast<int>(writer.height() / metrics.lineSpacing());
  const auto perRow = static_cast<int>(writer.width() / metrics.horizontalAdvance(u'x'));

  // Three rows of the long line leave room for perPage - 3 short ones.
  QStringList lines = {QString(perRow * 2 + 1, u'x')};
  for (int line = 0; line < perPage; ++line) lines << QStringLiteral("short");
  const std::vector<PrintedPage> pages = LayOutReport(lines, writer);
  ASSERT_EQ(pages.size(), 2U);
  EXPECT_EQ(pages[0], (PrintedPage{0, perPage - 2}));
  EXPECT_EQ(pages[1], (PrintedPage{perPage - 2, 3}));

  // A line of more rows than a page holds is a page of its own.
  lines = QStringList{QStringLiteral("before"), QString(perRow * (perPage + 5), u'x'),
                      QStringLiteral("after")};
  EXPECT_EQ(LayOutReport(lines, writer), (std::vector<PrintedPage>{{0, 1}, {1, 1}, {2, 1}}));
}

// --- Printing and export ---------------------------------------------------------------

TEST(ReportPrinting, PrintsEveryPageOnThePrinter) {
  AppHarness harness;
  QTemporaryDir directory;
  const QString path = directory.filePath("printed.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  const QString report = ReportOf(harness);
  const std::vector<PrintedPage> pages = LayOutReport(SplitReportLines(report), printer);
  ASSERT_GT(pages.size(), 1U);

  const PrintResult result = PrintReport(printer, report);
  EXPECT_TRUE(result.ok) << result.error.toStdString();
  EXPECT_EQ(PdfPageCount(path), static_cast<int>(pages.size()));
}

TEST(ReportPrinting, TheDialogOffersNeitherARangeNorASelectionNorAFile) {
  const auto options = ReportPrintDialogOptions();
  EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintPageRange));
  EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintSelection));
  EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintToFile));
  EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintCurrentPage));
}

TEST(ReportExport, WritesAPdfOfTheSamePagesOverAnOlderFile) {
  AppHarness harness;
  QTemporaryDir directory;
  const QString path = directory.filePath("living room.pdf");
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older file");
  }
  const QString report = ReportOf(harness);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  SetUpReportPdf(writer);
  const size_t expected = LayOutReport(SplitReportLines(report), writer).size();
  ASSERT_GT(expected, 1U);

  const PrintResult result = ExportReportPdf(path, report);
  EXPECT_TRUE(result.ok) << result.error.toStdString();
  QFile written(path);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_TRUE(written.read(5) == "%PDF-");
  EXPECT_EQ(PdfPageCount(path), static_cast<int>(expected));
  EXPECT_EQ(QDir(directory.path()).entryList(QDir::Files), QStringList({"living room.pdf"}));
}

TEST(ReportExport, AFailureNamesThePathAndTheReasonAndLeavesNoFile) {
  QTemporaryDir directory;
  const QString path = directory.filePath("missing/report.pdf");
  const PrintResult result = ExportReportPdf(path, QStringLiteral("one line\r\n"));
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.error.contains(QDir::toNativeSeparators(path))) << result.error.toStdString();
  EXPECT_TRUE(result.error.contains(QStringLiteral("No such file or directory")))
      << result.error.toStdString();
  EXPECT_TRUE(QDir(directory.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

  // A path that is a directory is refused the same way.
  const PrintResult onDirectory = ExportReportPdf(directory.path(), QStringLiteral("x"));
  EXPECT_FALSE(onDirectory.ok);
  EXPECT_TRUE(onDirectory.error.contains(QDir::toNativeSeparators(directory.path())));
  EXPECT_TRUE(QDir(directory.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

}  // namespace
}  // namespace qamp
