// The Speaker Distance page.
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/speaker_distance_page.h"
#include "session/command_capture.h"
#include "support/page_checks.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

// The page lays itself out before it is first shown.
struct DistanceFixture : testing::PageFixture<CSpkDistancePage> {
  explicit DistanceFixture(ControlMode mode) : PageFixture(testing::kShowLater, mode) {
    page.OnFirstLayout();
    Show();
  }
  std::vector<int> Distances() {
    std::vector<int> distances;
    for (ParamId id = 270; id <= 279; ++id) distances.push_back(ReadParameter(image(), id));
    return distances;
  }
};

TEST(SpeakerDistancePage, DistanceCommandsAtBothEndsOfEachUnit) {
  struct Case {
    int unit;
    int slider;
    ParamId id;
    int distance;
    const char* frame;
  };
  const Case cases[] = {
      {0, 1137, 270, 300, "<DC4>200904112012cB9<ETX>"},
      {0, 1137, 270, 30, "<DC4>200904112001eB9<ETX>"},
      {0, 1137, 270, 2400, "<DC4>200904112096092<ETX>"},
      {0, 1155, 279, 2400, "<DC4>20090411A0960A1<ETX>"},
      {0, 1155, 279, 30, "<DC4>20090411A001eC8<ETX>"},
      {0, 1141, 272, 260, "<DC4>200904110010486<ETX>"},
      {1, 1137, 270, 10, "<DC4>200904112100aB5<ETX>"},
      {1, 1155, 279, 800, "<DC4>20090411A132098<ETX>"},
      {1, 1155, 279, 10, "<DC4>20090411A100aC4<ETX>"},
      {1, 1141, 272, 85, "<DC4>20090411010558C<ETX>"},
  };
  for (const Case& c : cases) {
    DistanceFixture f(ControlMode::kRealTime);
    StoreParameter(f.image(), 269, c.unit);
    f.page.RefreshAll();
    f.page.MoveSlider(c.slider, c.distance);
    f.page.ReleaseSlider(c.slider);
    EXPECT_EQ(ReadParameter(f.image(), c.id), c.distance) << c.frame;
    EXPECT_EQ(f.Queued(), (std::vector<std::pair<std::string, ParamId>>{{c.frame, c.id}}));
  }
}

TEST(SpeakerDistancePage, SlidersFollowTheUnitsRangeAndSteps) {
  DistanceFixture f(ControlMode::kAsync);
  const Control* fl = f.page.FindControl(1137);
  EXPECT_EQ(fl->minimum, 30);
  EXPECT_EQ(fl->maximum, 2400);
  EXPECT_EQ(fl->step, 10);
  f.page.MoveSlider(1137, 3000);
  EXPECT_EQ(ReadParameter(f.image(), 270), 2400);
  f.page.MoveSlider(1137, 27);
  EXPECT_EQ(ReadParameter(f.image(), 270), 30);
  EXPECT_EQ(f.page.FindControl(1390)->text, " 0.30");
  f.page.ClickRadio(CSpkDistancePage::kFeetButton);
  EXPECT_EQ(fl->minimum, 10);
  EXPECT_EQ(fl->maximum, 800);
  EXPECT_EQ(fl->step, 5);
  f.page.MoveSlider(1137, 803);
  EXPECT_EQ(ReadParameter(f.image(), 270), 800);
  EXPECT_EQ(f.page.FindControl(1390)->text, " 80.0");
  f.page.MoveSlider(1137, 12);
  EXPECT_EQ(ReadParameter(f.image(), 270), 10);
  EXPECT_EQ(f.page.FindControl(1390)->text, " 1.0");
}

TEST(SpeakerDistancePage, UnitChangeInAsyncModeTakesTheNewUnitsDefaults) {
  DistanceFixture f(ControlMode::kAsync);
  StoreParameter(f.image(), 270, 1230);
  f.page.ClickRadio(CSpkDistancePage::kFeetButton);
  EXPECT_EQ(ReadParameter(f.image(), 269), 1);
  EXPECT_EQ(f.Distances(), (std::vector<int>{100, 100, 85, 80, 80, 80, 80, 100, 100, 100}));
  EXPECT_EQ(f.page.FindControl(CSpkDistancePage::kMeterButton)->value, 1);
  EXPECT_EQ(f.page.FindControl(1397)->text, " 8.5");
  EXPECT_EQ(f.page.FindControl(1390)->text, " 10.0");
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());

  f.page.ClickRadio(CSpkDistancePage::kMeterButton);
  EXPECT_EQ(ReadParameter(f.image(), 269), 0);
  EXPECT_EQ(f.Distances(), (std::vector<int>{300, 300, 260, 240, 240, 240, 240, 300, 300, 300}));
  EXPECT_EQ(f.page.FindControl(1397)->text, " 2.60");

  // A click on the unit already set is a unit change as well: the unit's
  // defaults come back.
  StoreParameter(f.image(), 270, 1230);
  StoreParameter(f.image(), 279, 50);
  f.page.ClickRadio(CSpkDistancePage::kMeterButton);
  EXPECT_EQ(ReadParameter(f.image(), 269), 0);
  EXPECT_EQ(f.Distances(), (std::vector<int>{300, 300, 260, 240, 240, 240, 240, 300, 300, 300}));
  EXPECT_EQ(f.page.FindControl(1390)->text, " 3.00");
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
}

