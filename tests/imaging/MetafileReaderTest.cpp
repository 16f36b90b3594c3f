// The WMF and EMF readers on hand-made files: picture size, mapping, the
// object table, paths, text and clipping as they come out in commands; the
// device context they play into, with its limits; and damaged files, each
// raising EFormatError with a message that says what is wrong and where,
// without reading out of bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "imaging/Errors.h"
#include "imaging/metafile/MetafilePlayer.h"
#include "imaging/metafile/MetafileRecords.h"
#include "support/ErrorMessage.h"
#include "support/MetafileBuilder.h"

using namespace lumarte;
using namespace lumarte::imaging;
using lumarte::testing::Bytes;
using lumarte::testing::DibInfo;
using lumarte::testing::PutLE;
using lumarte::testing::TEmfBuilder;
using lumarte::testing::TWmfBuilder;

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

void ExpectNear(TPointD a, TPointD b) {
  EXPECT_NEAR(a.X, b.X, 1e-6);
  EXPECT_NEAR(a.Y, b.Y, 1e-6);
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

// Sets the 32-bit field at offset to value.
std::string Patched(std::string data, size_t offset, uint32_t value) {
  std::string v;
  PutLE(v, value, 4);
  data.replace(offset, 4, v);
  return data;
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

struct TCorruptCase {
  const char* Name;
  std::string Data;
  const char* Message;
};

class MetafileCorrupt : public ::testing::TestWithParam<TCorruptCase> {};

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
        TCorruptCase{"Empty", std::string(), "Invalid metafile header: not a Windows metafile"},
        TCorruptCase{"NotAMetafile", std::string(100, 'x'),
                     "Invalid metafile header: not a Windows metafile"},
        TCorruptCase{"EmfHeaderLongerThanFile", Patched(Emf().Finish(), 4, 400),
                     "Invalid metafile header: header size out of range"},
        TCorruptCase{"EmfTruncated", Emf().Finish().substr(0, Emf().Finish().size() - 4),
                     "Metafile is truncated"},
        TCorruptCase{"EmfDescriptionOutsideHeader",
                     Patched(Patched(Emf().Finish(), 60, 10), 64, 80),
                     "Invalid metafile header: description outside the header"},
        TCorruptCase{"EmfRecordTooSmall", Patched(Emf().Add(27, {0, 0}).Finish(), 92, 4),
                     "Corrupt metafile: record size out of range (record 0x0000 at offset 88)"},
        TCorruptCase{"EmfRecordPastTheEnd", Patched(Emf().Add(27, {0, 0}).Finish(), 92, 4000),
                     "Corrupt metafile: record size out of range (record 0x0000 at offset 88)"},
        TCorruptCase{
            "EmfRecordTooShortForItsFields", Emf().Add(43, {1, 2}).Finish(),
            "Corrupt metafile: record too short for its contents (record 0x002B at offset 88)"},
        TCorruptCase{
            "EmfPointCountTooLarge", Emf().Add(87, {0, 0, 0, 0, 1000, 0, 0}).Finish(),
            "Corrupt metafile: point count exceeds the record (record 0x0057 at offset 88)"},
        TCorruptCase{
            "EmfPolygonSizesExceedPoints", Emf().Add(91, {0, 0, 0, 0, 2, 2, 2, 1, 0, 0}).Finish(),
            "Corrupt metafile: polygon sizes exceed the point count (record 0x005B at offset 88)"},
        TCorruptCase{"EmfTextOutsideRecord",
                     Emf().Add(84, {0, 0, 0, 0, 1, 0, 0, 5, 5, 50, 76, 0, 0, 0, 0, 0, 0}).Finish(),
                     "Corrupt metafile: text outside its record (record 0x0054 at offset 88)"},
        TCorruptCase{"EmfObjectIndexOutOfRange", Emf().Add(37, {9}).Finish(),
                     "Corrupt metafile: object index out of range (record 0x0025 at offset 88)"},
        TCorruptCase{"EmfCreateInReservedSlot", Emf().Add(39, {0, 0, 0, 0}).Finish(),
                     "Corrupt metafile: object index out of range (record 0x0027 at offset 88)"},
        TCorruptCase{"EmfBitmapRowsMissing", Emf().AddBytes(81, StretchDibits(20)).Finish(),
                     "Invalid bitmap in metafile: pixel data missing (record 0x0051 at offset 88)"},
        TCorruptCase{"EmfBitmapOutsideRecord",
                     Patched(Emf().AddBytes(81, StretchDibits(48)).Finish(), 88 + 60, 4800),
                     "Corrupt metafile: bitmap outside its record (record 0x0051 at offset 88)"},
        TCorruptCase{"EmfHugeFrame", TEmfBuilder({0, 0, 2000000000, 100}, {0, 0, 0, 0}).Finish(),
                     "Metafile too large"},
        TCorruptCase{"WmfZeroUnitsPerInch", TWmfBuilder(true, {0, 0, 99, 99}, 0).Finish(),
                     "Invalid metafile header: zero units per inch"},
        TCorruptCase{"WmfBadHeader", Patched(Wmf().Finish(), 22, 0x00050007),
                     "Invalid metafile header: not a Windows metafile"},
        TCorruptCase{"WmfRecordTooSmall", Patched(Wmf().Add(0x0213, {1, 1}).Finish(), 40, 2),
                     "Corrupt metafile: record size out of range (record 0x0000 at offset 40)"},
        TCorruptCase{"WmfRecordPastTheEnd",
                     Patched(Wmf().Add(0x0213, {1, 1}).Finish(), 40, 0x10000),
                     "Corrupt metafile: record size out of range (record 0x0000 at offset 40)"},
        TCorruptCase{
            "WmfPointCountTooLarge", Wmf().Add(0x0324, {500, 1, 1}).Finish(),
            "Corrupt metafile: point count exceeds the record (record 0x0324 at offset 40)"},
        TCorruptCase{
            "WmfTextLongerThanRecord", Wmf().Add(0x0521, {40, 0x4141, 1, 1}).Finish(),
            "Corrupt metafile: record too short for its contents (record 0x0521 at offset 40)"},
        TCorruptCase{"WmfObjectIndexOutOfRange", Wmf().Add(0x012D, {4}).Finish(),
                     "Corrupt metafile: object index out of range (record 0x012D at offset 40)"},
        TCorruptCase{"WmfObjectTableFull",
                     TWmfBuilder(true, {0, 0, 99, 99}, 96, 1)
                         .Add(0x02FA, {0, 1, 0, 0, 0})
                         .Add(0x02FA, {0, 1, 0, 0, 0})
                         .Finish(),
                     "Corrupt metafile: object table full (record 0x02FA at offset 56)"},
        TCorruptCase{"PlainWmfWithoutWindow", TWmfBuilder(false).Add(0x0213, {1, 1}).Finish(),
                     "Metafile has no size"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
