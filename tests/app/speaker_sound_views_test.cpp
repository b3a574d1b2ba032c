// The speaker and sound pages in their own layouts: what each shows is what
// its page describes, every user action reaches the page (and, in Real Time
// Mode, the receiver) once, and a slider's value can be typed.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <memory>
#include <set>

#include "app/my_sheet.h"
#include "app/page_widget.h"
#include "app/value_slider_widget.h"
#include "app/view_test_support.h"
#include "model/parameter_store.h"
#include "support/app_harness.h"

namespace qamp {
namespace {

using testing::AccessibleNameOf;
using testing::AppHarness;
using testing::Connect;
using testing::FramesAfter;
using testing::PageNamed;
using Frames = std::vector<std::string>;

// A page's own view, shown, with the page active.
struct ViewOnScreen {
  ViewOnScreen(AppHarness& h, std::string_view caption) : page(PageNamed(h, caption)) {
    EXPECT_NE(page, nullptr) << caption;
    page->SetActive(true);
    view.reset(MakeSpeakerAndSoundView(*page, nullptr));
    EXPECT_NE(view, nullptr) << caption;
    if (view == nullptr) return;
    view->resize(1100, 600);
    view->show();
    QApplication::processEvents();
  }
  ~ViewOnScreen() {
    if (page != nullptr) page->SetActive(false);
  }
  template <class Widget>
  Widget* Get(int id) {
    auto* widget = qobject_cast<Widget*>(view->WidgetOf(id));
    EXPECT_NE(widget, nullptr) << "control " << id;
    return widget;
  }
  CValueSliderWidget* SliderOf(int id) {
    for (auto* widget : view->findChildren<CValueSliderWidget*>()) {
      if (widget->Slider() == view->WidgetOf(id)) return widget;
    }
    return nullptr;
  }
  CBasePage* page;
  std::unique_ptr<CPageWidget> view;
};

// Every control of the page has its widget of the generic form's kind,
// shown, enabled and valued as the page says.
void ExpectShowsThePage(const CPageWidget& view, const CBasePage& page, const std::string& where) {
  for (const Control& control : page.Controls()) {
    if (control.kind == ControlKind::kText) continue;
    QWidget* widget = view.WidgetOf(control.id);
    const std::string what = where + " control " + std::to_string(control.id);
    ASSERT_NE(widget, nullptr) << what;
    QWidget* shown = control.kind == ControlKind::kRadioGroup ? widget->parentWidget() : widget;
    EXPECT_EQ(!shown->isHidden(), control.visible) << what;
    switch (control.kind) {
      case ControlKind::kSlider: {
        auto* slider = qobject_cast<QSlider*>(widget);
        ASSERT_NE(slider, nullptr) << what;
        EXPECT_EQ(slider->isEnabled(), control.enabled) << what;
        EXPECT_EQ(slider->orientation() == Qt::Vertical,
                  control.orientation == Orientation::kVertical)
            << what;
        const int step = std::max(control.step, 1);
        EXPECT_EQ(control.minimum + slider->maximum() * step, control.maximum) << what;
        EXPECT_EQ(control.minimum + slider->value() * step, control.value) << what;
        break;
      }
      case ControlKind::kReadOut: {
        auto* label = qobject_cast<QLabel*>(widget);
        ASSERT_NE(label, nullptr) << what;
        EXPECT_EQ(label->text().toStdString(), control.text) << what;
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << what;
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 250, 0)) << what;
        EXPECT_EQ(label->palette().color(QPalette::Window), QColor(Qt::black)) << what;
        break;
      }
      case ControlKind::kCombo: {
        auto* combo = qobject_cast<QComboBox*>(widget);
        ASSERT_NE(combo, nullptr) << what;
        EXPECT_EQ(combo->isEnabled(), control.enabled) << what;
        EXPECT_EQ(combo->currentIndex(),
                  IsIndexOf(control.value, control.items) ? control.value : -1)
            << what;
        break;
      }
      case ControlKind::kRadioGroup:
        for (size_t b = 0; b < control.buttonIds.size(); ++b) {
          auto* radio = qobject_cast<QRadioButton*>(view.WidgetOf(control.buttonIds[b]));
          ASSERT_NE(radio, nullptr) << what;
          EXPECT_EQ(radio->isChecked(), static_cast<int>(b) == control.value) << what;
        }
        break;
      case ControlKind::kButton:
        ASSERT_NE(qobject_cast<QPushButton*>(widget), nullptr) << what;
        EXPECT_EQ(widget->isEnabled(), control.enabled) << what;
        break;
      case ControlKind::kFrame:
        ASSERT_NE(qobject_cast<QGroupBox*>(widget), nullptr) << what;
        EXPECT_EQ(qobject_cast<QGroupBox*>(widget)->title().toStdString(), control.caption);
        break;
      default:
        break;
    }
  }
}

// Names: present on every control and unique within the page.
void ExpectNamesPresentAndUnique(const CPageWidget& view, const CBasePage& page,
                                 const std::string& where) {
  std::vector<QWidget*> controls;
  for (QAbstractButton* button : view.findChildren<QAbstractButton*>()) controls.push_back(button);
  for (QSlider* slider : view.findChildren<QSlider*>()) controls.push_back(slider);
  for (QComboBox* combo : view.findChildren<QComboBox*>()) controls.push_back(combo);
  for (QLineEdit* edit : view.findChildren<QLineEdit*>()) controls.push_back(edit);
  for (QGroupBox* group : view.findChildren<QGroupBox*>()) controls.push_back(group);
  for (const Control& control : page.Controls()) {
    if (control.kind == ControlKind::kReadOut) controls.push_back(view.WidgetOf(control.id));
  }
  std::set<QString> names;
  for (QWidget* control : controls) {
    ASSERT_NE(control, nullptr) << where;
    const QString name = AccessibleNameOf(control);
    EXPECT_FALSE(name.trimmed().isEmpty()) << where << " " << control->metaObject()->className();
    EXPECT_TRUE(names.insert(name).second) << where << " repeats " << name.toStdString();
  }
}

struct ModeAndRegion {
  ControlMode mode;
  int region;
};
const ModeAndRegion kSetups[] = {{ControlMode::kAsync, 1},    {ControlMode::kAsync, 2},
                                 {ControlMode::kAsync, 3},    {ControlMode::kAsync, 4},
                                 {ControlMode::kRealTime, 1}, {ControlMode::kRealTime, 4}};

// --- Speaker Level -----------------------------------------------------------------------

const int kLevelSliders[] = {1107, 1109, 1111, 1113, 1114, 1116, 1118, 1120, 1123, 1125};
const char* const kLevelNames[] = {"FL", "FR", "CT", "SL", "SR", "SBL", "SBR", "PRL", "PRR", "SW"};

