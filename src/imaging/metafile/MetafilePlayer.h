#pragma once
// The device context both metafile readers play their records against: it
// keeps the GDI state (objects, colours, modes, mapping, current position,
// path, clipping) and turns drawing calls in logical coordinates into
// commands in output pixels.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "imaging/Errors.h"
#include "imaging/metafile/MetafileGeometry.h"
#include "imaging/metafile/MetafileRecords.h"

namespace lumarte::imaging {

// GDI objects as the records define them, sizes in logical units.
struct TLogPen {
  uint32_t Style = 0;  // PS_* with end-cap, join and PS_GEOMETRIC bits
  int32_t Width = 0;
  uint32_t Color = 0;
  bool Extended = false;  // from ExtCreatePen: dashes survive any width
};
struct TLogBrush {
  uint32_t Style = 0;  // BS_*
  uint32_t Color = 0xFFFFFF;
  uint32_t Hatch = 0;
  std::shared_ptr<const TMetaImage> Pattern;
};
struct TLogFont {
  int32_t Height = 0, Width = 0, Escapement = 0, Weight = 0;
  bool Italic = false, Underline = false, StrikeOut = false;
  uint8_t CharSet = 0;
  std::string Face;  // UTF-8
};
// Rectangles (left, top, right, bottom) of a region.
using TRects = std::vector<std::array<int32_t, 4>>;
struct TLogRegion {
  TRects Rects;
};
// Palettes and other objects that only occupy a slot.
struct TOtherObject {};
using TMetaObject = std::variant<TOtherObject, TLogPen, TLogBrush, TLogFont, TLogRegion>;

enum : int {
  MM_TEXT = 1,
  MM_LOMETRIC = 2,
  MM_HIMETRIC = 3,
  MM_LOENGLISH = 4,
  MM_HIENGLISH = 5,
  MM_TWIPS = 6,
  MM_ISOTROPIC = 7,
  MM_ANISOTROPIC = 8
};

// Region combination modes (RGN_*).
enum class TClipMode { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };

struct TPlayerSetup {
  size_t ObjectCount = 0;
  // Reference device pixels to output pixels (identity for WMF).
  TAffine DeviceToOutput;
  // Reference device pixels per millimetre, for the metric mapping modes.
  double PixelsPerMmX = 96 / 25.4, PixelsPerMmY = 96 / 25.4;
  // WMF: the viewport is the picture; records may move the window and the
  // viewport's origin (in output pixels) but not its extent.
  bool FixedViewport = false;
  TPointD Viewport{1, 1};  // viewport extent for FixedViewport
  TPointD Window{1, 1};    // initial window extent and origin
  TPointD WindowOrg{0, 0};
  // Logical to device scale when an extent is zero.
  double FallbackScale = 1;
  // Bytes of commands, points, characters and bitmaps one picture may hold.
  uint64_t MaxBytes = uint64_t{1} << 30;
  // Clip items beyond this many are not kept (real files use a handful).
  size_t MaxClipItems = 64;
};

class TMetaPlayer {
 public:
  TMetaPlayer(TMetaPicture& picture, const TPlayerSetup& setup);

  // The record being played, for error messages.
  uint32_t RecordType = 0;
  size_t RecordOffset = 0;
  // EFormatError "Corrupt metafile: <what> (record 0x.. at offset ..)".
  [[noreturn]] void Fail(const std::string& what) const;
  // Raises e again with the record's place added (for bitmap errors).
  [[noreturn]] void Locate(const EFormatError& e) const;

  // Objects. EMF gives the slot, WMF takes the lowest free one.
  void PutObject(uint32_t index, TMetaObject object);
  void AddObject(TMetaObject object);
  void SelectObject(uint32_t index);
  void SelectStockObject(uint32_t stock);
  void DeleteObject(uint32_t index);

