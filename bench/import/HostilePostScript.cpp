#include "bench/import/HostilePostScript.h"

#include <windows.h>

#include <string>
#include <vector>

#include "bench/import/ChildRead.h"

namespace HostilePostScript {
namespace {

const char kChildSwitch[] = "--hostile-postscript";
const DWORD kLimitSeconds = 180;

std::string Repeated(const char* text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

std::string Eps(const std::string& body) {
  return "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 100 100\n%%EndComments\n" + body +
         "\n%%EOF\n";
}

std::string Illustrator(const std::string& body) {
  return "%!PS-Adobe-2.0 EPSF-1.2\n%%Creator: Adobe Illustrator(R) 8.0\n"
         "%%BoundingBox: 0 0 100 100\n%%EndComments\n" +
         body + "%%Trailer\n%%EOF\n";
}

// A literal name as long as a token may be.
std::string LongName() { return "/" + std::string(1 << 20, 'n'); }

struct HostileFile {
  const char* what;
  std::string body;
};

std::vector<HostileFile> Files() {
  return {
      {"arrays nested 100,000 deep", "/a 0 array def 1 1 100000 { pop [ a ] /a exch def } for"},
      {"arrays that hold themselves", "{ 10 array dup dup 0 exch put pop } loop"},
      {"arrays of 2^20, dropped", "{ 1048576 array pop } loop"},
      {"arrays of 2^20, kept", "{ 1048576 array } loop"},
      {"copy of arrays of 2^20", "/a 1048576 array def /b 1048576 array def { a b copy pop } loop"},
      {"getinterval of 2^20", "/a 1048576 array def { a 1 1048575 getinterval pop } loop"},
      {"roll of 99,990", "1 1 99990 { } for { 99990 1 roll } loop"},
      {"counttomark over 99,990", "mark 1 1 99990 { } for { counttomark pop } loop"},
      {"aload of 99,990", "/a 99990 array def { a aload clear } loop"},
      {"gsave of 2M points, changed",
       "0 0 moveto 1 1 2000000 { 0 lineto } for 255 { gsave 0 0 lineto } repeat"},
      {"save of 2M points, changed",
       "0 0 moveto 1 1 2000000 { 0 lineto } for 255 { save 0 0 lineto } repeat"},
      {"put into a dictionary", "/d << /a 1 >> def { d /a 2 put } loop"},
      {"known in 200,000 keys",
       "/d << >> def 1 1 200000 { d exch 1 put } for { d /x known pop } loop"},
      {"strokes without end", "{ 0 0 moveto 1 1 lineto stroke } loop"},
      {"image of 2^20 data sources",
       "/d << /Width 1 /Height 1 /MultipleDataSources true /DataSource 1048576 array >> def\n"
       "{ d image } loop"},
      {"120,000 BeginData comments", Repeated("%%BeginData: 999999999 Hex Lines\n", 120000)},
      {"exec of exec 99,991 deep", "0 1 99990 { pop /exec load } for exec"},
      {"stopped of stopped 99,991 deep", "0 1 99990 { pop /stopped load } for stopped"},
      {"def and undef of one key", "{ /k 1 def userdict /k undef } loop"},
      {"forall over 200,000 removed keys",
       "/d << >> def 0 1 199999 { d exch 1 put } for 0 1 199999 { d exch undef } for\n"
       "{ d { } forall } loop"},
      {"SubFileDecode mark over 20 MB", "currentfile 0 (" + std::string(255, 'a') +
                                            "b) /SubFileDecode filter\n"
                                            "1 1 8 [1 0 0 1 0 0] 5 -1 roll image\n" +
                                            std::string(20 << 20, 'a')},
      {"setcolorspace of a 1 MB name", LongName() + " { dup setcolorspace } loop"},
      {"filter of a 1 MB name", LongName() + " { currentfile 1 index filter pop } loop"},
      {"colorimage of 4 sources, 255-byte marks",
       "/s currentfile 0 (" + std::string(255, 'a') +
           ") /SubFileDecode filter def\n"
           "{ 1 1 8 [1 0 0 1 0 0] s s s s true 4 colorimage } loop"},
      {"arcs at 1e300 degrees", "{ newpath 0 0 10 1e300 1e300 arc } loop"},
  };
}

// Illustrator files, read by their fixed operators.
std::vector<HostileFile> IllustratorFiles() {
  return {
      {"56 MB of two-point paths", Repeated("0 0 m\n1 1 l\nS\n", (56 << 20) / 14)},
      {"one path of 4,000,001 points",
       "0 0 m\n" + Repeated("1 1 l\n", 4000000) + "2 2 m\n3 3 l\nS\n"},
  };
}

}  // namespace

bool RunChildRead() { return ChildRead::RunIfChild(kChildSwitch, ChildRead::ThroughFilter); }

void Measure() {
  char folder[MAX_PATH];
  ::GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "talvex-hostile.eps";
  for (const HostileFile& file : Files()) {
    const std::string eps = Eps(file.body);
    ChildRead::WriteAndRead(kChildSwitch, path, eps.data(), eps.size(),
                            ("EPS, " + std::string(file.what)).c_str(), kLimitSeconds);
  }
  for (const HostileFile& file : IllustratorFiles()) {
    const std::string ai = Illustrator(file.body);
    ChildRead::WriteAndRead(kChildSwitch, path, ai.data(), ai.size(),
                            ("AI, " + std::string(file.what)).c_str(), kLimitSeconds);
  }
}

}  // namespace HostilePostScript
