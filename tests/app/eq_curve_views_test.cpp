// The response plots of the Equalizer and Sound Option views, which follow
// a slider while it is dragged, and the Parametric EQ window with its table,
// its plot and its Room EQ Wizard files.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/eq_curve_widget.h"
#include "app/my_sheet.h"
#include "app/page_widget.h"
#include "app/parametric_eq_window.h"
#include "app/view_test_support.h"
#include "app/window_harness.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/page_set.h"
#include "pages/parametric_eq_page.h"
#include "support/app_harness.h"

namespace qamp {
namespace {

using testing::AppHarness;
using testing::Connect;
using testing::FramesAfter;
using testing::PageNamed;
using testing::ScriptedDialogs;
using Frames = std::vector<std::string>;

// A page's view with the Parametric EQ window behind its button, shown.
struct ViewOnScreen {
  ViewOnScreen(AppHarness& h, std::string_view caption) : page(PageNamed(h, caption)) {
    page->SetActive(true);
    view.reset(MakeSpeakerAndSoundView(*page, nullptr, {&h.app.Pages().ParametricEq(), &dialogs}));
    view->resize(1200, 640);
    view->show();
    QApplication::processEvents();
  }
  ~ViewOnScreen() { page->SetActive(false); }
  CEqCurveWidget* Plot() const { return view->findChild<CEqCurveWidget*>(); }
  QPushButton* Button(const QString& text) const {
    for (QPushButton* button : view->findChildren<QPushButton*>()) {
      if (button->text() == text) return button;
    }
    return nullptr;
  }
  // The window the "Parametric EQ..." button opens.
  CParametricEqWindow* OpenParametricEq() {
    QPushButton* button = Button("&Parametric EQ...");
    if (button == nullptr) return nullptr;
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
    return view->findChild<CParametricEqWindow*>();
  }
  ScriptedDialogs dialogs;
  CBasePage* page;
  std::unique_ptr<CPageWidget> view;
};

double ValueAt(const CEqCurveWidget& plot, double frequency, size_t curve = 0) {
  return ResponseDb(plot.Curves().at(curve).filters, frequency);
}

bool AllZero(const std::vector<double>& samples) {
  return std::all_of(samples.begin(), samples.end(), [](double db) { return db == 0.0; });
}

TEST(EqualizerPlot, StandsBesideTheBandsAndFollowsASliderWhileItIsDragged) {
  AppHarness h;
  ViewOnScreen v(h, "Equalizer");
  CEqCurveWidget* plot = v.Plot();
  ASSERT_NE(plot, nullptr);
  auto* frame = qobject_cast<QGroupBox*>(v.view->WidgetOf(1508));
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->isAncestorOf(plot));
  EXPECT_FALSE(plot->isHidden());
  // A flat equaliser: 0 dB everywhere.
  ASSERT_EQ(plot->Curves().size(), 1u);
  EXPECT_TRUE(AllZero(plot->Samples(0)));
  EXPECT_EQ(plot->accessibleName(), "Approximate response of Center");
  EXPECT_EQ(plot->accessibleDescription(),
            "Center: 63Hz +0.0 dB, 160Hz +0.0 dB, 400Hz +0.0 dB, 1kHz +0.0 dB, 2.5kHz +0.0 dB, "
            "6.3kHz +0.0 dB, 16kHz +0.0 dB");

  // The 1kHz band held and dragged up, one step at a time: the curve
  // follows before the thumb is let go.
  auto* band = qobject_cast<QSlider*>(v.view->WidgetOf(1569));
  ASSERT_NE(band, nullptr);
  band->setSliderDown(true);
  for (int step = 1; step <= 12; ++step) {
    band->setSliderPosition(band->sliderPosition() + 1);
    EXPECT_NEAR(ValueAt(*plot, 1000.0), 0.5 * step, 0.1) << step;
  }
  EXPECT_FALSE(AllZero(plot->Samples(0)));
  EXPECT_NEAR(ValueAt(*plot, 63.0), 0.0, 0.05);
  EXPECT_TRUE(plot->accessibleDescription().contains("1kHz +6.0 dB"));
  band->setSliderDown(false);
  EXPECT_NEAR(ValueAt(*plot, 1000.0), 6.0, 0.1);

