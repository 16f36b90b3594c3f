#include <gtest/gtest.h>

#include <random>

#include "FrequencyReference.h"
#include "editor/model/DocumentList.h"
#include "effects/model/EffectTable.h"
#include "effects/model/Fourier.h"
#include "imaging/Errors.h"
#include "support/EffectRun.h"
#include "support/QuietDocumentHost.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::effects;
using namespace lumarte::fixtures;

namespace {

TBitmap Filter(const TBitmap& src, const FourierParams& p, const TSelectionTest* sel = nullptr) {
  TSelectionClass none;
  TSelectionTest all(none, src, {});
  NullProgress progress;
  return FourierTransformFilter(EffectInput{src, sel ? *sel : all, progress}, p);
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
  for (unsigned bad : {0u, 1u, 3u, 100u, 65536u}) {
    try {
      TFFTPlan plan(bad);
      ADD_FAILURE() << bad;
    } catch (const ELumarteError& e) {
      EXPECT_EQ(std::string(e.what()),
                "Error in procedure Fourier:  NumSamples=" + std::to_string(bad) +
                    " is not a positive integer power of 2.");
    }
  }
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

// A smooth image passes nearly unchanged; a slope that rounds to 0 (small
// images) is a hard step, not a division by zero.
TEST(FourierFilter, WidePassBandsLeaveASmoothImageNearlyUnchanged) {
  const TBitmap big = reference::Photo(120, 90);
  TBitmap smooth(big.Width(), big.Height()), small(20, 12);
  for (TBitmap* b : {&smooth, &small})
    for (int y = 0; y < b->Height(); ++y)
      for (int x = 0; x < b->Width(); ++x)
        b->SetPixel(x, y, RGBColor(60 + x, 80 + y, 100 + (x + y) / 2));
  const FourierParams cases[] = {
      {.CutOff = 100, .Orientation = FourierOrientation::Horizontal},
      {.CutOff = 100, .Orientation = FourierOrientation::Vertical},
      {.CutOff = 100, .Orientation = FourierOrientation::TwoDimensional},
      {.CutOff = 100, .Slope = 100, .Type = FourierFilterType::BandReject},
  };
  for (const TBitmap* b : {&smooth, &small})
    for (FourierParams p : cases)
      for (int slope : {p.Slope, 1}) {
        p.Slope = slope;
        const TBitmap out = Filter(*b, p);
        double sum = 0;
        for (int y = 0; y < b->Height(); ++y)
          for (int x = 0; x < 3 * b->Width(); ++x)
            sum += std::abs(out.ScanLine(y)[x] - b->ScanLine(y)[x]);
        // Zero padding in two dimensions rings a little at the borders.
        const bool plane = p.Orientation == FourierOrientation::TwoDimensional;
        EXPECT_LT(sum / (3.0 * b->Width() * b->Height()), plane ? 4 : 1.5)
            << b->Width() << " orientation " << int(p.Orientation) << " slope " << slope;
      }
}

// The spectrum of a natural image is bright at the left (low frequencies);
// "Weird Effect" flips signs only, so the shown magnitudes stay while the
// filtered image changes.
TEST(FourierFilter, SpectrumAndWeirdEffect) {
  const TBitmap photo = reference::Photo(120, 90);
  FourierParams p{.Orientation = FourierOrientation::Horizontal, .DisplaySpectrum = true};
  const TBitmap spectrum = Filter(photo, p);
  auto columnMean = [&](int x0, int x1) {
    double sum = 0;
    for (int y = 0; y < photo.Height(); ++y)
      for (int x = 3 * x0; x < 3 * x1; ++x) sum += spectrum.ScanLine(y)[x];
    return sum / (3.0 * (x1 - x0) * photo.Height());
  };
  EXPECT_GT(columnMean(0, 2), 100);
  EXPECT_LT(columnMean(60, 120), 20);
  p.WeirdEffect = true;
  EXPECT_EQ(Filter(photo, p), spectrum);
  p.DisplaySpectrum = false;
  FourierParams plain = p;
  plain.WeirdEffect = false;
  EXPECT_NE(Filter(photo, p), Filter(photo, plain));
}

// Only the selection changes, and inside it the pixels of the whole run;
// "Normalize" of an all-black image (maximum 0) keeps it black.
TEST(FourierFilter, SelectionAndBlackImage) {
  const TBitmap src = reference::Pattern(30, 20);
  TSelectionClass box = RectSelection(4, 3, 17, 11);
  TSelectionTest sel(box, src, {});
  for (auto o : {FourierOrientation::Horizontal, FourierOrientation::TwoDimensional}) {
    const FourierParams p{.Orientation = o, .Normalize = true};
    const TBitmap whole = Filter(src, p), part = Filter(src, p, &sel);
    for (int y = 0; y < src.Height(); ++y)
      for (int x = 0; x < src.Width(); ++x)
        ASSERT_EQ(part.Pixel(x, y), sel.InSelection(x, y) ? whole.Pixel(x, y) : src.Pixel(x, y))
            << x << "," << y;
    const TBitmap black = Filled(9, 5, clBlack);
    EXPECT_EQ(Filter(black, p), black);
  }
}
