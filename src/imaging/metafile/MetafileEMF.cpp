// Enhanced metafiles: the header, then records of a 32-bit type and a 32-bit
// size (a multiple of four) up to EMR_EOF.
#include <cmath>
#include <memory>

#include "imaging/Errors.h"
#include "imaging/metafile/MetafileBytes.h"
#include "imaging/metafile/MetafileDIB.h"
#include "imaging/metafile/MetafilePlayer.h"
#include "imaging/metafile/MetafileRecords.h"
#include "imaging/metafile/MetafileSize.h"
#include "imaging/metafile/MetafileText.h"

namespace lumarte::imaging {

namespace {

// clang-format off
enum : uint32_t {
  EMR_HEADER = 1, EMR_POLYBEZIER = 2, EMR_POLYGON = 3, EMR_POLYLINE = 4, EMR_POLYBEZIERTO = 5,
  EMR_POLYLINETO = 6, EMR_POLYPOLYLINE = 7, EMR_POLYPOLYGON = 8, EMR_SETWINDOWEXTEX = 9,
  EMR_SETWINDOWORGEX = 10, EMR_SETVIEWPORTEXTEX = 11, EMR_SETVIEWPORTORGEX = 12, EMR_EOF = 14,
  EMR_SETPIXELV = 15, EMR_SETMAPMODE = 17, EMR_SETBKMODE = 18, EMR_SETPOLYFILLMODE = 19,
  EMR_SETROP2 = 20, EMR_SETTEXTALIGN = 22, EMR_SETTEXTCOLOR = 24, EMR_SETBKCOLOR = 25,
  EMR_MOVETOEX = 27, EMR_EXCLUDECLIPRECT = 29, EMR_INTERSECTCLIPRECT = 30,
  EMR_SCALEVIEWPORTEXTEX = 31, EMR_SCALEWINDOWEXTEX = 32, EMR_SAVEDC = 33, EMR_RESTOREDC = 34,
  EMR_SETWORLDTRANSFORM = 35, EMR_MODIFYWORLDTRANSFORM = 36, EMR_SELECTOBJECT = 37,
  EMR_CREATEPEN = 38, EMR_CREATEBRUSHINDIRECT = 39, EMR_DELETEOBJECT = 40, EMR_ANGLEARC = 41,
  EMR_ELLIPSE = 42, EMR_RECTANGLE = 43, EMR_ROUNDRECT = 44, EMR_ARC = 45, EMR_CHORD = 46,
  EMR_PIE = 47, EMR_CREATEPALETTE = 49, EMR_LINETO = 54, EMR_ARCTO = 55, EMR_POLYDRAW = 56,
  EMR_SETARCDIRECTION = 57, EMR_BEGINPATH = 59, EMR_ENDPATH = 60, EMR_CLOSEFIGURE = 61,
  EMR_FILLPATH = 62, EMR_STROKEANDFILLPATH = 63, EMR_STROKEPATH = 64, EMR_SELECTCLIPPATH = 67,
  EMR_ABORTPATH = 68, EMR_FILLRGN = 71, EMR_FRAMERGN = 72, EMR_PAINTRGN = 74,
  EMR_EXTSELECTCLIPRGN = 75, EMR_BITBLT = 76, EMR_STRETCHBLT = 77, EMR_MASKBLT = 78,
  EMR_PLGBLT = 79, EMR_SETDIBITSTODEVICE = 80, EMR_STRETCHDIBITS = 81,
  EMR_EXTCREATEFONTINDIRECTW = 82, EMR_EXTTEXTOUTA = 83, EMR_EXTTEXTOUTW = 84,
  EMR_POLYBEZIER16 = 85, EMR_POLYGON16 = 86, EMR_POLYLINE16 = 87, EMR_POLYBEZIERTO16 = 88,
  EMR_POLYLINETO16 = 89, EMR_POLYPOLYLINE16 = 90, EMR_POLYPOLYGON16 = 91, EMR_POLYDRAW16 = 92,
  EMR_CREATEMONOBRUSH = 93, EMR_CREATEDIBPATTERNBRUSHPT = 94, EMR_EXTCREATEPEN = 95,
  EMR_SMALLTEXTOUT = 108, EMR_ALPHABLEND = 114, EMR_TRANSPARENTBLT = 116, EMR_GRADIENTFILL = 118
};
// clang-format on

constexpr uint32_t kSignature = 0x464D4520;  // " EMF"
enum : uint32_t {
  ETO_GLYPH_INDEX = 0x10,
  ETO_NO_RECT = 0x100,
  ETO_SMALL_CHARS = 0x200,
  ETO_PDY = 0x2000
};

// One record: bounds-checked field access and the shapes records share.
class TEmfRecord {
 public:
  TEmfRecord(const uint8_t* p, size_t size, TMetaPlayer& player)
      : P(p), Size(size), Player(player) {}

