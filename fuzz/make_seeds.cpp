// Writes the seed corpora of the fuzz targets from real frames and texts:
// what the simulated receiver answers, the reports it builds, and the
// configuration files and page texts of its states.
//
//   qamp_fuzz_seeds DIR     writes DIR/<target>/<name> for every target
//
// The committed corpora under fuzz/corpus were made with it; run it again
// after the frames or the texts change.
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "link/report_decoding_table.h"
#include "link_driver.h"
#include "model/image_defaults.h"
#include "model/ini_file.h"
#include "offline_app.h"
#include "sim/random_state.h"
#include "sim/report_encoder.h"
#include "sim/simulated_receiver.h"

namespace qamp::fuzz {
namespace {

namespace fs = std::filesystem;

void WriteSeed(const fs::path& dir, const std::string& name, std::string_view bytes) {
  fs::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A conversation with the simulated receiver, recorded as the operations of
// a receive-assembly input: every pause ends at once, the answers arrive in
// chunks of `chunk` characters, and the settle and answer timers fire when
// nothing else is left to do.
std::string RecordConversation(Scenario scenario, uint16_t choice, const sim::SimOptions& options,
                               size_t chunk, size_t limit) {
  sim::CSimulatedReceiver receiver(options);
  if (options.startState == sim::StartState::kRandomDigits)
    sim::RandomizeImage(receiver.State(), options.seed);
  LinkDriver driver(scenario, 0);
  std::string answers;
  driver.Transport().onWrite = [&](std::string_view bytes) {
    for (const sim::Emission& emission : receiver.Receive(bytes).emissions)
      answers += emission.bytes;
  };
  std::string input;
  input.push_back(static_cast<char>(scenario));
  input.push_back('\0');
  input.push_back(static_cast<char>(choice >> 8));
  input.push_back(static_cast<char>(choice & 0xFF));
  driver.Start(choice);
  while (input.size() < limit) {
    if (driver.Running(kPacingTimer)) {
      input.push_back(static_cast<char>(kEndPausesTag));
      driver.EndPauses();
      continue;
    }
    if (!answers.empty()) {
      const std::string part = answers.substr(0, chunk);
      answers.erase(0, part.size());
      input.push_back(static_cast<char>(part.size() - 1));
      input += part;
      driver.Deliver(part);
      continue;
    }
    int timer = -1;
    for (const int candidate : {static_cast<int>(kSettleTimer), static_cast<int>(kReplyTimer)}) {
      if (timer < 0 && driver.Running(candidate)) timer = candidate;
    }
    if (timer < 0) break;
    input.push_back(static_cast<char>(kFirstTimerTag + timer));
    driver.Fire(timer);
  }
  return input;
}

void ReceiveAssemblySeeds(const fs::path& dir) {
  sim::SimOptions plain;
  sim::SimOptions varied;
  varied.startState = sim::StartState::kRandomDigits;
  varied.seed = 7;
  varied.zone3 = false;
  varied.region = 0;
  const std::vector<std::pair<std::string, Scenario>> scenarios = {
      {"connect", Scenario::kConnect},
      {"upload", Scenario::kUpload},
      {"download", Scenario::kDownload},
      {"upload-reads", Scenario::kUploadReads},
      {"download-answers", Scenario::kDownloadAnswers}};
  for (const auto& [name, scenario] : scenarios) {
    WriteSeed(dir, name, RecordConversation(scenario, 0, plain, 240, 3000));
    WriteSeed(dir, name + "-varied", RecordConversation(scenario, 0, varied, 7, 3000));
  }
  // One real-time parameter of several pages, each answered.
  for (const int choice : {5, 40, 120, 300, 520, 700, 900}) {
    WriteSeed(
        dir, "sending-" + std::to_string(choice),
        RecordConversation(Scenario::kSending, static_cast<uint16_t>(choice), plain, 240, 3000));
  }
}

void DecodeReportSeeds(const fs::path& dir) {
  CSettingImage image;
  ResetImage(image, 0, kDefaultRegionCode);
  sim::RandomizeImage(image, 3);
  int written = 0;
  for (int row = 0; row < kDecodingRowCount && written < 40; row += 17) {
    // The next row from here that can carry the image's values.
    for (int candidate = row; candidate < kDecodingRowCount && candidate < row + 17; ++candidate) {
      const std::optional<std::string> frame = sim::EncodeRow(candidate, image);
      if (!frame) continue;
      WriteSeed(dir, "row-" + std::to_string(candidate), *frame);
      ++written;
      break;
    }
  }
}

void ConfigurationReportSeeds(const fs::path& dir) {
  CSettingImage plain;
  ResetImage(plain, 0, kDefaultRegionCode);
  CSettingImage varied = plain;
  sim::RandomizeImage(varied, 11);
  const std::string a = sim::BuildConfigurationReport(plain);
  const std::string b = sim::BuildConfigurationReport(varied);
  WriteSeed(dir, "frame-defaults", std::string(1, '\0') + a);
  WriteSeed(dir, "frame-varied", std::string(1, '\0') + b);
  WriteSeed(dir, "frame-other-model",
            std::string(1, '\0') + sim::BuildConfigurationReport(varied, "R0225"));
  WriteSeed(dir, "characters-varied",
            std::string(1, '\1') + b.substr(kConfigurationOffset, kConfigurationCharacters));
}

std::string SavedConfiguration(ControlMode mode, int region, unsigned seed) {
  OfflineApp offline(mode, region);
  for (int slot = 0; slot < kImageSlots; ++slot)
    sim::RandomizeImage(offline.Link().Image(slot), seed + static_cast<unsigned>(slot));
  offline.Link().SetUserMemo("Living room\r\nsecond line");
  offline.Link().SetDataExists(2, true);
  return offline.App().SaveConfigurationText();
}

// The file cut at section starts into pieces of about `size` bytes.
std::vector<std::string> Pieces(const std::string& text, size_t size) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start + size;
    if (end >= text.size()) {
      end = text.size();
    } else {
      const size_t section = text.find("\r\n[", end);
      end = section == std::string::npos ? text.size() : section + 2;
    }
    pieces.push_back(text.substr(start, end - start));
    start = end;
  }
  return pieces;
}

void FileSeeds(const fs::path& iniDir, const fs::path& loadDir) {
  const std::string saved = SavedConfiguration(ControlMode::kAsync, 1, 21);
  const std::vector<std::string> pieces = Pieces(saved, 6000);
  for (size_t i = 0; i < pieces.size(); i += 2) {
    WriteSeed(loadDir, "piece-" + std::to_string(i),
              std::string(1, static_cast<char>(i % 8)) + pieces[i]);
  }
  const std::vector<std::string> small = Pieces(saved, 1200);
  for (size_t i = 0; i < small.size() && i < 60; i += 12) {
    WriteSeed(iniDir, "piece-" + std::to_string(i),
              small[i] +
                  "\n\x01\nSpeaker Set\x02"
                  "Front\x02  Small \nUser Memo\x02User Memo\x02\"a\r\nb\"");
  }
  WriteSeed(
      iniDir, "hand-written",
      "; by hand\n[speaker set]\nfront = Large \n[I/O Assign]\r\n[A] Component IN 1=DVD\r\n"
      "[A] Component IN 1=VCR\r\n[Input Rename]\r\nPHONO=\"  PHONO  \"\r\n[]\n=\n[a]b]\nk=v\n");
}

void PageTextSeeds(const fs::path& dir) {
  OfflineApp offline(ControlMode::kAsync, 1);
  CSettingImage image = offline.Link().Image(0);
  sim::RandomizeImage(image, 5);
  const std::vector<CBasePage*> pages = EveryPage(offline.Pages());
  for (size_t p = 0; p < pages.size(); ++p) {
    std::vector<ParamId> ids;
    std::vector<int> subIndices;
    pages[p]->GetParamList(ids, subIndices, true, kWholeList);
    // Async Mode, region 1, one of the arbitrary receiver states.
    std::string lines(1, '\x0A');
    lines.push_back(static_cast<char>(p & 15));
    const size_t step = ids.size() > 12 ? ids.size() / 12 : 1;
    for (size_t i = 0; i < ids.size(); i += step) {
      std::string value;
      pages[p]->GetParamText(image, ids[i], i < subIndices.size() ? subIndices[i] : -1, nullptr,
                             nullptr, &value, false);
      MemoryIniFile file;
      file.Write("S", "K", value);
      const std::string text = MemoryIniFile::Parse(file.Serialize()).Read("S", "K").value_or("");
      // Bytes that choose the same page and parameter without a line feed.
      size_t choice = i;
      while ((choice & 0xFF) == '\n' || (choice >> 8) == '\n') choice += ids.size();
      lines += '\n';
      lines.push_back(static_cast<char>(p + 2 * pages.size()));
      lines.push_back(static_cast<char>(choice >> 8));
      lines.push_back(static_cast<char>(choice & 0xFF));
      lines += text;
    }
    std::string name = pages[p]->Caption();
    for (char& c : name) {
      if (!std::isalnum(static_cast<unsigned char>(c))) c = '-';
    }
    WriteSeed(dir, name, lines);
  }
}

}  // namespace
}  // namespace qamp::fuzz

int main(int argc, char** argv) {
  using namespace qamp::fuzz;
  if (argc != 2) {
    std::cerr << "usage: qamp_fuzz_seeds DIR\n";
    return 2;
  }
  const fs::path dir = argv[1];
  ReceiveAssemblySeeds(dir / "fuzz_receive_assembly");
  DecodeReportSeeds(dir / "fuzz_decode_report");
  ConfigurationReportSeeds(dir / "fuzz_configuration_report");
  FileSeeds(dir / "fuzz_ini_reader", dir / "fuzz_load_configuration");
  PageTextSeeds(dir / "fuzz_page_text");
  return 0;
}
