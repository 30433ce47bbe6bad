// Text blocks laid out on curves, without a window: each curved layout survives the text's record
// and a saved document, its layout line reaches the cut output in page units, a document with
// curved texts followed by other blocks opens whole while a damaged curved text keeps only the
// blocks before it, and the curves of a path text are turned once, by the turns its characters
// keep. Fonts are a fake glyph source whose outlines are squares.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/ByteWriter.h"
#include "model/CurveTestSupport.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/document/SegArray.h"
#include "model/document/TALVEX42Doc.h"
#include "model/records/BlockRecord.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"
#include "text/TextBlock.h"
#include "text/TextServices.h"
#include "text/layout/ArcEffect.h"
#include "text/layout/ArchEffect.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"
#include "text/layout/FakeGlyphSource.h"
#include "text/layout/PathTextEffect.h"

namespace {

using Bytes = std::vector<BYTE>;
const WORD kChinese = 0xB0A1;

Bytes EffectRecord(const CTextEffect& effect) {
  CByteWriter writer;
  effect.WriteRecord(writer);
  return Bytes(writer.Data(), writer.Data() + writer.Size());
}

std::vector<FPOINT> Places(CTextBlock& text) {
  std::vector<FPOINT> places;
  CBoxArray* boxes = text.GetBoxArray();
  for (INT_PTR i = 0; i < boxes->GetSize(); ++i)
    if (const CCharBox* box = boxes->GetCharBox(i)) places.push_back({box->m_x, box->m_y});
  return places;
}

class TextOnCurves : public ::testing::Test {
protected:
  TextOnCurves() : m_saved(CTextDefaults::Global()) {
    m_fonts.glyphs[kChinese] = {MakePointRecord(0, 0, kPointStart | kPointOnCurve),
                                MakePointRecord(1024, 0, kPointOnCurve),
                                MakePointRecord(1024, 1024, kPointOnCurve),
                                MakePointRecord(0, 1024, kPointOnCurve),
                                MakePointRecord(0, 0, kPointClose | kPointOnCurve)};
    CTextDefaults::Global().fontSizeX = CTextDefaults::Global().fontSizeY = 10;
    CTextDefaults::Global().lineGaps = CTextDefaults::Global().boxGaps = 0;
  }
  ~TextOnCurves() override { CTextDefaults::Global() = m_saved; }

  // Three Chinese characters 10 by 10, laid out by the layout the kind names.
  std::unique_ptr<CTextBlock> Text(BYTE kind) {
    std::unique_ptr<CTextBlock> text(CTextBlock::CreateAt(0, 10, 20, 110, 20));
    for (int i = 0; i < 3; ++i) {
      CCharBox* box = new CCharBox;
      box->Init(134, kChinese, CTextDefaults::Global());
      text->InsertChar(box);
    }
    CBoxArray* boxes = text->GetBoxArray();
    if (kind == CTextEffect::kArc)
      text->ReplaceEffect(std::make_unique<CArcEffect>(0, 0, 100, 40, boxes, &text->m_matrix));
    if (kind == CTextEffect::kArch)
      text->ReplaceEffect(std::make_unique<CArchEffect>(0, 80, 100, 100, boxes, &text->m_matrix));
    if (kind == CTextEffect::kPath) {
      CCurveBlock* path = new CCurveBlock;
      path->AddPoint(0, 50, kPointStart | kPointOnCurve);
      path->AddPoint(40, 0, 0);
      path->AddPoint(80, 100, 0);
      path->AddPoint(120, 50, kPointOpenEnd | kPointOnCurve);
      path->EndCurve();
      text->ReplaceEffect(std::make_unique<CPathTextEffect>(path, boxes, &text->m_matrix));
    }
    text->Relayout(nullptr, -1);
    text->UpdateBox();
    return text;
  }

  CTextDefaults m_saved;
  FakeGlyphSource m_fonts;
  CTextServices m_services;
  MessageBoxCapture m_boxes;
};

}  // namespace

