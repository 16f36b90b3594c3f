#include "browser/model/BrowserGrid.h"

#include <algorithm>

#include "base/Rounding.h"

namespace lumarte::browser {

namespace {

// Cells per line and their size along one axis.
void Axis(int length, int thumb, int& cells, int& cellSize) {
  cells = std::max(1, length / (thumb + kCellGap));
  cellSize = std::max(1, (length - 1 - (thumb + kCellGap) * cells) / cells + thumb);
}

}  // namespace

TBrowserGrid ComputeGrid(int width, int height, int thumbWidth, int thumbHeight) {
  TBrowserGrid g;
  Axis(width, thumbWidth, g.Columns, g.CellWidth);
  Axis(height, thumbHeight, g.Rows, g.CellHeight);
  return g;
}

TPlace FitInCell(int width, int height, int cellWidth, int cellHeight) {
  int64_t w = width, h = height;
  const int64_t cw = cellWidth, ch = cellHeight;
  if (w != 0 && h != 0) {
    if (w < cw) {
      h = h * cw / w;
      w = cw;
    }
    if (h < ch && h > 0) {
      w = w * ch / h;
      h = ch;
    }
    if (w > cw) {
      h = Round(static_cast<double>(h) * cw / w);
      w = cw;
    }
    if (h > ch) {
      w = Round(static_cast<double>(w) * ch / h);
      h = ch;
    }
    // A hair-thin picture still shows as one line of pixels.
    w = std::max<int64_t>(w, 1);
    h = std::max<int64_t>(h, 1);
  }
  return {0, 0, static_cast<int>(w), static_cast<int>(h)};
}

TPlace CellPlace(const TBrowserGrid& grid, int column, int row, int w, int h) {
  return {(grid.CellWidth + kCellGap) * column + 1 + (grid.CellWidth - w) / 2,
          (grid.CellHeight + kCellGap) * row + 1 + (grid.CellHeight - h) / 2, w, h};
}

int IndexAt(const TBrowserGrid& grid, int first, int x, int y) {
  if (x < 0 || y < 0) return -1;
  int column = x / (grid.CellWidth + kCellGap);
  int row = y / (grid.CellHeight + kCellGap);
  if (column >= grid.Columns || row >= grid.Rows) return -1;
  return row * grid.Columns + first + column;
}

int ScrollMaximum(const TBrowserGrid& grid, int count) {
  return count / grid.Columns;
}

int GotoStartValue(int position, int count, int maximum) {
  return maximum > 0 ? static_cast<int>(int64_t{position} * count / maximum) : 0;
}

int GotoPosition(int value, int count, int maximum) {
  return count > 0 ? static_cast<int>(int64_t{value} * maximum / count) : 0;
}

}  // namespace lumarte::browser
