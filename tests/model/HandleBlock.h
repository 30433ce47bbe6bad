// A block with one handle and one control point whose answers the test sets, that keeps what it
// was asked to do, and that stores itself as a fixed-length record under the line block's tag.
#pragma once

#include <vector>

#include "model/blocks/Block.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordReader.h"
#include "model/records/BlockRecordWriter.h"

class HandleBlock : public CBlock {
public:
  struct Move {
    int index;
    float x;
    float y;
  };
  static constexpr BYTE kTag = kLineRecordTag;
  static constexpr size_t kRecordLength = 8 + 16 + 36 + 4 + 1;

  HandleBlock() {
    m_type = kLineBlock;
    m_box = CFRect(10, 10, 20, 20);
  }

  BOOL HitTestHandle(CBlockView*, float, float, int* handle) override {
    if (!handleHit) return FALSE;
    *handle = handleIndex;
    return TRUE;
  }
  void MoveHandle(UINT, int handle, float x, float y) override {
    handleMoves.push_back({handle, x, y});
  }
  void DrawHandleXor(CBlockView*, int, float, float) override { ++xorDraws; }
  BOOL HitTestControlPoint(CBlockView*, float, float, int* index) override {
    if (!controlHit) return FALSE;
    *index = controlIndex;
    return TRUE;
  }
  void MoveControlPoint(CBlockView*, UINT, int index, float x, float y) override {
    controlMoves.push_back({index, x, y});
  }
  void DrawControlPointXor(CBlockView*, int, float, float) override { ++xorDraws; }
  void Transform(const CMatrix2D& matrix) override {
    m_matrix.Multiply(matrix);
    matrix.TransformFRect(&m_box);
  }

  int WriteRecord(HGLOBAL* record) override {
    CBlockRecordWriter writer(kTag, *this);
    writer.WriteRect(m_box);
    writer.WriteMatrix(m_matrix);
    writer.Fields().WriteInt32(value);
    return writer.Finish(record);
  }

  static CBlock* Read(const BYTE* record, size_t available) {
    CBlockRecordReader reader(record, available);
    if (!reader.Open(kTag, kRecordLength)) return nullptr;
    HandleBlock* block = new HandleBlock;
    reader.ReadHeaderInto(*block, true);
    if (!reader.ReadRect(block->m_box) || !reader.ReadMatrix(block->m_matrix) ||
        !reader.Fields().ReadInt32(block->value)) {
      delete block;
      return nullptr;
    }
    return block;
  }

  BOOL handleHit = TRUE;
  int handleIndex = 1;
  BOOL controlHit = TRUE;
  int controlIndex = 2;
  int value = 0;
  int xorDraws = 0;
  std::vector<Move> handleMoves;
  std::vector<Move> controlMoves;
};

// Makes HandleBlock the reader of its tag while in scope.
class HandleBlockReaderScope {
public:
  HandleBlockReaderScope()
      : m_previous(SetBlockRecordReader(HandleBlock::kTag, &HandleBlock::Read)) {}
  ~HandleBlockReaderScope() { SetBlockRecordReader(HandleBlock::kTag, m_previous); }
  HandleBlockReaderScope(const HandleBlockReaderScope&) = delete;
  HandleBlockReaderScope& operator=(const HandleBlockReaderScope&) = delete;

private:
  BlockRecordReader m_previous;
};
