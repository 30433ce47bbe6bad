// Writes the sample document of the program folder (data/SAMPLE.T42) with the document's own
// code: a sign of a rounded frame, a ring, a star and two rules on a 400 x 300 page.
// Build the target make_sample and run it under Wine with the output path as its argument.
#include <windows.h>

#include <cstdio>

#include "model/blocks/CircleBlock.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/PolygonBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/document/TALVEX42Doc.h"

namespace {

const DWORD kRed = 0xD00000;
const DWORD kBlue = 0x0000C0;
const DWORD kBlack = 0x000000;

CRectBlock* Frame(const CFRect& rect, float corner, DWORD colour) {
  CRectBlock* block = new CRectBlock;
  block->m_rect = rect;
  block->m_box = rect;
  block->m_cornerRatioX = corner;
  block->m_cornerRatioY = corner;
  block->m_colour = colour;
  return block;
}

CCircleBlock* Ring(const CFRect& rect, DWORD colour) {
  CCircleBlock* block = new CCircleBlock;
  block->m_rect = rect;
  block->m_box = rect;
  block->m_colour = colour;
  return block;
}

CPolygonBlock* Star(float x, float y, float radius, DWORD colour) {
  CPolygonBlock* block = new CPolygonBlock;
  block->m_centre = {x, y};
  block->m_outerRadius = radius;
  block->m_innerRadius = radius * 0.4f;
  block->m_starAngle = 0.6283185f;
  block->m_startAngle = 1.5707963f;
  block->m_cornerCount = 5;
  block->m_box = CFRect(x - radius, y - radius, x + radius, y + radius);
  block->m_colour = colour;
  return block;
}

CLineBlock* Rule(float x1, float y, float x2, DWORD colour) {
  CLineBlock* block = new CLineBlock;
  block->m_start = {x1, y};
  block->m_end = {x2, y};
  block->m_box = CFRect(x1, y, x2, y);
  block->m_colour = colour;
  return block;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: make_sample OUTPUT.T42\n");
    return 2;
  }
  CTALVEX42Doc document;
  if (!document.OnNewDocument()) return 1;
  document.GetPageSettings().m_width = 400.0f;
  document.GetPageSettings().m_height = 300.0f;
  document.AddBlock(Frame(CFRect(20, 20, 380, 280), 0.15f, kBlue));
  document.AddBlock(Ring(CFRect(60, 70, 180, 190), kRed));
  document.AddBlock(Star(120, 130, 45, kRed));
  document.AddBlock(Rule(210, 110, 350, kBlack));
  document.AddBlock(Rule(210, 150, 350, kBlack));
  return document.OnSaveDocument(argv[1]) ? 0 : 1;
}