  // Another channel: its own curve. The Subwoofer has two bands.
  qobject_cast<QComboBox*>(v.view->WidgetOf(1509))->setCurrentIndex(9);
  EXPECT_EQ(plot->accessibleName(), "Approximate response of Subwoofer");
  EXPECT_EQ(plot->Curves()[0].marks.size(), 2u);
  EXPECT_TRUE(AllZero(plot->Samples(0)));
}

TEST(EqualizerPlot, AnImageChangeRedrawsTheCurveWithTheView) {
  AppHarness h;
  ViewOnScreen v(h, "Equalizer");
  StoreRecordParameter(h.link().CurrentImage(), 395, 0, -60);  // Center 63Hz -6.0 dB
  v.page->RefreshAll();
  v.view->Render();
  EXPECT_NEAR(ValueAt(*v.Plot(), 63.0), -6.0, 0.1);
}

TEST(TonePlot, ShowsSpeakerAndHeadphoneAndFollowsTheBassSlider) {
  AppHarness h;
  ViewOnScreen v(h, "Sound Option");
  CEqCurveWidget* plot = v.Plot();
  ASSERT_NE(plot, nullptr);
  // "Flat": the turnovers at 350Hz and 3.5kHz, the gains at 0.
  QTest::mouseClick(qobject_cast<QPushButton*>(v.view->WidgetOf(1266)), Qt::LeftButton);
  QTest::mouseClick(qobject_cast<QPushButton*>(v.view->WidgetOf(1276)), Qt::LeftButton);
  ASSERT_EQ(plot->Curves().size(), 2u);
  EXPECT_TRUE(AllZero(plot->Samples(0)));
  EXPECT_TRUE(AllZero(plot->Samples(1)));
  auto* bass = qobject_cast<QSlider*>(v.view->WidgetOf(1262));
  ASSERT_NE(bass, nullptr);
  bass->setSliderDown(true);
  bass->setSliderPosition(bass->maximum());  // +6.0 dB
  EXPECT_NEAR(ValueAt(*plot, 20.0), 6.0, 0.05);
  EXPECT_NEAR(ValueAt(*plot, 350.0), 3.0, 0.05);
  EXPECT_NEAR(ValueAt(*plot, 20000.0), 0.0, 0.05);
  EXPECT_TRUE(AllZero(plot->Samples(1)));  // the headphones stay flat
  bass->setSliderDown(false);
  EXPECT_EQ(plot->accessibleDescription(),
            "Speaker: Bass 350Hz +6.0 dB, Treble 3.5kHz +0.0 dB; Headphone: Bass 350Hz +0.0 dB, "
            "Treble 3.5kHz +0.0 dB");
  EXPECT_FALSE(plot->accessibleName().isEmpty());
}

// A file in a temporary folder.
QString WriteFile(const QTemporaryDir& folder, const QString& name, const std::string& text) {
  const QString path = folder.filePath(name);
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text.data(), static_cast<qint64>(text.size()));
  return path;
}

TEST(ParametricEqWindow, ShowsTheChannelsBandsAsTableAndCurveWithNamesOnEveryControl) {
  AppHarness h;
  CSettingImage& image = h.link().CurrentImage();
  StoreRecordParameter(image, 405, 0, 2);    // Center band 1: 99.2Hz
  StoreRecordParameter(image, 412, 0, 6);    // Q 2.0
  StoreRecordParameter(image, 419, 0, -30);  // -3.0 dB
  ViewOnScreen v(h, "Equalizer");
  CParametricEqWindow* window = v.OpenParametricEq();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  QTableWidget* table = window->Table();
  ASSERT_EQ(table->rowCount(), 7);
  EXPECT_EQ(table->item(0, 1)->text(), "99.2Hz");
  EXPECT_EQ(table->item(0, 2)->text(), "2.0");
  EXPECT_EQ(table->item(0, 3)->text(), "-3.0dB");
  EXPECT_EQ(table->item(6, 1)->text(), "16000.0Hz");
  EXPECT_EQ(table->item(6, 3)->text(), "0.0dB");
  EXPECT_FALSE(table->item(0, 3)->flags() & Qt::ItemIsEditable);
  EXPECT_NEAR(ValueAt(*window->Plot(), 99.2), -3.0, 0.1);
  // Every control says what it is.
  for (QWidget* control : window->findChildren<QWidget*>()) {
    if (qobject_cast<QPushButton*>(control) || qobject_cast<QComboBox*>(control) ||
        qobject_cast<QTableWidget*>(control) || qobject_cast<CEqCurveWidget*>(control)) {
      EXPECT_FALSE(control->accessibleName().isEmpty()) << control->metaObject()->className();
    }
  }
  // The Subwoofer: two bands.
  window->ChannelCombo()->setCurrentIndex(9);
  EXPECT_EQ(table->rowCount(), 2);
  EXPECT_EQ(window->Plot()->Curves()[0].name, "Subwoofer");
  // A change of the image (a load, a file) shows once the page reads it.
  StoreRecordParameter(image, 419, 9, -200);
  h.app.Pages().ParametricEq().RefreshAll();
  window->Render();
  EXPECT_EQ(table->item(0, 3)->text(), "-20.0dB");
}

