// The link over a real pseudo terminal with the real adapters and timers.
// These few tests measure real time, so they check only lower bounds and
// orders that a loaded machine cannot break.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>

#include "link/comm_class.h"
#include "link/wire_format.h"
#include "qt/qt_serial_transport.h"
#include "qt/qt_timers.h"
#include "session/command_capture.h"

namespace qamp {
namespace {

const std::string STX = "\x02";
const std::string ETX = "\x03";
const std::string DC4 = "\x14";

// The receiver's end of a pseudo terminal: records when each frame has
// arrived and can answer it.
class PtyEnd {
 public:
  PtyEnd() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    ::grantpt(master_);
    ::unlockpt(master_);
    std::array<char, 128> name{};
    ::ptsname_r(master_, name.data(), name.size());
    path = name.data();
    keep_ = ::open(name.data(), O_RDWR | O_NOCTTY);
    termios settings{};
    ::tcgetattr(keep_, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(keep_, TCSANOW, &settings);
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Read(); });
    clock_.start();
  }
  ~PtyEnd() { Hangup(); }

  void Hangup() {
    notifier_.reset();
    if (master_ >= 0) ::close(master_);
    if (keep_ >= 0) ::close(keep_);
    master_ = keep_ = -1;
  }
  void Send(const std::string& bytes) {
    [[maybe_unused]] auto n = ::write(master_, bytes.data(), bytes.size());
  }

  struct Arrival {
    int64_t at;
    std::string frame;
  };
  std::vector<Arrival> frames;
  std::function<void(const std::string&)> answer;
  std::string path;

 private:
  void Read() {
    std::array<char, 256> buffer{};
    ssize_t count = 0;
    while ((count = ::read(master_, buffer.data(), buffer.size())) > 0) {
      for (ssize_t i = 0; i < count; ++i) {
        partial_.push_back(buffer[static_cast<size_t>(i)]);
        if (buffer[static_cast<size_t>(i)] != '\x03') continue;
        frames.push_back({clock_.elapsed(), partial_});
        if (answer) answer(partial_);
        partial_.clear();
      }
    }
  }
  int master_ = -1;
  int keep_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::string partial_;
  QElapsedTimer clock_;
};

// A link host on QTimers that records what matters here.
class QtLinkHost : public CaptureLinkHost {
 public:
  QtLinkHost()
      : timers_([this](int timer) {
          if (link_ != nullptr) link_->OnTimer(timer);
        }) {}
  void Attach(CCommClass* link) { link_ = link; }
  void StartTimer(int timer, int milliseconds) override { timers_.Start(timer, milliseconds); }
  void KillTimer(int timer) override { timers_.Kill(timer); }
  void EndSending(EndSendingResult result) override { endings.push_back(result); }
  void PortFailed(std::string_view reason) override { failures.emplace_back(reason); }
  std::vector<EndSendingResult> endings;
  std::vector<std::string> failures;

 private:
  QtTimerBank timers_;
  CCommClass* link_ = nullptr;
};

void RunFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

void RunUntil(const std::function<bool()>& done, int limitMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < limitMs)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

// Records when each frame was handed to the port.
class TimedTransport : public QtSerialTransport {
 public:
  TimedTransport() { clock_.start(); }
  bool Write(std::string_view bytes) override {
    written.push_back({clock_.elapsed(), std::string(bytes)});
    return QtSerialTransport::Write(bytes);
  }
  struct Written {
    int64_t at;
    std::string frame;
  };
  std::vector<Written> written;

 private:
  QElapsedTimer clock_;
};

struct PtyLink {
  PtyLink() : link(transport, host) {
    host.Attach(&link);
    link.SetMode(ControlMode::kAsync);
    std::string error;
    EXPECT_TRUE(transport.Open(pty.path, error)) << error;
    link.SetJob(TransferJob::kDownload);
    link.MarkReady();
  }
  PtyEnd pty;
  TimedTransport transport;
  QtLinkHost host;
  CCommClass link;
};

