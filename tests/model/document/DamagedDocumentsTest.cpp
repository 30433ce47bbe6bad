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
#include "model/blocks/CircleBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/GuideLine.h"
#include "model/blocks/ImageBlock.h"
#include "model/blocks/LibBlock.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/PolygonBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/blocks/TransformBlock.h"
#include "model/document/DocFileReader.h"
#include "model/document/DocFileWriter.h"
#include "support/ByteMutator.h"
#include "support/MessageBoxCapture.h"

namespace {

using Bytes = std::vector<BYTE>;

const int kMutants = 2000;
const char kTopImage[] = "C:\\LOGO.BMP";
const char kGroupedImage[] = "D:\\IN.BMP";

Bytes Save(CSegArray& blocks, const CAuxObjectList& guides) {
  CPageSettings page;
  page.ReadNewDocumentDefaults();
  CDocFileWriter writer;
  writer.AddPageSettings(page);
  writer.AddEmptyFontMount();
  writer.AddText("AB", 2);
  writer.AddGuides(guides);
  writer.AddBlockList(blocks);
  return Bytes(writer.Data(), writer.Data() + writer.Size());
}

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

// The records of the blocks outside groups, groups gone through (a group of one reads back as its
// block).
void AddUngroupedRecords(CBlock& block, std::vector<Bytes>* records) {
  if (auto* group = dynamic_cast<CGroupBlock*>(&block)) {
    for (INT_PTR i = 0; i < group->GetChildCount(); ++i)
      AddUngroupedRecords(*group->GetChild(i), records);
    return;
  }
  records->push_back(RecordOf(block));
}

// The tags of the records, one per block.
std::string KindsOf(const std::vector<Bytes>& records) {
  std::string kinds;
  for (const Bytes& record : records) kinds += record.empty() ? '-' : char(record[0]);
  return kinds;
}

// Reads the file; for a file that opens, its blocks and the records of those outside groups.
CDocFileReader::Error Open(const Bytes& file, CSegArray* blocks, std::vector<Bytes>* records,
                           size_t* boxes) {
  MessageBoxCapture shown;
  CDocFileReader reader;
  const CDocFileReader::Error error = reader.ReadImage(file.data(), file.size());
  if (error == CDocFileReader::kNoError) {
    reader.TakeBlocks(*blocks);
    for (INT_PTR i = 0; i < blocks->GetSize(); ++i)
      AddUngroupedRecords(*blocks->GetBlock(i), records);
  }
  *boxes = shown.Count();
  return error;
}

TEST(DamagedDocuments, EachIsRefusedWithItsMessageOrOpensAndSavesWithEveryBlock) {
  const Bytes seed = SeedDocument();
  ByteMutator mutator(0xD0C5);
  std::vector<Bytes> inputs = {seed, WithoutImageNames(seed)};
  for (int i = 0; i < kMutants; ++i) inputs.push_back(mutator.Mutate(seed));
  for (size_t i = 0; i < inputs.size(); ++i) {
    CSegArray blocks;
    std::vector<Bytes> records;
    size_t boxes = 0;
    const CDocFileReader::Error error = Open(inputs[i], &blocks, &records, &boxes);
    if (error != CDocFileReader::kNoError) {
      // The block list says so itself; every other refusal has the document's message.
      EXPECT_EQ(error == CDocFileReader::kBlockListDamaged ? 1u : 0u, boxes) << i;
      EXPECT_TRUE(error == CDocFileReader::kBlockListDamaged ||
                  CDocFileReader::MessageFor(error) != nullptr)
          << i;
      continue;
    }
    EXPECT_LE(boxes, 1u) << i;
    if (i < 2) EXPECT_EQ(10u, records.size()) << i;
    // Saved and opened again: every block, of the same kind in the same place.
    CSegArray reopened;
    std::vector<Bytes> again;
    ASSERT_EQ(CDocFileReader::kNoError,
              Open(Save(blocks, CAuxObjectList()), &reopened, &again, &boxes))
        << i;
    EXPECT_EQ(KindsOf(records), KindsOf(again)) << i;
    // Byte for byte: no record holds a NaN that a save could write back quietened.
    EXPECT_TRUE(records == again) << i;
  }
}

}  // namespace
