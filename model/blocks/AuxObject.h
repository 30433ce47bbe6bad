// CAuxObject: a drawing aid that lies over the drawing without being a block: a guide line or an
// output area. Both are drawn in XOR so that drawing again erases, and both are stored as small
// records inside the tag-1 block of their list (CAuxObjectList).
#pragma once

#include <windows.h>

#include <cstddef>

#include "framework/Object.h"

class CBlockView;
class CByteWriter;
class CDC;
class CFRect;
class CMatrix2D;

class CAuxObject : public CObject {
public:
  enum : BYTE { kGuideLineType = 'A', kOutputAreaType = 'B' };
  enum : BYTE { kNormalState = 0, kSelectedState = 1, kMarkedState = 2 };
  static constexpr WORD kSolidFlag = 0x100;
  // Closes every guide and output-area record (block records close with 0xF1).
  static constexpr BYTE kAuxRecordEndByte = 0xF0;

  ~CAuxObject() override = default;
  CAuxObject(const CAuxObject&) = delete;
  CAuxObject& operator=(const CAuxObject&) = delete;

  BYTE GetType() const { return m_type; }
  WORD GetFlags() const { return m_flags; }
  void SetFlags(WORD flags) { m_flags = flags; }
  BYTE GetState() const { return m_state; }
  void SetState(BYTE state) { m_state = state; }

  // matrix is the view's display matrix (page to device); visible the view's visible page area.
  virtual void DrawXor(CDC* dc, const CMatrix2D& matrix, const CFRect& visible);
  virtual BOOL GetRect(CFRect* rect);
  virtual BOOL GetBoundsRect(CFRect* rect);
  virtual UINT GetPanelId();
  // Stores a new movable global-memory block holding the record in *record (the caller frees it)
  // and returns the record's length; 0 and null when the object has no record.
  virtual int WriteRecord(HGLOBAL* record);
  virtual BOOL IsGuide();
  virtual void SetMarkState(CDC* dc, const CMatrix2D& matrix, const CFRect& visible);
  virtual void SetSelectState(CDC* dc, const CMatrix2D& matrix, const CFRect& visible);
  virtual void Offset(float dx, float dy);
  virtual void Draw(CDC* dc, const CMatrix2D& matrix, const CFRect& visible);
  virtual BOOL HitTest(float x, float y, float tolerance);
  virtual BOOL HitTestHandle(CBlockView* view, float x, float y, int* handle);
  virtual BOOL SetRect(float left, float top, float right, float bottom);
  virtual BOOL Invalidate(CBlockView* view, BOOL erase);
  virtual void DrawOutline(CDC* dc, const CMatrix2D& matrix, const CFRect& visible);
  virtual void DrawSolid(CDC* dc, const CMatrix2D& matrix, const CFRect& visible);

protected:
  CAuxObject(BYTE type, WORD flags) : m_type(type), m_flags(flags), m_state(kNormalState) {}

  // Copies the record into a new zero-filled movable block of bufferSize bytes (at least the
  // record's size); returns the record's length, or 0 and null when memory runs out.
  static int HandOverRecord(const CByteWriter& record, size_t bufferSize, HGLOBAL* out);

  BYTE m_type;
  WORD m_flags;
  BYTE m_state;
};

// Builds a guide line from an 'A' record or an output area from a 'B' record; null for another
// tag or a record shorter than its fields (available counts the bytes from the record's tag on).
// The caller owns the object.
CAuxObject* CreateAuxObjectFromRecord(const BYTE* record, size_t available);
