// The language table read from a settings file, glyph requests by font key, and the document's
// font-mount section: written from the font lists (golden bytes for a small case), read back with
// every damaged size and position bounded, and used to find a saved font again after the mounts
// changed, also through a document saved and opened with the font code installed. Files live in
// a temporary folder; no window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ByteWriter.h"
#include "model/document/FontRebinding.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/IniFile.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"
#include "text/CftFileWriter.h"
#include "text/CftFontTable.h"
#include "text/CodeTable.h"
#include "text/FontServices.h"
#include "text/GlyphCodec.h"
#include "text/GlyphTestSupport.h"
#include "text/Language.h"
#include "text/TextBlock.h"
#include "text/TextServices.h"
#include "text/TtfFontTable.h"
#include "text/WinFontTable.h"
#include "text/layout/CharBox.h"

namespace {

using Bytes = std::vector<BYTE>;

// A settings file with the given languages ("ID,NAME" per row; an empty text leaves the row out).
CIniFile WriteLanguages(const TempFolder& folder, const std::vector<std::string>& rows) {
  CIniFile settings;
  settings.SetPath(folder.File("TALVEX42.INI").c_str());
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].empty()) continue;
    CString section;
    section.Format("LANGUAGE%d", static_cast<int>(i));
    size_t comma = rows[i].find(',');
    settings.WriteString(section, "ID", rows[i].substr(0, comma).c_str());
    settings.WriteString(section, "NAME", rows[i].substr(comma + 1).c_str());
  }
  return settings;
}

// Font tables a test fills by hand, wired like the program's.
struct Fonts {
  CLanguage language;
  CWinFontTable windows;
  CTtfFontTable trueType;
  CCftFontTable own;
  Fonts() { language.AttachTables(&windows, &trueType, &own); }
  void AddWindows(int row, LPCSTR face) { windows.AddEntry(row, 0, {"", face}); }
  void AddOwn(int row, int col, LPCSTR name) {
    own.EnsureColumns(row, col + 1);
    own.AddEntry(row, col, {"C:\\nowhere.cft", name});
  }
};

Bytes Section(const CLanguage& language) {
  CByteWriter file;
  file.WriteZeros(100);  // the section starts inside a file
  EXPECT_TRUE(language.WriteToFile(file));
  return Bytes(file.Data() + 100, file.Data() + file.Size());
}

TEST(LanguageTable, LanguagesCountUpToTheFirstMissingNameAndCharsetsFindTheirRows) {
  TempFolder folder;
  CLanguage language;
  EXPECT_EQ(0,
            language.Load(WriteLanguages(folder, {"134,简体中文", "0,English", "", "136,繁体"})));
  EXPECT_EQ(2, language.GetCount());
  EXPECT_EQ(0, language.FindIndex(134));
  EXPECT_EQ(1, language.FindIndex(0x100));  // the low byte counts
  EXPECT_EQ(3, language.FindIndex(136));
  EXPECT_EQ(-1, language.FindIndex(128));
  EXPECT_EQ(255, language.GetId(2));
  CString name;
  EXPECT_EQ(1, language.GetName(0, name));
  EXPECT_STREQ("简体中文", name);
  EXPECT_EQ(0, language.GetName(2, name));
  // A character set no language carries gets no glyph.
  EXPECT_EQ(nullptr, language.GetGlyph(CLanguage::MakeKey(128, 2), 0, 0xB0A1));
}

TEST(LanguageTable, MountNamesPathsAndKeys) {
  TempFolder folder;
  CIniFile settings = WriteLanguages(folder, {"134,GB", "136,Big5"});
  settings.WriteInt("Language1", "Mounts", 2);
  settings.WriteString("Language1", "MountName1", "Kai");
  settings.WriteString("Language1", "MountPath1", "D:\\FONTS\\");
  // Folders deep enough to pass the short strings the other settings are read into.
  const std::string deep = "D:\\SIGN SHOP\\" + std::string(70, 'T') + "\\TRUETYPE\\";
  settings.WriteString("Language1", "TTFMountPath", deep.c_str());
  CLanguage language;
  language.Load(settings);
  EXPECT_EQ(2, language.GetMountCount(1));
  CString text;
  EXPECT_EQ(3 << 8 | 136, language.GetMountName(1, 1, text));
  EXPECT_STREQ("Big5Kai", text);  // no font-library word in the test's resources
  EXPECT_EQ(3 << 8 | 136, language.GetMountPath(1, 1, text));
  EXPECT_STREQ("D:\\FONTS\\", text);
  EXPECT_EQ(1 << 8 | 136, language.GetTtfMountPath(1, text));
  EXPECT_EQ(deep, std::string(text));
}

