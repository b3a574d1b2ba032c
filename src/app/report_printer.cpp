#include "app/report_printer.h"

#include "app/fixed_font.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextLayout>
#include <memory>

namespace qamp {

namespace {

constexpr double kReportPointSize = 10.0;
constexpr double kSmallestPointSize = 4.0;
constexpr int kRuleColumns = 80;
constexpr int kTabColumns = 8;
constexpr int kPdfResolution = 300;
constexpr double kPdfMarginMm = 15.0;

// Lays `layout` out in rows of `width`, breaking between words where it
// can and anywhere in a word longer than a row; the number of rows.
int LayOutRows(QTextLayout& layout, double width, double lineSpacing) {
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  int rows = 0;
  for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
    row.setLineWidth(width);
    row.setPosition(QPointF(0, rows * lineSpacing));
    ++rows;
  }
  layout.endLayout();
  return rows > 0 ? rows : 1;
}

struct ReportGeometry {
  QFont font;
  double width = 0;
  double height = 0;
  double lineSpacing = 0;
};

ReportGeometry GeometryOf(QPaintDevice& device) {
  ReportGeometry geometry;
  geometry.font = ReportFont(device);
  geometry.width = device.width();
  geometry.height = device.height();
  geometry.lineSpacing = QFontMetricsF(geometry.font, &device).lineSpacing();
  return geometry;
}

std::vector<PrintedPage> Paginate(const QStringList& lines, QPaintDevice& device,
                                  const ReportGeometry& geometry) {
  return PaginateLines(static_cast<int>(lines.size()), geometry.height, [&](int line) {
    QTextLayout layout(lines[line], geometry.font, &device);
    return LayOutRows(layout, geometry.width, geometry.lineSpacing) * geometry.lineSpacing;
  });
}

PrintResult Render(QPainter& painter, QPagedPaintDevice& device, const QString& report) {
  const QStringList lines = SplitReportLines(report);
  const ReportGeometry geometry = GeometryOf(device);
  const std::vector<PrintedPage> pages = Paginate(lines, device, geometry);
  painter.setFont(geometry.font);
  painter.setPen(Qt::black);
  for (size_t page = 0; page < pages.size(); ++page) {
    if (page > 0 && !device.newPage()) {
      return {false, QStringLiteral("page %1 could not be started").arg(page + 1)};
    }
    // A line taller than the page is cut at its bottom edge, not drawn
    // over the margin.
    painter.setClipRect(QRectF(0, 0, geometry.width, geometry.height));
    double top = 0;
    for (int line = pages[page].firstLine; line < pages[page].firstLine + pages[page].lineCount;
         ++line) {
      QTextLayout layout(lines[line], geometry.font, &device);
      const int rows = LayOutRows(layout, geometry.width, geometry.lineSpacing);
      layout.draw(&painter, QPointF(0, top));
      top += rows * geometry.lineSpacing;
    }
  }
  return {};
}

PrintResult WriteFailure(const QString& path, const QString& reason) {
  return {false, QStringLiteral("The report could not be written to \"%1\": %2.")
                     .arg(QDir::toNativeSeparators(path), reason)};
}

QPageSize DefaultPaperSize() {
  return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                       ? QPageSize::Letter
                       : QPageSize::A4);
}

}  // namespace

QStringList SplitReportLines(const QString& report) {
  QStringList lines;
  QString current;
  for (qsizetype i = 0; i < report.size(); ++i) {
    const QChar ch = report[i];
    if (ch == u'\r' || ch == u'\n') {
      lines.push_back(current);
      current.clear();
      if (ch == u'\r' && i + 1 < report.size() && report[i + 1] == u'\n') ++i;
    } else if (ch == u'\t') {
      current += QString(kTabColumns - current.size() % kTabColumns, u' ');
    } else {
      current += ch;
    }
  }
  if (!current.isEmpty()) lines.push_back(current);
  return lines;
}

std::vector<PrintedPage> PaginateLines(int lineCount, double pageHeight,
                                       const std::function<double(int line)>& lineHeight) {
  // Heights are sums of font measures; a page that is filled exactly must
  // not lose its last line to rounding.
  const double tolerance = pageHeight * 1e-9;
  std::vector<PrintedPage> pages;
  int line = 0;
  while (line < lineCount) {
    PrintedPage page{line, 0};
    double used = 0;
    while (line < lineCount) {
      const double height = lineHeight(line);
      if (page.lineCount > 0 && used + height > pageHeight + tolerance) break;
      used += height;
      ++page.lineCount;
      ++line;
    }
    pages.push_back(page);
  }
  return pages;
}

QFont ReportFont(QPaintDevice& device) {
  QFont font = FixedPitchFont();
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPointSizeF(kReportPointSize);
  const QString rule(kRuleColumns, u'=');
  while (font.pointSizeF() > kSmallestPointSize &&
         QFontMetricsF(font, &device).horizontalAdvance(rule) > device.width()) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
  }
  return font;
}

std::vector<PrintedPage> LayOutReport(const QStringList& lines, QPaintDevice& device) {
  return Paginate(lines, device, GeometryOf(device));
}

PrintResult PrintReport(QPrinter& printer, const QString& report) {
  QPainter painter;
  if (!painter.begin(&printer)) {
    return {false,
            QStringLiteral("The printer \"%1\" could not be started.").arg(printer.printerName())};
  }
  PrintResult result = Render(painter, printer, report);
  painter.end();
  if (result.ok && printer.printerState() == QPrinter::Error) {
    result = {false, QStringLiteral("it reported an error")};
  }
  if (!result.ok) {
    result.error = QStringLiteral("The report could not be printed on \"%1\": %2.")
                       .arg(printer.printerName(), result.error);
  }
  return result;
}

PrintResult ExportReportPdf(const QString& path, const QString& report) {
  // The PDF goes to a temporary file beside the target, which replaces the
  // target only once it is complete.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return WriteFailure(path, file.errorString());
  PrintResult result;
  {
    QPdfWriter writer(&file);
    SetUpReportPdf(writer);
    QPainter painter;
    if (!painter.begin(&writer)) {
      file.cancelWriting();
      return WriteFailure(path, QStringLiteral("the PDF could not be started"));
    }
    result = Render(painter, writer, report);
    painter.end();
  }
  if (!result.ok) {
    file.cancelWriting();
    return WriteFailure(path, result.error);
  }
  if (!file.commit()) return WriteFailure(path, file.errorString());
  return {};
}

void SetUpReportPdf(QPdfWriter& writer) {
  writer.setPageSize(DefaultPaperSize());
  writer.setPageMargins(QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                        QPageLayout::Millimeter);
  writer.setResolution(kPdfResolution);
  writer.setTitle(QStringLiteral("Configuration Report"));
  writer.setCreator(QStringLiteral("qamptool"));
}

QAbstractPrintDialog::PrintDialogOptions ReportPrintDialogOptions() {
  return QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies;
}

}  // namespace qamp
