// Storing values into the settings image by parameter ID, one value at a
// time (pages, the basic control) or a whole decoded answer (the link).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/parameter_map.h"
#include "model/setting_image.h"

namespace qamp {

// One (parameter ID, value) pair as the report decoding produces it.
struct ReportValue {
  enum class Type { kNumber, kText, kNoValue };
  ParamId id = 0;
  Type type = Type::kNoValue;
  int32_t number = 0;
  std::string text;

  static ReportValue Number(ParamId id, int32_t value) { return {id, Type::kNumber, value, {}}; }
  static ReportValue Text(ParamId id, std::string text) {
    return {id, Type::kText, 0, std::move(text)};
  }
  static ReportValue NoValue(ParamId id) { return {id, Type::kNoValue, 0, {}}; }
  bool operator==(const ReportValue&) const = default;
};

// A number parameter that names one word. Keyed-record and text IDs, and the
// IDs that name no word, are ignored.
void StoreParameter(CSettingImage& image, ParamId id, int32_t value);
int32_t ReadParameter(const CSettingImage& image, ParamId id);

// Text parameters (input names, tuner presets, iPod texts).
void StoreText(CSettingImage& image, ParamId id, std::string_view text);
std::string ReadText(const CSettingImage& image, ParamId id);

// Keyed-record parameters addressed by record position 0..9.
void StoreRecordParameter(CSettingImage& image, ParamId id, int record, int32_t value);
int32_t ReadRecordParameter(const CSettingImage& image, ParamId id, int record);

// The record of a keyed group (kGeq or kPeq) whose key equals `key`, or -1.
int FindRecordByKey(const CSettingImage& image, GroupKind kind, int32_t key);

// Stores a decoded answer. For the keyed groups the answer's first value is
// the key (ID 394 or 404): the values that follow go into the record with
// that key, and nowhere when no record has it.
void StoreReportValues(CSettingImage& image, const std::vector<ReportValue>& values);

}  // namespace qamp
