// The drawing calls of the metafile device context: lines, shapes, regions,
// gradients, text, bitmaps, paths and clipping.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "imaging/metafile/MetafilePlayer.h"

namespace lumarte::imaging {

namespace {

// A rectangle around everything, for "all but" clip items.
constexpr double kEverywhere = 1 << 24;

enum : uint32_t { TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24 };
enum : uint32_t { ETO_OPAQUE = 2, ETO_CLIPPED = 4 };
enum : uint32_t { PT_CLOSEFIGURE = 1, PT_LINETO = 2, PT_BEZIERTO = 4, PT_MOVETO = 6 };

TMetaPath Box(TPointD a, TPointD b) {
  TMetaPath p;
  p.MoveTo(a);
  p.LineTo({b.X, a.Y});
  p.LineTo(b);
  p.LineTo({a.X, b.Y});
  p.Close();
  return p;
}

TMetaPath Everywhere() {
  return Box({-kEverywhere, -kEverywhere}, {kEverywhere, kEverywhere});
}

}  // namespace

// ---- drawing ----

void TMetaPlayer::MoveTo(double x, double y) {
  S.Pos = {x, y};
  if (InPath) FigureOpen = false;
}

// A "To" drawing call: tail (lines and curves) continues from the current
// position, which then moves to end.
void TMetaPlayer::Continue(const TMetaPath& tail, TPointD end) {
  if (InPath) {
    EnsureFigure();
    CurrentPath.Append(tail);
  } else {
    TMetaPath whole;
    whole.MoveTo(Xform.Map(S.Pos));
    whole.Append(tail);
    Emit(std::move(whole), false, true);
  }
  S.Pos = end;
}

void TMetaPlayer::LineTo(double x, double y) {
  TMetaPath tail;
  tail.LineTo(Xform.Map(x, y));
  Continue(tail, {x, y});
}

void TMetaPlayer::Polyline(const std::vector<TPointD>& pts) {
  if (pts.size() < 2) return;
  TMetaPath p;
  Figure(pts, false, p);
  Shape(std::move(p), false);
}

void TMetaPlayer::PolylineTo(const std::vector<TPointD>& pts) {
  if (pts.empty()) return;
  TMetaPath tail;
  for (const TPointD& q : pts) tail.LineTo(Xform.Map(q));
  Continue(tail, pts.back());
}

void TMetaPlayer::PolyBezier(const std::vector<TPointD>& pts) {
  if (pts.size() < 4) return;
  TMetaPath p;
  p.MoveTo(Xform.Map(pts[0]));
  for (size_t i = 1; i + 2 < pts.size(); i += 3)
    p.CubicTo(Xform.Map(pts[i]), Xform.Map(pts[i + 1]), Xform.Map(pts[i + 2]));
  Shape(std::move(p), false);
}

void TMetaPlayer::PolyBezierTo(const std::vector<TPointD>& pts) {
  if (pts.size() < 3) return;
  TMetaPath tail;
  for (size_t i = 0; i + 2 < pts.size(); i += 3)
    tail.CubicTo(Xform.Map(pts[i]), Xform.Map(pts[i + 1]), Xform.Map(pts[i + 2]));
  Continue(tail, pts[pts.size() - pts.size() % 3 - 1]);
}

void TMetaPlayer::PolyDraw(const std::vector<TPointD>& pts, const std::vector<uint8_t>& types) {
  TMetaPath p;
  bool open = InPath && FigureOpen;
  auto start = [&] {
    if (!open) p.MoveTo(Xform.Map(S.Pos));
    open = true;
  };
  for (size_t i = 0; i < pts.size() && i < types.size(); ++i) {
    uint8_t kind = types[i] & ~PT_CLOSEFIGURE;
    if (kind == PT_MOVETO) {
      p.MoveTo(Xform.Map(pts[i]));
      open = true;
    } else if (kind == PT_LINETO) {
      start();
      p.LineTo(Xform.Map(pts[i]));
    } else if (kind == PT_BEZIERTO && i + 2 < pts.size()) {
      start();
      p.CubicTo(Xform.Map(pts[i]), Xform.Map(pts[i + 1]), Xform.Map(pts[i + 2]));
      i += 2;
    }
    S.Pos = pts[i];
    if (types[i] & PT_CLOSEFIGURE && kind != PT_MOVETO) {
      p.Close();
      open = false;
    }
  }
  if (InPath) {
    CurrentPath.Append(p);
    FigureOpen = open;
  } else {
    Emit(std::move(p), false, true);
  }
}

void TMetaPlayer::PolyPolyline(const std::vector<std::vector<TPointD>>& lines) {
  TMetaPath p;
  for (const auto& line : lines) Figure(line, false, p);
  Shape(std::move(p), false);
}

void TMetaPlayer::PolyPolygon(const std::vector<std::vector<TPointD>>& polygons) {
  TMetaPath p;
  for (const auto& polygon : polygons) Figure(polygon, true, p);
  Shape(std::move(p), true);
}

void TMetaPlayer::Rectangle(double l, double t, double r, double b) {
  Shape(RectanglePath(Xform, l, t, r, b), true);
}

void TMetaPlayer::RoundRect(double l, double t, double r, double b, double cw, double ch) {
  Shape(RoundRectPath(Xform, l, t, r, b, cw, ch), true);
}

void TMetaPlayer::Ellipse(double l, double t, double r, double b) {
  Shape(EllipsePath(Xform, l, t, r, b), true);
}

void TMetaPlayer::Arc(TArcKind kind, double l, double t, double r, double b, double xs, double ys,
                      double xe, double ye) {
  Shape(ArcPath(Xform, l, t, r, b, xs, ys, xe, ye, S.Clockwise, kind), kind != TArcKind::Arc);
}

void TMetaPlayer::ArcTo(double l, double t, double r, double b, double xs, double ys, double xe,
                        double ye) {
  Continue(ArcPath(Xform, l, t, r, b, xs, ys, xe, ye, S.Clockwise, TArcKind::Arc, true),
           ArcEndPoint(l, t, r, b, xe, ye));
}

void TMetaPlayer::AngleArc(double cx, double cy, double radius, double start, double sweep) {
  if (!std::isfinite(start) || !std::isfinite(sweep)) return;
  double end = (start + sweep) * std::numbers::pi / 180;
  Continue(AngleArcPath(Xform, cx, cy, radius, start, sweep),
           {cx + std::fabs(radius) * std::cos(end), cy - std::fabs(radius) * std::sin(end)});
}

void TMetaPlayer::SetPixel(double x, double y, uint32_t color) {
  TPointD at = Xform.Map(x, y);
  TMetaBrush brush;
  brush.Color = color & 0xFFFFFF;
  at = {std::floor(at.X), std::floor(at.Y)};
  EmitFill(Box(at, {at.X + 1, at.Y + 1}), brush);
}

void TMetaPlayer::PatBlt(double x, double y, double w, double h, uint32_t rop) {
  TMetaBrush brush;
  switch (rop) {
    case 0x00F00021:
      brush = OutputBrush(S.Brush);
      break;  // PATCOPY
    case 0x00000042:
      brush.Color = 0;
      break;  // BLACKNESS
    case 0x00FF0062:
      brush.Color = 0xFFFFFF;
      break;  // WHITENESS
    default:
      return;  // operations that read the destination are not drawn
  }
  EmitFill(RectanglePath(Xform, x, y, x + w, y + h), brush);
}

TMetaPath TMetaPlayer::RegionPath(const TRects& rects, bool device) const {
  TMetaPath p;
  const TAffine& xf = device ? Setup.DeviceToOutput : Xform;
  for (const auto& r : rects) p.Append(RectanglePath(xf, r[0], r[1], r[2], r[3]));
  return p;
}

void TMetaPlayer::FillRegion(const TRects& rects, const TLogBrush& brush, bool device) {
  EmitFill(RegionPath(rects, device), OutputBrush(brush));
}

void TMetaPlayer::FrameRegion(const TRects& rects, const TLogBrush& brush, double w, double h) {
  TMetaPath frame;
  for (const auto& r : rects) {
    double l = std::min(r[0], r[2]), t = std::min(r[1], r[3]);
    double rr = std::max(r[0], r[2]), b = std::max(r[1], r[3]);
    frame.Append(RectanglePath(Xform, l, t, rr, b));
    if (rr - l > 2 * w && b - t > 2 * h)
      frame.Append(RectanglePath(Xform, l + w, t + h, rr - w, b - h));
  }
  EmitFill(std::move(frame), OutputBrush(brush));  // alternate filling: inner boxes are holes
}

void TMetaPlayer::GradientRect(TPointD a, TPointD b, uint32_t c1, uint32_t c2, bool horizontal) {
  TMetaBrush brush;
  brush.Style = TBrushStyle::Gradient;
  brush.Color = c1 & 0xFFFFFF;
  brush.Color2 = c2 & 0xFFFFFF;
  brush.From = Xform.Map(a);
  brush.To = Xform.Map(horizontal ? TPointD{b.X, a.Y} : TPointD{a.X, b.Y});
  EmitFill(RectanglePath(Xform, a.X, a.Y, b.X, b.Y), brush);
}

// Painters have no three-colour shading: the triangle is cut into small ones,
// each filled with the colour at its centre.
void TMetaPlayer::GradientTriangle(const TPointD (&p)[3], const uint32_t (&c)[3]) {
  // Pieces of about eight output pixels, at most 16 to a side.
  double side = 0;
  for (int i = 0; i < 3; ++i) {
    TPointD a = Xform.Map(p[i]), b = Xform.Map(p[(i + 1) % 3]);
    side = std::max(side, std::hypot(a.X - b.X, a.Y - b.Y));
  }
  const int n = static_cast<int>(std::clamp(std::ceil(side / 8), 1.0, 16.0));
  auto at = [&](double u, double v) {
    double w = 1 - u - v;
    return Xform.Map(w * p[0].X + u * p[1].X + v * p[2].X, w * p[0].Y + u * p[1].Y + v * p[2].Y);
  };
  auto colour = [&](double u, double v) {
    double w = 1 - u - v;
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      double ch =
          w * (c[0] >> shift & 0xFF) + u * (c[1] >> shift & 0xFF) + v * (c[2] >> shift & 0xFF);
      out |= static_cast<uint32_t>(std::clamp(std::lround(ch), 0L, 255L)) << shift;
    }
    return out;
  };
  auto piece = [&](TPointD a, TPointD b, TPointD d, double u, double v) {
    TMetaPath path;
    path.MoveTo(a);
    path.LineTo(b);
    path.LineTo(d);
    path.Close();
    TMetaBrush brush;
    brush.Color = colour(u, v);
    EmitFill(std::move(path), brush);
  };
  for (int i = 0; i < n; ++i)
    for (int j = 0; i + j < n; ++j) {
      double u = double(i) / n, v = double(j) / n, d = 1.0 / n;
      piece(at(u, v), at(u + d, v), at(u, v + d), u + d / 3, v + d / 3);
      if (i + j + 1 < n)
        piece(at(u + d, v), at(u + d, v + d), at(u, v + d), u + 2 * d / 3, v + 2 * d / 3);
    }
}

