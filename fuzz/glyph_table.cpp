// Feeds arbitrary text to the bitmap-font table reader, then draws every
// code with the table over a small strip: the tables are files beside the
// program that anyone can edit.
#include <cstdint>
#include <string>

#include "effects/model/BitmapFont.h"
#include "imaging/Errors.h"

using namespace lumarte::effects;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  lumarte::editor::TBitmap strip(64, 5);
  for (int x = 0; x < 64; x += 3) strip.SetPixel(x, x % 5, lumarte::editor::clBlack);
  TBitmapFont font;
  try {
    font = MakeBitmapFont(strip, text);
  } catch (const lumarte::ELumarteError&) {
    return 0;
  }
  std::string all;
  for (int c = 1; c < 128; ++c) all += static_cast<char>(c);
  lumarte::editor::TBitmap target(40, 12);
  TBitmapTextRenderer renderer(font, 7, 96, true);
  if (renderer.Width(all) < 0) __builtin_trap();
  renderer.Draw(target, -3, 2, all, lumarte::editor::clWhite);
  return 0;
}
