// A receiver state with arbitrary valid values: every report row is filled
// with random characters of its kind and decoded into the image. Tests and
// demonstrations use it so that a transfer has something to reproduce.
#pragma once

#include "model/setting_image.h"

namespace qamp::sim {

void RandomizeImage(CSettingImage& image, unsigned seed);

}  // namespace qamp::sim