void TMetaPlayer::TextOut(double x, double y, std::u16string chars,
                          const std::vector<double>& advances, uint32_t options,
                          const double* box) {
  TMetaText text;
  TPointD ref{x, y};
  if (S.TextAlign & TA_UPDATECP) {
    ref = S.Pos;
    double sum = 0;
    for (double a : advances) sum += a;
    S.Pos.X += sum;
  }
  text.Origin = Xform.Map(ref);
  text.Font = OutputFont();
  double xs = Xform.ScaleX();
  for (double a : advances) text.Advances.push_back(a * xs);
  // Escapement turns counterclockwise on the output; add the map's own turn.
  double turn = std::atan2(-Xform.M12, Xform.M11) * 180 / std::numbers::pi;
  if (Xform.M11 < 0 && std::fabs(Xform.M12) < 1e-12) turn = 0;  // mirrored pages keep text upright
  text.Angle = S.Font.Escapement / 10.0 + turn;
  uint32_t h = S.TextAlign & TA_CENTER, v = S.TextAlign & TA_BASELINE;
  text.HAlign = h == TA_CENTER ? THAlign::Center : h == TA_RIGHT ? THAlign::Right : THAlign::Left;
  text.VAlign = v == TA_BASELINE ? TVAlign::Baseline
                : v == TA_BOTTOM ? TVAlign::Bottom
                                 : TVAlign::Top;
  text.Color = S.TextColor;
  text.BkOpaque = S.BkOpaque;
  text.BkColor = S.BkColor;
  text.Chars = std::move(chars);
  std::shared_ptr<const TMetaClip> clip = S.Clip;
  if (box) {
    TMetaPath rect = RectanglePath(Xform, box[0], box[1], box[2], box[3]);
    if (options & ETO_OPAQUE) text.OpaqueBox = rect;
    if (options & ETO_CLIPPED && (!S.Clip || S.Clip->Items.size() < Setup.MaxClipItems)) {
      auto c = std::make_shared<TMetaClip>(S.Clip ? *S.Clip : TMetaClip{});
      c->Items.push_back({std::move(rect), false});
      Charge(c->Items.size() * 5 * 17);
      clip = std::move(c);
    }
  }
  if (text.Chars.empty() && text.OpaqueBox.Empty()) return;
  if (InPath) return;  // text outlines are not collected
  Push({std::move(text), std::move(clip)});
}

