#include "media/TransformDll.h"

#include <vector>

const char CTransformDll::kLibraryName[] = "TalvexTransform.dll";

CTransformDll::CTransformDll()
    : CDllModule(kLibraryName),
      m_getTransformInfo(nullptr),
      m_initTransformSeg(nullptr),
      m_drawTransform(nullptr),
      m_setGlobalVarPointer(nullptr),
      m_doMouseCmd(nullptr),
      m_moveSegHandle(nullptr),
      m_isPointInSegHandle(nullptr),
      m_tfTransSegData(nullptr),
      m_doCommand(nullptr),
      m_tfKeyDown(nullptr),
      m_tfOnChar(nullptr),
      m_tfGetNewGlyph(nullptr),
      m_doTransform(nullptr),
      m_tfGetOutRect(nullptr),
      m_deleteTransform(nullptr),
      m_tfCreateData(nullptr),
      m_tfCreateTransformFromData(nullptr),
      m_tfMatrixTransformSeg(nullptr),
      m_tfGetTransformMatrix(nullptr) {}

HMODULE CTransformDll::Bind(LPCSTR path) {
  if (IsLoaded() && EntriesBound()) return GetModule();
  if (!Load(path)) return nullptr;
  BindEntry(m_getTransformInfo, "dllGetTransformInfo");
  BindEntry(m_initTransformSeg, "dllInitTransformSeg");
  BindEntry(m_drawTransform, "dllDrawTransform");
  BindEntry(m_setGlobalVarPointer, "dllSetGlobalVarPointer");
  BindEntry(m_doMouseCmd, "dllDoMouseCmd");
  BindEntry(m_moveSegHandle, "dllMoveSegHandle");
  BindEntry(m_isPointInSegHandle, "dllIsPointInSegHandle");
  BindEntry(m_tfTransSegData, "dllTFTransSegData");
  BindEntry(m_doCommand, "dllDoCommand");
  BindEntry(m_tfKeyDown, "dllTFKeyDown");
  BindEntry(m_tfOnChar, "dllTFOnChar");
  BindEntry(m_tfGetNewGlyph, "dllTFGetNewGlyph");
  BindEntry(m_doTransform, "dllDoTransform");
  BindEntry(m_tfGetOutRect, "dllTFGetOutRect");
  BindEntry(m_deleteTransform, "dllDeleteTransform");
  BindEntry(m_tfCreateData, "dllTFCreateData");
  BindEntry(m_tfCreateTransformFromData, "dllTFCreateTransformFromData");
  BindEntry(m_tfMatrixTransformSeg, "dllTFMatrixTransformSeg");
  BindEntry(m_tfGetTransformMatrix, "dllTFGetTransformMatrix");
  SetEntriesBound();
  return GetModule();
}

int CTransformDll::GetTransformCount() const {
  GetTransformInfoEntry entry = Bound(m_getTransformInfo);
  return entry ? (entry(0, nullptr, nullptr) & 0xFFFF) : 0;
}

bool CTransformDll::GetTransformInfo(int index, bool chineseUi, CString& name,
                                     HBITMAP* preview) const {
  name.Empty();
  if (preview) *preview = nullptr;
  GetTransformInfoEntry entry = Bound(m_getTransformInfo);
  if (!entry || index < 1 || index > GetTransformCount()) return false;
  // The first bytes tell the library which language to answer in.
  std::vector<char> buffer(kNameBufferSize + 1, '\0');
  if (!chineseUi) buffer[0] = '1';
  TransformInfo info = {};
  entry(index, buffer.data(), &info);
  buffer[kNameBufferSize] = '\0';
  name = buffer.data();
  if (preview)
    *preview = info.preview;
  else if (info.preview)
    DeleteObject(info.preview);
  return true;
}

HANDLE CTransformDll::InitTransformSeg(int index, const CFRect& box) const {
  InitTransformSegEntry entry = Bound(m_initTransformSeg);
  return entry ? entry(index, box.left, box.top, box.right, box.bottom) : nullptr;
}

void CTransformDll::TFTransSegData(HANDLE transform, const CMatrix2D& matrix) const {
  if (TFTransSegDataEntry entry = Bound(m_tfTransSegData)) entry(transform, &matrix);
}

void CTransformDll::DrawTransform(HDC dc, HANDLE transform, const CMatrix2D& display) const {
  if (DrawTransformEntry entry = Bound(m_drawTransform)) entry(dc, transform, &display);
}

HGLOBAL CTransformDll::DoTransform(HANDLE transform, const TransformParams& params) const {
  DoTransformEntry entry = Bound(m_doTransform);
  return entry ? entry(transform, &params) : nullptr;
}

void CTransformDll::TFGetTransformMatrix(HANDLE transform, CMatrix2D* matrix) const {
  TFGetTransformMatrixEntry entry = Bound(m_tfGetTransformMatrix);
  if (entry && matrix) entry(transform, matrix);
}

int CTransformDll::DoMouseCmd(HANDLE transform, UINT message, UINT keyFlags, float x,
                              float y) const {
  DoMouseCmdEntry entry = Bound(m_doMouseCmd);
  return entry ? entry(transform, message, keyFlags, x, y) : 0;
}

int CTransformDll::TFKeyDown(HANDLE transform, UINT key, UINT flags) const {
  TFKeyDownEntry entry = Bound(m_tfKeyDown);
  return entry ? entry(transform, key, 1, flags) : 0;
}

int CTransformDll::TFOnChar(HANDLE transform, UINT ch, UINT flags) const {
  TFOnCharEntry entry = Bound(m_tfOnChar);
  return entry ? entry(transform, ch, flags) : 0;
}

void CTransformDll::SetGlobalVarPointer(void* pointer, LPARAM value1, LPARAM value2,
                                        void* pointer2) const {
  if (SetGlobalVarPointerEntry entry = Bound(m_setGlobalVarPointer))
    entry(pointer, value1, value2, pointer2);
}

int CTransformDll::TFCreateData(HANDLE transform, HGLOBAL* data) const {
  if (data) *data = nullptr;
  TFCreateDataEntry entry = Bound(m_tfCreateData);
  if (!entry || !data) return 0;
  int length = entry(transform, data);
  if (length > 0 && *data) return length;
  if (*data) GlobalFree(*data);
  *data = nullptr;
  return 0;
}

HANDLE CTransformDll::TFCreateTransformFromData(const BYTE* data, int length) const {
  TFCreateTransformFromDataEntry entry = Bound(m_tfCreateTransformFromData);
  if (!entry || !data || length <= 0) return nullptr;
  return entry(data, length);
}

void CTransformDll::DeleteTransform(HANDLE transform) const {
  if (DeleteTransformEntry entry = Bound(m_deleteTransform)) entry(transform);
}
