// Installed fonts through GDI under Wine (the Debian fonts the setup installs: WenQuanYi Micro Hei
// for Chinese, DejaVu Sans for Latin): enumeration by character set and the outlines of a Chinese
// and a Latin character in glyph units. The conversion of GDI's native outlines is also checked on
// a buffer the test writes, with lines, a quadratic spline and a cubic spline. Uses the screen's
// device context on the test display; no window of its own. The Latin values are read from a
// profile under a registry key of the test's own, removed afterwards.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ByteWriter.h"
#include "framework/WinApp.h"
#include "model/geometry/Matrix2D.h"
#include "model/settings/AppProfile.h"
#include "model/settings/IniFile.h"
#include "support/TempFolder.h"
#include "text/GlyphTestSupport.h"
#include "text/Language.h"
#include "text/NativeOutline.h"
#include "text/WinFontTable.h"

namespace {

void WriteFixedPoint(CByteWriter& out, int x, int y) {
  out.WriteWord(0), out.WriteInt16(static_cast<short>(x));
  out.WriteWord(0), out.WriteInt16(static_cast<short>(y));
}

TEST(NativeOutline, LinesQuadraticAndCubicSplinesBecomeCubicPieces) {
  CByteWriter buffer;
  buffer.WriteDWord(16 + 4 + 8 + 4 + 24 + 4 + 24);
  buffer.WriteDWord(TT_POLYGON_TYPE);
  WriteFixedPoint(buffer, 0, 0);
  buffer.WriteWord(TT_PRIM_LINE), buffer.WriteWord(1);
  WriteFixedPoint(buffer, 300, 0);
  // Quadratic: control (600, 0), implied midpoint (600, 150), control (600, 300), end (300, 300).
  buffer.WriteWord(TT_PRIM_QSPLINE), buffer.WriteWord(3);
  WriteFixedPoint(buffer, 600, 0), WriteFixedPoint(buffer, 600, 300),
      WriteFixedPoint(buffer, 300, 300);
  buffer.WriteWord(TT_PRIM_CSPLINE), buffer.WriteWord(3);
  WriteFixedPoint(buffer, 200, 300), WriteFixedPoint(buffer, 0, 200),
      WriteFixedPoint(buffer, 0, 100);

  CMatrix2D identity;
  std::unique_ptr<CContour> contour(
      ContourFromNativeOutline(buffer.Data(), buffer.Size(), identity));
  ASSERT_TRUE(contour);
  std::vector<POINTREC> expected = {
      MakePointRecord(0, 0, 0x11),     MakePointRecord(300, 0, 0x01),
      MakePointRecord(500, 0, 0x00),   MakePointRecord(600, 50, 0x00),
      MakePointRecord(600, 150, 0x01), MakePointRecord(600, 250, 0x00),
      MakePointRecord(500, 300, 0x00), MakePointRecord(300, 300, 0x01),
      MakePointRecord(200, 300, 0x00), MakePointRecord(0, 200, 0x00),
      MakePointRecord(0, 100, 0x01),   MakePointRecord(0, 0, 0x41)};
  EXPECT_EQ(WithEndMark(expected), PointsOf(contour.get()));

  // A polygon whose byte count runs past the buffer is not taken.
  EXPECT_FALSE(std::unique_ptr<CContour>(
      ContourFromNativeOutline(buffer.Data(), buffer.Size() - 3, identity)));
  EXPECT_FALSE(std::unique_ptr<CContour>(ContourFromNativeOutline(buffer.Data(), 10, identity)));
}

class InstalledFonts : public ::testing::Test {
protected:
  void SetUp() override {
    CIniFile settings;
    settings.SetPath(m_folder.File("TALVEX42.INI").c_str());
    settings.WriteString("LANGUAGE0", "ID", "134");
    settings.WriteString("LANGUAGE0", "NAME", "GB");
    settings.WriteString("LANGUAGE1", "ID", "0");
    settings.WriteString("LANGUAGE1", "NAME", "Latin");
    m_language.Load(settings);
    m_table.EnumFonts(m_language);
  }

