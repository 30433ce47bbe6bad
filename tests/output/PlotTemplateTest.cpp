#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "output/PlotTemplate.h"

namespace {

bool Accepts(const char* text, int minArgs, int maxArgs) {
  CPlotTemplate t;
  CString problem;
  bool ok = t.SetFormat(text, minArgs, maxArgs, &problem);
  EXPECT_EQ(ok, problem.IsEmpty()) << text;
  return ok;
}

TEST(CPlotTemplate, AcceptsIntegerConversionsInTheRightNumber) {
  EXPECT_TRUE(Accepts("PU%d,%d;", 2, 2));
  EXPECT_TRUE(Accepts("D%i,%i ", 2, 2));
  EXPECT_TRUE(Accepts("X%05d,%+d", 2, 2));
  EXPECT_TRUE(Accepts("%-3.2x%X", 2, 2));
  EXPECT_TRUE(Accepts("VS%d;", 1, 1));
  EXPECT_TRUE(Accepts("100%%;PU;", 0, 0));
  EXPECT_TRUE(Accepts("PG;", 0, 1));
  EXPECT_TRUE(Accepts("PU%d,0;", 0, 1));
  EXPECT_TRUE(Accepts("", 2, 2));  // an empty template is simply not sent
}

TEST(CPlotTemplate, RefusesWhatAFormattingFunctionWouldMisread) {
  EXPECT_FALSE(Accepts("PU%d;", 2, 2));        // too few: the y would be lost
  EXPECT_FALSE(Accepts("PU%d,%d,%d;", 2, 2));  // too many: reads past the arguments
  EXPECT_FALSE(Accepts("PU%d,%d;", 0, 1));
  EXPECT_FALSE(Accepts("HM%d;", 0, 0));
  EXPECT_FALSE(Accepts("PU%s,%d;", 2, 2));
  EXPECT_FALSE(Accepts("VS%f;", 1, 1));
  EXPECT_FALSE(Accepts("VS%n", 1, 1));
  EXPECT_FALSE(Accepts("VS%ld", 1, 1));
  EXPECT_FALSE(Accepts("VS%lld", 1, 1));
  EXPECT_FALSE(Accepts("VS%*d", 1, 1));
  EXPECT_FALSE(Accepts("VS%100d", 1, 1));
  EXPECT_FALSE(Accepts("VS%.100d", 1, 1));
  EXPECT_FALSE(Accepts("VS%", 0, 1));
  EXPECT_FALSE(Accepts("VS%d%", 1, 1));
  EXPECT_FALSE(Accepts("%------d", 1, 1));
}

TEST(CPlotTemplate, ProblemNamesTheConversionOrTheCount) {
  CPlotTemplate t;
  CString problem;
  EXPECT_FALSE(t.SetFormat("PU%s,%d;", 2, 2, &problem));
  EXPECT_NE(-1, problem.Find("%s"));
  EXPECT_TRUE(t.IsEmpty());
  EXPECT_FALSE(t.SetFormat("PU%d;", 2, 2, &problem));
  EXPECT_NE(-1, problem.Find("2"));
  EXPECT_NE(-1, problem.Find("1"));
}

TEST(CPlotTemplate, StoresAtMostNineteenCharacters) {
  CPlotTemplate t;
  CString problem;
  EXPECT_TRUE(t.SetRaw("1234567890123456789", &problem));
  EXPECT_STREQ("1234567890123456789", t.GetText());
  EXPECT_FALSE(t.SetRaw("12345678901234567890", &problem));
  EXPECT_FALSE(problem.IsEmpty());
  EXPECT_TRUE(t.IsEmpty());
  // Raw text is sent as it is, percent signs included.
  EXPECT_TRUE(t.SetRaw("\x1B%-12345X", &problem));
}

TEST(CPlotTemplate, ExpandsWithTheArgumentsInOrder) {
  CPlotTemplate t;
  ASSERT_TRUE(t.SetFormat("PU%d,%d;", 2, 2, nullptr));
  EXPECT_STREQ("PU200,100;", t.Expand(2, 200, 100));
  EXPECT_STREQ("PU-5,0;", t.Expand(2, -5, 0));
  ASSERT_TRUE(t.SetFormat("50%%%04X;", 1, 1, nullptr));
  EXPECT_STREQ("50%00FF;", t.Expand(1, 255));
  ASSERT_TRUE(t.SetFormat("PU;", 0, 0, nullptr));
  EXPECT_STREQ("PU;", t.Expand());
}

TEST(CPlotTemplate, ExpansionNeverPassesTheBuffer) {
  CPlotTemplate t;
  ASSERT_TRUE(t.SetFormat("%99d%99d%99d", 3, 3, nullptr));
  const int args[3] = {1, 2, 3};
  char out[CPlotTemplate::kMaxExpansion + 8];
  std::memset(out, 'z', sizeof(out));
  EXPECT_FALSE(t.Expand(args, 3, out, CPlotTemplate::kMaxExpansion));
  EXPECT_STREQ("", out);
  EXPECT_EQ('z', out[CPlotTemplate::kMaxExpansion]);

  ASSERT_TRUE(t.SetFormat("PD%d,%d;", 2, 2, nullptr));
  char small[8];
  const int big[2] = {123456, 7};
  EXPECT_FALSE(t.Expand(big, 2, small, sizeof(small)));
  EXPECT_TRUE(t.Expand(args, 2, small, sizeof(small)));
  EXPECT_STREQ("PD1,2;", small);
}

// The terminating zero needs the last byte: an expansion one character shorter than the buffer
// fits exactly, one of the buffer's own length does not, and neither writes past the buffer.
TEST(CPlotTemplate, ExpansionThatExactlyFillsItsBuffer) {
  struct Case {
    const char* format;
    int argCount;
    int args[3];
    const char* expansion;  // null: only its length is known
    size_t length;
  };
  const Case cases[] = {
      {"PD%d,%d;", 2, {1234, 56}, "PD1234,56;", 10},  // ends in a literal
      {"VS%d", 1, {123}, "VS123", 5},                 // ends in a number
      {"50%%", 0, {}, "50%", 3},                      // ends in a percent sign
      {"%99d%99d%57d", 3, {1, 2, 3}, nullptr, CPlotTemplate::kMaxExpansion - 1},  // the largest
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    CPlotTemplate t;
    ASSERT_TRUE(t.SetFormat(c.format, c.argCount, c.argCount, nullptr));
    std::vector<char> out(c.length + 8, 'z');
    ASSERT_TRUE(t.Expand(c.args, c.argCount, out.data(), c.length + 1));
    EXPECT_EQ(c.length, std::strlen(out.data()));
    if (c.expansion) {
      EXPECT_STREQ(c.expansion, out.data());
    }
    EXPECT_EQ('z', out[c.length + 1]);

    std::fill(out.begin(), out.end(), 'z');
    EXPECT_FALSE(t.Expand(c.args, c.argCount, out.data(), c.length));
    EXPECT_STREQ("", out.data());
    EXPECT_EQ('z', out[c.length]);
  }
}

TEST(CPlotTemplate, ExpansionWithTooFewArgumentsFails) {
  CPlotTemplate t;
  ASSERT_TRUE(t.SetFormat("PU%d,%d;", 2, 2, nullptr));
  const int one[1] = {7};
  char out[64];
  EXPECT_FALSE(t.Expand(one, 1, out, sizeof(out)));
  EXPECT_STREQ("", t.Expand(0));
}

}  // namespace
