// The source and list pages' own layouts: each shows what its page
// describes, hands every user action to the page (and, in Real Time Mode,
// the receiver) once, and names every control for assistive technology.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <memory>
#include <set>

#include "app/my_sheet.h"
#include "app/page_view.h"
#include "app/source_view_kit.h"
#include "app/typed_value.h"
#include "app/view_test_support.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/dsp_parameters_page.h"
#include "pages/input_dsp_page.h"
#include "pages/input_rename_page.h"
#include "pages/io_assign_page.h"
#include "pages/ipod_page.h"
#include "pages/trigger_out_page.h"
#include "pages/tuner_set_page.h"
#include "pages/xm_set_page.h"
#include "support/app_harness.h"
#include "window_harness.h"

namespace qamp {
namespace {

using testing::AccessibleNameOf;
using testing::AppHarness;
using testing::Connect;
using testing::FramesAfter;
using testing::SheetOnScreen;
using Frames = std::vector<std::string>;

// Every control number of the page has a widget of the kind the generic
// form gives it, and the names of all of them are present and unique.
void ExpectWidgetsAndNamesAsTheGenericForm(SheetOnScreen& s) {
  CBasePage& page = s.view->Page();
  CPageView generic(page);
  std::set<QString> names;
  for (const Control& control : page.Controls()) {
    std::vector<int> ids = control.buttonIds;
    if (ids.empty()) ids.push_back(control.id);
    for (const int id : ids) {
      QWidget* mine = s.view->WidgetOf(id);
      QWidget* theirs = generic.WidgetOf(id);
      if (control.kind == ControlKind::kFrame) {
        EXPECT_NE(mine, nullptr) << id;
        continue;
      }
      if (theirs == nullptr) continue;  // a frame text the generic form leaves out
      ASSERT_NE(mine, nullptr) << id;
      EXPECT_STREQ(mine->metaObject()->className(), theirs->metaObject()->className()) << id;
      if (control.kind == ControlKind::kText) continue;
      const QString name = AccessibleNameOf(mine);
      EXPECT_FALSE(name.isEmpty()) << id;
      EXPECT_TRUE(names.insert(name).second) << id << " " << name.toStdString();
    }
  }
}

// --- TRIGGER OUT ---------------------------------------------------------------------------

constexpr int kXmZone3Output2 = 375;  // output 2, XM, Zone3

TEST(TriggerOutView, AGridOfInputsAgainstZonesInEachOutputsBox) {
  AppHarness h;
  SheetOnScreen s(h, "TRIGGER OUT");
  ExpectWidgetsAndNamesAsTheGenericForm(s);
  auto* box1 = s.Get<QGroupBox>(1336);
  auto* box2 = s.Get<QGroupBox>(1337);
  EXPECT_EQ(box1->title(), "TRIGGER OUT1");
  EXPECT_EQ(box2->title(), "TRIGGER OUT2");
  // The two boxes side by side, each holding its own controls.
  EXPECT_LT(box1->geometry().right(), box2->geometry().left());
  EXPECT_TRUE(box1->isAncestorOf(s.Get<QComboBox>(1330)));
  EXPECT_TRUE(box2->isAncestorOf(s.Get<QPushButton>(1335)));
  // Rows in the page's order, one above the other: PHONO Main above
  // MULTI CH Main; Main, Zone2, Zone3 from left to right.
  QWidget* phonoMain = s.Get<QRadioButton>(CDCTriggerCtl::LowButtonOf(301));
  QWidget* phonoZone3 = s.Get<QRadioButton>(CDCTriggerCtl::LowButtonOf(303));
  QWidget* multiCh = s.Get<QRadioButton>(CDCTriggerCtl::LowButtonOf(334));
  QWidget* xmMain = s.Get<QRadioButton>(CDCTriggerCtl::LowButtonOf(335));
  const auto at = [&](QWidget* w) { return w->mapTo(box1, QPoint(0, 0)); };
  EXPECT_LT(at(phonoMain).y(), at(xmMain).y());
  EXPECT_LT(at(xmMain).y(), at(multiCh).y());
  EXPECT_EQ(at(phonoMain).x(), at(multiCh).x());
  EXPECT_LT(at(phonoMain).x(), at(phonoZone3).x());
  // Nothing of the page is clipped at 1280x720.
  for (QWidget* w : {phonoMain, multiCh, static_cast<QWidget*>(s.Get<QPushButton>(1335))}) {
    const QPoint bottom = w->mapTo(s.view, QPoint(0, w->height()));
    EXPECT_LE(bottom.y(), s.view->height()) << w->accessibleName().toStdString();
  }
  // The labels beside the radios name them.
  EXPECT_EQ(s.Get<QRadioButton>(CDCTriggerCtl::HighButtonOf(301))->accessibleName(),
            "TRIGGER OUT1 PHONO Main: H");
  EXPECT_EQ(AccessibleNameOf(s.Get<QComboBox>(1331)), "TRIGGER OUT2 Trigger Control");
}

TEST(TriggerOutView, InRealTimeModeEachKindOfControlSendsItsCommands) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  const CSettingImage& image = h.link().CurrentImage();
  StoreParameter(h.link().CurrentImage(), kXmZone3Output2, 0);
  StoreParameter(h.link().CurrentImage(), 300, 0);
  SheetOnScreen s(h, "TRIGGER OUT");

