#include "output/StampParams.h"

#include "output/StampLayout.h"

CStampParams::Problem CStampParams::Check() const {
  if (!(width > 0.0f) || !(height > 0.0f)) return kEmptyFrame;
  const float spacings[] = {border, cornerSize, marginX, marginY, gapX, gapY};
  for (float value : spacings)
    if (!(value >= 0.0f)) return kNegative;
  CStampLayout layout(CFRect(0.0f, 0.0f, width, height), border, marginX, marginY, gapX, gapY);
  if (CStampLayout::Capacity(templateIndex) > 0 && !text.IsEmpty() && !layout.HasRoom())
    return kNoRoom;
  return kFine;
}
