// The GB <-> Big5 tables the build makes from the system's character-set conversion: known pairs
// in the byte order the text keeps (lead byte high), round trips over every character both sets
// share, invalid and unmatched codes turning into the replacement character, and damaged or
// missing table files. Reads the build's program folder; no window.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "model/settings/ProgramPaths.h"
#include "support/TempFolder.h"
#include "text/CodeTable.h"

namespace {

std::string ProgramFolderFile(const char* name) {
  char folder[MAX_PATH * 2] = {};
  GetProgramDir(folder, sizeof folder);
  return std::string(folder) + "program\\" + name;
}

struct Tables {
  CCodeTable big5ToGb{CCodeTable::kBig5ToGb};
  CCodeTable gbToBig5{CCodeTable::kGbToBig5};
  Tables() {
    EXPECT_EQ(1, big5ToGb.LoadFile(ProgramFolderFile(CCodeTable::kBig5ToGbFile).c_str()));
    EXPECT_EQ(1, gbToBig5.LoadFile(ProgramFolderFile(CCodeTable::kGbToBig5File).c_str()));
  }
};

TEST(CodeTables, KnownCharactersConvertWithTheLeadByteHigh) {
  Tables tables;
  struct Pair {
    WORD gb, big5;
  } pairs[] = {{0xD6D0, 0xA4A4} /* 中 */, {0xCEC4, 0xA4E5} /* 文 */, {0xA1A2, 0xA142} /* 、 */};
  for (const Pair& pair : pairs) {
    EXPECT_EQ(pair.big5, tables.gbToBig5.GbToBig5(pair.gb)) << std::hex << pair.gb;
    EXPECT_EQ(pair.gb, tables.big5ToGb.Big5ToGb(pair.big5)) << std::hex << pair.big5;
  }
}

TEST(CodeTables, EveryCharacterBothSetsShareMakesTheRoundTrip) {
  Tables tables;
  int shared = 0;
  for (int lead = 0xA1; lead <= 0xF7; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      WORD gb = static_cast<WORD>(lead << 8 | trail);
      WORD big5 = tables.gbToBig5.GbToBig5(gb);
      if (big5 == CCodeTable::kBig5Replacement) continue;
      ++shared;
      EXPECT_GE(CCodeTable::Big5Index(big5), 0) << std::hex << gb;
      EXPECT_EQ(gb, tables.big5ToGb.Big5ToGb(big5)) << std::hex << gb << " " << big5;
    }
  }
  // The traditional forms GB2312 shares with Big5: thousands of characters and the symbols.
  EXPECT_GT(shared, 3000);
}

TEST(CodeTables, InvalidAndUnmatchedCodesBecomeTheReplacement) {
  Tables tables;
  EXPECT_EQ(CCodeTable::kBig5Replacement, tables.gbToBig5.GbToBig5(0xAAA1));  // unassigned lead
  EXPECT_EQ(CCodeTable::kBig5Replacement, tables.gbToBig5.GbToBig5(0xB041));  // single-byte half
  EXPECT_EQ(CCodeTable::kBig5Replacement, tables.gbToBig5.GbToBig5(0x0041));
  EXPECT_EQ(CCodeTable::kGbReplacement, tables.big5ToGb.Big5ToGb(0xA480));  // trail 0x80
  EXPECT_EQ(CCodeTable::kGbReplacement, tables.big5ToGb.Big5ToGb(0x4141));  // no Big5 code
  EXPECT_EQ(0xA1A1, tables.big5ToGb.Big5ToGb(0x3F3F));                      // "??"
  // Each direction answers only for itself.
  EXPECT_EQ(0, tables.big5ToGb.GbToBig5(0xD6D0));
}

TEST(CodeTables, MissingShortOrOversizedFilesAreHandled) {
  TempFolder folder;
  CCodeTable missing(CCodeTable::kGbToBig5);
  EXPECT_EQ(0, missing.LoadFile(folder.File("none.dat").c_str()));
  EXPECT_EQ(0, missing.GbToBig5(0xD6D0));

  std::string shortFile = folder.File("short.dat");
  std::ofstream(shortFile, std::ios::binary).write("\xA4\xA4", 2);
  CCodeTable cut(CCodeTable::kGbToBig5);
  ASSERT_EQ(1, cut.LoadFile(shortFile.c_str()));
  EXPECT_EQ(0xA4A4, cut.GbToBig5(0xA1A1));
  EXPECT_EQ(CCodeTable::kBig5Replacement, cut.GbToBig5(0xA1A2));
}

}  // namespace
