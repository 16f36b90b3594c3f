#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "effects/model/EffectTable.h"
#include "effects/model/Transforms.h"
#include "imaging/Errors.h"
#include "support/QuietDocumentHost.h"
#include "support/Selections.h"

using namespace lumarte::editor;
using namespace lumarte;
using namespace lumarte::effects;
using namespace lumarte::fixtures;

namespace {

// Distinct, light colours (none near black, so none in the default
// transparent colour interval).
TColor Colour(int x, int y) {
  return RGBColor(static_cast<uint8_t>(60 + 10 * x), static_cast<uint8_t>(60 + 10 * y), 200);
}

TBitmap Pattern(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, Colour(x, y));
  return b;
}

struct Scene {
  Scene(TBitmap source, TSelectionClass selection = {})
      : Source(std::move(source)), Selection(std::move(selection)) {}
  TBitmap Source;
  TSelectionClass Selection;
  TColorSet Colours;
  NullProgress Progress;
  TBitmap operator()(const std::function<TBitmap(const EffectInput&)>& effect) {
    const TSelectionTest test(Selection, Source, TSelectByColor{});
    return effect(EffectInput{Source, test, Progress, Colours});
  }
};

// Expected pixels written as rows of cells: "d" the document's own pixel,
// "b" the background colour, "XY" the document pixel at (X, Y).
void ExpectCells(const TBitmap& out, const TBitmap& doc, int docTop, TColor bg,
                 const std::vector<std::string>& rows) {
  ASSERT_EQ(out.Height(), static_cast<int>(rows.size()));
  for (int y = 0; y < out.Height(); ++y) {
    std::istringstream cells(rows[y]);
    std::string cell;
    for (int x = 0; x < out.Width(); ++x) {
      ASSERT_TRUE(cells >> cell) << "row " << y;
      TColor want = cell == "b"   ? bg
                    : cell == "d" ? doc.Pixel(x, y - docTop)
                                  : doc.Pixel(cell[0] - '0', cell[1] - '0');
      EXPECT_EQ(out.Pixel(x, y), want) << x << "," << y << " expected " << cell;
    }
  }
}

}  // namespace

// ---- rotation ----

struct PointCase {
  int X, Y, Cx, Cy;
  double Degrees;
  int ExpX, ExpY;
};
class PointRotation : public ::testing::TestWithParam<PointCase> {};

TEST_P(PointRotation, TurnsCounterClockwiseOnTheScreen) {
  const PointCase& c = GetParam();
  EXPECT_EQ(RotatePoint(c.X, c.Y, c.Cx, c.Cy, c.Degrees), (TPoint{c.ExpX, c.ExpY}));
}

INSTANTIATE_TEST_SUITE_P(Cases, PointRotation,
                         ::testing::Values(PointCase{3, 2, 2, 2, 90, 2, 1},  // right -> up
                                           PointCase{2, 3, 2, 2, 90, 3, 2},  // below -> right
                                           PointCase{1, 2, 2, 2, 180, 3, 2},
                                           PointCase{2, 2, 2, 2, 77, 2, 2},
                                           PointCase{4, 2, 2, 2, 30, 4, 1},
                                           // sin 30° is a hair below 0.5: 2.4999.. -> 2
                                           PointCase{2, 3, 2, 2, 30, 2, 3},
                                           PointCase{5, 9, 5, 5, 360, 5, 9}));

// A square selection by 90°; the whole 8 × 4 image by 90° about (3, 1):
// interior pixels whose source lies outside get the background, the
// image's edge keeps its own pixels.
TEST(Rotate, SelectionOrWholeImageInPlace) {
  Scene square{Pattern(5, 5), RectSelection(1, 1, 3, 3)};
  TBitmap r90 = square([](const EffectInput& in) { return Rotate(in, {90, false, true}); });
  ExpectCells(r90, square.Source, 0, 0,
              {"d d  d  d  d", "d 31 32 33 d", "d 21 22 23 d", "d 11 12 13 d", "d d  d  d  d"});
  Scene run{Pattern(8, 4), {}};
  run.Colours.BG = TColorEntry::FromRGB(200, 0, 0);
  TBitmap out = run([](const EffectInput& in) { return Rotate(in, {90, false, true}); });
  ExpectCells(
      out, run.Source, 0, RGBColor(200, 0, 0),
      {"d d 40 41 42 43 d d", "d b 30 31 32 33 b d", "d b 20 21 22 23 b d", "d d 10 11 12 13 d d"});
}

