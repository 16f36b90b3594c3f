// The icon file layout (line sizes, the reader's checks, byte-exact writing)
// and loading and saving single icons and cursors through the codec.
#include <gtest/gtest.h>

#include "CodecTestUtil.h"
#include "imaging/ICOLoader.h"
#include "imaging/IconList.h"
#include "imaging/ImageDLLLoader.h"

using namespace lumarte;
using namespace lumarte::imaging;
using namespace lumarte::testing;

namespace {

// Lines round up to whole double words; the byte-exact tests below pin the
// common cases, these the ones a byte-wise rounding gets wrong.
TEST(IconImage, LinesRoundUpToWholeDWords) {
  for (auto [width, bits, xorLine, andLine] :
       {std::array{33, 1, 8, 8}, std::array{9, 4, 8, 4}, std::array{17, 24, 52, 4},
        std::array{256, 1, 32, 32}}) {
    TIconImage image(width, 3, bits);
    EXPECT_EQ(image.XorLineBytes, xorLine) << width << " x " << bits;
    EXPECT_EQ(image.AndLineBytes, andLine) << width << " x " << bits;
    EXPECT_EQ(image.PaletteSize, bits <= 8 ? 4 << bits : 0);
  }
}

TEST(IconImage, OtherBitCountsAreInvalidPixelFormats) {
  for (int bits : {0, 2, 16, 500}) {
    EXPECT_EQ(Message([&] { TIconImage image(16, 16, bits); }), "Invalid pixel format") << bits;
  }
}

TEST(IconImage, DrawRefusesAForeignBitCount) {
  TIconImage image(2, 2, 8);
  image.BitCount = 2;
  TRevedBitmap canvas;
  canvas.New(2, 2, pf24bit);
  EXPECT_EQ(Message([&] { image.Draw(canvas, 0, 0); }), "Pixel format not supported: 2 bits");
}

TEST(IconImage, DrawClipsAtTheCanvasEdges) {
  TIconImage image(4, 4, 24);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) std::memset(image.XorRow(y) + 3 * x, 0x40 + 4 * y + x, 3);
  TRevedBitmap canvas;
  canvas.New(3, 3, pf24bit);
  canvas.Clear(0x123456);
  image.Draw(canvas, -2, 1);
  EXPECT_EQ(PixelOf(canvas, 0, 0), 0x123456u);
  EXPECT_EQ(PixelOf(canvas, 0, 1), 0x424242u);  // image pixel (2, 0)
  EXPECT_EQ(PixelOf(canvas, 1, 2), 0x474747u);  // image pixel (3, 1)
  EXPECT_EQ(PixelOf(canvas, 2, 2), 0x123456u);
}

// One list per bit count: saving what was read gives the same bytes back.
class IconRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(IconRoundTrip, ReadThenWriteIsByteExact) {
  TIconList list;
  TIconImage& a = list.Add(5, 3, GetParam());
  for (size_t i = 0; i < size_t(a.XorSize); ++i) a.XorData[i] = uint8_t(i * 37 + 11);
  for (size_t i = 0; i < a.Palette.size(); ++i) a.Palette[i] = i % 4 == 3 ? 1 : uint8_t(i * 5);
  a.AndMask[0] = 0xA0;
  list.Add(2, 2, GetParam());
  std::string saved = SaveList(list);
  TIconList again;
  LoadList(again, saved);
  ASSERT_EQ(again.Count(), 2);
  EXPECT_EQ(again[0].Width, 5);
  EXPECT_EQ(again[0].Height, 3);
  EXPECT_EQ(again[0].BitCount, GetParam());
  EXPECT_EQ(SaveList(again), saved);
}

INSTANTIATE_TEST_SUITE_P(Bits, IconRoundTrip, ::testing::Values(1, 4, 8, 24, 32));

TEST(IconList, WritesTheDirectoryAndHeaderByteForByte) {
  TIconList list;
  TIconImage& image = list.Add(3, 2, 4);
  image.Palette[4 * 1 + 0] = 0x11;  // entry 1: red 0x11, green 0x22, blue 0x33
  image.Palette[4 * 1 + 1] = 0x22;
  image.Palette[4 * 1 + 2] = 0x33;
  image.XorRow(0)[0] = 0x12;
  image.SetTransparent(2, 0);
  // Directory, 40-byte header (twice the height, XOR + AND bytes), 16 palette
  // entries as blue, green, red, 0, then the rows bottom first: 2 XOR lines
  // of 4 bytes, 2 AND lines of 4.
  const std::string expected =
      std::string("\0\0\1\0\1\0\3\2\x10\0\1\0\4\0\x78\0\0\0\x16\0\0\0", 22) +
      std::string("\x28\0\0\0\3\0\0\0\4\0\0\0\1\0\4\0\0\0\0\0\x10\0\0\0", 24) +
      std::string(16, '\0') + std::string(4, '\0') + "\x33\x22\x11" + std::string(57, '\0') +
      std::string("\0\0\0\0\x12\0\0\0", 8) + std::string("\0\0\0\0\x20\0\0\0", 8);
  EXPECT_EQ(SaveList(list), expected);
}

