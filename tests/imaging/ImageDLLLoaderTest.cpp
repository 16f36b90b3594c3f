// External codec libraries, driven through test plug-ins whose answers are
// chosen by the Options text (tests/plugins/TestCodec.cpp); then the JPEG 2000
// plug-in built beside the program, reached the way the program reaches it:
// a scan of the program folder and the codec registry.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "CodecTestUtil.h"
#include "imaging/ImageDLLLoader.h"
#include "imaging/JPEG2000Options.h"

using namespace lumarte;
using namespace lumarte::imaging;
using namespace lumarte::testing;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

const std::string kPluginDir = LUMARTE_TEST_PLUGIN_DIR;

class ImageDLLLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Codec.ScanFolder(kPluginDir)); }

  int FreeCount() {
    void* module = ::dlopen((kPluginDir + "/test_codec.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!module) return -1;
    auto count = reinterpret_cast<int (*)()>(::dlsym(module, "TestCodecFreeCount"));
    int n = count ? count() : -1;
    ::dlclose(module);
    return n;
  }

  void Load(const std::string& options, TRevedBitmap& bmp) {
    Codec.Options = options;
    Codec.LoadFromFile("any.tst", "tst", bmp);
  }

  TImageDLLLoader Codec;
  fixtures::TempFolder Temp;
};

TEST_F(ImageDLLLoaderTest, KeepsLibrariesExportingTheThreeFunctionsAndTestsBySubstring) {
  // test_codec_load_only lacks the save and release functions: unloaded.
  ASSERT_EQ(Codec.RecordCount(), 2);
  EXPECT_STREQ(Codec.Record(0).LoadFilter, "Test images (*.tst;*.tsx)|*.tst;*.tsx");
  EXPECT_EQ(Codec.Record(1).LoadFilter, nullptr);
  EXPECT_STREQ(Codec.Record(1).SaveFilter, "Other images (*.oth)|*.oth");
  EXPECT_EQ(Codec.GetLoadFilter(), "Test images (*.tst;*.tsx)|*.tst;*.tsx");
  EXPECT_EQ(Codec.GetSaveFilter(), "Test image (*.tst)|*.tst|Other images (*.oth)|*.oth");
  EXPECT_EQ(Codec.Capabilities(), 12);
  // Named in the description and in the pattern part: each registered once.
  EXPECT_EQ(Codec.GraphicExtensions(), (std::vector<std::string>{"TST", "TSX"}));
  // The default substring test.
  EXPECT_TRUE(Codec.CanLoad("TSX"));
  EXPECT_TRUE(Codec.CanLoad("ts"));  // a prefix of a listed extension
  EXPECT_FALSE(Codec.CanLoad(""));
  // The library without a load filter is never chosen for loading.
  EXPECT_FALSE(Codec.CanLoad("oth"));
  EXPECT_TRUE(Codec.CanSave("oth"));
  TRevedBitmap bmp;
  EXPECT_EQ(Message([&] { Codec.LoadFromFile("a.oth", "oth", bmp); }), "Unsupported file format");
}

TEST_F(ImageDLLLoaderTest, CodesBecomeTheirMessages) {
  const struct {
    bool Save;
    int Code;
    const char* Message;
  } cases[] = {{false, 2, "Unable to open file"},       {false, 3, "Error in bitmap data"},
               {false, 4, "Unsupported pixel format"},  {false, 5, "Error in bitmap data: 5"},
               {false, -1, "Error in bitmap data: -1"}, {true, 2, "Unable to open file"},
               {true, 3, "Error encoding image"},       {true, 4, "Unsupported pixel format"},
               {true, 5, "Unable to close file"},       {true, 9, "Error writing image file: 9"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Message);
    int before = FreeCount();
    TRevedBitmap bmp;
    if (c.Save) bmp.New(2, 2, pf24bit);
    Codec.Options = (c.Save ? "savecode=" : "code=") + std::to_string(c.Code);
    EXPECT_EQ(Message([&] {
                c.Save ? Codec.SaveToFile(Temp.File("out.tst"), "tst", bmp)
                       : Codec.LoadFromFile("any.tst", "tst", bmp);
              }),
              c.Message);
    EXPECT_EQ(FreeCount(), before);  // nothing was handed out
  }
}

// The test codec's byte i of its data block is i * 7 + 1.
uint8_t Pattern(size_t i) {
  return uint8_t(i * 7 + 1);
}

struct TFormatCase {
  const char* Options;
  TPixelFormat Format;  // pfCustom: nothing checked
  const char* Error;    // null: success
  int Planes = 0;       // separate planes loaded; 0: the block is copied as it is
};

class ImageDLLFormats : public ImageDLLLoaderTest,
                        public ::testing::WithParamInterface<TFormatCase> {};

TEST_P(ImageDLLFormats, AreStoredOrRefused) {
  const auto& c = GetParam();
  int before = FreeCount();
  TRevedBitmap bmp;
  std::string error;
  try {
    Load(c.Options, bmp);
  } catch (const ERevedBitmap& e) {
    error = e.what();
  }
  EXPECT_EQ(error, c.Error ? c.Error : "");
  // Whatever the outcome, an image handed out is given back.
  EXPECT_EQ(FreeCount(), before + 1);
  if (c.Format == pfCustom) return;
  ASSERT_EQ(bmp.PixelFormat, c.Format);
  EXPECT_EQ(bmp.Width, 4);
  EXPECT_EQ(bmp.Height, 3);
  // Separate planes become the bytes of each pixel; missing ones stay 0.
  for (int i = 0; i < bmp.Size; ++i) {
    int pixel = i / 3, plane = i % 3;
    uint8_t want = !c.Planes ? Pattern(i) : plane < c.Planes ? Pattern(plane * 12 + pixel) : 0;
    ASSERT_EQ(bmp.Map[i], want) << "byte " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ImageDLLFormats,
    ::testing::Values(TFormatCase{"format=1", pf8bit, nullptr},
                      TFormatCase{"format=17", pf8bit, nullptr},  // one separate plane
                      TFormatCase{"format=3", pf24bit, nullptr},
                      TFormatCase{"format=18", pf24bit, nullptr, 2},
                      TFormatCase{"format=19", pf24bit, nullptr, 3},
                      TFormatCase{"format=20", pf24bit,
                                  "The image contains 4 color planes, only 3 were loaded", 3},
                      TFormatCase{"format=0", pfCustom, "Unsupported bitmap format"},
                      TFormatCase{"format=2", pfCustom, "Unsupported pixel format"},
                      TFormatCase{"format=4", pfCustom, "Unsupported pixel format"},
                      TFormatCase{"format=35", pfCustom, "Unsupported pixel format"},
                      TFormatCase{"w=0", pfCustom, "Invalid bitmap size"},
                      TFormatCase{"h=-3", pfCustom, "Invalid bitmap size"},
                      TFormatCase{"w=70000 h=1", pfCustom, "Invalid bitmap size"},
                      TFormatCase{"nodata", pfCustom, "Error in bitmap data"}));

TEST_F(ImageDLLLoaderTest, OnePlaneTakesTheLibrarysPaletteOrTheGreyRamp) {
  TRevedBitmap bmp;
  Load("format=1", bmp);
  EXPECT_EQ(*bmp.Palette, DefaultPalette());
  Load("format=1 palette", bmp);
  EXPECT_EQ((*bmp.Palette)[0], 255);
  EXPECT_EQ((*bmp.Palette)[300], 255 - 300 % 256);
}

TEST_F(ImageDLLLoaderTest, SaveHandsOverTheBufferAndOptionsOrRefuses) {
  TRevedBitmap bmp;
  bmp.New(3, 2, pf8bit);
  for (int i = 0; i < 6; ++i) bmp.Map[i] = uint8_t(10 + i);
  (*bmp.Palette)[767] = 0x42;
  Codec.Options = "quality=high";
  Codec.SaveToFile(Temp.File("a.tst"), "tst", bmp);
  std::string dump = ReadFileBytes(Temp.File("a.tst"));
  const std::string head = "3 2 3 1 1 quality=high\n";
  ASSERT_EQ(dump.size(), head.size() + 6 + 768);
  EXPECT_EQ(dump.substr(0, head.size()), head);
  EXPECT_EQ(dump.substr(head.size(), 6), "\x0a\x0b\x0c\x0d\x0e\x0f");
  EXPECT_EQ(uint8_t(dump.back()), 0x42);

  bmp.New(3, 2, pf24bit);
  bmp.Clear(0x0000FF);
  Codec.Options.clear();
  Codec.SaveToFile(Temp.File("b.tst"), "TST", bmp);
  dump = ReadFileBytes(Temp.File("b.tst"));
  EXPECT_EQ(dump,
            "3 2 3 3 0 \n" + std::string("\0\0\xFF\0\0\xFF\0\0\xFF\0\0\xFF\0\0\xFF\0\0\xFF", 18));
  // An empty buffer, and an extension that is loadable only, are refused.
  TRevedBitmap empty;
  EXPECT_EQ(Message([&] { Codec.SaveToFile(Temp.File("a.tst"), "tst", empty); }),
            "Unsupported pixel format");
  EXPECT_EQ(Message([&] { Codec.SaveToFile(Temp.File("a.tsx"), "tsx", bmp); }),
            "Unsupported file format");
}

TEST(ImageDLLScan, BrokenLibrariesKeepAnEmptyRecordAndFoldersAreSkipped) {
  fixtures::TempFolder dir;
  std::ofstream(dir.File("a-broken.so")) << "not a library";
  fs::create_directory(dir.File("b-folder.so"));
  fs::copy_file(kPluginDir + "/test_codec.so", dir.File("c-codec.so"));
  TImageDLLLoader codec;
  EXPECT_TRUE(codec.ScanFolder(dir.Path.string()));
  ASSERT_EQ(codec.RecordCount(), 2);
  EXPECT_EQ(codec.Record(0).Module, nullptr);
  EXPECT_EQ(codec.Record(0).LoadFilter, nullptr);
  EXPECT_NE(codec.Record(1).Module, nullptr);
  EXPECT_EQ(codec.GetLoadFilter(), "Test images (*.tst;*.tsx)|*.tst;*.tsx");
  TRevedBitmap bmp;
  codec.LoadFromFile("x.tst", "tst", bmp);
  EXPECT_TRUE(bmp.Present);
}

TEST(ImageDLLScan, AFolderWithoutLibrariesAddsNoFormats) {
  fixtures::TempFolder dir;
  std::ofstream(dir.File("only.so")) << "text";
  TImageDLLLoader codec;
  EXPECT_FALSE(codec.ScanFolder(dir.Path.string()));
  EXPECT_FALSE(codec.ScanFolder(dir.File("missing")));
  EXPECT_EQ(codec.GetLoadFilter(), "");
  EXPECT_FALSE(codec.CanLoad("jp2"));
  TRevedBitmap bmp;
  EXPECT_THROW(codec.LoadFromFile("a.jp2", "jp2", bmp), ERevedBitmap);
}

// ---- the JPEG 2000 plug-in ----

class Jpeg2000Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PluginsScanned());
    ImageDLLLoader().Options.clear();
  }
  void TearDown() override { ImageDLLLoader().Options.clear(); }
  lumarte::fixtures::TempFolder Temp;
  std::string Dir = Temp.Path.string();
};

