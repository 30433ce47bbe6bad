// ImageVectorParams: the parameter block of the tracing and vectorising libraries' one entry,
// ImageVector, filled by their wrappers (CImageVectorDll). Every field is 32 bits in the 32-bit
// program, as the libraries read it. The plane holds width x height bytes, one per pixel, non-zero
// for the colour to trace, its first row the picture's bottom row (the row order of a
// device-independent bitmap); the result is movable global memory holding one block record of
// the outlines in pixels of the picture, its top-left corner at the origin and y downwards.
#pragma once

#include <windows.h>

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

// The block the libraries read: 25 fields of 32 bits where pointers and handles are.
static_assert(sizeof(void*) != 4 || sizeof(ImageVectorParams) == 100,
              "the parameter block crosses into the libraries as 25 fields of 32 bits");