TEST(IconList, OnlyIconsAndCursorsCanBeSaved) {
  TIconList list;
  list.Add(2, 2, 24);
  std::string b = SaveList(list);
  b[2] = 3;  // type 3: neither icon nor cursor
  TIconList other;
  LoadList(other, b);
  EXPECT_EQ(other.Kind, ikOther);
  EXPECT_EQ(Message([&] { SaveList(other); }), "Saving of this type not supported");
}

TEST(IconList, DirectoryByteZeroMeans256) {
  TIconList list;
  list.Add(256, 256, 1);
  std::string b = SaveList(list);
  EXPECT_EQ(b[6], 0);
  EXPECT_EQ(b[7], 0);
  TIconList again;
  LoadList(again, b);
  EXPECT_EQ(again[0].Width, 256);
  EXPECT_EQ(again[0].Height, 256);
}

TEST(IconList, LongerBitmapHeadersAreSkipped) {
  TIconList list;
  TIconImage& image = list.Add(2, 1, 24);
  image.XorRow(0)[0] = 0x5A;
  std::string b = SaveList(list);
  // Make the header a 124-byte V5 header: 84 more bytes before the pixels.
  b.insert(22 + 40, std::string(84, '\x77'));
  TIconList again;
  LoadList(again, Patched(b, 22, 124));
  EXPECT_EQ(again[0].XorRow(0)[0], 0x5A);
}

TEST(IconList, ThirtyTwoBitTransparencyComesFromAlpha) {
  TIconImage image(2, 1, 32);
  uint8_t* row = image.XorRow(0);
  const uint8_t pixels[8] = {0, 0, 255, 0, /* red, alpha 0 */ 255, 0, 0, 255 /* blue */};
  std::memcpy(row, pixels, 8);
  image.DetectAlpha();
  EXPECT_TRUE(image.IsTransparent(0, 0));
  EXPECT_FALSE(image.IsTransparent(1, 0));
  // Without any alpha the AND mask decides, as for older 32-bit icons.
  row[7] = 0;
  image.DetectAlpha();
  EXPECT_FALSE(image.IsTransparent(0, 0));
  image.SetTransparent(1, 0);
  EXPECT_TRUE(image.IsTransparent(1, 0));
}

TEST(IconList, ThirtyTwoBitMaskMayBeCutShort) {
  TIconList list;
  TIconImage& image = list.Add(4, 4, 32);
  for (int i = 3; i < image.XorSize; i += 4) image.XorData[i] = 255;
  std::string b = SaveList(list);
  b.resize(b.size() - 6);
  TIconList again;
  LoadList(again, b);
  EXPECT_TRUE(again[0].UsesAlpha);
}

// A one-entry icon file holding the PNG file of the test data; the directory
// gives side x side (0 for 256).
std::string PngEntryFile(const std::string& name, int side) {
  std::string png = ReadFileBytes(std::string(LUMARTE_TEST_DATA) + "/ico/" + name);
  EXPECT_FALSE(png.empty()) << name;
  std::string b("\0\0\1\0\1\0", 6);
  b += {char(side), char(side)};
  b += std::string("\0\0\1\0\x20\0", 6);
  PutLE(b, uint32_t(png.size()), 4);
  PutLE(b, 22, 4);
  return b + png;
}

// A saved list of one 8 x 8, 8-bit image, then (with images = 2) a 16 x 16
// 4-bit one after a 32 x 32 8-bit one.
std::string Saved(int images = 1) {
  TIconList list;
  if (images == 1) {
    list.Add(8, 8, 8);
  } else {
    list.Add(32, 32, 8);
    list.Add(16, 16, 4);
  }
  return SaveList(list);
}

// The field at offset in the bitmap header of image i (4 width, 8 height).
std::string HeaderPatched(int image, size_t field, uint32_t value) {
  std::string b = Saved(2);
  return Patched(b, GetLE(b, 6 + 16 * image + 12, 4) + field, value);
}

