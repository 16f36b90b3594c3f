// Windows metafiles: an optional placeable (Aldus) header, the 18-byte
// META_HEADER, then records of a 32-bit size in 16-bit words and a 16-bit
// function up to META_EOF. Parameters are 16-bit words, coordinates in
// reverse order (y before x, bottom before top).
#include <algorithm>
#include <cstdlib>

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
enum : uint16_t {
  META_EOF = 0x0000, META_SAVEDC = 0x001E, META_SETBKMODE = 0x0102, META_SETMAPMODE = 0x0103,
  META_SETROP2 = 0x0104, META_SETVIEWPORTORG = 0x020D, META_OFFSETVIEWPORTORG = 0x0211,
  META_FILLREGION = 0x0228, META_PAINTREGION = 0x012B, META_SELECTCLIPREGION = 0x012C,
  META_SETPOLYFILLMODE = 0x0106, META_RESTOREDC = 0x0127, META_SELECTOBJECT = 0x012D,
  META_SETTEXTALIGN = 0x012E, META_DIBCREATEPATTERNBRUSH = 0x0142, META_DELETEOBJECT = 0x01F0,
  META_CREATEPATTERNBRUSH = 0x01F9, META_SETBKCOLOR = 0x0201, META_SETTEXTCOLOR = 0x0209,
  META_SETWINDOWORG = 0x020B, META_SETWINDOWEXT = 0x020C, META_OFFSETWINDOWORG = 0x020F,
  META_LINETO = 0x0213, META_MOVETO = 0x0214, META_CREATEPENINDIRECT = 0x02FA,
  META_CREATEFONTINDIRECT = 0x02FB, META_CREATEBRUSHINDIRECT = 0x02FC, META_POLYGON = 0x0324,
  META_POLYLINE = 0x0325, META_SCALEWINDOWEXT = 0x0410, META_EXCLUDECLIPRECT = 0x0415,
  META_INTERSECTCLIPRECT = 0x0416, META_ELLIPSE = 0x0418, META_RECTANGLE = 0x041B,
  META_SETPIXEL = 0x041F, META_TEXTOUT = 0x0521, META_POLYPOLYGON = 0x0538, META_ROUNDRECT = 0x061C,
  META_PATBLT = 0x061D, META_ARC = 0x0817, META_PIE = 0x081A, META_CHORD = 0x0830,
  META_BITBLT = 0x0922, META_DIBBITBLT = 0x0940, META_EXTTEXTOUT = 0x0A32, META_STRETCHBLT = 0x0B23,
  META_DIBSTRETCHBLT = 0x0B41, META_SETDIBTODEV = 0x0D33, META_STRETCHDIB = 0x0F43,
  META_CREATEPALETTE = 0x00F7, META_CREATEREGION = 0x06FF
};
// clang-format on

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
enum : uint16_t { ETO_OPAQUE = 2, ETO_CLIPPED = 4 };

// The parameters of one record, as 16-bit words.
class TWmfRecord {
 public:
  TWmfRecord(const uint8_t* p, size_t bytes, uint16_t function, TMetaPlayer& player)
      : P(p), Bytes(bytes), Function(function), Player(player) {}

  void Need(size_t offset, size_t count) const {
    if (!Fits(Bytes, offset, count)) Player.Fail("record too short for its contents");
  }
  int16_t S(size_t word) const { return Need(2 * word, 2), GetS16(P + 2 * word); }
  uint16_t U(size_t word) const { return Need(2 * word, 2), GetU16(P + 2 * word); }
  uint32_t U32(size_t word) const { return Need(2 * word, 4), GetU32(P + 2 * word); }
  size_t Words() const { return Bytes / 2; }
  const uint8_t* At(size_t byte) const { return P + byte; }

  std::vector<TPointD> Points(size_t word, size_t count) const {
    if (count > (Words() - std::min(Words(), word)) / 2)
      Player.Fail("point count exceeds the record");
    std::vector<TPointD> pts(count);
    for (size_t i = 0; i < count; ++i)
      pts[i] = {double(GetS16(P + 2 * (word + 2 * i))), double(GetS16(P + 2 * (word + 2 * i + 1)))};
    return pts;
  }

  // The short form of the blit records carries no bitmap.
  bool HasBitmap() const { return Words() != static_cast<size_t>(Function >> 8); }

  const uint8_t* P;
  size_t Bytes;
  uint16_t Function;
  TMetaPlayer& Player;
};

