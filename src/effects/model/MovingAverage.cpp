// Moving average over a disc. Each row of the image is turned once into
// running sums per channel; the sum over the disc is then one difference of
// running sums per row span of the disc, so a pixel costs 2r + 1 look-ups
// per channel instead of (2r + 1)^2.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>

#include "base/FastRound.h"
#include "effects/model/FilterEffects.h"
#include "base/Parallel.h"
#include "base/Rounding.h"

namespace lumarte::effects {

namespace {

using editor::TBitmap;

const char* const kTitle = "Moving Average Filter";

// Half widths of the disc's row spans: span[dy + r] is the largest h with
// h^2 + dy^2 <= r^2.
std::vector<int> DiscSpans(int r) {
  std::vector<int> span(static_cast<size_t>(2 * r + 1));
  for (int dy = -r; dy <= r; ++dy) {
    int h = 0;
    while ((h + 1) * (h + 1) + dy * dy <= r * r) ++h;
    span[static_cast<size_t>(dy + r)] = h;
  }
  return span;
}

// Running sums of the rows the disc currently covers, kept in a ring. The
// sums are 32-bit and may wrap: only differences of spans are used, and
// those are small.
class RowSums {
 public:
  RowSums(const TBitmap& image, int r)
      : Image(image),
        Rows(2 * r + 1),
        Stride(3 * (static_cast<size_t>(image.Width()) + 1)),
        Sums(static_cast<size_t>(Rows) * Stride),
        Loaded(static_cast<size_t>(Rows), -1) {}

  // Running sums of image row y: entry 3x + c is the sum of channel c over
  // columns 0..x-1.
  const uint32_t* Row(int y) {
    const size_t slot = static_cast<size_t>(y % Rows);
    uint32_t* s = Sums.data() + slot * Stride;
    if (Loaded[slot] != y) {
      const uint8_t* p = Image.ScanLine(y);
      s[0] = s[1] = s[2] = 0;
      for (size_t i = 0; i < Stride - 3; ++i) s[i + 3] = s[i] + p[i];
      Loaded[slot] = y;
    }
    return s;
  }

