// Arbitrary selections, including coordinates anywhere in the 32-bit range,
// through the selection test, the mask, the outline, the move commands and
// Copy/Trim: nothing may read or write outside its raster.
#include <cstdint>
#include <cstring>

#include "editor/model/Outline.h"
#include "editor/model/SelectionEdit.h"
#include "imaging/Errors.h"

using namespace lumarte::editor;

namespace {

class Reader {
 public:
  Reader(const uint8_t* d, size_t n) : Data(d), Size(n) {}
  uint8_t Byte() { return Pos < Size ? Data[Pos++] : 0; }
  int32_t Int() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
    // Small values most of the time, anything in the 32-bit range now and then.
    if (v >> 28 == 0xF) return static_cast<int32_t>(v << 4);
    return static_cast<int32_t>(v % 90) - 20;
  }
  bool More() const { return Pos < Size; }

 private:
  const uint8_t* Data;
  size_t Size, Pos = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Reader in(data, size);
  const int w = 1 + in.Byte() % 48, h = 1 + in.Byte() % 48;
  TBitmap image(w, h);
  for (int y = 0; y < h; ++y) std::memset(image.ScanLine(y), in.Byte(), size_t(w) * 3);
  TSelectionClass sel;
  const int32_t kinds[] = {0, 1, 2, 3, 4, 64, 67};
  sel.Kind = kinds[in.Byte() % 7];
  sel.ByColor = in.Byte() & 1;
  sel.X1 = in.Int(), sel.Y1 = in.Int(), sel.X2 = in.Int(), sel.Y2 = in.Int();
  for (int n = in.Byte() % 24; n > 0 && in.More(); --n) sel.Polygon.AddPoint(in.Int(), in.Int());
  if (in.Byte() & 1) sel.Polygon.InsertPoint(in.Int(), in.Int());
  sel.Polygon.FindNearPoint(in.Int(), in.Int(), 3);
  const TSelectByColor colour{in.Int(), in.Int(), in.Int(), in.Int()};

  TSelectionTest test(sel, image, colour);
  int selected = 0;
  for (int y = -2; y < h + 2; ++y)
    for (int x = -2; x < w + 2; ++x) selected += test.InSelection(x, y);
  SelectionBrightnessStats(image, test, 1, 2, 3);
  OutlinePoints(sel, {0.25 + in.Byte() / 16.0, in.Int(), in.Int(), 64, 64});
  try {
    SelectionBlock(sel, image);
  } catch (const lumarte::ELumarteError&) {
  }
  try {
    TrimmedRaster(image, test, clBlack);
  } catch (const lumarte::ELumarteError&) {
  }
  MoveSelectionTo(sel, static_cast<TMoveTarget>(in.Byte() % 3), {in.Int(), in.Int()}, w, h);
  TSelectionTest moved(sel, image, colour);
  selected += moved.InSelection(in.Int(), in.Int());
  SelectionCentre(sel, w, h);
  return selected < 0;
}