TEST(SpeakerLevelView, TenUprightSlidersInTheMarkedFrameInChannelOrder) {
  AppHarness h;
  ViewOnScreen v(h, "Speaker Level");
  ASSERT_NE(v.view, nullptr);
  auto* frame = v.Get<QGroupBox>(1100);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->title(), "Speaker Level");
  int left = -1;
  for (size_t c = 0; c < std::size(kLevelSliders); ++c) {
    QSlider* slider = v.Get<QSlider>(kLevelSliders[c]);
    ASSERT_NE(slider, nullptr);
    EXPECT_TRUE(frame->isAncestorOf(slider)) << kLevelNames[c];
    EXPECT_EQ(slider->orientation(), Qt::Vertical);
    EXPECT_EQ(slider->accessibleName(), kLevelNames[c]);
    // Side by side, left to right in the channels' order, the name above
    // and the read-out below.
    const QPoint at = slider->mapTo(v.view.get(), QPoint(0, 0));
    EXPECT_GT(at.x(), left) << kLevelNames[c];
    left = at.x();
    CValueSliderWidget* widget = v.SliderOf(kLevelSliders[c]);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->Caption()->text(), kLevelNames[c]);
    EXPECT_LT(widget->Caption()->mapTo(v.view.get(), QPoint(0, 0)).y(), at.y());
    EXPECT_GT(widget->ReadOut()->mapTo(v.view.get(), QPoint(0, 0)).y(), at.y());
  }
  // The mark at the frame's top-left, named for it.
  bool marked = false;
  for (QLabel* label : frame->findChildren<QLabel*>()) {
    if (label->accessibleName() == "System Memory mark: Speaker Level") marked = !label->isHidden();
  }
  EXPECT_TRUE(marked);
  // The Default button stands outside the frame.
  EXPECT_FALSE(frame->isAncestorOf(v.Get<QPushButton>(1105)));
}

TEST(SpeakerLevelView, ShowsThePageInEveryModeAndRegionWithNamesOfTheirOwn) {
  for (const ModeAndRegion& setup : kSetups) {
    AppHarness h({}, setup.mode, setup.region);
    ViewOnScreen v(h, "Speaker Level");
    ASSERT_NE(v.view, nullptr);
    const std::string where = std::to_string(setup.region);
    ExpectShowsThePage(*v.view, *v.page, where);
    ExpectNamesPresentAndUnique(*v.view, *v.page, where);
  }
}

TEST(SpeakerLevelView, AsyncModeDragStoresEveryMoveAndDefaultResetsTheImage) {
  AppHarness h;
  ViewOnScreen v(h, "Speaker Level");
  ASSERT_NE(v.view, nullptr);
  const CSettingImage& image = h.link().CurrentImage();
  StoreParameter(h.link().CurrentImage(), 261, 0);  // CT
  v.page->RefreshAll();
  v.view->Render();
  QSlider* ct = v.Get<QSlider>(1111);
  ct->setSliderDown(true);
  for (int step = 1; step <= 4; ++step) {
    ct->setSliderPosition(ct->sliderPosition() + 1);
    EXPECT_EQ(ReadParameter(image, 261), 5 * step);
  }
  ct->setSliderDown(false);
  EXPECT_EQ(v.Get<QLabel>(1009)->text(), " 2.0dB");
  QTest::mouseClick(v.Get<QPushButton>(1105), Qt::LeftButton);
  EXPECT_EQ(ReadParameter(image, 261), -10);  // CT's default
  EXPECT_EQ(ReadParameter(image, 259), 0);    // FL's
  EXPECT_EQ(v.Get<QLabel>(1009)->text(), " -1.0dB");
  EXPECT_EQ(ct->value(), (-10 + 100) / 5);
  EXPECT_TRUE(h.receiver.ReceivedFrames().empty());
}

TEST(SpeakerLevelView, RealTimeKeyDragTypedValueAndDefaultSendTheirFrames) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  StoreParameter(h.link().CurrentImage(), 268, 0);  // SW 0.0 dB
  ViewOnScreen v(h, "Speaker Level");
  ASSERT_NE(v.view, nullptr);
  const CSettingImage& image = h.link().CurrentImage();
  QSlider* sw = v.Get<QSlider>(1125);

  // A key step is sent at once: -0.5 dB is (195 / 5) = 39, 0x27.
  size_t from = h.receiver.ReceivedFrames().size();
  QTest::keyClick(sw, Qt::Key_PageDown);
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                         "24927"
                                         "\x03"});
  // A drag sends once, on release: +1.0 dB is 42, 0x2a.
  from = h.receiver.ReceivedFrames().size();
  sw->setSliderDown(true);
  for (int step = 0; step < 3; ++step) sw->setSliderPosition(sw->sliderPosition() + 1);
  EXPECT_EQ(ReadParameter(image, 268), 10);
  EXPECT_EQ(FramesAfter(h, from), Frames{});
  sw->setSliderDown(false);
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                         "2492a"
                                         "\x03"});

  // A typed value is stored and sent as a release: -7.5 dB is 25, 0x19.
  CValueSliderWidget* widget = v.SliderOf(1125);
  ASSERT_NE(widget, nullptr);
  from = h.receiver.ReceivedFrames().size();
  QTest::mouseDClick(widget->ReadOut(), Qt::LeftButton);
  ASSERT_TRUE(widget->Entry()->isVisible());
  EXPECT_EQ(widget->Entry()->text(), "1.0");
  widget->Entry()->selectAll();
  QTest::keyClicks(widget->Entry(), "-7.5");
  QTest::keyClick(widget->Entry(), Qt::Key_Return);
  EXPECT_FALSE(widget->Entry()->isVisible());
  EXPECT_EQ(ReadParameter(image, 268), -75);
  EXPECT_EQ(v.Get<QLabel>(1057)->text(), " -7.5dB");
  EXPECT_EQ(sw->value(), (-75 + 100) / 5);
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                         "24919"
                                         "\x03"});

  // Off the step and out of range: refused with a message, nothing sent.
  from = h.receiver.ReceivedFrames().size();
  for (const char* typed : {"3.3", "10.5", "-12"}) {
    widget->ReadOut()->setFocus();
    QTest::keyClick(widget->ReadOut(), Qt::Key_Return);
    ASSERT_TRUE(widget->Entry()->isVisible()) << typed;
    widget->Entry()->selectAll();
    QTest::keyClicks(widget->Entry(), typed);
    QTest::keyClick(widget->Entry(), Qt::Key_Return);
    EXPECT_TRUE(widget->Entry()->isVisible()) << typed;
    EXPECT_FALSE(widget->Problem().isEmpty()) << typed;
    QTest::keyClick(widget->Entry(), Qt::Key_Escape);
    EXPECT_FALSE(widget->Entry()->isVisible()) << typed;
  }
  EXPECT_EQ(ReadParameter(image, 268), -75);
  EXPECT_EQ(FramesAfter(h, from), Frames{});

  // "Default" sends all ten levels in the image's order, SW first.
  from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(v.Get<QPushButton>(1105), Qt::LeftButton);
  h.clock.Advance(5000);
  EXPECT_EQ(FramesAfter(h, from), (Frames{"\x02"
                                          "24928\x03",
                                          "\x02"
                                          "24528\x03",
                                          "\x02"
                                          "24628\x03",
                                          "\x02"
                                          "24726\x03",
                                          "\x02"
                                          "24826\x03",
                                          "\x02"
                                          "24326\x03",
                                          "\x02"
                                          "24426\x03",
                                          "\x02"
                                          "24226\x03",
                                          "\x02"
                                          "24128\x03",
                                          "\x02"
                                          "24028\x03"}));
}

