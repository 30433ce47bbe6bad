#include "media/VectorisingDll.h"

const char CVectorisingDll::kLibraryName[] = "TalvexVector.dll";

namespace {
const char kSection[] = "VECTOR";
}

CVectorisingDll::CVectorisingDll() : CImageVectorDll(kLibraryName) {}

HGLOBAL CVectorisingDll::Vectorise(HGLOBAL plane, int width, int height, HWND window) {
  return Run(plane, width, height, window);
}

void CVectorisingDll::FillParams(const CVectorSettingsReader& reader) {
  m_params.Delta = reader.GetInt(kSection, "Delta", 2);
  if (m_params.Delta < 0) {
    ReadAllValues(reader, kSection);
    return;
  }
  SetFixedValues(40.0f);
  ApplyPreset(m_params.Delta);
}

void CVectorisingDll::ApplyPreset(int delta) {
  switch (delta) {
    case 1:
      m_params.AlignThreshold = 0.1f;
      m_params.LineThreshold = 0.1f;
      m_params.SubdivideSurround = 2;
      m_params.TangentSurround = 2;
      m_params.CornerSurround = 4;
      m_params.CornerThreshold = 120.0f;
      m_params.FilterAlternativeSurround = 0.0f;
      m_params.FilterIterationCount = 1;
      break;
    case 2:
      m_params.FilterIterationCount = 2;
      m_params.TangentSurround = 2;
      break;
    case 3:
      m_params.AlignThreshold = 0.8f;
      m_params.LineThreshold = 0.8f;
      m_params.CornerSurround = 4;
      m_params.CornerThreshold = 100.0f;
      m_params.FilterAlternativeSurround = 1.0f;
      m_params.SubdivideSurround = 6;
      m_params.TangentSurround = 5;
      break;
    case 4:
      m_params.AlignThreshold = 1.0f;
      m_params.LineThreshold = 1.0f;
      m_params.CornerSurround = 5;
      m_params.CornerThreshold = 100.0f;
      m_params.FilterAlternativeSurround = 2.0f;
      m_params.SubdivideSurround = 6;
      m_params.TangentSurround = 5;
      m_params.FilterIterationCount = 4;
      break;
    default:
      break;
  }
}
