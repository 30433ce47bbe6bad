#include "usbplugin/DeviceScale.h"

namespace {

INT32 Clamp(INT64 value) {
  if (value > CDeviceScale::kLimit) return CDeviceScale::kLimit;
  if (value < -CDeviceScale::kLimit) return -CDeviceScale::kLimit;
  return static_cast<INT32>(value);
}

}  // namespace

INT32 CDeviceScale::Apply(INT32 value, INT32 first, INT32 second) {
  INT64 product;
  if (!__builtin_mul_overflow(static_cast<INT64>(value), static_cast<INT64>(first), &product) &&
      !__builtin_mul_overflow(product, static_cast<INT64>(second), &product))
    return Clamp(product / 100000 / 100000);
  // Past 64 bits the point lies far beyond the limit anyway: only its side matters.
  bool negative = ((value < 0) != (first < 0)) != (second < 0);
  return negative ? -kLimit : kLimit;
}
