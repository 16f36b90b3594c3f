#pragma once
// Geometry shared by the metafile readers: affine maps and the GDI shapes
// (rectangles, rounded rectangles, ellipses, arcs, chords, pies) as paths.
#include "imaging/metafile/MetafileRecords.h"

namespace lumarte::imaging {

// x' = M11 x + M21 y + Dx, y' = M12 x + M22 y + Dy (GDI's XFORM layout).
struct TAffine {
  double M11 = 1, M12 = 0, M21 = 0, M22 = 1, Dx = 0, Dy = 0;

  // Results are clamped to a range any painter copes with, and values within
  // a millionth of an integer become that integer so that a bitmap placed on
  // whole pixels is copied, not resampled.
  TPointD Map(double x, double y) const;
  TPointD Map(TPointD p) const { return Map(p.X, p.Y); }
  // Length of the image of a vector along x or y.
  double ScaleX() const;
  double ScaleY() const;
  double Determinant() const { return M11 * M22 - M12 * M21; }
  bool IsFinite() const;
  // (this * other)(p) = this(other(p)).
  TAffine operator*(const TAffine& other) const;
  static TAffine Scale(double sx, double sy, double dx = 0, double dy = 0) {
    return {sx, 0, 0, sy, dx, dy};
  }
};

// Which outline an arc record asks for.
enum class TArcKind : uint8_t { Arc, Chord, Pie };

// The shapes in logical coordinates, mapped through xf into a path. Boxes are
// given by two corners in any order.
TMetaPath RectanglePath(const TAffine& xf, double l, double t, double r, double b);
TMetaPath RoundRectPath(const TAffine& xf, double l, double t, double r, double b, double cw,
                        double ch);
TMetaPath EllipsePath(const TAffine& xf, double l, double t, double r, double b);
// An elliptic arc in the box from the ray through (xs, ys) to the ray through
// (xe, ye), counterclockwise on the output unless clockwise is set. Equal rays
// give the whole ellipse. The path starts with a Move unless continuing is
// set, in which case it starts with a Line to the arc's first point.
TMetaPath ArcPath(const TAffine& xf, double l, double t, double r, double b, double xs, double ys,
                  double xe, double ye, bool clockwise, TArcKind kind, bool continuing = false);
// The arc of AngleArc: centre, radius, start and sweep in degrees
// (counterclockwise in logical space), drawn after a line from the current point.
TMetaPath AngleArcPath(const TAffine& xf, double cx, double cy, double radius, double startDeg,
                       double sweepDeg);
// End point of an arc as ArcTo leaves the current position (logical).
TPointD ArcEndPoint(double l, double t, double r, double b, double xe, double ye);

}  // namespace lumarte::imaging
