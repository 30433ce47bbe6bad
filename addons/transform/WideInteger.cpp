#include "addons/transform/WideInteger.h"

namespace {

// The 128-bit product of a and b as its high and low halves.
void Multiply(std::uint64_t a, std::uint64_t b, std::uint64_t* high, std::uint64_t* low) {
#if defined(__SIZEOF_INT128__)
  const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
  *low = static_cast<std::uint64_t>(product);
  *high = static_cast<std::uint64_t>(product >> 64);
#else
  const std::uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32, b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
  const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const std::uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
  *low = (middle << 32) | (p00 & 0xFFFFFFFFu);
  *high = p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
#endif
}

}  // namespace

CWideInteger::CWideInteger(std::int64_t value) {
  m_limbs[0] = static_cast<std::uint64_t>(value);
  const std::uint64_t fill = value < 0 ? ~std::uint64_t(0) : 0;
  for (int i = 1; i < kLimbs; ++i) m_limbs[i] = fill;
}

CWideInteger CWideInteger::operator+(const CWideInteger& other) const {
  CWideInteger sum;
  std::uint64_t carry = 0;
  for (int i = 0; i < kLimbs; ++i) {
    const std::uint64_t partial = m_limbs[i] + carry;
    const std::uint64_t limb = partial + other.m_limbs[i];
    carry = (partial < carry) + (limb < partial);
    sum.m_limbs[i] = limb;
  }
  return sum;
}

CWideInteger CWideInteger::operator-() const {
  CWideInteger negated;
  std::uint64_t carry = 1;
  for (int i = 0; i < kLimbs; ++i) {
    const std::uint64_t limb = ~m_limbs[i] + carry;
    carry = carry && limb == 0;
    negated.m_limbs[i] = limb;
  }
  return negated;
}

CWideInteger CWideInteger::operator-(const CWideInteger& other) const { return *this + -other; }

CWideInteger CWideInteger::operator*(std::int64_t factor) const {
  // Magnitudes multiplied limb by limb, the sign put back afterwards.
  const bool negative = IsNegative() != (factor < 0);
  const CWideInteger magnitude = IsNegative() ? -*this : *this;
  const std::uint64_t f = factor < 0 ? 0 - static_cast<std::uint64_t>(factor)
                                     : static_cast<std::uint64_t>(factor);
  CWideInteger product;
  std::uint64_t carry = 0;
  for (int i = 0; i < kLimbs; ++i) {
    std::uint64_t high, low;
    Multiply(magnitude.m_limbs[i], f, &high, &low);
    low += carry;
    high += low < carry;
    product.m_limbs[i] = low;
    carry = high;
  }
  return negative ? -product : product;
}

int CWideInteger::Sign() const {
  if (IsNegative()) return -1;
  for (int i = 0; i < kLimbs; ++i)
    if (m_limbs[i]) return 1;
  return 0;
}