// The window follows the sheet: a file or a transfer refreshes every page,
// a report refreshes parameters, and the shown window draws what changed,
// with no timer of its own.
TEST(ParametricEqWindow, FollowsTheSheetsRefreshesWhileShownAndNotWhenHidden) {
  AppHarness h;
  ScriptedDialogs dialogs;
  CMySheet sheet(h.app.Pages().SheetPages(), nullptr, {&h.app.Pages().ParametricEq(), &dialogs});
  sheet.resize(1280, 720);
  sheet.show();
  ASSERT_TRUE(sheet.ActivateByCaption("Equalizer"));
  QApplication::processEvents();
  QPushButton* button = nullptr;
  for (QPushButton* candidate : sheet.findChildren<QPushButton*>()) {
    if (candidate->text() == "&Parametric EQ...") button = candidate;
  }
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
  QApplication::processEvents();
  auto* window = sheet.findChild<CParametricEqWindow*>();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(window->isVisible());
  QTableWidget* table = window->Table();
  ASSERT_EQ(table->item(0, 3)->text(), "0.0dB");

  CSettingImage& image = h.link().CurrentImage();
  StoreRecordParameter(image, 419, 0, -45);  // front left band 1: -4.5 dB
  sheet.RefreshAll();
  EXPECT_EQ(table->item(0, 3)->text(), "-4.5dB");
  EXPECT_NEAR(ValueAt(*window->Plot(), table->item(0, 1)->text().chopped(2).toDouble()), -4.5, 0.1);

  StoreRecordParameter(image, 419, 0, 60);
  sheet.RefreshParams({419});
  EXPECT_EQ(table->item(0, 3)->text(), "6.0dB");

  // Hidden, it draws nothing; shown again, it shows the image as it is.
  window->hide();
  StoreRecordParameter(image, 419, 0, -10);
  sheet.RefreshAll();
  EXPECT_EQ(table->item(0, 3)->text(), "6.0dB");
  window->show();
  QApplication::processEvents();
  EXPECT_EQ(table->item(0, 3)->text(), "-1.0dB");
}

TEST(ParametricEqWindow, ExportsTheBandsOfTheChannelShown) {
  AppHarness h;
  ViewOnScreen v(h, "Equalizer");
  CParametricEqWindow* window = v.OpenParametricEq();
  ASSERT_NE(window, nullptr);
  window->ChannelCombo()->setCurrentIndex(9);  // Subwoofer, at the defaults
  QTemporaryDir folder;
  v.dialogs.filterExportName = folder.filePath("sub.txt");
  window->Export();
  EXPECT_EQ(v.dialogs.filterExportSuggested, "Subwoofer_filters.txt");
  QFile file(v.dialogs.filterExportName);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(),
            "Filter Settings file\n"
            "\n"
            "qamptool: parametric equaliser of the QR-K2600\n"
            "Channel: Subwoofer\n"
            "\n"
            "Equaliser: Generic\n"
            "Filter  1: ON  PK       Fc    62.5 Hz  Gain   0.0 dB  Q  1.000\n"
            "Filter  2: ON  PK       Fc   157.5 Hz  Gain   0.0 dB  Q  1.000\n");
  // A cancelled file choice writes nothing.
  v.dialogs.filterExportName.clear();
  window->Export();
  EXPECT_TRUE(v.dialogs.messages.empty());
}

