// The plot-file reader of the USB plug-in, without windows: the pen-command grammar with its
// edge cases as one table, the counting of what it drops, and files read in batches, resumed,
// rolled back and given as 16-bit text or damaged.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "usbplugin/PlotFile.h"

namespace {

// Records as text: "U0,0 D100,0".
std::string Parse(const std::string& text, DroppedCommands* dropped = nullptr) {
  CPlotParser parser;
  PlotRecord record;
  std::string out;
  for (char c : text) {
    if (!parser.Feed(static_cast<BYTE>(c), record)) continue;
    if (!out.empty()) out += ' ';
    out += record.pen + std::to_string(record.x) + "," + std::to_string(record.y);
  }
  if (dropped) *dropped = parser.State().dropped;
  return out;
}

TEST(PlotParser, ReadsPenListsAndPassesOverEverythingElse) {
  struct Case {
    const char* text;
    const char* records;
  };
  // clang-format off
  const Case cases[] = {
    {"PU0,0;PD100,0,100,100,0,100,0,0;PU;", "U0,0 D100,0 D100,100 D0,100 D0,0"},
    {"PD10,20", ""},                           // an unfinished pair at the end
    {"PD-5,7;", "D-5,7"},
    {"PD10,20 30,40;", "D10,20"},              // a blank ends the list
    {"PA100,200;", "U100,200"},
    {"PD1,2,3,4,5,6;", "D1,2 D3,4 D5,6"},      // a cut run continued with ",x,y"
    {"IN;SP1;VS40;FS80;PU;", ""},
    {";:H EC1 A U100,200 D300,400 D300,500 @", "U100,200 D300,400 D300,500"},  // DM/PL
    {"PU10,20PD30,40;", "U10,20 D30,40"},      // the next command ends the list like a ";"
    {"PD10,20PU30,40;PD50,60", "D10,20 U30,40"},  // half cut: solid and void pieces back to back
    {"PD10PU5,5;", "U5,5"},                    // a pair without its y is dropped
    {"SD1,2;AD3,4;EA5,6;", ""},                // letters of other commands' names start nothing
    {"LBA;PD1,1\x03PD5,5;", "D5,5"},           // nor do letters in a label's text
    {"WDPD1,2;PD7,8;", "D7,8"},
    {"PD99999999999,1;", "D2147483647,1"},     // numbers saturate
    {"PD-99999999999,1;", "D-2147483647,1"},
    {"PD1,2\r\nPD3,4\n", "D1,2 D3,4"},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(c.records, Parse(c.text)) << c.text;
}

TEST(PlotParser, CountsWhatItDrops) {
  DroppedCommands dropped;
  EXPECT_EQ("D9,9", Parse("PR10,10;PR5,5;PD10.5,20;pd10,20;Pu0,0;PD9,9;", &dropped));
  EXPECT_EQ(2, dropped.relative);
  EXPECT_EQ(1, dropped.decimal);
  EXPECT_EQ(2, dropped.lowerCase);
  Parse("IN;PU0,0;PD10,10;in;sp1;", &dropped);
  EXPECT_EQ(0, dropped.relative + dropped.decimal + dropped.lowerCase);
}

class PlotFileTest : public ::testing::Test {
protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = m_folder.File(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string Wide(const std::string& text) {
    std::string wide = "\xFF\xFE";
    for (char c : text) wide += std::string(1, c) + '\0';
    return wide;
  }
  static std::string ReadAll(CPlotFile& file, int batch) {
    CPlotParser parser;
    std::vector<PlotRecord> records(batch);
    std::string out;
    int count = 0;
    bool more = true;
    while (more) {
      more = file.ReadRecords(parser, records.data(), batch, count);
      for (int i = 0; i < count; ++i) out += records[i].pen + std::to_string(records[i].x) + ";";
    }
    return out;
  }

  TempFolder m_folder;
};

TEST_F(PlotFileTest, SixteenBitTextReadsLikeItsEightBitForm) {
  const std::string text = "IN;PU0,0;PD100,0,100,100,0,100,0,0;PU;";
  CPlotFile narrow, wide;
  ASSERT_EQ(CPlotFile::kOpened, narrow.Open(Write("a.plt", text).c_str()));
  ASSERT_EQ(CPlotFile::kOpened, wide.Open(Write("w.plt", Wide(text)).c_str()));
  EXPECT_TRUE(wide.IsWide());
  INT32 narrowCount = 0, wideCount = 0;
  DroppedCommands dropped;
  ASSERT_TRUE(narrow.CountRecords(narrowCount, dropped));
  ASSERT_TRUE(wide.CountRecords(wideCount, dropped));
  EXPECT_EQ(5, narrowCount);
  EXPECT_EQ(5, wideCount);
  EXPECT_EQ(ReadAll(narrow, 100), ReadAll(wide, 100));
  // A lone last byte of a 16-bit file is no character.
  CPlotFile odd;
  ASSERT_EQ(CPlotFile::kOpened, odd.Open(Write("o.plt", Wide(text) + "P").c_str()));
  ASSERT_TRUE(narrow.Start());
  EXPECT_EQ(ReadAll(narrow, 100), ReadAll(odd, 100));
}

TEST_F(PlotFileTest, BatchesResumeWhereTheyStoppedAndRollBack) {
  std::string text = "IN;";
  for (int i = 0; i < 3000; ++i) text += "PD" + std::to_string(i) + "," + std::to_string(i) + ";";
  CPlotFile whole, batched;
  ASSERT_EQ(CPlotFile::kOpened, whole.Open(Write("a.plt", text).c_str()));
  ASSERT_EQ(CPlotFile::kOpened, batched.Open(Write("b.plt", text).c_str()));
  // Batches cross the 4096-byte blocks of the file.
  EXPECT_EQ(ReadAll(whole, 5000), ReadAll(batched, 7));

  ASSERT_TRUE(batched.Start());
  CPlotParser parser;
  PlotRecord first[10], again[10];
  int count = 0;
  ASSERT_TRUE(batched.ReadRecords(parser, first, 10, count));
  PlotParserState state = parser.State();
  UINT64 position = batched.Position();
  ASSERT_TRUE(batched.ReadRecords(parser, first, 10, count));
  parser.SetState(state);
  ASSERT_TRUE(batched.Seek(position));
  ASSERT_TRUE(batched.ReadRecords(parser, again, 10, count));
  for (int i = 0; i < 10; ++i) EXPECT_EQ(first[i].x, again[i].x);
  EXPECT_EQ(10, first[0].x);
}

TEST_F(PlotFileTest, DamagedAndShortFilesAreRefused) {
  CPlotFile file;
  EXPECT_EQ(CPlotFile::kMissing, file.Open(m_folder.File("none.plt").c_str()));
  EXPECT_EQ(CPlotFile::kTooShort, file.Open(Write("s.plt", "PD1,").c_str()));
  std::string noise;
  for (int i = 0; i < 20000; ++i) noise += static_cast<char>((i * 7919) & 0xFF);
  ASSERT_EQ(CPlotFile::kOpened, file.Open(Write("n.plt", noise).c_str()));
  INT32 count = -1;
  DroppedCommands dropped;
  EXPECT_TRUE(file.CountRecords(count, dropped));
  EXPECT_GE(count, 0);
}

}  // namespace
