// The zone and set-up pages' own views: Multi Zone, Display Set, MULTI CH,
// Other and Advanced Setup. Each shows what its page describes, hands every action to the
// page (and, in Real Time Mode, the receiver gets the command once), and
// takes a typed slider value only when it is in range and on the step.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>
#include <set>

#include "app/my_sheet.h"
#include "app/page_widget.h"
#include "app/typed_value.h"
#include "app/view_test_support.h"
#include "model/parameter_store.h"
#include "pages/advanced_setup_page.h"
#include "pages/display_set_page.h"
#include "pages/multi_ch_page.h"
#include "pages/multi_zone_page.h"
#include "pages/other_page.h"
#include "support/app_harness.h"

namespace qamp {
namespace {

using testing::AccessibleNameOf;
using testing::AppHarness;
using testing::Connect;
using testing::FramesAfter;
using Frames = std::vector<std::string>;

const char* const kOurPages[] = {"Multi Zone", "Display Set", "MULTI CH", "Other",
                                 "Advanced Setup"};

struct SheetOnScreen : testing::SheetOnScreen {
  using testing::SheetOnScreen::SheetOnScreen;
  CTypedReadOut* ReadOut(int id) { return dynamic_cast<CTypedReadOut*>(view->WidgetOf(id)); }
};

Frames Standard(const char* text) {
  return {std::string("\x02") + text + "\x03"};
}

// Each widget shows its control as the page describes it, and is of the
// kind the window tests expect.
void ExpectShowsThePage(const CPageWidget& view, const CBasePage& page, const std::string& where) {
  for (const Control& control : page.Controls()) {
    const std::string what = where + " control " + std::to_string(control.id);
    QWidget* widget = view.WidgetOf(control.id);
    ASSERT_NE(widget, nullptr) << what;
    switch (control.kind) {
      case ControlKind::kRadioGroup: {
        QWidget* box = widget->parentWidget();
        EXPECT_EQ(!box->isHidden(), control.visible) << what;
        EXPECT_EQ(box->isEnabled(), control.enabled) << what;
        for (size_t b = 0; b < control.buttonIds.size(); ++b) {
          auto* radio = qobject_cast<QRadioButton*>(view.WidgetOf(control.buttonIds[b]));
          ASSERT_NE(radio, nullptr) << what;
          EXPECT_EQ(radio->isChecked(), static_cast<int>(b) == control.value) << what;
          EXPECT_EQ(radio->text().toStdString(), control.items[b]) << what;
        }
        break;
      }
      case ControlKind::kSlider: {
        auto* slider = qobject_cast<QSlider*>(widget);
        ASSERT_NE(slider, nullptr) << what;
        EXPECT_EQ(slider->orientation() == Qt::Vertical,
                  control.orientation == Orientation::kVertical)
            << what;
        EXPECT_EQ(slider->isEnabled(), control.enabled) << what;
        EXPECT_EQ(control.minimum + slider->value() * control.step, control.value) << what;
        EXPECT_EQ(control.minimum + slider->maximum() * control.step, control.maximum) << what;
        break;
      }
      case ControlKind::kCombo: {
        auto* combo = qobject_cast<QComboBox*>(widget);
        ASSERT_NE(combo, nullptr) << what;
        EXPECT_EQ(combo->isEnabled(), control.enabled) << what;
        EXPECT_EQ(combo->count(), static_cast<int>(control.items.size())) << what;
        EXPECT_EQ(combo->currentIndex(), control.value) << what;
        break;
      }
      case ControlKind::kCheckBox:
        ASSERT_NE(qobject_cast<QCheckBox*>(widget), nullptr) << what;
        EXPECT_EQ(qobject_cast<QCheckBox*>(widget)->isChecked(), control.value > 0) << what;
        EXPECT_EQ(widget->isEnabled(), control.enabled) << what;
        break;
      case ControlKind::kButton:
        ASSERT_NE(qobject_cast<QPushButton*>(widget), nullptr) << what;
        EXPECT_EQ(widget->isEnabled(), control.enabled) << what;
        break;
      case ControlKind::kReadOut:
        ASSERT_NE(qobject_cast<QLabel*>(widget), nullptr) << what;
        EXPECT_EQ(qobject_cast<QLabel*>(widget)->text().toStdString(), control.text) << what;
        break;
      case ControlKind::kFrame:
        ASSERT_NE(qobject_cast<QGroupBox*>(widget), nullptr) << what;
        EXPECT_EQ(qobject_cast<QGroupBox*>(widget)->title().toStdString(), control.caption);
        break;
      default:
        break;
    }
    if (control.kind != ControlKind::kRadioGroup) {
      EXPECT_EQ(!widget->isHidden(), control.visible) << what;
    }
  }
}

TEST(ZoneViews, EveryControlIsShownAsItsPageDescribesItInEveryModeAndRegion) {
  for (const ControlMode mode : {ControlMode::kAsync, ControlMode::kRealTime}) {
    for (int region = 1; region <= 4; ++region) {
      AppHarness h({}, mode, region);
      for (const char* caption : kOurPages) {
        SheetOnScreen s(h, caption);
        ASSERT_NE(s.view, nullptr) << caption;
        // A layout of its own, not the generic form.
        EXPECT_STRNE(s.view->metaObject()->className(), "qamp::CPageView") << caption;
        ExpectShowsThePage(*s.view, s.view->Page(),
                           std::string(caption) + " region " + std::to_string(region));
      }
    }
  }
}

TEST(ZoneViews, EveryControlHasANameOfItsOwnWithinItsPage) {
  AppHarness h;
  for (const char* caption : kOurPages) {
    SheetOnScreen s(h, caption);
    std::vector<QWidget*> controls;
    for (QWidget* widget : s.view->findChildren<QWidget*>()) {
      if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QSlider*>(widget) ||
          qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget) ||
          qobject_cast<QGroupBox*>(widget)) {
        controls.push_back(widget);
      }
    }
    for (const Control& control : s.view->Page().Controls()) {
      if (control.kind == ControlKind::kReadOut) controls.push_back(s.view->WidgetOf(control.id));
    }
    std::set<QString> names;
    for (QWidget* control : controls) {
      const QString name = AccessibleNameOf(control);
      EXPECT_FALSE(name.trimmed().isEmpty())
          << caption << " " << control->metaObject()->className();
      EXPECT_TRUE(names.insert(name).second) << caption << " repeats " << name.toStdString();
    }
  }
  SheetOnScreen zones(h, "Multi Zone");
  EXPECT_EQ(AccessibleNameOf(zones.view->WidgetOf(CMultiZone::kZone2Mute)), "Zone 2 Mute");
  EXPECT_EQ(AccessibleNameOf(zones.view->WidgetOf(CMultiZone::kZone3Mute)), "Zone 3 Mute");
  EXPECT_EQ(AccessibleNameOf(zones.view->WidgetOf(CMultiZone::kZone3Input)), "Zone3 Input");
  EXPECT_EQ(AccessibleNameOf(zones.view->WidgetOf(CMultiZone::kZone2Volume)), "Zone2 Volume");
}

