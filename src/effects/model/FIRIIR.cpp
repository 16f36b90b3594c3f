#include "effects/model/FIRIIR.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

#include "base/FastRound.h"
#include "base/Parallel.h"

namespace lumarte::effects {

namespace {

using editor::TBitmap;

// Enough samples per thread that starting it is worth it.
constexpr int kSamplesPerPart = 1 << 16;

// Calls work(first, end) on ranges of a plane's lines (columns or rows of
// `length` samples each), on several threads when there is enough to do.
template <class F>
void ForLines(int lines, int length, F&& work) {
  ParallelRanges(
      lines, [&](int64_t a, int64_t b) { work(static_cast<int>(a), static_cast<int>(b)); },
      std::max(1, kSamplesPerPart / std::max(1, length)));
}

// Copies byte c of every pixel into the plane. A plane holding image rows
// (byRows) is a plain copy; otherwise it is a transpose, done in narrow
// strips of columns so that every strip's columns stay cached.
void LoadChannel(const TBitmap& source, int c, TPlane& plane, bool byRows) {
  const int w = source.Width(), h = source.Height();
  if (byRows) {
    ForLines(h, w, [&](int y0, int y1) {
      for (int y = y0; y < y1; ++y) {
        const uint8_t* row = source.ScanLine(y) + c;
        float* out = plane[y];
        for (int x = 0; x < w; ++x) out[x] = row[3 * x];
      }
    });
    return;
  }
  ForLines(w, h, [&](int x0, int x1) {
    for (int s = x0; s < x1; s += 16) {
      const int e = std::min(x1, s + 16);
      for (int y = 0; y < h; ++y) {
        const uint8_t* row = source.ScanLine(y) + c;
        for (int x = s; x < e; ++x) plane[x][y] = row[3 * x];
      }
    }
  });
}

void StoreChannel(const TPlane& plane, int c, TBitmap& target, bool byRows) {
  const int w = target.Width(), h = target.Height();
  if (byRows) {
    ForLines(h, w, [&](int y0, int y1) {
      for (int y = y0; y < y1; ++y) {
        uint8_t* row = target.ScanLine(y) + c;
        const float* in = plane[y];
        for (int x = 0; x < w; ++x) row[3 * x] = FastClampRound(in[x]);
      }
    });
    return;
  }
  ForLines(w, h, [&](int x0, int x1) {
    for (int s = x0; s < x1; s += 16) {
      const int e = std::min(x1, s + 16);
      for (int y = 0; y < h; ++y) {
        uint8_t* row = target.ScanLine(y) + c;
        for (int x = s; x < e; ++x) row[3 * x] = FastClampRound(plane[x][y]);
      }
    }
  });
}

// Four floats at a time; each lane rounds exactly as the scalar code.
typedef float Float4 __attribute__((vector_size(16)));

// acc[y] += w * src[y + dy] for the rows whose source lies inside the plane.
void AddTap(float* __restrict acc, const float* __restrict src, int height, int dy, float w) {
  const int y0 = std::max(0, -dy), y1 = std::min(height, height - dy);
  const Float4 wv = {w, w, w, w};
  int y = y0;
  for (; y + 4 <= y1; y += 4) {
    Float4 a, s;
    std::memcpy(&a, acc + y, sizeof a);
    std::memcpy(&s, src + y + dy, sizeof s);
    a = a + wv * s;
    std::memcpy(acc + y, &a, sizeof a);
  }
  for (; y < y1; ++y) acc[y] = acc[y] + w * src[y + dy];
}

// v = scale * v + offset over a column, tracking the smallest and largest.
void ScaleColumn(float* v, int n, float scale, float offset, float& lo, float& hi) {
  const Float4 sv = {scale, scale, scale, scale}, ov = {offset, offset, offset, offset};
  Float4 vlo = {lo, lo, lo, lo}, vhi = {hi, hi, hi, hi};
  int y = 0;
  for (; y + 4 <= n; y += 4) {
    Float4 a;
    std::memcpy(&a, v + y, sizeof a);
    a = sv * a + ov;
    std::memcpy(v + y, &a, sizeof a);
    vlo = a < vlo ? a : vlo;
    vhi = a > vhi ? a : vhi;
  }
  for (int i = 0; i < 4; ++i) lo = std::min(lo, vlo[i]), hi = std::max(hi, vhi[i]);
  for (; y < n; ++y) {
    v[y] = scale * v[y] + offset;
    lo = std::min(lo, v[y]);
    hi = std::max(hi, v[y]);
  }
}

}  // namespace

void TPlane::SetSize(int width, int height) {
  if (width == W && height == H) return;
  std::vector<float> next(static_cast<size_t>(width) * static_cast<size_t>(height), 0.0f);
  const int keepW = std::min(W, width), keepH = std::min(H, height);
  for (int x = 0; x < keepW; ++x)
    std::copy_n((*this)[x], keepH, next.data() + static_cast<size_t>(x) * height);
  Data.swap(next);
  W = width;
  H = height;
}

void TPlane::Swap(TPlane& other) noexcept {
  std::swap(W, other.W);
  std::swap(H, other.H);
  Data.swap(other.Data);
}

void TFIRIIRFilter::Clear() {
  FIRTaps.clear();
  IIRTaps.clear();
}

void TFIRIIRFilter::AddFIR(int dx, int dy, double w) {
  FIRTaps.push_back({dx, dy, static_cast<float>(w)});
}

void TFIRIIRFilter::AddIIR(int dx, int dy, double w) {
  IIRTaps.push_back({dx, dy, static_cast<float>(w)});
}

// Columns x0..x1-1 of one pass. The FIR part of a column is summed tap by tap
// over the whole column (each sample still adds its taps in list order); the
// IIR part then walks the column top to bottom, since its taps read outputs
// of this very pass.
void TFIRIIRFilter::StepColumns(int x0, int x1, float& lo, float& hi) {
  const int w = InPlane.Width(), h = InPlane.Height();
  const bool recursive = !IIRTaps.empty();
  std::vector<float> scratch(recursive ? static_cast<size_t>(h) : 0);
  float low = lo, high = hi;
  for (int x = x0; x < x1; ++x) {
    float* out = OutPlane[x];
    float* acc = recursive ? scratch.data() : out;
    std::fill_n(acc, h, 0.0f);
    for (const TTap& t : FIRTaps) {
      // A plane of image rows sees every tap with its offsets exchanged.
      const int dx = ByRows ? t.dy : t.dx, dy = ByRows ? t.dx : t.dy;
      if (x + dx >= 0 && x + dx < w) AddTap(acc, InPlane[x + dx], h, dy, t.w);
    }
    if (!recursive) {
      ScaleColumn(out, h, Scale, Offset, low, high);
      continue;
    }
    for (int y = 0; y < h; ++y) {
      float v = acc[y];
      for (const TTap& t : IIRTaps) {
        const int sx = x + t.dx, sy = y + t.dy;
        if (sx < 0 || sx >= w || sy < 0 || sy >= h) continue;
        // The sample's own slot holds its partial sum while it is summed.
        const float stored = t.dx == 0 && t.dy == 0 ? v : OutPlane[sx][sy];
        v = v + t.w * stored;
      }
      v = Scale * v + Offset;
      out[y] = v;
      high = std::max(high, v);
      low = std::min(low, v);
    }
  }
  lo = low;
  hi = high;
}

void TFIRIIRFilter::NormalizeOutput(float lo, float hi) {
  const double c = Center;
  const double k1 = hi - c > 0 ? (HighLimit - c) / (hi - c) : 1e20;
  const double k2 = lo - c < 0 ? std::abs(LowLimit - c) / std::abs(lo - c) : 1e20;
  double k = std::min(k1, k2);
  if (k >= 1e19) k = 1;
  const int h = OutPlane.Height();
  for (int x = 0; x < OutPlane.Width(); ++x) {
    float* out = OutPlane[x];
    for (int y = 0; y < h; ++y) out[y] = static_cast<float>((out[y] - c) * k + c);
  }
}

void TFIRIIRFilter::Step() {
  const int w = InPlane.Width(), h = InPlane.Height();
  OutPlane.SetSize(w, h);
  float lo = HighLimit, hi = LowLimit;
  if (IIRTaps.empty()) {
    // Every output depends on the input only: columns can go in any order.
    std::mutex m;
    ForLines(w, h, [&](int x0, int x1) {
      float partLo = HighLimit, partHi = LowLimit;
      StepColumns(x0, x1, partLo, partHi);
      std::lock_guard<std::mutex> lock(m);
      lo = std::min(lo, partLo);
      hi = std::max(hi, partHi);
    });
  } else {
    StepColumns(0, w, lo, hi);
  }
  if (Normalize) NormalizeOutput(lo, hi);
}

void TFIRIIRFilter::Run(int iterations, const std::function<void(int)>& beforePass) {
  for (int i = 0; i < std::max(iterations, 1); ++i) {
    if (beforePass) beforePass(i);
    if (i > 0) InPlane.Swap(OutPlane);
    Step();
  }
}

// Filters without IIR taps give the same outputs in any order, so their
// planes hold image rows: loading and storing a channel is then a plain copy
// instead of a transpose, and each pass still adds every sample's taps in
// list order.
void TFIRIIRFilter::BeginChannels(int width, int height) {
  ByRows = IIRTaps.empty();
  InPlane.SetSize(ByRows ? height : width, ByRows ? width : height);
  OutPlane.SetSize(ByRows ? height : width, ByRows ? width : height);
}

void TFIRIIRFilter::Apply(const TBitmap& source, TBitmap& target, int iterations,
                          ProgressReporter& progress) {
  target.SetSize(source.Width(), source.Height());
  BeginChannels(source.Width(), source.Height());
  // The planes hold columns again afterwards, also when an abort ends the run.
  struct ResetLayout {
    bool& ByRows;
    ~ResetLayout() { ByRows = false; }
  } reset{ByRows};
  // One progress step per pass; Abort is honoured before a pass starts, so
  // once the last pass has run the result stands.
  const int passes = std::max(iterations, 1);
  const int total = 3 * passes;
  for (int c = 0; c < 3; ++c) {
    LoadChannel(source, c, InPlane, ByRows);
    Run(passes, [&](int i) { ReportProgress(progress, c * passes + i, "FILTER", total); });
    StoreChannel(OutPlane, c, target, ByRows);
  }
  progress.SetProgress(0, total, "FILTER", total);
}

void ApplyRGB(const TBitmap& source, TBitmap& target, TFIRIIRFilter& red, TFIRIIRFilter& green,
              TFIRIIRFilter& blue, int iterations, ProgressReporter& progress) {
  target.SetSize(source.Width(), source.Height());
  TFIRIIRFilter* byChannel[3] = {&blue, &green, &red};  // byte order
  for (int c = 0; c < 3; ++c) {
    byChannel[c]->BeginChannels(source.Width(), source.Height());
    LoadChannel(source, c, byChannel[c]->InPlane, byChannel[c]->ByRows);
  }
  for (int c = 0; c < 3; ++c) {
    progress.SetProgress(0, c, "FILTER", 3);
    byChannel[c]->Run(iterations);
    StoreChannel(byChannel[c]->OutPlane, c, target, byChannel[c]->ByRows);
    byChannel[c]->ByRows = false;
  }
}

namespace {

TBitmap KeepOutsideSelection(const EffectInput& in, TBitmap&& work) {
  if (in.Selection.SelectsAll()) return std::move(work);
  TBitmap out = in.Source;
  ForEachSelectedPixel(in, [&](const uint8_t*, int x, int y) {
    std::copy_n(work.ScanLine(y) + 3 * x, 3, out.ScanLine(y) + 3 * x);
  });
  return out;
}

}  // namespace

TBitmap ApplyFilterInSelection(const EffectInput& in, TFIRIIRFilter& filter, int iterations) {
  TBitmap work;
  filter.Apply(in.Source, work, iterations, in.Progress);
  return KeepOutsideSelection(in, std::move(work));
}

TBitmap ApplyRGBInSelection(const EffectInput& in, TFIRIIRFilter& red, TFIRIIRFilter& green,
                            TFIRIIRFilter& blue, int iterations) {
  TBitmap work;
  ApplyRGB(in.Source, work, red, green, blue, iterations, in.Progress);
  return KeepOutsideSelection(in, std::move(work));
}

}  // namespace lumarte::effects
