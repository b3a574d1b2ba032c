// The receiver's side of the wire: a QR-K2600 that answers the connection
// with its configuration report, answers every read request and write,
// keeps six memories, and can be told to lack options or to misbehave.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "model/setting_image.h"

namespace qamp::sim {

// What the receiver holds when it is switched on.
enum class StartState {
  kFactory,       // the factory settings
  kPlausible,     // random settings a receiver could hold, memories too
  kRandomDigits,  // every report field random characters of its kind (fuzz-style)
};

struct SimOptions {
  // The receiver itself.
  int region = 1;
  bool zone2 = true;
  bool zone3 = true;
  bool xm = true;
  bool aacDecoder = true;
  std::string model = "R0226";
  // Faults.
  bool silent = false;       // never answers
  int dropEveryNth = 0;      // every Nth answer frame is lost (0: none)
  int garbageBytes = 0;      // noise bytes sent in front of an answer frame
  int garbageEveryNth = 1;   // ... of every Nth answer frame
  int chunkSize = 0;         // answers split into chunks of this many bytes; -1: random 1..8
  bool guardWrites = false;  // refuses every parameter write (not selections) with a guarded answer
  std::vector<int> parameterErrorRows;  // read-request rows answered with a parameter error
  bool ctsOff = false;                  // the clear-to-send line is off
  int vanishAfterFrames = -1;           // the port disappears after this many frames (-1: never)
  int silentAfterFrames = -1;           // stops answering after this many frames (-1: never)
  int replyDelayMs = 0;                 // time before each answer starts
  bool wireTime = true;                 // characters take 10 bits each at 9600 baud
  unsigned seed = 1;
  StartState startState = StartState::kFactory;
  bool virtualTime = false;  // in-process only: the whole conversation runs at once
};

// Parses one option as the command line gives it ("no-zone2", "region=0",
// "drop=5", ...); false with a message when it is not one.
bool ApplySimOption(std::string_view option, SimOptions& options, std::string& error);
std::string_view SimOptionsHelp();

struct Emission {
  int64_t delayMs;  // after the request has arrived
  std::string bytes;
};

struct SimOutput {
  std::vector<Emission> emissions;
  bool vanished = false;
};

class CSimulatedReceiver {
 public:
  explicit CSimulatedReceiver(SimOptions options = {});

  // Bytes written by the link; what the receiver sends back.
  SimOutput Receive(std::string_view bytes);

  CSettingImage& State() { return state_; }
  const CSettingImage& State() const { return state_; }
  CSettingImage& Memory(int memory) { return memories_[static_cast<size_t>(memory - 1)]; }
  bool MemoryHasData(int memory) const { return memoryHasData_[static_cast<size_t>(memory - 1)]; }
  void SetMemoryHasData(int memory, bool has) {
    memoryHasData_[static_cast<size_t>(memory - 1)] = has;
  }
  const SimOptions& Options() const { return options_; }
  SimOptions& MutableOptions() { return options_; }

  // Every complete frame received, in order.
  const std::vector<std::string>& ReceivedFrames() const { return received_; }
  bool Vanished() const { return vanished_; }
  static double WireMsPerByte() { return 10.0 * 1000.0 / 9600.0; }

 private:
  std::vector<std::string> HandleFrame(const std::string& frame);
  std::vector<std::string> HandleStandard(std::string_view text);
  std::vector<std::string> HandleExtended(const std::string& frame);
  std::vector<std::string> HandleExtendedRead(std::string_view body);
  std::vector<std::string> HandleExtendedWrite(std::string_view body);
  std::vector<std::string> HandleMemoryCommand(std::string_view text, bool& handled);
  std::vector<std::string> HandleOperation(std::string_view text, bool& handled);
  std::vector<std::string> Reports(std::initializer_list<ParamId> ids) const;
  std::string Guarded(std::string frame) const;
  int ParameterErrorRowOf(std::string_view body) const;
  std::string ConfigurationReport() const;

  SimOptions options_;
  CSettingImage state_;
  std::array<CSettingImage, 6> memories_{};
  std::array<bool, 6> memoryHasData_{};
  std::string assembling_;
  bool inFrame_ = false;
  std::vector<std::string> received_;
  int answersSent_ = 0;
  bool vanished_ = false;
  std::mt19937 random_;
};

}  // namespace qamp::sim
