// The generic page renderer: what it shows is what the page describes, and
// every user action reaches the page (and, in Real Time Mode, the receiver)
// exactly once.
#include "app/page_view.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "app/control_names.h"
#include "app/my_sheet.h"
#include "app/recording_page.h"
#include "app/view_test_support.h"
#include "model/parameter_store.h"
#include "support/app_harness.h"

namespace qamp {
namespace {

using testing::AccessibleNameOf;
using testing::AppHarness;
using testing::Connect;
using testing::FramesAfter;
using testing::RecordingPage;
using testing::WidgetAs;
using Log = std::vector<std::string>;

QLabel* LabelBeside(const CPageWidget& view, QWidget* widget) {
  for (QLabel* label : view.findChildren<QLabel*>()) {
    if (label->buddy() == widget) return label;
  }
  return nullptr;
}

int CheckedIndex(const std::vector<QRadioButton*>& radios) {
  for (size_t i = 0; i < radios.size(); ++i) {
    if (radios[i]->isChecked()) return static_cast<int>(i);
  }
  return -1;
}

std::vector<QRadioButton*> RadiosOf(const CPageWidget& view, const Control& group) {
  std::vector<QRadioButton*> radios;
  for (const int id : group.buttonIds)
    radios.push_back(qobject_cast<QRadioButton*>(view.WidgetOf(id)));
  return radios;
}

// --- One page of each kind of control ------------------------------------------------

struct RecordingView {
  explicit RecordingView(std::string caption = "Fake")
      : page(h.link(), h.pageHost, std::move(caption)) {
    view = std::make_unique<CPageView>(page);
    view->resize(900, 700);
    view->show();
    QApplication::processEvents();
  }
  template <class Widget>
  Widget* Get(int id) {
    return WidgetAs<Widget>(*view, id);
  }

  AppHarness h;
  RecordingPage page;
  std::unique_ptr<CPageView> view;
};

TEST(PageView, DrawingThePageHandsNothingBackToIt) {
  RecordingView r;
  EXPECT_EQ(r.page.log, Log{});  // not even the first drawing
  r.page.SetValue(RecordingPage::kRadio, 2);
  r.page.SetValue(RecordingPage::kSlider, 35);
  r.page.SetText(RecordingPage::kReadOut, "3.5dB");
  r.page.SetValue(RecordingPage::kCombo, 2);
  r.page.SetValue(RecordingPage::kCheck, 1);
  r.page.SetValue(RecordingPage::kList, 2);
  r.page.SetText(RecordingPage::kEdit, "abc");
  r.view->Render();
  EXPECT_EQ(r.page.log, Log{});
  EXPECT_TRUE(r.Get<QRadioButton>(RecordingPage::kRadio + 2)->isChecked());
  EXPECT_FALSE(r.Get<QRadioButton>(RecordingPage::kRadio)->isChecked());
  // -10.0 dB is the slider's first position; 3.5 dB is 27 half-decibel steps on.
  EXPECT_EQ(r.Get<QSlider>(RecordingPage::kSlider)->value(), 27);
  EXPECT_EQ(r.Get<QSlider>(RecordingPage::kSlider)->maximum(), 40);
  EXPECT_EQ(r.Get<QLabel>(RecordingPage::kReadOut)->text(), "3.5dB");
  EXPECT_EQ(r.Get<QComboBox>(RecordingPage::kCombo)->currentIndex(), 2);
  EXPECT_TRUE(r.Get<QCheckBox>(RecordingPage::kCheck)->isChecked());
  EXPECT_EQ(r.Get<QListWidget>(RecordingPage::kList)->currentRow(), 2);
  EXPECT_EQ(r.Get<QLineEdit>(RecordingPage::kEdit)->text(), "abc");
}

TEST(PageView, AGroupWithoutAValidValueShowsNoButtonChecked) {
  RecordingView r;
  for (const int value : {-1, 3}) {
    r.page.SetValue(RecordingPage::kRadio, value);
    r.view->Render();
    for (int b = 0; b < 3; ++b) {
      EXPECT_FALSE(r.Get<QRadioButton>(RecordingPage::kRadio + b)->isChecked()) << value;
    }
  }
  r.page.SetValue(RecordingPage::kList, -1);
  r.view->Render();
  EXPECT_EQ(r.Get<QListWidget>(RecordingPage::kList)->currentRow(), -1);
}

TEST(PageView, EveryUserActionIsHandedToThePage) {
  RecordingView r;
  QTest::mouseClick(r.Get<QRadioButton>(RecordingPage::kRadio + 1), Qt::LeftButton);
  r.Get<QComboBox>(RecordingPage::kCombo)->setCurrentIndex(2);
  QTest::mouseClick(r.Get<QCheckBox>(RecordingPage::kCheck), Qt::LeftButton);
  QListWidget* list = r.Get<QListWidget>(RecordingPage::kList);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(1)).center());
  QTest::mouseClick(r.Get<QPushButton>(RecordingPage::kOtherButton), Qt::LeftButton);
  QTest::keyClicks(r.Get<QLineEdit>(RecordingPage::kEdit), "ab");
  EXPECT_EQ(r.page.log,
            (Log{"ClickRadio 11", "ChooseCombo 30 2", "SetCheck 40 on", "SelectListRow 50 1",
                 "PressButton 61", "EnterText 80 a", "EnterText 80 ab"}));
  EXPECT_EQ(r.Get<QLineEdit>(RecordingPage::kEdit)->text(), "ab");
}

