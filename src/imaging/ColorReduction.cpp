#include "imaging/ColorReduction.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace lumarte::imaging {

namespace {

// Colours are packed as 0x00RRGGBB while reducing; palettes store (B, G, R).
uint32_t PackPixel(const uint8_t* p) {
  return p[0] | p[1] << 8 | static_cast<uint32_t>(p[2]) << 16;
}

void SetEntry(TPalette& pal, int i, uint32_t c) {
  pal[3 * i] = c & 0xFF;
  pal[3 * i + 1] = (c >> 8) & 0xFF;
  pal[3 * i + 2] = (c >> 16) & 0xFF;
}

TRevedBitmap NewIndexed(int32_t width, int32_t height) {
  TRevedBitmap out;
  out.New(width, height, pf8bit);
  out.Palette->fill(0);
  return out;
}

// ---- exact palettes ----

// A tiny open-addressing map from colour to palette index, sized for 256 colours.
class TColorIndex {
 public:
  TColorIndex() { Keys.fill(kEmpty); }
  // Index of c, adding it when new; -1 when the table already holds limit colours.
  int Find(uint32_t c, int limit) {
    uint32_t slot = Hash(c);
    while (Keys[slot] != kEmpty) {
      if (Keys[slot] == c) return Values[slot];
      slot = (slot + 1) & (kSlots - 1);
    }
    if (Count >= limit) return -1;
    Keys[slot] = c;
    Values[slot] = static_cast<uint8_t>(Count);
    Colors[Count] = c;
    return Count++;
  }
  int Count = 0;
  std::array<uint32_t, 256> Colors{};

