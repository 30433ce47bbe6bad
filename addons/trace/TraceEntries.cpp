// The one entry of the tracing and vectorising libraries (TalvexTrace.dll, TalvexVector.dll):
// the outlines of a byte plane, traced with the parameters of the block.
#include <windows.h>

#include "addons/trace/OutlineTracer.h"
#include "addons/trace/TraceRecord.h"
#include "addons/trace/TraceSettings.h"
#include "media/ImageVectorParams.h"

namespace {

// The parameters the tracer uses; the rest of the block (its filter variants, alignment,
// subdivision search and knee keeping) has no counterpart in it.
TraceSettings SettingsOf(const ImageVectorParams& params) {
  TraceSettings settings;
  settings.cornerSurround = params.CornerSurround;
  settings.cornerThreshold = params.CornerThreshold;
  settings.cornerAlwaysThreshold = params.CornerAlwaysThreshold;
  settings.filterIterations = params.FilterIterationCount;
  settings.filterPercent = params.FilterPercent;
  settings.filterSurround = params.FilterSurround;
  settings.errorThreshold = params.ErrorThreshold;
  settings.lineThreshold = params.LineThreshold;
  settings.lineReversionThreshold = params.LineReversionThreshold;
  settings.reparameterizeThreshold = params.ReparameterizeThreshold;
  settings.reparameterizeImprovement = params.ReparameterizeImprovement;
  settings.tangentSurround = params.TangentSurround;
  settings.subdivideSurround = params.SubdivideSurround;
  return settings;
}

}  // namespace

// Null for a missing block or plane, a plane under 3 x 3 pixels, or nothing traced.
extern "C" HGLOBAL __cdecl ImageVector(const ImageVectorParams* params) {
  if (!params || !params->plane || params->width < 3 || params->height < 3) return nullptr;
  try {
    COutlineTracer tracer(SettingsOf(*params));
    return CTraceRecord::Write(tracer.Trace(params->plane, params->width, params->height, true));
  } catch (...) {
    // Memory running out on a large picture: nothing traced, nothing held, and no exception
    // crosses into the caller.
    return nullptr;
  }
}
