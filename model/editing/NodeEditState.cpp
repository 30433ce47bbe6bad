#include "model/editing/NodeEditState.h"

void CNodeEditState::Reset() {
  dragState = kIdle;
  press = last = FPOINT{0.0f, 0.0f};
  clickCount = 0;
  SetToolPoints(press);
  pointsAtPress.clear();
}

void CNodeEditState::Press(float x, float y) { press = last = FPOINT{x, y}; }

FPOINT CNodeEditState::Follow(float x, float y) {
  FPOINT offset = {x - last.x, y - last.y};
  last = FPOINT{x, y};
  return offset;
}

CNodeEditState& GetNodeEditState() {
  static CNodeEditState state;
  return state;
}
