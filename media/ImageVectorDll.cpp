#include "media/ImageVectorDll.h"

#include <cstring>

#include "framework/GlobalLock.h"
#include "media/ProfileVectorSettings.h"
#include "media/VectorParameters.h"

CImageVectorDll::CImageVectorDll(LPCSTR libraryName)
    : CDllModule(libraryName), m_imageVector(nullptr), m_reader(nullptr) {
  memset(&m_params, 0, sizeof m_params);
}

HMODULE CImageVectorDll::Bind(LPCSTR path) {
  if (IsLoaded() && EntriesBound()) return GetModule();
  if (!Load(path)) return nullptr;
  BindEntry(m_imageVector, "ImageVector");
  SetEntriesBound();
  return GetModule();
}

void CImageVectorDll::RefreshParams() {
  if (m_reader) {
    FillParams(*m_reader);
    return;
  }
  CProfileVectorSettings profile;
  FillParams(profile);
}

HGLOBAL CImageVectorDll::Run(HGLOBAL plane, int width, int height, HWND window) {
  if (!EntriesBound() || !m_imageVector || !plane || width < 3 || height < 3) return nullptr;
  CGlobalLock lock(plane);
  // The library reads width x height bytes: a smaller plane is refused.
  if (!lock.Data() || lock.Size() / static_cast<SIZE_T>(width) < static_cast<SIZE_T>(height))
    return nullptr;
  RefreshParams();
  m_params.width = width;
  m_params.height = height;
  m_params.plane = lock.Data();
  m_params.window = window;
  HGLOBAL result = m_imageVector(&m_params);
  m_params.plane = nullptr;
  return result;
}

void CImageVectorDll::SetFixedValues(float reparameterizeThreshold) {
  m_params.AlignThreshold = 0.5f;
  m_params.CornerAlwaysThreshold = 60.0f;
  m_params.CornerSurround = 3;
  m_params.CornerThreshold = 100.0f;
  m_params.ErrorThreshold = 0.5f;
  m_params.FilterAlternativeSurround = 1.0f;
  m_params.FilterEpsilon = 10.0f;
  m_params.FilterIterationCount = 3;
  m_params.FilterPercent = 0.33f;
  m_params.FilterSecondarySurround = 2;
  m_params.FilterSurround = 2;
  m_params.KeepKnees = 0;
  m_params.LineReversionThreshold = 0.01f;
  m_params.LineThreshold = 0.5f;
  m_params.ReparameterizeImprovement = 0.1f;
  m_params.ReparameterizeThreshold = reparameterizeThreshold;
  m_params.SubdivideSearch = 0.1f;
  m_params.SubdivideSurround = 4;
  m_params.SubdivideThreshold = 0.03f;
  m_params.TangentSurround = 4;
}

void CImageVectorDll::ReadAllValues(const CVectorSettingsReader& reader, LPCSTR section) {
  // Integers are stored like the floats and truncated when read; a missing key gives the one
  // default every reader of the section shares.
  auto readFloat = [&](LPCSTR key) {
    return reader.GetFloat(section, key, CVectorParameters::DefaultOf(key));
  };
  auto readInt = [&](LPCSTR key) { return static_cast<INT32>(readFloat(key)); };
  m_params.AlignThreshold = readFloat("AlignThreshold");
  m_params.CornerAlwaysThreshold = readFloat("CornerAlwaysThreshold");
  m_params.CornerSurround = readInt("CornerSurround");
  m_params.CornerThreshold = readFloat("CornerThreshold");
  m_params.ErrorThreshold = readFloat("ErrorThreshold");
  m_params.FilterAlternativeSurround = readFloat("FilterAlternativeSurround");
  m_params.FilterEpsilon = readFloat("FilterEpsilon");
  m_params.FilterIterationCount = readInt("FilterIterationCount");
  m_params.FilterPercent = readFloat("FilterPercent");
  m_params.FilterSecondarySurround = readInt("FilterSecondarySurround");
  m_params.FilterSurround = readInt("FilterSurround");
  m_params.KeepKnees = readInt("KeepKnees");
  m_params.LineReversionThreshold = readFloat("LineReversionThreshold");
  m_params.LineThreshold = readFloat("LineThreshold");
  m_params.ReparameterizeImprovement = readFloat("ReparameterizeImprovement");
  m_params.ReparameterizeThreshold = readFloat("ReparameterizeThreshold");
  m_params.SubdivideSearch = readFloat("SubdivideSearch");
  m_params.SubdivideSurround = readInt("SubdivideSurround");
  m_params.SubdivideThreshold = readFloat("SubdivideThreshold");
  m_params.TangentSurround = readInt("TangentSurround");
}
