#include "app/report_window.h"

#include "app/fixed_font.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace qamp {

namespace {

constexpr int kVisibleColumns = 100;
constexpr int kVisibleLines = 40;

// The length of the UTF-8 character that starts at `at`, or 0 when the
// bytes there are not one (a stray byte, a cut or over-long sequence, a
// surrogate).
size_t Utf8CharacterLength(std::string_view text, size_t at, char32_t& codePoint) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  size_t length = 0;
  char32_t lowest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    codePoint = lead & 0x1FU;
    lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    codePoint = lead & 0x0FU;
    lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    codePoint = lead & 0x07U;
    lowest = 0x10000;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0U) != 0x80U) return 0;
    codePoint = (codePoint << 6U) | (byte(at + i) & 0x3FU);
  }
  if (codePoint < lowest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
    return 0;
  return length;
}

}  // namespace

QString TextFromStored(std::string_view text) {
  QString result;
  result.reserve(static_cast<qsizetype>(text.size()));
  for (size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    char32_t codePoint = 0;
    const size_t length = lead < 0x80 ? 0 : Utf8CharacterLength(text, at, codePoint);
    if (length == 0) {
      result += QChar(lead);
      ++at;
    } else {
      result += QString::fromUcs4(&codePoint, 1);
      at += length;
    }
  }
  return result;
}

CReportWindow::CReportWindow(std::string_view report, QWidget* parent)
    : QDialog(parent), view_(new QPlainTextEdit(this)) {
  setWindowTitle(QStringLiteral("Report"));
  view_->setAccessibleName(QStringLiteral("Report"));
  view_->setReadOnly(true);
  view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  view_->setLineWrapMode(QPlainTextEdit::NoWrap);
  view_->setFont(FixedPitchFont());
  // The report's lines end in CR LF; the view takes each as one line break.
  QString text = TextFromStored(report);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  view_->setPlainText(text);

  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setAccessibleName(QStringLiteral("Close"));
  close->setDefault(true);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(close, QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_);
  layout->addWidget(buttons);

  // About 100 columns by 40 lines, and never larger than the screen.
  const QFontMetrics metrics(view_->font());
  const int frame =
      2 * view_->frameWidth() + 2 * static_cast<int>(view_->document()->documentMargin());
  const QSize textArea(metrics.horizontalAdvance(QString(kVisibleColumns, u'0')) + frame +
                           view_->verticalScrollBar()->sizeHint().width(),
                       metrics.lineSpacing() * kVisibleLines + frame +
                           view_->horizontalScrollBar()->sizeHint().height());
  view_->setMinimumSize(metrics.horizontalAdvance(QString(40, u'0')), metrics.lineSpacing() * 8);
  QSize wanted =
      textArea + QSize(layout->contentsMargins().left() + layout->contentsMargins().right(),
                       layout->contentsMargins().top() + layout->contentsMargins().bottom() +
                           layout->spacing() + buttons->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    wanted = wanted.boundedTo(screen->availableSize() * 9 / 10);
  }
  resize(wanted);
  view_->setFocus();
}

}  // namespace qamp
