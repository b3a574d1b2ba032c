#include "sim/simulated_receiver.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "link/basic_control_commands.h"
#include "link/decode_report.h"
#include "link/memory_commands.h"
#include "link/read_request_table.h"
#include "link/report_decoding_table.h"
#include "link/wire_format.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "model/system_memory_content.h"
#include "model/vocabulary.h"
#include "sim/random_state.h"
#include "sim/report_encoder.h"

namespace qamp::sim {

namespace {

struct Operation {
  std::string text;  // the command text between STX and ETX
  ParamId id;
  int value;
};

void AddCodes(std::vector<Operation>& operations, std::string_view prefix, ParamId id,
              std::initializer_list<std::string_view> codes) {
  int value = 0;
  for (const std::string_view code : codes) {
    operations.push_back({std::string(prefix) + std::string(code), id, value++});
  }
}

template <size_t N>
void AddCodes(std::vector<Operation>& operations, std::string_view prefix, ParamId id,
              const std::array<std::string_view, N>& codes) {
  for (size_t value = 0; value < N; ++value) {
    operations.push_back(
        {std::string(prefix) + std::string(codes[value]), id, static_cast<int>(value)});
  }
}

// The receiver's operation commands: which setting each one changes.
const std::vector<Operation>& Operations() {
  static const std::vector<Operation> operations = [] {
    std::vector<Operation> list;
    list.reserve(kInputCount);
    for (int input = 0; input < kInputCount; ++input) {
      list.push_back(
          {"07A" + std::string(kInputs[static_cast<size_t>(input)].selectCode), 1, input});
    }
    AddCodes(list, "07E", 2, kAudioSelectCodes);
    AddCodes(list, "07E", 3, kDecoderModeCodes);
    for (int program = 0; program <= kStraightProgram; ++program) {
      const std::string_view code = kPrograms[static_cast<size_t>(program)].selectCode;
      list.push_back(
          {code.empty() ? std::string(kSevenChEnhancerCommand) : "07E" + std::string(code), 4,
           program});
    }
    AddCodes(list, "07E", 5, kExtdSurroundCodes);
    AddCodes(list, "07EA", 7, {"3", "2"});
    AddCodes(list, "07E", 8, {"82", "80"});
    AddCodes(list, "07E7", 9, {"F", "E"});
    AddCodes(list, "07EB", 10, {"B", "A"});
    AddCodes(list, "07AE", 11, {"E", "D"});
    AddCodes(list, "07A", 12, kZone2InputCodes);
    AddCodes(list, "07EA", 16, {"1", "0"});
    AddCodes(list, "07A", 17, kZone3InputCodes);
    AddCodes(list, "07E", 21, {"66", "26"});
    AddCodes(list, "07E3", 300, {"2", "3", "1", "4"});
    AddCodes(list, "07E9", 338, {"6", "7", "F", "8"});
    AddCodes(list, "07EB", 526, {"0", "1", "2"});
    return list;
  }();
  return operations;
}

constexpr std::pair<std::string_view, std::string_view> kReportedUnderAnotherCode[] = {
    {"30", "26"}, {"31", "27"}, {"34", "A2"},                // main, Zone 2 and Zone 3 volume
    {"45", "47"}, {"46", "48"}, {"47", "45"}, {"48", "46"},  // PRR, PRL, SBR, SBL levels
};

// Memory kinds: the words a load or save copies, and the report that
// confirms the command.
struct MemoryKindInfo {
  MemoryKind kind;
  int word;  // the volume word; unused for System
  std::string_view loadReport;
  std::string_view saveReport;
  ParamId valueId;  // the value the receiver reports after a load
};
constexpr std::array<MemoryKindInfo, 4> kMemoryKinds = {{
    {MemoryKind::kSystem, 0, "0030", "0031", 0},
    {MemoryKind::kVolume, 6, "0032", "0033", 6},
    {MemoryKind::kZone2Volume, 16, "0037", "0038", 15},
    {MemoryKind::kZone3Volume, 21, "00A3", "00A4", 20},
}};

}  // namespace

CSimulatedReceiver::CSimulatedReceiver(SimOptions options)
    : options_(std::move(options)), random_(options_.seed) {
  ResetImage(state_, 0, options_.region);
  for (int memory = 1; memory <= 6; ++memory) ResetImage(Memory(memory), memory, options_.region);
  if (options_.startState == StartState::kPlausible) {
    PlausibleState plausible(options_.region);
    // A receiver without the AAC decoder mode never has it chosen.
    const auto fill = [&](CSettingImage& image, unsigned seed) {
      plausible.Fill(image, seed);
      if (!options_.aacDecoder && image[3] == 2) image[3] = 0;  // "AAC(J Only)" to "Auto"
    };
    fill(state_, options_.seed);
    for (int memory = 1; memory <= 6; ++memory) {
      fill(Memory(memory), options_.seed + static_cast<unsigned>(memory));
      SetMemoryHasData(memory, memory % 2 == 1);
    }
  } else if (options_.startState == StartState::kRandomDigits) {
    RandomizeImage(state_, options_.seed);
    for (int memory = 1; memory <= 6; ++memory) {
      RandomizeImage(Memory(memory), options_.seed + static_cast<unsigned>(memory));
      SetMemoryHasData(memory, memory % 2 == 1);
    }
  }
}

SimOutput CSimulatedReceiver::Receive(std::string_view bytes) {
  SimOutput output;
  if (vanished_) {
    output.vanished = true;
    return output;
  }
  for (const char c : bytes) {
    if (c == kStx || c == kDc4) {
      assembling_.assign(1, c);
      inFrame_ = true;
      continue;
    }
    if (!inFrame_) continue;
    assembling_.push_back(c);
    if (c != kEtx) {
      if (assembling_.size() > 512) inFrame_ = false;
      continue;
    }
    inFrame_ = false;
    received_.push_back(assembling_);
    if (options_.vanishAfterFrames >= 0 &&
        static_cast<int>(received_.size()) > options_.vanishAfterFrames) {
      vanished_ = true;
      output.vanished = true;
      return output;
    }
    if (options_.silent) continue;
    if (options_.silentAfterFrames >= 0 &&
        static_cast<int>(received_.size()) > options_.silentAfterFrames) {
      continue;
    }
    int64_t delay = options_.replyDelayMs;
    for (std::string& answer : HandleFrame(assembling_)) {
      ++answersSent_;
      if (options_.dropEveryNth > 0 && answersSent_ % options_.dropEveryNth == 0) continue;
      if (options_.garbageBytes > 0 && answersSent_ % std::max(1, options_.garbageEveryNth) == 0) {
        std::string noise;
        std::uniform_int_distribution<int> printable('!', '~');
        for (int i = 0; i < options_.garbageBytes; ++i)
          noise.push_back(static_cast<char>(printable(random_)));
        output.emissions.push_back({delay, noise});
      }
      if (options_.chunkSize == 0) {
        output.emissions.push_back({delay, std::move(answer)});
        continue;
      }
      std::uniform_int_distribution<int> randomChunk(1, 8);
      for (size_t at = 0; at < answer.size();) {
        const size_t size =
            static_cast<size_t>(options_.chunkSize > 0 ? options_.chunkSize : randomChunk(random_));
        output.emissions.push_back({delay, answer.substr(at, size)});
        at += size;
        ++delay;  // the pieces arrive one after the other
      }
    }
  }
  return output;
}

std::vector<std::string> CSimulatedReceiver::HandleFrame(const std::string& frame) {
  if (frame.front() == kStx)
    return HandleStandard(std::string_view(frame).substr(1, frame.size() - 2));
  return HandleExtended(frame);
}

std::string CSimulatedReceiver::ConfigurationReport() const {
  return BuildConfigurationReport(state_, options_.model);
}

std::vector<std::string> CSimulatedReceiver::Reports(std::initializer_list<ParamId> ids) const {
  std::vector<std::string> reports;
  for (const ParamId id : ids) {
    if (auto report = EncodeReportOf(id, state_)) reports.push_back(std::move(*report));
  }
  return reports;
}

std::string CSimulatedReceiver::Guarded(std::string frame) const {
  if (frame.size() > 2 && frame[0] == kStx) frame[2] = '1';
  return frame;
}

std::vector<std::string> CSimulatedReceiver::HandleStandard(std::string_view text) {
  if (text == "20000") return {ConfigurationReport()};
  if (text == "07A1D" || text == "FFFFF") return {};
  bool handled = false;
  std::vector<std::string> answer = HandleMemoryCommand(text, handled);
  if (handled) return answer;
  answer = HandleOperation(text, handled);
  if (handled) return answer;
  if (text.size() >= 4 && text.front() == '2') {
    // A system parameter write "2", code, data: the receiver reports the
    // parameter with the same code, except for the volumes and the surround
    // back and presence levels, which it reports under codes of their own.
    std::string code(text.substr(1, 2));
    for (const auto& [written, reported] : kReportedUnderAnotherCode) {
      if (code == written) {
        code = reported;
        break;
      }
    }
    std::string data(text.substr(3));
    for (char& c : data) {
      if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    }
    if (data.size() == 1) data.insert(data.begin(), '0');
    const std::string report = FrameStandard("00" + code + data.substr(0, 2));
    const DecodedReport decoded = DecodeReport(report);
    if (!decoded.recognised || decoded.values.empty()) return {};
    if (options_.guardWrites) {
      std::vector<std::string> unchanged;
      for (const ReportValue& value : decoded.values) {
        if (auto current = EncodeReportOf(value.id, state_)) unchanged.push_back(Guarded(*current));
      }
      return unchanged;
    }
    StoreReportValues(state_, decoded.values);
    return {report};
  }
  return {};
}

std::vector<std::string> CSimulatedReceiver::HandleMemoryCommand(std::string_view text,
                                                                 bool& handled) {
  handled = false;
  for (const MemoryKindInfo& info : kMemoryKinds) {
    for (int memory = 1; memory <= 6; ++memory) {
      const std::string load = MemoryLoadCommand(info.kind, memory);
      const std::string save = MemorySaveCommand(info.kind, memory);
      const bool isLoad = text == std::string_view(load).substr(1, load.size() - 2);
      const bool isSave = text == std::string_view(save).substr(1, save.size() - 2);
      if (!isLoad && !isSave) continue;
      handled = true;
      CSettingImage& stored = Memory(memory);
      if (info.kind == MemoryKind::kSystem) {
        if (isLoad) {
          CopySystemMemoryContent(stored, state_);
          return {ConfigurationReport()};
        }
        CopySystemMemoryContent(state_, stored);
        SetMemoryHasData(memory, true);
        return {FrameStandard(std::string(info.saveReport) + "00")};
      }
      if (isLoad) {
        // The new volume first, then the confirmation of the load.
        state_[info.word] = stored[info.word];
        std::vector<std::string> answer = Reports({info.valueId});
        answer.push_back(FrameStandard(std::string(info.loadReport) + "00"));
        return answer;
      }
      stored[info.word] = state_[info.word];
      return {FrameStandard(std::string(info.saveReport) + "00")};
    }
  }
  return {};
}

std::vector<std::string> CSimulatedReceiver::HandleOperation(std::string_view text, bool& handled) {
  handled = false;
  for (const Operation& operation : Operations()) {
    if (operation.text != text) continue;
    handled = true;
    if (operation.id == 3 && operation.value == 2 && !options_.aacDecoder) {
      // A receiver without the AAC decoder mode refuses it.
      std::vector<std::string> unchanged;
      if (auto current = EncodeReportOf(3, state_)) unchanged.push_back(Guarded(*current));
      return unchanged;
    }
    StoreParameter(state_, operation.id, operation.value);
    const int record = kInputDspFirstWord + 2 * InputDspRecordOfInput(state_[1]);
    switch (operation.id) {
      case 1:
        // An input plays the program its record assigns.
        state_[4] = state_[record + 1] != 0 ? kStraightProgram : state_[record];
        return Reports({1, 4});
      case 4:
        if (state_[1] >= 0 && state_[1] < kInputCount) {
          if (operation.value == kStraightProgram) {
            state_[record + 1] = 1;
          } else {
            state_[record] = operation.value;
            state_[record + 1] = 0;
          }
        }
        return Reports({4});
      case 9:
        return Reports({9});
      case 10:
        return Reports({10, 12, 15, 16, 14});  // a zone reports its state when switched
      case 11:
        return Reports({11, 17, 20, 21, 19});
      default:
        return Reports({operation.id});
    }
  }
  return {};
}

int CSimulatedReceiver::ParameterErrorRowOf(std::string_view body) const {
  if (options_.parameterErrorRows.empty()) return -1;
  std::string reply = FrameExtended(std::string(1, kDc4) + std::string(body));
  if (reply.size() > 8) reply[8] = '0';
  for (const int row : options_.parameterErrorRows) {
    if (row < 0 || row >= kReadRequestRows) continue;
    const ReadRequestRow& entry = kReadRequestTable[static_cast<size_t>(row)];
    // A read names the row by its request, a write by its answer's shape.
    if (std::string_view(std::string(1, kDc4) + std::string(body)) == entry.request) return row;
    if (std::string_view(reply).substr(5).starts_with(entry.reply1.substr(5))) return row;
  }
  return -1;
}

std::vector<std::string> CSimulatedReceiver::HandleExtended(const std::string& frame) {
  // DC4, body, two checksum characters, ETX. A frame whose checksum does not
  // add up is not answered.
  if (frame.size() < 8) return {};
  const std::string_view body = std::string_view(frame).substr(1, frame.size() - 4);
  if (ChecksumText(body) != std::string_view(frame).substr(frame.size() - 3, 2)) return {};
  if (body.size() < 8 || body.substr(0, 2) != "20") return {};
  if (ParameterErrorRowOf(body) >= 0) {
    std::string refused(body.substr(0, 7));
    refused.push_back('4');
    refused.append(body.substr(8, body.size() - 8));
    return {FrameExtended(std::string(1, kDc4) + refused)};
  }
  if (body[7] == '0') return HandleExtendedRead(body);
  if (body[7] == '1') return HandleExtendedWrite(body);
  return {};
}

std::vector<std::string> CSimulatedReceiver::HandleExtendedRead(std::string_view body) {
  const std::string address(body.substr(4));
  auto answer = [](std::string_view header, const std::string& rest) {
    return FrameExtended(std::string(1, kDc4) + std::string(header) + rest);
  };
  // What the receiver tells about itself.
  if (address == "00001")
    return {answer("200A", address + "00" + std::to_string(options_.region) + "00")};
  if (address == "00000") return {answer("2008", address + (options_.zone2 ? "100" : "000"))};
  if (address == "00007") return {answer("2008", address + (options_.zone3 ? "100" : "000"))};
  if (address == "0000A") return {answer("2006", address + (options_.xm ? "1" : "0"))};
  if (address == "00004") {
    const std::string pairs = std::string("3") + "3" + (options_.aacDecoder ? "1" : "0") + "2110";
    return {answer("2014", address + pairs + std::string(15 - pairs.size(), '0'))};
  }
  if (address == "0000F") return {answer("200F", address + "0000000000")};
  if (address.starts_with("070") && address.size() == 5 && address[4] >= '0' && address[4] <= '5') {
    const int memory = address[4] - '0' + 1;
    return {answer("2006", address + (MemoryHasData(memory) ? "1" : "0"))};
  }
  // Everything else answers with the row of the decoding table whose
  // address is the request's.
  for (int row = 0; row < kDecodingRowCount; ++row) {
    const std::string_view prefix = kReportDecodingTable[static_cast<size_t>(row)].prefix;
    if (prefix.front() != kDc4 || prefix.size() < 5) continue;
    if (!prefix.substr(5).starts_with(address)) continue;
    if (auto frame = EncodeRow(row, state_)) return {*frame};
  }
  return {};
}

std::vector<std::string> CSimulatedReceiver::HandleExtendedWrite(std::string_view body) {
  // A write has the shape of the answer to the matching read.
  std::string reply = std::string(1, kDc4) + std::string(body);
  reply[8] = '0';
  DecodedReport decoded = DecodeReport(FrameExtended(reply));
  if (!decoded.recognised) {
    // Channel and value digits may come in lower case.
    for (char& c : reply) {
      if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    }
    decoded = DecodeReport(FrameExtended(reply));
  }
  if (!decoded.recognised || decoded.values.empty()) {
    reply[8] = '4';  // an address the receiver does not know
    return {FrameExtended(reply)};
  }
  if (options_.guardWrites) {
    reply[8] = '1';
    return {FrameExtended(reply)};
  }
  StoreReportValues(state_, decoded.values);
  // The receiver answers with the value it now holds.
  if (auto normalised = EncodeRow(decoded.row, state_)) return {*normalised};
  return {FrameExtended(reply)};
}

bool ApplySimOption(std::string_view option, SimOptions& options, std::string& error) {
  auto number = [&](std::string_view text, int& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
      error = "option '" + std::string(option) + "' needs a whole number";
      return false;
    }
    return true;
  };
  const size_t equals = option.find('=');
  const std::string_view name = option.substr(0, equals);
  const std::string_view value =
      equals == std::string_view::npos ? std::string_view() : option.substr(equals + 1);
  int n = 0;
  if (name == "no-zone2") {
    options.zone2 = false;
  } else if (name == "no-zone3") {
    options.zone3 = false;
  } else if (name == "no-xm") {
    options.xm = false;
  } else if (name == "no-aac") {
    options.aacDecoder = false;
  } else if (name == "region") {
    if (!number(value, n)) return false;
    if (n < 0 || n > 3) {
      error = "region must be 0, 1, 2 or 3";
      return false;
    }
    options.region = n;
  } else if (name == "model") {
    options.model = std::string(value);
  } else if (name == "silent") {
    options.silent = true;
  } else if (name == "drop") {
    if (!number(value, n)) return false;
    options.dropEveryNth = n;
  } else if (name == "garbage") {
    if (!number(value, n)) return false;
    options.garbageBytes = n;
  } else if (name == "garbage-every") {
    if (!number(value, n) || n < 1) {
      error = "garbage-every needs a number of at least 1";
      return false;
    }
    options.garbageEveryNth = n;
  } else if (name == "chunks") {
    if (value == "random") {
      options.chunkSize = -1;
    } else {
      if (!number(value, n)) return false;
      options.chunkSize = n;
    }
  } else if (name == "guard") {
    options.guardWrites = true;
  } else if (name == "param-error") {
    if (!number(value, n)) return false;
    options.parameterErrorRows.push_back(n);
  } else if (name == "cts-off") {
    options.ctsOff = true;
  } else if (name == "vanish") {
    if (!number(value, n)) return false;
    options.vanishAfterFrames = n;
  } else if (name == "silent-after") {
    if (!number(value, n)) return false;
    options.silentAfterFrames = n;
  } else if (name == "delay") {
    if (!number(value, n)) return false;
    options.replyDelayMs = n;
  } else if (name == "no-wire-time") {
    options.wireTime = false;
  } else if (name == "virtual-time") {
    options.virtualTime = true;
  } else if (name == "random-state") {
    options.startState = StartState::kPlausible;
  } else if (name == "random-digits") {
    options.startState = StartState::kRandomDigits;
  } else if (name == "seed") {
    if (!number(value, n)) return false;
    options.seed = static_cast<unsigned>(n);
  } else {
    error = "unknown simulator option '" + std::string(option) + "'";
    return false;
  }
  return true;
}

