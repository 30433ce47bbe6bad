#include <gtest/gtest.h>

#include "framework/InvalidArgException.h"
#include "framework/String.h"

namespace {

// GBK characters whose trail byte is an ASCII letter or a backslash: the places where a byte-wise
// string routine goes wrong.
const char kTrailLowerA[] = "\x81\x61";   // trail byte 'a'
const char kTrailBackslash[] = "\x95\x5c"; // trail byte '\\'

TEST(CString, BuildsComparesAndConcatenates) {
  CString empty;
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_STREQ("", static_cast<LPCSTR>(empty));
  CString nullText(static_cast<LPCSTR>(nullptr));
  EXPECT_TRUE(nullText.IsEmpty());

  CString a("abc");
  CString b = a + "def" + 'g';
  EXPECT_EQ(b, "abcdefg");
  EXPECT_TRUE("abc" == a);
  EXPECT_TRUE(a != b);
  EXPECT_LT(a, b);
  EXPECT_EQ(0, CString("Hello").CompareNoCase("hELLO"));
  EXPECT_NE(0, CString("Hello").CompareNoCase("hELLx"));
  EXPECT_EQ(CString('x', 3), "xxx");
  EXPECT_EQ(CString("abcdef", 3), "abc");
  EXPECT_EQ(CString("ab", 10), "ab");
}

TEST(CString, CutsOutPiecesWithinBounds) {
  CString s("Cutters.INI");
  EXPECT_EQ(s.Left(7), "Cutters");
  EXPECT_EQ(s.Right(3), "INI");
  EXPECT_EQ(s.Mid(8), "INI");
  EXPECT_EQ(s.Mid(0, 3), "Cut");
  EXPECT_EQ(s.Left(100), s);
  EXPECT_EQ(s.Left(-1), "");
  EXPECT_EQ(s.Mid(50), "");
  EXPECT_EQ(s.Mid(-5, 3), "Cut");
  EXPECT_EQ(s.Right(-2), "");
  EXPECT_EQ(s.Mid(9, 99), "NI");
}

TEST(CString, FindsCharactersAndTextButNotInsideDoubleByteCharacters) {
  CString path = CString("C:\\") + kTrailBackslash + "\\file.t42";
  // The first backslash is at 2; the trail byte at 4 is not a backslash; the next one is at 5.
  EXPECT_EQ(2, path.Find('\\'));
  EXPECT_EQ(5, path.Find('\\', 3));
  EXPECT_EQ(5, path.ReverseFind('\\'));
  EXPECT_EQ(6, path.Find("file"));
  EXPECT_EQ(-1, path.Find("nothing"));
  EXPECT_EQ(-1, path.Find(""));

  CString only(kTrailBackslash);
  EXPECT_EQ(-1, only.Find('\\'));
  EXPECT_EQ(-1, only.ReverseFind('\\'));
  EXPECT_EQ(-1, only.FindOneOf("\\"));
  EXPECT_EQ(0, CString("a,b").FindOneOf(",a"));
}

TEST(CString, ReplacesRemovesInsertsAndDeletes) {
  CString s("a-b-c");
  EXPECT_EQ(2, s.Replace('-', '+'));
  EXPECT_EQ(s, "a+b+c");
  EXPECT_EQ(2, s.Replace("+", "::"));
  EXPECT_EQ(s, "a::b::c");
  EXPECT_EQ(0, s.Replace("", "x"));
  EXPECT_EQ(2, s.Replace("::", ""));
  EXPECT_EQ(s, "abc");

  CString dbcs = CString(kTrailBackslash) + "\\";
  EXPECT_EQ(1, dbcs.Replace('\\', '/'));
  EXPECT_EQ(dbcs, CString(kTrailBackslash) + "/");
  EXPECT_EQ(0, dbcs.Remove('\\'));

  CString t("ace");
  t.Insert(1, 'b');
  t.Insert(3, "d");
  EXPECT_EQ(t, "abcde");
  t.Insert(99, "!");
  EXPECT_EQ(t, "abcde!");
  t.Delete(0, 2);
  EXPECT_EQ(t, "cde!");
  t.Delete(2, 100);
  EXPECT_EQ(t, "cd");
  EXPECT_EQ(1, t.Remove('c'));
  EXPECT_EQ(t, "d");
}

TEST(CString, TrimsWhiteSpaceAndCharacterSets) {
  CString s("  \t text \r\n");
  EXPECT_EQ(s.Trim(), "text");
  CString zeros("00120");
  EXPECT_EQ(zeros.TrimLeft('0'), "120");
  EXPECT_EQ(zeros.TrimRight('0'), "12");
  CString mixed("xyhixy");
  EXPECT_EQ(mixed.Trim("xy"), "hi");
  // A set character that is the trail byte of a double-byte character does not cut it in half.
  CString dbcs = CString("a") + kTrailLowerA;
  EXPECT_EQ(dbcs.TrimRight("a"), CString("a") + kTrailLowerA);
}

TEST(CString, CaseMappingLeavesDoubleByteCharactersAlone) {
  CString s = CString("abc") + kTrailLowerA + "xyz中文";
  s.MakeUpper();
  EXPECT_EQ(s, CString("ABC") + kTrailLowerA + "XYZ中文");
  s.MakeLower();
  EXPECT_EQ(s, CString("abc") + kTrailLowerA + "xyz中文");
  CString r = CString("ab") + kTrailLowerA;
  r.MakeReverse();
  EXPECT_EQ(r, CString(kTrailLowerA) + "ba");
}

TEST(CString, FormatsAnyLength) {
  CString s;
  s.Format("%d-%s-%.4f", 42, "x", 1.5);
  EXPECT_EQ(s, "42-x-1.5000");
  CString big;
  big.Format("%s%s", std::string(5000, 'a').c_str(), "end");
  EXPECT_EQ(big.GetLength(), 5003);
  EXPECT_EQ(big.Right(3), "end");
  s.AppendFormat("+%02d", 7);
  EXPECT_EQ(s, "42-x-1.5000+07");
}

TEST(CString, BufferAccessForCallersThatFillText) {
  CString s;
  char* buffer = s.GetBuffer(16);
  strcpy(buffer, "filled");
  s.ReleaseBuffer();
  EXPECT_EQ(s, "filled");
  EXPECT_EQ(s.GetLength(), 6);
  s.GetBufferSetLength(3);
  s.ReleaseBuffer(2);
  EXPECT_EQ(s, "fi");
}

TEST(CString, IndexOutOfRangeThrowsInsteadOfTouchingMemory) {
  CString s("ab");
  EXPECT_EQ('b', s[1]);
  try {
    s.GetAt(2);
    FAIL() << "no exception";
  } catch (CInvalidArgException* e) {
    e->Delete();
  }
}

TEST(CString, LoadsStringsFromTheResourceModule) {
  CString s;
  ASSERT_TRUE(s.LoadString(101));
  EXPECT_EQ(s, "你好，世界");
  ASSERT_TRUE(s.LoadString(103));
  EXPECT_GT(s.GetLength(), 256);
  EXPECT_EQ(s.Right(3), "END");
  EXPECT_FALSE(s.LoadString(4000));
  EXPECT_TRUE(s.IsEmpty());
}

}  // namespace