  // State.
  void SetTextColor(uint32_t c) { S.TextColor = c & 0xFFFFFF; }
  void SetBkColor(uint32_t c) { S.BkColor = c & 0xFFFFFF; }
  void SetBkMode(uint32_t mode) { S.BkOpaque = mode == 2; }
  void SetTextAlign(uint32_t align) { S.TextAlign = align; }
  void SetPolyFillMode(uint32_t mode) { S.Winding = mode == 2; }
  void SetArcDirection(uint32_t dir) { S.Clockwise = dir == 2; }
  // R2_* mix of pen and brush with what is below.
  void SetRop2(uint32_t rop2) { S.Rop2 = rop2 >= 1 && rop2 <= 16 ? rop2 : 13; }
  void SaveDC();
  void RestoreDC(int32_t which);

  // Mapping.
  void SetMapMode(int mode);
  void SetWindowOrg(double x, double y);
  void SetWindowExt(double x, double y);
  void SetViewportOrg(double x, double y);
  void SetViewportExt(double x, double y);
  void OffsetWindowOrg(double dx, double dy);
  void OffsetViewportOrg(double dx, double dy);
  void ScaleWindowExt(double xn, double xd, double yn, double yd);
  void ScaleViewportExt(double xn, double xd, double yn, double yd);
  void SetWorldTransform(const TAffine& xf);
  // MWT_IDENTITY 1, MWT_LEFTMULTIPLY 2, MWT_RIGHTMULTIPLY 3, MWT_SET 4.
  void ModifyWorldTransform(const TAffine& xf, uint32_t mode);
  const TAffine& Transform() const { return Xform; }

  // Drawing, logical coordinates. Inside a path bracket the figures are
  // collected instead of drawn.
  void MoveTo(double x, double y);
  void LineTo(double x, double y);
  void Polyline(const std::vector<TPointD>& pts);
  void PolylineTo(const std::vector<TPointD>& pts);
  void PolyBezier(const std::vector<TPointD>& pts);
  void PolyBezierTo(const std::vector<TPointD>& pts);
  // PT_* types: 6 move, 2 line, 4 Bézier, with 1 closing the figure.
  void PolyDraw(const std::vector<TPointD>& pts, const std::vector<uint8_t>& types);
  void PolyPolyline(const std::vector<std::vector<TPointD>>& lines);
  void PolyPolygon(const std::vector<std::vector<TPointD>>& polygons);
  void Rectangle(double l, double t, double r, double b);
  void RoundRect(double l, double t, double r, double b, double cw, double ch);
  void Ellipse(double l, double t, double r, double b);
  void Arc(TArcKind kind, double l, double t, double r, double b, double xs, double ys, double xe,
           double ye);
  void ArcTo(double l, double t, double r, double b, double xs, double ys, double xe, double ye);
  void AngleArc(double cx, double cy, double radius, double start, double sweep);
  void SetPixel(double x, double y, uint32_t color);
  // PatBlt and source-less blits: fills with the brush, black or white.
  void PatBlt(double x, double y, double w, double h, uint32_t rop);
  // Outlines region rectangles with a brush frame w x h logical units thick.
  void FrameRegion(const TRects& rects, const TLogBrush& brush, double w, double h);
  // GradientFill: a rectangle shading from c1 to c2 (across when horizontal,
  // downwards otherwise), or a triangle shading between its corners' colours.
  void GradientRect(TPointD a, TPointD b, uint32_t c1, uint32_t c2, bool horizontal);
  void GradientTriangle(const TPointD (&p)[3], const uint32_t (&c)[3]);
  // Fills region rectangles, in device pixels or logical units.
  void FillRegion(const TRects& rects, const TLogBrush& brush, bool device);
  const TLogBrush& CurrentBrush() const { return S.Brush; }
  // The brush or region in a slot (a stock brush for 0x80000000 | n); none
  // when the slot is empty or holds something else.
  std::optional<TLogBrush> BrushAt(uint32_t index) const;
  std::optional<TLogRegion> RegionAt(uint32_t index) const;

