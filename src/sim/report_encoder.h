// The receiver's side of the report decoding table: the frames a receiver
// sends for the values it holds. The simulated receiver answers with these.
#pragma once

#include <optional>
#include <string>

#include "model/setting_image.h"

namespace qamp::sim {

// The frame for decoding row `row` from the image, complete with checksum
// and ETX, such that decoding it gives back the image's values; nothing
// when the row cannot carry the image's values (a constant that differs, a
// value outside the row's range, a key that no record holds).
std::optional<std::string> EncodeRow(int row, const CSettingImage& image);

// The first row, in table order, whose prefix begins with `prefix` and that
// can carry the image's values.
std::optional<std::string> EncodeFirstMatching(std::string_view prefix, const CSettingImage& image);

// The first standard report (STX, "00", code ...) that carries `id`'s value.
std::optional<std::string> EncodeReportOf(ParamId id, const CSettingImage& image);

// The configuration report of the image: DC2, the model, "0B5", the 180
// configuration characters that the link's 96-row conversion turns back into
// the image's values, ETX.
std::string BuildConfigurationReport(const CSettingImage& image, std::string_view model = "R0226");

}  // namespace qamp::sim
