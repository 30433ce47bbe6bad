#include "text/layout/AttrBox.h"

#include <cstring>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "text/layout/TextDefaults.h"

CAttrBox::CAttrBox() : CTextBox(kAttrBoxBit), m_attrKind(0), m_value(0), m_second(0), m_third(0) {}

CAttrBox::CAttrBox(WORD kind, float value) : CAttrBox() {
  m_attrKind = kind;
  SetFloat(value);
}

CTextBox* CAttrBox::Clone() const { return new CAttrBox(*this); }

int CAttrBox::WriteRecord(CByteWriter& out) const {
  BYTE record[kRecordSize];
  CByteWriter writer(record, sizeof record);
  writer.WriteByte(kAttrRecordTag);
  writer.WriteDWord(kRecordSize);
  writer.WriteWord(m_kind);
  writer.WriteWord(m_attrKind);
  writer.WriteDWord(m_value);
  writer.WriteDWord(m_second);
  writer.WriteDWord(m_third);
  return out.WriteBytes(record, sizeof record) ? static_cast<int>(kRecordSize) : 0;
}

float CAttrBox::GetFloat() const {
  float value;
  std::memcpy(&value, &m_value, sizeof value);
  return value;
}

void CAttrBox::SetFloat(float value) { std::memcpy(&m_value, &value, sizeof value); }

void CAttrBox::Apply(const CTextBox* box, CTextDefaults* state) {
  if (!box || box->m_kind != kAttrBoxBit || !state) return;
  const CAttrBox* attr = static_cast<const CAttrBox*>(box);
  switch (attr->m_attrKind) {
    case kBoxGaps:
      state->boxGaps = attr->GetFloat();
      break;
    case kLineGaps:
      state->lineGaps = attr->GetFloat();
      break;
    case kModeA:
    case kModeB:
    case kModeC:
      state->modeWord = attr->m_attrKind;
      break;
    case kAlignOpen:
      ++state->alignDepth;
      break;
    case kAlignClose:
      // A closer without its opener leaves the depth at 0 rather than wrapping it.
      if (state->alignDepth > 0) --state->alignDepth;
      break;
    case kModeBit256:
    case kModeBit512:
    case kModeBit1024:
      if (attr->m_second)
        state->modeWord |= attr->m_attrKind;
      else
        state->modeWord &= static_cast<WORD>(~attr->m_attrKind);
      break;
    default:
      break;
  }
}

CAttrBox* LoadAttrBox(const BYTE* record, size_t available) {
  CByteReader reader(record, record ? available : 0);
  BYTE tag = 0;
  DWORD length = 0;
  if (!reader.ReadByte(tag) || tag != CTextBox::kAttrRecordTag || !reader.ReadDWord(length) ||
      length != CAttrBox::kRecordSize || available < length)
    return nullptr;
  CAttrBox* box = new CAttrBox;
  reader.ReadWord(box->m_kind);
  reader.ReadWord(box->m_attrKind);
  reader.ReadDWord(box->m_value);
  reader.ReadDWord(box->m_second);
  reader.ReadDWord(box->m_third);
  // The class is told by the kind word; a record that calls itself a character box is damaged.
  if (!box->IsAttrBox()) {
    delete box;
    return nullptr;
  }
  return box;
}