// A 4 × 2 strip turned by 90° grows two rows on top; with the first pixel's
// colour as the transparent interval it is not copied.
TEST(Rotate, OverwriteAndResizeGrowsTheCanvas) {
  Scene run{Pattern(4, 2), {}};
  run.Colours.BG = TColorEntry::FromRGB(200, 0, 0);
  const TColor bg = RGBColor(200, 0, 0);
  TBitmap in = run([](const EffectInput& in) { return Rotate(in, {90, false, true}); });
  ExpectCells(in, run.Source, 0, bg, {"d 10 11 d", "d 00 01 d"});
  TBitmap grown = run([](const EffectInput& in) { return Rotate(in, {90, true, true}); });
  ExpectCells(grown, run.Source, 2, bg, {"b 30 31 b", "b 20 21 b", "d 10 11 d", "d 00 01 d"});

  const TColor c = Colour(1, 0);
  run.Colours.TCI = TColorEntry::FromRGB(RedOf(c), GreenOf(c), BlueOf(c));
  run.Colours.TCIWidth = 0;
  TBitmap transparent = run([](const EffectInput& in) { return Rotate(in, {90, true, true}); });
  ExpectCells(transparent, run.Source, 2, bg, {"b 30 31 b", "b 20 21 b", "d b 11 d", "d 00 01 d"});
  TBitmap boxOff = run([](const EffectInput& in) { return Rotate(in, {90, true, false}); });
  EXPECT_EQ(boxOff, grown) << "the check box switches the interval off";
}

// Only the selected part moves unless overwriting; overwriting paints the
// turned selection over unselected pixels.
TEST(Rotate, OverwriteReachesUnselectedPixels) {
  Scene run{Pattern(6, 6), RectSelection(1, 2, 4, 3)};  // 4 × 2, centre (2, 2)
  TBitmap plain = run([](const EffectInput& in) { return Rotate(in, {90, false, true}); });
  TBitmap over = run([](const EffectInput& in) { return Rotate(in, {90, true, true}); });
  ASSERT_EQ(over.Width(), 6);
  ASSERT_EQ(over.Height(), 6);
  // (2, 0) is unselected; its source (4, 2) is selected.
  EXPECT_EQ(plain.Pixel(2, 0), run.Source.Pixel(2, 0));
  EXPECT_EQ(over.Pixel(2, 0), run.Source.Pixel(4, 2));
  EXPECT_EQ(over.Pixel(3, 1), run.Source.Pixel(3, 3));
}

// The fast linear rotation rounds exactly like the point rotation; by 0°
// nothing changes, also when overwriting.
TEST(Rotate, EveryAngleMatchesThePointRotation) {
  Scene run{Pattern(9, 7), {}};
  for (int angle = 0; angle < 360; ++angle) {
    TBitmap out = run([&](const EffectInput& in) { return Rotate(in, {angle, false, false}); });
    for (int y = 1; y < 6; ++y)
      for (int x = 1; x < 8; ++x) {
        TPoint s = RotatePoint(x, y, 4, 3, 360 - angle);
        TColor want = run.Source.Contains(s.X, s.Y) ? run.Source.Pixel(s.X, s.Y) : 0;
        ASSERT_EQ(out.Pixel(x, y), want) << angle << "° at " << x << "," << y;
      }
  }
  run.Selection = RectSelection(1, 1, 5, 3);
  for (bool overwrite : {false, true})
    EXPECT_EQ(run([&](const EffectInput& in) { return Rotate(in, {0, overwrite, true}); }),
              run.Source);
}

TEST(Rotate, AngleFieldTakesIntegersModulo360) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"360", 0}, {"725", 5}, {"-90", 270}, {" 12 ", 12}, {"12.5", {}}, {"abc", {}}, {"", {}}};
  for (auto [text, angle] : cases) EXPECT_EQ(ParseAngle(text), angle) << text;
}