TEST(SpeakerLevelView, ArrowKeysChangeNothingAndAThumbThePageRefusesGoesBack) {
  AppHarness h;
  ViewOnScreen v(h, "Speaker Level");
  ASSERT_NE(v.view, nullptr);
  StoreParameter(h.link().CurrentImage(), 259, 0);
  v.page->RefreshAll();
  v.view->Render();
  QSlider* fl = v.Get<QSlider>(1107);
  const int before = fl->value();
  fl->setFocus();
  for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right}) {
    QTest::keyClick(fl, key);
  }
  EXPECT_EQ(fl->value(), before);
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 259), 0);
  // A render with nothing changed leaves the widgets alone; one after a
  // change shows it.
  StoreParameter(h.link().CurrentImage(), 259, 50);
  v.view->Render();
  EXPECT_EQ(fl->value(), before);  // the page has not been told yet
  v.page->RefreshParam(259, true);
  v.view->Render();
  EXPECT_EQ(fl->value(), (50 + 100) / 5);
  EXPECT_EQ(v.Get<QLabel>(1007)->text(), " 5.0dB");
}

TEST(SpeakerLevelView, RealTimeATransferFreezesTheLevels) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  StoreParameter(h.link().CurrentImage(), 259, 0);
  ViewOnScreen v(h, "Speaker Level");
  ASSERT_NE(v.view, nullptr);
  // A reload runs a transfer: while it does, a moved thumb goes back.
  h.app.Session().Reload(false);
  ASSERT_TRUE(h.link().IsTransferInProgress());
  QSlider* fl = v.Get<QSlider>(1107);
  const int before = fl->value();
  QTest::keyClick(fl, Qt::Key_PageUp);
  EXPECT_EQ(fl->value(), before);
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 259), 0);
}

TEST(SpeakerLevelView, TheSheetShowsTheLevelsInTheirOwnLayout) {
  AppHarness h;
  CMySheet sheet(h.app.Pages().SheetPages());
  sheet.resize(1280, 720);
  sheet.show();
  ASSERT_TRUE(sheet.ActivateByCaption("Speaker Level"));
  QApplication::processEvents();
  ASSERT_NE(sheet.ActiveView(), nullptr);
  EXPECT_FALSE(sheet.ActiveView()->findChildren<CValueSliderWidget*>().isEmpty());
}

// --- Equalizer --------------------------------------------------------------------------

TEST(EqualizerView, SevenUprightBandsUnderTheirFrequenciesInTheGraphicEqFrame) {
  AppHarness h;
  ViewOnScreen v(h, "Equalizer");
  ASSERT_NE(v.view, nullptr);
  auto* frame = v.Get<QGroupBox>(1508);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->title(), "Graphic EQ");
  EXPECT_TRUE(frame->isAncestorOf(v.Get<QComboBox>(1509)));
  EXPECT_FALSE(frame->isAncestorOf(v.Get<QComboBox>(1507)));
  const char* const labels[] = {"63Hz", "160Hz", "400Hz", "1kHz", "2.5kHz", "6.3kHz", "16kHz"};
  int left = -1;
  for (int band = 0; band < 7; ++band) {
    QSlider* slider = v.Get<QSlider>(1566 + band);
    ASSERT_NE(slider, nullptr);
    EXPECT_TRUE(frame->isAncestorOf(slider));
    EXPECT_EQ(slider->orientation(), Qt::Vertical);
    EXPECT_EQ(v.SliderOf(1566 + band)->Caption()->text(), labels[band]);
    const int x = slider->mapTo(v.view.get(), QPoint(0, 0)).x();
    EXPECT_GT(x, left);
    left = x;
  }
  // Three marks: beside both types and on the frame.
  int marks = 0;
  for (QLabel* label : v.view->findChildren<QLabel*>()) {
    if (label->accessibleName().startsWith("System Memory mark: ") && !label->isHidden()) ++marks;
  }
  EXPECT_EQ(marks, 3);
  // The calibration result is shown, never chosen.
  EXPECT_FALSE(v.Get<QComboBox>(1506)->isEnabled());
}

TEST(EqualizerView, ShowsThePageInEveryModeAndRegionWithNamesOfTheirOwn) {
  for (const ModeAndRegion& setup : kSetups) {
    AppHarness h({}, setup.mode, setup.region);
    ViewOnScreen v(h, "Equalizer");
    ASSERT_NE(v.view, nullptr);
    const std::string where = std::to_string(setup.region);
    ExpectShowsThePage(*v.view, *v.page, where);
    ExpectNamesPresentAndUnique(*v.view, *v.page, where);
  }
}

TEST(EqualizerView, TheSubwooferHidesBandsThreeToSeven) {
  AppHarness h;
  ViewOnScreen v(h, "Equalizer");
  ASSERT_NE(v.view, nullptr);
  v.Get<QComboBox>(1509)->setCurrentIndex(9);  // Subwoofer
  for (int band = 0; band < 7; ++band) {
    EXPECT_EQ(v.SliderOf(1566 + band)->isHidden(), band >= 2) << band;
  }
  ExpectShowsThePage(*v.view, *v.page, "Subwoofer");
  v.Get<QComboBox>(1509)->setCurrentIndex(1);
  for (int band = 0; band < 7; ++band) EXPECT_FALSE(v.SliderOf(1566 + band)->isHidden()) << band;
}

TEST(EqualizerView, RealTimeComboSliderTypedValueSendTheirFrames) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  ViewOnScreen v(h, "Equalizer");
  ASSERT_NE(v.view, nullptr);
  // EQ Type Select "OFF": STX "2A702" ETX.
  size_t from = h.receiver.ReceivedFrames().size();
  v.Get<QComboBox>(1507)->setCurrentIndex(2);
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                         "2A702"
                                         "\x03"});
  // Front L (channel code 2), band 4 (digit "6") to +1.5 dB: (15 + 75) / 5
  // = 18, 0x12; the checksum is the byte sum of "200803012612" modulo 256,
  // 0x59.
  v.Get<QComboBox>(1509)->setCurrentIndex(1);
  CValueSliderWidget* band4 = v.SliderOf(1569);
  ASSERT_NE(band4, nullptr);
  from = h.receiver.ReceivedFrames().size();
  QTest::mouseDClick(band4->ReadOut(), Qt::LeftButton);
  ASSERT_TRUE(band4->Entry()->isVisible());
  band4->Entry()->selectAll();
  QTest::keyClicks(band4->Entry(), "1.5");
  QTest::keyClick(band4->Entry(), Qt::Key_Return);
  EXPECT_EQ(ReadRecordParameter(h.link().CurrentImage(), 398, 1), 15);
  EXPECT_EQ(v.Get<QLabel>(1562)->text(), "1.5dB");
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x14"
                                         "200803012612"
                                         "59"
                                         "\x03"});
  // Out of range (+6.5 dB) is refused.
  from = h.receiver.ReceivedFrames().size();
  band4->BeginEntry();
  band4->Entry()->selectAll();
  QTest::keyClicks(band4->Entry(), "6.5");
  QTest::keyClick(band4->Entry(), Qt::Key_Return);
  EXPECT_TRUE(band4->Problem().contains("out of range"));
  EXPECT_EQ(ReadRecordParameter(h.link().CurrentImage(), 398, 1), 15);
  EXPECT_EQ(FramesAfter(h, from), Frames{});
}

// --- Speaker Distance -------------------------------------------------------------------

