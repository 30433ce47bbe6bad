// The check of the damaged-document tests: each damaged copy of a document is refused with its
// message or opens, whole or with the damaged part left out (the reader shows nothing: the
// document says once what was kept), with every block near the page, and what opened saves and
// reads back with every block, the same records byte for byte.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/CurveTestSupport.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/DocFileReader.h"
#include "model/document/DocFileWriter.h"
#include "model/geometry/DrawingBounds.h"
#include "support/MessageBoxCapture.h"

namespace damaged_documents {

using Bytes = std::vector<BYTE>;

inline Bytes Save(CSegArray& blocks, const CAuxObjectList& guides) {
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

// Where a block's record stands in the file (the file's size when it is not there).
inline size_t Find(const Bytes& file, const Bytes& record) {
  return size_t(std::search(file.begin(), file.end(), record.begin(), record.end()) - file.begin());
}

// The records of the blocks outside groups, groups gone through (a group of one reads back as its
// block).
inline void AddUngroupedRecords(CBlock& block, std::vector<Bytes>* records) {
  if (auto* group = dynamic_cast<CGroupBlock*>(&block)) {
    for (INT_PTR i = 0; i < group->GetChildCount(); ++i)
      AddUngroupedRecords(*group->GetChild(i), records);
    return;
  }
  records->push_back(RecordOf(block));
}

// The tags of the records, one per block.
inline std::string KindsOf(const std::vector<Bytes>& records) {
  std::string kinds;
  for (const Bytes& record : records) kinds += record.empty() ? '-' : char(record[0]);
  return kinds;
}

// Reads the file; for a file that opens, its blocks and the records of those outside groups.
inline CDocFileReader::Error Open(const Bytes& file, CSegArray* blocks, std::vector<Bytes>* records,
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

// The first `whole` inputs are undamaged and open with `blocks` records each.
inline void ExpectEachRefusedOrReopened(const std::vector<Bytes>& inputs, size_t whole,
                                        size_t blocks) {
  for (size_t i = 0; i < inputs.size(); ++i) {
    CSegArray read;
    std::vector<Bytes> records;
    size_t boxes = 0;
    const CDocFileReader::Error error = Open(inputs[i], &read, &records, &boxes);
    EXPECT_EQ(0u, boxes) << i;
    if (error != CDocFileReader::kNoError) {
      EXPECT_FALSE(CDocFileReader::MessageFor(error).IsEmpty()) << i;
      continue;
    }
    // No stray point far off the page is kept (it would make "show all" useless).
    for (INT_PTR b = 0; b < read.GetSize(); ++b)
      EXPECT_TRUE(CDrawingBounds::Contains(read.GetBlock(b)->m_box)) << i;
    if (i < whole) {
      EXPECT_EQ(blocks, records.size()) << i;
    }
    // Saved and opened again: every block, of the same kind in the same place, byte for byte (no
    // record holds a NaN that a save could write back quietened).
    CSegArray reopened;
    std::vector<Bytes> again;
    ASSERT_EQ(CDocFileReader::kNoError,
              Open(Save(read, CAuxObjectList()), &reopened, &again, &boxes))
        << i;
    EXPECT_EQ(KindsOf(records), KindsOf(again)) << i;
    EXPECT_TRUE(records == again) << i;
  }
}

}  // namespace damaged_documents
