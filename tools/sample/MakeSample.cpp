// Writes the sample document of the program folder (data/SAMPLE.T42) with the document's own
// code: a sign of a rounded frame, a ring, a star, two rules and a picture on a 400 x 300 page.
// The picture, an 8-bit BMP drawn here, is written beside the document as SAMPLE.BMP, and the
// document names it relative to itself.
// Build the target make_sample and run it under Wine with the output path as its argument.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "model/blocks/CircleBlock.h"
#include "model/blocks/ImageBlock.h"
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

const int kPictureWidth = 140;
const int kPictureHeight = 80;
const char kPictureName[] = "SAMPLE.BMP";

void Put(std::vector<unsigned char>& out, unsigned value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// A sunset: a warm disc low over the horizon of a sky that darkens upwards, as an 8-bit BMP whose
// colour table runs from night blue to a pale yellow.
bool WritePicture(const std::string& path) {
  const unsigned stride = (kPictureWidth + 3) & ~3u;
  std::vector<unsigned char> out;
  Put(out, 0x4D42, 2);
  Put(out, 14 + 40 + 1024 + stride * kPictureHeight, 4);
  Put(out, 0, 4);
  Put(out, 14 + 40 + 1024, 4);
  for (unsigned value : {40u, unsigned(kPictureWidth), unsigned(kPictureHeight), 1u | 8u << 16, 0u,
                         stride * kPictureHeight, 2835u, 2835u, 256u, 0u})
    Put(out, value, 4);
  for (int i = 0; i < 256; ++i) {
    double t = i / 255.0;
    Put(out,
        unsigned(60 + 140 * t * t) | unsigned(20 + 200 * t) << 8 | unsigned(70 + 185 * t) << 16 |
            0u << 24,
        4);
  }
  for (int row = 0; row < kPictureHeight; ++row) {
    int y = kPictureHeight - 1 - row;  // bottom row first
    for (unsigned x = 0; x < stride; ++x) {
      double sky = 40 + 150.0 * y / kPictureHeight;
      double dx = (double(x) - 90) / 26, dy = (double(y) - 52) / 26;
      double sun = 255 * std::exp(-(dx * dx + dy * dy) * 1.5);
      double sea = y > 58 ? 25 * std::sin(x * 0.35 + y * 0.9) : 0;
      double level = std::fmin(255, std::fmax(0, std::fmax(sky, sun) + sea));
      out.push_back(x < unsigned(kPictureWidth) ? static_cast<unsigned char>(level) : 0);
    }
  }
  FILE* file = fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = fwrite(out.data(), 1, out.size(), file) == out.size();
  return fclose(file) == 0 && written;
}

CImageBlock* Picture(const CFRect& box) {
  CImageBlock* block = new CImageBlock(kPictureName);
  block->m_box = box;
  return block;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: make_sample OUTPUT.T42\n");
    return 2;
  }
  std::string folder(argv[1]);
  folder = folder.substr(0, folder.find_last_of("\\/") + 1);
  if (!WritePicture(folder + kPictureName)) return 1;
  CTALVEX42Doc document;
  if (!document.OnNewDocument()) return 1;
  document.GetPageSettings().m_width = 400.0f;
  document.GetPageSettings().m_height = 300.0f;
  document.AddBlock(Frame(CFRect(20, 20, 380, 280), 0.15f, kBlue));
  document.AddBlock(Ring(CFRect(60, 70, 180, 190), kRed));
  document.AddBlock(Star(120, 130, 45, kRed));
  document.AddBlock(Rule(210, 110, 350, kBlack));
  document.AddBlock(Rule(210, 150, 350, kBlack));
  document.AddBlock(Picture(CFRect(210, 170, 350, 250)));
  return document.OnSaveDocument(argv[1]) ? 0 : 1;
}
