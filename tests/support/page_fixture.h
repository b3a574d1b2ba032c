// The scaffolding every page test starts from: one page, shown, on a ready
// link whose writes go into a list instead of a port, with what the page
// wrote and queued in readable form.
//
//   using VolumeFixture = testing::PageFixture<CVolumeTrim>;
//   VolumeFixture f(ControlMode::kRealTime);
//   f.page.ClickRadio(1660);
//   EXPECT_EQ(f.Written(), Frames{"<STX>25A00<ETX>"});
//
// A page test that needs more (a host that records questions, helpers that
// drive one page's controls) derives from it. A page whose constructor takes
// more than the link and the host gets the rest through the constructor;
// when that is an object the fixture owns (a basic control, a frequency
// chooser), put it in a base class listed before PageFixture, so that it is
// built before the page:
//
//   struct TunerParts { ScriptedChooser chooser; };
//   struct TunerFixture : TunerParts, testing::PageFixture<CTunerSetPage> {
//     explicit TunerFixture(ControlMode mode) : PageFixture(mode, 1, &chooser) {}
//   };
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "link/wire_format.h"
#include "model/setting_image.h"
#include "pages/base_page.h"
#include "session/command_capture.h"

namespace qamp::testing {

// Frames as ShowFrame writes them: "<STX>26901<ETX>".
using Frames = std::vector<std::string>;
// Queue entries as (frame as ShowFrame writes it, the code it waits under).
using Queue = std::vector<std::pair<std::string, ParamId>>;

// Passed first to a fixture's constructor: the page is built but not shown
// yet, for a test that sets something up first (the model's flags, a first
// layout) and then calls Show() itself.
struct ShowLater {};
inline constexpr ShowLater kShowLater{};

// A host that counts the beeps a page gives when it refuses what was
// entered, and otherwise says yes to everything.
class BeepCountingHost : public QuietPageHost {
 public:
  void Beep() override { ++beeps; }
  int beeps = 0;
};

// A host that records every message box a page opens (its text, title,
// icon and buttons) with how many commands had been queued when it opened,
// and answers each with `answer`.
class MessageRecordingHost : public QuietPageHost {
 public:
  struct Shown {
    std::string text;
    std::string title;
    PageIcon icon = PageIcon::kNone;
    PageButtons buttons = PageButtons::kOk;
    size_t queuedBefore = 0;
  };
  explicit MessageRecordingHost(CommandCapture& capture) : capture_(capture) {}
  bool Message(std::string_view text, std::string_view title, PageIcon icon,
               PageButtons buttons) override {
    shown.push_back(
        {std::string(text), std::string(title), icon, buttons, capture_.QueuedWithCodes().size()});
    return answer;
  }
  bool AskOkCancel(std::string_view text, std::string_view title) override {
    return Message(text, title, PageIcon::kQuestion, PageButtons::kOkCancel);
  }
  std::vector<Shown> shown;
  bool answer = true;

 private:
  CommandCapture& capture_;
};

// `Page` is built on the captured link and shown; `Host` answers its
// questions (QuietPageHost says yes to everything). A host whose constructor
// takes the CommandCapture gets it, to see what had been sent when it was
// asked.
template <class Page, class Host = QuietPageHost>
struct PageFixture {
  // `mode`: in Real Time Mode the page writes at once, in Async Mode
  // (offline) it only changes the image. `region`: the region code the
  // image is set up for. `pageArgs`: what the page's constructor takes after
  // the link and the host.
  template <class... PageArgs>
  explicit PageFixture(ControlMode mode, int region = kDefaultRegionCode, PageArgs&&... pageArgs)
      : PageFixture(kShowLater, mode, region, std::forward<PageArgs>(pageArgs)...) {
    Show();
  }
  template <class... PageArgs>
  PageFixture(ShowLater, ControlMode mode, int region = kDefaultRegionCode, PageArgs&&... pageArgs)
      : capture(mode, region),
        host(MakeHost(capture)),
        page(capture.Link(), host, std::forward<PageArgs>(pageArgs)...) {}

  void Show() { page.SetActive(true); }

  // Tells the link which model it talks to (its zones, the XM tuner) and
  // lets the page show or hide what depends on that.
  void SetModel(const ModelFlags& flags) {
    capture.Link().SetFlags(flags);
    page.UpdateModelControls();
  }

  // The image the page shows and edits.
  CSettingImage& image() { return capture.Link().CurrentImage(); }

  // Everything written so far, then what still waits in the queue, in the
  // order the receiver would get it. Real Time Mode writes standard
  // commands at once; extended ones wait in the queue for their answers.
  Frames Written() const {
    Frames shown;
    for (const std::string& frame : capture.Frames()) shown.push_back(ShowFrame(frame));
    return shown;
  }

  // The queue with each entry's code (offline, everything waits there).
  Queue Queued() const {
    Queue shown;
    for (const auto& [frame, code] : capture.QueuedWithCodes())
      shown.emplace_back(ShowFrame(frame), code);
    return shown;
  }

  // Frames really on the wire: of the queue's entries only the first, which
  // went out with the end marker, has been written.
  size_t WrittenCount() const {
    const size_t queued = capture.QueuedWithCodes().size();
    return capture.Frames().size() - (queued > 0 ? queued - 1 : 0);
  }

  const Control& control(int id) const { return *page.FindControl(id); }

  CommandCapture capture;
  Host host;
  Page page;

 private:
  static Host MakeHost(CommandCapture& capture) {
    if constexpr (std::is_constructible_v<Host, CommandCapture&>) {
      return Host(capture);
    } else {
      return Host();
    }
  }
};

// The frame of an extended command as ShowFrame writes it: DC4, the body,
// the byte sum of the body as two upper-case hex digits, ETX.
inline std::string ExtendedFrame(std::string_view body) {
  unsigned sum = 0;
  for (const char c : body) sum += static_cast<unsigned char>(c);
  static constexpr char kHex[] = "0123456789ABCDEF";
  return "<DC4>" + std::string(body) + kHex[(sum >> 4) & 0xF] + kHex[sum & 0xF] + "<ETX>";
}

}  // namespace qamp::testing