void CreateFont(const TWmfRecord& r, TMetaPlayer& pl) {
  r.Need(0, 18);
  TLogFont f;
  f.Height = r.S(0);
  f.Width = r.S(1);
  f.Escapement = r.S(2);
  f.Weight = r.S(4);
  f.Italic = r.At(10)[0];
  f.Underline = r.At(11)[0];
  f.StrikeOut = r.At(12)[0];
  f.CharSet = r.At(13)[0];
  f.Face = FaceName8(r.At(18), std::min<size_t>(32, r.Bytes - 18));
  pl.AddObject(f);
}

void PatternBrush(const TWmfRecord& r, TMetaPlayer& pl) {
  std::shared_ptr<TMetaImage> img;
  if (r.Function == META_DIBCREATEPATTERNBRUSH) {
    uint16_t style = r.U(0), usage = r.U(1);
    if (style == 3)  // BS_PATTERN: a 16-bit bitmap follows
      img = DecodeBitmap16(r.At(4), r.Bytes - 4);
    else
      img = DecodePackedDIB(r.At(4), r.Bytes - 4, usage == 1);
  } else {
    // Bitmap16 header, its unused bits pointer and 18 reserved bytes, then the bits.
    r.Need(0, 32);
    std::vector<uint8_t> bitmap(r.At(0), r.At(10));
    bitmap.insert(bitmap.end(), r.At(32), r.At(r.Bytes));
    img = DecodeBitmap16(bitmap.data(), bitmap.size());
  }
  pl.AddObject(TLogBrush{6, 0, 0, img});
}

void TextOut(const TWmfRecord& r, TMetaPlayer& pl) {
  size_t len = r.U(0), padded = (len + 1) / 2;
  r.Need(2, len);
  std::u16string chars = AnsiText(r.At(2), len);
  double y = r.S(1 + padded), x = r.S(2 + padded);
  pl.TextOut(x, y, std::move(chars), {}, 0, nullptr);
}

void ExtTextOut(const TWmfRecord& r, TMetaPlayer& pl) {
  double y = r.S(0), x = r.S(1);
  size_t len = r.U(2);
  uint16_t options = r.U(3);
  size_t at = 4;
  double box[4] = {};
  bool hasBox = options & (ETO_OPAQUE | ETO_CLIPPED);
  if (hasBox) {
    for (int k = 0; k < 4; ++k) box[k] = r.S(at + k);
    at += 4;
  }
  r.Need(2 * at, len);
  std::u16string chars = AnsiText(r.At(2 * at), len);
  at += (len + 1) / 2;
  std::vector<double> advances;
  if (r.Words() >= at + len)  // character spacing is optional
    for (size_t i = 0; i < len; ++i) advances.push_back(r.S(at + i));
  pl.TextOut(x, y, std::move(chars), advances, options, hasBox ? box : nullptr);
}

// Source rows of DIB-addressed records count from the bottom of a bottom-up bitmap.
double SourceTop(const TMetaImage& img, bool topDown, double ySrc, double height) {
  return topDown ? ySrc : img.Height - ySrc - height;
}

// Blits; word positions differ per record and between the forms with and
// without a bitmap.
void Blit(const TWmfRecord& r, TMetaPlayer& pl) {
  uint32_t rop = r.U32(0);
  bool stretch = r.Function == META_STRETCHBLT || r.Function == META_DIBSTRETCHBLT;
  if (!r.HasBitmap()) {
    size_t d = stretch ? 7 : 5;  // after a reserved word
    pl.PatBlt(r.S(d + 3), r.S(d + 2), r.S(d + 1), r.S(d), rop);
    return;
  }
  size_t s = stretch ? 2 : 0;  // stretching records add the source size
  double sh = stretch ? r.S(2) : 0, sw = stretch ? r.S(3) : 0;
  double sy = r.S(2 + s), sx = r.S(3 + s);
  double h = r.S(4 + s), w = r.S(5 + s), y = r.S(6 + s), x = r.S(7 + s);
  size_t at = 2 * (8 + s);
  r.Need(at, 0);
  bool dib = r.Function == META_DIBBITBLT || r.Function == META_DIBSTRETCHBLT;
  auto img =
      dib ? DecodePackedDIB(r.At(at), r.Bytes - at, false) : DecodeBitmap16(r.At(at), r.Bytes - at);
  if (stretch)
    pl.Blit(x, y, w, h, img, sx, sy, sw, sh, rop);
  else
    pl.BitBlt(x, y, w, h, img, sx, sy, rop);
}