// ---- resize arithmetic ----

TEST(Resize, PercentFieldsRatioAndGrowth) {
  EXPECT_EQ(PercentText(50, 100), "50");
  EXPECT_EQ(PercentText(1, 3), "33.3");
  EXPECT_EQ(PercentText(400, 300), "133.3");
  EXPECT_EQ(PixelsFromPercent("50", 101), 50);    // 50.5 -> 50
  EXPECT_EQ(PixelsFromPercent("150", 101), 152);  // 151.5 -> 152
  EXPECT_EQ(PixelsFromPercent("12.5", 80), 10);
  EXPECT_EQ(PixelsFromPercent("-1", 80), std::nullopt);
  EXPECT_EQ(PixelsFromPercent("x", 80), std::nullopt);
  EXPECT_EQ(RatioSide(200, 400, 300), 150);
  EXPECT_EQ(RatioSide(1, 2, 3), 2);  // 1.5 -> 2
  EXPECT_EQ(RatioSide(5, 2, 3), 8);  // 7.5 -> 8
  // Enlarge Canvas shows the growth, never a shrink.
  EXPECT_EQ(GrowthText(120, 100), "+20");
  EXPECT_EQ(GrowthText(100, 100), "+0");
  EXPECT_EQ(GrowthText(90, 100), "+0");
}

TEST(Resize, RowKeepsOrScalesTheImage) {
  const EffectRow& row = *FindEffect("resize");
  Scene run{Pattern(10, 6), {}};
  auto resize = [&](std::map<std::string, double> v) {
    return run([&](const EffectInput& in) { return row.Run(in, ParamValues(v), 0); });
  };
  EXPECT_EQ(resize({}), run.Source);
  TBitmap half = resize({{"widthpercent", 50}, {"heightpercent", 50}});
  EXPECT_EQ(half.Width(), 5);
  EXPECT_EQ(half.Pixel(4, 2), run.Source.Pixel(8, 4));
  TBitmap sized = resize({{"width", 3}, {"heightpercent", 200}});
  EXPECT_EQ(sized.Width(), 3);
  EXPECT_EQ(sized.Height(), 12);
  EXPECT_THROW(resize({{"widthpercent", 1}}), lumarte::ELumarteError);  // 0.1 pixels
}

// ---- enlarge canvas ----

struct CanvasCase {
  EnlargeCanvasParams Params;
  int OffX, OffY;  // where the image's top-left lands
};
class Canvas : public ::testing::TestWithParam<CanvasCase> {};

TEST_P(Canvas, PlacesTheImageAndCutsWhatFallsOff) {
  const CanvasCase& c = GetParam();
  Scene run{Pattern(5, 4), {}};
  run.Colours.BG = TColorEntry::FromRGB(1, 2, 3);
  TBitmap out = run([&](const EffectInput& in) { return EnlargeCanvas(in, c.Params); });
  ASSERT_EQ(out.Width(), c.Params.Width);
  ASSERT_EQ(out.Height(), c.Params.Height);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) {
      TColor want = run.Source.Contains(x - c.OffX, y - c.OffY)
                        ? run.Source.Pixel(x - c.OffX, y - c.OffY)
                        : RGBColor(1, 2, 3);
      ASSERT_EQ(out.Pixel(x, y), want) << x << "," << y;
    }
}

using A = CanvasAlign;
INSTANTIATE_TEST_SUITE_P(
    Cases, Canvas,
    ::testing::Values(CanvasCase{{5, 4, A::Centre, A::End, 0, 0}, 0, 0},  // the same size
                      CanvasCase{{9, 7, A::Start, A::Start, 0, 0}, 0, 0},
                      CanvasCase{{9, 7, A::Centre, A::Centre, 0, 0}, 2, 1},  // 4 div 2, 3 div 2
                      CanvasCase{{9, 7, A::End, A::End, 0, 0}, 4, 3},
                      CanvasCase{{9, 7, A::End, A::Start, 1, 2}, 5, 2},
                      CanvasCase{{5, 4, A::Start, A::Start, -2, -1}, -2, -1},  // cut left, top
                      CanvasCase{{6, 4, A::Centre, A::Start, -20, 0}, -20, 0},
                      CanvasCase{{6, 5, A::Start, A::Start, 3, 9}, 3, 9}));

