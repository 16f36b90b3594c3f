#include "imaging/MetafilePlayer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "imaging/Errors.h"

namespace lumarte::imaging {

namespace {

constexpr size_t kMaxSavedStates = 4096;
// A rectangle around everything, for "all but" clip items.
constexpr double kEverywhere = 1 << 24;

enum : uint32_t { BS_SOLID = 0, BS_NULL = 1, BS_HATCHED = 2, BS_PATTERN = 3, BS_DIBPATTERN = 5,
                  BS_DIBPATTERNPT = 6 };
enum : uint32_t { PS_NULL = 5, PS_GEOMETRIC = 0x10000 };
enum : uint32_t { TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24 };
enum : uint32_t { ETO_OPAQUE = 2, ETO_CLIPPED = 4 };
enum : uint32_t { PT_CLOSEFIGURE = 1, PT_LINETO = 2, PT_BEZIERTO = 4, PT_MOVETO = 6 };

TLogBrush SolidBrush(uint32_t c) { return {BS_SOLID, c, 0, nullptr}; }

// Stock brushes: white, light grey, grey, dark grey, black, null; the DC brush
// starts white.
std::optional<TLogBrush> StockBrush(uint32_t stock) {
  static const uint32_t greys[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
  if (stock <= 4) return SolidBrush(greys[stock]);
  if (stock == 5) return TLogBrush{BS_NULL, 0, 0, nullptr};
  if (stock == 18) return SolidBrush(0xFFFFFF);
  return std::nullopt;
}

// Metric mapping modes: millimetres per logical unit.
double MillimetresPerUnit(int mode) {
  switch (mode) {
    case MM_LOMETRIC: return 0.1;
    case MM_HIMETRIC: return 0.01;
    case MM_LOENGLISH: return 0.254;
    case MM_HIENGLISH: return 0.0254;
    case MM_TWIPS: return 25.4 / 1440;
    default: return 0;
  }
}

double Ratio(double num, double den, double fallback) {
  return num != 0 && den != 0 && std::isfinite(num / den) ? num / den : fallback;
}

TMetaPath Box(TPointD a, TPointD b) {
  TMetaPath p;
  p.MoveTo(a);
  p.LineTo({b.X, a.Y});
  p.LineTo(b);
  p.LineTo({a.X, b.Y});
  p.Close();
  return p;
}

TMetaPath Everywhere() { return Box({-kEverywhere, -kEverywhere}, {kEverywhere, kEverywhere}); }

}  // namespace

TMetaPlayer::TMetaPlayer(TMetaPicture& picture, const TPlayerSetup& setup)
    : Picture(picture), Setup(setup), Objects(setup.ObjectCount) {
  S.Pen = {0, 0, 0, false};
  S.Brush = SolidBrush(0xFFFFFF);
  S.Font.Face = "System";
  S.WinOrg = setup.WindowOrg;
  S.WinExt = setup.Window;
  if (setup.FixedViewport) {
    S.MapMode = MM_ANISOTROPIC;
    S.VpExt = setup.Viewport;
  }
  UpdateTransform();
}

void TMetaPlayer::Locate(const EFormatError& e) const {
  std::string text = e.what();
  if (text.find("(record ") != std::string::npos) throw e;
  char where[64];
  std::snprintf(where, sizeof where, " (record 0x%04X at offset %zu)", RecordType, RecordOffset);
  throw EFormatError(text + where);
}

void TMetaPlayer::Fail(const std::string& what) const {
  char where[64];
  std::snprintf(where, sizeof where, " (record 0x%04X at offset %zu)", RecordType, RecordOffset);
  throw EFormatError("Corrupt metafile: " + what + where);
}

// ---- objects ----

void TMetaPlayer::PutObject(uint32_t index, TMetaObject object) {
  if (index == 0 || index >= Objects.size()) Fail("object index out of range");
  Objects[index] = std::move(object);
}

void TMetaPlayer::AddObject(TMetaObject object) {
  auto free = std::find_if(Objects.begin(), Objects.end(), [](auto& o) { return !o; });
  if (free == Objects.end()) Fail("object table full");
  *free = std::move(object);
}

void TMetaPlayer::SelectObject(uint32_t index) {
  if (index >= Objects.size()) Fail("object index out of range");
  if (!Objects[index]) return;  // deleted or never made: GDI ignores it
  const TMetaObject& o = *Objects[index];
  if (auto* pen = std::get_if<TLogPen>(&o)) S.Pen = *pen;
  if (auto* brush = std::get_if<TLogBrush>(&o)) S.Brush = *brush;
  if (auto* font = std::get_if<TLogFont>(&o)) S.Font = *font;
}

std::optional<TLogRegion> TMetaPlayer::RegionAt(uint32_t index) const {
  if (index >= Objects.size()) Fail("object index out of range");
  if (!Objects[index]) return std::nullopt;
  if (auto* region = std::get_if<TLogRegion>(&*Objects[index])) return *region;
  return std::nullopt;
}

void TMetaPlayer::SelectStockObject(uint32_t stock) {
  if (auto brush = StockBrush(stock)) S.Brush = *brush;
  if (stock == 6 || stock == 7) S.Pen = {0, 0, stock == 6 ? 0xFFFFFFu : 0u, false};
  if (stock == 8) S.Pen = {PS_NULL, 0, 0, false};
  if ((stock >= 10 && stock <= 14) || stock == 16 || stock == 17) {
    S.Font = TLogFont{};
    S.Font.Face = stock == 10 || stock == 11 || stock == 16 ? "Courier New" : "Arial";
  }
  if (stock == 19) S.Pen = {0, 0, 0, false};        // DC pen
}

void TMetaPlayer::DeleteObject(uint32_t index) {
  if (index >= Objects.size()) Fail("object index out of range");
  Objects[index].reset();
}

std::optional<TLogBrush> TMetaPlayer::BrushAt(uint32_t index) const {
  if (index & 0x80000000u) return StockBrush(index & 0x7FFFFFFFu);
  if (index >= Objects.size()) Fail("object index out of range");
  if (!Objects[index]) return std::nullopt;
  if (auto* brush = std::get_if<TLogBrush>(&*Objects[index])) return *brush;
  return std::nullopt;
}

// ---- state ----

void TMetaPlayer::SaveDC() {
  if (Saved.size() < kMaxSavedStates) Saved.push_back(S);
}

void TMetaPlayer::RestoreDC(int32_t which) {
  int64_t n = static_cast<int64_t>(Saved.size());
  int64_t target = which < 0 ? n + which : int64_t{which} - 1;
  if (target < 0 || target >= n) return;  // nothing saved there: GDI refuses quietly
  S = Saved[target];
  Saved.resize(target);
  UpdateTransform();
}

// ---- mapping ----

void TMetaPlayer::UpdateTransform() {
  double sx, sy;
  double mm = MillimetresPerUnit(S.MapMode);
  if (mm > 0) {
    sx = Setup.PixelsPerMmX * mm;
    sy = -Setup.PixelsPerMmY * mm;
  } else if (S.MapMode == MM_ISOTROPIC || S.MapMode == MM_ANISOTROPIC) {
    sx = Ratio(S.VpExt.X, S.WinExt.X, Setup.FallbackScale);
    sy = Ratio(S.VpExt.Y, S.WinExt.Y, Setup.FallbackScale);
    if (S.MapMode == MM_ISOTROPIC) {
      double m = std::min(std::fabs(sx), std::fabs(sy));
      sx = std::copysign(m, sx);
      sy = std::copysign(m, sy);
    }
  } else {
    sx = sy = 1;
  }
  TAffine page = TAffine::Scale(sx, sy, S.VpOrg.X - S.WinOrg.X * sx, S.VpOrg.Y - S.WinOrg.Y * sy);
  Xform = Setup.DeviceToOutput * page * S.World;
}

void TMetaPlayer::SetMapMode(int mode) {
  if (Setup.FixedViewport || mode < MM_TEXT || mode > MM_ANISOTROPIC) return;
  S.MapMode = mode;
  UpdateTransform();
}

void TMetaPlayer::SetWindowOrg(double x, double y) {
  S.WinOrg = {x, y};
  UpdateTransform();
}

void TMetaPlayer::SetWindowExt(double x, double y) {
  S.WinExt = {x, y};
  UpdateTransform();
}

void TMetaPlayer::SetViewportOrg(double x, double y) {
  S.VpOrg = {x, y};
  UpdateTransform();
}

void TMetaPlayer::SetViewportExt(double x, double y) {
  if (Setup.FixedViewport) return;
  S.VpExt = {x, y};
  UpdateTransform();
}

void TMetaPlayer::OffsetWindowOrg(double dx, double dy) {
  SetWindowOrg(S.WinOrg.X + dx, S.WinOrg.Y + dy);
}

void TMetaPlayer::OffsetViewportOrg(double dx, double dy) {
  SetViewportOrg(S.VpOrg.X + dx, S.VpOrg.Y + dy);
}

void TMetaPlayer::ScaleWindowExt(double xn, double xd, double yn, double yd) {
  SetWindowExt(S.WinExt.X * Ratio(xn, xd, 1), S.WinExt.Y * Ratio(yn, yd, 1));
}

void TMetaPlayer::ScaleViewportExt(double xn, double xd, double yn, double yd) {
  SetViewportExt(S.VpExt.X * Ratio(xn, xd, 1), S.VpExt.Y * Ratio(yn, yd, 1));
}

void TMetaPlayer::SetWorldTransform(const TAffine& xf) {
  if (!xf.IsFinite()) return;
  S.World = xf;
  UpdateTransform();
}

void TMetaPlayer::ModifyWorldTransform(const TAffine& xf, uint32_t mode) {
  if (mode == 1) {
    S.World = TAffine{};
  } else if (!xf.IsFinite()) {
    return;
  } else if (mode == 2) {
    S.World = S.World * xf;  // xf acts first
  } else if (mode == 3) {
    S.World = xf * S.World;
  } else if (mode == 4) {
    S.World = xf;
  }
  if (!S.World.IsFinite()) S.World = TAffine{};
  UpdateTransform();
}

// ---- styles in output units ----

TMetaPen TMetaPlayer::OutputPen() const {
  TMetaPen pen;
  uint32_t kind = S.Pen.Style & 0xF;
  static const TPenStyle styles[] = {TPenStyle::Solid,      TPenStyle::Dash, TPenStyle::Dot,
                                     TPenStyle::DashDot,    TPenStyle::DashDotDot,
                                     TPenStyle::Null,       TPenStyle::Solid, TPenStyle::Dash,
                                     TPenStyle::Dot};
  pen.Style = kind < 9 ? styles[kind] : TPenStyle::Solid;
  uint32_t cap = S.Pen.Style & 0xF00, join = S.Pen.Style & 0xF000;
  pen.Cap = cap == 0x100 ? TPenCap::Square : cap == 0x200 ? TPenCap::Flat : TPenCap::Round;
  pen.Join = join == 0x1000 ? TPenJoin::Bevel : join == 0x2000 ? TPenJoin::Miter : TPenJoin::Round;
  double width = std::fabs(static_cast<double>(S.Pen.Width)) * Xform.ScaleX();
  pen.Width = std::clamp(width, 1.0, 1e6);
  // Plain pens that come out wider than a pixel are drawn solid.
  if (!S.Pen.Extended && pen.Width >= 1.5 && pen.Style != TPenStyle::Null)
    pen.Style = TPenStyle::Solid;
  pen.Color = S.Pen.Color & 0xFFFFFF;
  return pen;
}

TMetaBrush TMetaPlayer::OutputBrush(const TLogBrush& b) const {
  TMetaBrush brush;
  brush.Color = b.Color & 0xFFFFFF;
  switch (b.Style) {
    case BS_SOLID: brush.Style = TBrushStyle::Solid; break;
    case BS_HATCHED:
      brush.Style = TBrushStyle::Hatched;
      brush.Hatch = static_cast<THatch>(std::min<uint32_t>(b.Hatch, 5));
      break;
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
      brush.Style = b.Pattern ? TBrushStyle::Pattern : TBrushStyle::Solid;
      brush.Pattern = b.Pattern;
      if (!b.Pattern) brush.Color = 0x808080;  // a pattern we could not read: mid grey
      break;
    default: brush.Style = TBrushStyle::Null;
  }
  return brush;
}

TMetaFont TMetaPlayer::OutputFont() const {
  TMetaFont f;
  f.Face = S.Font.Face;
  double scale = Xform.ScaleY();
  f.Height = S.Font.Height ? S.Font.Height * scale : -16.0;  // 0: the default size (12 pt)
  f.Width = std::fabs(S.Font.Width * Xform.ScaleX());
  f.Weight = S.Font.Weight ? std::clamp(S.Font.Weight, 1, 1000) : 400;
  f.Italic = S.Font.Italic;
  f.Underline = S.Font.Underline;
  f.StrikeOut = S.Font.StrikeOut;
  f.CharSet = S.Font.CharSet;
  return f;
}

// ---- emitting ----

void TMetaPlayer::Emit(TMetaPath path, bool fill, bool stroke) {
  TMetaShape shape;
  shape.Pen = OutputPen();
  shape.Brush = OutputBrush(S.Brush);
  shape.Fill = fill && shape.Brush.Style != TBrushStyle::Null;
  shape.Stroke = stroke && shape.Pen.Style != TPenStyle::Null;
  if ((!shape.Fill && !shape.Stroke) || path.Empty()) return;
  shape.Path = std::move(path);
  shape.Winding = S.Winding;
  shape.BkOpaque = S.BkOpaque;
  shape.BkColor = S.BkColor;
  shape.Rop2 = static_cast<uint8_t>(S.Rop2);
  if (shape.Rop2 == 11) return;  // R2_NOP leaves everything as it is
  Picture.Commands.push_back({std::move(shape), S.Clip});
}

void TMetaPlayer::EmitFill(TMetaPath path, const TMetaBrush& brush) {
  if (brush.Style == TBrushStyle::Null || path.Empty()) return;
  TMetaShape shape;
  shape.Path = std::move(path);
  shape.Fill = true;
  shape.Brush = brush;
  shape.BkOpaque = S.BkOpaque;
  shape.BkColor = S.BkColor;
  Picture.Commands.push_back({std::move(shape), S.Clip});
}

void TMetaPlayer::Shape(TMetaPath path, bool closed) {
  if (InPath) {
    CurrentPath.Append(path);
    FigureOpen = !closed;
    return;
  }
  Emit(std::move(path), closed, true);
}

void TMetaPlayer::Figure(const std::vector<TPointD>& pts, bool closed, TMetaPath& into) const {
  if (pts.empty()) return;
  into.MoveTo(Xform.Map(pts[0]));
  for (size_t i = 1; i < pts.size(); ++i) into.LineTo(Xform.Map(pts[i]));
  if (closed) into.Close();
}

void TMetaPlayer::EnsureFigure() {
  if (!FigureOpen) CurrentPath.MoveTo(Xform.Map(S.Pos));
  FigureOpen = true;
}

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
    case 0x00F00021: brush = OutputBrush(S.Brush); break;  // PATCOPY
    case 0x00000042: brush.Color = 0; break;               // BLACKNESS
    case 0x00FF0062: brush.Color = 0xFFFFFF; break;        // WHITENESS
    default: return;  // operations that read the destination are not drawn
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
    if (rr - l > 2 * w && b - t > 2 * h) frame.Append(RectanglePath(Xform, l + w, t + h, rr - w, b - h));
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
  constexpr int n = 16;
  auto at = [&](double u, double v) {
    double w = 1 - u - v;
    return Xform.Map(w * p[0].X + u * p[1].X + v * p[2].X, w * p[0].Y + u * p[1].Y + v * p[2].Y);
  };
  auto colour = [&](double u, double v) {
    double w = 1 - u - v;
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      double ch = w * (c[0] >> shift & 0xFF) + u * (c[1] >> shift & 0xFF) + v * (c[2] >> shift & 0xFF);
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
                          const std::vector<double>& advances, uint32_t options, const double* box) {
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
  text.VAlign = v == TA_BASELINE ? TVAlign::Baseline : v == TA_BOTTOM ? TVAlign::Bottom
                                                                      : TVAlign::Top;
  text.Color = S.TextColor;
  text.BkOpaque = S.BkOpaque;
  text.BkColor = S.BkColor;
  text.Chars = std::move(chars);
  std::shared_ptr<const TMetaClip> clip = S.Clip;
  if (box) {
    TMetaPath rect = RectanglePath(Xform, box[0], box[1], box[2], box[3]);
    if (options & ETO_OPAQUE) text.OpaqueBox = rect;
    if (options & ETO_CLIPPED) {
      auto c = std::make_shared<TMetaClip>(S.Clip ? *S.Clip : TMetaClip{});
      c->Items.push_back({std::move(rect), false});
      clip = std::move(c);
    }
  }
  if (text.Chars.empty() && text.OpaqueBox.Empty()) return;
  if (InPath) return;  // text outlines are not collected
  Picture.Commands.push_back({std::move(text), std::move(clip)});
}

void TMetaPlayer::Blit(double x, double y, double w, double h,
                       std::shared_ptr<const TMetaImage> image, double sx, double sy, double sw,
                       double sh, uint32_t rop, bool useAlpha, uint8_t alpha) {
  if (!image || InPath) return;
  TMetaBlit blit;
  blit.Image = std::move(image);
  blit.SrcX = sx;
  blit.SrcY = sy;
  blit.SrcW = sw;
  blit.SrcH = sh;
  blit.TopLeft = Xform.Map(x, y);
  blit.TopRight = Xform.Map(x + w, y);
  blit.BottomLeft = Xform.Map(x, y + h);
  blit.Rop = rop;
  blit.UseAlpha = useAlpha;
  blit.ConstantAlpha = alpha;
  Picture.Commands.push_back({std::move(blit), S.Clip});
}

void TMetaPlayer::BlitParallelogram(const TPointD (&corners)[3],
                                    std::shared_ptr<const TMetaImage> image, double sx, double sy,
                                    double sw, double sh) {
  if (!image || InPath) return;
  TMetaBlit blit;
  blit.Image = std::move(image);
  blit.SrcX = sx;
  blit.SrcY = sy;
  blit.SrcW = sw;
  blit.SrcH = sh;
  blit.TopLeft = Xform.Map(corners[0]);
  blit.TopRight = Xform.Map(corners[1]);
  blit.BottomLeft = Xform.Map(corners[2]);
  Picture.Commands.push_back({std::move(blit), S.Clip});
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
  TMetaBlit blit;
  blit.Image = std::move(image);
  blit.SrcX = sx;
  blit.SrcY = sy;
  blit.SrcW = w;
  blit.SrcH = h;
  blit.TopLeft = Xform.Map(x, y);
  const TAffine& d = Setup.DeviceToOutput;
  blit.TopRight = {blit.TopLeft.X + w * d.M11, blit.TopLeft.Y};
  blit.BottomLeft = {blit.TopLeft.X, blit.TopLeft.Y + h * d.M22};
  Picture.Commands.push_back({std::move(blit), S.Clip});
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
  auto c = std::make_shared<TMetaClip>(S.Clip ? *S.Clip : TMetaClip{});
  c->Items.push_back(std::move(item));
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
