// CAuxObjectList: a document's guide lines or its output areas. It owns its objects, tracks which
// are selected (the first one selected is the current object) and has a stored form of its own,
// the tag-1 block: tag, int32 total length, the objects' records, end byte 0xFE.
#pragma once

#include <windows.h>

#include <cstddef>

#include "framework/ObArray.h"

class CAuxObject;
class CBlockView;
class CDC;
class CFile;
class CFRect;
class CMatrix2D;

class CAuxObjectList : public CObArray {
public:
  CAuxObjectList() = default;
  ~CAuxObjectList() override;
  CAuxObjectList(const CAuxObjectList&) = delete;
  CAuxObjectList& operator=(const CAuxObjectList&) = delete;

  CAuxObject* GetObjectAt(INT_PTR index) const;
  void AddObject(CAuxObject* object);
  // Moves every object of the other list to the end of this one.
  void TakeAll(CAuxObjectList& other);
  void DeleteAll();

  CAuxObject* GetCurrentObject() const { return m_current; }
  int GetSelectedCount() const { return m_selectedCount; }

  // The drawing operations draw in R2_NOTXORPEN and restore the context's mode.
  void SelectObject(CDC* dc, const CMatrix2D& matrix, const CFRect& visible, CAuxObject* object);
  void DeselectAll(CDC* dc, const CMatrix2D& matrix, const CFRect& visible);
  void DrawSelected(CDC* dc, const CMatrix2D& matrix, const CFRect& visible);
  void RedrawSelected(CDC* dc, const CMatrix2D& matrix, const CFRect& visible);
  void MarkSelected(CDC* dc, const CMatrix2D& matrix, const CFRect& visible);
  void SetSelectedState(CDC* dc, const CMatrix2D& matrix, const CFRect& visible);
  void OffsetSelected(float dx, float dy);
  void DeleteSelected(CBlockView* view);
  CAuxObject* HitTest(float x, float y, float tolerance) const;

  // The tag-1 block of all objects in new movable memory (the caller frees it); its length, or 0
  // and null when no object writes a record.
  int WriteToMemory(HGLOBAL* block) const;
  // The block at the file position; 0 and nothing written when there is none. Throws the file's
  // exceptions.
  int WriteToFile(CFile& file) const;

  // 1 when the clipboard was filled or emptied, 0 when it could not be opened or nothing was
  // selected.
  int CopySelectedToClipboard() const;
  // 1 when objects were appended from the clipboard.
  int PasteFromClipboard();

  // The private clipboard format of guide lines and output areas.
  static UINT GetClipboardFormat();

private:
  // Builds a block from the objects (all of them, or those in state 1 only).
  int BuildBlock(bool selectedOnly, HGLOBAL* block) const;
  void ForgetSelection();
  // Runs the operation on every object with a non-zero state, in R2_NOTXORPEN.
  template <class Operation>
  void ForSelectedInXor(CDC* dc, Operation operation);

  CAuxObject* m_current = nullptr;
  int m_selectedCount = 0;
};

// Builds a list from the tag-1 block (available counts the bytes from its tag on). Reading stops
// at the first byte that is no record tag, keeping the objects before it. Null when the block is
// no tag-1 block, yields no object, or is damaged: its length runs past the bytes available or a
// record's length is too small for its fields or runs past the block. *damaged (when given) tells
// the last case apart.
CAuxObjectList* LoadAuxObjectList(const BYTE* block, size_t available, bool* damaged = nullptr);