TEST_F(TextOnCurves, EachCurvedLayoutSurvivesTheRecordAndASavedDocumentWithTheBlocksAfterIt) {
  TempFolder folder;
  std::string path = folder.File("curves.T42");
  const BYTE kinds[] = {CTextEffect::kArc, CTextEffect::kArch, CTextEffect::kPath};
  std::vector<Bytes> effects;
  std::vector<std::vector<FPOINT>> places;
  {
    CTALVEX42Doc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    for (BYTE kind : kinds) {
      std::unique_ptr<CTextBlock> text = Text(kind);
      EXPECT_EQ(kind, text->GetEffectKind());
      effects.push_back(EffectRecord(*text->GetEffect()));
      places.push_back(Places(*text));
      // Through its own record first.
      Bytes record = RecordOf(*text);
      std::unique_ptr<CBlock> read(CreateBlockFromRecord(record.data(), record.size()));
      ASSERT_TRUE(read) << int(kind);
      EXPECT_EQ(record, RecordOf(*read));
      doc.AddBlock(text.release());
    }
    CRectBlock* after = new CRectBlock;
    after->m_box = after->m_rect = CFRect(5, 6, 25, 36);
    doc.AddBlock(after);
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
  }
  CTALVEX42Doc reopened;
  ASSERT_TRUE(reopened.OnOpenDocument(path.c_str()));
  ASSERT_EQ(4, reopened.GetBlockList().GetSize());
  EXPECT_EQ(0u, m_boxes.Count());
  for (int i = 0; i < 3; ++i) {
    auto* text = dynamic_cast<CTextBlock*>(reopened.GetBlockList().GetBlock(i));
    ASSERT_TRUE(text);
    EXPECT_EQ(effects[i], EffectRecord(*text->GetEffect()));
    text->Relayout(nullptr, -1);
    std::vector<FPOINT> now = Places(*text);
    ASSERT_EQ(places[i].size(), now.size());
    for (size_t k = 0; k < now.size(); ++k) {
      EXPECT_FLOAT_EQ(places[i][k].x, now[k].x) << i << "," << k;
      EXPECT_FLOAT_EQ(places[i][k].y, now[k].y) << i << "," << k;
    }
  }
  EXPECT_EQ(kRectBlock, reopened.GetBlockList().GetBlock(3)->m_type);
}

TEST_F(TextOnCurves, ADamagedCurvedTextKeepsTheBlocksBeforeItWithTheMessage) {
  std::unique_ptr<CTextBlock> first = Text(CTextEffect::kArch);
  std::unique_ptr<CTextBlock> arc = Text(CTextEffect::kArc);
  Bytes good = RecordOf(*arc);
  // The arc's radius, 6 bytes into its record, becomes NaN.
  float nan = std::nanf("");
  Bytes damaged = good;
  std::memcpy(&damaged[CTextBlock::kEffectOffset + 6], &nan, 4);
  EXPECT_FALSE(std::unique_ptr<CBlock>(CreateBlockFromRecord(damaged.data(), damaged.size())));

  // A block list of the arch, the arc and a rectangle, the arc's radius then made NaN.
  CSegArray source;
  source.AddBlock(first.release());
  source.AddBlock(arc.release());
  CRectBlock* rect = new CRectBlock;
  rect->m_box = rect->m_rect = CFRect(1, 2, 3, 4);
  source.AddBlock(rect);
  CByteWriter writer;
  ASSERT_TRUE(source.AppendRecordTo(writer));
  Bytes list(writer.Data(), writer.Data() + writer.Size());
  auto at = std::search(list.begin(), list.end(), good.begin(), good.end());
  ASSERT_NE(list.end(), at);
  std::memcpy(&*at + CTextBlock::kEffectOffset + 6, &nan, 4);
  bool damagedList = false;
  std::unique_ptr<CSegArray> blocks(LoadSegArray(list.data(), list.size(), &damagedList));
  ASSERT_TRUE(blocks);
  EXPECT_TRUE(damagedList);
  ASSERT_EQ(1, blocks->GetSize());
  EXPECT_EQ(kTextBlock, blocks->GetBlock(0)->m_type);
  EXPECT_EQ(1u, m_boxes.Count());
}