  size_t from = h.receiver.ReceivedFrames().size();
  auto* high = s.Get<QRadioButton>(CDCTriggerCtl::HighButtonOf(kXmZone3Output2));
  QTest::mouseClick(high, Qt::LeftButton);
  // Output 2 ("1"), Zone3 ("2"), XM ("0E"), high ("1"); checksum 0x99.
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x14"
                                         "20090401120E199"
                                         "\x03"});
  EXPECT_EQ(ReadParameter(image, kXmZone3Output2), 1);
  EXPECT_TRUE(high->isChecked());

  from = h.receiver.ReceivedFrames().size();
  auto* control = s.Get<QComboBox>(1330);
  control->setCurrentIndex(2);  // "Zone3"
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                         "07E31"
                                         "\x03"});
  EXPECT_EQ(ReadParameter(image, 300), 2);

  from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(s.Get<QPushButton>(1333), Qt::LeftButton);  // output 1 "All Low"
  h.clock.Advance(20000);  // the receiver's pause after each of them
  const Frames sent = FramesAfter(h, from);
  // The 37 switches of output 1, PHONO Main first and MULTI CH last.
  ASSERT_EQ(sent.size(), 37u);
  EXPECT_EQ(sent.front(),
            "\x14"
            "200904010000080"
            "\x03");
  EXPECT_EQ(sent.back(),
            "\x14"
            "200904010010081"
            "\x03");
  EXPECT_FALSE(s.Get<QRadioButton>(CDCTriggerCtl::HighButtonOf(334))->isChecked());
  EXPECT_TRUE(s.Get<QRadioButton>(CDCTriggerCtl::LowButtonOf(334))->isChecked());
  EXPECT_EQ(ReadParameter(image, 334), 0);
}

TEST(TriggerOutView, InAsyncModeAClickChangesTheImageAndSendsNothing) {
  AppHarness h;
  StoreParameter(h.link().CurrentImage(), 307, 1);
  SheetOnScreen s(h, "TRIGGER OUT");
  auto* low = s.Get<QRadioButton>(CDCTriggerCtl::LowButtonOf(307));
  EXPECT_FALSE(low->isChecked());
  QTest::mouseClick(low, Qt::LeftButton);
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 307), 0);
  EXPECT_TRUE(low->isChecked());
  QTest::mouseClick(s.Get<QPushButton>(1334), Qt::LeftButton);  // output 2 "All High"
  for (ParamId id = 339; id <= 375; ++id) EXPECT_EQ(ReadParameter(h.link().CurrentImage(), id), 1);
  EXPECT_TRUE(s.Get<QRadioButton>(CDCTriggerCtl::HighButtonOf(339))->isChecked());
  EXPECT_TRUE(h.link().Queue().empty());
  EXPECT_TRUE(h.receiver.ReceivedFrames().empty());
}

TEST(TriggerOutView, MissingZonesAndTheXmTunerDisableTheirSwitches) {
  struct Case {
    int zone2, zone3, xm;
    std::vector<QString> items;
  };
  const Case cases[] = {
      {1, 1, 1, {"Main", "Zone2", "Zone3", "Zone OR"}},
      // Two zones left besides none: "Zone OR" stays with three items.
      {0, 1, 1, {"Main", "Zone3", "Zone OR"}},
      {1, 0, 1, {"Main", "Zone2", "Zone OR"}},
      {1, 1, 0, {"Main", "Zone2", "Zone3", "Zone OR"}},
  };
  for (const Case& c : cases) {
    AppHarness h;
    ModelFlags flags;
    flags.zone2 = c.zone2;
    flags.zone3 = c.zone3;
    flags.xm = c.xm;
    h.link().SetFlags(flags);
    h.app.Pages().UpdateModelControls();
    SheetOnScreen s(h, "TRIGGER OUT");
    const std::string which =
        std::to_string(c.zone2) + std::to_string(c.zone3) + std::to_string(c.xm);
    for (const int combo : {1330, 1331}) {
      QComboBox* box = s.Get<QComboBox>(combo);
      std::vector<QString> items;
      for (int i = 0; i < box->count(); ++i) items.push_back(box->itemText(i));
      EXPECT_EQ(items, c.items) << which;
    }
    for (const int output : {0, 1}) {
      const ParamId cd = 304 + 38 * output;
      const ParamId xm = 335 + 38 * output;
      EXPECT_TRUE(s.Get<QRadioButton>(CDCTriggerCtl::LowButtonOf(cd))->isEnabled()) << which;
      EXPECT_EQ(s.Get<QRadioButton>(CDCTriggerCtl::HighButtonOf(cd + 1))->isEnabled(), c.zone2 == 1)
          << which;
      EXPECT_EQ(s.Get<QRadioButton>(CDCTriggerCtl::HighButtonOf(cd + 2))->isEnabled(), c.zone3 == 1)
          << which;
      EXPECT_EQ(s.Get<QRadioButton>(CDCTriggerCtl::LowButtonOf(xm))->isEnabled(), c.xm == 1)
          << which;
      EXPECT_EQ(s.Get<QRadioButton>(CDCTriggerCtl::LowButtonOf(xm + 2))->isEnabled(),
                c.xm == 1 && c.zone3 == 1)
          << which;
      // A missing zone's switches are held high, and shown so.
      if (c.zone3 == 0) {
        EXPECT_TRUE(s.Get<QRadioButton>(CDCTriggerCtl::HighButtonOf(cd + 2))->isChecked());
      }
    }
  }
}