TEST(FontMountSection, NoFontsWriteOnlyAZeroTableSize) {
  TempFolder folder;
  Fonts fonts;
  fonts.language.Load(WriteLanguages(folder, {"134,GB"}));
  EXPECT_EQ(Bytes(4, 0), Section(fonts.language));
}

TEST(FontMountSection, ListsAreWrittenInRowAndSourceOrderWithTheirNameBlocks) {
  TempFolder folder;
  Fonts fonts;
  fonts.language.Load(WriteLanguages(folder, {"134,GB", "0,Latin"}));
  fonts.AddWindows(0, "SimSun");
  fonts.AddOwn(0, 1, "Kai");  // mount 0 of the row is empty: source 3
  fonts.AddWindows(1, std::string(45, 'F').c_str());
  fonts.AddWindows(5, "beyond the language count");
  Bytes section = Section(fonts.language);

  // T, three entries, then the name blocks at absolute positions from 100 on.
  Bytes expected;
  CByteWriter golden;
  golden.WriteDWord(42);
  DWORD names = 100 + 4 + 42;
  golden.WriteDWord(80), golden.WriteByte(134), golden.WriteByte(0), golden.WriteDWord(40),
      golden.WriteDWord(names);
  golden.WriteDWord(80), golden.WriteByte(134), golden.WriteByte(3), golden.WriteDWord(40),
      golden.WriteDWord(names + 80);
  golden.WriteDWord(80), golden.WriteByte(0), golden.WriteByte(0), golden.WriteDWord(40),
      golden.WriteDWord(names + 160);
  golden.WriteFixedString("SimSun", 80);
  golden.WriteFixedString("Kai", 80);
  golden.WriteFixedString(std::string(39, 'F').c_str(), 80);  // cut to 39
  expected.assign(golden.Data(), golden.Data() + golden.Size());
  EXPECT_EQ(expected, section);
}

TEST(FontMountSection, ReadBackKeepsEveryListAndFindsSavedFontsAgainAfterTheMountsChanged) {
  TempFolder folder;
  CIniFile settings = WriteLanguages(folder, {"134,GB"});
  Fonts saved;
  saved.language.Load(settings);
  saved.AddOwn(0, 0, "Song");
  saved.AddOwn(0, 0, "Kai");
  saved.AddWindows(0, "SimSun");
  CByteWriter file;
  file.WriteZeros(16);
  ASSERT_TRUE(saved.language.WriteToFile(file));

  Fonts now;
  now.language.Load(settings);
  now.AddOwn(0, 0, "Kai");
  now.AddOwn(0, 0, "Hei");
  CFontMountSection read;
  ASSERT_TRUE(CLanguage::ReadFromFile(file.Data(), file.Size(), 16, read));
  EXPECT_EQ(2u, read.GetEntryCount());
  EXPECT_EQ(0, now.language.RemountFont(read, CLanguage::MakeKey(134, 2), 1));   // Kai moved up
  EXPECT_EQ(-1, now.language.RemountFont(read, CLanguage::MakeKey(134, 2), 0));  // Song is gone
  EXPECT_EQ(-1, now.language.RemountFont(read, CLanguage::MakeKey(134, 0), 0));  // no Windows list
  EXPECT_EQ(-1, now.language.RemountFont(read, CLanguage::MakeKey(134, 2), 9));  // past the list
  // The empty slot that ends a list is no font a character could have named.
  CString name;
  EXPECT_TRUE(read.FindName(134, 2, 1, name));
  EXPECT_FALSE(read.FindName(134, 2, 2, name)) << name.GetString();
}

