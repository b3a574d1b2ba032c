#include "app/user_memo_dialog.h"

#include <algorithm>

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "app/report_window.h"
#include "document/configuration_file.h"
#include "link/comm_class.h"

namespace qamp {

namespace {

constexpr int kVisibleColumns = 64;
constexpr int kVisibleLines = 16;

size_t KeptSize(char32_t codePoint) {
  if (codePoint == U'\n') return 2;  // kept as CR LF
  if (codePoint < 0x80) return 1;
  if (codePoint < 0x800) return 2;
  if (codePoint < 0x10000) return 3;
  return 4;
}

// Line breaks of any kind as the box holds them.
QString WithNewlines(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  text.replace(QChar::ParagraphSeparator, u'\n');
  text.replace(QChar::LineSeparator, u'\n');
  return text;
}

// A plain-text box that refuses what would take the memo past its limit:
// a typed character that does not fit is not entered (with a beep), and a
// pasted, dropped or composed text is cut to what fits.
class MemoTextEdit : public QPlainTextEdit {
 public:
  explicit MemoTextEdit(QWidget* parent) : QPlainTextEdit(parent) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const QString typed = TypedText(*event);
    if (!typed.isEmpty() && KeptMemoSize(typed) > Room()) {
      QApplication::beep();
      event->accept();
      return;
    }
    QPlainTextEdit::keyPressEvent(event);
  }

  void insertFromMimeData(const QMimeData* source) override {
    if (source == nullptr || !source->hasText()) return;
    const QString text = WithNewlines(source->text());
    const QString fits = MemoPrefixThatFits(text, Room());
    if (fits.size() < text.size()) QApplication::beep();
    if (fits.isEmpty()) return;
    QTextCursor cursor = textCursor();
    cursor.insertText(fits);
    setTextCursor(cursor);
    ensureCursorVisible();
  }

  void inputMethodEvent(QInputMethodEvent* event) override {
    const QString commit = WithNewlines(event->commitString());
    const QString fits = MemoPrefixThatFits(commit, Room());
    if (fits.size() == commit.size()) {
      QPlainTextEdit::inputMethodEvent(event);
      return;
    }
    QApplication::beep();
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(fits, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&cut);
  }

 private:
  // What a key would type into the box: a line break for Enter, its text
  // for a printable key, nothing for movement, deletion and shortcuts.
  static QString TypedText(const QKeyEvent& event) {
    if (event.matches(QKeySequence::InsertParagraphSeparator) ||
        event.matches(QKeySequence::InsertLineSeparator)) {
      return QStringLiteral("\n");
    }
    if (event.modifiers().testFlag(Qt::ControlModifier)) return {};
    QString text = event.text();
    for (const QChar ch : text) {
      if (!ch.isPrint() && !ch.isSurrogate()) return {};
    }
    return text;
  }

  // What the memo may still take, the selection (which typing replaces)
  // counted as free.
  size_t Room() const {
    const size_t used = KeptMemoSize(toPlainText());
    const size_t selected = KeptMemoSize(WithNewlines(textCursor().selectedText()));
    const size_t kept = used - std::min(used, selected);
    return kept >= kUserMemoLimit ? 0 : kUserMemoLimit - kept;
  }
};

}  // namespace

size_t KeptMemoSize(const QString& text) {
  size_t size = 0;
  for (const char32_t codePoint : text.toUcs4()) size += KeptSize(codePoint);
  return size;
}

QString MemoPrefixThatFits(const QString& text, size_t room) {
  size_t used = 0;
  qsizetype end = 0;
  while (end < text.size()) {
    const bool pair =
        text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
    const char32_t codePoint =
        pair ? QChar::surrogateToUcs4(text[end], text[end + 1]) : text[end].unicode();
    used += KeptSize(codePoint);
    if (used > room) break;
    end += pair ? 2 : 1;
  }
  return text.left(end);
}

CUserMemoDialog::CUserMemoDialog(std::string_view memo, QWidget* parent)
    : QDialog(parent), edit_(new MemoTextEdit(this)), original_(memo) {
  setWindowTitle(QStringLiteral("User Memo"));
  auto* prompt = new QLabel(QString::fromLatin1(kPrompt), this);
  prompt->setTextFormat(Qt::PlainText);
  prompt->setBuddy(edit_);
  edit_->setAccessibleName(QString::fromLatin1(kPrompt));
  edit_->setTabChangesFocus(true);
  edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  edit_->setPlainText(MemoPrefixThatFits(WithNewlines(TextFromStored(memo)), kUserMemoLimit));
  edit_->moveCursor(QTextCursor::End);
  const QFontMetrics metrics(edit_->font());
  edit_->setMinimumSize(metrics.averageCharWidth() * kVisibleColumns,
                        metrics.lineSpacing() * kVisibleLines);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  ok->setAccessibleName(QStringLiteral("OK"));
  cancel->setAccessibleName(QStringLiteral("Cancel"));
  // Enter belongs to the memo (a line break); OK is a click or Tab away.
  ok->setAutoDefault(false);
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(edit_);
  layout->addLayout(buttons);
  edit_->setFocus();
}

std::string CUserMemoDialog::Memo() const {
  // An untouched memo is given back byte for byte, even where the box had
  // to show a stray byte as a character.
  if (!edit_->document()->isModified() && original_.size() <= kUserMemoLimit) return original_;
  const QString text = MemoPrefixThatFits(WithNewlines(edit_->toPlainText()), kUserMemoLimit);
  QString kept = text;
  kept.replace(u'\n', QStringLiteral("\r\n"));
  return kept.toStdString();
}

CUserMemoDialog* OpenUserMemo(QWidget* parent, CCommClass& link, std::function<void()> changed) {
  auto* dialog = new CUserMemoDialog(link.UserMemo(), parent);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowModality(Qt::WindowModal);
  QObject::connect(dialog, &QDialog::accepted, dialog,
                   [dialog, &link, changed = std::move(changed)] {
                     std::string memo = dialog->Memo();
                     if (memo == link.UserMemo()) return;
                     link.SetUserMemo(std::move(memo));
                     if (changed) changed();
                   });
  dialog->open();
  return dialog;
}

}  // namespace qamp
