// The link's receive side: characters in chunks of any size, in the states
// that matter (a connection and its initial load, an Upload, a Download, a
// real-time command in flight), with timers firing, pauses ending, the port
// failing and the user cancelling in between. The input format is described
// in link_driver.h.
//
// Checked after every operation:
// - the frame being assembled follows the assembly rules, counted here on
//   their own: a start byte (STX or DC4) after a time-out or an overflow
//   begins a frame, NUL is passed over, ETX hands the frame over, more than
//   256 characters drop it, and so does the 450 ms frame time-out; it never
//   holds more than 256 characters;
// - an open port's characters are all taken, a closed port's none;
// - the selected image is one of the seven; in Real Time Mode it stays the
//   current setting (and at the end the six memory images are as they were);
// - the queue's entries have a try count of 0..5 and a read-request row
//   of the table or none, and the initial load's cursor stays in the table;
// - every frame written is a whole frame: STX or DC4 in front, ETX at the
//   end, an extended frame's checksum right, and never a queue marker;
// and at the end every text field of every image holds at most its width
// less one characters. Every word index is checked by the standard library.
#include <string>

#include "fuzz_support.h"
#include "link/read_request_table.h"
#include "link_driver.h"
#include "model/parameter_store.h"

namespace qamp::fuzz {
namespace {

// The assembly rules, kept apart from the link's own code.
struct AssemblyModel {
  size_t length = 0;
  bool dropping = false;  // after a time-out or an overflow, until a start byte

  void Take(std::string_view characters) {
    for (const char c : characters) {
      if (c == '\0') continue;
      const bool start = c == kStx || c == kDc4;
      if (dropping) {
        if (!start) continue;
        dropping = false;
        length = 1;
        continue;
      }
      if (c == kEtx) {
        length = 0;
        continue;
      }
      if (++length > kMaxFrameLength) Drop();
    }
  }
  void Drop() {
    length = 0;
    dropping = true;
  }
  void PortOpenedOrClosed() {
    length = 0;
    dropping = false;
  }
};

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

void CheckWritten(std::string_view frame) {
  QAMP_FUZZ_CHECK(frame.size() >= 2);
  QAMP_FUZZ_CHECK(frame.front() == kStx || frame.front() == kDc4);
  QAMP_FUZZ_CHECK(frame.back() == kEtx);
  QAMP_FUZZ_CHECK(frame.find('@') == std::string_view::npos);
  if (frame.front() == kDc4) {
    // DC4, body, two hex digits of the body's byte sum, ETX.
    QAMP_FUZZ_CHECK(frame.size() >= 4);
    const std::string_view body = frame.substr(1, frame.size() - 4);
    unsigned sum = 0;
    for (const char c : body) sum += static_cast<unsigned char>(c);
    const char high = frame[frame.size() - 3];
    const char low = frame[frame.size() - 2];
    QAMP_FUZZ_CHECK(IsHexDigit(high) && IsHexDigit(low));
    const auto value = [](char c) { return c <= '9' ? c - '0' : c - 'A' + 10; };
    QAMP_FUZZ_CHECK(static_cast<unsigned>(value(high) * 16 + value(low)) == (sum & 0xFFU));
  }
}

class Run {
 public:
  Run(Scenario scenario, uint8_t flags) : driver_(scenario, flags) {
    driver_.Transport().onWrite = CheckWritten;
    realTime_ = driver_.Link().IsRealTimeMode();
    for (int slot = 1; slot < kImageSlots; ++slot)
      memories_[static_cast<size_t>(slot)] = driver_.Link().Image(slot);
  }

  LinkDriver& Driver() { return driver_; }

  void Operate(uint8_t tag, ByteReader& input) {
    const unsigned eventsBefore = driver_.Transport().portEvents;
    if (tag <= kLastChunkTag) {
      const std::string chunk = input.Take(static_cast<size_t>(tag) + 1);
      const bool open = driver_.Link().IsPortOpen();
      const int taken = driver_.Deliver(chunk);
      QAMP_FUZZ_CHECK(taken == (open ? static_cast<int>(chunk.size()) : 0));
      if (open) model_.Take(chunk);
    } else if (tag < kEndPausesTag) {
      const int timer = tag - kFirstTimerTag;
      const bool fires = driver_.Running(timer);
      driver_.Fire(timer);
      if (fires && timer == kFrameTimer) model_.Drop();
    } else if (tag == kEndPausesTag) {
      driver_.EndPauses();
    } else if (tag == kPortFailsTag) {
      driver_.Transport().Fail();
    } else if (tag == kCancelSendingTag) {
      driver_.App().Session().CancelSending(false);
    } else if (tag == kCancelInitializationTag) {
      driver_.App().Session().CancelInitialization(false);
    }
    // Opening or closing the port empties the assembly, and what followed
    // in the same chunk belonged to no connection.
    if (driver_.Transport().portEvents != eventsBefore) model_.PortOpenedOrClosed();
    Check();
  }

  void Check() {
    const CCommClass& link = driver_.Link();
    QAMP_FUZZ_CHECK(link.AssemblyLength() <= kMaxFrameLength);
    QAMP_FUZZ_CHECK(link.AssemblyLength() == model_.length);
    QAMP_FUZZ_CHECK(link.CurrentSlot() >= 0 && link.CurrentSlot() < kImageSlots);
    if (realTime_) QAMP_FUZZ_CHECK(link.CurrentSlot() == 0);
    for (const CCommClass::QueueEntry& entry : link.Queue()) {
      QAMP_FUZZ_CHECK(entry.tries >= 0 && entry.tries <= kDoneTries);
      QAMP_FUZZ_CHECK(entry.tableIndex >= -1 && entry.tableIndex < kReadRequestRows);
    }
    QAMP_FUZZ_CHECK(link.LoadCursor() >= 0 && link.LoadCursor() <= kReadRequestRows);
  }

  void CheckEnd() {
    if (realTime_) {
      for (int slot = 1; slot < kImageSlots; ++slot) {
        QAMP_FUZZ_CHECK(driver_.Link().Image(slot) == memories_[static_cast<size_t>(slot)]);
      }
    }
    for (int slot = 0; slot < kImageSlots; ++slot) {
      for (ParamId id = kFirstParamId; id <= kLastParamId; ++id) {
        const ParamLocation location = LocateParam(id);
        if (location.type != ParamLocation::Type::kText) continue;
        QAMP_FUZZ_CHECK(ReadText(driver_.Link().Image(slot), id).size() <
                        static_cast<size_t>(location.width));
      }
    }
  }

 private:
  LinkDriver driver_;
  AssemblyModel model_;
  bool realTime_ = false;
  std::array<CSettingImage, kImageSlots> memories_{};
};

}  // namespace
}  // namespace qamp::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qamp;
  using namespace qamp::fuzz;
  ByteReader input(data, size);
  const auto scenario = static_cast<Scenario>(input.Byte() % kScenarioCount);
  const uint8_t flags = input.Byte();
  const uint16_t choice = input.Word();

  Run run(scenario, flags);
  run.Driver().Start(choice);
  run.Check();
  while (!input.Empty()) run.Operate(input.Byte(), input);
  run.Driver().EndPauses();
  run.Check();
  run.CheckEnd();
  return 0;
}
