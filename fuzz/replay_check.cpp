// Faults on inputs that begin with "trap": the replay of saved inputs must
// report such a fault and the file that caused it.
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size >= 4 && std::memcmp(data, "trap", 4) == 0) __builtin_trap();
  return 0;
}