  // ETO_* options: 2 opaque box, 4 clip to box; advances may be empty.
  void TextOut(double x, double y, std::u16string chars, const std::vector<double>& advances,
               uint32_t options, const double* box);
  // A bitmap's source rectangle (top-down pixels) onto the logical rectangle.
  void Blit(double x, double y, double w, double h, std::shared_ptr<const TMetaImage> image,
            double sx, double sy, double sw, double sh, uint32_t rop, bool useAlpha = false,
            uint8_t alpha = 255);
  // PlgBlt: the source rectangle onto the parallelogram of three logical
  // corners (top-left, top-right, bottom-left).
  void BlitParallelogram(const TPointD (&corners)[3], std::shared_ptr<const TMetaImage> image,
                         double sx, double sy, double sw, double sh);
  // BitBlt: the source has the destination's logical size, cut to the
  // bitmap (a larger size stretches the whole bitmap, as GDI shows it).
  void BitBlt(double x, double y, double w, double h, std::shared_ptr<const TMetaImage> image,
              double sx, double sy, uint32_t rop);
  // SetDIBitsToDevice: w x h source pixels at the logical point, one source
  // pixel to a device pixel.
  void SetDIBits(double x, double y, double w, double h, std::shared_ptr<const TMetaImage> image,
                 double sx, double sy);

  void BeginPath();
  void EndPath();
  void CloseFigure();
  void AbortPath();
  void FillPath() { DrawPath(true, false); }
  void StrokePath() { DrawPath(false, true); }
  void StrokeAndFillPath() { DrawPath(true, true); }
  void SelectClipPath(TClipMode mode);

  void IntersectClipRect(double l, double t, double r, double b);
  void ExcludeClipRect(double l, double t, double r, double b);
  // Region rectangles in device pixels or logical units; an empty list with
  // Copy removes clipping.
  void SelectClipRects(const TRects& rects, TClipMode mode, bool device);

 private:
  struct TState {
    TLogPen Pen;
    TLogBrush Brush;
    TLogFont Font;
    uint32_t TextColor = 0, BkColor = 0xFFFFFF, TextAlign = 0, Rop2 = 13;
    bool BkOpaque = true, Winding = false, Clockwise = false;
    int MapMode = MM_TEXT;
    TPointD WinOrg{0, 0}, WinExt{1, 1}, VpOrg{0, 0}, VpExt{1, 1};
    TAffine World;
    TPointD Pos;
    std::shared_ptr<const TMetaClip> Clip;
  };

  // Counts bytes the picture holds; EFormatError "Metafile too complex" past the limit.
  void Charge(uint64_t bytes);
  void ChargeObject(const TMetaObject& object);
  void Push(TMetaCommand command);
  void UpdateTransform();
  TMetaPen OutputPen() const;
  TMetaBrush OutputBrush(const TLogBrush& b) const;
  TMetaFont OutputFont() const;
  void Emit(TMetaPath path, bool fill, bool stroke);
  void EmitFill(TMetaPath path, const TMetaBrush& brush);
  // Closed figures are filled and outlined, open ones outlined; inside a
  // path bracket both are added to the path.
  void Shape(TMetaPath path, bool closed);
  void Figure(const std::vector<TPointD>& pts, bool closed, TMetaPath& into) const;
  void EnsureFigure();
  void Continue(const TMetaPath& tail, TPointD end);
  void AddClip(TMetaClipItem item, TClipMode mode);
  TMetaPath RegionPath(const TRects& rects, bool device) const;
  void DrawPath(bool fill, bool stroke);

  TMetaPicture& Picture;
  TPlayerSetup Setup;
  std::vector<std::optional<TMetaObject>> Objects;
  TState S;
  std::vector<TState> Saved;
  TAffine Xform;  // logical to output
  bool InPath = false, FigureOpen = false;
  TMetaPath CurrentPath, FinishedPath;
  uint64_t Bytes = 0;
};

}  // namespace lumarte::imaging