 private:
  static constexpr uint32_t kSlots = 1024;
  static constexpr uint32_t kEmpty = 0xFFFFFFFF;
  static uint32_t Hash(uint32_t c) { return (c * 2654435761u) >> 22; }
  std::array<uint32_t, kSlots> Keys;
  std::array<uint8_t, kSlots> Values{};
};

// Indexes a 24-bit image with its own colours in order of first occurrence;
// false when it has more than maxColors of them.
bool IndexExactly(const TRevedBitmap& src, int maxColors, TRevedBitmap& out, int& used) {
  out = NewIndexed(src.Width, src.Height);
  TColorIndex index;
  uint32_t last = 0xFFFFFFFF;
  int lastIndex = 0;
  const uint8_t* s = src.Map.get();
  uint8_t* d = out.Map.get();
  size_t pixels = static_cast<size_t>(src.Width) * src.Height;
  for (size_t i = 0; i < pixels; ++i, s += 3) {
    uint32_t c = PackPixel(s);
    if (c != last) {
      lastIndex = index.Find(c, maxColors);
      if (lastIndex < 0) return false;
      last = c;
    }
    d[i] = static_cast<uint8_t>(lastIndex);
  }
  for (int i = 0; i < index.Count; ++i) SetEntry(*out.Palette, i, index.Colors[i]);
  used = index.Count;
  return true;
}

uint32_t PaletteColor(const TPalette& pal, int i) {
  return PackPixel(&pal[3 * i]);
}

// An 8-bit image keeps its palette when the entries in use already fit; else
// its distinct colours are packed to the front when there are few enough.
bool RepackPaletted(const TRevedBitmap& src, int maxColors, TRevedBitmap& out, int& used) {
  std::array<bool, 256> inUse{};
  const uint8_t* s = src.Map.get();
  for (int32_t i = 0; i < src.Size; ++i) inUse[s[i]] = true;
  int highest = 0;
  for (int i = 0; i < 256; ++i)
    if (inUse[i]) highest = i;
  if (highest < maxColors) {
    out.Assign(src);
    std::fill(out.Palette->begin() + 3 * (highest + 1), out.Palette->end(), 0);
    used = highest + 1;
    return true;
  }
  TColorIndex index;
  std::array<uint8_t, 256> remap{};
  for (int i = 0; i < 256; ++i) {
    if (!inUse[i]) continue;
    int n = index.Find(PaletteColor(*src.Palette, i), maxColors);
    if (n < 0) return false;
    remap[i] = static_cast<uint8_t>(n);
  }
  out = NewIndexed(src.Width, src.Height);
  for (int32_t i = 0; i < src.Size; ++i) out.Map[i] = remap[s[i]];
  for (int i = 0; i < index.Count; ++i) SetEntry(*out.Palette, i, index.Colors[i]);
  used = index.Count;
  return true;
}

TRevedBitmap ExpandTo24(const TRevedBitmap& src) {
  TRevedBitmap out;
  out.New(src.Width, src.Height, pf24bit);
  const TPalette& pal = *src.Palette;
  for (int32_t i = 0; i < src.Size; ++i)
    std::memcpy(&out.Map[3 * size_t(i)], &pal[3 * src.Map[i]], 3);
  return out;
}

// ---- median cut over a 6-6-6 histogram ----

// Six bits per channel keep neighbouring shades of a gradient apart while the
// histogram stays a few megabytes.
constexpr int kBits = 6;
constexpr int kBins = 1 << kBits;

int BinIndex(int r, int g, int b) {
  return (r << kBits | g) << kBits | b;
}
int BinOf(int r, int g, int b) {
  return BinIndex(r >> (8 - kBits), g >> (8 - kBits), b >> (8 - kBits));
}

struct THistogram {
  std::vector<uint32_t> Count = std::vector<uint32_t>(kBins * kBins * kBins);
  std::vector<uint64_t> Sum = std::vector<uint64_t>(3 * kBins * kBins * kBins);  // r, g, b
};

THistogram BuildHistogram(const TRevedBitmap& src) {
  THistogram h;
  const uint8_t* p = src.Map.get();
  for (int32_t i = 0; i < src.Size; i += 3, p += 3) {
    int bin = BinOf(p[2], p[1], p[0]);
    ++h.Count[bin];
    h.Sum[3 * bin] += p[2];
    h.Sum[3 * bin + 1] += p[1];
    h.Sum[3 * bin + 2] += p[0];
  }
  return h;
}

struct TBox {
  std::array<int, 3> Lo, Hi;  // inclusive bin ranges for r, g, b
  uint64_t Count = 0;
};

template <typename F>
void ForEachBin(const TBox& box, F f) {
  for (int r = box.Lo[0]; r <= box.Hi[0]; ++r)
    for (int g = box.Lo[1]; g <= box.Hi[1]; ++g)
      for (int b = box.Lo[2]; b <= box.Hi[2]; ++b) f(BinIndex(r, g, b), std::array{r, g, b});
}

// Shrinks the box to the bins that hold pixels and counts them.
void Shrink(TBox& box, const THistogram& h) {
  std::array<int, 3> lo{kBins, kBins, kBins}, hi{-1, -1, -1};
  uint64_t count = 0;
  ForEachBin(box, [&](int bin, std::array<int, 3> at) {
    if (!h.Count[bin]) return;
    count += h.Count[bin];
    for (int a = 0; a < 3; ++a) lo[a] = std::min(lo[a], at[a]), hi[a] = std::max(hi[a], at[a]);
  });
  box.Lo = lo;
  box.Hi = hi;
  box.Count = count;
}

int LongestAxis(const TBox& box) {
  // Green first, then red, then blue on ties: the eye resolves them in that order.
  static constexpr int order[3] = {1, 0, 2};
  int best = order[0];
  for (int a : order)
    if (box.Hi[a] - box.Lo[a] > box.Hi[best] - box.Lo[best]) best = a;
  return best;
}

// Splits at the population median along the longest axis; false when the box
// is a single bin.
bool Split(TBox& box, TBox& other, const THistogram& h) {
  int axis = LongestAxis(box);
  if (box.Hi[axis] == box.Lo[axis]) return false;
  std::vector<uint64_t> slice(kBins);
  ForEachBin(box, [&](int bin, std::array<int, 3> at) { slice[at[axis]] += h.Count[bin]; });
  uint64_t acc = 0;
  int cut = box.Lo[axis];
  for (; cut < box.Hi[axis] - 1; ++cut) {
    acc += slice[cut];
    if (2 * acc >= box.Count) break;
  }
  other = box;
  box.Hi[axis] = cut;
  other.Lo[axis] = cut + 1;
  Shrink(box, h);
  Shrink(other, h);
  return true;
}

uint64_t Priority(const TBox& b) {
  uint64_t extent = 0;
  for (int a = 0; a < 3; ++a) extent = std::max<uint64_t>(extent, b.Hi[a] - b.Lo[a]);
  return extent ? b.Count * extent : 0;
}

std::vector<TBox> MedianCut(const THistogram& h, int maxColors) {
  std::vector<TBox> boxes(1);
  boxes[0].Lo = {0, 0, 0};
  boxes[0].Hi = {kBins - 1, kBins - 1, kBins - 1};
  Shrink(boxes[0], h);
  while (static_cast<int>(boxes.size()) < maxColors) {
    auto it = std::max_element(boxes.begin(), boxes.end(), [](const TBox& a, const TBox& b) {
      return Priority(a) < Priority(b);
    });
    if (Priority(*it) == 0) break;
    TBox other;
    if (!Split(*it, other, h)) break;
    boxes.push_back(other);
  }
  return boxes;
}

struct TMean {
  uint64_t R = 0, G = 0, B = 0, N = 0;
  void Add(const THistogram& h, int bin) {
    R += h.Sum[3 * bin], G += h.Sum[3 * bin + 1], B += h.Sum[3 * bin + 2], N += h.Count[bin];
  }
  uint32_t Color() const {
    auto avg = [&](uint64_t s) { return static_cast<uint32_t>((s + N / 2) / N); };
    return avg(R) << 16 | avg(G) << 8 | avg(B);
  }
};

int Distance(uint32_t a, uint32_t b) {
  int dr = int(a >> 16) - int(b >> 16);
  int dg = int((a >> 8) & 0xFF) - int((b >> 8) & 0xFF);
  int db = int(a & 0xFF) - int(b & 0xFF);
  return dr * dr + dg * dg + db * db;
}

// Nearest palette entry by squared distance. Colour space is cut into cells of
// 8x8x8; each cell keeps, once asked, the few entries that can be nearest to
// any colour inside it, so a query compares against those only.
class TPaletteSearch {
 public:
  explicit TPaletteSearch(const std::vector<uint32_t>& pal)
      : Pal(pal), Candidates(kCells * kCells * kCells) {}
  int Nearest(uint32_t c) {
    int r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
    std::vector<uint8_t>& list =
        Candidates[(r >> kShift) << 10 | (g >> kShift) << 5 | (b >> kShift)];
    if (list.empty()) list = CellCandidates(r >> kShift, g >> kShift, b >> kShift);
    int best = list[0], bestDist = Distance(Pal[best], c);
    for (size_t i = 1; i < list.size(); ++i) {
      int d = Distance(Pal[list[i]], c);
      if (d < bestDist) best = list[i], bestDist = d;
    }
    return best;
  }