TEST(SpeakerDistancePage, RealTimeModeLocksTheUnit) {
  DistanceFixture f(ControlMode::kRealTime);
  EXPECT_FALSE(f.page.UnitChangeAllowed());
  EXPECT_FALSE(f.page.FindControl(CSpkDistancePage::kFeetButton)->enabled);
  f.page.ClickRadio(CSpkDistancePage::kFeetButton);
  EXPECT_EQ(ReadParameter(f.image(), 269), 0);
  EXPECT_EQ(ReadParameter(f.image(), 270), 300);
  // The unit has no command of its own.
  f.page.SendParam(269);
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
  EXPECT_TRUE(f.capture.Frames().empty());
}

TEST(SpeakerDistancePage, FirstLayoutSettlesTheStoredUnit) {
  CommandCapture capture(ControlMode::kAsync);
  QuietPageHost host;
  CSpkDistancePage page(capture.Link(), host);
  EXPECT_EQ(ReadParameter(capture.Link().CurrentImage(), 269), 0);
  StoreParameter(capture.Link().CurrentImage(), 269, 7);
  page.OnFirstLayout();
  EXPECT_EQ(ReadParameter(capture.Link().CurrentImage(), 269), 1);
  EXPECT_TRUE(page.UnitChangeAllowed());
  EXPECT_TRUE(page.FindControl(CSpkDistancePage::kFeetButton)->enabled);
  EXPECT_EQ(page.Unit(), 1);
}

TEST(SpeakerDistancePage, DownloadSendsTheTenDistancesInParameterOrder) {
  DistanceFixture f(ControlMode::kAsync);
  f.page.DownloadPage(f.image());
  EXPECT_EQ(f.Queued(), (std::vector<std::pair<std::string, ParamId>>{
                            {"<DC4>200904112012cB9<ETX>", 270},
                            {"<DC4>200904113012cBA<ETX>", 271},
                            {"<DC4>200904110010486<ETX>", 272},
                            {"<DC4>20090411400f0BB<ETX>", 273},
                            {"<DC4>20090411500f0BC<ETX>", 274},
                            {"<DC4>20090411600f0BD<ETX>", 275},
                            {"<DC4>20090411700f0BE<ETX>", 276},
                            {"<DC4>200904118012cBF<ETX>", 277},
                            {"<DC4>200904119012cC0<ETX>", 278},
                            {"<DC4>20090411A012cC8<ETX>", 279},
                        }));
}

TEST(SpeakerDistancePage, DefaultInRealTimeModeSendsTheUnitsDefaults) {
  DistanceFixture f(ControlMode::kRealTime);
  StoreParameter(f.image(), 269, 1);
  for (ParamId id = 270; id <= 279; ++id) StoreParameter(f.image(), id, 500);
  f.page.PressButton(CSpkDistancePage::kDefaultButton);
  EXPECT_EQ(f.Distances(), (std::vector<int>{100, 100, 85, 80, 80, 80, 80, 100, 100, 100}));
  EXPECT_EQ(f.Queued(), (std::vector<std::pair<std::string, ParamId>>{
                            {"<DC4>20090411210648E<ETX>", 270},
                            {"<DC4>20090411310648F<ETX>", 271},
                            {"<DC4>20090411010558C<ETX>", 272},
                            {"<DC4>20090411410508B<ETX>", 273},
                            {"<DC4>20090411510508C<ETX>", 274},
                            {"<DC4>20090411610508D<ETX>", 275},
                            {"<DC4>20090411710508E<ETX>", 276},
                            {"<DC4>200904118106494<ETX>", 277},
                            {"<DC4>200904119106495<ETX>", 278},
                            {"<DC4>20090411A10649D<ETX>", 279},
                        }));
  EXPECT_EQ(f.page.FindControl(1137)->maximum, 800);

  DistanceFixture async(ControlMode::kAsync);
  StoreParameter(async.image(), 272, 1000);
  async.page.PressButton(CSpkDistancePage::kDefaultButton);
  EXPECT_EQ(ReadParameter(async.image(), 272), 260);
  EXPECT_TRUE(async.capture.QueuedWithCodes().empty());
}

