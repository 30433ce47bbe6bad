#include "media/VectorParameters.h"

// clang-format off
const VectorParameter CVectorParameters::kTable[kCount] = {
  {"AlignThreshold", 0.5f, false},
  {"CornerAlwaysThreshold", 60.0f, false},
  {"CornerSurround", 3.0f, true},
  {"CornerThreshold", 100.0f, false},
  {"ErrorThreshold", 0.5f, false},
  {"FilterAlternativeSurround", 1.0f, false},
  {"FilterEpsilon", 10.0f, false},
  {"FilterIterationCount", 3.0f, true},
  {"FilterPercent", 0.33f, false},
  {"FilterSecondarySurround", 2.0f, true},
  {"FilterSurround", 2.0f, true},
  {"KeepKnees", 0.0f, true},
  {"LineReversionThreshold", 0.01f, false},
  {"LineThreshold", 0.5f, false},
  {"ReparameterizeImprovement", 0.1f, false},
  {"ReparameterizeThreshold", 30.0f, false},
  {"SubdivideSearch", 0.1f, false},
  {"SubdivideSurround", 4.0f, true},
  {"SubdivideThreshold", 0.03f, false},
  {"TangentSurround", 4.0f, true},
};
// clang-format on

const VectorParameter* CVectorParameters::Find(LPCSTR key) {
  if (!key) return nullptr;
  for (const VectorParameter& parameter : kTable)
    if (lstrcmpiA(parameter.key, key) == 0) return &parameter;
  return nullptr;
}

float CVectorParameters::DefaultOf(LPCSTR key) {
  const VectorParameter* parameter = Find(key);
  return parameter ? parameter->defaultValue : 0.0f;
}
