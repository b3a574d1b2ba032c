// SetParamFromText and GetParamText of the basic control and every page,
// the hidden ones included.
//
// The first byte chooses the mode (bit 0: Real Time), the region (bits 1-2)
// and whether the image starts from the defaults or from one of sixteen
// arbitrary valid receiver states (bit 3; the next byte chooses which). Then each line is
// one edit: a byte for the page (bit 7: the list the page downloads instead
// of the one files use), two for the parameter in the page's list, then the
// text.
//
// Checked for each edit:
// - a refused text leaves the image as it was;
// - an accepted text is stored so that the parameter has a text again, and
//   that text, written to a configuration file and read back, is accepted
//   and leaves the image as it is;
// - giving the same text twice changes nothing the second time;
// and at the end every page edited describes the image for the report.
#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "model/ini_file.h"
#include "offline_app.h"
#include "sim/random_state.h"

namespace qamp::fuzz {
namespace {

constexpr std::string_view kUnset = "\x01(no text)";

// A value as a configuration file gives it back: written, saved, parsed and
// read (quotes removed, blanks around it trimmed).
std::string ThroughFile(std::string_view value) {
  MemoryIniFile file;
  file.Write("Section", "Key", value);
  return MemoryIniFile::Parse(file.Serialize()).Read("Section", "Key").value_or("");
}

// What was edited, for the report of a broken invariant.
void Describe(CBasePage& page, ParamId id, int subIndex, std::string_view text,
              std::string_view shown) {
  std::fprintf(stderr, "page \"%s\", parameter %d/%d, text \"%.*s\", shown as \"%.*s\"\n",
               page.Caption().c_str(), id, subIndex, static_cast<int>(text.size()), text.data(),
               static_cast<int>(shown.size()), shown.data());
}

void Edit(CBasePage& page, CSettingImage& image, ParamId id, int subIndex, std::string_view text) {
  const CSettingImage before = image;
  if (!page.SetParamFromText(image, id, subIndex, text)) {
    QAMP_FUZZ_CHECK(image == before);
    return;
  }
  // The same text again: nothing more changes.
  CSettingImage twice = image;
  QAMP_FUZZ_CHECK(page.SetParamFromText(twice, id, subIndex, text));
  QAMP_FUZZ_CHECK(twice == image);

  std::string section;
  std::string key;
  std::string value(kUnset);
  page.GetParamText(image, id, subIndex, &section, &key, &value, false);
  if (value == kUnset) Describe(page, id, subIndex, text, value);
  QAMP_FUZZ_CHECK(value != kUnset);
  QAMP_FUZZ_CHECK(!section.empty() && !key.empty());
  CSettingImage again = image;
  const bool accepted = page.SetParamFromText(again, id, subIndex, ThroughFile(value));
  if (!accepted || !(again == image)) Describe(page, id, subIndex, text, value);
  QAMP_FUZZ_CHECK(accepted);
  QAMP_FUZZ_CHECK(again == image);

  std::string reportValue;
  page.GetParamText(image, id, subIndex, nullptr, nullptr, &reportValue, true);
}

}  // namespace
}  // namespace qamp::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qamp;
  using namespace qamp::fuzz;
  ByteReader input(data, size);
  const uint8_t setup = input.Byte();
  // Building the pages costs more than many edits: one application for each
  // mode and region serves every input. The edits work on an image of
  // their own and leave the pages as they were.
  static std::array<std::unique_ptr<OfflineApp>, 8> apps;
  std::unique_ptr<OfflineApp>& app = apps[setup & 7];
  if (app == nullptr) app = std::make_unique<OfflineApp>(AppSetup(setup));
  OfflineApp& offline = *app;
  CSettingImage image = offline.Link().Image(0);
  if ((setup & 8) != 0) {
    // Sixteen receiver states, each made once.
    static std::array<std::unique_ptr<CSettingImage>, 8 * 16> states;
    std::unique_ptr<CSettingImage>& state = states[(setup & 7) * 16 + (input.Byte() & 15)];
    if (state == nullptr) {
      state = std::make_unique<CSettingImage>(image);
      sim::RandomizeImage(*state, static_cast<unsigned>(&state - states.data()));
    }
    image = *state;
  }

  const std::vector<CBasePage*> pages = EveryPage(offline.Pages());
  std::vector<CBasePage*> edited;
  const std::string rest = input.Rest();
  size_t at = 0;
  while (at < rest.size()) {
    size_t end = rest.find('\n', at);
    if (end == std::string::npos) end = rest.size();
    const std::string_view line = std::string_view(rest).substr(at, end - at);
    at = end + 1;
    if (line.size() < 3) continue;
    const auto pageByte = static_cast<uint8_t>(line[0]);
    CBasePage& page = *pages[(pageByte & 0x7F) % pages.size()];
    std::vector<ParamId> ids;
    std::vector<int> subIndices;
    page.GetParamList(ids, subIndices, (pageByte & 0x80) == 0, kWholeList);
    if (ids.empty()) continue;
    const size_t choice =
        (static_cast<size_t>(static_cast<uint8_t>(line[1])) << 8 | static_cast<uint8_t>(line[2])) %
        ids.size();
    const int subIndex = choice < subIndices.size() ? subIndices[choice] : -1;
    Edit(page, image, ids[choice], subIndex, line.substr(3));
    if (std::find(edited.begin(), edited.end(), &page) == edited.end()) edited.push_back(&page);
  }

  for (CBasePage* page : edited) page->BuildReportText(image);
  return 0;
}
