// The command line's text forms of light sources and barriers: any text is
// an item within its fields' limits or a clear error, nothing else.
#include <cstdint>
#include <string>

#include "effects/model/Lighting.h"
#include "imaging/Errors.h"

using namespace lumarte::effects;

namespace {

bool Within(double v, double lo, double hi) {
  return v >= lo && v <= hi;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const TLight l = ParseLight(text);
    if (!Within(l.Style, 0, 3) || !Within(l.Function, -1, 5) || !Within(l.Factor, 0.001, 9.999) ||
        !Within(l.Red, 0, 100) || !Within(l.Width, 0, kLightWidthMax))
      __builtin_trap();
  } catch (const lumarte::ELumarteError&) {
  }
  try {
    const TBarrier b = ParseBarrier(text);
    if (!Within(b.X1, -kLightCoordinateLimit, kLightCoordinateLimit) || !Within(b.Blue, 0, 100))
      __builtin_trap();
  } catch (const lumarte::ELumarteError&) {
  }
  return 0;
}