TEST(TriggerOutView, RedrawsWhenThePageChangesAndOnlyThen) {
  AppHarness h;
  SheetOnScreen s(h, "TRIGGER OUT");
  auto* high = s.Get<QRadioButton>(CDCTriggerCtl::HighButtonOf(310));
  StoreParameter(h.link().CurrentImage(), 310, 1);
  h.app.Pages().RefreshAll();
  s.view->Render();
  EXPECT_TRUE(high->isChecked());
  // A widget changed behind the page's back stays as it is while nothing in
  // the page changed: the view drew nothing again.
  high->setText("x");
  s.view->Render();
  EXPECT_EQ(high->text(), "x");
  StoreParameter(h.link().CurrentImage(), 310, 0);
  h.app.Pages().RefreshAll();
  s.view->Render();
  EXPECT_EQ(high->text(), "H");
  EXPECT_FALSE(high->isChecked());
}

// --- Input DSP ------------------------------------------------------------------------------

void ClickRow(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}

TEST(InputDspView, EachInputBesideItsProgramInOneTable) {
  AppHarness h;
  StoreParameter(h.link().CurrentImage(), 201, 3);  // CD: program 3
  StoreParameter(h.link().CurrentImage(), 202, 0);
  StoreParameter(h.link().CurrentImage(), 219, 0);  // list position 8, DVR: record 9
  StoreParameter(h.link().CurrentImage(), 220, 1);  // ... Straight
  h.app.Pages().RefreshAll();
  SheetOnScreen s(h, "Input DSP");
  ExpectWidgetsAndNamesAsTheGenericForm(s);
  auto* inputs = s.Get<QListWidget>(CInputDsp::kInputList);
  auto* programs = s.Get<QListWidget>(CInputDsp::kAssignmentList);
  ASSERT_EQ(inputs->count(), 12);
  ASSERT_EQ(programs->count(), 12);
  // Side by side, every row at the height of its input, all twelve shown.
  EXPECT_LT(inputs->mapTo(s.view, QPoint(0, 0)).x(), programs->mapTo(s.view, QPoint(0, 0)).x());
  for (int row = 0; row < 12; ++row) {
    EXPECT_EQ(inputs->mapTo(s.view, inputs->visualItemRect(inputs->item(row)).topLeft()).y(),
              programs->mapTo(s.view, programs->visualItemRect(programs->item(row)).topLeft()).y())
        << row;
    EXPECT_TRUE(inputs->viewport()->rect().contains(inputs->visualItemRect(inputs->item(row))))
        << row;
  }
  EXPECT_EQ(inputs->item(8)->text(), "DVR");
  EXPECT_EQ(programs->item(8)->text(), "Straight");
  EXPECT_EQ(programs->item(1)->text(), FromModel(h.app.Pages()
                                                     .FindByCaption("Input DSP")
                                                     ->FindControl(CInputDsp::kProgramCombo)
                                                     ->items[3]));
}

TEST(InputDspView, EachKindOfControlReachesTheRecordOfTheSelectedInput) {
  AppHarness h;
  CSettingImage& image = h.link().CurrentImage();
  StoreParameter(image, 201, 3);  // CD: program 3, not Straight
  StoreParameter(image, 202, 0);
  h.app.Pages().RefreshAll();
  SheetOnScreen s(h, "Input DSP");
  auto* programs = s.Get<QListWidget>(CInputDsp::kAssignmentList);
  auto* combo = s.Get<QComboBox>(CInputDsp::kProgramCombo);
  auto* straight = s.Get<QRadioButton>(CInputDsp::kStraightRadio);
  auto* dsp = s.Get<QRadioButton>(CInputDsp::kDspProgramRadio);

  // A click on either list selects the input in both.
  ClickRow(programs, 1);
  EXPECT_EQ(s.Get<QListWidget>(CInputDsp::kInputList)->currentRow(), 1);
  EXPECT_EQ(combo->currentIndex(), 3);
  EXPECT_TRUE(dsp->isChecked());
  EXPECT_TRUE(combo->isEnabled());

  combo->setCurrentIndex(5);
  EXPECT_EQ(ReadParameter(image, 201), 5);
  EXPECT_EQ(programs->item(1)->text(), combo->itemText(5));

  QTest::mouseClick(straight, Qt::LeftButton);
  EXPECT_EQ(ReadParameter(image, 202), 1);
  EXPECT_EQ(ReadParameter(image, 201), 5);  // the program is kept
  EXPECT_TRUE(straight->isChecked());
  EXPECT_FALSE(combo->isEnabled());
  EXPECT_EQ(programs->item(1)->text(), "Straight");

  QTest::mouseClick(dsp, Qt::LeftButton);
  EXPECT_EQ(ReadParameter(image, 202), 0);
  EXPECT_TRUE(combo->isEnabled());
  EXPECT_EQ(programs->item(1)->text(), combo->itemText(5));

  QTest::mouseClick(s.Get<QPushButton>(CInputDsp::kDefaultButton), Qt::LeftButton);
  CSettingImage defaults = image;
  ApplyInputDspDefaults(defaults, h.link().RegionCode());
  ASSERT_NE(ReadParameter(defaults, 201), 5);
  EXPECT_EQ(ReadParameter(image, 201), ReadParameter(defaults, 201));
  EXPECT_EQ(combo->currentIndex(), ReadParameter(defaults, 201));
  // Async Mode: nothing goes out.
  EXPECT_TRUE(h.receiver.ReceivedFrames().empty());
}