// --- Multi Zone ------------------------------------------------------------------------------

TEST(MultiZoneView, EachKindOfControlSendsItsCommandOnceInRealTimeMode) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  CSettingImage& image = h.link().CurrentImage();
  StoreParameter(image, 13, 0);  // both zones on external amplifiers
  StoreParameter(image, 18, 0);
  StoreParameter(image, 15, 0);
  StoreParameter(image, 22, 20);
  StoreParameter(image, 16, 0);
  SheetOnScreen s(h, "Multi Zone");

  size_t from = h.receiver.ReceivedFrames().size();
  s.Get<QComboBox>(CMultiZone::kZone2Amplifier)->setCurrentIndex(1);  // INT:Speaker[1]
  EXPECT_EQ(FramesAfter(h, from), Standard("23E01"));
  // On the internal amplifier the volume output cannot be chosen.
  EXPECT_FALSE(s.Get<QComboBox>(CMultiZone::kZone2VolumeOut)->isEnabled());

  from = h.receiver.ReceivedFrames().size();
  QTest::keyClick(s.Get<QSlider>(CMultiZone::kZone2Volume), Qt::Key_PageUp);  // 0.0 -> 0.5 dB
  EXPECT_EQ(FramesAfter(h, from), Standard("231C8"));                         // 1 + 199 = 0xC8
  EXPECT_EQ(s.Get<QLabel>(CMultiZone::ReadOutOf(CMultiZone::kZone2Volume))->text(), "0.5dB");

  from = h.receiver.ReceivedFrames().size();
  QTest::keyClick(s.Get<QSlider>(CMultiZone::kZone2Balance), Qt::Key_PageDown);  // L1
  EXPECT_EQ(FramesAfter(h, from), Standard("2AD13"));
  EXPECT_EQ(s.Get<QLabel>(CMultiZone::ReadOutOf(CMultiZone::kZone2Balance))->text(), "L1");

  from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(s.Get<QCheckBox>(CMultiZone::kZone2Mute), Qt::LeftButton);
  EXPECT_EQ(FramesAfter(h, from), Standard("07EA0"));

  // A drag stores on every move and sends once, on release.
  QSlider* initial = s.Get<QSlider>(CMultiZone::kZone3InitialVolume);
  StoreParameter(image, 27, -400);
  s.view->Page().RefreshAll();
  s.view->Render();
  from = h.receiver.ReceivedFrames().size();
  initial->setSliderDown(true);
  initial->setSliderPosition(initial->sliderPosition() + 2);
  EXPECT_EQ(ReadParameter(image, 27), -390);
  h.clock.Advance(1000);
  EXPECT_EQ(h.receiver.ReceivedFrames().size(), from);
  initial->setSliderDown(false);
  EXPECT_EQ(FramesAfter(h, from), Standard("2AC79"));  // -78 + 199 = 121 = 0x79
}

