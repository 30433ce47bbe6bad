// CCutJobHost: what the cut option pages ask of the cut-output window when an option moves or
// changes the job: the window owns the preview and repaints it. The pages change the cut settings
// themselves and call the host afterwards.
#pragma once

#include "output/CutPreview.h"

class CCutJobHost {
public:
  virtual ~CCutJobHost() = default;
  // The colour or the text line changed what belongs to the job: build it again.
  virtual void RebuildJob() = 0;
  virtual void SetSavePaper(bool on) = 0;
  virtual void MirrorJob() = 0;
  virtual void RotateJob() = 0;
  // False, changing nothing, for a zoom the preview refuses.
  virtual bool ScaleJob(float zoom) = 0;
  virtual void StepMedia(CCutPreview::Step step) = 0;
};
