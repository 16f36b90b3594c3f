#pragma once
// Remembers the results of a costly per-colour computation. Photos repeat
// their colours a great deal, so effects whose new pixel depends only on
// the old one look each colour up before computing it. Exact: a slot holds
// the whole colour it was computed for.
#include <cstdint>
#include <memory>

namespace lumarte::effects {

class ColourMemo {
 public:
  ColourMemo() : Slots(std::make_unique<uint64_t[]>(kSlots)) {}

  // The result for the colour b, g, r (packed 0x00RRGGBB), computing it with
  // compute(colour) -> packed result on a miss.
  template <class F>
  uint32_t Get(uint32_t colour, F&& compute) {
    uint64_t& slot = Slots[(colour * 2654435761u) >> (32 - kBits)];
    // Bit 32 marks a filled slot; the colour sits above it.
    if ((slot >> 32) == (uint64_t{colour} << 1 | 1)) return static_cast<uint32_t>(slot);
    uint32_t result = compute(colour);
    slot = (uint64_t{colour} << 1 | 1) << 32 | result;
    return result;
  }

 private:
  static constexpr int kBits = 18;
  static constexpr size_t kSlots = size_t{1} << kBits;
  std::unique_ptr<uint64_t[]> Slots;
};

}  // namespace lumarte::effects