TEST(MultiZoneView, TheAmplifierInterlockShowsTheOldValueAgain) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  CSettingImage& image = h.link().CurrentImage();
  StoreParameter(image, 13, 0);
  StoreParameter(image, 18, 1);  // Zone 3 on INT:Speaker[1]
  SheetOnScreen s(h, "Multi Zone");
  QComboBox* zone2 = s.Get<QComboBox>(CMultiZone::kZone2Amplifier);
  const size_t from = h.receiver.ReceivedFrames().size();
  // A refused choice leaves the old value, which is sent again.
  zone2->setCurrentIndex(1);  // the same set
  EXPECT_EQ(zone2->currentIndex(), 0);
  zone2->setCurrentIndex(3);  // both sets
  EXPECT_EQ(zone2->currentIndex(), 0);
  EXPECT_EQ(ReadParameter(image, 13), 0);
  zone2->setCurrentIndex(2);  // the other set is free
  EXPECT_EQ(zone2->currentIndex(), 2);
  EXPECT_EQ(FramesAfter(h, from), (Frames{"\x02"
                                          "23E00"
                                          "\x03",
                                          "\x02"
                                          "23E00"
                                          "\x03",
                                          "\x02"
                                          "23E02"
                                          "\x03"}));
}

TEST(MultiZoneView, AMissingZoneIsDisabledButItsMaximumAndInitialVolumeStayOpen) {
  for (const auto& [zone2, zone3] : {std::pair{1, 0}, std::pair{0, 1}, std::pair{0, 0}}) {
    AppHarness h;
    h.link().SetFlags({zone2, zone3, 1, 1});
    SheetOnScreen s(h, "Multi Zone");
    s.view->Page().UpdateModelControls();
    s.view->Render();
    const auto check = [&](int exists, std::initializer_list<int> closed, int maxVolume,
                           int initial) {
      for (const int id : closed) {
        EXPECT_EQ(s.view->WidgetOf(id)->isEnabled(), exists == 1) << id;
      }
      EXPECT_TRUE(s.view->WidgetOf(maxVolume)->isEnabled());
      EXPECT_TRUE(s.view->WidgetOf(initial)->isEnabled());
    };
    check(zone2,
          {CMultiZone::kZone2Input, CMultiZone::kZone2Amplifier, CMultiZone::kZone2Volume,
           CMultiZone::kZone2Mute, CMultiZone::kZone2Balance},
          CMultiZone::kZone2MaxVolume, CMultiZone::kZone2InitialVolume);
    check(zone3,
          {CMultiZone::kZone3Input, CMultiZone::kZone3Amplifier, CMultiZone::kZone3Volume,
           CMultiZone::kZone3Mute, CMultiZone::kZone3Balance},
          CMultiZone::kZone3MaxVolume, CMultiZone::kZone3InitialVolume);
    ExpectShowsThePage(*s.view, s.view->Page(), "flags");
  }
}

TEST(MultiZoneView, OfflineAnInternalAmplifierShowsVarAndQueuesNothing) {
  AppHarness h;
  StoreParameter(h.link().CurrentImage(), 18, 0);
  StoreParameter(h.link().CurrentImage(), 19, 1);  // FIX
  SheetOnScreen s(h, "Multi Zone");
  s.Get<QComboBox>(CMultiZone::kZone3Amplifier)->setCurrentIndex(3);  // INT:Both
  QComboBox* out = s.Get<QComboBox>(CMultiZone::kZone3VolumeOut);
  EXPECT_FALSE(out->isEnabled());
  EXPECT_EQ(out->currentText(), "VAR");
  EXPECT_TRUE(h.link().Queue().empty());
  EXPECT_TRUE(h.receiver.ReceivedFrames().empty());
}

TEST(MultiZoneView, ATypedLevelIsSentAsAReleaseWouldAndAWrongOneIsRefused) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  CSettingImage& image = h.link().CurrentImage();
  StoreParameter(image, 15, 0);
  SheetOnScreen s(h, "Multi Zone");
  CTypedReadOut* readOut = s.ReadOut(CMultiZone::ReadOutOf(CMultiZone::kZone2Volume));
  ASSERT_NE(readOut, nullptr);

  // Enter on the focused read-out opens the edit; the typed value goes out.
  readOut->setFocus();
  QTest::keyClick(readOut, Qt::Key_Return);
  ASSERT_TRUE(readOut->IsTyping());
  size_t from = h.receiver.ReceivedFrames().size();
  readOut->Editor()->selectAll();
  QTest::keyClicks(readOut->Editor(), "-12.5");
  QTest::keyClick(readOut->Editor(), Qt::Key_Return);
  EXPECT_FALSE(readOut->IsTyping());
  EXPECT_EQ(ReadParameter(image, 15), -125);
  EXPECT_EQ(readOut->text(), "-12.5dB");
  EXPECT_EQ(s.Get<QSlider>(CMultiZone::kZone2Volume)->value(), (-125 + 805) / 5);
  EXPECT_EQ(FramesAfter(h, from), Standard("231AE"));  // -25 + 199 = 174 = 0xAE

  // Off the step, out of range, or no number: refused, nothing sent.
  from = h.receiver.ReceivedFrames().size();
  QTest::mouseDClick(readOut, Qt::LeftButton);
  ASSERT_TRUE(readOut->IsTyping());
  for (const auto& [typed, reason] :
       {std::pair{"-12.3",
                  "-12.3 is not on a step: Zone2 Volume moves in steps of 0.5dB from "
                  "-80.5dB to 16.5dB."},
        std::pair{"-12.25",
                  "-12.25 is not on a step: Zone2 Volume moves in steps of 0.5dB "
                  "from -80.5dB to 16.5dB."},
        std::pair{"17", "17 is out of range: Zone2 Volume takes values from -80.5dB to 16.5dB."},
        std::pair{"-81 dB",
                  "-81 dB is out of range: Zone2 Volume takes values from -80.5dB to 16.5dB."},
        std::pair{"loud",
                  "\"loud\" is not a value of Zone2 Volume, which takes values from "
                  "-80.5dB to 16.5dB."},
        std::pair{"", "Type a value of Zone2 Volume from -80.5dB to 16.5dB."}}) {
    readOut->Editor()->clear();
    QTest::keyClicks(readOut->Editor(), typed);
    QTest::keyClick(readOut->Editor(), Qt::Key_Return);
    EXPECT_EQ(readOut->LastRefusal(), reason) << typed;
    EXPECT_TRUE(readOut->IsTyping()) << typed;
  }
  EXPECT_EQ(ReadParameter(image, 15), -125);
  EXPECT_TRUE(FramesAfter(h, from).empty());
  // The ends and the words are taken.
  EXPECT_EQ(readOut->Enter("16.5dB"), "");
  EXPECT_EQ(ReadParameter(image, 15), 165);
  EXPECT_EQ(readOut->Enter("Mute"), "");
  EXPECT_EQ(ReadParameter(image, 15), -805);
  EXPECT_EQ(FramesAfter(h, from), (Frames{"\x02"
                                          "231E8"
                                          "\x03",
                                          "\x02"
                                          "23100"
                                          "\x03"}));
}