TEST(PageView, TheViewShowsWhatThePageDecidedNotWhatWasClicked) {
  RecordingView r;
  r.page.refuse = true;
  QTest::mouseClick(r.Get<QRadioButton>(RecordingPage::kRadio + 1), Qt::LeftButton);
  QTest::mouseClick(r.Get<QCheckBox>(RecordingPage::kCheck), Qt::LeftButton);
  r.Get<QComboBox>(RecordingPage::kCombo)->setCurrentIndex(1);
  QTest::keyClick(r.Get<QSlider>(RecordingPage::kSlider), Qt::Key_PageUp);
  EXPECT_TRUE(r.Get<QRadioButton>(RecordingPage::kRadio)->isChecked());
  EXPECT_FALSE(r.Get<QRadioButton>(RecordingPage::kRadio + 1)->isChecked());
  EXPECT_FALSE(r.Get<QCheckBox>(RecordingPage::kCheck)->isChecked());
  EXPECT_EQ(r.Get<QComboBox>(RecordingPage::kCombo)->currentIndex(), 0);
  EXPECT_EQ(r.Get<QSlider>(RecordingPage::kSlider)->value(), 20);
}

TEST(PageView, ADraggedSliderStoresOnEveryMoveAndSendsOnceOnRelease) {
  RecordingView r;
  QSlider* slider = r.Get<QSlider>(RecordingPage::kSlider);
  slider->setSliderDown(true);
  for (const int position : {21, 22, 23}) slider->setSliderPosition(position);
  EXPECT_EQ(r.page.log, (Log{"MoveSlider 20 5", "MoveSlider 20 10", "MoveSlider 20 15"}));
  slider->setSliderDown(false);
  EXPECT_EQ(r.page.log,
            (Log{"MoveSlider 20 5", "MoveSlider 20 10", "MoveSlider 20 15", "ReleaseSlider 20"}));
  EXPECT_EQ(r.Get<QSlider>(RecordingPage::kSlider)->value(), 23);
}

