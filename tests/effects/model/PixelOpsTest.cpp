// The direct commands of the Image and Effects menus: their arithmetic on
// hand-computed pixels, the selection rules, and their behaviour as one undo
// step on a document.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <set>

#include "base/Random.h"
#include "editor/model/DocumentList.h"
#include "effects/model/DirectEffect.h"
#include "effects/model/EffectTable.h"
#include "effects/model/PixelOps.h"
#include "support/DistinctPattern.h"
#include "support/EffectRun.h"
#include "support/QuietDocumentHost.h"

using namespace lumarte::editor;
using namespace lumarte::fixtures;
using namespace lumarte;
using namespace lumarte::effects;

namespace {

TColor BGR(uint8_t b, uint8_t g, uint8_t r) {
  return RGBColor(r, g, b);
}

// One image with a selection, run through a command of the table.
struct Scene {
  TBitmap Image;
  TSelectionClass Sel;
  TColorSet Colours;
  TPoint LastPressed{-1, -1};
  NullProgress Progress;

  explicit Scene(TBitmap image) : Image(std::move(image)) {}
  TBitmap Run(const std::string& name, uint32_t seed = 1, ParamValues values = {}) {
    const TSelectionTest test(Sel, Image, TSelectByColor{});
    EffectInput in{Image, test, Progress, Colours, &Sel, LastPressed};
    const EffectRow* row = FindEffect(name);
    EXPECT_NE(row, nullptr) << name;
    return row ? row->Run(in, values, seed) : TBitmap{};
  }
  bool Selected(int x, int y) {
    return TSelectionTest(Sel, Image, TSelectByColor{}).InSelection(x, y);
  }
};

// ---- per-pixel colour maps ----

struct ColourCase {
  const char* Command;
  TColor Before, After;  // as (B, G, R) through BGR()
};

class ColourMapTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourMapTest, HandComputedPixel) {
  Scene s(TBitmap(3, 1));
  s.Colours.BG = TColorEntry::FromRGB(10, 20, 30);
  s.Colours.FG = TColorEntry::FromRGB(200, 100, 50);
  s.Colours.TCI = TColorEntry::FromRGB(100, 100, 100);
  s.Colours.TCIWidth = 5;
  s.Image.SetPixel(0, 0, GetParam().Before);
  s.Sel = RectSelection(0, 0, 1, 0);  // pixel (2, 0) is outside
  TBitmap out = s.Run(GetParam().Command);
  EXPECT_EQ(out.Pixel(0, 0), GetParam().After);
  EXPECT_EQ(out.Pixel(2, 0), clWhite);
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, ColourMapTest,
    ::testing::Values(
        // 2*100 = 50 + 150: the gray tint, though the pixel is not gray.
        ColourCase{"colorize", BGR(100, 50, 150), BGR(114, 116, 117)},
        // a = 40; (20-40)*5 div 3 = -33 (toward zero), (10-40)*5 div 3 + 40 < 0.
        ColourCase{"colorize", BGR(10, 20, 90), BGR(0, 7, 123)},
        ColourCase{"colorize", BGR(128, 128, 128), BGR(147, 150, 151)},
        ColourCase{"colorize", BGR(250, 250, 250), BGR(255, 255, 255)},
        ColourCase{"colorize", BGR(0, 0, 0), BGR(0, 0, 0)},
        // In the interval: 3² + 4² = 25 = 5²; outside: 3² + 5² > 25.
        ColourCase{"pixels-with-color-in-tci-bgcolor", BGR(103, 104, 100), BGR(30, 20, 10)},
        ColourCase{"pixels-with-color-in-tci-bgcolor", BGR(103, 105, 100), BGR(103, 105, 100)},
        ColourCase{"pixels-with-color-in-tci-transparent-color", BGR(97, 100, 104),
                   BGR(100, 100, 100)},
        // Switch Colors' first preset: every channel the rounded brightness.
        ColourCase{"grayscale", BGR(10, 20, 31), BGR(20, 20, 20)}));

