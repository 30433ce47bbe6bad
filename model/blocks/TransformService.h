// CTransformService: the transform library as the model sees it. A group hands it its own record
// with the parameter block below and builds the block that comes back, "turn this record into a
// new record" (CGroupBlock::CreateTransformed); a transform block keeps one of its artistic
// transformations behind a handle, lets it draw its handles and take the node tool's mouse and
// keys, and stores it as data bytes. The library's wrapper in the media library (CTransformDll)
// implements it; the model reaches the program's one through CModelServices.
//
// Handles are the library's own values; only the service that gave one interprets it. Every call
// but DoTransform has a neutral default (nothing listed, no handle, no data), which is also what a
// service answers while its library is missing: callers ask IsAvailable before they rely on it.
#pragma once

#include <windows.h>

#include <cstddef>

#include "framework/String.h"
#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"

// The parameter block of a transformation, passed to the library by pointer as it is: the source
// record's length, the source's box, the target rectangle and the block holding the record.
struct TransformParams {
  INT32 recordLength;
  CFRect sourceBox;
  CFRect targetRect;
  HGLOBAL sourceRecord;
};

// It crosses into the library: 40 bytes in the 32-bit program (the handle at 36), the handle
// aligned to 40 in the 64-bit build.
static_assert(offsetof(TransformParams, targetRect) == 20, "the target rectangle at 20");
static_assert(offsetof(TransformParams, sourceRecord) == (sizeof(void*) == 4 ? 36 : 40),
              "the record's handle after the rectangles");
static_assert(sizeof(TransformParams) == (sizeof(void*) == 4 ? 40 : 48), "the parameter block");

class CTransformService {
public:
  virtual ~CTransformService() = default;

  // The transformed result as one block record in a new global block, the caller's to free; null
  // when nothing results or the library cannot be reached. The source record stays the caller's.
  virtual HGLOBAL DoTransform(HANDLE transform, const TransformParams& params) const = 0;

  // Whether the library's artistic transformations can be called at all.
  virtual bool IsAvailable() const { return false; }
  // Number of transformations, numbered 1..count.
  virtual int GetTransformCount() const { return 0; }
  // Name and preview (60 x 60, the caller's to delete; may be null) of one transformation.
  virtual bool GetTransformInfo(int /*index*/, bool /*chineseUi*/, CString& name,
                                HBITMAP* preview) const {
    name.Empty();
    if (preview) *preview = nullptr;
    return false;
  }
  // A new transformation of the given number for a source of the given box; null when none.
  virtual HANDLE InitTransformSeg(int /*index*/, const CFRect& /*box*/) const { return nullptr; }
  // The block matrix that places the transformation's box on the page.
  virtual void TFTransSegData(HANDLE /*transform*/, const CMatrix2D& /*matrix*/) const {}
  virtual void TFGetTransformMatrix(HANDLE /*transform*/, CMatrix2D* /*matrix*/) const {}
  // The transformation's handles on the device context; display maps the source's coordinates to
  // device pixels.
  virtual void DrawTransform(HDC /*dc*/, HANDLE /*transform*/, const CMatrix2D& /*display*/) const {
  }
  // Mouse messages 0x200 to 0x205 of the node tool at a page point; above 0 when taken.
  virtual int DoMouseCmd(HANDLE /*transform*/, UINT /*message*/, UINT /*keyFlags*/, float /*x*/,
                         float /*y*/) const {
    return 0;
  }
  virtual int TFKeyDown(HANDLE /*transform*/, UINT /*key*/, UINT /*flags*/) const { return 0; }
  // Non-zero when the character changed the transformation.
  virtual int TFOnChar(HANDLE /*transform*/, UINT /*ch*/, UINT /*flags*/) const { return 0; }
  // The transformation's data in new memory stored in *data (the caller's); its length, 0 and a
  // null block when there is none.
  virtual int TFCreateData(HANDLE /*transform*/, HGLOBAL* data) const {
    if (data) *data = nullptr;
    return 0;
  }
  // A transformation rebuilt from stored data of the given length; null when it does not read.
  virtual HANDLE TFCreateTransformFromData(const BYTE* /*data*/, int /*length*/) const {
    return nullptr;
  }
  virtual void DeleteTransform(HANDLE /*transform*/) const {}
};