 private:
  const TBitmap& Image;
  int Rows;
  size_t Stride;
  std::vector<uint32_t> Sums;
  std::vector<int> Loaded;
};

typedef uint32_t U32x4 __attribute__((vector_size(16)));

// t[i] += add[i] - sub[i], four at a time.
void AddSpans(uint32_t* __restrict t, const uint32_t* add, const uint32_t* sub, size_t n) {
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    U32x4 a, b, c;
    std::memcpy(&a, t + i, sizeof a);
    std::memcpy(&b, add + i, sizeof b);
    std::memcpy(&c, sub + i, sizeof c);
    a += b - c;
    std::memcpy(t + i, &a, sizeof a);
  }
  for (; i < n; ++i) t[i] += add[i] - sub[i];
}

// Channel sums and pixel counts over the disc for columns x0..x1 of row y.
void DiscSums(RowSums& sums, const std::vector<int>& span, int y, int x0, int x1, int width,
              int height, std::vector<uint32_t>& total, std::vector<uint32_t>& count) {
  const int r = static_cast<int>(span.size() / 2);
  std::fill(total.begin(), total.end(), 0u);
  std::fill(count.begin(), count.end(), 0u);
  for (int dy = -r; dy <= r; ++dy) {
    if (y + dy < 0 || y + dy >= height) continue;
    const uint32_t* s = sums.Row(y + dy);
    const int h = span[static_cast<size_t>(dy + r)];
    // Away from the image's sides the span needs no clipping.
    const int in0 = std::max(x0, h), in1 = std::min(x1, width - 1 - h);
    auto clipped = [&](int x) {
      const int lo = std::max(0, x - h), hi = std::min(width - 1, x + h);
      uint32_t* t = total.data() + 3 * static_cast<size_t>(x - x0);
      for (int c = 0; c < 3; ++c) t[c] += s[3 * (hi + 1) + c] - s[3 * lo + c];
      count[static_cast<size_t>(x - x0)] += static_cast<uint32_t>(hi - lo + 1);
    };
    for (int x = x0; x <= x1 && x < in0; ++x) clipped(x);
    if (in0 <= in1) {
      uint32_t* t = total.data() + 3 * static_cast<size_t>(in0 - x0);
      const uint32_t* add = s + 3 * static_cast<size_t>(in0 + h + 1);
      const uint32_t* sub = s + 3 * static_cast<size_t>(in0 - h);
      AddSpans(t, add, sub, 3 * static_cast<size_t>(in1 - in0 + 1));
      uint32_t* k = count.data() + (in0 - x0);
      for (int x = in0; x <= in1; ++x) *k++ += static_cast<uint32_t>(2 * h + 1);
    }
    for (int x = std::max({x0, in0, in1 + 1}); x <= x1; ++x) clipped(x);
  }
}

struct Differences {
  int Min = 256, Max = -256;
};

// Writes the rounded averages of the selected pixels of rows y0..y1-1 into
// out and tracks the differences image - average. Only the first part
// reports progress (it runs on the caller's thread).
void AverageRows(const EffectInput& in, const std::vector<int>& span, int y0, int y1, bool reports,
                 std::atomic<bool>& stop, TBitmap& out, Differences& diff) {
  const TBitmap& src = in.Source;
  const editor::TRect& cand = in.Selection.Candidates();
  const int x0 = cand.Left, x1 = cand.Right, n = x1 - x0 + 1;
  RowSums sums(src, static_cast<int>(span.size() / 2));
  std::vector<uint32_t> total(3 * static_cast<size_t>(n)), count(static_cast<size_t>(n));
  for (int y = y0; y < y1; ++y) {
    if (reports)
      ReportProgress(in.Progress, y - y0, kTitle, y1 - y0);
    else if (stop)
      return;
    DiscSums(sums, span, y, x0, x1, src.Width(), src.Height(), total, count);
    const uint8_t* s = src.ScanLine(y);
    uint8_t* d = out.ScanLine(y);
    for (int x = x0; x <= x1; ++x) {
      if (!in.Selection.SelectsAll() && !in.Selection.InSelection(x, y)) continue;
      const size_t i = static_cast<size_t>(x - x0);
      const double k = count[i];
      for (int c = 0; c < 3; ++c) {
        const int avg = static_cast<int>(RoundSmall(total[3 * i + c] / k));
        d[3 * x + c] = static_cast<uint8_t>(avg);
        const int dv = s[3 * x + c] - avg;
        diff.Min = std::min(diff.Min, dv);
        diff.Max = std::max(diff.Max, dv);
      }
    }
  }
}

// Replaces the averages of the selected pixels by the stretched differences.
void HighPass(const EffectInput& in, const Differences& diff, TBitmap& out) {
  const int range = diff.Max - diff.Min;
  // All differences equal: no contrast to stretch, a flat mid grey.
  const int64_t k = range > 0 ? Round(256.0 / range) : 0;
  ForEachSelectedPixel(in, [&](const uint8_t* s, int x, int y) {
    uint8_t* d = out.ScanLine(y) + 3 * x;
    for (int c = 0; c < 3; ++c)
      d[c] = range > 0 ? static_cast<uint8_t>(std::min<int64_t>(255, k * (s[c] - d[c] - diff.Min)))
                       : 128;
  });
}

}  // namespace

TBitmap MovingAverage(const EffectInput& in, int width, bool highPass) {
  TBitmap out = in.Source;
  const editor::TRect& cand = in.Selection.Candidates();
  if (cand.Right < cand.Left || cand.Bottom < cand.Top) return out;
  const std::vector<int> span = DiscSpans(std::max(1, width));
  const int rows = cand.Bottom - cand.Top + 1;
  const int pixelsPerRow = cand.Right - cand.Left + 1;
  Differences diff;
  std::mutex m;
  std::atomic<bool> stop = false;
  auto part = [&](int64_t r0, int64_t r1) {
    // Only the part on the caller's thread reports progress and may abort.
    const bool reports = r0 == 0;
    Differences found;
    try {
      AverageRows(in, span, cand.Top + static_cast<int>(r0), cand.Top + static_cast<int>(r1),
                  reports, stop, out, found);
    } catch (...) {
      stop = true;  // the other parts end early; the abort goes on
      throw;
    }
    std::lock_guard<std::mutex> lock(m);
    diff.Min = std::min(diff.Min, found.Min);
    diff.Max = std::max(diff.Max, found.Max);
  };
  ParallelRanges(rows, part, std::max(1, (1 << 16) / pixelsPerRow));
  if (highPass) HighPass(in, diff, out);
  return out;
}

}  // namespace lumarte::effects
