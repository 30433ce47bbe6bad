// A document of every kind of block the program stores (lines, frames, rings and arcs, polygons
// and stars, curves with Bezier pieces, pen colours and pending matrices, nested groups, texts),
// with guide lines, saved through the document's own save: the file keeps exactly the bytes the
// writer gave before the block list was written in one pass (the fingerprint below was taken from
// that writer and is not to be regenerated), and the file opened again saves to the same bytes.
// The layouts themselves are pinned by hand in the model's document tests; this pins the whole of
// a mixed file. A closed document gives back all the memory it took, for the next one to reuse.
// No window; files in a temporary folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/FixedBlockCache.h"
#include "framework/SizeClassPool.h"
#include "model/blocks/CircleBlock.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/GuideLine.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/PolygonBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "support/FileContents.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"
#include "text/TextBlock.h"
#include "text/TextServices.h"
#include "text/layout/CharBox.h"
#include "text/layout/FakeGlyphSource.h"
#include "text/layout/TextDefaults.h"

namespace {

using Bytes = std::vector<BYTE>;

// The size and FNV-1a fingerprint of the mixed document's file.
const size_t kMixedFileSize = 3837;
const UINT64 kMixedFileFingerprint = 0x72080b781330bbe5ULL;

UINT64 Fingerprint(const Bytes& bytes) {
  UINT64 hash = 14695981039346656037ULL;
  for (BYTE b : bytes) hash = (hash ^ b) * 1099511628211ULL;
  return hash;
}

// Fixed cosines and sines rather than the maths library's, whose last bits may differ between
// builds: the fingerprint must hold for every build.
const float kCos33 = 0.83867057f, kSin33 = 0.54463904f;
const FPOINT kCompass[12] = {{1, 0},  {0.8660254f, 0.5f},   {0.5f, 0.8660254f},
                             {0, 1},  {-0.5f, 0.8660254f},  {-0.8660254f, 0.5f},
                             {-1, 0}, {-0.8660254f, -0.5f}, {-0.5f, -0.8660254f},
                             {0, -1}, {0.5f, -0.8660254f},  {0.8660254f, -0.5f}};

// Turned by 33 degrees and moved.
CMatrix2D Turned(float dx, float dy) {
  CMatrix2D matrix;
  matrix.m[0] = kCos33;
  matrix.m[1] = kSin33;
  matrix.m[3] = -kSin33;
  matrix.m[4] = kCos33;
  matrix.m[6] = dx;
  matrix.m[7] = dy;
  return matrix;
}

CBlock* Line(float x1, float y1, float x2, float y2, DWORD colour) {
  auto* line = new CLineBlock;
  line->m_start = {x1, y1};
  line->m_end = {x2, y2};
  line->m_box = CFRect(x1, y1, x2, y2);
  line->m_box.Normalize();
  line->m_colour = colour;
  return line;
}

CBlock* Frame(const CFRect& rect, float cornerX, float cornerY, WORD attributes) {
  auto* frame = new CRectBlock;
  frame->m_rect = frame->m_box = rect;
  frame->m_cornerRatioX = cornerX;
  frame->m_cornerRatioY = cornerY;
  frame->m_attributes = attributes;
  frame->m_colour = 0x0000C0;
  return frame;
}

CBlock* Ring(const CFRect& rect, float start, float end, float mode) {
  auto* ring = new CCircleBlock;
  ring->m_rect = ring->m_box = rect;
  ring->m_startAngle = start;
  ring->m_endAngle = end;
  ring->m_arcMode = mode;
  ring->m_colour = 0xC01020;
  return ring;
}

CBlock* Polygon(float x, float y, int corners, float inner, float star, float band) {
  auto* polygon = new CPolygonBlock;
  polygon->m_centre = {x, y};
  polygon->m_outerRadius = 9.0f;
  polygon->m_innerRadius = inner;
  polygon->m_starAngle = star;
  polygon->m_startAngle = 0.3f;
  polygon->m_cornerCount = corners;
  polygon->m_bandWidth = band;
  polygon->m_box = CFRect(x - 9.0f, y - 9.0f, x + 9.0f, y + 9.0f);
  polygon->m_colour = 0x008040;
  return polygon;
}

// Two sub-paths: a closed one of Bezier pieces (lobes of 2, 3, 4 or 6) after a pen colour, and an
// open polyline.
CBlock* Curve(float x, float y, int lobes) {
  auto* curve = new CCurveBlock;
  curve->AddPoint(MakePenColourRecord(RGB(10, 200, 30)));
  curve->AddPoint(x + 5.0f, y, kPointStart | kPointOnCurve);
  int step = 12 / lobes;
  for (int i = 1; i <= lobes; ++i) {
    const FPOINT& from = kCompass[(i - 1) * step + 1];
    const FPOINT& to = kCompass[(i * step - 1) % 12];
    const FPOINT& end = kCompass[(i * step) % 12];
    curve->AddPoint(x + 7.0f * from.x, y + 6.0f * from.y, 0);
    curve->AddPoint(x + 7.0f * to.x, y + 6.0f * to.y, 0);
    BYTE flags = i == lobes ? static_cast<BYTE>(kPointClose | kPointOnCurve) : kPointOnCurve;
    curve->AddPoint(x + 5.0f * end.x, y + 5.0f * end.y, flags);
  }
  for (int i = 0; i < 5; ++i) {
    BYTE flags = i == 0   ? static_cast<BYTE>(kPointStart | kPointOnCurve)
                 : i == 4 ? static_cast<BYTE>(kPointOpenEnd | kPointOnCurve)
                          : kPointOnCurve;
    curve->AddPoint(x + 10.0f + i * 1.5f, y + (i % 2 ? 2.5f : -1.0f), flags);
  }
  curve->EndCurve();
  return curve;
}

CBlock* Group(std::initializer_list<CBlock*> children, const CMatrix2D* matrix) {
  auto* group = new CGroupBlock;
  for (CBlock* child : children) group->AddChild(child);
  if (matrix) group->Transform(*matrix);
  return group;
}

CBlock* Text(int kind, float x, float y, std::initializer_list<WORD> codes) {
  std::unique_ptr<CTextBlock> text(CTextBlock::CreateAt(kind, x, y, x + 60.0f, y + 12.0f));
  for (WORD code : codes) {
    auto* box = new CCharBox;
    box->InitFromCode(code, CTextDefaults::Global());
    text->InsertChar(box);
  }
  text->Relayout(nullptr, 0);
  return text.release();
}

class MixedDocumentFileTest : public ::testing::Test {
protected:
  MixedDocumentFileTest() : m_savedDefaults(CTextDefaults::Global()) {
    CTextDefaults& defaults = CTextDefaults::Global();
    defaults.fontSizeX = 8;
    defaults.fontSizeY = 10;
    defaults.lineGaps = 2;
    defaults.boxGaps = 0.5f;
  }
  ~MixedDocumentFileTest() override { CTextDefaults::Global() = m_savedDefaults; }