TEST(SpeakerDistanceView, TenUprightSlidersInTheMarkedFrameAndTheUnitAbove) {
  AppHarness h;
  ViewOnScreen v(h, "Speaker Distance");
  ASSERT_NE(v.view, nullptr);
  auto* frame = v.Get<QGroupBox>(1159);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->title(), "Speaker Distance");
  const char* const names[] = {"FL", "FR", "CT", "SL", "SR", "SBL", "SBR", "PRL", "PRR", "SW"};
  int left = -1;
  for (int c = 0; c < 10; ++c) {
    QSlider* slider = v.Get<QSlider>(1137 + 2 * c);
    ASSERT_NE(slider, nullptr);
    EXPECT_TRUE(frame->isAncestorOf(slider));
    EXPECT_EQ(slider->orientation(), Qt::Vertical);
    EXPECT_EQ(slider->accessibleName(), names[c]);
    const int x = slider->mapTo(v.view.get(), QPoint(0, 0)).x();
    EXPECT_GT(x, left);
    left = x;
  }
  QRadioButton* feet = v.Get<QRadioButton>(1367);
  ASSERT_NE(feet, nullptr);
  EXPECT_FALSE(frame->isAncestorOf(feet));
  EXPECT_EQ(feet->text(), "Feet");
}

TEST(SpeakerDistanceView, ShowsThePageInEveryModeAndRegionWithNamesOfTheirOwn) {
  for (const ModeAndRegion& setup : kSetups) {
    AppHarness h({}, setup.mode, setup.region);
    ViewOnScreen v(h, "Speaker Distance");
    ASSERT_NE(v.view, nullptr);
    const std::string where = std::to_string(setup.region);
    ExpectShowsThePage(*v.view, *v.page, where);
    ExpectNamesPresentAndUnique(*v.view, *v.page, where);
    // The unit is chosen offline only.
    EXPECT_EQ(v.Get<QRadioButton>(1367)->isEnabled(), setup.mode == ControlMode::kAsync);
  }
}

TEST(SpeakerDistanceView, AsyncTheUnitChangesTheRangesAndTheTypedValuesUnits) {
  AppHarness h;
  ViewOnScreen v(h, "Speaker Distance");
  ASSERT_NE(v.view, nullptr);
  const CSettingImage& image = h.link().CurrentImage();
  CValueSliderWidget* fl = v.SliderOf(1137);
  ASSERT_NE(fl, nullptr);
  // Metres: "3.5" is 350 cm.
  fl->BeginEntry();
  fl->Entry()->selectAll();
  QTest::keyClicks(fl->Entry(), "3.5");
  QTest::keyClick(fl->Entry(), Qt::Key_Return);
  EXPECT_EQ(ReadParameter(image, 270), 350);
  // 3.05 m is off the 10 cm step.
  fl->BeginEntry();
  fl->Entry()->selectAll();
  QTest::keyClicks(fl->Entry(), "3.05");
  QTest::keyClick(fl->Entry(), Qt::Key_Return);
  EXPECT_TRUE(fl->Problem().contains("steps of 0.10m")) << fl->Problem().toStdString();
  QTest::keyClick(fl->Entry(), Qt::Key_Escape);
  EXPECT_EQ(ReadParameter(image, 270), 350);

  QTest::mouseClick(v.Get<QRadioButton>(1367), Qt::LeftButton);
  EXPECT_EQ(ReadParameter(image, 269), 1);
  EXPECT_TRUE(v.Get<QRadioButton>(1367)->isChecked());
  ExpectShowsThePage(*v.view, *v.page, "feet");
  // Feet: "10.5" is 105 tenths; 81 ft is out of range.
  fl->BeginEntry();
  fl->Entry()->selectAll();
  QTest::keyClicks(fl->Entry(), "10.5");
  QTest::keyClick(fl->Entry(), Qt::Key_Return);
  EXPECT_EQ(ReadParameter(image, 270), 105);
  fl->BeginEntry();
  fl->Entry()->selectAll();
  QTest::keyClicks(fl->Entry(), "81");
  QTest::keyClick(fl->Entry(), Qt::Key_Return);
  EXPECT_TRUE(fl->Problem().contains("out of range"));
  EXPECT_EQ(ReadParameter(image, 270), 105);
  EXPECT_TRUE(h.receiver.ReceivedFrames().empty());
}

TEST(SpeakerDistanceView, RealTimeKeyAndTypedValueSendTheirFrames) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  ViewOnScreen v(h, "Speaker Distance");
  ASSERT_NE(v.view, nullptr);
  ASSERT_EQ(ReadParameter(h.link().CurrentImage(), 269), 0) << "metres expected";
  CValueSliderWidget* fl = v.SliderOf(1137);
  ASSERT_NE(fl, nullptr);
  // FL at 3.50 m: DC4 "20090411" "2" "0" "15e", checksum 0xBE, ETX.
  size_t from = h.receiver.ReceivedFrames().size();
  fl->BeginEntry();
  fl->Entry()->selectAll();
  QTest::keyClicks(fl->Entry(), "3.5");
  QTest::keyClick(fl->Entry(), Qt::Key_Return);
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x14"
                                         "200904112015e"
                                         "BE"
                                         "\x03"});
  // One key step up: 3.60 m is 0x168, checksum 0x92.
  from = h.receiver.ReceivedFrames().size();
  QTest::keyClick(v.Get<QSlider>(1137), Qt::Key_PageUp);
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 270), 360);
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x14"
                                         "2009041120168"
                                         "92"
                                         "\x03"});
}

// --- Volume -----------------------------------------------------------------------------

TEST(VolumeView, TrimsLieInTheirFrameBesideTheListAndInitialVolumeStandsUpright) {
  AppHarness h;
  ViewOnScreen v(h, "Volume");
  ASSERT_NE(v.view, nullptr);
  auto* frame = v.Get<QGroupBox>(1226);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->title(), "Volume Trim");
  auto* list = v.Get<QListWidget>(1227);
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(frame->isAncestorOf(list));
  EXPECT_TRUE(frame->isAncestorOf(v.Get<QPushButton>(1160)));
  // Two columns of seven, each reading down in the page's order (the
  // list's): PHONO to DVD, then DTV/CBL to DOCK.
  const int trims[] = {1162, 1164, 1166, 1168, 1170, 1172, 1174,
                       1176, 1178, 1180, 1182, 1184, 1188, 1191};
  for (size_t k = 0; k < std::size(trims); ++k) {
    const int id = trims[k];
    QSlider* trim = v.Get<QSlider>(id);
    ASSERT_NE(trim, nullptr);
    EXPECT_TRUE(frame->isAncestorOf(trim)) << id;
    EXPECT_EQ(trim->orientation(), Qt::Horizontal) << id;
    const QPoint at = trim->mapTo(v.view.get(), QPoint(0, 0));
    const QPoint first = v.Get<QSlider>(trims[k < 7 ? 0 : 7])->mapTo(v.view.get(), QPoint(0, 0));
    const QPoint beside = v.Get<QSlider>(trims[k % 7])->mapTo(v.view.get(), QPoint(0, 0));
    EXPECT_EQ(at.x(), first.x()) << id;   // in its column
    EXPECT_EQ(at.y(), beside.y()) << id;  // level with its neighbour
    if (k % 7 != 0) {
      EXPECT_GT(at.y(), v.Get<QSlider>(trims[k - 1])->mapTo(v.view.get(), QPoint(0, 0)).y()) << id;
    }
    if (k >= 7) {
      EXPECT_GT(at.x(), beside.x() + v.Get<QSlider>(trims[k % 7])->width()) << id;
    }
    // The list stands to the right of the trims.
    EXPECT_LT(at.x() + trim->width(), list->mapTo(v.view.get(), QPoint(0, 0)).x()) << id;
  }
  EXPECT_EQ(list->count(), 14);
  EXPECT_EQ(v.Get<QSlider>(1691)->orientation(), Qt::Vertical);
  EXPECT_FALSE(frame->isAncestorOf(v.Get<QSlider>(1691)));
  int marks = 0;
  for (QLabel* label : v.view->findChildren<QLabel*>()) {
    if (label->accessibleName().startsWith("System Memory mark: ") && !label->isHidden()) ++marks;
  }
  EXPECT_EQ(marks, 3);
}

