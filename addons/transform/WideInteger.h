// CWideInteger: a signed integer of 256 bits (two's complement, four 64-bit limbs), for the few
// exact comparisons of the winding sweep that 64 bits cannot hold: crossing points of grid edges
// are fractions whose cross products reach about 2^150. Only what those comparisons need is here:
// sums, differences, products with a 64-bit factor and the sign. Results beyond 255 bits wrap;
// callers keep well inside. The 128-bit products use the compiler's 128-bit integers where the
// target has them and 32-bit halves elsewhere (the 32-bit Windows build).
#pragma once

#include <cstdint>

class CWideInteger {
public:
  CWideInteger(std::int64_t value = 0);

  CWideInteger operator+(const CWideInteger& other) const;
  CWideInteger operator-(const CWideInteger& other) const;
  CWideInteger operator-() const;
  CWideInteger operator*(std::int64_t factor) const;
  // -1, 0 or 1.
  int Sign() const;
  bool IsNegative() const { return (m_limbs[kLimbs - 1] >> 63) != 0; }

private:
  static const int kLimbs = 4;
  std::uint64_t m_limbs[kLimbs];  // least significant first
};

// The sign of a - b.
inline int Compare(const CWideInteger& a, const CWideInteger& b) { return (a - b).Sign(); }