// --- Lists as tables: I/O Assign and Input Rename -----------------------------------------

// The rows of `left` and `right` stand level, all shown.
void ExpectOneTable(SheetOnScreen& s, int leftId, int rightId) {
  auto* left = s.Get<QListWidget>(leftId);
  auto* right = s.Get<QListWidget>(rightId);
  ASSERT_EQ(left->count(), right->count());
  EXPECT_LT(left->mapTo(s.view, QPoint(0, 0)).x(), right->mapTo(s.view, QPoint(0, 0)).x());
  for (int row = 0; row < left->count(); ++row) {
    const QRect l = left->visualItemRect(left->item(row));
    const QRect r = right->visualItemRect(right->item(row));
    EXPECT_EQ(left->mapTo(s.view, l.topLeft()).y(), right->mapTo(s.view, r.topLeft()).y()) << row;
    EXPECT_TRUE(left->viewport()->rect().contains(l)) << row;
    EXPECT_TRUE(right->viewport()->rect().contains(r)) << row;
    // Nothing below the page's bottom at 1280x720.
    EXPECT_LE(left->mapTo(s.view, l.bottomLeft()).y(), s.view->height()) << row;
  }
}

TEST(IoAssignView, InRealTimeModeAPortAndAnInputChosenAreSentOnSelect) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  StoreParameter(h.link().CurrentImage(), 246, 1);  // (1) Coaxial IN 1: CD
  h.app.Pages().RefreshAll();
  SheetOnScreen s(h, "I/O Assign");
  ExpectWidgetsAndNamesAsTheGenericForm(s);
  ExpectOneTable(s, CIOAssign::kPortList, CIOAssign::kAssignedList);
  auto* ports = s.Get<QListWidget>(CIOAssign::kPortList);
  auto* assigned = s.Get<QListWidget>(CIOAssign::kAssignedList);
  auto* inputs = s.Get<QListWidget>(CIOAssign::kInputList);
  auto* select = s.Get<QPushButton>(CIOAssign::kSelectButton);
  EXPECT_FALSE(select->isEnabled());
  EXPECT_FALSE(ports->item(0)->icon().isNull());  // the marker on port 0

  // A row of the assigned inputs chooses its port, and the marker follows.
  ClickRow(assigned, 3);
  EXPECT_EQ(ports->currentRow(), 3);
  EXPECT_FALSE(ports->item(3)->icon().isNull());
  EXPECT_TRUE(ports->item(0)->icon().isNull());
  // TUNER is refused on a coaxial input: "Select" stays off.
  ClickRow(inputs, 2);
  EXPECT_FALSE(select->isEnabled());
  ClickRow(inputs, 3);  // CD-R
  EXPECT_TRUE(select->isEnabled());
  const size_t from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(select, Qt::LeftButton);
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x14"
                                         "2008010100034F"
                                         "\x03"});
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 246), 3);
  EXPECT_EQ(assigned->item(3)->text(), "CD-R");
  // The marker moved twice and the rows still line up.
  QApplication::processEvents();
  ExpectOneTable(s, CIOAssign::kPortList, CIOAssign::kAssignedList);
}

TEST(IoAssignView, InAsyncModeDefaultRestoresEveryPortAndSendsNothing) {
  AppHarness h;
  StoreParameter(h.link().CurrentImage(), 258, 7);  // HDMI IN 4: DTV/CBL
  h.app.Pages().RefreshAll();
  SheetOnScreen s(h, "I/O Assign");
  auto* assigned = s.Get<QListWidget>(CIOAssign::kAssignedList);
  EXPECT_EQ(assigned->item(15)->text(), "DTV/CBL");
  QTest::mouseClick(s.Get<QPushButton>(CIOAssign::kDefaultButton), Qt::LeftButton);
  CSettingImage defaults = h.link().CurrentImage();
  ApplyIoAssignDefaults(defaults);
  ASSERT_NE(ReadParameter(defaults, 258), 7);
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 258), ReadParameter(defaults, 258));
  EXPECT_NE(assigned->item(15)->text(), "DTV/CBL");
  EXPECT_TRUE(h.receiver.ReceivedFrames().empty());
}