TEST(VolumeView, ShowsThePageInEveryModeAndRegionWithNamesOfTheirOwn) {
  for (const ModeAndRegion& setup : kSetups) {
    AppHarness h({}, setup.mode, setup.region);
    ViewOnScreen v(h, "Volume");
    ASSERT_NE(v.view, nullptr);
    const std::string where = std::to_string(setup.region);
    ExpectShowsThePage(*v.view, *v.page, where);
    ExpectNamesPresentAndUnique(*v.view, *v.page, where);
  }
}

TEST(VolumeView, RealTimeTrimRadiosAndTypedInitialVolumeSendTheirFrames) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  StoreParameter(h.link().CurrentImage(), 377, 0);  // CD trim 0.0 dB
  ViewOnScreen v(h, "Volume");
  ASSERT_NE(v.view, nullptr);
  const CSettingImage& image = h.link().CurrentImage();
  // CD +0.5 dB: code (5 + 60) / 5 = 13, "0d"; checksum of "20080121010d" 0x83.
  size_t from = h.receiver.ReceivedFrames().size();
  QTest::keyClick(v.Get<QSlider>(1164), Qt::Key_PageUp);
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x14"
                                         "20080121010d"
                                         "83"
                                         "\x03"});
  EXPECT_EQ(v.Get<QListWidget>(1227)->item(1)->text(), " 0.5dB");
  // MAX Volume "0dB" is index 6; Adaptive DRC "Off" index 1.
  from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(v.Get<QRadioButton>(1672), Qt::LeftButton);
  QTest::mouseClick(v.Get<QRadioButton>(1684), Qt::LeftButton);
  EXPECT_EQ(FramesAfter(h, from), (Frames{"\x02"
                                          "25A06"
                                          "\x03",
                                          "\x02"
                                          "26D01"
                                          "\x03"}));
  // A click on the list changes nothing.
  from = h.receiver.ReceivedFrames().size();
  QListWidget* list = v.Get<QListWidget>(1227);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(3)).center());
  EXPECT_EQ(FramesAfter(h, from), Frames{});
  EXPECT_EQ(ReadParameter(image, 377), 5);

  // Initial Volume typed: -20.0 dB is -200 / 5 + 199 = 159, "9F"; -81.0 dB
  // is off, "00".
  CValueSliderWidget* initial = v.SliderOf(1691);
  ASSERT_NE(initial, nullptr);
  from = h.receiver.ReceivedFrames().size();
  for (const char* typed : {"-20", "-81.0"}) {
    initial->BeginEntry();
    ASSERT_TRUE(initial->Entry()->isVisible()) << typed;
    initial->Entry()->selectAll();
    QTest::keyClicks(initial->Entry(), typed);
    QTest::keyClick(initial->Entry(), Qt::Key_Return);
  }
  EXPECT_EQ(ReadParameter(image, 392), -810);
  EXPECT_EQ(v.Get<QLabel>(1692)->text(), "Off");
  EXPECT_EQ(FramesAfter(h, from), (Frames{"\x02"
                                          "25B9F"
                                          "\x03",
                                          "\x02"
                                          "25B00"
                                          "\x03"}));
  // +17 dB is out of range and -20.25 off the step: refused, nothing sent.
  from = h.receiver.ReceivedFrames().size();
  for (const char* typed : {"17", "-20.25"}) {
    initial->BeginEntry();
    initial->Entry()->selectAll();
    QTest::keyClicks(initial->Entry(), typed);
    QTest::keyClick(initial->Entry(), Qt::Key_Return);
    EXPECT_FALSE(initial->Problem().isEmpty()) << typed;
    QTest::keyClick(initial->Entry(), Qt::Key_Escape);
  }
  EXPECT_EQ(ReadParameter(image, 392), -810);
  EXPECT_EQ(FramesAfter(h, from), Frames{});
}

// Opens the read-out's edit, types `text` and enters it; the refusal, or
// empty when the value was taken.
QString TypeInto(CValueSliderWidget* widget, const char* text) {
  widget->ReadOut()->setFocus();
  QTest::keyClick(widget->ReadOut(), Qt::Key_Return);
  if (!widget->Entry()->isVisible()) return "no edit";
  widget->Entry()->clear();
  QTest::keyClicks(widget->Entry(), text);
  QTest::keyClick(widget->Entry(), Qt::Key_Return);
  const QString refusal = widget->Problem();
  if (widget->Entry()->isVisible()) QTest::keyClick(widget->Entry(), Qt::Key_Escape);
  return refusal;
}

TEST(VolumeView, EachTrimHasItsReadOutInDecibelsAfterItsSlider) {
  AppHarness h;
  StoreParameter(h.link().CurrentImage(), 376, -35);  // PHONO -3.5 dB
  StoreParameter(h.link().CurrentImage(), 389, 60);   // DOCK +6.0 dB
  ViewOnScreen v(h, "Volume");
  ASSERT_NE(v.view, nullptr);
  auto* frame = v.Get<QGroupBox>(1226);
  std::set<QString> names;
  for (const int id :
       {1162, 1164, 1166, 1168, 1170, 1172, 1174, 1176, 1178, 1180, 1182, 1184, 1188, 1191}) {
    CValueSliderWidget* trim = v.SliderOf(id);
    ASSERT_NE(trim, nullptr) << id;
    auto* readOut = v.Get<QLabel>(id + 1);
    ASSERT_EQ(readOut, trim->ReadOut()) << id;
    EXPECT_TRUE(frame->isAncestorOf(readOut)) << id;
    EXPECT_FALSE(readOut->isHidden()) << id;
    EXPECT_TRUE(readOut->text().endsWith("dB")) << id;
    // On the slider's line, after its "+".
    const QPoint slider = trim->Slider()->mapTo(v.view.get(), QPoint(0, 0));
    const QPoint at = readOut->mapTo(v.view.get(), QPoint(0, 0));
    EXPECT_GT(at.x(), slider.x() + trim->Slider()->width()) << id;
    EXPECT_LT(std::abs(at.y() + readOut->height() / 2 - slider.y() - trim->Slider()->height() / 2),
              readOut->height())
        << id;
    names.insert(readOut->accessibleName());
  }
  EXPECT_EQ(names.size(), 14U);
  EXPECT_EQ(v.Get<QLabel>(1163)->text(), "-3.5dB");
  EXPECT_EQ(v.Get<QLabel>(1192)->text(), "6.0dB");
}

