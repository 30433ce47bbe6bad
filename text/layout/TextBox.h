// CTextBox: one entry of a text's box array, either a character box (CCharBox) or an attribute box
// (CAttrBox), told apart by bit 15 of the kind word that every box starts with. The array owns its
// boxes. Box records are stored back to back inside the box-array record; each starts with its tag
// and a 32-bit length that counts the whole record, and has no closing byte.
#pragma once

#include <windows.h>

#include "framework/SizeClassPool.h"

class CByteWriter;

class CTextBox {
public:
  static constexpr WORD kAttrBoxBit = 0x8000;
  static constexpr WORD kDoubleByteBit = 0x4000;
  static constexpr BYTE kAttrRecordTag = 17;
  static constexpr BYTE kCharRecordTag = 18;
  // Tag and length.
  static constexpr size_t kRecordHeaderSize = 5;

  explicit CTextBox(WORD kind = 0) : m_kind(kind) {}
  virtual ~CTextBox() = default;
  CTextBox(const CTextBox&) = default;
  CTextBox& operator=(const CTextBox&) = default;

  // Boxes live in the shared size-class pool beside the blocks (a text has one per character).
  static void* operator new(size_t size) { return CSizeClassPool::Shared().Allocate(size); }
  static void operator delete(void* box, size_t size) { CSizeClassPool::Shared().Free(box, size); }

  // Character boxes answer by their selection mark; other boxes are never selected.
  virtual bool IsSelected() const { return false; }
  // A new copy (the caller owns it); the base has nothing to copy.
  virtual CTextBox* Clone() const { return nullptr; }
  // Appends the box's record; its length, or 0 when nothing was written (the base writes none,
  // and a writer without room takes nothing).
  virtual int WriteRecord(CByteWriter& /*out*/) const { return 0; }

  bool IsAttrBox() const { return (m_kind & kAttrBoxBit) != 0; }
  bool IsCharBox() const { return !IsAttrBox(); }
  bool IsSingleByte() const { return (m_kind & kDoubleByteBit) == 0; }

  WORD m_kind;
};