TEST(InputRenameView, InRealTimeModeANameTypedIsStoredAndSentForTheRowChosen) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  SheetOnScreen s(h, "Input Rename");
  ExpectWidgetsAndNamesAsTheGenericForm(s);
  ExpectOneTable(s, CInputSetUp::kInputList, CInputSetUp::kNameList);
  auto* inputs = s.Get<QListWidget>(CInputSetUp::kInputList);
  auto* names = s.Get<QListWidget>(CInputSetUp::kNameList);
  auto* edit = s.Get<QLineEdit>(CInputSetUp::kNameEdit);
  // A row of the names chooses its input.
  ClickRow(names, 1);  // CD
  EXPECT_EQ(inputs->currentRow(), 1);
  QTest::keyClicks(edit, "ABCDEFGHIJKL");
  const size_t from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(s.Get<QPushButton>(CInputSetUp::kEnterButton), Qt::LeftButton);
  // Nine characters at most, sent with input code 01.
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x14"
                                         "2012011100109ABCDEFGHIEF"
                                         "\x03"});
  EXPECT_EQ(names->item(1)->text(), "ABCDEFGHI");
  EXPECT_EQ(ReadText(h.link().CurrentImage(), 230), "ABCDEFGHI");
}

TEST(InputRenameView, ATextFromTheReceiverIsShownAsPlainText) {
  AppHarness h;
  StoreText(h.link().CurrentImage(), 229, "<b>x</b> ");
  h.app.Pages().RefreshAll();
  SheetOnScreen s(h, "Input Rename");
  EXPECT_EQ(s.Get<QListWidget>(CInputSetUp::kNameList)->item(0)->text(), "<b>x</b> ");
  for (QLabel* label : s.view->findChildren<QLabel*>()) {
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
  }
}

// --- Tuner Set ------------------------------------------------------------------------------

TEST(TunerSetView, InRealTimeModeAFrequencyChosenIsStoredAndSentForThePresetChosen) {
  testing::WindowHarness window(ControlMode::kRealTime);
  testing::FindByName<QPushButton>(&window.view(), "Open")->click();
  ASSERT_TRUE(
      window.RunUntil([&] { return window.view().ConnectionStatus() == "Connected QR-K2600"; }));
  ASSERT_TRUE(
      window.RunUntil([&] { return window.link().Queue().empty() && window.link().IsWireIdle(); }));
  window.Run(1000);
  ASSERT_TRUE(window.view().Sheet().ActivateByCaption("Tuner Set"));
  QApplication::processEvents();
  CPageWidget* view = window.view().Sheet().ActiveView();
  auto get = [&](int id) { return view->WidgetOf(id); };
  auto* pages = qobject_cast<QComboBox*>(get(CTunerSetPage::kPageCombo));
  auto* presets = qobject_cast<QListWidget*>(get(CTunerSetPage::kPresetList));
  auto* frequencies = qobject_cast<QListWidget*>(get(CTunerSetPage::kFrequencyList));
  ASSERT_TRUE(pages && presets && frequencies);
  // "Current": one frequency and no presets.
  EXPECT_EQ(presets->count(), 0);
  EXPECT_EQ(frequencies->count(), 1);

  pages->setCurrentIndex(1);  // PageA
  ASSERT_EQ(presets->count(), 8);
  EXPECT_EQ(presets->item(2)->text(), "Preset3");
  ClickRow(frequencies, 2);
  EXPECT_EQ(presets->currentRow(), 2);
  const size_t from = window.receiver.ReceivedFrames().size();
  // The "Frequency" dialog answers with its first row: AM 530kHz in region 1.
  QTest::mouseClick(qobject_cast<QPushButton*>(get(CTunerSetPage::kAmButton)), Qt::LeftButton);
  window.Run(2000);
  EXPECT_EQ(window.FramesSince(from), Frames{"\x14"
                                             "200D0501130000530"
                                             "58"
                                             "\x03"});
  EXPECT_EQ(ReadText(window.link().CurrentImage(), 438), "000530");
  EXPECT_EQ(frequencies->item(2)->text(), "AM 530kHz");
}

TEST(TunerSetView, ThePageChosenAboveTheTableOfItsPresets) {
  AppHarness h;
  SheetOnScreen s(h, "Tuner Set");
  ExpectWidgetsAndNamesAsTheGenericForm(s);
  auto* pages = s.Get<QComboBox>(CTunerSetPage::kPageCombo);
  pages->setCurrentIndex(5);  // PageE
  QApplication::processEvents();
  ExpectOneTable(s, CTunerSetPage::kPresetList, CTunerSetPage::kFrequencyList);
  EXPECT_LT(pages->mapTo(s.view, QPoint(0, pages->height())).y(),
            s.Get<QListWidget>(CTunerSetPage::kPresetList)->mapTo(s.view, QPoint(0, 0)).y());
  // "Default" goes back to "Current".
  QTest::mouseClick(s.Get<QPushButton>(CTunerSetPage::kDefaultButton), Qt::LeftButton);
  EXPECT_EQ(pages->currentIndex(), 0);
  EXPECT_EQ(s.Get<QListWidget>(CTunerSetPage::kFrequencyList)->count(), 1);
}