 private:
  static constexpr int kShift = 3, kCells = 256 >> kShift, kSide = 1 << kShift;

  // Squared distance from v to the range [lo, lo + kSide - 1] (nearest and farthest).
  static int Near(int v, int lo) {
    return v < lo ? lo - v : v > lo + kSide - 1 ? v - lo - kSide + 1 : 0;
  }
  static int Far(int v, int lo) { return std::max(std::abs(v - lo), std::abs(v - lo - kSide + 1)); }

  std::vector<uint8_t> CellCandidates(int cr, int cg, int cb) const {
    int lo[3] = {cr << kShift, cg << kShift, cb << kShift};
    auto channels = [](uint32_t e) {
      return std::array<int, 3>{int(e >> 16), int((e >> 8) & 0xFF), int(e & 0xFF)};
    };
    // No colour in the cell is farther from its nearest entry than this bound.
    int bound = 1 << 30;
    for (uint32_t e : Pal) {
      auto ch = channels(e);
      int far = 0;
      for (int a = 0; a < 3; ++a) far += Far(ch[a], lo[a]) * Far(ch[a], lo[a]);
      bound = std::min(bound, far);
    }
    std::vector<uint8_t> list;
    for (size_t i = 0; i < Pal.size(); ++i) {
      auto ch = channels(Pal[i]);
      int nearest = 0;
      for (int a = 0; a < 3; ++a) nearest += Near(ch[a], lo[a]) * Near(ch[a], lo[a]);
      if (nearest <= bound) list.push_back(static_cast<uint8_t>(i));
    }
    return list;
  }

