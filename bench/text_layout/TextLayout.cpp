// Times the straight text layout on texts of 10,000 and 100,000 characters and prints the figures
// (milliseconds): a whole layout, and the relayout after one character is typed near the start,
// in the middle and at the end, as the text block runs it after each edit. A relayout walks the
// text once, so the figures grow with the length, not with its square. Then 10,000 characters on
// an arc and along a path of Bezier waves: the layout (the curved layouts lay out the whole text
// after every edit) and the placement of every character's cell. The characters take fixed
// metrics from a glyph source of the benchmark's own, so no font is read. Run by hand under Wine:
//   wine build/<arch>/bench/text_layout.exe [repeats]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "model/blocks/CurveBlock.h"
#include "text/layout/ArcEffect.h"
#include "text/layout/AttrBox.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"
#include "text/layout/DirectionEffect.h"
#include "text/layout/GlyphSource.h"
#include "text/layout/PathTextEffect.h"
#include "text/layout/TextDefaults.h"

namespace {

// Every Latin character has the same black box and advance.
class FixedGlyphs : public CGlyphSource {
public:
  int FindRow(int charset) override { return charset == 0 ? 0 : 1; }
  CContour* GetGlyph(WORD, int, WORD) override { return nullptr; }
  bool GetMetrics(WORD, int, WORD, GlyphMetrics& metrics) override {
    metrics.blackBoxX = 500;
    metrics.blackBoxY = 700;
    metrics.advance = 600;
    return true;
  }
};

// Chinese text with Latin words, a space every few characters, a line break every 400 and an
// alignment bracket around every thousandth stretch.
void FillText(CBoxArray& boxes, int characters, const CTextDefaults& defaults) {
  boxes.Add(new CAttrBox(CAttrBox::kLineGaps, 2.0f));
  boxes.Add(new CAttrBox(CAttrBox::kBoxGaps, 0.5f));
  for (int i = 0; i < characters; ++i) {
    if (i % 1000 == 100) boxes.Add(new CAttrBox(CAttrBox::kAlignOpen, 0));
    if (i % 1000 == 900) boxes.Add(new CAttrBox(CAttrBox::kAlignClose, 0));
    WORD code;
    if (i % 400 == 399)
      code = CCharBox::kLineBreak;
    else if (i % 7 == 6)
      code = ' ';
    else if (i % 3 == 0)
      code = static_cast<WORD>('a' + i % 26);
    else
      code = static_cast<WORD>(0xB0A1 + (i % 90));
    CCharBox* box = new CCharBox;
    box->InitFromCode(code, defaults);
    boxes.Add(box);
  }
}

double Milliseconds(int repeats, const std::function<void()>& run) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; ++i) run();
  std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / repeats;
}

void Measure(int characters, int repeats, BYTE kind) {
  CTextDefaults defaults;
  defaults.fontSizeX = defaults.fontSizeY = 10;
  CBoxArray boxes;
  FillText(boxes, characters, defaults);
  CMatrix2D matrix;
  CDirectionEffect effect(0, 0, 300, 0, &boxes, &matrix);
  effect.SetKind(kind);
  double whole = Milliseconds(repeats, [&] { effect.Layout(0); });
  std::printf("kind %d %7d characters: whole layout %9.3f ms\n", kind, characters, whole);
  const char* places[] = {"start", "middle", "end"};
  INT_PTR at[] = {10, boxes.GetSize() / 2, boxes.GetSize() - 1};
  for (int p = 0; p < 3; ++p) {
    double typed = Milliseconds(repeats,
                                [&] {
                                  CCharBox* box = new CCharBox;
                                  box->InitFromCode(0xB0A1, defaults);
                                  boxes.InsertAt(at[p], box);
                                  effect.Layout(at[p]);
                                  delete boxes.RemoveAt(at[p]);
                                  effect.Layout(at[p]);
                                }) /
                   2;
    std::printf("kind %d %7d characters: relayout after typing at the %-6s %9.3f ms\n", kind,
                characters, places[p], typed);
  }
}

void PlaceAll(CTextEffect& effect, CBoxArray& boxes) {
  for (INT_PTR i = 0; i < boxes.GetSize(); ++i)
    if (CCharBox* box = boxes.GetCharBox(i)) effect.PlaceBox(box);
}

void MeasureCurved(const char* name, CTextEffect& effect, CBoxArray& boxes, int repeats) {
  double layout = Milliseconds(repeats, [&] { effect.Layout(0); });
  double placed = Milliseconds(repeats, [&] { PlaceAll(effect, boxes); });
  std::printf("%-5s %7d characters: whole layout %9.3f ms, placing the cells %9.3f ms\n", name,
              static_cast<int>(boxes.GetSize()), layout, placed);
}

void MeasureCurvedLayouts(int characters, int repeats) {
  CTextDefaults defaults;
  defaults.fontSizeX = defaults.fontSizeY = 10;
  CBoxArray boxes;
  for (int i = 0; i < characters; ++i) {
    CCharBox* box = new CCharBox;
    box->InitFromCode(i % 3 == 0 ? static_cast<WORD>('a' + i % 26)
                                 : static_cast<WORD>(0xB0A1 + (i % 90)),
                      defaults);
    boxes.Add(box);
  }
  CMatrix2D matrix;
  CArcEffect arc(0, 0, 2000, 400, &boxes, &matrix);
  MeasureCurved("arc", arc, boxes, repeats);
  // Waves of 100 Bezier pieces, spread: the text fills the path.
  CCurveBlock* waves = new CCurveBlock;
  waves->AddPoint(0, 0, 0x11);
  for (int piece = 0; piece < 100; ++piece) {
    float x = piece * 800.0f;
    waves->AddPoint(x + 200, -300, 0);
    waves->AddPoint(x + 600, 300, 0);
    waves->AddPoint(x + 800, 0, static_cast<BYTE>(piece == 99 ? 0x21 : 0x01));
  }
  waves->EndCurve();
  CPathTextEffect path(waves, &boxes, &matrix);
  MeasureCurved("path", path, boxes, repeats);
}

}  // namespace

int main(int argc, char** argv) {
  int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  FixedGlyphs glyphs;
  for (BYTE kind : {CTextEffect::kHorizontal, CTextEffect::kVertical}) {
    Measure(10000, repeats, kind);
    Measure(100000, repeats, kind);
  }
  MeasureCurvedLayouts(10000, repeats);
  return 0;
}
