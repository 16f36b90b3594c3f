// The WMF and EMF readers on hand-made files: picture size, mapping, the
// object table, paths, text and clipping as they come out in commands; the
// device context they play into, with its limits; damaged files, each
// raising EFormatError with a message that says what is wrong and where,
// without reading out of bounds; affine maps and the GDI shapes as paths;
// the writers' byte layouts and limits (saving and reading back a raster,
// and a failed save keeping the old file, are checked through the renderer
// in MetafileRenderTest.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "CodecTestUtil.h"
#include "imaging/Errors.h"
#include "imaging/metafile/MetafileGeometry.h"
#include "imaging/metafile/MetafilePlayer.h"
#include "imaging/metafile/MetafileRecords.h"
#include "imaging/metafile/MetafileWriter.h"

using namespace lumarte;
using namespace lumarte::imaging;
using namespace lumarte::testing;

namespace {

// clang-format off
enum : uint32_t {
  EMR_SETWINDOWEXTEX = 9, EMR_SETWINDOWORGEX = 10, EMR_SETVIEWPORTEXTEX = 11,
  EMR_SETVIEWPORTORGEX = 12, EMR_SETMAPMODE = 17, EMR_SETTEXTALIGN = 22, EMR_MOVETOEX = 27,
  EMR_EXCLUDECLIPRECT = 29, EMR_INTERSECTCLIPRECT = 30, EMR_SAVEDC = 33, EMR_RESTOREDC = 34,
  EMR_SETWORLDTRANSFORM = 35, EMR_MODIFYWORLDTRANSFORM = 36, EMR_SELECTOBJECT = 37,
  EMR_CREATEPEN = 38, EMR_CREATEBRUSHINDIRECT = 39, EMR_DELETEOBJECT = 40, EMR_RECTANGLE = 43,
  EMR_LINETO = 54, EMR_BEGINPATH = 59, EMR_ENDPATH = 60, EMR_CLOSEFIGURE = 61, EMR_FILLPATH = 62,
  EMR_EXTCREATEFONTINDIRECTW = 82, EMR_EXTTEXTOUTW = 84, EMR_POLYBEZIERTO16 = 88
};
// clang-format on

uint32_t FloatBits(float f) {
  uint32_t u;
  std::memcpy(&u, &f, 4);
  return u;
}

// A 100 mm square EMF on a 96 pixels-per-inch reference device: device
// pixels are output pixels.
TEmfBuilder Square() {
  return TEmfBuilder({0, 0, 9999, 9999}, {0, 0, 377, 377});
}

TMetaPicture Read(const std::string& data) {
  return ReadMetafile(Bytes(data), data.size());
}

const TMetaShape& ShapeAt(const TMetaPicture& pic, size_t i) {
  return std::get<TMetaShape>(pic.Commands.at(i).Item);
}

// Records of 32-bit values.
using TRecords = std::vector<std::pair<uint32_t, std::vector<uint32_t>>>;

// End point of a drawn line MoveTo(0, 0), LineTo(100, 100) after the setup.
TPointD LineEnd(const TRecords& setup) {
  TEmfBuilder b = Square();
  for (const auto& [type, values] : setup) {
    std::string payload;
    for (uint32_t v : values) PutLE(payload, v, 4);
    b.AddBytes(type, payload);
  }
  b.Add(EMR_MOVETOEX, {0, 0}).Add(EMR_LINETO, {100, 100});
  TMetaPicture pic = Read(b.Finish());
  return ShapeAt(pic, 0).Path.Points.at(1);
}

void ExpectNear(TPointD a, TPointD b, double tolerance = 1e-6) {
  EXPECT_NEAR(a.X, b.X, tolerance);
  EXPECT_NEAR(a.Y, b.Y, tolerance);
}

}  // namespace

// ---- picture size ----

struct TWmfSizeCase {
  std::array<int16_t, 4> Box;
  uint16_t Inch;
  int W, H;
};

class WmfPictureSize : public ::testing::TestWithParam<TWmfSizeCase> {};

TEST_P(WmfPictureSize, InclusiveBoxAtNinetySixPixelsPerInch) {
  TMetaPicture pic = Read(TWmfBuilder(true, GetParam().Box, GetParam().Inch).Finish());
  EXPECT_FALSE(pic.Enhanced);
  EXPECT_EQ(pic.Width, GetParam().W);
  EXPECT_EQ(pic.Height, GetParam().H);
}

INSTANTIATE_TEST_SUITE_P(Boxes, WmfPictureSize,
                         ::testing::Values(TWmfSizeCase{{0, 0, 99, 49}, 96, 100, 50},
                                           TWmfSizeCase{{0, 0, 1440, 720}, 1440, 96, 48},
                                           TWmfSizeCase{{-50, -20, 50, 20}, 96, 101, 41},
                                           TWmfSizeCase{{99, 49, 0, 0}, 96, 100, 50},
                                           TWmfSizeCase{{0, 0, 27940, 21590}, 2540, 1056, 816},
                                           TWmfSizeCase{{0, 0, 0, 0}, 96, 1, 1}));

struct TEmfSizeCase {
  std::array<int32_t, 4> Frame, Bounds;
  int W, H;
};

