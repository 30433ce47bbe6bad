// Damaged documents, read as opening a file reads them (no window): seeded mutations of a small
// document that holds a block of every kind the model builds, guides and a text, with the damaged
// files found so far. Each is refused with its message or opens, whole or with the damaged part
// left out (said in one message at most); what opened saves and reads back with every block and
// the same records. The mutations are the same on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/CurveTestSupport.h"
#include "model/DamagedDocumentCheck.h"
#include "model/blocks/CircleBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/GuideLine.h"
#include "model/blocks/ImageBlock.h"
#include "model/blocks/LibBlock.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/PolygonBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/blocks/TransformBlock.h"
#include "support/ByteMutator.h"

namespace {

using namespace damaged_documents;

const int kMutants = 2000;
const char kTopImage[] = "C:\\LOGO.BMP";
const char kGroupedImage[] = "D:\\IN.BMP";

Bytes SeedDocument() {
  CSegArray blocks;
  blocks.AddBlock(MakeSquareCurve(10, 10, 20, 0xFF0000));
  CLineBlock* line = new CLineBlock;
  line->m_start = {1, 2};
  line->m_end = {11, 22};
  blocks.AddBlock(line);
  CRectBlock* rect = new CRectBlock;
  rect->m_rect = rect->m_box = CFRect(0, 0, 40, 20);
  blocks.AddBlock(rect);
  CCircleBlock* circle = new CCircleBlock;
  circle->m_rect = circle->m_box = CFRect(10, 10, 50, 30);
  blocks.AddBlock(circle);
  CPolygonBlock* polygon = new CPolygonBlock;
  polygon->m_centre = {50, 60};
  polygon->m_outerRadius = 30;
  blocks.AddBlock(polygon);
  blocks.AddBlock(new CLibBlock(2, 1, 3));
  CImageBlock* image = new CImageBlock(kTopImage);
  image->m_box = CFRect(5, 6, 45, 36);
  blocks.AddBlock(image);
  blocks.AddBlock(new CTransformBlock(1, MakeSquareCurve(0, 0, 10)));
  CGroupBlock* group = new CGroupBlock;
  group->AddChild(new CImageBlock(kGroupedImage));
  group->AddChild(MakeCurve({{0, 0, 0x11}, {5, 5, 0x21}}));
  blocks.AddBlock(group);
  CAuxObjectList guides;
  guides.AddObject(new CGuideLine(10, 20, 0));
  guides.AddObject(new CGuideLine(30, 40, 90));
  return Save(blocks, guides);
}

// The seed with the names of both images (one at the top, one in the group) emptied.
Bytes WithoutImageNames(Bytes file) {
  for (const std::string name : {kTopImage, kGroupedImage}) {
    auto at = std::search(file.begin(), file.end(), name.begin(), name.end());
    if (at != file.end()) std::fill(at, at + name.size(), 0);
  }
  return file;
}

TEST(DamagedDocuments, EachIsRefusedWithItsMessageOrOpensAndSavesWithEveryBlock) {
  const Bytes seed = SeedDocument();
  ByteMutator mutator(0xD0C5);
  std::vector<Bytes> inputs = {seed, WithoutImageNames(seed)};
  for (int i = 0; i < kMutants; ++i) inputs.push_back(mutator.Mutate(seed));
  ExpectEachRefusedOrReopened(inputs, 2, 10);
}

}  // namespace