// On a document a command is one undo step; one that cannot run (a turn of a
// single column, the border of a polygon without vertices or of a circle not
// yet drawn) changes nothing and makes no undo level.
TEST(PixelOps, DirectCommandsMakeOneUndoStepOrNone) {
  const std::tuple<const char*, int, int32_t> refused[] = {
      {"rotate-all-90-left", 1, SelKind::Rectangle},
      {"paint-border-of-selection-w-fg-color", 5, SelKind::Freehand},
      {"paint-border-of-selection-w-fg-color", 5, SelKind::Polygon},
      {"paint-border-of-selection-w-fg-color", 5, SelKind::Circle}};
  for (auto [command, width, kind] : refused) {
    QuietHost host;
    DocumentList docs(host);
    docs.NewImage(width, 4);
    docs.Current().Selection->Kind = kind;
    EXPECT_FALSE(ApplyEffectNow(docs, *FindEffect(command))) << command << " " << kind;
    EXPECT_EQ(*docs.Current().Bitmap, TBitmap(width, 4));
    EXPECT_EQ(docs.Current().UndoDepth(), 0);
  }
  QuietHost host;
  DocumentList docs(host);
  docs.NewImage(6, 4);
  *docs.Current().Bitmap = DistinctPattern(6, 4);
  for (int depth = 1; depth <= 2; ++depth) {
    ASSERT_TRUE(ApplyEffectNow(docs, *FindEffect("negative-image")));
    EXPECT_EQ(docs.Current().UndoDepth(), depth);
  }
  EXPECT_EQ(*docs.Current().Bitmap, DistinctPattern(6, 4));
}

// ---- geometric remaps ----

struct MirrorCase {
  const char* Command;
  TSelectionClass Selection;
  TPoint (*Source)(int x, int y);  // the pixel a selected pixel takes
};

void PrintTo(const MirrorCase& c, std::ostream* os) {
  *os << c.Command << " of kind " << c.Selection.Kind;
}

class Mirror : public ::testing::TestWithParam<MirrorCase> {};

// The diagonals of the selection's bounds; a source outside the selection
// gives the background.
TEST_P(Mirror, SelectedPixelsTakeTheirMirrorImage) {
  Scene s(DistinctPattern(12, 12));
  s.Sel = GetParam().Selection;
  s.Colours.BG = TColorEntry::FromRGB(9, 8, 7);
  const TBitmap out = s.Run(GetParam().Command);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const TPoint m = GetParam().Source(x, y);
      const TColor want = !s.Selected(x, y)      ? s.Image.Pixel(x, y)
                          : s.Selected(m.X, m.Y) ? s.Image.Pixel(m.X, m.Y)
                                                 : RGBColor(9, 8, 7);
      EXPECT_EQ(out.Pixel(x, y), want) << x << "," << y;
    }
}

// On the square (0,0)-(4,4) the diagonals are the lines x + y = 4 (up) and x = y (down).
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Remaps, Mirror,
    ::testing::Values(
        MirrorCase{"flip-diagonal-up", RectSelection(0, 0, 4, 4),
                   [](int x, int y) { return TPoint{4 - y, 4 - x}; }},
        MirrorCase{"flip-diagonal-down", RectSelection(0, 0, 4, 4),
                   [](int x, int y) { return TPoint{y, x}; }},
        // One row: each pixel is its own mirror.
        MirrorCase{"flip-diagonal-down", RectSelection(0, 2, 6, 2),
                   [](int x, int y) { return TPoint{x, y}; }}));
// clang-format on

TEST(PixelOps, DiagonalFlipOfAOneColumnSelectionDoesNothing) {
  Scene s(DistinctPattern(7, 7));
  s.Sel = RectSelection(3, 0, 3, 6);
  EXPECT_TRUE(s.Run("flip-diagonal-up").Empty());
}

struct WashCase {
  int X, Y, SourceX, SourceY;
};
class WashingMachineTest : public ::testing::TestWithParam<WashCase> {};

// 10 x 10, nothing selected: centre (4, 4), w = h = 9.
TEST_P(WashingMachineTest, HandComputedSource) {
  Scene s(DistinctPattern(10, 10));
  TBitmap out = s.Run("washing-machine");
  const WashCase& c = GetParam();
  EXPECT_EQ(out.Pixel(c.X, c.Y), s.Image.Pixel(c.SourceX, c.SourceY));
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, WashingMachineTest,
    ::testing::Values(WashCase{4, 4, 4, 4},
                      // d = 3: 2.1213·sin(2π·3·7/81) + 4 = 6.118; 2.1213·cos(2π·3·4/81) + 4 = 5.267
                      WashCase{7, 4, 6, 5}, WashCase{2, 8, 6, 1},  // d = √20: x 6.022, y 1.048
                      // x' = round(-0.875) = -1 is held at SelLeft 0
                      WashCase{9, 9, 0, 5},
                      // y' = 7.9999999 rounds to 8 = SelBottom - 1
                      WashCase{0, 0, 4, 8}));

// ---- textures ----

