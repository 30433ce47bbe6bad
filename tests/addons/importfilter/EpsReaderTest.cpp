// The PostScript readers (no window): EPS files run through the small interpreter, with the
// procedures of their prologs, transformations, painting and colours, text and images stepped
// over; Illustrator files read by their fixed operators; the bounding box as the frame the
// drawing is turned over in (points to millimetres, y down). Embedded Type 1 fonts are passed over
// and lines may end in CR, LF or both. Damaged files give nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "addons/importfilter/ImportTestSupport.h"

using namespace import_test;

namespace {

// An EPS of the body with a bounding box of 0 0 200 100 points unless one is given.
std::string Eps(const std::string& body, const std::string& box = "%%BoundingBox: 0 0 200 100") {
  return "%!PS-Adobe-3.0 EPSF-3.0\n" + box + "\n%%EndComments\n" + body + "\nshowpage\n%%EOF\n";
}

// A point of the file's space on the page: points to millimetres, turned over within 0..100.
float X(double x) { return static_cast<float>(x * kPoint); }
float Y(double y, double top = 100) { return static_cast<float>((top - y) * kPoint); }

void ExpectBox(double left, double top, double right, double bottom, const CFRect& box,
               const char* what) {
  EXPECT_NEAR(left, box.left, 2e-3) << what;
  EXPECT_NEAR(top, box.top, 2e-3) << what;
  EXPECT_NEAR(right, box.right, 2e-3) << what;
  EXPECT_NEAR(bottom, box.bottom, 2e-3) << what;
}

TEST(EpsReader, PathsTransformsAndColoursLandWhereThePostScriptPutsThem) {
  Reading reading = Read(
      kPostScript,
      Eps("1 0 0 setrgbcolor 10 10 moveto 110 10 lineto 110 60 lineto 10 60 lineto closepath fill\n"
          "gsave 120 50 translate 2 1 scale 0 0 moveto 10 0 rlineto 0 10 rlineto closepath "
          "0 0 1 setrgbcolor stroke grestore\n"
          "gsave 150 20 translate 90 rotate [1 0 0 1 5 0] concat 0 0 moveto 20 0 lineto "
          "0.5 setgray stroke grestore\n"
          "0 0 moveto 0 5 rlineto 0 0 0 1 setcmykcolor stroke\n"));
  ASSERT_TRUE(reading.read) << reading.report.problem << " line " << reading.report.line;
  ASSERT_EQ(4u, reading.curves.size());
  const Curve& red = reading.curves[0];
  EXPECT_EQ(0xFF0000u, red.colour);
  EXPECT_TRUE(red.solid);
  ExpectBox(X(10), Y(60), X(110), Y(10), red.box, "filled");
  EXPECT_NEAR(100 * 50 * kPoint * kPoint, red.area, 1e-2);
  // Scaled twice across and not up, after a move.
  EXPECT_EQ(0x0000FFu, reading.curves[1].colour);
  EXPECT_FALSE(reading.curves[1].solid);
  ExpectBox(X(120), Y(60), X(140), Y(50), reading.curves[1].box, "scaled");
  // Turned a quarter left: the shift along x of the concatenated matrix goes up the page's y.
  EXPECT_EQ(0x808080u, reading.curves[2].colour);
  ExpectBox(X(150), Y(45), X(150), Y(25), reading.curves[2].box, "turned");
  // After grestore the transformation is the default again.
  EXPECT_EQ(0x000000u, reading.curves[3].colour);
  ExpectBox(X(0), Y(5), X(0), Y(0), reading.curves[3].box, "restored");
}

TEST(EpsReader, PrologProceduresLoopsArcsAndPathsPaintedTwice) {
  Reading reading =
      Read(kPostScript,
           Eps("%%BeginProlog\n50 dict begin\n"
               "/cm { 6 array astore concat } bind def\n"
               "/re { exch dup neg 3 1 roll 5 3 roll moveto 0 rlineto 0 exch rlineto 0 rlineto "
               "closepath } bind def\n/f { fill } bind def\n/q { gsave } def /Q { grestore } def\n"
               "/square { 10 0 rlineto 0 10 rlineto -10 0 rlineto closepath } def\n"
               "%%EndProlog\n"
               "q 1 0 0 -1 0 100 cm 10 10 20 30 re f Q\n"
               "0 1 2 { 20 mul 100 add 10 moveto square stroke } for\n"
               "1 1 eq { 100 50 30 0 360 arc closepath fill } if\n"
               "40 90 moveto 40 95 5 270 90 arcn stroke\n"
               "10 80 moveto 30 80 lineto 20 95 lineto closepath\n"
               "gsave 0 0 1 setrgbcolor fill grestore 1 0 0 setrgbcolor stroke\n"
               "50 80 moveto 60 80 lineto 55 95 lineto closepath gsave stroke grestore fill\n"
               // Another path painted between the stroke and the fill of one.
               "70 80 moveto 80 80 lineto 75 95 lineto closepath gsave stroke grestore\n"
               "85 80 5 5 rectstroke fill\n"
               "0 0 moveto 10 0 lineto 10 10 lineto closepath clip newpath\n"
               "{ 1 2 3 } pop end\n"));
  ASSERT_TRUE(reading.read) << reading.report.problem << " line " << reading.report.line;
  ASSERT_EQ(10u, reading.curves.size());
  // cairo's rectangle under a flip of the page: x 10..30, y 60..90 in the file.
  ExpectBox(X(10), Y(90), X(30), Y(60), reading.curves[0].box, "re");
  EXPECT_TRUE(reading.curves[0].solid);
  for (int i = 0; i < 3; ++i)
    ExpectBox(X(100 + 20 * i), Y(20), X(110 + 20 * i), Y(10), reading.curves[1 + i].box, "for");
  const double circle = 3.14159265 * 900 * kPoint * kPoint;
  EXPECT_NEAR(circle, reading.curves[4].area, circle * 2e-3);
  // arcn from the top round the left: the half circle left of x = 40.
  ExpectBox(X(35), Y(100), X(40), Y(90), reading.curves[5].box, "arcn");
  // Filled then stroked, or stroked then filled: one solid curve each, in the fill's colour.
  EXPECT_TRUE(reading.curves[6].solid);
  EXPECT_EQ(0x0000FFu, reading.curves[6].colour);
  EXPECT_NEAR(20 * 15 / 2.0 * kPoint * kPoint, reading.curves[6].area, 1e-2);
  EXPECT_TRUE(reading.curves[7].solid);
  // The fill goes to the path's own curve, not to the one painted in between.
  EXPECT_TRUE(reading.curves[8].solid);
  ExpectBox(X(70), Y(95), X(80), Y(80), reading.curves[8].box, "filled after another");
  EXPECT_FALSE(reading.curves[9].solid);
  EXPECT_EQ(0, reading.report.texts + reading.report.images);
}

const char kEncryptedBytes[] = "\x8a\xd3(\x7b{0}\0%\n\r\xff)>>00 ]\x04";
const std::string kEncrypted(kEncryptedBytes, sizeof kEncryptedBytes - 1);

// A Type 1 font as font files lay it out: it asks whether it is there already, takes the standard
// encoding, and its encrypted part (binary here, its zeros right after it, its lines ending in
// CR) holds the mark that its cleartomark takes.
const std::string kType1Font =
    "%!PS-AdobeFont-1.0: Sample 001.000\n%%CreationDate: today\n"
    "FontDirectory/Sample known{/Sample findfont dup/UniqueID known{dup\n"
    "/UniqueID get 4000000 eq exch/FontType get 1 eq and}{pop false}ifelse\n"
    "{save true}{false}ifelse}{false}ifelse\n"
    "11 dict begin\n/FontInfo 9 dict dup begin\n/version (001.000) readonly def\n"
    "/FullName (Sample) readonly def\nend readonly def\n/FontName /Sample def\n"
    "/Encoding StandardEncoding def\n/PaintType 0 def\n/FontType 1 def\n"
    "/FontMatrix [0.001 0 0 0.001 0 0] readonly def\n/FontBBox {0 0 1000 1000} readonly def\n"
    "/UniqueID 4000000 def\ncurrentdict end\ncurrentfile eexec\r" +
    kEncrypted + Repeated(std::string(64, '0') + "\r", 8) + "cleartomark\n{restore}if\n";

TEST(EpsReader, AnEmbeddedType1FontIsPassedOverAndItsTextLeftOut) {
  Reading reading =
      Read(kPostScript,
           Eps("%%BeginSetup\n%%BeginResource: font Sample\n" + kType1Font +
               "%%EndResource\n%%EndSetup\n"
               "1 0 0 setrgbcolor 10 10 moveto 60 10 lineto 60 40 lineto closepath fill\n"
               "/Sample findfont 12 scalefont setfont 10 60 moveto (Text) show\n"
               "0 0 1 setrgbcolor 100 10 moveto 150 10 lineto 150 40 lineto closepath fill\n"));
  ASSERT_TRUE(reading.read) << reading.report.problem << " line " << reading.report.line;
  EXPECT_EQ(kImportRead, reading.report.problem);
  EXPECT_EQ(1, reading.report.texts);
  ASSERT_EQ(2u, reading.curves.size());
  EXPECT_EQ(0xFF0000u, reading.curves[0].colour);
  ExpectBox(X(100), Y(40), X(150), Y(10), reading.curves[1].box, "after the font");
}

TEST(EpsReader, LinesEndInCarriageReturnsLineFeedsOrBoth) {
  // Lines joined by each ending: sections passed over to a line, data counted in lines, an
  // encrypted font's lines of zeros, and the line of damage.
  auto joined = [](const std::vector<std::string>& lines, const std::string& ending) {
    std::string text;
    for (const std::string& line : lines) text += line + ending;
    return text;
  };
  const std::vector<std::string> eps = {
      "%!PS-Adobe-3.0 EPSF-3.0",
      "%%BoundingBox: 0 0 200 100",
      "%%EndComments",
      "%%BeginData: 2 Hex Lines",
      "1 1 8 [1 0 0 1 0 0] currentfile image",
      "ff",
      "11 dict begin /FontName /Hex def currentdict end currentfile eexec",
      "d9d66f633b846a989b9974b0179fc6cc",
      std::string(64, '0'),
      std::string(64, '0'),
      "cleartomark",
      "10 10 moveto 50 10 lineto 30 40 lineto closepath fill",
      "%%EOF"};
  const std::vector<std::string> illustrator = {"%!PS-Adobe-2.0 EPSF-1.2",
                                                "%%Creator: Adobe Illustrator(R) 8.0",
                                                "%%BoundingBox: 0 0 200 100",
                                                "%%EndComments",
                                                "%%BeginProlog",
                                                "/m {undefined operators} def 1 2 3 m l c f",
                                                "%%EndProlog",
                                                "0 0 0 1 k",
                                                "10 10 m",
                                                "50 10 l",
                                                "30 40 l",
                                                "f",
                                                "%%Trailer"};
  const std::vector<std::string> damaged = {"%!PS-Adobe-3.0 EPSF-3.0", "%%EndComments",
                                            "10 10 moveto", "", "1 0 div"};
  for (const char* ending : {"\r", "\n", "\r\n"}) {
    for (const std::string& file : {joined(eps, ending), joined(illustrator, ending)}) {
      Reading reading = Read(kPostScript, file);
      ASSERT_EQ(1u, reading.curves.size()) << file << "problem " << reading.report.problem;
      ExpectBox(X(10), Y(40), X(50), Y(10), reading.curves[0].box, file.c_str());
    }
    ExpectNothingRead(Read(kPostScript, joined(damaged, ending)), kImportDamaged, 5, "damaged");
  }
}

TEST(EpsReader, TextAndImagesAreCountedAndTheirDataSteppedOver) {
  Reading reading =
      Read(kPostScript,
           Eps("/Helvetica findfont 12 scalefont setfont 10 10 moveto (Hello \\(world\\)) show\n"
               "gsave 20 20 translate 8 8 scale\n"
               "4 2 8 [4 0 0 2 0 0] {currentfile 4 string readhexstring pop} image\n"
               "00ff00ff\n7b7d2829\ngrestore\n"
               "/DeviceRGB setcolorspace\n<< /ImageType 1 /Width 2 /Height 1 /BitsPerComponent 8\n"
               " /Decode [0 1 0 1 0 1] /ImageMatrix [2 0 0 1 0 0]\n"
               " /DataSource currentfile /ASCII85Decode filter >> image\n"
               "9jqo^BlbD-{)(}%/~>\n"
               "2 1 8 [2 0 0 1 0 0] {currentfile 6 string readstring pop} false 3 colorimage\n"
               "){(}%/\n"
               "mark currentfile eexec\n\x8a\xff(){}\n"
               "0000000000000000000000000000000000000000000000000000000000000000\n"
               "cleartomark\n"
               "10 10 moveto 20 10 lineto stroke\n"));
  ASSERT_TRUE(reading.read) << reading.report.problem << " line " << reading.report.line;
  EXPECT_EQ(1, reading.report.texts);
  EXPECT_EQ(3, reading.report.images);
  ASSERT_EQ(1u, reading.curves.size());
  ExpectBox(X(10), Y(10), X(20), Y(10), reading.curves[0].box, "after the data");
}

TEST(EpsReader, TheBoundingBoxIsTheFrameTheDrawingIsTurnedOverIn) {
  struct Case {
    std::string header;
    std::string trailer;
    float top;  // of the line at y = 10 on the page
  };
  const Case cases[] = {
      {"%%BoundingBox: 0 0 100 100", "", Y(10, 100)},
      {"%%BoundingBox: 0 0 100 101\n%%HiResBoundingBox: 0 0 100 50.5", "", Y(10, 50.5)},
      {"%%BoundingBox: (atend)", "%%Trailer\n%%BoundingBox: 0 5 100 80\n", Y(10, 85)},
      // Without a box the drawing's own (the line alone, at y = 10) is the frame.
      {"%%Title: no box", "", Y(10, 20)},
  };
  for (const Case& c : cases) {
    Reading reading = Read(kPostScript, "%!PS-Adobe-3.0 EPSF-3.0\n" + c.header +
                                            "\n%%EndComments\n10 10 moveto 50 10 lineto stroke\n" +
                                            c.trailer);
    ASSERT_EQ(1u, reading.curves.size()) << c.header;
    EXPECT_NEAR(c.top, reading.curves[0].box.top, 1e-3) << c.header;
    EXPECT_NEAR(X(10), reading.curves[0].box.left, 1e-3) << c.header;
  }
}

TEST(EpsReader, IllustratorFilesAreReadByTheirOwnOperators) {
  const std::string ai =
      "%!PS-Adobe-2.0 EPSF-1.2\n%%Creator: Adobe Illustrator(R) 8.0\n"
      "%%BoundingBox: 0 0 200 100\n%%EndComments\n"
      "%%BeginProlog\n/m {undefined operators} def 1 2 3 m l c f\n%%EndProlog\n"
      "%%BeginSetup\nAdobe_Illustrator_AI5 begin\n%%EndSetup\n"
      "0 1 1 0 k\n10 10 m\n110 10 L\n110 60 l\n10 60 l\nf\n"
      "*u\n0 0 0 1 k\n150 10 m 190 10 l 190 50 l 150 50 l h\n"
      "160 20 m 160 40 l 180 40 l 180 20 l f\n*U\n"
      "1 1 0 0 (Custom Blue) 0 X\n20 80 m\n30 90 40 80 v\n50 70 60 80 y\nS\n"
      "0 0 m 200 0 l 200 100 l 0 100 l h W n\n"
      "0 To 1 0 0 1 10 10 0 Tp TP (Text) Tx TO\n"
      "%AI5_BeginRaster\n() 1 1 XI junk ) ( {\n%AI5_EndRaster\n"
      "%%Trailer\n";
  Reading reading = Read(kPostScript, ai);
  ASSERT_TRUE(reading.read) << reading.report.problem << " line " << reading.report.line;
  ASSERT_EQ(3u, reading.curves.size());
  EXPECT_EQ(0xFF0000u, reading.curves[0].colour);
  EXPECT_TRUE(reading.curves[0].solid);
  EXPECT_EQ(1, reading.curves[0].closedSubpaths);
  ExpectBox(X(10), Y(60), X(110), Y(10), reading.curves[0].box, "filled");
  // The compound path: a square with a square hole, one curve.
  EXPECT_EQ(2, reading.curves[1].subpaths);
  EXPECT_NEAR((1600 - 400) * kPoint * kPoint, reading.curves[1].area, 1e-2);
  // v takes its first control point, y its second from the path's points.
  const Curve& stroked = reading.curves[2];
  EXPECT_FALSE(stroked.solid);
  EXPECT_EQ(0x0000FFu, stroked.colour);
  ASSERT_EQ(7u, stroked.points.size());
  EXPECT_NEAR(X(20), stroked.points[1].x, 1e-4);
  EXPECT_NEAR(Y(80), stroked.points[1].y, 1e-4);
  EXPECT_NEAR(X(60), stroked.points[5].x, 1e-4);
  EXPECT_NEAR(Y(80), stroked.points[5].y, 1e-4);
  EXPECT_EQ(1, reading.report.texts);
  EXPECT_EQ(1, reading.report.images);
}

TEST(EpsReader, DamagedFilesAndFilesOfOtherKindsGiveNothing) {
  struct Case {
    std::string file;
    int problem;
    int line;
  };
  const Case cases[] = {
      {Eps("10 10 moveto\n(never ends 20 20 lineto stroke\n"), kImportDamaged, 5},
      {Eps("10 10 moveto }\n"), kImportDamaged, 4},
      {Eps("10 moveto\n"), kImportDamaged, 4},
      {Eps("10 10 lineto stroke\n"), kImportDamaged, 4},
      {Eps("{ } loop\n"), kImportTooComplex, 0},
      {Eps("/again { again } def again\n"), kImportTooComplex, 0},
      {Eps("/a /b cvx def /b /a cvx def a\n"), kImportTooComplex, 0},
      {Eps("100000000 array\n"), kImportTooComplex, 0},
      {Eps("1 0 div\n"), kImportDamaged, 4},
      {Eps("/Times findfont setfont (only text) show\n"), kImportNothingToRead, 0},
      {"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n", kImportPdfIllustrator, 0},
      {"not PostScript at all", kImportNotThisKind, 0},
      {"%!PS-Adobe-2.0\n%%Creator: Adobe Illustrator 88\n%%EndComments\n10 m\n", kImportDamaged, 4},
      {std::string("\xC5\xD0\xD3\xC6\x1E\0\0\0\xFF\xFF\0\0", 12) + std::string(18, '\0'),
       kImportDamaged, 0},
  };
  for (const Case& c : cases) {
    ExpectNothingRead(Read(kPostScript, c.file), c.problem, c.line, c.file);
  }
}

TEST(EpsReader, ADosEpsIsReadFromItsPostScriptPart) {
  const std::string postScript = Eps("10 10 moveto 50 10 lineto stroke");
  std::string file("\xC5\xD0\xD3\xC6", 4);
  auto put32 = [&](size_t value) {
    for (int i = 0; i < 4; ++i) file += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  put32(30 + 8);  // the PostScript follows a preview of eight bytes
  put32(postScript.size());
  put32(0), put32(0), put32(30), put32(8);
  file += "\xFF\xFF";
  file += std::string("preview!") + postScript + "trailing bytes of no PostScript )(";
  Reading reading = Read(kPostScript, file);
  ASSERT_TRUE(reading.read) << reading.report.problem;
  ASSERT_EQ(1u, reading.curves.size());
  EXPECT_NEAR(X(50), reading.curves[0].box.right, 1e-3);
}

}  // namespace