namespace {

// A blit of the source rectangle; the caller places its corners.
TMetaBlit BlitFrom(std::shared_ptr<const TMetaImage> image, double sx, double sy, double sw,
                   double sh) {
  TMetaBlit blit;
  blit.Image = std::move(image);
  blit.SrcX = sx;
  blit.SrcY = sy;
  blit.SrcW = sw;
  blit.SrcH = sh;
  return blit;
}

}  // namespace

void TMetaPlayer::Blit(double x, double y, double w, double h,
                       std::shared_ptr<const TMetaImage> image, double sx, double sy, double sw,
                       double sh, uint32_t rop, bool useAlpha, uint8_t alpha) {
  if (!image || InPath) return;
  TMetaBlit blit = BlitFrom(std::move(image), sx, sy, sw, sh);
  blit.TopLeft = Xform.Map(x, y);
  blit.TopRight = Xform.Map(x + w, y);
  blit.BottomLeft = Xform.Map(x, y + h);
  blit.Rop = rop;
  blit.UseAlpha = useAlpha;
  blit.ConstantAlpha = alpha;
  Push({std::move(blit), S.Clip});
}

void TMetaPlayer::BlitParallelogram(const TPointD (&corners)[3],
                                    std::shared_ptr<const TMetaImage> image, double sx, double sy,
                                    double sw, double sh) {
  if (!image || InPath) return;
  TMetaBlit blit = BlitFrom(std::move(image), sx, sy, sw, sh);
  blit.TopLeft = Xform.Map(corners[0]);
  blit.TopRight = Xform.Map(corners[1]);
  blit.BottomLeft = Xform.Map(corners[2]);
  Push({std::move(blit), S.Clip});
}

