#include <gtest/gtest.h>

#include <random>

#include "FrequencyReference.h"
#include "editor/model/DocumentList.h"
#include "effects/model/EffectTable.h"
#include "effects/model/Fourier.h"
#include "imaging/Errors.h"
#include "support/EffectRun.h"
#include "support/ErrorMessage.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::effects;
using namespace lumarte::fixtures;

namespace {

TBitmap Filter(const TBitmap& src, const FourierParams& p) {
  const EffectScene scene(src);
  return FourierTransformFilter(scene.Input, p);
}

}  // namespace

TEST(FFT, AgreesWithTheLiteralTransformAndInverts) {
  std::mt19937 gen(3);
  std::uniform_real_distribution<double> any(-300, 300);
  for (unsigned n : {2u, 4u, 8u, 32u, 128u, 1024u, 32768u}) {
    std::vector<double> re(n), im(n), r(n), i(n), back(n), backIm(n);
    for (unsigned k = 0; k < n; ++k) re[k] = any(gen), im[k] = any(gen);
    reference::FourierTransform(2 * std::numbers::pi, n, re.data(), im.data(), r.data(), i.data());
    std::vector<double> fr(n), fi(n);
    FFT(n, re.data(), im.data(), fr.data(), fi.data());
    double err = 0;
    for (unsigned k = 0; k < n; ++k)
      err = std::max({err, std::abs(fr[k] - r[k]), std::abs(fi[k] - i[k])});
    EXPECT_LT(err, 1e-9 * n) << n;
    IFFT(n, fr.data(), fi.data(), back.data(), backIm.data());
    for (unsigned k = 0; k < n; ++k) ASSERT_NEAR(back[k], re[k], 1e-9) << n;
  }
}

// Lengths are powers of two from 2 to 32768; others raise instead of ending
// the program. A line of 118 pixels takes 128 samples with its margins.
TEST(FFT, LengthsAndBadLengths) {
  for (auto [length, n] :
       {std::pair{118 + 10, 128u}, {1, 2u}, {128, 128u}, {129, 256u}, {32768, 32768u}})
    EXPECT_EQ(FourierLength(length), n) << length;
  for (unsigned bad : {0u, 1u, 3u, 100u, 65536u})
    EXPECT_EQ(Message([&] { TFFTPlan plan(bad); }),
              "Error in procedure Fourier:  NumSamples=" + std::to_string(bad) +
                  " is not a positive integer power of 2.");
  EXPECT_THROW(FourierLength(32758 + 11), ELumarteError);
  EXPECT_EQ(ReverseBits(0b0011, 4), 0b1100u);
  EXPECT_EQ(NumberOfBitsNeeded(4096), 12u);
}

struct FourierCase {
  FourierOrientation Orientation;
  FourierFilterType Type;
};

class FourierExactness : public ::testing::TestWithParam<FourierCase> {};

// Every option on a photo and on a synthetic pattern: the pixels of the
// literal arithmetic.
TEST_P(FourierExactness, MatchesTheLiteralTransform) {
  const auto [orientation, type] = GetParam();
  for (const TBitmap& src : {reference::Photo(120, 90), reference::Pattern(37, 53)}) {
    for (int options = 0; options < 8; ++options) {
      FourierParams p{.CutOff = 30, .Slope = 40, .Orientation = orientation, .Type = type};
      p.DisplaySpectrum = options & 1, p.Normalize = options & 2, p.WeirdEffect = options & 4;
      SCOPED_TRACE("options " + std::to_string(options) + ", width " + std::to_string(src.Width()));
      EXPECT_GT(reference::ExpectRoundsTo(Filter(src, p), reference::Fourier(src, p)), 0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    AllShapes, FourierExactness,
    ::testing::Values(
        FourierCase{FourierOrientation::Vertical, FourierFilterType::LowPass},
        FourierCase{FourierOrientation::Vertical, FourierFilterType::BandPass},
        FourierCase{FourierOrientation::Horizontal, FourierFilterType::HighPass},
        FourierCase{FourierOrientation::Horizontal, FourierFilterType::BandReject},
        FourierCase{FourierOrientation::TwoDimensional, FourierFilterType::LowPass},
        FourierCase{FourierOrientation::TwoDimensional, FourierFilterType::HighPass},
        FourierCase{FourierOrientation::TwoDimensional, FourierFilterType::BandReject},
        FourierCase{FourierOrientation::TwoDimensional, FourierFilterType::BandPass}));

// Checks of the literal arithmetic itself. Wide pass bands leave a smooth
// image nearly unchanged, also where the slope rounds to 0 (a hard step, not a
// division by zero); the spectrum of a photo is bright at the left, where the
// low frequencies are.
TEST(FourierFilter, WidePassBandsKeepASmoothImageAndSpectraStartBright) {
  TBitmap smooth(20, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) smooth.SetPixel(x, y, RGBColor(60 + x, 80 + y, 100 + (x + y) / 2));
  for (FourierParams p : {FourierParams{.CutOff = 100, .Orientation = FourierOrientation::Horizontal},
                          {.CutOff = 100, .Orientation = FourierOrientation::Vertical},
                          {.CutOff = 100, .Orientation = FourierOrientation::TwoDimensional},
                          {.CutOff = 100, .Slope = 100, .Type = FourierFilterType::BandReject}}) {
    p.Slope = 1;
    const TBitmap out = Filter(smooth, p);
    double sum = 0;
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 60; ++x) sum += std::abs(out.ScanLine(y)[x] - smooth.ScanLine(y)[x]);
    // Zero padding in two dimensions rings a little at the borders.
    const bool plane = p.Orientation == FourierOrientation::TwoDimensional;
    EXPECT_LT(sum / (3 * 20 * 12), plane ? 4 : 1.5) << "orientation " << int(p.Orientation);
  }
  const TBitmap photo = reference::Photo(120, 90);
  const TBitmap spectrum =
      Filter(photo, {.Orientation = FourierOrientation::Horizontal, .DisplaySpectrum = true});
  auto columnMean = [&](int x0, int x1) {
    double sum = 0;
    for (int y = 0; y < photo.Height(); ++y)
      for (int x = 3 * x0; x < 3 * x1; ++x) sum += spectrum.ScanLine(y)[x];
    return sum / (3.0 * (x1 - x0) * photo.Height());
  };
  EXPECT_GT(columnMean(0, 2), 100);
  EXPECT_LT(columnMean(60, 120), 20);
}

// "Normalize" of an all-black image (maximum 0) keeps it black.
TEST(FourierFilter, NormalizedBlackImageStaysBlack) {
  const TBitmap black = Filled(9, 5, clBlack);
  for (auto o : {FourierOrientation::Horizontal, FourierOrientation::TwoDimensional})
    EXPECT_EQ(Filter(black, {.Orientation = o, .Normalize = true}), black);
}
