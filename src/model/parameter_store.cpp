#include "model/parameter_store.h"

namespace qamp {

void StoreParameter(CSettingImage& image, ParamId id, int32_t value) {
  const ParamLocation location = LocateParam(id);
  if (location.type == ParamLocation::Type::kWord) image[location.word] = value;
}

int32_t ReadParameter(const CSettingImage& image, ParamId id) {
  const ParamLocation location = LocateParam(id);
  return location.type == ParamLocation::Type::kWord ? image[location.word] : 0;
}

void StoreText(CSettingImage& image, ParamId id, std::string_view text) {
  const ParamLocation location = LocateParam(id);
  if (location.type == ParamLocation::Type::kText) {
    image.SetText(location.word, location.byteOffset, location.width, text);
  }
}

std::string ReadText(const CSettingImage& image, ParamId id) {
  const ParamLocation location = LocateParam(id);
  if (location.type != ParamLocation::Type::kText) return {};
  return image.Text(location.word, location.byteOffset, location.width);
}

void StoreRecordParameter(CSettingImage& image, ParamId id, int record, int32_t value) {
  const int word = RecordWord(id, record);
  if (word >= 0) image[word] = value;
}

int32_t ReadRecordParameter(const CSettingImage& image, ParamId id, int record) {
  const int word = RecordWord(id, record);
  return word >= 0 ? image[word] : 0;
}

int FindRecordByKey(const CSettingImage& image, GroupKind kind, int32_t key) {
  int first = 0;
  int size = 0;
  if (kind == GroupKind::kGeq) {
    first = kGeqFirstRecordWord;
    size = kGeqRecordWords;
  } else if (kind == GroupKind::kPeq) {
    first = kPeqFirstRecordWord;
    size = kPeqRecordWords;
  } else {
    return -1;
  }
  for (int record = 0; record < kKeyedRecordCount; ++record) {
    if (image[first + size * record] == key) return record;
  }
  return -1;
}

void StoreReportValues(CSettingImage& image, const std::vector<ReportValue>& values) {
  int record = -1;
  for (const ReportValue& value : values) {
    if (value.type == ReportValue::Type::kNoValue) continue;
    if (value.type == ReportValue::Type::kText) {
      StoreText(image, value.id, value.text);
      continue;
    }
    if (value.id == kGeqKeyId) {
      record = FindRecordByKey(image, GroupKind::kGeq, value.number);
      continue;
    }
    if (value.id == kPeqKeyId) {
      record = FindRecordByKey(image, GroupKind::kPeq, value.number);
      continue;
    }
    const ParamLocation location = LocateParam(value.id);
    if (location.type == ParamLocation::Type::kGeqRecord ||
        location.type == ParamLocation::Type::kPeqRecord) {
      if (record >= 0) StoreRecordParameter(image, value.id, record, value.number);
      continue;
    }
    StoreParameter(image, value.id, value.number);
  }
}

}  // namespace qamp