  void Need(size_t offset, size_t count) const {
    if (!Fits(Size, offset, count)) Player.Fail("record too short for its contents");
  }
  uint32_t U(size_t off) const { return Need(off, 4), GetU32(P + off); }
  int32_t I(size_t off) const { return Need(off, 4), GetS32(P + off); }
  double F(size_t off) const { return Need(off, 4), GetF32(P + off); }
  TPointD Point(size_t off) const { return {double(I(off)), double(I(off + 4))}; }
  const uint8_t* At(size_t off) const { return P + off; }

  // count points of 8 (int32 pairs) or 4 bytes (int16 pairs) from off.
  std::vector<TPointD> Points(size_t off, uint64_t count, bool small) const {
    size_t each = small ? 4 : 8;
    if (count > (Size - std::min(Size, off)) / each) Player.Fail("point count exceeds the record");
    std::vector<TPointD> pts(count);
    for (size_t i = 0; i < count; ++i) {
      const uint8_t* q = P + off + i * each;
      pts[i] = small ? TPointD{double(GetS16(q)), double(GetS16(q + 2))}
                     : TPointD{double(GetS32(q)), double(GetS32(q + 4))};
    }
    return pts;
  }

  // Polygons of the PolyPoly records: counts, then all points.
  std::vector<std::vector<TPointD>> PolyPoints(bool small) const {
    uint32_t groups = U(24), total = U(28);
    if (groups > (Size - 32) / 4) Player.Fail("polygon count exceeds the record");
    std::vector<TPointD> pts = Points(32 + size_t{groups} * 4, total, small);
    std::vector<std::vector<TPointD>> out(groups);
    size_t at = 0;
    for (uint32_t g = 0; g < groups; ++g) {
      uint32_t n = U(32 + 4 * g);
      if (n > pts.size() - at) Player.Fail("polygon sizes exceed the point count");
      out[g].assign(pts.begin() + at, pts.begin() + at + n);
      at += n;
    }
    return out;
  }

  // A bitmap given by offsets from the record start (offBmi, cbBmi, offBits,
  // cbBits at at; the DIB_* usage at usageAt); null when the record has none.
  std::shared_ptr<TMetaImage> Bitmap(size_t usageAt, size_t at, bool alpha = false,
                                     uint32_t scans = 0) const {
    uint32_t usage = U(usageAt), offBmi = U(at), cbBmi = U(at + 4), offBits = U(at + 8),
             cbBits = U(at + 12);
    if (cbBmi == 0) return nullptr;
    if (!Fits(Size, offBmi, cbBmi) || !Fits(Size, offBits, cbBits))
      Player.Fail("bitmap outside its record");
    const uint8_t *info = P + offBmi, *bits = P + offBits;
    if (alpha) return DecodeAlphaDIB(info, cbBmi, bits, cbBits);
    if (scans) return DecodeDIBScans(info, cbBmi, bits, cbBits, usage == 1, scans);
    return DecodeDIB(info, cbBmi, bits, cbBits, usage == 1);
  }
  bool TopDownBitmap(size_t at) const {
    uint32_t offBmi = U(at), cbBmi = U(at + 4);
    return Fits(Size, offBmi, cbBmi) && IsTopDownDIB(P + offBmi, cbBmi);
  }

  TRects Region(size_t off, uint32_t cb) const {
    Need(off, cb);
    if (cb == 0) return {};
    if (cb < 32) Player.Fail("region header cut short");
    uint32_t count = U(off + 8);
    if (count > (cb - 32) / 16) Player.Fail("region rectangles exceed the region");
    TRects rects(count);
    for (uint32_t i = 0; i < count; ++i)
      for (int k = 0; k < 4; ++k) rects[i][k] = I(off + 32 + 16 * i + 4 * k);
    return rects;
  }

  TAffine Xform(size_t off) const {
    return {F(off), F(off + 4), F(off + 8), F(off + 12), F(off + 16), F(off + 20)};
  }