TEST(VolumeView, RealTimeATypedTrimIsStoredShownAndSentAsAReleaseWouldBe) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  CSettingImage& image = h.link().CurrentImage();
  StoreParameter(image, 385, 0);   // DVR
  StoreParameter(image, 389, 0);   // DOCK
  StoreParameter(image, 376, 20);  // PHONO +2.0 dB
  h.app.Pages().RefreshAll();
  ViewOnScreen v(h, "Volume");
  ASSERT_NE(v.view, nullptr);
  CValueSliderWidget* dvr = v.SliderOf(1178);
  ASSERT_NE(dvr, nullptr);

  // DVR -3.5 dB: code (-35 + 60) / 5 = 5, "05"; the checksum of
  // "200801210A05" is 0x264, "64".
  size_t from = h.receiver.ReceivedFrames().size();
  QTest::mouseDClick(dvr->ReadOut(), Qt::LeftButton);
  ASSERT_TRUE(dvr->Entry()->isVisible());
  EXPECT_EQ(dvr->Entry()->text(), "0.0");
  dvr->Entry()->selectAll();
  QTest::keyClicks(dvr->Entry(), "-3.5");
  QTest::keyClick(dvr->Entry(), Qt::Key_Return);
  EXPECT_FALSE(dvr->Entry()->isVisible());
  EXPECT_EQ(ReadParameter(image, 385), -35);
  EXPECT_EQ(v.Get<QLabel>(1179)->text(), "-3.5dB");
  EXPECT_EQ(v.Get<QListWidget>(1227)->item(8)->text(), " -3.5dB");
  EXPECT_EQ(dvr->Slider()->value(), 5);
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x14"
                                         "200801210A05"
                                         "64"
                                         "\x03"});

  // The top end with its unit, and back to flat: DOCK +6.0 dB is 24, "18"
  // (checksum "59"); PHONO 0.0 dB is 12, "0c" (checksum "81").
  from = h.receiver.ReceivedFrames().size();
  EXPECT_EQ(TypeInto(v.SliderOf(1191), "6dB"), "");
  EXPECT_EQ(TypeInto(v.SliderOf(1162), "0"), "");
  EXPECT_EQ(ReadParameter(image, 389), 60);
  EXPECT_EQ(ReadParameter(image, 376), 0);
  EXPECT_EQ(v.Get<QLabel>(1192)->text(), "6.0dB");
  EXPECT_EQ(v.Get<QLabel>(1163)->text(), "0.0dB");
  EXPECT_EQ(FramesAfter(h, from), (Frames{"\x14"
                                          "200801212018"
                                          "59"
                                          "\x03",
                                          "\x14"
                                          "20080121000c"
                                          "81"
                                          "\x03"}));

  // Beyond an end, off the half-decibel step, no number: refused with the
  // range in decibels, nothing stored or sent.
  from = h.receiver.ReceivedFrames().size();
  EXPECT_EQ(TypeInto(dvr, "6.5"), "6.5 is out of range: DVR takes values from -6.0dB to 6.0dB.");
  EXPECT_EQ(TypeInto(dvr, "-6.5dB"),
            "-6.5dB is out of range: DVR takes values from -6.0dB to 6.0dB.");
  EXPECT_EQ(TypeInto(dvr, "1.2"),
            "1.2 is not on a step: DVR moves in steps of 0.5dB from -6.0dB to 6.0dB.");
  EXPECT_EQ(TypeInto(dvr, ""), "Type a value of DVR from -6.0dB to 6.0dB.");
  EXPECT_EQ(ReadParameter(image, 385), -35);
  EXPECT_EQ(v.Get<QLabel>(1179)->text(), "-3.5dB");
  EXPECT_EQ(FramesAfter(h, from), Frames{});
}

TEST(VolumeView, RealTimeWhileATransferRunsATypedTrimChangesNothing) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  ViewOnScreen v(h, "Volume");
  ASSERT_NE(v.view, nullptr);
  h.app.Session().Reload(false);
  ASSERT_TRUE(h.link().IsTransferInProgress());
  v.view->Render();
  const int before = ReadParameter(h.link().CurrentImage(), 385);
  CValueSliderWidget* dvr = v.SliderOf(1178);
  ASSERT_NE(dvr, nullptr);
  const QString shown = dvr->ReadOut()->text();
  const int position = dvr->Slider()->value();
  // A value the slider takes, other than the one it has.
  const char* typed = before == -20 ? "3" : "-2";
  const size_t from = h.receiver.ReceivedFrames().size();
  TypeInto(dvr, typed);
  EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 385), before);
  EXPECT_EQ(dvr->ReadOut()->text(), shown);
  EXPECT_EQ(dvr->Slider()->value(), position);
  // The reload's reads go on; no trim command goes out.
  for (const std::string& frame : FramesAfter(h, from)) {
    EXPECT_EQ(frame.find("200801210A"), std::string::npos) << frame;
  }
}

// --- Sound Option -------------------------------------------------------------------------

TEST(SoundOptionView, TonesStandInTheirFramesAndTheTurnoversStayHidden) {
  AppHarness h;
  ViewOnScreen v(h, "Sound Option");
  ASSERT_NE(v.view, nullptr);
  struct Framed {
    int frame;
    const char* caption;
    std::vector<int> members;
  };
  const Framed frames[] = {
      {1240, "Speaker", {1262, 1264, 1370, 1371, 1266}},
      {1241, "Headphone", {1272, 1274, 1373, 1375, 1276}},
      {1242, "Zone2", {1282, 1293, 1408, 1410, 1296}},
      {1243, "Zone3", {1307, 1312, 1412, 1414, 1315}},
      {1244, "LFE Level", {1283, 1285, 1377, 1379, 1287}},
      {1245, "Dynamic Range", {1383, 1392, 1396, 1404, 1297}},
      {1246, "Lip Sync", {1693, 1694, 1381, 1385, 1301, 1416, 1418, 1304}},
  };
  for (const Framed& f : frames) {
    auto* box = v.Get<QGroupBox>(f.frame);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title(), f.caption);
    EXPECT_FALSE(box->isHidden()) << f.caption;
    for (const int id : f.members) EXPECT_TRUE(box->isAncestorOf(v.view->WidgetOf(id))) << id;
  }
  // Each delay with its own "Default".
  EXPECT_TRUE(v.Get<QGroupBox>(1248)->isAncestorOf(v.Get<QPushButton>(1301)));
  EXPECT_TRUE(v.Get<QGroupBox>(1249)->isAncestorOf(v.Get<QPushButton>(1304)));
  EXPECT_TRUE(v.Get<QGroupBox>(1247)->isHidden());
  for (const int id : {1258, 1260, 1268, 1270}) EXPECT_TRUE(v.Get<QComboBox>(id)->isHidden());
  // Within its frame a slider shows what the frame does not say; its name
  // stays whole.
  EXPECT_EQ(v.SliderOf(1262)->Caption()->text(), "Bass Gain");
  EXPECT_EQ(v.Get<QSlider>(1262)->accessibleName(), "Speaker Bass Gain");
  EXPECT_EQ(v.Get<QSlider>(1262)->orientation(), Qt::Vertical);
  EXPECT_EQ(v.Get<QSlider>(1416)->orientation(), Qt::Horizontal);
  int marks = 0;
  for (QLabel* label : v.view->findChildren<QLabel*>()) {
    if (label->accessibleName().startsWith("System Memory mark: ") && !label->isHidden()) ++marks;
  }
  EXPECT_EQ(marks, 5);  // Tone Bypass, Speaker, Dynamic Range, Lip Sync, LFE Level
}

