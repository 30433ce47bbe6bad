// CTransformService: the transform library as the model sees it, "turn this record into a new
// record". A group hands it its own record with the parameter block below and builds the block
// that comes back (CGroupBlock::CreateTransformed). The library's wrapper in the media library
// (CTransformDll) implements it; the model reaches the program's one through CModelServices.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

// The parameter block of a transformation, passed to the library by pointer as it is: the source
// record's length, the source's box, the target rectangle and the block holding the record.
struct TransformParams {
  INT32 recordLength;
  CFRect sourceBox;
  CFRect targetRect;
  HGLOBAL sourceRecord;
};

class CTransformService {
public:
  virtual ~CTransformService() = default;

  // The transformed result as one block record in a new global block, the caller's to free; null
  // when nothing results or the library cannot be reached. The source record stays the caller's.
  virtual HGLOBAL DoTransform(HANDLE transform, const TransformParams& params) const = 0;
};