TEST(MultiZoneView, TypedBalancesAndInitialVolumesReadAsTheirReadOutsShowThem) {
  AppHarness h;
  CSettingImage& image = h.link().CurrentImage();
  SheetOnScreen s(h, "Multi Zone");
  CTypedReadOut* balance = s.ReadOut(CMultiZone::ReadOutOf(CMultiZone::kZone3Balance));
  CTypedReadOut* initial = s.ReadOut(CMultiZone::ReadOutOf(CMultiZone::kZone2InitialVolume));
  ASSERT_NE(balance, nullptr);
  ASSERT_NE(initial, nullptr);
  const struct {
    CTypedReadOut* readOut;
    ParamId id;
    const char* typed;
    int stored;
    const char* shown;
  } cases[] = {
      {balance, 23, "L3", 17, "L3"},         {balance, 23, "r5", 25, "R5"},
      {balance, 23, "Mid", 20, "Mid"},       {balance, 23, "-20", 0, "L20"},
      {initial, 26, "Off", -810, "Off"},     {initial, 26, "-80.5", -805, "Mute"},
      {initial, 26, "-40", -400, "-40.0dB"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.readOut->Enter(c.typed), "") << c.typed;
    EXPECT_EQ(ReadParameter(image, c.id), c.stored) << c.typed;
    EXPECT_EQ(c.readOut->text(), c.shown) << c.typed;
  }
  EXPECT_EQ(balance->Enter("L21"),
            "L21 is out of range: Zone3 Balance takes values from L20 to R20.");
  EXPECT_EQ(balance->Enter("R2.5"),
            "R2.5 is not on a step: Zone3 Balance moves in steps of 1 from L20 to R20.");
  EXPECT_EQ(initial->Enter("-81.5"),
            "-81.5 is out of range: Zone2 Initial Volume takes values "
            "from -81.0dB to 16.5dB.");
  EXPECT_EQ(ReadParameter(image, 23), 0);
  EXPECT_TRUE(h.link().Queue().empty());
}

TEST(MultiZoneView, EscapeClosesTheEditAndChangesNothing) {
  AppHarness h;
  StoreParameter(h.link().CurrentImage(), 20, -300);
  SheetOnScreen s(h, "Multi Zone");
  CTypedReadOut* readOut = s.ReadOut(CMultiZone::ReadOutOf(CMultiZone::kZone3Volume));
  QTest::mouseDClick(readOut, Qt::LeftButton);
  ASSERT_TRUE(readOut->IsTyping());
  // The edit opens with the value in the slider's units, without the unit.
  EXPECT_EQ(readOut->text(), "-30.0dB");
  EXPECT_EQ(readOut->Editor()->text(), "-30.0");
  QTest::keyClicks(readOut->Editor(), "-10");
  QTest::keyClick(readOut->Editor(), Qt::Key_Escape);
  EXPECT_FALSE(readOut->IsTyping());
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 20), -300);
}

TEST(MultiZoneView, TheViewDrawsAgainOnlyWhenThePageDescriptionChanged) {
  AppHarness h;
  StoreParameter(h.link().CurrentImage(), 24, 0);
  SheetOnScreen s(h, "Multi Zone");
  QComboBox* maxVolume = s.Get<QComboBox>(CMultiZone::kZone2MaxVolume);
  {
    const QSignalBlocker quiet(maxVolume);
    maxVolume->setCurrentIndex(5);
  }
  s.view->Render();  // nothing changed on the page: nothing drawn
  EXPECT_EQ(maxVolume->currentIndex(), 5);
  StoreParameter(h.link().CurrentImage(), 24, 3);
  s.view->Page().RefreshAll();
  s.view->Render();
  EXPECT_EQ(maxVolume->currentIndex(), 3);
}