TEST(SoundOptionView, ShowsThePageInEveryModeAndRegionWithNamesOfTheirOwn) {
  for (const ModeAndRegion& setup : kSetups) {
    AppHarness h({}, setup.mode, setup.region);
    ViewOnScreen v(h, "Sound Option");
    ASSERT_NE(v.view, nullptr);
    const std::string where = std::to_string(setup.region);
    ExpectShowsThePage(*v.view, *v.page, where);
    ExpectNamesPresentAndUnique(*v.view, *v.page, where);
  }
}

TEST(SoundOptionView, HdmiAutoOffDisablesTheAutoDelayInBothModes) {
  for (const ControlMode mode : {ControlMode::kAsync, ControlMode::kRealTime}) {
    AppHarness h({}, mode);
    ViewOnScreen v(h, "Sound Option");
    ASSERT_NE(v.view, nullptr);
    QTest::mouseClick(v.Get<QRadioButton>(1693), Qt::LeftButton);
    EXPECT_TRUE(v.Get<QSlider>(1381)->isEnabled());
    EXPECT_TRUE(v.Get<QPushButton>(1301)->isEnabled());
    QTest::mouseClick(v.Get<QRadioButton>(1694), Qt::LeftButton);
    EXPECT_FALSE(v.Get<QSlider>(1381)->isEnabled());
    EXPECT_FALSE(v.Get<QPushButton>(1301)->isEnabled());
    EXPECT_TRUE(v.Get<QSlider>(1416)->isEnabled());
    // A disabled slider takes no typed value.
    v.SliderOf(1381)->BeginEntry();
    EXPECT_FALSE(v.SliderOf(1381)->Entry()->isVisible());
    ExpectShowsThePage(*v.view, *v.page, "HDMI Auto Off");
  }
}

TEST(SoundOptionView, RealTimeEachKindOfControlSendsItsFrame) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  CSettingImage& image = h.link().CurrentImage();
  StoreParameter(image, 280, 1);     // Tone Bypass OFF
  StoreParameter(image, 281, 0);     // speaker bass turnover 125Hz
  StoreParameter(image, 282, 0);     // speaker bass 0.0 dB
  StoreParameter(image, 293, -100);  // LFE SP -10.0 dB
  ViewOnScreen v(h, "Sound Option");
  ASSERT_NE(v.view, nullptr);

  size_t from = h.receiver.ReceivedFrames().size();
  v.Get<QComboBox>(1255)->setCurrentIndex(0);  // AUTO
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                         "2A800"
                                         "\x03"});
  // Speaker bass +0.5 dB with the 125Hz turnover: "2009033100" "0" "0D",
  // checksum 0x96.
  from = h.receiver.ReceivedFrames().size();
  QTest::keyClick(v.Get<QSlider>(1262), Qt::Key_PageUp);
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x14"
                                         "200903310000D"
                                         "96"
                                         "\x03"});
  // LFE SP one step up to -9.0 dB: (-90 + 200) / 10 = 11.
  from = h.receiver.ReceivedFrames().size();
  QTest::keyClick(v.Get<QSlider>(1283), Qt::Key_PageUp);
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                         "2510B"
                                         "\x03"});
  // Zone2 bass typed in whole decibels: 3 dB is 3 + 10 = 13, "0D".
  CValueSliderWidget* zone2 = v.SliderOf(1282);
  ASSERT_NE(zone2, nullptr);
  from = h.receiver.ReceivedFrames().size();
  zone2->BeginEntry();
  zone2->Entry()->selectAll();
  QTest::keyClicks(zone2->Entry(), "3");
  QTest::keyClick(zone2->Entry(), Qt::Key_Return);
  EXPECT_EQ(ReadParameter(image, 289), 3);
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                         "24B0D"
                                         "\x03"});
  // Half a decibel is finer than the zone's step; 11 dB beyond its range.
  for (const char* typed : {"2.5", "11"}) {
    zone2->BeginEntry();
    zone2->Entry()->selectAll();
    QTest::keyClicks(zone2->Entry(), typed);
    QTest::keyClick(zone2->Entry(), Qt::Key_Return);
    EXPECT_FALSE(zone2->Problem().isEmpty()) << typed;
    QTest::keyClick(zone2->Entry(), Qt::Key_Escape);
  }
  EXPECT_EQ(ReadParameter(image, 289), 3);
  // Manual Delay typed 240: "F0".
  CValueSliderWidget* manual = v.SliderOf(1416);
  ASSERT_NE(manual, nullptr);
  from = h.receiver.ReceivedFrames().size();
  manual->BeginEntry();
  manual->Entry()->selectAll();
  QTest::keyClicks(manual->Entry(), "240");
  QTest::keyClick(manual->Entry(), Qt::Key_Return);
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                         "253F0"
                                         "\x03"});
  // Dynamic Range Headphone "Min": "02".
  from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(v.Get<QRadioButton>(1404), Qt::LeftButton);
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                         "26502"
                                         "\x03"});
  // "Flat" under "LFE Level": both levels to 0.0 dB, (0 + 200) / 10 = 20.
  from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(v.Get<QPushButton>(1287), Qt::LeftButton);
  EXPECT_EQ(FramesAfter(h, from), (Frames{"\x02"
                                          "25114"
                                          "\x03",
                                          "\x02"
                                          "25214"
                                          "\x03"}));
  EXPECT_EQ(v.Get<QLabel>(1377)->text(), "0.0dB");
}

// --- Room ---------------------------------------------------------------------------------

// What a page of the sheet has in the main window on a 1280x720 screen
// (the window as large as the screen): 1264 by 406 pixels, a little less
// here to be safe.
const QSize kPageOn1280x720(1256, 400);

bool NeedsScrolling(CPageWidget& view) {
  for (QScrollArea* area : view.findChildren<QScrollArea*>()) {
    if (area->verticalScrollBar()->maximum() > 0) return true;
    if (area->horizontalScrollBar()->maximum() > 0) return true;
  }
  return false;
}

TEST(PageRoom, VolumeAndSoundOptionFitA1280x720ScreenWithoutScrolling) {
  for (const char* caption : {"Volume", "Sound Option"}) {
    AppHarness h({}, ControlMode::kRealTime);
    ViewOnScreen v(h, caption);
    ASSERT_NE(v.view, nullptr);
    v.view->resize(kPageOn1280x720);
    QApplication::processEvents();
    EXPECT_FALSE(NeedsScrolling(*v.view)) << caption;
    // Every read-out shows its whole text.
    for (QLabel* label : v.view->findChildren<QLabel*>()) {
      if (label->isHidden() || label->text().isEmpty() ||
          dynamic_cast<CTypedReadOut*>(label) == nullptr) {
        continue;
      }
      EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
          << caption << " " << label->text().toStdString();
    }
  }
  // A smaller page does scroll: the check can fail.
  AppHarness h;
  ViewOnScreen v(h, "Sound Option");
  v.view->resize(900, 300);
  QApplication::processEvents();
  EXPECT_TRUE(NeedsScrolling(*v.view));
}