// A smooth picture with a little grain: what lossy compression is meant for.
TRevedBitmap GradientImage(int w, int h) {
  TRevedBitmap bmp;
  bmp.New(w, h, pf24bit);
  std::minstd_rand random(7);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t grain = random() % 8;
      SetPixel(bmp, x, y, (x * 2 + grain) | (y * 2 + grain) << 8 | (0x40 + grain) << 16);
    }
  return bmp;
}

// Saving by extension is shown by the round trips.
TEST_F(Jpeg2000Test, ThePluginReadsItsExtensions) {
  // No built-in codec takes "JP"; the library's substring test does.
  for (const char* ext : {"jp2", "JPC", "j2k", "j2c", "JP"})
    EXPECT_EQ(&BitmapLoaders().FindLoader(ext), &ImageDLLLoader()) << ext;
  EXPECT_NE(BitmapLoaders().CombinedLoadFilter().find("*.jp2"), std::string::npos);
}

struct TRoundTripCase {
  const char* Ext;
  int Width, Height;
  TPixelFormat Format;
  bool GreyPalette;
};

class Jpeg2000Lossless : public Jpeg2000Test,
                         public ::testing::WithParamInterface<TRoundTripCase> {};

TEST_P(Jpeg2000Lossless, RoundTripIsExact) {
  const auto& c = GetParam();
  TRevedBitmap image = NoisePicture(c.Width, c.Height, c.Format, c.Width * 31 + c.Height);
  if (c.GreyPalette) *image.Palette = DefaultPalette();
  const std::string file = Dir + "/image." + c.Ext;
  image.SaveToFile(file);
  // The container follows the extension: a JP2 signature box or a bare codestream.
  const std::string magic = c.Ext == "jp2"s ? "\0\0\0\x0cjP  \r\n\x87\n"s : "\xFF\x4F\xFF\x51"s;
  EXPECT_EQ(ReadFileBytes(file).substr(0, magic.size()), magic);
  TRevedBitmap back;
  back.LoadFromFile(file);
  ASSERT_EQ(back.Width, c.Width);
  ASSERT_EQ(back.Height, c.Height);
  // Grey comes back as one plane, every other image as colour.
  EXPECT_EQ(back.PixelFormat, c.Format == pf8bit && c.GreyPalette ? pf8bit : pf24bit);
  EXPECT_EQ(ToRgb(back), ToRgb(image));
}