TEST(PageView, AMouseDragOfTheThumbSendsOnlyOnRelease) {
  RecordingView r;
  QSlider* slider = r.Get<QSlider>(RecordingPage::kSlider);
  QStyleOptionSlider option;
  option.initFrom(slider);
  option.orientation = slider->orientation();
  option.minimum = slider->minimum();
  option.maximum = slider->maximum();
  option.sliderPosition = slider->sliderPosition();
  option.sliderValue = slider->value();
  const QPoint thumb =
      slider->style()
          ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
          .center();
  QTest::mousePress(slider, Qt::LeftButton, {}, thumb);
  QTest::mouseMove(slider, thumb + QPoint(slider->width() / 8, 0));
  QTest::mouseMove(slider, thumb + QPoint(slider->width() / 4, 0));
  ASSERT_GE(r.page.log.size(), 2u);
  for (const std::string& entry : r.page.log)
    EXPECT_EQ(entry.rfind("MoveSlider 20 ", 0), 0u) << entry;
  QTest::mouseRelease(slider, Qt::LeftButton, {}, thumb + QPoint(slider->width() / 4, 0));
  EXPECT_EQ(r.page.log.back(), "ReleaseSlider 20");
  EXPECT_EQ(std::count(r.page.log.begin(), r.page.log.end(), "ReleaseSlider 20"), 1);
  EXPECT_GT(r.page.FindControl(RecordingPage::kSlider)->value, 0);
}

TEST(PageView, ASliderChangedWithoutADragIsStoredAndSentAtOnce) {
  struct Case {
    const char* how;
    std::function<void(QSlider*)> change;
    Log expected;
  };
  const std::vector<Case> cases = {
      {"Page Up",
       [](QSlider* s) { QTest::keyClick(s, Qt::Key_PageUp); },
       {"MoveSlider 20 5", "ReleaseSlider 20"}},
      {"Page Down",
       [](QSlider* s) { QTest::keyClick(s, Qt::Key_PageDown); },
       {"MoveSlider 20 -5", "ReleaseSlider 20"}},
      {"End",
       [](QSlider* s) { QTest::keyClick(s, Qt::Key_End); },
       {"MoveSlider 20 100", "ReleaseSlider 20"}},
      {"Home",
       [](QSlider* s) { QTest::keyClick(s, Qt::Key_Home); },
       {"MoveSlider 20 -100", "ReleaseSlider 20"}},
      {"assistive technology",
       [](QSlider* s) { s->setValue(4); },
       {"MoveSlider 20 -80", "ReleaseSlider 20"}},
      {"a click on the groove",
       [](QSlider* s) {
         QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(s->width() - 3, s->height() / 2));
       },
       {"MoveSlider 20 5", "ReleaseSlider 20"}},
  };
  for (const Case& c : cases) {
    RecordingView r;
    c.change(r.Get<QSlider>(RecordingPage::kSlider));
    EXPECT_EQ(r.page.log, c.expected) << c.how;
  }
}

void TurnWheel(QWidget* widget) {
  const QPointF centre(widget->width() / 2.0, widget->height() / 2.0);
  QWheelEvent wheel(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &wheel);
}

TEST(PageView, TheWheelChangesOnlyASliderOrComboBoxThatHasTheFocus) {
  RecordingView r;
  r.view->activateWindow();
  // Without a window manager a window on a display becomes active later,
  // if ever; the offscreen platform the suite runs on activates at once.
  if (QApplication::activeWindow() != r.view.get()) GTEST_SKIP() << "the window is not active";
  QSlider* slider = r.Get<QSlider>(RecordingPage::kSlider);
  QComboBox* combo = r.Get<QComboBox>(RecordingPage::kCombo);
  r.Get<QPushButton>(RecordingPage::kButton)->setFocus();
  TurnWheel(slider);
  TurnWheel(combo);
  EXPECT_EQ(r.page.log, Log{});
  slider->setFocus();
  ASSERT_TRUE(slider->hasFocus());
  TurnWheel(slider);
  ASSERT_FALSE(r.page.log.empty());
  EXPECT_EQ(r.page.log.back(), "ReleaseSlider 20");
  EXPECT_EQ(std::count(r.page.log.begin(), r.page.log.end(), "ReleaseSlider 20"), 1);
}

TEST(PageView, ASliderAtItsEndTakesNoStepBeyondIt) {
  RecordingView r;
  r.page.SetValue(RecordingPage::kSlider, 100);
  r.view->Render();
  QTest::keyClick(r.Get<QSlider>(RecordingPage::kSlider), Qt::Key_PageUp);
  EXPECT_EQ(r.page.log, Log{});
}