// Blocks of 9 pixels on 1200 × 900, of 5 on small or narrow images.
TEST(PixelOps, MosaicTakesEachBlocksTopLeftPixel) {
  EXPECT_EQ(MosaicBlockSize(3, 2000), 5);
  Scene big(DistinctPattern(1200, 900));
  TBitmap out = big.Run("mosaic");
  EXPECT_EQ(out.Pixel(8, 8), big.Image.Pixel(0, 0));
  EXPECT_EQ(out.Pixel(9, 17), big.Image.Pixel(9, 9));
  EXPECT_EQ(out.Pixel(1199, 899), big.Image.Pixel(1197, 891)) << "the last, smaller block";

  Scene s(DistinctPattern(12, 7));
  s.Sel = RectSelection(3, 3, 11, 6);
  TBitmap small = s.Run("mosaic");
  EXPECT_EQ(small.Pixel(7, 6), s.Image.Pixel(5, 5));
  EXPECT_EQ(small.Pixel(4, 4), s.Image.Pixel(0, 0)) << "the corner lies outside the selection";
  EXPECT_EQ(small.Pixel(2, 2), s.Image.Pixel(2, 2));
}

// Painting walks n points per pixel with two draws each and only spreads
// colours that the image has.
TEST(PixelOps, PaintingDrawsTwicePerWalkPoint) {
  Scene s(DistinctPattern(9, 7));  // n = 3: bands of rows 0..2, 3..5, 6
  TBitmap out = s.Run("painting-water-color", 1234);
  TRandomGenerator expected;
  expected.Seed(1234);
  for (int i = 0; i < 2 * 3 * 9 * 7; ++i) expected.Next();
  EXPECT_EQ(Rng().State, expected.State);
  EXPECT_EQ(s.Run("painting-water-color", 1234), out) << "the seed decides";
  std::set<TColor> colours;
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) colours.insert(s.Image.Pixel(x, y));
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) EXPECT_TRUE(colours.count(out.Pixel(x, y))) << x << "," << y;
  EXPECT_NE(out, s.Image);
}

TEST(PixelOps, RandomPermutationTakesTheFirstSelectedDraw) {
  Scene s(DistinctPattern(40, 40));
  s.Sel = RectSelection(0, 0, 29, 29);  // r = round(√58) = 8: offsets -4..3
  TBitmap out = s.Run("random-permutation", 99);
  TRandomGenerator rng;
  rng.Seed(99);
  // Pixel (0, 0) comes first: draws with a negative coordinate miss.
  for (int attempt = 0; attempt < 11; ++attempt) {
    int x = static_cast<int>(rng.Below(8)) - 4, y = static_cast<int>(rng.Below(8)) - 4;
    if (x >= 0 && y >= 0) {
      EXPECT_EQ(out.Pixel(0, 0), s.Image.Pixel(x, y));
      break;
    }
  }
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      TColor p = out.Pixel(x, y);
      if (x > 29 || y > 29) {
        EXPECT_EQ(p, s.Image.Pixel(x, y));
        continue;
      }
      // Red 7x + y and green 3y + x name the source: it lies within -4..3.
      bool near = false;
      for (int dy = -4; dy <= 3 && !near; ++dy)
        for (int dx = -4; dx <= 3 && !near; ++dx)
          near = x + dx >= 0 && y + dy >= 0 && p == s.Image.Pixel(x + dx, y + dy);
      EXPECT_TRUE(near) << x << "," << y;
    }
}

// ---- drawing ----

TEST(PixelOps, PaintBorderOfARectangleAndAPoint) {
  Scene s(TBitmap(8, 8));
  s.Colours.FG = TColorEntry::FromRGB(255, 0, 0);
  s.Sel = RectSelection(5, 4, 2, 2);
  TBitmap out = s.Run("paint-border-of-selection-w-fg-color");
  int painted = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      bool edge = (x >= 2 && x <= 5 && (y == 2 || y == 4)) || ((x == 2 || x == 5) && y == 3);
      EXPECT_EQ(out.Pixel(x, y), edge ? RGBColor(255, 0, 0) : clWhite) << x << "," << y;
      painted += edge;
    }
  EXPECT_EQ(painted, 10);

  s.Sel.Kind = SelKind::Point;
  s.Sel.X2 = 6, s.Sel.Y2 = 1;
  out = s.Run("paint-border-of-selection-w-fg-color");
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(out.Pixel(x, y) != clWhite, x >= 6 && x <= 7 && y >= 1 && y <= 2) << x << "," << y;
}

