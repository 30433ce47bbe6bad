// The change-font dialog's checks of what OK takes, in the order the user is told about them,
// and that with nothing selected in the text under edit no format is applied. No window.
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
  EXPECT_FALSE(CFontSizeDlg::ApplyToSelection(nullptr, CTextDefaults(), 1));
}