TEST(PageView, ArrowKeysChangeNothingOnAnyControl) {
  RecordingView r;
  QLineEdit* edit = r.Get<QLineEdit>(RecordingPage::kEdit);
  QTest::keyClicks(edit, "abc");
  edit->setCursorPosition(1);
  r.page.log.clear();
  const std::vector<QWidget*> controls = {r.view->WidgetOf(RecordingPage::kRadio),
                                          r.view->WidgetOf(RecordingPage::kSlider),
                                          r.view->WidgetOf(RecordingPage::kCombo),
                                          r.view->WidgetOf(RecordingPage::kCheck),
                                          r.view->WidgetOf(RecordingPage::kList),
                                          r.view->WidgetOf(RecordingPage::kButton),
                                          edit};
  for (QWidget* control : controls) {
    control->setFocus();
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
      QTest::keyClick(control, key);
    }
  }
  EXPECT_EQ(r.page.log, Log{});
  EXPECT_TRUE(r.Get<QRadioButton>(RecordingPage::kRadio)->isChecked());
  EXPECT_EQ(r.Get<QSlider>(RecordingPage::kSlider)->value(), 20);
  EXPECT_EQ(r.Get<QComboBox>(RecordingPage::kCombo)->currentIndex(), 0);
  EXPECT_EQ(r.Get<QListWidget>(RecordingPage::kList)->currentRow(), 0);
  EXPECT_EQ(edit->cursorPosition(), 1);
}

TEST(PageView, EnabledAndVisibleFollowThePageControlByControl) {
  RecordingView r;
  r.page.MutableControl(RecordingPage::kRadio)->itemEnabled = {true, false, true};
  r.page.SetEnabled(RecordingPage::kCombo, false);
  r.page.SetVisible(RecordingPage::kSlider, false);
  r.page.SetVisible(RecordingPage::kReadOut, false);
  r.page.SetVisible(RecordingPage::kOtherButton, false);
  r.view->Render();
  EXPECT_TRUE(r.Get<QRadioButton>(RecordingPage::kRadio)->isEnabled());
  EXPECT_FALSE(r.Get<QRadioButton>(RecordingPage::kRadio + 1)->isEnabled());
  EXPECT_TRUE(r.Get<QRadioButton>(RecordingPage::kRadio + 2)->isEnabled());
  QComboBox* combo = r.Get<QComboBox>(RecordingPage::kCombo);
  EXPECT_FALSE(combo->isEnabled());
  EXPECT_FALSE(LabelBeside(*r.view, combo)->isEnabled());
  QSlider* slider = r.Get<QSlider>(RecordingPage::kSlider);
  EXPECT_FALSE(slider->isVisible());
  EXPECT_FALSE(LabelBeside(*r.view, slider)->isVisible());  // the whole line goes
  EXPECT_FALSE(r.Get<QLabel>(RecordingPage::kReadOut)->isVisible());
  EXPECT_TRUE(r.Get<QPushButton>(RecordingPage::kButton)->isVisible());
  EXPECT_FALSE(r.Get<QPushButton>(RecordingPage::kOtherButton)->isVisible());

  r.page.MutableControl(RecordingPage::kRadio)->itemEnabled.clear();
  r.page.SetEnabled(RecordingPage::kRadio, false);
  r.page.SetVisible(RecordingPage::kSlider, true);
  r.page.SetVisible(RecordingPage::kReadOut, true);
  r.view->Render();
  for (int b = 0; b < 3; ++b) {
    EXPECT_FALSE(r.Get<QRadioButton>(RecordingPage::kRadio + b)->isEnabled()) << b;
  }
  EXPECT_TRUE(slider->isVisible());
  EXPECT_TRUE(LabelBeside(*r.view, slider)->isVisible());
}

