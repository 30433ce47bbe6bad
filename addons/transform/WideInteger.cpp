#include "addons/transform/WideInteger.h"

CWideInteger::CWideInteger(std::int64_t value) {
  std::uint64_t bits = static_cast<std::uint64_t>(value);
  m_limbs[0] = static_cast<std::uint32_t>(bits);
  m_limbs[1] = static_cast<std::uint32_t>(bits >> 32);
  const std::uint32_t fill = value < 0 ? 0xFFFFFFFFu : 0;
  for (int i = 2; i < kLimbs; ++i) m_limbs[i] = fill;
}

CWideInteger CWideInteger::operator+(const CWideInteger& other) const {
  CWideInteger sum;
  std::uint64_t carry = 0;
  for (int i = 0; i < kLimbs; ++i) {
    carry += std::uint64_t(m_limbs[i]) + other.m_limbs[i];
    sum.m_limbs[i] = static_cast<std::uint32_t>(carry);
    carry >>= 32;
  }
  return sum;
}

CWideInteger CWideInteger::operator-() const {
  CWideInteger negated;
  std::uint64_t carry = 1;
  for (int i = 0; i < kLimbs; ++i) {
    carry += std::uint32_t(~m_limbs[i]);
    negated.m_limbs[i] = static_cast<std::uint32_t>(carry);
    carry >>= 32;
  }
  return negated;
}

CWideInteger CWideInteger::operator-(const CWideInteger& other) const { return *this + -other; }

CWideInteger CWideInteger::operator*(std::int64_t factor) const {
  // Magnitudes multiplied limb by limb, the sign put back afterwards.
  const bool negative = IsNegative() != (factor < 0);
  const CWideInteger magnitude = IsNegative() ? -*this : *this;
  std::uint64_t f = factor < 0 ? 0 - static_cast<std::uint64_t>(factor)
                               : static_cast<std::uint64_t>(factor);
  const std::uint32_t low = static_cast<std::uint32_t>(f), high = static_cast<std::uint32_t>(f >> 32);
  CWideInteger product(0);
  std::uint64_t carry = 0;
  for (int i = 0; i < kLimbs; ++i) {
    // Column i gathers limb i times the low half and limb i-1 times the high half.
    std::uint64_t a = std::uint64_t(magnitude.m_limbs[i]) * low;
    std::uint64_t b = i > 0 ? std::uint64_t(magnitude.m_limbs[i - 1]) * high : 0;
    std::uint64_t column = (a & 0xFFFFFFFFu) + (b & 0xFFFFFFFFu) + (carry & 0xFFFFFFFFu);
    product.m_limbs[i] = static_cast<std::uint32_t>(column);
    carry = (column >> 32) + (a >> 32) + (b >> 32) + (carry >> 32);
  }
  return negative ? -product : product;
}

int CWideInteger::Sign() const {
  if (IsNegative()) return -1;
  for (int i = 0; i < kLimbs; ++i)
    if (m_limbs[i]) return 1;
  return 0;
}