// --- XM Set ---------------------------------------------------------------------------------

TEST(XmSetView, InRealTimeModeAStationIdEnteredIsSentAndARefusedOneIsSaid) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  SheetOnScreen s(h, "XM Set");
  ExpectWidgetsAndNamesAsTheGenericForm(s);
  auto* box = s.Get<QGroupBox>(CXmSetPage::kPresetFrame);
  EXPECT_EQ(box->title(), "XM Preset (Station ID)");
  EXPECT_TRUE(box->isAncestorOf(s.Get<QListWidget>(CXmSetPage::kValueList)));
  EXPECT_FALSE(box->isAncestorOf(s.Get<QPushButton>(CXmSetPage::kDefaultButton)));
  s.Get<QComboBox>(CXmSetPage::kPageCombo)->setCurrentIndex(2);  // PageC
  QApplication::processEvents();
  ExpectOneTable(s, CXmSetPage::kPresetList, CXmSetPage::kValueList);
  auto* values = s.Get<QListWidget>(CXmSetPage::kValueList);
  ClickRow(values, 7);
  EXPECT_EQ(s.Get<QListWidget>(CXmSetPage::kPresetList)->currentRow(), 7);
  auto* edit = s.Get<QLineEdit>(CXmSetPage::kStationEdit);
  edit->selectAll();
  QTest::keyClicks(edit, "255");
  size_t from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(s.Get<QPushButton>(CXmSetPage::kEnterButton), Qt::LeftButton);
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x14"
                                         "2008051138FF88"
                                         "\x03"});
  EXPECT_EQ(values->item(7)->text(), "255");

  EXPECT_TRUE(h.pageHost.told.empty());

  // 256 is refused: told in a warning box, nothing stored or sent, and no
  // label on the page says it.
  const int labels = static_cast<int>(s.view->findChildren<QLabel*>().size());
  edit->selectAll();
  QTest::keyClicks(edit, "256");
  from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(s.Get<QPushButton>(CXmSetPage::kEnterButton), Qt::LeftButton);
  EXPECT_EQ(FramesAfter(h, from), Frames{});
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 499), 255);
  EXPECT_EQ(h.pageHost.told,
            std::vector<std::string>{"Please enter an integer between 0 and 255."});
  EXPECT_EQ(h.pageHost.toldIcons, std::vector<PageIcon>{PageIcon::kExclamation});
  EXPECT_EQ(static_cast<int>(s.view->findChildren<QLabel*>().size()), labels);
  for (QLabel* label : s.view->findChildren<QLabel*>()) {
    EXPECT_FALSE(label->text().startsWith("Please enter")) << label->text().toStdString();
  }
  EXPECT_EQ(edit->text(), "256");
}

TEST(XmSetView, WithoutTheXmTunerTheControlsAreHidden) {
  AppHarness h;
  ModelFlags flags;
  flags.xm = 0;
  h.link().SetFlags(flags);
  h.app.Pages().UpdateModelControls();
  CBasePage* page = h.app.Pages().FindByCaption("XM Set");
  ASSERT_NE(page, nullptr);
  std::unique_ptr<CPageWidget> view(MakePageWidget(*page, nullptr));
  view->resize(1280, 720);
  view->show();
  for (const int id :
       {CXmSetPage::kPageCombo, CXmSetPage::kPresetList, CXmSetPage::kValueList,
        CXmSetPage::kStationEdit, CXmSetPage::kEnterButton, CXmSetPage::kDefaultButton}) {
    EXPECT_TRUE(view->WidgetOf(id)->isHidden()) << id;
    EXPECT_FALSE(view->WidgetOf(id)->isEnabled()) << id;
  }
}

// --- DSP Parameters and the typed value ------------------------------------------------------

