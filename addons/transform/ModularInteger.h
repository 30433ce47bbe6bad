// CModularInteger: a signed integer modulo 2^128 (two's complement in two 64-bit halves), for the
// exact tests of the winding sweep and its rings whose answers are small numbers, although they
// come as sums and differences of far larger products: two crossing points' coordinates
// cross-multiplied by their denominators (products up to 2^148, their difference below 2^104
// where the doubles cannot tell the points apart), a crossing point's side of an edge (below
// 2^120), twice a loop's area from its grid corners (below 2^60). Taken modulo 2^128, such a
// result is exact as long as it lies within +-2^127. Only what those tests need is here: sums,
// differences, products with a 64-bit factor and the sign of the result read as a signed number.
#pragma once

#include <cstdint>

class CModularInteger {
public:
  CModularInteger(std::int64_t value = 0);

  CModularInteger operator+(const CModularInteger& other) const;
  CModularInteger operator-(const CModularInteger& other) const;
  CModularInteger operator*(std::int64_t factor) const;
  // -1, 0 or 1, for the value read as a signed 128-bit number.
  int Sign() const;

private:
  CModularInteger(std::uint64_t high, std::uint64_t low) : m_high(high), m_low(low) {}
  // The full 128-bit product of a and b as its high and low halves: the compiler's 128-bit
  // integers where the target has them, 32-bit halves elsewhere (the 32-bit Windows build).
  static void Multiply(std::uint64_t a, std::uint64_t b, std::uint64_t* high, std::uint64_t* low);

  std::uint64_t m_high, m_low;
};
