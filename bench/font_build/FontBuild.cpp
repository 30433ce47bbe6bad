// Times building a GB2312 own font file (the hanzi zones B0-F7 by A1-FE, 6,768 codes) from an
// installed TrueType font through the font tables, as the font building dialog does it, and
// prints the time per 1,000 glyphs: the glyphs fetched through GDI (with the check that the font
// itself holds each character), and the whole build with the encoding and the file. The font is
// the first installed face of the GB2312 character set unless one is named. Run by hand under
// Wine:
//   wine build/<arch>/bench/font_build.exe [face name] [output.cft]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "model/geometry/Contour.h"
#include "model/settings/IniFile.h"
#include "text/CftFileWriter.h"
#include "text/CftFontTable.h"
#include "text/FontTable.h"
#include "text/GlyphCodec.h"
#include "text/Language.h"
#include "text/TtfFontTable.h"
#include "text/WinFontTable.h"

namespace {

const int kGb2312 = 134;
const BYTE kFirstLead = 0xB0, kLastLead = 0xF7, kFirstTrail = 0xA1, kLastTrail = 0xFE;

double Milliseconds(std::chrono::steady_clock::duration span) {
  return std::chrono::duration<double, std::milli>(span).count();
}

}  // namespace

int main(int argc, char** argv) {
  char folder[MAX_PATH] = {};
  ::GetTempPathA(sizeof folder, folder);
  std::string settingsPath = std::string(folder) + "font_build_bench.ini";
  ::WritePrivateProfileStringA("LANGUAGE0", "ID", "134", settingsPath.c_str());
  ::WritePrivateProfileStringA("LANGUAGE0", "NAME", "GB", settingsPath.c_str());
  CIniFile settings;
  settings.SetPath(settingsPath.c_str());
  CLanguage language;
  language.Load(settings);
  CWinFontTable windows;
  CTtfFontTable trueType;
  CCftFontTable own;
  language.AttachTables(&windows, &trueType, &own);
  windows.EnumFonts(language);
  int fontNumber = argc > 1 ? windows.FindEntry(0, 0, argv[1]) : 0;
  CString face;
  if (fontNumber < 0 || !windows.GetEntryText(0, 0, fontNumber, face)) {
    std::printf("no GB2312 font %s installed\n", argc > 1 ? argv[1] : "");
    return 1;
  }
  std::string output = argc > 2 ? argv[2] : std::string(folder) + "font_build_bench.cft";
  const int codes = (kLastLead - kFirstLead + 1) * (kLastTrail - kFirstTrail + 1);
  std::printf("font: %s, %d codes\n", static_cast<LPCSTR>(face), codes);

  auto source = [&](WORD code) -> CContour* {
    if (!windows.HasGlyph(kGb2312, fontNumber, code)) return nullptr;
    return language.GetGlyph(CLanguage::MakeKey(kGb2312, CLanguage::kWindowsFonts), fontNumber,
                             code);
  };
  auto start = std::chrono::steady_clock::now();
  int fetched = 0;
  for (int lead = kFirstLead; lead <= kLastLead; ++lead)
    for (int trail = kFirstTrail; trail <= kLastTrail; ++trail) {
      std::unique_ptr<CContour> glyph(source(static_cast<WORD>(lead << 8 | trail)));
      if (glyph) ++fetched;
    }
  double fetching = Milliseconds(std::chrono::steady_clock::now() - start);
  std::printf("glyphs through GDI: %d found, %.1f ms per 1,000 codes\n", fetched,
              fetching * 1000.0 / codes);

  CftHeader header;
  lstrcpynA(header.magic, "TCFT", sizeof header.magic);
  header.version = 6.0f;
  header.names[0] = header.names[1] = header.names[2] = face;
  header.sqh = kFirstLead, header.eqh = kLastLead, header.swh = kFirstTrail,
  header.ewh = kLastTrail;
  CGlyphCodec codec;
  start = std::chrono::steady_clock::now();
  CCftFileWriter::Outcome outcome = CCftFileWriter::Build(output.c_str(), header, source, codec);
  double building = Milliseconds(std::chrono::steady_clock::now() - start);
  std::printf("whole build: %d stored, %d missing, %d refused, %s; %.1f ms per 1,000 glyphs\n",
              outcome.glyphs, outcome.missing, outcome.refused,
              outcome.written ? "written" : "NOT written",
              outcome.glyphs ? building * 1000.0 / outcome.glyphs : 0.0);
  ::DeleteFileA(settingsPath.c_str());
  if (argc <= 2) ::DeleteFileA(output.c_str());
  return outcome.written ? 0 : 1;
}
