#include "media/TracingDll.h"

const char CTracingDll::kLibraryName[] = "TalvexTrace.dll";

namespace {
const char kSection[] = "TRACE";
}

CTracingDll::CTracingDll() : CImageVectorDll(kLibraryName) {}

HGLOBAL CTracingDll::Trace(HGLOBAL plane, int width, int height, HWND window) {
  return Run(plane, width, height, window);
}

void CTracingDll::FillParams(const CVectorSettingsReader& reader) {
  m_params.Delta = static_cast<INT32>(reader.GetFloat(kSection, "Delta", 50.0f));
  if (m_params.Delta < 0) ReadAllValues(reader, kSection);
  else SetFixedValues(30.0f);
}
