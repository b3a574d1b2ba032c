// The "User Memo" dialog: the free text kept with a configuration, edited
// in a multi-line box that holds at most the memo's limit. The limit is
// counted as the memo is kept (its line breaks as CR LF, its characters in
// UTF-8), so that whatever the box accepts a configuration file gives back
// whole.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QPlainTextEdit;

namespace qamp {

class CCommClass;

// The size of `text` (line breaks as "\n") as the memo keeps it.
size_t KeptMemoSize(const QString& text);
// The longest beginning of `text` whose kept size is at most `room`,
// never ending inside a character.
QString MemoPrefixThatFits(const QString& text, size_t room);

class CUserMemoDialog : public QDialog {
  Q_OBJECT

 public:
  // The label above the box, and the text of the menu command's prompt.
  static constexpr char kPrompt[] = "Input User Memo";

  explicit CUserMemoDialog(std::string_view memo, QWidget* parent = nullptr);

  // The memo as edited, its line breaks as CR LF.
  std::string Memo() const;
  QPlainTextEdit* MemoEdit() const { return edit_; }

 private:
  QPlainTextEdit* edit_;
  std::string original_;
};

// Opens the dialog (window-modal, without blocking) on the link's memo;
// "OK" stores the edited text as the memo and, when it differs, calls
// `changed`. The dialog deletes itself when closed.
CUserMemoDialog* OpenUserMemo(QWidget* parent, CCommClass& link,
                              std::function<void()> changed = {});

}  // namespace qamp
