// The DSP Parameters page.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "link/wire_format.h"
#include "model/dsp_programs.h"
#include "model/image_defaults.h"
#include "model/parameter_store.h"
#include "pages/dsp_parameters_page.h"
#include "session/command_capture.h"
#include "support/page_fixture.h"

namespace qamp {
namespace {

using Page = CInputDspParam;

struct DspFixture : testing::PageFixture<Page> {
  using PageFixture::PageFixture;
  std::vector<std::string> Names() const { return control(Page::kNameList).items; }
  std::string ValueOfRow(size_t row) const { return control(Page::kValueList).items.at(row); }
};

using testing::ExtendedFrame;

// Parameter rows per program, as the programs list them.
constexpr int kRowsPerProgram[26] = {5, 5, 5, 7, 7, 5, 8, 5, 8, 5, 9, 9, 9,
                                     9, 9, 8, 8, 8, 8, 8, 8, 8, 1, 7, 1, 1};

TEST(DspParametersPage, NamesAndValuesAreOneTableAndTheSlidersStandUpright) {
  DspFixture f(ControlMode::kAsync);
  EXPECT_EQ(f.control(Page::kNameList).columnHeaders, std::vector<std::string>{"Parameter"});
  EXPECT_EQ(f.control(Page::kValueList).columnHeaders, std::vector<std::string>{"Value"});
  for (int i = 0; i < Page::kSliderCount; ++i) {
    const Control& slider = f.control(Page::kFirstSlider + i);
    EXPECT_EQ(slider.orientation, Orientation::kVertical) << i;
    EXPECT_EQ(slider.readOut, 0) << i;  // the value list shows the value
  }
}

TEST(DspParametersTable, HoldsEveryProgramsRowsAndTheThreeChoiceLists) {
  const auto rows = DspParameterRows();
  ASSERT_EQ(rows.size(), 189U);
  std::map<int, int> perProgram;
  std::map<int, int> words;
  int lastProgram = 0;
  for (const DspParameterRow& row : rows) {
    EXPECT_GE(row.program, lastProgram) << row.name;  // program order
    lastProgram = row.program;
    if (row.kind >= 10 && row.kind <= 12) {
      ++words[row.kind];
    } else {
      ++perProgram[row.program];
      EXPECT_LT(row.minimum, row.maximum) << row.name;
      if (row.slider == 1) {
        EXPECT_EQ(row.listOrStep, 1) << row.name;
      }
    }
  }
  for (int program = 0; program < 26; ++program) {
    EXPECT_EQ(perProgram[program], kRowsPerProgram[program]) << program;
    EXPECT_EQ(ProgramParameterIds(program).size(), static_cast<size_t>(kRowsPerProgram[program]));
  }
  EXPECT_EQ(words[10], 9);
  EXPECT_EQ(words[11], 2);
  EXPECT_EQ(words[12], 7);
  EXPECT_EQ(DspChoiceList(10),
            (std::vector<std::string>{"Pro Logic", "PLIIx Movie", "PLIIx Music", "PLIIx Game",
                                      "Neo:6 Cinema", "Neo:6 Music", "CSII Cinema", "CSII Music",
                                      "Neural THX"}));
  EXPECT_EQ(DspChoiceList(11), (std::vector<std::string>{"PLIIx Movie", "Neo:6 Cinema"}));
  EXPECT_EQ(DspChoiceList(12), (std::vector<std::string>{"Auto", "PLIIx Movie", "PLIIx Music",
                                                         "EX/ES", "EX", "Neural THX", "Off"}));
}

TEST(DspParametersTable, AParameterNameMeansTheSameRowWhereverItOccurs) {
  std::map<std::string_view, const DspParameterRow*> first;
  for (const DspParameterRow& row : DspParameterRows()) {
    if (row.kind >= 10 && row.kind <= 12) continue;
    if (row.name == "Decode Type") {
      // The Surround Decoder has its own list of decode types.
      const bool surroundDecoder = row.program == 21;
      EXPECT_EQ(row.kind, 9);
      EXPECT_EQ(row.listOrStep, surroundDecoder ? 10 : 11) << row.program;
      EXPECT_EQ(row.maximum, surroundDecoder ? 8 : 1) << row.program;
      continue;
    }
    const auto [seen, inserted] = first.emplace(row.name, &row);
    if (inserted) continue;
    const DspParameterRow& earlier = *seen->second;
    EXPECT_EQ(row.kind, earlier.kind) << row.name << " of " << row.program;
    EXPECT_EQ(row.listOrStep, earlier.listOrStep) << row.name << " of " << row.program;
    EXPECT_EQ(row.minimum, earlier.minimum) << row.name << " of " << row.program;
    EXPECT_EQ(row.maximum, earlier.maximum) << row.name << " of " << row.program;
    EXPECT_EQ(row.slider, earlier.slider) << row.name << " of " << row.program;
    EXPECT_EQ(row.unit, earlier.unit) << row.name << " of " << row.program;
  }
  EXPECT_EQ(first.size(), 30U);  // 31 names, Decode Type aside
}

// The factory values of every program, in row order.
struct Factory {
  int program;
  std::vector<ParamId> ids;
  std::vector<int> values;
};
const std::vector<Factory>& FactoryValues() {
  static const std::vector<Factory> factory = {
      {0, {28, 29, 30, 31, 32}, {0, 0, 30, 10, 5}},
      {1, {33, 34, 35, 36, 37}, {0, 0, 30, 10, 5}},
      {2, {38, 39, 40, 41, 42}, {0, 0, 30, 10, 5}},
      {3, {43, 44, 45, 46, 47, 48, 49}, {0, 0, 95, 3, 40, 130, 70}},
      {4, {50, 51, 52, 53, 54, 55, 56}, {0, 0, 15, 5, 11, 55, 50}},
      {5, {57, 58, 59, 60, 61}, {0, 0, 15, 10, 5}},
      {6, {62, 63, 64, 65, 66, 67, 68, 69}, {0, 0, 10, 10, 5, 20, 160, 6}},
      {7, {70, 71, 72, 73, 74}, {0, 0, 20, 10, 5}},
      {8, {75, 76, 77, 78, 79, 80, 81, 82}, {0, 0, 15, 10, 5, 16, 120, 7}},
      {9, {83, 84, 85, 86, 87}, {0, 0, 15, 10, 5}},
      {10, {88, 89, 90, 91, 92, 93, 94, 95, 96}, {0, 0, 26, 10, 3, 20, 10, 5, 0}},
      {11, {97, 98, 99, 100, 101, 102, 103, 104, 105}, {0, 0, 21, 10, 26, 10, 14, 10, 0}},
      {12, {106, 107, 108, 109, 110, 111, 112, 113, 114}, {0, 0, 16, 10, 2, 10, 15, 10, 0}},
      {13, {115, 116, 117, 118, 119, 120, 121, 122, 123}, {0, 0, 15, 10, 31, 10, 14, 10, 0}},
      {14, {124, 125, 126, 127, 128, 130, 129, 131, 132}, {0, 0, 15, 10, 26, 10, 15, 10, 0}},
      {15, {133, 134, 135, 136, 137, 138, 139, 140}, {0, 0, 69, 10, 3, 25, 160, 2}},
      {16, {141, 142, 143, 144, 145, 146, 147, 148}, {0, 0, 10, 10, 12, 10, 15, 10}},
      {17, {149, 150, 151, 152, 153, 154, 155, 156}, {0, 0, 22, 10, 23, 10, 9, 10}},
      {18, {157, 158, 159, 160, 161, 162, 163, 164}, {0, 0, 26, 10, 26, 10, 14, 10}},
      {19, {165, 166, 167, 168, 169, 170, 171, 172}, {0, 0, 21, 10, 31, 10, 15, 10}},
      {20, {173, 174, 175, 176, 177, 178, 179, 180}, {0, 0, 28, 10, 31, 10, 17, 10}},
      {21, {187, 181, 182, 183, 184, 185, 186, 188}, {0, 0, 3, 0, 3, 0, 0, 0}},
      {22, {189}, {1}},
      {23, {190, 191, 192, 193, 194, 195, 196}, {100, 100, 100, 50, 35, 33, 33}},
      {24, {197}, {1}},
      {25, {198}, {1}},
  };
  return factory;
}

TEST(DspParametersTable, FactoryValuesOfEveryProgramAreTheImageDefaults) {
  CSettingImage image;
  ResetImage(image, 0, 1);
  for (const Factory& program : FactoryValues()) {
    const auto ids = ProgramParameterIds(program.program);
    EXPECT_EQ(std::vector<ParamId>(ids.begin(), ids.end()), program.ids) << program.program;
    for (size_t i = 0; i < program.ids.size(); ++i) {
      const ParamId id = program.ids[i];
      EXPECT_EQ(DspParamDefault(LocateParam(id).word), program.values[i]) << id;
      EXPECT_EQ(ReadParameter(image, id), program.values[i]) << id;
    }
  }
  // Words that no program lists keep factory values of their own.
  const std::map<int, int> skipped = {
      {46, 10}, {54, 10}, {92, 30}, {93, 10}, {94, 5},  {109, 3}, {121, 3}, {133, 3},
      {145, 3}, {165, 3}, {176, 3}, {187, 3}, {198, 3}, {209, 3}, {106, 5}, {112, 5},
      {118, 5}, {124, 5}, {130, 5}, {136, 5}, {142, 5}, {148, 5}, {162, 5}, {168, 5},
      {173, 5}, {179, 5}, {184, 5}, {190, 5}, {195, 5}, {201, 5}, {206, 5}, {212, 5}};
  for (const auto& [word, value] : skipped) EXPECT_EQ(DspParamDefault(word), value) << word;
}

// Program, code, and the queued text: a program select, then the writes.
struct Queued {
  int program;
  ParamId code;
  const char* text;
};
const Queued kFactoryDownload[] = {
    {0, 4, "<STX>07EE1<ETX>"},
    {0, 28, "<DC4>200B0211000E00603<ETX>"},
    {0, 29, "<DC4>200B0211001C000FC<ETX>"},
    {0, 30, "<DC4>200B0211000001EFE<ETX>"},
    {0, 31, "<DC4>200B0211000100AFA<ETX>"},
    {0, 32, "<DC4>200B02110002005EF<ETX>"},
    {1, 4, "<STX>07EE5<ETX>"},
    {1, 33, "<DC4>200B0211050E00608<ETX>"},
    {1, 34, "<DC4>200B0211051C00001<ETX>"},
    {1, 35, "<DC4>200B0211050001E03<ETX>"},
    {1, 36, "<DC4>200B0211050100AFF<ETX>"},
    {1, 37, "<DC4>200B02110502005F4<ETX>"},
    {2, 4, "<STX>07EE6<ETX>"},
    {2, 38, "<DC4>200B0211070E0060A<ETX>"},
    {2, 39, "<DC4>200B0211071C00003<ETX>"},
    {2, 40, "<DC4>200B0211070001E05<ETX>"},
    {2, 41, "<DC4>200B0211070100A01<ETX>"},
    {2, 42, "<DC4>200B02110702005F6<ETX>"},
    {3, 4, "<STX>07EE8<ETX>"},
    {3, 43, "<DC4>200B0211090E0060C<ETX>"},
    {3, 44, "<DC4>200B0211091C00005<ETX>"},
    {3, 45, "<DC4>200B0211090005F0C<ETX>"},
    {3, 46, "<DC4>200B02110902003F6<ETX>"},
    {3, 47, "<DC4>200B0211090B0280D<ETX>"},
    {3, 48, "<DC4>200B0211090C0820E<ETX>"},
    {3, 49, "<DC4>200B0211090D0460F<ETX>"},
    {4, 4, "<STX>07EAF<ETX>"},
    {4, 50, "<DC4>200B02110B0E00615<ETX>"},
    {4, 51, "<DC4>200B02110B1C0000E<ETX>"},
    {4, 52, "<DC4>200B02110B0000F10<ETX>"},
    {4, 53, "<DC4>200B02110B0200501<ETX>"},
    {4, 54, "<DC4>200B02110B0B00B1E<ETX>"},
    {4, 55, "<DC4>200B02110B0C03717<ETX>"},
    {4, 56, "<DC4>200B02110B0D03213<ETX>"},
    {5, 4, "<STX>07EEB<ETX>"},
    {5, 57, "<DC4>200B02110D0E00617<ETX>"},
    {5, 58, "<DC4>200B02110D1C00010<ETX>"},
    {5, 59, "<DC4>200B02110D0000F12<ETX>"},
    {5, 60, "<DC4>200B02110D0100A0E<ETX>"},
    {5, 61, "<DC4>200B02110D0200503<ETX>"},
    {6, 4, "<STX>07EEE<ETX>"},
    {6, 62, "<DC4>200B0211110E00605<ETX>"},
    {6, 63, "<DC4>200B0211111C000FE<ETX>"},
    {6, 64, "<DC4>200B0211110000AFB<ETX>"},
    {6, 65, "<DC4>200B0211110100AFC<ETX>"},
    {6, 66, "<DC4>200B02111102005F1<ETX>"},
    {6, 67, "<DC4>200B0211110B01401<ETX>"},
    {6, 68, "<DC4>200B0211110C0A00E<ETX>"},
    {6, 69, "<DC4>200B0211110D00604<ETX>"},
    {7, 4, "<STX>07ECD<ETX>"},
    {7, 70, "<DC4>200B02110F0E00619<ETX>"},
    {7, 71, "<DC4>200B02110F1C00012<ETX>"},
    {7, 72, "<DC4>200B02110F0001403<ETX>"},
    {7, 73, "<DC4>200B02110F0100A10<ETX>"},
    {7, 74, "<DC4>200B02110F0200505<ETX>"},
    {8, 4, "<STX>07EED<ETX>"},
    {8, 75, "<DC4>200B0211100E00604<ETX>"},
    {8, 76, "<DC4>200B0211101C000FD<ETX>"},
    {8, 77, "<DC4>200B0211100000FFF<ETX>"},
    {8, 78, "<DC4>200B0211100100AFB<ETX>"},
    {8, 79, "<DC4>200B02111002005F0<ETX>"},
    {8, 80, "<DC4>200B0211100B010FC<ETX>"},
    {8, 81, "<DC4>200B0211100C0780B<ETX>"},
    {8, 82, "<DC4>200B0211100D00704<ETX>"},
    {9, 4, "<STX>07EEC<ETX>"},
    {9, 83, "<DC4>200B02110E0E00618<ETX>"},
    {9, 84, "<DC4>200B02110E1C00011<ETX>"},
    {9, 85, "<DC4>200B02110E0000F13<ETX>"},
    {9, 86, "<DC4>200B02110E0100A0F<ETX>"},
    {9, 87, "<DC4>200B02110E0200504<ETX>"},
    {10, 4, "<STX>07EFE<ETX>"},
    {10, 88, "<DC4>200B02112D0E00619<ETX>"},
    {10, 89, "<DC4>200B02112D1C00012<ETX>"},
    {10, 90, "<DC4>200B02112D0521A17<ETX>"},
    {10, 93, "<DC4>200B02112D0851410<ETX>"},
    {10, 91, "<DC4>200B02112D0620A17<ETX>"},
    {10, 94, "<DC4>200B02112D0950A1D<ETX>"},
    {10, 92, "<DC4>200B02112D072030A<ETX>"},
    {10, 95, "<DC4>200B02112D0A50519<ETX>"},
    {10, 96, "<DC4>200B02112D1B00617<ETX>"},
    {11, 4, "<STX>07EF9<ETX>"},
    {11, 97, "<DC4>200B0211240E00609<ETX>"},
    {11, 98, "<DC4>200B0211241C00002<ETX>"},
    {11, 99, "<DC4>200B02112400015F4<ETX>"},
    {11, 100, "<DC4>200B0211240100A00<ETX>"},
    {11, 101, "<DC4>200B0211240521A07<ETX>"},
    {11, 103, "<DC4>200B0211240850E10<ETX>"},
    {11, 102, "<DC4>200B0211240620A07<ETX>"},
    {11, 104, "<DC4>200B0211240950A0D<ETX>"},
    {11, 105, "<DC4>200B0211241B00607<ETX>"},
    {12, 4, "<STX>07EFA<ETX>"},
    {12, 106, "<DC4>200B0211250E0060A<ETX>"},
    {12, 107, "<DC4>200B0211251C00003<ETX>"},
    {12, 108, "<DC4>200B02112500010F0<ETX>"},
    {12, 109, "<DC4>200B0211250100A01<ETX>"},
    {12, 110, "<DC4>200B02112505202F8<ETX>"},
    {12, 112, "<DC4>200B0211250850F12<ETX>"},
    {12, 111, "<DC4>200B0211250620A08<ETX>"},
    {12, 113, "<DC4>200B0211250950A0E<ETX>"},
    {12, 114, "<DC4>200B0211251B00608<ETX>"},
    {13, 4, "<STX>07EFB<ETX>"},
    {13, 115, "<DC4>200B0211280E0060D<ETX>"},
    {13, 116, "<DC4>200B0211281C00006<ETX>"},
    {13, 117, "<DC4>200B0211280000F08<ETX>"},
    {13, 118, "<DC4>200B0211280100A04<ETX>"},
    {13, 119, "<DC4>200B0211280521F10<ETX>"},
    {13, 121, "<DC4>200B0211280850E14<ETX>"},
    {13, 120, "<DC4>200B0211280620A0B<ETX>"},
    {13, 122, "<DC4>200B0211280950A11<ETX>"},
    {13, 123, "<DC4>200B0211281B0060B<ETX>"},
    {14, 4, "<STX>07EFC<ETX>"},
    {14, 124, "<DC4>200B0211290E0060E<ETX>"},
    {14, 125, "<DC4>200B0211291C00007<ETX>"},
    {14, 126, "<DC4>200B0211290000F09<ETX>"},
    {14, 127, "<DC4>200B0211290100A05<ETX>"},
    {14, 128, "<DC4>200B0211290521A0C<ETX>"},
    {14, 129, "<DC4>200B0211290850F16<ETX>"},
    {14, 130, "<DC4>200B0211290620A0C<ETX>"},
    {14, 131, "<DC4>200B0211290950A12<ETX>"},
    {14, 132, "<DC4>200B0211291B0060C<ETX>"},
    {15, 4, "<STX>07EF7<ETX>"},
    {15, 133, "<DC4>200B0211200E00605<ETX>"},
    {15, 134, "<DC4>200B0211201C000FE<ETX>"},
    {15, 135, "<DC4>200B02112000045F3<ETX>"},
    {15, 136, "<DC4>200B0211200100AFC<ETX>"},
    {15, 137, "<DC4>200B02112002003EF<ETX>"},
    {15, 138, "<DC4>200B0211200B01906<ETX>"},
    {15, 139, "<DC4>200B0211200C0A00E<ETX>"},
    {15, 140, "<DC4>200B0211200D00200<ETX>"},
    {16, 4, "<STX>07EF8<ETX>"},
    {16, 141, "<DC4>200B0211210E00606<ETX>"},
    {16, 142, "<DC4>200B0211211C000FF<ETX>"},
    {16, 143, "<DC4>200B0211210000AFC<ETX>"},
    {16, 144, "<DC4>200B0211210100AFD<ETX>"},
    {16, 145, "<DC4>200B0211210520C05<ETX>"},
    {16, 147, "<DC4>200B0211210850F0E<ETX>"},
    {16, 146, "<DC4>200B0211210620A04<ETX>"},
    {16, 148, "<DC4>200B0211210950A0A<ETX>"},
    {17, 4, "<STX>07EF2<ETX>"},
    {17, 149, "<DC4>200B02111E0E00619<ETX>"},
    {17, 150, "<DC4>200B02111E1C00012<ETX>"},
    {17, 151, "<DC4>200B02111E0001605<ETX>"},
    {17, 152, "<DC4>200B02111E0100A10<ETX>"},
    {17, 153, "<DC4>200B02111E052170D<ETX>"},
    {17, 155, "<DC4>200B02111E0850914<ETX>"},
    {17, 154, "<DC4>200B02111E0620A17<ETX>"},
    {17, 156, "<DC4>200B02111E0950A1D<ETX>"},
    {18, 4, "<STX>07ECE<ETX>"},
    {18, 157, "<DC4>200B02111F0E0061A<ETX>"},
    {18, 158, "<DC4>200B02111F1C00013<ETX>"},
    {18, 159, "<DC4>200B02111F0001A11<ETX>"},
    {18, 160, "<DC4>200B02111F0100A11<ETX>"},
    {18, 161, "<DC4>200B02111F0521A18<ETX>"},
    {18, 163, "<DC4>200B02111F0850E21<ETX>"},
    {18, 162, "<DC4>200B02111F0620A18<ETX>"},
    {18, 164, "<DC4>200B02111F0950A1E<ETX>"},
    {19, 4, "<STX>07EF3<ETX>"},
    {19, 165, "<DC4>200B0211180E0060C<ETX>"},
    {19, 166, "<DC4>200B0211181C00005<ETX>"},
    {19, 167, "<DC4>200B02111800015F7<ETX>"},
    {19, 168, "<DC4>200B0211180100A03<ETX>"},
    {19, 169, "<DC4>200B0211180521F0F<ETX>"},
    {19, 171, "<DC4>200B0211180850F14<ETX>"},
    {19, 170, "<DC4>200B0211180620A0A<ETX>"},
    {19, 172, "<DC4>200B0211180950A10<ETX>"},
    {20, 4, "<STX>07EF5<ETX>"},
    {20, 173, "<DC4>200B02111C0E00617<ETX>"},
    {20, 174, "<DC4>200B02111C1C00010<ETX>"},
    {20, 175, "<DC4>200B02111C0001C10<ETX>"},
    {20, 176, "<DC4>200B02111C0100A0E<ETX>"},
    {20, 177, "<DC4>200B02111C0521F1A<ETX>"},
    {20, 179, "<DC4>200B02111C085110B<ETX>"},
    {20, 178, "<DC4>200B02111C0620A15<ETX>"},
    {20, 180, "<DC4>200B02111C0950A1B<ETX>"},
    {21, 4, "<STX>07EFD<ETX>"},
    {21, 187, "<DC4>200B02112C1B00010<ETX>"},
    {21, 181, "<DC4>200B02112C0F00013<ETX>"},
    {21, 182, "<DC4>200B02112C1100302<ETX>"},
    {21, 183, "<DC4>200B02112C1000301<ETX>"},
    {21, 184, "<DC4>200B02112C1200303<ETX>"},
    {21, 185, "<DC4>200B02112C20000FF<ETX>"},
    {21, 186, "<DC4>200B02112C2200001<ETX>"},
    {21, 188, "<DC4>200B02112C2600005<ETX>"},
    {22, 4, "<STX>07EC0<ETX>"},
    {22, 189, "<DC4>200B02113424001F6<ETX>"},
    {23, 4, "<STX>07EFF<ETX>"},
    {23, 190, "<DC4>200B02111713064FE<ETX>"},
    {23, 191, "<DC4>200B02111714064FF<ETX>"},
    {23, 192, "<DC4>200B0211171606401<ETX>"},
    {23, 193, "<DC4>200B02111715032FB<ETX>"},
    {23, 194, "<DC4>200B02111719023FF<ETX>"},
    {23, 195, "<DC4>200B02111717021FB<ETX>"},
    {23, 196, "<DC4>200B02111718021FC<ETX>"},
    {24, 4, "<STX>07ED8<ETX>"},
    {24, 197, "<DC4>200B02114425001F8<ETX>"},
    {25, 4, "<STX>0F7E81146B<ETX>"},
    {25, 198, "<DC4>200B02114525001F9<ETX>"},
};

TEST(DspParametersPage, AsyncDownloadSelectsEachProgramThenWritesInTheReceiversOrder) {
  DspFixture f(ControlMode::kAsync);
  f.page.DownloadPage(f.image());
  const auto queued = f.Queued();
  ASSERT_EQ(queued.size(), std::size(kFactoryDownload));
  for (size_t i = 0; i < queued.size(); ++i) {
    EXPECT_EQ(queued[i].first, kFactoryDownload[i].text)
        << "program " << kFactoryDownload[i].program;
    EXPECT_EQ(queued[i].second, kFactoryDownload[i].code) << kFactoryDownload[i].text;
  }
}

TEST(DspParametersPage, RealTimeDownloadWritesWithoutProgramSelects) {
  DspFixture f(ControlMode::kRealTime);
  f.page.DownloadPage(f.image());
  std::vector<std::pair<std::string, ParamId>> expected;
  for (const Queued& entry : kFactoryDownload) {
    if (entry.code != 4) expected.emplace_back(entry.text, entry.code);
  }
  EXPECT_EQ(f.Queued(), expected);
}

TEST(DspParametersPage, ValuesAreWrittenInTheReceiversCodesAtBothEndsOfEveryRange) {
  struct Case {
    ParamId id;
    int value;
    const char* text;  // empty: nothing is written
  };
  const Case cases[] = {
      {28, -6, "<DC4>200B0211000E000FD<ETX>"},
      {28, 3, "<DC4>200B0211000E00906<ETX>"},
      {28, -7, ""},
      {28, 4, ""},
      {29, 0, "<DC4>200B0211001C000FC<ETX>"},
      {29, 5, "<DC4>200B0211001C00501<ETX>"},
      {30, 1, "<DC4>200B02110000001E9<ETX>"},
      {30, 99, "<DC4>200B02110000063F1<ETX>"},
      {30, 0, ""},
      {30, 100, ""},
      {31, 1, "<DC4>200B02110001001EA<ETX>"},
      {31, 20, "<DC4>200B02110001014EE<ETX>"},
      {32, 0, "<DC4>200B02110002000EA<ETX>"},
      {32, 10, "<DC4>200B0211000200AFB<ETX>"},
      {47, 10, "<DC4>200B0211090B00A14<ETX>"},
      {47, 50, "<DC4>200B0211090B03208<ETX>"},
      {47, 25, "<DC4>200B0211090B0190D<ETX>"},
      {47, 9, ""},
      {48, 0, "<DC4>200B0211090C00004<ETX>"},
      {48, 250, "<DC4>200B0211090C0FA2B<ETX>"},
      {49, 0, "<DC4>200B0211090D00005<ETX>"},
      {49, 100, "<DC4>200B0211090D0640F<ETX>"},
      {90, 1, "<DC4>200B02112D0520106<ETX>"},
      {90, 49, "<DC4>200B02112D0523109<ETX>"},
      {91, 1, "<DC4>200B02112D0620107<ETX>"},
      {91, 20, "<DC4>200B02112D062140B<ETX>"},
      {92, 0, "<DC4>200B02112D0720007<ETX>"},
      {92, 10, "<DC4>200B02112D0720A18<ETX>"},
      {93, 1, "<DC4>200B02112D085010C<ETX>"},
      {93, 49, "<DC4>200B02112D085310F<ETX>"},
      {94, 1, "<DC4>200B02112D095010D<ETX>"},
      {94, 20, "<DC4>200B02112D0951411<ETX>"},
      {95, 0, "<DC4>200B02112D0A50014<ETX>"},
      {95, 10, "<DC4>200B02112D0A50A25<ETX>"},
      {96, 0, "<DC4>200B02112D1B00617<ETX>"},
      {96, 1, "<DC4>200B02112D1B00415<ETX>"},
      {96, 2, ""},
      {132, 1, "<DC4>200B0211291B0040A<ETX>"},
      {187, 0, "<DC4>200B02112C1B00010<ETX>"},
      {187, 1, "<DC4>200B02112C1B00616<ETX>"},
      {187, 2, "<DC4>200B02112C1B00717<ETX>"},
      {187, 3, "<DC4>200B02112C1B00818<ETX>"},
      {187, 4, "<DC4>200B02112C1B00414<ETX>"},
      {187, 5, "<DC4>200B02112C1B00515<ETX>"},
      {187, 6, "<DC4>200B02112C1B00919<ETX>"},
      {187, 7, "<DC4>200B02112C1B00A21<ETX>"},
      {187, 8, "<DC4>200B02112C1B00B22<ETX>"},
      {187, 9, ""},
      {181, 0, "<DC4>200B02112C0F00013<ETX>"},
      {181, 1, "<DC4>200B02112C0F00114<ETX>"},
      {182, 0, "<DC4>200B02112C11000FF<ETX>"},
      {182, 7, "<DC4>200B02112C1100706<ETX>"},
      {183, -3, "<DC4>200B02112C10000FE<ETX>"},
      {183, 0, "<DC4>200B02112C1000301<ETX>"},
      {183, 3, "<DC4>200B02112C1000604<ETX>"},
      {183, 4, ""},
      {184, 0, "<DC4>200B02112C1200000<ETX>"},
      {184, 10, "<DC4>200B02112C1200A11<ETX>"},
      {185, 0, "<DC4>200B02112C20000FF<ETX>"},
      {185, 8, "<DC4>200B02112C2000807<ETX>"},
      {186, 0, "<DC4>200B02112C2200001<ETX>"},
      {186, 8, "<DC4>200B02112C2200809<ETX>"},
      {188, 0, "<DC4>200B02112C2600005<ETX>"},
      {188, 6, "<DC4>200B02112C260060B<ETX>"},
      {188, 7, ""},
      {189, 0, "<DC4>200B02113424000F5<ETX>"},
      {189, 1, "<DC4>200B02113424001F6<ETX>"},
      {190, 0, "<DC4>200B02111713000F4<ETX>"},
      {190, 100, "<DC4>200B02111713064FE<ETX>"},
      {191, 100, "<DC4>200B02111714064FF<ETX>"},
      {192, 100, "<DC4>200B0211171606401<ETX>"},
      {193, 100, "<DC4>200B0211171506400<ETX>"},
      {194, 100, "<DC4>200B0211171906404<ETX>"},
      {195, 100, "<DC4>200B0211171706402<ETX>"},
      {196, 0, "<DC4>200B02111718000F9<ETX>"},
      {196, 101, ""},
      {197, 0, "<DC4>200B02114425000F7<ETX>"},
      {197, 1, "<DC4>200B02114425001F8<ETX>"},
      {198, 0, "<DC4>200B02114525000F8<ETX>"},
      {198, 1, "<DC4>200B02114525001F9<ETX>"},
  };
  for (const Case& c : cases) {
    DspFixture f(ControlMode::kAsync);
    StoreParameter(f.image(), c.id, c.value);
    f.page.SendParamFromImage(f.image(), c.id, -1);
    std::vector<std::pair<std::string, ParamId>> expected;
    if (*c.text != '\0') expected.emplace_back(c.text, c.id);
    EXPECT_EQ(f.Queued(), expected) << c.id << " = " << c.value;
  }
  // IDs of other pages write nothing.
  DspFixture f(ControlMode::kAsync);
  for (const ParamId id : {27, 199, 426}) f.page.SendParamFromImage(f.image(), id, -1);
  EXPECT_TRUE(f.Queued().empty());
}

TEST(DspParametersPage, UpAndDownInRealTimeWriteOneCompleteFrameWithinTheRange) {
  DspFixture f(ControlMode::kRealTime);
  f.page.ShowProgram(0);  // row 0 is the DSP Level of Hall in Munich
  StoreParameter(f.image(), 28, -5);
  f.page.PressButton(Page::kDownButton);
  EXPECT_EQ(ReadParameter(f.image(), 28), -6);
  EXPECT_EQ(f.ValueOfRow(0), "-6dB");
  EXPECT_EQ(f.Written(), std::vector<std::string>{"<DC4>200B0211000E000FD<ETX>"});
  // One write, and the end marker sent it at once.
  ASSERT_EQ(f.capture.QueuedWithCodes().size(), 1U);
  EXPECT_EQ(f.capture.QueuedWithCodes()[0].second, 28);
  f.capture.Clear();
  f.page.PressButton(Page::kDownButton);  // below -6 dB: refused
  EXPECT_EQ(ReadParameter(f.image(), 28), -6);
  EXPECT_TRUE(f.Written().empty());

  StoreParameter(f.image(), 28, 2);
  f.page.PressButton(Page::kUpButton);
  EXPECT_EQ(f.Written(), std::vector<std::string>{"<DC4>200B0211000E00906<ETX>"});
  f.capture.Clear();
  f.page.PressButton(Page::kUpButton);
  EXPECT_EQ(ReadParameter(f.image(), 28), 3);
  EXPECT_TRUE(f.Written().empty());
}

TEST(DspParametersPage, AsyncEditsChangeTheImageAndQueueNothing) {
  DspFixture f(ControlMode::kAsync);
  f.page.ShowProgram(3);
  f.page.PressButton(Page::kUpButton);
  f.page.SelectListRow(Page::kNameList, 4);  // Rev. Time
  f.page.MoveSlider(Page::kFirstSlider + 4, 25);
  f.page.ReleaseSlider(Page::kFirstSlider + 4);
  f.page.PressButton(Page::kDefaultButton);
  EXPECT_EQ(ReadParameter(f.image(), 47), 40);
  EXPECT_TRUE(f.capture.QueuedWithCodes().empty());
  EXPECT_TRUE(f.capture.Frames().empty());
}

TEST(DspParametersPage, SurroundDecoderWritesItsDecodeTypeAndExtdSurroundCodes) {
  DspFixture f(ControlMode::kRealTime);
  StoreParameter(f.image(), 187, 7);
  f.page.ShowProgram(21);
  f.page.PressButton(Page::kUpButton);  // Decode Type to Neural THX
  EXPECT_EQ(f.ValueOfRow(0), "Neural THX");
  EXPECT_EQ(f.Written(), std::vector<std::string>{"<DC4>200B02112C1B00B22<ETX>"});
  f.capture.Clear();
  StoreParameter(f.image(), 188, 5);
  f.page.RefreshAll();
  f.page.SelectListRow(Page::kValueList, 1);  // EXTD Surround
  f.page.PressButton(Page::kUpButton);
  EXPECT_EQ(f.ValueOfRow(1), "Off");
  EXPECT_EQ(f.Written(), std::vector<std::string>{"<DC4>200B02112C260060B<ETX>"});
}

TEST(DspParametersPage, RevTimeOfTwentyFiveShowsTwoPointFiveAndIsWrittenAs19) {
  DspFixture f(ControlMode::kRealTime);
  StoreParameter(f.image(), 47, 24);
  f.page.ShowProgram(3);
  EXPECT_EQ(f.Names(),
            (std::vector<std::string>{"DSP Level", "Dialogue Lift", "(P.)Init. Delay",
                                      "(P.)Liveness", "Rev. Time", "Rev. Delay", "Rev. Level"}));
  f.page.SelectListRow(Page::kNameList, 4);
  const Control& slider = f.control(Page::kFirstSlider + 4);
  EXPECT_TRUE(slider.visible && slider.enabled);
  EXPECT_EQ(slider.minimum, 10);
  EXPECT_EQ(slider.maximum, 50);
  EXPECT_EQ(slider.value, 24);
  EXPECT_EQ(f.ValueOfRow(4), "2.4sec");
  // While the thumb moves only the text follows; the release stores and sends.
  f.page.MoveSlider(Page::kFirstSlider + 4, 25);
  EXPECT_EQ(f.ValueOfRow(4), "2.5sec");
  EXPECT_EQ(ReadParameter(f.image(), 47), 24);
  EXPECT_TRUE(f.Written().empty());
  f.page.ReleaseSlider(Page::kFirstSlider + 4);
  EXPECT_EQ(ReadParameter(f.image(), 47), 25);
  EXPECT_EQ(f.Written(), std::vector<std::string>{"<DC4>200B0211090B0190D<ETX>"});
}

TEST(DspParametersPage, SlidersIgnoreOutOfRangeHiddenAndTransferTimeMoves) {
  DspFixture f(ControlMode::kRealTime);
  f.page.ShowProgram(3);
  f.page.SelectListRow(Page::kNameList, 4);
  f.page.MoveSlider(Page::kFirstSlider + 4, 51);
  f.page.MoveSlider(Page::kFirstSlider + 4, 9);
  EXPECT_EQ(f.control(Page::kFirstSlider + 4).value, 40);
  EXPECT_EQ(f.ValueOfRow(4), "4.0sec");
  f.page.MoveSlider(Page::kFirstSlider + 5, 100);  // Rev. Delay's slider is hidden
  f.page.ReleaseSlider(Page::kFirstSlider + 5);
  EXPECT_EQ(f.ValueOfRow(5), "130ms");
  EXPECT_EQ(ReadParameter(f.image(), 48), 130);
  f.capture.Link().SetJob(TransferJob::kDownload);
  f.page.MoveSlider(Page::kFirstSlider + 4, 20);
  f.page.ReleaseSlider(Page::kFirstSlider + 4);
  EXPECT_EQ(f.ValueOfRow(4), "4.0sec");
  EXPECT_EQ(ReadParameter(f.image(), 47), 40);
  EXPECT_TRUE(f.Written().empty());
}

TEST(DspParametersPage, SelectingARowShowsOnlyItsSliderAndNoRowMeansNoEdit) {
  DspFixture f(ControlMode::kAsync);
  f.page.ShowProgram(6);  // Warehouse Loft: set C
  auto visibleSliders = [&] {
    std::vector<int> visible;
    for (int i = 0; i < Page::kSliderCount; ++i) {
      if (f.control(Page::kFirstSlider + i).visible) visible.push_back(i);
    }
    return visible;
  };
  EXPECT_EQ(f.page.SelectedRow(), 0);
  EXPECT_TRUE(visibleSliders().empty());  // DSP Level has no slider
  f.page.SelectListRow(Page::kNameList, 2);
  EXPECT_EQ(visibleSliders(), std::vector<int>{2});
  EXPECT_EQ(f.control(Page::kFirstSlider + 2).param, 64);
  f.page.SelectListRow(Page::kNameList, 6);
  EXPECT_EQ(visibleSliders(), std::vector<int>{6});
  EXPECT_EQ(f.control(Page::kNameList).value, 6);
  f.page.SelectListRow(Page::kNameList, 4);  // Liveness: no slider
  EXPECT_TRUE(visibleSliders().empty());
  f.page.SelectListRow(Page::kNameList, 8);  // beyond the eight rows
  EXPECT_EQ(f.page.SelectedRow(), -1);
  f.page.PressButton(Page::kUpButton);
  f.page.PressButton(Page::kDownButton);
  for (ParamId id = 62; id <= 69; ++id) {
    EXPECT_EQ(ReadParameter(f.image(), id), DspParamDefault(LocateParam(id).word)) << id;
  }
}

TEST(DspParametersPage, TriShowsNoSurroundBackRowsAndQuadShowsThem) {
  struct Case {
    int program;
    int triQuad;
    std::vector<ParamId> ids;
  };
  const Case cases[] = {
      {10, 0, {88, 89, 90, 91, 92, 96}},
      {10, 1, {88, 89, 90, 91, 92, 93, 94, 95, 96}},
      {11, 0, {97, 98, 99, 100, 101, 102, 105}},
      {14, 0, {124, 125, 126, 127, 128, 130, 132}},
      {14, 1, {124, 125, 126, 127, 128, 130, 129, 131, 132}},
      {16, 0, {141, 142, 143, 144, 145, 146}},
      {20, 1, {173, 174, 175, 176, 177, 178, 179, 180}},
      {3, 0, {43, 44, 45, 46, 47, 48, 49}},
      {15, 0, {133, 134, 135, 136, 137, 138, 139, 140}},
      {23, 1, {190, 191, 192, 193, 194, 195, 196}},
  };
  for (const Case& c : cases) {
    DspFixture f(ControlMode::kAsync);
    f.page.SelectListRow(Page::kTriQuadList, c.triQuad);
    f.page.ChooseCombo(Page::kProgramCombo, c.program);
    EXPECT_EQ(f.page.ShownIds(), c.ids) << c.program << "/" << c.triQuad;
    EXPECT_EQ(f.Names().size(), c.ids.size());
    EXPECT_EQ(f.control(Page::kValueList).items.size(), c.ids.size());
  }
  DspFixture f(ControlMode::kAsync);
  f.page.ShowProgram(10);
  EXPECT_EQ(f.Names(),
            (std::vector<std::string>{"DSP Level", "Dialogue Lift", "Sur. Init. Delay",
                                      "Sur. Room Size", "Sur. Liveness", "Decode Type"}));
  f.page.SelectListRow(Page::kTriQuadList, 2);  // no such choice
  EXPECT_EQ(f.page.TriQuad(), 0);
  EXPECT_EQ(f.page.ShownIds().size(), 6U);
}

// The Surround Decoder rows that each decode type shows.
std::vector<ParamId> SurroundDecoderRows(int decodeType) {
  switch (decodeType) {
    case 2:
      return {187, 181, 182, 183, 188};
    case 5:
      return {187, 184, 188};
    case 6:
    case 7:
      return {187, 185, 186, 188};
    default:
      return {187, 188};
  }
}

TEST(DspParametersPage, SurroundDecoderRowsFollowTheDecodeTypeStepByStep) {
  DspFixture f(ControlMode::kAsync);
  f.page.ShowProgram(21);
  EXPECT_EQ(f.page.ShownIds(), SurroundDecoderRows(0));
  for (int decodeType = 1; decodeType <= 8; ++decodeType) {
    f.page.PressButton(Page::kUpButton);
    EXPECT_EQ(ReadParameter(f.image(), 187), decodeType);
    EXPECT_EQ(f.page.ShownIds(), SurroundDecoderRows(decodeType)) << "up to " << decodeType;
    EXPECT_EQ(f.ValueOfRow(0), DspChoiceList(10)[static_cast<size_t>(decodeType)]);
  }
  f.page.PressButton(Page::kUpButton);  // no tenth decode type
  EXPECT_EQ(ReadParameter(f.image(), 187), 8);
  for (int decodeType = 7; decodeType >= 0; --decodeType) {
    f.page.PressButton(Page::kDownButton);
    EXPECT_EQ(f.page.ShownIds(), SurroundDecoderRows(decodeType)) << "down to " << decodeType;
  }
  // Tri/Quad has no say here.
  StoreParameter(f.image(), 187, 2);
  f.page.SelectListRow(Page::kTriQuadList, 1);
  EXPECT_EQ(f.page.ShownIds(), SurroundDecoderRows(2));
}

TEST(DspParametersPage, ProgramComboIsTheUsersOnlyInAsyncMode) {
  DspFixture async(ControlMode::kAsync);
  EXPECT_EQ(async.page.ShownProgram(), 12);
  EXPECT_EQ(async.page.TriQuad(), 0);
  EXPECT_EQ(async.page.ShownIds(), (std::vector<ParamId>{106, 107, 108, 109, 110, 111, 114}));
  EXPECT_TRUE(async.control(Page::kProgramCombo).enabled);
  async.page.ChooseCombo(Page::kProgramCombo, 26);
  async.page.ChooseCombo(Page::kProgramCombo, -1);
  EXPECT_EQ(async.page.ShownProgram(), 12);
  async.page.ChooseCombo(Page::kProgramCombo, 25);
  EXPECT_EQ(async.page.ShownIds(), std::vector<ParamId>{198});
  EXPECT_EQ(async.control(Page::kProgramCombo).value, 25);

  DspFixture live(ControlMode::kRealTime);
  EXPECT_FALSE(live.control(Page::kProgramCombo).enabled);
  live.page.ChooseCombo(Page::kProgramCombo, 3);
  EXPECT_EQ(live.page.ShownProgram(), 12);
  live.page.ShowProgram(22);
  EXPECT_EQ(live.page.ShownProgram(), 22);
  EXPECT_EQ(live.control(Page::kProgramCombo).value, 22);
  EXPECT_EQ(live.Names(), std::vector<std::string>{"Direct"});
  EXPECT_EQ(live.ValueOfRow(0), "AUTO");
  live.page.ShowProgram(26);  // Straight has no parameters
  EXPECT_EQ(live.page.ShownProgram(), 22);
}

TEST(DspParametersPage, DefaultRestoresTheShownProgramOnlyAndSendsItInRealTime) {
  DspFixture f(ControlMode::kRealTime);
  f.page.ShowProgram(16);
  f.page.SelectListRow(Page::kTriQuadList, 1);
  for (ParamId id = 141; id <= 148; ++id) StoreParameter(f.image(), id, 1);
  StoreParameter(f.image(), 149, 40);  // Action Game keeps its value
  f.page.SelectListRow(Page::kNameList, 3);
  f.page.PressButton(Page::kDefaultButton);
  const std::vector<int> factory = {0, 0, 10, 10, 12, 10, 15, 10};
  for (ParamId id = 141; id <= 148; ++id) {
    EXPECT_EQ(ReadParameter(f.image(), id), factory[static_cast<size_t>(id - 141)]) << id;
  }
  EXPECT_EQ(ReadParameter(f.image(), 149), 40);
  EXPECT_EQ(f.page.SelectedRow(), 0);
  EXPECT_EQ(f.ValueOfRow(2), "10ms");
  // The program's writes in download order, no select, the first on the wire.
  EXPECT_EQ(f.Written(), (std::vector<std::string>{ExtendedFrame("200B021121"
                                                                 "0E006"),
                                                   ExtendedFrame("200B021121"
                                                                 "1C000"),
                                                   ExtendedFrame("200B021121"
                                                                 "0000A"),
                                                   ExtendedFrame("200B021121"
                                                                 "0100A"),
                                                   ExtendedFrame("200B021121"
                                                                 "0520C"),
                                                   ExtendedFrame("200B021121"
                                                                 "0850F"),
                                                   ExtendedFrame("200B021121"
                                                                 "0620A"),
                                                   ExtendedFrame("200B021121"
                                                                 "0950A")}));
  const auto queued = f.capture.QueuedWithCodes();
  std::vector<ParamId> codes;
  for (const auto& entry : queued) codes.push_back(entry.second);
  EXPECT_EQ(codes, (std::vector<ParamId>{141, 142, 143, 144, 145, 147, 146, 148}));
}

TEST(DspParametersPage, ParameterListsPerProgramAndForTheWholePage) {
  DspFixture f(ControlMode::kAsync);
  auto list = [&](int selector) {
    std::vector<ParamId> ids;
    std::vector<int> subIndices;
    f.page.GetParamList(ids, subIndices, true, selector);
    EXPECT_EQ(subIndices, std::vector<int>(ids.size(), -1));
    return ids;
  };
  EXPECT_EQ(list(21), (std::vector<ParamId>{187, 181, 182, 183, 184, 185, 186, 188}));
  EXPECT_EQ(list(14), (std::vector<ParamId>{124, 125, 126, 127, 128, 130, 129, 131, 132}));
  EXPECT_EQ(list(0), (std::vector<ParamId>{28, 29, 30, 31, 32}));
  EXPECT_TRUE(list(-1).empty());
  EXPECT_TRUE(list(27).empty());
  std::vector<ParamId> whole;
  for (const Factory& program : FactoryValues()) {
    whole.insert(whole.end(), program.ids.begin(), program.ids.end());
  }
  EXPECT_EQ(list(26), whole);
  EXPECT_EQ(std::set<ParamId>(whole.begin(), whole.end()).size(), 171U);
}

TEST(DspParametersPage, TextsOfValuesSectionsAndKeys) {
  struct Case {
    ParamId id;
    int value;
    const char* section;
    const char* key;
    const char* text;
  };
  const Case cases[] = {
      {28, -6, "DSP Parameters Hall in Munich", "DSP Level", "-6dB"},
      {28, 3, "DSP Parameters Hall in Munich", "DSP Level", "3dB"},
      {31, 1, "DSP Parameters Hall in Munich", "(P.)Room Size", "0.1"},
      {31, 20, "DSP Parameters Hall in Munich", "(P.)Room Size", "2.0"},
      {47, 25, "DSP Parameters Church in Freiburg", "Rev. Time", "2.5sec"},
      {49, 100, "DSP Parameters Church in Freiburg", "Rev. Level", "100%"},
      {90, 26, "DSP Parameters Standard", "Tri & Quad Sur. Init. Delay", "26ms"},
      {91, 10, "DSP Parameters Standard", "Tri & Quad Sur. Room Size", "1.0"},
      {92, 3, "DSP Parameters Standard", "Tri & Quad Sur. Liveness", "3"},
      {93, 20, "DSP Parameters Standard", "Quad Only SB. Init. Delay", "20ms"},
      {94, 10, "DSP Parameters Standard", "Quad Only SB. Room Size", "1.0"},
      {95, 5, "DSP Parameters Standard", "Quad Only SB. Liveness", "5"},
      {96, 1, "DSP Parameters Standard", "Decode Type", "Neo:6 Cinema"},
      {129, 15, "DSP Parameters Drama", "Quad Only SB. Init. Delay", "15ms"},
      {187, 8, "DSP Parameters Surround Decoder", "Decode Type", "Neural THX"},
      {181, 1, "DSP Parameters Surround Decoder", "Panorama", "ON"},
      {181, 0, "DSP Parameters Surround Decoder", "Panorama", "OFF"},
      {182, 7, "DSP Parameters Surround Decoder", "Center Width", "7"},
      {183, 0, "DSP Parameters Surround Decoder", "Dimension", "STD"},
      {183, -3, "DSP Parameters Surround Decoder", "Dimension", "-3"},
      {184, 3, "DSP Parameters Surround Decoder", "C. Image", "0.3"},
      {184, 10, "DSP Parameters Surround Decoder", "C. Image", "1.0"},
      {185, 8, "DSP Parameters Surround Decoder", "Focus Level", "8"},
      {186, 0, "DSP Parameters Surround Decoder", "TruBass Level", "0"},
      {188, 6, "DSP Parameters Surround Decoder", "EXTD Surround", "Off"},
      {189, 1, "DSP Parameters 2ch Stereo", "Direct", "AUTO"},
      {189, 0, "DSP Parameters 2ch Stereo", "Direct", "OFF"},
      {194, 35, "DSP Parameters 7ch Stereo", "SB2 LEVEL", "35%"},
      {197, 1, "DSP Parameters Straight Enhancer", "Effect Level", "High"},
      {198, 0, "DSP Parameters 7ch Enhancer", "Effect Level", "Low"},
  };
  DspFixture f(ControlMode::kAsync);
  for (const Case& c : cases) {
    StoreParameter(f.image(), c.id, c.value);
    std::string section, key, value;
    f.page.GetParamText(f.image(), c.id, -1, &section, &key, &value, false);
    EXPECT_EQ(section, c.section) << c.id;
    EXPECT_EQ(key, c.key) << c.id;
    EXPECT_EQ(value, c.text) << c.id;
  }
  // IDs of other pages have none.
  std::string section, key, value;
  for (const ParamId id : {27, 199, 434}) {
    section = key = value = "x";
    f.page.GetParamText(f.image(), id, -1, &section, &key, &value, false);
    EXPECT_TRUE(section.empty() && key.empty() && value.empty()) << id;
  }
}

TEST(DspParametersPage, AValueWithoutATextIsNotDescribedAtAll) {
  // Choices, ON/OFF, AUTO/OFF and High/Low outside their words: no section,
  // no key, no value, so neither a file nor the report gets "Effect Level=".
  struct Case {
    ParamId id;
    int value;
    const char* key;
  };
  const Case cases[] = {
      {187, 9, "Decode Type"},   {187, -1, "Decode Type"}, {96, 2, "Decode Type"},
      {188, 7, "EXTD Surround"}, {181, 2, "Panorama"},     {181, -1, "Panorama"},
      {189, 2, "Direct"},        {197, 2, "Effect Level"}, {198, -1, "Effect Level"},
  };
  for (const Case& c : cases) {
    DspFixture f(ControlMode::kAsync);
    StoreParameter(f.image(), c.id, c.value);
    std::string section = "kept", key = "kept", value = "kept";
    f.page.GetParamText(f.image(), c.id, -1, &section, &key, &value, false);
    EXPECT_EQ(section, "kept") << c.id << " " << c.value;
    EXPECT_EQ(key, "kept") << c.id << " " << c.value;
    EXPECT_EQ(value, "kept") << c.id << " " << c.value;
    MemoryIniFile file;
    f.page.SaveToProfile(file, f.image());
    EXPECT_EQ(file.Serialize().find("\n" + std::string(c.key) + "=\r"), std::string::npos) << c.id;
    EXPECT_EQ(f.page.BuildReportText(f.image()).find(std::string(c.key) + " = \r"),
              std::string::npos)
        << c.id;
  }
}

TEST(DspParametersPage, FileTextsAreReadBackOnlyWhenTheyNameAValueInRange) {
  struct Case {
    ParamId id;
    const char* text;
    int stored;  // the value afterwards; the starting value when refused
    bool accepted;
  };
  const Case cases[] = {
      {28, "-6dB", -6, true},        {28, "3dB", 3, true},         {28, "-7dB", 0, false},
      {28, "4dB", 0, false},         {28, "dB", 0, false},         {28, "loud", 0, false},
      {30, "99ms", 99, true},        {30, "100ms", 30, false},     {30, "0ms", 30, false},
      {31, "2.0", 20, true},         {31, "0.1", 1, true},         {31, "2.1", 10, false},
      {31, "0.0", 10, false},        {47, "2.5sec", 25, true},     {47, "5.0sec", 50, true},
      {47, "5.1sec", 40, false},     {47, "0.9sec", 40, false},    {47, "2.57sec", 25, true},
      {90, "49ms", 49, true},        {90, "50ms", 26, false},      {94, "0.5", 5, true},
      {96, "Neo:6 Cinema", 1, true}, {96, "PLIIx Movie", 0, true}, {96, "Neo:6 Music", 0, false},
      {187, "Neural THX", 8, true},  {187, "Pro Logic", 0, true},  {187, "Neural", 0, false},
      {187, "neural thx", 0, false}, {181, "ON", 1, true},         {181, "on", 0, false},
      {181, "1", 0, false},          {182, "7", 7, true},          {182, "8", 3, false},
      {183, "STD", 0, true},         {183, "-3", -3, true},        {183, "3", 3, true},
      {183, "4", 0, false},          {183, "std", 0, false},       {184, "1.0", 10, true},
      {184, "1.1", 3, false},        {185, "8", 8, true},          {185, "9", 0, false},
      {186, "-1", 0, false},         {188, "Off", 6, true},        {188, "OFF", 0, false},
      {188, "Auto", 0, true},        {189, "OFF", 0, true},        {189, "Off", 1, false},
      {189, "ON", 1, false},         {197, "Low", 0, true},        {197, "Medium", 1, false},
      {198, "High", 1, true},        {196, "100%", 100, true},     {196, "101%", 33, false},
  };
  for (const Case& c : cases) {
    DspFixture f(ControlMode::kAsync);
    EXPECT_EQ(f.page.SetParamFromText(f.image(), c.id, -1, c.text), c.accepted)
        << c.id << " " << c.text;
    EXPECT_EQ(ReadParameter(f.image(), c.id), c.stored) << c.id << " " << c.text;
  }
  DspFixture f(ControlMode::kAsync);
  EXPECT_FALSE(f.page.SetParamFromText(f.image(), 199, -1, "Sci-Fi"));
}

TEST(DspParametersPage, ReportListsAllSurroundDecoderParametersWhateverTheDecodeType) {
  DspFixture f(ControlMode::kAsync);
  const std::string report = f.page.BuildReportText(f.image());
  EXPECT_EQ(report.find("\r\n(DSP Parameters Hall in Munich)\r\nDSP Level = 0dB\r\n"), 0U);
  const std::string surroundDecoder =
      "\r\n(DSP Parameters Surround Decoder)\r\n"
      "Decode Type = Pro Logic\r\nPanorama = OFF\r\nCenter Width = 3\r\nDimension = STD\r\n"
      "C. Image = 0.3\r\nFocus Level = 0\r\nTruBass Level = 0\r\nEXTD Surround = Auto\r\n";
  EXPECT_NE(report.find(surroundDecoder), std::string::npos);
  EXPECT_NE(report.find("Quad Only SB. Room Size = 1.0\r\n"), std::string::npos);
  EXPECT_NE(report.find("(DSP Parameters 7ch Enhancer)\r\nEffect Level = High\r\n"),
            std::string::npos);
}

// The parameter rows of a program in row order, straight from the table.
std::vector<const DspParameterRow*> RowsOf(int program) {
  std::vector<const DspParameterRow*> rows;
  for (const DspParameterRow& row : DspParameterRows()) {
    if (row.program == program && (row.kind < 10 || row.kind > 12)) rows.push_back(&row);
  }
  return rows;
}

TEST(DspParametersPage, ProfileRoundTripCarriesEveryParameterOfEveryProgram) {
  DspFixture f(ControlMode::kAsync);
  CSettingImage changed;
  ResetImage(changed, 0, 1);
  for (int program = 0; program < 26; ++program) {
    const auto ids = ProgramParameterIds(program);
    const auto rows = RowsOf(program);
    ASSERT_EQ(ids.size(), rows.size());
    for (size_t i = 0; i < ids.size(); ++i) {
      StoreParameter(f.image(), ids[i], rows[i]->maximum);
      StoreParameter(changed, ids[i], rows[i]->minimum);
    }
  }
  MemoryIniFile file;
  f.page.SaveToProfile(file, f.image());
  ASSERT_EQ(file.Sections().size(), 26U);
  EXPECT_EQ(file.Sections()[21].name, "DSP Parameters Surround Decoder");
  size_t keys = 0;
  for (const auto& section : file.Sections()) keys += section.entries.size();
  EXPECT_EQ(keys, 171U);
  EXPECT_EQ(file.Read("DSP Parameters Standard", "Quad Only SB. Init. Delay"), "49ms");

  f.page.LoadFromProfile(file, changed);
  for (ParamId id = 28; id <= 198; ++id) {
    EXPECT_EQ(ReadParameter(changed, id), ReadParameter(f.image(), id)) << id;
  }
  // A line that names no value leaves the parameter as it is.
  file.Write("DSP Parameters Surround Decoder", "Panorama", "MAYBE");
  file.Write("DSP Parameters Sci-Fi", "DSP Level", "9dB");
  StoreParameter(changed, 181, 0);
  StoreParameter(changed, 106, -2);
  f.page.LoadFromProfile(file, changed);
  EXPECT_EQ(ReadParameter(changed, 181), 0);
  EXPECT_EQ(ReadParameter(changed, 106), -2);
}

TEST(DspParametersPage, ReportedValuesReachTheShownRowsOnlyWhileActive) {
  DspFixture f(ControlMode::kRealTime);
  f.page.ShowProgram(0);
  f.page.SelectListRow(Page::kNameList, 2);
  StoreParameter(f.image(), 30, 77);
  f.page.SetActive(false);
  f.page.RefreshParam(30, true);
  EXPECT_EQ(f.ValueOfRow(2), "30ms");
  f.page.SetActive(true);  // activation shows the image again
  EXPECT_EQ(f.ValueOfRow(2), "77ms");
  f.page.SelectListRow(Page::kNameList, 2);
  StoreParameter(f.image(), 30, 12);
  f.page.RefreshParam(30, true);
  EXPECT_EQ(f.ValueOfRow(2), "12ms");
  EXPECT_EQ(f.control(Page::kFirstSlider + 2).value, 12);
  EXPECT_EQ(f.page.SelectedRow(), 2);
  // A reported decode type that brings up other rows rebuilds them.
  f.page.ShowProgram(21);
  StoreParameter(f.image(), 187, 5);
  f.page.RefreshParam(187, true);
  EXPECT_EQ(f.page.ShownIds(), SurroundDecoderRows(5));
  EXPECT_TRUE(f.Written().empty());
}

}  // namespace
}  // namespace qamp
