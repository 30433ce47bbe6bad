// The change-font dialog's checks of what OK takes, in the order the user is told about them, and
// which text the preview shows. No window.
#include <gtest/gtest.h>

#include <string>

#include "editor/dialogs/FontSizeDlg.h"

TEST(FontSizeDlg, OkRefusesSizesSkewsAndMissingChoicesInThatOrder) {
  struct Case {
    float sizeX, sizeY, skewX, skewY;
    bool library, font;
    const char* message;  // null: accepted
  };
  const Case cases[] = {
      {10, 10, 0, 0, true, true, nullptr},
      {10, 10, 60, -60, true, true, nullptr},
      {10, 10, 61, 0, true, true, " -60 < 倾斜向度 < 60"},
      {10, 10, 0, -60.5f, true, true, " -60 < 倾斜向度 < 60"},
      {0, 10, 61, 0, false, false, "  字号<=0  "},
      {10, -1, 0, 0, true, true, "  字号<=0  "},
      {10, 10, 0, 0, false, false, " 请选择一种字体类型 "},
      {10, 10, 0, 0, true, false, " 请选择一种字体 "},
  };
  for (const Case& c : cases) {
    CTextDefaults values;
    values.fontSizeX = c.sizeX;
    values.fontSizeY = c.sizeY;
    values.fontSkewX = c.skewX;
    values.fontSkewY = c.skewY;
    LPCSTR message = CFontSizeDlg::CheckValues(values, c.library, c.font);
    SCOPED_TRACE(&c - cases);
    if (!c.message) {
      EXPECT_EQ(nullptr, message);
    } else {
      ASSERT_NE(nullptr, message);
      EXPECT_EQ(std::string(c.message), message);
    }
  }
}

TEST(FontSizeDlg, PreviewShowsTheSelectedTextOnlyWhenItsFirstBytesSuitTheCharset) {
  struct Case {
    const char* text;
    int charset;
    bool suits;
  };
  const Case cases[] = {
      {"A", 0, true},           {" A", 0, false},         {"\xA0", 0, true},
      {"\xA1", 0, false},       {"\xB0\xA1", 134, true},  {"\xB0\xA0", 134, false},
      {"\xAF\xA1", 134, false}, {"\xB0", 134, false},     {"\xA1\xA1", 133, true},
      {"\xA1\xA0", 133, false}, {"\xB0\xA1", 133, false}, {"\xC8\xA0", 129, true},
      {"\xC9\xA0", 129, false}, {"x", 204, true},         {"x", 186, true},
      {"", 204, false},         {"\xB0\xA1", 136, false}, {"A", 128, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    EXPECT_EQ(c.suits, CFontSizeDlg::SuitsCharset(c.text, c.charset));
  }
  EXPECT_FALSE(CFontSizeDlg::SuitsCharset(nullptr, 0));
  EXPECT_EQ(0, CFontSizeDlg::SelectedText(nullptr).GetLength());
}
