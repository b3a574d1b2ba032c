// Checks that several pages share: each radio button's command, the texts
// a configuration file may hold, and a page's settings through a profile.
// A failure names the line of the test that asked for the check.
#pragma once

#include <gtest/gtest.h>

#include <source_location>
#include <span>
#include <string>
#include <vector>

#include "model/image_defaults.h"
#include "model/ini_file.h"
#include "model/parameter_store.h"
#include "pages/base_page.h"
#include "session/command_capture.h"

namespace qamp::testing {

// One radio button: the value it stores under `id` and the frame it sends.
struct ChoiceCase {
  int button;
  ParamId id;
  int stored;
  const char* frame;
};

// Clicks each case's button on a page of its own in Real Time Mode, after
// `prepare(fixture, case)` has set the page up: the image takes the value,
// the radio group shows it, and the command goes out at once, alone.
template <class Fixture, class Prepare>
void ExpectEachChoiceSends(std::span<const ChoiceCase> cases, Prepare prepare,
                           std::source_location where = std::source_location::current()) {
  const ::testing::ScopedTrace trace(where.file_name(), static_cast<int>(where.line()),
                                     "each choice");
  for (const ChoiceCase& c : cases) {
    Fixture f(ControlMode::kRealTime);
    prepare(f, c);
    f.page.ClickRadio(c.button);
    EXPECT_EQ(ReadParameter(f.image(), c.id), c.stored) << c.button;
    EXPECT_EQ(f.control(c.button).value, c.stored) << c.button;
    EXPECT_EQ(f.Written(), std::vector<std::string>{c.frame}) << c.button;
  }
}

// The same on a page as it comes.
template <class Fixture>
void ExpectEachChoiceSends(std::span<const ChoiceCase> cases,
                           std::source_location where = std::source_location::current()) {
  ExpectEachChoiceSends<Fixture>(
      cases, [](Fixture&, const ChoiceCase&) {}, where);
}

// One text as a configuration file may hold it for `id`: whether the page
// takes it, and what it then stores.
struct FileTextCase {
  ParamId id;
  const char* text;
  bool accepted;
  int stored;
};

// Reads each case's text into an image of factory settings: an accepted
// text stores its value, a refused one leaves the image as it was.
inline void ExpectFileTexts(CBasePage& page, std::span<const FileTextCase> cases,
                            std::source_location where = std::source_location::current()) {
  const ::testing::ScopedTrace trace(where.file_name(), static_cast<int>(where.line()),
                                     "file texts");
  for (const FileTextCase& c : cases) {
    CSettingImage image;
    ResetImage(image, 0, kDefaultRegionCode);
    const int before = ReadParameter(image, c.id);
    EXPECT_EQ(page.SetParamFromText(image, c.id, -1, c.text), c.accepted) << c.id << c.text;
    EXPECT_EQ(ReadParameter(image, c.id), c.accepted ? c.stored : before) << c.id << c.text;
  }
}

// A text the page must not take for `id`.
struct RefusedText {
  ParamId id;
  const char* text;
};

// Each text is refused (what it does to `image` the caller checks after).
inline void ExpectTextsRefused(CBasePage& page, CSettingImage& image,
                               std::span<const RefusedText> refused,
                               std::source_location where = std::source_location::current()) {
  const ::testing::ScopedTrace trace(where.file_name(), static_cast<int>(where.line()),
                                     "refused texts");
  for (const RefusedText& r : refused)
    EXPECT_FALSE(page.SetParamFromText(image, r.id, -1, r.text)) << r.text;
}

// An image of the factory settings of `region` with what `file` holds for
// the page read into it.
inline CSettingImage ReadIntoFreshImage(CBasePage& page, const IniFile& file,
                                        int region = kDefaultRegionCode) {
  CSettingImage image;
  ResetImage(image, 0, region);
  page.LoadFromProfile(file, image);
  return image;
}

// The page's settings in `image` written to a profile and read back into
// an image of the factory settings of `region`.
inline CSettingImage ThroughProfile(CBasePage& page, const CSettingImage& image,
                                    int region = kDefaultRegionCode) {
  MemoryIniFile file;
  page.SaveToProfile(file, image);
  return ReadIntoFreshImage(page, file, region);
}

}  // namespace qamp::testing