TEST(SoundOptionView, FivePairsOfSlidersOnALineLipSyncAndDynamicRangeUnderThem) {
  AppHarness h;
  ViewOnScreen v(h, "Sound Option");
  ASSERT_NE(v.view, nullptr);
  v.view->resize(kPageOn1280x720);
  QApplication::processEvents();
  const auto topOf = [&](int id) {
    return v.view->WidgetOf(id)->mapTo(v.view.get(), QPoint()).y();
  };
  const auto leftOf = [&](int id) {
    return v.view->WidgetOf(id)->mapTo(v.view.get(), QPoint()).x();
  };
  // Speaker, Headphone, Zone2, Zone3, LFE Level: level, left to right.
  const int line[] = {1240, 1241, 1242, 1243, 1244};
  for (size_t k = 1; k < std::size(line); ++k) {
    EXPECT_EQ(topOf(line[k]), topOf(line[0])) << line[k];
    EXPECT_GT(leftOf(line[k]), leftOf(line[k - 1])) << line[k];
  }
  // Lip Sync and Dynamic Range below them, side by side.
  const int below = topOf(1240) + v.Get<QGroupBox>(1240)->height();
  EXPECT_GE(topOf(1246), below);
  EXPECT_EQ(topOf(1245), topOf(1246));
  EXPECT_GT(leftOf(1245), leftOf(1246));
  // The two delays side by side in Lip Sync, each Default on its slider's
  // line; the two ranges side by side.
  EXPECT_EQ(topOf(1248), topOf(1249));
  EXPECT_GT(leftOf(1249), leftOf(1248));
  for (const auto& [slider, button] : {std::pair{1381, 1301}, std::pair{1416, 1304}}) {
    QWidget* track = v.view->WidgetOf(slider);
    QWidget* press = v.view->WidgetOf(button);
    const int middle = track->mapTo(v.view.get(), track->rect().center()).y();
    EXPECT_LT(std::abs(press->mapTo(v.view.get(), press->rect().center()).y() - middle),
              press->height() / 2)
        << button;
    EXPECT_GT(leftOf(button), leftOf(slider) + track->width()) << button;
  }
  QWidget* speaker = v.view->WidgetOf(1383)->parentWidget();
  QWidget* headphone = v.view->WidgetOf(1396)->parentWidget();
  EXPECT_EQ(speaker->mapTo(v.view.get(), QPoint()).y(),
            headphone->mapTo(v.view.get(), QPoint()).y());
  // The delays' read-outs say milliseconds.
  EXPECT_TRUE(v.Get<QLabel>(1385)->text().endsWith("ms"));
  EXPECT_TRUE(v.Get<QLabel>(1418)->text().endsWith("ms"));
}

// --- Speaker Set ---------------------------------------------------------

int TopOf(CPageWidget& view, int id) {
  return view.WidgetOf(id)->parentWidget()->mapTo(&view, QPoint(0, 0)).y();
}

TEST(SpeakerSetView, GroupsStandThreeToALineWithTheMarkBeforeFront) {
  AppHarness h;
  ViewOnScreen v(h, "Speaker Set");
  ASSERT_NE(v.view, nullptr);
  // Front, Center, Surround on the first line; Surround Back below.
  EXPECT_EQ(TopOf(*v.view, 1029), TopOf(*v.view, 1031));
  EXPECT_EQ(TopOf(*v.view, 1029), TopOf(*v.view, 1047));
  EXPECT_LT(TopOf(*v.view, 1029), TopOf(*v.view, 1058));
  // The template's frames without a parameter stay hidden.
  EXPECT_TRUE(v.Get<QRadioButton>(1119)->parentWidget()->isHidden());
  EXPECT_TRUE(v.Get<QRadioButton>(1517)->parentWidget()->isHidden());
  QLabel* mark = nullptr;
  for (QLabel* label : v.view->findChildren<QLabel*>()) {
    if (label->accessibleName() == "System Memory mark: Front") mark = label;
  }
  ASSERT_NE(mark, nullptr);
  EXPECT_FALSE(mark->isHidden());
  EXPECT_LE(mark->mapTo(v.view.get(), QPoint(0, 0)).x(),
            v.Get<QRadioButton>(1029)->mapTo(v.view.get(), QPoint(0, 0)).x());
}

TEST(SpeakerSetView, ShowsThePageInEveryModeAndRegionWithNamesOfTheirOwn) {
  for (const ModeAndRegion& setup : kSetups) {
    AppHarness h({}, setup.mode, setup.region);
    ViewOnScreen v(h, "Speaker Set");
    ASSERT_NE(v.view, nullptr);
    const std::string where = std::to_string(setup.region);
    ExpectShowsThePage(*v.view, *v.page, where);
    ExpectNamesPresentAndUnique(*v.view, *v.page, where);
  }
}

TEST(SpeakerSetView, SurroundNoneForcesSurroundBackAndRealTimeSendsEachChoice) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  StoreParameter(h.link().CurrentImage(), 426, 0);  // Front Small
  ViewOnScreen v(h, "Speaker Set");
  ASSERT_NE(v.view, nullptr);
  size_t from = h.receiver.ReceivedFrames().size();
  QTest::mouseClick(v.Get<QRadioButton>(1030), Qt::LeftButton);  // Front Large
  EXPECT_EQ(FramesAfter(h, from), Frames{"\x02"
                                         "27100"
                                         "\x03"});
  QTest::mouseClick(v.Get<QRadioButton>(1052), Qt::LeftButton);  // Surround Large
  QTest::mouseClick(v.Get<QRadioButton>(1075), Qt::LeftButton);  // Surround Back Large x 2
  EXPECT_TRUE(v.Get<QRadioButton>(1075)->isChecked());
  QTest::mouseClick(v.Get<QRadioButton>(1047), Qt::LeftButton);  // Surround None
  EXPECT_TRUE(v.Get<QRadioButton>(1047)->isChecked());
  EXPECT_TRUE(v.Get<QRadioButton>(1058)->isChecked());  // Surround Back forced to None
  ExpectShowsThePage(*v.view, *v.page, "Surround None");
}

// --- The family ---------------------------------------------------------------------------

TEST(SpeakerAndSoundViews, MakeTheSixPagesOfTheFamilyAndLeaveTheOthers) {
  for (const ModeAndRegion& setup : kSetups) {
    AppHarness h({}, setup.mode, setup.region);
    const std::set<std::string> family = {"Speaker Level", "Speaker Distance", "Equalizer",
                                          "Volume",        "Sound Option",     "Speaker Set"};
    std::set<std::string> made;
    for (CBasePage* page : h.app.Pages().SheetPages()) {
      std::unique_ptr<CPageWidget> view(MakeSpeakerAndSoundView(*page, nullptr));
      if (view == nullptr) continue;
      made.insert(page->Caption());
      EXPECT_EQ(&view->Page(), page);
      EXPECT_FALSE(view->findChildren<QScrollArea*>().isEmpty()) << page->Caption();
    }
    EXPECT_EQ(made, family);
  }
}

}  // namespace
}  // namespace qamp
