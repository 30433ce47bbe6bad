// CWideInteger: a signed integer of 256 bits (two's complement, eight 32-bit limbs), for the few
// exact comparisons of the winding sweep that 64 bits cannot hold: crossing points of grid edges
// are fractions whose cross products reach about 2^150. Only what those comparisons need is here:
// sums, differences, products with a 64-bit factor and the sign. Results beyond 255 bits wrap;
// callers keep well inside. It builds alike for 32 and 64-bit targets (no compiler extensions).
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
  bool IsNegative() const { return (m_limbs[kLimbs - 1] & 0x80000000u) != 0; }

private:
  static const int kLimbs = 8;
  std::uint32_t m_limbs[kLimbs];
};

// The sign of a - b.
inline int Compare(const CWideInteger& a, const CWideInteger& b) { return (a - b).Sign(); }
