#include "imaging/metafile/MetafilePlayer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "imaging/Errors.h"

namespace lumarte::imaging {

namespace {

constexpr size_t kMaxSavedStates = 4096;

enum : uint32_t {
  BS_SOLID = 0,
  BS_NULL = 1,
  BS_HATCHED = 2,
  BS_PATTERN = 3,
  BS_DIBPATTERN = 5,
  BS_DIBPATTERNPT = 6
};
enum : uint32_t { PS_NULL = 5, PS_GEOMETRIC = 0x10000 };

TLogBrush SolidBrush(uint32_t c) {
  return {BS_SOLID, c, 0, nullptr};
}

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
    case MM_LOMETRIC:
      return 0.1;
    case MM_HIMETRIC:
      return 0.01;
    case MM_LOENGLISH:
      return 0.254;
    case MM_HIENGLISH:
      return 0.0254;
    case MM_TWIPS:
      return 25.4 / 1440;
    default:
      return 0;
  }
}

double Ratio(double num, double den, double fallback) {
  return num != 0 && den != 0 && std::isfinite(num / den) ? num / den : fallback;
}

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

void TMetaPlayer::Charge(uint64_t bytes) {
  Bytes += bytes;
  if (Bytes > Setup.MaxBytes) throw EFormatError("Metafile too complex");
}

void TMetaPlayer::Push(TMetaCommand command) {
  uint64_t bytes = sizeof(TMetaCommand) + 64;
  if (auto* s = std::get_if<TMetaShape>(&command.Item)) bytes += s->Path.Points.size() * 17;
  if (auto* t = std::get_if<TMetaText>(&command.Item)) bytes += t->Chars.size() * 10;
  if (auto* b = std::get_if<TMetaBlit>(&command.Item)) bytes += b->Image->Pixels.size() * 4;
  Charge(bytes);
  Picture.Commands.push_back(std::move(command));
}

// ---- objects ----

void TMetaPlayer::ChargeObject(const TMetaObject& object) {
  if (auto* brush = std::get_if<TLogBrush>(&object); brush && brush->Pattern)
    Charge(brush->Pattern->Pixels.size() * 4);
  if (auto* region = std::get_if<TLogRegion>(&object)) Charge(region->Rects.size() * 16);
}

void TMetaPlayer::PutObject(uint32_t index, TMetaObject object) {
  if (index == 0 || index >= Objects.size()) Fail("object index out of range");
  ChargeObject(object);
  Objects[index] = std::move(object);
}

void TMetaPlayer::AddObject(TMetaObject object) {
  auto free = std::find_if(Objects.begin(), Objects.end(), [](auto& o) { return !o; });
  if (free == Objects.end()) Fail("object table full");
  ChargeObject(object);
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
  if (stock == 19) S.Pen = {0, 0, 0, false};  // DC pen
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
  static const TPenStyle styles[] = {TPenStyle::Solid,   TPenStyle::Dash,       TPenStyle::Dot,
                                     TPenStyle::DashDot, TPenStyle::DashDotDot, TPenStyle::Null,
                                     TPenStyle::Solid,   TPenStyle::Dash,       TPenStyle::Dot};
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
    case BS_SOLID:
      brush.Style = TBrushStyle::Solid;
      break;
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
    default:
      brush.Style = TBrushStyle::Null;
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
  Push({std::move(shape), S.Clip});
}

void TMetaPlayer::EmitFill(TMetaPath path, const TMetaBrush& brush) {
  if (brush.Style == TBrushStyle::Null || path.Empty()) return;
  TMetaShape shape;
  shape.Path = std::move(path);
  shape.Fill = true;
  shape.Brush = brush;
  shape.BkOpaque = S.BkOpaque;
  shape.BkColor = S.BkColor;
  Push({std::move(shape), S.Clip});
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

}  // namespace lumarte::imaging
