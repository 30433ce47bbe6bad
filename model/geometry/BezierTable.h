// CBezierTable: the cubic Bernstein weights of a piece sampled in n steps, shared by curve lengths,
// hit tests and bounds so that they need no powers. Entry i holds the weights of t = (i + 1) / n
// for i = 0 .. n; the last entry lies past t = 1.
#pragma once

#include <windows.h>

class CBezierTable {
public:
  static const int kMaxSteps = 100;

  CBezierTable();

  // Clamps n to 1 .. 100 and fills entries 0 .. n.
  void SetSteps(int n);
  int GetSteps() const { return m_steps; }
  // The four weights of entry i (0 .. steps).
  const float* Weights(int i) const { return m_weights[i]; }

private:
  float m_weights[kMaxSteps + 1][4];
  WORD m_steps;
};

// The program's one table, filled for 100 steps until someone sets another count.
CBezierTable& GetBezierTable();