void TMetaPlayer::BitBlt(double x, double y, double w, double h,
                         std::shared_ptr<const TMetaImage> image, double sx, double sy,
                         uint32_t rop) {
  if (!image) return;
  double sw = std::min(std::fabs(w), image->Width - sx);
  double sh = std::min(std::fabs(h), image->Height - sy);
  if (!(sw > 0 && sh > 0)) return;
  Blit(x, y, w, h, std::move(image), sx, sy, std::copysign(sw, w), std::copysign(sh, h), rop);
}

void TMetaPlayer::SetDIBits(double x, double y, double w, double h,
                            std::shared_ptr<const TMetaImage> image, double sx, double sy) {
  if (!image || InPath) return;
  TMetaBlit blit = BlitFrom(std::move(image), sx, sy, w, h);
  blit.TopLeft = Xform.Map(x, y);
  const TAffine& d = Setup.DeviceToOutput;
  blit.TopRight = {blit.TopLeft.X + w * d.M11, blit.TopLeft.Y};
  blit.BottomLeft = {blit.TopLeft.X, blit.TopLeft.Y + h * d.M22};
  Push({std::move(blit), S.Clip});
}

// ---- paths ----

void TMetaPlayer::BeginPath() {
  InPath = true;
  FigureOpen = false;
  CurrentPath = {};
}