TEST(PixelOps, PaintBorderOfACircleLeavesItsInside) {
  Scene s(TBitmap(30, 30));
  s.Colours.PenWidth = 2;
  s.Colours.FG = TColorEntry::FromRGB(0, 0, 0);
  s.Sel = CircleSelection(15, 15, 8);
  TBitmap out = s.Run("paint-border-of-selection-w-fg-color");
  EXPECT_EQ(out.Pixel(15, 15), clWhite);
  EXPECT_EQ(out.Pixel(7, 15), clBlack);
  EXPECT_EQ(out.Pixel(15, 7), clBlack);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x)
      if (out.Pixel(x, y) != clWhite) {
        EXPECT_TRUE(x >= 7 && x < 23 && y >= 7 && y < 23) << x << "," << y;
      }
}

TEST(PixelOps, PaintBorderOfAPolygon) {
  Scene s(TBitmap(10, 10));
  s.Colours.FG = TColorEntry::FromRGB(0, 0, 255);
  s.Sel.Kind = SelKind::Polygon;
  for (TPoint p : {TPoint{1, 1}, TPoint{8, 1}, TPoint{1, 8}}) s.Sel.Polygon.AddPoint(p.X, p.Y);
  TBitmap out = s.Run("paint-border-of-selection-w-fg-color");
  for (TPoint p : {TPoint{1, 1}, TPoint{8, 1}, TPoint{1, 8}, TPoint{1, 5}, TPoint{5, 1}})
    EXPECT_EQ(out.Pixel(p.X, p.Y), RGBColor(0, 0, 255)) << p.X << "," << p.Y;
  EXPECT_EQ(out.Pixel(3, 3), clWhite);
}

// White left part with one gray pixel, a black wall at x = 3, a red right part.
TBitmap Rooms() {
  TBitmap b(6, 4);
  for (int y = 0; y < 4; ++y) {
    b.SetPixel(3, y, clBlack);
    for (int x = 4; x < 6; ++x) b.SetPixel(x, y, RGBColor(255, 0, 0));
  }
  b.SetPixel(0, 0, RGBColor(128, 128, 128));
  return b;
}

TEST(PixelOps, FloodFillsStartAtTheAnchorAndIgnoreTheSelection) {
  Scene s(Rooms());
  s.Colours.BG = TColorEntry::FromRGB(0, 0, 200);
  s.Colours.FG = TColorEntry::FromRGB(0, 0, 0);
  s.Sel = RectSelection(1, 2, 2, 3);  // no press yet: the anchor is (1, 2)
  TBitmap same = s.Run("as-long-as-pixels-are-of-the-same-color");
  s.LastPressed = {2, 0};
  TBitmap border = s.Run("fill-area-with-fg-color-as-border");
  const TColor bg = RGBColor(0, 0, 200);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      TColor before = s.Image.Pixel(x, y);
      bool left = x < 3;
      EXPECT_EQ(same.Pixel(x, y), left && before == clWhite ? bg : before) << x << "," << y;
      EXPECT_EQ(border.Pixel(x, y), left ? bg : before) << x << "," << y;
    }
}

// ---- every command keeps to the selection ----

class KeepsToSelection : public ::testing::TestWithParam<std::string> {};

TEST_P(KeepsToSelection, UnselectedPixelsStay) {
  Scene s(DistinctPattern(23, 19));
  s.Sel = CircleSelection(10, 9, 6);
  s.Colours.TCI = TColorEntry::FromRGB(60, 20, 4);
  s.Colours.TCIWidth = 100;
  TBitmap out = s.Run(GetParam(), 7);
  ASSERT_EQ(out.Width(), 23);
  int changed = 0;
  for (int y = 0; y < 19; ++y)
    for (int x = 0; x < 23; ++x) {
      if (!s.Selected(x, y)) {
        EXPECT_EQ(out.Pixel(x, y), s.Image.Pixel(x, y)) << x << "," << y;
      }
      changed += out.Pixel(x, y) != s.Image.Pixel(x, y);
    }
  EXPECT_GT(changed, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, KeepsToSelection,
    ::testing::Values("grayscale", "colorize", "pixels-with-color-in-tci-bgcolor",
                      "pixels-with-color-in-tci-transparent-color", "flip-diagonal-up",
                      "flip-diagonal-down", "washing-machine", "mosaic", "painting-water-color",
                      "random-permutation"));

TEST(PixelOps, SplitRowGivesOneChannel) {
  Scene s(DistinctPattern(4, 3));
  ParamValues green;
  green.Set("channel", 1);
  TBitmap out = s.Run("split-colors-rgb-of-the-image-into-3-images", 1, green);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(out.Pixel(x, y), RGBColor(0, 3 * y + x, 0));
}

// Selections reaching far outside the image (as the command line accepts):
// every command reads only pixels of the image.
TEST(PixelOps, SelectionsBeyondTheImageStayInside) {
  for (const EffectRow& row : EffectTable()) {
    if (!row.FormName.empty()) continue;
    for (const TSelectionClass& shape :
         {PolygonSelection({{2, 1}, {65535, 3}, {4, 65535}}), CircleSelection(8, 5, 40),
          RectSelection(8, 0, 8, 65535)}) {  // one column wide
      Scene s(DistinctPattern(9, 6));
      s.Sel = shape;
      TBitmap out = s.Run(row.Name, 5);
      EXPECT_TRUE(out.Empty() || out.Width() * out.Height() == 54) << row.Name << " " << shape.Kind;
    }
  }
}

}  // namespace