// ---- distortion ----

struct DistortionCase {
  DistortionParams Params;
  int In, Out;
};
class DistortionValues : public ::testing::TestWithParam<DistortionCase> {};

TEST_P(DistortionValues, PushesOrClipsPerCheckedChannel) {
  const DistortionCase& c = GetParam();
  TBitmap b(1, 1);
  b.SetPixel(0, 0, RGBColor(static_cast<uint8_t>(c.In), 77, static_cast<uint8_t>(c.In)));
  Scene run{b, {}};
  TBitmap out = run([&](const EffectInput& in) { return Distortion(in, c.Params); });
  EXPECT_EQ(RedOf(out.Pixel(0, 0)), c.Out);
  EXPECT_EQ(BlueOf(out.Pixel(0, 0)), c.Params.Blue ? c.Out : c.In);
}

DistortionParams D(int threshold, bool median, bool clipping, int offset, bool blue = true) {
  DistortionParams p;
  p.Threshold = threshold;
  p.MedianCentre = median;
  p.Clipping = clipping;
  p.Offset = offset;
  p.Blue = blue;
  return p;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DistortionValues,
    ::testing::Values(// Threshold and centre 127 leave the middle values alone.
                      DistortionCase{D(127, false, false, 0), 1, 1},
                      DistortionCase{D(127, false, false, 0), 128, 128},
                      DistortionCase{D(127, false, false, 0), 253, 253},
                      DistortionCase{D(127, false, false, 0), 0, 0},
                      DistortionCase{D(127, false, false, 0), 254, 255},
                      DistortionCase{D(64, false, false, 0), 191, 255},  // d = 0
                      DistortionCase{D(64, false, false, 0), 190, 190},
                      DistortionCase{D(64, false, true, 0), 200, 9},   // d = 9
                      DistortionCase{D(64, false, false, 0), 63, 0},   // e = 0
                      DistortionCase{D(64, false, true, 0), 50, 242},  // 255 - 13
                      DistortionCase{D(10, false, false, 100), 236, 236},
                      DistortionCase{D(10, false, false, 100), 237, 255},
                      DistortionCase{D(64, false, true, 0, false), 200, 9},
                      // centre 127 - 127 = 0: d = v - 1
                      DistortionCase{D(1, false, true, -127), 5, 4},
                      // the one pixel's median (100 + 77 + 100) / 3: d = round(6.67)
                      DistortionCase{D(1, true, false, 0), 100, 255},
                      DistortionCase{D(9, true, false, 0), 100, 100}));

// ---- pinch and punch ----

TEST(PinchPunch, Mappings) {
  for (double t : {0.04, 0.25, 0.5, 0.81})
    EXPECT_DOUBLE_EQ(PinchMapping(PinchMethod::Softer, 0, t), std::sqrt(t));
  const double k = 100 / 201.0;
  for (auto m : {PinchMethod::Square, PinchMethod::Harder, PinchMethod::Softer}) {
    EXPECT_DOUBLE_EQ(PinchMapping(m, k, 1), 1);
    EXPECT_DOUBLE_EQ(PinchMapping(m, k, 0), 0);
  }
  EXPECT_DOUBLE_EQ(PinchMapping(PinchMethod::Linear, k, 1), 1);
  EXPECT_DOUBLE_EQ(PinchMapping(PinchMethod::Linear, k, 0.5), 0);
  EXPECT_DOUBLE_EQ(PinchMapping(PinchMethod::Linear, k, 0), 1 - k);
  EXPECT_DOUBLE_EQ(PinchMapping(PinchMethod::Square, 1, 0.5), 0.125);
  EXPECT_DOUBLE_EQ(PinchMapping(PinchMethod::Harder, 0, 0.125), 0.25);
}

// ---- the window follows a change of size ----

namespace {

struct FitCountingHost : QuietHost {
  int Fits = 0;
  void FitWindowToImage() override { ++Fits; }
};

}  // namespace

