#include "model/records/CutDataHeader.h"

#include <cstring>

#include "framework/ByteWriter.h"

// Layout: magic "TCUTDATA" with its zero (9 bytes), 6 bytes left to the data's owner, float scale
// 1.0 at 15, integer 128 at 19, 80 zero bytes from 23.
CCutDataHeader::CCutDataHeader() {
  memset(m_bytes, 0, sizeof m_bytes);
  CByteWriter writer(m_bytes, sizeof m_bytes);
  writer.WriteBytes("TCUTDATA", 9);
  writer.WriteZeros(6);
  writer.WriteFloat(1.0f);
  writer.WriteInt32(128);
  writer.WriteZeros(80);
}
