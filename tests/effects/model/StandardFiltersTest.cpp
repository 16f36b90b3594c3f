// The filter object and the standard filters against a plain, literal
// reimplementation: sums kept in the output plane itself, planes indexed
// [x][y], carried over from channel to channel and pass to pass.
#include <gtest/gtest.h>

#include <random>

#include "effects/model/EffectTable.h"
#include "effects/model/FIRIIR.h"
#include "base/FastRound.h"
#include "effects/model/FilterEffects.h"
#include "base/Rounding.h"
#include "imaging/Errors.h"

using namespace lumarte::editor;
using namespace lumarte;
using namespace lumarte::effects;

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

TBitmap RandomImage(int w, int h, unsigned seed) {
  std::mt19937 gen(seed);
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int i = 0; i < 3 * w; ++i) b.ScanLine(y)[i] = static_cast<uint8_t>(gen());
  return b;
}

TBitmap RunRow(const std::string& name, const TBitmap& src, TSelectionClass sel = {},
               ParamValues values = {}) {
  TSelectionTest test(sel, src, {});
  NullProgress progress;
  const EffectRow* row = FindEffect(name);
  if (!row) throw std::runtime_error("no effect " + name);
  return row->Run(EffectInput{src, test, progress}, values, 1);
}

class StandardFilter : public ::testing::TestWithParam<TStandardFilter> {};

}  // namespace

// The production table through the filter object against the same table
// through the literal engine.
TEST_P(StandardFilter, MatchesLiteralFilter) {
  const TStandardFilter& c = GetParam();
  const std::string name = CliName(c.Caption);
  const EffectRow* row = FindEffectByMenuItem(c.MenuItem);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->Name, name);
  EXPECT_TRUE(row->FormName.empty()) << "runs without a dialog";
  for (unsigned seed : {1u, 2u}) {
    TBitmap src = RandomImage(9, 7, seed);
    EXPECT_EQ(RunRow(CliName(c.Caption), src), RefApply(src, c)) << seed;
  }
  // Dark and light flat areas exercise the limits and the normalisation.
  TBitmap flat(6, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) flat.SetPixel(x, y, RGBColor(x < 3 ? 0 : 255, 40, 250));
  EXPECT_EQ(RunRow(CliName(c.Caption), flat), RefApply(flat, c));
}

// Large enough that the filter splits its columns over threads.
TEST_P(StandardFilter, LargeImageMatchesLiteralFilter) {
  const TStandardFilter& c = GetParam();
  TBitmap src = RandomImage(420, 330, 5);
  EXPECT_EQ(RunRow(CliName(c.Caption), src), RefApply(src, c));
}

TEST_P(StandardFilter, KeepsPixelsOutsideTheSelection) {
  const TStandardFilter& c = GetParam();
  TBitmap src = RandomImage(12, 10, 3);
  TSelectionClass circle;
  circle.Kind = SelKind::Circle;
  circle.X1 = 5, circle.Y1 = 4, circle.X2 = circle.Y2 = 3;
  TBitmap out = RunRow(CliName(c.Caption), src, circle);
  TBitmap full = RefApply(src, c);
  TSelectionTest test(circle, src, {});
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x)
      EXPECT_EQ(out.Pixel(x, y), test.InSelection(x, y) ? full.Pixel(x, y) : src.Pixel(x, y))
          << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Table, StandardFilter, ::testing::ValuesIn(StandardFilters()),
                         [](const auto& info) {
                           std::string n = CliName(info.param.Caption);
                           std::replace(n.begin(), n.end(), '-', '_');
                           return n;
                         });

TEST(StandardFilters, StrongSharpenLeavesUniformAreaUnchanged) {
  TBitmap src(7, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 7; ++x) src.SetPixel(x, y, RGBColor(90, 17, 201));
  TBitmap out = RunRow("strong-sharpen", src);
  for (int y = 1; y < 5; ++y)
    for (int x = 1; x < 6; ++x) EXPECT_EQ(out.Pixel(x, y), src.Pixel(x, y)) << x << "," << y;
  // At the border taps are skipped, so the missing negative weights brighten.
  EXPECT_NE(out.Pixel(0, 0), src.Pixel(0, 0));
}