class EmfPictureSize : public ::testing::TestWithParam<TEmfSizeCase> {};

TEST_P(EmfPictureSize, FrameAtNinetySixPixelsPerInchElseBounds) {
  TMetaPicture pic = Read(TEmfBuilder(GetParam().Frame, GetParam().Bounds).Finish());
  EXPECT_TRUE(pic.Enhanced);
  EXPECT_EQ(pic.Width, GetParam().W);
  EXPECT_EQ(pic.Height, GetParam().H);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, EmfPictureSize,
    ::testing::Values(TEmfSizeCase{{0, 0, 2539, 2539}, {0, 0, 0, 0}, 96, 96},       // one inch
                      TEmfSizeCase{{0, 0, 29699, 20999}, {0, 0, 0, 0}, 1123, 794},  // A4
                      TEmfSizeCase{{-100, -100, 2439, 2439}, {0, 0, 0, 0}, 96, 96},
                      TEmfSizeCase{{0, -20999, 29699, 0}, {0, 0, 0, 0}, 1123, 794},
                      TEmfSizeCase{{0, 0, -1, -1}, {0, 0, 49, 29}, 50, 30}));  // no frame

TEST(WmfPictureSize, PlainFileTakesItsFirstWindow) {
  TMetaPicture pic = Read(TWmfBuilder(false)
                              .Add(0x020B, {-5, -10})          // SETWINDOWORG y, x
                              .Add(0x020C, {60, 80})           // SETWINDOWEXT y, x
                              .Add(0x041B, {15, 20, -5, -10})  // RECTANGLE b, r, t, l
                              .Finish());
  EXPECT_EQ(pic.Width, 80);
  EXPECT_EQ(pic.Height, 60);
  const TMetaShape& s = ShapeAt(pic, 0);
  ExpectNear(s.Path.Points[0], {0, 0});
  ExpectNear(s.Path.Points[2], {30, 20});
}

// ---- mapping ----

TEST(WmfMapping, WindowIsStretchedOverTheBox) {
  // One inch (96 pixels) wide box; the window makes 1000 units of it.
  TMetaPicture pic = Read(TWmfBuilder(true, {0, 0, 1000, 500}, 1000)
                              .Add(0x020B, {0, 0})
                              .Add(0x020C, {500, 1000})
                              .Add(0x041B, {300, 200, 100, 100})
                              .Finish());
  const TMetaShape& s = ShapeAt(pic, 0);
  ExpectNear(s.Path.Points[0], {9.6, 9.6});
  ExpectNear(s.Path.Points[2], {19.2, 28.8});
  EXPECT_TRUE(s.Fill);
  EXPECT_TRUE(s.Stroke);
}

TEST(WmfMapping, ViewportOriginMovesInOutputPixels) {
  TMetaPicture pic = Read(TWmfBuilder(true, {0, 0, 99, 99}, 96)
                              .Add(0x0211, {7, 3})  // OFFSETVIEWPORTORG y, x
                              .Add(0x041B, {20, 20, 10, 10})
                              .Finish());
  ExpectNear(ShapeAt(pic, 0).Path.Points[0], {13, 17});
}

struct TMappingCase {
  const char* Name;
  TRecords Setup;
  TPointD Expected;  // where logical (100, 100) lands
};

class EmfMapping : public ::testing::TestWithParam<TMappingCase> {};

TEST_P(EmfMapping, LogicalPointLandsWhereGdiPutsIt) {
  ExpectNear(LineEnd(GetParam().Setup), GetParam().Expected);
}

const uint32_t kOne = FloatBits(1), kTwo = FloatBits(2);

