#pragma once
// The thumbnail grid: how many cells fit the picture, where each cell lies,
// which image the mouse is over, and how a picture is fitted into a cell.
#include <cstdint>

namespace lumarte::browser {

// Thumbnails sit in cells with a 5-pixel gap.
inline constexpr int kCellGap = 5;

struct TBrowserGrid {
  int Columns = 1, Rows = 1;
  int CellWidth = 0, CellHeight = 0;
};

// For a picture area of width × height and the nominal thumbnail size. A
// picture narrower (or lower) than one cell still gets one column (row), so
// nothing divides by zero.
TBrowserGrid ComputeGrid(int width, int height, int thumbWidth, int thumbHeight);

struct TPlace {
  int X = 0, Y = 0, Width = 0, Height = 0;
};

// The largest size with the picture's aspect ratio that fits a cell of
// cellWidth × cellHeight; pictures are enlarged as well as shrunk. A picture
// with a zero side keeps its size.
TPlace FitInCell(int width, int height, int cellWidth, int cellHeight);

// Where a fitted picture of w × h is drawn in cell (column, row): centred.
TPlace CellPlace(const TBrowserGrid& grid, int column, int row, int w, int h);

// The image index under picture point (x, y) with `first` in the top-left
// cell, or -1 for a point outside the grid's columns and rows (or in a gap
// beyond the last column).
int IndexAt(const TBrowserGrid& grid, int first, int x, int y);

// The scroll bar's range: 0 .. count div columns.
int ScrollMaximum(const TBrowserGrid& grid, int count);

// "Go To": the value the spin edit starts with, and the scroll position for
// the value chosen (integer arithmetic, as the scroll bar counts rows).
int GotoStartValue(int position, int count, int maximum);
int GotoPosition(int value, int count, int maximum);

}  // namespace lumarte::browser