TEST(PtyLink, FramesAreSpacedByTheirPausesEvenWhenAnswersComeAtOnce) {
  PtyLink p;
  // The receiver answers every frame the moment it has it.
  p.pty.answer = [&](const std::string& frame) {
    if (frame.front() == '\x02') {
      p.pty.Send(STX + "008C00" + ETX);
    } else {
      std::string reply = frame.substr(0, frame.size() - 3);
      reply[8] = '0';
      p.pty.Send(FrameExtended(reply));
    }
  };
  const std::vector<std::string> frames = {
      STX + "07E82" + ETX, FrameExtended(DC4 + "2008010130" + "05"), STX + "07E82" + ETX,
      FrameExtended(DC4 + "2008010131" + "06"), FrameExtended(DC4 + "2008010132" + "07")};
  const std::vector<ParamId> codes = {8, 243, 8, 244, 245};
  for (size_t i = 0; i < frames.size(); ++i) p.link.SendPacket(frames[i], codes[i]);
  p.link.SendPacket("", kEndMarkerCode);
  RunUntil([&] { return !p.host.endings.empty(); }, 5000);
  ASSERT_EQ(p.host.endings.size(), 1U);
  ASSERT_EQ(p.pty.frames.size(), frames.size());
  ASSERT_EQ(p.transport.written.size(), frames.size());
  for (size_t i = 0; i + 1 < frames.size(); ++i) {
    EXPECT_EQ(p.pty.frames[i].frame, frames[i]) << "the receiver got the frames in order";
    const int64_t pause = frames[i].front() == '\x02' ? 50 : 150;
    // Less one millisecond of timer granularity.
    EXPECT_GE(p.transport.written[i + 1].at - p.transport.written[i].at, pause - 1)
        << "after frame " << i;
  }
}

TEST(PtyLink, TheEventLoopRunsDuringAPause) {
  PtyLink p;
  p.link.SendPacket(FrameExtended(DC4 + "2008010130" + "05"), 243);
  p.link.SendPacket("", kEndMarkerCode);
  ASSERT_TRUE(p.link.IsPausing());
  QElapsedTimer clock;
  clock.start();
  bool handled = false;
  bool pausingWhenHandled = false;
  QTimer::singleShot(0, [&] {
    handled = true;
    pausingWhenHandled = p.link.IsPausing();
  });
  RunUntil([&] { return handled; }, 1000);
  EXPECT_TRUE(handled);
  EXPECT_TRUE(pausingWhenHandled) << "the posted event ran while the 150 ms pause was pending";
}

TEST(PtyLink, AHangupClosesThePortOnceAndEndsAsAFailure) {
  PtyLink p;
  p.link.SendPacket(FrameExtended(DC4 + "2008010130" + "05"), 243);
  p.link.SendPacket("", kEndMarkerCode);
  RunFor(20);
  p.pty.Hangup();
  RunUntil([&] { return !p.host.failures.empty(); }, 3000);
  ASSERT_EQ(p.host.failures.size(), 1U);
  EXPECT_FALSE(p.transport.IsOpen());
  RunFor(100);
  EXPECT_EQ(p.host.failures.size(), 1U) << "reported once, not for every read error";
}

TEST(QtSerialTransport, ASecondOpenOfTheSameDeviceIsRefused) {
  PtyEnd pty;
  QtSerialTransport first;
  QtSerialTransport second;
  std::string error;
  ASSERT_TRUE(first.Open(pty.path, error)) << error;
  EXPECT_TRUE(first.IsCtsOn()) << "CTS of a pseudo terminal is unknown, hence present";
  EXPECT_FALSE(second.Open(pty.path, error));
  EXPECT_NE(error.find(pty.path), std::string::npos) << error;
}

TEST(QtSerialTransport, AMissingDeviceIsNamedInTheMessage) {
  QtSerialTransport transport;
  std::string error;
  EXPECT_FALSE(transport.Open("/dev/ttyUSB97", error));
  EXPECT_NE(error.find("/dev/ttyUSB97"), std::string::npos) << error;
}

}  // namespace
}  // namespace qamp