TEST(PageView, ControlsAreNamedByTheirCaptionsOrByTheirPlaceOnThePage) {
  RecordingView r;
  const std::map<int, QString> expected = {
      {RecordingPage::kRadio, "Front: Small"},
      {RecordingPage::kRadio + 1, "Front: Large"},
      {RecordingPage::kRadio + 2, "Front: None"},
      {RecordingPage::kSlider, "Level"},
      {RecordingPage::kReadOut, "Level value"},
      {RecordingPage::kCombo, "Fake combo box"},
      {RecordingPage::kCheck, "Mute"},
      {RecordingPage::kList, "Fake list"},
      {RecordingPage::kButton, "Flat"},
      {RecordingPage::kOtherButton, "Flat (2)"},
      {RecordingPage::kEdit, "List Information edit"},
  };
  for (const auto& [id, name] : expected) {
    EXPECT_EQ(AccessibleNameOf(r.view->WidgetOf(id)), name) << id;
  }
  EXPECT_EQ(r.view->WidgetOf(RecordingPage::kRadio)->parentWidget()->accessibleName(), "Front");
  // The name follows a caption the page changes.
  r.page.MutableControl(RecordingPage::kCombo)->caption = "Program";
  r.view->Render();
  EXPECT_EQ(AccessibleNameOf(r.view->WidgetOf(RecordingPage::kCombo)), "Program");
  EXPECT_EQ(LabelBeside(*r.view, r.view->WidgetOf(RecordingPage::kCombo))->text(), "Program");
}

TEST(ControlNames, RepeatedAndGeneratedNamesStayUnique) {
  std::vector<Control> controls(4);
  for (Control& control : controls) control.kind = ControlKind::kButton;
  controls[0].caption = "Flat";
  controls[1].caption = "Flat";
  controls[2].caption = "Flat (2)";
  controls[3].caption = "";
  const ControlNames names = NameControls("Sound Option", controls);
  EXPECT_EQ(names.controls,
            (std::vector<std::string>{"Flat", "Flat (2)", "Flat (2) (2)", "Sound Option button"}));
}

TEST(PageView, TextsFromThePageAreNeverReadAsMarkup) {
  RecordingView r;
  r.page.MutableControl(RecordingPage::kHeading)->caption = "<b>List</b> &amp;";
  r.page.SetText(RecordingPage::kReadOut, "<i>-1.0dB</i>");
  r.page.MutableControl(RecordingPage::kSlider)->caption = "<u>Level</u>";
  r.view->Render();
  EXPECT_EQ(r.Get<QLabel>(RecordingPage::kHeading)->text(), "<b>List</b> &amp;");
  for (QLabel* label : r.view->findChildren<QLabel*>()) {
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
  }
}

// --- Every page of the sheet ---------------------------------------------------------

struct SheetSetup {
  ControlMode mode;
  int region;
};

const std::vector<SheetSetup> kSetups = {
    {ControlMode::kAsync, 1},    {ControlMode::kAsync, 2},    {ControlMode::kAsync, 3},
    {ControlMode::kAsync, 4},    {ControlMode::kRealTime, 1}, {ControlMode::kRealTime, 2},
    {ControlMode::kRealTime, 3}, {ControlMode::kRealTime, 4},
};

std::string Describe(const SheetSetup& setup, const CBasePage& page) {
  return std::string(setup.mode == ControlMode::kAsync ? "Async" : "Real Time") + " region " +
         std::to_string(setup.region) + " " + page.Caption();
}

