#include "model/blocks/LibBlock.h"

#include <memory>

#include "model/blocks/LibGlyphSource.h"
#include "model/geometry/Contour.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordReader.h"
#include "model/records/BlockRecordWriter.h"

CLibBlock::CLibBlock(WORD source, WORD group, WORD item)
    : m_source(source), m_group(group), m_item(item) {
  m_type = kLibBlock;
}

void CLibBlock::SetBox(float left, float top, float right, float bottom) {
  // A rectangle flat along an axis where the outline is not would leave a matrix that cannot be
  // undone (and a block that cannot come back): it is not taken.
  bool flatTarget = (right == left && m_box.right != m_box.left) ||
                    (bottom == top && m_box.bottom != m_box.top);
  if (flatTarget) return;
  CShapeBlock::SetBox(left, top, right, bottom);
}

void CLibBlock::Offset(float dx, float dy) {
  CBlock::Offset(dx, dy);
  m_matrix.m[6] += dx;
  m_matrix.m[7] += dy;
}

void CLibBlock::Transform(const CMatrix2D& matrix) {
  m_matrix.Multiply(matrix);
  matrix.TransformRect(&m_box);
}

CContour* CLibBlock::GetContour(const CMatrix2D* matrix, UINT) {
  CLibGlyphSource* source = CLibGlyphSource::Installed();
  if (!source) return nullptr;
  CContour* contour = source->ReadGlyph(m_source, m_group, m_item, &m_matrix);
  if (!contour) return nullptr;
  if (!contour->IsBoxEmpty()) m_box = contour->GetBox();
  if (matrix) contour->Transform(matrix);
  return contour;
}

int CLibBlock::WriteRecord(HGLOBAL* record) {
  CBlockRecordWriter writer(kLibRecordTag, *this);
  CByteWriter& fields = writer.Fields();
  writer.WriteRect(m_box);
  writer.WriteMatrix(m_matrix);
  fields.WriteWord(m_source);
  fields.WriteWord(m_group);
  fields.WriteWord(m_item);
  fields.WriteDWord(m_colour);
  return writer.Finish(record);
}

CBlock* LoadLibBlock(const BYTE* record, size_t available) {
  CBlockRecordReader reader(record, available);
  if (!reader.Open(kLibRecordTag, CLibBlock::kRecordLength)) return nullptr;
  std::unique_ptr<CLibBlock> block(new CLibBlock(0, 0, 0));
  reader.ReadHeaderInto(*block, false);
  CByteReader& fields = reader.Fields();
  DWORD colour = 0;
  if (!reader.ReadRect(block->m_box) || !reader.ReadMatrix(block->m_matrix) ||
      !fields.ReadWord(block->m_source) || !fields.ReadWord(block->m_group) ||
      !fields.ReadWord(block->m_item) || !fields.ReadDWord(colour))
    return nullptr;
  block->m_colour = colour;
  return block.release();
}