TEST(FIRIIRFilter, IdentityKernelReproducesTheImage) {
  TBitmap src = RandomImage(11, 4, 9), out;
  TFIRIIRFilter f;
  f.AddFIR(0, 0, 1);
  NullProgress progress;
  f.Apply(src, out, 1, progress);
  EXPECT_EQ(out, src);
  f.Apply(src, out, 4, progress);
  EXPECT_EQ(out, src);
}

// Taps that fall outside are skipped and the weights are not renormalised.
TEST(FIRIIRFilter, BlurBordersAreDarker) {
  TBitmap src(5, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) src.SetPixel(x, y, RGBColor(180, 180, 180));
  TFIRIIRFilter f;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) f.AddFIR(dx, dy, 1);
  f.Scale = 1.0f / 9;
  TBitmap out;
  NullProgress progress;
  f.Apply(src, out, 1, progress);
  EXPECT_EQ(out.Pixel(0, 0), RGBColor(80, 80, 80));     // 4 of 9 taps
  EXPECT_EQ(out.Pixel(2, 0), RGBColor(120, 120, 120));  // 6 of 9
  EXPECT_EQ(out.Pixel(2, 1), RGBColor(180, 180, 180));
}

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

// The normalisation stretches about Center so that the larger excursion
// reaches its limit.
TEST(FIRIIRFilter, NormalizeStretchesAboutCenter) {
  TFIRIIRFilter f;
  f.AddFIR(0, 0, 1);
  f.Normalize = true;
  f.LowLimit = 0, f.HighLimit = 255, f.Center = 100;
  f.InPlane.SetSize(3, 1);
  f.InPlane[0][0] = 50, f.InPlane[1][0] = 100, f.InPlane[2][0] = 150;
  f.Step();
  // k1 = 155 / 50 = 3.1, k2 = 100 / 50 = 2: the smaller wins.
  EXPECT_FLOAT_EQ(f.OutPlane[0][0], 0);
  EXPECT_FLOAT_EQ(f.OutPlane[1][0], 100);
  EXPECT_FLOAT_EQ(f.OutPlane[2][0], 200);
  // Nothing on either side of the centre: left alone.
  f.InPlane[0][0] = f.InPlane[2][0] = 100;
  f.Step();
  EXPECT_FLOAT_EQ(f.OutPlane[0][0], 100);
}

// Asks for an abort from its AbortAt-th report on (counting from 1) and
// records every report.
struct AbortingProgress : ProgressReporter {
  int AbortAt = 0;                           // 0: never
  std::vector<std::pair<int, int>> Reports;  // position, max
  void SetProgress(int, int position, const std::string&, int max) override {
    Reports.emplace_back(position, max);
  }
  bool AbortRequested() const override {
    return AbortAt > 0 && static_cast<int>(Reports.size()) >= AbortAt;
  }
};

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
    EXPECT_EQ(quiet.Reports.back().first, quiet.Reports.back().second) << name;
    EXPECT_NE(whole, src) << name;

    for (int at = 1; at < reports; ++at) {
      AbortingProgress p;
      p.AbortAt = at;
      EXPECT_THROW(row.Run(EffectInput{src, all, p}, {}, 1), lumarte::ELumarteError)
          << name << " " << at;
      EXPECT_EQ(static_cast<int>(p.Reports.size()), at) << name << ": stops at the abort";
    }
    AbortingProgress late;
    late.AbortAt = reports;  // pressed during the final report
    EXPECT_EQ(row.Run(EffectInput{src, all, late}, {}, 1), whole) << name;
  }
  // A filter object used again after an abort still filters correctly.
  TFIRIIRFilter f = SharpenFilter(2, false);
  TBitmap out, again;
  AbortingProgress p;
  p.AbortAt = 2;
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
