// The sheet: the pages' order, activation, the remembered page found by its
// caption, and which page follows the image when parameters change.
#include "app/my_sheet.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <memory>

#include "app/page_view.h"
#include "app/recording_page.h"
#include "model/parameter_store.h"
#include "support/app_harness.h"

namespace qamp {
namespace {

using testing::AppHarness;
using testing::RecordingPage;
using Log = std::vector<std::string>;

std::vector<std::string> TabTexts(const CMySheet& sheet) {
  std::vector<std::string> texts;
  for (int i = 0; i < sheet.count(); ++i) texts.push_back(sheet.tabText(i).toStdString());
  return texts;
}

TEST(MySheet, TabsFollowTheSheetOrderInEachModeAndRegion) {
  const std::vector<std::string> withBoth = {"Multi Zone",
                                             "DSP Parameters",
                                             "Input DSP",
                                             "Input Rename",
                                             "I/O Assign",
                                             "Speaker Level",
                                             "Speaker Distance",
                                             "Sound Option",
                                             "TRIGGER OUT",
                                             "Volume",
                                             "Equalizer",
                                             "Speaker Set",
                                             "Tuner Set",
                                             "XM Set",
                                             "Display Set",
                                             "MULTI CH",
                                             "Other",
                                             "Advanced Setup",
                                             "iPod"};
  std::vector<std::string> withoutXm = withBoth;
  withoutXm.erase(withoutXm.begin() + 13);
  std::vector<std::string> withoutInputDsp = withBoth;
  withoutInputDsp.erase(withoutInputDsp.begin() + 2);
  struct Case {
    ControlMode mode;
    int region;
    const std::vector<std::string>& tabs;
  };
  const std::vector<Case> cases = {
      {ControlMode::kAsync, 1, withBoth},           {ControlMode::kAsync, 2, withoutXm},
      {ControlMode::kAsync, 3, withoutXm},          {ControlMode::kAsync, 4, withoutXm},
      {ControlMode::kRealTime, 1, withoutInputDsp}, {ControlMode::kRealTime, 2, withoutInputDsp},
  };
  for (const Case& c : cases) {
    AppHarness h({}, c.mode, c.region);
    CMySheet sheet(h.app.Pages().SheetPages());
    EXPECT_EQ(TabTexts(sheet), c.tabs) << c.region;
    EXPECT_EQ(sheet.ActivePage()->Caption(), "Multi Zone");
  }
}

// Three recording pages on a sheet, shown.
struct RecordingSheet {
  explicit RecordingSheet(std::vector<std::string> captions = {"Alpha", "Beta", "Gamma"}) {
    std::vector<CBasePage*> pointers;
    for (const std::string& caption : captions) {
      pages.push_back(std::make_unique<RecordingPage>(h.link(), h.pageHost, caption));
      pointers.push_back(pages.back().get());
    }
    sheet = std::make_unique<CMySheet>(pointers);
    // Every view built, so that what an inactive one shows can be checked.
    for (auto& page : pages) EXPECT_NE(sheet->ViewOf(*page), nullptr);
    sheet->resize(900, 600);
    sheet->show();
    QApplication::processEvents();
  }
  RecordingPage& Page(size_t i) { return *pages[i]; }
  void ClearLogs() {
    for (auto& page : pages) page->log.clear();
  }
  QRadioButton* Radio(size_t page, int b) {
    return qobject_cast<QRadioButton*>(
        sheet->ViewOf(Page(page))->WidgetOf(RecordingPage::kRadio + b));
  }