// Checks that each widget shows its control as the page describes it.
void ExpectShowsThePage(const CPageWidget& view, const CBasePage& page, const std::string& where) {
  for (const Control& control : page.Controls()) {
    QWidget* widget = view.WidgetOf(control.id);
    if (control.kind == ControlKind::kText) continue;
    ASSERT_NE(widget, nullptr) << where << " control " << control.id;
    const std::string what = where + " control " + std::to_string(control.id);
    QWidget* shown = control.kind == ControlKind::kRadioGroup ? widget->parentWidget() : widget;
    EXPECT_EQ(!shown->isHidden(), control.visible) << what;
    switch (control.kind) {
      case ControlKind::kRadioGroup: {
        const std::vector<QRadioButton*> radios = RadiosOf(view, control);
        EXPECT_EQ(radios.front()->parentWidget()->isEnabled(), control.enabled) << what;
        const bool valid = control.value >= 0 && control.value < static_cast<int>(radios.size());
        EXPECT_EQ(CheckedIndex(radios), valid ? control.value : -1) << what;
        for (size_t b = 0; b < radios.size(); ++b) {
          const bool itemEnabled = b >= control.itemEnabled.size() || control.itemEnabled[b];
          EXPECT_EQ(radios[b]->isEnabled(), control.enabled && itemEnabled) << what << " " << b;
          EXPECT_EQ(radios[b]->text().toStdString(), control.items[b]) << what;
        }
        break;
      }
      case ControlKind::kSlider: {
        auto* slider = qobject_cast<QSlider*>(widget);
        EXPECT_EQ(slider->isEnabled(), control.enabled) << what;
        const int step = std::max(control.step, 1);
        EXPECT_EQ(control.minimum + slider->maximum() * step, control.maximum) << what;
        EXPECT_EQ(control.minimum + slider->value() * step, control.value) << what;
        break;
      }
      case ControlKind::kCombo: {
        auto* combo = qobject_cast<QComboBox*>(widget);
        EXPECT_EQ(combo->isEnabled(), control.enabled) << what;
        ASSERT_EQ(combo->count(), static_cast<int>(control.items.size())) << what;
        for (int i = 0; i < combo->count(); ++i) {
          EXPECT_EQ(combo->itemText(i).toStdString(), control.items[static_cast<size_t>(i)]);
        }
        EXPECT_EQ(combo->currentIndex(),
                  IsIndexOf(control.value, control.items) ? control.value : -1)
            << what;
        break;
      }
      case ControlKind::kCheckBox:
        EXPECT_EQ(qobject_cast<QCheckBox*>(widget)->isChecked(), control.value > 0) << what;
        EXPECT_EQ(widget->isEnabled(), control.enabled) << what;
        break;
      case ControlKind::kList: {
        auto* list = qobject_cast<QListWidget*>(widget);
        ASSERT_EQ(list->count(), static_cast<int>(control.items.size())) << what;
        for (int i = 0; i < list->count(); ++i) {
          EXPECT_EQ(list->item(i)->text().toStdString(), control.items[static_cast<size_t>(i)]);
        }
        EXPECT_EQ(list->currentRow(), IsIndexOf(control.value, control.items) ? control.value : -1)
            << what;
        EXPECT_EQ(widget->isEnabled(), control.enabled) << what;
        break;
      }
      case ControlKind::kButton:
        EXPECT_EQ(qobject_cast<QPushButton*>(widget)->text().toStdString(), control.caption);
        EXPECT_EQ(widget->isEnabled(), control.enabled) << what;
        break;
      case ControlKind::kReadOut:
        EXPECT_EQ(qobject_cast<QLabel*>(widget)->text().toStdString(), control.text) << what;
        break;
      case ControlKind::kEdit:
        EXPECT_EQ(qobject_cast<QLineEdit*>(widget)->text().toStdString(), control.text) << what;
        EXPECT_EQ(widget->isEnabled(), control.enabled) << what;
        break;
      case ControlKind::kFrame:
        EXPECT_EQ(qobject_cast<QLabel*>(widget)->text().toStdString(), control.caption) << what;
        break;
      case ControlKind::kText:
        break;
    }
  }
}

TEST(SheetPages, EveryControlIsShownAsItsPageDescribesIt) {
  for (const SheetSetup& setup : kSetups) {
    AppHarness h({}, setup.mode, setup.region);
    h.app.Pages().FirstLayout();
    for (CBasePage* page : h.app.Pages().SheetPages()) {
      page->SetActive(true);
      CPageView view(*page);
      ExpectShowsThePage(view, *page, Describe(setup, *page));
      page->SetActive(false);
    }
  }
}