  const uint8_t* P;
  size_t Size;
  TMetaPlayer& Player;
};

void CreatePen(const TEmfRecord& r, TMetaPlayer& pl, bool extended) {
  TLogPen pen;
  if (!extended) {
    pen = {r.U(12), r.I(16), r.U(24), false};
  } else {
    pen = {r.U(28), static_cast<int32_t>(r.U(32)), r.U(40), true};
    if (!(pen.Style & 0x10000)) pen.Width = 0;              // cosmetic: one pixel
    if (r.U(36) == 1) pen.Style = (pen.Style & ~0xFu) | 5;  // null brush draws nothing
  }
  pl.PutObject(r.U(8), pen);
}

void CreateFont(const TEmfRecord& r, TMetaPlayer& pl) {
  r.Need(12, 28);
  TLogFont f;
  f.Height = r.I(12);
  f.Width = r.I(16);
  f.Escapement = r.I(20);
  f.Weight = r.I(28);
  f.Italic = r.At(32)[0];
  f.Underline = r.At(33)[0];
  f.StrikeOut = r.At(34)[0];
  f.CharSet = r.At(35)[0];
  size_t room = r.Size > 40 ? (r.Size - 40) / 2 : 0;
  f.Face = FaceName16(r.At(40), std::min<size_t>(32, room));
  pl.PutObject(r.U(8), f);
}

void SelectObject(const TEmfRecord& r, TMetaPlayer& pl) {
  uint32_t h = r.U(8);
  if (h & 0x80000000u)
    pl.SelectStockObject(h & 0x7FFFFFFFu);
  else
    pl.SelectObject(h);
}

void ExtTextOut(const TEmfRecord& r, TMetaPlayer& pl, bool wide) {
  uint32_t count = r.U(44), offString = r.U(48), options = r.U(52), offDx = r.U(72);
  size_t unit = wide ? 2 : 1;
  if (count && (offString < 76 || !Fits(r.Size, offString, size_t{count} * unit)))
    pl.Fail("text outside its record");
  std::vector<double> advances;
  if (offDx && count) {
    size_t step = options & ETO_PDY ? 8 : 4;
    if (!Fits(r.Size, offDx, count * step)) pl.Fail("character spacing outside its record");
    for (uint32_t i = 0; i < count; ++i) advances.push_back(GetS32(r.At(offDx + i * step)));
  }
  std::u16string chars;
  if (!(options & ETO_GLYPH_INDEX))  // glyph numbers of an unknown font cannot be shown
    chars = wide ? Utf16Text(r.At(offString), count) : AnsiText(r.At(offString), count);
  else
    advances.clear();
  double box[4] = {double(r.I(56)), double(r.I(60)), double(r.I(64)), double(r.I(68))};
  TPointD ref = r.Point(36);
  pl.TextOut(ref.X, ref.Y, std::move(chars), advances, options,
             options & ETO_NO_RECT ? nullptr : box);
}

void SmallTextOut(const TEmfRecord& r, TMetaPlayer& pl) {
  uint32_t count = r.U(16), options = r.U(20);
  size_t off = 36;
  double box[4] = {};
  bool hasBox = !(options & ETO_NO_RECT);
  if (hasBox) {
    for (int k = 0; k < 4; ++k) box[k] = r.I(off + 4 * k);
    off += 16;
  }
  bool small = options & ETO_SMALL_CHARS;
  if (!Fits(r.Size, off, size_t{count} * (small ? 1 : 2))) pl.Fail("text outside its record");
  std::u16string chars = small ? AnsiText(r.At(off), count) : Utf16Text(r.At(off), count);
  if (options & ETO_GLYPH_INDEX) chars.clear();
  TPointD ref = r.Point(8);
  pl.TextOut(ref.X, ref.Y, std::move(chars), {}, options, hasBox ? box : nullptr);
}

// BitBlt, StretchBlt, AlphaBlend and TransparentBlt share one layout.
void Blt(const TEmfRecord& r, TMetaPlayer& pl, uint32_t type) {
  double x = r.I(24), y = r.I(28), w = r.I(32), h = r.I(36);
  uint32_t rop = r.U(40);
  bool stretch = type != EMR_BITBLT;
  if (stretch) r.Need(100, 8);
  bool alpha = type == EMR_ALPHABLEND && (rop >> 24) & 1;
  std::shared_ptr<TMetaImage> img = r.Bitmap(80, 84, alpha);
  if (!img) {
    if (type == EMR_BITBLT || type == EMR_STRETCHBLT) pl.PatBlt(x, y, w, h, rop);
    return;
  }
  double sx = r.I(44), sy = r.I(48), sw = stretch ? r.I(100) : w, sh = stretch ? r.I(104) : h;
  if (type == EMR_TRANSPARENTBLT) {
    uint32_t key = rop & 0xFFFFFF;
    uint32_t argb = 0xFF000000u | (key & 0xFF) << 16 | (key & 0xFF00) | (key >> 16 & 0xFF);
    for (uint32_t& px : img->Pixels)
      if (px == argb) px = 0;
  }
  if (type == EMR_ALPHABLEND)
    pl.Blit(x, y, w, h, img, sx, sy, sw, sh, kSrcCopy, true, (rop >> 16) & 0xFF);
  else if (type == EMR_BITBLT)
    pl.BitBlt(x, y, w, h, img, sx, sy, rop);
  else
    pl.Blit(x, y, w, h, img, sx, sy, sw, sh, type == EMR_TRANSPARENTBLT ? kSrcCopy : rop);
}

// Mask bits of MaskBlt and PlgBlt: where the monochrome mask is black the
// destination stays (the usual foreground-copy, background-keep pairing).
void ApplyMask(TMetaImage& img, const TMetaImage& mask, double xSrc, double ySrc, double xMask,
               double yMask) {
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x) {
      double mx = x - xSrc + xMask, my = y - ySrc + yMask;
      if (mx < 0 || my < 0 || mx >= mask.Width || my >= mask.Height) continue;
      if ((mask.At(int(mx), int(my)) & 0xFFFFFF) == 0) img.Pixels[size_t(y) * img.Width + x] = 0;
    }
}

void MaskBlt(const TEmfRecord& r, TMetaPlayer& pl) {
  double x = r.I(24), y = r.I(28), w = r.I(32), h = r.I(36), sx = r.I(44), sy = r.I(48);
  std::shared_ptr<TMetaImage> img = r.Bitmap(80, 84);
  if (!img) return;
  if (auto mask = r.Bitmap(108, 112)) ApplyMask(*img, *mask, sx, sy, r.I(100), r.I(104));
  pl.Blit(x, y, w, h, img, sx, sy, w, h, kSrcCopy);
}

void PlgBlt(const TEmfRecord& r, TMetaPlayer& pl) {
  TPointD corners[3] = {r.Point(24), r.Point(32), r.Point(40)};
  double sx = r.I(48), sy = r.I(52), sw = r.I(56), sh = r.I(60);
  std::shared_ptr<TMetaImage> img = r.Bitmap(92, 96);
  if (!img) return;
  if (auto mask = r.Bitmap(120, 124)) ApplyMask(*img, *mask, sx, sy, r.I(112), r.I(116));
  pl.BlitParallelogram(corners, img, sx, sy, sw, sh);
}

void FrameRgn(const TEmfRecord& r, TMetaPlayer& pl) {
  std::optional<TLogBrush> brush = pl.BrushAt(r.U(28));
  TRects rects = r.Region(40, r.U(24));
  if (brush) pl.FrameRegion(rects, *brush, r.I(32), r.I(36));
}

// Vertices (x, y and 16-bit red, green, blue, alpha), then rectangles or
// triangles as vertex indices.
void GradientFill(const TEmfRecord& r, TMetaPlayer& pl) {
  uint32_t vertices = r.U(24), pieces = r.U(28), mode = r.U(32);
  if (vertices > (r.Size - 36) / 16) pl.Fail("vertex count exceeds the record");
  size_t at = 36 + size_t{vertices} * 16, each = mode == 2 ? 12 : 8;
  if (pieces > (r.Size - at) / each) pl.Fail("gradient count exceeds the record");
  auto point = [&](uint32_t i) { return r.Point(36 + size_t{i} * 16); };
  auto colour = [&](uint32_t i) {
    const uint8_t* v = r.At(36 + size_t{i} * 16 + 8);
    return uint32_t{v[1]} | uint32_t{v[3]} << 8 | uint32_t{v[5]} << 16;  // high bytes
  };
  for (uint32_t k = 0; k < pieces; ++k) {
    uint32_t idx[3] = {r.U(at + k * each), r.U(at + k * each + 4),
                       mode == 2 ? r.U(at + k * each + 8) : 0};
    for (uint32_t i : idx)
      if (i >= vertices) pl.Fail("gradient vertex out of range");
    if (mode == 2) {
      TPointD p[3] = {point(idx[0]), point(idx[1]), point(idx[2])};
      uint32_t c[3] = {colour(idx[0]), colour(idx[1]), colour(idx[2])};
      pl.GradientTriangle(p, c);
    } else if (mode <= 1) {
      pl.GradientRect(point(idx[0]), point(idx[1]), colour(idx[0]), colour(idx[1]), mode == 0);
    }
  }
}

// Source rows of the DIB records count from the bottom of a bottom-up bitmap.
double SourceTop(const TMetaImage& img, bool topDown, double ySrc, double height) {
  return topDown ? ySrc : img.Height - ySrc - height;
}

void StretchDIBits(const TEmfRecord& r, TMetaPlayer& pl) {
  double x = r.I(24), y = r.I(28), w = r.I(72), h = r.I(76);
  double sx = r.I(32), sy = r.I(36), sw = r.I(40), sh = r.I(44);
  uint32_t rop = r.U(68);
  std::shared_ptr<TMetaImage> img = r.Bitmap(64, 48);
  if (!img) {
    pl.PatBlt(x, y, w, h, rop);
    return;
  }
  pl.Blit(x, y, w, h, img, sx, SourceTop(*img, r.TopDownBitmap(48), sy, sh), sw, sh, rop);
}

void SetDIBitsToDevice(const TEmfRecord& r, TMetaPlayer& pl) {
  double x = r.I(24), y = r.I(28), sx = r.I(32), sy = r.I(36), w = r.I(40), h = r.I(44);
  uint32_t start = r.U(68), scans = r.U(72);
  std::shared_ptr<TMetaImage> img = r.Bitmap(64, 48, false, scans);
  if (!img) return;
  // The bits hold scan lines start.. of the whole bitmap.
  double top = r.TopDownBitmap(48) ? sy - start : img->Height - (sy - start) - h;
  pl.SetDIBits(x, y, w, h, img, sx, top);
}

void PatternBrush(const TEmfRecord& r, TMetaPlayer& pl) {
  TLogBrush brush{6, 0, 0, r.Bitmap(12, 16)};  // BS_DIBPATTERNPT
  pl.PutObject(r.U(8), brush);
}

TClipMode ClipMode(uint32_t mode) {
  return mode >= 1 && mode <= 5 ? static_cast<TClipMode>(mode) : TClipMode::And;
}

// Mapping, state and object records; false when the type is not one of them.
bool StateRecord(uint32_t type, const TEmfRecord& r, TMetaPlayer& pl) {
  switch (type) {
    case EMR_SETWINDOWEXTEX:
      pl.SetWindowExt(r.I(8), r.I(12));
      break;
    case EMR_SETWINDOWORGEX:
      pl.SetWindowOrg(r.I(8), r.I(12));
      break;
    case EMR_SETVIEWPORTEXTEX:
      pl.SetViewportExt(r.I(8), r.I(12));
      break;
    case EMR_SETVIEWPORTORGEX:
      pl.SetViewportOrg(r.I(8), r.I(12));
      break;
    case EMR_SCALEVIEWPORTEXTEX:
      pl.ScaleViewportExt(r.I(8), r.I(12), r.I(16), r.I(20));
      break;
    case EMR_SCALEWINDOWEXTEX:
      pl.ScaleWindowExt(r.I(8), r.I(12), r.I(16), r.I(20));
      break;
    case EMR_SETMAPMODE:
      pl.SetMapMode(r.I(8));
      break;
    case EMR_SETWORLDTRANSFORM:
      pl.SetWorldTransform(r.Xform(8));
      break;
    case EMR_MODIFYWORLDTRANSFORM:
      pl.ModifyWorldTransform(r.Xform(8), r.U(32));
      break;
    case EMR_SETBKMODE:
      pl.SetBkMode(r.U(8));
      break;
    case EMR_SETPOLYFILLMODE:
      pl.SetPolyFillMode(r.U(8));
      break;
    case EMR_SETROP2:
      pl.SetRop2(r.U(8));
      break;
    case EMR_SETTEXTALIGN:
      pl.SetTextAlign(r.U(8));
      break;
    case EMR_SETTEXTCOLOR:
      pl.SetTextColor(r.U(8));
      break;
    case EMR_SETBKCOLOR:
      pl.SetBkColor(r.U(8));
      break;
    case EMR_SETARCDIRECTION:
      pl.SetArcDirection(r.U(8));
      break;
    case EMR_SAVEDC:
      pl.SaveDC();
      break;
    case EMR_RESTOREDC:
      pl.RestoreDC(r.I(8));
      break;
    case EMR_SELECTOBJECT:
      SelectObject(r, pl);
      break;
    case EMR_DELETEOBJECT:
      if (!(r.U(8) & 0x80000000u)) pl.DeleteObject(r.U(8));
      break;
    case EMR_CREATEPEN:
      CreatePen(r, pl, false);
      break;
    case EMR_EXTCREATEPEN:
      CreatePen(r, pl, true);
      break;
    case EMR_CREATEBRUSHINDIRECT:
      pl.PutObject(r.U(8), TLogBrush{r.U(12), r.U(16), r.U(20), {}});
      break;
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
      PatternBrush(r, pl);
      break;
    case EMR_EXTCREATEFONTINDIRECTW:
      CreateFont(r, pl);
      break;
    case EMR_CREATEPALETTE:
      pl.PutObject(r.U(8), TOtherObject{});
      break;
    case EMR_INTERSECTCLIPRECT:
      pl.IntersectClipRect(r.I(8), r.I(12), r.I(16), r.I(20));
      break;
    case EMR_EXCLUDECLIPRECT:
      pl.ExcludeClipRect(r.I(8), r.I(12), r.I(16), r.I(20));
      break;
    case EMR_EXTSELECTCLIPRGN:
      pl.SelectClipRects(r.Region(16, r.U(8)), ClipMode(r.U(12)), true);
      break;
    case EMR_SELECTCLIPPATH:
      pl.SelectClipPath(ClipMode(r.U(8)));
      break;
    case EMR_BEGINPATH:
      pl.BeginPath();
      break;
    case EMR_ENDPATH:
      pl.EndPath();
      break;
    case EMR_CLOSEFIGURE:
      pl.CloseFigure();
      break;
    case EMR_ABORTPATH:
      pl.AbortPath();
      break;
    default:
      return false;
  }
  return true;
}

// Lines and curves; false when the type is not one of them.
bool LineRecord(uint32_t type, const TEmfRecord& r, TMetaPlayer& pl) {
  bool small = type >= EMR_POLYBEZIER16 && type <= EMR_POLYDRAW16;
  switch (type) {
    case EMR_MOVETOEX:
      pl.MoveTo(r.I(8), r.I(12));
      break;
    case EMR_LINETO:
      pl.LineTo(r.I(8), r.I(12));
      break;
    case EMR_POLYLINE:
    case EMR_POLYLINE16:
      pl.Polyline(r.Points(28, r.U(24), small));
      break;
    case EMR_POLYLINETO:
    case EMR_POLYLINETO16:
      pl.PolylineTo(r.Points(28, r.U(24), small));
      break;
    case EMR_POLYBEZIER:
    case EMR_POLYBEZIER16:
      pl.PolyBezier(r.Points(28, r.U(24), small));
      break;
    case EMR_POLYBEZIERTO:
    case EMR_POLYBEZIERTO16:
      pl.PolyBezierTo(r.Points(28, r.U(24), small));
      break;
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYLINE16:
      pl.PolyPolyline(r.PolyPoints(small));
      break;
    case EMR_POLYDRAW:
    case EMR_POLYDRAW16: {
      uint32_t n = r.U(24);
      std::vector<TPointD> pts = r.Points(28, n, small);
      size_t typesAt = 28 + size_t{n} * (small ? 4 : 8);
      r.Need(typesAt, n);
      pl.PolyDraw(pts, std::vector<uint8_t>(r.At(typesAt), r.At(typesAt) + n));
      break;
    }
    case EMR_ARC:
    case EMR_ARCTO: {
      double l = r.I(8), t = r.I(12), rr = r.I(16), b = r.I(20);
      TPointD s = r.Point(24), e = r.Point(32);
      if (type == EMR_ARC)
        pl.Arc(TArcKind::Arc, l, t, rr, b, s.X, s.Y, e.X, e.Y);
      else
        pl.ArcTo(l, t, rr, b, s.X, s.Y, e.X, e.Y);
      break;
    }
    case EMR_ANGLEARC:
      pl.AngleArc(r.I(8), r.I(12), r.U(16), r.F(20), r.F(24));
      break;
    default:
      return false;
  }
  return true;
}

// Filled shapes, text, bitmaps and regions; false when the type is none of them.
bool AreaRecord(uint32_t type, const TEmfRecord& r, TMetaPlayer& pl) {
  bool small = type == EMR_POLYGON16 || type == EMR_POLYPOLYGON16;
  switch (type) {
    case EMR_POLYGON:
    case EMR_POLYGON16:
      pl.PolyPolygon({r.Points(28, r.U(24), small)});
      break;
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYGON16:
      pl.PolyPolygon(r.PolyPoints(small));
      break;
    case EMR_RECTANGLE:
      pl.Rectangle(r.I(8), r.I(12), r.I(16), r.I(20));
      break;
    case EMR_ELLIPSE:
      pl.Ellipse(r.I(8), r.I(12), r.I(16), r.I(20));
      break;
    case EMR_ROUNDRECT:
      pl.RoundRect(r.I(8), r.I(12), r.I(16), r.I(20), r.I(24), r.I(28));
      break;
    case EMR_CHORD:
    case EMR_PIE: {
      TPointD s = r.Point(24), e = r.Point(32);
      pl.Arc(type == EMR_PIE ? TArcKind::Pie : TArcKind::Chord, r.I(8), r.I(12), r.I(16), r.I(20),
             s.X, s.Y, e.X, e.Y);
      break;
    }
    case EMR_FILLPATH:
      pl.FillPath();
      break;
    case EMR_STROKEPATH:
      pl.StrokePath();
      break;
    case EMR_STROKEANDFILLPATH:
      pl.StrokeAndFillPath();
      break;
    case EMR_SETPIXELV:
      pl.SetPixel(r.I(8), r.I(12), r.U(16));
      break;
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW:
      ExtTextOut(r, pl, type == EMR_EXTTEXTOUTW);
      break;
    case EMR_SMALLTEXTOUT:
      SmallTextOut(r, pl);
      break;
    case EMR_BITBLT:
    case EMR_STRETCHBLT:
    case EMR_ALPHABLEND:
    case EMR_TRANSPARENTBLT:
      Blt(r, pl, type);
      break;
    case EMR_STRETCHDIBITS:
      StretchDIBits(r, pl);
      break;
    case EMR_SETDIBITSTODEVICE:
      SetDIBitsToDevice(r, pl);
      break;
    case EMR_FILLRGN: {
      std::optional<TLogBrush> brush = pl.BrushAt(r.U(28));
      TRects rects = r.Region(32, r.U(24));
      if (brush) pl.FillRegion(rects, *brush, false);
      break;
    }
    case EMR_FRAMERGN:
      FrameRgn(r, pl);
      break;
    case EMR_MASKBLT:
      MaskBlt(r, pl);
      break;
    case EMR_PLGBLT:
      PlgBlt(r, pl);
      break;
    case EMR_GRADIENTFILL:
      GradientFill(r, pl);
      break;
    case EMR_PAINTRGN:
      pl.FillRegion(r.Region(28, r.U(24)), pl.CurrentBrush(), false);
      break;
    default:
      return false;
  }
  return true;
}

struct TEmfHeader {
  int32_t Bounds[4], Frame[4];
  uint32_t Bytes, Handles;
  size_t Size;
  // The reference device's size: pixels over micrometres.
  double DeviceX, DeviceY, MicronsX, MicronsY;
  double PixelsPerMm(bool y) const {
    return (y ? DeviceY : DeviceX) * 1000 / (y ? MicronsY : MicronsX);
  }
  // Output pixels per device pixel, from whole numbers so that a 96 pixels
  // per inch device comes out as exactly 1.
  double Scale(bool y) const {
    return 96 * (y ? MicronsY : MicronsX) / (25400 * (y ? DeviceY : DeviceX));
  }
};

[[noreturn]] void BadHeader(const char* why) {
  throw EFormatError(std::string("Invalid metafile header: ") + why);
}

TEmfHeader ReadHeader(const uint8_t* p, size_t size) {
  if (size < 88 || GetU32(p) != EMR_HEADER || GetU32(p + 40) != kSignature)
    BadHeader("not an enhanced metafile");
  TEmfHeader h;
  h.Size = GetU32(p + 4);
  if (h.Size < 88 || h.Size > size || h.Size % 4) BadHeader("header size out of range");
  for (int i = 0; i < 4; ++i)
    h.Bounds[i] = GetS32(p + 8 + 4 * i), h.Frame[i] = GetS32(p + 24 + 4 * i);
  h.Bytes = GetU32(p + 48);
  if (h.Bytes > size) throw EFormatError("Metafile is truncated");
  if (h.Bytes < h.Size) BadHeader("file size smaller than the header");
  h.Handles = GetU16(p + 56);
  uint32_t descLength = GetU32(p + 60), descOffset = GetU32(p + 64);
  if (descLength && (descOffset < 88 || !Fits(h.Size, descOffset, size_t{descLength} * 2)))
    BadHeader("description outside the header");
  int32_t devX = GetS32(p + 72), devY = GetS32(p + 76), mmX = GetS32(p + 80), mmY = GetS32(p + 84);
  // Without a usable device size: 96 pixels per inch.
  bool x = devX > 0 && mmX > 0, y = devY > 0 && mmY > 0;
  h.DeviceX = x ? devX : 96;
  h.MicronsX = x ? mmX * 1000.0 : 25400;
  h.DeviceY = y ? devY : 96;
  h.MicronsY = y ? mmY * 1000.0 : 25400;
  // Micrometres, when present, are the precise form of the same size.
  if (h.Size >= 108) {
    int32_t umX = GetS32(p + 100), umY = GetS32(p + 104);
    if (x && umX > 0) h.MicronsX = umX;
    if (y && umY > 0) h.MicronsY = umY;
  }
  return h;
}

// The picture is the frame (hundredths of millimetres) at 96 pixels per inch;
// files without a usable frame fall back to their device bounds.
TPlayerSetup Setup(const TEmfHeader& h, TMetaPicture& pic) {
  TPlayerSetup s;
  s.ObjectCount = std::max<uint32_t>(h.Handles, 1);
  s.PixelsPerMmX = h.PixelsPerMm(false);
  s.PixelsPerMmY = h.PixelsPerMm(true);
  double kx = h.Scale(false), ky = h.Scale(true);
  const int32_t* f = h.Frame;
  const int32_t* b = h.Bounds;
  if (f[2] >= f[0] && f[3] >= f[1]) {
    pic.Width = static_cast<int>(std::min<int64_t>(PictureSide(f[0], f[2], 2540), INT32_MAX));
    pic.Height = static_cast<int>(std::min<int64_t>(PictureSide(f[1], f[3], 2540), INT32_MAX));
    s.DeviceToOutput = TAffine::Scale(kx, ky, f[0] * (-96 / 2540.0), f[1] * (-96 / 2540.0));
  } else if (b[2] >= b[0] && b[3] >= b[1]) {
    pic.Width = static_cast<int>(std::min<int64_t>(PictureSide(b[0], b[2], 96 / kx), INT32_MAX));
    pic.Height = static_cast<int>(std::min<int64_t>(PictureSide(b[1], b[3], 96 / ky), INT32_MAX));
    s.DeviceToOutput = TAffine::Scale(kx, ky, b[0] * -kx, b[1] * -ky);
  }
  CheckPictureSize(pic.Width, pic.Height);
  return s;
}

}  // namespace

TMetaPicture ReadEMF(const uint8_t* data, size_t size) {
  TEmfHeader h = ReadHeader(data, size);
  TMetaPicture pic;
  pic.Enhanced = true;
  TMetaPlayer player(pic, Setup(h, pic));
  size_t end = h.Bytes, pos = h.Size;
  while (pos < end) {
    player.RecordOffset = pos;
    player.RecordType = 0;
    if (end - pos < 8) player.Fail("record header cut short");
    uint32_t type = GetU32(data + pos), length = GetU32(data + pos + 4);
    if (length < 8 || length % 4 || length > end - pos) player.Fail("record size out of range");
    player.RecordType = type;
    if (type == EMR_EOF) break;
    TEmfRecord r(data + pos, length, player);
    try {
      if (!StateRecord(type, r, player) && !LineRecord(type, r, player))
        AreaRecord(type, r, player);
    } catch (const EFormatError& e) {
      player.Locate(e);
    }
    pos += length;
  }
  return pic;
}

}  // namespace lumarte::imaging
