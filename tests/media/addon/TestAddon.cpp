// A stand-in outside library for the tests: it exports some of the transform, weld, expansion,
// import-filter and vectorising entries (others are left out on purpose) and records the
// arguments of the last call, which the tests read through TestAddonProbe.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "media/ExpandDll.h"
#include "media/ImageVectorDll.h"
#include "media/TransformDll.h"
#include "media/WeldDll.h"

namespace {

char g_probe[512];

void Record(const char* format, ...) {
  va_list args;
  va_start(args, format);
  vsnprintf(g_probe, sizeof g_probe, format, args);
  va_end(args);
}

HGLOBAL BlockHolding(const void* data, SIZE_T size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  memcpy(GlobalLock(block), data, size);
  GlobalUnlock(block);
  return block;
}

HGLOBAL BlockHoldingText(const char* text) { return BlockHolding(text, strlen(text) + 1); }

}  // namespace

extern "C" {

const char* __cdecl TestAddonProbe() { return g_probe; }

int __cdecl dllGetTransformInfo(int index, char* name, TransformInfo* info) {
  // High bits that callers must drop.
  if (index == 0) return 0x20003;
  bool english = name && name[0] == '1';
  if (name)
    snprintf(name, CTransformDll::kNameBufferSize, english ? "Transform %d" : "变形%d", index);
  if (info) info->preview = CreateBitmap(60, 60, 1, 1, nullptr);
  return 1;
}

HANDLE __cdecl dllInitTransformSeg(int index, float left, float top, float right, float bottom) {
  Record("InitTransformSeg %d %.2f %.2f %.2f %.2f", index, left, top, right, bottom);
  return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(100 + index));
}

void __cdecl dllTFTransSegData(HANDLE transform, const CMatrix2D* matrix) {
  Record("TFTransSegData %d %.2f %.2f", static_cast<int>(reinterpret_cast<INT_PTR>(transform)),
         matrix->m[0], matrix->m[6]);
}

int __cdecl dllDoMouseCmd(HANDLE, UINT message, UINT keyFlags, float x, float y) {
  Record("DoMouseCmd %u %u %.2f %.2f", message, keyFlags, x, y);
  return 1;
}

int __cdecl dllTFCreateData(HANDLE, HGLOBAL* data) {
  *data = BlockHolding("ABCDE", 5);
  return 5;
}

HANDLE __cdecl dllTFCreateTransformFromData(const BYTE* data, int length) {
  Record("TFCreateTransformFromData %d %c", length, data[0]);
  return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(7));
}

void __cdecl dllDeleteTransform(HANDLE transform) {
  Record("DeleteTransform %d", static_cast<int>(reinterpret_cast<INT_PTR>(transform)));
}

// The identity transformation: the source record comes back as it went in.
HGLOBAL __cdecl dllDoTransform(HANDLE transform, const TransformParams* params) {
  Record("DoTransform %d %d %.1f %.1f %.1f %.1f",
         static_cast<int>(reinterpret_cast<INT_PTR>(transform)), params->recordLength,
         params->sourceBox.left, params->sourceBox.bottom, params->targetRect.left,
         params->targetRect.bottom);
  if (!params->sourceRecord || params->recordLength <= 0 ||
      GlobalSize(params->sourceRecord) < static_cast<SIZE_T>(params->recordLength))
    return nullptr;
  HGLOBAL copy = BlockHolding(GlobalLock(params->sourceRecord), GlobalSize(params->sourceRecord));
  GlobalUnlock(params->sourceRecord);
  return copy;
}

HGLOBAL __cdecl dllWeld(const WeldOperand* first, const WeldOperand* second) {
  Record("Weld %d %.1f %.1f %.1f %.1f %.1f %.1f %d", first->length, first->box.left, first->box.top,
         first->bounds.right, first->bounds.bottom, second->box.right, second->box.bottom,
         first->records && second->records ? 1 : 0);
  return BlockHoldingText("welded");
}

HGLOBAL __cdecl dllWeldAnd(const WeldOperand*, const WeldOperand*) {
  return BlockHoldingText("and");
}

HGLOBAL __cdecl dllFigureCut(const WeldOperand* group, const WeldOperand* box, int parameter) {
  Record("FigureCut %d %.1f %.1f %d", group->records ? 1 : 0, box->box.right, box->box.bottom,
         parameter);
  return BlockHoldingText("cut");
}

HGLOBAL __cdecl dllExpand(HGLOBAL group, double thickness, double threshold, double angleLimit,
                          double accuracy, int mode) {
  Record("Expand %d %.2f %.2f %.2f %g %d", group ? 1 : 0, thickness, threshold, angleLimit,
         accuracy, mode);
  return BlockHoldingText("expanded");
}

int __cdecl AddonGetVersion() { return 7; }

int __cdecl AddonGetFilters(char* buffer) {
  static const char kFilters[] = "Sign files (*.SGN)|*.SGN|";
  if (buffer) memcpy(buffer, kFilters, sizeof kFilters - 1);
  return static_cast<int>(sizeof kFilters - 1);
}

HGLOBAL __cdecl AddonFilterRead(const char* path, float scale, int flags) {
  Record("FilterRead %s %.4f %d", path, scale, flags);
  return BlockHoldingText("content");
}

int __cdecl AddonCanUse(int value) { return value == 42; }

HGLOBAL __cdecl ImageVector(const ImageVectorParams* params) {
  // The whole parameter block goes back to the test, with the first plane byte seen.
  Record("ImageVector %d %d %d", params->width, params->height, params->plane[0]);
  return BlockHolding(params, sizeof *params);
}

}  // extern "C"