TEST(FontMountSection, TextBlocksDeclareTheirFontsAndTakeTheNewOnesAllAtOnce) {
  TempFolder folder;
  CIniFile settings = WriteLanguages(folder, {"134,GB"});
  Fonts saved;
  saved.language.Load(settings);
  saved.AddOwn(0, 0, "Song");
  saved.AddOwn(0, 0, "Kai");
  CByteWriter file;
  file.WriteZeros(51);
  ASSERT_TRUE(saved.language.WriteToFile(file));
  Fonts now;
  now.language.Load(settings);
  now.AddOwn(0, 0, "Kai");
  now.AddOwn(0, 0, "Hei");
  CFontMountSection section;
  ASSERT_TRUE(CLanguage::ReadFromFile(file.Data(), file.Size(), 51, section));

  CTextServices services(&now.language);
  std::unique_ptr<CTextBlock> text(CTextBlock::CreateAt(0, 0, 0, 100, 0));
  const WORD mount = CLanguage::MakeKey(134, 2);
  // Kai, Kai, Song, and a number past the saved names.
  for (WORD number : {1, 1, 0, 7}) {
    CCharBox* box = new CCharBox;
    box->m_kind = static_cast<WORD>(CTextBox::kDoubleByteBit | mount);
    box->m_code = 0xB0A1;
    box->m_fontNumber = number;
    text->GetBoxArray()->Add(box);
  }
  CFontRebinding fonts(section);
  text->RemountFonts(fonts);
  ASSERT_EQ(3u, fonts.GetCount());
  EXPECT_EQ(0, fonts.Find(mount, 1)->newNumber);  // Kai is now the first font
  EXPECT_FALSE(fonts.Find(mount, 7)->named);
  ASSERT_EQ(1u, fonts.Missing().size());
  const CFontRebinding::Font& song = fonts.GetFont(fonts.Missing()[0]);
  EXPECT_EQ(std::string("Song") + std::string(36, ' ') + "  -[134,2,0] -{0,0}",
            std::string(CFontRebinding::MissingLine(song, 0, 0)));
  // Song goes to Hei, the second font: Kai's new number 0 is not taken for Song's old 0.
  fonts.Replace(fonts.Missing()[0], mount, 1);
  fonts.SetPhase(CFontRebinding::kApply);
  text->RemountFonts(fonts);
  std::vector<int> numbers;
  for (INT_PTR i = 0; i < 4; ++i)
    numbers.push_back(text->GetBoxArray()->GetCharBox(i)->m_fontNumber);
  EXPECT_EQ((std::vector<int>{0, 0, 1, 7}), numbers);
}

TEST(FontMountSection, DamagedTablesAndBlocksAreBoundedAndReported) {
  TempFolder folder;
  Fonts fonts;
  fonts.language.Load(WriteLanguages(folder, {"134,GB", "0,Latin"}));
  fonts.AddWindows(0, "SimSun");
  fonts.AddWindows(1, "Arial");
  CByteWriter writer;
  ASSERT_TRUE(fonts.language.WriteToFile(writer));
  const Bytes good(writer.Data(), writer.Data() + writer.Size());
  CFontMountSection section;
  const Bytes& out = section.GetBytes();
  auto read = [&](const Bytes& file, const Bytes&) {
    return CLanguage::ReadFromFile(file.data(), file.size(), 0, section);
  };
  ASSERT_TRUE(read(good, out));
  EXPECT_EQ(4 + 28 + 160u, out.size());

  auto patched = [&](size_t at, DWORD value) {
    Bytes file = good;
    CByteWriter(file.data() + at, 4).WriteDWord(value);
    return file;
  };
  EXPECT_FALSE(read(patched(0, 0xFFFFFFF2), out));  // T far beyond the file
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(read(patched(0, 27), out));  // not whole entries
  EXPECT_FALSE(read(Bytes(good.begin(), good.begin() + 3), out));
  // A huge block, a block past the end, a block smaller than its empty slot: that entry only.
  for (Bytes damaged : {patched(4, 0x7FFFFFFF), patched(14, 0xFFFFFFF0), patched(4, 39)}) {
    EXPECT_FALSE(read(damaged, out));
    ASSERT_GE(out.size(), 4u);
    EXPECT_EQ(14u, out[0]);
    EXPECT_EQ(0, memcmp(out.data() + 18, "Arial", 5));
  }
  EXPECT_FALSE(CLanguage::ReadFromFile(good.data(), good.size(), good.size() + 5, section));
  // Names inside the section's own table are no names.
  EXPECT_FALSE(read(patched(14, 4), out));
}

TEST(FontMountDocument, ASavedDocumentNamesItsFontsAndAnOpenedOneFindsThemAgain) {
  TempFolder folder;
  CIniFile settings = WriteLanguages(folder, {"134,GB"});
  std::string path = folder.File("fonts.t42");
  CCodeTable gbToBig5(CCodeTable::kGbToBig5), big5ToGb(CCodeTable::kBig5ToGb);
  {
    Fonts fonts;
    fonts.language.Load(settings);
    fonts.AddOwn(0, 0, "Song");
    fonts.AddOwn(0, 0, "Kai");
    CFontServices services(fonts.language, fonts.windows, fonts.trueType, fonts.own, gbToBig5,
                           big5ToGb);
    CTALVEX42Doc doc;
    MessageBoxCapture boxes;
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
  }
  Fonts now;
  now.language.Load(settings);
  now.AddOwn(0, 0, "Kai");
  CFontServices services(now.language, now.windows, now.trueType, now.own, gbToBig5, big5ToGb);
  CTALVEX42Doc doc;
  MessageBoxCapture boxes;
  ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
  EXPECT_EQ(1u, doc.GetFontMount().GetEntryCount());
  EXPECT_EQ(0, now.language.RemountFont(doc.GetFontMount(), CLanguage::MakeKey(134, 2), 1));
}

}  // namespace
