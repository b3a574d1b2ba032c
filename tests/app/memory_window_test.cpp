// The "System Memory" window and the "User Memo" dialog, driven through
// their widgets on an application with the simulated receiver.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <set>

#include "app/memory_window.h"
#include "app/user_memo_dialog.h"
#include "support/app_harness.h"

namespace qamp {
namespace {

using testing::AppHarness;

template <typename Widget>
Widget* Named(QWidget& root, const QString& name) {
  Widget* found = nullptr;
  for (Widget* widget : root.findChildren<Widget*>()) {
    if (widget->accessibleName() != name) continue;
    EXPECT_EQ(found, nullptr) << "two widgets named " << name.toStdString();
    found = widget;
  }
  EXPECT_NE(found, nullptr) << "no widget named " << name.toStdString();
  return found;
}

void ClickRow(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}

// A key that types one character beyond ASCII (which QTest's key clicks
// cannot name).
void TypeAccentedE(QWidget* widget) {
  const QString text = QString::fromUtf8("\xC3\xA9");
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Eacute, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &release);
}

QStringList Rows(QListWidget* list) {
  QStringList rows;
  for (int row = 0; row < list->count(); ++row) rows << list->item(row)->text();
  return rows;
}

struct MemoryWindowTest : ::testing::Test {
  MemoryWindowTest() : window(harness.app.Pages().Memory()) { window.show(); }
  QListWidget* List(const char* name) { return Named<QListWidget>(window, name); }
  QPushButton* Button(const char* name) { return Named<QPushButton>(window, name); }
  CSettingImage& Current() { return harness.link().Image(0); }

  AppHarness harness;
  CMemoryWindow window;
};

TEST_F(MemoryWindowTest, NamesEveryListAndButtonByItsKind) {
  std::set<QString> names;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (qobject_cast<QListWidget*>(widget) != nullptr ||
        qobject_cast<QPushButton*>(widget) != nullptr) {
      names.insert(widget->accessibleName());
    }
  }
  const std::set<QString> expected = {"System",       "System Load",       "System Save",
                                      "Main Volume",  "Main Volume Load",  "Main Volume Save",
                                      "Zone2 Volume", "Zone2 Volume Load", "Zone2 Volume Save",
                                      "Zone3 Volume", "Zone3 Volume Load", "Zone3 Volume Save"};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(window.windowTitle(), "System Memory");
  EXPECT_EQ(Button("System Load")->text(), "Load");
  EXPECT_EQ(Button("Zone3 Volume Save")->text(), "Save");
}

TEST_F(MemoryWindowTest, AsyncSaveIntoSystemMemoryThreeFillsItsEntryAndEnablesItsLoad) {
  QListWidget* system = List("System");
  EXPECT_EQ(Rows(system),
            QStringList({"Memory 1 (Empty)", "Memory 2 (Empty)", "Memory 3 (Empty)",
                         "Memory 4 (Empty)", "Memory 5 (Empty)", "Memory 6 (Empty)"}));
  ClickRow(system, 2);
  EXPECT_EQ(system->currentRow(), 2);
  EXPECT_FALSE(Button("System Load")->isEnabled());

  Current()[310] = 7;
  QTest::mouseClick(Button("System Save"), Qt::LeftButton);

  EXPECT_EQ(Rows(system),
            QStringList({"Memory 1 (Empty)", "Memory 2 (Empty)", "Memory 3", "Memory 4 (Empty)",
                         "Memory 5 (Empty)", "Memory 6 (Empty)"}));
  EXPECT_EQ(system->currentRow(), 2);
  EXPECT_TRUE(Button("System Load")->isEnabled());
  EXPECT_TRUE(harness.link().DataExists(3));
  EXPECT_EQ(harness.link().Image(3)[310], 7);

  // Load follows the selection, by mouse and by keyboard.
  ClickRow(system, 1);
  EXPECT_FALSE(Button("System Load")->isEnabled());
  system->setFocus();
  QTest::keyClick(system, Qt::Key_Down);
  EXPECT_EQ(system->currentRow(), 2);
  EXPECT_TRUE(Button("System Load")->isEnabled());
  QTest::keyClick(system, Qt::Key_Down);
  EXPECT_FALSE(Button("System Load")->isEnabled());
}

