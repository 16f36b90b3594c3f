#pragma once
// What effect tests start from: a row of the effect table run on a picture
// as the command line runs it, and random and flat pictures.
#include <map>
#include <random>
#include <stdexcept>
#include <string>

#include "effects/model/EffectTable.h"
#include "support/Selections.h"

namespace lumarte::fixtures {

// An effect's input: src with the selection sel, progress unseen. Input
// points into the scene, so a scene stays where it was made.
struct EffectScene {
  editor::TSelectionClass Sel;
  const editor::TSelectionTest Test;
  NullProgress Progress;
  const effects::EffectInput Input;
  explicit EffectScene(const editor::TBitmap& src, editor::TSelectionClass sel = {})
      : Sel(std::move(sel)), Test(Sel, src, {}), Input{src, Test, Progress} {}
  EffectScene(const EffectScene&) = delete;
};

// The named row on src, nothing selected unless sel says otherwise.
inline editor::TBitmap RunEffect(const std::string& name, const editor::TBitmap& src,
                                 std::map<std::string, double> values = {},
                                 editor::TSelectionClass sel = {}, uint32_t seed = 1) {
  const effects::EffectRow* row = effects::FindEffect(name);
  if (!row) throw std::runtime_error("no effect " + name);
  const EffectScene scene(src, std::move(sel));
  return row->Run(scene.Input, effects::ParamValues(std::move(values)), seed);
}

inline editor::TBitmap RandomImage(int w, int h, unsigned seed) {
  std::mt19937 gen(seed);
  editor::TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int i = 0; i < 3 * w; ++i) b.ScanLine(y)[i] = static_cast<uint8_t>(gen());
  return b;
}

inline editor::TBitmap Filled(int w, int h, editor::TColor c) {
  editor::TBitmap b(w, h);
  b.BrushColor = c;
  b.FillRect(0, 0, w, h);
  return b;
}

}  // namespace lumarte::fixtures
