// CTracingDll: the image-tracing library. Its parameters come from the profile section "TRACE".
#pragma once

#include "media/ImageVectorDll.h"

class CTracingDll : public CImageVectorDll {
public:
  static const char kLibraryName[];

  CTracingDll();

  // Outlines traced from a byte plane of width x height, or null.
  HGLOBAL Trace(HGLOBAL plane, int width, int height, HWND window);

protected:
  void FillParams(const CVectorSettingsReader& reader) override;
};