TEST_F(MemoryWindowTest, AsyncSystemLoadCopiesTheStoredProgramAndOnlyItsParameterBlock) {
  // Program 5 (Village Vanguard) keeps its five parameters in words 59..63;
  // program 0 (Hall in Munich) in words 28..32.
  CSettingImage& stored = harness.link().Image(2);
  Current()[4] = 0;
  stored[4] = 5;
  for (int word = 59; word <= 63; ++word) stored[word] = Current()[word] + 1;
  for (int word = 28; word <= 32; ++word) stored[word] = Current()[word] + 1;
  stored[310] = Current()[310] + 3;
  stored[6] = Current()[6] + 5;  // a volume memory's word, not the system memory's
  harness.link().SetDataExists(2, true);
  CSettingImage before = Current();
  window.Refresh();

  ClickRow(List("System"), 1);
  ASSERT_TRUE(Button("System Load")->isEnabled());
  QTest::mouseClick(Button("System Load"), Qt::LeftButton);

  EXPECT_EQ(Current()[4], 5);
  for (int word = 59; word <= 63; ++word) EXPECT_EQ(Current()[word], stored[word]) << word;
  for (int word = 28; word <= 32; ++word) EXPECT_EQ(Current()[word], before[word]) << word;
  EXPECT_EQ(Current()[310], stored[310]);
  EXPECT_EQ(Current()[6], before[6]);
}

struct VolumeKind {
  const char* name;
  int word;  // the one word a memory of the kind holds
};

TEST_F(MemoryWindowTest, VolumeMemoriesLoadAndSaveTheirOneWord) {
  for (const VolumeKind kind :
       {VolumeKind{"Main Volume", 6}, VolumeKind{"Zone2 Volume", 16}, {"Zone3 Volume", 21}}) {
    SCOPED_TRACE(kind.name);
    const QString name = QString::fromLatin1(kind.name);
    ClickRow(List(kind.name), 3);
    const int third = harness.link().Image(3)[kind.word];
    const int fifth = harness.link().Image(5)[kind.word];
    Current()[kind.word] = -200;
    Current()[310] = 11;
    QTest::mouseClick(Button((name + " Save").toLatin1().constData()), Qt::LeftButton);
    EXPECT_EQ(harness.link().Image(4)[kind.word], -200);
    EXPECT_NE(harness.link().Image(4)[310], 11);
    EXPECT_EQ(harness.link().Image(3)[kind.word], third);
    EXPECT_EQ(harness.link().Image(5)[kind.word], fifth);

    Current()[kind.word] = -300;
    QTest::mouseClick(Button((name + " Load").toLatin1().constData()), Qt::LeftButton);
    EXPECT_EQ(Current()[kind.word], -200);
    EXPECT_FALSE(harness.link().DataExists(4));
  }
}

TEST_F(MemoryWindowTest, VolumeMemoriesNeverShowEmpty) {
  const QStringList names = {"Memory 1", "Memory 2", "Memory 3",
                             "Memory 4", "Memory 5", "Memory 6"};
  for (const char* kind : {"Main Volume", "Zone2 Volume", "Zone3 Volume"}) {
    EXPECT_EQ(Rows(List(kind)), names) << kind;
    for (int row = 0; row < 6; ++row) {
      ClickRow(List(kind), row);
      EXPECT_TRUE(Button((QString(kind) + " Load").toLatin1().constData())->isEnabled());
    }
  }
}

TEST_F(MemoryWindowTest, ClosingOnlyHidesAndShowingAgainBringsTheListUpToDate) {
  window.close();
  EXPECT_FALSE(window.isVisible());
  harness.app.Pages().Memory().Save(MemoryKind::kSystem, 5);
  window.show();
  EXPECT_EQ(List("System")->item(4)->text(), "Memory 5");
}

TEST_F(MemoryWindowTest, RefreshShowsMemoriesReadFromAFileAndKeepsTheSelection) {
  ClickRow(List("System"), 5);
  harness.link().SetDataExists(6, true);
  harness.link().SetDataExists(1, true);
  EXPECT_EQ(List("System")->item(5)->text(), "Memory 6 (Empty)");
  window.Refresh();
  EXPECT_EQ(List("System")->item(5)->text(), "Memory 6");
  EXPECT_EQ(List("System")->item(0)->text(), "Memory 1");
  EXPECT_EQ(List("System")->currentRow(), 5);
  EXPECT_TRUE(Button("System Load")->isEnabled());
}

