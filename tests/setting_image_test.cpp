// The settings image: where every parameter lives, the defaults, the stores.
#include <gtest/gtest.h>

#include <set>

#include "model/image_defaults.h"
#include "model/parameter_map.h"
#include "model/parameter_store.h"

namespace qamp {
namespace {

CSettingImage DefaultImage(int region = 1) {
  CSettingImage image;
  ResetImage(image, 0, region);
  return image;
}

TEST(ParameterMap, InputNameIds237And238NameFieldsNineAndEight) {
  CSettingImage image = DefaultImage();
  StoreText(image, 237, "DVR-NAME");
  StoreText(image, 238, "VCR-NAME");
  // Field k of the input names starts at byte 10k from word 259.
  EXPECT_EQ(image.Text(259, 90, 10), "DVR-NAME");
  EXPECT_EQ(image.Text(259, 80, 10), "VCR-NAME");
  EXPECT_EQ(ReadText(image, 237), "DVR-NAME");
}

TEST(ParameterMap, IdsThatNameNoWordChangeNothing) {
  for (ParamId id : {215, 216, 522, 523, 524, 546, 547, 554}) {
    CSettingImage image = DefaultImage();
    const CSettingImage before = image;
    StoreParameter(image, id, 12345);
    StoreText(image, id, "x");
    EXPECT_EQ(image, before) << "ID " << id;
  }
}

struct IdWord {
  ParamId id;
  int word;
};

// Spot checks of every group, written out from the image layout.
TEST(ParameterMap, IdsReachTheirWords) {
  const IdWord cases[] = {
      {1, 1},     {11, 11},   {12, 12},   {15, 16},   {16, 15},   {20, 21},   {21, 20},
      {25, 26},   {26, 25},   {27, 27},   {28, 28},   {45, 45},   {46, 47},   {52, 53},
      {53, 55},   {89, 91},   {90, 95},   {128, 143}, {129, 146}, {130, 144}, {131, 147},
      {187, 213}, {181, 214}, {186, 219}, {188, 220}, {198, 230}, {199, 231}, {214, 246},
      {217, 247}, {228, 258}, {243, 294}, {258, 309}, {259, 318}, {260, 319}, {261, 317},
      {268, 310}, {269, 330}, {270, 329}, {279, 320}, {280, 331}, {282, 334}, {283, 333},
      {286, 338}, {287, 337}, {295, 350}, {296, 348}, {298, 346}, {299, 347}, {300, 388},
      {301, 351}, {337, 387}, {338, 426}, {339, 389}, {375, 425}, {376, 440}, {389, 427},
      {390, 441}, {393, 444}, {402, 445}, {403, 446}, {426, 747}, {430, 751}, {431, 754},
      {432, 755}, {433, 752}, {434, 753}, {476, 859}, {515, 898}, {516, 902}, {518, 905},
      {519, 904}, {521, 907}, {525, 900}, {526, 901}, {527, 911}, {528, 912}, {529, 913},
      {531, 915}, {532, 916}, {535, 919}, {536, 929}, {537, 920}, {545, 928}, {548, 930},
      {549, 931}, {553, 935},
  };
  for (const IdWord& c : cases) {
    const ParamLocation location = LocateParam(c.id);
    EXPECT_EQ(location.type, ParamLocation::Type::kWord) << "ID " << c.id;
    EXPECT_EQ(location.word, c.word) << "ID " << c.id;
  }
}

TEST(ParameterMap, EveryWordIsNamedByAtMostOneIdAndStaysInItsGroup) {
  struct Range {
    ParamId firstId, lastId;
    int firstWord, lastWord;
  };
  const Range groups[] = {{1, 11, 1, 11},       {12, 27, 12, 27},     {28, 198, 28, 230},
                          {199, 228, 231, 258}, {243, 258, 294, 309}, {259, 268, 310, 319},
                          {269, 279, 320, 330}, {280, 299, 331, 350}, {300, 375, 351, 426},
                          {376, 393, 427, 444}, {402, 403, 445, 446}, {426, 434, 747, 755},
                          {476, 515, 859, 898}, {516, 528, 900, 912}, {529, 531, 913, 915},
                          {532, 535, 916, 919}, {536, 548, 920, 930}, {549, 553, 931, 935}};
  std::set<int> used;
  for (const Range& group : groups) {
    for (ParamId id = group.firstId; id <= group.lastId; ++id) {
      const ParamLocation location = LocateParam(id);
      if (location.type != ParamLocation::Type::kWord) continue;
      EXPECT_GE(location.word, group.firstWord) << "ID " << id;
      EXPECT_LE(location.word, group.lastWord) << "ID " << id;
      EXPECT_TRUE(used.insert(location.word).second) << "word " << location.word << " twice";
    }
  }
  // The words of DspParamGroup that no ID reaches.
  const std::set<int> skipped = {46,  54,  92,  93,  94,  106, 109, 112, 118, 121, 124,
                                 130, 133, 136, 142, 145, 148, 162, 165, 168, 173, 176,
                                 179, 184, 187, 190, 195, 198, 201, 206, 209, 212};
  for (int word = 28; word <= 230; ++word) {
    EXPECT_NE(used.count(word) == 1, skipped.count(word) == 1) << "word " << word;
  }
}

TEST(ParameterMap, ParametricEqBandsFourAndFiveAreCrossed) {
  // Record 2 starts at word 527 + 44; band b's frequency is record word 1 + 3b.
  EXPECT_EQ(RecordWord(409, 2), 527 + 44 + 1 + 3 * 5);
  EXPECT_EQ(RecordWord(410, 2), 527 + 44 + 1 + 3 * 4);
  EXPECT_EQ(RecordWord(405, 0), 528);
  EXPECT_EQ(RecordWord(412, 0), 529);
  EXPECT_EQ(RecordWord(425, 9), 527 + 9 * 22 + 21);
  EXPECT_EQ(RecordWord(404, 1), 549);
  EXPECT_EQ(RecordWord(395, 1), 447 + 8 + 1);
  EXPECT_EQ(RecordWord(401, 9), 447 + 72 + 7);
  EXPECT_EQ(RecordWord(401, 10), -1);
}

TEST(ImageDefaults, TunerPresetsFollowTheRegion) {
  struct Expect {
    int region;
    const char* first;
    const char* fifth;
    const char* firstAm;
  };
  const Expect cases[] = {{0, "076.00", "090.00", "000630"},
                          {1, "087.50", "107.90", "000630"},
                          {2, "087.50", "108.00", "000630"},
                          {3, "087.50", "108.00", "000630"},
                          {7, "076.00", "090.00", "000630"}};
  for (const Expect& c : cases) {
    const CSettingImage image = DefaultImage(c.region);
    EXPECT_EQ(ReadText(image, 436), c.first) << c.region;
    EXPECT_EQ(ReadText(image, 440), c.fifth) << c.region;
    EXPECT_EQ(ReadText(image, 444), c.firstAm) << c.region;  // bank 2 is AM
    EXPECT_EQ(ReadText(image, 452), c.first) << c.region;    // bank 3 is FM again
    EXPECT_EQ(ReadText(image, 435), c.first) << c.region;    // current = first FM preset
  }
  EXPECT_EQ(ReadText(DefaultImage(2), 447), "000531");
  EXPECT_EQ(ReadText(DefaultImage(1), 447), "000530");
}

TEST(ImageDefaults, RegionDependentBasicAndInputDspDefaults) {
  EXPECT_EQ(DefaultImage(1)[4], 12);
  EXPECT_EQ(DefaultImage(0)[4], 26);
  // Input DSP straight flags: records 0 and 7..10 always, 1..6 and 11 only
  // in region 0, 12 and 13 never.
  for (int region : {0, 1}) {
    const CSettingImage image = DefaultImage(region);
    for (int record = 0; record < 14; ++record) {
      const int flag = image[232 + 2 * record];
      const bool always = record == 0 || (record >= 7 && record <= 10);
      const bool regionZero = (record >= 1 && record <= 6) || record == 11;
      EXPECT_EQ(flag, always || (regionZero && region == 0) ? 1 : 0) << region << "/" << record;
    }
  }
}

TEST(ImageDefaults, WordZeroHoldsTheSlotAndEveryGroupHasItsDefaults) {
  CSettingImage image;
  ResetImage(image, 5, 1);
  EXPECT_EQ(image[0], 5);
  EXPECT_EQ(ReadParameter(image, 6), -400);   // main volume -40.0 dB
  EXPECT_EQ(ReadParameter(image, 15), -400);  // Zone 2 volume
  EXPECT_EQ(ReadParameter(image, 16), 0);     // Zone 2 mute
  EXPECT_EQ(ReadParameter(image, 26), -810);  // Zone 2 initial volume off
  EXPECT_EQ(ReadParameter(image, 300), 3);    // trigger control "Zone OR"
  EXPECT_EQ(ReadParameter(image, 338), 3);
  EXPECT_EQ(ReadParameter(image, 301), 1);
  EXPECT_EQ(ReadParameter(image, 392), -810);  // initial volume off
  EXPECT_EQ(ReadParameter(image, 393), 10);    // MAX Volume +16.5dB
  EXPECT_EQ(ReadParameter(image, 402), 3);     // MIRA PEQ Type "None"
  EXPECT_EQ(ReadParameter(image, 403), 1);     // EQ Type "GEQ"
  EXPECT_EQ(ReadParameter(image, 269), 0);     // distance unit metres
  EXPECT_EQ(ReadParameter(image, 279), 300);   // SW 3.00 m
  EXPECT_EQ(ReadParameter(image, 272), 260);   // CT 2.60 m
  EXPECT_EQ(ReadParameter(image, 263), -10);   // SR -1.0 dB
  EXPECT_EQ(ReadParameter(image, 259), 0);
  EXPECT_EQ(ReadParameter(image, 295), 1);  // HDMI Auto "Off"
  EXPECT_EQ(ReadParameter(image, 530), 4);
  EXPECT_EQ(ReadParameter(image, 531), 6);
  EXPECT_EQ(ReadParameter(image, 549), 1);
  EXPECT_EQ(image[899], 1);
  EXPECT_EQ(ReadText(image, 229), "  PHONO  ");
  EXPECT_EQ(ReadText(image, 242), "MULTI CH ");
  EXPECT_EQ(ReadText(image, 238), "   VCR   ");  // field 8
  // Equaliser records keyed 0, 2..10; PEQ band b at frequency 4b, Q 3, gain 0.
  EXPECT_EQ(ReadRecordParameter(image, 394, 0), 0);
  EXPECT_EQ(ReadRecordParameter(image, 394, 1), 2);
  EXPECT_EQ(ReadRecordParameter(image, 404, 9), 10);
  EXPECT_EQ(ReadRecordParameter(image, 411, 4), 24);
  EXPECT_EQ(ReadRecordParameter(image, 410, 4), 16);  // band 4 (zero-based) is ID 410
  EXPECT_EQ(ReadRecordParameter(image, 418, 4), 3);
  EXPECT_EQ(ReadText(image, 555), "");
}

// The factory values of every sound program, by parameter ID in row order,
// as the DSP Parameters page restores them; the image defaults must agree.
TEST(ImageDefaults, SoundProgramDefaultsAgreeWithTheProgramTable) {
  struct Program {
    std::vector<ParamId> ids;
    std::vector<int> values;
  };
  auto range = [](ParamId first, ParamId last) {
    std::vector<ParamId> ids;
    for (ParamId id = first; id <= last; ++id) ids.push_back(id);
    return ids;
  };
  const Program programs[] = {
      {range(28, 32), {0, 0, 30, 10, 5}},
      {range(33, 37), {0, 0, 30, 10, 5}},
      {range(38, 42), {0, 0, 30, 10, 5}},
      {range(43, 49), {0, 0, 95, 3, 40, 130, 70}},
      {range(50, 56), {0, 0, 15, 5, 11, 55, 50}},
      {range(57, 61), {0, 0, 15, 10, 5}},
      {range(62, 69), {0, 0, 10, 10, 5, 20, 160, 6}},
      {range(70, 74), {0, 0, 20, 10, 5}},
      {range(75, 82), {0, 0, 15, 10, 5, 16, 120, 7}},
      {range(83, 87), {0, 0, 15, 10, 5}},
      {range(88, 96), {0, 0, 26, 10, 3, 20, 10, 5, 0}},
      {range(97, 105), {0, 0, 21, 10, 26, 10, 14, 10, 0}},
      {range(106, 114), {0, 0, 16, 10, 2, 10, 15, 10, 0}},
      {range(115, 123), {0, 0, 15, 10, 31, 10, 14, 10, 0}},
      {{124, 125, 126, 127, 128, 130, 129, 131, 132}, {0, 0, 15, 10, 26, 10, 15, 10, 0}},
      {range(133, 140), {0, 0, 69, 10, 3, 25, 160, 2}},
      {range(141, 148), {0, 0, 10, 10, 12, 10, 15, 10}},
      {range(149, 156), {0, 0, 22, 10, 23, 10, 9, 10}},
      {range(157, 164), {0, 0, 26, 10, 26, 10, 14, 10}},
      {range(165, 172), {0, 0, 21, 10, 31, 10, 15, 10}},
      {range(173, 180), {0, 0, 28, 10, 31, 10, 17, 10}},
      {{187, 181, 182, 183, 184, 185, 186, 188}, {0, 0, 3, 0, 3, 0, 0, 0}},
      {{189}, {1}},
      {range(190, 196), {100, 100, 100, 50, 35, 33, 33}},
      {{197}, {1}},
      {{198}, {1}},
  };
  const CSettingImage image = DefaultImage();
  for (const Program& program : programs) {
    ASSERT_EQ(program.ids.size(), program.values.size());
    for (size_t i = 0; i < program.ids.size(); ++i) {
      EXPECT_EQ(ReadParameter(image, program.ids[i]), program.values[i]) << "ID " << program.ids[i];
      EXPECT_EQ(DspParamDefault(LocateParam(program.ids[i]).word), program.values[i]);
    }
  }
  // Words that no program lists.
  for (int word : {46, 54}) EXPECT_EQ(image[word], 10) << word;
  EXPECT_EQ(image[92], 30);
  EXPECT_EQ(image[93], 10);
  EXPECT_EQ(image[94], 5);
  for (int word : {109, 121, 133, 145, 165, 176, 187, 198, 209}) EXPECT_EQ(image[word], 3) << word;
  for (int word :
       {106, 112, 118, 124, 130, 136, 142, 148, 162, 168, 173, 179, 184, 190, 195, 201, 206, 212}) {
    EXPECT_EQ(image[word], 5) << word;
  }
}

TEST(SettingImage, TextsLongerThanTheirFieldAreCutToWidthLessOne) {
  CSettingImage image = DefaultImage();
  StoreText(image, 229, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(ReadText(image, 229), "ABCDEFGHI");
  EXPECT_EQ(ReadText(image, 230), "   CD    ");  // the neighbour is untouched
  StoreText(image, 436, "1234567890123");
  EXPECT_EQ(ReadText(image, 436), "123456789");
  StoreText(image, 555, std::string(200, 'x'));
  EXPECT_EQ(ReadText(image, 555).size(), 119U);
  StoreText(image, 556, std::string(200, 'y'));
  EXPECT_EQ(ReadText(image, 556).size(), 83U);  // the field runs to the end of the image
  StoreText(image, 230, std::string("AB\0CD", 5));
  EXPECT_EQ(ReadText(image, 230), "AB");
}

TEST(ParameterStore, KeyedAnswersGoToTheRecordWithTheKey) {
  CSettingImage image = DefaultImage();
  // Key 3 is Front R, record 2.
  StoreReportValues(image, {ReportValue::Number(394, 3), ReportValue::Number(397, 25)});
  EXPECT_EQ(ReadRecordParameter(image, 397, 2), 25);
  EXPECT_EQ(ReadRecordParameter(image, 397, 0), 0);

  const CSettingImage before = image;
  StoreReportValues(image, {ReportValue::Number(394, 1), ReportValue::Number(397, 30)});
  EXPECT_EQ(image, before) << "no record has key 1";
  StoreReportValues(image, {ReportValue::Number(404, 99), ReportValue::Number(405, 7)});
  EXPECT_EQ(image, before) << "no record has key 99";

  StoreReportValues(image, {ReportValue::Number(404, 10), ReportValue::Number(405, 7),
                            ReportValue::Number(419, -35), ReportValue::Number(412, 9)});
  EXPECT_EQ(ReadRecordParameter(image, 405, 9), 7);
  EXPECT_EQ(ReadRecordParameter(image, 419, 9), -35);
  EXPECT_EQ(ReadRecordParameter(image, 412, 9), 9);
  // Values without a key in front reach no record; plain words still store.
  StoreReportValues(image, {ReportValue::Number(402, 1)});
  EXPECT_EQ(ReadParameter(image, 402), 1);
}

}  // namespace
}  // namespace qamp