TEST(EnlargeCanvas, PreviewCancelAndOKFitTheWindow) {
  FitCountingHost host;
  DocumentList docs(host);
  docs.NewImage(4, 3);
  const EffectRow& row = *FindEffect("enlarge-canvas");
  const ParamValues values({{"width", 9}, {"height", 5}});
  EffectSession session(docs, row.Policy,
                        [&](const EffectInput& in) { return row.Run(in, values, 0); });
  session.Show();
  host.Fits = 0;
  session.PreviewButtonClick();
  EXPECT_EQ(docs.DisplayedRaster().Width(), 9);
  EXPECT_EQ(host.Fits, 1);
  session.CancelButtonClick();
  EXPECT_EQ(host.Fits, 2) << "back to the image's own size";
  session.Show();
  EXPECT_TRUE(session.OKButtonClick());
  EXPECT_EQ(docs.Current().Bitmap->Width(), 9);
  EXPECT_EQ(host.Fits, 3);

  // Effects that keep the size leave the window alone.
  EffectSession same(docs, RecomputePolicy::Always,
                     [](const EffectInput& in) { return Distortion(in, {}); });
  same.Show();
  same.PreviewButtonClick();
  EXPECT_TRUE(same.OKButtonClick());
  EXPECT_EQ(host.Fits, 3);
}

TEST(Resize, DocumentIsResampledAsOneUndoStep) {
  FitCountingHost host;
  DocumentList docs(host);
  docs.NewImage(6, 4);
  *docs.Current().Bitmap = Pattern(6, 4);
  EXPECT_FALSE(ResizeDocument(docs, 0, 4));
  EXPECT_EQ(docs.Current().UndoDepth(), 0);
  host.Fits = 0;
  ASSERT_TRUE(ResizeDocument(docs, 3, 2));
  EXPECT_EQ(docs.Current().Bitmap->Pixel(2, 1), Colour(4, 2));
  EXPECT_EQ(docs.Current().UndoDepth(), 1);
  EXPECT_TRUE(docs.Current().Modified);
  EXPECT_EQ(host.Fits, 1);
  EXPECT_THROW(ResizeDocument(docs, 60000, 60000), lumarte::ELumarteError);
  EXPECT_EQ(docs.Current().UndoDepth(), 1) << "a failed resize adds no undo level";
}

// The sweep written out plainly, forwards, every point of every ray: the
// backward sweep and the skipped points must give the very same pixels.
TEST(PinchPunch, MatchesThePlainForwardSweep) {
  Scene run{Pattern(13, 9), RectSelection(3, 1, 11, 6)};
  for (auto method :
       {PinchMethod::Linear, PinchMethod::Square, PinchMethod::Harder, PinchMethod::Softer}) {
    TBitmap fast = run([&](const EffectInput& in) { return PinchPunch(in, {120, method}); });
    const TSelectionTest sel(run.Selection, run.Source, TSelectByColor{});
    TBitmap plain = run.Source;
    const double k = 120 / 201.0, diag = std::sqrt(8.0 * 8 + 5.0 * 5), cx = 7, cy = 3;
    const double step = std::min(360.0 / ((13 + 9) * 16), 1.0);
    for (double a = 0; a < 360; a += step) {
      double rmax = -1;
      for (double r = diag; r > 0; r -= 1) {
        const int px = static_cast<int>(std::nearbyint(std::sin(a) * r + cx));
        const int py = static_cast<int>(std::nearbyint(std::cos(a) * r + cy));
        if (!run.Source.Contains(px, py)) continue;
        if (!sel.InSelection(px, py)) {
          plain.SetPixel(px, py, run.Source.Pixel(px, py));
          continue;
        }
        if (rmax < 0) rmax = r;
        const double to = PinchMapping(method, k, r / rmax) * rmax;
        plain.SetPixel(px, py,
                       run.Source.Pixel(static_cast<int>(std::nearbyint(std::sin(a) * to + cx)),
                                        static_cast<int>(std::nearbyint(std::cos(a) * to + cy))));
      }
    }
    EXPECT_EQ(fast, plain) << static_cast<int>(method);
  }
}
