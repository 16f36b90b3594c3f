// The filter object and the standard filters against a plain, literal
// reimplementation: sums kept in the output plane itself, planes indexed
// [x][y], carried over from channel to channel and pass to pass.
#include <gtest/gtest.h>

#include <random>

#include "base/FastRound.h"
#include "base/Rounding.h"
#include "effects/model/EffectTable.h"
#include "effects/model/FIRIIR.h"
#include "effects/model/FilterEffects.h"
#include "imaging/Errors.h"
#include "support/AbortingProgress.h"
#include "support/EffectRun.h"

using namespace lumarte::editor;
using namespace lumarte;
using namespace lumarte::effects;
using namespace lumarte::fixtures;

namespace {

using Plane = std::vector<std::vector<float>>;

struct RefPlanes {
  Plane in, out;
};

void RefStep(const TFilterRow& f, RefPlanes& p) {
  const int w = static_cast<int>(p.in.size()), h = static_cast<int>(p.in[0].size());
  float hi = static_cast<float>(f.LowLimit), lo = static_cast<float>(f.HighLimit);
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) {
      float& o = p.out[x][y];
      o = 0;
      for (bool iir : {false, true})
        for (const TTapRow& t : f.Taps) {
          if (t.iir != iir) continue;
          int sx = x + t.dx, sy = y + t.dy;
          if (sx < 0 || sx >= w || sy < 0 || sy >= h) continue;
          o = o + static_cast<float>(t.w) * (iir ? p.out : p.in)[sx][sy];
        }
      o = static_cast<float>(f.Scale) * o + static_cast<float>(f.Offset);
      hi = std::max(hi, o);
      lo = std::min(lo, o);
    }
  if (!f.Normalize) return;
  const double c = static_cast<float>(f.Center);
  const double high = static_cast<float>(f.HighLimit), low = static_cast<float>(f.LowLimit);
  double k1 = hi - c > 0 ? (high - c) / (hi - c) : 1e20;
  double k2 = lo - c < 0 ? std::abs(low - c) / std::abs(lo - c) : 1e20;
  double k = std::min(k1, k2);
  if (k >= 1e19) k = 1;
  for (auto& col : p.out)
    for (float& v : col) v = static_cast<float>((v - c) * k + c);
}

void RefRun(const TFilterRow& f, RefPlanes& p, int iterations) {
  RefStep(f, p);
  for (int i = 1; i < iterations; ++i) {
    std::swap(p.in, p.out);
    RefStep(f, p);
  }
}

void Load(const TBitmap& b, int c, Plane& plane) {
  for (int x = 0; x < b.Width(); ++x)
    for (int y = 0; y < b.Height(); ++y) plane[x][y] = b.ScanLine(y)[3 * x + c];
}

void Store(const Plane& plane, int c, TBitmap& b) {
  for (int x = 0; x < b.Width(); ++x)
    for (int y = 0; y < b.Height(); ++y) b.ScanLine(y)[3 * x + c] = ClampRound(plane[x][y]);
}

// One filter for every channel (sharing its planes), or red, green, blue.
TBitmap RefApply(const TBitmap& src, const TStandardFilter& s) {
  const auto& filters = s.Filters;
  const int iterations = s.Iterations;
  TBitmap out(src.Width(), src.Height());
  Plane zero(src.Width(), std::vector<float>(src.Height(), 0.0f));
  RefPlanes shared{zero, zero};
  for (int c = 0; c < 3; ++c) {
    RefPlanes own{zero, zero};
    RefPlanes& p = filters.size() == 1 ? shared : own;
    Load(src, c, p.in);
    RefRun(filters.size() == 1 ? filters[0] : filters[2 - c], p, iterations);
    Store(p.out, c, out);
  }
  return out;
}

class StandardFilter : public ::testing::TestWithParam<TStandardFilter> {};

}  // namespace

