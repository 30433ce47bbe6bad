#include "addons/transform/ModularInteger.h"

CModularInteger::CModularInteger(std::int64_t value)
    : m_high(value < 0 ? ~std::uint64_t(0) : 0), m_low(static_cast<std::uint64_t>(value)) {}

void CModularInteger::Multiply(std::uint64_t a, std::uint64_t b, std::uint64_t* high,
                               std::uint64_t* low) {
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

CModularInteger CModularInteger::operator+(const CModularInteger& other) const {
  const std::uint64_t low = m_low + other.m_low;
  return CModularInteger(m_high + other.m_high + (low < m_low), low);
}

CModularInteger CModularInteger::operator-(const CModularInteger& other) const {
  return CModularInteger(m_high - other.m_high - (m_low < other.m_low), m_low - other.m_low);
}

CModularInteger CModularInteger::operator*(std::int64_t factor) const {
  // Modulo 2^128 a signed factor is its two's complement, all ones above when negative: that
  // high half takes the low half once away from the result's high half.
  const std::uint64_t f = static_cast<std::uint64_t>(factor);
  std::uint64_t high, low;
  Multiply(m_low, f, &high, &low);
  high += m_high * f;
  if (factor < 0) high -= m_low;
  return CModularInteger(high, low);
}

int CModularInteger::Sign() const {
  if (m_high >> 63) return -1;
  return (m_high | m_low) != 0;
}