void StretchDIB(const TWmfRecord& r, TMetaPlayer& pl) {
  uint32_t rop = r.U32(0);
  bool palette = r.U(2) == 1;
  double sh = r.S(3), sw = r.S(4), sy = r.S(5), sx = r.S(6);
  double h = r.S(7), w = r.S(8), y = r.S(9), x = r.S(10);
  r.Need(22, 0);
  auto img = DecodePackedDIB(r.At(22), r.Bytes - 22, palette);
  if (!img) return;
  bool topDown = IsTopDownDIB(r.At(22), r.Bytes - 22);
  pl.Blit(x, y, w, h, img, sx, SourceTop(*img, topDown, sy, sh), sw, sh, rop);
}

void SetDIBToDev(const TWmfRecord& r, TMetaPlayer& pl) {
  bool palette = r.U(0) == 1;
  uint16_t scans = r.U(1), start = r.U(2);
  double sy = r.S(3), sx = r.S(4), h = r.S(5), w = r.S(6), y = r.S(7), x = r.S(8);
  r.Need(18, 0);
  const uint8_t* info = r.At(18);
  size_t infoSize = r.Bytes - 18;
  size_t table = DIBHeaderAndTableSize(info, infoSize, palette);
  if (table > infoSize) pl.Fail("bitmap outside its record");
  auto img = DecodeDIBScans(info, infoSize, info + table, infoSize - table, palette, scans);
  if (!img) return;
  double top = IsTopDownDIB(info, infoSize) ? sy - start : img->Height - (sy - start) - h;
  pl.SetDIBits(x, y, w, h, img, sx, top);
}

// A Region object: a header with the scan count, then scans of a top, a
// bottom and left/right pairs. Writers disagree on the header (22 bytes, or
// 20 with a 16-bit object count); the region size field, which must equal the
// record's parameter size, tells them apart. GDI refuses records too short
// for a header, and then no slot is taken. Scans past the record end the region.
void CreateRegion(const TWmfRecord& r, TMetaPlayer& pl) {
  if (r.Bytes < 20) return;
  bool shortHeader = r.U(3) == r.Bytes;
  size_t scans = r.U(shortHeader ? 4 : 5), word = shortHeader ? 10 : 11;
  TLogRegion region;
  for (size_t i = 0; i < scans && word + 3 <= r.Words(); ++i) {
    size_t count = r.U(word);
    int32_t top = r.S(word + 1), bottom = r.S(word + 2);
    for (size_t k = 0; k + 1 < count && word + 4 + k < r.Words(); k += 2)
      region.Rects.push_back({r.S(word + 3 + k), top, r.S(word + 4 + k), bottom});
    word += 4 + count;  // count, top, bottom, the pairs, count again
  }
  pl.AddObject(std::move(region));
}

void RegionRecord(const TWmfRecord& r, TMetaPlayer& pl) {
  std::optional<TLogRegion> region = pl.RegionAt(r.U(0));
  if (r.Function == META_SELECTCLIPREGION) {
    pl.SelectClipRects(region ? region->Rects : TRects{}, TClipMode::Copy, false);
  } else if (region) {
    std::optional<TLogBrush> brush =
        r.Function == META_FILLREGION ? pl.BrushAt(r.U(1)) : pl.CurrentBrush();
    if (brush) pl.FillRegion(region->Rects, *brush, false);
  }
}

