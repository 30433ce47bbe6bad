// CImageVectorDll: common part of the image tracing and vectorising wrappers. Both libraries
// export one entry, ImageVector, that turns a byte plane into outlines (ImageVectorParams.h).
#pragma once

#include "media/DllModule.h"
#include "media/ImageVectorParams.h"
#include "media/VectorSettingsReader.h"

class CImageVectorDll : public CDllModule {
public:
  typedef HGLOBAL(__cdecl* ImageVectorEntry)(const ImageVectorParams* params);

  // Loads the library once (null: its own file name) and binds ImageVector.
  HMODULE Bind(LPCSTR path = nullptr);

  // The settings the parameters are read from; null: the application profile.
  void SetSettingsReader(const CVectorSettingsReader* reader) { m_reader = reader; }
  const ImageVectorParams& GetParams() const { return m_params; }
  // Fills the parameters from the settings as the next call would.
  void RefreshParams();

protected:
  explicit CImageVectorDll(LPCSTR libraryName);

  // Refuses (null) without library or entry, without a plane, or below 3 x 3 pixels.
  HGLOBAL Run(HGLOBAL plane, int width, int height, HWND window);

  // Reads Delta and the rest of the parameters from the section.
  virtual void FillParams(const CVectorSettingsReader& reader) = 0;
  void SetFixedValues(float reparameterizeThreshold);
  void ReadAllValues(const CVectorSettingsReader& reader, LPCSTR section);

  ImageVectorParams m_params;

private:
  ImageVectorEntry m_imageVector;
  const CVectorSettingsReader* m_reader;
};
