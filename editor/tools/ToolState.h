// CToolState: the rubber-band state of the creation tools, one for the whole program and shared by
// every drawing view (g_ToolState). All points are page units. The state code is the feedback
// being shown: its low four bits choose the pen (0 pen A, 1 the stock black pen, 2 pen B, 3 pen C),
// the rest the shape; 0 means no feedback. Since the feedback is drawn in XOR, "shown" records
// whether it is on the screen now, so that erasing never draws a figure that is not there.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

class CBlock;

class CToolState {
public:
  // Feedback codes the tools use.
  enum : WORD {
    kNone = 0,
    kLine = 17,
    kMeasureLine = 18,
    kBox = 33,
    kOutputArea = 34,
    kEllipse = 49,
    kFeedbackBlock = 177,
  };
  enum MultiClick : int { kNoBuild = 0, kBuilding = 1, kReplacing = 2 };

  void Reset();
  // The start and end points as the corners of a rectangle, not normalised.
  CFRect Band() const { return CFRect(start.x, start.y, end.x, end.y); }

  WORD state = kNone;
  FPOINT start = {0.0f, 0.0f};
  FPOINT end = {0.0f, 0.0f};
  FPOINT previous = {0.0f, 0.0f};
  FPOINT handles[4] = {};
  int multiClick = kNoBuild;
  // The block following the pointer while a merged file is placed; not owned.
  CBlock* dragBlock = nullptr;
  bool shown = false;
};

extern CToolState g_ToolState;
