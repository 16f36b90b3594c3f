#pragma once
// Windows metafiles (WMF, placeable or plain, and EMF) read into a list of
// drawing commands that any 2-D painter can draw without knowing GDI.
//
// The reader plays the records against its own device context: the object
// table (create, select, delete, stock objects), mapping modes, window and
// viewport, world transform, saved states, paths and clipping are resolved
// while reading. What comes out is in output pixels of a picture that is
// Width x Height at 96 pixels per inch: shapes as paths of lines and cubic
// Béziers, text runs with their font, and bitmaps with their placement.
//
// The picture's size comes from its bounds, which are inclusive: an EMF frame
// from 0 to 2539 hundredths of a millimetre is one inch (96 pixels), a
// placeable WMF box from 0 to 95 at 96 units per inch is 96 pixels.
//
// Structural damage (bad header, a record running past the end, counts that
// do not fit their record, an object index outside the table, a bitmap whose
// pixels are missing) raises EFormatError; nothing is drawn from such a file.
// So does a file that would hold more than a gigabyte of commands ("Metafile
// too complex"). Records this reader does not draw are skipped: EMF+ comments,
// palettes, flood fills and escapes among them.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace lumarte::imaging {

// Largest bitmap inside a metafile (pixels).
inline constexpr int64_t kMaxMetafileBitmapPixels = int64_t{1} << 26;
// The raster operation that copies the source as it is.
inline constexpr uint32_t kSrcCopy = 0x00CC0020;

struct TPointD {
  double X = 0, Y = 0;
  bool operator==(const TPointD&) const = default;
};

enum class TPathOp : uint8_t { Move, Line, Cubic, Close };

// Cubic takes three points (two controls and the end), Move and Line one,
// Close none.
struct TMetaPath {
  std::vector<TPathOp> Ops;
  std::vector<TPointD> Points;
  bool Empty() const { return Ops.empty(); }
  void MoveTo(TPointD p);
  void LineTo(TPointD p);
  void CubicTo(TPointD c1, TPointD c2, TPointD p);
  void Close();
  void Append(const TMetaPath& other);
};

// Colours are COLORREF values: 0x00BBGGRR.
enum class TPenStyle : uint8_t { Solid, Dash, Dot, DashDot, DashDotDot, Null };
enum class TPenCap : uint8_t { Round, Square, Flat };
enum class TPenJoin : uint8_t { Round, Bevel, Miter };

struct TMetaPen {
  TPenStyle Style = TPenStyle::Solid;
  TPenCap Cap = TPenCap::Round;
  TPenJoin Join = TPenJoin::Round;
  double Width = 1;  // output pixels; thin pens are drawn one pixel wide
  uint32_t Color = 0;
};

struct TMetaImage;

enum class TBrushStyle : uint8_t { Solid, Null, Hatched, Pattern, Gradient };
// Hatch kinds in GDI's order: horizontal, vertical, "\\\", "///", cross, diagonal cross.
enum class THatch : uint8_t { Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };

struct TMetaBrush {
  TBrushStyle Style = TBrushStyle::Solid;
  uint32_t Color = 0xFFFFFF;
  THatch Hatch = THatch::Horizontal;
  std::shared_ptr<const TMetaImage> Pattern;  // for Pattern
  // Gradient: Color at From to Color2 at To (output pixels), constant across.
  TPointD From, To;
  uint32_t Color2 = 0;
};

struct TMetaFont {
  std::string Face;    // UTF-8
  double Height = 16;  // output pixels; > 0 is the cell height, < 0 the character (em) height
  double Width = 0;    // average character width in output pixels, 0 for the natural width
  int Weight = 400;
  bool Italic = false, Underline = false, StrikeOut = false;
  uint8_t CharSet = 0;
};

// A top-down bitmap, 0xAARRGGBB per pixel. Pixels a run-length bitmap skips
// have alpha 0; Premultiplied is set for per-pixel-alpha blends.
struct TMetaImage {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;
  bool Premultiplied = false;
  uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// A filled and/or outlined path.
struct TMetaShape {
  TMetaPath Path;
  bool Fill = false, Stroke = false;
  bool Winding = false;  // fill rule: winding, else alternate (even-odd)
  TMetaPen Pen;
  TMetaBrush Brush;
  bool BkOpaque = true;  // hatch and dash gaps painted with BkColor
  uint32_t BkColor = 0xFFFFFF;
  // How pen and brush mix with what is below (GDI's R2_* codes; 13 copies).
  uint8_t Rop2 = 13;
};

// Horizontal and vertical reference of a text run.
enum class THAlign : uint8_t { Left, Center, Right };
enum class TVAlign : uint8_t { Top, Baseline, Bottom };

struct TMetaText {
  TPointD Origin;  // reference point in output pixels
  std::u16string Chars;
  std::vector<double> Advances;  // per UTF-16 unit, output pixels; empty for natural spacing
  TMetaFont Font;
  double Angle = 0;  // degrees, counterclockwise on the output
  THAlign HAlign = THAlign::Left;
  TVAlign VAlign = TVAlign::Top;
  uint32_t Color = 0;
  bool BkOpaque = true;  // the text cells are painted with BkColor
  uint32_t BkColor = 0xFFFFFF;
  TMetaPath OpaqueBox;  // ETO_OPAQUE box, painted with BkColor; may be empty
};

// A bitmap drawn from its source rectangle onto the parallelogram with the
// given corners (output pixels).
struct TMetaBlit {
  std::shared_ptr<const TMetaImage> Image;
  double SrcX = 0, SrcY = 0, SrcW = 0, SrcH = 0;  // top-down image pixels
  TPointD TopLeft, TopRight, BottomLeft;
  uint32_t Rop = kSrcCopy;  // ternary raster operation
  bool UseAlpha = false;      // blend with the image's alpha (AlphaBlend)
  uint8_t ConstantAlpha = 255;
};

// Clipping: the intersection of all items; each item is a path with its fill rule.
struct TMetaClipItem {
  TMetaPath Path;
  bool EvenOdd = false;
};
struct TMetaClip {
  std::vector<TMetaClipItem> Items;
};

struct TMetaCommand {
  std::variant<TMetaShape, TMetaText, TMetaBlit> Item;
  std::shared_ptr<const TMetaClip> Clip;  // null: no clipping
};

struct TMetaPicture {
  bool Enhanced = false;
  int Width = 0, Height = 0;  // output pixels
  std::vector<TMetaCommand> Commands;
};

// Reads a WMF or EMF, telling them apart by their first bytes.
TMetaPicture ReadMetafile(const uint8_t* data, size_t size);
TMetaPicture ReadWMF(const uint8_t* data, size_t size);
TMetaPicture ReadEMF(const uint8_t* data, size_t size);
// The whole file through the library's file stream, then ReadMetafile.
TMetaPicture ReadMetafileFile(const std::string& fileName);

}  // namespace lumarte::imaging
