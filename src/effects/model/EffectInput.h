#pragma once
// What every effect algorithm works from: the document's raster, its
// selection, a progress reporter and the program's colour set (for effects
// that paint or fill). Effects return a new raster, the same size unless the
// effect changes it; pixels outside the selection stay as they were unless an
// effect says otherwise. An empty result (0 x 0) means the command has
// nothing to do: the image stays as it is and no undo level is made.
#include "editor/model/Bitmap.h"
#include "editor/model/ColorSet.h"
#include "editor/model/SelectionTest.h"
#include "base/Parallel.h"
#include "base/Progress.h"

namespace lumarte::effects {

struct EffectInput {
  const editor::TBitmap& Source;
  const editor::TSelectionTest& Selection;
  ProgressReporter& Progress;
  const editor::TColorSet& Colours = DefaultColours();
  // The selection's shape, for effects that draw it rather than test pixels
  // against it; null when the caller has none.
  const editor::TSelectionClass* Shape = nullptr;
  // The last pressed point on the image; X < 0 when there is none.
  editor::TPoint LastPressed{-1, -1};

  // Where fills and insertions start: the last pressed point, else the
  // selection's top-left corner.
  editor::TPoint SelectionAnchor() const {
    if (LastPressed.X >= 0) return LastPressed;
    return {Selection.Bounds().Left, Selection.Bounds().Top};
  }

  // The colour set as the program starts, for callers without one of their own.
  static const editor::TColorSet& DefaultColours() {
    static const editor::TColorSet defaults;
    return defaults;
  }
};

// Calls f(src, x, y) for every selected pixel in rows top to bottom; src
// points at the pixel's blue byte.
template <class F>
void ForEachSelectedPixel(const EffectInput& in, F&& f) {
  // Only the selection's bounds can hold selected pixels.
  const editor::TRect& c = in.Selection.Candidates();
  for (int y = c.Top; y <= c.Bottom; ++y) {
    const uint8_t* s = in.Source.ScanLine(y);
    in.Selection.ForEachRun(y, [&](int first, int last) {
      for (int x = first; x <= last; ++x) f(s + 3 * x, x, y);
    });
  }
}

// Copies the source into out, then calls f(src, dst, count) for every run of
// count selected pixels, rows top to bottom: for maps that work on whole runs.
template <class F>
void MapSelectedRuns(const EffectInput& in, editor::TBitmap& out, F&& f) {
  out = in.Source;
  const editor::TRect& c = in.Selection.Candidates();
  for (int y = c.Top; y <= c.Bottom; ++y) {
    const uint8_t* s = in.Source.ScanLine(y);
    uint8_t* d = out.ScanLine(y);
    in.Selection.ForEachRun(y, [&](int first, int last) {
      f(s + 3 * first, d + 3 * first, last - first + 1);
    });
  }
}

// Copies the source into out, then calls f(src, dst, x, y) for every selected
// pixel.
template <class F>
void MapSelectedPixels(const EffectInput& in, editor::TBitmap& out, F&& f) {
  out = in.Source;
  const uint8_t* base = in.Source.ScanLine(0);
  uint8_t* outBase = out.ScanLine(0);
  ForEachSelectedPixel(in,
                       [&](const uint8_t* s, int x, int y) { f(s, outBase + (s - base), x, y); });
}

// A result of the source's size whose every row y is written by
// f(source row y, result row y, width), rows spread over the cores: f must
// depend on nothing but its row.
template <class F>
editor::TBitmap MapWholeRows(const editor::TBitmap& source, F&& f) {
  const int w = source.Width();
  auto out = editor::TBitmap::ForOverwrite(w, source.Height());
  ParallelRanges(
      source.Height(),
      [&](int64_t first, int64_t end) {
        for (auto y = static_cast<int>(first); y < end; ++y) f(source.ScanLine(y), out.ScanLine(y), w);
      },
      std::max(1, (1 << 16) / std::max(w, 1)));
  return out;
}

// Calls rows(first, end) for consecutive ranges of the selection's candidate
// rows, each range on a core of its own.
template <class F>
void ParallelCandidateRows(const EffectInput& in, F&& rows) {
  const editor::TRect& c = in.Selection.Candidates();
  const int w = std::max(1, c.Right - c.Left + 1);
  ParallelRanges(
      std::max(0, c.Bottom - c.Top + 1),
      [&](int64_t first, int64_t end) { rows(c.Top + static_cast<int>(first), c.Top + static_cast<int>(end)); },
      std::max(1, (1 << 16) / w));
}

// f(src, dst, count) writes every pixel of each run of selected pixels; the
// others keep the source's. Rows go on all cores: f must depend on nothing
// but its run.
template <class F>
editor::TBitmap MapRuns(const EffectInput& in, F&& f) {
  if (in.Selection.SelectsAll()) return MapWholeRows(in.Source, f);
  editor::TBitmap out = in.Source;
  ParallelCandidateRows(in, [&](int first, int end) {
    for (int y = first; y < end; ++y) {
      const uint8_t* s = in.Source.ScanLine(y);
      uint8_t* d = out.ScanLine(y);
      in.Selection.ForEachRun(y, [&](int lo, int hi) { f(s + 3 * lo, d + 3 * lo, hi - lo + 1); });
    }
  });
  return out;
}

}  // namespace lumarte::effects
