// The library's artistic-transformation entries. Transformations live behind handles
// (CTransformHandles); every entry checks the handle and its pointers and answers an unknown
// handle or a missing argument with 0, null or nothing. Data and results cross in new memory
// that the caller owns. The entries the program binds but never calls exist so that binding
// finds them, and answer 0 whatever they are given (the caller cleans the stack).
#include <windows.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "addons/transform/ArtTransform.h"
#include "addons/transform/OutlineBuilder.h"
#include "addons/transform/ShapeRecords.h"
#include "addons/transform/TransformHandles.h"
#include "addons/transform/TransformPreview.h"
#include "media/TransformDll.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"

namespace {

CArtTransform* Find(HANDLE handle) { return CTransformHandles::Instance().Find(handle); }

bool IsUsableBox(const CFRect& box) {
  return std::isfinite(box.left) && std::isfinite(box.top) && std::isfinite(box.right) &&
         std::isfinite(box.bottom);
}

HGLOBAL CopyToGlobal(const std::vector<BYTE>& bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return nullptr;
  void* data = GlobalLock(memory);
  if (!data) {
    GlobalFree(memory);
    return nullptr;
  }
  memcpy(data, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  return memory;
}

}  // namespace

extern "C" {

// Index 0 with null pointers: how many transformations there are. Index 1..count: the name
// (English when the buffer starts with "1", Chinese otherwise) and a new preview bitmap.
int __cdecl dllGetTransformInfo(int index, char* name, TransformInfo* info) {
  if (index == 0) return CArtTransform::kKindCount;
  if (!CArtTransform::IsKind(index)) return 0;
  if (name) {
    bool english = name[0] == '1';
    lstrcpynA(name, CArtTransform::Name(index, english), CTransformDll::kNameBufferSize);
  }
  if (info) info->preview = CTransformPreview::Create(index);
  return 1;
}

HANDLE __cdecl dllInitTransformSeg(int index, float left, float top, float right, float bottom) {
  CFRect box(left, top, right, bottom);
  if (!CArtTransform::IsKind(index) || !IsUsableBox(box)) return nullptr;
  return CTransformHandles::Instance().Add(new CArtTransform(index, box));
}

void __cdecl dllTFTransSegData(HANDLE transform, const CMatrix2D* matrix) {
  CArtTransform* found = Find(transform);
  if (found && matrix) found->SetMatrix(*matrix);
}

void __cdecl dllTFGetTransformMatrix(HANDLE transform, CMatrix2D* matrix) {
  CArtTransform* found = Find(transform);
  if (found && matrix) *matrix = found->GetMatrix();
}

void __cdecl dllDrawTransform(HDC dc, HANDLE transform, const CMatrix2D* display) {
  CArtTransform* found = Find(transform);
  if (found && dc && display) found->Draw(dc, *display);
}

int __cdecl dllDoMouseCmd(HANDLE transform, UINT message, UINT, float x, float y) {
  CArtTransform* found = Find(transform);
  return found ? found->OnMouse(message, x, y) : 0;
}

// Keys are not used: the amount changes through characters, after which the block rebuilds.
int __cdecl dllTFKeyDown(HANDLE, UINT, UINT, UINT) { return 0; }

int __cdecl dllTFOnChar(HANDLE transform, UINT ch, UINT) {
  CArtTransform* found = Find(transform);
  return found ? found->OnChar(ch) : 0;
}

// The view's settings are not needed: the handles take their scale from each drawing.
void __cdecl dllSetGlobalVarPointer(void*, LPARAM, LPARAM, void*) {}

// The group's flattened curves bent from the group's box into the target rectangle, as a group
// record (one curve per curve of the group, colours kept).
HGLOBAL __cdecl dllDoTransform(HANDLE transform, const TransformParams* params) {
  try {
    CArtTransform* found = Find(transform);
    if (!found || !params || !IsUsableBox(params->sourceBox) || !IsUsableBox(params->targetRect))
      return nullptr;
    std::vector<FlatCurve> curves;
    if (!CShapeRecords::ReadRecord(params->sourceRecord, params->recordLength, &curves))
      return nullptr;
    std::vector<CBlock*> bent;
    for (const FlatCurve& curve : found->Apply(curves, params->sourceBox, params->targetRect)) {
      OutlineShape shape;
      for (const OutlinePolygon& ring : curve.rings) shape.area.push_back(ring);
      shape.lines = curve.lines;
      if (CBlock* piece = COutlineBuilder::BuildCurve(shape, curve.colour, curve.attributes))
        bent.push_back(piece);
    }
    std::unique_ptr<CGroupBlock> group(new CGroupBlock);
    for (CBlock* piece : bent) group->AddChild(piece);
    if (group->GetChildCount() == 0) return nullptr;
    return CShapeRecords::Hand(group.release());
  } catch (...) {
    return nullptr;
  }
}

int __cdecl dllTFCreateData(HANDLE transform, HGLOBAL* data) {
  if (!data) return 0;
  *data = nullptr;
  CArtTransform* found = Find(transform);
  if (!found) return 0;
  std::vector<BYTE> bytes = found->WriteData();
  *data = CopyToGlobal(bytes);
  return *data ? static_cast<int>(bytes.size()) : 0;
}

HANDLE __cdecl dllTFCreateTransformFromData(const BYTE* data, int length) {
  if (!data || length <= 0) return nullptr;
  return CTransformHandles::Instance().Add(
      CArtTransform::FromData(data, static_cast<size_t>(length)));
}

void __cdecl dllDeleteTransform(HANDLE transform) {
  CTransformHandles::Instance().Remove(transform);
}

int __cdecl dllMoveSegHandle() { return 0; }
int __cdecl dllIsPointInSegHandle() { return 0; }
int __cdecl dllDoCommand() { return 0; }
int __cdecl dllTFGetNewGlyph() { return 0; }
int __cdecl dllTFGetOutRect() { return 0; }
int __cdecl dllTFMatrixTransformSeg() { return 0; }

}  // extern "C"
