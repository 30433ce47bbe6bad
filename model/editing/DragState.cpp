#include "model/editing/DragState.h"

#include <cmath>

void CDragState::Reset() {
  press = current = FPOINT{0.0f, 0.0f};
  moved = 0;
  rubberBandKind = kNone;
  for (FPOINT& point : bezier) point = FPOINT{0.0f, 0.0f};
  bezierIndex = 0;
}

void CDragState::Press(float x, float y) {
  press = current = FPOINT{x, y};
  moved = 0;
}

void CDragState::SetCurrent(float x, float y) { current = FPOINT{x, y}; }

bool CDragState::LeavesDeadZone(float x, float y, double tolerance) const {
  return std::fabs(press.x - x) > tolerance || std::fabs(press.y - y) > tolerance;
}

CDragState& GetDragState() {
  static CDragState state;
  return state;
}