INSTANTIATE_TEST_SUITE_P(Images, Jpeg2000Lossless,
                         ::testing::Values(TRoundTripCase{"jp2", 64, 48, pf24bit, false},
                                           TRoundTripCase{"jpc", 37, 19, pf24bit, false},
                                           TRoundTripCase{"j2k", 1, 1, pf24bit, false},
                                           TRoundTripCase{"jp2", 3, 5, pf8bit, true},
                                           TRoundTripCase{"jpc", 200, 3, pf8bit, true},
                                           TRoundTripCase{"jp2", 17, 33, pf8bit, false}));

// The preview is the file the options give, read back.
TEST_F(Jpeg2000Test, LossyRateBoundsTheFileSizeAndThePreviewShowsIt) {
  TRevedBitmap image = GradientImage(128, 128);
  const std::string lossless = Dir + "/lossless.jp2", lossy = Dir + "/lossy.jp2";
  image.SaveToFile(lossless);
  ImageDLLLoader().Options = Jpeg2000OptionsText(true, 50);
  image.SaveToFile(lossy);
  const size_t lossySize = ReadFileBytes(lossy).size();
  EXPECT_LE(lossySize, 128 * 128 * 3 / 20 + 200);  // 5 % plus the file's boxes
  EXPECT_LT(lossySize, ReadFileBytes(lossless).size());
  TRevedBitmap back;
  back.LoadFromFile(lossy);
  ASSERT_EQ(back.Width, 128);
  int64_t error = 0;
  for (int i = 0; i < image.Size; ++i) error += std::abs(int(back.Map[i]) - int(image.Map[i]));
  EXPECT_LT(double(error) / image.Size, 6.0);
  TJpeg2000Preview preview = MakeJpeg2000Preview(image, ImageDLLLoader());
  EXPECT_EQ(preview.FileSize, int64_t(lossySize));
  EXPECT_EQ(ToRgb(preview.Image), ToRgb(back));
  // Even rate 0 stays lossy: the smallest file, not a lossless one.
  ImageDLLLoader().Options = Jpeg2000OptionsText(true, 0);
  image.SaveToFile(lossy);
  EXPECT_LT(ReadFileBytes(lossy).size(), lossySize);
}

