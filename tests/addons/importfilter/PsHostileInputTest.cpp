// Hostile and damaged PostScript (no window). Files of a few bytes that nest, allocate, copy,
// roll, save or paint without end, run exec or stopped inside themselves, define and remove keys
// or walk removed ones without end, hold numbers beyond what they can, carry data comments
// that reach past the end, or run operators without end on megabyte names, long end marks or
// angles past any precision, end quickly with the reader's message and give nothing, in the
// editor's process too; what put puts, get finds, forall walks what was there; storage no object
// reaches is given back within the read's memory; Illustrator files are priced as PostScript is;
// and small files changed at random (a fixed seed) run under a small budget without crashing or
// hanging.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "addons/importfilter/AiInterpreter.h"
#include "addons/importfilter/ImportTestSupport.h"
#include "addons/importfilter/PsInterpreter.h"
#include "media/ImportFilterDll.h"
#include "support/ByteMutator.h"
#include "support/TempFolder.h"

using namespace import_test;

namespace {

// The body starts on line 4.
std::string Eps(const std::string& body) {
  return "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 200 100\n%%EndComments\n" + body +
         "\nshowpage\n%%EOF\n";
}

const std::string kNested = "/a 0 array def 1 1 200000 { pop [ a ] /a exch def } for";
// A literal name as long as a token may be.
const std::string kLongName = "/" + std::string(CPsScanner::kLongestToken, 'n');

// The interpreter alone, within the limits: the problem it reports and the curves it painted.
struct Outcome {
  int problem;
  size_t curves;
};
bool operator==(const Outcome& a, const Outcome& b) {
  return a.problem == b.problem && a.curves == b.curves;
}
std::ostream& operator<<(std::ostream& out, const Outcome& run) {
  return out << "problem " << run.problem << ", " << run.curves << " curves";
}
Outcome RunWithin(const std::string& eps, size_t work, size_t memory) {
  CPsScanner scanner(eps.data(), eps.size());
  CImportedDrawing drawing;
  ImportFilterReport report = {};
  CPsInterpreter(scanner, &drawing, &report, {work, memory}).Run();
  return {report.problem, drawing.CurveCount()};
}

TEST(PsHostileInput, HostileFilesEndWithTheReadersMessageAndGiveNothing) {
  struct Case {
    std::string body;
    int problem;
    int line;
  };
  const Case cases[] = {
      {kNested, kImportNothingToRead, 0},
      {"{ 10 array dup dup 0 exch put pop } loop", kImportTooComplex, 0},
      {"{ 1048576 array pop } loop", kImportTooComplex, 0},
      {"{ 1048576 array } loop", kImportTooComplex, 0},
      {"/a 1048576 array def /b 1048576 array def { a b copy pop } loop", kImportTooComplex, 0},
      {"/a 1048576 array def { a 1 1048575 getinterval pop } loop", kImportTooComplex, 0},
      {"1 1 99990 { } for { 99990 1 roll } loop", kImportTooComplex, 0},
      {"mark 1 1 99990 { } for { counttomark pop } loop", kImportTooComplex, 0},
      {"/a 99990 array def { a aload clear } loop", kImportTooComplex, 0},
      {"0 0 moveto 1 1 1000000 { 0 lineto } for 255 { gsave 0 0 lineto } repeat", kImportTooComplex,
       0},
      {"0 0 moveto 1 1 1000000 { 0 lineto } for 255 { save 0 0 lineto } repeat", kImportTooComplex,
       0},
      {"/d << /Width 1 /Height 1 /MultipleDataSources true /DataSource 1048576 array >> def\n"
       "{ d image } loop",
       kImportTooComplex, 0},
      {"/d << >> def 1 1 20000 { d exch 1 put } for { d /x known pop } loop", kImportTooComplex, 0},
      {"0 1 99990 { pop /exec load } for exec", kImportTooComplex, 0},
      {"0 1 99990 { pop /stopped load } for stopped", kImportTooComplex, 0},
      {"{ /k 1 def userdict /k undef } loop", kImportTooComplex, 0},
      {"/d << >> def 0 1 199999 { d exch 1 put } for 0 1 199999 { d exch undef } for\n"
       "{ d { } forall } loop",
       kImportTooComplex, 0},
      {Repeated("%%BeginData: 999999999 Hex Lines\n", 5000), kImportNothingToRead, 0},
      {kLongName + " { dup setcolorspace } loop", kImportTooComplex, 0},
      {kLongName + " { currentfile 1 index filter pop } loop", kImportTooComplex, 0},
      {"/s currentfile 0 (" + std::string(255, 'm') +
           ") /SubFileDecode filter def\n"
           "{ 1 1 8 [1 0 0 1 0 0] s s s s true 4 colorimage } loop",
       kImportTooComplex, 0},
      {"{ newpath 0 0 10 1e300 1e300 arc } loop", kImportTooComplex, 0},
      {"1e300 1 idiv", kImportDamaged, 4},
      {"5 1e300 mod", kImportDamaged, 4},
      {"36#" + std::string(200, 'Z') + " 0 moveto", kImportDamaged, 4},
      {"16#100000000 0 moveto", kImportDamaged, 4},
      {"1e999 0 moveto", kImportDamaged, 4},
  };
  for (const Case& c : cases)
    ExpectNothingRead(Read(kPostScript, Eps(c.body)), c.problem, c.line, c.body.substr(0, 80));
}

TEST(PsHostileInput, WhatPutPutsGetFindsAndPartsShareTheirOriginals) {
  // Each expression leaves a number, which becomes the x of a line's start.
  struct Case {
    const char* expression;
    double x;
  };
  const Case cases[] = {
      {"/d << /a 1 >> def d /a 2 put d /a get", 2},
      {"<< /a 1 /b 2 /a 3 >> dup length exch /a get add", 5},
      {"/d << /a 1 /b 2 >> def d /a undef d length d /a known { 10 } { 20 } ifelse add", 21},
      {"/d << (key) 4 >> def d /key get", 4},
      {"/d << 7 (seven) >> def d 7.0 known { 8 } { 9 } ifelse", 8},
      {"/d << /a 1 /b 2 /c 3 >> def 0 d { exch pop add } forall", 6},
      {"/a [1 2 3 4] def a 1 2 getinterval 0 9 put a 1 get", 9},
      {"(abcdef) 2 3 getinterval (cde) eq { 7 } { 3 } ifelse", 7},
      {"16#FF 2#101 add", 260},
      {"-7 2 idiv 7 -2 mod add", -2},
      // A full dictionary with half its keys removed keeps its places while forall walks it,
      // though its procedure adds a key.
      {"/d << /a 1 /b 2 /c 3 /d 4 /e 5 /f 6 /g 7 /h 8 >> def d /a undef d /c undef d /e undef\n"
       "d /g undef 0 d { exch pop add d /z 100 put } forall",
       20},
  };
  for (const Case& c : cases) {
    Reading reading = Read(kPostScript,
                           Eps(std::string(c.expression) + " 0 moveto 0 10 rlineto stroke"));
    if (reading.curves.size() != 1) {
      ADD_FAILURE() << c.expression << ": problem " << reading.report.problem;
      continue;
    }
    EXPECT_NEAR(c.x * kPoint, reading.curves[0].points[0].x, 1e-4) << c.expression;
  }
}

TEST(PsHostileInput, StorageNothingReachesIsGivenBackAndWhatIsHeldIsPaidFor) {
  const size_t kWork = 10000000, kMemory = 2 << 20;
  // Some 20 MB of arrays dropped as they are made, and cycles among them, in 2 MB.
  EXPECT_EQ(Outcome({kImportRead, 1}),
            RunWithin(Eps("0 1 50000 { pop 20 array dup dup 0 exch put pop } for\n"
                          "10 10 moveto 20 20 lineto stroke"),
                      kWork, kMemory));
  // Saved states share a path until one changes it.
  const std::string path = "0 0 moveto 1 1 20000 { 0 lineto } for ";
  EXPECT_EQ(Outcome({kImportRead, 1}),
            RunWithin(Eps(path + "200 { gsave } repeat stroke"), kWork, kMemory));
  EXPECT_EQ(Outcome({kImportTooComplex, 0}),
            RunWithin(Eps(path + "200 { gsave 0 0 lineto } repeat stroke"), kWork, kMemory));
  // Painted curves are paid for at what the drawing holds: it does not grow without end.
  const Outcome strokes = RunWithin(Eps("{ 0 0 moveto 1 1 lineto stroke } loop"), kWork, kMemory);
  EXPECT_EQ(kImportTooComplex, strokes.problem);
  EXPECT_LT(strokes.curves, kMemory / CImportedDrawing::CurveBytes(2));
  // Arrays kept in a definition or on the stack stay paid for.
  EXPECT_EQ(Outcome({kImportTooComplex, 0}),
            RunWithin(Eps("0 1 20 { pop 10000 array } for"), kWork, kMemory));
  EXPECT_EQ(Outcome({kImportTooComplex, 0}),
            RunWithin(Eps("/a 0 array def 0 1 50000 { pop [ a ] /a exch def } for"), kWork,
                      kMemory));
  // A data section's lines are counted from the line after its comment.
  EXPECT_EQ(Outcome({kImportRead, 1}),
            RunWithin(Eps("%%BeginData: 3 Binary Lines\n1 1 8 [1 0 0 1 0 0] currentfile image\n"
                          ") { not PostScript\n(\n%%EndData\n10 10 moveto 20 20 lineto stroke"),
                      kWork, kMemory));
}

TEST(PsHostileInput, IllustratorFilesArePaidForAsPostScriptIs) {
  // Painted curves at what the drawing holds, within the read's memory.
  const std::string paths = "%!PS-Adobe-2.0\n%%Creator: Adobe Illustrator(R) 8.0\n%%EndComments\n" +
                            Repeated("0 0 m 1 1 l S\n", 100000) + "%%Trailer\n";
  const size_t kMemory = 2 << 20;
  CPsScanner scanner(paths.data(), paths.size());
  CImportedDrawing drawing;
  ImportFilterReport report = {};
  CAiInterpreter(scanner, &drawing, &report, 10000000, kMemory).Run();
  EXPECT_EQ(kImportTooComplex, report.problem);
  EXPECT_LE(drawing.CurveCount(), kMemory / CImportedDrawing::CurveBytes(2));
  // A path of more points than a path holds is too complex where it overflows.
  ExpectNothingRead(Read(kPostScript,
                         "%!PS-Adobe-2.0\n%%Creator: Adobe Illustrator(R) 8.0\n"
                         "%%EndComments\n0 0 m\n" +
                             Repeated("1 1 l\n", CImportPath::kMaxPoints) +
                             "2 2 m\n3 3 l\nS\n%%Trailer\n"),
                    kImportTooComplex, 0, "a path of more points than a path holds");
}

TEST(PsHostileInput, ADeepChainOfArraysIsFreedInTheCallersProcess) {
  TempFolder folder;
  const std::string nested = folder.File("nested.eps"), square = folder.File("square.eps");
  WriteText(nested, Eps(kNested));
  WriteText(square, Eps("0 0 moveto 72 0 lineto 72 72 lineto closepath fill"));
  CImportFilterDll filter;
  ASSERT_NE(nullptr, filter.Bind("program\\TalvexFilter.dll"));
  ImportFilterReport report;
  EXPECT_EQ(nullptr, filter.FilterRead(nested.c_str()));
  ASSERT_TRUE(filter.GetReport(&report));
  EXPECT_EQ(kImportNothingToRead, report.problem);
  HGLOBAL record = filter.FilterRead(square.c_str());
  ASSERT_TRUE(filter.GetReport(&report));
  EXPECT_EQ(1u, Unpack(record, report).curves.size());
}

TEST(PsHostileInput, ChangedAndSplicedFilesRunWithinASmallBudget) {
  const std::string illustrator =
      "%!PS-Adobe-2.0\n%%Creator: Adobe Illustrator(R) 8.0\n%%EndComments\n0 1 1 0 k\n"
      "10 10 m 110 10 L 110 60 l 10 60 l f\n*u\n150 10 m 190 10 l 190 50 l h f\n*U\n"
      "%%BeginData: 999999999 Hex Lines\n20 80 m 30 90 40 80 v 50 70 60 80 y S\n%%Trailer\n";
  const std::string seeds[] = {
      Eps("50 dict begin /cm { 6 array astore concat } bind def /q { gsave } def\n"
          "/Q { grestore } def /d << /w 10 /h 20 >> def\n"
          "q 1 0 0 -1 0 100 cm 0 1 5 { d /w get mul 10 moveto d /h get 0 rlineto } for\n"
          "closepath fill Q [1 2 3] aload pop roll 3 copy mark 4 5 counttomark cleartomark\n"
          "(abc) 1 1 getinterval cvn /e exch def d /w undef d { pop pop } forall end"),
      Eps("/a 0 array def 1 1 300 { pop [ a ] /a exch def } for { 10 array dup dup 0 exch put "
          "pop } loop"),
      Eps("0 0 moveto 1 1 3000 { 0 lineto } for 255 { gsave 0 0 lineto } repeat"),
      Eps("%%BeginData: 99 Hex Lines\n1 1 8 [1 0 0 1 0 0] currentfile image\n"
          "<< /DataSource currentfile /SubFileDecode filter >> image 16#7FFFFFFF 1e300 idiv"),
      illustrator,
  };
  const char* const splices[] = {
      " loop ", " { ",    " } ",    " 999999 array ", " gsave ",
      " copy ", " roll ", " << ",   " >> ",           " 36#ZZZZZZZZZZZZZZZZ ",
      " ] ",    " dup ",  " exec ", " forall ",       " 1e308 10 mul "};
  ByteMutator mutator(20240611);
  auto random = [&mutator](size_t range) { return size_t(mutator.Below(range)); };
  for (const std::string& original : seeds) {
    for (int trial = 0; trial < 120; ++trial) {
      std::string file = original;
      const size_t at = random(file.size());
      switch (trial % 3) {
        case 0:
          file[at] = static_cast<char>(random(256));
          break;
        case 1:
          file.insert(at, splices[random(sizeof splices / sizeof splices[0])]);
          break;
        default:
          file.insert(at, file.substr(random(file.size()), random(40)));
          break;
      }
      const Outcome run = RunWithin(file, 200000, 4 << 20);
      EXPECT_TRUE(run.problem == kImportRead || run.problem == kImportDamaged ||
                  run.problem == kImportTooComplex || run.problem == kImportEndedEarly)
          << file;
      if (original != illustrator) continue;
      // Illustrator files are read by their fixed operators, in one pass: through the filter, a
      // read gives a drawing (what came before the end of one cut short) or says why it gave none.
      Reading reading = Read(kPostScript, file);
      EXPECT_EQ(reading.read, reading.report.problem == kImportRead ||
                                  reading.report.problem == kImportEndedEarly)
          << file;
    }
  }
}

}  // namespace
