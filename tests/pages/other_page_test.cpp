// The Other page.
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/other_page.h"
#include "session/command_capture.h"

namespace qamp {
namespace {

using Frames = std::vector<std::string>;
using Queue = std::vector<std::pair<std::string, ParamId>>;

struct OtherFixture {
  explicit OtherFixture(ControlMode mode) : capture(mode), page(capture.Link(), host) {
    page.SetActive(true);
  }
  CSettingImage& image() { return capture.Link().CurrentImage(); }
  Frames Written() {
    Frames shown;
    for (const std::string& frame : capture.Frames()) shown.push_back(ShowFrame(frame));
    return shown;
  }
  Queue Queued() {
    Queue shown;
    for (const auto& [frame, code] : capture.QueuedWithCodes())
      shown.emplace_back(ShowFrame(frame), code);
    return shown;
  }
  CommandCapture capture;
  QuietPageHost host;
  COtherPage page;
};

TEST(OtherPage, EveryChoiceSendsItsCommand) {
  struct Case {
    int button;
    ParamId id;
    int stored;
    const char* frame;
  };
  const Case cases[] = {
      {1501, 532, 0, "<STX>26000<ETX>"}, {1502, 532, 1, "<STX>26001<ETX>"},
      {1503, 533, 0, "<STX>25F00<ETX>"}, {1504, 533, 1, "<STX>25F01<ETX>"},
      {1505, 534, 0, "<STX>28F00<ETX>"}, {1506, 534, 1, "<STX>28F01<ETX>"},
      {1507, 535, 0, "<STX>25C00<ETX>"}, {1508, 535, 1, "<STX>25C01<ETX>"},
  };
  for (const Case& c : cases) {
    OtherFixture f(ControlMode::kRealTime);
    StoreParameter(f.image(), c.id, 1 - c.stored);
    f.page.RefreshAll();
    f.page.ClickRadio(c.button);
    EXPECT_EQ(ReadParameter(f.image(), c.id), c.stored) << c.button;
    EXPECT_EQ(f.page.FindControl(c.button)->value, c.stored) << c.button;
    EXPECT_EQ(f.Written(), Frames{c.frame}) << c.button;
  }
}

TEST(OtherPage, AsyncModeChangesTheImageAndQueuesNothing) {
  OtherFixture f(ControlMode::kAsync);
  f.page.ClickRadio(1504);
  EXPECT_EQ(ReadParameter(f.image(), 533), 1);
  EXPECT_TRUE(f.Queued().empty());
  EXPECT_TRUE(f.Written().empty());
}

TEST(OtherPage, DownloadSendsTheFourSettingsInOrder) {
  OtherFixture f(ControlMode::kAsync);
  f.page.DownloadPage(f.image());
  const Queue factory = {{"<STX>26000<ETX>", 532},
                         {"<STX>25F00<ETX>", 533},
                         {"<STX>28F00<ETX>", 534},
                         {"<STX>25C00<ETX>", 535}};
  EXPECT_EQ(f.Queued(), factory);
  f.capture.Clear();
  for (ParamId id = 532; id <= 535; ++id) StoreParameter(f.image(), id, 1);
  // A value no radio stands for is not sent.
  StoreParameter(f.image(), 534, 2);
  f.page.DownloadPage(f.image());
  const Queue changed = {
      {"<STX>26001<ETX>", 532}, {"<STX>25F01<ETX>", 533}, {"<STX>25C01<ETX>", 535}};
  EXPECT_EQ(f.Queued(), changed);
}

TEST(OtherPage, ProfileUsesTheSupportAudioKeyAndRefusesUnmatchedTexts) {
  OtherFixture f(ControlMode::kAsync);
  StoreParameter(f.image(), 534, 1);
  StoreParameter(f.image(), 535, 1);
  EXPECT_EQ(f.page.BuildReportText(f.image()),
            "\r\n(Other)\r\nAudio Select Set = Auto\r\nDecoder Mode Set = Auto\r\n"
            "Support Audio = Other\r\nEXTD Surround = Last\r\n");
  MemoryIniFile file;
  f.page.SaveToProfile(file, f.image());
  EXPECT_EQ(file.Read("Other", "Support Audio"), "Other");
  EXPECT_FALSE(file.Read("Other", "HDMI Support Audio").has_value());
  CSettingImage other;
  ResetImage(other, 0, 1);
  f.page.LoadFromProfile(file, other);
  for (ParamId id = 532; id <= 535; ++id)
    EXPECT_EQ(ReadParameter(other, id), ReadParameter(f.image(), id));
  EXPECT_TRUE(f.page.SetParamFromText(other, 534, -1, "QR-K2600"));
  EXPECT_EQ(ReadParameter(other, 534), 0);

  struct Refused {
    ParamId id;
    const char* text;
  };
  const Refused refused[] = {{532, "auto"}, {533, "Last "}, {534, "qr-k2600"},
                             {534, "Auto"}, {535, "Other"}, {531, "LAST"}};
  for (const Refused& r : refused)
    EXPECT_FALSE(f.page.SetParamFromText(other, r.id, -1, r.text)) << r.text;
  EXPECT_EQ(ReadParameter(other, 532), 0);
  EXPECT_EQ(ReadParameter(other, 533), 0);
  EXPECT_EQ(ReadParameter(other, 534), 0);
  EXPECT_EQ(ReadParameter(other, 535), 1);
}

}  // namespace
}  // namespace qamp
