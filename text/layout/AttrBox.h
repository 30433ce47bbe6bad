// CAttrBox: an invisible marker in a text that changes the layout state from its place on:
// spacing (kinds 1 and 2 carry a float), the mode word (4, 8, 16), the brackets of a line-start
// alignment (32 opens, 0x8020 closes) and mode bits switched on or off (256, 512, 1024 by the
// second value). Kinds with bit 15 set close the run their opener began.
#pragma once

#include <windows.h>

#include <cstddef>

#include "text/layout/TextBox.h"

class CTextDefaults;

class CAttrBox : public CTextBox {
public:
  enum : WORD {
    kBoxGaps = 1,
    kLineGaps = 2,
    kModeA = 4,
    kModeB = 8,
    kModeC = 16,
    kAlignOpen = 32,
    kAlignClose = 0x8020,
    kModeBit256 = 256,
    kModeBit512 = 512,
    kModeBit1024 = 1024,
    kCloserBit = 0x8000,
  };
  static constexpr size_t kRecordSize = 21;

  CAttrBox();
  CAttrBox(WORD kind, float value);

  CTextBox* Clone() const override;
  int WriteRecord(CByteWriter& out) const override;

  // Folds the box into the layout state; nothing for a box that is not an attribute box or a
  // missing state.
  static void Apply(const CTextBox* box, CTextDefaults* state);

  float GetFloat() const;
  void SetFloat(float value);
  bool IsCloser() const { return (m_attrKind & kCloserBit) != 0; }
  // The kind meets the mask in bits 0-14.
  bool Meets(WORD mask) const { return (m_attrKind & mask & 0x7FFF) != 0; }

  WORD m_attrKind;
  DWORD m_value;
  DWORD m_second;
  DWORD m_third;
};

// A new attribute box from a record of tag 17 and exactly 21 bytes within available; null for any
// other tag, length or a record that does not fit.
CAttrBox* LoadAttrBox(const BYTE* record, size_t available);
