// Damaged input for every reader (no window): valid files of each kind cut short at every few
// bytes and with bytes changed at random (a fixed seed) must never crash or hang, and a read
// either gives a drawing that the model reads back undamaged (a PostScript file cut inside its
// drawing gives what came before the cut, and says so) or says why it gave nothing.
#include <gtest/gtest.h>

#include <string>

#include "addons/importfilter/ImportTestSupport.h"

using namespace import_test;

namespace {

const char kPlotFile[] =
    "IN;SP1;PU400,400;PD800,400,800,1200,400,1200,400,400;SP2;PR;PD40,80;LBAB\x03;";

const char kEpsFile[] =
    "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 200 100\n%%EndComments\n%%BeginProlog\n"
    "50 dict begin /cm { 6 array astore concat } bind def /q { gsave } def /Q { grestore } def\n"
    "/re { exch dup neg 3 1 roll 5 3 roll moveto 0 rlineto 0 exch rlineto 0 rlineto closepath }"
    " bind def\n%%EndProlog\nq 1 0 0 -1 0 100 cm 1 0 0 setrgbcolor 10 10 20 30 re fill Q\n"
    "0 1 2 { 20 mul 100 add 10 moveto 10 0 rlineto 0 10 rlineto closepath stroke } for\n"
    "2 1 8 [2 0 0 1 0 0] {currentfile 2 string readhexstring pop} image\n00ff\n"
    "<< /Width 1 /Height 1 /BitsPerComponent 8 /DataSource currentfile /ASCII85Decode filter >>"
    " image\n9jqo^~>\n100 50 30 0 360 arc closepath gsave fill grestore stroke\n"
    "(text) show end\nshowpage\n%%EOF\n";

const char kAiFile[] =
    "%!PS-Adobe-2.0 EPSF-1.2\n%%Creator: Adobe Illustrator(R) 8.0\n%%BoundingBox: 0 0 200 100\n"
    "%%EndComments\n%%BeginProlog\n/m {moveto} def\n%%EndProlog\n0 1 1 0 k\n10 10 m 110 10 L\n"
    "110 60 l 10 60 l f\n*u\n150 10 m 190 10 l 190 50 l h 160 20 m 160 40 l 180 40 l f\n*U\n"
    "20 80 m 30 90 40 80 v 50 70 60 80 y S\n0 To (Text) Tx TO\n%%Trailer\n";

const char kDxfFile[] =
    "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n0\nSECTION\n2\nBLOCKS\n"
    "0\nBLOCK\n2\nB\n10\n1\n20\n1\n0\nLWPOLYLINE\n90\n3\n70\n1\n10\n0\n20\n0\n42\n0."
    "5\n10\n5\n20\n0\n"
    "10\n2\n20\n4\n0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n0\n20\n0\n11\n10\n21"
    "\n0\n"
    "0\nLINE\n10\n10\n20\n0\n11\n10\n21\n10\n0\nCIRCLE\n10\n40\n20\n5\n40\n5\n"
    "0\nARC\n10\n60\n20\n5\n40\n5\n50\n30\n51\n300\n230\n-1\n"
    "0\nSPLINE\n70\n8\n71\n3\n40\n0\n40\n0\n40\n0\n40\n0\n40\n1\n40\n2\n40\n2\n40\n2\n40\n2\n"
    "10\n0\n20\n20\n10\n10\n20\n30\n10\n20\n20\n20\n10\n30\n20\n30\n10\n40\n20\n20\n"
    "0\nINSERT\n2\nB\n10\n80\n20\n0\n41\n2\n50\n45\n70\n2\n44\n10\n0\nTEXT\n1\nx\n0\nENDSEC\n0\nEOF"
    "\n";

void ExpectWholeOrReasoned(int kind, const std::string& file, const std::string& what) {
  Reading reading = Read(kind, file);
  if (reading.read) {
    EXPECT_TRUE(reading.report.problem == kImportRead ||
                (kind == kPostScript && reading.report.problem == kImportEndedEarly))
        << what << ": problem " << reading.report.problem;
    EXPECT_FALSE(reading.curves.empty()) << what;
  } else {
    EXPECT_NE(kImportRead, reading.report.problem) << what;
  }
}

TEST(DamagedInput, CutAndChangedFilesOfEveryKindNeverCrashAndSayWhyTheyGaveNothing) {
  const struct {
    int kind;
    std::string file;
  } files[] = {{kPlot, kPlotFile},
               {kPostScript, kEpsFile},
               {kPostScript, kAiFile},
               {kDxf, kDxfFile}};
  unsigned seed = 12345;
  auto random = [&seed](unsigned range) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % range;
  };
  for (const auto& f : files) {
    // Every file reads whole as it is.
    Reading whole = Read(f.kind, f.file);
    ASSERT_TRUE(whole.read) << f.file << "\nproblem " << whole.report.problem << " line "
                            << whole.report.line;
    for (size_t length = 0; length < f.file.size(); length += 3)
      ExpectWholeOrReasoned(f.kind, f.file.substr(0, length), "cut at " + std::to_string(length));
    for (int trial = 0; trial < 300; ++trial) {
      std::string changed = f.file;
      const unsigned changes = 1 + random(3);
      for (unsigned i = 0; i < changes; ++i)
        changed[random(static_cast<unsigned>(changed.size()))] = static_cast<char>(random(256));
      ExpectWholeOrReasoned(f.kind, changed, changed);
    }
  }
}

}  // namespace