  // Every kind, at oblique angles and off the origin, with x and y apart.
  static void Fill(CTALVEX42Doc& document) {
    CPageSettings& page = document.GetPageSettings();
    page.m_width = 610.5f;
    page.m_height = 330.25f;
    page.m_gridSize = 7;
    document.GetGuideLines().AddObject(new CGuideLine(12.5f, 0, 0));
    document.GetGuideLines().AddObject(new CGuideLine(0, 47.25f, 90));
    CSegArray& blocks = document.GetBlockList();
    CMatrix2D turn = Turned(4.5f, -2.25f);
    CMatrix2D skew;
    skew.m[3] = 0.25f;
    skew.m[7] = 3.0f;
    blocks.AddBlock(Line(3.5f, 7.25f, 91.0f, 15.75f, 0x112233));
    blocks.AddBlock(Frame(CFRect(10, 20, 70, 45), 0, 0, 0));
    blocks.AddBlock(Frame(CFRect(15, 25, 95, 65), 0.2f, 0.35f, kSolidAttr));
    blocks.AddBlock(Ring(CFRect(100, 30, 140, 55), 0, 0, CCircleBlock::kOpenArc));
    blocks.AddBlock(Ring(CFRect(150, 30, 180, 70), 0.5f, 4.0f, CCircleBlock::kPie));
    blocks.AddBlock(Ring(CFRect(190, 35, 230, 60), 1.0f, 5.5f, CCircleBlock::kChord));
    blocks.AddBlock(Ring(CFRect(240, 35, 290, 75), 0.25f, 3.0f, 4.5f));
    blocks.AddBlock(Polygon(310, 50, 6, 9.0f, 0, 0));
    blocks.AddBlock(Polygon(340, 55, 5, 3.5f, 0.6283185f, 1.5f));
    CBlock* curve = Curve(60, 120, 6);
    blocks.AddBlock(curve);
    CBlock* turned = Curve(120, 130, 3);
    turned->Transform(turn);
    blocks.AddBlock(turned);
    blocks.AddBlock(Group({Frame(CFRect(200, 100, 240, 130), 0.1f, 0.1f, 0),
                           Ring(CFRect(205, 105, 225, 125), 0, 0, 0), Curve(220, 115, 4)},
                          nullptr));
    blocks.AddBlock(
        Group({Group({Line(300, 100, 330, 140, 0), Polygon(320, 120, 7, 9, 0, 0)}, &skew),
               Text(0, 260, 140, {'A', 'b', 0xB0A1})},
              &turn));
    blocks.AddBlock(Text(0, 20, 200, {'S', 'I', 'G', 'N', 13, 0xB0A1, 0xB3C9, ' ', 'x'}));
    CBlock* vertical = Text(1, 120, 190, {0xC4FA, 0xBAC3, 'Q'});
    vertical->Transform(turn);
    blocks.AddBlock(vertical);
  }

