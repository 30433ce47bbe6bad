// Typed text to GBK and back through code page 936 explicitly, whatever the system's code page:
// run under zh_CN and, as an EnglishSystem suite, under en_US (code page 1252). No window.
#include <gtest/gtest.h>

#include <string>

#include "framework/GbkText.h"

TEST(EnglishSystemGbkText, TypedCharactersBecomeTheirGbkCodesOrAreRefused) {
  const struct {
    wchar_t character;
    bool held;
    WORD code;
  } cases[] = {
      {L'A', true, 'A'},         {L'\x62DB', true, 0xD5D0},  // 招
      {L'\x00E9', true, 0xA8A6},                             // é among the pinyin letters
      {L'\x20AC', true, 0x80},                               // the euro sign, one byte
      {L'\x0E01', false, 0},                                 // Thai: not in GBK
      {L'\xD83D', false, 0},                                 // half of a character beyond
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.character));
    WORD code = 0;
    EXPECT_EQ(c.held, CGbkText::CodeOf(c.character, &code));
    if (c.held) EXPECT_EQ(c.code, code);
  }
  CString gbk;
  EXPECT_TRUE(CGbkText::FromWide(L"Sign \x62DB\x724C", &gbk));
  EXPECT_EQ(std::string("Sign \xD5\xD0\xC5\xC6"), std::string(gbk));
  EXPECT_EQ(L"Sign \x62DB\x724C", CGbkText::ToWide(gbk));
  // A character GBK cannot hold is left out and said so, never turned into a question mark.
  EXPECT_FALSE(
      CGbkText::FromWide(L"A\x0E01"
                         L"B",
                         &gbk));
  EXPECT_EQ(std::string("AB"), std::string(gbk));
}