INSTANTIATE_TEST_SUITE_P(
    Modes, EmfMapping,
    ::testing::Values(TMappingCase{"Text", {}, {100, 100}},
                      TMappingCase{"TextWindowOrigin", {{EMR_SETWINDOWORGEX, {10, 20}}}, {90, 80}},
                      TMappingCase{"LoMetricFlipsY",
                                   {{EMR_SETMAPMODE, {2}}, {EMR_SETVIEWPORTORGEX, {0, 200}}},
                                   {10 * 96 / 25.4, 200 - 10 * 96 / 25.4}},
                      TMappingCase{"Anisotropic",
                                   {{EMR_SETMAPMODE, {8}},
                                    {EMR_SETWINDOWEXTEX, {1000, 1000}},
                                    {EMR_SETVIEWPORTEXTEX, {500, 250}}},
                                   {50, 25}},
                      TMappingCase{"IsotropicTakesTheSmallerScale",
                                   {{EMR_SETMAPMODE, {7}},
                                    {EMR_SETWINDOWEXTEX, {1000, 1000}},
                                    {EMR_SETVIEWPORTEXTEX, {500, 250}}},
                                   {25, 25}},
                      TMappingCase{"WorldTransform",
                                   {{EMR_SETWORLDTRANSFORM, {kTwo, 0, 0, kTwo, FloatBits(5), 0}}},
                                   {205, 200}},
                      TMappingCase{"LeftMultiplyActsFirst",
                                   {{EMR_SETWORLDTRANSFORM, {kOne, 0, 0, kOne, FloatBits(10), 0}},
                                    {EMR_MODIFYWORLDTRANSFORM, {kTwo, 0, 0, kTwo, 0, 0, 2}}},
                                   {210, 200}},
                      TMappingCase{"RightMultiplyActsLast",
                                   {{EMR_SETWORLDTRANSFORM, {kOne, 0, 0, kOne, FloatBits(10), 0}},
                                    {EMR_MODIFYWORLDTRANSFORM, {kTwo, 0, 0, kTwo, 0, 0, 3}}},
                                   {220, 200}},
                      TMappingCase{"NonFiniteTransformIsIgnored",
                                   {{EMR_SETWORLDTRANSFORM, {0x7FC00000, 0, 0, kOne, 0, 0}}},
                                   {100, 100}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(EmfMapping, ReferenceDeviceIsScaledToTheFrame) {
  // A 1200 pixels-per-inch device (47.24 px/mm) over a one-inch frame.
  TEmfBuilder b({0, 0, 2539, 2539}, {0, 0, 1199, 1199}, 8, 12000, 12000, 254, 254);
  b.Add(EMR_MOVETOEX, {0, 0}).Add(EMR_LINETO, {600, 300});
  TMetaPicture pic = Read(b.Finish());
  EXPECT_EQ(pic.Width, 96);
  ExpectNear(ShapeAt(pic, 0).Path.Points[1], {48, 24});
}

// ---- objects ----

TEST(MetafileObjects, SelectedPenAndBrushReachTheShapes) {
  TEmfBuilder b = Square();
  b.Add(EMR_CREATEPEN, {1, 0, 3, 0, 0x0000FF})            // red, 3 units wide
      .Add(EMR_CREATEBRUSHINDIRECT, {2, 2, 0x00FF00, 3})  // green hatch "///"
      .Add(EMR_SELECTOBJECT, {1})
      .Add(EMR_SELECTOBJECT, {2})
      .Add(EMR_RECTANGLE, {0, 0, 10, 10})
      .Add(EMR_DELETEOBJECT, {1})
      .Add(EMR_SELECTOBJECT, {1})  // a deleted slot: ignored, as GDI does
      .Add(EMR_RECTANGLE, {0, 0, 10, 10})
      .Add(EMR_SELECTOBJECT, {0x80000008})  // NULL_PEN
      .Add(EMR_SELECTOBJECT, {0x80000005})  // NULL_BRUSH
      .Add(EMR_RECTANGLE, {0, 0, 10, 10});
  TMetaPicture pic = Read(b.Finish());
  ASSERT_EQ(pic.Commands.size(), 2u);  // the last one draws nothing
  for (size_t i = 0; i < 2; ++i) {
    const TMetaShape& s = ShapeAt(pic, i);
    EXPECT_EQ(s.Pen.Color, 0x0000FFu);
    EXPECT_DOUBLE_EQ(s.Pen.Width, 3);
    EXPECT_EQ(s.Brush.Style, TBrushStyle::Hatched);
    EXPECT_EQ(s.Brush.Hatch, THatch::BDiagonal);
    EXPECT_EQ(s.Brush.Color, 0x00FF00u);
  }
}

TEST(MetafileObjects, WmfTakesTheLowestFreeSlot) {
  TMetaPicture pic = Read(TWmfBuilder(true, {0, 0, 99, 99}, 96, 2)
                              .Add(0x02FA, {0, 1, 0, 0x0000FF, 0})  // pen 0: red
                              .Add(0x02FA, {0, 1, 0, 0x00FF00, 0})  // pen 1: green
                              .Add(0x01F0, {0})                     // delete 0
                              .Add(0x02FA, {0, 1, 0, 0, 0xFF})      // pen 0 again: blue
                              .Add(0x012D, {0})
                              .Add(0x0213, {10, 10})
                              .Finish());
  EXPECT_EQ(ShapeAt(pic, 0).Pen.Color, 0xFF0000u);
}

// ---- paths, text, clipping ----

TEST(MetafilePaths, FiguresStartAtTheCurrentPosition) {
  TEmfBuilder b = Square();
  b.Add(EMR_BEGINPATH, {})
      .Add(EMR_MOVETOEX, {10, 10})
      .Add(EMR_LINETO, {50, 10})
      .Add(EMR_POLYBEZIERTO16, {0, 0, 0, 0, 3, 60 | 20 << 16, 70 | 30 << 16, 50 | 50 << 16})
      .Add(EMR_CLOSEFIGURE, {})
      .Add(EMR_ENDPATH, {})
      .Add(EMR_LINETO, {300, 300})  // outside the bracket: drawn, not collected
      .Add(EMR_FILLPATH, {0, 0, 0, 0});
  TMetaPicture pic = Read(b.Finish());
  ASSERT_EQ(pic.Commands.size(), 2u);
  const TMetaShape& fill = ShapeAt(pic, 1);
  EXPECT_TRUE(fill.Fill);
  EXPECT_FALSE(fill.Stroke);
  std::vector<TPathOp> ops{TPathOp::Move, TPathOp::Line, TPathOp::Cubic, TPathOp::Close};
  EXPECT_EQ(fill.Path.Ops, ops);
  ExpectNear(fill.Path.Points[0], {10, 10});
  ExpectNear(fill.Path.Points[4], {50, 50});
  ExpectNear(ShapeAt(pic, 0).Path.Points[0], {50, 50});  // the line went on from there
}

TEST(MetafileText, ExtTextOutWithFontSpacingAndAlignment) {
  std::string font;
  for (uint32_t v : {1u, static_cast<uint32_t>(-20), 0u, 900u, 0u, 700u}) PutLE(font, v, 4);
  PutLE(font, 0x00000001, 4);  // italic
  PutLE(font, 0, 4);
  for (char16_t c : u"Arial") PutLE(font, c, 2);
  std::string text;
  for (uint32_t v : {0u, 0u, 0u, 0u, 1u, 0u, 0u, 30u, 40u, 2u, 76u, 0u, 0u, 0u, 0u, 0u, 80u})
    PutLE(text, v, 4);
  text += std::string("H\0\xE9\0", 4);  // "Hé"
  for (uint32_t v : {7u, 8u}) PutLE(text, v, 4);
  TEmfBuilder b = Square();
  b.AddBytes(EMR_EXTCREATEFONTINDIRECTW, font)
      .Add(EMR_SELECTOBJECT, {1})
      .Add(EMR_SETTEXTALIGN, {24 | 6})  // baseline, centre
      .AddBytes(EMR_EXTTEXTOUTW, text);
  TMetaPicture pic = Read(b.Finish());
  const TMetaText& t = std::get<TMetaText>(pic.Commands.at(0).Item);
  EXPECT_EQ(t.Chars, u"H\u00E9");
  ExpectNear(t.Origin, {30, 40});
  EXPECT_EQ(t.Advances, (std::vector<double>{7, 8}));
  EXPECT_EQ(t.Font.Face, "Arial");
  EXPECT_DOUBLE_EQ(t.Font.Height, -20);
  EXPECT_EQ(t.Font.Weight, 700);
  EXPECT_TRUE(t.Font.Italic);
  EXPECT_DOUBLE_EQ(t.Angle, 90);
  EXPECT_EQ(t.HAlign, THAlign::Center);
  EXPECT_EQ(t.VAlign, TVAlign::Baseline);
}

TEST(MetafileText, WmfTextIsWindows1252) {
  TMetaPicture pic = Read(TWmfBuilder(true, {0, 0, 99, 99}, 96)
                              .AddBytes(0x0521, std::string("\x03\0\x80\x41\xE9\0\x05\0\x04\0", 10))
                              .Finish());
  const TMetaText& t = std::get<TMetaText>(pic.Commands.at(0).Item);
  EXPECT_EQ(t.Chars, u"\u20ACA\u00E9");
  ExpectNear(t.Origin, {4, 5});
}

TEST(MetafileClip, SavedStateCarriesTheClip) {
  TEmfBuilder b = Square();
  b.Add(EMR_SAVEDC, {})
      .Add(EMR_INTERSECTCLIPRECT, {10, 10, 20, 20})
      .Add(EMR_EXCLUDECLIPRECT, {12, 12, 14, 14})
      .Add(EMR_RECTANGLE, {0, 0, 30, 30})
      .Add(EMR_RESTOREDC, {static_cast<uint32_t>(-1)})
      .Add(EMR_RECTANGLE, {0, 0, 30, 30});
  TMetaPicture pic = Read(b.Finish());
  ASSERT_EQ(pic.Commands.size(), 2u);
  ASSERT_TRUE(pic.Commands[0].Clip);
  const auto& items = pic.Commands[0].Clip->Items;
  ASSERT_EQ(items.size(), 2u);
  EXPECT_FALSE(items[0].EvenOdd);
  ExpectNear(items[0].Path.Points[0], {10, 10});
  EXPECT_TRUE(items[1].EvenOdd);  // everything but the excluded box
  EXPECT_EQ(std::count(items[1].Path.Ops.begin(), items[1].Path.Ops.end(), TPathOp::Move), 2);
  EXPECT_FALSE(pic.Commands[1].Clip);
}

// ---- the device context ----

TEST(MetafilePlayer, PictureSizeIsBudgeted) {
  TMetaPicture pic;
  TPlayerSetup setup;
  setup.MaxBytes = 50000;
  TMetaPlayer player(pic, setup);
  EXPECT_EQ(Message([&] {
              for (int i = 0; i < 100000; ++i) player.Ellipse(0, 0, i, i);
            }),
            "Metafile too complex")
      << "no limit";
  EXPECT_LT(pic.Commands.size(), 200u);
}

TEST(MetafilePlayer, ClipItemsStopGrowing) {
  TMetaPicture pic;
  TPlayerSetup setup;
  setup.MaxClipItems = 3;
  TMetaPlayer player(pic, setup);
  for (int i = 0; i < 10; ++i) {
    player.IntersectClipRect(0, 0, 100 - i, 100 - i);
    player.Rectangle(0, 0, 5, 5);
  }
  ASSERT_EQ(pic.Commands.size(), 10u);
  EXPECT_EQ(pic.Commands.back().Clip->Items.size(), 3u);
  EXPECT_EQ(pic.Commands[3].Clip, pic.Commands[9].Clip);  // shared, not copied
}

TEST(MetafilePlayer, RestoreByNumberAndByDepth) {
  TMetaPicture pic;
  TMetaPlayer player(pic, TPlayerSetup{});
  auto origin = [&] {
    player.Rectangle(0, 0, 1, 1);
    return std::get<TMetaShape>(pic.Commands.back().Item).Path.Points[0].X;
  };
  player.SaveDC();  // state 1: origin 0
  player.SetWindowOrg(1, 0);
  player.SaveDC();  // state 2: origin 1
  player.SetWindowOrg(2, 0);
  player.SaveDC();  // state 3: origin 2
  player.SetWindowOrg(3, 0);
  player.RestoreDC(-1);
  EXPECT_EQ(origin(), -2);
  player.RestoreDC(1);  // absolute: the first saved state, dropping the others
  EXPECT_EQ(origin(), 0);
  player.RestoreDC(-1);  // nothing saved any more: ignored
  EXPECT_EQ(origin(), 0);
}

// ---- damaged files ----

namespace {

TEmfBuilder Emf() {
  return TEmfBuilder({0, 0, 2539, 2539}, {0, 0, 95, 95}, 4);
}
TWmfBuilder Wmf() {
  return TWmfBuilder(true, {0, 0, 99, 99}, 96, 4);
}

// An EMR_STRETCHDIBITS of a 4 x 4, 24-bit DIB that carries only bits bytes of rows.
std::string StretchDibits(uint32_t bits) {
  std::string r;
  for (uint32_t v :
       {0u, 0u, 3u, 3u, 0u, 0u, 0u, 0u, 4u, 4u, 80u, 40u, 120u, bits, 0u, 0x00CC0020u, 4u, 4u})
    PutLE(r, v, 4);
  r += DibInfo(4, 4, 24);
  r += std::string(bits, '\x55');
  return r;
}

class MetafileCorrupt : public ::testing::TestWithParam<TBadInput> {};

TEST_P(MetafileCorrupt, RaisesFormatErrorWithItsMessage) {
  const std::string& data = GetParam().Data;
  // A copy of exactly the file's size, so that reading past it is caught.
  std::vector<uint8_t> bytes(data.begin(), data.end());
  try {
    ReadMetafile(bytes.data(), bytes.size());
    ADD_FAILURE() << "no exception";
  } catch (const EFormatError& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().Message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, MetafileCorrupt,
    ::testing::Values(
        TBadInput{"Empty", std::string(), "Invalid metafile header: not a Windows metafile"},
        TBadInput{"NotAMetafile", std::string(100, 'x'),
                     "Invalid metafile header: not a Windows metafile"},
        TBadInput{"EmfHeaderLongerThanFile", Patched(Emf().Finish(), 4, 400),
                     "Invalid metafile header: header size out of range"},
        TBadInput{"EmfTruncated", Emf().Finish().substr(0, Emf().Finish().size() - 4),
                     "Metafile is truncated"},
        TBadInput{"EmfDescriptionOutsideHeader",
                     Patched(Patched(Emf().Finish(), 60, 10), 64, 80),
                     "Invalid metafile header: description outside the header"},
        TBadInput{"EmfRecordTooSmall", Patched(Emf().Add(27, {0, 0}).Finish(), 92, 4),
                     "Corrupt metafile: record size out of range (record 0x0000 at offset 88)"},
        TBadInput{"EmfRecordPastTheEnd", Patched(Emf().Add(27, {0, 0}).Finish(), 92, 4000),
                     "Corrupt metafile: record size out of range (record 0x0000 at offset 88)"},
        TBadInput{
            "EmfRecordTooShortForItsFields", Emf().Add(43, {1, 2}).Finish(),
            "Corrupt metafile: record too short for its contents (record 0x002B at offset 88)"},
        TBadInput{
            "EmfPointCountTooLarge", Emf().Add(87, {0, 0, 0, 0, 1000, 0, 0}).Finish(),
            "Corrupt metafile: point count exceeds the record (record 0x0057 at offset 88)"},
        TBadInput{
            "EmfPolygonSizesExceedPoints", Emf().Add(91, {0, 0, 0, 0, 2, 2, 2, 1, 0, 0}).Finish(),
            "Corrupt metafile: polygon sizes exceed the point count (record 0x005B at offset 88)"},
        TBadInput{"EmfTextOutsideRecord",
                     Emf().Add(84, {0, 0, 0, 0, 1, 0, 0, 5, 5, 50, 76, 0, 0, 0, 0, 0, 0}).Finish(),
                     "Corrupt metafile: text outside its record (record 0x0054 at offset 88)"},
        TBadInput{"EmfObjectIndexOutOfRange", Emf().Add(37, {9}).Finish(),
                     "Corrupt metafile: object index out of range (record 0x0025 at offset 88)"},
        TBadInput{"EmfCreateInReservedSlot", Emf().Add(39, {0, 0, 0, 0}).Finish(),
                     "Corrupt metafile: object index out of range (record 0x0027 at offset 88)"},
        TBadInput{"EmfBitmapRowsMissing", Emf().AddBytes(81, StretchDibits(20)).Finish(),
                     "Invalid bitmap in metafile: pixel data missing (record 0x0051 at offset 88)"},
        TBadInput{"EmfBitmapOutsideRecord",
                     Patched(Emf().AddBytes(81, StretchDibits(48)).Finish(), 88 + 60, 4800),
                     "Corrupt metafile: bitmap outside its record (record 0x0051 at offset 88)"},
        TBadInput{"EmfHugeFrame", TEmfBuilder({0, 0, 2000000000, 100}, {0, 0, 0, 0}).Finish(),
                     "Metafile too large"},
        TBadInput{"WmfZeroUnitsPerInch", TWmfBuilder(true, {0, 0, 99, 99}, 0).Finish(),
                     "Invalid metafile header: zero units per inch"},
        TBadInput{"WmfBadHeader", Patched(Wmf().Finish(), 22, 0x00050007),
                     "Invalid metafile header: not a Windows metafile"},
        TBadInput{"WmfRecordTooSmall", Patched(Wmf().Add(0x0213, {1, 1}).Finish(), 40, 2),
                     "Corrupt metafile: record size out of range (record 0x0000 at offset 40)"},
        TBadInput{"WmfRecordPastTheEnd",
                     Patched(Wmf().Add(0x0213, {1, 1}).Finish(), 40, 0x10000),
                     "Corrupt metafile: record size out of range (record 0x0000 at offset 40)"},
        TBadInput{
            "WmfPointCountTooLarge", Wmf().Add(0x0324, {500, 1, 1}).Finish(),
            "Corrupt metafile: point count exceeds the record (record 0x0324 at offset 40)"},
        TBadInput{
            "WmfTextLongerThanRecord", Wmf().Add(0x0521, {40, 0x4141, 1, 1}).Finish(),
            "Corrupt metafile: record too short for its contents (record 0x0521 at offset 40)"},
        TBadInput{"WmfObjectIndexOutOfRange", Wmf().Add(0x012D, {4}).Finish(),
                     "Corrupt metafile: object index out of range (record 0x012D at offset 40)"},
        TBadInput{"WmfObjectTableFull",
                     TWmfBuilder(true, {0, 0, 99, 99}, 96, 1)
                         .Add(0x02FA, {0, 1, 0, 0, 0})
                         .Add(0x02FA, {0, 1, 0, 0, 0})
                         .Finish(),
                     "Corrupt metafile: object table full (record 0x02FA at offset 56)"},
        TBadInput{"PlainWmfWithoutWindow", TWmfBuilder(false).Add(0x0213, {1, 1}).Finish(),
                     "Metafile has no size"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace

// ---- geometry ----

namespace {

size_t Count(const TMetaPath& p, TPathOp op) {
  return std::count(p.Ops.begin(), p.Ops.end(), op);
}

double MaxY(const TMetaPath& p) {
  double m = -1e9;
  for (const TPointD& q : p.Points) m = std::max(m, q.Y);
  return m;
}

const TAffine kIdentity;

}  // namespace

TEST(MetafileGeometry, MapSnapsToWholePixelsAndStaysFinite) {
  TAffine xf = TAffine::Scale(1.0000000001, 1);
  EXPECT_EQ(xf.Map(100, 3).X, 100);  // within a millionth: a whole pixel
  EXPECT_EQ(TAffine::Scale(0.5, 1).Map(3, 0).X, 1.5);
  EXPECT_EQ(TAffine::Scale(1e30, 1).Map(1e30, 0).X, 1 << 24);
  EXPECT_EQ(TAffine::Scale(1e30, 1).Map(-1e30, 0).X, -(1 << 24));
  TPointD lost = kIdentity.Map(NAN, 0);  // nothing reaches a painter as NaN
  EXPECT_TRUE(std::isfinite(lost.X) && std::isfinite(lost.Y));
}

TEST(MetafileGeometry, ProductAppliesTheRightFactorFirst) {
  TAffine scale = TAffine::Scale(2, 3), shift = TAffine::Scale(1, 1, 10, 20);
  ExpectNear((scale * shift).Map(1, 1), {22, 63});
  ExpectNear((shift * scale).Map(1, 1), {12, 23});
  EXPECT_DOUBLE_EQ((scale * shift).Determinant(), 6);
}

struct TArcCase {
  const char* Name;
  TAffine Map;
  bool Clockwise;
  size_t Cubics;   // quarter turns
  double LowestY;  // largest y the arc reaches on the output
};

class MetafileArc : public ::testing::TestWithParam<TArcCase> {};

// From the ray to the right (3 o'clock) to the ray upwards in logical space.
TEST_P(MetafileArc, TurnsCounterclockwiseOnTheOutputUnlessTold) {
  const TArcCase& c = GetParam();
  TMetaPath p = ArcPath(c.Map, 0, 0, 100, 100, 100, 50, 50, 0, c.Clockwise, TArcKind::Arc);
  EXPECT_EQ(p.Ops.front(), TPathOp::Move);
  EXPECT_EQ(Count(p, TPathOp::Cubic), c.Cubics);
  ExpectNear(p.Points.front(), c.Map.Map(100, 50), 1e-6);
  ExpectNear(p.Points.back(), c.Map.Map(50, 0), 1e-6);
  EXPECT_NEAR(MaxY(p), c.LowestY, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, MetafileArc,
    ::testing::Values(TArcCase{"ShortWayUp", {}, false, 1, 50},
                      TArcCase{"ClockwiseTheLongWay", {}, true, 3, 100},
                      // y flipped (a metric mapping mode): "up" in logical space is down on
                      // the output, so counterclockwise there is the long way round.
                      TArcCase{"MirroredMap", TAffine::Scale(1, -1, 0, 100), false, 3, 100},
                      TArcCase{"MirroredClockwise", TAffine::Scale(1, -1, 0, 100), true, 1, 100}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(MetafileGeometry, PieChordAndFullTurn) {
  TMetaPath pie = ArcPath(kIdentity, 0, 0, 100, 50, 100, 25, 0, 25, false, TArcKind::Pie);
  ASSERT_GE(pie.Ops.size(), 3u);
  EXPECT_EQ(pie.Ops[pie.Ops.size() - 2], TPathOp::Line);
  EXPECT_EQ(pie.Ops.back(), TPathOp::Close);
  ExpectNear(pie.Points.back(), {50, 25});  // back to the centre
  TMetaPath chord = ArcPath(kIdentity, 0, 0, 100, 50, 100, 25, 0, 25, false, TArcKind::Chord);
  EXPECT_EQ(Count(chord, TPathOp::Line), 0u);
  EXPECT_EQ(chord.Ops.back(), TPathOp::Close);
  // The ray ends on the ellipse, not at the given point.
  ExpectNear(chord.Points.back(), {0, 25}, 1e-9);
  TMetaPath full = ArcPath(kIdentity, 0, 0, 100, 50, 100, 25, 200, 25, false, TArcKind::Arc);
  EXPECT_EQ(Count(full, TPathOp::Cubic), 4u);
}

TEST(MetafileGeometry, EllipseStaysInItsBox) {
  TMetaPath e = EllipsePath(kIdentity, 10, 20, 50, 40);
  EXPECT_EQ(Count(e, TPathOp::Cubic), 4u);
  for (size_t i = 0; i < e.Points.size(); i += 3) {  // on-curve points
    EXPECT_GE(e.Points[i].X, 10 - 1e-9);
    EXPECT_LE(e.Points[i].X, 50 + 1e-9);
  }
  ExpectNear(e.Points[0], {50, 30});
  ExpectNear(e.Points[6], {10, 30});
}

TEST(MetafileGeometry, RoundRectCorners) {
  TMetaPath square = RoundRectPath(kIdentity, 0, 0, 40, 20, 0, 10);
  EXPECT_EQ(Count(square, TPathOp::Cubic), 0u);                 // no corner: a plain rectangle
  TMetaPath r = RoundRectPath(kIdentity, 40, 20, 0, 0, 10, 6);  // corners in any order
  EXPECT_EQ(Count(r, TPathOp::Cubic), 4u);
  ExpectNear(r.Points[0], {5, 0});
  // Corners larger than the box are cut to it: the straight parts vanish.
  TMetaPath pill = RoundRectPath(kIdentity, 0, 0, 40, 20, 100, 100);
  ExpectNear(pill.Points[0], {20, 0});
  ExpectNear(pill.Points[1], {20, 0});
}

TEST(MetafileGeometry, AngleArcRunsFromTheCurrentPoint) {
  TMetaPath p = AngleArcPath(kIdentity, 50, 50, 10, 0, 90);
  EXPECT_EQ(p.Ops.front(), TPathOp::Line);  // the line from the current position
  ExpectNear(p.Points.front(), {60, 50});
  ExpectNear(p.Points.back(), {50, 40}, 1e-9);  // 90 degrees counterclockwise: up
  EXPECT_EQ(AngleArcPath(kIdentity, 0, 0, 10, 0, -720).Ops.size(), 1u + 8u);
  // Absurd sweeps are cut to at most two laps, ending where they would have.
  TMetaPath lapping = AngleArcPath(kIdentity, 0, 0, 10, 0, 1e9);  // 1e9 = 280 mod 360
  EXPECT_LE(lapping.Ops.size(), 1u + 8u);
  double end = 280 * std::acos(-1.0) / 180;
  ExpectNear(lapping.Points.back(), {10 * std::cos(end), -10 * std::sin(end)}, 1e-6);
}

// ---- the writers ----

namespace {

// A W x H raster whose every byte differs from its neighbours.
struct TTestRaster {
  int W, H;
  std::vector<uint8_t> Pixels;
  TTestRaster(int w, int h) : W(w), H(h), Pixels(size_t(w) * h * 3) {
    for (size_t i = 0; i < Pixels.size(); ++i) Pixels[i] = static_cast<uint8_t>(i * 7 + 1);
  }
  TRasterView View() const { return {W, H, Pixels.data(), size_t(W) * 3}; }
};

std::string Write(const TRasterView& r, bool enhanced) {
  TMemoryStream out;
  if (enhanced)
    WriteEMF(out, r);
  else
    WriteWMF(out, r);
  return out.Data;
}

struct TField {
  size_t Offset;
  int Bytes;
  uint32_t Value;
};

void ExpectFields(const std::string& data, std::initializer_list<TField> fields) {
  for (const TField& f : fields)
    EXPECT_EQ(GetLE(data, f.Offset, f.Bytes), f.Value) << "field at offset " << f.Offset;
}

// The 2 x 2 raster (1,2,3) (4,5,6) / (7,8,9) (10,11,12) as the DIB rows
// hold it: bottom row first, each padded to eight bytes.
const char kRows[] = "\x07\x08\x09\x0A\x0B\x0C\0\0\x01\x02\x03\x04\x05\x06\0\0";

TRasterView TwoByTwo() {
  static const uint8_t px[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  return {2, 2, px, 6};
}

}  // namespace

TEST(MetafileWriter, WmfByteLayout) {
  std::string d = Write(TwoByTwo(), false);
  ASSERT_EQ(d.size(), 150u);
  ExpectFields(d, {
                      {0, 4, 0x9AC6CDD7}, {4, 2, 0},       {6, 2, 0},           {8, 2, 0},
                      {10, 2, 1},         {12, 2, 1},      {14, 2, 96},         {16, 4, 0},
                      {20, 2, 0x5771},  // checksum
                      {22, 2, 1},         {24, 2, 9},      {26, 2, 0x300},      {28, 4, 64},
                      {32, 2, 0},         {34, 4, 42},     {38, 2, 0},  // no objects, max record
                      {40, 4, 5},         {44, 2, 0x020B}, {46, 4, 0},  // SETWINDOWORG 0, 0
                      {50, 4, 5},         {54, 2, 0x020C}, {56, 2, 1},          {58, 2, 1},
                      {60, 4, 42},        {64, 2, 0x0F43}, {66, 4, 0x00CC0020}, {70, 2, 0},
                      {72, 2, 2},         {74, 2, 2},      {76, 4, 0},  // source h, w, y, x
                      {80, 2, 2},         {82, 2, 2},      {84, 4, 0},  // destination
                      {88, 4, 40},        {92, 4, 2},      {96, 4, 2},          {100, 2, 1},
                      {102, 2, 24},       {104, 4, 0},     {108, 4, 16},        {112, 4, 3780},
                      {144, 4, 3},        {148, 2, 0},  // META_EOF
                  });
  EXPECT_EQ(d.substr(128, 16), std::string(kRows, 16));
}

TEST(MetafileWriter, EmfByteLayout) {
  std::string d = Write(TwoByTwo(), true);
  ASSERT_EQ(d.size(), 264u);
  ExpectFields(d,
               {
                   {0, 4, 1},           {4, 4, 108},          {8, 4, 0},     {12, 4, 0},
                   {16, 4, 1},          {20, 4, 1},                                        // bounds
                   {24, 4, 0},          {28, 4, 0},           {32, 4, 52},   {36, 4, 52},  // frame
                   {40, 4, 0x464D4520}, {44, 4, 0x10000},     {48, 4, 264},  {52, 4, 3},
                   {56, 2, 1},          {60, 4, 0},           {64, 4, 0},    {68, 4, 0},
                   {72, 4, 1920},       {76, 4, 1440},        {80, 4, 508},  {84, 4, 381},
                   {100, 4, 508000},    {104, 4, 381000},     {108, 4, 81},  {112, 4, 136},
                   {116, 4, 0},         {120, 4, 0},          {124, 4, 1},   {128, 4, 1},
                   {132, 4, 0},         {136, 4, 0},          {140, 4, 0},   {144, 4, 0},
                   {148, 4, 2},         {152, 4, 2},  // source size
                   {156, 4, 80},        {160, 4, 40},         {164, 4, 120}, {168, 4, 16},
                   {172, 4, 0},         {176, 4, 0x00CC0020}, {180, 4, 2},   {184, 4, 2},
                   {188, 4, 40},        {192, 4, 2},          {196, 4, 2},   {202, 2, 24},
                   {244, 4, 14},        {248, 4, 20},         {252, 4, 0},   {256, 4, 16},
                   {260, 4, 20},
               });
  EXPECT_EQ(d.substr(228, 16), std::string(kRows, 16));
}

// The inclusive frame of an EMF must give back every width, not just a few.
TEST(MetafileWriter, EmfFrameReadsBackAsTheSameSizeForEveryWidth) {
  for (int w = 1; w <= 3000; ++w) {
    TTestRaster raster(w, 1);
    std::string data = Write(raster.View(), true);
    TMetaPicture pic = ReadEMF(Bytes(data), data.size());
    ASSERT_EQ(pic.Width, w);
  }
}

TEST(MetafileWriter, RefusesWhatCannotBeWritten) {
  TTestRaster wide(32768, 1);
  EXPECT_EQ(Message([&] { Write(wide.View(), false); }), "Image too large for a Windows metafile");
  TTestRaster widest(32767, 1);
  EXPECT_NO_THROW(Write(widest.View(), false));
  EXPECT_NO_THROW(Write(wide.View(), true));  // EMF coordinates are 32-bit
  EXPECT_EQ(Message([&] { Write({0, 0, nullptr, 0}, true); }), "Cannot save an empty image");
}