TEST(SpeakerDistancePage, NothingMovesWhileATransferRuns) {
  DistanceFixture f(ControlMode::kAsync);
  f.capture.Link().SetJob(TransferJob::kUpload);
  f.page.MoveSlider(1155, 1000);
  EXPECT_EQ(ReadParameter(f.image(), 279), 300);
  EXPECT_EQ(f.page.FindControl(1415)->text, " 3.00");
}

TEST(SpeakerDistancePage, TextsFollowTheImagesUnit) {
  DistanceFixture f(ControlMode::kAsync);
  struct Case {
    int unit;
    int distance;
    const char* text;
  };
  const Case cases[] = {{0, 300, "3.00"}, {0, 30, "0.30"}, {0, 2400, "24.00"}, {0, 1230, "12.30"},
                        {1, 85, "8.5"},   {1, 10, "1.0"},  {1, 800, "80.0"}};
  for (const Case& c : cases) {
    CSettingImage image;
    ResetImage(image, 0, 1);
    StoreParameter(image, 269, c.unit);
    StoreParameter(image, 273, c.distance);
    std::string section, key, value;
    f.page.GetParamText(image, 273, -1, &section, &key, &value, false);
    EXPECT_EQ(section, "Speaker Distance");
    EXPECT_EQ(key, "SL");
    EXPECT_EQ(value, c.text);
    f.page.GetParamText(image, 269, -1, &section, &key, &value, false);
    EXPECT_EQ(key, "Unit");
    EXPECT_EQ(value, c.unit == 0 ? "Meter" : "Feet");
  }
}

TEST(SpeakerDistancePage, DistanceTextsAreCheckedAgainstTheUnitsRangeAndStep) {
  DistanceFixture f(ControlMode::kAsync);
  struct Case {
    int unit;
    const char* text;
    bool stored;
  };
  const Case cases[] = {
      {0, "3.05", false},  {0, "0.30", true}, {0, "0.20", false}, {0, "24.00", true},
      {0, "24.10", false}, {0, "10.0", true}, {0, "far", false},  {1, "1.0", true},
      {1, "0.5", false},   {1, "80.0", true}, {1, "80.5", false}, {1, "10.3", false},
      {1, "10.5", true},   {1, "", false},
  };
  for (const Case& c : cases) {
    CSettingImage image;
    ResetImage(image, 0, 1);
    // The page's unit is the one the profile's unit line set.
    ASSERT_TRUE(f.page.SetParamFromText(image, 269, -1, c.unit != 0 ? "Feet" : "Meter"));
    StoreParameter(image, 270, 50);
    EXPECT_EQ(f.page.SetParamFromText(image, 270, -1, c.text), c.stored) << c.text;
    if (!c.stored) {
      EXPECT_EQ(ReadParameter(image, 270), 50) << c.text;
    }
  }
  CSettingImage image;
  ResetImage(image, 0, 1);
  EXPECT_FALSE(f.page.SetParamFromText(image, 269, -1, "meter"));
  EXPECT_FALSE(f.page.SetParamFromText(image, 269, -1, "Yard"));
  EXPECT_FALSE(f.page.SetParamFromText(image, 259, -1, "3.00"));
  EXPECT_EQ(ReadParameter(image, 269), 0);
}

TEST(SpeakerDistancePage, AProfileSetsItsUnitBeforeItsDistances) {
  DistanceFixture f(ControlMode::kAsync);
  MemoryIniFile feet;
  feet.Write("Speaker Distance", "Unit", "Feet");
  feet.Write("Speaker Distance", "FL", "10.0");
  CSettingImage image = testing::ReadIntoFreshImage(f.page, feet);
  EXPECT_EQ(ReadParameter(image, 269), 1);
  EXPECT_EQ(ReadParameter(image, 270), 100);
  // The distances the file leaves out stay as they were stored.
  EXPECT_EQ(ReadParameter(image, 272), 260);

  MemoryIniFile meter;
  meter.Write("Speaker Distance", "Unit", "Meter");
  meter.Write("Speaker Distance", "FL", "10.0");
  f.page.LoadFromProfile(meter, image);
  EXPECT_EQ(ReadParameter(image, 269), 0);
  EXPECT_EQ(ReadParameter(image, 270), 100);
  EXPECT_EQ(ReadParameter(image, 272), 260);
}

