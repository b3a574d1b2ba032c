#include "model/system_memory_content.h"

#include "model/dsp_programs.h"
#include "model/parameter_map.h"

namespace qamp {

namespace {

struct WordRange {
  int first;
  int last;
};

constexpr WordRange kCopiedWords[] = {
    {4, 4},     {8, 8},                  // DSP program, Pure Direct
    {310, 350},                          // speaker levels, distances with their unit, Sound Option
    {441, 442}, {444, 444},              // Adaptive DRC, Adaptive DSP Level, MAX Volume
    {445, 746},                          // Equalizer and Parametric EQ
    {747, 755},                          // Speaker Set
    {900, 900}, {902, 907}, {911, 912},  // Display Set
    {918, 918},                          // HDMI Support Audio
};

}  // namespace

void CopySystemMemoryContent(const CSettingImage& from, CSettingImage& to) {
  for (const WordRange& range : kCopiedWords) {
    for (int word = range.first; word <= range.last; ++word) to[word] = from[word];
  }
  for (const ParamId id : ProgramParameterIds(from[4])) {
    const ParamLocation location = LocateParam(id);
    if (location.type == ParamLocation::Type::kWord) to[location.word] = from[location.word];
  }
}

}  // namespace qamp
