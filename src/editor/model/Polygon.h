#pragma once
// The vertices of a polygon or freehand selection and the raster mask that
// says which image pixels lie inside it.
#include <cstdint>
#include <vector>

namespace lumarte::editor {

struct TPoint {
  int32_t X = 0, Y = 0;
  bool operator==(const TPoint&) const = default;
};

// An inclusive pixel rectangle.
struct TRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TRect&) const = default;
};

class TPolygon {
 public:
  // Vertex storage grows by this many entries at a time.
  static constexpr int kGrowBy = 20;

  int Count() const { return static_cast<int>(Points.size()); }
  const TPoint& Point(int i) const { return Points[i]; }
  const std::vector<TPoint>& Vertices() const { return Points; }

  void Clear();
  void AddPoint(int x, int y);
  // With three or more vertices the new one goes into the nearest edge;
  // returns its index.
  int InsertPoint(int x, int y);
  void DeletePoint(int i);
  void MovePoint(int i, int x, int y);
  // Moves every vertex by (dx, dy), saturating at the 32-bit range.
  void Translate(int64_t dx, int64_t dy);
  int IndexOfPoint(int x, int y) const;
  // First vertex (in order) with dx² + dy² < r², trying r = 0..radius; -1 if none.
  int FindNearPoint(int x, int y, int radius) const;
  // Bounding box of the vertices; (0, 0, width, height) with fewer than two.
  TRect GetBounds(int imageWidth, int imageHeight) const;
  // Smallest box holding every vertex (at least one vertex needed).
  TRect VertexBox() const;

  // Rasterises the closed outline for an image of the given size: outline
  // and outside are 0, the interior is non-zero.
  void BuildMask(int imageWidth, int imageHeight);
  // Whether the mask needs building for an image of this size.
  bool MaskStale(int imageWidth, int imageHeight) const {
    return Stale || imageWidth != MaskWidth || imageHeight != MaskHeight;
  }
  void MarkMaskStale() { Stale = true; }
  // False outside the image the mask was built for.
  bool IsInside(int x, int y) const {
    return x >= 0 && y >= 0 && x < MaskWidth && y < MaskHeight && MaskRows[y][x] != 0;
  }
  // Row y of the mask, indexed by image column (valid for 0 <= y < height).
  const uint8_t* const* Rows() const { return MaskRows.data(); }

 private:
  void Changed() { BoundsDirty = Stale = true; }
  void Reserve();

  mutable TRect Bounds;
  mutable bool BoundsDirty = true;
  // One byte per pixel with a one-pixel frame all round, so that the outside
  // stays connected even where the outline runs along the image border.
  std::vector<uint8_t> Mask;
  std::vector<const uint8_t*> MaskRows;
  int MaskWidth = 0, MaskHeight = 0;
  bool Stale = true;
  std::vector<TPoint> Points;
};

}  // namespace lumarte::editor