TEST(MultiZoneView, NoTypingIntoTheReadOutOfADisabledSlider) {
  AppHarness h;
  h.link().SetFlags({1, 0, 1, 1});
  SheetOnScreen s(h, "Multi Zone");
  s.view->Page().UpdateModelControls();
  s.view->Render();
  CTypedReadOut* readOut = s.ReadOut(CMultiZone::ReadOutOf(CMultiZone::kZone3Volume));
  QTest::mouseDClick(readOut, Qt::LeftButton);
  EXPECT_FALSE(readOut->IsTyping());
  const int before = ReadParameter(h.link().CurrentImage(), 20);
  readOut->Enter("-10");
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 20), before);
}

TEST(MultiZoneView, ArrowKeysChangeNothing) {
  AppHarness h;
  SheetOnScreen s(h, "Multi Zone");
  const int before = ReadParameter(h.link().CurrentImage(), 15);
  for (const int key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right}) {
    QTest::keyClick(s.Get<QSlider>(CMultiZone::kZone2Volume), static_cast<Qt::Key>(key));
  }
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 15), before);
}

TEST(MultiZoneView, AnOpenComboListAnswersArrowKeysAndAClosedComboDoesNot) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  SheetOnScreen s(h, "Multi Zone");
  QComboBox* input = s.Get<QComboBox>(CMultiZone::kZone2Input);
  ASSERT_GE(input->count(), 3);
  const int start = input->currentIndex() == input->count() - 1 ? 0 : input->currentIndex();
  input->setCurrentIndex(start);
  QApplication::processEvents();
  input->setFocus();
  // Closed, the arrow keys change nothing and send nothing.
  size_t from = h.receiver.ReceivedFrames().size();
  for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Left, Qt::Key_Right}) {
    QTest::keyClick(input, key);
  }
  EXPECT_EQ(input->currentIndex(), start);
  EXPECT_EQ(h.receiver.ReceivedFrames().size(), from);
  // Opened on purpose, its list moves with the arrow keys and takes the row
  // on Return.
  input->showPopup();
  QApplication::processEvents();
  QAbstractItemView* list = input->view();
  ASSERT_TRUE(list->isVisible());
  EXPECT_EQ(list->currentIndex().row(), start);
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->currentIndex().row(), start + 1);
  QTest::keyClick(list, Qt::Key_Up);
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->currentIndex().row(), start + 1);
  // Moving in the list chooses nothing yet.
  EXPECT_EQ(input->currentIndex(), start);
  EXPECT_EQ(h.receiver.ReceivedFrames().size(), from);
  QTest::keyClick(list, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(input->currentIndex(), start + 1);
  EXPECT_EQ(s.view->Page().FindControl(CMultiZone::kZone2Input)->value, start + 1);
  // The one choice reaches the receiver once its turn in the queue comes.
  h.clock.Advance(2000);
  const Frames sent = FramesAfter(h, from);
  ASSERT_EQ(sent.size(), 1U);
  EXPECT_NE(sent.front().find("07A"), std::string::npos) << sent.front();
}

TEST(MultiZoneView, AFocusedSliderStepsWithPageKeysAndNeverWithArrows) {
  AppHarness h;
  SheetOnScreen s(h, "Multi Zone");
  CSettingImage& image = h.link().CurrentImage();
  StoreParameter(image, 15, -400);
  s.view->Page().RefreshAll();
  s.view->Render();
  QSlider* volume = s.Get<QSlider>(CMultiZone::kZone2Volume);
  volume->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up}) {
    QTest::keyClick(volume, key);
  }
  EXPECT_EQ(ReadParameter(image, 15), -400);
  // One step of 0.5 dB each way; the ends stop it.
  QTest::keyClick(volume, Qt::Key_PageUp);
  EXPECT_EQ(ReadParameter(image, 15), -395);
  QTest::keyClick(volume, Qt::Key_PageDown);
  QTest::keyClick(volume, Qt::Key_PageDown);
  EXPECT_EQ(ReadParameter(image, 15), -405);
  QTest::keyClick(volume, Qt::Key_Home);
  EXPECT_EQ(ReadParameter(image, 15),
            s.view->Page().FindControl(CMultiZone::kZone2Volume)->minimum);
  QTest::keyClick(volume, Qt::Key_PageDown);
  EXPECT_EQ(ReadParameter(image, 15),
            s.view->Page().FindControl(CMultiZone::kZone2Volume)->minimum);
}

TEST(MultiZoneView, TheWheelChangesOnlyASliderThatHasTheFocus) {
  AppHarness h;
  StoreParameter(h.link().CurrentImage(), 22, 20);
  SheetOnScreen s(h, "Multi Zone");
  QSlider* balance = s.Get<QSlider>(CMultiZone::kZone2Balance);
  const auto wheel = [&] {
    const QPointF at(balance->width() / 2.0, balance->height() / 2.0);
    QWheelEvent event(at, balance->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(balance, &event);
  };
  s.sheet.setFocus();
  wheel();
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 22), 20);
  balance->setFocus();
  wheel();
  EXPECT_NE(ReadParameter(h.link().CurrentImage(), 22), 20);
}

// --- Display Set -----------------------------------------------------------------------------