TEST(SpeakerDistancePage, AFileUnitKeepsTheDistancesAndSetsThePagesUnit) {
  DistanceFixture f(ControlMode::kAsync);
  StoreParameter(f.image(), 270, 500);
  MemoryIniFile onlyUnit;
  onlyUnit.Write("Speaker Distance", "Unit", "Feet");
  f.page.LoadFromProfile(onlyUnit, f.image());
  EXPECT_EQ(ReadParameter(f.image(), 269), 1);
  EXPECT_EQ(ReadParameter(f.image(), 270), 500);
  EXPECT_EQ(ReadParameter(f.image(), 272), 260);
  EXPECT_EQ(f.page.Unit(), 1);

  // A unit read into another image becomes the page's unit as well.
  CSettingImage feet;
  ResetImage(feet, 0, 1);
  StoreParameter(feet, 269, 1);
  EXPECT_TRUE(f.page.SetParamFromText(feet, 269, -1, "Meter"));
  EXPECT_EQ(f.page.Unit(), 0);
  EXPECT_EQ(ReadParameter(feet, 269), 0);
  EXPECT_EQ(ReadParameter(feet, 270), 300) << "no distance is reset";
}

TEST(SpeakerDistancePage, WithoutAUnitLineDistancesAreCheckedInTheImagesOwnUnit) {
  // The page's unit is feet, the image's metres: 2.5 (25 tenths of a foot)
  // would be 25 cm there, which no distance command carries and no file
  // line of that image gives back; 0.50 is a distance in metres.
  DistanceFixture f(ControlMode::kAsync);
  CSettingImage other;
  ResetImage(other, 0, 1);
  StoreParameter(other, 269, 1);
  ASSERT_TRUE(f.page.SetParamFromText(other, 269, -1, "Feet"));
  ASSERT_EQ(f.page.Unit(), 1);
  CSettingImage metres;
  ResetImage(metres, 0, 1);
  MemoryIniFile file;
  file.Write("Speaker Distance", "FL", "2.5");
  file.Write("Speaker Distance", "FR", "0.50");
  f.page.LoadFromProfile(file, metres);
  EXPECT_EQ(ReadParameter(metres, 270), 300);
  EXPECT_EQ(ReadParameter(metres, 271), 50);
  const CSettingImage again = testing::ThroughProfile(f.page, metres);
  EXPECT_EQ(ReadParameter(again, 271), 50);
}

TEST(SpeakerDistancePage, ProfileRoundTripInFeet) {
  DistanceFixture f(ControlMode::kAsync);
  f.page.ClickRadio(CSpkDistancePage::kFeetButton);
  const int distances[] = {10, 800, 85, 125, 90, 5 * 77, 300, 15, 20, 795};
  for (ParamId id = 270; id <= 279; ++id) StoreParameter(f.image(), id, distances[id - 270]);
  MemoryIniFile file;
  f.page.SaveToProfile(file, f.image());
  EXPECT_EQ(file.Read("Speaker Distance", "Unit"), std::optional<std::string>("Feet"));
  EXPECT_EQ(file.Read("Speaker Distance", "SW"), std::optional<std::string>("79.5"));
  CSettingImage other = testing::ReadIntoFreshImage(f.page, file);
  EXPECT_EQ(ReadParameter(other, 269), 1);
  for (ParamId id = 270; id <= 279; ++id) EXPECT_EQ(ReadParameter(other, id), distances[id - 270]);
  EXPECT_EQ(f.page.BuildReportText(f.image()).find(
                "\r\n(Speaker Distance)\r\nUnit = Feet\r\nFL = 1.0\r\n"),
            0U);
}

TEST(SpeakerDistancePage, TenUprightSlidersStandInTheMarkedFrame) {
  DistanceFixture f(ControlMode::kAsync);
  const Control* frame = f.page.FindControl(CSpkDistancePage::kDistanceFrame);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->kind, ControlKind::kFrame);
  EXPECT_EQ(frame->caption, "Speaker Distance");
  EXPECT_TRUE(frame->memoryMark);
  const std::pair<int, int> pairs[] = {{1137, 1390}, {1139, 1393}, {1141, 1397}, {1143, 1401},
                                       {1145, 1405}, {1147, 1407}, {1149, 1409}, {1151, 1411},
                                       {1153, 1413}, {1155, 1415}};
  for (const auto& [slider, readOut] : pairs) {
    const Control* s = f.page.FindControl(slider);
    ASSERT_NE(s, nullptr) << slider;
    EXPECT_EQ(s->orientation, Orientation::kVertical) << slider;
    EXPECT_EQ(s->readOut, readOut) << slider;
    EXPECT_EQ(s->frame, CSpkDistancePage::kDistanceFrame) << slider;
    EXPECT_EQ(f.page.FindControl(readOut)->frame, CSpkDistancePage::kDistanceFrame) << readOut;
  }
  EXPECT_EQ(f.page.FindControl(CSpkDistancePage::kMeterButton)->frame, 0);
  EXPECT_EQ(f.page.FindControl(CSpkDistancePage::kDefaultButton)->frame, 0);
}

}  // namespace
}  // namespace qamp
