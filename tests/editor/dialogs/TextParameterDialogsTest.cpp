// The Latin parameters dialog's spins and OK check, the font preview pop-up's sizing and layout,
// and the font libraries and fonts as the text page, the change-font and the replacement dialogs
// list them, as the functions the dialogs use. No window; the settings file lives in a temporary
// folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "editor/dialogs/FontLibraryList.h"
#include "editor/dialogs/FontPreviewPopup.h"
#include "editor/dialogs/LatinParamDlg.h"
#include "model/settings/IniFile.h"
#include "support/TempFolder.h"
#include "text/CftFontTable.h"
#include "text/Language.h"
#include "text/TtfFontTable.h"
#include "text/WinFontTable.h"
#include "text/layout/CharBox.h"
#include "text/layout/SampleText.h"

namespace {

const int kUp = -1, kDown = 1;  // the up arrow proposes a negative change

std::string Shown(float baseline) {
  char text[16];
  snprintf(text, sizeof text, "%.2f", baseline);
  return text;
}

}  // namespace

TEST(LatinParamDlg, SpinsStepWithinTheirRangesAndOkRefusesASmallRatio) {
  struct BaselineCase {
    float before;
    int delta;
    const char* after;
  };
  const BaselineCase baselines[] = {
      {0.20f, kUp, "0.25"},     {0.20f, 0, "0.25"},      {0.20f, kDown, "0.15"},
      {0.45f, kUp, "0.50"},     {0.50f, kUp, "0.50"},    {-0.45f, kDown, "-0.50"},
      {-0.50f, kDown, "-0.50"}, {0.02f, kDown, "-0.03"},
  };
  for (const BaselineCase& c : baselines) {
    SCOPED_TRACE(&c - baselines);
    EXPECT_EQ(c.after, Shown(CLatinParamDlg::StepBaseline(c.before, c.delta)));
  }
  // Twenty steps down from the default end exactly on the lowest value, not a hair beyond it.
  float baseline = 0.20f;
  for (int i = 0; i < 20; ++i) baseline = CLatinParamDlg::StepBaseline(baseline, kDown);
  EXPECT_EQ("-0.50", Shown(baseline));
  EXPECT_EQ("-0.45", Shown(CLatinParamDlg::StepBaseline(baseline, kUp)));

  struct RatioCase {
    int before, delta, after;
  };
  const RatioCase ratios[] = {{100, kUp, 101}, {100, kDown, 99}, {199, kUp, 200},
                              {200, kUp, 200}, {51, kDown, 50},  {50, kDown, 50}};
  for (const RatioCase& c : ratios) {
    SCOPED_TRACE(&c - ratios);
    EXPECT_EQ(c.after, CLatinParamDlg::StepRatio(c.before, c.delta));
  }
  EXPECT_FALSE(CLatinParamDlg::AcceptsRatio(49));
  EXPECT_TRUE(CLatinParamDlg::AcceptsRatio(50));
  EXPECT_TRUE(CLatinParamDlg::AcceptsRatio(250)) << "only the spin keeps to 200";
}

TEST(FontPreviewPopup, SampleFillsMostOfTheSmallerSideAndStartsAtTheMargin) {
  EXPECT_FLOAT_EQ(40, CFontPreviewPopup::SizeFor(100, 50));
  EXPECT_FLOAT_EQ(40, CFontPreviewPopup::SizeFor(50, 300));
  EXPECT_FLOAT_EQ(0, CFontPreviewPopup::SizeFor(-5, 300));

  CTextDefaults values;
  values.fontSizeX = values.fontSizeY = 40;
  CSampleText sample;
  CFontPreviewPopup::LayOut(sample, 134, values);
  ASSERT_GE(sample.GetCount(), 2u);
  EXPECT_FLOAT_EQ(5, sample.GetBox(0).m_x);
  EXPECT_FLOAT_EQ(45, sample.GetBox(0).m_y);
  EXPECT_FLOAT_EQ(45, sample.GetBox(1).m_x) << "a Chinese character advances by its width";
  EXPECT_GE(sample.GetBox(0).m_code, 0x100);

  CFontPreviewPopup::LayOut(sample, 136, values);
  EXPECT_EQ(0u, sample.GetCount()) << "Big5 has no sample";

  CFontPreviewPopup popup;
  popup.ShowFont(0x0286, 3, 1);
  EXPECT_EQ(134, popup.GetCharset());
  EXPECT_EQ(134, popup.GetValues().eastAsianCharset);
  EXPECT_EQ(2, popup.GetValues().DefaultSource(1));
  EXPECT_EQ(3, popup.GetValues().DefaultFontNumber(1));
}