  std::string SaveFresh(const std::string& name) {
    CTALVEX42Doc document;
    document.m_bAutoDelete = FALSE;
    EXPECT_TRUE(document.OnNewDocument());
    Fill(document);
    std::string path = m_folder.File(name);
    EXPECT_TRUE(document.OnSaveDocument(path.c_str()));
    return path;
  }

  CTextDefaults m_savedDefaults;
  FakeGlyphSource m_fonts;
  CTextServices m_services;
  MessageBoxCapture m_boxes;
  TempFolder m_folder;
};

}  // namespace

TEST_F(MixedDocumentFileTest, SavesTheBytesOfTheWriterBeforeTheOnePassList) {
  Bytes file = ReadFileBytes(SaveFresh("mixed.T42"));
  EXPECT_EQ(kMixedFileSize, file.size());
  EXPECT_EQ(kMixedFileFingerprint, Fingerprint(file))
      << "size " << file.size() << " fingerprint 0x" << std::hex << Fingerprint(file);
  EXPECT_EQ(0u, m_boxes.Count());
}

TEST_F(MixedDocumentFileTest, OpenedAgainItSavesTheSameBytesTwice) {
  Bytes first = ReadFileBytes(SaveFresh("first.T42"));
  CTALVEX42Doc opened;
  opened.m_bAutoDelete = FALSE;
  ASSERT_TRUE(opened.OnOpenDocument(m_folder.File("first.T42").c_str()));
  EXPECT_EQ(15, opened.GetBlockList().GetSize());
  EXPECT_EQ(2, opened.GetGuideLines().GetSize());
  for (const char* name : {"second.T42", "second.T42"}) {
    ASSERT_TRUE(opened.OnSaveDocument(m_folder.File(name).c_str()));
    EXPECT_EQ(first, ReadFileBytes(m_folder.File(name)));
  }
  EXPECT_EQ(first, ReadFileBytes(m_folder.File("second.T42.bak"))) << "the first save's file";
  EXPECT_EQ(0u, m_boxes.Count());
}

// Blocks and character boxes live in the shared pool and point stores reuse given-up blocks: a
// document closed gives back every object it took, and the same document opened again takes no
// memory the first one did not leave behind.
TEST_F(MixedDocumentFileTest, ClosedItGivesBackItsMemoryAndOpenedAgainTakesNoNewMemory) {
  std::string path = SaveFresh("pooled.T42");
  CSizeClassPool& pool = CSizeClassPool::Shared();
  size_t liveBefore = pool.LiveObjects();
  size_t regionBytes = 0, keptBlocks = 0;
  for (int open = 0; open < 3; ++open) {
    {
      CTALVEX42Doc opened;
      opened.m_bAutoDelete = FALSE;
      ASSERT_TRUE(opened.OnOpenDocument(path.c_str()));
      EXPECT_GT(pool.LiveObjects(), liveBefore + 15);
    }
    EXPECT_EQ(liveBefore, pool.LiveObjects()) << "open " << open;
    if (open > 0) {
      EXPECT_EQ(regionBytes, pool.RegionBytes()) << "open " << open;
      EXPECT_EQ(keptBlocks, CFixedBlockCache::Shared().KeptBlocks()) << "open " << open;
    }
    regionBytes = pool.RegionBytes();
    keptBlocks = CFixedBlockCache::Shared().KeptBlocks();
  }
}