TEST(ParametricEqWindow, ImportAsksWithWhatWasRoundedAndStoresOnOk) {
  AppHarness h;
  ViewOnScreen v(h, "Equalizer");
  CParametricEqWindow* window = v.OpenParametricEq();
  ASSERT_NE(window, nullptr);
  const CSettingImage& image = h.link().CurrentImage();
  QTemporaryDir folder;
  v.dialogs.filterImportName =
      WriteFile(folder, "front.txt",
                "Filter Settings file\n"
                "Filter  1: ON  PK       Fc   100.0 Hz  Gain  -3.0 dB  Q  2.000\n"
                "Filter  2: ON  PK       Fc  1000.0 Hz  Gain  <b>1</b> dB  Q  1.000\n");
  // Garbage: refused with its line, nothing stored.
  window->Import();
  ASSERT_EQ(v.dialogs.messages.size(), 1u);
  EXPECT_EQ(v.dialogs.messages[0],
            "front.txt: Line 3: \"Gain\" is not followed by a number (\"<b>1</b>\").");
  EXPECT_TRUE(v.dialogs.questions.empty());

  v.dialogs.filterImportName =
      WriteFile(folder, "front.txt",
                "Filter Settings file\n"
                "Filter  1: ON  PK       Fc   100.0 Hz  Gain  -3.0 dB  Q  2.000\n"
                "Filter  2: ON  PK       Fc  1000.0 Hz  Gain  1.0 dB  Q  1.000\n");
  // Cancelled: nothing stored.
  v.dialogs.answers = {false};
  window->Import();
  ASSERT_EQ(v.dialogs.questions.size(), 1u);
  EXPECT_EQ(v.dialogs.questions[0],
            "Import REW Filters: Replace the parametric EQ bands of Center with the filters of "
            "front.txt?\n\nRounded to the receiver's steps:\n"
            "Band 1 (filter 1, line 2): 100.0 Hz rounded to 99.2Hz.");
  EXPECT_EQ(ReadRecordParameter(image, 419, 0), 0);
  EXPECT_TRUE(window->ImportNote()->isHidden());

  v.dialogs.answers = {true};
  window->Import();
  EXPECT_EQ(ReadRecordParameter(image, 405, 0), 2);
  EXPECT_EQ(ReadRecordParameter(image, 412, 0), 6);
  EXPECT_EQ(ReadRecordParameter(image, 419, 0), -30);
  EXPECT_EQ(ReadRecordParameter(image, 406, 0), 12);  // band 2 at 1000.0Hz
  EXPECT_EQ(ReadRecordParameter(image, 420, 0), 10);
  EXPECT_EQ(window->Table()->item(1, 1)->text(), "1000.0Hz");
  EXPECT_NEAR(ValueAt(*window->Plot(), 99.2), -3.0, 0.1);
  EXPECT_FALSE(window->ImportNote()->isHidden());
  EXPECT_EQ(window->ImportNote()->textFormat(), Qt::PlainText);
  EXPECT_TRUE(window->ImportNote()->text().contains("100.0 Hz rounded to 99.2Hz"));
}

TEST(ParametricEqWindow, RefusesMoreThanSevenFiltersAndLeavesTheBands) {
  AppHarness h;
  ViewOnScreen v(h, "Equalizer");
  CParametricEqWindow* window = v.OpenParametricEq();
  ASSERT_NE(window, nullptr);
  std::string text = "Filter Settings file\n";
  for (int i = 1; i <= 8; ++i) {
    text += "Filter " + std::to_string(i) + ": ON PK Fc 1000 Hz Gain -1.0 dB Q 1.0\n";
  }
  QTemporaryDir folder;
  v.dialogs.filterImportName = WriteFile(folder, "eight.txt", text);
  window->Import();
  ASSERT_EQ(v.dialogs.messages.size(), 1u);
  EXPECT_EQ(v.dialogs.messages[0],
            "eight.txt: The file has 8 filters in use, but the parametric equaliser of Center has "
            "7 bands. Nothing was imported: let Room EQ Wizard use at most 7 filters and export "
            "again.");
  EXPECT_TRUE(v.dialogs.questions.empty());
  EXPECT_EQ(ReadRecordParameter(h.link().CurrentImage(), 419, 0), 0);
}

TEST(ParametricEqWindow, RealTimeAnImportSendsTheBandsCommands) {
  AppHarness h({}, ControlMode::kRealTime);
  ASSERT_TRUE(Connect(h));
  ViewOnScreen v(h, "Equalizer");
  CParametricEqWindow* window = v.OpenParametricEq();
  ASSERT_NE(window, nullptr);
  ApplyParametricEqDefaults(h.link().CurrentImage());
  h.app.Pages().ParametricEq().RefreshAll();
  window->Render();
  QTemporaryDir folder;
  v.dialogs.filterImportName =
      WriteFile(folder, "one.txt", "Filter  1: ON  PK  Fc 99.2 Hz  Gain -3.0 dB  Q 2.0\n");
  v.dialogs.answers = {true};
  const size_t from = h.receiver.ReceivedFrames().size();
  window->Import();
  // Center band 1, one command per control changed, the last with all
  // three: frequency 2*2+12 = 0x10, gain (-30+200)/5 = 0x22, Q 6; the
  // checksum is the byte sum of "200B03410010226" modulo 256, 0xF7.
  const Frames frames = FramesAfter(h, from);
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[2],
            "\x14"
            "200B03410010226"
            "F7"
            "\x03");
  EXPECT_EQ(ReadRecordParameter(h.receiver.State(), 419, 0), -30);
}

}  // namespace
}  // namespace qamp