// The fast paths (whole rows, runs of selected pixels, cache blocks of a turn)
// against the rules read pixel by pixel, on random selections of every kind:
// cut by the image's edges, by colour, or none. A turn ignores the selection
// but needs bounds two columns wide.
TEST(PixelOps, FastPathsMatchThePerPixelRules) {
  std::mt19937 rng(11);
  auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int w = 130, h = 67;  // several cache blocks with ragged ends
  TBitmap img(w, h);
  for (int y = 0; y < h; ++y)  // few colours, so that colour tests pass somewhere
    for (int x = 0; x < w; ++x) img.SetPixel(x, y, RGBColor(any(0, 1) * 200, 40, any(0, 3) * 80));
  const TColor bg = RGBColor(200, 40, 0), fg = RGBColor(7, 8, 9);
  TColorSet colours;
  colours.BG = TColorEntry::FromRGB(200, 40, 0);
  colours.FG = TColorEntry::FromRGB(7, 8, 9);
  for (int round = 0; round < 60; ++round) {
    TSelectionClass sel;
    sel.Kind = std::array<int32_t, 5>{SelKind::Rectangle, SelKind::Point, SelKind::Circle,
                                      SelKind::Polygon, SelKind::Freehand}[round % 5];
    sel.X1 = any(-3, w + 3), sel.Y1 = any(-3, h + 3), sel.X2 = any(-3, w + 3);
    sel.Y2 = sel.Kind == SelKind::Circle ? sel.X2 : any(-3, h + 3);
    if (sel.IsPolygonKind())
      for (int i = any(1, 6); i > 0; --i) sel.Polygon.AddPoint(any(-5, w + 5), any(-5, h + 5));
    sel.ByColor = round % 4 == 1;
    if (round % 7 == 0) sel = TSelectionClass{};  // nothing selected: the whole image
    const TSelectionTest test(sel, img, TSelectByColor{200, 40, 80, 50});
    NullProgress progress;
    const EffectInput in{img, test, progress, colours, &sel};
    auto run = [&](const char* name) { return FindEffect(name)->Run(in, {}, 1); };
    const TRect& b = test.Bounds();
    auto map = [&](int x, int y, TColor c) { return test.InSelection(x, y) ? c : img.Pixel(x, y); };
    auto mirror = [&](int x, int y, int sx, int sy) {
      return map(x, y, test.InSelection(sx, sy) ? img.Pixel(sx, sy) : bg);
    };
    const std::pair<const char*, std::function<TColor(int, int)>> rules[] = {
        {"negative-image", [&](int x, int y) { return map(x, y, ~img.Pixel(x, y) & 0xFFFFFF); }},
        {"pixels-with-bgcolor-fgcolor",
         [&](int x, int y) { return img.Pixel(x, y) == bg ? map(x, y, fg) : img.Pixel(x, y); }},
        {"fill-selection-w-bg-color", [&](int x, int y) { return map(x, y, bg); }},
        {"flip-vertical", [&](int x, int y) { return mirror(x, y, b.Left + b.Right - x, y); }},
        {"flip-horizontal", [&](int x, int y) { return mirror(x, y, x, b.Top + b.Bottom - y); }},
    };
    for (const auto& [name, want] : rules) {
      const TBitmap out = run(name);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          ASSERT_EQ(out.Pixel(x, y), want(x, y)) << name << " " << round << ": " << x << "," << y;
    }
    const TBitmap left = run("rotate-all-90-left"), right = run("rotate-all-90-right");
    if (b.Left == b.Right) {
      EXPECT_TRUE(left.Empty() && right.Empty()) << round;
      continue;
    }
    ASSERT_EQ(left.Width(), h);
    ASSERT_EQ(right.Height(), w);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        ASSERT_EQ(left.Pixel(y, w - 1 - x), img.Pixel(x, y)) << round << ": " << x << "," << y;
        ASSERT_EQ(right.Pixel(h - 1 - y, x), img.Pixel(x, y)) << round << ": " << x << "," << y;
      }
  }
}
