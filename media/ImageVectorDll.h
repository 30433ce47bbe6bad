// CImageVectorDll: common part of the image tracing and vectorising wrappers. Both libraries
// export one entry, ImageVector, that turns a byte plane into outlines with the parameters below.
#pragma once

#include "media/DllModule.h"
#include "media/VectorSettingsReader.h"

struct ImageVectorParams {
  INT32 width;
  INT32 height;
  BYTE* plane;
  INT32 Delta;
  float AlignThreshold;
  float CornerAlwaysThreshold;
  INT32 CornerSurround;
  float CornerThreshold;
  float ErrorThreshold;
  float FilterAlternativeSurround;
  float FilterEpsilon;
  INT32 FilterIterationCount;
  float FilterPercent;
  INT32 FilterSecondarySurround;
  INT32 FilterSurround;
  INT32 KeepKnees;
  float LineReversionThreshold;
  float LineThreshold;
  float ReparameterizeImprovement;
  float ReparameterizeThreshold;
  float SubdivideSearch;
  INT32 SubdivideSurround;
  float SubdivideThreshold;
  INT32 TangentSurround;
  HWND window;
};

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