TEST(MemoryWindowRealTime, ButtonsSendTheReceiversMemoryCommandsForTheSelectedMemory) {
  AppHarness harness({}, ControlMode::kRealTime);
  harness.receiver.SetMemoryHasData(2, true);
  harness.app.Session().Open();
  const std::optional<testing::Outcome> connected = harness.RunUntilOutcome();
  ASSERT_TRUE(connected && connected->outcome == OperationOutcome::kConnected);
  CMemoryWindow window(harness.app.Pages().Memory());
  window.show();
  QListWidget* system = Named<QListWidget>(window, "System");
  EXPECT_EQ(system->item(1)->text(), "Memory 2");
  EXPECT_EQ(system->item(3)->text(), "Memory 4 (Empty)");
  auto received = [&](const std::string& frame) {
    const std::vector<std::string>& frames = harness.receiver.ReceivedFrames();
    return std::find(frames.begin(), frames.end(), frame) != frames.end();
  };

  // Load memory 2; the user declines the reload.
  harness.pageHost.answer = false;
  ClickRow(system, 1);
  QTest::mouseClick(Named<QPushButton>(window, "System Load"), Qt::LeftButton);
  harness.clock.RunUntil(
      [&] {
        return received(
            "\x02"
            "07E36\x03");
      },
      10000);
  EXPECT_TRUE(
      received("\x02"
               "07E36\x03"));
  ASSERT_EQ(harness.pageHost.questions.size(), 1U);
  EXPECT_EQ(harness.pageHost.questions[0], kSystemLoadQuestion);

  // Save into memory 4: the receiver says afterwards that it holds data.
  ClickRow(system, 3);
  QTest::mouseClick(Named<QPushButton>(window, "System Save"), Qt::LeftButton);
  harness.clock.RunUntil([&] { return harness.link().DataExists(4); }, 30000);
  EXPECT_TRUE(
      received("\x02"
               "07E2E\x03"));
  window.Refresh();
  EXPECT_EQ(system->item(3)->text(), "Memory 4");
  EXPECT_TRUE(Named<QPushButton>(window, "System Load")->isEnabled());

  // Zone3 Volume, memory 6.
  ClickRow(Named<QListWidget>(window, "Zone3 Volume"), 5);
  QTest::mouseClick(Named<QPushButton>(window, "Zone3 Volume Save"), Qt::LeftButton);
  harness.clock.RunUntil(
      [&] {
        return received(
            "\x02"
            "07E25\x03");
      },
      10000);
  EXPECT_TRUE(
      received("\x02"
               "07E25\x03"));
}

// --- The user memo ---------------------------------------------------------------------

struct UserMemoTest : ::testing::Test {
  // A dialog whose box already holds `memo` with the cursor at its end.
  void Open(const std::string& memo) {
    dialog = std::make_unique<CUserMemoDialog>(memo);
    dialog->show();
    edit = Named<QPlainTextEdit>(*dialog, "Input User Memo");
    edit->setFocus();
    edit->moveCursor(QTextCursor::End);
  }
  // What the box holds, line breaks as the memo keeps them (and not cut to
  // the limit, as Memo() would be).
  std::string Box() const {
    return edit->toPlainText().replace(u'\n', QStringLiteral("\r\n")).toStdString();
  }
  size_t Size() const { return Box().size(); }

  std::unique_ptr<CUserMemoDialog> dialog;
  QPlainTextEdit* edit = nullptr;
};

TEST_F(UserMemoTest, TheBoxTakes1024CharactersAndNotThe1025th) {
  Open(std::string(1022, 'a'));
  QTest::keyClicks(edit, "bc");
  EXPECT_EQ(Box(), std::string(1022, 'a') + "bc");
  QTest::keyClicks(edit, "d");
  EXPECT_EQ(Box(), std::string(1022, 'a') + "bc");
  // Typing over a selection frees what it replaces.
  edit->moveCursor(QTextCursor::Left, QTextCursor::KeepAnchor);
  QTest::keyClicks(edit, "z");
  EXPECT_EQ(Box(), std::string(1022, 'a') + "bz");
  // And deleting makes room again.
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, "yx");
  EXPECT_EQ(Box(), std::string(1022, 'a') + "by");
}

TEST_F(UserMemoTest, ALineBreakTakesTwoAndACharacterBeyondAsciiItsUtf8Bytes) {
  Open(std::string(1023, 'a'));
  QTest::keyClick(edit, Qt::Key_Return);
  TypeAccentedE(edit);
  EXPECT_EQ(Size(), 1023U);
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(Box(), std::string(1022, 'a') + "\r\n");

  Open(std::string(1022, 'a'));
  TypeAccentedE(edit);
  EXPECT_EQ(Box(), std::string(1022, 'a') + "\xC3\xA9");
}