void TMetaPlayer::EndPath() {
  if (!InPath) return;
  InPath = false;
  FinishedPath = std::move(CurrentPath);
  CurrentPath = {};
}

void TMetaPlayer::CloseFigure() {
  if (InPath && FigureOpen) {
    CurrentPath.Close();
    FigureOpen = false;
  }
}

void TMetaPlayer::AbortPath() {
  InPath = false;
  CurrentPath = {};
  FinishedPath = {};
}

void TMetaPlayer::DrawPath(bool fill, bool stroke) {
  EndPath();  // writers that forget EndPath still mean their path
  TMetaPath path = std::move(FinishedPath);
  FinishedPath = {};
  Emit(std::move(path), fill, stroke);
}

void TMetaPlayer::SelectClipPath(TClipMode mode) {
  EndPath();
  TMetaPath path = std::move(FinishedPath);
  FinishedPath = {};
  AddClip({std::move(path), !S.Winding}, mode);
}

// ---- clipping ----

void TMetaPlayer::AddClip(TMetaClipItem item, TClipMode mode) {
  if (mode == TClipMode::Copy) {
    auto c = std::make_shared<TMetaClip>();
    c->Items.push_back(std::move(item));
    S.Clip = std::move(c);
    return;
  }
  if (mode == TClipMode::Diff) {
    TMetaPath outside = Everywhere();
    outside.Append(item.Path);
    item = {std::move(outside), true};
  } else if (mode != TClipMode::And) {
    return;  // unions and exclusive-ors are not kept: the clip stays as it was
  }
  if (S.Clip && S.Clip->Items.size() >= Setup.MaxClipItems) return;
  auto c = std::make_shared<TMetaClip>(S.Clip ? *S.Clip : TMetaClip{});
  c->Items.push_back(std::move(item));
  for (const TMetaClipItem& i : c->Items) Charge(i.Path.Points.size() * 17);
  S.Clip = std::move(c);
}

void TMetaPlayer::IntersectClipRect(double l, double t, double r, double b) {
  AddClip({RectanglePath(Xform, l, t, r, b), false}, TClipMode::And);
}

void TMetaPlayer::ExcludeClipRect(double l, double t, double r, double b) {
  AddClip({RectanglePath(Xform, l, t, r, b), false}, TClipMode::Diff);
}

void TMetaPlayer::SelectClipRects(const TRects& rects, TClipMode mode, bool device) {
  if (rects.empty()) {
    if (mode == TClipMode::Copy) S.Clip = nullptr;
    return;
  }
  AddClip({RegionPath(rects, device), false}, mode);
}

}  // namespace lumarte::imaging
