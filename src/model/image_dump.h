// The stored values of an image by parameter ID, one per line: ID=VALUE for
// words, ID="TEXT" for texts, ID[KEY]=VALUE for the keyed equaliser records.
#pragma once

#include <string>

#include "model/setting_image.h"

namespace qamp {

std::string DumpImage(const CSettingImage& image);

}  // namespace qamp