// State, mapping and object records; false when the function is none of them.
bool StateRecord(const TWmfRecord& r, TMetaPlayer& pl) {
  switch (r.Function) {
    case META_SETBKCOLOR:
      pl.SetBkColor(r.U32(0));
      break;
    case META_SETTEXTCOLOR:
      pl.SetTextColor(r.U32(0));
      break;
    case META_SETBKMODE:
      pl.SetBkMode(r.U(0));
      break;
    case META_SETPOLYFILLMODE:
      pl.SetPolyFillMode(r.U(0));
      break;
    case META_SETTEXTALIGN:
      pl.SetTextAlign(r.U(0));
      break;
    case META_SETMAPMODE:
      pl.SetMapMode(r.S(0));
      break;
    case META_SETROP2:
      pl.SetRop2(r.U(0));
      break;
    case META_SETVIEWPORTORG:
      pl.SetViewportOrg(r.S(1), r.S(0));
      break;
    case META_OFFSETVIEWPORTORG:
      pl.OffsetViewportOrg(r.S(1), r.S(0));
      break;
    case META_SETWINDOWORG:
      pl.SetWindowOrg(r.S(1), r.S(0));
      break;
    case META_SETWINDOWEXT:
      pl.SetWindowExt(r.S(1), r.S(0));
      break;
    case META_OFFSETWINDOWORG:
      pl.OffsetWindowOrg(r.S(1), r.S(0));
      break;
    case META_SCALEWINDOWEXT:
      pl.ScaleWindowExt(r.S(3), r.S(2), r.S(1), r.S(0));
      break;
    case META_SAVEDC:
      pl.SaveDC();
      break;
    case META_RESTOREDC:
      pl.RestoreDC(r.S(0));
      break;
    case META_SELECTOBJECT:
      pl.SelectObject(r.U(0));
      break;
    case META_DELETEOBJECT:
      pl.DeleteObject(r.U(0));
      break;
    case META_CREATEPENINDIRECT:
      pl.AddObject(TLogPen{r.U(0), r.S(1), r.U32(3), false});
      break;
    case META_CREATEBRUSHINDIRECT:
      pl.AddObject(TLogBrush{r.U(0), r.U32(1), r.U(3), {}});
      break;
    case META_CREATEFONTINDIRECT:
      CreateFont(r, pl);
      break;
    case META_DIBCREATEPATTERNBRUSH:
    case META_CREATEPATTERNBRUSH:
      PatternBrush(r, pl);
      break;
    case META_CREATEPALETTE:
      pl.AddObject(TOtherObject{});
      break;
    case META_CREATEREGION:
      CreateRegion(r, pl);
      break;
    case META_FILLREGION:
    case META_PAINTREGION:
    case META_SELECTCLIPREGION:
      RegionRecord(r, pl);
      break;
    case META_INTERSECTCLIPRECT:
      pl.IntersectClipRect(r.S(3), r.S(2), r.S(1), r.S(0));
      break;
    case META_EXCLUDECLIPRECT:
      pl.ExcludeClipRect(r.S(3), r.S(2), r.S(1), r.S(0));
      break;
    default:
      return false;
  }
  return true;
}

// Drawing records; false when the function is none of them.
bool DrawRecord(const TWmfRecord& r, TMetaPlayer& pl) {
  switch (r.Function) {
    case META_MOVETO:
      pl.MoveTo(r.S(1), r.S(0));
      break;
    case META_LINETO:
      pl.LineTo(r.S(1), r.S(0));
      break;
    case META_POLYLINE:
      pl.Polyline(r.Points(1, r.U(0)));
      break;
    case META_POLYGON:
      pl.PolyPolygon({r.Points(1, r.U(0))});
      break;
    case META_POLYPOLYGON: {
      size_t count = r.U(0), at = 1 + count, total = 0;
      r.Need(2, 2 * count);
      std::vector<std::vector<TPointD>> polygons;
      for (size_t i = 0; i < count; ++i) {
        size_t n = r.U(1 + i);
        polygons.push_back(r.Points(at + 2 * total, n));
        total += n;
      }
      pl.PolyPolygon(polygons);
      break;
    }
    case META_RECTANGLE:
      pl.Rectangle(r.S(3), r.S(2), r.S(1), r.S(0));
      break;
    case META_ELLIPSE:
      pl.Ellipse(r.S(3), r.S(2), r.S(1), r.S(0));
      break;
    case META_ROUNDRECT:
      pl.RoundRect(r.S(5), r.S(4), r.S(3), r.S(2), r.S(1), r.S(0));
      break;
    case META_ARC:
    case META_PIE:
    case META_CHORD: {
      TArcKind kind = r.Function == META_ARC   ? TArcKind::Arc
                      : r.Function == META_PIE ? TArcKind::Pie
                                               : TArcKind::Chord;
      pl.Arc(kind, r.S(7), r.S(6), r.S(5), r.S(4), r.S(3), r.S(2), r.S(1), r.S(0));
      break;
    }
    case META_SETPIXEL:
      pl.SetPixel(r.S(3), r.S(2), r.U32(0));
      break;
    case META_PATBLT:
      pl.PatBlt(r.S(5), r.S(4), r.S(3), r.S(2), r.U32(0));
      break;
    case META_TEXTOUT:
      TextOut(r, pl);
      break;
    case META_EXTTEXTOUT:
      ExtTextOut(r, pl);
      break;
    case META_BITBLT:
    case META_STRETCHBLT:
    case META_DIBBITBLT:
    case META_DIBSTRETCHBLT:
      Blit(r, pl);
      break;
    case META_STRETCHDIB:
      StretchDIB(r, pl);
      break;
    case META_SETDIBTODEV:
      SetDIBToDev(r, pl);
      break;
    default:
      return false;
  }
  return true;
}