std::string_view SimOptionsHelp() {
  return "Receiver options:\n"
         "  region=N        region code 0..3 (default 1)\n"
         "  no-zone2, no-zone3, no-xm, no-aac\n"
         "                  a receiver without Zone 2, Zone 3, the XM tuner or the AAC decoder "
         "mode\n"
         "  model=ID        answer as another model (the link refuses anything but R0226)\n"
         "Faults:\n"
         "  silent          never answer\n"
         "  drop=N          lose every Nth answer\n"
         "  garbage=N       send N noise bytes in front of every answer\n"
         "  garbage-every=K ... of every Kth answer only (default 1)\n"
         "  chunks=N|random split answers into chunks of N (or 1..8) bytes\n"
         "  guard           refuse every parameter write with a guarded answer\n"
         "  param-error=ROW answer read-request row ROW (and writes to it) with a parameter error\n"
         "  cts-off         hold the clear-to-send line off\n"
         "  vanish=N        the port disappears after N frames (an adapter pulled)\n"
         "  silent-after=N  stop answering after N frames\n"
         "  delay=MS        wait MS milliseconds before each answer\n"
         "  no-wire-time    deliver at once instead of at 9600 baud\n"
         "  random-state    start with random settings a receiver could hold (memories too)\n"
         "  random-digits   start with every report field random characters of its kind\n"
         "                  (values the program may refuse: for fuzz-style tests)\n"
         "  virtual-time    (built-in port 'sim' only) run in simulated time: a transfer that "
         "takes\n"
         "                  minutes with a receiver is over at once\n"
         "  seed=N          seed of the random choices\n";
}

}  // namespace qamp::sim
