// What a page tells its view beyond values: that its description changed,
// and how its controls are laid out.
#include <gtest/gtest.h>

#include "pages/speaker_level_page.h"
#include "support/page_fixture.h"

namespace qamp::testing {
namespace {

using LevelFixture = PageFixture<CSpkLevelPage>;

TEST(PageDescription, TheRevisionChangesWithTheDescriptionAndNotWithRefreshesThatChangeNothing) {
  LevelFixture f(ControlMode::kAsync);
  f.page.RefreshAll();
  const uint64_t settled = f.page.Revision();
  f.page.RefreshAll();
  EXPECT_EQ(f.page.Revision(), settled);

  const Control& first = f.page.Controls().front();
  ASSERT_EQ(first.kind, ControlKind::kSlider);
  const int other = first.value == first.minimum ? first.maximum : first.minimum;
  f.page.MoveSlider(first.id, other);
  EXPECT_NE(f.page.Revision(), settled);
  const uint64_t moved = f.page.Revision();
  f.page.RefreshAll();
  EXPECT_EQ(f.page.Revision(), moved);
}

class LaidOutPage : public CBasePage {
 public:
  LaidOutPage(CCommClass& link, PageHost& host) : CBasePage(link, host, 1, "Laid Out") {
    AddFrame(10, "Levels");
    AddSlider(11, 0, -100, 100, 5);
    AddReadOut(12);
    PlaceInFrame(11, 10);
    PlaceInFrame(12, 10);
    SetSliderLayout(11, Orientation::kVertical, "Down", "Up", 12);
    AddCheckBox(13, 0, "Pure Direct");
    SetMemoryMark(13);
  }
  void Change() { SetValue(11, 5); }
  void Same() { SetValue(11, 5); }
};

TEST(PageDescription, FramesSlidersAndMarksAreDescribedForTheView) {
  PageFixture<LaidOutPage> f(ControlMode::kAsync);
  LaidOutPage& page = f.page;
  const Control* frame = page.FindControl(10);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->kind, ControlKind::kFrame);
  EXPECT_EQ(frame->caption, "Levels");
  const Control* slider = page.FindControl(11);
  EXPECT_EQ(slider->frame, 10);
  EXPECT_EQ(slider->orientation, Orientation::kVertical);
  EXPECT_EQ(slider->lowLabel, "Down");
  EXPECT_EQ(slider->highLabel, "Up");
  EXPECT_EQ(slider->readOut, 12);
  EXPECT_EQ(page.FindControl(12)->frame, 10);
  EXPECT_TRUE(page.FindControl(13)->memoryMark);
  EXPECT_FALSE(slider->memoryMark);

  const uint64_t before = page.Revision();
  page.Change();
  const uint64_t changed = page.Revision();
  EXPECT_NE(changed, before);
  page.Same();
  EXPECT_EQ(page.Revision(), changed);
}

TEST(PageDescription, AHostWithoutIconsAsksAsOkCancelAndTellsWithOk) {
  class Recording : public QuietPageHost {
   public:
    bool AskOkCancel(std::string_view, std::string_view) override {
      ++asked;
      return false;
    }
    int asked = 0;
  } host;
  EXPECT_TRUE(host.Message("Told", "T", PageIcon::kExclamation, PageButtons::kOk));
  EXPECT_EQ(host.asked, 0);
  EXPECT_FALSE(host.Message("Asked", "T", PageIcon::kInformation, PageButtons::kYesNo));
  EXPECT_EQ(host.asked, 1);
}

}  // namespace
}  // namespace qamp::testing