  AppHarness h;
  std::vector<std::unique_ptr<RecordingPage>> pages;
  std::unique_ptr<CMySheet> sheet;
};

TEST(MySheet, EveryPageIsSetUpOnceAndTheFirstIsActive) {
  RecordingSheet s;
  for (size_t i = 0; i < 3; ++i) {
    // Set up once in order, and the first activated afterwards.
    EXPECT_EQ(s.Page(i).log, i == 0 ? (Log{"RefreshAll", "RefreshAll"}) : Log{"RefreshAll"}) << i;
  }
  EXPECT_TRUE(s.Page(0).IsActive());
  EXPECT_FALSE(s.Page(1).IsActive());
  EXPECT_FALSE(s.Page(2).IsActive());
  EXPECT_EQ(s.sheet->ActivePage(), &s.Page(0));
}

TEST(MySheet, APageIsDrawnWhenItsViewIsFirstNeeded) {
  AppHarness h;
  RecordingPage alpha(h.link(), h.pageHost, "Alpha");
  RecordingPage beta(h.link(), h.pageHost, "Beta");
  CMySheet sheet({&alpha, &beta});
  beta.SetValue(RecordingPage::kRadio, 2);
  CPageWidget* view = sheet.ViewOf(beta);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(qobject_cast<QRadioButton*>(view->WidgetOf(RecordingPage::kRadio + 2))->isChecked());
  EXPECT_EQ(sheet.ViewOf(beta), view);
  RecordingPage elsewhere(h.link(), h.pageHost, "Elsewhere");
  EXPECT_EQ(sheet.ViewOf(elsewhere), nullptr);
}

TEST(MySheet, ATabClickedDeactivatesTheOldPageAndRefreshesTheNewOneFromTheImage) {
  RecordingSheet s;
  s.ClearLogs();
  // What the image says now, which the page only learns on activation.
  s.Page(2).SetValue(RecordingPage::kRadio, 2);
  EXPECT_TRUE(s.Radio(2, 0)->isChecked());
  QTabBar* tabs = s.sheet->tabBar();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
  EXPECT_EQ(s.sheet->ActivePage(), &s.Page(2));
  EXPECT_FALSE(s.Page(0).IsActive());
  EXPECT_TRUE(s.Page(2).IsActive());
  EXPECT_EQ(s.Page(0).log, Log{});
  EXPECT_EQ(s.Page(1).log, Log{});
  EXPECT_EQ(s.Page(2).log, Log{"RefreshAll"});
  EXPECT_TRUE(s.Radio(2, 2)->isChecked());
  // The same tab again changes nothing.
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
  EXPECT_EQ(s.Page(2).log, Log{"RefreshAll"});
}

TEST(MySheet, ThePageToActivateIsTheFirstWhoseCaptionMatchesExactly) {
  RecordingSheet s({"Alpha", "Beta", "Beta"});
  EXPECT_TRUE(s.sheet->ActivateByCaption("Beta"));
  EXPECT_EQ(s.sheet->currentIndex(), 1);
  for (const std::string_view miss : {"beta", "Bet", "Beta ", "", "Gamma"}) {
    EXPECT_FALSE(s.sheet->ActivateByCaption(miss)) << miss;
    EXPECT_EQ(s.sheet->currentIndex(), 1) << miss;
    EXPECT_TRUE(s.Page(1).IsActive());
  }
}

TEST(MySheet, ParameterRefreshesReachTheActivePageOnlyWithTheLastUpdatingItsControls) {
  RecordingSheet s;
  s.sheet->ActivateByCaption("Beta");
  s.ClearLogs();
  s.Page(1).SetValue(RecordingPage::kRadio, 1);
  s.sheet->RefreshParams({0, 5, 0, 7, 0});
  EXPECT_EQ(s.Page(1).log, (Log{"RefreshParam 5", "RefreshParam 7 update", "RestoreRadioFocus"}));
  EXPECT_EQ(s.Page(0).log, Log{});
  EXPECT_EQ(s.Page(2).log, Log{});
  EXPECT_TRUE(s.Radio(1, 1)->isChecked());  // drawn again

  s.ClearLogs();
  s.sheet->RefreshParams({9});
  EXPECT_EQ(s.Page(1).log, (Log{"RefreshParam 9 update", "RestoreRadioFocus"}));
}

TEST(MySheet, TheFocusOfARadioGroupFollowsAValueTheReceiverChanged) {
  RecordingSheet s;
  s.sheet->activateWindow();
  // Without a window manager a window on a display becomes active later,
  // if ever; the offscreen platform the suite runs on activates at once.
  if (QApplication::activeWindow() != s.sheet.get()) GTEST_SKIP() << "the window is not active";
  s.Radio(0, 0)->setFocus();
  ASSERT_TRUE(s.Radio(0, 0)->hasFocus());
  s.Page(0).SetValue(RecordingPage::kRadio, 2);
  s.sheet->RefreshParams({1});
  EXPECT_TRUE(s.Radio(0, 2)->isChecked());
  EXPECT_TRUE(s.Radio(0, 2)->hasFocus());
  // The focus elsewhere stays where it is.
  QWidget* combo = s.sheet->ViewOf(s.Page(0))->WidgetOf(RecordingPage::kCombo);
  combo->setFocus();
  s.Page(0).SetValue(RecordingPage::kRadio, 1);
  s.sheet->RestoreRadioFocus();
  EXPECT_TRUE(combo->hasFocus());
}

TEST(MySheet, RefreshAllReachesEveryPageAndDrawsTheActiveOne) {
  RecordingSheet s;
  s.ClearLogs();
  s.Page(0).SetValue(RecordingPage::kRadio, 1);
  s.Page(1).SetValue(RecordingPage::kRadio, 2);
  s.sheet->RefreshAll();
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(s.Page(i).log, Log{"RefreshAll"}) << i;
  EXPECT_TRUE(s.Radio(0, 1)->isChecked());
  // An inactive page is drawn when it becomes active.
  EXPECT_TRUE(s.Radio(1, 0)->isChecked());
  s.sheet->ActivateByCaption("Beta");
  EXPECT_TRUE(s.Radio(1, 2)->isChecked());
}

// Speaker Set's radio buttons for Front and Surround.
constexpr ParamId kFront = 426;
constexpr ParamId kSurround = 428;
constexpr int kFrontSmall = 1029;
constexpr int kFrontLarge = 1030;
constexpr int kSurroundNone = 1047;
constexpr int kSurroundSmall = 1048;

TEST(MySheet, ARefreshOfAnInactivePageChangesNoneOfItsWidgetsUntilItIsActivated) {
  AppHarness h;
  CMySheet sheet(h.app.Pages().SheetPages());
  CBasePage* speakerSet = h.app.Pages().FindByCaption("Speaker Set");
  CPageWidget* view = sheet.ViewOf(*speakerSet);
  CSettingImage& image = h.link().CurrentImage();
  StoreParameter(image, kSurround, 1);
  sheet.ActivateByCaption("Speaker Set");
  sheet.ActivateByCaption("Multi Zone");
  ASSERT_TRUE(qobject_cast<QRadioButton*>(view->WidgetOf(kSurroundSmall))->isChecked());

  StoreParameter(image, kSurround, 0);  // "None", as the receiver might report it
  sheet.RefreshParams({kSurround});
  EXPECT_TRUE(qobject_cast<QRadioButton*>(view->WidgetOf(kSurroundSmall))->isChecked());
  EXPECT_EQ(speakerSet->FindControl(kSurroundNone)->value, 1);

  sheet.ActivateByCaption("Speaker Set");
  EXPECT_TRUE(qobject_cast<QRadioButton*>(view->WidgetOf(kSurroundNone))->isChecked());

  // The active page follows at once.
  StoreParameter(image, kFront, 1);
  ASSERT_TRUE(qobject_cast<QRadioButton*>(view->WidgetOf(kFrontSmall))->isChecked());
  sheet.RefreshParams({kFront});
  EXPECT_TRUE(qobject_cast<QRadioButton*>(view->WidgetOf(kFrontLarge))->isChecked());
}

}  // namespace
}  // namespace qamp