TEST(SheetPages, EveryControlHasANameOfItsOwnWithinItsPage) {
  for (const SheetSetup& setup : kSetups) {
    AppHarness h({}, setup.mode, setup.region);
    for (CBasePage* page : h.app.Pages().SheetPages()) {
      page->SetActive(true);
      CPageView view(*page);
      const std::string where = Describe(setup, *page);
      std::vector<QWidget*> controls;
      for (QAbstractButton* button : view.findChildren<QAbstractButton*>())
        controls.push_back(button);
      for (QSlider* slider : view.findChildren<QSlider*>()) controls.push_back(slider);
      for (QComboBox* combo : view.findChildren<QComboBox*>()) controls.push_back(combo);
      for (QListWidget* list : view.findChildren<QListWidget*>()) controls.push_back(list);
      for (QLineEdit* edit : view.findChildren<QLineEdit*>()) controls.push_back(edit);
      for (QGroupBox* group : view.findChildren<QGroupBox*>()) controls.push_back(group);
      for (const Control& control : page->Controls()) {
        if (control.kind == ControlKind::kReadOut) controls.push_back(view.WidgetOf(control.id));
      }
      std::set<QString> names;
      for (QWidget* control : controls) {
        ASSERT_NE(control, nullptr) << where;
        const QString name = AccessibleNameOf(control);
        EXPECT_FALSE(name.trimmed().isEmpty())
            << where << " " << control->metaObject()->className();
        EXPECT_TRUE(names.insert(name).second) << where << " repeats " << name.toStdString();
      }
      // Every control the page describes is on screen.
      for (const Control& control : page->Controls()) {
        if (control.kind != ControlKind::kText) {
          EXPECT_NE(view.WidgetOf(control.id), nullptr) << where << " " << control.id;
        }
      }
      page->SetActive(false);
    }
  }
}

// --- The pages at work ---------------------------------------------------------------

constexpr ParamId kSurround = 428;
constexpr ParamId kSurroundBack = 429;
constexpr int kSurroundNone = 1047;
constexpr int kSurroundBackNone = 1058;
constexpr int kSurroundBackLargeTwo = 1075;
constexpr int kFrontSmall = 1029;

const std::vector<int> kSurroundBackButtons = {1058, 1062, 1066, 1070, 1075};

// Shown a little narrower and taller than the others' sheets.
struct SheetOnScreen : testing::SheetOnScreen {
  SheetOnScreen(AppHarness& h, std::string_view caption)
      : testing::SheetOnScreen(h, caption, {1100, 760}) {}
};

void ExpectSurroundBackForcedToNone(SheetOnScreen& s) {
  EXPECT_TRUE(s.Get<QRadioButton>(kSurroundNone)->isChecked());
  EXPECT_TRUE(s.Get<QRadioButton>(kSurroundBackNone)->isChecked());
  for (const int button : kSurroundBackButtons) {
    EXPECT_FALSE(s.Get<QRadioButton>(button)->isEnabled()) << button;
  }
}

TEST(PagesAtWork, InAsyncModeAClickChangesTheImageShowsForcedValuesAndQueuesNothing) {
  AppHarness h;
  SheetOnScreen s(h, "Speaker Set");
  QTest::mouseClick(s.Get<QRadioButton>(kSurroundBackLargeTwo), Qt::LeftButton);
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), kSurroundBack), 4);
  QTest::mouseClick(s.Get<QRadioButton>(kSurroundNone), Qt::LeftButton);
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), kSurround), 0);
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), kSurroundBack), 0);
  ExpectSurroundBackForcedToNone(s);
  EXPECT_TRUE(h.link().Queue().empty());
  EXPECT_TRUE(h.receiver.ReceivedFrames().empty());
}

TEST(PagesAtWork, ANameTypedAndEnteredIsStoredForTheInputChosenInTheList) {
  AppHarness h;
  SheetOnScreen s(h, "Input Rename");
  QListWidget* inputs = s.Get<QListWidget>(1301);
  QTest::mouseClick(inputs->viewport(), Qt::LeftButton, {},
                    inputs->visualItemRect(inputs->item(1)).center());  // "CD"
  QTest::keyClicks(s.Get<QLineEdit>(1303), "ABCDEFGHIJKL");
  QTest::mouseClick(s.Get<QPushButton>(1304), Qt::LeftButton);
  // Nine characters at most.
  EXPECT_EQ(s.Get<QListWidget>(1302)->item(1)->text(), "ABCDEFGHI");
  EXPECT_EQ(s.Get<QListWidget>(1302)->item(0)->text(), "  PHONO  ");
  EXPECT_EQ(inputs->currentRow(), 1);
}

