#include <gtest/gtest.h>

#include <string>

#include "model/settings/TextParsing.h"

namespace {

std::string Unescape(const char* text, int size = 64) {
  char out[64];
  UnescapeString(text, out, size);
  return out;
}

TEST(ParseNumberAt, SkipsToTheNumberAndAdvancesPastIt) {
  int position = 0, error = 7;
  EXPECT_DOUBLE_EQ(12.5, ParseNumberAt("x12.5y", &position, &error));
  EXPECT_EQ(0, error);
  EXPECT_EQ(5, position);  // at the y
  position = 0;
  EXPECT_DOUBLE_EQ(-3, ParseNumberAt("-3,+4", &position, &error));
  EXPECT_DOUBLE_EQ(4, ParseNumberAt("-3,+4", &position, &error));
  EXPECT_EQ(0, error);
}

TEST(ParseNumberAt, ReportsTheEndAndMalformedNumbers) {
  int position = 6, error = 0;
  EXPECT_EQ(0, ParseNumberAt("x12.5y", &position, &error));
  EXPECT_EQ(-1, error);
  position = 0;
  ParseNumberAt("abc", &position, &error);
  EXPECT_EQ(-1, error);
  position = 0;
  ParseNumberAt("", &position, &error);
  EXPECT_EQ(-1, error);

  position = 0;
  EXPECT_EQ(0, ParseNumberAt("ab1.2.3", &position, &error));
  EXPECT_EQ(-2, error);  // minus the start of the number
  EXPECT_EQ(0, position);
  ParseNumberAt("xyz1-2", &position, &error);
  EXPECT_EQ(-3, error);
}

TEST(ParseNumberAt, MalformedNumberAtTheStartIsAnError) {
  int position = 0, error = 0;
  EXPECT_EQ(0, ParseNumberAt("1+2", &position, &error));
  EXPECT_NE(0, error);
  EXPECT_EQ(0, position);
  ParseNumberAt("..5", &position, &error);
  EXPECT_NE(0, error);
}

TEST(CountFields, CountsSeparatorsAndMergesRepeatedBlanks) {
  EXPECT_EQ(2, CountFields("a  b", ' '));
  EXPECT_EQ(3, CountFields("a,,b", ','));
  EXPECT_EQ(1, CountFields("", ','));
  EXPECT_EQ(2, CountFields(" a", ' '));  // a leading blank counts
  EXPECT_EQ(3, CountFields("a b c", ' '));
}

TEST(GetField, CopiesTheFieldAfterTheNthSeparator) {
  char out[16] = "junk";
  EXPECT_EQ(1, GetField("10,20,30", 1, out, sizeof out, ','));
  EXPECT_STREQ("20", out);
  EXPECT_EQ(1, GetField("10,20,30", 2, out, sizeof out, ','));
  EXPECT_STREQ("30", out);
  EXPECT_EQ(1, GetField("10,,30", 1, out, sizeof out, ','));
  EXPECT_STREQ("", out);
  EXPECT_EQ(1, GetField("a  b", 2, out, sizeof out, ' '));  // every separator counts here
  EXPECT_STREQ("b", out);
}

TEST(GetField, FailsPastTheLastField) {
  char out[16] = "junk";
  EXPECT_EQ(0, GetField("a,b,", 2, out, sizeof out, ','));
  EXPECT_STREQ("", out);
  strcpy(out, "junk");
  EXPECT_EQ(0, GetField("a,b", 5, out, sizeof out, ','));
  EXPECT_STREQ("", out);
  EXPECT_EQ(0, GetField("", 0, out, sizeof out, ','));
}

TEST(GetField, NeverWritesPastTheBuffer) {
  char out[8];
  memset(out, 'Z', sizeof out);
  EXPECT_EQ(1, GetField("x,0123456789abcdef", 1, out, 5, ','));
  EXPECT_STREQ("0123", out);
  EXPECT_EQ('Z', out[5]);
}

TEST(GetFloatField, EmptyFieldsRepeatTheNumberBefore) {
  float value = -1;
  EXPECT_EQ(1, GetFloatField("1,,3", &value, 1));
  EXPECT_FLOAT_EQ(1.0f, value);
  EXPECT_EQ(1, GetFloatField("1,,3", &value, 2));
  EXPECT_FLOAT_EQ(3.0f, value);
  EXPECT_EQ(1, GetFloatField("2.5,-4", &value, 1));
  EXPECT_FLOAT_EQ(-4.0f, value);
  EXPECT_EQ(1, GetFloatField("1,2,", &value, 2));
  EXPECT_FLOAT_EQ(2.0f, value);
}

TEST(GetFloatField, RefusesForeignCharactersAndShortLists) {
  float value = 9;
  EXPECT_EQ(0, GetFloatField("1,2;3", &value, 0));
  EXPECT_FLOAT_EQ(9.0f, value);
  EXPECT_EQ(0, GetFloatField("1/2", &value, 0));
  EXPECT_EQ(0, GetFloatField("1, 2", &value, 0));
  EXPECT_FLOAT_EQ(9.0f, value);
  EXPECT_EQ(0, GetFloatField("1,2", &value, 5));
  EXPECT_FLOAT_EQ(0.0f, value);
}

TEST(ParseValueList, AddsSignedFieldsAndRepeatsTheLastStep) {
  // As the dialogs' help lines promise.
  const double plus[] = {5, 12, 18, 24, 30};
  for (int i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(plus[i], ParseValueList("5,12,+6", i + 1)) << i;
  const double minus[] = {5, 5, 12, 6, 0, -6, -12};
  for (int i = 0; i < 7; ++i) EXPECT_DOUBLE_EQ(minus[i], ParseValueList("5,,12,-6", i + 1)) << i;
  EXPECT_DOUBLE_EQ(20, ParseValueList("10,+5", 3));
  EXPECT_DOUBLE_EQ(-1, ParseValueList("5,11,-6", 4));
}

TEST(ParseValueList, TrimsBlanksAndHandlesEmptyLists) {
  EXPECT_DOUBLE_EQ(7, ParseValueList("  3 ,  +4 ", 2));
  EXPECT_DOUBLE_EQ(0, ParseValueList("", 3));
  EXPECT_DOUBLE_EQ(0, ParseValueList("5", 0));
  EXPECT_DOUBLE_EQ(8, ParseValueList("8", 4));  // a plain last field just repeats
}

TEST(UnescapeString, ExpandsTheEscapeGrammar) {
  EXPECT_EQ("A", Unescape("\\x41"));
  EXPECT_EQ("\n", Unescape("\\n"));
  EXPECT_EQ(
      "A\x1B"
      "B",
      Unescape("A\\x1BB"));
  EXPECT_EQ("\r\n", Unescape("\\r\\n"));
  EXPECT_EQ("\a", Unescape("\\b"));
  EXPECT_EQ("\\", Unescape("\\\\"));
  EXPECT_EQ("a\\c", Unescape("a\\qc"));  // unknown escape: lone backslash, letter dropped
  EXPECT_EQ("ab", Unescape("ab\\"));     // trailing backslash
  EXPECT_EQ("", Unescape("\\x4"));       // incomplete hexadecimal escape
  EXPECT_EQ("", Unescape("\\x"));
  EXPECT_EQ("yz", Unescape("y\\x00z"));  // a zero byte adds nothing
  EXPECT_EQ("\x04", Unescape("\\x4G"));  // strtol stops at the first non-digit
  EXPECT_EQ("\\41", Unescape("\\X41"));  // only the settings form takes \X
}

TEST(UnescapeString, SettingsFormAcceptsUpperX) {
  char out[8];
  EXPECT_EQ(2, UnescapeSettingString("\\X41\\x42", out, sizeof out));
  EXPECT_STREQ("AB", out);
}

TEST(UnescapeString, StopsAtTheBufferSize) {
  char out[8];
  memset(out, 'Z', sizeof out);
  EXPECT_EQ(3, UnescapeString("\\x41\\x42\\x43\\x44\\n", out, 4));
  EXPECT_STREQ("ABC", out);
  EXPECT_EQ('Z', out[4]);
  EXPECT_EQ(0, UnescapeString("abc", out, 1));
  EXPECT_STREQ("", out);
}

}  // namespace