TEST(DspParametersView, AValueTypedUnderTheSliderIsStoredAndSentAsAReleaseWouldBe) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  h.app.Pages().DspParameters().ShowProgram(3);
  SheetOnScreen s(h, "DSP Parameters");
  ExpectWidgetsAndNamesAsTheGenericForm(s);
  ExpectOneTable(s, CInputDspParam::kNameList, CInputDspParam::kValueList);
  ClickRow(s.Get<QListWidget>(CInputDspParam::kValueList), 4);  // Rev. Time
  EXPECT_EQ(s.Get<QListWidget>(CInputDspParam::kNameList)->currentRow(), 4);
  // One upright slider at a time: the selected row's.
  auto* slider = s.Get<QSlider>(CInputDspParam::kFirstSlider + 4);
  EXPECT_EQ(slider->orientation(), Qt::Vertical);
  EXPECT_FALSE(slider->isHidden());
  for (int i = 0; i < CInputDspParam::kSliderCount; ++i) {
    if (i != 4) {
      EXPECT_TRUE(s.Get<QSlider>(CInputDspParam::kFirstSlider + i)->isHidden()) << i;
    }
  }
  CTypedReadOut* typed = nullptr;
  for (QLabel* label : s.view->findChildren<QLabel*>()) {
    auto* typedLabel = dynamic_cast<CTypedReadOut*>(label);
    if (typedLabel != nullptr && !typedLabel->isHidden()) typed = typedLabel;
  }
  ASSERT_NE(typed, nullptr);
  EXPECT_FALSE(typed->accessibleName().isEmpty());

  // In range and on the step: stored and sent once, as a release.
  typed->setFocus();
  QTest::keyClick(typed, Qt::Key_Return);
  ASSERT_NE(typed->Editor(), nullptr);
  ASSERT_TRUE(typed->Editor()->isVisible());
  // The read-out and the edit write the value as the list does.
  EXPECT_EQ(typed->text(), s.Get<QListWidget>(CInputDspParam::kValueList)->item(4)->text());
  typed->Editor()->clear();
  QTest::keyClicks(typed->Editor(), "2.5");
  size_t from = h.receiver.ReceivedFrames().size();
  QTest::keyClick(typed->Editor(), Qt::Key_Return);
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x14"
                                         "200B0211090B0190D"
                                         "\x03"});
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 47), 25);
  EXPECT_EQ(s.Get<QListWidget>(CInputDspParam::kValueList)->item(4)->text(), "2.5sec");
  EXPECT_EQ(typed->text(), "2.5sec");
  EXPECT_TRUE(typed->LastRefusal().isEmpty());

  // Off the step, then out of range: refused with a message, nothing sent.
  for (const char* text : {"3.05", "5.1sec"}) {
    QTest::mouseDClick(typed, Qt::LeftButton);
    ASSERT_TRUE(typed->Editor()->isVisible());
    typed->Editor()->clear();
    QTest::keyClicks(typed->Editor(), text);
    from = h.receiver.ReceivedFrames().size();
    QTest::keyClick(typed->Editor(), Qt::Key_Return);
    EXPECT_EQ(FramesAfter(h, from), Frames{}) << text;
    EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 47), 25) << text;
    EXPECT_FALSE(typed->LastRefusal().isEmpty()) << text;
    // Said under the read-out, naming the range; the edit stays open.
    EXPECT_FALSE(typed->ProblemLabel()->isHidden()) << text;
    EXPECT_EQ(typed->ProblemLabel()->text(), typed->LastRefusal()) << text;
    EXPECT_TRUE(typed->LastRefusal().contains("from 1.0sec to 5.0sec"))
        << typed->LastRefusal().toStdString();
    EXPECT_TRUE(typed->IsTyping()) << text;
    QTest::keyClick(typed->Editor(), Qt::Key_Escape);
    EXPECT_FALSE(typed->IsTyping()) << text;
  }

  // Every row with a slider: its read-out says what the list says (dB,
  // ms, tenths of a room size, seconds, percent).
  auto* values = s.Get<QListWidget>(CInputDspParam::kValueList);
  int withSlider = 0;
  for (int row = 0; row < values->count(); ++row) {
    ClickRow(values, row);
    if (s.Get<QSlider>(CInputDspParam::kFirstSlider + row)->isHidden()) continue;
    ++withSlider;
    CTypedReadOut* shown = nullptr;
    for (QLabel* label : s.view->findChildren<QLabel*>()) {
      auto* typedLabel = dynamic_cast<CTypedReadOut*>(label);
      if (typedLabel != nullptr && !typedLabel->isHidden()) shown = typedLabel;
    }
    ASSERT_NE(shown, nullptr) << row;
    EXPECT_EQ(shown->text(), values->item(row)->text()) << row;
  }
  EXPECT_GE(withSlider, 4);
}

// --- iPod -----------------------------------------------------------------------------------

