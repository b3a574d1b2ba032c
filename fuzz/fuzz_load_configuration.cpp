// LoadConfiguration of an arbitrary file text through the application
// object, then SaveConfiguration and LoadConfiguration again.
//
// The first byte chooses the mode (bit 0: Real Time) and the region
// (bits 1-2); the rest is the file's text.
//
// Checked:
// - a text that is not taken for a configuration file changes nothing;
// - the file saved after loading, loaded into a fresh application, gives
//   the same seven images, memo and memory flags: what a file sets survives
//   being saved;
// - the memo stays within its limit;
// - the configuration report of the loaded setting can be built.
#include <string>

#include "fuzz_support.h"
#include "offline_app.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qamp;
  using namespace qamp::fuzz;
  ByteReader input(data, size);
  const AppSetup setup(input.Byte());
  const std::string text = input.Rest();

  OfflineApp first(setup);
  const bool taken = first.App().LoadConfigurationText(text);
  QAMP_FUZZ_CHECK(first.Link().UserMemo().size() <= kUserMemoLimit);
  QAMP_FUZZ_CHECK(first.Link().CurrentSlot() == 0);
  const std::string saved = first.App().SaveConfigurationText();

  OfflineApp second(setup);
  if (!taken) {
    // A text that is no configuration file changes nothing.
    QAMP_FUZZ_CHECK(second.App().SaveConfigurationText() == saved);
    return 0;
  }
  QAMP_FUZZ_CHECK(second.App().LoadConfigurationText(saved));
  for (int slot = 0; slot < kImageSlots; ++slot) {
    QAMP_FUZZ_CHECK(second.Link().Image(slot) == first.Link().Image(slot));
  }
  QAMP_FUZZ_CHECK(second.Link().UserMemo() == first.Link().UserMemo());
  for (int memory = 1; memory < kImageSlots; ++memory) {
    QAMP_FUZZ_CHECK(second.Link().DataExists(memory) == first.Link().DataExists(memory));
  }

  const std::string report = first.App().Report();
  QAMP_FUZZ_CHECK(!report.empty());
  return 0;
}
