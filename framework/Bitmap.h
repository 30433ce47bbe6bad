// CBitmap: a GDI bitmap.
#pragma once

#include "framework/GdiObject.h"
#include "framework/Size.h"

class CDC;

class CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)
public:
  CBitmap() = default;

  // From the current resource module.
  BOOL LoadBitmap(UINT id);
  BOOL LoadBitmap(LPCSTR name);
  BOOL LoadOEMBitmap(UINT id) { return TakeNew(::LoadBitmapA(nullptr, MAKEINTRESOURCEA(id))); }
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    return TakeNew(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
  }
  BOOL CreateBitmapIndirect(LPBITMAP bitmap) { return TakeNew(::CreateBitmapIndirect(bitmap)); }
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  BOOL CreateDiscardableBitmap(CDC* dc, int width, int height) {
    return CreateCompatibleBitmap(dc, width, height);
  }

  int GetBitmap(BITMAP* bitmap) const { return GetObject(sizeof(BITMAP), bitmap); }
  DWORD GetBitmapBits(DWORD count, LPVOID bits) const {
    return static_cast<DWORD>(::GetBitmapBits(*this, static_cast<LONG>(count), bits));
  }
  DWORD SetBitmapBits(DWORD count, const void* bits) {
    return static_cast<DWORD>(::SetBitmapBits(*this, count, bits));
  }
  CSize GetBitmapDimension() const;
  CSize SetBitmapDimension(int width, int height);

  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
  static CBitmap* FromHandle(HBITMAP handle) { return TypedFromHandle<CBitmap>(handle); }
};
