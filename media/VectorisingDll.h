// CVectorisingDll: the vectorising library. Its parameters come from the profile section
// "VECTOR": a preset chosen by "Delta", or every key when "Delta" is negative.
#pragma once

#include "media/ImageVectorDll.h"

class CVectorisingDll : public CImageVectorDll {
public:
  static const char kLibraryName[];

  CVectorisingDll();

  // Outlines of a byte plane of width x height, or null.
  HGLOBAL Vectorise(HGLOBAL plane, int width, int height, HWND window);

protected:
  void FillParams(const CVectorSettingsReader& reader) override;

private:
  void ApplyPreset(int delta);
};
