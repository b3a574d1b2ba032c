// Random receiver states. Tests and demonstrations use them so that a
// transfer has something to reproduce and a new user sees a receiver that
// has been set up.
#pragma once

#include <memory>

#include "model/setting_image.h"

namespace qamp::sim {

// Every report row filled with random characters of its kind and decoded
// into the image: values anywhere in the range the wire can carry, texts of
// random letters. What a fuzz-style test wants, not what a receiver holds.
void RandomizeImage(CSettingImage& image, unsigned seed);

// A configuration a real receiver could hold: every value one its page
// offers (in range, on its step), printable names, tuner presets the
// region's tuner can receive, the rules one choice forces on another
// applied, and the current program the one the current input's Input DSP
// record names. The pages decide what is valid; this only chooses among it.
class PlausibleState {
 public:
  explicit PlausibleState(int regionCode);
  ~PlausibleState();
  PlausibleState(const PlausibleState&) = delete;
  PlausibleState& operator=(const PlausibleState&) = delete;

  // Overwrites the image's settings (word 0, the slot, stays).
  void Fill(CSettingImage& image, unsigned seed);

 private:
  struct Pages;
  std::unique_ptr<Pages> pages_;
};

}  // namespace qamp::sim