TEST(DisplaySetView, RadiosSlidersTypedValuesAndDefaultSendTheirCommands) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  CSettingImage& image = h.link().CurrentImage();
  StoreParameter(image, 516, 1);
  StoreParameter(image, 519, 0);
  StoreParameter(image, 525, 0);
  SheetOnScreen s(h, "Display Set");

  size_t from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(s.Get<QRadioButton>(1400), Qt::LeftButton);  // Video Conversion Off
  EXPECT_EQ(FramesAfter(h, from), Standard("26900"));
  EXPECT_TRUE(s.Get<QRadioButton>(1400)->isChecked());

  from = h.receiver.ReceivedFrames().size();
  QTest::keyClick(s.Get<QSlider>(CDisplaySet::kOsdShiftSlider), Qt::Key_PageUp);
  EXPECT_EQ(FramesAfter(h, from), Standard("26206"));
  EXPECT_EQ(s.Get<QLabel>(CDisplaySet::kOsdShiftReadOut)->text(), "1");

  from = h.receiver.ReceivedFrames().size();
  EXPECT_EQ(s.ReadOut(CDisplaySet::kOsdShiftReadOut)->Enter("5"), "");
  EXPECT_EQ(s.ReadOut(CDisplaySet::kDimmerReadOut)->Enter("-4"), "");
  EXPECT_EQ(s.ReadOut(CDisplaySet::kDimmerReadOut)->Enter("1"),
            "1 is out of range: Dimmer takes values from -4 to 0.");
  EXPECT_EQ(s.ReadOut(CDisplaySet::kDimmerReadOut)->Enter("-1.5"),
            "-1.5 is not on a step: Dimmer moves in steps of 1 from -4 to 0.");
  EXPECT_EQ(FramesAfter(h, from), (Frames{"\x02"
                                          "2620A"
                                          "\x03",
                                          "\x02"
                                          "26100"
                                          "\x03"}));
  EXPECT_EQ(s.Get<QSlider>(CDisplaySet::kDimmerSlider)->value(), 0);

  from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(s.Get<QPushButton>(CDisplaySet::kDefaultButton), Qt::LeftButton);
  const Frames sent = FramesAfter(h, from);
  ASSERT_GE(sent.size(), 10u);
  EXPECT_EQ(sent.front(), Standard("26901").front());
  EXPECT_EQ(ReadParameter(image, 525), 0);
  EXPECT_EQ(s.Get<QLabel>(CDisplaySet::kDimmerReadOut)->text(), "0");
  EXPECT_TRUE(s.Get<QRadioButton>(1401)->isChecked());
}

TEST(DisplaySetView, TheEndLabelsTheMarksAndTheHiddenFullButtonAreAsThePageSays) {
  AppHarness h;
  SheetOnScreen s(h, "Display Set");
  const CBasePage& page = s.view->Page();
  EXPECT_EQ(page.FindControl(CDisplaySet::kOsdShiftSlider)->lowLabel, "Up");
  EXPECT_EQ(page.FindControl(CDisplaySet::kOsdShiftSlider)->highLabel, "Down");
  EXPECT_EQ(page.FindControl(CDisplaySet::kDimmerSlider)->lowLabel, "-");
  EXPECT_EQ(page.FindControl(CDisplaySet::kDimmerSlider)->highLabel, "+");
  std::set<QString> shown;
  for (QLabel* label : s.view->findChildren<QLabel*>()) {
    if (label->isVisibleTo(s.view)) shown.insert(label->text());
  }
  for (const char* end : {"Up", "Down", "-", "+"}) EXPECT_TRUE(shown.count(end)) << end;
  int marks = 0;
  for (QLabel* label : s.view->findChildren<QLabel*>()) {
    if (!label->pixmap().isNull() && label->isVisibleTo(s.view)) ++marks;
  }
  EXPECT_EQ(marks, 9);  // every setting but Short Message
  EXPECT_TRUE(s.Get<QRadioButton>(CDisplaySet::kFullButton)->parentWidget()->isHidden());
  EXPECT_TRUE(h.link().Queue().empty());
  // No widget of the page stands alone as a window.
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    EXPECT_FALSE(widget->isVisible() && qobject_cast<QLabel*>(widget) != nullptr)
        << qobject_cast<QLabel*>(widget)->text().toStdString();
  }
}

// --- MULTI CH --------------------------------------------------------------------------------

TEST(MultiChView, TheFrontInputOpensOnlyIn8chAndEachChoiceIsSent) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  CSettingImage& image = h.link().CurrentImage();
  StoreParameter(image, 529, 0);
  StoreParameter(image, 530, 4);  // DVD, digit 5
  StoreParameter(image, 531, 0);
  SheetOnScreen s(h, "MULTI CH");
  QComboBox* front = s.Get<QComboBox>(CMiscPage::kFrontCombo);
  EXPECT_FALSE(front->isEnabled());

  size_t from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(s.Get<QRadioButton>(CMiscPage::k8chButton), Qt::LeftButton);
  EXPECT_EQ(FramesAfter(h, from), Standard("27B05"));
  EXPECT_TRUE(front->isEnabled());

  from = h.receiver.ReceivedFrames().size();
  front->setCurrentIndex(0);                                   // CD, digit 2
  s.Get<QComboBox>(CMiscPage::kBgvCombo)->setCurrentIndex(7);  // OFF, digit 0
  EXPECT_EQ(FramesAfter(h, from), (Frames{"\x02"
                                          "27B02"
                                          "\x03",
                                          "\x02"
                                          "26F00"
                                          "\x03"}));

  from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(s.Get<QRadioButton>(CMiscPage::k6chButton), Qt::LeftButton);
  EXPECT_EQ(FramesAfter(h, from), Standard("27B00"));
  EXPECT_FALSE(front->isEnabled());
}

