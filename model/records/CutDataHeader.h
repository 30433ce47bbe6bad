// CCutDataHeader: the record at the start of a block of prepared cut data. Only the magic, the
// scale and the kind are fixed; everything else is zero.
#pragma once

#include <windows.h>

class CCutDataHeader {
public:
  static constexpr int kSize = 103;

  CCutDataHeader();

  const BYTE* Bytes() const { return m_bytes; }

private:
  BYTE m_bytes[kSize];
};
