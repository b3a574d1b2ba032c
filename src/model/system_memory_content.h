// What a System memory holds: the part of the sound setting that a memory
// load or save copies between two images.
#pragma once

#include "model/setting_image.h"

namespace qamp {

// Copies the System memory content from `from` into `to`: the DSP program
// and Pure Direct, the parameter block of `from`'s program, speaker levels
// and distances, Sound Option, three Volume settings, the equalisers, the
// speaker set, most display settings and the HDMI audio support.
void CopySystemMemoryContent(const CSettingImage& from, CSettingImage& to);

}  // namespace qamp