// --- Other -----------------------------------------------------------------------------------

TEST(OtherView, EachGroupSendsItsChoiceAndTheFocusFollowsTheChoice) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  for (const ParamId id : {532, 533, 534, 535}) StoreParameter(h.link().CurrentImage(), id, 0);
  SheetOnScreen s(h, "Other");
  const struct {
    int button;
    const char* frame;
  } clicks[] = {{1502, "26001"}, {1504, "25F01"}, {1506, "28F01"}, {1508, "25C01"}};
  for (const auto& click : clicks) {
    const size_t from = h.receiver.ReceivedFrames().size();
    QTest::mouseClick(s.Get<QRadioButton>(click.button), Qt::LeftButton);
    EXPECT_EQ(FramesAfter(h, from), Standard(click.frame)) << click.button;
  }
  // A value changed meanwhile: the focus moves to the button now checked.
  s.Get<QRadioButton>(1504)->setFocus();
  StoreParameter(h.link().CurrentImage(), 533, 0);
  s.view->Page().RefreshAll();
  s.view->Render();
  s.view->RestoreRadioFocus();
  EXPECT_TRUE(s.Get<QRadioButton>(1503)->hasFocus());
  EXPECT_TRUE(s.view->Page().FindControl(1505)->memoryMark);
  EXPECT_FALSE(s.view->Page().FindControl(1501)->memoryMark);
}

TEST(OtherView, OfflineAClickChangesTheImageAndQueuesNothing) {
  AppHarness h;
  StoreParameter(h.link().CurrentImage(), 535, 0);
  SheetOnScreen s(h, "Other");
  QTest::mouseClick(s.Get<QRadioButton>(1508), Qt::LeftButton);
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 535), 1);
  EXPECT_TRUE(s.Get<QRadioButton>(1508)->isChecked());
  EXPECT_TRUE(h.link().Queue().empty());
}

// --- Advanced Setup ----------------------------------------------------------------------------

// The box a radio group is seen in: its frame's when it has one, its own
// otherwise.
QWidget* BoxOfGroup(const SheetOnScreen& s, const Control& group) {
  return group.frame != 0 ? s.view->WidgetOf(group.frame)
                          : s.view->WidgetOf(group.id)->parentWidget();
}

TEST(AdvancedSetupView, FramesAreBoxesHoldingTheirGroupsCaptionedOnce) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  SheetOnScreen s(h, "Advanced Setup");
  struct Framed {
    int frame;
    int firstButton;
    const char* caption;
  };
  const Framed framed[] = {{CAdvSetup::kSpeakerImpedanceFrame, 1588, "Speaker Impedance"},
                           {CAdvSetup::kXmIdFrame, 1510, "Remote Control XM ID"},
                           {CAdvSetup::kTunerFrequencyFrame, 1521, "Tuner Frequency"},
                           {CAdvSetup::kInitializeFrame, 1423, "Initialize"}};
  for (const Framed& c : framed) {
    auto* frame = s.Get<QGroupBox>(c.frame);
    ASSERT_NE(frame, nullptr) << c.caption;
    EXPECT_EQ(frame->title(), c.caption);
    // Shown as the page says (in Real Time Mode the region's tuner step is
    // hidden).
    EXPECT_EQ(frame->isHidden(), !s.view->Page().FindControl(c.frame)->visible) << c.caption;
    EXPECT_EQ(frame->accessibleName(), QString(c.caption) + " frame");
    auto* radio = s.Get<QRadioButton>(c.firstButton);
    EXPECT_TRUE(frame->isAncestorOf(radio)) << c.caption;
    // The group's own box inside says nothing the frame says.
    auto* inner = qobject_cast<QGroupBox*>(radio->parentWidget());
    ASSERT_NE(inner, nullptr) << c.caption;
    EXPECT_NE(inner, frame) << c.caption;
    EXPECT_TRUE(inner->title().isEmpty()) << c.caption;
    EXPECT_TRUE(inner->isFlat()) << c.caption;
    EXPECT_EQ(inner->accessibleName(), c.caption);
  }
  // A group without a frame is its own titled box, and no frame box holds it.
  auto* sensor = qobject_cast<QGroupBox*>(s.Get<QRadioButton>(1589)->parentWidget());
  ASSERT_NE(sensor, nullptr);
  EXPECT_EQ(sensor->title(), "Remote Sensor");
  EXPECT_FALSE(sensor->isFlat());
  for (const Framed& c : framed) EXPECT_FALSE(s.Get<QGroupBox>(c.frame)->isAncestorOf(sensor));
  // The note is a plain text below every group.
  auto* note = s.Get<QLabel>(CAdvSetup::kNote);
  EXPECT_EQ(note->textFormat(), Qt::PlainText);
  EXPECT_TRUE(note->text().startsWith("* The new setting is activated"));
  EXPECT_GT(note->mapTo(s.view, QPoint(0, 0)).y(),
            s.Get<QRadioButton>(1544)->mapTo(s.view, QPoint(0, 0)).y());
}