[[noreturn]] void BadHeader(const char* why) {
  throw EFormatError(std::string("Invalid metafile header: ") + why);
}

// Walks the records from pos; visit returns false to stop early.
template <class Visit>
void ForEachRecord(const uint8_t* data, size_t size, size_t pos, TMetaPlayer* player, Visit visit) {
  while (pos < size) {
    if (player) player->RecordOffset = pos, player->RecordType = 0;
    if (size - pos < 6) {
      if (player) player->Fail("record header cut short");
      return;
    }
    uint64_t bytes = uint64_t{GetU32(data + pos)} * 2;
    uint16_t function = GetU16(data + pos + 4);
    if (bytes < 6 || bytes > size - pos) {
      if (player) player->Fail("record size out of range");
      return;
    }
    if (player) player->RecordType = function;
    if (function == META_EOF || !visit(data + pos + 6, static_cast<size_t>(bytes - 6), function))
      return;
    pos += static_cast<size_t>(bytes);
  }
}

struct TWmfFrame {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  double UnitsPerInch = 96;
  bool Inclusive = true;
};

// Without a placeable header the first window set by the records is the
// picture, one logical unit to a pixel.
TWmfFrame PlainFrame(const uint8_t* data, size_t size, size_t pos) {
  TWmfFrame f;
  int32_t ox = 0, oy = 0, ex = 0, ey = 0;
  ForEachRecord(data, size, pos, nullptr, [&](const uint8_t* p, size_t n, uint16_t fn) {
    if (n >= 4 && fn == META_SETWINDOWORG) oy = GetS16(p), ox = GetS16(p + 2);
    if (n >= 4 && fn == META_SETWINDOWEXT) ey = GetS16(p), ex = GetS16(p + 2);
    return ex == 0 || ey == 0;
  });
  if (ex == 0 || ey == 0) throw EFormatError("Metafile has no size");
  f = {ox, oy, ox + ex, oy + ey, 96, false};
  return f;
}

}  // namespace

TMetaPicture ReadWMF(const uint8_t* data, size_t size) {
  size_t pos = 0;
  TWmfFrame frame;
  bool placeable = size >= 22 && GetU32(data) == kPlaceableKey;
  if (placeable) {
    frame = {GetS16(data + 6),  GetS16(data + 8),          GetS16(data + 10),
             GetS16(data + 12), double(GetU16(data + 14)), true};
    if (frame.UnitsPerInch == 0) BadHeader("zero units per inch");
    pos = 22;
  }
  if (size - pos < 18) BadHeader("not a Windows metafile");
  uint16_t type = GetU16(data + pos), headerWords = GetU16(data + pos + 2);
  if ((type != 1 && type != 2) || headerWords != 9) BadHeader("not a Windows metafile");
  uint16_t objects = GetU16(data + pos + 10);
  pos += 18;
  if (!placeable) frame = PlainFrame(data, size, pos);

  int32_t l = std::min(frame.Left, frame.Right), r = std::max(frame.Left, frame.Right);
  int32_t t = std::min(frame.Top, frame.Bottom), b = std::max(frame.Top, frame.Bottom);
  TMetaPicture pic;
  double k = 96 / frame.UnitsPerInch;
  pic.Width = static_cast<int>(frame.Inclusive ? PictureSide(l, r, frame.UnitsPerInch) : r - l);
  pic.Height = static_cast<int>(frame.Inclusive ? PictureSide(t, b, frame.UnitsPerInch) : b - t);
  CheckPictureSize(pic.Width, pic.Height);
  TPlayerSetup setup;
  setup.ObjectCount = objects;
  setup.FixedViewport = true;
  setup.WindowOrg = {double(l), double(t)};
  setup.Window = {double(r - l), double(b - t)};
  setup.Viewport = {(r - l) * k, (b - t) * k};
  setup.FallbackScale = k;
  TMetaPlayer player(pic, setup);
  ForEachRecord(data, size, pos, &player, [&](const uint8_t* p, size_t n, uint16_t fn) {
    TWmfRecord rec(p, n, fn, player);
    try {
      if (!StateRecord(rec, player)) DrawRecord(rec, player);
    } catch (const EFormatError& e) {
      player.Locate(e);
    }
    return true;
  });
  return pic;
}

}  // namespace lumarte::imaging
