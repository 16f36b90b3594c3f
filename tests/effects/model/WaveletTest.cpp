#include <gtest/gtest.h>

#include "FrequencyReference.h"
#include "editor/model/DocumentList.h"
#include "effects/model/EffectTable.h"
#include "effects/model/Wavelet.h"
#include "imaging/Errors.h"
#include "support/EffectRun.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::effects;
using lumarte::fixtures::EffectScene;

namespace {

TBitmap Filter(const TBitmap& src, const WaveletParams& p) {
  const EffectScene scene(src);
  return WaveletTransformFilter(scene.Input, p);
}

double F(MotherWavelet w, int m) {
  return WaveletTable(w)[static_cast<size_t>(20 + m)];
}

// The decomposition as stated: c_k[i] = sum of F[m] c_k-1[2i - m] (in two
// dimensions F[m] F[n] c_k-1[2i - m][2j - n]), skipping taps off the level.
TWaveletPlanes LiteralDecompose(MotherWavelet w, TWaveletPlane p, int iterations, bool plane) {
  const int taps = WaveletTaps(w, plane);
  TWaveletPlanes levels{p};
  for (int k = 1; k <= iterations; ++k) {
    const TWaveletPlane& prev = levels.back();
    TWaveletPlane next{std::max(1, prev.Width / 2), plane ? std::max(1, prev.Height / 2) : 1, {}};
    for (int j = 0; j < next.Height; ++j)
      for (int i = 0; i < next.Width; ++i) {
        double sum = 0;
        for (int m = -taps; m <= taps; ++m)
          for (int n = plane ? -taps : 0; n <= (plane ? taps : 0); ++n) {
            const int x = 2 * i - m, y = plane ? 2 * j - n : 0;
            if (x >= 0 && x < prev.Width && y >= 0 && y < prev.Height)
              sum += F(w, m) * (plane ? F(w, n) : 1) * prev.At(x, y);
          }
        next.Values.push_back(sum);
      }
    levels.push_back(next);
  }
  return levels;
}

// What each channel becomes before rounding, from the literal pyramid.
std::vector<double> Reference(const TBitmap& src, const WaveletParams& p) {
  const int w = src.Width(), h = src.Height(), n = p.Iterations;
  const bool plane = p.Orientation == WaveletOrientation::TwoDimensional;
  const bool horizontal = p.Orientation == WaveletOrientation::Horizontal;
  std::vector<double> v(3 * static_cast<size_t>(w) * h);
  for (int c = 0; c < 3; ++c) {
    const int lines = plane ? 1 : horizontal ? h : w;
    for (int line = 0; line < lines; ++line) {
      TWaveletPlane in{plane || horizontal ? w : h, plane ? h : 1, {}};
      for (int y = 0; y < in.Height; ++y)
        for (int x = 0; x < in.Width; ++x)
          in.Values.push_back(src.ScanLine(plane ? y : horizontal ? line : x)
                                  [3 * (plane || horizontal ? x : line) + c]);
      const TWaveletPlanes levels = LiteralDecompose(p.Wavelet, in, n, plane);
      TWaveletLevels rows;
      for (const auto& l : levels) rows.push_back(l.Values);
      for (int y = 0; y < in.Height; ++y)
        for (int x = 0; x < in.Width; ++x) {
          auto r = [&](int k) {
            return plane ? Reconstruct2D(p.Wavelet, x, y, k, levels) : Reconstruct(p.Wavelet, x, k, rows);
          };
          const int px = plane || horizontal ? x : line, py = plane ? y : horizontal ? line : x;
          const double doc = src.ScanLine(py)[3 * px + c];
          double& out = v[(size_t(c) * h + py) * w + px];
          switch (p.Filter) {
            case WaveletFilter::LowPass: out = r(n); break;
            // A whole number: the document minus the rounded low pass.
            case WaveletFilter::HighPass: out = std::clamp(doc - ClampRound(r(n)), 0.0, 255.0); break;
            case WaveletFilter::SingleSpace: out = r(n - 1) - r(n); break;
          }
        }
    }
  }
  return v;
}

struct WaveletCase {
  WaveletOrientation Orientation;
  WaveletFilter Filter;
};

class WaveletExactness : public ::testing::TestWithParam<WaveletCase> {};

}  // namespace

TEST_P(WaveletExactness, MatchesTheLiteralPyramid) {
  const auto [orientation, filter] = GetParam();
  for (const TBitmap& src : {reference::Photo(70, 50), reference::Pattern(23, 17)})
    for (MotherWavelet w : {MotherWavelet::Hat, MotherWavelet::Haar})
      for (int iterations : {1, 3}) {
        const WaveletParams p{w, iterations, orientation, filter};
        SCOPED_TRACE("wavelet " + std::to_string(int(w)) + ", iterations " + std::to_string(iterations));
        EXPECT_GT(reference::ExpectRoundsTo(Filter(src, p), Reference(src, p)), 0);
      }
}

INSTANTIATE_TEST_SUITE_P(
    All, WaveletExactness,
    ::testing::Values(WaveletCase{WaveletOrientation::Horizontal, WaveletFilter::LowPass},
                      WaveletCase{WaveletOrientation::Vertical, WaveletFilter::SingleSpace},
                      WaveletCase{WaveletOrientation::Horizontal, WaveletFilter::HighPass},
                      WaveletCase{WaveletOrientation::TwoDimensional, WaveletFilter::LowPass},
                      WaveletCase{WaveletOrientation::TwoDimensional, WaveletFilter::HighPass},
                      WaveletCase{WaveletOrientation::TwoDimensional, WaveletFilter::SingleSpace}));

// A check of the wavelet table that the literal pyramid shares: one Haar
// iteration keeps pairs of neighbouring pixels equal (two-pixel steps).
TEST(WaveletFilter, HaarMakesTwoPixelSteps) {
  const TBitmap photo = reference::Photo(64, 40);
  const TBitmap low = Filter(photo, {MotherWavelet::Haar, 1, WaveletOrientation::Horizontal});
  int pairs = 0, equal = 0;
  for (int y = 0; y < low.Height(); ++y)
    for (int x = 1; x + 2 < low.Width(); x += 2, ++pairs) equal += low.Pixel(x, y) == low.Pixel(x + 1, y);
  EXPECT_GT(equal, pairs * 9 / 10);
  EXPECT_NE(low, photo);
}

TEST(WaveletFilter, MissingLevelRaises) {
  const TWaveletLevels levels = Decompose(MotherWavelet::Hat, {1, 2, 3, 4}, 1);
  ASSERT_EQ(levels.size(), 2u);
  EXPECT_EQ(levels[1].size(), 2u);
  try {
    Reconstruct(MotherWavelet::Hat, 0, 2, levels);
    FAIL();
  } catch (const EWaveletException& e) {
    EXPECT_STREQ(e.what(), "Iteration not available");
  }
  // A line of one pixel has nothing to interpolate between.
  const TBitmap dot = reference::Pattern(1, 5);
  EXPECT_NO_THROW(Filter(dot, {MotherWavelet::Hat, 4, WaveletOrientation::TwoDimensional}));
}