// A path text keeps each character's turn in the character's own angle, where its record stores
// it: converted and cut, every glyph is turned once, by its placement; read back from its record,
// or from an older record whose angles are all 0, the text stands as it was laid out.
TEST_F(TextOnCurves, APathTextKeepsEachTurnInItsCharacterAndTurnsEachGlyphOnce) {
  std::unique_ptr<CTextBlock> text = Text(CTextEffect::kPath);
  CBoxArray* boxes = text->GetBoxArray();
  const float turn = boxes->GetCharBox(0)->m_angle;
  EXPECT_LT(turn, -30);
  // The glyph squares' corners, each cell through its placement (which holds the turn).
  std::vector<FPOINT> corners;
  for (INT_PTR i = 0; i < boxes->GetSize(); ++i) {
    CMatrix2D placement = text->GetEffect()->GetBoxMatrix(boxes->GetCharBox(i));
    for (FPOINT corner :
         {FPOINT{0, 0}, FPOINT{1024, 0}, FPOINT{1024, 1024}, FPOINT{0, 1024}, FPOINT{0, 0}}) {
      placement.TransformPoint(&corner);
      corners.push_back(corner);
    }
  }
  auto expectCorners = [&corners](const std::vector<POINTREC>& points, const char* what) {
    std::vector<FPOINT> got;
    for (const POINTREC& point : points)
      if (!IsSpecialPoint(point.flags)) got.push_back({point.x, point.y});
    ASSERT_EQ(corners.size(), got.size()) << what;
    for (size_t k = 0; k < got.size(); ++k) {
      EXPECT_NEAR(corners[k].x, got[k].x, 1e-3) << what << " " << k;
      EXPECT_NEAR(corners[k].y, got[k].y, 1e-3) << what << " " << k;
    }
  };
  auto curvePoints = [](CBlock& block) {
    std::unique_ptr<CBlock> curves(block.ToCurve(0xFFFFFFFF));
    std::vector<POINTREC> points;
    if (!curves || curves->m_type != kGroupBlock) return points;
    CSegArray& children = static_cast<CGroupBlock*>(curves.get())->GetChildren();
    for (INT_PTR i = 0; i < children.GetSize(); ++i)
      for (const POINTREC& point : static_cast<CCurveBlock*>(children.GetBlock(i))->GetPoints())
        points.push_back(point);
    return points;
  };
  expectCorners(curvePoints(*text), "converted");
  std::unique_ptr<CContour> cut(text->GetContour(nullptr, 0));
  ASSERT_TRUE(cut);
  expectCorners(cut->GetPoints(), "cut");
  EXPECT_EQ(turn, boxes->GetCharBox(0)->m_angle);

  // Through the record, and from an older record that lost the turns: laid out again on reading.
  Bytes record = RecordOf(*text);
  for (INT_PTR i = 0; i < boxes->GetSize(); ++i) boxes->GetCharBox(i)->m_angle = 0;
  Bytes older = RecordOf(*text);
  for (const Bytes* stored : {&record, &older}) {
    std::unique_ptr<CBlock> read(CreateBlockFromRecord(stored->data(), stored->size()));
    ASSERT_TRUE(read);
    EXPECT_EQ(turn, read->GetBoxArray()->GetCharBox(0)->m_angle);
    EXPECT_EQ(record, RecordOf(*read));
    expectCorners(curvePoints(*read), stored == &record ? "read" : "read from an older record");
  }
}

// The cut's "TextLine" option cuts the line a curved text is set along: the block hands out its
// layout's line mapped once through its matrix, so a moved text's line moves with it.
TEST_F(TextOnCurves, TheLayoutLineOfACurvedTextComesThroughTheBlockInPageUnits) {
  for (BYTE kind : {CTextEffect::kArc, CTextEffect::kArch, CTextEffect::kPath}) {
    std::unique_ptr<CTextBlock> text = Text(kind);
    std::unique_ptr<CBlock> own(text->GetEffect()->GetOutlineBlock());
    ASSERT_TRUE(own) << int(kind);
    CMatrix2D move;
    move.m[6] = 100;
    move.m[7] = 50;
    text->Transform(move);
    std::unique_ptr<CBlock> line(static_cast<CBlock&>(*text).GetEffectOutline());
    ASSERT_TRUE(line) << int(kind);
    ASSERT_EQ(kCurveBlock, line->m_type);
    std::vector<POINTREC> expected = static_cast<CCurveBlock*>(own.get())->GetPoints();
    std::vector<POINTREC> got = static_cast<CCurveBlock*>(line.get())->GetPoints();
    ASSERT_EQ(expected.size(), got.size()) << int(kind);
    for (size_t i = 0; i + 1 < got.size(); ++i) {
      EXPECT_NEAR(expected[i].x + 100, got[i].x, 1e-3) << int(kind) << "," << i;
      EXPECT_NEAR(expected[i].y + 50, got[i].y, 1e-3) << int(kind) << "," << i;
      EXPECT_EQ(expected[i].flags, got[i].flags);
    }
  }
}