TEST(IPodView, InRealTimeModeSettingsAndOperationsSendTheirCommands) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  StoreParameter(h.link().CurrentImage(), 549, 0);
  h.app.Pages().RefreshAll();
  SheetOnScreen s(h, "iPod");
  ExpectWidgetsAndNamesAsTheGenericForm(s);
  size_t from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(s.Get<QRadioButton>(1402), Qt::LeftButton);  // Standby Charge "Auto"
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                         "29601"
                                         "\x03"});
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 549), 1);
  for (const auto& [button, frame] :
       std::vector<std::pair<int, std::string>>{{CiPodPage::kPlayButton,
                                                 "\x02"
                                                 "0F7F011EE1"
                                                 "\x03"},
                                                {CiPodPage::kUpButton,
                                                 "\x02"
                                                 "0F7F010EF1"
                                                 "\x03"}}) {
    from = h.receiver.ReceivedFrames().size();
    QTest::mouseClick(s.Get<QPushButton>(button), Qt::LeftButton);
    EXPECT_EQ(FramesAfter(h, from), Frames{frame}) << button;
  }
  // The menu keys stand as a cross around "Enter".
  const auto at = [&](int id) { return s.Get<QPushButton>(id)->mapTo(s.view, QPoint(0, 0)); };
  EXPECT_LT(at(CiPodPage::kUpButton).y(), at(CiPodPage::kEnterButton).y());
  EXPECT_LT(at(CiPodPage::kEnterButton).y(), at(CiPodPage::kDownButton).y());
  EXPECT_LT(at(CiPodPage::kLeftButton).x(), at(CiPodPage::kEnterButton).x());
  EXPECT_LT(at(CiPodPage::kEnterButton).x(), at(CiPodPage::kRightButton).x());
  EXPECT_EQ(at(CiPodPage::kLeftButton).y(), at(CiPodPage::kEnterButton).y());
  // "Rew" and "FF" are never shown.
  EXPECT_TRUE(s.Get<QPushButton>(CiPodPage::kRewButton)->isHidden());
  EXPECT_TRUE(s.Get<QPushButton>(CiPodPage::kFfButton)->isHidden());
  EXPECT_FALSE(s.Get<QPushButton>(CiPodPage::kPauseButton)->isHidden());
}

TEST(IPodView, TheReceiversTextsShowAsPlainTextAndTheMarkerOnTheSelectedLine) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  std::string list = "2";
  for (const char* line : {"<b>One</b>", "Two", "Three", "Four"}) {
    std::string padded = line;
    padded.resize(20, ' ');
    list += padded;
  }
  StoreText(h.link().CurrentImage(), 556, list);
  SheetOnScreen s(h, "iPod");
  h.app.Pages().FindByCaption("iPod")->RefreshParam(556, true);
  s.view->Render();
  EXPECT_EQ(s.Get<QLineEdit>(CiPodPage::kListLineBoxes[0])->text().trimmed(), "<b>One</b>");
  EXPECT_EQ(s.Get<QLineEdit>(CiPodPage::kListMarkerBoxes[2])->text(), ">");
  EXPECT_EQ(s.Get<QLineEdit>(CiPodPage::kListMarkerBoxes[0])->text(), "");
  EXPECT_TRUE(s.Get<QLineEdit>(CiPodPage::kListLineBoxes[0])->isReadOnly());
}

TEST(IPodView, InAsyncModeOnlyTheSettingsShow) {
  AppHarness h;
  SheetOnScreen s(h, "iPod");
  ExpectWidgetsAndNamesAsTheGenericForm(s);
  for (const int id :
       {CiPodPage::kOperationGroup, CiPodPage::kPlayInformationGroup,
        CiPodPage::kListInformationGroup, CiPodPage::kPlayButton, CiPodPage::kEnterButton,
        CiPodPage::kPlayInformationBoxes[0], CiPodPage::kListLineBoxes[3]}) {
    EXPECT_TRUE(s.view->WidgetOf(id)->isHidden()) << id;
  }
  EXPECT_FALSE(s.Get<QRadioButton>(1401)->isHidden());
  EXPECT_TRUE(s.Get<QRadioButton>(1401)->isEnabled());
}

// --- Every view of the family -------------------------------------------------------------

TEST(SourceViews, ArrowKeysChangeNeitherTheImageNorTheReceiver) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  h.app.Pages().DspParameters().ShowProgram(3);
  const CSettingImage before = h.link().CurrentImage();
  const size_t from = h.receiver.ReceivedFrames().size();
  const std::vector<std::pair<std::string, int>> targets = {
      {"TRIGGER OUT", CDCTriggerCtl::LowButtonOf(301)},
      {"TRIGGER OUT", 1330},
      {"I/O Assign", CIOAssign::kPortList},
      {"Tuner Set", CTunerSetPage::kPageCombo},
      {"DSP Parameters", CInputDspParam::kNameList},
      {"iPod", 1401}};
  for (const auto& [caption, id] : targets) {
    SheetOnScreen s(h, caption);
    QWidget* widget = s.view->WidgetOf(id);
    ASSERT_NE(widget, nullptr) << caption << " " << id;
    widget->setFocus();
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up}) {
      QTest::keyClick(widget, key);
    }
  }
  {
    // The slider of the selected row, too.
    SheetOnScreen s(h, "DSP Parameters");
    ClickRow(s.Get<QListWidget>(CInputDspParam::kNameList), 4);
    const CSettingImage selected = h.link().CurrentImage();
    const size_t sent = h.receiver.ReceivedFrames().size();
    QSlider* slider = s.Get<QSlider>(CInputDspParam::kFirstSlider + 4);
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Up, Qt::Key_Left, Qt::Key_Down}) {
      QTest::keyClick(slider, key);
    }
    EXPECT_EQ(FramesAfter(h, sent), Frames{});
    EXPECT_TRUE(h.link().CurrentImage() == selected);
  }
  EXPECT_EQ(FramesAfter(h, from), Frames{});
  EXPECT_TRUE(h.link().CurrentImage() == before);
}

}  // namespace
}  // namespace qamp
