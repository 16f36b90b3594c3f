// The writers' byte layouts and limits. Saving and reading back a raster,
// and a failed save keeping the old file, are checked through the renderer
// in MetafileRenderTest.cpp.
#include <gtest/gtest.h>

#include "support/ErrorMessage.h"

#include "imaging/Errors.h"
#include "imaging/metafile/MetafileRecords.h"
#include "imaging/metafile/MetafileWriter.h"
#include "support/MetafileBuilder.h"

using namespace lumarte;
using namespace lumarte::imaging;
using lumarte::testing::Bytes;
using lumarte::testing::GetLE;

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