TEST(FontLibraryList, OneLanguageListsItsWindowsTrueTypeAndMountedLibrariesUnderItsName) {
  TempFolder folder;
  CIniFile settings;
  settings.SetPath(folder.File("TALVEX42.INI").c_str());
  settings.WriteString("LANGUAGE0", "ID", "134");
  settings.WriteString("LANGUAGE0", "NAME", "中文");
  settings.WriteString("Language0", "Mounts", "1");
  settings.WriteString("Language0", "MountName0", "宋体");
  CLanguage language;
  language.Load(settings);
  const CString word = language.GetFontLibraryWord();
  auto libraries = CFontLibraryList(language).LanguageLibraries(0);
  ASSERT_EQ(3u, libraries.size());
  EXPECT_EQ(CString("中文Win ") + word, libraries[0].name);
  EXPECT_EQ(0x0086, libraries[0].code);
  EXPECT_EQ(CString("中文TTF ") + word, libraries[1].name);
  EXPECT_EQ(0x0186, libraries[1].code);
  EXPECT_EQ(0x0286, libraries[2].code);
  // A row without a name is still listed, as an unknown language; no row outside the table.
  auto unnamed = CFontLibraryList(language).LanguageLibraries(5);
  ASSERT_EQ(2u, unnamed.size());
  EXPECT_EQ(CString("未知Win ") + word, unnamed[0].name);
  EXPECT_TRUE(CFontLibraryList(language).LanguageLibraries(-1).empty());
  EXPECT_TRUE(CFontLibraryList(language).LanguageLibraries(CLanguage::kRowCount).empty());
}

TEST(FontLibraryList, FontsAreListedByTheirNamesAndReplacementRowsByTheirOwnLanguage) {
  TempFolder folder;
  CIniFile settings;
  settings.SetPath(folder.File("TALVEX42.INI").c_str());
  settings.WriteString("LANGUAGE0", "ID", "0");
  settings.WriteString("LANGUAGE0", "NAME", "Latin");
  settings.WriteString("LANGUAGE1", "ID", "134");
  settings.WriteString("LANGUAGE1", "NAME", "GB");
  settings.WriteString("Language1", "Mounts", "2");
  CLanguage language;
  language.Load(settings);
  CWinFontTable windows;
  CTtfFontTable trueType;
  CCftFontTable own;
  language.AttachTables(&windows, &trueType, &own);
  windows.AddEntry(1, 0, {"", "SimSun"});
  own.EnsureColumns(1, 2);
  own.AddEntry(1, 1, {"C:\\FONTS\\KAI.CFT", "Kai"});
  own.AddEntry(1, 1, {"C:\\FONTS\\LONG.CFT", std::string(45, 'L').c_str()});
  CFontLibraryList list(language);
  // Installed fonts by their face names, own fonts by the names in their files, cut to a slot.
  EXPECT_EQ((std::vector<CString>{"SimSun"}), list.Fonts(0x0086));
  EXPECT_EQ((std::vector<CString>{"Kai", std::string(39, 'L').c_str()}), list.Fonts(0x0386));
  EXPECT_TRUE(list.Fonts(0x0286).empty());
  // The replacement rows of GB: its Windows fonts and both mounts, none of the Latin language.
  auto rows = list.LibrariesOf(134);
  ASSERT_EQ(3u, rows.size());
  EXPECT_EQ((std::vector<WORD>{0x0086, 0x0286, 0x0386}),
            (std::vector<WORD>{rows[0].code, rows[1].code, rows[2].code}));
  CString row = CFontLibraryList::ReplacementRow(rows[2]);
  EXPECT_EQ(CString(" -[134,3]"), row.Mid(row.GetLength() - 9));
  EXPECT_EQ(' ', row[39]);
  EXPECT_TRUE(list.LibrariesOf(136).empty());
}