// The production table through the filter object against the same table
// through the literal engine: random pictures, dark and light flat areas (the
// limits and the normalisation), one large enough to be split over threads.
// (SelectionInEffectsTest has a filter on a selection.)
TEST_P(StandardFilter, MatchesLiteralFilter) {
  const TStandardFilter& c = GetParam();
  const std::string name = CliName(c.Caption);
  const EffectRow* row = FindEffectByMenuItem(c.MenuItem);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->Name, name);
  EXPECT_TRUE(row->FormName.empty()) << "runs without a dialog";
  TBitmap flat(6, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) flat.SetPixel(x, y, RGBColor(x < 3 ? 0 : 255, 40, 250));
  for (const TBitmap& src :
       {RandomImage(9, 7, 1), RandomImage(9, 7, 2), flat, RandomImage(420, 330, 5)})
    EXPECT_EQ(RunEffect(name, src), RefApply(src, c)) << src.Width();

}

INSTANTIATE_TEST_SUITE_P(Table, StandardFilter, ::testing::ValuesIn(StandardFilters()),
                         [](const auto& info) {
                           std::string n = CliName(info.param.Caption);
                           std::replace(n.begin(), n.end(), '-', '_');
                           return n;
                         });

// Outputs are clamped only when written back; between passes they are not.
TEST(FIRIIRFilter, ClampsOnlyOnWriteBack) {
  TBitmap src(2, 1), out;
  src.SetPixel(0, 0, RGBColor(200, 10, 0));
  src.SetPixel(1, 0, RGBColor(255, 128, 30));
  TFIRIIRFilter f;
  f.AddFIR(0, 0, -1);
  f.Offset = 300;  // v -> 300 - v, its own inverse
  NullProgress progress;
  f.Apply(src, out, 1, progress);
  EXPECT_EQ(out.Pixel(0, 0), RGBColor(100, 255, 255));
  f.Apply(src, out, 2, progress);
  EXPECT_EQ(out, src) << "290 and 300 survive the first pass";
}

// The filter pass reports each pass and honours Abort before any pass, but an
// abort once the last pass has run keeps the finished result.
TEST(FIRIIRFilter, ReportsPassesAndHonoursAbortUntilTheResultIsComplete) {
  const TBitmap src = RandomImage(8, 6, 3);
  for (const char* name : {"sharpen", "motion-blur"}) {
    const EffectRow& row = *FindEffect(name);
    TSelectionClass none;
    TSelectionTest all(none, src, {});
    AbortingProgress quiet;
    const TBitmap whole = row.Run(EffectInput{src, all, quiet}, {}, 1);
    const int reports = static_cast<int>(quiet.Reports.size());
    ASSERT_GE(reports, 4) << name << ": one report per pass and channel, then the end";
    EXPECT_EQ(quiet.Reports.back().Position, quiet.Reports.back().Max) << name;
    EXPECT_NE(whole, src) << name;

    for (int at = 1; at < reports; ++at) {
      AbortingProgress p(at);
      EXPECT_THROW(row.Run(EffectInput{src, all, p}, {}, 1), lumarte::ELumarteError)
          << name << " " << at;
      EXPECT_EQ(static_cast<int>(p.Reports.size()), at) << name << ": stops at the abort";
    }
    AbortingProgress late(reports);  // pressed during the final report
    EXPECT_EQ(row.Run(EffectInput{src, all, late}, {}, 1), whole) << name;
  }
  // A filter object used again after an abort still filters correctly.
  TFIRIIRFilter f = SharpenFilter(2, false);
  TBitmap out, again;
  AbortingProgress p(2);
  EXPECT_THROW(f.Apply(src, out, 2, p), lumarte::ELumarteError);
  NullProgress none;
  f.Apply(src, again, 2, none);
  TFIRIIRFilter fresh = SharpenFilter(2, false);
  fresh.Apply(src, out, 2, none);
  EXPECT_EQ(again, out);
}

TEST(FastRound, AgreesWithTheOneRoundingRule) {
  std::mt19937 gen(7);
  std::uniform_real_distribution<float> any(-20.0f, 280.0f);
  std::vector<float> values;
  for (int q = -80; q <= 1100; ++q) values.push_back(q / 4.0f);  // every half and quarter
  for (int i = 0; i < 20000; ++i) values.push_back(any(gen));
  for (float v : values) {
    ASSERT_EQ(FastClampRound(v), ClampRound(v)) << v;
    ASSERT_EQ(RoundSmall(v), static_cast<double>(Round(v))) << v;
  }
}