TEST(AdvancedSetupView, ShownGroupsCloseUpThreeToALineInEveryModeAndRegion) {
  struct Case {
    ControlMode mode;
    int region;
    size_t shown;  // of the eleven groups (Fan Mode always hidden); 0: as the page says
  };
  const Case cases[] = {{ControlMode::kAsync, 0, 7},    {ControlMode::kAsync, 1, 9},
                        {ControlMode::kAsync, 2, 9},    {ControlMode::kAsync, 3, 9},
                        {ControlMode::kRealTime, 0, 0}, {ControlMode::kRealTime, 1, 0}};
  for (const Case& c : cases) {
    AppHarness h({}, c.mode, c.region);
    if (c.mode == ControlMode::kRealTime) {
      ASSERT_TRUE(Connect(h));
    }
    SheetOnScreen s(h, "Advanced Setup");
    const std::string where = std::to_string(c.region);
    std::vector<QPoint> corners;
    size_t visible = 0;
    for (const Control& control : s.view->Page().Controls()) {
      if (control.kind == ControlKind::kRadioGroup && control.visible) ++visible;
    }
    if (c.shown != 0) {
      EXPECT_EQ(visible, c.shown) << where;
    }
    ASSERT_GE(visible, 4U) << where;
    for (const Control& control : s.view->Page().Controls()) {
      if (control.kind != ControlKind::kRadioGroup) continue;
      QWidget* box = BoxOfGroup(s, control);
      EXPECT_EQ(box->isHidden(), !control.visible) << where << " " << control.id;
      if (control.visible) corners.push_back(box->mapTo(s.view, QPoint(0, 0)));
    }
    ASSERT_EQ(corners.size(), visible) << where;
    for (size_t k = 1; k < corners.size(); ++k) {
      EXPECT_EQ(corners[k].x(), corners[k % 3].x()) << where << " " << k;
      EXPECT_EQ(corners[k].y() == corners[k - 1].y(), k % 3 != 0) << where << " " << k;
    }
  }
}

TEST(AdvancedSetupView, AFrameTheRegionHidesComesBackInItsPlaceWhenShown) {
  AppHarness h({}, ControlMode::kAsync, 0);
  SheetOnScreen s(h, "Advanced Setup");
  auto* impedance = s.Get<QGroupBox>(CAdvSetup::kSpeakerImpedanceFrame);
  EXPECT_TRUE(impedance->isHidden());
  const QPoint sensorBefore = s.Get<QRadioButton>(1589)->mapTo(s.view, QPoint(0, 0));
  // Another region shows the frame again: first on the page, Remote Sensor
  // moves to its right.
  h.link().SetRegionCode(1);
  s.view->Page().UpdateModelControls();
  s.view->Page().RefreshAll();
  s.view->Render();
  QApplication::processEvents();
  EXPECT_FALSE(impedance->isHidden());
  const QPoint sensorAfter = s.Get<QRadioButton>(1589)->mapTo(s.view, QPoint(0, 0));
  EXPECT_GT(sensorAfter.x(), sensorBefore.x());
  EXPECT_LT(impedance->mapTo(s.view, QPoint(0, 0)).x(), sensorAfter.x());
}

TEST(AdvancedSetupView, ARefusedInitializeSendsThePreviousChoiceAndAChoiceSendsItsFrame) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  StoreParameter(h.link().CurrentImage(), 538, 0);  // Remote Sensor On
  SheetOnScreen s(h, "Advanced Setup");
  size_t from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(s.Get<QRadioButton>(1591), Qt::LeftButton);  // Remote Sensor Off
  EXPECT_EQ(FramesAfter(h, from), Standard("2B901"));
  h.pageHost.answer = false;
  from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(s.Get<QRadioButton>(1425), Qt::LeftButton);  // Initialize ALL
  ASSERT_EQ(h.pageHost.questions.size(), 1U);
  EXPECT_EQ(h.pageHost.questions.front(),
            "All the parameters of this unit will be reset\nto the initial factory settings.");
  // Refused, the previous choice ("Cancel") is restored and sent as it is.
  EXPECT_EQ(FramesAfter(h, from), Standard("2B700"));
  EXPECT_TRUE(s.Get<QRadioButton>(1423)->isChecked());  // back on "Cancel"
  ExpectShowsThePage(*s.view, s.view->Page(), "refused");
}

TEST(AdvancedSetupView, OfflineTheInitializeFrameIsDisabledWithItsGroup) {
  AppHarness h({}, ControlMode::kAsync, 1);
  SheetOnScreen s(h, "Advanced Setup");
  EXPECT_FALSE(s.Get<QGroupBox>(CAdvSetup::kInitializeFrame)->isEnabled());
  EXPECT_FALSE(s.Get<QRadioButton>(1425)->isEnabled());
  EXPECT_TRUE(s.Get<QGroupBox>(CAdvSetup::kSpeakerImpedanceFrame)->isEnabled());
  QTest::mouseClick(s.Get<QRadioButton>(1425), Qt::LeftButton);
  EXPECT_TRUE(h.pageHost.questions.empty());
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 536), 0);
}

}  // namespace
}  // namespace qamp