using Frames = std::vector<std::string>;

TEST(PagesAtWork, InRealTimeModeEachActionSendsItsCommandOnce) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  const CSettingImage& image = h.link().CurrentImage();
  {
    SheetOnScreen s(h, "Speaker Set");
    size_t from = h.receiver.ReceivedFrames().size();
    QTest::mouseClick(s.Get<QRadioButton>(kSurroundBackLargeTwo), Qt::LeftButton);
    EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                           "27300"
                                           "\x03"});
    EXPECT_EQ(ReadParameter(image, kSurroundBack), 4);

    // The forced Surround Back is shown at once and not sent by itself.
    from = h.receiver.ReceivedFrames().size();
    QTest::mouseClick(s.Get<QRadioButton>(kSurroundNone), Qt::LeftButton);
    ExpectSurroundBackForcedToNone(s);
    EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                           "27202"
                                           "\x03"});
    EXPECT_EQ(ReadParameter(image, kSurroundBack), 0);
  }
  {
    SheetOnScreen s(h, "Multi Zone");
    size_t from = h.receiver.ReceivedFrames().size();
    s.Get<QComboBox>(1201)->setCurrentIndex(1);  // Zone2 Input "CD"
    EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                           "07AD1"
                                           "\x03"});
    EXPECT_EQ(ReadParameter(image, 12), 1);

    from = h.receiver.ReceivedFrames().size();
    QTest::mouseClick(s.Get<QCheckBox>(1206), Qt::LeftButton);  // Zone2 "Mute"
    EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                           "07EA0"
                                           "\x03"});
    EXPECT_EQ(ReadParameter(image, 16), 1);
    EXPECT_TRUE(s.Get<QCheckBox>(1206)->isChecked());
  }
}

TEST(PagesAtWork, InRealTimeModeASliderSendsOncePerKeyStepAndOncePerDrag) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  StoreParameter(h.link().CurrentImage(), 259, 0);  // FL 0.0 dB
  SheetOnScreen s(h, "Speaker Level");
  QSlider* fl = s.Get<QSlider>(1107);
  QLabel* readOut = s.Get<QLabel>(1007);

  size_t from = h.receiver.ReceivedFrames().size();
  QTest::keyClick(fl, Qt::Key_PageUp);
  // +0.5 dB is the receiver's level code 41, 0x29.
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                         "24129"
                                         "\x03"});
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 259), 5);
  EXPECT_EQ(readOut->text(), " 0.5dB");

  from = h.receiver.ReceivedFrames().size();
  fl->setSliderDown(true);
  for (int step = 1; step <= 3; ++step) {
    fl->setSliderPosition(fl->sliderPosition() + 1);
    EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 259), 5 + 5 * step);
  }
  h.clock.Advance(1000);
  EXPECT_EQ(h.receiver.ReceivedFrames().size(), from);  // nothing while the thumb moves
  EXPECT_EQ(readOut->text(), " 2.0dB");
  fl->setSliderDown(false);
  // +2.0 dB is code 44, 0x2c.
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                         "2412c"
                                         "\x03"});
}

TEST(PagesAtWork, ArrowKeysOnAPageChangeNeitherTheImageNorTheReceiver) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  const CSettingImage before = h.link().CurrentImage();
  const size_t from = h.receiver.ReceivedFrames().size();
  {
    SheetOnScreen s(h, "Speaker Set");
    QRadioButton* small = s.Get<QRadioButton>(kFrontSmall);
    small->setFocus();
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up}) {
      QTest::keyClick(small, key);
    }
  }
  {
    SheetOnScreen s(h, "Speaker Level");
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Up, Qt::Key_Left, Qt::Key_Down}) {
      QTest::keyClick(s.Get<QSlider>(1107), key);
    }
  }
  EXPECT_EQ(FramesAfter(h, from), Frames{});
  EXPECT_TRUE(h.link().CurrentImage() == before);
}

}  // namespace
}  // namespace qamp