  const std::vector<uint32_t>& Pal;
  std::vector<std::vector<uint8_t>> Candidates;
};

// A few k-means rounds over the histogram bins pull each entry to the mean of
// the colours that map to it.
void Refine(std::vector<uint32_t>& pal, const THistogram& h, int rounds) {
  for (int round = 0; round < rounds; ++round) {
    std::vector<TMean> means(pal.size());
    TPaletteSearch search(pal);
    for (int bin = 0; bin < kBins * kBins * kBins; ++bin) {
      if (!h.Count[bin]) continue;
      TMean one;
      one.Add(h, bin);
      means[search.Nearest(one.Color())].Add(h, bin);
    }
    for (size_t i = 0; i < pal.size(); ++i)
      if (means[i].N) pal[i] = means[i].Color();
  }
}

std::vector<uint32_t> BuildPalette(const TRevedBitmap& src, int maxColors) {
  THistogram h = BuildHistogram(src);
  std::vector<uint32_t> pal;
  for (const TBox& box : MedianCut(h, maxColors)) {
    TMean m;
    ForEachBin(box, [&](int bin, std::array<int, 3>) { m.Add(h, bin); });
    if (m.N) pal.push_back(m.Color());
  }
  Refine(pal, h, 2);
  return pal;
}

// ---- mapping pixels to the palette ----

void MapPlain(const TRevedBitmap& src, const std::vector<uint32_t>& pal, TRevedBitmap& out) {
  TPaletteSearch search(pal);
  const uint8_t* s = src.Map.get();
  size_t pixels = static_cast<size_t>(src.Width) * src.Height;
  for (size_t i = 0; i < pixels; ++i, s += 3)
    out.Map[i] = static_cast<uint8_t>(search.Nearest(PackPixel(s)));
}

uint8_t Clamp255(int v) {
  return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

// Floyd–Steinberg: errors kept in sixteenths, 7 right, 3 down-left, 5 down,
// 1 down-right.
void MapDithered(const TRevedBitmap& src, const std::vector<uint32_t>& pal, TRevedBitmap& out) {
  TPaletteSearch search(pal);
  int32_t w = src.Width;
  std::vector<int> cur(3 * (w + 2)), next(3 * (w + 2));
  for (int32_t y = 0; y < src.Height; ++y) {
    const uint8_t* s = src.ScanLine(y);
    uint8_t* d = out.ScanLine(y);
    std::fill(next.begin(), next.end(), 0);
    for (int32_t x = 0; x < w; ++x) {
      int* e = &cur[3 * (x + 1)];
      uint8_t want[3];
      for (int c = 0; c < 3; ++c) want[c] = Clamp255(s[3 * x + c] + ((e[c] + 8) >> 4));
      int idx = search.Nearest(PackPixel(want));
      d[x] = static_cast<uint8_t>(idx);
      uint32_t got = pal[idx];
      int gotBgr[3] = {int(got & 0xFF), int((got >> 8) & 0xFF), int(got >> 16)};
      for (int c = 0; c < 3; ++c) {
        int err = want[c] - gotBgr[c];
        e[3 + c] += 7 * err;
        next[3 * x + c] += 3 * err;
        next[3 * (x + 1) + c] += 5 * err;
        next[3 * (x + 2) + c] += err;
      }
    }
    std::swap(cur, next);
  }
}

TRevedBitmap Quantize(const TRevedBitmap& src, const TColorReductionOptions& options, int& used) {
  std::vector<uint32_t> pal = BuildPalette(src, options.MaxColors);
  TRevedBitmap out = NewIndexed(src.Width, src.Height);
  for (size_t i = 0; i < pal.size(); ++i) SetEntry(*out.Palette, static_cast<int>(i), pal[i]);
  if (options.Dither)
    MapDithered(src, pal, out);
  else
    MapPlain(src, pal, out);
  used = static_cast<int>(pal.size());
  return out;
}

}  // namespace

TRevedBitmap ReduceColors(const TRevedBitmap& source, const TColorReductionOptions& options,
                          int* usedColors) {
  TColorReductionOptions opt = options;
  opt.MaxColors = std::clamp(opt.MaxColors, 2, 256);
  int used = 0;
  TRevedBitmap out;
  if (source.Present) {
    if (source.PixelFormat == pf8bit) {
      if (!RepackPaletted(source, opt.MaxColors, out, used))
        out = Quantize(ExpandTo24(source), opt, used);
    } else if (!IndexExactly(source, opt.MaxColors, out, used)) {
      out = Quantize(source, opt, used);
    }
  }
  if (usedColors) *usedColors = used;
  return out;
}

}  // namespace lumarte::imaging
