// The read-request table, row by row against the patterns it is made of.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "link/read_request_table.h"
#include "link/wire_format.h"

namespace qamp {
namespace {

struct Row {
  std::string request;
  std::string reply1;
  std::string reply2;
  int flags;
  int group;
};

const std::string STX = "\x02";
const std::string ETX = "\x03";
const std::string DC4 = "\x14";

// The expected table, built from the row patterns.
std::vector<Row> ExpectedRows() {
  std::vector<Row> rows;
  auto add = [&](const std::string& request, const std::string& replyHeader, int flags,
                 int group = -1) {
    rows.push_back({DC4 + request, DC4 + replyHeader + request.substr(4), {}, flags, group});
  };
  add("200500001", "200A", 0x01);
  add("200500000", "2008", 0x01);
  add("200500007", "2008", 0x01);
  add("20050000A", "2006", 0x01);
  add("200500004", "2014", 0x01);
  for (int memory = 0; memory < 6; ++memory) add("20050700" + std::to_string(memory), "2006", 0x05);
  const char* inputs[] = {"14", "15", "16", "19", "18", "C1", "54",
                          "0F", "13", "55", "B4", "87", "C8", "C1"};
  for (int i = 0; i < 14; ++i) {
    const int row = 11 + i;
    const int flags = row == 24 ? 0x09 : row == 21 ? 0x4A : 0x0A;
    rows.push_back({STX + "07A" + inputs[i] + ETX, STX + "0028", STX + "0021", flags, -1});
  }
  struct Block {
    const char* select;
    const char* number;
    std::vector<std::string> parameters;
  };
  const std::vector<std::string> a = {"0E0", "1C0", "000", "010", "020"};
  const std::vector<std::string> b = {"0E0", "1C0", "000", "020", "0B0", "0C0", "0D0"};
  const std::vector<std::string> c = {"0E0", "1C0", "000", "010", "020", "0B0", "0C0", "0D0"};
  const std::vector<std::string> e = {"0E0", "1C0", "000", "010", "052",
                                      "062", "085", "095", "1B0"};
  const std::vector<std::string> f = {"0E0", "1C0", "000", "010", "052", "062", "085", "095"};
  const std::vector<Block> blocks = {
      {"07EE1", "00", a},
      {"07EE5", "05", a},
      {"07EE6", "07", a},
      {"07EE8", "09", b},
      {"07EAF", "0B", b},
      {"07EEB", "0D", a},
      {"07EEE", "11", c},
      {"07ECD", "0F", a},
      {"07EED", "10", c},
      {"07EEC", "0E", a},
      {"07EFE", "2D", {"0E0", "1C0", "052", "062", "072", "085", "095", "0A5", "1B0"}},
      {"07EF9", "24", e},
      {"07EFA", "25", e},
      {"07EFB", "28", e},
      {"07EFC", "29", e},
      {"07EF7", "20", c},
      {"07EF8", "21", f},
      {"07EF2", "1E", f},
      {"07ECE", "1F", f},
      {"07EF3", "18", f},
      {"07EF5", "1C", f},
      {"07EFD", "2C", {"1B0", "0F0", "110", "100", "120", "200", "220", "260"}},
      {"07EC0", "34", {"240"}},
      {"07EFF", "17", {"130", "140", "160", "150", "190", "170", "180"}},
      {"07ED8", "44", {"250"}},
      {"0F7E81146B", "45", {"250"}},
  };
  for (size_t group = 0; group < blocks.size(); ++group) {
    const Block& block = blocks[group];
    rows.push_back({STX + block.select + ETX, STX + "0028" + block.number + ETX, {}, 0x05, -1});
    for (const std::string& parameter : block.parameters) {
      const int row = static_cast<int>(rows.size());
      add(std::string("20090210") + block.number + parameter, "200B",
          row == 205 || row == 206 ? 0x85 : 0x05, static_cast<int>(group));
    }
  }
  add("2006050000", "200D", 0x01);
  for (int page = 1; page <= 5; ++page)
    for (int preset = 1; preset <= 8; ++preset)
      add("20060500" + std::to_string(page) + std::to_string(preset), "200D", 0x01);
  for (int page = 1; page <= 5; ++page)
    for (int preset = 1; preset <= 8; ++preset)
      add("20060510" + std::to_string(page) + std::to_string(preset), "2008", 0x41);
  for (const char* name :
       {"00", "01", "02", "03", "04", "05", "06", "09", "0A", "0C", "0E", "20", "10", "11"}) {
    add(std::string("200701100") + name, "2012", rows.size() == 313 ? 0x41 : 0x01);
  }
  for (const char* port : {"030", "031", "032", "000", "001", "002", "020", "021", "022", "023",
                           "010", "011", "060", "061", "062", "063"}) {
    add(std::string("2006010") + port, "2008", 0x01);
  }
  for (const char* channel : {"0", "2", "3", "4", "5", "6", "7", "8", "9", "A"}) {
    add(std::string("20050410") + channel, "2009", 0x85);
  }
  add("2006033000", "2009", 0x05);
  add("2006033001", "2009", 0x05);
  add("2006033010", "2009", 0x01);
  add("2006033011", "2009", 0x01);
  for (const char* block : {"0", "1"}) {
    for (const char* sub : {"0", "1", "2"}) {
      for (const char* item :
           {"00", "01", "02", "03", "04", "05", "06", "09", "0A", "0C", "10", "0E", "11"}) {
        if (std::string(item) == "10" && std::string(sub) != "0")
          continue;  // MULTI CH has Main only
        int flags = std::string(sub) == "0" ? 0x81 : std::string(sub) == "1" ? 0x91 : 0xA1;
        if (std::string(item) == "0E") flags |= 0x40;
        add(std::string("20080400") + block + sub + item, "2009", flags);
      }
    }
  }
  for (const char* input : {"000", "001", "002", "003", "004", "005", "006", "009", "00A", "00C",
                            "010", "00E", "020", "011"}) {
    add(std::string("2006012") + input, "2008", rows.size() == 432 ? 0x45 : 0x05);
  }
  add("200507101", "2006", 0x05);
  const char* channels = "023456789";
  for (const char* ch = channels; *ch != '\0'; ++ch)
    for (const char* band : {"0", "2", "4", "6", "8", "A", "C"})
      add(std::string("20060300") + *ch + band, "2008", 0x05);
  add("20060300A0", "2008", 0x05);
  add("20060300A2", "2008", 0x05);
  for (const char* ch = channels; *ch != '\0'; ++ch)
    for (const char* band : {"0", "1", "2", "3", "4", "5", "6"})
      add(std::string("20060340") + *ch + band, "200B", 0x05);
  add("20060340A0", "200B", 0x05);
  add("20060340A1", "200B", 0x05);
  add("200500400", "2006", 0x01);
  add("200500500", "2006", 0x01);
  rows.push_back({DC4 + "20050000F", DC4 + "200F0000", DC4 + "20110000", 0x01, -1});
  return rows;
}

TEST(ReadRequestTable, EveryRowFollowsItsPattern) {
  const std::vector<Row> expected = ExpectedRows();
  ASSERT_EQ(expected.size(), static_cast<size_t>(kReadRequestRows));
  for (int i = 0; i < kReadRequestRows; ++i) {
    const ReadRequestRow& row = kReadRequestTable[static_cast<size_t>(i)];
    const Row& want = expected[static_cast<size_t>(i)];
    EXPECT_EQ(row.request, want.request) << "row " << i;
    EXPECT_EQ(row.reply1, want.reply1) << "row " << i;
    EXPECT_EQ(row.reply2, want.reply2) << "row " << i;
    EXPECT_EQ(row.flags, want.flags) << "row " << i;
    EXPECT_EQ(row.programGroup, want.group) << "row " << i;
  }
  EXPECT_TRUE(kReadRequestTable[kReadRequestRows].request.empty()) << "an empty row ends the table";
}

TEST(ReadRequestTable, TheLengthOfEveryExtendedRequestCountsItsAddress) {
  for (int i = 0; i < kReadRequestRows; ++i) {
    const ReadRequestRow& row = kReadRequestTable[static_cast<size_t>(i)];
    if (row.request.front() != kDc4) continue;
    const int length = std::stoi(std::string(row.request.substr(3, 2)), nullptr, 16);
    EXPECT_EQ(static_cast<size_t>(length), row.request.size() - 5) << "row " << i;
  }
}

TEST(ReadRequestTable, SpecialRowsAndTheProgressTotal) {
  EXPECT_EQ(ShowFrame(FrameExtended(kReadRequestTable[kConnectionCheckRow].request)),
            "<DC4>20050000FCD<ETX>");
  EXPECT_EQ(kInitialLoadProgressTotal, 570);
  int initialLoad = 0;
  for (int i = 0; i < kReadRequestRows; ++i)
    initialLoad += (kReadRequestTable[static_cast<size_t>(i)].flags & 1);
  // Every row but the input selections 11..23, which only the Upload reads.
  EXPECT_EQ(initialLoad, 569 - 13);
}

}  // namespace
}  // namespace qamp