// The OpenJPEG we run with aborts the process on damaged high-throughput
// code-blocks, so files that ask for them are refused before decoding.
TEST_F(Jpeg2000Test, HighThroughputBlocksAreRefusedNotDecoded) {
  TRevedBitmap image = NoisePicture(8, 8, pf24bit, 3);
  for (const char* ext : {"jpc", "jp2"}) {
    const std::string file = Dir + "/ht." + ext;
    image.SaveToFile(file);
    std::string bytes = ReadFileBytes(file);
    const size_t cod = bytes.find("\xFF\x52");
    ASSERT_NE(cod, std::string::npos);
    bytes[cod + 12] = static_cast<char>(bytes[cod + 12] | 0x40);  // code-block style
    std::ofstream(file, std::ios::binary) << bytes;
    TRevedBitmap back;
    EXPECT_EQ(Message([&] { back.LoadFromFile(file); }), "Unsupported pixel format") << ext;
    EXPECT_FALSE(back.Present);
  }
}

TEST_F(Jpeg2000Test, FailuresCarryThePluginMessages) {
  TRevedBitmap bmp;
  EXPECT_EQ(Message([&] { bmp.LoadFromFile(Dir + "/missing.jp2"); }), "Unable to open file");
  std::ofstream(Dir + "/noise.jp2") << "this is not a JPEG 2000 file";
  EXPECT_EQ(Message([&] { bmp.LoadFromFile(Dir + "/noise.jp2"); }), "Error in bitmap data");
  EXPECT_FALSE(bmp.Present);
  TRevedBitmap image = NoisePicture(4, 4, pf24bit, 2);
  EXPECT_EQ(
      Message([&] { ImageDLLLoader().SaveToFile(Dir + "/no-such-folder/a.jp2", "jp2", image); }),
      "Unable to open file");
}

}  // namespace
