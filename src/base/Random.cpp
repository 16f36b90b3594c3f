#include "base/Random.h"

#include <cmath>
#include <numbers>

namespace lumarte {

double TRandomGenerator::Gauss(double mean, double sd) {
  double u1 = Real(), u2 = Real();
  if (u1 <= 0.0) u1 = 1.0 / 4294967296.0;  // log(0) would be infinite
  return mean + sd * std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

void TRandomGenerator::Skip(uint64_t n) {
  // The step x -> a·x + c composed with itself by squaring.
  uint32_t a = 134775813u, c = 1u, mulAll = 1u, addAll = 0u;
  for (; n; n >>= 1) {
    if (n & 1) {
      mulAll *= a;
      addAll = addAll * a + c;
    }
    c *= a + 1;
    a *= a;
  }
  State = State * mulAll + addAll;
}

TRandomGenerator& Rng() {
  static TRandomGenerator generator;
  return generator;
}

}  // namespace lumarte