// 400 directory entries that all point at one 256 x 256, 32-bit image.
std::string RepeatedEntries() {
  TIconList list;
  list.Add(256, 256, 32);
  std::string one = SaveList(list);
  const uint32_t entries = 400;
  std::string b("\0\0\1\0", 4);
  b += {char(entries & 0xFF), char(entries >> 8)};
  for (uint32_t i = 0; i < entries; ++i) b += Patched(one.substr(6, 16), 12, 6 + 16 * entries);
  return b + one.substr(22);
}

class IconBadFile : public ::testing::TestWithParam<TBadInput> {};

TEST_P(IconBadFile, RaisesTheMessage) {
  TIconList list;
  EXPECT_EQ(Message([&] { LoadList(list, GetParam().Data); }), GetParam().Message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IconBadFile,
    ::testing::Values(
        TBadInput{"HeightNotDoubled", HeaderPatched(0, 8, 32), "Size mismatch in icon 0"},
        TBadInput{"Width", HeaderPatched(0, 4, 31), "Size mismatch in icon 0"},
        TBadInput{"SecondHeight", HeaderPatched(1, 8, 33), "Size mismatch in icon 1"},
        TBadInput{"HugeWidth", HeaderPatched(1, 4, 0x7FFFFFFF), "Size mismatch in icon 1"},
        TBadInput{"NegativeHeight", HeaderPatched(0, 8, 0xFFFFFFC0), "Size mismatch in icon 0"},
        TBadInput{"PngOfAnotherSize", PngEntryFile("four-colours-2x2.png", 3),
                 "Size mismatch in icon 0"},
        TBadInput{"RunLengthCompressed", Patched(Saved(), 22 + 16, 1), "Unsupported bitmap format"},
        TBadInput{"RepeatedEntries", RepeatedEntries(), "Error in bitmap data"},
        TBadInput{"DataOffsetBeyondTheFile", Patched(Saved(), 18, 0xFFFFFFF0),
                 "Read less than expected"},
        TBadInput{"CutInTheHeader", Saved().substr(0, 3), "Read less than expected"},
        TBadInput{"CutInTheDirectory", Saved().substr(0, 10), "Read less than expected"},
        TBadInput{"CutInTheBitmapHeader", Saved().substr(0, 30), "Read less than expected"},
        TBadInput{"CutInTheMask", Saved().substr(0, Saved().size() - 1), "Read less than expected"}),
    [](const auto& info) { return std::string(info.param.Name); });

// A PNG-compressed entry, as modern icon files carry for 256 x 256 images.
struct TPngCase {
  const char* File;
  int Side;  // directory byte: 0 for 256
  uint32_t TopLeft, BottomRight;
};

class IconPngEntry : public ::testing::TestWithParam<TPngCase> {};

TEST_P(IconPngEntry, DecodesThroughThePngCodec) {
  const auto& c = GetParam();
  TIconList list;
  LoadList(list, PngEntryFile(c.File, c.Side));
  const TIconImage& image = list[0];
  const int side = c.Side ? c.Side : 256;
  ASSERT_EQ(image.Width, side);
  ASSERT_EQ(image.Height, side);
  EXPECT_EQ(image.PixelColor(0, 0), c.TopLeft);
  EXPECT_EQ(image.PixelColor(side - 1, side - 1), c.BottomRight);
  EXPECT_FALSE(image.IsTransparent(0, 0));
}

INSTANTIATE_TEST_SUITE_P(Files, IconPngEntry,
                         ::testing::Values(TPngCase{"four-colours-2x2.png", 2, 0x0000FF, 0x1E140A},
                                           TPngCase{"two-tone-256.png", 0, 0x3264C8, 0x030201}));

TEST(IconPreview, FramesTheImageInTheTransparentColour) {
  TIconImage image(3, 2, 24);
  std::memset(image.XorData.data(), 0x80, size_t(image.XorSize));
  image.SetTransparent(1, 1);
  TRevedBitmap panel = IconPreview(image, 0x00FF00FF);
  ASSERT_EQ(panel.Width, 5);
  ASSERT_EQ(panel.Height, 4);
  EXPECT_EQ(PixelOf(panel, 0, 0), 0xFF00FFu);
  EXPECT_EQ(PixelOf(panel, 1, 1), 0x808080u);
  EXPECT_EQ(PixelOf(panel, 2, 2), 0xFF00FFu);  // the transparent pixel
  EXPECT_EQ(PixelOf(panel, 4, 3), 0xFF00FFu);
  TIconImage big(256, 100, 1);
  TRevedBitmap clipped = IconPreview(big, 0);
  EXPECT_EQ(clipped.Width, 193);
  EXPECT_EQ(clipped.Height, 73);
}

// ---- the codec ----

constexpr uint32_t kMagenta = 0xFF00FF;

std::string Save(TICOLoader& codec, TRevedBitmap& bmp, const std::string& ext = "ico") {
  TMemoryStream out;
  codec.SaveToStream(out, ext, bmp);
  return out.Data;
}

TRevedBitmap Load(TICOLoader& codec, const std::string& bytes) {
  TMemoryStream in(bytes.data(), bytes.size());
  TRevedBitmap bmp;
  codec.LoadFromStream(in, "ico", bmp);
  return bmp;
}

TEST(ICOLoader, IsRegisteredBeforeTheExternalLibraries) {
  auto& registry = BitmapLoaders();
  for (const char* ext : {"ico", "CUR", "Ico"}) {
    EXPECT_EQ(&registry.FindLoader(ext), &IconLoader()) << ext;
    EXPECT_EQ(&registry.FindSaver(ext), &IconLoader()) << ext;
  }
  for (const char* ext : {"IC", "ICON", "CURS"}) EXPECT_FALSE(IconLoader().CanLoad(ext)) << ext;
  ASSERT_GE(registry.Count(), 2);
  EXPECT_EQ(registry[registry.Count() - 1], &ImageDLLLoader());
  EXPECT_EQ(registry[registry.Count() - 2], &IconLoader());
}

TEST(ICOLoader, ImagesWiderThan255AreRefused) {
  TICOLoader codec;
  for (auto [w, h] : {std::pair{256, 10}, std::pair{10, 256}}) {
    TRevedBitmap bmp;
    bmp.New(w, h, pf24bit);
    EXPECT_EQ(Message([&] { Save(codec, bmp); }), "Image is too large for icon");
  }
}

TEST(ICOLoader, TwentyFourBitLayoutWithMagentaTransparent) {
  TRevedBitmap bmp;
  bmp.New(2, 2, pf24bit);
  SetPixel(bmp, 0, 0, 0x0000FF);
  SetPixel(bmp, 1, 0, kMagenta);
  SetPixel(bmp, 0, 1, 0xFF0000);
  SetPixel(bmp, 1, 1, 0x00FF00);
  TICOLoader codec;
  const std::string b = Save(codec, bmp);
  const std::string expected =
      std::string("\0\0\1\0\1\0", 6) + std::string("\2\2\0\0\1\0\x18\0\x40\0\0\0\x16\0\0\0", 16) +
      std::string("\x28\0\0\0\2\0\0\0\4\0\0\0\1\0\x18\0\0\0\0\0\x18\0\0\0", 24) +
      std::string(16, '\0') +
      // XOR, bottom row first: blue, green; then red and the blackened magenta.
      std::string("\xFF\0\0\0\xFF\0\0\0\0\0\xFF\0\0\0\0\0", 16) +
      // AND: the bottom row opaque, pixel (1, 0) transparent.
      std::string("\0\0\0\0\x40\0\0\0", 8);
  EXPECT_EQ(b, expected);
}

// 8-bit buffers: the highest opaque index in use decides between 4 and 8 bits.
struct TDepthCase {
  std::vector<uint8_t> Indices;  // pixels of a 4 x 1 image
  int TransparentIndex;          // palette entry holding magenta
  int Bits;
};

class ICOLoaderDepth : public ::testing::TestWithParam<TDepthCase> {};

TEST_P(ICOLoaderDepth, ChoosesTheSmallestIconDepth) {
  const auto& c = GetParam();
  TRevedBitmap bmp;
  bmp.New(4, 1, pf8bit);
  for (int i = 0; i < 256; ++i) SetPaletteEntry(bmp, i, uint32_t(i) * 0x010101);
  SetPaletteEntry(bmp, c.TransparentIndex, kMagenta);
  std::memcpy(bmp.Map.get(), c.Indices.data(), 4);
  TICOLoader codec;
  std::string b = Save(codec, bmp);
  EXPECT_EQ(Word(b, 12), c.Bits);
  EXPECT_EQ(uint8_t(b[8]), c.Bits == 4 ? 16 : 0);
  TIconList list;
  LoadList(list, b);
  for (int x = 0; x < 4; ++x) {
    bool clear = c.Indices[x] == c.TransparentIndex;
    EXPECT_EQ(list[0].IsTransparent(x, 0), clear) << x;
    if (!clear) {
      EXPECT_EQ(list[0].PixelColor(x, 0), c.Indices[x] * 0x010101u) << x;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Palettes, ICOLoaderDepth,
    ::testing::Values(TDepthCase{{0, 9, 12, 5}, 12, 4},       // entries 0..9 and magenta at 12
                      TDepthCase{{0, 1, 0, 1}, 12, 4},        //
                      TDepthCase{{3, 200, 15, 200}, 200, 4},  // magenta far above 15
                      TDepthCase{{0, 16, 12, 1}, 12, 8},      //
                      TDepthCase{{255, 0, 0, 0}, 12, 8}));

TEST(ICOLoader, CursorKeepsItsHotSpot) {
  TRevedBitmap bmp;
  bmp.New(4, 4, pf24bit);
  TICOLoader writer;
  writer.HotSpotX = 3;
  writer.HotSpotY = 300;  // both bytes of the field
  std::string cur = Save(writer, bmp, "cur");
  EXPECT_EQ(Word(cur, 2), ikCursor);
  EXPECT_EQ(Word(cur, 10), 3);
  EXPECT_EQ(Word(cur, 12), 300);
  EXPECT_EQ(Word(Save(writer, bmp, "ico"), 2), ikIcon);
  TICOLoader reader;
  Load(reader, cur);
  EXPECT_EQ(reader.HotSpotX, 3);
  EXPECT_EQ(reader.HotSpotY, 300);
}

TEST(ICOLoader, AFileWithoutImagesIsRefused) {
  TICOLoader codec;
  EXPECT_EQ(Message([&] { Load(codec, std::string("\0\0\2\0\0\0", 6)); }), "No icons in file");
}

// A file of a 2 x 2 image (pixel (0, 0) transparent) and a 5 x 4 one, loaded
// through a chooser that answers as told.
class ICOLoaderChooser : public ::testing::Test, public TIconChooser {
 protected:
  bool ChooseIcon(const TIconList& icons, int& index, uint32_t& color) override {
    Offered = icons.Count();
    EXPECT_EQ(index, 0);
    index = Index;
    color = Color;
    return Answer;
  }
  TRevedBitmap LoadTwoImages(TICOLoader& codec) {
    TIconList list;
    list.Add(2, 2, 24).SetTransparent(0, 0);
    list.Add(5, 4, 24);
    return Load(codec, SaveList(list));
  }
  bool Answer = true;
  int Index = 0, Offered = 0;
  uint32_t Color = 0;
};

TEST_F(ICOLoaderChooser, PicksTheImageAndColour) {
  Index = 1;
  Color = 0x00FF00;
  TICOLoader codec;
  codec.Chooser = this;
  TRevedBitmap bmp = LoadTwoImages(codec);
  EXPECT_EQ(Offered, 2);
  EXPECT_EQ(bmp.Width, 5);
  EXPECT_EQ(bmp.Height, 4);
  EXPECT_EQ(codec.TransparentColor, 0x00FF00u);
  Index = 0;  // transparent pixels take the colour, opaque ones keep theirs
  bmp = LoadTwoImages(codec);
  EXPECT_EQ(PixelOf(bmp, 0, 0), 0x00FF00u);
  EXPECT_EQ(PixelOf(bmp, 1, 0), 0u);
}

TEST_F(ICOLoaderChooser, LoadFirstAndNoChooserTakeTheFirstImage) {
  Index = 1;
  TICOLoader codec;
  codec.Chooser = this;
  codec.LoadFirst = true;
  EXPECT_EQ(LoadTwoImages(codec).Width, 2);
  EXPECT_EQ(Offered, 0);
  TICOLoader plain;
  EXPECT_EQ(LoadTwoImages(plain).Width, 2);
}

TEST_F(ICOLoaderChooser, CancelAbortsSilentlyAndLeavesTheBufferEmpty) {
  Answer = false;
  Color = 0x123456;
  TICOLoader& codec = IconLoader();
  codec.Chooser = this;
  TIconList list;
  list.Add(2, 2, 24);
  const std::string file = SaveList(list);
  TMemoryStream in(file.data(), file.size());
  TRevedBitmap bmp;
  bmp.New(3, 3, pf24bit);
  EXPECT_THROW(bmp.LoadFromStream(in, "ICO"), EAbort);
  codec.Chooser = nullptr;
  EXPECT_FALSE(bmp.Present);
  EXPECT_EQ(codec.TransparentColor, kMagenta);
}

}  // namespace
