#pragma once
// The program's one pseudo-random generator: a 32-bit linear congruential
// generator, so that effects give the same pixels for the same seed.
#include <cstdint>

namespace lumarte {

class TRandomGenerator {
 public:
  uint32_t State = 0;

  void Seed(uint32_t seed) { State = seed; }
  uint32_t Next() { return State = State * 134775813u + 1u; }
  // Moves on by n draws at once (as n calls of Next would).
  void Skip(uint64_t n);
  // A random integer below n: the high 32 bits of n times the new state.
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>((uint64_t{n} * Next()) >> 32); }
  // A random real in [0, 1).
  double Real() { return Next() / 4294967296.0; }
  // Normally distributed, from two uniform draws (Box-Muller).
  double Gauss(double mean, double sd);
};

// The program-wide instance.
TRandomGenerator& Rng();

}  // namespace lumarte