TEST_F(UserMemoTest, APasteIsCutToWhatFits) {
  Open(std::string(1000, 'a'));
  QApplication::clipboard()->setText(QString("0123456789").repeated(5));
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Box(), std::string(1000, 'a') + "012345678901234567890123");

  // Never half a character nor half a line break.
  Open(std::string(1001, 'a'));
  QApplication::clipboard()->setText(QString::fromUtf8("\xC3\xA9").repeated(20));
  edit->paste();
  EXPECT_EQ(Box(),
            std::string(1001, 'a') + QString::fromUtf8("\xC3\xA9").repeated(11).toStdString());
  Open(std::string(1019, 'a'));
  QApplication::clipboard()->setText("x\r\ny\r\nz");
  edit->paste();
  EXPECT_EQ(Box(), std::string(1019, 'a') + "x\r\ny");

  // A paste over a selection may use the selection's room.
  Open(std::string(1024, 'a'));
  edit->moveCursor(QTextCursor::Left, QTextCursor::KeepAnchor);
  edit->moveCursor(QTextCursor::Left, QTextCursor::KeepAnchor);
  QApplication::clipboard()->setText("XYZ");
  edit->paste();
  EXPECT_EQ(Box(), std::string(1022, 'a') + "XY");
}

TEST_F(UserMemoTest, ThePresetMemoIsShownAsPlainTextAndGivenBackUntouched) {
  Open("<b>bold</b>\r\nsecond line");
  EXPECT_EQ(edit->toPlainText(), "<b>bold</b>\nsecond line");
  EXPECT_EQ(dialog->Memo(), "<b>bold</b>\r\nsecond line");
  // A byte that is no UTF-8 is shown as its Latin-1 character and, while
  // the memo is not edited, kept as it was.
  Open("caf\xE9");
  EXPECT_EQ(edit->toPlainText(), QString::fromUtf8("caf\xC3\xA9"));
  EXPECT_EQ(dialog->Memo(), "caf\xE9");
  QTest::keyClicks(edit, "!");
  EXPECT_EQ(dialog->Memo(), "caf\xC3\xA9!");
}

TEST(UserMemoDialog, OkStoresTheMemoAndCancelDiscardsTheEdit) {
  AppHarness harness;
  harness.link().SetUserMemo("first");
  int changes = 0;
  for (const bool ok : {false, true}) {
    CUserMemoDialog* dialog = OpenUserMemo(nullptr, harness.link(), [&] { ++changes; });
    QPointer<CUserMemoDialog> alive(dialog);
    EXPECT_EQ(dialog->windowTitle(), "User Memo");
    QPlainTextEdit* edit = Named<QPlainTextEdit>(*dialog, "Input User Memo");
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, "second");
    QTest::mouseClick(Named<QPushButton>(*dialog, ok ? "OK" : "Cancel"), Qt::LeftButton);
    EXPECT_EQ(harness.link().UserMemo(), ok ? "first\r\nsecond" : "first");
    EXPECT_EQ(changes, ok ? 1 : 0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
  }
  // OK without a change is no change.
  CUserMemoDialog* dialog = OpenUserMemo(nullptr, harness.link(), [&] { ++changes; });
  QTest::mouseClick(Named<QPushButton>(*dialog, "OK"), Qt::LeftButton);
  EXPECT_EQ(changes, 1);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(UserMemoSize, CountsAsTheMemoIsKept) {
  EXPECT_EQ(KeptMemoSize(""), 0U);
  EXPECT_EQ(KeptMemoSize("ab\ncd"), 6U);
  EXPECT_EQ(KeptMemoSize(QString::fromUtf8("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB5")), 9U);  // é € 🎵
  EXPECT_EQ(MemoPrefixThatFits(QString::fromUtf8("a\xF0\x9F\x8E\xB5"), 4), "a");
  EXPECT_EQ(MemoPrefixThatFits(QString::fromUtf8("a\xF0\x9F\x8E\xB5"), 5),
            QString::fromUtf8("a\xF0\x9F\x8E\xB5"));
  EXPECT_EQ(MemoPrefixThatFits("ab\ncd", 3), "ab");
  EXPECT_EQ(MemoPrefixThatFits("ab\ncd", 4), "ab\n");
}

}  // namespace
}  // namespace qamp
