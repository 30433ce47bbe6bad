#include "model/geometry/BezierTable.h"

#include <cstring>

CBezierTable::CBezierTable() : m_steps(0) {
  memset(m_weights, 0, sizeof m_weights);
  SetSteps(kMaxSteps);
}

void CBezierTable::SetSteps(int n) {
  if (n <= 0) n = 1;
  if (n > kMaxSteps) n = kMaxSteps;
  for (int i = 0; i <= n; ++i) {
    // Computed afresh rather than summed, so that entry n - 1 is exactly t = 1.
    float t = static_cast<float>(i + 1) / static_cast<float>(n);
    float u = 1.0f - t;
    m_weights[i][0] = u * u * u;
    m_weights[i][1] = 3.0f * t * u * u;
    m_weights[i][2] = 3.0f * t * t * u;
    m_weights[i][3] = t * t * t;
  }
  m_steps = static_cast<WORD>(n);
}

CBezierTable& GetBezierTable() {
  static CBezierTable table;
  return table;
}