  TempFolder m_folder;
  CLanguage m_language;
  CWinFontTable m_table;
};

// Wine lists a face under its name in the locale's language when the font has one.
int FindFace(const CWinFontTable& table, int row, LPCSTR english, LPCSTR chinese) {
  int index = table.FindEntry(row, 0, english);
  return index >= 0 ? index : table.FindEntry(row, 0, chinese);
}

int FindMicroHei(const CWinFontTable& table, int row) {
  return FindFace(table, row, "WenQuanYi Micro Hei", "文泉驿微米黑");
}

void ExpectInsideTheEm(const CContour* contour) {
  ASSERT_TRUE(contour);
  std::vector<POINTREC> points = PointsOf(contour);
  ASSERT_GT(points.size(), 10u);
  for (const POINTREC& point : points) {
    if (point.flags == kPointEnd) continue;
    EXPECT_GT(point.x, -100.0f);
    EXPECT_LT(point.x, 1124.0f);
    EXPECT_GT(point.y, -100.0f);
    EXPECT_LT(point.y, 1124.0f);
  }
}

TEST_F(InstalledFonts, ChineseAndLatinFacesAreListedByCharacterSet) {
  EXPECT_GE(FindMicroHei(m_table, 0), 0);
  EXPECT_GE(m_table.FindEntry(1, 0, "DejaVu Sans"), 0);
  for (int i = 0; i < m_table.GetEntryCount(0, 0); ++i) {
    CString face;
    m_table.GetEntryText(0, 0, i, face);
    EXPECT_NE('@', face[0]);
  }
}

TEST_F(InstalledFonts, OutlinesOfAChineseAndALatinCharacterLieInTheEm) {
  int hei = FindMicroHei(m_table, 0);
  int sans = m_table.FindEntry(1, 0, "DejaVu Sans");
  ASSERT_GE(hei, 0);
  ASSERT_GE(sans, 0);
  std::unique_ptr<CContour> chinese(m_table.GetCharOutline(134, hei, 0xD6D0, nullptr));  // 中
  ExpectInsideTheEm(chinese.get());
  std::unique_ptr<CContour> latin(m_table.GetCharOutline(0, sans, 'A', nullptr));
  ExpectInsideTheEm(latin.get());
  // 'A' stands on the Latin baseline, 1024 x (1 - 0.2) below the em's top.
  EXPECT_NEAR(819.0f, latin->GetBox().bottom, 2.0f);
  // A blank has no outline and is no error; a character set without a language has no font.
  EXPECT_EQ(nullptr, std::unique_ptr<CContour>(m_table.GetCharOutline(0, sans, ' ', nullptr)));
  EXPECT_EQ(nullptr, std::unique_ptr<CContour>(m_table.GetCharOutline(128, 0, 'A', nullptr)));
  EXPECT_EQ(nullptr, std::unique_ptr<CContour>(m_table.GetCharOutline(0, 9999, 'A', nullptr)));
}

TEST_F(InstalledFonts, GlyphRequestsByFontKeyReachTheWindowsTable) {
  CWinFontTable* none = nullptr;
  m_language.AttachTables(&m_table, nullptr, nullptr);
  int hei = FindMicroHei(m_table, 0);
  std::unique_ptr<CContour> glyph(m_language.GetGlyph(CLanguage::MakeKey(134, 0), hei, 0xCEC4));
  EXPECT_TRUE(glyph);
  EXPECT_EQ(nullptr,
            std::unique_ptr<CContour>(m_language.GetGlyph(CLanguage::MakeKey(134, 1), 0, 0xCEC4)));
  m_language.AttachTables(none, nullptr, nullptr);
}

}  // namespace

TEST(WinFontTable, LatinBaseLineAndZoomComeFromTheProfileWithTheirDefaults) {
  const char key[] = "TalvexLatinValuesTestKey";
  CWinFontTable table;
  table.m_latinBaseline = 0.4f;
  table.m_latinZoom = 150;
  table.LoadLatinValues(CAppProfile());  // no application: the defaults
  EXPECT_FLOAT_EQ(0.2f, table.m_latinBaseline);
  EXPECT_EQ(100, table.m_latinZoom);
  {
    CWinApp app("TALVEX42");
    app.SetRegistryKey(key);
    CAppProfile profile;
    profile.Attach();
    profile.WriteString("SystemParam", "EnBaseLine", "-0.35");
    profile.WriteInt("SystemParam", "EnZoom", 80);
    table.LoadLatinValues(profile);
    EXPECT_FLOAT_EQ(-0.35f, table.m_latinBaseline);
    EXPECT_EQ(80, table.m_latinZoom);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TalvexLatinValuesTestKey\\TALVEX42\\SystemParam");
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TalvexLatinValuesTestKey\\TALVEX42");
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TalvexLatinValuesTestKey");
  }
  EXPECT_FLOAT_EQ(0.0f, CWinFontTable::BaselineFromText("abc"));
  EXPECT_FLOAT_EQ(0.0f, CWinFontTable::BaselineFromText(nullptr));
}
