// CTransformDll: the transform library's artistic transformations. One global instance is bound
// at start-up; every call below does nothing (and gives 0 or null) when the library or the entry
// is missing, so callers need no test of their own beyond IsLoaded for listing. It is the model's
// transform service (CTransformService): groups and transform blocks reach the library through
// it.
#pragma once

#include "media/DllModule.h"
#include "model/blocks/TransformService.h"
#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"

// What dllGetTransformInfo fills besides the name; the bitmap (60 x 60) belongs to the caller.
struct TransformInfo {
  HBITMAP preview;
};

class CTransformDll : public CDllModule, public CTransformService {
public:
  static const char kLibraryName[];
  // Size of the name buffer handed to dllGetTransformInfo; the library writes at most this much.
  static constexpr int kNameBufferSize = 64;

  typedef int(__cdecl* GetTransformInfoEntry)(int index, char* name, TransformInfo* info);
  typedef HANDLE(__cdecl* InitTransformSegEntry)(int index, float left, float top, float right,
                                                 float bottom);
  typedef void(__cdecl* DrawTransformEntry)(HDC dc, HANDLE transform, const CMatrix2D* display);
  typedef void(__cdecl* SetGlobalVarPointerEntry)(void* pointer, LPARAM value1, LPARAM value2,
                                                  void* pointer2);
  typedef int(__cdecl* DoMouseCmdEntry)(HANDLE transform, UINT message, UINT keyFlags, float x,
                                        float y);
  typedef void(__cdecl* TFTransSegDataEntry)(HANDLE transform, const CMatrix2D* matrix);
  typedef int(__cdecl* TFKeyDownEntry)(HANDLE transform, UINT key, UINT repeat, UINT flags);
  typedef int(__cdecl* TFOnCharEntry)(HANDLE transform, UINT ch, UINT flags);
  typedef HGLOBAL(__cdecl* DoTransformEntry)(HANDLE transform, const TransformParams* params);
  typedef void(__cdecl* DeleteTransformEntry)(HANDLE transform);
  typedef int(__cdecl* TFCreateDataEntry)(HANDLE transform, HGLOBAL* data);
  // The data comes from a document record: its length goes with it so that the library never
  // reads past what the record holds.
  typedef HANDLE(__cdecl* TFCreateTransformFromDataEntry)(const BYTE* data, int length);
  typedef void(__cdecl* TFGetTransformMatrixEntry)(HANDLE transform, CMatrix2D* matrix);

  CTransformDll();

  // Loads the library once (null: its own file name) and binds the entries; the module or null.
  HMODULE Bind(LPCSTR path = nullptr);

  // The library is loaded and its entries are bound.
  bool IsAvailable() const override { return EntriesBound(); }
  // Number of transformations (the low 16 bits of the library's answer).
  int GetTransformCount() const override;
  // Name and preview of transformation index (1..count); chineseUi asks for Chinese names.
  bool GetTransformInfo(int index, bool chineseUi, CString& name, HBITMAP* preview) const override;
  HANDLE InitTransformSeg(int index, const CFRect& box) const override;
  void TFTransSegData(HANDLE transform, const CMatrix2D& matrix) const override;
  void DrawTransform(HDC dc, HANDLE transform, const CMatrix2D& display) const override;
  HGLOBAL DoTransform(HANDLE transform, const TransformParams& params) const override;
  void TFGetTransformMatrix(HANDLE transform, CMatrix2D* matrix) const override;
  int DoMouseCmd(HANDLE transform, UINT message, UINT keyFlags, float x, float y) const override;
  int TFKeyDown(HANDLE transform, UINT key, UINT flags) const override;
  int TFOnChar(HANDLE transform, UINT ch, UINT flags) const override;
  void SetGlobalVarPointer(void* pointer, LPARAM value1, LPARAM value2, void* pointer2) const;
  // Data length (0: none); the memory is the caller's afterwards.
  int TFCreateData(HANDLE transform, HGLOBAL* data) const override;
  HANDLE TFCreateTransformFromData(const BYTE* data, int length) const override;
  void DeleteTransform(HANDLE transform) const override;

private:
  template <class Entry>
  Entry Bound(Entry entry) const {
    return EntriesBound() ? entry : nullptr;
  }

  GetTransformInfoEntry m_getTransformInfo;
  InitTransformSegEntry m_initTransformSeg;
  DrawTransformEntry m_drawTransform;
  SetGlobalVarPointerEntry m_setGlobalVarPointer;
  DoMouseCmdEntry m_doMouseCmd;
  FARPROC m_moveSegHandle;
  FARPROC m_isPointInSegHandle;
  TFTransSegDataEntry m_tfTransSegData;
  FARPROC m_doCommand;
  TFKeyDownEntry m_tfKeyDown;
  TFOnCharEntry m_tfOnChar;
  FARPROC m_tfGetNewGlyph;
  DoTransformEntry m_doTransform;
  FARPROC m_tfGetOutRect;
  DeleteTransformEntry m_deleteTransform;
  TFCreateDataEntry m_tfCreateData;
  TFCreateTransformFromDataEntry m_tfCreateTransformFromData;
  FARPROC m_tfMatrixTransformSeg;
  TFGetTransformMatrixEntry m_tfGetTransformMatrix;
};
